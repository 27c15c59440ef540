#ifndef DIALOGDEVICEINSTALL_H
#define DIALOGDEVICEINSTALL_H

#include "pagedriversetup_export.h"

#include <QDialog>

namespace Ui {
class DialogDeviceInstall;
}

// Stand-in until the dialog's own work is built: it opens, and it tells its opener when it closes.
class PAGEDRIVERSETUP_EXPORT DialogDeviceInstall : public QDialog
{
    Q_OBJECT
public:
    explicit DialogDeviceInstall(QWidget* parent = nullptr);
    ~DialogDeviceInstall() override;

signals:
    void onClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Ui::DialogDeviceInstall* ui;
};

#endif // DIALOGDEVICEINSTALL_H
