#include "simband.h"

#include <QRandomGenerator>
#include <QtEndian>

namespace {

const int payloadSize = 17;
const int maxItems = 255;
const quint32 maxImage = 262144;
const quint16 firmwarePackSize = 1020;

unsigned char* bytesOf(QByteArray& packet)
{
    return reinterpret_cast<unsigned char*>(packet.data());
}

const unsigned char* bytesOf(const QByteArray& packet)
{
    return reinterpret_cast<const unsigned char*>(packet.constData());
}

QByteArray word(const quint16& value)
{
    QByteArray bytes(2, '\0');
    qToBigEndian<quint16>(value, bytesOf(bytes));
    return bytes;
}

QByteArray longPack(const quint8& cmd, const quint8& serial, const QByteArray& payload)
{
    QByteArray pack(WireCodec::packetSize, '\0');
    pack[0] = char(cmd);
    pack[1] = char(WireCodec::BH_SUB_LONG);
    pack[2] = char(serial);
    pack.replace(3, qMin(payload.size(), payloadSize), payload.left(payloadSize));
    return pack;
}

QByteArray errorText(const WireCodec::BH_ERROR_TYPE& type)
{
    switch (type) {
    case WireCodec::BH_ERR_CRC: return QByteArrayLiteral("crc");
    case WireCodec::BH_ERR_COMMAND: return QByteArrayLiteral("command");
    case WireCodec::BH_ERR_PARAM: return QByteArrayLiteral("parameter");
    case WireCodec::BH_ERR_DATE: return QByteArrayLiteral("date");
    case WireCodec::BH_ERR_ORDER: return QByteArrayLiteral("order");
    case WireCodec::BH_ERR_BUSY: return QByteArrayLiteral("busy");
    case WireCodec::BH_ERR_FIRMWARE: return QByteArrayLiteral("firmware");
    case WireCodec::BH_ERR_LENGTH: return QByteArrayLiteral("length");
    }
    return QByteArrayLiteral("error");
}

} // namespace

bool SimBand::setStepDay(const QDate& day, const quint8& interval, const QList<quint16>& steps)
{
    if (!day.isValid() || interval == 0 || steps.size() > maxItems)
        return false;
    m_steps[day] = StepDay{interval, steps};
    return true;
}

bool SimBand::setSleepDay(const QDate& day, const QList<SimSleepItem>& items)
{
    if (!day.isValid() || items.size() > maxItems)
        return false;
    m_sleeps[day] = items;
    return true;
}

void SimBand::generateDays(const QDate& last, const int& count)
{
    for (QDate day = last.addDays(1 - count); day <= last; day = day.addDays(1)) {
        QRandomGenerator random(quint32(day.toJulianDay()));
        QList<quint16> steps;
        for (int slot = 0; slot < 96; ++slot) {
            const bool awake = slot >= 28 && slot < 90;
            steps << (awake ? quint16(random.bounded(20, 900)) : quint16(0));
        }
        setStepDay(day, 15, steps);

        QList<SimSleepItem> night;
        quint16 start = quint16(1320 + random.bounded(0, 60));
        const quint8 codes[] = {4, 1, 3, 0, 5, 2, 7, 4, 1, 3};
        for (const quint8 code : codes) {
            const quint8 minutes = quint8(random.bounded(20, 80));
            night << SimSleepItem{start, minutes, code};
            start = quint16(start + minutes);
        }
        setSleepDay(day, night);
    }
}

QList<quint16> SimBand::stepDay(const QDate& day) const
{
    return m_steps.value(day).steps;
}

quint8 SimBand::stepInterval(const QDate& day) const
{
    return m_steps.value(day).interval;
}

QList<SimSleepItem> SimBand::sleepDay(const QDate& day) const
{
    return m_sleeps.value(day);
}

void SimBand::setFault(const BandFault& fault, const int& parameter)
{
    m_fault = fault;
    m_faultParameter = parameter;
    m_faultSpent = false;
}

BandFault SimBand::fault() const
{
    return m_fault;
}

bool SimBand::hasParameters() const
{
    return m_hasParameters;
}

WireCodec::bh_param_struct SimBand::parameters() const
{
    return m_parameters;
}

QByteArray SimBand::firmware() const
{
    return m_firmware;
}

QList<QByteArray> SimBand::received() const
{
    return m_received;
}

bool SimBand::strikeOnce(const BandFault& fault)
{
    if (m_fault != fault || m_faultSpent)
        return false;
    m_faultSpent = true;
    return true;
}

int SimBand::faultPack(const int& fallback) const
{
    return m_faultParameter > 0 ? m_faultParameter : fallback;
}

SimBand::Answer SimBand::one(const QByteArray& packet)
{
    Answer answer;
    answer.packets << packet;
    return answer;
}

SimBand::Answer SimBand::error(const QByteArray& packet, const WireCodec::BH_ERROR_TYPE& type)
{
    const quint8 cmd = packet.size() > 0 ? quint8(packet[0]) : 0;
    const quint8 sub = packet.size() > 1 ? quint8(packet[1]) : 0;
    QByteArray body(2, '\0');
    body[0] = char(sub);
    body[1] = char(type);
    body += errorText(type).left(14);
    QByteArray report = WireCodec::bhPacket(cmd, WireCodec::BH_SUB_ERROR, body);
    if (cmd == WireCodec::BH_CMD_FIRMWARE)
        report.replace(WireCodec::packetSize - 2, 2, QByteArray(2, '\0'));
    return one(report);
}

SimBand::Answer SimBand::receive(const QByteArray& packet)
{
    m_received << packet;
    if (m_fault == BandFault::Silent)
        return Answer();
    if (packet.size() != WireCodec::packetSize)
        return error(packet, WireCodec::BH_ERR_LENGTH);
    if (!WireCodec::bhFrameValid(packet))
        return error(packet, WireCodec::BH_ERR_CRC);
    if (m_fault == BandFault::ErrorPacket) {
        const int type = m_faultParameter ? m_faultParameter : WireCodec::BH_ERR_BUSY;
        return error(packet, WireCodec::BH_ERROR_TYPE(type));
    }
    return dispatch(packet);
}

SimBand::Answer SimBand::dispatch(const QByteArray& packet)
{
    const quint8 cmd = quint8(packet[0]);
    const quint8 sub = quint8(packet[1]);
    switch (cmd) {
    case WireCodec::BH_CMD_VERSION:
        if (sub == WireCodec::BH_SUB_REQUEST)
            return versionReply();
        break;
    case WireCodec::BH_CMD_PARAM:
        if (sub == WireCodec::BH_SUB_REQUEST)
            return paramFirst(packet);
        if (sub == WireCodec::BH_SUB_SECOND)
            return paramSecond(packet);
        break;
    case WireCodec::BH_CMD_STEP:
    case WireCodec::BH_CMD_SLEEP:
        if (sub == WireCodec::BH_SUB_REQUEST)
            return m_fw.active ? error(packet, WireCodec::BH_ERR_BUSY) : dayRequest(packet);
        break;
    case WireCodec::BH_CMD_CONTROL:
        if (sub == WireCodec::BH_SUB_BITMAP)
            return resendBitmap(packet);
        if (sub == WireCodec::BH_SUB_LONG)
            return packReRequest(packet);
        break;
    case WireCodec::BH_CMD_FIRMWARE:
        if (sub == WireCodec::BH_SUB_START)
            return firmwareStart(packet);
        if (sub == WireCodec::BH_SUB_LONG)
            return packet[2] == 0 ? firmwareControl(packet) : firmwarePack(packet);
        break;
    }
    return error(packet, WireCodec::BH_ERR_COMMAND);
}

SimBand::Answer SimBand::versionReply() const
{
    const QByteArray body = word(info.firmware) + info.identity.leftJustified(8, '\0', true)
        + word(info.settingsWord) + info.model.leftJustified(4, '\0', true);
    return one(WireCodec::bhPacket(WireCodec::BH_CMD_VERSION, WireCodec::BH_SUB_REPLY, body));
}

SimBand::Answer SimBand::paramFirst(const QByteArray& packet)
{
    m_paramFirst = packet;
    return Answer();
}

SimBand::Answer SimBand::paramSecond(const QByteArray& packet)
{
    if (m_paramFirst.isEmpty())
        return error(packet, WireCodec::BH_ERR_ORDER);
    const unsigned char* head = bytesOf(m_paramFirst);
    const unsigned char* tail = bytesOf(packet);
    const QByteArray first = m_paramFirst;
    m_paramFirst.clear();
    if (WireCodec::bhWord(head, 12) != info.settingsWord)
        return error(first, WireCodec::BH_ERR_PARAM);
    const QDate day = WireCodec::bhDate(head, 2);
    const QTime time(head[5], head[6], head[7]);
    if (!day.isValid() || !time.isValid())
        return error(first, WireCodec::BH_ERR_DATE);

    WireCodec::bh_param_struct param;
    param.dt = QDateTime(day, time);
    param.stepTarget = qFromBigEndian<qint32>(head + 8);
    param.versionWord = WireCodec::bhWord(head, 12);
    param.gender = head[14];
    param.flags = head[15];
    param.age = WireCodec::bhWord(head, 16);
    param.weight = WireCodec::bhWord(tail, 2);
    param.height = WireCodec::bhWord(tail, 4);
    param.option1 = qFromBigEndian<qint32>(tail + 6);
    param.option2 = qFromBigEndian<qint32>(tail + 10);
    param.option3 = qFromBigEndian<qint32>(tail + 14);
    m_parameters = param;
    m_hasParameters = true;

    const QByteArray body = info.identity.leftJustified(8, '\0', true) + word(1)
        + word(info.firmware) + info.model.leftJustified(4, '\0', true);
    return one(WireCodec::bhPacket(WireCodec::BH_CMD_PARAM, WireCodec::BH_SUB_REPLY, body));
}

// The day's items as the data of its block; `head` receives the head pack bytes 10-19.
QByteArray SimBand::storedDay(const quint8& cmd, const QDate& day) const
{
    const Block block = makeBlock(cmd, 1, day, 0, itemCount(cmd, day), true);
    QByteArray bytes = block.packs.first().mid(3);
    for (int slot = 1; slot < block.packs.size(); ++slot)
        bytes += block.packs[slot].mid(3);
    const int length = (quint8(bytes[0]) << 8) | quint8(bytes[1]);
    return bytes.left(payloadSize + length);
}

int SimBand::itemCount(const quint8& cmd, const QDate& day) const
{
    return cmd == WireCodec::BH_CMD_STEP ? m_steps.value(day).steps.size() : m_sleeps.value(day).size();
}

QByteArray SimBand::dayData(const quint8& cmd, const QDate& day, const int& first, const int& count,
                            QByteArray* head) const
{
    QByteArray data;
    QByteArray fields(10, '\0');
    WireCodec::bhPutDate(bytesOf(fields), 0, day);
    if (cmd == WireCodec::BH_CMD_STEP) {
        const StepDay steps = m_steps.value(day);
        for (const quint16 value : steps.steps.mid(first, count))
            data += word(value);
        fields[3] = char(steps.interval);
        fields[4] = char(data.size() / 2);
    } else {
        for (const SimSleepItem& item : m_sleeps.value(day).mid(first, count))
            data += word(item.start) + char(item.minutes) + char(item.code);
        fields[3] = char(data.size() / 4);
    }
    *head = fields;
    return data;
}

SimBand::Block SimBand::makeBlock(const quint8& cmd, const quint16& number, const QDate& day, const int& first,
                                  const int& count, const bool& last) const
{
    QByteArray fields;
    const QByteArray data = dayData(cmd, day, first, count, &fields);
    const int slotTotal = (data.size() + payloadSize - 1) / payloadSize + 1;
    Block block;
    block.number = number;
    block.packs << longPack(cmd, 1, word(quint16(data.size())) + word(number)
                                        + word(WireCodec::crcCCITT(data)) + char(payloadSize)
                                        + fields);
    for (int slot = 1; slot < slotTotal; ++slot) {
        const quint8 serial = slot + 1 < slotTotal ? quint8(slot + 1) : (last ? 0xFF : 0xFE);
        block.packs << longPack(cmd, serial, data.mid((slot - 1) * payloadSize, payloadSize));
    }
    return block;
}

SimBand::Answer SimBand::dayRequest(const QByteArray& packet)
{
    const unsigned char* bytes = bytesOf(packet);
    const QDate from = WireCodec::bhDate(bytes, 2);
    const QDate to = WireCodec::bhDate(bytes, 5);
    if (!from.isValid() || !to.isValid() || from > to)
        return error(packet, WireCodec::BH_ERR_DATE);
    const quint8 cmd = bytes[0];
    // One block per day, or several when the day has more items than a block takes.
    QList<QPair<QDate, int>> chunks;
    const int perBlock = qMax(1, info.itemsPerBlock);
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        for (int first = 0; first < itemCount(cmd, day); first += perBlock)
            chunks << qMakePair(day, first);
    }
    m_transfer.clear();
    m_bitmaps.clear();
    for (int i = 0; i < chunks.size(); ++i) {
        m_transfer << makeBlock(cmd, quint16(i + 1), chunks[i].first, chunks[i].second, perBlock,
                                i + 1 == chunks.size());
    }

    const QByteArray body = word(quint16(chunks.size())) + packet.mid(2, 6);
    return sendBlocks(WireCodec::bhPacket(cmd, WireCodec::BH_SUB_REPLY, body));
}

// The reply and every block on the air, with the one-shot faults applied to the first block.
SimBand::Answer SimBand::sendBlocks(const QByteArray& reply)
{
    Answer answer = one(reply);
    for (int b = 0; b < m_transfer.size(); ++b) {
        QList<QByteArray> packs = m_transfer[b].packs;
        if (b == 0 && strikeOnce(BandFault::CorruptBlockCrc))
            packs[0][7] = char(~quint8(packs[0][7]));
        if (b == 0 && strikeOnce(BandFault::BadBlockNumber))
            packs[0].replace(5, 2, word(quint16(m_transfer.size() + 1)));
        if (b == 0 && strikeOnce(BandFault::OversizedBlock))
            packs[0].replace(3, 2, word(quint16(2040)));
        const int dropped = m_faultParameter % 256 ? m_faultParameter % 256 : 2;
        const int droppedBlock = m_faultParameter / 256;
        for (const QByteArray& pack : qAsConst(packs)) {
            const int serial = quint8(pack[2]);
            const bool dropsForResend = m_fault == BandFault::BadResendIndex && !m_faultSpent;
            const bool dropsEvery = m_fault == BandFault::DropPackEveryBlock && !m_faultSpent;
            if (serial == dropped
                && ((b == droppedBlock && strikeOnce(BandFault::DropPack)) || (b == 0 && dropsForResend) || dropsEvery))
                continue;
            answer.packets << pack;
            if (b == 0 && serial == dropped && strikeOnce(BandFault::LinkLostMidBlock)) {
                m_transfer.clear();
                answer.linkLost = true;
                return answer;
            }
        }
    }
    if (m_fault == BandFault::DropPackEveryBlock)
        m_faultSpent = true;
    return answer;
}

const SimBand::Block* SimBand::findBlock(const quint16& number) const
{
    for (const Block& block : m_transfer) {
        if (block.number == number)
            return &block;
    }
    return nullptr;
}

SimBand::Answer SimBand::resendBitmap(const QByteArray& packet)
{
    if (m_transfer.isEmpty())
        return error(packet, WireCodec::BH_ERR_ORDER);
    const quint16 number = qMax<quint16>(1, WireCodec::bhWord(bytesOf(packet), 2));
    if (!findBlock(number))
        return error(packet, WireCodec::BH_ERR_PARAM);
    const QByteArray bitmap = packet.mid(4, WireCodec::wireBitmapSize);
    const bool complete = bitmap.count('\0') == bitmap.size();
    if (!complete)
        m_bitmaps[number] = bitmap;
    const quint16 index = !complete && strikeOnce(BandFault::BadResendIndex) ? quint16(m_transfer.size() + 1)
                          : complete                                          ? 0
                                                                              : number;
    Answer answer = one(WireCodec::bhPacket(WireCodec::BH_CMD_CONTROL, WireCodec::BH_SUB_REPLY, word(index)));
    answer.urgent = info.answersEarly;
    return answer;
}

SimBand::Answer SimBand::packReRequest(const QByteArray& packet)
{
    if (m_transfer.isEmpty())
        return error(packet, WireCodec::BH_ERR_ORDER);
    const quint16 number = WireCodec::bhWord(bytesOf(packet), 3);
    const Block* block = findBlock(number);
    if (!block)
        return error(packet, WireCodec::BH_ERR_PARAM);
    const QByteArray bitmap = m_bitmaps.take(number);
    const unsigned char* bits = bytesOf(bitmap);
    const int last = block->packs.size() - 1;
    Answer answer;
    for (int slot = 0; slot <= last; ++slot) {
        const bool missing = slot / 8 < bitmap.size() && (bits[slot / 8] >> (slot % 8)) & 1;
        if (missing || slot == last)
            answer.packets << block->packs[slot];
    }
    return answer;
}

SimBand::Answer SimBand::firmwareStart(const QByteArray& packet)
{
    const unsigned char* bytes = bytesOf(packet);
    const quint32 size = qFromBigEndian<quint32>(bytes + 3);
    if (m_fault == BandFault::RefuseFirmwareStart || size == 0 || size > maxImage || WireCodec::bhWord(bytes, 9) != firmwarePackSize)
        return error(packet, WireCodec::BH_ERR_FIRMWARE);
    m_fw = FirmwareState();
    m_fw.active = true;
    m_fw.size = size;
    m_fw.crc = WireCodec::bhWord(bytes, 7);
    QByteArray reply(WireCodec::packetSize, '\0');
    reply[0] = char(WireCodec::BH_CMD_FIRMWARE);
    reply[1] = char(WireCodec::BH_SUB_START);
    reply[3] = 0x01;
    return one(reply);
}

SimBand::Answer SimBand::firmwarePack(const QByteArray& packet)
{
    const unsigned char* bytes = bytesOf(packet);
    const quint8 serial = bytes[2];
    if (serial == 0x01) {
        const quint16 index = WireCodec::bhWord(bytes, 5);
        if (!m_fw.active || m_fw.finished || index != m_fw.nextIndex)
            return error(packet, WireCodec::BH_ERR_ORDER);
        if (index == faultPack(2) && strikeOnce(BandFault::LinkLostMidFirmware)) {
            m_fw = FirmwareState();
            Answer lost;
            lost.linkLost = true;
            lost.urgent = true;
            return lost;
        }
        m_fw.packOpen = true;
        m_fw.packLength = WireCodec::bhWord(bytes, 3);
        m_fw.packCrc = WireCodec::bhWord(bytes, 7);
        m_fw.pack.clear();
        return Answer();
    }
    if (!m_fw.packOpen)
        return error(packet, WireCodec::BH_ERR_ORDER);
    m_fw.pack += packet.mid(3);
    if (serial != 0xFE && serial != 0xFF)
        return Answer();

    const quint32 offset = quint32(m_fw.image.size());
    const quint16 expected = quint16(qMin<quint32>(firmwarePackSize, m_fw.size - qMin(offset, m_fw.size)));
    const QByteArray data = m_fw.pack.left(m_fw.packLength);
    const bool refused = m_fw.nextIndex == faultPack(1) && strikeOnce(BandFault::RefuseFirmwarePack);
    const bool accepted = !refused && m_fw.packLength == expected && data.size() == m_fw.packLength
        && WireCodec::crcCCITT(data) == m_fw.packCrc;
    if (accepted)
        m_fw.image += data;
    else
        m_fw.failed = true;
    const quint16 index = m_fw.nextIndex++;
    m_fw.packOpen = false;
    m_fw.finished = serial == 0xFF;

    QByteArray ack(WireCodec::packetSize, '\0');
    ack[0] = char(WireCodec::BH_CMD_FIRMWARE);
    ack[1] = char(WireCodec::BH_SUB_LONG);
    ack[2] = char(serial);
    ack.replace(3, 2, word(accepted ? index : 0));
    return one(ack);
}

SimBand::Answer SimBand::firmwareControl(const QByteArray& packet)
{
    if (!m_fw.active)
        return error(packet, WireCodec::BH_ERR_ORDER);
    QByteArray reply(WireCodec::packetSize, '\0');
    reply[0] = char(WireCodec::BH_CMD_FIRMWARE);
    reply[1] = char(WireCodec::BH_SUB_LONG);
    if (!m_fw.finished) {
        reply.replace(3, 2, packet.mid(3, 2));
        return one(reply);
    }
    const bool installed = !m_fw.failed && quint32(m_fw.image.size()) == m_fw.size
        && WireCodec::crcCCITT(m_fw.image) == m_fw.crc;
    if (installed)
        m_firmware = m_fw.image;
    m_fw = FirmwareState();
    reply.replace(3, 2, installed ? QByteArray(2, '\xFF') : QByteArray(2, '\0'));
    return one(reply);
}
