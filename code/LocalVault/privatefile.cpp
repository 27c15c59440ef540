#include "privatefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Creates the folder with makeOne once every missing folder above it was made the same way.
bool makeEach(const QString& path, const std::function<bool(const QString&)>& makeOne)
{
    const QFileInfo folder(QDir::cleanPath(QDir().absoluteFilePath(path)));
    if (folder.isDir())
        return true;
    const QString parent = folder.absolutePath();
    if (parent != folder.absoluteFilePath() && !makeEach(parent, makeOne))
        return false;
    return makeOne(folder.absoluteFilePath());
}
} // namespace

namespace PrivateFile {

bool createNew(QFile& file, const QString& path)
{
    // Qt opens new files with the umask's mode; only open(2) makes them private from the start.
    const int handle = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (handle < 0)
        return false;
    if (file.open(handle, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(handle);
    return false;
}

bool create(QFile& file, const QString& path)
{
    // A folder stays, and then fails the open.
    ::unlink(QFile::encodeName(path).constData());
    return createNew(file, path);
}

bool makeFolder(const QString& path)
{
    if (!QDir().mkdir(path))
        return QFileInfo(path).isDir();
    return closeFolder(path);
}

bool makePath(const QString& path)
{
    return makeEach(path, makeFolder);
}

bool closeFolder(const QString& path)
{
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace PrivateFile

namespace ProgramFolder {

bool makePath(const QString& path)
{
    // mkpath gives new folders the umask's mode, which may let others swap a program file.
    return makeEach(path, [](const QString& folder) {
        return ::mkdir(QFile::encodeName(folder).constData(), 0755) == 0 || QFileInfo(folder).isDir();
    });
}

} // namespace ProgramFolder
