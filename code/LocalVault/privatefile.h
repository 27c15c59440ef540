#ifndef PRIVATEFILE_H
#define PRIVATEFILE_H

#include <QFileDevice>
#include <QString>

class QFile;

// The user's own files and folders: nobody else can read them from the moment they exist.
namespace PrivateFile {

const QFileDevice::Permissions fileMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Opens file for writing as a new file at path, with fileMode; the file then has no name of its
// own. Whatever stands at path fails it (errno EEXIST), a link included: nobody can point the
// content elsewhere.
bool createNew(QFile& file, const QString& path);

// The same at a fixed name: what stands at path is removed first, a link as a link, so the
// content goes into a new file. The old one may be readable by others, and so may handles
// opened on it.
bool create(QFile& file, const QString& path);

// Creates one folder, for its owner only; a folder already there keeps its mode.
bool makeFolder(const QString& path);

// Creates the folder and every missing folder above it, as makeFolder does.
bool makePath(const QString& path);

// Takes group and others off a folder that is already there, such as one an earlier version
// left open to all.
bool closeFolder(const QString& path);

} // namespace PrivateFile

// Folders of the program's own files: readable by all, never writable by group or others.
namespace ProgramFolder {

// Creates the folder and every missing folder above it, each at most rwxr-xr-x from the start,
// less the umask; a folder already there keeps its mode.
bool makePath(const QString& path);

} // namespace ProgramFolder

#endif // PRIVATEFILE_H
