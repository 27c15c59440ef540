#ifndef KILLSAVEDAYS_H
#define KILLSAVEDAYS_H

#include "localvault.h"

#include <QByteArray>
#include <QDate>

// The days the kill test's writer saves, one generation after another: generation g rewrites
// day g % dayCount, its steps and its night, and marks odd generations as uploaded. Every day
// carries its generation in its first two items, so a stored day tells which save it came from.
namespace KillSaveDays {

const int dayCount = 40;
const uchar head[4] = {0, 0, 0, 2};

inline QDate dateOf(const qint64& generation)
{
    return QDate(2025, 3, 1).addDays(generation % dayCount);
}

inline LocalVault::SYNC_TYPE syncOf(const qint64& generation)
{
    return generation % 2 ? LocalVault::SYNC_UPLOADED : LocalVault::SYNC_SAVED;
}

inline QByteArray packetHead(const QDate& day)
{
    QByteArray packet(17, '\0');
    packet[7] = char(day.year() - 2000);
    packet[8] = char(day.month());
    packet[9] = char(day.day());
    return packet;
}

inline void appendWord(QByteArray* bytes, const quint16& value)
{
    bytes->append(char(value >> 8));
    bytes->append(char(value & 0xFF));
}

// 255 step items: the generation, then values that differ from one generation to the next.
inline QByteArray stepPacket(const qint64& generation)
{
    QByteArray packet = packetHead(dateOf(generation));
    packet[10] = 15;
    packet[11] = char(255);
    appendWord(&packet, quint16(generation >> 16));
    appendWord(&packet, quint16(generation));
    for (int i = 2; i < 255; ++i)
        appendWord(&packet, quint16(generation * 31 + i * 7));
    return packet;
}

// 120 sleep items: the generation in the starts of the first two, then a night's segments.
inline QByteArray sleepPacket(const qint64& generation)
{
    QByteArray packet = packetHead(dateOf(generation));
    packet[10] = char(120);
    for (int i = 0; i < 120; ++i) {
        const quint16 start = i == 0 ? quint16(generation >> 16) : i == 1 ? quint16(generation) : quint16(i * 4);
        appendWord(&packet, start);
        packet.append(char(4));
        packet.append(char((generation + i) % 7));
    }
    return packet;
}

// The generation a stored day's bytes name; -1 for bytes too short to name one.
inline qint64 generationOf(const QByteArray& raw)
{
    if (raw.size() < 17 + 8)
        return -1;
    const auto word = [&raw](int at) { return qint64(quint8(raw[at])) << 8 | quint8(raw[at + 1]); };
    const bool sleep = raw.size() == 17 + 120 * 4;
    return sleep ? word(17) << 16 | word(21) : word(17) << 16 | word(19);
}

} // namespace KillSaveDays

#endif // KILLSAVEDAYS_H
