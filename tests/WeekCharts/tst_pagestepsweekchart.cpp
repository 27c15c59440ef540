#include "pagestepsweekchart.h"

#include "weekrig.h"

#include <QtTest>

using namespace WeekRig;

// What happens after the page showed its first week.
enum class Step { Load, Refuse, Malformed, NoHub, EmptyReply, NegativeReply, MarkupTips, Pick, Sync };
Q_DECLARE_METATYPE(Step)

namespace {

const QString ENDPOINT = QStringLiteral("statistics/weeksportstatistics");
const QString BARS = QStringLiteral("当天步数");
const QString AVERAGE = QStringLiteral("平均步数");
const QString TARGET = QStringLiteral("目标步数");
const QDate PICKED(2026, 12, 29);
const QDate NEGATIVE_WEEK(2027, 3, 1);

QDate weekStart()
{
    return QDate::currentDate().addDays(-6);
}

seed_day sport(const int& index, const quint32& minutes, const qint32& steps, const double& km, const double& kcal)
{
    seed_day day;
    day.index = index;
    day.sportMinutes = minutes;
    day.steps = steps;
    day.km = km;
    day.kcal = kcal;
    return day;
}

// Three days; the average of the uploaded days is 4667 steps.
QList<seed_day> usualWeek()
{
    return {sport(0, 30, 2000, 1.3, 80), sport(2, 125, 8000, 5.26, 300.04), sport(4, 60, 4000, 2.6, 150)};
}

const QVector<double> USUAL_BARS{2000, 0, 8000, 0, 4000, 0, 0};

void fault(PageRig& rig, const LoopbackCloud::FAULT& kind, const QString& code = QString(), const int& delay = 0)
{
    rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + ENDPOINT, {kind, code, QString(), delay});
}

// The row's first columns; the checks after them are skipped when unset: no bars for a sync, no
// totals, an average below 0, a unit of 0, null texts, a null point.
QTestData& row(const char* name, const QList<seed_day>& days, const double& target, const Step& step,
               const QDate& first)
{
    return QTest::newRow(name) << days << target << step << first;
}

} // namespace

class TestPageStepsWeekChart : public QObject
{
    Q_OBJECT
private slots:
    void week_data();
    void week();
};

void TestPageStepsWeekChart::week_data()
{
    QTest::addColumn<QList<seed_day>>("days");
    QTest::addColumn<double>("target");
    QTest::addColumn<Step>("step");
    QTest::addColumn<QDate>("first");  // the day the x labels start from
    QTest::addColumn<QVector<double>>("bars");
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<double>("average");
    QTest::addColumn<double>("unit");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QString>("hover");
    const QStringList none;
    const QPointF nowhere;
    const QDate week = weekStart();

    row("minutes of two days carry into whole hours", {sport(0, 59, 500, 1.0, 20.0), sport(1, 61, 700, 2.0, 30.5)},
        10000, Step::Load, week)
        << QVector<double>{500, 700, 0, 0, 0, 0, 0} << QStringList{"1200步", "50.5大卡", "2小时0分", "3.0公里"}
        << 600.0 << 1000.0 << "本周平均每天600步" << "未达标" << nowhere << QString();
    row("a distance total shows one decimal", {sport(3, 30, 8000, 12.345, 300.04)}, 10000, Step::Load, week)
        << QVector<double>{0, 0, 0, 8000, 0, 0, 0} << QStringList{"8000步", "300.0大卡", "0小时30分", "12.3公里"}
        << 8000.0 << 1000.0 << QString() << QString() << nowhere << QString();
    row("a seven-digit step total turns into exponent form", {sport(6, 600, 1234567, 900.0, 40000.0)}, 10000,
        Step::Load, week)
        << QVector<double>{0, 0, 0, 0, 0, 0, 1234567}
        << QStringList{"1.23457e+06步", "40000.0大卡", "10小时0分", "900.0公里"} << 1234567.0 << 123456.0 << QString()
        << QString() << nowhere << QString();
    row("a largest value of 99 keeps the unit 10", {sport(0, 10, 99, 0.1, 5)}, 50, Step::Load, week)
        << QVector<double>{99, 0, 0, 0, 0, 0, 0} << none << 99.0 << 10.0 << QString() << QString() << nowhere
        << QString();
    row("a largest value of exactly 100 keeps the unit 10", {sport(0, 10, 100, 0.1, 5)}, 50, Step::Load, week)
        << QVector<double>{100, 0, 0, 0, 0, 0, 0} << none << 100.0 << 10.0 << QString() << QString() << nowhere
        << QString();
    row("a largest value of 12345 gives a tenth of it, whole", {sport(0, 10, 12345, 0.1, 5)}, 10000, Step::Load, week)
        << QVector<double>{12345, 0, 0, 0, 0, 0, 0} << none << 12345.0 << 1234.0 << QString() << QString()
        << nowhere << QString();
    row("a bar's hover names its day's time, steps, distance and calories", usualWeek(), 3000, Step::Load, week)
        << USUAL_BARS << none << 4667.0 << 0.0 << QString() << QString() << QPointF(2, 4000)
        << "2小时5分 8000步\r\n5.3千米 300.0大卡";
    row("the average line's hover names it and its steps", usualWeek(), 3000, Step::Load, week)
        << USUAL_BARS << none << -1.0 << 0.0 << QString() << QString() << QPointF(2.5, 4667) << "平均步数 4667步";
    row("the target line's hover names it and its steps", usualWeek(), 3000, Step::Load, week)
        << USUAL_BARS << none << -1.0 << 0.0 << QString() << QString() << QPointF(1.5, 3000) << "目标步数 3000步";
    row("empty space leaves the tooltip of a fresh week", usualWeek(), 3000, Step::Load, week)
        << USUAL_BARS << none << -1.0 << 0.0 << QString() << QString() << QPointF(5.5, 1000) << "没有数据";
    row("a refusal shows its code's message and keeps the bars", usualWeek(), 3000, Step::Refuse, week)
        << USUAL_BARS << none << -1.0 << 0.0 << "用户设备未绑定" << "加载失败" << nowhere << QString();
    row("a malformed reply shows the parse error's message and keeps the bars", usualWeek(), 3000, Step::Malformed,
        week)
        << USUAL_BARS << none << -1.0 << 0.0 << "解释数据出错!" << "加载失败" << nowhere << QString();
    row("a reply after the hub went keeps the bars", usualWeek(), 3000, Step::NoHub, week)
        << USUAL_BARS << none << -1.0 << 0.0 << "连接消息中心失败!!!" << "加载失败" << nowhere << QString();
    row("a success without days empties the chart under the chosen week", usualWeek(), 3000, Step::EmptyReply,
        week.addDays(-7))
        << QVector<double>() << QStringList{"0步", "0.0大卡", "0小时0分", "0.0公里"} << 0.0 << 0.0 << "本周没有数据"
        << "空" << QPointF(2, 1000) << "没有数据";
    row("a negative sport time counts as no time", usualWeek(), 3000, Step::NegativeReply, NEGATIVE_WEEK)
        << QVector<double>{100, 0} << QStringList{"100步", "1.0大卡", "0小时0分", "0.1公里"} << -1.0 << 0.0
        << "负数" << "空" << QPointF(0, 50) << "0小时0分 100步\r\n0.1千米 1.0大卡";
    row("markup in the cloud's tips shows as written and loads nothing", usualWeek(), 3000, Step::MarkupTips, week)
        << USUAL_BARS << none << -1.0 << 0.0 << "<img src=\"/dev/zero\">" << QString() << nowhere << QString();
    row("a week picked in the card's calendar loads once", {}, 10000, Step::Pick, PICKED)
        << QVector<double>{0, 0, 0, 0, 0, 0, 0} << none << -1.0 << 0.0 << QString() << QString() << nowhere
        << QString();
    row("an upload from a real sync loads the week once", {}, 10000, Step::Sync, week)
        << QVector<double>() << none << -1.0 << 0.0 << QString() << QString() << nowhere << QString();
}

void TestPageStepsWeekChart::week()
{
    QFETCH(QList<seed_day>, days);
    QFETCH(double, target);
    QFETCH(Step, step);
    QFETCH(QDate, first);
    QFETCH(QVector<double>, bars);
    QFETCH(QStringList, totals);
    QFETCH(double, average);
    QFETCH(double, unit);
    QFETCH(QString, prompt);
    QFETCH(QString, picture);
    QFETCH(QPointF, at);
    QFETCH(QString, hover);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), days));
    rig.hub().nsSetStepTarget(target);
    PageStepsWeekChart page;
    QVERIFY(start(rig, page));
    switch (step) {
    case Step::Load: break;
    case Step::Refuse:
        fault(rig, LoopbackCloud::FAULT_RETURN_CODE, QStringLiteral("c007"));
        page.updateCurrentData();
        break;
    case Step::Malformed:
        fault(rig, LoopbackCloud::FAULT_MALFORMED);
        page.updateCurrentData();
        break;
    case Step::NoHub:
        fault(rig, LoopbackCloud::FAULT_SLOW, QString(), 300);
        page.updateCurrentData();
        page.setMsg(nullptr);
        break;
    case Step::EmptyReply:
        fault(rig, LoopbackCloud::FAULT_SILENT);
        cardOf(page)->on_updateData(first);
        rig.hub().onNsMsg(CloudGate::NS_MSG_WEEK_SPORT_STATS,
                          R"({"returnCode":"0000","returnMsg":"","avgTotalFoots":"0","sportDetailList":[],)"
                          R"("tips":"本周没有数据","title":"空"})");
        break;
    case Step::NegativeReply:
        fault(rig, LoopbackCloud::FAULT_SILENT);
        page.updateCurrentData();
        rig.hub().onNsMsg(CloudGate::NS_MSG_WEEK_SPORT_STATS,
                          R"({"returnCode":"0000","returnMsg":"","avgTotalFoots":"2000","sportDetailList":[)"
                          R"({"date":"20270301","totalTime":"-5","totalFoots":"100","distance":"0.1","calorie":"1"},)"
                          R"({"date":"20270302","totalTime":"-2147483648","totalFoots":"0"}],"tips":"负数","title":"空"})");
        break;
    case Step::MarkupTips:
        setWeekTips(rig, prompt);
        page.updateCurrentData();
        break;
    case Step::Pick: QCOMPARE(pickWeek(rig, page, first), weekStart()); break;
    case Step::Sync: QVERIFY(syncWeek(rig)); break;
    }
    if (step == Step::Pick || step == Step::Sync)
        QTRY_COMPARE_WITH_TIMEOUT(requests(rig, ENDPOINT), 2, PeerRig::PEER_WAIT);
    QVERIFY(loaded(page));
    if (step == Step::Pick || step == Step::Sync)
        QCOMPARE(requests(rig, ENDPOINT), 2);

    QCOMPARE(ticks(chartOf(page)->xAxis).values(), dayLabels(first));
    if (step == Step::Sync) {
        QCOMPARE(values(plottable(page, BARS)).size(), 7);
        for (const double steps : values(plottable(page, BARS)))
            QVERIFY(steps > 0);
        QVERIFY(rig.shot(page));
        QVERIFY(rig.shot(*cardOf(page)));
    } else {
        QCOMPARE(values(plottable(page, BARS)), bars);
    }
    if (!totals.isEmpty())
        QCOMPARE(cardValues(page), totals);
    if (!prompt.isNull())
        QCOMPARE(WeekRig::prompt(page), prompt);
    if (!picture.isNull())
        QCOMPARE(WeekRig::picture(page), WeekRig::picture(66, picture));
    if (average >= 0) {
        QCOMPARE(values(plottable(page, AVERAGE)), (QVector<double>{average, average}));
        for (const QString& line : {AVERAGE, TARGET})
            QVERIFY(spans(plottable(page, line), chartOf(page)->xAxis->range()));
    }
    if (unit > 0) {
        QCOMPARE(keys(plottable(page, BARS)), (QVector<double>{0, 1, 2, 3, 4, 5, 6}));
        QCOMPARE(values(plottable(page, TARGET)), (QVector<double>{target, target}));
        const QList<double> yTicks = ticks(chartOf(page)->yAxis).keys();
        QCOMPARE(yTicks.size(), 11);
        QCOMPARE(yTicks.at(1), unit);
        QCOMPARE(yTicks.last(), 10 * unit);
        QCOMPARE(chartOf(page)->toolTip(), QStringLiteral("没有数据"));
    }
    if (!at.isNull())
        QCOMPARE(WeekRig::hover(page, at.x(), at.y()), hover);
}

QTEST_MAIN(TestPageStepsWeekChart)
#include "tst_pagestepsweekchart.moc"
