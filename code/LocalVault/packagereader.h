#ifndef PACKAGEREADER_H
#define PACKAGEREADER_H

#include <quazip.h>
#include <quazipfileinfo.h>

#include <QFileDevice>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// Reads an update package entry by entry and refuses it at the first sign of damage. The
// entry names and the sizes the entries claim are checked before anything is unpacked, so a
// hostile package writes nothing.
class PackageReader
{
public:
    // What a package may unpack to: all entries together at most maxTotalSize; each entry at most
    // maxRatio times its packed size, where an entry of up to ratioFloor bytes may pack better.
    // The program's own files pack at well under 10 to 1.
    static constexpr qint64 maxTotalSize = qint64(1) << 30;
    static constexpr qint64 maxRatio = 100;
    static constexpr qint64 ratioFloor = qint64(64) << 10;

    // names: the archive's listing, in archive order.
    PackageReader(const QString& zipPath, const QStringList& names);

    // The archive opens, lists at least one entry, every name stays inside the target and holds
    // no control character, and the sizes the entries claim stay within the limits above.
    bool open();
    int count() const;
    QString name(int index) const;
    // The mode entry index records for a new file, its 0777 bits without group and other write,
    // so at most rwxr-xr-x; rw-r--r-- when it records none.
    QFileDevice::Permissions permissions(int index) const;
    // Reads entry index in pieces into sink (none: read and checked only); entries are read in
    // archive order, starting with 0. False when the entry is not the listed one, or its data
    // runs past its claimed size or does not read back complete with its CRC.
    bool read(int index, QIODevice* sink);

    // Every entry opens and reads back complete with its CRC.
    bool verifyAll();

    // A name that, under either separator and with ".." resolved, stays below the target folder.
    static bool isContainedName(const QString& name);

private:
    bool goTo(int index);
    bool claimsFit(qint64 archiveSize) const;

    QuaZip zip;
    QStringList names;
    QList<QuaZipFileInfo64> entries;
};

#endif // PACKAGEREADER_H
