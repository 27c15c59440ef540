#include "startup.h"

#include "localvault.h"
#include "resource.h"
#include "trace.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTranslator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const Resource::ID TRANSLATION_CHINESE = 90;
const Resource::ID TRANSLATION_OTHER = 91;

// Under O_NOFOLLOW the kernel reports a link in place of the lock file as ELOOP, which does not
// read as what it is in the log.
const char* errorText(const int& error)
{
    return error == ELOOP ? "is a link" : ::strerror(error);
}

// Why the open folder cannot hold the guard, or nothing. Another user's folder is left as it is;
// our own is closed to group and others, as the store does, since whoever can write it can swap
// the lock file and let a second instance in.
const char* notPrivate(const int& folder)
{
    struct stat info = {};
    if (::fstat(folder, &info) != 0)
        return ::strerror(errno);
    if (info.st_uid != ::geteuid())
        return "is not the user's own";
    if (::fchmod(folder, S_IRWXU) == 0)
        return nullptr;
    // Not to be tightened (a read-only mount): it still serves when nobody else can write it.
    if (::fstat(folder, &info) != 0)
        return ::strerror(errno);
    return (info.st_mode & (S_IWGRP | S_IWOTH)) ? "can be written by others" : nullptr;
}

// Opens the folder when it can hold the guard; -1 with the reason set when not. A link to a
// folder of the user's own serves (some keep their settings elsewhere); what counts is the folder
// opened. The lock file is then opened below this handle, so the folder checked is the folder
// locked in.
int openPrivateFolder(const QString& folder, const char*& reason)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) {
        reason = errorText(errno);
        return -1;
    }
    reason = notPrivate(handle);
    if (!reason)
        return handle;
    ::close(handle);
    return -1;
}

Startup::GUARD guardFailed(const QString& path, const char* reason)
{
    QLOG << "guard lock failed:" << path << reason;
    return Startup::GUARD_FAILED;
}

} // namespace

Startup::Guard::~Guard()
{
    release();
}

Startup::GUARD Startup::Guard::take(const QString& folder)
{
    release();
    LocalVault::fdMakeDir(folder);
    const char* reason = nullptr;
    const int handle = openPrivateFolder(folder, reason);
    if (handle < 0)
        return guardFailed(folder, reason);
    // Close-on-exec: what the program starts, the detached driver installer among them, must not
    // hold the guard on after the program ends.
    m_handle = ::openat(handle, GUARD_FILE, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    const int error = errno;
    ::close(handle);
    const QString path = folder + QLatin1Char('/') + QLatin1String(GUARD_FILE);
    if (m_handle < 0)
        return guardFailed(path, errorText(error));
    if (::flock(m_handle, LOCK_EX | LOCK_NB) == 0)
        return GUARD_ALONE;
    const int lockError = errno;
    release();
    if (lockError != EWOULDBLOCK)
        return guardFailed(path, ::strerror(lockError));
    QLOG << "Quorin already runed";
    return GUARD_TAKEN;
}

void Startup::Guard::release()
{
    if (m_handle < 0)
        return;
    ::close(m_handle);
    m_handle = -1;
}

bool Startup::updateLanguage(QTranslator& translator)
{
    const QLocale locale = QLocale::system();
    const QString file = Resource::getResPath(locale.language() == QLocale::Chinese ? TRANSLATION_CHINESE
                                                                                    : TRANSLATION_OTHER);
    const bool loaded = translator.load(file);
    QLOG.nospace() << "ret=" << loaded << ",l=" << int(locale.language()) << ",file=" << file;
    return QCoreApplication::installTranslator(&translator);
}

Startup::GUARD Startup::isRuned(Guard& guard)
{
    return guard.take(LocalVault::fdConfigDir());
}
