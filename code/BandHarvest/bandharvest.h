#ifndef BANDHARVEST_H
#define BANDHARVEST_H

#include "bandharvest_export.h"

#include "attribute.h"
#include "bandlink.h"
#include "cloudgate.h"
#include "localvault.h"
#include "wirecodec.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QObject>
#include <QSet>
#include <QString>

class QTimer;

// One synchronisation of the bound band: the missing days of the last eleven are pulled from
// the band, stored, and uploaded. Event driven: each stage connects the hub signal that answers
// it, sends its request and returns.
class BANDHARVEST_EXPORT BandHarvest : public QObject, public Attribute
{
    Q_OBJECT
public:
    // 2, 4, 6 and 8 lie in the range but are never reported.
    enum STATUS {
        STATUS_NO_HUB = 0,
        STATUS_NOTIFY_FAIL = 1,
        STATUS_SEARCH = 3,
        STATUS_CONNECT = 5,
        STATUS_PARAM_FAIL = 7,
        STATUS_STEP_STAGE = 9,
        STATUS_SLEEP_STAGE = 10,
        STATUS_BAND_LOST = 11,
        STATUS_DEVICE = 12,
        STATUS_SERVER_DATA = 13,
        STATUS_UPLOAD = 14,
        STATUS_DONE = 15
    };
    Q_ENUM(STATUS)

    // One slot of a block: the long pack that fills it, as it came.
    struct step_dat {
        bool isRecv = false;
        unsigned char pack[20] = {};
    };
    using sleep_dat = step_dat;

    // One block of a day: its slots and, once checked, its bytes (head payload and data).
    struct step_day_dat {
        bool isValid = false;
        QList<step_dat> dat;
        QByteArray data;
    };
    using sleep_day_dat = step_day_dat;

    explicit BandHarvest(QObject* parent = nullptr);
    ~BandHarvest() override;

    virtual bool stop();
    virtual bool sync();
    virtual bool setDevId(const CloudGate::ns_bind_dev& dev);
    bool setMsg(CoreHub* msg) override;

    // Tests shorten these; the band needs the defaults.
    void setConnectPause(const int& milliseconds);
    void setRequestInterval(const int& milliseconds);

signals:
    void onStatus(BandHarvest::STATUS status, QString prompt);

protected slots:
    void on_NsGetHealthNum(CloudGate::ns_get_bmi_detail bmi, CloudGate::ns_ret_code returnCode, QString returnMsg);
    void on_BhParamReply(WireCodec::bs_reply_param param_reply);
    void on_btSleepTimer();
    void on_btStepTimer();
    void on_NsDateSync(CloudGate::ns_ret_code returnCode, QString returnMsg);
    void on_FdStepDay(LocalVault::step_mem_data d);
    void on_FdSleepDay(LocalVault::sleep_mem_data d);
    void on_BcScan(QList<BandLink::at_devinfo> list);
    void on_UsbConn();
    void on_UsbUnConn();
    void on_BcConn(bool state);
    void on_BcDisconn(bool state);
    void on_BcNotify(bool state);
    void on_BhVersion(WireCodec::bs_reply_version version);
    void on_BhStep(WireCodec::bs_reply_sync_step step);
    void on_BhStepLong(WireCodec::bs_pack pack);
    void on_BhSleep(WireCodec::bs_reply_sync_sleep sleep);
    void on_BhSleepLong(WireCodec::bs_pack pack);
    void on_BhAskStepRerecv(quint16 index);
    void on_BhAskSleepRerecv(quint16 index);
    void on_BhError(WireCodec::bs_pack_error error);

private slots:
    void on_BandSilent();

protected:
    QDate needBtStepData() const;
    QDate needBtSleepData() const;
    // True while the phase holds the run: a request went out, or a failed send ended the run.
    bool syncBtStep();
    bool syncBtSleep();
    void initStep(const ushort& count);
    void initSleep(const ushort& count);
    QList<step_dat> initStepPack(const ushort& n);
    QList<sleep_dat> initSleepPack(const ushort& n);
    bool checkStepLongPack(const QList<step_dat>& dat, WireCodec::bs_long_ask_reply* reply, QByteArray* out);
    bool checkSleepLongPack(const QList<sleep_dat>& dat, WireCodec::bs_long_ask_reply* reply, QByteArray* out);
    bool recvStepLongPack(const ushort& di, step_day_dat& block);
    bool recvSleepLongPack(const ushort& di, sleep_day_dat& block);
    bool saveStepToDisk();
    bool saveSleepToDisk();
    bool syncNetStep();
    void syncDone();

private:
    enum KIND { KIND_STEP = 0, KIND_SLEEP = 1 };

    // What one kind's transfer of the current day has seen, beyond the blocks themselves.
    struct day_pull {
        bool final = false;    // the pack that ends the day's transfer has come
        bool orphan = false;   // a head pack was refused: the packs after it belong to no block
        bool resend = false;   // a block's missing packs were asked for and not yet checked
        int asks = 0;          // re-send requests still without an answer
        int resends = 0;       // blocks re-sent for the day asked for last
        QDate day;             // the day asked for last
        QList<quint16> resendQueue;  // blocks the band offered to re-send, one at a time
        QMap<QDate, int> requests;
        QSet<QDate> givenUp;   // asked too often without getting the day: not again this run
    };

    void status(const STATUS& code, const QString& prompt);
    void endRun();
    void bandLost();
    void watchBand(const bool& on);
    void startBandPhase();
    void linkReplies(const KIND& kind, const bool& on);
    void linkPacks(const KIND& kind, const bool& on);
    void linkAsks(const KIND& kind, const bool& on);

    QList<step_day_dat>& blocksOf(const KIND& kind);
    quint16& blockOf(const KIND& kind);
    QTimer*& timerOf(const KIND& kind);
    void restartTimer(const KIND& kind);
    void leavePhase(const KIND& kind);
    QDate missingDay(const KIND& kind) const;
    // The store's record of a day: its table entry, and its bytes in raw.
    LocalVault::table_entry storedDay(const KIND& kind, const QDate& day, QByteArray* raw);
    void markReceived(const KIND& kind, const QDate& day);

    bool requestDay(const KIND& kind);
    void takeDayReply(const KIND& kind, const quint16& count, const QDate& from);
    void takePack(const KIND& kind, const WireCodec::bs_pack& pack);
    bool takeHeadPack(const KIND& kind, const WireCodec::bs_pack& pack);
    bool recvLongPack(const KIND& kind, const ushort& di);
    void reportBlock(const KIND& kind, const int& di, const bool& ok);
    void finishDay(const KIND& kind);
    void takeAskAnswer(const KIND& kind, const quint16& index);
    void startNextResend(const KIND& kind);
    void nextRequest(const KIND& kind);
    bool saveToDisk(const KIND& kind);
    bool allBlocksValid(const KIND& kind);
    QByteArray joinBlocks(const KIND& kind, const QByteArray& first, const QByteArray& next) const;

    QTimer* m_sleepTimer = nullptr;
    QTimer* m_stepTimer = nullptr;
    CloudGate::ns_bind_dev m_dev;
    bool m_scanArmed = false;
    QList<step_day_dat> m_step;
    quint16 m_stepBlock = 0;
    unsigned char m_packType[4] = {};
    QMap<QDate, LocalVault::step_mem_data> m_stepDays;
    quint16 m_stepDayCount = 0;
    quint16 m_stepDayAnswers = 0;
    QList<QDate> m_stepSent;
    QList<sleep_day_dat> m_sleep;
    quint16 m_sleepBlock = 0;
    QMap<QDate, LocalVault::sleep_mem_data> m_sleepDays;
    quint16 m_sleepDayCount = 0;
    quint16 m_sleepDayAnswers = 0;
    QList<QDate> m_sleepSent;
    WireCodec::bh_param_struct m_param;

    bool m_running = false;
    bool m_closingLink = false;  // a link left up by an earlier run is being closed quietly
    int m_scanMisses = 0;        // scan results without the band
    day_pull m_pull[2];
    QTimer* m_bandTimer = nullptr;  // the band's version and parameter answers
    int m_connectPause = 3000;
    int m_requestInterval = 3000;
};

Q_DECLARE_METATYPE(BandHarvest::STATUS)

#endif // BANDHARVEST_H
