#ifndef DIALOGDEVICEINSTALL_H
#define DIALOGDEVICEINSTALL_H

#include "pagedriversetup_export.h"

#include <QDialog>
#include <QPoint>

class QTimer;

namespace Ui {
class DialogDeviceInstall;
}

// Makes sure this user can open the band adapter's port. The kernel's own driver serves the
// adapter; what may be missing is the right to its device node, which the installer beside the
// program grants. Built, it checks at once; without the port it starts the installer and then
// looks for the port every 100 ms until the user closes the dialog.
class PAGEDRIVERSETUP_EXPORT DialogDeviceInstall : public QDialog
{
    Q_OBJECT
public:
    explicit DialogDeviceInstall(QWidget* parent = nullptr);
    ~DialogDeviceInstall() override;

    // The adapter's port exists and this user may read and write it (not opened: the hub may hold it).
    static bool probeAdapter();

signals:
    void onClose();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

protected slots:
    void on_waitDone();
    void on_closeClick();
    void on_cancelClick();

private:
    void installDriver();
    void showResult(const bool& ok);
    void checkDriver();
    void setTexts(const QString& text, const QString& description, const QString& button);

    QTimer* m_waitTimer = nullptr;
    Ui::DialogDeviceInstall* ui;
    QPoint m_dragOffset;    // (-1, -1) while no drag is under way
    bool m_launched = false;  // the installer started; a failed start keeps its failure texts
};

#endif // DIALOGDEVICEINSTALL_H
