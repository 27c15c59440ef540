#include "pagerestweekchart.h"

#include "weekrig.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QtTest>

using namespace WeekRig;

enum class Reply { Refused, EmptyWeek, NegativeTime, NoHub };
Q_DECLARE_METATYPE(Reply)
enum class Reload { Calendar, Upload };
Q_DECLARE_METATYPE(Reload)

namespace {

const QString ENDPOINT = QStringLiteral("statistics/weeksleepstatistics");
const QString LIGHT = QStringLiteral("浅睡");
const QString DEEP = QStringLiteral("深睡");
const QString AVERAGE = QStringLiteral("平均");

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

class TestPageRestWeekChart : public QObject
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

void TestPageRestWeekChart::week_data()
{
    QTest::addColumn<QList<seed_day>>("days");
    QTest::addColumn<QVector<double>>("light");
    QTest::addColumn<QVector<double>>("deep");
    QTest::addColumn<double>("average");
    QTest::addColumn<QStringList>("totals");
    QTest::newRow("a night of 430, 250 light and 180 deep")
        << QList<seed_day>{night(0, 430, 250, 180, QTime(23, 5))} << QVector<double>{250, 0, 0, 0, 0, 0, 0}
        << QVector<double>{180, 0, 0, 0, 0, 0, 0} << 4.3
        << QStringList{"23:05", "7小时10分", "4小时10分", "3小时0分"};
    QTest::newRow("light nights of 50 and 20 minutes carry into an hour")
        << QList<seed_day>{night(0, 100, 50, 50), night(1, 60, 20, 40)} << QVector<double>{50, 20, 0, 0, 0, 0, 0}
        << QVector<double>{50, 40, 0, 0, 0, 0, 0} << 0.8 << QStringList{"", "2小时40分", "1小时10分", "1小时30分"};
    QTest::newRow("the line stands at the cloud's average, not at the bars' mean")
        << usualWeek() << QVector<double>{250, 300, 260, 0, 0, 0, 0} << QVector<double>{180, 120, 240, 0, 0, 0, 0}
        << 4.5 << QStringList{"23:05", "22小时30分", "13小时30分", "9小时0分"};
}

void TestPageRestWeekChart::week()
{
    QFETCH(QList<seed_day>, days);
    QFETCH(QVector<double>, light);
    QFETCH(QVector<double>, deep);
    QFETCH(double, average);
    QFETCH(QStringList, totals);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), days));
    SleepReplies replies;
    QVERIFY(listen(rig, replies));
    PageRestWeekChart page;
    QVERIFY(start(rig, page));
    QCOMPARE(replies.count, 1);

    QCOMPARE(cardValues(page), totals);
    QCOMPARE(values(plottable(page, LIGHT)), chartUnits(light));
    QCOMPARE(values(plottable(page, DEEP)), chartUnits(deep));
    QCOMPARE(keys(plottable(page, LIGHT)), (QVector<double>{-0.125, 0.875, 1.875, 2.875, 3.875, 4.875, 5.875}));
    QCOMPARE(keys(plottable(page, DEEP)), (QVector<double>{0.125, 1.125, 2.125, 3.125, 4.125, 5.125, 6.125}));
    QVERIFY(lineAt(plottable(page, AVERAGE), average));
    QCOMPARE(ticks(chartOf(page)->xAxis).values(), dayLabels(weekStart()));
    const QMap<double, QString> hours = ticks(chartOf(page)->yAxis);
    QCOMPARE(hours.size(), 24);
    QCOMPARE(hours.values().at(4), QStringLiteral("4"));
    QVERIFY(qFuzzyCompare(hours.keys().at(4), 2.4));
    QCOMPARE(chartOf(page)->toolTip(), QStringLiteral("没有数据"));
    QCOMPARE(picture(page), picture(72, QStringLiteral("未达标")));
}

void TestPageRestWeekChart::replies_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("image");
    QTest::newRow("a refusal shows its code's message and keeps the bars") << Reply::Refused << "用户设备未绑定" << 72;
    QTest::newRow("a reply after the hub went shows image 66") << Reply::NoHub << "连接消息中心失败!!!" << 66;
    QTest::newRow("a week without nights empties the bars and draws the cloud's average")
        << Reply::EmptyWeek << "本周没有数据" << 72;
    QTest::newRow("negative sleep times count as no time") << Reply::NegativeTime << "负数" << 72;
}

void TestPageRestWeekChart::replies()
{
    QFETCH(Reply, reply);
    QFETCH(QString, prompt);
    QFETCH(int, image);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), usualWeek()));
    SleepReplies replies;
    QVERIFY(listen(rig, replies));
    PageRestWeekChart page;
    QVERIFY(start(rig, page));
    const QVector<double> before = values(plottable(page, DEEP));
    switch (reply) {
    case Reply::Refused:
        rig.cloud().setFault(path(), {LoopbackCloud::FAULT_RETURN_CODE, QStringLiteral("c007"), QString(), 0});
        page.updateCurrentData();
        break;
    case Reply::NoHub:
        rig.cloud().setFault(path(), {LoopbackCloud::FAULT_SLOW, QString(), QString(), 300});
        page.updateCurrentData();
        page.setMsg(nullptr);
        break;
    case Reply::EmptyWeek:
        rig.cloud().setFault(path(), {LoopbackCloud::FAULT_SILENT, QString(), QString(), 0});
        page.updateCurrentData();
        rig.hub().onNsMsg(CloudGate::NS_MSG_WEEK_SLEEP_STATS,
                          R"({"returnCode":"0000","returnMsg":"","avgSleepTotalTime":"420","sleepDetailList":[],)"
                          R"("tips":"本周没有数据","title":""})");
        break;
    case Reply::NegativeTime:
        rig.cloud().setFault(path(), {LoopbackCloud::FAULT_SILENT, QString(), QString(), 0});
        page.updateCurrentData();
        rig.hub().onNsMsg(CloudGate::NS_MSG_WEEK_SLEEP_STATS,
                          R"({"returnCode":"0000","returnMsg":"","sleepDetailList":[)"
                          R"({"sleepDate":"20270301","totalTime":"-1","simpleSleepTime":"-30","deepSleepTime":"90"}],)"
                          R"("tips":"负数","title":""})");
        break;
    }
    QTRY_COMPARE_WITH_TIMEOUT(replies.count, 2, PeerRig::PEER_WAIT);
    QVERIFY(page.isEnabled());
    QCOMPARE(WeekRig::prompt(page), prompt);
    if (reply == Reply::NegativeTime) {
        QCOMPARE(cardValues(page), (QStringList{"", "0小时0分", "0小时0分", "1小时30分"}));
        QCOMPARE(values(plottable(page, LIGHT)), (QVector<double>{0}));
        return;
    }
    QCOMPARE(picture(page), picture(Resource::ID(image), QString()));
    if (reply != Reply::EmptyWeek) {
        QCOMPARE(values(plottable(page, DEEP)), before);
        return;
    }
    QCOMPARE(replies.nights, 0);
    QVERIFY(values(plottable(page, LIGHT)).isEmpty());
    QVERIFY(values(plottable(page, DEEP)).isEmpty());
    QVERIFY(lineAt(plottable(page, AVERAGE), 4.2));
    QCOMPARE(ticks(chartOf(page)->xAxis).values(), dayLabels(weekStart()));
    QCOMPARE(WeekRig::hover(page, 3, 4.2), QStringLiteral("平均 7小时0分钟"));
}

void TestPageRestWeekChart::hover_data()
{
    QTest::addColumn<double>("key");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("a light bar names its night's light sleep") << -0.125 << 1.0 << "浅睡 4小时10分钟";
    QTest::newRow("a deep bar names its night's deep sleep") << 0.125 << 1.0 << "深睡 3小时0分钟";
    QTest::newRow("the line names the average it stands at") << 4.5 << 4.5 << "平均 7小时30分钟";
    QTest::newRow("empty space leaves the tooltip as it was") << 5.0 << 1.0 << "没有数据";
}

void TestPageRestWeekChart::hover()
{
    QFETCH(double, key);
    QFETCH(double, value);
    QFETCH(QString, tooltip);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), usualWeek()));
    PageRestWeekChart page;
    QVERIFY(start(rig, page));
    QCOMPARE(WeekRig::hover(page, key, value), tooltip);
}

void TestPageRestWeekChart::reloads_data()
{
    QTest::addColumn<Reload>("reload");
    QTest::newRow("a week picked in the card's calendar") << Reload::Calendar;
    QTest::newRow("an upload from a real sync") << Reload::Upload;
}

void TestPageRestWeekChart::reloads()
{
    QFETCH(Reload, reload);
    PageRig rig;
    QVERIFY(seedWeek(rig, weekStart(), {}));
    SleepReplies replies;
    QVERIFY(listen(rig, replies));
    PageRestWeekChart page;
    QVERIFY(start(rig, page));
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
    QTRY_COMPARE_WITH_TIMEOUT(replies.count, 2, PeerRig::PEER_WAIT);
    QVERIFY(page.isEnabled());
    QCOMPARE(requests(rig, ENDPOINT), 2);
    QCOMPARE(ticks(chartOf(page)->xAxis).values(), dayLabels(shown));
    if (reload == Reload::Calendar)
        return;
    QCOMPARE(replies.nights, 7);
    for (const double minutes : values(plottable(page, DEEP)))
        QVERIFY(minutes > 0);
    QVERIFY(rig.shot(page));
}

QTEST_MAIN(TestPageRestWeekChart)
#include "tst_pagerestweekchart.moc"
