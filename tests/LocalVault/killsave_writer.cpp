#include "killsavedays.h"
#include "localvault.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

// The kill test's writer: loads the store, then rewrites a day and saves, over and over, until
// it is killed. After each save it writes "saved <generation>" to stdout, unbuffered.
// Usage: killsave_writer <application name> <user> <first generation>

namespace {

void announce(const qint64& generation)
{
    const QByteArray line = "saved " + QByteArray::number(generation) + '\n';
    if (::write(STDOUT_FILENO, line.constData(), size_t(line.size())) != line.size())
        std::_Exit(6);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "Usage: killsave_writer <application name> <user> <first generation>\n");
        return 2;
    }
    // The store's folders follow the application name: the same as the test's.
    QCoreApplication::setApplicationName(QString::fromLocal8Bit(argv[1]));
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    LocalVault vault;
    if (!vault.fdSetUserId(QString::fromLocal8Bit(argv[2])) || !vault.fdRead())
        return 3;
    std::printf("loaded\n");
    std::fflush(stdout);
    for (qint64 generation = QByteArray(argv[3]).toLongLong();; ++generation) {
        const QDate day = KillSaveDays::dateOf(generation);
        const LocalVault::SYNC_TYPE sync = KillSaveDays::syncOf(generation);
        if (!vault.fdAddStep(KillSaveDays::head, LocalVault::SYNC_NEW, KillSaveDays::stepPacket(generation), false)
            || !vault.fdAddSleep(KillSaveDays::head, LocalVault::SYNC_NEW, KillSaveDays::sleepPacket(generation), false))
            return 4;
        if (sync == LocalVault::SYNC_UPLOADED
            && (!vault.fdUpdateStepSync(day, sync) || !vault.fdUpdateSleepSync(day, sync)))
            return 4;
        if (!vault.fdSave())
            return 5;
        announce(generation);
    }
}
