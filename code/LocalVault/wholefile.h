#ifndef WHOLEFILE_H
#define WHOLEFILE_H

#include <QByteArray>
#include <QString>

// Replaces the file's content through a temporary file and a rename: a reader sees the old
// content or the new one, never a half-written file.
bool writeWholeFile(const QString& path, const QByteArray& bytes);

#endif // WHOLEFILE_H
