#include "localvault.h"

#include "privatefile.h"
#include "trace.h"
#include "wholefile.h"

#include <QFile>
#include <QVector>
#include <QtEndian>

#include <cstdio>
#include <cstring>

static_assert(sizeof(LocalVault::table_entry) == LocalVault::table_entry::fileSize, "the entry has no padding");
static_assert(sizeof(LocalVault::table_head) == LocalVault::table_head::fileSize, "the head has no padding");

namespace {
const int maxUserIdSize = 50;

QString tempOf(const QString& path)
{
    return path + QStringLiteral(".temp");
}

// Replaces the target in one step, so a reader sees the old file or the new one, never neither.
bool replaceFile(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// The save closes the table last, so a table that holds every entry it announces was written whole.
bool tableComplete(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(LocalVault::table_head::fileSize);
    if (head.size() != LocalVault::table_head::fileSize)
        return false;
    const quint32 count = LocalVault::table_head::fromBytes(head.constData()).count;
    return file.size() == LocalVault::table_head::fileSize + qint64(count) * LocalVault::table_entry::fileSize;
}

void dropTemps(const QString& tablePath, const QString& dataPath)
{
    QFile::remove(tempOf(tablePath));
    QFile::remove(tempOf(dataPath));
}

// Finishes or drops what an interrupted save left. The save closes both temporaries before it
// renames the data file, then the table: a table temporary alone is the new table of the data file.
bool recoverPair(const QString& tablePath, const QString& dataPath)
{
    const QString tableTemp = tempOf(tablePath);
    const QString dataTemp = tempOf(dataPath);
    if (!QFile::exists(tableTemp))
        return true;
    const bool tableOnly = !QFile::exists(dataTemp);
    if (!tableOnly && (QFile::exists(tablePath) || QFile::exists(dataPath)))
        return true;
    if (!tableComplete(tableTemp)) {
        dropTemps(tablePath, dataPath);
        return true;
    }
    if ((tableOnly || replaceFile(dataTemp, dataPath)) && replaceFile(tableTemp, tablePath))
        return true;
    QLOG << "clear file fail! " << tableTemp;
    return false;
}

void setText(char* field, int fieldSize, const QByteArray& text)
{
    std::memset(field, 0, size_t(fieldSize));
    std::memcpy(field, text.constData(), size_t(qMin(text.size(), fieldSize - 1)));
}
} // namespace

QByteArray LocalVault::table_entry::toBytes() const
{
    // Built on the stack: the compiler cannot see the size of a QByteArray's buffer.
    uchar out[fileSize] = {};
    std::memcpy(out, head, sizeof(head));
    out[4] = sync;
    qToBigEndian<quint16>(date.year, out + 5);
    out[7] = date.month;
    out[8] = date.day;
    qToBigEndian<qint64>(begin, out + 9);
    qToBigEndian<qint64>(length, out + 17);
    qToBigEndian<quint16>(crc, out + 25);
    out[27] = interval;
    out[28] = count;
    return QByteArray(reinterpret_cast<const char*>(out), fileSize);
}

LocalVault::table_entry LocalVault::table_entry::fromBytes(const char* bytes)
{
    const uchar* in = reinterpret_cast<const uchar*>(bytes);
    table_entry entry;
    std::memcpy(entry.head, in, sizeof(entry.head));
    entry.sync = in[4];
    entry.date.year = qFromBigEndian<quint16>(in + 5);
    entry.date.month = in[7];
    entry.date.day = in[8];
    entry.begin = qFromBigEndian<qint64>(in + 9);
    entry.length = qFromBigEndian<qint64>(in + 17);
    entry.crc = qFromBigEndian<quint16>(in + 25);
    entry.interval = in[27];
    entry.count = in[28];
    return entry;
}

QByteArray LocalVault::table_head::toBytes() const
{
    // Built on the stack: the compiler cannot see the size of a QByteArray's buffer.
    uchar out[fileSize] = {};
    std::memcpy(out, name, sizeof(name));
    qToBigEndian<quint32>(flag, out + 250);
    qToBigEndian<quint32>(count, out + 254);
    std::memcpy(out + 258, user, sizeof(user));
    return QByteArray(reinterpret_cast<const char*>(out), fileSize);
}

LocalVault::table_head LocalVault::table_head::fromBytes(const char* bytes)
{
    const uchar* in = reinterpret_cast<const uchar*>(bytes);
    table_head head;
    std::memcpy(head.name, in, sizeof(head.name));
    head.flag = qFromBigEndian<quint32>(in + 250);
    head.count = qFromBigEndian<quint32>(in + 254);
    std::memcpy(head.user, in + 258, sizeof(head.user));
    return head;
}

// Without a user the paths are empty and the files would land in the current folder.
bool LocalVault::userSelected(const day_files& files)
{
    if (!files.tablePath.isEmpty())
        return true;
    QLOG << "no user selected";
    return false;
}

LocalVault::day_files LocalVault::stepFiles() const
{
    return {stepTableFile, stepDataFile, QByteArrayLiteral("step"), 3};
}

LocalVault::day_files LocalVault::sleepFiles() const
{
    return {sleepTableFile, sleepDataFile, QByteArrayLiteral("sleep"), 7};
}

template <typename Day, typename Add>
bool LocalVault::readTable(day_table<Day>& table, const day_files& files, Add add)
{
    if (!table.needRead)
        return true;
    if (!userSelected(files) || !recoverPair(files.tablePath, files.dataPath))
        return false;
    // What recovery left are temporaries of a save cut before its first rename: the pair in
    // place is the one that save started from.
    dropTemps(files.tablePath, files.dataPath);
    if (!QFile::exists(files.tablePath) && !QFile::exists(files.dataPath)) {
        // A user who never saved a day.
        table.needRead = false;
        return true;
    }
    QFile tableFile(files.tablePath);
    QFile dataFile(files.dataPath);
    for (QFile* file : {&tableFile, &dataFile}) {
        if (!file->open(QIODevice::ReadOnly)) {
            QLOG << "open file fail! " << file->fileName();
            return false;
        }
    }
    const QByteArray headBytes = tableFile.read(table_head::fileSize);
    if (headBytes.size() != table_head::fileSize) {
        QLOG << "read table head fail! " << "ret=" << headBytes.size() << ",size=" << table_head::fileSize;
        return false;
    }
    table.h = table_head::fromBytes(headBytes.constData());
    const QString label = QString::fromLatin1(files.name);
    QLOG << QString(label + QStringLiteral(".h.count=")) << table.h.count;
    if (table.h.flag != files.flag || std::memcmp(table.h.name, files.name.constData(), size_t(files.name.size() + 1))) {
        QLOG << "flag=" << files.flag << QString(QStringLiteral(",") + label + QStringLiteral(".h.flag=")) << table.h.flag
             << "name=" << label << QString(QStringLiteral(",") + label + QStringLiteral(".h.name="))
             << QString::fromLatin1(table.h.name, int(qstrnlen(table.h.name, sizeof(table.h.name))));
        return false;
    }
    // Nothing reaches the map before the whole pair was read: a half table would be saved over the rest.
    const quint32 count = table.h.count;
    QVector<QPair<table_entry, QByteArray>> stored;
    stored.reserve(int(qMin(count, quint32(tableFile.size() / table_entry::fileSize))));
    const qint64 dataSize = dataFile.size();
    for (quint32 i = 0; i < count; ++i) {
        const QByteArray entryBytes = tableFile.read(table_entry::fileSize);
        if (entryBytes.size() != table_entry::fileSize) {
            QLOG << "read table fail! " << "ret=" << entryBytes.size() << ",size=" << table_entry::fileSize;
            return false;
        }
        const table_entry entry = table_entry::fromBytes(entryBytes.constData());
        const qint64 begin = entry.begin;
        const qint64 length = entry.length;
        if (begin < 0 || begin > dataSize || !dataFile.seek(begin)) {
            QLOG << "move data point faill! " << "data.t.begin=" << begin;
            return false;
        }
        // The length comes from the file: never allocate past what the data file holds.
        const QByteArray raw = dataFile.read(qBound<qint64>(0, length, dataSize - begin));
        if (length < 0 || raw.size() != length) {
            QLOG << "read data fail! " << "ret=" << raw.size() << ",size=" << length;
            return false;
        }
        stored.append(qMakePair(entry, raw));
    }
    // A stored day with data that no longer reads back fails the load: marked as read, the next
    // save would write the table without it. A cleared day holds no data and is simply dropped.
    const auto before = table.days;
    for (const auto& day : stored) {
        if (!add(day.first.head, SYNC_TYPE(day.first.sync), day.second) && !day.second.isEmpty()) {
            QLOG << "stored day refused, files kept: " << files.tablePath;
            table.days = before;
            return false;
        }
    }
    table.needRead = false;
    return true;
}

template <typename Day>
bool LocalVault::saveTable(day_table<Day>& table, const day_files& files)
{
    if (!table.dirty)
        return true;
    if (!userSelected(files) || !recoverPair(files.tablePath, files.dataPath))
        return false;
    // Days on disk that were never loaded would be lost to a table that lacks them.
    if (table.needRead && (QFile::exists(files.tablePath) || QFile::exists(files.dataPath))) {
        QLOG << "table not loaded, files kept: " << files.tablePath;
        return false;
    }
    table_head head = table.h;
    setText(head.name, sizeof(head.name), files.name);
    if (userId.size() < maxUserIdSize)
        setText(head.user, sizeof(head.user), userId.toLatin1());
    head.flag = files.flag;
    head.count = quint32(table.days.size());

    // The days are the user's own: the temporaries, and so the files they become, are private.
    const QString dataTempPath = tempOf(files.dataPath);
    QFile dataTemp;
    if (!PrivateFile::create(dataTemp, dataTempPath)) {
        QLOG << "open file fail! " << dataTempPath;
        return false;
    }
    QByteArray entries;
    entries.reserve(table.days.size() * table_entry::fileSize);
    QVector<table_entry> saved;
    saved.reserve(table.days.size());
    qint64 offset = 0;
    for (const Day& day : qAsConst(table.days)) {
        if (dataTemp.write(day.raw) != day.raw.size()) {
            QLOG << "write file fail! " << dataTempPath;
            dropTemps(files.tablePath, files.dataPath);
            return false;
        }
        table_entry entry = day.t;
        if (entry.sync == SYNC_EMPTY || entry.sync == SYNC_NEW)
            entry.sync = SYNC_SAVED;
        entry.begin = offset;
        entry.length = day.raw.size();
        offset += day.raw.size();
        entries += entry.toBytes();
        saved.append(entry);
    }
    if (!closeOnDisk(dataTemp, dataTempPath)) {
        QLOG << "write file fail! " << dataTempPath;
        dropTemps(files.tablePath, files.dataPath);
        return false;
    }
    const QString tableTempPath = tempOf(files.tablePath);
    QFile tableTemp;
    if (!PrivateFile::create(tableTemp, tableTempPath)) {
        QLOG << "open file fail! " << tableTempPath;
        dropTemps(files.tablePath, files.dataPath);
        return false;
    }
    if (tableTemp.write(head.toBytes()) != table_head::fileSize) {
        QLOG << "write head fail! " << tableTempPath;
        dropTemps(files.tablePath, files.dataPath);
        return false;
    }
    if (tableTemp.write(entries) != entries.size() || !closeOnDisk(tableTemp, tableTempPath)) {
        QLOG << "write file fail! " << tableTempPath;
        dropTemps(files.tablePath, files.dataPath);
        return false;
    }
    if (!replaceFile(dataTempPath, files.dataPath)) {
        QLOG << "clear file fail! " << dataTempPath;
        dropTemps(files.tablePath, files.dataPath);
        return false;
    }
    // From here the new data file is in place; a table left as its temporary is finished by the next load.
    if (!replaceFile(tableTempPath, files.tablePath)) {
        QLOG << "clear file fail! " << tableTempPath;
        return false;
    }
    int index = 0;
    for (Day& day : table.days) {
        day.t.sync = saved.at(index).sync;
        day.t.begin = saved.at(index).begin;
        ++index;
    }
    table.h = head;
    table.needRead = false;
    table.dirty = false;
    return true;
}

bool LocalVault::fdReadStep()
{
    return readTable(step, stepFiles(), [this](const uchar* head, const SYNC_TYPE& sync, const QByteArray& raw) {
        return fdAddStep(head, sync, raw, false);
    });
}

bool LocalVault::fdReadSleep()
{
    return readTable(sleep, sleepFiles(), [this](const uchar* head, const SYNC_TYPE& sync, const QByteArray& raw) {
        return fdAddSleep(head, sync, raw, false);
    });
}

bool LocalVault::fdRead()
{
    const bool stepRead = fdReadStep();
    const bool sleepRead = fdReadSleep();
    return stepRead && sleepRead;
}

bool LocalVault::fdSaveStep()
{
    return saveTable(step, stepFiles());
}

bool LocalVault::fdSaveSleep()
{
    return saveTable(sleep, sleepFiles());
}

bool LocalVault::fdSave()
{
    const bool stepSaved = fdSaveStep();
    const bool sleepSaved = fdSaveSleep();
    return stepSaved && sleepSaved;
}
