#include "bandharvest.h"
#include "loopbackcloud.h"
#include "pagedayview.h"
#include "pageframe.h"
#include "pagerig.h"
#include "pageresttoday.h"
#include "pagestepstoday.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

namespace {

const QString MOBILE = QStringLiteral("13800000005");
const int SYNC_WAIT = 120000;

struct card_text {
    QString first;
    QString second;
    QString third;
    int percent = 0;
    QString value;
    QString target;
};

// What the card's figures card shows.
card_text shown(const QWidget* card)
{
    const auto* figures = card->findChild<PageDayView*>();
    const auto text = [figures](const char* name) {
        return figures->findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    return card_text{text("value_1"), text("value_2"), text("value_3"),
                     figures->findChild<QWidget*>(QStringLiteral("ring"))->property("percent").toInt(),
                     text("label_value"), text("label_goal")};
}

QString hoursMinutes(const int& minutes)
{
    return QStringLiteral("%1小时%2分钟").arg(minutes / 60).arg(minutes % 60);
}

int percentOf(const double& value, const double& target)
{
    return value > target ? 100 : target <= 0 ? 0 : int(value / target * 100);
}

void setTargets(PageRig& rig, const int& steps, const int& sleep)
{
    CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    account.health = CloudLedger::lc_health{1, 30, 172, 65, QDateTime::currentDateTime()};
    account.stepTarget = steps;
    account.sleepTarget = sleep;
    rig.cloud().ledger().setAccount(account);
    QSignalSpy health(&rig.hub(), &CoreHub::onNsGetHealthNum);
    QVERIFY(rig.hub().nsGetHealthNum(rig.token(), CoreHub::version(), rig.hub().LanguageString()));
    QVERIFY(health.wait(PeerRig::PEER_WAIT));
}

// The band bound yesterday, its two days pulled and stored as a user's sync leaves them.
void syncBand(PageRig& rig)
{
    const QDate today = QDate::currentDate();
    rig.band().generateDays(today, 2);
    const CloudGate::ns_bind_dev bind{rig.band().info.address, QStringLiteral("QB0001"),
                                      QDateTime(today.addDays(-1), QTime(9, 30))};
    QVERIFY(rig.cloud().ledger().bindBand(MOBILE, {bind.deviceAddress, bind.deviceSerial, bind.bindDt}));
    rig.hub().setNsBinds({bind});
    QVERIFY(rig.plugAdapter());
    BandHarvest run;
    run.setConnectPause(50);
    run.setRequestInterval(1000);
    run.setMsg(&rig.hub());
    run.setDevId(bind);
    QSignalSpy statuses(&run, &BandHarvest::onStatus);
    QVERIFY(run.sync());
    QTRY_VERIFY_WITH_TIMEOUT(!statuses.isEmpty() &&
                                 statuses.last().at(0).value<BandHarvest::STATUS>() == BandHarvest::STATUS_DONE,
                             SYNC_WAIT);
}

} // namespace

class TestPageFrame : public QObject
{
    Q_OBJECT
private slots:
    void percent_data();
    void percent();
    void todayCards_data();
    void todayCards();
    void longInterval();
    void tabs_data();
    void tabs();
};

void TestPageFrame::percent_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("target");
    QTest::addColumn<int>("percent");
    QTest::newRow("above the target is 100, never more")       << 12000.0 << 8000.0 << 100;
    QTest::newRow("at the target is 100")                      << 8000.0  << 8000.0 << 100;
    QTest::newRow("a share between is neither 0 nor 100")      << 450.0   << 480.0  << 93;
    QTest::newRow("the share is cut, not rounded")             << 7999.0  << 8000.0 << 99;
    QTest::newRow("a target of 0 with figures is 100")         << 5.0     << 0.0    << 100;
    QTest::newRow("a target of 0 and nothing done is 0")       << 0.0     << 0.0    << 0;
    QTest::newRow("nothing done of a real target is 0")        << 0.0     << 480.0  << 0;
}

void TestPageFrame::percent()
{
    QFETCH(double, value);
    QFETCH(double, target);
    QFETCH(int, percent);
    QCOMPARE(int(WidgetBody::sdPercent(value, target)), percent);
}

void TestPageFrame::todayCards_data()
{
    QTest::addColumn<int>("stepTarget");
    QTest::addColumn<int>("sleepTarget");
    QTest::newRow("targets above the day's figures show the share") << 100000 << 6000;
    QTest::newRow("targets below the day's figures show 100")       << 10     << 10;
    QTest::newRow("targets of 0 show 100")                          << 0      << 0;
}

void TestPageFrame::todayCards()
{
    QFETCH(int, stepTarget);
    QFETCH(int, sleepTarget);
    PageRig rig;
    QVERIFY(rig.isReady());
    QVERIFY(rig.signIn(MOBILE));
    setTargets(rig, stepTarget, sleepTarget);
    syncBand(rig);

    PageFrame page;
    rig.activate(page);
    page.show();
    auto* steps = page.findChild<PageStepsToday*>(QStringLiteral("widget_sport_today"));
    auto* sleep = page.findChild<PageRestToday*>(QStringLiteral("widget_sleep_today"));
    QTRY_VERIFY(steps->isEnabled() && !shown(steps).value.isEmpty());
    QTRY_VERIFY(sleep->isEnabled() && !shown(sleep).value.isEmpty());

    // Distance and calories go per two hours: eight samples of 15 minutes.
    const QList<quint16> samples = rig.band().stepDay(QDate::currentDate());
    QCOMPARE(int(rig.band().stepInterval(QDate::currentDate())), 15);
    double total = 0;
    double kilometres = 0;
    double kilocalories = 0;
    int active = 0;
    for (int first = 0; first < samples.size(); first += 8) {
        unsigned chunk = 0;
        for (int i = first; i < qMin(first + 8, samples.size()); ++i) {
            chunk += samples.at(i);
            active += samples.at(i) ? 15 : 0;
        }
        const double metres = rig.hub().sdCalcDist(chunk);
        kilometres += metres / 1000;
        kilocalories += rig.hub().sdCalcDefaultKcal(metres) / 1000;
        total += chunk;
    }
    const card_text stepCard = shown(steps);
    QCOMPARE(stepCard.value, QString::number(qint64(total)));
    QCOMPARE(stepCard.target, QString::number(stepTarget));
    QCOMPARE(stepCard.first, QStringLiteral("%1大卡").arg(QString::number(kilocalories, 'f', 1)));
    QCOMPARE(stepCard.second, hoursMinutes(active));
    QCOMPARE(stepCard.third, QStringLiteral("%1公里").arg(QString::number(kilometres, 'f', 1)));
    QCOMPARE(stepCard.percent, percentOf(total, stepTarget));

    int light = 0;
    int deep = 0;
    for (const SimSleepItem& item : rig.band().sleepDay(QDate::currentDate())) {
        if (item.code < 3)
            deep += item.minutes;
        else if (item.code <= 5)
            light += item.minutes;
    }
    const card_text sleepCard = shown(sleep);
    QCOMPARE(sleepCard.first, QStringLiteral("00:00"));
    QCOMPARE(sleepCard.second, hoursMinutes(light));
    QCOMPARE(sleepCard.third, hoursMinutes(deep));
    QCOMPARE(sleepCard.value, hoursMinutes(light + deep));
    QCOMPARE(sleepCard.target, hoursMinutes(sleepTarget));
    QCOMPARE(sleepCard.percent, percentOf(light + deep, sleepTarget));
    if (stepTarget == 100000)
        QVERIFY(rig.shot(page));
}

// More than two hours per sample: each sample is its own chunk rather than a chunk of none.
void TestPageFrame::longInterval()
{
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    setTargets(rig, 8000, 480);
    PageFrame page;
    rig.activate(page);
    auto* steps = page.findChild<PageStepsToday*>(QStringLiteral("widget_sport_today"));
    QTRY_VERIFY(steps->isEnabled());
    QCOMPARE(shown(steps).value, QStringLiteral("0"));
    QCOMPARE(shown(steps).target, QStringLiteral("8000"));

    LocalVault::step_mem_data day;
    const QDate today = QDate::currentDate();
    day.t.date = LocalVault::mydate{quint16(today.year()), quint8(today.month()), quint8(today.day())};
    day.t.interval = 121;
    day.items = {{0, 300}, {0, 0}, {0, 500}};
    emit rig.hub().onFdNetStepDay(day);
    QCOMPARE(shown(steps).value, QStringLiteral("800"));
    QCOMPARE(shown(steps).second, hoursMinutes(242));
    QCOMPARE(shown(steps).percent, 10);
}

void TestPageFrame::tabs_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("tab");
    QTest::newRow("today shows tab 0")             << 0  << 0;
    QTest::newRow("band management shows tab 2")   << 2  << 2;
    QTest::newRow("the task list shows tab 5")     << 5  << 5;
    QTest::newRow("the user shows tab 6")          << 6  << 6;
    QTest::newRow("no entry keeps the tab shown")  << -1 << 0;
}

void TestPageFrame::tabs()
{
    QFETCH(int, item);
    QFETCH(int, tab);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    PageFrame page;
    rig.activate(page);
    page.show();
    auto* tabs = page.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
    QCOMPARE(tabs->count(), 7);
    QVERIFY(!tabs->tabBar()->isVisible());
    page.on_NavigateItemChanged(item, 0);
    QCOMPARE(tabs->currentIndex(), tab);
    QCOMPARE(tabs->tabText(5), QStringLiteral("任务系统"));
}

QTEST_MAIN(TestPageFrame)
#include "tst_pageframe.moc"
