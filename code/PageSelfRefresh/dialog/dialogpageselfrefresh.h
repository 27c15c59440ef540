#ifndef DIALOGPAGESELFREFRESH_H
#define DIALOGPAGESELFREFRESH_H

#include "pageselfrefresh_export.h"
#include "attribute.h"

#include <QDialog>

namespace Ui {
class DialogPageSelfRefresh;
}

// Stand-in until the dialog's own work is built: it opens, and it tells its opener when it closes.
class PAGESELFREFRESH_EXPORT DialogPageSelfRefresh : public QDialog, public Attribute
{
    Q_OBJECT
public:
    explicit DialogPageSelfRefresh(QWidget* parent = nullptr);
    ~DialogPageSelfRefresh() override;

    // The dialog starts its work from here; this stand-in only keeps the hub.
    bool setMsg(CoreHub* msg) override;

signals:
    void onClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Ui::DialogPageSelfRefresh* ui;
};

#endif // DIALOGPAGESELFREFRESH_H
