#include "startup.h"

#include "resource.h"
#include "trace.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSharedMemory>
#include <QSystemSemaphore>
#include <QTranslator>

namespace {

const Resource::ID TRANSLATION_CHINESE = 90;
const Resource::ID TRANSLATION_OTHER = 91;

} // namespace

QString Startup::userKey(const char* stem, const uint& uid)
{
    return QLatin1String(stem) + QLatin1Char('-') + QString::number(uid);
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

Startup::GUARD Startup::isRuned(QSystemSemaphore& lock, QSharedMemory& guard)
{
    if (!lock.acquire()) {
        QLOG << "guard lock failed:" << lock.errorString();
        return GUARD_FAILED;
    }
    // A killed instance leaves its segment with nobody attached, and every later start would take
    // it for a running one. Attaching and detaching removes such a segment; a running instance
    // stays attached to its own, so that one survives and still keeps us out. The attach needs
    // the key file, which a failed create leaves behind: the left segment may stand under a key
    // file since deleted whose key a new file happens to get.
    bool created = guard.create(1, QSharedMemory::ReadWrite);
    if (!created && guard.error() == QSharedMemory::AlreadyExists) {
        if (guard.attach())
            guard.detach();
        created = guard.create(1, QSharedMemory::ReadWrite);
    }
    const QSharedMemory::SharedMemoryError error = guard.error();
    const QString errorText = guard.errorString();
    lock.release();
    if (created)
        return GUARD_ALONE;
    if (error == QSharedMemory::AlreadyExists) {
        QLOG << "Quorin already runed";
        return GUARD_TAKEN;
    }
    QLOG << "guard create failed:" << int(error) << errorText;
    return GUARD_FAILED;
}
