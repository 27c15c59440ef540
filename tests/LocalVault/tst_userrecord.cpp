#include "vaultprobe.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <functional>
#include <vector>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

class TestUserRecord : public QObject
{
    Q_OBJECT
private slots:
    void fileLayout_data();
    void fileLayout();
    void badFile_data();
    void badFile();
    void unterminatedText();
    void writeFailure();
    void lostWrite_data();
    void lostWrite();
    void lockRefusals();
    void lockKey_data();
    void lockKey();
};

namespace {
LocalVault::userinfo record(const QByteArray& pwd, quint8 mark)
{
    LocalVault::userinfo info;
    std::memcpy(info.id, "13800000000", 11);
    std::memcpy(info.pwd, pwd.constData(), size_t(pwd.size()));
    info.markPwd = mark;
    info.dt_login = {2014, 12, 31, 23, 59, 58};
    info.nLogin = 1;
    info.nLogout = 0x01020304;
    info.dt_logout = {2015, 1, 2, 3, 4, 5};
    return info;
}

// Appends: a call of number nr whose mode argument arg lets group or others in kills the process.
void killOnOpenMode(std::vector<sock_filter>* program, int nr, int arg)
{
    const sock_filter block[] = {
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __u32(nr), 0, 4),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, __u32(offsetof(seccomp_data, args) + 8 * arg)),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, 077, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    program->insert(program->end(), std::begin(block), std::end(block));
}

// Appends: a call of number nr fails with EIO, as a failing disk or a network folder answers a
// sync of data it lost.
void failWithEio(std::vector<sock_filter>* program, int nr)
{
    const sock_filter block[] = {
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __u32(nr), 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
    };
    program->insert(program->end(), std::begin(block), std::end(block));
}

// Runs operation in a child under the rules, each a block that tests the call number.
// 1: true, 0: false, -1: killed, -2: no filter.
int filtered(const std::function<void(std::vector<sock_filter>*)>& rules, const std::function<bool()>& operation)
{
    std::vector<sock_filter> program{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
    rules(&program);
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const pid_t child = fork();
    if (child == 0) {
        const struct rlimit noCore = {0, 0};
        const sock_fprog filter = {static_cast<unsigned short>(program.size()), program.data()};
        if (setrlimit(RLIMIT_CORE, &noCore) != 0 || prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0
            || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) != 0)
            _exit(2);
        _exit(operation() ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return -2;
    if (WIFSIGNALED(status))
        return -1;
    return WEXITSTATUS(status) == 2 ? -2 : WEXITSTATUS(status);
}

// Runs operation in a child that dies the moment it creates a file, or sets a mode, that lets
// group or others in, however briefly: a reader who opens the file then keeps the handle.
int withoutOpenModes(const std::function<bool()>& operation)
{
    return filtered(
        [](std::vector<sock_filter>* program) {
#ifdef __NR_open
            killOnOpenMode(program, __NR_open, 2);
#endif
#ifdef __NR_creat
            killOnOpenMode(program, __NR_creat, 1);
#endif
#ifdef __NR_chmod
            killOnOpenMode(program, __NR_chmod, 1);
#endif
            killOnOpenMode(program, __NR_openat, 3);
            killOnOpenMode(program, __NR_fchmod, 1);
            killOnOpenMode(program, __NR_fchmodat, 2);
        },
        operation);
}

// Runs operation in a child on a disk that takes every write and loses it: each sync fails.
int onLosingDisk(const std::function<bool()>& operation)
{
    return filtered(
        [](std::vector<sock_filter>* program) {
            failWithEio(program, __NR_fsync);
            failWithEio(program, __NR_fdatasync);
        },
        operation);
}
} // namespace

void TestUserRecord::fileLayout_data()
{
    QTest::addColumn<QByteArray>("pwd");
    QTest::addColumn<int>("mark");
    QTest::addColumn<QByteArray>("storedPwd");
    QTest::addColumn<int>("leftMode");  // of a record an earlier version left, -1: none
    const QByteArray clear = QByteArray("secret").leftJustified(30, '\0');
    QTest::newRow("not remembered is stored as given") << QByteArray("secret") << 0 << clear << -1;
    // Key: 07 DE 0C 1F 17 3B 3A, repeated over all 30 bytes, zeros included.
    QByteArray scrambled = clear;
    const uchar key[7] = {0x07, 0xDE, 0x0C, 0x1F, 0x17, 0x3B, 0x3A};
    for (int j = 0; j < 30; ++j)
        scrambled[j] = char(uchar(clear[j]) + key[j % 7]);
    QTest::newRow("remembered is scrambled by the stamp") << QByteArray("secret") << 1 << scrambled << -1;
    QTest::newRow("sums past 255 wrap") << QByteArray("\xF0\xF0", 2) << 1
                                        << QByteArray::fromHex("f7ce0c1f173b3a07de0c1f173b3a07de0c1f173b3a07de0c1f173b3a07de")
                                        << -1;
    QTest::newRow("a record left readable by all is replaced, never open to others")
        << QByteArray("secret") << 1 << scrambled << 0644;
}

void TestUserRecord::fileLayout()
{
    QFETCH(QByteArray, pwd);
    QFETCH(int, mark);
    QFETCH(QByteArray, storedPwd);
    QFETCH(int, leftMode);
    const RowUmask rowUmask(022);
    VaultProbe vault;
    QFile::remove(vault.userInfoFile);
    if (leftMode >= 0) {
        writeAll(vault.userInfoFile, QByteArray(103, '\0'));
        QCOMPARE(::chmod(QFile::encodeName(vault.userInfoFile).constData(), mode_t(leftMode)), 0);
    }
    const LocalVault::userinfo written = record(pwd, quint8(mark));
    QCOMPARE(withoutOpenModes([&] { return vault.fdSetUserInfo(written); }), 1);
    QCOMPARE(modeOf(vault.userInfoFile), 0600);
    const QByteArray bytes = readAll(vault.userInfoFile);
    QCOMPARE(bytes.size(), 103);
    QCOMPARE(bytes.left(50), QByteArray("13800000000").leftJustified(50, '\0'));
    QCOMPARE(bytes.mid(50, 30), storedPwd);
    QCOMPARE(int(bytes.at(80)), mark);
    QCOMPARE(bytes.mid(81).toHex(), QByteArray("07de0c1f173b3a" "00000001" "01020304" "07df0102030405"));
    const LocalVault::userinfo back = vault.fdUserinfo();
    QVERIFY(std::memcmp(&back, &written, sizeof(back)) == 0);
}

void TestUserRecord::badFile_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("missing file") << -1;
    QTest::newRow("empty file") << 0;
    QTest::newRow("one byte short") << 102;
    QTest::newRow("one byte long") << 104;
}

void TestUserRecord::badFile()
{
    QFETCH(int, size);
    VaultProbe vault;
    QFile::remove(vault.userInfoFile);
    if (size >= 0)
        writeAll(vault.userInfoFile, QByteArray(size, '\x41'));
    const LocalVault::userinfo back = vault.fdUserinfo();
    const LocalVault::userinfo zero;
    QVERIFY(std::memcmp(&back, &zero, sizeof(back)) == 0);
}

void TestUserRecord::unterminatedText()
{
    VaultProbe vault;
    QByteArray bytes(103, 'A');
    bytes[80] = '\0';
    writeAll(vault.userInfoFile, bytes);
    const LocalVault::userinfo back = vault.fdUserinfo();
    QCOMPARE(qstrlen(back.id), uint(49));
    QCOMPARE(qstrlen(back.pwd), uint(29));
}

void TestUserRecord::writeFailure()
{
    QTemporaryDir dir;
    VaultProbe vault;
    const QString blocker = dir.filePath(QStringLiteral("file"));
    writeAll(blocker, "x");
    vault.userInfoFile = blocker + QStringLiteral("/userinfo");
    QVERIFY(!vault.fdSetUserInfo(record("pw", 1)));
    QCOMPARE(readAll(blocker), QByteArray("x"));
}

void TestUserRecord::lostWrite_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("user record") << QStringLiteral("userinfo");
    QTest::newRow("day files") << QStringLiteral("step.t");
    QTest::newRow("update list") << QStringLiteral("updatelist.conf");
    QTest::newRow("pid file") << QStringLiteral("pid");
}

void TestUserRecord::lostWrite()
{
    QFETCH(QString, file);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    VaultProbe vault;
    vault.userInfoFile = dir.filePath(QStringLiteral("userinfo"));
    vault.stepTableFile = dir.filePath(QStringLiteral("step.t"));
    vault.stepDataFile = dir.filePath(QStringLiteral("step.d"));
    const uchar head[4] = {0, 0, 0, 1};
    const QByteArray day = QByteArray::fromHex("1601010500") + QByteArray(15, '\2');
    const QMap<QString, std::function<bool(int)>> saves{
        {QStringLiteral("userinfo"), [&](int n) { return vault.fdSetUserInfo(record("pw", quint8(n))); }},
        {QStringLiteral("step.t"),
         [&](int n) { return vault.fdReadStep() && vault.fdAddStep(head, LocalVault::SYNC_NEW, day + char(n), false)
                          && vault.fdSaveStep(); }},
        {QStringLiteral("updatelist.conf"),
         [&](int n) { return writeWholeFile(dir.filePath(file), QByteArray::number(n) + "\r\n"); }},
        {QStringLiteral("pid"), [&](int n) { return LocalVault::fdInitLock(dir.filePath(file), n); }},
    };
    const std::function<bool(int)> save = saves.value(file);
    QVERIFY(save(1));
    const QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden);
    QMap<QString, QByteArray> before;
    for (const QString& name : names)
        before.insert(name, readAll(dir.filePath(name)));

    QCOMPARE(onLosingDisk([&] { return save(0); }), 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden), names);
    for (const QString& name : names)
        QCOMPARE(readAll(dir.filePath(name)), before.value(name));
}

void TestUserRecord::lockRefusals()
{
    QVERIFY(!LocalVault::fdLockPwd(nullptr));
    QVERIFY(!LocalVault::fdUnLockPwd(nullptr));
    LocalVault::userinfo plain = record("pw", 0);
    QVERIFY(!LocalVault::fdLockPwd(&plain));
    QCOMPARE(QByteArray(plain.pwd), QByteArray("pw"));
}

void TestUserRecord::lockKey_data()
{
    QTest::addColumn<QByteArray>("stamp");
    // The key is the stamp's 7 bytes as they lie in the record, whatever order its year is in.
    QTest::newRow("year in file order") << QByteArray::fromHex("07de0c1f173b3a");
    QTest::newRow("year in host order keys by its own bytes") << QByteArray::fromHex("de070c1f173b3a");
    QTest::newRow("sums past 255 wrap") << QByteArray::fromHex("ffffffffffffff");
}

void TestUserRecord::lockKey()
{
    QFETCH(QByteArray, stamp);
    LocalVault::userinfo info = record("secret", 1);
    std::memcpy(&info.dt_login, stamp.constData(), 7);
    const QByteArray clear(info.pwd, 30);
    QByteArray expected = clear;
    for (int j = 0; j < 30; ++j)
        expected[j] = char(uchar(clear[j]) + uchar(stamp[j % 7]));
    QVERIFY(LocalVault::fdLockPwd(&info));
    QCOMPARE(QByteArray(info.pwd, 30), expected);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&info.dt_login), 7), stamp);
    QVERIFY(LocalVault::fdUnLockPwd(&info));
    QCOMPARE(QByteArray(info.pwd, 30), clear);
}

QTEST_GUILESS_MAIN(TestUserRecord)
#include "tst_userrecord.moc"
