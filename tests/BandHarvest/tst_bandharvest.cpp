#include "syncrig.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

namespace {

const quint8 STEP = WireCodec::BH_CMD_STEP;
const quint8 SLEEP = WireCodec::BH_CMD_SLEEP;
const int RUN_LIMIT = 60000;

using Status = SyncRig::rig_status;

int slotsOfDay(const SimBand& band, const quint8& cmd, const QDate& day)
{
    const int length = band.storedDay(cmd, day).size() - 17;
    return (length + 16) / 17 + 1;
}

// The statuses of one day pulled in one go: a progress text per pack, then the block's result.
QList<Status> dayStatuses(const SimBand& band, const quint8& cmd, const QDate& day)
{
    const bool step = cmd == STEP;
    const int code = step ? BandHarvest::STATUS_STEP_STAGE : BandHarvest::STATUS_SLEEP_STAGE;
    const QString progress = step ? QStringLiteral("同步手环步数(1/1)(%1)天") : QStringLiteral("同步手环睡眠(1/1)(%1)天");
    QList<Status> statuses;
    const int slotCount = slotsOfDay(band, cmd, day);
    for (int x = 1; x <= slotCount; ++x)
        statuses << Status{code, progress.arg(x + 1)};
    statuses << Status{code, step ? QStringLiteral("成功:同步手环步数(1/1)天") : QStringLiteral("成功:同步手环睡眠(1/1)天")};
    return statuses;
}

QStringList texts(const QList<Status>& statuses)
{
    QStringList list;
    for (const Status& s : statuses)
        list << QStringLiteral("%1 %2").arg(s.code).arg(s.prompt);
    return list;
}

bool hasStatus(const QList<Status>& statuses, const int& code)
{
    for (const Status& s : statuses) {
        if (s.code == code)
            return true;
    }
    return false;
}

// A day as the band would have it stored, entered as a sign-in on another day left it.
void storeDay(CoreHub& hub, const SimBand& band, const QDate& day, const LocalVault::SYNC_TYPE& sync)
{
    const uchar head[4] = {0, 0, 0, 2};
    hub.fdAddStep(head, sync, band.storedDay(STEP, day), false);
    hub.fdAddSleep(head, sync, band.storedDay(SLEEP, day), false);
}

} // namespace

Q_DECLARE_METATYPE(BandFault)

class TestBandHarvest : public QObject
{
    Q_OBJECT
private slots:
    void window_data();
    void window();
    void fullWindowWithStoredDays();
    void secondRunPullsAndUploadsNothingTwice();
    void faultyBand_data();
    void faultyBand();
    void linkLostMidPull();
    void unpluggedMidRun();
    void uploadRefusedThenRetried();
    void endings_data();
    void endings();
    void splitDayIsJoined();
    void splitDayFaults_data();
    void splitDayFaults();
    void noDataKeepsTheStoredDay();
    void daysGoToTheSelectedUser();
};

void TestBandHarvest::window_data()
{
    QTest::addColumn<int>("bindDays");
    QTest::addColumn<bool>("started");
    QTest::addColumn<int>("days");
    QTest::newRow("bound today: today only") << 0 << true << 1;
    QTest::newRow("bound 10 days ago: 11 days") << 10 << true << 11;
    QTest::newRow("bound 30 days ago: still 11") << 30 << true << 11;
    QTest::newRow("bound tomorrow: no run") << -1 << false << 0;
}

void TestBandHarvest::window()
{
    QFETCH(int, bindDays);
    QFETCH(bool, started);
    QFETCH(int, days);
    SyncRig rig(bindDays);
    QVERIFY(rig.isReady());
    QSignalSpy answers(&rig.hub(), &CoreHub::onFdStepDay);
    QCOMPARE(rig.run().sync(), started);
    QTRY_COMPARE(answers.size(), days);
    QCOMPARE(rig.statuses.first().code, int(BandHarvest::STATUS_SERVER_DATA));
    if (!started)
        QCOMPARE(texts(rig.statuses).last(), QStringLiteral("7 日期错误,同步失败"));
}

void TestBandHarvest::fullWindowWithStoredDays()
{
    SyncRig rig(10);
    QVERIFY(rig.isReady());
    const QDate today = QDate::currentDate();
    rig.band().generateDays(today, 11);
    for (int i = 8; i <= 10; ++i)
        storeDay(rig.hub(), rig.band(), today.addDays(-i), LocalVault::SYNC_UPLOADED);
    QVERIFY(rig.hub().fdSave());

    QVERIFY(rig.syncToEnd(RUN_LIMIT));

    QList<Status> expected{
        {13, "获取服务器数据..."}, {12, "设备准备中..."},    {3, "搜索手环..."},     {5, "手环连接已建立"},
        {5, "准备监听手环数据"},   {5, "获取手环版本信息"}, {9, "从服务器获取参数"}, {9, "同步手环参数"},
        {9, "获取手环计步数据"},
    };
    for (int i = 7; i >= 0; --i)
        expected << dayStatuses(rig.band(), STEP, today.addDays(-i));
    for (int i = 7; i >= 0; --i)
        expected << dayStatuses(rig.band(), SLEEP, today.addDays(-i));
    expected << Status{10, "同步到服务器..."} << Status{14, "保存同步状态到文件."} << Status{14, "同步到服务器完成."} << Status{15, "同步完成."};
    QCOMPARE(texts(rig.statuses), texts(expected));
    QCOMPARE(rig.bandReceived(STEP, 0x01), 8);
    QCOMPARE(rig.bandReceived(SLEEP, 0x01), 8);

    QVERIFY(rig.restartHub());
    for (int i = 0; i <= 10; ++i) {
        const QDate day = today.addDays(-i);
        QCOMPARE(rig.hub().fdGetStepDay(day).raw, rig.band().storedDay(STEP, day));
        QCOMPARE(rig.hub().fdGetSleepDay(day).raw, rig.band().storedDay(SLEEP, day));
        QCOMPARE(int(rig.hub().fdGetStepDay(day).t.sync), int(LocalVault::SYNC_UPLOADED));
        QCOMPARE(int(rig.hub().fdGetSleepDay(day).t.sync), int(LocalVault::SYNC_UPLOADED));
    }

    const CloudLedger::lc_account account = rig.cloud().ledger().account(SyncRig::MOBILE);
    QCOMPARE(account.days.size(), 8);
    const QDate yesterday = today.addDays(-1);
    const CloudLedger::lc_day uploaded = account.days.value(yesterday);
    int steps = 0;
    for (const quint16 value : rig.band().stepDay(yesterday))
        steps += value;
    QCOMPARE(uploaded.walkNum, steps);
    QCOMPARE(uploaded.sportData, QString::fromLatin1(rig.band().storedDay(STEP, yesterday).toBase64()));
    quint32 minutes = 0;
    for (const SimSleepItem& item : rig.band().sleepDay(yesterday))
        minutes += item.minutes;
    QCOMPARE(uploaded.sleepTimeLen, minutes);
    // The generated nights begin after 22:00 and last past midnight.
    QCOMPARE(uploaded.beginSleepTM.date(), yesterday);
    QCOMPARE(uploaded.endSleepTM.date(), today);
}

void TestBandHarvest::secondRunPullsAndUploadsNothingTwice()
{
    SyncRig rig(3);
    QVERIFY(rig.isReady());
    rig.band().generateDays(QDate::currentDate(), 4);
    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(rig.statuses.last().code, int(BandHarvest::STATUS_DONE));
    QCOMPARE(rig.cloudRequests("synchro/datasynchro"), 1);
    const int stepRequests = rig.bandReceived(STEP, 0x01);

    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    // Today grows all day and is asked for again; nothing else is.
    QCOMPARE(rig.bandReceived(STEP, 0x01), stepRequests + 1);
    QCOMPARE(rig.cloudRequests("synchro/datasynchro"), 1);
    const QStringList ending = texts(rig.statuses).mid(rig.statuses.size() - 2);
    QCOMPARE(ending, QStringList({"14 不需要同步到服务器.", "15 同步完成."}));
}

void TestBandHarvest::faultyBand_data()
{
    QTest::addColumn<BandFault>("fault");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<int>("packReRequests");
    QTest::addColumn<int>("firstDayRequests");

    QTest::newRow("dropped data pack is re-sent after the bitmap") << BandFault::DropPack << 3 << 1 << 1;
    QTest::newRow("dropped last pack: the day is asked again") << BandFault::DropPack << 255 << 0 << 2;
    QTest::newRow("wrong block CRC: the day is asked again") << BandFault::CorruptBlockCrc << 0 << 0 << 2;
    QTest::newRow("head pack of a block the reply lacks, then its data") << BandFault::BadBlockNumber << 0 << 0 << 2;
    QTest::newRow("block longer than a re-send request covers") << BandFault::OversizedBlock << 0 << 0 << 2;
    QTest::newRow("re-send answer naming a block the reply lacks") << BandFault::BadResendIndex << 2 << 0 << 2;
}

void TestBandHarvest::faultyBand()
{
    QFETCH(BandFault, fault);
    QFETCH(int, parameter);
    QFETCH(int, packReRequests);
    QFETCH(int, firstDayRequests);
    SyncRig rig(1);
    QVERIFY(rig.isReady());
    const QDate today = QDate::currentDate();
    rig.band().generateDays(today, 2);
    rig.band().setFault(fault, parameter);

    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(rig.statuses.last().code, int(BandHarvest::STATUS_DONE));
    QCOMPARE(rig.bandReceived(0x06, 0x05), packReRequests);
    QCOMPARE(rig.bandReceived(STEP, 0x01), firstDayRequests + 1);
    for (const QDate& day : {today.addDays(-1), today}) {
        QCOMPARE(rig.hub().fdGetStepDay(day).raw, rig.band().storedDay(STEP, day));
        QCOMPARE(rig.hub().fdGetSleepDay(day).raw, rig.band().storedDay(SLEEP, day));
    }
    QCOMPARE(rig.cloud().ledger().account(SyncRig::MOBILE).days.size(), 2);
}

void TestBandHarvest::linkLostMidPull()
{
    SyncRig rig(1);
    QVERIFY(rig.isReady());
    const QDate today = QDate::currentDate();
    rig.band().generateDays(today, 2);
    rig.band().setFault(BandFault::LinkLostMidBlock, 5);

    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(texts(rig.statuses).last(), QStringLiteral("11 手环连接已断开!"));
    const int received = rig.band().received().size();
    const int reported = rig.statuses.size();
    QVERIFY(rig.isSettled());
    QCOMPARE(rig.statuses.size(), reported);
    QCOMPARE(rig.band().received().size(), received);
    QVERIFY(!hasStatus(rig.statuses, BandHarvest::STATUS_DONE));
    QVERIFY(rig.hub().fdGetStepDay(today.addDays(-1)).raw.isEmpty());
    QCOMPARE(rig.cloudRequests("synchro/datasynchro"), 0);
}

void TestBandHarvest::unpluggedMidRun()
{
    SyncRig rig(1);
    QVERIFY(rig.isReady());
    rig.band().generateDays(QDate::currentDate(), 2);
    QObject::connect(&rig.run(), &BandHarvest::onStatus, [&rig](BandHarvest::STATUS code, QString) {
        if (code == BandHarvest::STATUS_STEP_STAGE)
            rig.plug().unplug();
    });

    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QVERIFY(rig.isSettled());
    QCOMPARE(texts(rig.statuses).last(), QStringLiteral("12 设备已移除!!!"));
    QVERIFY(!hasStatus(rig.statuses, BandHarvest::STATUS_BAND_LOST));
    QVERIFY(!hasStatus(rig.statuses, BandHarvest::STATUS_DONE));
    QVERIFY(!rig.hub().isAtConnect());
    QCOMPARE(rig.cloudRequests("synchro/datasynchro"), 0);
}

void TestBandHarvest::uploadRefusedThenRetried()
{
    SyncRig rig(1);
    QVERIFY(rig.isReady());
    const QDate today = QDate::currentDate();
    rig.band().generateDays(today, 2);
    LoopbackCloud::lc_fault refusal;
    refusal.kind = LoopbackCloud::FAULT_RETURN_CODE;
    refusal.returnCode = QStringLiteral("a001");
    rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + "synchro/datasynchro", refusal);

    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(texts(rig.statuses).last(), QStringLiteral("14 同步到服务器失败!!!"));
    QVERIFY(rig.isSettled());
    QVERIFY(!hasStatus(rig.statuses, BandHarvest::STATUS_DONE));
    QCOMPARE(int(rig.hub().fdGetStepDay(today).t.sync), int(LocalVault::SYNC_SAVED));
    QVERIFY(rig.cloud().ledger().account(SyncRig::MOBILE).days.isEmpty());

    rig.cloud().clearFaults();
    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(rig.statuses.last().code, int(BandHarvest::STATUS_DONE));
    QCOMPARE(rig.cloud().ledger().account(SyncRig::MOBILE).days.size(), 2);
    QCOMPARE(int(rig.hub().fdGetStepDay(today.addDays(-1)).t.sync), int(LocalVault::SYNC_UPLOADED));
}

void TestBandHarvest::endings_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<QString>("ending");
    enum { RefuseConnect, RefuseNotify, SilentBand, ErrorBand, HealthRefused, NoBinding };
    QTest::newRow("band refuses the connection") << int(RefuseConnect) << "5 连接手环失败!";
    QTest::newRow("band refuses notifications") << int(RefuseNotify) << "1 蓝牙监听失败";
    QTest::newRow("band never answers") << int(SilentBand) << "11 手环连接已断开!";
    QTest::newRow("band answers with error reports") << int(ErrorBand) << "11 手环连接已断开!";
    QTest::newRow("cloud refuses the health numbers") << int(HealthRefused) << "7 从服务器获取参数失败";
    QTest::newRow("no bound band at upload time") << int(NoBinding) << "14 同步到服务器失败!!!";
}

void TestBandHarvest::endings()
{
    QFETCH(int, setup);
    QFETCH(QString, ending);
    SyncRig rig(0);
    QVERIFY(rig.isReady());
    rig.band().generateDays(QDate::currentDate(), 1);
    const BandFault faults[] = {BandFault::RefuseConnect, BandFault::RefuseNotify, BandFault::Silent,
                                BandFault::ErrorPacket};
    if (setup < 4)
        rig.band().setFault(faults[setup]);
    LoopbackCloud::lc_fault refusal;
    refusal.kind = LoopbackCloud::FAULT_RETURN_CODE;
    refusal.returnCode = QStringLiteral("a001");
    if (setup == 4)
        rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + "health/querynowhealthnum", refusal);
    if (setup == 5)
        rig.hub().setNsBinds({});

    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(texts(rig.statuses).last(), ending);
    const int reported = rig.statuses.size();
    QVERIFY(rig.isSettled());
    QCOMPARE(rig.statuses.size(), reported);
}

void TestBandHarvest::splitDayIsJoined()
{
    SyncRig rig(0);
    QVERIFY(rig.isReady());
    const QDate today = QDate::currentDate();
    rig.band().generateDays(today, 1);
    rig.band().info.itemsPerBlock = 40;

    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(rig.statuses.last().code, int(BandHarvest::STATUS_DONE));
    const LocalVault::step_mem_data steps = rig.hub().fdGetStepDay(today);
    QCOMPARE(steps.items.size(), rig.band().stepDay(today).size());
    for (int i = 0; i < steps.items.size(); ++i) {
        const quint16 value = steps.items[i].value;  // the record is packed: no reference into it
        QCOMPARE(value, rig.band().stepDay(today)[i]);
    }
    QCOMPARE(rig.hub().fdGetSleepDay(today).segments.size(), rig.band().sleepDay(today).size());
}

void TestBandHarvest::splitDayFaults_data()
{
    QTest::addColumn<bool>("answersEarly");
    QTest::addColumn<BandFault>("fault");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<int>("dayRequests");
    QTest::addColumn<int>("packReRequests");
    QTest::addColumn<bool>("firstBlockFails");

    // 96 step items at 40 a block: three blocks of one date.
    QTest::newRow("re-send answers overtake the later blocks") << true << BandFault::None << 0 << 1 << 0 << false;
    QTest::newRow("a pack lost from every block: re-sent block by block")
        << false << BandFault::DropPackEveryBlock << 2 << 1 << 3 << true;
    QTest::newRow("lost packs and early answers") << true << BandFault::DropPackEveryBlock << 2 << 1 << 3 << true;
    QTest::newRow("second block's head pack lost: the first stays good")
        << false << BandFault::DropPack << 256 + 1 << 2 << 0 << false;
}

void TestBandHarvest::splitDayFaults()
{
    QFETCH(bool, answersEarly);
    QFETCH(BandFault, fault);
    QFETCH(int, parameter);
    QFETCH(int, dayRequests);
    QFETCH(int, packReRequests);
    QFETCH(bool, firstBlockFails);
    SyncRig rig(0);
    QVERIFY(rig.isReady());
    const QDate today = QDate::currentDate();
    rig.band().generateDays(today, 1);
    rig.band().info.itemsPerBlock = 40;
    rig.band().info.answersEarly = answersEarly;
    rig.band().setFault(fault, parameter);

    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(rig.statuses.last().code, int(BandHarvest::STATUS_DONE));
    QCOMPARE(rig.bandReceived(STEP, 0x01), dayRequests);
    QCOMPARE(rig.bandReceived(0x06, 0x05), packReRequests);
    QCOMPARE(texts(rig.statuses).contains(QStringLiteral("9 失败:同步手环步数(1/3)天")), firstBlockFails);
    QCOMPARE(rig.hub().fdGetStepDay(today).items.size(), rig.band().stepDay(today).size());
}

void TestBandHarvest::noDataKeepsTheStoredDay()
{
    SyncRig rig(0);
    QVERIFY(rig.isReady());
    const QDate today = QDate::currentDate();
    SimBand earlier;
    earlier.generateDays(today, 1);
    storeDay(rig.hub(), earlier, today, LocalVault::SYNC_UPLOADED);

    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(rig.statuses.last().code, int(BandHarvest::STATUS_DONE));
    QCOMPARE(rig.hub().fdGetStepDay(today).raw, earlier.storedDay(STEP, today));
    QCOMPARE(rig.hub().fdGetSleepDay(today).raw, earlier.storedDay(SLEEP, today));
}

// A failed write of the user record leaves the previous user named in it; the days of this
// run still belong to the user the sign-in selected.
void TestBandHarvest::daysGoToTheSelectedUser()
{
    SyncRig rig(1);
    QVERIFY(rig.isReady());
    rig.band().generateDays(QDate::currentDate(), 2);
    const QString previous = QStringLiteral("13900000000");
    LocalVault::userinfo stale;
    qstrncpy(stale.id, previous.toLatin1().constData(), sizeof(stale.id));
    QVERIFY(rig.hub().fdSetUserInfo(stale));
    rig.run().setMsg(&rig.hub());
    QVERIFY(rig.syncToEnd(RUN_LIMIT));
    QCOMPARE(rig.statuses.last().code, int(BandHarvest::STATUS_DONE));
    const QString dataRoot = QStandardPaths::writableLocation(QStandardPaths::DataLocation) + QStringLiteral("/quorin/");
    QVERIFY(!QFileInfo::exists(dataRoot + previous));
    QVERIFY(QFileInfo(dataRoot + SyncRig::MOBILE + QStringLiteral("/step.d")).size() > 0);
    QCOMPARE(rig.hub().fdSteps().size(), 2);
}

QTEST_GUILESS_MAIN(TestBandHarvest)
#include "tst_bandharvest.moc"
