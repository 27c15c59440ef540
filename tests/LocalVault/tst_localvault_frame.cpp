#include "vaultprobe.h"

#include <QDir>
#include <QStandardPaths>
#include <QtTest>

namespace {
// A sign-in and a sync as the store sees them: the user record written, a day and a night saved.
void signInAndSync(VaultProbe& vault)
{
    QVERIFY(vault.fdSetUserInfo(LocalVault::userinfo()));
    QVERIFY(vault.fdRead());
    const uchar step[4] = {0, 0, 0, 1};
    const uchar sleep[4] = {0, 0, 0, 2};
    QVERIFY(vault.fdAddStep(step, LocalVault::SYNC_NEW, QByteArray::fromHex("1601010500") + QByteArray(15, '\2'), false));
    const QByteArray night = QByteArray(7, '\0') + QByteArray::fromHex("1602010200") + QByteArray(5, '\0');
    QVERIFY(vault.fdAddSleep(sleep, LocalVault::SYNC_NEW, night + QByteArray::fromHex("001e0700" "000a0803"), false));
    QVERIFY(vault.fdSave());
}

// The user record and the four day files.
QStringList privateFiles(const VaultProbe& vault)
{
    return {vault.userInfoFile, vault.stepTableFile, vault.stepDataFile, vault.sleepTableFile, vault.sleepDataFile};
}

// What an earlier version left: the user record and the day files readable by all.
void leaveOpen(const QString& id)
{
    VaultProbe earlier;
    QVERIFY(earlier.fdSetUserId(id));
    signInAndSync(earlier);
    for (const QString& file : privateFiles(earlier))
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0644), 0);
}

// What an earlier version left: the program's folders open to all.
void leaveFoldersOpen()
{
    VaultProbe earlier;
    for (const QString& folder : {earlier.dataRoot, QFileInfo(earlier.userInfoFile).path(), earlier.fdUpdateDir()})
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
}
} // namespace

class TestLocalVaultFrame : public QObject
{
    Q_OBJECT
private slots:
    void foldersExist();
    void processBytes();
    void userId_data();
    void userId();
    void userFolder_data();
    void userFolder();
};

void TestLocalVaultFrame::foldersExist()
{
    LocalVault vault;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::DataLocation);
    QVERIFY(QDir(data.endsWith(QLatin1String("quorin")) ? data : data + QStringLiteral("/quorin")).exists());
    QVERIFY(QDir(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/quorin")).exists());
    QVERIFY(QDir(vault.fdUpdateDir()).exists());
    QVERIFY(vault.fdUpdateDir().endsWith(QLatin1String("/quorin")));
    QCOMPARE(vault.fdUpdateListConf(), QStringLiteral("updatelist.conf"));
}

void TestLocalVaultFrame::processBytes()
{
    LocalVault::process record;
    record.id = 1;
    record.percent = 100;
    record.done = true;
    QCOMPARE(record.toBytes(), QByteArray::fromHex("01000000000000006400000001000000"));
    const LocalVault::process back = LocalVault::process::fromBytes(record.toBytes());
    QCOMPARE(back.id, qint64(1));
    QCOMPARE(back.percent, 100);
    QVERIFY(back.done);
    QCOMPARE(LocalVault::process::fromBytes(QByteArray(15, '\1')).percent, 0);
}

void TestLocalVaultFrame::userId_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("leftOpen");
    QTest::addColumn<bool>("foldersOpen");
    QTest::newRow("mobile number") << QStringLiteral("13800000000") << true << false << false;
    QTest::newRow("empty") << QString() << false << false << false;
    QTest::newRow("dot") << QStringLiteral(".") << false << false << false;
    QTest::newRow("dot dot") << QStringLiteral("..") << false << false << false;
    QTest::newRow("slash") << QStringLiteral("a/b") << false << false << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false << false << false;
    QTest::newRow("files left readable by all are private after the next sync")
        << QStringLiteral("13800000001") << true << true << false;
    QTest::newRow("folders left open to all are private once the store opens")
        << QStringLiteral("13800000002") << true << false << true;
}

void TestLocalVaultFrame::userId()
{
    QFETCH(QString, id);
    QFETCH(bool, accepted);
    QFETCH(bool, leftOpen);
    QFETCH(bool, foldersOpen);
    const RowUmask rowUmask(022);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::DataLocation) + QStringLiteral("/quorin");
    QDir(data + QLatin1Char('/') + id).removeRecursively();
    if (leftOpen)
        leaveOpen(id);
    if (foldersOpen)
        leaveFoldersOpen();
    VaultProbe vault;
    QCOMPARE(vault.fdSetUserId(id), accepted);
    QCOMPARE(QDir(data).entryList(QDir::Dirs | QDir::NoDotAndDotDot).contains(id), accepted);
    if (!accepted)
        return;
    // The record holds the remembered password, the day files the user's days: theirs alone.
    signInAndSync(vault);
    for (const QString& file : privateFiles(vault))
        QVERIFY2(modeOf(file) == 0600, qPrintable(file));
    for (const QString& folder : {data, QFileInfo(vault.userInfoFile).path(), vault.fdUpdateDir(), vault.userDir})
        QVERIFY2(modeOf(folder) == 0700, qPrintable(folder));
}

void TestLocalVaultFrame::userFolder_data()
{
    QTest::addColumn<QString>("inPlace");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain file in place of the folder") << QStringLiteral("file") << false;
    QTest::newRow("dangling link in place of the folder") << QStringLiteral("dangling link") << false;
    QTest::newRow("existing folder is taken") << QStringLiteral("folder") << true;
}

// A user folder that cannot be one keeps the previous user and the tables it loaded.
void TestLocalVaultFrame::userFolder()
{
    QFETCH(QString, inPlace);
    QFETCH(bool, accepted);
    VaultProbe vault;
    const QString data = vault.dataRoot;
    const QString previous = QStringLiteral("previous-%1").arg(QTest::currentDataTag()).remove(QLatin1Char(' '));
    QDir(data + QLatin1Char('/') + previous).removeRecursively();
    QVERIFY(vault.fdSetUserId(previous));
    QVERIFY(vault.fdRead());
    const uchar head[4] = {0, 0, 0, 1};
    QVERIFY(vault.fdAddStep(head, LocalVault::SYNC_NEW, QByteArray::fromHex("1601010500") + QByteArray(15, '\2'), false));

    const QString blocked = data + QStringLiteral("/blocked");
    QFile::remove(blocked);
    QDir(blocked).removeRecursively();
    if (inPlace == QLatin1String("file"))
        writeAll(blocked, "a file, not a folder");
    else if (inPlace == QLatin1String("dangling link"))
        QVERIFY(QFile::link(data + QStringLiteral("/nowhere"), blocked));
    else
        QVERIFY(QDir().mkdir(blocked));

    QCOMPARE(vault.fdSetUserId(QStringLiteral("blocked")), accepted);
    QCOMPARE(vault.userDir, accepted ? blocked : data + QLatin1Char('/') + previous);
    QCOMPARE(vault.fdSteps().size(), accepted ? 0 : 1);
    if (accepted)
        return;
    QVERIFY(vault.fdSave());
    QCOMPARE(readAll(vault.stepDataFile).size(), 20);
}

QTEST_GUILESS_MAIN(TestLocalVaultFrame)
#include "tst_localvault_frame.moc"
