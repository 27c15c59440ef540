#ifndef SIMBAND_H
#define SIMBAND_H

#include "wirecodec.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

// Failures a real band shows; a test switches one on with setFault. DropPack, DropPackEveryBlock,
// CorruptBlockCrc,
// LinkLostMidBlock, BadBlockNumber, OversizedBlock and BadResendIndex strike once, in the first
// block sent after they were set; RefuseFirmwarePack and LinkLostMidFirmware strike once, in the
// first firmware transfer that reaches their long pack; the others last until the fault is changed.
enum class BandFault {
    None,
    RefuseConnect,     // the adapter's connect fails
    RefuseNotify,      // the adapter's notification switch fails
    DropPack,          // parameter: serial of the pack left out (default 2), plus 256 per block for a later block
    DropPackEveryBlock, // parameter: serial of the pack left out of every block of one reply (default 2)
    CorruptBlockCrc,   // the head pack carries a wrong block CRC
    Silent,            // the band answers no packet at all
    LinkLostMidBlock,  // parameter: serial after which the link drops (default 2)
    ErrorPacket,       // parameter: error type of the report that answers every packet (default 6)
    BadBlockNumber,    // the head pack names a block the reply does not have
    OversizedBlock,    // the head pack announces more data than a re-send request can cover
    BadResendIndex,    // pack 2 (or the parameter) is left out and the re-send answer names a block beyond the reply
    RefuseFirmwareStart, // every firmware start packet is answered with error 7
    RefuseFirmwarePack,  // parameter: index of the long pack acknowledged as wrong (default 1)
    LinkLostMidFirmware  // parameter: index of the long pack whose header drops the link (default 2)
};

struct SimSleepItem {
    quint16 start = 0;   // minutes from 00:00 of the night's first day
    quint8 minutes = 0;
    quint8 code = 0;     // 0-2 deep, 3-5 light, 6 and above awake
};

// Who the band is: what it reports in scans, version and parameter replies.
struct SimBandInfo {
    QString name = QStringLiteral("QB-Band");
    QString address = QStringLiteral("C4:7F:51:00:12:34");
    quint16 firmware = 0x0103;
    QByteArray identity = QByteArray::fromHex("0123456789ABCDEF");
    quint16 settingsWord = 0x0001;
    QByteArray model = QByteArrayLiteral("QB01");
    int rssi = -60;
    // A day with more items travels as several blocks of the same date.
    int itemsPerBlock = 255;
    // The answer to a re-send request goes out at the next connection event, ahead of the
    // blocks of the reply still on the air.
    bool answersEarly = false;
};

// The band behind the simulated adapter: takes one packet at a time and says what it puts on
// the air in answer (docs/band-protocol.md). No timing here; the adapter paces the answer.
class SimBand
{
public:
    struct Answer {
        QList<QByteArray> packets;
        bool linkLost = false;  // the link drops after the packets
        bool urgent = false;    // goes on the air ahead of packets still waiting there
    };

    SimBandInfo info;

    bool setStepDay(const QDate& day, const quint8& interval, const QList<quint16>& steps);
    bool setSleepDay(const QDate& day, const QList<SimSleepItem>& items);
    // Fills `count` days up to `last` with steps and a night each, the same for the same dates.
    void generateDays(const QDate& last, const int& count);
    QList<quint16> stepDay(const QDate& day) const;
    quint8 stepInterval(const QDate& day) const;
    QList<SimSleepItem> sleepDay(const QDate& day) const;
    // The bytes the program keeps of a day that travelled as one block: the head pack's
    // payload, then the data.
    QByteArray storedDay(const quint8& cmd, const QDate& day) const;

    void setFault(const BandFault& fault, const int& parameter = 0);
    BandFault fault() const;

    Answer receive(const QByteArray& packet);

    // What the band took from the last complete parameter write.
    bool hasParameters() const;
    WireCodec::bh_param_struct parameters() const;
    // The last firmware image the band installed.
    QByteArray firmware() const;
    // The packets the band has received, in order.
    QList<QByteArray> received() const;

private:
    struct StepDay {
        quint8 interval = 0;
        QList<quint16> steps;
    };
    struct Block {
        quint16 number = 0;
        QList<QByteArray> packs;  // slot order, last slot with its final serial
    };
    struct FirmwareState {
        bool active = false;
        bool finished = false;
        bool failed = false;
        bool packOpen = false;
        quint32 size = 0;
        quint16 crc = 0;
        quint16 nextIndex = 1;
        quint16 packLength = 0;
        quint16 packCrc = 0;
        QByteArray pack;
        QByteArray image;
    };

    Answer dispatch(const QByteArray& packet);
    Answer versionReply() const;
    Answer paramFirst(const QByteArray& packet);
    Answer paramSecond(const QByteArray& packet);
    Answer dayRequest(const QByteArray& packet);
    Answer resendBitmap(const QByteArray& packet);
    Answer packReRequest(const QByteArray& packet);
    Answer firmwareStart(const QByteArray& packet);
    Answer firmwarePack(const QByteArray& packet);
    Answer firmwareControl(const QByteArray& packet);
    Answer sendBlocks(const QByteArray& reply);
    // Items first to first + count - 1 of a day, as one block's data and head fields.
    QByteArray dayData(const quint8& cmd, const QDate& day, const int& first, const int& count,
                       QByteArray* head) const;
    Block makeBlock(const quint8& cmd, const quint16& number, const QDate& day, const int& first,
                    const int& count, const bool& last) const;
    int itemCount(const quint8& cmd, const QDate& day) const;
    const Block* findBlock(const quint16& number) const;
    bool strikeOnce(const BandFault& fault);
    // The long pack a firmware fault strikes: the fault's parameter, or the fallback.
    int faultPack(const int& fallback) const;

    static Answer error(const QByteArray& packet, const WireCodec::BH_ERROR_TYPE& type);
    static Answer one(const QByteArray& packet);

    QMap<QDate, StepDay> m_steps;
    QMap<QDate, QList<SimSleepItem>> m_sleeps;
    BandFault m_fault = BandFault::None;
    int m_faultParameter = 0;
    bool m_faultSpent = false;
    QList<QByteArray> m_received;

    QByteArray m_paramFirst;
    bool m_hasParameters = false;
    WireCodec::bh_param_struct m_parameters;

    QList<Block> m_transfer;
    QMap<quint16, QByteArray> m_bitmaps;

    FirmwareState m_fw;
    QByteArray m_firmware;
};

#endif // SIMBAND_H
