#include "startup.h"

#include "localvault.h"
#include "resource.h"
#include "trace.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const Resource::ID TRANSLATION_CHINESE = 90;
const Resource::ID TRANSLATION_OTHER = 91;

// Qt's runtime folder without XDG_RUNTIME_DIR lies in the shared temp folder, where another user
// may have made it first; the configuration folder is the user's own.
QString guardFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty())
            return runtime;
    }
    const QString config = LocalVault::fdConfigDir();
    LocalVault::fdMakeDir(config);
    return config;
}

} // namespace

Startup::Guard::~Guard()
{
    release();
}

Startup::GUARD Startup::Guard::take(const QString& path)
{
    release();
    // Close-on-exec: what the program starts, the detached driver installer among them, must not
    // hold the guard on after the program ends.
    m_handle = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_handle < 0) {
        QLOG << "guard lock failed:" << path << ::strerror(errno);
        return GUARD_FAILED;
    }
    if (::flock(m_handle, LOCK_EX | LOCK_NB) == 0)
        return GUARD_ALONE;
    const int error = errno;
    release();
    if (error == EWOULDBLOCK) {
        QLOG << "Quorin already runed";
        return GUARD_TAKEN;
    }
    QLOG << "guard lock failed:" << path << ::strerror(error);
    return GUARD_FAILED;
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
    return guard.take(guardFolder() + QLatin1Char('/') + QLatin1String(GUARD_FILE));
}
