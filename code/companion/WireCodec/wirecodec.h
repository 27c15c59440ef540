#ifndef WIRECODEC_H
#define WIRECODEC_H

#include "wirecodec_export.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <QString>

// The band's packet codec (docs/band-protocol.md). Builds the 20-byte packets the program sends
// and hands them to sendPacket; bhReceive classifies each packet the band sends and calls one
// answer hook. Not a QObject: the hub that derives from it turns the hooks into its signals.
class WIRECODEC_EXPORT WireCodec
{
public:
    enum BH_ERROR_TYPE : quint8 {
        BH_ERR_CRC = 1,
        BH_ERR_COMMAND = 2,
        BH_ERR_PARAM = 3,
        BH_ERR_DATE = 4,
        BH_ERR_ORDER = 5,
        BH_ERR_BUSY = 6,
        BH_ERR_FIRMWARE = 7,
        BH_ERR_LENGTH = 8
    };

    // Byte 0 of a packet.
    enum BH_CMD : quint8 {
        BH_CMD_VERSION = 0x01,
        BH_CMD_PARAM = 0x02,
        BH_CMD_STEP = 0x03,
        BH_CMD_SLEEP = 0x04,
        BH_CMD_CONTROL = 0x06,
        BH_CMD_FIRMWARE = 0x5A
    };

    // Byte 1 of a packet.
    enum BH_SUB : quint8 {
        BH_SUB_REQUEST = 0x01,
        BH_SUB_REPLY = 0x02,
        BH_SUB_SECOND = 0x03,
        BH_SUB_LONG = 0x05,
        BH_SUB_BITMAP = 0x06,
        BH_SUB_ERROR = 0x0E,
        BH_SUB_START = 0x11
    };

    static const int packetSize = 20;
    // Bytes 2-17: what a checked packet carries between its cmd/sub and its CRC.
    static const int bodySize = 16;
    // Bitmap bytes a re-send request has room for (slots 0 to 111).
    static const int wireBitmapSize = 14;

    // Numbers in host order; the offsets are those the readers of this record count with.
    struct bs_reply_version {
        quint16 version = 0;        // bytes 0-1: firmware version
        unsigned char id[8] = {};   // bytes 2-9: identity
        quint16 versionWord = 0;    // bytes 10-11: settings word
        char text[5] = {};          // bytes 12-16: model text, always closed by a zero
    };

    struct bs_reply_param {
        unsigned char id[8] = {};
        quint16 protocol = 0;
        quint16 firmware = 0;
        char type[5] = {};
    };

    struct bs_reply_sync_step {
        quint16 count = 0;  // blocks that follow
        QDate from;
        QDate to;
    };

    struct bs_reply_sync_sleep {
        quint16 count = 0;
        QDate from;
        QDate to;
    };

    // One long pack as it came: byte 2 the serial, bytes 3-19 the payload, 16-bit fields
    // big-endian (read them with bhWord).
    struct bs_pack {
        unsigned char data[20] = {};
    };

    struct bs_pack_error {
        quint8 cmd = 0;
        quint8 sub = 0;
        quint8 type = 0;
        char text[15] = {};
    };

    struct bs_long_ask_reply {
        quint16 block = 0;
        unsigned char bits[15] = {};  // bit i set: slot i is missing
    };

    struct bh_param_struct {
        QDateTime dt;
        qint32 stepTarget = 0;
        qint32 option1 = 0;
        qint32 option2 = 0;
        qint32 option3 = 0;
        quint16 versionWord = 0;
        quint8 gender = 0;
        quint16 age = 0;
        quint16 weight = 0;
        quint16 height = 0;
        quint8 flags = 0;
    };

    virtual ~WireCodec() = default;

    // CRC-16/CCITT-FALSE: polynomial 0x1021, initial 0xFFFF, no reflection, no final xor.
    // The one CRC of the whole system: band packets and the stored days alike.
    static quint16 crcCCITT(const QByteArray& bytes);
    // Bit index 0 is the lowest bit of bitmap[0].
    static void setBit(unsigned char* bitmap, const unsigned& index, const bool& value);
    // Registers every record under its qualified name ("WireCodec::bs_pack", ...).
    static void registerMetaTypes();

    // The big-endian 16-bit field at bytes offset and offset + 1.
    static quint16 bhWord(const unsigned char* bytes, const int& offset);
    static QString bhGetErrStr(const BH_ERROR_TYPE& type);
    // A day as three bytes: year - 2000, month, day. Reading an impossible day gives an invalid
    // QDate; writing refuses invalid days and years outside 2000 to 2255.
    static QDate bhDate(const unsigned char* bytes, const int& offset);
    static bool bhPutDate(unsigned char* bytes, const int& offset, const QDate& day);

    // A checked packet: cmd, sub, body (at most bodySize bytes, zero-filled), CRC of bytes 0-17.
    static QByteArray bhPacket(const quint8& cmd, const quint8& sub, const QByteArray& body);
    // Packets of the firmware group and of the long family carry no frame check.
    static bool bhIsChecked(const quint8& cmd, const quint8& sub);
    // 20 bytes, and a right CRC where the packet has one.
    static bool bhFrameValid(const QByteArray& packet);

    // Requests; each returns what sendPacket returned, false when it refused its arguments.
    virtual bool bhVersion();
    virtual bool bhParam(const bh_param_struct& param);
    virtual bool bhStep(const QDate& from, const QDate& to, const bs_reply_version& version);
    virtual bool bhSleep(const QDate& from, const QDate& to, const bs_reply_version& version);
    virtual bool bhAskRerecv(const bs_long_ask_reply& reply, const bs_reply_version& version);
    virtual bool bhLongPackCtr(const quint16& index, const bs_reply_version& version);
    // Hands one packet of the firmware group over as it is.
    virtual bool bhFirmwareSend(const bs_pack& pack);

    void bhSetVersion(const bs_reply_version& version);
    bs_reply_version bhGetVersion() const;

    // One packet from the band: true when an answer hook took it, false when it was dropped.
    bool bhReceive(const QByteArray& packet);

protected:
    // Carries one packet to the band; the base sends nothing.
    virtual bool sendPacket(const QByteArray& packet);

    // Answer hooks, one per kind of band packet; the base does nothing.
    virtual void bhVersionReply(const WireCodec::bs_reply_version& version);
    virtual void bhParamReply(const WireCodec::bs_reply_param& reply);
    virtual void bhStepReply(const WireCodec::bs_reply_sync_step& reply);
    virtual void bhStepLong(const WireCodec::bs_pack& pack);
    virtual void bhSleepReply(const WireCodec::bs_reply_sync_sleep& reply);
    virtual void bhSleepLong(const WireCodec::bs_pack& pack);
    virtual void bhAskRerecvReply(const quint16& index);
    virtual void bhErrorReply(const WireCodec::bs_pack_error& error);
    virtual void bhFirmRevReply(const WireCodec::bs_pack& pack);
    virtual void bhFirmwareLongReply(const WireCodec::bs_pack& pack);
    virtual void bhLongCtrReply(const WireCodec::bs_pack& pack);

private:
    bool sendDayRequest(const quint8& cmd, const QDate& from, const QDate& to);
    bool receiveFirmware(const QByteArray& packet);
    bool receiveLong(const QByteArray& packet);
    bool receiveReply(const QByteArray& packet);

    bs_reply_version m_version;
};

Q_DECLARE_METATYPE(WireCodec::bs_reply_version)
Q_DECLARE_METATYPE(WireCodec::bs_reply_param)
Q_DECLARE_METATYPE(WireCodec::bs_reply_sync_step)
Q_DECLARE_METATYPE(WireCodec::bs_reply_sync_sleep)
Q_DECLARE_METATYPE(WireCodec::bs_pack)
Q_DECLARE_METATYPE(WireCodec::bs_pack_error)
Q_DECLARE_METATYPE(WireCodec::bs_long_ask_reply)
Q_DECLARE_METATYPE(WireCodec::bh_param_struct)

#endif // WIRECODEC_H
