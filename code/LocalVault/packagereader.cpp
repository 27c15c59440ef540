#include "packagereader.h"

#include "trace.h"

#include <quazipfile.h>

#include <algorithm>

#include <QRegularExpression>

namespace {
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
    return true;
}

int PackageReader::count() const
{
    return names.size();
}

bool PackageReader::goTo(int index)
{
    return index == 0 ? zip.goToFirstFile() : zip.goToNextFile();
}

bool PackageReader::read(int index, QString* name, QByteArray* bytes)
{
    // The names were checked from the listing; only write under a name that was checked.
    if (index >= names.size() || !goTo(index) || zip.getCurrentFileName() != names.at(index)) {
        QLOG << "entry not as listed:" << index;
        return false;
    }
    *name = names.at(index);
    QuaZipFile entry(&zip);
    if (!entry.open(QIODevice::ReadOnly)) {
        QLOG << "entry open fail:" << *name << entry.getZipError();
        return false;
    }
    const qint64 size = entry.usize();
    *bytes = entry.readAll();
    const bool readWhole = entry.getZipError() == UNZ_OK && bytes->size() == size;
    // The CRC is only compared when the entry is closed after its last byte.
    entry.close();
    if (!readWhole || entry.getZipError() != UNZ_OK) {
        QLOG << "entry damaged:" << *name << entry.getZipError() << bytes->size() << size;
        return false;
    }
    return true;
}

bool PackageReader::verifyAll()
{
    QString name;
    QByteArray bytes;
    for (int index = 0; index < names.size(); ++index) {
        if (!read(index, &name, &bytes))
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
