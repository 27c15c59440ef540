#include "localvault.h"

#include <QDir>
#include <QStandardPaths>
#include <QtTest>

class TestLocalVaultFrame : public QObject
{
    Q_OBJECT
private slots:
    void foldersExist();
    void processBytes();
    void userId_data();
    void userId();
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
    QTest::newRow("mobile number") << QStringLiteral("13800000000") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("dot") << QStringLiteral(".") << false;
    QTest::newRow("dot dot") << QStringLiteral("..") << false;
    QTest::newRow("slash") << QStringLiteral("a/b") << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
}

void TestLocalVaultFrame::userId()
{
    QFETCH(QString, id);
    QFETCH(bool, accepted);
    LocalVault vault;
    QCOMPARE(vault.fdSetUserId(id), accepted);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::DataLocation) + QStringLiteral("/quorin");
    QCOMPARE(QDir(data).entryList(QDir::Dirs | QDir::NoDotAndDotDot).contains(id), accepted);
}

QTEST_GUILESS_MAIN(TestLocalVaultFrame)
#include "tst_localvault_frame.moc"
