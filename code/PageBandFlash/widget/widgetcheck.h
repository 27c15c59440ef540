#ifndef WIDGETCHECK_H
#define WIDGETCHECK_H

#include "attribute.h"
#include "bandclaim.h"
#include "bandlink.h"
#include "cloudgate.h"
#include "wirecodec.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

namespace Ui {
class WidgetCheck;
}

// Reconnects to the bound band, reads its firmware version and asks the cloud for newer
// firmware. Each step waits for one hub answer; a failure offers the check again.
class WidgetCheck : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetCheck(QWidget* parent = nullptr);
    ~WidgetCheck() override;

    bool setMsg(CoreHub* msg) override;
    // The wizard closes: no hub answer drives the check any more, and the band link it made
    // is let go.
    void end();

public slots:
    void start();
    void on_okClick();
    void on_closeClick();
    void on_cancelClick();

signals:
    bool onClose();
    void onNext(quint16 currentVersion, quint16 upgradeVersion, QByteArray data);

private slots:
    void on_firmScan(const QList<BandLink::at_devinfo>& list);
    void on_firmConn(bool state);
    void on_firmBcNotify(bool state);
    void on_firmBhVersion(const WireCodec::bs_reply_version& version);
    void on_NsFirmware(quint16 currentVersion, quint16 upgradeVersion, const QByteArray& data);
    void on_linkLost();
    void on_bandError(const WireCodec::bs_pack_error& error);

private:
    void initData();
    // Ends the running step: every hub answer the check waits for is let go.
    void stopListening();
    void watchLink(const bool& on);
    void fail(const QString& text);

    QList<CloudGate::ns_bind_dev> m_binds;
    BandClaim m_claim;
    Ui::WidgetCheck* ui;
};

#endif // WIDGETCHECK_H
