#ifndef PACKAGEMAKER_H
#define PACKAGEMAKER_H

#include <quazip.h>
#include <quazipfile.h>

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

using Entries = QList<QPair<QString, QByteArray>>;
Q_DECLARE_METATYPE(Entries)

// A real update package. Every entry stored uncompressed, so a byte of its data can be flipped
// in the file.
inline QString makePackage(const QString& path, const Entries& entries)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return QString();
    for (const auto& entry : entries) {
        QuaZipFile file(&zip);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(entry.first), nullptr, 0, 0, 0);
        file.write(entry.second);
        file.close();
    }
    zip.close();
    return path;
}

#endif // PACKAGEMAKER_H
