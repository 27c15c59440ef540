#ifndef WHOLEFILE_H
#define WHOLEFILE_H

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <functional>

// Replaces the file's content through a temporary file and a rename: a reader sees the old
// content or the new one, never a half-written file. A file that is replaced keeps its
// permissions; a new one gets the default ones.
bool writeWholeFile(const QString& path, const QByteArray& bytes);

// The same, the new file with exactly these permissions. Its temporary is private from its
// creation and gets them before its first byte, so nobody they leave out can ever open it. A link
// at path is replaced, not followed.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions);

// The same, the content written by fill in pieces; a false fill keeps the old file.
bool writeWholeFile(const QString& path, const std::function<bool(QIODevice&)>& fill,
                    QFileDevice::Permissions permissions);

// Writes out what file still holds, waits until the disk has all of it and closes the file.
// False when any of it may be lost (a full disk, a quota, a disk that refused the data): the
// caller then keeps the old file. path only names the file in the log.
bool closeOnDisk(QFileDevice& file, const QString& path);

#endif // WHOLEFILE_H
