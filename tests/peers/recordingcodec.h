#ifndef RECORDINGCODEC_H
#define RECORDINGCODEC_H

#include "wirecodec.h"

#include <QList>
#include <QStringList>

#include <functional>

// A codec that keeps what it sends and writes every answer as one line, so a test compares
// whole conversations. `forward` (when set) carries each sent packet on, to a band model.
class RecordingCodec : public WireCodec
{
public:
    QList<QByteArray> sent;
    QStringList answers;
    QList<WireCodec::bs_pack> packs;  // long packs and firmware answers, in arrival order
    WireCodec::bs_reply_version version;
    std::function<void(const QByteArray&)> forward;

protected:
    bool sendPacket(const QByteArray& packet) override;
    void bhVersionReply(const WireCodec::bs_reply_version& reply) override;
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

private:
    void keepPack(const QString& kind, const WireCodec::bs_pack& pack);
};

#endif // RECORDINGCODEC_H
