#include "resource.h"
#include "startup.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
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

// Where a lock is held, or what stands in its place, as seen from the started program.
enum HOLDER {
    HOLDER_CONFIG,          // the program's configuration folder
    HOLDER_OTHER_CONFIG,    // another user's configuration folder
    HOLDER_RUNTIME,         // the runtime folder of this user's session, where earlier versions locked
    HOLDER_TEMP_RUNTIME,    // the runtime folder Qt makes in the shared temp folder
    HOLDER_IN_THE_WAY,      // nobody: a folder stands where this user's lock file belongs
    HOLDER_LINKED_FILE,     // a lock file elsewhere, linked to where this user's lock file belongs
    HOLDER_LINKED_FOLDER,   // nobody: the configuration folder is a link to an open folder elsewhere
    HOLDER_OPEN_FOLDER,     // nobody: the configuration folder is open to all, as earlier versions left it
    HOLDER_FOREIGN_FOLDER   // nobody: the configuration folder belongs to another user
};

const int RUNS = -1;
// What a runtime folder must be, or Qt does not take it; what the program makes of its
// configuration folder.
const QFileDevice::Permissions PRIVATE_FOLDER = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
const QFileDevice::Permissions OPEN_FOLDER = PRIVATE_FOLDER | QFileDevice::ReadGroup | QFileDevice::WriteGroup
    | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
const uid_t NOBODY = 65534;

bool makePrivate(const QString& folder)
{
    return QDir().mkpath(folder) && QFile::setPermissions(folder, PRIVATE_FOLDER);
}

// A program folder of its own with copies of both programs (so pid file and update list are
// this test's), beside a temp, configuration and runtime folder of its own.
class ProgramFolder
{
public:
    ProgramFolder()
    {
        const QDir dir(m_dir.path());
        for (const char* sub : {"program", "tmp", "config", "runtime"})
            dir.mkpath(QString::fromLatin1(sub));
        QFile::setPermissions(dir.filePath(QStringLiteral("runtime")), PRIVATE_FOLDER);
        QFile::copy(QStringLiteral(QUORIN_PROGRAM), path(QUORIN));
        QFile::copy(QStringLiteral(QUORIN_CONSOLE_PROGRAM), path(CONSOLE));
    }

    ~ProgramFolder()
    {
        for (const auto& process : m_processes) {
            process->kill();
            process->waitForFinished(START_MS);
        }
        for (const int handle : m_held)
            ::close(handle);
    }

    // Inside the program folder; "../outside/..." lies beside it.
    QString path(const QString& name) const { return QDir::cleanPath(m_dir.filePath(QStringLiteral("program/") + name)); }

    // The lock file that an instance started here takes, or one that holder takes.
    QString lockPath(const HOLDER& holder = HOLDER_CONFIG) const
    {
        return folderOf(holder) + QLatin1Char('/') + QLatin1String(Startup::GUARD_FILE);
    }

    // Without a runtime folder the program's session has no XDG_RUNTIME_DIR.
    QProcess* start(const QString& program, const QString& lang = QStringLiteral("C"), const bool& runtime = true)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), m_dir.filePath(QStringLiteral("tmp")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folderOf(HOLDER_RUNTIME));
        if (!runtime)
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LANGUAGE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), lang);
        process->setProcessEnvironment(env);
        process->setProgram(path(program));
        process->start();
        m_processes.push_back(std::move(process));
        return m_processes.back().get();
    }

    // Holds the lock at holder's lock file as a running instance does, until the folder goes,
    // or puts in place what holder names; the file's times are set ageSeconds back.
    bool holdGuard(const HOLDER& holder, const int& ageSeconds = 0)
    {
        const QString config = folderOf(HOLDER_CONFIG);
        switch (holder) {
        case HOLDER_IN_THE_WAY:
            return QDir().mkpath(lockPath());
        case HOLDER_LINKED_FILE:
            return lockAt(holder, ageSeconds) && makePrivate(config) && QFile::link(lockPath(holder), lockPath());
        case HOLDER_LINKED_FOLDER:
            return QDir().mkpath(folderOf(HOLDER_LINKED_FILE))
                && QFile::setPermissions(folderOf(HOLDER_LINKED_FILE), OPEN_FOLDER)
                && QFile::link(folderOf(HOLDER_LINKED_FILE), config);
        case HOLDER_OPEN_FOLDER:
            return QDir().mkpath(config) && QFile::setPermissions(config, OPEN_FOLDER);
        case HOLDER_FOREIGN_FOLDER:
            return makePrivate(config) && ::chown(QFile::encodeName(config).constData(), NOBODY, NOBODY) == 0;
        default:
            return lockAt(holder, ageSeconds);
        }
    }

    QByteArray pidFile() const
    {
        QFile file(path(QStringLiteral("pid")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Whether the process holds this folder's lock file open, and only close-on-exec, so that
    // nothing it starts holds the lock on.
    bool holdsLockCloseOnExec(const QProcess* process) const
    {
        const QString proc = QStringLiteral("/proc/%1/").arg(process->processId());
        bool held = false;
        for (const QString& fd : QDir(proc + QStringLiteral("fd")).entryList(QDir::Files | QDir::System)) {
            if (QFile::symLinkTarget(proc + QStringLiteral("fd/") + fd) != QFileInfo(lockPath()).canonicalFilePath())
                continue;
            QFile info(proc + QStringLiteral("fdinfo/") + fd);
            if (!info.open(QIODevice::ReadOnly))
                return false;
            const QByteArray flags = info.readAll().split('\n').value(1);
            if (!flags.startsWith("flags:") || !(flags.mid(6).trimmed().toUInt(nullptr, 8) & O_CLOEXEC))
                return false;
            held = true;
        }
        return held;
    }

private:
    bool lockAt(const HOLDER& holder, const int& ageSeconds)
    {
        const QString lock = lockPath(holder);
        if (!makePrivate(folderOf(holder)))
            return false;
        const int handle = ::open(QFile::encodeName(lock).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (handle < 0)
            return false;
        m_held.push_back(handle);
        QFile file(lock);
        const QDateTime then = QDateTime::currentDateTime().addSecs(-ageSeconds);
        return ::flock(handle, LOCK_EX | LOCK_NB) == 0 && file.open(QIODevice::ReadWrite)
            && file.setFileTime(then, QFileDevice::FileModificationTime)
            && file.setFileTime(then, QFileDevice::FileAccessTime);
    }

    QString folderOf(const HOLDER& holder) const
    {
        switch (holder) {
        case HOLDER_CONFIG:
        case HOLDER_IN_THE_WAY:
        case HOLDER_LINKED_FOLDER:
        case HOLDER_OPEN_FOLDER:
        case HOLDER_FOREIGN_FOLDER:
            return m_dir.filePath(QStringLiteral("config/quorin"));
        case HOLDER_OTHER_CONFIG:
            return m_dir.filePath(QStringLiteral("other-config/quorin"));
        case HOLDER_RUNTIME:
            return m_dir.filePath(QStringLiteral("runtime"));
        case HOLDER_LINKED_FILE:
            return m_dir.filePath(QStringLiteral("elsewhere"));
        case HOLDER_TEMP_RUNTIME:
            break;
        }
        const passwd* user = ::getpwuid(::getuid());
        return m_dir.filePath(QStringLiteral("tmp/runtime-") + QString::fromLocal8Bit(user ? user->pw_name : ""));
    }

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    std::vector<int> m_held;
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
    // Whether each start's session has a runtime folder: a desktop has, su, cron or ssh may not.
    QTest::addColumn<bool>("firstRuntime");
    QTest::addColumn<bool>("secondRuntime");
    QTest::newRow("Quorin keeps a second Quorin out")               << QUORIN << QUORIN << true << true;
    QTest::newRow("Quorin keeps QuorinConsole out")                 << QUORIN << CONSOLE << true << true;
    QTest::newRow("QuorinConsole keeps Quorin out")                 << CONSOLE << QUORIN << true << true;
    QTest::newRow("QuorinConsole keeps a second QuorinConsole out") << CONSOLE << CONSOLE << true << true;
    QTest::newRow("Quorin with a runtime folder keeps Quorin without one out")
        << QUORIN << QUORIN << true << false;
    QTest::newRow("Quorin without a runtime folder keeps Quorin with one out")
        << QUORIN << QUORIN << false << true;
}

void TestStartup::secondStart()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, firstRuntime);
    QFETCH(bool, secondRuntime);
    ProgramFolder folder;
    QProcess* running = folder.start(first, QStringLiteral("C"), firstRuntime);
    QTRY_COMPARE_WITH_TIMEOUT(folder.pidFile(), pidOf(running), START_MS);

    QProcess* late = folder.start(second, QStringLiteral("C"), secondRuntime);
    QVERIFY(late->waitForStarted(START_MS));
    QVERIFY2(late->waitForFinished(SECOND_EXIT_MS), "the second start did not end in time");
    QCOMPARE(late->exitStatus(), QProcess::NormalExit);
    QCOMPARE(late->exitCode(), 0);
    QVERIFY(late->readAllStandardError().contains("Quorin already runed"));
    QCOMPARE(running->state(), QProcess::Running);
    QCOMPARE(folder.pidFile(), pidOf(running));
    QVERIFY(folder.holdsLockCloseOnExec(running));
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
    QTest::addColumn<int>("holder");
    QTest::addColumn<int>("ageSeconds");  // how long ago the lock file was last touched
    QTest::addColumn<bool>("runtime");    // whether the session has a runtime folder
    QTest::addColumn<int>("exitCode");    // RUNS: the start goes on
    const int days = 3 * 24 * 3600;
    QTest::newRow("with a runtime folder a lock in the configuration folder keeps Quorin out")
        << int(HOLDER_CONFIG) << 0 << true << 0;
    QTest::newRow("a lock held for days keeps Quorin out")
        << int(HOLDER_CONFIG) << days << true << 0;
    QTest::newRow("a lock in another user's configuration folder keeps nobody out")
        << int(HOLDER_OTHER_CONFIG) << 0 << true << RUNS;
    QTest::newRow("without a runtime folder a lock in the configuration folder keeps Quorin out")
        << int(HOLDER_CONFIG) << 0 << false << 0;
    QTest::newRow("a lock in the runtime folder keeps nobody out")
        << int(HOLDER_RUNTIME) << 0 << true << RUNS;
    QTest::newRow("without a runtime folder a lock in the temp folder keeps nobody out")
        << int(HOLDER_TEMP_RUNTIME) << 0 << false << RUNS;
    QTest::newRow("a folder where the lock file belongs ends the start with 2")
        << int(HOLDER_IN_THE_WAY) << 0 << true << 2;
    QTest::newRow("a lock file linked to a locked one elsewhere ends the start with 2")
        << int(HOLDER_LINKED_FILE) << 0 << true << 2;
    QTest::newRow("a configuration folder linked to the user's own folder elsewhere serves")
        << int(HOLDER_LINKED_FOLDER) << 0 << true << RUNS;
    QTest::newRow("a configuration folder open to all is closed, and the start goes on")
        << int(HOLDER_OPEN_FOLDER) << 0 << true << RUNS;
    QTest::newRow("another user's configuration folder ends the start with 2")
        << int(HOLDER_FOREIGN_FOLDER) << 0 << true << 2;
}

void TestStartup::guardPerUser()
{
    QFETCH(int, holder);
    QFETCH(int, ageSeconds);
    QFETCH(bool, runtime);
    QFETCH(int, exitCode);
    if (holder == HOLDER_FOREIGN_FOLDER && ::geteuid() != 0)
        QSKIP("only root gives a folder to another user");
    ProgramFolder folder;
    QVERIFY(folder.holdGuard(HOLDER(holder), ageSeconds));
    QProcess* program = folder.start(QUORIN, QStringLiteral("C"), runtime);
    if (exitCode == RUNS) {
        QTRY_COMPARE_WITH_TIMEOUT(folder.pidFile(), pidOf(program), START_MS);
        QCOMPARE(program->state(), QProcess::Running);
        struct stat config = {};
        QCOMPARE(::stat(QFile::encodeName(QFileInfo(folder.lockPath()).path()).constData(), &config), 0);
        QCOMPARE(config.st_mode & 077, 0u);
        return;
    }
    QVERIFY(program->waitForFinished(START_MS));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), exitCode);
    QVERIFY(program->readAllStandardError().contains(exitCode ? "guard lock failed:" : "Quorin already runed"));
    QVERIFY(folder.pidFile().isEmpty());
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
