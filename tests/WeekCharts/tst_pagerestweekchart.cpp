#include "pagerestweekchart.h"

#include "weekrig.h"

#include <QtTest>

using namespace WeekRig;

// What happens after the page showed its first week.
enum class Step { Load, Refuse, NoHub, EmptyReply, NegativeReply, MarkupTips, Pick, Sync };
Q_DECLARE_METATYPE(Step)

namespace {

const QString ENDPOINT = QStringLiteral("statistics/weeksleepstatistics");
const QString LIGHT = QStringLiteral("浅睡");
const QString DEEP = QStringLiteral("深睡");
const QString AVERAGE = QStringLiteral("平均");
const QDate PICKED(2026, 12, 29);

QDate weekStart()
{
    return QDate::currentDate().addDays(-6);
}

seed_day night(const int& index, const quint32& total, const quint32& light, const quint32& deep,
               const QTime& bedtime = QTime())
{
    seed_day day;
    day.index = index;
    day.sleepMinutes = total;
    day.lightMinutes = light;
    day.deepMinutes = deep;
    day.bedtime = bedtime;
    return day;
}

// Three nights with an average of 7 hours 30 minutes, all begun at 23:05.
QList<seed_day> usualWeek()
{
    return {night(0, 430, 250, 180, QTime(23, 5)), night(1, 420, 300, 120, QTime(23, 5)),
            night(2, 500, 260, 240, QTime(23, 5))};
}

const QVector<double> USUAL_DEEP{180, 120, 240, 0, 0, 0, 0};

// Counts the week sleep replies the hub announces, as the page gets them.
class SleepReplies : public QObject
{
    Q_OBJECT
public:
    int count = 0;
    int nights = -1;

public slots:
    void on_reply(const QTime&, QTime&, QTime&, QTime&, QList<CloudGate::ns_week_sleep_detail>& list, QString&,
                  QString&, CloudGate::ns_ret_code&, QString&)
    {
        ++count;
        nights = list.size();
    }
};

bool listen(PageRig& rig, SleepReplies& replies)
{
    return QObject::connect(
        &rig.hub(),
        SIGNAL(onNsWeekSleepStats(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,CloudGate::ns_ret_code&,QString&)),
        &replies,
        SLOT(on_reply(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,CloudGate::ns_ret_code&,QString&)));
}

void fault(PageRig& rig, const LoopbackCloud::FAULT& kind, const QString& code = QString(), const int& delay = 0)
{
    rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + ENDPOINT, {kind, code, QString(), delay});
}

// Both points of the line at value, in chart units.
bool lineAt(QCPAbstractPlottable* line, const double& value)
{
    const QVector<double> points = values(line);
    return points.size() == 2 && qFuzzyCompare(points.first(), value) && qFuzzyCompare(points.last(), value);
}

QVector<double> chartUnits(const QVector<double>& minutes)
{
    QVector<double> units;
    for (const double value : minutes)
        units.append(value * 0.01);
    return units;
}

// The row's first columns; the checks after them are skipped when unset: no light bars for a
// sync, no totals, an average below 0, image 0, a null point.
QTestData& row(const char* name, const QList<seed_day>& days, const Step& step, const QDate& first)
{
    return QTest::newRow(name) << days << step << first;
}

} // namespace

class TestPageRestWeekChart : public QObject
{
    Q_OBJECT
private slots:
    void week_data();
    void week();
};

void TestPageRestWeekChart::week_data()
{
    QTest::addColumn<QList<seed_day>>("days");
    QTest::addColumn<Step>("step");
    QTest::addColumn<QDate>("first");  // the day the x labels start from
    QTest::addColumn<QVector<double>>("light");  // minutes
    QTest::addColumn<QVector<double>>("deep");
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<double>("average");  // chart units
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("image");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QString>("hover");
    const QList<seed_day> oneNight{night(0, 430, 250, 180, QTime(23, 5))};
    const QVector<double> zeros{0, 0, 0, 0, 0, 0, 0};
    const QStringList none;
    const QPointF nowhere;
    const QDate week = weekStart();

    row("a night of 430, 250 light and 180 deep; the light bar's hover", oneNight, Step::Load, week)
        << QVector<double>{250, 0, 0, 0, 0, 0, 0} << QVector<double>{180, 0, 0, 0, 0, 0, 0}
        << QStringList{"23:05", "7小时10分", "4小时10分", "3小时0分"} << 4.3 << "本周平均每晚睡眠430分钟" << 72
        << "未达标" << QPointF(-0.125, 1.0) << "浅睡 4小时10分钟";
    row("the deep bar's hover", oneNight, Step::Load, week)
        << QVector<double>{250, 0, 0, 0, 0, 0, 0} << QVector<double>{180, 0, 0, 0, 0, 0, 0} << none << -1.0
        << QString() << 0 << QString() << QPointF(0.125, 1.0) << "深睡 3小时0分钟";
    row("light nights of 50 and 20 minutes carry into an hour", {night(0, 100, 50, 50), night(1, 60, 20, 40)},
        Step::Load, week)
        << QVector<double>{50, 20, 0, 0, 0, 0, 0} << QVector<double>{50, 40, 0, 0, 0, 0, 0}
        << QStringList{"", "2小时40分", "1小时10分", "1小时30分"} << 0.8 << QString() << 0 << QString() << nowhere
        << QString();
    row("the line stands at the cloud's average, not at the bars' mean, and names it", usualWeek(), Step::Load, week)
        << QVector<double>{250, 300, 260, 0, 0, 0, 0} << USUAL_DEEP
        << QStringList{"23:05", "22小时30分", "13小时30分", "9小时0分"} << 4.5 << QString() << 0 << QString()
        << QPointF(4.5, 4.5) << "平均 7小时30分钟";
    row("empty space leaves the tooltip of a fresh week", usualWeek(), Step::Load, week)
        << QVector<double>{250, 300, 260, 0, 0, 0, 0} << USUAL_DEEP << none << -1.0 << QString() << 0 << QString()
        << QPointF(5.0, 1.0) << "没有数据";
    row("a refusal shows its code's message and keeps the bars", usualWeek(), Step::Refuse, week)
        << QVector<double>{250, 300, 260, 0, 0, 0, 0} << USUAL_DEEP << none << -1.0 << "用户设备未绑定" << 72
        << QString() << nowhere << QString();
    row("a reply after the hub went shows image 66 and keeps the bars", usualWeek(), Step::NoHub, week)
        << QVector<double>{250, 300, 260, 0, 0, 0, 0} << USUAL_DEEP << none << -1.0 << "连接消息中心失败!!!" << 66
        << QString() << nowhere << QString();
    row("a week without nights empties the bars and draws the cloud's average", usualWeek(), Step::EmptyReply, week)
        << QVector<double>() << QVector<double>() << QStringList{"", "0小时0分", "0小时0分", "0小时0分"} << 4.2
        << "本周没有数据" << 72 << QString() << QPointF(3, 4.2) << "平均 7小时0分钟";
    row("negative sleep times count as none", usualWeek(), Step::NegativeReply, week)
        << QVector<double>{0} << QVector<double>{90} << QStringList{"", "0小时0分", "0小时0分", "1小时30分"} << -1.0
        << "负数" << 0 << QString() << nowhere << QString();
    row("markup in the cloud's tips shows as written and loads nothing", usualWeek(), Step::MarkupTips, week)
        << QVector<double>{250, 300, 260, 0, 0, 0, 0} << USUAL_DEEP << none << -1.0
        << "<img src=\"file:///tmp/x.png\"><a href=\"http://example.com\">点此</a>" << 0 << QString() << nowhere
        << QString();
    row("a week picked in the card's calendar loads once", {}, Step::Pick, PICKED)
        << zeros << zeros << none << -1.0 << QString() << 0 << QString() << nowhere << QString();
    row("an upload from a real sync loads the week once", {}, Step::Sync, week)
        << QVector<double>() << QVector<double>() << none << -1.0 << QString() << 0 << QString() << nowhere
        << QString();
}

void TestPageRestWeekChart::week()
{
    QFETCH(QList<seed_day>, days);
    QFETCH(Step, step);
    QFETCH(QDate, first);
    QFETCH(QVector<double>, light);
    QFETCH(QVector<double>, deep);
    QFETCH(QStringList, totals);
    QFETCH(double, average);
    QFETCH(QString, prompt);
    QFETCH(int, image);
    QFETCH(QString, picture);
    QFETCH(QPointF, at);
    QFETCH(QString, hover);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), days));
    SleepReplies replies;
    QVERIFY(listen(rig, replies));
    PageRestWeekChart page;
    QVERIFY(start(rig, page));
    QCOMPARE(replies.count, 1);
    switch (step) {
    case Step::Load: break;
    case Step::Refuse:
        fault(rig, LoopbackCloud::FAULT_RETURN_CODE, QStringLiteral("c007"));
        page.updateCurrentData();
        break;
    case Step::NoHub:
        fault(rig, LoopbackCloud::FAULT_SLOW, QString(), 300);
        page.updateCurrentData();
        page.setMsg(nullptr);
        break;
    case Step::EmptyReply:
        fault(rig, LoopbackCloud::FAULT_SILENT);
        page.updateCurrentData();
        rig.hub().onNsMsg(CloudGate::NS_MSG_WEEK_SLEEP_STATS,
                          R"({"returnCode":"0000","returnMsg":"","avgSleepTotalTime":"420","sleepDetailList":[],)"
                          R"("tips":"本周没有数据","title":""})");
        break;
    case Step::NegativeReply:
        fault(rig, LoopbackCloud::FAULT_SILENT);
        page.updateCurrentData();
        rig.hub().onNsMsg(CloudGate::NS_MSG_WEEK_SLEEP_STATS,
                          R"({"returnCode":"0000","returnMsg":"","sleepDetailList":[{"sleepDate":"20270301",)"
                          R"("totalTime":"-1","simpleSleepTime":"-30","deepSleepTime":"90"}],"tips":"负数","title":""})");
        break;
    case Step::MarkupTips:
        setWeekTips(rig, prompt);
        page.updateCurrentData();
        break;
    case Step::Pick: QCOMPARE(pickWeek(rig, page, first), weekStart()); break;
    case Step::Sync: QVERIFY(syncWeek(rig)); break;
    }
    QTRY_COMPARE_WITH_TIMEOUT(replies.count, step == Step::Load ? 1 : 2, PeerRig::PEER_WAIT);
    QVERIFY(page.isEnabled());
    if (step == Step::Pick || step == Step::Sync)
        QCOMPARE(requests(rig, ENDPOINT), 2);

    QCOMPARE(ticks(chartOf(page)->xAxis).values(), dayLabels(first));
    const QMap<double, QString> hours = ticks(chartOf(page)->yAxis);
    QCOMPARE(hours.size(), 24);
    QCOMPARE(hours.values().at(4), QStringLiteral("4"));
    QVERIFY(qFuzzyCompare(hours.keys().at(4), 2.4));
    if (step == Step::Sync) {
        QCOMPARE(replies.nights, 7);
        for (const double minutes : values(plottable(page, DEEP)))
            QVERIFY(minutes > 0);
        QVERIFY(rig.shot(page));
        return;
    }
    QCOMPARE(values(plottable(page, LIGHT)), chartUnits(light));
    QCOMPARE(values(plottable(page, DEEP)), chartUnits(deep));
    if (light.size() == 7) {
        QCOMPARE(keys(plottable(page, LIGHT)), (QVector<double>{-0.125, 0.875, 1.875, 2.875, 3.875, 4.875, 5.875}));
        QCOMPARE(keys(plottable(page, DEEP)), (QVector<double>{0.125, 1.125, 2.125, 3.125, 4.125, 5.125, 6.125}));
    }
    if (!totals.isEmpty())
        QCOMPARE(cardValues(page), totals);
    if (average >= 0) {
        QVERIFY(lineAt(plottable(page, AVERAGE), average));
        QCOMPARE(chartOf(page)->toolTip(), QStringLiteral("没有数据"));
    }
    if (!prompt.isNull())
        QCOMPARE(WeekRig::prompt(page), prompt);
    if (image)
        QCOMPARE(WeekRig::picture(page), WeekRig::picture(Resource::ID(image), picture));
    if (!at.isNull())
        QCOMPARE(WeekRig::hover(page, at.x(), at.y()), hover);
}

QTEST_MAIN(TestPageRestWeekChart)
#include "tst_pagerestweekchart.moc"
