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
// in the file, unless deflated; each records the Unix mode given (0: none).
inline QString makePackage(const QString& path, const Entries& entries, quint32 mode = 0, bool deflated = false)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return QString();
    for (const auto& entry : entries) {
        QuaZipFile file(&zip);
        QuaZipNewInfo info(entry.first);
        info.externalAttr = mode << 16;
        file.open(QIODevice::WriteOnly, info, nullptr, 0, deflated ? Z_DEFLATED : 0, deflated ? Z_BEST_COMPRESSION : 0);
        file.write(entry.second);
        file.close();
    }
    zip.close();
    return path;
}

#endif // PACKAGEMAKER_H
