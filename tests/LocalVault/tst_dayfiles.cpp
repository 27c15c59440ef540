#include "vaultprobe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/resource.h>

class TestDayFiles : public QObject
{
    Q_OBJECT
private slots:
    void tableLayout();
    void roundTrip();
    void emptyTable();
    void unchangedTableWritesNothing();
    void userInHead_data();
    void userInHead();
    void undecodableDayIsKept();
    void damagedPairIsKept_data();
    void damagedPairIsKept();
    void failedSaveKeepsOldPair_data();
    void failedSaveKeepsOldPair();
    void linkAtTemporary_data();
    void linkAtTemporary();
    void interruptedSaveRecovered_data();
    void interruptedSaveRecovered();
    void clearedTableIsNotSavedOverFiles();
    void bothKindsReported();
};

namespace {
const uchar head1[4] = {0, 0, 0, 1};
const uchar head2[4] = {0, 0, 0, 2};

// The user's folder as no earlier run left it: the home is emptied once per ctest run only.
QString emptyUser(const QString& user)
{
    const VaultProbe vault;
    QDir(vault.dataRoot + QLatin1Char('/') + user).removeRecursively();
    return user;
}

QString freshUser(int length = 0)
{
    static int counter = 0;
    return emptyUser(QStringLiteral("user%1").arg(++counter).leftJustified(length, QLatin1Char('x')));
}

void patch(const QString& path, int offset, const QByteArray& hex)
{
    QByteArray bytes = readAll(path);
    bytes.replace(offset, hex.size() / 2, QByteArray::fromHex(hex));
    writeAll(path, bytes);
}

// A type 1 step day of the given size whose items are all of kind 1.
QByteArray stepDay(int day, int size)
{
    QByteArray data = QByteArray::fromHex("160101") + char(1) + char((size - 5) / 3);
    data[2] = char(day);
    for (int i = 5; i < size; ++i)
        data += char(i % 3 == 2 ? 1 : i);
    return data;
}

QByteArray sleepDay(int day)
{
    QByteArray data = QByteArray(7, '\0') + QByteArray::fromHex("160201") + char(2) + char(0) + QByteArray(5, '\0');
    data[9] = char(day);
    return data + QByteArray::fromHex("001e0700" "000a0803");
}

// While it lives, no file this process writes grows past cap bytes, as on a full disk: a write
// past it comes back short (SIGXFSZ ignored) instead of ending the test.
class SizeCap
{
public:
    explicit SizeCap(rlim_t cap)
        : earlierHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &earlier);
        const struct rlimit limit = {cap, earlier.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~SizeCap()
    {
        setrlimit(RLIMIT_FSIZE, &earlier);
        std::signal(SIGXFSZ, earlierHandler);
    }
    SizeCap(const SizeCap&) = delete;
    SizeCap& operator=(const SizeCap&) = delete;

private:
    struct rlimit earlier = {};
    void (*earlierHandler)(int);
};

void selectUser(VaultProbe* vault, const QString& user)
{
    QVERIFY(vault->fdSetUserId(user));
}

// Two step days and one night, saved.
void savedUser(VaultProbe* vault)
{
    selectUser(vault, freshUser());
    QVERIFY(vault->fdRead());
    QVERIFY(vault->fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(1, 20), false));
    QVERIFY(vault->fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(3, 29), false));
    QVERIFY(vault->fdAddSleep(head2, LocalVault::SYNC_NEW, sleepDay(1), false));
    QVERIFY(vault->fdSave());
}
} // namespace

void TestDayFiles::tableLayout()
{
    VaultProbe vault;
    selectUser(&vault, emptyUser(QStringLiteral("13800000000")));
    QVERIFY(vault.fdRead());
    QVERIFY(vault.fdAddStep(head1, LocalVault::SYNC_NEW, QByteArray::fromHex("1601010500") + QByteArray(15, '\2'), false));
    QVERIFY(vault.fdAddStep(head1, LocalVault::SYNC_NEW, QByteArray::fromHex("1601030500") + QByteArray(25, '\3'), false));
    QVERIFY(vault.fdClearStep(QDate(2022, 1, 2)));
    QVERIFY(vault.fdUpdateStepSync(QDate(2022, 1, 3), LocalVault::SYNC_UPLOADED));
    QVERIFY(vault.fdSave());

    const QByteArray table = readAll(vault.stepTableFile);
    QCOMPARE(table.size(), 508 + 3 * 29);
    QCOMPARE(table.left(250), QByteArray("step").leftJustified(250, '\0'));
    QCOMPARE(table.mid(250, 8).toHex(), QByteArray("00000003" "00000003"));
    QCOMPARE(table.mid(258, 250), QByteArray("13800000000").leftJustified(250, '\0'));
    QCOMPARE(table.mid(508).toHex(),
             QByteArray("00000001" "02" "07e60101" "0000000000000000" "0000000000000014" "ffff" "0500"
                        "00000000" "02" "00000000" "0000000000000014" "0000000000000000" "0000" "0000"
                        "00000001" "04" "07e60103" "0000000000000014" "000000000000001e" "ffff" "0500"));
    QCOMPARE(readAll(vault.stepDataFile), QByteArray::fromHex("1601010500") + QByteArray(15, '\2')
                                              + QByteArray::fromHex("1601030500") + QByteArray(25, '\3'));
    QCOMPARE(readAll(vault.sleepTableFile).mid(250, 8).toHex(), QByteArray("00000007" "00000000"));
    QCOMPARE(qint64(vault.fdGetStepDay(QDate(2022, 1, 3)).t.begin), qint64(20));
    QCOMPARE(int(vault.fdGetStepDay(QDate(2022, 1, 1)).t.sync), int(LocalVault::SYNC_SAVED));
}

void TestDayFiles::roundTrip()
{
    VaultProbe first;
    selectUser(&first, freshUser());
    QVERIFY(first.fdRead());
    QVERIFY(first.fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(1, 20), false));
    QVERIFY(first.fdAddStep(head2, LocalVault::SYNC_EMPTY,
                            QByteArray(7, '\0') + QByteArray::fromHex("1601020f02") + QByteArray(5, '\0')
                                + QByteArray::fromHex("00100020"),
                            false));
    QVERIFY(first.fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(3, 8), false));
    QVERIFY(first.fdUpdateStepSync(QDate(2022, 1, 3), LocalVault::SYNC_UPLOADED));
    QVERIFY(first.fdClearStep(QDate(2022, 1, 4)));
    QVERIFY(first.fdAddSleep(head2, LocalVault::SYNC_NEW, sleepDay(1), false));
    QVERIFY(first.fdSave());

    VaultProbe second;
    selectUser(&second, first.userDir.section(QLatin1Char('/'), -1));
    QVERIFY(second.fdRead());
    QCOMPARE(second.fdSteps().keys(), first.fdSteps().keys().mid(0, 3));
    for (const QDate& date : second.fdSteps().keys()) {
        const LocalVault::step_mem_data saved = first.fdGetStepDay(date);
        const LocalVault::step_mem_data loaded = second.fdGetStepDay(date);
        QCOMPARE(loaded.raw, saved.raw);
        QCOMPARE(loaded.items.size(), saved.items.size());
        QCOMPARE(quint16(loaded.t.crc), quint16(saved.t.crc));
        QCOMPARE(loaded.t.sync, saved.t.sync);
        QCOMPARE(qint64(loaded.t.begin), qint64(-1));
    }
    QCOMPARE(int(second.fdGetStepDay(QDate(2022, 1, 2)).t.sync), int(LocalVault::SYNC_SAVED));
    QCOMPARE(int(second.fdGetStepDay(QDate(2022, 1, 3)).t.sync), int(LocalVault::SYNC_UPLOADED));
    QCOMPARE(int(second.fdGetStepDay(QDate(2022, 1, 2)).items.at(1).value), 0x20);
    QCOMPARE(second.fdGetSleepDay(QDate(2022, 2, 1)).segments.size(), 2);
    QCOMPARE(int(second.fdGetSleepDay(QDate(2022, 2, 1)).t.sync), int(LocalVault::SYNC_SAVED));
}

void TestDayFiles::emptyTable()
{
    VaultProbe vault;
    selectUser(&vault, freshUser());
    QVERIFY(vault.fdRead());
    QVERIFY(vault.fdSave());
    QCOMPARE(readAll(vault.stepTableFile).size(), 508);
    QCOMPARE(readAll(vault.stepTableFile).mid(254, 4).toHex(), QByteArray("00000000"));
    QVERIFY(QFile::exists(vault.stepDataFile));
    QCOMPARE(readAll(vault.stepDataFile).size(), 0);
    vault.fdClear();
    QVERIFY(vault.fdRead());
    QVERIFY(vault.fdSteps().isEmpty());
}

void TestDayFiles::unchangedTableWritesNothing()
{
    VaultProbe vault;
    savedUser(&vault);
    QVERIFY(QFile::remove(vault.stepTableFile));
    QVERIFY(vault.fdSaveStep());
    QVERIFY(!QFile::exists(vault.stepTableFile));
}

void TestDayFiles::userInHead_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("written");
    QTest::newRow("49 characters are written with their zero") << 49 << true;
    QTest::newRow("50 characters are not written") << 50 << false;
}

void TestDayFiles::userInHead()
{
    QFETCH(int, length);
    QFETCH(bool, written);
    VaultProbe vault;
    const QString user = freshUser(length);
    selectUser(&vault, user);
    QVERIFY(vault.fdRead());
    QVERIFY(vault.fdSave());
    const QByteArray field = readAll(vault.stepTableFile).mid(258, 250);
    QCOMPARE(field, written ? user.toLatin1().leftJustified(250, '\0') : QByteArray(250, '\0'));
}

void TestDayFiles::damagedPairIsKept_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<int>("cut");
    QTest::newRow("flag 7 where 3 is expected") << 250 << QByteArray("00000007") << 0;
    QTest::newRow("name steps") << 0 << QByteArray("737465707300") << 0;
    QTest::newRow("count 3 with 2 entries") << 254 << QByteArray("00000003") << 0;
    QTest::newRow("table cut inside an entry") << 0 << QByteArray() << 10;
    QTest::newRow("length past the data end") << 508 + 29 + 17 << QByteArray("00000000000003e8") << 0;
    QTest::newRow("length of 2^62") << 508 + 29 + 17 << QByteArray("4000000000000000") << 0;
    QTest::newRow("negative begin") << 508 + 29 + 9 << QByteArray("ffffffffffffffff") << 0;
    QTest::newRow("data file missing") << -1 << QByteArray() << 0;
}

// A pair that does not load is never written over: its days are still on disk.
void TestDayFiles::damagedPairIsKept()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, hex);
    QFETCH(int, cut);
    VaultProbe first;
    savedUser(&first);
    if (offset < 0)
        QVERIFY(QFile::remove(first.stepDataFile));
    else
        patch(first.stepTableFile, offset, hex);
    if (cut)
        writeAll(first.stepTableFile, readAll(first.stepTableFile).chopped(cut));
    const QByteArray table = readAll(first.stepTableFile);

    VaultProbe second;
    selectUser(&second, first.userDir.section(QLatin1Char('/'), -1));
    QVERIFY(!second.fdReadStep());
    QVERIFY(second.fdSteps().isEmpty());
    QVERIFY(second.step.needRead);
    QVERIFY(second.fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(9, 8), false));
    QVERIFY(!second.fdSaveStep());
    QCOMPARE(readAll(first.stepTableFile), table);
    QCOMPARE(int(second.fdGetStepDay(QDate(2022, 1, 9)).t.sync), int(LocalVault::SYNC_NEW));
}

// A stored day whose bytes no longer decode fails the load instead of vanishing at the next save.
void TestDayFiles::undecodableDayIsKept()
{
    VaultProbe first;
    savedUser(&first);
    patch(first.stepDataFile, 1, QByteArray("0d"));
    const QByteArray data = readAll(first.stepDataFile);

    VaultProbe second;
    selectUser(&second, first.userDir.section(QLatin1Char('/'), -1));
    QVERIFY(!second.fdReadStep());
    QVERIFY(second.fdSteps().isEmpty());
    QVERIFY(second.fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(9, 8), false));
    QVERIFY(!second.fdSaveStep());
    QCOMPARE(readAll(first.stepDataFile), data);
}

void TestDayFiles::failedSaveKeepsOldPair_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("data temporary on a full disk") << QStringLiteral("full disk");
    QTest::newRow("table temporary cannot be opened") << QStringLiteral("step.t.temp/inside");
    QTest::newRow("user folder under a regular file") << QString();
}

void TestDayFiles::failedSaveKeepsOldPair()
{
    QFETCH(QString, fault);
    VaultProbe vault;
    savedUser(&vault);
    const QByteArray table = readAll(vault.stepTableFile);
    const QByteArray data = readAll(vault.stepDataFile);
    const QString stepTable = vault.stepTableFile;
    const QString stepData = vault.stepDataFile;
    if (fault.isEmpty()) {
        writeAll(vault.userDir + QStringLiteral("/file"), "x");
        vault.stepTableFile = vault.userDir + QStringLiteral("/file/step.t");
        vault.stepDataFile = vault.userDir + QStringLiteral("/file/step.d");
    } else if (fault.endsWith(QLatin1String("/inside"))) {
        QVERIFY(QDir().mkpath(vault.userDir + QLatin1Char('/') + fault));
    }
    QVERIFY(vault.fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(9, 8), false));
    // Smaller than the data file's 57 bytes.
    std::unique_ptr<SizeCap> fullDisk(fault == QLatin1String("full disk") ? new SizeCap(16) : nullptr);
    QVERIFY(!vault.fdSaveStep());
    fullDisk.reset();
    QCOMPARE(readAll(stepTable), table);
    QCOMPARE(readAll(stepData), data);
    QCOMPARE(int(vault.fdGetStepDay(QDate(2022, 1, 9)).t.sync), int(LocalVault::SYNC_NEW));
    QVERIFY(vault.step.dirty);

    vault.stepTableFile = stepTable;
    vault.stepDataFile = stepData;
    QDir(stepTable + QStringLiteral(".temp")).removeRecursively();
    QVERIFY(vault.fdSaveStep());
    QCOMPARE(int(vault.fdGetStepDay(QDate(2022, 1, 9)).t.sync), int(LocalVault::SYNC_SAVED));
    QVERIFY(!QFile::exists(stepTable + QStringLiteral(".temp")));
}

void TestDayFiles::linkAtTemporary_data()
{
    QTest::addColumn<QStringList>("links");
    QTest::newRow("a link at the data temporary is replaced, not followed") << QStringList{"step.d.temp"};
    QTest::newRow("links at both temporaries are replaced, not followed") << QStringList{"step.d.temp", "step.t.temp"};
}

void TestDayFiles::linkAtTemporary()
{
    QFETCH(QStringList, links);
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    VaultProbe vault;
    savedUser(&vault);
    // Beside the old pair, temporaries stay for the save: a load would drop them.
    for (const QString& link : links) {
        writeAll(outside.filePath(link), "someone else's");
        QVERIFY(QFile::link(outside.filePath(link), vault.userDir + QLatin1Char('/') + link));
    }
    QVERIFY(vault.fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(9, 8), false));
    QVERIFY(vault.fdSaveStep());
    for (const QString& link : links)
        QCOMPARE(readAll(outside.filePath(link)), QByteArray("someone else's"));
    QVERIFY(!QFileInfo(vault.stepTableFile).isSymLink());
    QVERIFY(!QFileInfo(vault.stepDataFile).isSymLink());
    QCOMPARE(QDir(vault.userDir).entryList(QDir::Files | QDir::System), (QStringList{"sleep.d", "sleep.t", "step.d", "step.t"}));

    VaultProbe second;
    selectUser(&second, vault.userDir.section(QLatin1Char('/'), -1));
    QVERIFY(second.fdReadStep());
    QCOMPARE(second.fdSteps().size(), 3);
}

void TestDayFiles::interruptedSaveRecovered_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("days");
    QTest::newRow("pair left only as temporary files") << QStringLiteral("temporary pair") << 2;
    QTest::newRow("table not yet renamed over a folder") << QStringLiteral("table in the way") << 3;
    QTest::newRow("temporaries beside the old pair are dropped") << QStringLiteral("temporaries beside") << 2;
    QTest::newRow("data temporary alone beside the old pair is dropped") << QStringLiteral("data temporary") << 2;
    QTest::newRow("cut temporary pair without old pair is dropped") << QStringLiteral("cut temporaries") << 0;
}

void TestDayFiles::interruptedSaveRecovered()
{
    QFETCH(QString, left);
    QFETCH(int, days);
    VaultProbe first;
    savedUser(&first);
    const QString tableTemp = first.stepTableFile + QStringLiteral(".temp");
    const QString dataTemp = first.stepDataFile + QStringLiteral(".temp");
    if (left == QLatin1String("temporary pair")) {
        QVERIFY(QFile::rename(first.stepTableFile, tableTemp));
        QVERIFY(QFile::rename(first.stepDataFile, dataTemp));
    } else if (left == QLatin1String("table in the way")) {
        QVERIFY(QFile::remove(first.stepTableFile));
        QVERIFY(QDir().mkpath(first.stepTableFile + QStringLiteral("/inside")));
        QVERIFY(first.fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(9, 8), false));
        QVERIFY(!first.fdSaveStep());
        QCOMPARE(int(first.fdGetStepDay(QDate(2022, 1, 9)).t.sync), int(LocalVault::SYNC_NEW));
        QVERIFY(QDir(first.stepTableFile).removeRecursively());
    } else if (left == QLatin1String("temporaries beside")) {
        writeAll(tableTemp, QByteArray(508, '\0'));
        writeAll(dataTemp, QByteArray());
    } else if (left == QLatin1String("data temporary")) {
        writeAll(dataTemp, QByteArray(100, 'x'));
    } else {
        writeAll(tableTemp, readAll(first.stepTableFile).chopped(1));
        writeAll(dataTemp, readAll(first.stepDataFile));
        QVERIFY(QFile::remove(first.stepTableFile));
        QVERIFY(QFile::remove(first.stepDataFile));
    }
    VaultProbe second;
    selectUser(&second, first.userDir.section(QLatin1Char('/'), -1));
    QVERIFY(second.fdReadStep());
    QCOMPARE(second.fdSteps().size(), days);
    // Finished or dropped: a temporary left behind would only be found again by the next save.
    QVERIFY(!QFile::exists(tableTemp));
    QVERIFY(!QFile::exists(dataTemp));
}

void TestDayFiles::clearedTableIsNotSavedOverFiles()
{
    VaultProbe vault;
    savedUser(&vault);
    const QByteArray table = readAll(vault.stepTableFile);
    vault.fdClear();
    QVERIFY(!vault.fdSave());
    QCOMPARE(readAll(vault.stepTableFile), table);
    QVERIFY(vault.fdRead());
    QCOMPARE(vault.fdSteps().size(), 2);
    QVERIFY(vault.fdSave());
}

void TestDayFiles::bothKindsReported()
{
    VaultProbe vault;
    savedUser(&vault);
    // A folder stands where the step data temporary goes, so only the steps fail.
    QVERIFY(QDir().mkpath(vault.stepDataFile + QStringLiteral(".temp/inside")));
    QVERIFY(vault.fdAddStep(head1, LocalVault::SYNC_NEW, stepDay(9, 8), false));
    QVERIFY(vault.fdAddSleep(head2, LocalVault::SYNC_NEW, sleepDay(9), false));
    QVERIFY(!vault.fdSave());
    QVERIFY(QDir(vault.stepDataFile + QStringLiteral(".temp")).removeRecursively());
    QCOMPARE(int(vault.fdGetSleepDay(QDate(2022, 2, 9)).t.sync), int(LocalVault::SYNC_SAVED));

    VaultProbe second;
    selectUser(&second, vault.userDir.section(QLatin1Char('/'), -1));
    QFile::remove(vault.sleepDataFile);
    QVERIFY(!second.fdRead());
    QCOMPARE(second.fdSteps().size(), 2);
}

QTEST_GUILESS_MAIN(TestDayFiles)
#include "tst_dayfiles.moc"
