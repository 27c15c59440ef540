#include "resource.h"
#include "startup.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSharedMemory>
#include <QSystemSemaphore>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

const QString QUORIN = QStringLiteral("Quorin");
const QString CONSOLE = QStringLiteral("QuorinConsole");
const int START_MS = 30000;  // a loaded machine or the sanitizer build starts slowly
// The instrumented build starts several times slower and scans for leaks on its way out.
#ifdef QUORIN_SANITIZED
const int SECOND_EXIT_MS = 10000;
#else
const int SECOND_EXIT_MS = 2000;
#endif

// A program folder of its own with copies of both programs (so pid file and update list are
// this test's), and a TMPDIR of its own, from which Qt derives the guard's keys.
class ProgramFolder
{
public:
    ProgramFolder()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("program"));
        QDir(m_dir.path()).mkpath(QStringLiteral("tmp"));
        QFile::copy(QStringLiteral(QUORIN_PROGRAM), path(QUORIN));
        QFile::copy(QStringLiteral(QUORIN_CONSOLE_PROGRAM), path(CONSOLE));
    }

    ~ProgramFolder()
    {
        for (const auto& process : m_processes) {
            process->kill();
            process->waitForFinished(START_MS);
        }
        sweepGuard();
    }

    // Inside the program folder; "../outside/..." lies beside it.
    QString path(const QString& name) const { return QDir::cleanPath(m_dir.filePath(QStringLiteral("program/") + name)); }
    QString tmp() const { return m_dir.filePath(QStringLiteral("tmp")); }

    QProcess* start(const QString& program, const QString& lang = QStringLiteral("C"))
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), tmp());
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LANGUAGE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), lang);
        process->setProcessEnvironment(env);
        process->setProgram(path(program));
        process->start();
        m_processes.push_back(std::move(process));
        return m_processes.back().get();
    }

    // Holds the guard as an instance of the user uid does, under that user's keys in this
    // folder's TMPDIR, until the folder goes.
    bool holdGuard(const uint& uid)
    {
        const QByteArray saved = qgetenv("TMPDIR");
        qputenv("TMPDIR", tmp().toUtf8());
        m_lock = std::make_unique<QSystemSemaphore>(Startup::userKey(Startup::LOCK_STEM, uid), 1,
                                                    QSystemSemaphore::Open);
        m_guard = std::make_unique<QSharedMemory>(Startup::userKey(Startup::GUARD_STEM, uid));
        const bool created = m_guard->create(1);
        qputenv("TMPDIR", saved);
        return created;
    }

    QByteArray pidFile() const
    {
        QFile file(path(QStringLiteral("pid")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    // A killed instance leaves its segment and semaphores in the kernel; remove them while the
    // key files that name them still exist.
    void sweepGuard() const
    {
        const QByteArray saved = qgetenv("TMPDIR");
        qputenv("TMPDIR", tmp().toUtf8());
        const QString guardKey = Startup::userKey(Startup::GUARD_STEM, ::getuid());
        {
            QSharedMemory segment(guardKey);
            if (segment.attach())
                segment.detach();
        }
        QSystemSemaphore(Startup::userKey(Startup::LOCK_STEM, ::getuid()), 1, QSystemSemaphore::Create);
        QSystemSemaphore(guardKey, 1, QSystemSemaphore::Create);
        qputenv("TMPDIR", saved);
    }

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    std::unique_ptr<QSystemSemaphore> m_lock;
    std::unique_ptr<QSharedMemory> m_guard;
};

QByteArray pidOf(const QProcess* process)
{
    return QByteArray::number(process->processId());
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void secondStart_data();
    void secondStart();
    void startAfterKill_data();
    void startAfterKill();
    void guardPerUser_data();
    void guardPerUser();
    void backupsCleared_data();
    void backupsCleared();
    void language_data();
    void language();
};

void TestStartup::secondStart_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("Quorin keeps a second Quorin out")               << QUORIN << QUORIN;
    QTest::newRow("Quorin keeps QuorinConsole out")                 << QUORIN << CONSOLE;
    QTest::newRow("QuorinConsole keeps Quorin out")                 << CONSOLE << QUORIN;
    QTest::newRow("QuorinConsole keeps a second QuorinConsole out") << CONSOLE << CONSOLE;
}

void TestStartup::secondStart()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    ProgramFolder folder;
    QProcess* running = folder.start(first);
    QTRY_COMPARE_WITH_TIMEOUT(folder.pidFile(), pidOf(running), START_MS);

    QProcess* late = folder.start(second);
    QVERIFY(late->waitForStarted(START_MS));
    QVERIFY2(late->waitForFinished(SECOND_EXIT_MS), "the second start did not end in time");
    QCOMPARE(late->exitStatus(), QProcess::NormalExit);
    QCOMPARE(late->exitCode(), 0);
    QVERIFY(late->readAllStandardError().contains("Quorin already runed"));
    QCOMPARE(running->state(), QProcess::Running);
    QCOMPARE(folder.pidFile(), pidOf(running));
}

void TestStartup::startAfterKill_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Quorin starts after a killed Quorin")               << QUORIN;
    QTest::newRow("QuorinConsole starts after a killed QuorinConsole") << CONSOLE;
}

void TestStartup::startAfterKill()
{
    QFETCH(QString, program);
    ProgramFolder folder;
    QProcess* killed = folder.start(program);
    QTRY_COMPARE_WITH_TIMEOUT(folder.pidFile(), pidOf(killed), START_MS);
    killed->kill();
    QVERIFY(killed->waitForFinished(START_MS));

    QProcess* next = folder.start(program);
    QTRY_COMPARE_WITH_TIMEOUT(folder.pidFile(), pidOf(next), START_MS);
    QVERIFY(!next->readAllStandardError().contains("Quorin already runed"));

    // The new instance holds the guard again.
    QProcess* third = folder.start(program);
    QVERIFY(third->waitForFinished(START_MS));
    QCOMPARE(third->exitCode(), 0);
    QVERIFY(third->readAllStandardError().contains("Quorin already runed"));
    QCOMPARE(next->state(), QProcess::Running);
}

void TestStartup::guardPerUser_data()
{
    QTest::addColumn<uint>("holder");  // the holding user's uid, counted from this user's
    QTest::addColumn<bool>("keptOut");
    QTest::newRow("a guard under this user's keys keeps Quorin out")     << 0u << true;
    QTest::newRow("a guard under another user's keys keeps nobody out") << 1u << false;
}

void TestStartup::guardPerUser()
{
    QFETCH(uint, holder);
    QFETCH(bool, keptOut);
    ProgramFolder folder;
    QVERIFY(folder.holdGuard(::getuid() + holder));
    QProcess* program = folder.start(QUORIN);
    if (keptOut) {
        QVERIFY(program->waitForFinished(START_MS));
        QCOMPARE(program->exitCode(), 0);
        QVERIFY(program->readAllStandardError().contains("Quorin already runed"));
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(folder.pidFile(), pidOf(program), START_MS);
    QCOMPARE(program->state(), QProcess::Running);
}

void TestStartup::backupsCleared_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("backups beside the program")
        << QStringList{QStringLiteral("Quorin.bk"), QStringLiteral("libPageMenu.so.bk")} << QStringList();
    QTest::newRow("a backup in a sub folder")
        << QStringList{QStringLiteral("plugins/platforms/libqxcb.so.bk")} << QStringList();
    QTest::newRow("an empty line between two")
        << QStringList{QStringLiteral("a.bk"), QString(), QStringLiteral("b.bk")} << QStringList();
    QTest::newRow("a listed file that is no backup stays")
        << QStringList{QStringLiteral("a.bk"), QStringLiteral("libCloudGate.so")} << QStringList{QStringLiteral("libCloudGate.so")};
    QTest::newRow("a backup outside the program folder stays")
        << QStringList{QStringLiteral("a.bk"), QStringLiteral("../outside/user.bk")} << QStringList{QStringLiteral("../outside/user.bk")};
}

void TestStartup::backupsCleared()
{
    QFETCH(QStringList, listed);
    QFETCH(QStringList, kept);
    ProgramFolder folder;
    QStringList lines;
    for (const QString& name : listed) {
        if (name.isEmpty()) {
            lines << QString();
            continue;
        }
        const QString path = folder.path(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        lines << path;
    }
    const QString listPath = folder.path(QStringLiteral("updatelist.conf"));
    QFile list(listPath);
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(lines.join(QStringLiteral("\r\n")).toUtf8());
    list.close();

    folder.start(QUORIN);
    // The list goes after the backups it names.
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(listPath), START_MS);
    for (const QString& name : listed) {
        if (!name.isEmpty())
            QVERIFY2(QFile::exists(folder.path(name)) == kept.contains(name), qPrintable(name));
    }
}

void TestStartup::language_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("resource");
    QTest::newRow("simplified Chinese takes 90")  << QStringLiteral("zh_CN.UTF-8") << int(QLocale::Chinese) << 90;
    QTest::newRow("traditional Chinese takes 90") << QStringLiteral("zh_TW.UTF-8") << int(QLocale::Chinese) << 90;
    QTest::newRow("the C locale takes 91")        << QStringLiteral("C")           << int(QLocale::C)       << 91;
    QTest::newRow("English takes 91")             << QStringLiteral("en_US.UTF-8") << int(QLocale::English) << 91;
    QTest::newRow("German takes 91")              << QStringLiteral("de_DE.UTF-8") << int(QLocale::German)  << 91;
}

void TestStartup::language()
{
    QFETCH(QString, lang);
    QFETCH(int, language);
    QFETCH(int, resource);
    ProgramFolder folder;
    QProcess* program = folder.start(QUORIN, lang);
    QTRY_COMPARE_WITH_TIMEOUT(folder.pidFile(), pidOf(program), START_MS);
    const QString log = QString::fromUtf8(program->readAllStandardError());
    const QString expected = QStringLiteral(",l=%1,file=\"%2\"").arg(language).arg(Resource::getResPath(quint16(resource)));
    QVERIFY2(log.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + log));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
