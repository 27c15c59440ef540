#include "wirecodec.h"

#include "trace.h"

#include <QtEndian>

#include <cstring>

namespace {

const unsigned char* bytesOf(const QByteArray& packet)
{
    return reinterpret_cast<const unsigned char*>(packet.constData());
}

unsigned char* bytesOf(QByteArray& packet)
{
    return reinterpret_cast<unsigned char*>(packet.data());
}

// Copies a band text of `size` bytes and closes it, whether or not the band did.
void copyText(char* target, const unsigned char* source, const int& size)
{
    std::memcpy(target, source, size_t(size));
    target[size] = '\0';
}

WireCodec::bs_pack toPack(const QByteArray& packet)
{
    WireCodec::bs_pack pack;
    std::memcpy(pack.data, packet.constData(), sizeof(pack.data));
    return pack;
}

template <typename DayReply>
DayReply toDayReply(const unsigned char* bytes)
{
    DayReply reply;
    reply.count = WireCodec::bhWord(bytes, 2);
    reply.from = WireCodec::bhDate(bytes, 4);
    reply.to = WireCodec::bhDate(bytes, 7);
    return reply;
}

} // namespace

quint16 WireCodec::crcCCITT(const QByteArray& bytes)
{
    quint16 crc = 0xFFFF;
    for (const char byte : bytes) {
        crc ^= quint16(quint8(byte)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

void WireCodec::setBit(unsigned char* bitmap, const unsigned& index, const bool& value)
{
    const unsigned char mask = static_cast<unsigned char>(1u << (index % 8));
    if (value)
        bitmap[index / 8] |= mask;
    else
        bitmap[index / 8] &= static_cast<unsigned char>(~mask);
}

void WireCodec::registerMetaTypes()
{
    qRegisterMetaType<WireCodec::bs_reply_version>("WireCodec::bs_reply_version");
    qRegisterMetaType<WireCodec::bs_reply_param>("WireCodec::bs_reply_param");
    qRegisterMetaType<WireCodec::bs_reply_sync_step>("WireCodec::bs_reply_sync_step");
    qRegisterMetaType<WireCodec::bs_reply_sync_sleep>("WireCodec::bs_reply_sync_sleep");
    qRegisterMetaType<WireCodec::bs_pack>("WireCodec::bs_pack");
    qRegisterMetaType<WireCodec::bs_pack_error>("WireCodec::bs_pack_error");
    qRegisterMetaType<WireCodec::bs_long_ask_reply>("WireCodec::bs_long_ask_reply");
    qRegisterMetaType<WireCodec::bh_param_struct>("WireCodec::bh_param_struct");
}

quint16 WireCodec::bhWord(const unsigned char* bytes, const int& offset)
{
    return qFromBigEndian<quint16>(bytes + offset);
}

QString WireCodec::bhGetErrStr(const BH_ERROR_TYPE& type)
{
    switch (type) {
    case BH_ERR_CRC: return QStringLiteral("校验错误");
    case BH_ERR_COMMAND: return QStringLiteral("未知命令");
    case BH_ERR_PARAM: return QStringLiteral("参数错误");
    case BH_ERR_DATE: return QStringLiteral("日期错误");
    case BH_ERR_ORDER: return QStringLiteral("顺序错误");
    case BH_ERR_BUSY: return QStringLiteral("设备忙");
    case BH_ERR_FIRMWARE: return QStringLiteral("固件错误");
    case BH_ERR_LENGTH: return QStringLiteral("长度错误");
    }
    return QStringLiteral("未知错误");
}

QDate WireCodec::bhDate(const unsigned char* bytes, const int& offset)
{
    return QDate(2000 + bytes[offset], bytes[offset + 1], bytes[offset + 2]);
}

bool WireCodec::bhPutDate(unsigned char* bytes, const int& offset, const QDate& day)
{
    if (!day.isValid() || day.year() < 2000 || day.year() > 2255)
        return false;
    bytes[offset] = static_cast<unsigned char>(day.year() - 2000);
    bytes[offset + 1] = static_cast<unsigned char>(day.month());
    bytes[offset + 2] = static_cast<unsigned char>(day.day());
    return true;
}

QByteArray WireCodec::bhPacket(const quint8& cmd, const quint8& sub, const QByteArray& body)
{
    QByteArray packet(packetSize, '\0');
    packet[0] = char(cmd);
    packet[1] = char(sub);
    packet.replace(2, qMin(body.size(), int(bodySize)), body.left(bodySize));
    qToBigEndian<quint16>(crcCCITT(packet.left(packetSize - 2)), bytesOf(packet) + packetSize - 2);
    return packet;
}

bool WireCodec::bhIsChecked(const quint8& cmd, const quint8& sub)
{
    return cmd != BH_CMD_FIRMWARE && sub != BH_SUB_LONG;
}

bool WireCodec::bhFrameValid(const QByteArray& packet)
{
    if (packet.size() != packetSize)
        return false;
    if (!bhIsChecked(quint8(packet[0]), quint8(packet[1])))
        return true;
    return crcCCITT(packet.left(packetSize - 2)) == bhWord(bytesOf(packet), packetSize - 2);
}

bool WireCodec::bhVersion()
{
    return sendPacket(bhPacket(BH_CMD_VERSION, BH_SUB_REQUEST, QByteArray()));
}

bool WireCodec::bhParam(const bh_param_struct& param)
{
    QByteArray first(bodySize, '\0');
    unsigned char* head = bytesOf(first);
    if (!param.dt.isValid() || !bhPutDate(head, 0, param.dt.date())) {
        QLOG << "parameters refused, dt=" << param.dt;
        return false;
    }
    const QTime time = param.dt.time();
    head[3] = static_cast<unsigned char>(time.hour());
    head[4] = static_cast<unsigned char>(time.minute());
    head[5] = static_cast<unsigned char>(time.second());
    qToBigEndian<qint32>(param.stepTarget, head + 6);
    qToBigEndian<quint16>(param.versionWord, head + 10);
    head[12] = param.gender;
    head[13] = param.flags;
    qToBigEndian<quint16>(param.age, head + 14);

    QByteArray second(bodySize, '\0');
    unsigned char* tail = bytesOf(second);
    qToBigEndian<quint16>(param.weight, tail);
    qToBigEndian<quint16>(param.height, tail + 2);
    qToBigEndian<qint32>(param.option1, tail + 4);
    qToBigEndian<qint32>(param.option2, tail + 8);
    qToBigEndian<qint32>(param.option3, tail + 12);

    return sendPacket(bhPacket(BH_CMD_PARAM, BH_SUB_REQUEST, first))
        && sendPacket(bhPacket(BH_CMD_PARAM, BH_SUB_SECOND, second));
}

bool WireCodec::sendDayRequest(const quint8& cmd, const QDate& from, const QDate& to)
{
    QByteArray body(6, '\0');
    if (from > to || !bhPutDate(bytesOf(body), 0, from) || !bhPutDate(bytesOf(body), 3, to)) {
        QLOG << "day request refused, from=" << from << ",to=" << to;
        return false;
    }
    return sendPacket(bhPacket(cmd, BH_SUB_REQUEST, body));
}

// One protocol generation so far: the version decides nothing in the requests yet.
bool WireCodec::bhStep(const QDate& from, const QDate& to, const bs_reply_version& version)
{
    Q_UNUSED(version)
    return sendDayRequest(BH_CMD_STEP, from, to);
}

bool WireCodec::bhSleep(const QDate& from, const QDate& to, const bs_reply_version& version)
{
    Q_UNUSED(version)
    return sendDayRequest(BH_CMD_SLEEP, from, to);
}

bool WireCodec::bhAskRerecv(const bs_long_ask_reply& reply, const bs_reply_version& version)
{
    Q_UNUSED(version)
    if (reply.bits[wireBitmapSize] != 0) {
        QLOG << "re-send request refused, slots beyond the wire bitmap, block=" << reply.block;
        return false;
    }
    QByteArray body(2 + wireBitmapSize, '\0');
    qToBigEndian<quint16>(reply.block, bytesOf(body));
    std::memcpy(bytesOf(body) + 2, reply.bits, wireBitmapSize);
    return sendPacket(bhPacket(BH_CMD_CONTROL, BH_SUB_BITMAP, body));
}

bool WireCodec::bhLongPackCtr(const quint16& index, const bs_reply_version& version)
{
    Q_UNUSED(version)
    QByteArray packet(packetSize, '\0');
    packet[0] = char(BH_CMD_CONTROL);
    packet[1] = char(BH_SUB_LONG);
    qToBigEndian<quint16>(index, bytesOf(packet) + 3);
    return sendPacket(packet);
}

bool WireCodec::bhFirmwareSend(const bs_pack& pack)
{
    if (pack.data[0] != BH_CMD_FIRMWARE) {
        QLOG << "not a firmware packet, cmd=" << pack.data[0];
        return false;
    }
    return sendPacket(QByteArray(reinterpret_cast<const char*>(pack.data), packetSize));
}

void WireCodec::bhSetVersion(const bs_reply_version& version)
{
    m_version = version;
}

WireCodec::bs_reply_version WireCodec::bhGetVersion() const
{
    return m_version;
}

bool WireCodec::bhReceive(const QByteArray& packet)
{
    if (!bhFrameValid(packet)) {
        QLOG << "dropped malformed packet:" << packet.toHex();
        return false;
    }
    const unsigned char* bytes = bytesOf(packet);
    if (bytes[1] == BH_SUB_ERROR) {
        bs_pack_error error;
        error.cmd = bytes[0];
        error.sub = bytes[2];
        error.type = bytes[3];
        copyText(error.text, bytes + 4, sizeof(error.text) - 1);
        bhErrorReply(error);
        return true;
    }
    if (bytes[0] == BH_CMD_FIRMWARE)
        return receiveFirmware(packet);
    if (bytes[1] == BH_SUB_LONG)
        return receiveLong(packet);
    if (bytes[1] == BH_SUB_REPLY)
        return receiveReply(packet);
    QLOG << "dropped unknown packet:" << packet.toHex();
    return false;
}

bool WireCodec::receiveFirmware(const QByteArray& packet)
{
    const unsigned char* bytes = bytesOf(packet);
    if (bytes[1] == BH_SUB_START) {
        bhFirmRevReply(toPack(packet));
        return true;
    }
    if (bytes[1] == BH_SUB_LONG && bytes[2] == 0x00) {
        bhLongCtrReply(toPack(packet));
        return true;
    }
    if (bytes[1] == BH_SUB_LONG && (bytes[2] == 0xFE || bytes[2] == 0xFF)) {
        bhFirmwareLongReply(toPack(packet));
        return true;
    }
    QLOG << "dropped unknown firmware packet:" << packet.toHex();
    return false;
}

bool WireCodec::receiveLong(const QByteArray& packet)
{
    switch (quint8(packet[0])) {
    case BH_CMD_STEP:
        bhStepLong(toPack(packet));
        return true;
    case BH_CMD_SLEEP:
        bhSleepLong(toPack(packet));
        return true;
    }
    QLOG << "dropped unknown long pack:" << packet.toHex();
    return false;
}

bool WireCodec::receiveReply(const QByteArray& packet)
{
    const unsigned char* bytes = bytesOf(packet);
    switch (bytes[0]) {
    case BH_CMD_VERSION: {
        bs_reply_version version;
        version.version = bhWord(bytes, 2);
        std::memcpy(version.id, bytes + 4, sizeof(version.id));
        version.versionWord = bhWord(bytes, 12);
        copyText(version.text, bytes + 14, sizeof(version.text) - 1);
        bhVersionReply(version);
        return true;
    }
    case BH_CMD_PARAM: {
        bs_reply_param reply;
        std::memcpy(reply.id, bytes + 2, sizeof(reply.id));
        reply.protocol = bhWord(bytes, 10);
        reply.firmware = bhWord(bytes, 12);
        copyText(reply.type, bytes + 14, sizeof(reply.type) - 1);
        bhParamReply(reply);
        return true;
    }
    case BH_CMD_STEP:
        bhStepReply(toDayReply<bs_reply_sync_step>(bytes));
        return true;
    case BH_CMD_SLEEP:
        bhSleepReply(toDayReply<bs_reply_sync_sleep>(bytes));
        return true;
    case BH_CMD_CONTROL:
        bhAskRerecvReply(bhWord(bytes, 2));
        return true;
    }
    QLOG << "dropped unknown reply:" << packet.toHex();
    return false;
}

bool WireCodec::sendPacket(const QByteArray& packet)
{
    Q_UNUSED(packet)
    return false;
}

void WireCodec::bhVersionReply(const WireCodec::bs_reply_version&) {}
void WireCodec::bhParamReply(const WireCodec::bs_reply_param&) {}
void WireCodec::bhStepReply(const WireCodec::bs_reply_sync_step&) {}
void WireCodec::bhStepLong(const WireCodec::bs_pack&) {}
void WireCodec::bhSleepReply(const WireCodec::bs_reply_sync_sleep&) {}
void WireCodec::bhSleepLong(const WireCodec::bs_pack&) {}
void WireCodec::bhAskRerecvReply(const quint16&) {}
void WireCodec::bhErrorReply(const WireCodec::bs_pack_error&) {}
void WireCodec::bhFirmRevReply(const WireCodec::bs_pack&) {}
void WireCodec::bhFirmwareLongReply(const WireCodec::bs_pack&) {}
void WireCodec::bhLongCtrReply(const WireCodec::bs_pack&) {}
