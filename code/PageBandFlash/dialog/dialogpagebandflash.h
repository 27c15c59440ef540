#ifndef DIALOGPAGEBANDFLASH_H
#define DIALOGPAGEBANDFLASH_H

#include "pagebandflash_export.h"
#include "attribute.h"

#include <QDialog>

namespace Ui {
class DialogPageBandFlash;
}

// Stand-in until the dialog's own work is built: it opens, and it tells its opener when it closes.
class PAGEBANDFLASH_EXPORT DialogPageBandFlash : public QDialog, public Attribute
{
    Q_OBJECT
public:
    explicit DialogPageBandFlash(QWidget* parent = nullptr);
    ~DialogPageBandFlash() override;

    // The dialog starts its work from here; this stand-in only keeps the hub.
    bool setMsg(CoreHub* msg) override;

signals:
    void onClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Ui::DialogPageBandFlash* ui;
};

#endif // DIALOGPAGEBANDFLASH_H
