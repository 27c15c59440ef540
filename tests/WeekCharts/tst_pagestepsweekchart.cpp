#include "pagestepsweekchart.h"

#include "weekrig.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QtTest>

using namespace WeekRig;

enum class Reply { Refused, Malformed, EmptyWeek, NegativeTime, NoHub };
Q_DECLARE_METATYPE(Reply)
enum class Reload { Calendar, Upload };
Q_DECLARE_METATYPE(Reload)

namespace {

const QString ENDPOINT = QStringLiteral("statistics/weeksportstatistics");
const QString BARS = QStringLiteral("当天步数");
const QString AVERAGE = QStringLiteral("平均步数");
const QString TARGET = QStringLiteral("目标步数");

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

// Three days of a week; the average of the uploaded days is 4667 steps.
QList<seed_day> usualWeek()
{
    return {sport(0, 30, 2000, 1.3, 80), sport(2, 125, 8000, 5.26, 300.04), sport(4, 60, 4000, 2.6, 150)};
}

QStringList dayLabels(const QDate& first)
{
    QStringList labels;
    for (int i = 0; i < 7; ++i)
        labels.append(QStringLiteral("%1/%2").arg(first.addDays(i).month()).arg(first.addDays(i).day()));
    return labels;
}

QString path()
{
    return LoopbackCloud::PATH_PREFIX + ENDPOINT;
}

} // namespace

class TestPageStepsWeekChart : public QObject
{
    Q_OBJECT
private slots:
    void week_data();
    void week();
    void replies_data();
    void replies();
    void hover_data();
    void hover();
    void reloads_data();
    void reloads();
};

void TestPageStepsWeekChart::week_data()
{
    QTest::addColumn<QList<seed_day>>("days");
    QTest::addColumn<double>("target");
    QTest::addColumn<QVector<double>>("bars");
    QTest::addColumn<double>("average");
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<double>("unit");
    QTest::newRow("minutes of two days carry into whole hours")
        << QList<seed_day>{sport(0, 59, 500, 1.0, 20.0), sport(1, 61, 700, 2.0, 30.5)} << 10000.0
        << QVector<double>{500, 700, 0, 0, 0, 0, 0} << 600.0
        << QStringList{"1200步", "50.5大卡", "2小时0分", "3.0公里"} << 1000.0;
    QTest::newRow("a distance total shows one decimal")
        << QList<seed_day>{sport(3, 30, 8000, 12.345, 300.04)} << 10000.0 << QVector<double>{0, 0, 0, 8000, 0, 0, 0}
        << 8000.0 << QStringList{"8000步", "300.0大卡", "0小时30分", "12.3公里"} << 1000.0;
    QTest::newRow("a seven-digit step total turns into exponent form")
        << QList<seed_day>{sport(6, 600, 1234567, 900.0, 40000.0)} << 10000.0
        << QVector<double>{0, 0, 0, 0, 0, 0, 1234567} << 1234567.0
        << QStringList{"1.23457e+06步", "40000.0大卡", "10小时0分", "900.0公里"} << 123456.0;
    QTest::newRow("a largest value of 99 keeps the unit 10")
        << QList<seed_day>{sport(0, 10, 99, 0.1, 5)} << 50.0 << QVector<double>{99, 0, 0, 0, 0, 0, 0} << 99.0
        << QStringList{"99步", "5.0大卡", "0小时10分", "0.1公里"} << 10.0;
    QTest::newRow("a largest value of exactly 100 keeps the unit 10")
        << QList<seed_day>{sport(0, 10, 100, 0.1, 5)} << 50.0 << QVector<double>{100, 0, 0, 0, 0, 0, 0} << 100.0
        << QStringList{"100步", "5.0大卡", "0小时10分", "0.1公里"} << 10.0;
    QTest::newRow("a largest value of 12345 gives a tenth of it, whole")
        << QList<seed_day>{sport(0, 10, 12345, 0.1, 5)} << 10000.0 << QVector<double>{12345, 0, 0, 0, 0, 0, 0}
        << 12345.0 << QStringList{"12345步", "5.0大卡", "0小时10分", "0.1公里"} << 1234.0;
}

void TestPageStepsWeekChart::week()
{
    QFETCH(QList<seed_day>, days);
    QFETCH(double, target);
    QFETCH(QVector<double>, bars);
    QFETCH(double, average);
    QFETCH(QStringList, totals);
    QFETCH(double, unit);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), days));
    rig.hub().nsSetStepTarget(target);
    PageStepsWeekChart page;
    QVERIFY(start(rig, page));

    QCOMPARE(cardValues(page), totals);
    QVERIFY(prompt(page).startsWith(QStringLiteral("本周平均每天")));
    QCOMPARE(keys(plottable(page, BARS)), (QVector<double>{0, 1, 2, 3, 4, 5, 6}));
    QCOMPARE(values(plottable(page, BARS)), bars);
    QCOMPARE(ticks(chartOf(page)->xAxis).values(), dayLabels(weekStart()));
    for (const QString& name : {AVERAGE, TARGET}) {
        QVERIFY(spans(plottable(page, name), chartOf(page)->xAxis->range()));
        const double at = name == AVERAGE ? average : target;
        QCOMPARE(values(plottable(page, name)), (QVector<double>{at, at}));
    }
    const QList<double> yTicks = ticks(chartOf(page)->yAxis).keys();
    QCOMPARE(yTicks.size(), 11);
    QCOMPARE(yTicks.at(1), unit);
    QCOMPARE(yTicks.last(), 10 * unit);
    QCOMPARE(chartOf(page)->toolTip(), QStringLiteral("没有数据"));
}

void TestPageStepsWeekChart::replies_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("pictureText");
    QTest::newRow("a refusal shows its code's message and keeps the bars")
        << Reply::Refused << "用户设备未绑定" << "加载失败";
    QTest::newRow("a malformed reply shows the parse error's message and keeps the bars")
        << Reply::Malformed << "解释数据出错!" << "加载失败";
    QTest::newRow("a reply after the hub went keeps the bars") << Reply::NoHub << "连接消息中心失败!!!" << "加载失败";
    QTest::newRow("a success without days empties the chart under the chosen week")
        << Reply::EmptyWeek << "本周没有数据" << "空";
    QTest::newRow("a negative sport time counts as no time") << Reply::NegativeTime << "负数" << "空";
}

void TestPageStepsWeekChart::replies()
{
    QFETCH(Reply, reply);
    QFETCH(QString, prompt);
    QFETCH(QString, pictureText);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), usualWeek()));
    PageStepsWeekChart page;
    QVERIFY(start(rig, page));
    const QVector<double> before = values(plottable(page, BARS));
    const QDate chosen = weekStart().addDays(-7);
    switch (reply) {
    case Reply::Refused:
        rig.cloud().setFault(path(), {LoopbackCloud::FAULT_RETURN_CODE, QStringLiteral("c007"), QString(), 0});
        page.updateCurrentData();
        break;
    case Reply::Malformed:
        rig.cloud().setFault(path(), {LoopbackCloud::FAULT_MALFORMED, QString(), QString(), 0});
        page.updateCurrentData();
        break;
    case Reply::NoHub:
        rig.cloud().setFault(path(), {LoopbackCloud::FAULT_SLOW, QString(), QString(), 300});
        page.updateCurrentData();
        page.setMsg(nullptr);
        break;
    case Reply::EmptyWeek:
        rig.cloud().setFault(path(), {LoopbackCloud::FAULT_SILENT, QString(), QString(), 0});
        cardOf(page)->on_updateData(chosen);
        QVERIFY(!page.isEnabled());
        rig.hub().onNsMsg(CloudGate::NS_MSG_WEEK_SPORT_STATS,
                          R"({"returnCode":"0000","returnMsg":"","avgTotalFoots":"0","sportDetailList":[],)"
                          R"("tips":"本周没有数据","title":"空"})");
        break;
    case Reply::NegativeTime:
        rig.cloud().setFault(path(), {LoopbackCloud::FAULT_SILENT, QString(), QString(), 0});
        page.updateCurrentData();
        rig.hub().onNsMsg(CloudGate::NS_MSG_WEEK_SPORT_STATS,
                          R"({"returnCode":"0000","returnMsg":"","avgTotalFoots":"100","sportDetailList":[)"
                          R"({"date":"20270301","totalTime":"-5","totalFoots":"100","distance":"0.1","calorie":"1"},)"
                          R"({"date":"20270302","totalTime":"-2147483648","totalFoots":"0"}],)"
                          R"("tips":"负数","title":"空"})");
        break;
    }
    QVERIFY(loaded(page));
    QCOMPARE(WeekRig::prompt(page), prompt);
    QCOMPARE(picture(page), picture(66, pictureText));
    if (reply == Reply::NegativeTime) {
        QCOMPARE(cardValues(page), (QStringList{"100步", "1.0大卡", "0小时0分", "0.1公里"}));
        QCOMPARE(ticks(chartOf(page)->xAxis).values(), dayLabels(QDate(2027, 3, 1)));
        QCOMPARE(WeekRig::hover(page, 0, 50), QStringLiteral("0小时0分 100步\r\n0.1千米 1.0大卡"));
        return;
    }
    if (reply != Reply::EmptyWeek) {
        QCOMPARE(values(plottable(page, BARS)), before);
        return;
    }
    QVERIFY(values(plottable(page, BARS)).isEmpty());
    QCOMPARE(ticks(chartOf(page)->xAxis).values(), dayLabels(chosen));
    QCOMPARE(cardValues(page), (QStringList{"0步", "0.0大卡", "0小时0分", "0.0公里"}));
    QCOMPARE(values(plottable(page, AVERAGE)), (QVector<double>{0, 0}));
    QCOMPARE(WeekRig::hover(page, 2, 1000), QStringLiteral("没有数据"));
}

void TestPageStepsWeekChart::hover_data()
{
    QTest::addColumn<double>("key");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("a bar names its day's time, steps, distance and calories")
        << 2.0 << 4000.0 << "2小时5分 8000步\r\n5.3千米 300.0大卡";
    QTest::newRow("the average line names itself and its steps") << 2.5 << 4667.0 << "平均步数 4667步";
    QTest::newRow("the target line names itself and its steps") << 1.5 << 3000.0 << "目标步数 3000步";
    QTest::newRow("empty space leaves the tooltip as it was") << 5.5 << 1000.0 << "没有数据";
}

void TestPageStepsWeekChart::hover()
{
    QFETCH(double, key);
    QFETCH(double, value);
    QFETCH(QString, tooltip);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), usualWeek()));
    rig.hub().nsSetStepTarget(3000);
    PageStepsWeekChart page;
    QVERIFY(start(rig, page));
    QCOMPARE(WeekRig::hover(page, key, value), tooltip);
}

void TestPageStepsWeekChart::reloads_data()
{
    QTest::addColumn<Reload>("reload");
    QTest::newRow("a week picked in the card's calendar") << Reload::Calendar;
    QTest::newRow("an upload from a real sync") << Reload::Upload;
}

void TestPageStepsWeekChart::reloads()
{
    QFETCH(Reload, reload);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), {}));
    rig.hub().nsSetStepTarget(10000);
    PageStepsWeekChart page;
    QVERIFY(start(rig, page));
    QCOMPARE(requests(rig, ENDPOINT), 1);
    QDate shown = weekStart();
    if (reload == Reload::Calendar) {
        shown = QDate(2026, 12, 29);
        rig.holdModal(
            [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                dialog->findChild<QCalendarWidget*>(QStringLiteral("calendar"))->setSelectedDate(shown);
                QTest::mouseClick(dialog->findChild<QLabel*>(QStringLiteral("bt_ok")), Qt::LeftButton);
                return true;
            },
            1);
        QTest::mouseClick(cardOf(page)->findChild<QLabel*>(QStringLiteral("ico")), Qt::LeftButton);
    } else {
        QVERIFY(syncWeek(rig));
    }
    QTRY_COMPARE_WITH_TIMEOUT(requests(rig, ENDPOINT), 2, PeerRig::PEER_WAIT);
    QVERIFY(loaded(page));
    QCOMPARE(requests(rig, ENDPOINT), 2);
    QCOMPARE(cardOf(page)->currentDate(), shown);
    QCOMPARE(ticks(chartOf(page)->xAxis).values(), dayLabels(shown));
    if (reload == Reload::Calendar)
        return;
    for (const double steps : values(plottable(page, BARS)))
        QVERIFY(steps > 0);
    QVERIFY(rig.shot(page));
    QVERIFY(rig.shot(*cardOf(page)));
}

QTEST_MAIN(TestPageStepsWeekChart)
#include "tst_pagestepsweekchart.moc"
