#ifndef COREHUB_H
#define COREHUB_H

#include "corehub_export.h"

#include "bandlink.h"
#include "cloudgate.h"
#include "localvault.h"
#include "wirecodec.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTimer>
#include <QUrl>

class CloudMirror;
class PortHarvest;

// The one object through which pages and the band sync reach the services: it carries cloud
// messages over the HTTP queue, adapter commands over the serial queue, band packets inside
// adapter writes and notifications, and re-emits every answer as one of its signals.
class COREHUB_EXPORT CoreHub : public CloudGate, public BandLink, public WireCodec, public LocalVault
{
    Q_OBJECT
public:
    explicit CoreHub(QObject* parent = nullptr);
    // Takes both carriers over; tests hand in their own.
    CoreHub(PortHarvest* port, CloudMirror* cloud, QObject* parent = nullptr);
    ~CoreHub() override;

    void setMainWin(void* window);
    void* mainWin() const;

    static QString version();
    QString LanguageString() const;
    QString appKey() const;
    static QString appSysType();
    // Scheme, host and port of the cloud the HTTP queue talks to: QUORIN_CLOUD_URL when set,
    // else the shipped address. For requests that bypass the queue, such as a web view's.
    static QUrl cloudAddress();

    // One day of the selected user. net false: the band's record as stored (onFdStepDay); net
    // true: the day as the charts show it, the stored record when this computer has data for
    // it, else the copy fetched from the cloud (onFdNetStepDay). answer false returns the
    // record only; true also sends it once from the event loop.
    LocalVault::step_mem_data fdStepDay(const QDate& day, const bool& answer, const bool& net);
    LocalVault::sleep_mem_data fdSleepDay(const QDate& day, const bool& answer, const bool& net);

    // Metres walked in that many steps, with a stride from the user's height.
    double sdCalcDist(const unsigned& steps) const;
    // Calories (1/1000 kcal) of walking that many metres at the user's weight.
    double sdCalcDefaultKcal(const double& metres) const;
    static int sdCalcStepTarget();
    static double sdCalcSleepTarget();
    // Body mass index of centimetres and kilograms; 0 without a height.
    static double getBmi(const unsigned short& height, const unsigned short& weight);
    // The same of figures with a fraction, as the cloud keeps them.
    static double sdCalcBmi(const double& height, const double& weight);

    // An adapter command with no answer after this long is answered as a failure.
    void setAdapterTimeout(const int& milliseconds);

    // The routes of all three service hooks: cloud ids, adapter codes and store progress codes
    // lie in ranges of their own.
    bool sendMsg(const unsigned& id, const QByteArray& body) override;

signals:
    void onUsbConn();
    void onUsbUnConn();
    void onUsbBusy(bool status, QString name);

    void onBcScan(QList<BandLink::at_devinfo> list);
    void onBcConn(bool state);
    void onBcDisconn(bool state);
    void onBcNotify(bool state);

    void onBhVersion(WireCodec::bs_reply_version version);
    void onBhParamReply(WireCodec::bs_reply_param reply);
    void onBhStep(WireCodec::bs_reply_sync_step step);
    void onBhStepLong(WireCodec::bs_pack pack);
    void onBhSleep(WireCodec::bs_reply_sync_sleep sleep);
    void onBhSleepLong(WireCodec::bs_pack pack);
    void onBhAskRerecv(quint16 index);
    void onBhError(WireCodec::bs_pack_error error);
    void onBhFirmRev(WireCodec::bs_pack pack);
    void onBhFirmwareLong(WireCodec::bs_pack pack);
    void onBhLongCtr(WireCodec::bs_pack pack);

    void onFdStepDay(LocalVault::step_mem_data day);
    void onFdSleepDay(LocalVault::sleep_mem_data day);
    void onFdNetStepDay(LocalVault::step_mem_data day);
    void onFdNetSleepDay(LocalVault::sleep_mem_data day);
    void onFdProcess(LocalVault::process progress);

    void onWinGotoScan();

public slots:
    // Announces whether the adapter is there, then scans.
    void on_usbUpdate();

protected:
    bool sendPacket(const QByteArray& packet) override;

    void bhVersionReply(const WireCodec::bs_reply_version& version) override;
    void bhParamReply(const WireCodec::bs_reply_param& reply) override;
    void bhStepReply(const WireCodec::bs_reply_sync_step& reply) override;
    void bhStepLong(const WireCodec::bs_pack& pack) override;
    void bhSleepReply(const WireCodec::bs_reply_sync_sleep& reply) override;
    void bhSleepLong(const WireCodec::bs_pack& pack) override;
    void bhAskRerecvReply(const quint16& index) override;
    void bhErrorReply(const WireCodec::bs_pack_error& error) override;
    void bhFirmRevReply(const WireCodec::bs_pack& pack) override;
    void bhFirmwareLongReply(const WireCodec::bs_pack& pack) override;
    void bhLongCtrReply(const WireCodec::bs_pack& pack) override;

private slots:
    void on_PortExist(bool status);
    void on_PortBusy(bool status, QString name);
    void on_PortRecv(int tag, QByteArray data);
    void on_CloudDownload(int tag, QByteArray data);
    void on_AdapterTimeout();

private:
    struct adapter_command {
        unsigned code = 0;
        QByteArray line;
    };

    void attachCarriers();
    void initAdapterQueue();
    bool sendCloud(const unsigned& id, const QByteArray& body);
    bool sendAdapter(const unsigned& code, const QByteArray& line);
    bool sendProgress(const unsigned& code, const QByteArray& data);
    bool takeCloudDay(const unsigned& id, const QByteArray& body);

    bool adapterPresent() const;
    void startNextCommand();
    void writeCurrentCommand();
    void takeMessage(const QByteArray& message);
    void takeNotification(const QByteArray& message);
    void finishCommand(const QByteArray& reply);
    void answerCommand(const unsigned& code, const QByteArray& reply);
    void failAllCommands();
    void loseLink();
    // Sends the record once from the event loop, so the caller has returned first.
    template <typename Day>
    void answerDay(const Day& record, void (CoreHub::*signal)(Day));

    double userHeight() const;
    double userWeight() const;

    PortHarvest* m_port = nullptr;
    CloudMirror* m_cloud = nullptr;
    void* m_mainWin = nullptr;

    QList<adapter_command> m_commands;  // the first one is outstanding
    bool m_commandWritten = false;
    QTimer m_adapterTimer;
    bool m_adapterPresent = false;
    bool m_portBusyKnown = false;
    bool m_portBusy = false;
    QString m_portName;
    QByteArray m_staleWord;  // reply word of the command that timed out last
};

#endif // COREHUB_H
