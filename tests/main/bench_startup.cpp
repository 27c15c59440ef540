// Start-up benchmark, run by hand: from process start to the first paint of the sign-in page,
// against a bare 800 x 600 window measured the same way. Each sample is a fresh process; the two
// kinds alternate. Last line: startup program=<ms> bare=<ms> ratio=<r> peak_program=<MiB> peak_bare=<MiB>
// (medians). Usage: bench_startup [rounds]   (default 7)

#include "corehub.h"
#include "mainwindow.h"
#include "startup.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTranslator>

#include <algorithm>
#include <time.h>

namespace {

const char* CHILD_PROGRAM = "--child-program";
const char* CHILD_BARE = "--child-bare";

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

qint64 peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Reports the end of the first paint of the watched widget class, then quits.
class PaintWatch : public QApplication
{
public:
    PaintWatch(int& argc, char** argv, const char* watched)
        : QApplication(argc, argv)
        , m_watched(watched)
    {
    }

    bool notify(QObject* receiver, QEvent* event) override
    {
        const bool result = QApplication::notify(receiver, event);
        if (!m_done && event->type() == QEvent::Paint && receiver->inherits(m_watched)) {
            m_done = true;
            QTextStream(stdout) << "paint " << monotonicNs() << ' ' << peakKiB() << Qt::endl;
            QMetaObject::invokeMethod(this, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return result;
    }

private:
    const char* m_watched;
    bool m_done = false;
};

// The program's own start-up, step for step as main runs it.
int childProgram(int argc, char** argv)
{
    static Startup::Guard guard;
    static QTranslator translator;
    static CoreHub* hub = nullptr;
    static MainWindow* window = nullptr;
    PaintWatch app(argc, argv, "PageSignIn");
    Startup::updateLanguage(translator);
    if (Startup::isRuned(guard) != Startup::GUARD_ALONE)
        return 3;
    hub = new CoreHub();
    window = new MainWindow(hub, nullptr);
    hub->setMainWin(window);
    const QString folder = QCoreApplication::applicationDirPath();
    hub->fdInitLock(folder + QStringLiteral("/pid"), QCoreApplication::applicationPid());
    hub->fdUpdateClear(folder + QLatin1Char('/') + hub->fdUpdateListConf());
    window->show();
    return app.exec();
}

int childBare(int argc, char** argv)
{
    PaintWatch app(argc, argv, "QWidget");
    QWidget window;
    window.resize(800, 600);
    window.show();
    return app.exec();
}

struct Sample {
    double ms = 0;
    double peakMiB = 0;
};

bool runChild(const char* mode, Sample* sample, QString* error)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // A home and TMPDIR of its own: no remembered account signs in, no running instance interferes.
    for (const char* name : {"HOME", "TMPDIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
        env.insert(QString::fromLatin1(name), home.path());
    env.insert(QStringLiteral("QUORIN_CLOUD_URL"), QString());
    env.insert(QStringLiteral("QUORIN_ADAPTER_PORT"), QString());
    if (!env.contains(QStringLiteral("DISPLAY")) && !env.contains(QStringLiteral("WAYLAND_DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess child;
    child.setProcessEnvironment(env);
    const qint64 started = monotonicNs();
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode)});
    if (!child.waitForFinished(60000) || child.exitCode() != 0) {
        *error = QString::fromLatin1(mode) + QStringLiteral(" failed: ") + QString::fromUtf8(child.readAllStandardError().right(2000));
        return false;
    }
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3 && fields[0] == "paint") {
            sample->ms = double(fields[1].toLongLong() - started) / 1e6;
            sample->peakMiB = double(fields[2].toLongLong()) / 1024;
            return true;
        }
    }
    *error = QString::fromLatin1(mode) + QStringLiteral(": no paint reported");
    return false;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && qstrcmp(argv[1], CHILD_PROGRAM) == 0)
        return childProgram(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], CHILD_BARE) == 0)
        return childBare(argc, argv);

    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? QByteArray(argv[1]).toInt() : 7;
    QTextStream out(stdout);
    if (rounds < 1) {
        out << "usage: bench_startup [rounds]" << Qt::endl;
        return 2;
    }
    QVector<double> programMs, bareMs, programPeak, barePeak;
    for (int round = 0; round < rounds; ++round) {
        Sample program, bare;
        QString error;
        if (!runChild(CHILD_PROGRAM, &program, &error) || !runChild(CHILD_BARE, &bare, &error)) {
            out << error << Qt::endl;
            return 1;
        }
        out << Qt::fixed << qSetRealNumberPrecision(1) << "round " << round + 1 << ": program " << program.ms << " ms " << program.peakMiB << " MiB, bare "
            << bare.ms << " ms " << bare.peakMiB << " MiB" << Qt::endl;
        programMs << program.ms;
        bareMs << bare.ms;
        programPeak << program.peakMiB;
        barePeak << bare.peakMiB;
    }
    const double program = median(programMs);
    const double bare = median(bareMs);
    out << Qt::fixed << qSetRealNumberPrecision(1) << "startup program=" << program << " bare=" << bare
        << qSetRealNumberPrecision(2) << " ratio=" << program / bare << qSetRealNumberPrecision(1)
        << " peak_program=" << median(programPeak) << " peak_bare=" << median(barePeak) << Qt::endl;
    return 0;
}
