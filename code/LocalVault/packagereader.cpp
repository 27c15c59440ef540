#include "packagereader.h"

#include "trace.h"

#include <quazipfile.h>

#include <algorithm>

#include <QFileInfo>
#include <QRegularExpression>

namespace {
// The most of an entry held in memory at a time.
const qint64 pieceSize = qint64(64) << 10;

// A line break in a name would be written into the backup list as lines of its own.
bool hasControlCharacter(const QString& name)
{
    return std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}
} // namespace

PackageReader::PackageReader(const QString& zipPath, const QStringList& names)
    : zip(zipPath)
    , names(names)
{
}

bool PackageReader::open()
{
    if (names.isEmpty()) {
        QLOG << "empty or unreadable archive";
        return false;
    }
    for (const QString& name : names) {
        if (!isContainedName(name) || hasControlCharacter(name)) {
            QLOG << "entry outside the target or with a control character:" << name;
            return false;
        }
    }
    if (!zip.open(QuaZip::mdUnzip)) {
        QLOG << "open fail:" << zip.getZipName() << zip.getZipError();
        return false;
    }
    entries = zip.getFileInfoList64();
    if (entries.size() != names.size()) {
        QLOG << "entries not as listed:" << entries.size() << names.size();
        return false;
    }
    return claimsFit(QFileInfo(zip.getZipName()).size());
}

bool PackageReader::claimsFit(qint64 archiveSize) const
{
    quint64 total = 0;
    for (const QuaZipFileInfo64& entry : entries) {
        // No entry packs more bytes than the whole archive holds.
        const quint64 packed = qMin(entry.compressedSize, quint64(archiveSize));
        const quint64 allowed = qMax(quint64(ratioFloor), packed * quint64(maxRatio));
        if (entry.uncompressedSize > allowed || entry.uncompressedSize > quint64(maxTotalSize) - total) {
            QLOG << "entry claims too much:" << entry.name << "size:" << entry.uncompressedSize << "packed:"
                 << entry.compressedSize << "before it:" << total;
            return false;
        }
        total += entry.uncompressedSize;
    }
    return true;
}

int PackageReader::count() const
{
    return names.size();
}

QString PackageReader::name(int index) const
{
    return names.value(index);
}

QFileDevice::Permissions PackageReader::permissions(int index) const
{
    const QuaZipFileInfo64 entry = entries.value(index);
    // A link's mode is no file's: the link is unpacked as a file holding its target.
    const QFileDevice::Permissions recorded = entry.getPermissions();
    // A program file that others may write lets them run their code as this user.
    if (recorded && !entry.isSymbolicLink())
        return recorded & ~(QFileDevice::WriteGroup | QFileDevice::WriteOther);
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
}

bool PackageReader::goTo(int index)
{
    return index == 0 ? zip.goToFirstFile() : zip.goToNextFile();
}

bool PackageReader::read(int index, QIODevice* sink)
{
    // The names were checked from the listing; only write under a name that was checked.
    if (index >= names.size() || !goTo(index) || zip.getCurrentFileName() != names.at(index)) {
        QLOG << "entry not as listed:" << index;
        return false;
    }
    const QString& entryName = names.at(index);
    QuaZipFile entry(&zip);
    if (!entry.open(QIODevice::ReadOnly)) {
        QLOG << "entry open fail:" << entryName << entry.getZipError();
        return false;
    }
    const qint64 claimed = qint64(entries.at(index).uncompressedSize);
    QByteArray piece(int(pieceSize), Qt::Uninitialized);
    qint64 size = 0;
    qint64 got = 0;
    while ((got = entry.read(piece.data(), pieceSize)) > 0) {
        size += got;
        if (size > claimed)
            break;
        if (sink && sink->write(piece.constData(), got) != got) {
            QLOG << "entry write fail:" << entryName << sink->errorString();
            return false;
        }
    }
    const bool readWhole = got == 0 && entry.getZipError() == UNZ_OK && size == claimed;
    // The CRC is only compared when the entry is closed after its last byte.
    entry.close();
    if (!readWhole || entry.getZipError() != UNZ_OK) {
        QLOG << "entry damaged:" << entryName << entry.getZipError() << size << claimed;
        return false;
    }
    return true;
}

bool PackageReader::verifyAll()
{
    for (int index = 0; index < names.size(); ++index) {
        if (!read(index, nullptr))
            return false;
    }
    return true;
}

bool PackageReader::isContainedName(const QString& name)
{
    static const QRegularExpression driveLetter(QStringLiteral("^[A-Za-z]:"));
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\'))
        || driveLetter.match(name).hasMatch())
        return false;
    int depth = 0;
    for (const QString& part : name.split(QRegularExpression(QStringLiteral("[/\\\\]")))) {
        if (part == QLatin1String(".."))
            --depth;
        else if (!part.isEmpty() && part != QLatin1String("."))
            ++depth;
        if (depth < 0)
            return false;
    }
    return true;
}
