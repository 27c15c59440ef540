#include "bandharvest.h"

#include "corehub.h"
#include "harvestlink.h"
#include "trace.h"

#include <QTimer>

#include <cstring>

namespace {

const int kPayloadSize = 17;
const int kPackSize = 20;
// A day asked for this often without arriving whole is left for the next run.
const int kMaxDayRequests = 3;
const int kMaxResends = 8;
// The re-send request names each missing slot by one bit; a block with more slots could never
// be completed.
const int kMaxSlots = WireCodec::wireBitmapSize * 8;

const int kSerialHead = 1;
const int kSerialLast = 254;
const int kSerialFinal = 255;

// Where a day packet of each head type keeps its item count and its items.
const int kType2StepCountAt = 11;
const int kType2SleepCountAt = 10;
const int kType2ItemsAt = 17;
const int kType1CountAt = 4;
const int kType1ItemsAt = 5;

int slotsOf(const quint16& length)
{
    return (length + kPayloadSize - 1) / kPayloadSize + 1;
}

QByteArray payloadOf(const BandHarvest::step_dat& slot)
{
    return QByteArray(reinterpret_cast<const char*>(slot.pack) + 3, kPayloadSize);
}

QDate headDate(const BandHarvest::step_day_dat& block)
{
    if (block.dat.isEmpty())
        return QDate();
    return WireCodec::bhDate(block.dat.first().pack, 10);
}

template <typename Day>
QDate firstMissing(const QMap<QDate, Day>& days, const QSet<QDate>& givenUp)
{
    for (auto it = days.constBegin(); it != days.constEnd(); ++it) {
        if (it.value().t.sync == LocalVault::SYNC_EMPTY && !givenUp.contains(it.key()))
            return it.key();
    }
    return QDate();
}

// The block check: every slot present and the CRC of the data right. Fills the re-send request
// either way; out gets the head payload and the data.
bool checkLongPack(const QList<BandHarvest::step_dat>& dat, WireCodec::bs_long_ask_reply* reply, QByteArray* out)
{
    const int n = dat.size();
    if (!reply || n < 1) {
        QLOG << "bits=NULL,c=" << n;
        return false;
    }
    std::memset(reply->bits, 0, sizeof(reply->bits));
    const unsigned char* head = dat.first().pack;
    reply->block = WireCodec::bhWord(head, 5);
    const quint16 length = WireCodec::bhWord(head, 3);
    const quint16 crc = WireCodec::bhWord(head, 7);
    if (!dat.first().isRecv || slotsOf(length) != n) {
        QLOG << "first pack.isRecv=" << dat.first().isRecv << "slots:" << n;
        return false;
    }
    const int tail = length % kPayloadSize;
    const int middle = tail ? n - 1 : n;
    QByteArray buffer = payloadOf(dat.first());
    bool complete = true;
    for (int i = 1; i < middle; ++i) {
        const bool missing = !dat.at(i).isRecv;
        WireCodec::setBit(reply->bits, unsigned(i), missing);
        if (missing)
            complete = false;
        else if (complete)
            buffer.append(payloadOf(dat.at(i)));
    }
    if (tail) {
        if (!dat.last().isRecv)
            complete = false;
        else if (complete)
            buffer.append(payloadOf(dat.last()).left(tail));
    }
    if (!complete) {
        QLOG << "data pack has invalid.";
        return false;
    }
    const quint16 computed = WireCodec::crcCCITT(buffer.mid(kPayloadSize));
    if (computed != crc) {
        QLOG << "crc invalid crc=" << crc << ",crc1=" << computed;
        return false;
    }
    if (out)
        *out = buffer;
    return true;
}

} // namespace

// ---- Per-kind members ----

QList<BandHarvest::step_day_dat>& BandHarvest::blocksOf(const KIND& kind)
{
    return kind == KIND_STEP ? m_step : m_sleep;
}

quint16& BandHarvest::blockOf(const KIND& kind)
{
    return kind == KIND_STEP ? m_stepBlock : m_sleepBlock;
}

QTimer*& BandHarvest::timerOf(const KIND& kind)
{
    return kind == KIND_STEP ? m_stepTimer : m_sleepTimer;
}

// The timer watches for silence: each answer of the band restarts it.
void BandHarvest::restartTimer(const KIND& kind)
{
    QTimer*& timer = timerOf(kind);
    if (!timer) {
        timer = new QTimer(this);
        if (kind == KIND_STEP)
            connect(timer, &QTimer::timeout, this, &BandHarvest::on_btStepTimer);
        else
            connect(timer, &QTimer::timeout, this, &BandHarvest::on_btSleepTimer);
    }
    timer->start(m_requestInterval);
}

void BandHarvest::leavePhase(const KIND& kind)
{
    if (timerOf(kind))
        timerOf(kind)->stop();
    linkReplies(kind, false);
    linkPacks(kind, false);
    linkAsks(kind, false);
}

void BandHarvest::linkReplies(const KIND& kind, const bool& on)
{
    if (kind == KIND_STEP)
        hubSetLink(on, Msg(), &CoreHub::onBhStep, this, &BandHarvest::on_BhStep);
    else
        hubSetLink(on, Msg(), &CoreHub::onBhSleep, this, &BandHarvest::on_BhSleep);
}

void BandHarvest::linkPacks(const KIND& kind, const bool& on)
{
    if (kind == KIND_STEP)
        hubSetLink(on, Msg(), &CoreHub::onBhStepLong, this, &BandHarvest::on_BhStepLong);
    else
        hubSetLink(on, Msg(), &CoreHub::onBhSleepLong, this, &BandHarvest::on_BhSleepLong);
}

void BandHarvest::linkAsks(const KIND& kind, const bool& on)
{
    if (kind == KIND_STEP)
        hubSetLink(on, Msg(), &CoreHub::onBhAskRerecv, this, &BandHarvest::on_BhAskStepRerecv);
    else
        hubSetLink(on, Msg(), &CoreHub::onBhAskRerecv, this, &BandHarvest::on_BhAskSleepRerecv);
}

QDate BandHarvest::missingDay(const KIND& kind) const
{
    if (kind == KIND_STEP)
        return firstMissing(m_stepDays, m_pull[KIND_STEP].givenUp);
    return firstMissing(m_sleepDays, m_pull[KIND_SLEEP].givenUp);
}

LocalVault::table_entry BandHarvest::storedDay(const KIND& kind, const QDate& day, QByteArray* raw)
{
    CoreHub* hub = Msg();
    if (kind == KIND_STEP) {
        const LocalVault::step_mem_data stored = hub->fdGetStepDay(day);
        *raw = stored.raw;
        return stored.t;
    }
    const LocalVault::sleep_mem_data stored = hub->fdGetSleepDay(day);
    *raw = stored.raw;
    return stored.t;
}

void BandHarvest::markReceived(const KIND& kind, const QDate& day)
{
    if (kind == KIND_STEP) {
        if (!m_stepDays.contains(day))
            m_stepDays.insert(day, LocalVault::fdGetStepNullDay(day));
        m_stepDays[day].t.sync = LocalVault::SYNC_NEW;
        return;
    }
    if (!m_sleepDays.contains(day))
        m_sleepDays.insert(day, LocalVault::fdGetSleepNullDay(day));
    m_sleepDays[day].t.sync = LocalVault::SYNC_NEW;
}

// ---- The twins ----

QDate BandHarvest::needBtStepData() const
{
    return missingDay(KIND_STEP);
}

QDate BandHarvest::needBtSleepData() const
{
    return missingDay(KIND_SLEEP);
}

bool BandHarvest::syncBtStep()
{
    return requestDay(KIND_STEP);
}

bool BandHarvest::syncBtSleep()
{
    return requestDay(KIND_SLEEP);
}

void BandHarvest::initStep(const ushort& count)
{
    if (!count)
        return;
    m_step = QVector<step_day_dat>(count).toList();
    m_stepBlock = 0;
}

void BandHarvest::initSleep(const ushort& count)
{
    if (!count)
        return;
    m_sleep = QVector<sleep_day_dat>(count).toList();
    m_sleepBlock = 0;
}

QList<BandHarvest::step_dat> BandHarvest::initStepPack(const ushort& n)
{
    return QVector<step_dat>(n).toList();
}

QList<BandHarvest::sleep_dat> BandHarvest::initSleepPack(const ushort& n)
{
    return initStepPack(n);
}

bool BandHarvest::checkStepLongPack(const QList<step_dat>& dat, WireCodec::bs_long_ask_reply* reply, QByteArray* out)
{
    return checkLongPack(dat, reply, out);
}

bool BandHarvest::checkSleepLongPack(const QList<sleep_dat>& dat, WireCodec::bs_long_ask_reply* reply,
                                     QByteArray* out)
{
    return checkLongPack(dat, reply, out);
}

bool BandHarvest::recvStepLongPack(const ushort& di, step_day_dat& block)
{
    Q_UNUSED(block)
    return recvLongPack(KIND_STEP, di);
}

bool BandHarvest::recvSleepLongPack(const ushort& di, sleep_day_dat& block)
{
    Q_UNUSED(block)
    return recvLongPack(KIND_SLEEP, di);
}

bool BandHarvest::saveStepToDisk()
{
    return saveToDisk(KIND_STEP);
}

bool BandHarvest::saveSleepToDisk()
{
    return saveToDisk(KIND_SLEEP);
}

void BandHarvest::on_BhStep(WireCodec::bs_reply_sync_step step)
{
    takeDayReply(KIND_STEP, step.count, step.from);
}

void BandHarvest::on_BhSleep(WireCodec::bs_reply_sync_sleep sleep)
{
    takeDayReply(KIND_SLEEP, sleep.count, sleep.from);
}

void BandHarvest::on_BhStepLong(WireCodec::bs_pack pack)
{
    takePack(KIND_STEP, pack);
}

void BandHarvest::on_BhSleepLong(WireCodec::bs_pack pack)
{
    takePack(KIND_SLEEP, pack);
}

void BandHarvest::on_BhAskStepRerecv(quint16 index)
{
    takeAskAnswer(KIND_STEP, index);
}

void BandHarvest::on_BhAskSleepRerecv(quint16 index)
{
    takeAskAnswer(KIND_SLEEP, index);
}

void BandHarvest::on_btStepTimer()
{
    if (m_running && syncBtStep())
        return;
    leavePhase(KIND_STEP);
    if (!m_running)
        return;
    status(STATUS_SLEEP_STAGE, tr("获取睡眠数据..."));
    if (syncBtSleep() || !m_running)
        return;
    status(STATUS_SLEEP_STAGE, tr("同步到服务器..."));
    syncNetStep();
}

void BandHarvest::on_btSleepTimer()
{
    if (m_running && syncBtSleep())
        return;
    leavePhase(KIND_SLEEP);
    if (!m_running)
        return;
    status(STATUS_SLEEP_STAGE, tr("同步到服务器..."));
    syncNetStep();
}

// ---- One day of one kind ----

bool BandHarvest::requestDay(const KIND& kind)
{
    CoreHub* hub = Msg();
    if (!hub || !m_running)
        return false;
    day_pull& pull = m_pull[kind];
    QDate day = missingDay(kind);
    while (day.isValid() && pull.requests.value(day) >= kMaxDayRequests) {
        QLOG << "day left for the next run:" << day;
        pull.givenUp.insert(day);
        day = missingDay(kind);
    }
    if (!day.isValid())
        return false;
    ++pull.requests[day];
    pull.day = day;
    pull.final = pull.orphan = pull.resend = false;
    pull.asks = pull.resends = 0;
    pull.resendQueue.clear();
    linkPacks(kind, false);
    linkAsks(kind, false);
    restartTimer(kind);
    linkReplies(kind, true);
    const bool sent = kind == KIND_STEP ? hub->bhStep(day, day, hub->bhGetVersion())
                                        : hub->bhSleep(day, day, hub->bhGetVersion());
    if (!sent)
        bandLost();
    return true;
}

void BandHarvest::takeDayReply(const KIND& kind, const quint16& count, const QDate& from)
{
    CoreHub* hub = Msg();
    if (!hub || !m_running)
        return;
    // A late answer to an earlier request must not settle the day asked for now.
    if (from != m_pull[kind].day) {
        QLOG << "day reply for another day dropped:" << from << "asked:" << m_pull[kind].day;
        return;
    }
    linkPacks(kind, false);
    linkReplies(kind, false);
    if (count) {
        if (kind == KIND_STEP)
            initStep(count);
        else
            initSleep(count);
        m_pull[kind].final = m_pull[kind].orphan = false;
        linkPacks(kind, true);
        return;
    }
    const QDate day = missingDay(kind);
    if (day.isValid()) {
        // "No data" only clears a day this computer has nothing of.
        QByteArray storedRaw;
        storedDay(kind, day, &storedRaw);
        if (storedRaw.isEmpty())
            kind == KIND_STEP ? hub->fdClearStep(day) : hub->fdClearSleep(day);
        markReceived(kind, day);
        if (requestDay(kind) || !m_running)
            return;
    }
    leavePhase(kind);
    if (kind == KIND_SLEEP) {
        status(STATUS_STEP_STAGE, tr("同步数据到服务器"));
        syncNetStep();
        return;
    }
    status(STATUS_STEP_STAGE, tr("获取手环睡眠数据"));
    if (syncBtSleep() || !m_running)
        return;
    status(STATUS_SLEEP_STAGE, tr("同步到服务器..."));
    syncNetStep();
}

bool BandHarvest::takeHeadPack(const KIND& kind, const WireCodec::bs_pack& pack)
{
    QList<step_day_dat>& blocks = blocksOf(kind);
    const quint16 number = WireCodec::bhWord(pack.data, 5);
    const quint16 length = WireCodec::bhWord(pack.data, 3);
    const int di = number ? number - 1 : 0;
    m_pull[kind].orphan = true;
    if (di >= blocks.size()) {
        QLOG << "(day index error)di=" << di << ",this->m_step.size()=" << blocks.size();
        return false;
    }
    if (length == 0 || slotsOf(length) > kMaxSlots) {
        QLOG << "(block length error)L=" << length;
        return false;
    }
    m_pull[kind].orphan = false;
    blockOf(kind) = number;
    blocks[di] = step_day_dat();
    blocks[di].dat = initStepPack(ushort(slotsOf(length)));
    QLOG << "date: y=" << pack.data[10] << ",m=" << pack.data[11] << ",d=" << pack.data[12];
    return true;
}

void BandHarvest::takePack(const KIND& kind, const WireCodec::bs_pack& pack)
{
    if (!Msg() || !m_running)
        return;
    restartTimer(kind);
    const int serial = pack.data[2];
    if (serial == 0) {
        QLOG << "(error)pack.sn=" << serial;
        return;
    }
    if (serial == kSerialHead && !takeHeadPack(kind, pack))
        return;
    QList<step_day_dat>& blocks = blocksOf(kind);
    const quint16 block = blockOf(kind);
    const int di = block ? block - 1 : 0;
    const int n = di < blocks.size() ? blocks.at(di).dat.size() : 0;
    const bool last = serial == kSerialLast || serial == kSerialFinal;
    if (m_pull[kind].orphan || n == 0 || (!last && serial > n)) {
        QLOG << "(pack index error)pi=" << serial << ",this->m_step[di].dat.size()=" << n;
        return;
    }
    if (serial == kSerialFinal)
        m_pull[kind].final = true;
    step_dat& slot = blocks[di].dat[last ? n - 1 : serial - 1];
    slot.isRecv = true;
    std::memcpy(slot.pack, pack.data, kPackSize);
    const int x = last ? n : serial;
    const STATUS stage = kind == KIND_STEP ? STATUS_STEP_STAGE : STATUS_SLEEP_STAGE;
    if (block != 0) {
        const char* progress = kind == KIND_STEP ? QT_TR_NOOP("同步手环步数(%1/%2)(%3)天")
                                                 : QT_TR_NOOP("同步手环睡眠(%1/%2)(%3)天");
        status(stage, tr(progress).arg(di + 1).arg(blocks.size()).arg(x + 1));
    }
    if (x != n)
        return;
    // What follows a block's last pack belongs to the next head pack or to a re-send.
    m_pull[kind].orphan = true;
    const bool ok = recvLongPack(kind, ushort(di));
    if (ok && m_pull[kind].final && allBlocksValid(kind))
        finishDay(kind);
    if (!m_running)
        return;
    reportBlock(kind, di, ok);
    startNextResend(kind);
}

void BandHarvest::reportBlock(const KIND& kind, const int& di, const bool& ok)
{
    const QList<step_day_dat>& blocks = blocksOf(kind);
    const STATUS stage = kind == KIND_STEP ? STATUS_STEP_STAGE : STATUS_SLEEP_STAGE;
    if (ok) {
        const QDate day = headDate(blocks.at(di));
        QLOG << "OK:" << day;
        if (blockOf(kind) == 0) {
            const char* text = kind == KIND_STEP ? QT_TR_NOOP("\"%1年%2月%3日\"步数") : QT_TR_NOOP("\"%1年%2月%3日\"睡眠");
            status(stage, tr(text).arg(day.year()).arg(day.month()).arg(day.day()));
        }
    }
    if (blockOf(kind) == 0)
        return;
    const char* text = kind == KIND_STEP ? QT_TR_NOOP("%1:同步手环步数(%2/%3)天") : QT_TR_NOOP("%1:同步手环睡眠(%2/%3)天");
    status(stage, tr(text).arg(ok ? tr("成功") : tr("失败")).arg(di + 1).arg(blocks.size()));
}

// Checks block di and tells the band what is missing; an empty bitmap says it is complete.
bool BandHarvest::recvLongPack(const KIND& kind, const ushort& di)
{
    CoreHub* hub = Msg();
    if (!hub)
        return false;
    step_day_dat& block = blocksOf(kind)[di];
    WireCodec::bs_long_ask_reply reply;
    const bool ok = checkLongPack(block.dat, &reply, &block.data);
    block.isValid = ok;
    m_pull[kind].resend = false;
    linkAsks(kind, true);
    ++m_pull[kind].asks;
    if (!hub->bhAskRerecv(reply, hub->bhGetVersion()))
        bandLost();
    return ok;
}

bool BandHarvest::allBlocksValid(const KIND& kind)
{
    const QList<step_day_dat>& blocks = blocksOf(kind);
    if (blocks.isEmpty())
        return false;
    for (const step_day_dat& block : blocks) {
        if (!block.isValid)
            return false;
    }
    return true;
}

// The whole day has come: it is stored, and no longer missing.
void BandHarvest::finishDay(const KIND& kind)
{
    if (!saveToDisk(kind))
        QLOG << "day not saved, kind:" << int(kind);
    for (const step_day_dat& block : blocksOf(kind))
        markReceived(kind, headDate(block));
}

void BandHarvest::takeAskAnswer(const KIND& kind, const quint16& index)
{
    CoreHub* hub = Msg();
    if (!hub || !m_running)
        return;
    day_pull& pull = m_pull[kind];
    if (pull.asks > 0)
        --pull.asks;
    if (pull.asks == 0)
        linkAsks(kind, false);
    if (index != 0) {
        if (index > blocksOf(kind).size()) {
            QLOG << "re-send index refused:" << index;
            return;
        }
        pull.resendQueue.append(index);
        startNextResend(kind);
        return;
    }
    // More of the day is on its way (answers, re-sent packs, blocks); the timer guards the wait.
    if (pull.asks > 0 || pull.resend || !pull.resendQueue.isEmpty() || !pull.final)
        return;
    nextRequest(kind);
}

// Re-sent packs carry no block number: one block is re-sent at a time, once the day's last
// block is through, and its packs belong to it until its last pack has been checked again.
void BandHarvest::startNextResend(const KIND& kind)
{
    day_pull& pull = m_pull[kind];
    CoreHub* hub = Msg();
    if (!hub || !m_running || !pull.final || pull.resend || pull.resendQueue.isEmpty())
        return;
    // A pack the band can never get across would be asked for without end.
    if (++pull.resends > kMaxResends) {
        QLOG << "re-sends used up, the day will be asked again";
        pull.resendQueue.clear();
        return;
    }
    const quint16 index = pull.resendQueue.takeFirst();
    blockOf(kind) = index;
    pull.orphan = false;
    pull.resend = true;
    restartTimer(kind);
    if (!hub->bhLongPackCtr(index, hub->bhGetVersion()))
        bandLost();
}

void BandHarvest::nextRequest(const KIND& kind)
{
    if (requestDay(kind) || !m_running)
        return;
    leavePhase(kind);
    if (kind == KIND_STEP) {
        if (syncBtSleep() || !m_running)
            return;
        syncNetStep();
        return;
    }
    status(STATUS_SLEEP_STAGE, tr("同步到服务器..."));
    syncNetStep();
}

QByteArray BandHarvest::joinBlocks(const KIND& kind, const QByteArray& first, const QByteArray& next) const
{
    const bool type2 = m_packType[3] == 2;
    const int countAt = type2 ? (kind == KIND_STEP ? kType2StepCountAt : kType2SleepCountAt) : kType1CountAt;
    const int itemsAt = type2 ? kType2ItemsAt : kType1ItemsAt;
    if (first.size() < itemsAt || next.size() < itemsAt)
        return first.size() >= next.size() ? first : next;
    QByteArray joined = first + next.mid(itemsAt);
    const int count = uchar(first.at(countAt)) + uchar(next.at(countAt));
    joined[countAt] = char(qMin(count, 255));
    if (type2) {
        const int length = qMin(joined.size() - kPayloadSize, 0xFFFF);
        joined[0] = char(length >> 8);
        joined[1] = char(length & 0xFF);
    }
    return joined;
}

bool BandHarvest::saveToDisk(const KIND& kind)
{
    CoreHub* hub = Msg();
    if (!hub)
        return false;
    const QList<step_day_dat>& blocks = blocksOf(kind);
    if (!blocks.isEmpty() && !allBlocksValid(kind))
        return false;
    // Blocks of one date are joined: a later one must not replace an earlier one.
    QMap<QDate, QByteArray> days;
    for (const step_day_dat& block : blocks) {
        const QDate day = headDate(block);
        days.insert(day, days.contains(day) ? joinBlocks(kind, days.value(day), block.data) : block.data);
    }
    for (auto it = days.constBegin(); it != days.constEnd(); ++it) {
        QByteArray storedRaw;
        const LocalVault::table_entry stored = storedDay(kind, it.key(), &storedRaw);
        // The same day again keeps its state: what was uploaded is not uploaded twice.
        if (stored.sync != LocalVault::SYNC_EMPTY && storedRaw == it.value())
            continue;
        const bool added = kind == KIND_STEP ? hub->fdAddStep(m_packType, LocalVault::SYNC_NEW, it.value(), false)
                                : hub->fdAddSleep(m_packType, LocalVault::SYNC_NEW, it.value(), false);
        if (!added)
            QLOG << "day refused by the store:" << it.key();
    }
    return kind == KIND_STEP ? hub->fdSaveStep() : hub->fdSaveSleep();
}
