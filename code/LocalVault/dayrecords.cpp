#include "localvault.h"

#include "wirecodec.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
enum HEAD_TYPE { HEAD_UNKNOWN = 0, HEAD_TYPE1 = 1, HEAD_TYPE2 = 2 };

const int type1MinSize = 5;
const int type1ItemsAt = 5;
const int type1ItemSize = 3;
const int type2MinSize = 17;
const int type2ItemsAt = 17;
const int stepType2ItemSize = 2;
const int sleepType2ItemSize = 4;
const int yearBase = 2000;

HEAD_TYPE headType(const uchar* head)
{
    if (!head || head[0] || head[1] || head[2])
        return HEAD_UNKNOWN;
    if (head[3] == 1)
        return HEAD_TYPE1;
    if (head[3] == 2)
        return HEAD_TYPE2;
    return HEAD_UNKNOWN;
}

QDate keyOf(const LocalVault::mydate& date)
{
    return QDate(date.year, date.month, date.day);
}

LocalVault::mydate dateAt(const uchar* bytes)
{
    LocalVault::mydate date;
    date.year = quint16(yearBase + bytes[0]);
    date.month = bytes[1];
    date.day = bytes[2];
    return date;
}

// Samples are kept little-endian: the form the stored CRC has always been taken over.
void appendLittle16(QByteArray* bytes, quint16 value)
{
    bytes->append(char(value & 0xFF));
    bytes->append(char(value >> 8));
}

quint16 little16(const uchar* bytes)
{
    return qFromLittleEndian<quint16>(bytes);
}

// Walks the items that lie wholly inside the packet, at most as many as the packet announces.
template <typename Visit>
void forEachItem(const QByteArray& data, int itemsAt, int itemSize, int announced, Visit visit)
{
    if (data.size() < itemsAt + itemSize || announced == 0)
        return;
    const uchar* bytes = reinterpret_cast<const uchar*>(data.constData());
    for (int i = 0; i < announced && itemsAt + (i + 1) * itemSize <= data.size(); ++i)
        visit(bytes + itemsAt + i * itemSize);
}

template <typename Day>
void fillEntry(Day* day, const uchar* head, const LocalVault::SYNC_TYPE& sync, const LocalVault::mydate& date,
               const uchar& interval, const uchar& count, const ushort& crc, const QByteArray& raw)
{
    std::memcpy(day->t.head, head, sizeof(day->t.head));
    day->t.sync = quint8(sync);
    day->t.date = date;
    day->t.begin = -1;
    day->t.length = raw.size();
    day->t.crc = crc;
    day->t.interval = interval;
    day->t.count = count;
    day->raw = raw;
}

template <typename Day>
void storeNetDay(LocalVault::day_table<Day>* net, const Day& day)
{
    net->days.insert(keyOf(day.t.date), day);
    net->h.count = quint32(net->days.size());
}

template <typename Day>
void storeDay(LocalVault::day_table<Day>* table, LocalVault::day_table<Day>* net, const Day& day, bool toNet)
{
    const QDate key = keyOf(day.t.date);
    const auto stored = table->days.constFind(key);
    if (stored == table->days.constEnd() || stored->raw != day.raw || stored->t.sync != day.t.sync)
        table->dirty = true;
    table->days.insert(key, day);
    table->h.count = quint32(table->days.size());
    if (toNet)
        storeNetDay(net, day);
}

template <typename Day>
Day nullDay(const QDate& date)
{
    Day day;
    day.t.date.year = quint16(date.year());
    day.t.date.month = quint8(date.month());
    day.t.date.day = quint8(date.day());
    return day;
}

template <typename Day>
Day findDay(const QMap<QDate, Day>& days, const QDate& date)
{
    const auto found = days.constFind(date);
    return found == days.constEnd() ? nullDay<Day>(date) : *found;
}

template <typename Day>
bool updateSync(LocalVault::day_table<Day>* table, const QDate& date, const LocalVault::SYNC_TYPE& sync)
{
    const auto found = table->days.find(date);
    if (found == table->days.end())
        return false;
    found->t.sync = quint8(sync);
    table->dirty = true;
    return true;
}

template <typename Day>
void clearDay(LocalVault::day_table<Day>* table, const QDate& date)
{
    if (!date.isValid())
        return;
    Day& day = table->days[date];
    day.raw.clear();
    day.t.length = 0;
    day.t.sync = LocalVault::SYNC_NEW;
    table->dirty = true;
}

template <typename Day>
void clearNetDay(LocalVault::day_table<Day>* net, const QDate& date)
{
    if (date.isValid())
        net->days[date].raw.clear();
}

template <typename Day>
void clearTable(LocalVault::day_table<Day>* table, quint32 flag)
{
    table->days.clear();
    table->h.count = 0;
    table->h.flag = flag;
    table->needRead = true;
    table->dirty = true;
}

template <typename Day>
void clearNetTable(LocalVault::day_table<Day>* net)
{
    net->days.clear();
    net->h.count = 0;
}
LocalVault::step_mem_data buildStepDay(const uchar* head, const LocalVault::SYNC_TYPE& sync, const LocalVault::mydate& date,
                                                   const uchar& interval, const uchar& count, const ushort& crc,
                                                   const QByteArray& samples, const QByteArray& raw)
{
    LocalVault::step_mem_data day;
    fillEntry(&day, head, sync, date, interval, count, crc, raw);
    const HEAD_TYPE type = headType(head);
    const uchar* bytes = reinterpret_cast<const uchar*>(samples.constData());
    const int size = type == HEAD_TYPE1 ? 3 : 2;
    if (type == HEAD_UNKNOWN || samples.size() < size || count == 0)
        return day;
    day.items.reserve(count);
    day.rawItems.reserve(count);
    for (int i = 0; i < count && (i + 1) * size <= samples.size(); ++i) {
        const uchar* sample = bytes + i * size;
        LocalVault::step_raw_item rawItem;
        std::memcpy(rawItem.bytes, sample, size_t(size));
        LocalVault::step_item item;
        item.kind = type == HEAD_TYPE1 ? sample[0] : 0;
        item.value = little16(type == HEAD_TYPE1 ? sample + 1 : sample);
        day.rawItems.append(rawItem);
        day.items.append(item);
    }
    return day;
}

LocalVault::sleep_mem_data buildSleepDay(const uchar* head, const LocalVault::SYNC_TYPE& sync, const LocalVault::mydate& date,
                                                     const uchar& interval, const uchar& count, const ushort& crc,
                                                     const QByteArray& samples, const QByteArray& raw)
{
    LocalVault::sleep_mem_data day;
    fillEntry(&day, head, sync, date, interval, count, crc, raw);
    const HEAD_TYPE type = headType(head);
    const uchar* bytes = reinterpret_cast<const uchar*>(samples.constData());
    const int size = type == HEAD_TYPE1 ? 3 : 4;
    if (type == HEAD_UNKNOWN || samples.size() < size || count == 0)
        return day;
    day.segments.reserve(count);
    day.rawItems.reserve(count);
    const auto startsBefore = [](quint16 start, const LocalVault::sleep_segment& other) { return start < other.start; };
    for (int i = 0; i < count && (i + 1) * size <= samples.size(); ++i) {
        const uchar* sample = bytes + i * size;
        LocalVault::sleep_raw_item rawItem;
        std::memcpy(rawItem.bytes, sample, size_t(size));
        day.rawItems.append(rawItem);
        LocalVault::sleep_segment segment;
        if (type == HEAD_TYPE1) {
            segment.start = quint16((i + 1) * interval);
            segment.phase = sample[0];
            segment.value = little16(sample + 1);
            segment.minutes = interval;
            day.segments.append(segment);
            continue;
        }
        segment.start = little16(sample);
        segment.code = sample[3];
        segment.phase = sample[3] > 5 ? 4 : sample[3] < 3 ? 3 : 2;
        segment.minutes = sample[2];
        segment.value = sample[2];
        // Equal starts keep their arrival order.
        const quint16 start = segment.start;
        day.segments.insert(std::upper_bound(day.segments.begin(), day.segments.end(), start, startsBefore), segment);
    }
    return day;
}

// Where a packet head type keeps its fields; a negative interval offset means one minute.
struct packet_form {
    int minSize;
    int dateAt;
    int intervalAt;
    int countAt;
    int itemsAt;
    int itemSize;
};

const packet_form type1Form = {type1MinSize, 0, 3, 4, type1ItemsAt, type1ItemSize};
const packet_form stepType2Form = {type2MinSize, 7, 10, 11, type2ItemsAt, stepType2ItemSize};
const packet_form sleepType2Form = {type2MinSize, 7, -1, 10, type2ItemsAt, sleepType2ItemSize};

// keep(type, item, samples) appends the item's sample bytes and says whether it was kept.
template <typename Day, typename Keep, typename Build>
bool parsePacket(const uchar* head, const LocalVault::SYNC_TYPE& sync, const QByteArray& data,
                 const packet_form& type2Form, Keep keep, Build build, Day* day)
{
    const HEAD_TYPE type = headType(head);
    if (type == HEAD_UNKNOWN)
        return false;
    const packet_form& form = type == HEAD_TYPE1 ? type1Form : type2Form;
    if (data.size() < form.minSize)
        return false;
    const uchar* bytes = reinterpret_cast<const uchar*>(data.constData());
    const LocalVault::mydate date = dateAt(bytes + form.dateAt);
    if (!keyOf(date).isValid())
        return false;
    QByteArray samples;
    uchar kept = 0;
    forEachItem(data, form.itemsAt, form.itemSize, bytes[form.countAt], [&](const uchar* item) {
        if (keep(type, item, &samples))
            ++kept;
    });
    const uchar interval = form.intervalAt < 0 ? 1 : bytes[form.intervalAt];
    *day = build(head, sync, date, interval, kept, WireCodec::crcCCITT(samples), samples, data);
    return true;
}

bool keepStep(HEAD_TYPE type, const uchar* item, QByteArray* samples)
{
    if (type == HEAD_TYPE2) {
        appendLittle16(samples, qFromBigEndian<quint16>(item));
        return true;
    }
    if (item[0] != 1)
        return false;
    samples->append(char(item[0]));
    appendLittle16(samples, qFromBigEndian<quint16>(item + 1));
    return true;
}

bool keepSleep(HEAD_TYPE type, const uchar* item, QByteArray* samples)
{
    if (type == HEAD_TYPE2) {
        appendLittle16(samples, qFromBigEndian<quint16>(item));
        samples->append(char(item[2]));
        samples->append(char(item[3]));
        return true;
    }
    samples->append(char(item[0] == 2 || item[0] == 3 ? item[0] : 4));
    appendLittle16(samples, qFromBigEndian<quint16>(item + 1));
    return true;
}

} // namespace

bool LocalVault::fdAddStep(const uchar* head, const SYNC_TYPE& sync, const QByteArray& data, bool toNet)
{
    step_mem_data day;
    if (!parsePacket(head, sync, data, stepType2Form, keepStep, buildStepDay, &day))
        return false;
    storeDay(&step, &netStep, day, toNet);
    return true;
}

bool LocalVault::fdAddNetStep(const uchar* head, const QByteArray& data)
{
    step_mem_data day;
    if (!parsePacket(head, SYNC_UPLOADED, data, stepType2Form, keepStep, buildStepDay, &day))
        return false;
    storeNetDay(&netStep, day);
    return true;
}

bool LocalVault::fdAddStep(const uchar* head, const SYNC_TYPE& sync, const mydate& date, const uchar& interval,
                           const uchar& count, const ushort& crc, const QByteArray& samples, const QByteArray& raw,
                           bool toNet)
{
    // A day without a calendar date has no key of its own.
    if (!head || !keyOf(date).isValid())
        return false;
    storeDay(&step, &netStep, buildStepDay(head, sync, date, interval, count, crc, samples, raw), toNet);
    return true;
}

bool LocalVault::fdAddSleep(const uchar* head, const SYNC_TYPE& sync, const QByteArray& data, bool toNet)
{
    sleep_mem_data day;
    if (!parsePacket(head, sync, data, sleepType2Form, keepSleep, buildSleepDay, &day))
        return false;
    storeDay(&sleep, &netSleep, day, toNet);
    return true;
}

bool LocalVault::fdAddNetSleep(const uchar* head, const QByteArray& data)
{
    sleep_mem_data day;
    if (!parsePacket(head, SYNC_UPLOADED, data, sleepType2Form, keepSleep, buildSleepDay, &day))
        return false;
    storeNetDay(&netSleep, day);
    return true;
}

bool LocalVault::fdAddSleep(const uchar* head, const SYNC_TYPE& sync, const mydate& date, const uchar& interval,
                            const uchar& count, const ushort& crc, const QByteArray& samples, const QByteArray& raw,
                            bool toNet)
{
    if (!head || !keyOf(date).isValid())
        return false;
    storeDay(&sleep, &netSleep, buildSleepDay(head, sync, date, interval, count, crc, samples, raw), toNet);
    return true;
}

LocalVault::step_mem_data LocalVault::fdGetStepDay(const QDate& date) const
{
    return findDay(step.days, date);
}

LocalVault::sleep_mem_data LocalVault::fdGetSleepDay(const QDate& date) const
{
    return findDay(sleep.days, date);
}

LocalVault::step_mem_data LocalVault::fdGetStepNullDay(const QDate& date)
{
    return nullDay<step_mem_data>(date);
}

LocalVault::sleep_mem_data LocalVault::fdGetSleepNullDay(const QDate& date)
{
    return nullDay<sleep_mem_data>(date);
}

const QMap<QDate, LocalVault::step_mem_data>& LocalVault::fdSteps() const
{
    return step.days;
}

const QMap<QDate, LocalVault::sleep_mem_data>& LocalVault::fdSleeps() const
{
    return sleep.days;
}

bool LocalVault::fdUpdateStepSync(const QDate& date, const SYNC_TYPE& sync)
{
    return updateSync(&step, date, sync);
}

bool LocalVault::fdUpdateSleepSync(const QDate& date, const SYNC_TYPE& sync)
{
    return updateSync(&sleep, date, sync);
}

bool LocalVault::fdClearStep(const QDate& date)
{
    clearDay(&step, date);
    return true;
}

bool LocalVault::fdClearSleep(const QDate& date)
{
    clearDay(&sleep, date);
    return true;
}

bool LocalVault::fdClearNetStep(const QDate& date)
{
    clearNetDay(&netStep, date);
    return true;
}

bool LocalVault::fdClearNetSleep(const QDate& date)
{
    clearNetDay(&netSleep, date);
    return true;
}

void LocalVault::fdClearStep()
{
    clearTable(&step, stepFiles().flag);
}

void LocalVault::fdClearSleep()
{
    clearTable(&sleep, sleepFiles().flag);
}

void LocalVault::fdClear()
{
    fdClearStep();
    fdClearSleep();
    clearNetTable(&netStep);
    clearNetTable(&netSleep);
}
