#ifndef LINEWIDGETPAGEPAIRING_H
#define LINEWIDGETPAGEPAIRING_H

#include "attribute.h"
#include "wirecodec.h"

#include <QString>
#include <QWidget>

class QPixmap;
class QTimer;
class TapCaption;

namespace Ui {
class LineWidgetPagePairing;
}

// One band of the pairing list. On request it reads the band's device id over the radio:
// disconnect, connect by scan position, notifications on, version, disconnect; every stage is
// guarded by one 10 s timer and every end of the run is reported by onGetDevice.
class LineWidgetPagePairing : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit LineWidgetPagePairing(QWidget* parent = nullptr);
    ~LineWidgetPagePairing() override;

    bool setMsg(CoreHub* msg) override;

    void setData(const QPixmap& ico, const QString& name, const QString& address, const QString& number,
                 const QString& buttonText, const bool& enabled);
    void setTag(const int& tag);
    void setIco(const QPixmap& ico);
    const QString& address() const;
    void setButtonEnabled(const bool& enabled);

    // The device id of a version reply: its eight identity bytes as 16 upper-case hex digits.
    static QString deviceId(const WireCodec::bs_reply_version& version);

signals:
    void onBindClick(LineWidgetPagePairing* w);
    void onGetDevice(bool state);
    void onButton(TapCaption* bt, QString address, QString number, qint32 tag);

public slots:
    void on_BindClick();

protected slots:
    void getDevice(const bool& state);
    void on_DisconTimerOut();
    void on_ConnectTimerOut();
    void on_NotifyTimerOut();
    void on_VersionTimerOut();
    void on_BcNotify(const bool& state);
    void on_BcConn(const bool& state);
    void on_BcDisconn1(const bool& state);
    void on_BcDisconn(const bool& state);
    void on_BhVersion(const WireCodec::bs_reply_version& version);
    void on_ButtonClick();

private:
    // Points the stage timer from one time-out slot to the next and starts the 10 s afresh.
    void aimTimer(const char* from, const char* to);
    void stopTimer(const char* from);
    void showStatus(const QString& text);
    // A failure once the band may be linked: the link must not outlive the run.
    void failLinked(const QString& text);

    Ui::LineWidgetPagePairing* ui;
    qint32 m_tag = -1;
    QString m_address;
    QString m_number;
    QTimer* m_timer = nullptr;
};

#endif // LINEWIDGETPAGEPAIRING_H
