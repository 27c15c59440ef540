#ifndef PACKAGEREADER_H
#define PACKAGEREADER_H

#include <quazip.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads an update package entry by entry and refuses it at the first sign of damage. The
// entry names are checked before anything is unpacked, so a hostile package writes nothing.
class PackageReader
{
public:
    // names: the archive's listing, in archive order.
    PackageReader(const QString& zipPath, const QStringList& names);

    // The archive opens, lists at least one entry, and every name stays inside the target and
    // holds no control character.
    bool open();
    int count() const;
    // Reads entry index whole; entries are read in archive order, starting with 0. False when
    // the entry is not the listed one, or its data does not read back complete with its CRC.
    bool read(int index, QString* name, QByteArray* bytes);

    // Every entry opens and reads back complete with its CRC.
    bool verifyAll();

    // A name that, under either separator and with ".." resolved, stays below the target folder.
    static bool isContainedName(const QString& name);

private:
    bool goTo(int index);

    QuaZip zip;
    QStringList names;
};

#endif // PACKAGEREADER_H
