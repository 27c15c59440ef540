#ifndef DIALOGPAGEBANDFLASH_H
#define DIALOGPAGEBANDFLASH_H

#include "pagebandflash_export.h"
#include "attribute.h"

#include <QByteArray>
#include <QDialog>

class WizardFrame;

namespace Ui {
class DialogPageBandFlash;
}

// The band firmware wizard: check the band's version against the cloud, ask, send the image,
// say how it went. Each page reports its failures itself; the frame only moves the tabs on.
class PAGEBANDFLASH_EXPORT DialogPageBandFlash : public QDialog, public Attribute
{
    Q_OBJECT
public:
    explicit DialogPageBandFlash(QWidget* parent = nullptr);
    ~DialogPageBandFlash() override;

    // Starts the check at once, before the opener shows the dialog.
    bool setMsg(CoreHub* msg) override;

signals:
    void onClose();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_Close();
    void on_CheckNext(quint16 currentVersion, quint16 upgradeVersion, QByteArray data);
    void on_ConfirmNext(QByteArray data);
    void on_DownloadNext(bool state);
    void on_uncompress(bool state);

private:
    Ui::DialogPageBandFlash* ui;
    WizardFrame* m_frame;
};

#endif // DIALOGPAGEBANDFLASH_H
