#include "packagemaker.h"
#include "vaultprobe.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Every whole-file write under a file size limit, as on a full disk: a write cut short is
// reported as a failure and leaves the earlier file as it was.
class TestShortWrite : public QObject
{
    Q_OBJECT
private slots:
    void cappedWrite_data();
    void cappedWrite();
};

namespace {
const QByteArray oldProgram = "old program";
const QByteArray oldFirst = "old first";

// Runs the operation in a child whose files cannot grow past cap bytes; SIGXFSZ ignored, so a
// write past the cap comes back short instead of killing the child. 1: true, 0: false.
int underSizeCap(qint64 cap, const std::function<bool()>& operation)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {rlim_t(cap), rlim_t(cap)};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(2);
        _exit(operation() ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

LocalVault::userinfo record(const char* id, quint32 nLogin)
{
    LocalVault::userinfo info;
    std::memcpy(info.id, id, std::strlen(id));
    std::memcpy(info.pwd, "secret", 6);
    info.markPwd = 1;
    info.dt_login = {2024, 5, 6, 7, 8, 9};
    info.nLogin = nLogin;
    return info;
}

QStringList backups(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.bk")}, QDir::Files);
}
} // namespace

void TestShortWrite::cappedWrite_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<qint64>("cap");
    QTest::addColumn<int>("entrySize");
    QTest::addColumn<bool>("saved");
    // The write buffer holds 16 KiB: smaller entries reach the disk only at the flush.
    QTest::newRow("user record cut at 50 bytes") << "userinfo" << qint64(50) << 0 << false;
    QTest::newRow("user record under a roomy cap") << "userinfo" << qint64(4096) << 0 << true;
    QTest::newRow("pid file cut at 2 bytes") << "pid" << qint64(2) << 0 << false;
    QTest::newRow("pid file under a roomy cap") << "pid" << qint64(4096) << 0 << true;
    QTest::newRow("update: entry cut in the write buffer") << "update" << qint64(1024) << 2000 << false;
    QTest::newRow("update: entry cut past the write buffer") << "update" << qint64(1024) << 100000 << false;
    QTest::newRow("update: backup list cut") << "update" << qint64(8) << 4 << false;
    QTest::newRow("update under a roomy cap") << "update" << qint64(1 << 20) << 100000 << true;
    QTest::newRow("extract: entry cut in the write buffer") << "extract" << qint64(1024) << 2000 << false;
    QTest::newRow("extract: entry cut past the write buffer") << "extract" << qint64(1024) << 100000 << false;
    QTest::newRow("extract under a roomy cap") << "extract" << qint64(1 << 20) << 100000 << true;
}

void TestShortWrite::cappedWrite()
{
    QFETCH(QString, operation);
    QFETCH(qint64, cap);
    QFETCH(int, entrySize);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("target"));
    QVERIFY(QDir().mkpath(target));
    writeAll(target + QStringLiteral("/first.txt"), oldFirst);
    writeAll(target + QStringLiteral("/prog"), oldProgram);
    const QByteArray newProgram(entrySize, 'N');
    const QString zip = makePackage(dir.filePath(QStringLiteral("p.zip")),
                                    {{QStringLiteral("first.txt"), "new first"}, {QStringLiteral("prog"), newProgram}});
    const QString pidFile = dir.filePath(QStringLiteral("pid"));
    writeAll(pidFile, "123456789");
    VaultProbe vault;
    QVERIFY(vault.fdSetUserInfo(record("old user", 1)));

    const QMap<QString, std::function<bool()>> operations{
        {QStringLiteral("userinfo"), [&] { return vault.fdSetUserInfo(record("13800000000", 2)); }},
        {QStringLiteral("pid"), [&] { return LocalVault::fdInitLock(pidFile, 4242); }},
        {QStringLiteral("update"), [&] { return vault.fdSoftUpdate(1, zip, target); }},
        {QStringLiteral("extract"), [&] { return LocalVault::fdExtract(zip, target); }},
    };
    QCOMPARE(underSizeCap(cap, operations.value(operation)), int(saved));

    QCOMPARE(QByteArray(vault.fdUserinfo().id), QByteArray(operation == "userinfo" && saved ? "13800000000" : "old user"));
    QCOMPARE(readAll(pidFile), QByteArray(operation == "pid" && saved ? "4242" : "123456789"));
    const bool unpacked = operation != "userinfo" && operation != "pid" && saved;
    QCOMPARE(readAll(target + QStringLiteral("/prog")), unpacked ? newProgram : oldProgram);
    if (operation != "update")
        return;
    // A failed run puts every backup back; the next start then deletes nothing.
    QCOMPARE(backups(target), saved ? (QStringList{"first.txt.bk", "prog.bk"}) : QStringList());
    QCOMPARE(QFile::exists(target + QStringLiteral("/updatelist.conf")), saved);
    QCOMPARE(readAll(target + QStringLiteral("/first.txt")), saved ? QByteArray("new first") : oldFirst);
    QVERIFY(LocalVault::fdUpdateClear(target + QStringLiteral("/updatelist.conf")));
    QCOMPARE(readAll(target + QStringLiteral("/prog")), saved ? newProgram : oldProgram);
    QCOMPARE(QDir(target).entryList(QDir::Files), (QStringList{"first.txt", "prog"}));
}

QTEST_GUILESS_MAIN(TestShortWrite)
#include "tst_shortwrite.moc"
