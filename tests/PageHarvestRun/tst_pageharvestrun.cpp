#include "pageharvestrun.h"

#include "busymeter.h"
#include "pagerig.h"
#include "simband.h"
#include "tapcaption.h"

#include <QLabel>
#include <QTabWidget>
#include <QtTest>

enum class Cloud { Answers, Earlier, Refuses, NoBand };
enum class Midway { Nothing, PullAdapter, Cancel };
Q_DECLARE_METATYPE(Cloud)
Q_DECLARE_METATYPE(Midway)
Q_DECLARE_METATYPE(BandFault)

namespace {

const QString MOBILE = QStringLiteral("13800138000");
const QString SERIAL = QStringLiteral("QB0001");
const int WINDOW_DAYS = 11;
// The band waits 3 s after connecting before it takes notifications; a run has more to do.
const int RUN_WAIT = 60000;

QString queryPath()
{
    return LoopbackCloud::PATH_PREFIX + QStringLiteral("synchro/querylaststatistics");
}

int queries(const PageRig& rig)
{
    int count = 0;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests())
        count += request.path == queryPath() ? 1 : 0;
    return count;
}

QString labelText(QWidget& page, const char* name)
{
    return page.findChild<QLabel*>(QLatin1String(name))->text();
}

int step(QWidget& page)
{
    return page.findChild<QTabWidget*>(QStringLiteral("tabWidget"))->currentIndex();
}

BusyMeter* meter(QWidget& page)
{
    return page.findChild<BusyMeter*>(QStringLiteral("w_process"));
}

TapCaption* button(QWidget& page, const char* name)
{
    return page.findChild<TapCaption*>(QLatin1String(name));
}

bool answered(QWidget& page)
{
    const QString waiting = QStringLiteral("正在查询...");
    return labelText(page, "label_last_sync") != waiting && labelText(page, "label_data_date") != waiting;
}

// The user signed in, the band bound ten days ago (eleven days to cover) or none, the adapter
// plugged in with the band's fault.
bool prepare(PageRig& rig, const bool& bound, const BandFault& fault = BandFault::None)
{
    if (!rig.isReady() || !rig.signIn(MOBILE))
        return false;
    if (bound) {
        CloudGate::ns_bind_dev band;
        band.deviceAddress = rig.band().info.address;
        band.deviceSerial = SERIAL;
        band.bindDt = QDateTime(QDate::currentDate().addDays(1 - WINDOW_DAYS), QTime(9, 30));
        rig.cloud().ledger().bindBand(MOBILE, {band.deviceAddress, band.deviceSerial, band.bindDt});
        rig.hub().setNsBinds({band});
    }
    rig.band().generateDays(QDate::currentDate(), WINDOW_DAYS);
    return rig.plugAdapter(fault);
}

// Shown and handed the hub, as the host does when the user opens the sync tab.
void showPage(PageRig& rig, PageHarvestRun& page)
{
    page.resize(598, 453);
    page.show();
    rig.activate(page);
}

// An upload the cloud got before: 8 July 2014, received at 09:05:03.
void seedEarlierUpload(PageRig& rig)
{
    CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    CloudLedger::lc_day uploaded;
    uploaded.address = rig.band().info.address;
    uploaded.serial = SERIAL;
    uploaded.day = QDate(2014, 7, 8);
    uploaded.uploadedAt = QDateTime(uploaded.day, QTime(9, 5, 3));
    account.days.insert(uploaded.day, uploaded);
    rig.cloud().ledger().setAccount(account);
}

// The form the page fills its labels with, from what the loopback cloud holds.
QString stamp(const QDateTime& time)
{
    return QStringLiteral("%1年%2月%3日 %4:%5:%6")
        .arg(time.date().year())
        .arg(time.date().month())
        .arg(time.date().day())
        .arg(time.time().hour())
        .arg(time.time().minute())
        .arg(time.time().second());
}

QString day(const QDate& date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

} // namespace

class TestPageHarvestRun : public QObject
{
    Q_OBJECT
private slots:
    void lastSync_data();
    void lastSync();
    void run_data();
    void run();
    void noBand_data();
    void noBand();
};

void TestPageHarvestRun::lastSync_data()
{
    QTest::addColumn<Cloud>("cloud");
    QTest::addColumn<QString>("lastSync");
    QTest::addColumn<QString>("dataDate");
    QTest::addColumn<int>("asked");
    QTest::newRow("nothing uploaded yet: never synced on both labels")
        << Cloud::Answers << "从没有同步." << "从没有同步." << 1;
    QTest::newRow("an earlier upload: plain numbers without leading zeros")
        << Cloud::Earlier << "2014年7月8日 9:5:3" << "2014年7月8日" << 1;
    QTest::newRow("cloud refuses: query failed, its message not shown")
        << Cloud::Refuses << "查询失败!!!" << "查询失败!!!" << 1;
    QTest::newRow("no bound band: query failed without asking") << Cloud::NoBand << "查询失败!!!" << "查询失败!!!" << 0;
}

void TestPageHarvestRun::lastSync()
{
    QFETCH(Cloud, cloud);
    QFETCH(QString, lastSync);
    QFETCH(QString, dataDate);
    QFETCH(int, asked);
    PageRig rig;
    PageHarvestRun page;
    QVERIFY(prepare(rig, cloud != Cloud::NoBand));
    if (cloud == Cloud::Earlier)
        seedEarlierUpload(rig);
    if (cloud == Cloud::Refuses)
        rig.cloud().setFault(queryPath(), {LoopbackCloud::FAULT_RETURN_CODE, QStringLiteral("c007"), QStringLiteral("refused"), 0});
    showPage(rig, page);
    QTRY_COMPARE(labelText(page, "label_last_sync"), lastSync);
    QCOMPARE(labelText(page, "label_data_date"), dataDate);
    QVERIFY(page.findChild<QWidget*>(QStringLiteral("tab_step1"))->isEnabled());
    QCOMPARE(step(page), 0);
    QCOMPARE(queries(rig), asked);
}

void TestPageHarvestRun::run_data()
{
    QTest::addColumn<BandFault>("fault");
    QTest::addColumn<Midway>("midway");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("caption");
    QTest::newRow("eleven days pulled, stored and uploaded: done")
        << BandFault::None << Midway::Nothing << "同步完成." << false << "完成";
    QTest::newRow("adapter unplugged mid-run stops the meter")
        << BandFault::None << Midway::PullAdapter << "设备已移除!!!" << false << "取消";
    QTest::newRow("band refusing the connection: its text, the meter still turning")
        << BandFault::RefuseConnect << Midway::Nothing << "连接手环失败!" << true << "取消";
    QTest::newRow("cancel mid-run: step 1 and the cloud asked again")
        << BandFault::None << Midway::Cancel << QString() << false << "取消";
}

void TestPageHarvestRun::run()
{
    QFETCH(BandFault, fault);
    QFETCH(Midway, midway);
    QFETCH(QString, text);
    QFETCH(bool, busy);
    QFETCH(QString, caption);
    PageRig rig;
    PageHarvestRun page;
    QVERIFY(prepare(rig, true, fault));
    showPage(rig, page);
    QTRY_COMPARE(labelText(page, "label_last_sync"), QStringLiteral("从没有同步."));
    QSignalSpy packs(&rig.hub(), SIGNAL(onBhStepLong(WireCodec::bs_pack)));
    QTest::mouseClick(button(page, "bt_sync_now"), Qt::LeftButton);
    QCOMPARE(step(page), 1);
    QVERIFY(meter(page)->isRunning());
    QCOMPARE(button(page, "bt_cancel_sync")->text(), QStringLiteral("取消"));
    if (midway != Midway::Nothing)
        QVERIFY(packs.wait(RUN_WAIT));
    if (midway == Midway::PullAdapter)
        QVERIFY(rig.pullAdapter());
    if (midway == Midway::Cancel) {
        QVERIFY(rig.shot(page, QStringLiteral("step2")));
        const int asked = queries(rig);
        const QString shown = meter(page)->text();
        QTest::mouseClick(button(page, "bt_cancel_sync"), Qt::LeftButton);
        QCOMPARE(step(page), 0);
        QVERIFY(!meter(page)->isRunning());
        QTRY_COMPARE(queries(rig), asked + 1);
        QTRY_VERIFY(answered(page));
        QCOMPARE(labelText(page, "label_last_sync"), QStringLiteral("从没有同步."));
        // Whatever the stopped run still says is not shown, and the next activation asks again.
        QCOMPARE(meter(page)->text(), shown);
        rig.activate(page);
        QTRY_COMPARE(queries(rig), asked + 2);
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(meter(page)->text(), text, RUN_WAIT);
    QCOMPARE(meter(page)->isRunning(), busy);
    QCOMPARE(button(page, "bt_cancel_sync")->text(), caption);
    QCOMPARE(step(page), 1);
    if (fault == BandFault::RefuseConnect) {
        // The run is still followed: an activation asks nothing and leaves step 2 shown.
        const int asked = queries(rig);
        QVERIFY(page.setMsg(&rig.hub()));
        QCOMPARE(step(page), 1);
        QCOMPARE(queries(rig), asked);
    }
    if (text != QStringLiteral("同步完成."))
        return;

    const CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    QCOMPARE(account.days.size(), WINDOW_DAYS);
    QDateTime lastUpload;
    for (const CloudLedger::lc_day& uploaded : account.days)
        lastUpload = qMax(lastUpload, uploaded.uploadedAt);
    const QDate today = QDate::currentDate();
    for (int i = 0; i < WINDOW_DAYS; ++i) {
        const LocalVault::step_mem_data stored = rig.hub().fdGetStepDay(today.addDays(-i));
        QCOMPARE(int(stored.t.sync), int(LocalVault::SYNC_UPLOADED));
    }
    QTest::mouseClick(button(page, "bt_cancel_sync"), Qt::LeftButton);
    QCOMPARE(step(page), 0);
    QTRY_COMPARE(labelText(page, "label_last_sync"), stamp(lastUpload));
    QCOMPARE(labelText(page, "label_data_date"), day(today));
    QVERIFY(rig.shot(page, QStringLiteral("step1")));
    // The longest stamp a day can give still fits beside its caption.
    auto* stampLabel = page.findChild<QLabel*>(QStringLiteral("label_last_sync"));
    stampLabel->setText(stamp(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))));
    QTRY_VERIFY2(stampLabel->width() >= stampLabel->sizeHint().width(),
                 qPrintable(QStringLiteral("%1 px for %2").arg(stampLabel->width()).arg(stampLabel->sizeHint().width())));
}

void TestPageHarvestRun::noBand_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("hub");
    QTest::addColumn<int>("jumps");
    QTest::newRow("OK sends the user to pairing") << 1 << true << 1;
    QTest::newRow("cancel stays") << 0 << true << 0;
    QTest::newRow("OK without a hub does nothing further") << 1 << false << 0;
}

void TestPageHarvestRun::noBand()
{
    QFETCH(int, answer);
    QFETCH(bool, hub);
    QFETCH(int, jumps);
    PageRig rig;
    PageHarvestRun page;
    QVERIFY(prepare(rig, false));
    showPage(rig, page);
    if (!hub)
        QVERIFY(!page.setMsg(nullptr));
    QTRY_VERIFY(answered(page));
    QSignalSpy jumped(&rig.hub(), SIGNAL(onWinGotoScan()));
    rig.setModalAnswer(answer);
    QTest::mouseClick(button(page, "bt_sync_now"), Qt::LeftButton);
    QCOMPARE(rig.modals().size(), 1);
    QVERIFY(rig.modals().first().contains(QStringLiteral("还没有绑定任何设备,是否马上绑定?")));
    QCOMPARE(jumped.size(), jumps);
    QCOMPARE(step(page), 0);
    QCOMPARE(meter(page)->text(), QStringLiteral("等待中"));
}

QTEST_MAIN(TestPageHarvestRun)
#include "tst_pageharvestrun.moc"
