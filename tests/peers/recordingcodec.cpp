#include "recordingcodec.h"

namespace {

QString hex(const unsigned char* bytes, int size)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), size).toHex());
}

QString day(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QStringLiteral("invalid");
}

} // namespace

bool RecordingCodec::sendPacket(const QByteArray& packet)
{
    sent << packet;
    if (forward)
        forward(packet);
    return true;
}

void RecordingCodec::bhVersionReply(const WireCodec::bs_reply_version& reply)
{
    version = reply;
    answers << QStringLiteral("version v=%1 id=%2 word=%3 text=%4")
                   .arg(reply.version).arg(hex(reply.id, 8)).arg(reply.versionWord)
                   .arg(QLatin1String(reply.text));
}

void RecordingCodec::bhParamReply(const WireCodec::bs_reply_param& reply)
{
    answers << QStringLiteral("param id=%1 protocol=%2 firmware=%3 type=%4")
                   .arg(hex(reply.id, 8)).arg(reply.protocol).arg(reply.firmware)
                   .arg(QLatin1String(reply.type));
}

void RecordingCodec::bhStepReply(const WireCodec::bs_reply_sync_step& reply)
{
    answers << QStringLiteral("step count=%1 from=%2 to=%3")
                   .arg(reply.count).arg(day(reply.from), day(reply.to));
}

void RecordingCodec::bhSleepReply(const WireCodec::bs_reply_sync_sleep& reply)
{
    answers << QStringLiteral("sleep count=%1 from=%2 to=%3")
                   .arg(reply.count).arg(day(reply.from), day(reply.to));
}

void RecordingCodec::keepPack(const QString& kind, const WireCodec::bs_pack& pack)
{
    packs << pack;
    answers << QStringLiteral("%1 sn=%2 word=%3").arg(kind).arg(pack.data[2])
                   .arg(WireCodec::bhWord(pack.data, 3));
}

void RecordingCodec::bhStepLong(const WireCodec::bs_pack& pack)
{
    keepPack(QStringLiteral("stepLong"), pack);
}

void RecordingCodec::bhSleepLong(const WireCodec::bs_pack& pack)
{
    keepPack(QStringLiteral("sleepLong"), pack);
}

void RecordingCodec::bhAskRerecvReply(const quint16& index)
{
    answers << QStringLiteral("ask index=%1").arg(index);
}

void RecordingCodec::bhErrorReply(const WireCodec::bs_pack_error& error)
{
    answers << QStringLiteral("error cmd=%1 sub=%2 type=%3 text=%4")
                   .arg(error.cmd).arg(error.sub).arg(error.type).arg(QLatin1String(error.text));
}

void RecordingCodec::bhFirmRevReply(const WireCodec::bs_pack& pack)
{
    keepPack(QStringLiteral("firmRev"), pack);
}

void RecordingCodec::bhFirmwareLongReply(const WireCodec::bs_pack& pack)
{
    keepPack(QStringLiteral("firmwareLong"), pack);
}

void RecordingCodec::bhLongCtrReply(const WireCodec::bs_pack& pack)
{
    keepPack(QStringLiteral("longCtr"), pack);
}
