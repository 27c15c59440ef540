// Saves and loads ten years of full days and reports the time, the peak memory and the file sizes.
// Run by hand: build/tests/LocalVault/bench_dayfiles 2>/dev/null
#include "localvault.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

namespace {
const int dayCount = 3650;
const int minutesPerDay = 1440;
const int maxItems = 255;
const uchar head2[4] = {0, 0, 0, 2};

QByteArray packetHead(const QDate& date, int interval, int countAt)
{
    QByteArray head(17, '\0');
    head[7] = char(date.year() - 2000);
    head[8] = char(date.month());
    head[9] = char(date.day());
    head[10] = char(interval);
    head[countAt] = char(maxItems);
    return head;
}

// A day of one-minute steps; the count byte can announce at most 255 of them.
QByteArray stepDay(const QDate& date)
{
    QByteArray data = packetHead(date, 1, 11);
    for (int minute = 0; minute < minutesPerDay; ++minute) {
        const int steps = (minute * 7 + date.day()) % 120;
        data += char(steps >> 8);
        data += char(steps & 0xFF);
    }
    return data;
}

// A night with as many segments as the count byte can announce.
QByteArray sleepDay(const QDate& date)
{
    QByteArray data = packetHead(date, 1, 10);
    for (int segment = 0; segment < maxItems; ++segment) {
        const int start = (maxItems - segment) * 2;
        data += char(start >> 8);
        data += char(start & 0xFF);
        data += char(2);
        data += char(segment % 8);
    }
    return data;
}

qint64 peakKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

qint64 fileSize(const QString& path)
{
    return QFileInfo(path).size();
}
} // namespace

// Saves in this process, then loads in a fresh one, so each peak is its own.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString user = QStringLiteral("13800000000");
    if (app.arguments().size() == 2) {
        LocalVault vault;
        vault.fdSetUserId(user);
        QElapsedTimer timer;
        timer.start();
        const bool loaded = vault.fdRead();
        out << "load: " << timer.elapsed() << " ms, " << (loaded ? "ok" : "FAILED") << ", " << vault.fdSteps().size()
            << " step days, " << vault.fdSleeps().size() << " nights, peak memory " << peakKilobytes() << " KiB"
            << Qt::endl;
        return loaded ? 0 : 1;
    }
    QTemporaryDir home;
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        qputenv(name, home.path().toLocal8Bit());
    LocalVault vault;
    vault.fdSetUserId(user);
    vault.fdRead();
    const QDate first = QDate::currentDate().addDays(-dayCount);
    for (int day = 0; day < dayCount; ++day) {
        const QDate date = first.addDays(day);
        vault.fdAddStep(head2, LocalVault::SYNC_NEW, stepDay(date), false);
        vault.fdAddSleep(head2, LocalVault::SYNC_NEW, sleepDay(date), false);
    }
    QElapsedTimer timer;
    timer.start();
    const bool saved = vault.fdSave();
    out << "save: " << timer.elapsed() << " ms, " << (saved ? "ok" : "FAILED") << ", peak memory " << peakKilobytes()
        << " KiB" << Qt::endl;
    const QString dir =
        QStringLiteral("%1/quorin/%2/").arg(QStandardPaths::writableLocation(QStandardPaths::DataLocation), user);
    qint64 files = 0;
    for (const char* name : {"step.t", "step.d", "sleep.t", "sleep.d"}) {
        const qint64 size = fileSize(dir + QLatin1String(name));
        files += size;
        out << name << ": " << size << " bytes" << Qt::endl;
    }
    out << "files: " << files / 1024 << " KiB" << Qt::endl;
    QProcess load;
    load.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    load.start(app.applicationFilePath(), {QStringLiteral("--load")});
    load.waitForFinished(-1);
    return saved && load.exitCode() == 0 ? 0 : 1;
}
