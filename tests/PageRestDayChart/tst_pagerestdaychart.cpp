#include "chartcanvas.h"
#include "dayfixture.h"
#include "pagedayview.h"
#include "pagerestdaychart.h"
#include "pageresttoday.h"
#include "pagerig.h"

#include <QLabel>
#include <QtTest>

using DayFixture::segment;

Q_DECLARE_METATYPE(QList<DayFixture::segment>)

namespace {

const QString MOBILE = QStringLiteral("13800000024");
const QSize PAGE_SIZE(640, 480);
const QString LIGHT = QStringLiteral("浅睡");
const QString DEEP = QStringLiteral("深睡");
const QString OTHER = QStringLiteral("其它");
// Band sleep codes: 0-2 deep, 3-5 light, above 5 awake.
const quint8 CODE_LIGHT = 4;
const quint8 CODE_DEEP = 1;
const quint8 CODE_AWAKE = 7;

struct card_text {
    QString fellAsleep;
    QString light;
    QString deep;
    int percent = 0;
    QString sleep;
    QString target;
};

card_text shown(const QWidget& page)
{
    const auto* figures = page.findChild<PageDayView*>();
    const auto text = [figures](const char* name) {
        return figures->findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    return card_text{text("value_1"), text("value_2"), text("value_3"),
                     figures->findChild<QWidget*>(QStringLiteral("ring"))->property("percent").toInt(),
                     text("label_value"), text("label_goal")};
}

ChartCanvas* chartOf(const QWidget& page)
{
    return page.findChild<ChartCanvas*>(QStringLiteral("table"));
}

// The runs in drawing order: each stacked on the one before it.
QList<QCPBars*> runsOf(const QWidget& page)
{
    ChartCanvas* chart = chartOf(page);
    QList<QCPBars*> runs;
    for (int i = 0; i < chart->plottableCount(); ++i) {
        if (auto* bars = qobject_cast<QCPBars*>(chart->plottable(i)))
            runs.append(bars);
    }
    return runs;
}

QString hoursMinutes(const int& minutes)
{
    return QStringLiteral("%1小时%2分钟").arg(minutes / 60).arg(minutes % 60);
}

QString run(const QString& range, const QString& kind, const int& minutes)
{
    return range + QStringLiteral("\r\n") + kind + QLatin1Char(' ') + hoursMinutes(minutes);
}

QColor colourOf(const QString& name)
{
    if (name.contains(LIGHT))
        return QColor(179, 229, 238);
    if (name.contains(DEEP))
        return QColor(13, 147, 176);
    return QColor(238, 238, 238);
}

bool loaded(PageRig& rig, PageRestDayChart& page)
{
    page.resize(PAGE_SIZE);
    rig.activate(page);
    page.show();
    return QTest::qWaitForWindowExposed(&page) && QTest::qWaitFor([&page] { return page.isEnabled(); });
}

} // namespace

class TestPageRestDayChart : public QObject
{
    Q_OBJECT
private slots:
    void night_data();
    void night();
    void tooltip();
    void reload_data();
    void reload();
};

void TestPageRestDayChart::night_data()
{
    QTest::addColumn<QList<segment>>("night");
    QTest::addColumn<int>("target");
    QTest::addColumn<QStringList>("runs");  // tooltips in drawing order; empty for the empty night
    QTest::addColumn<int>("light");
    QTest::addColumn<int>("deep");
    QTest::addColumn<int>("percent");

    QTest::newRow("light, deep, light, awake: three runs and the rest of the day")
        << QList<segment>{{CODE_LIGHT, 30}, {CODE_DEEP, 60}, {CODE_LIGHT, 30}, {CODE_AWAKE, 20}} << 480
        << QStringList{run("00:00-00:30", LIGHT, 30), run("00:30-01:30", DEEP, 60), run("01:30-02:00", LIGHT, 30),
                       run("02:00-24:00", OTHER, 1320)}
        << 60 << 60 << 25;
    QTest::newRow("awake first stays the first, grey run")
        << QList<segment>{{CODE_AWAKE, 60}, {CODE_LIGHT, 20}, {CODE_LIGHT, 10}} << 480
        << QStringList{run("00:00-01:00", OTHER, 60), run("01:00-01:30", LIGHT, 30), run("01:30-24:00", OTHER, 1350)}
        << 30 << 0 << 6;
    QTest::newRow("awake only: one grey run 00:00-24:00, percent 0")
        << QList<segment>{{CODE_AWAKE, 100}, {8, 50}} << 480 << QStringList{run("00:00-24:00", OTHER, 1440)} << 0 << 0
        << 0;
    QTest::newRow("more than a day: no remainder run, nothing negative")
        << QVector<segment>(7, segment{CODE_LIGHT, 250}).toList() << 480 << QStringList{run("00:00-29:10", LIGHT, 1750)} << 1750
        << 0 << 100;
    QTest::newRow("480 of 480 is 100 percent")
        << QList<segment>{{CODE_LIGHT, 240}, {CODE_DEEP, 240}} << 480
        << QStringList{run("00:00-04:00", LIGHT, 240), run("04:00-08:00", DEEP, 240), run("08:00-24:00", OTHER, 960)}
        << 240 << 240 << 100;
    QTest::newRow("240 of 480 is 50 percent")
        << QList<segment>{{CODE_DEEP, 240}} << 480
        << QStringList{run("00:00-04:00", DEEP, 240), run("04:00-24:00", OTHER, 1200)} << 0 << 240 << 50;
    QTest::newRow("481 of 480 is 100 percent")
        << QList<segment>{{CODE_LIGHT, 241}, {CODE_DEEP, 240}} << 480
        << QStringList{run("00:00-04:01", LIGHT, 241), run("04:01-08:01", DEEP, 240), run("08:01-24:00", OTHER, 959)}
        << 241 << 240 << 100;
    QTest::newRow("sleep of a target of 0 is 100 percent")
        << QList<segment>{{CODE_DEEP, 30}} << 0
        << QStringList{run("00:00-00:30", DEEP, 30), run("00:30-24:00", OTHER, 1410)} << 0 << 30 << 100;
    QTest::newRow("no sleep of a target of 0 is 0 percent")
        << QList<segment>{{CODE_AWAKE, 30}} << 0 << QStringList{run("00:00-24:00", OTHER, 1440)} << 0 << 0 << 0;
}

void TestPageRestDayChart::night()
{
    QFETCH(QList<segment>, night);
    QFETCH(int, target);
    QFETCH(QStringList, runs);
    QFETCH(int, light);
    QFETCH(int, deep);
    QFETCH(int, percent);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    QVERIFY(DayFixture::setTargets(rig, MOBILE, 10000, target));
    QVERIFY(DayFixture::storeSleep(rig.hub(), QDate::currentDate(), night));
    PageRestDayChart page;
    QVERIFY(loaded(rig, page));

    const card_text card = shown(page);
    QCOMPARE(card.fellAsleep, QStringLiteral("00:00"));
    QCOMPARE(card.light, hoursMinutes(light));
    QCOMPARE(card.deep, hoursMinutes(deep));
    QCOMPARE(card.sleep, hoursMinutes(light + deep));
    QCOMPARE(card.target, hoursMinutes(target));
    QCOMPARE(card.percent, percent);

    const QList<QCPBars*> bars = runsOf(page);
    QStringList names;
    double end = 0;
    for (int i = 0; i < bars.size(); ++i) {
        QCPBars* bar = bars.at(i);
        names << bar->name();
        QCOMPARE(bar->keyAxis(), chartOf(page)->yAxis);
        QCOMPARE(bar->barBelow(), i ? bars.at(i - 1) : nullptr);
        QCOMPARE(bar->brush().color(), colourOf(bar->name()));
        QCOMPARE(bar->dataCount(), 1);
        QVERIFY(bar->data()->constBegin()->value > 0);
        end += bar->data()->constBegin()->value;
    }
    QCOMPARE(names, runs);
    QCOMPARE(end, qMax(14.4, (light + deep) * 0.01));
    QVERIFY(rig.clean());
}

// Over a run its name shows; moving off the runs, or out of the chart, keeps it.
void TestPageRestDayChart::tooltip()
{
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    QVERIFY(DayFixture::setTargets(rig, MOBILE, 10000, 480));
    QVERIFY(DayFixture::storeSleep(rig.hub(), QDate::currentDate(), {{CODE_DEEP, 240}, {CODE_LIGHT, 240}}));
    PageRestDayChart page;
    QVERIFY(loaded(rig, page));
    ChartCanvas* chart = chartOf(page);
    QCOMPARE(chart->toolTip(), QStringLiteral("没有数据"));
    const int y = qRound(chart->yAxis->coordToPixel(0));
    QTest::mouseMove(chart, QPoint(qRound(chart->xAxis->coordToPixel(3.6)), y));
    QTRY_COMPARE(chart->toolTip(), run("04:00-08:00", LIGHT, 240));
    QTest::mouseMove(chart, QPoint(2, 2));
    QTest::mouseMove(chart, QPoint(qRound(chart->xAxis->coordToPixel(7)), chart->height() - 2));
    QCOMPARE(chart->toolTip(), run("04:00-08:00", LIGHT, 240));
    QVERIFY(rig.clean());
}

void TestPageRestDayChart::reload_data()
{
    QTest::addColumn<bool>("sync");
    QTest::newRow("the upload answer of a real sync reloads the night") << true;
    QTest::newRow("an answer for another date shows the empty night") << false;
}

void TestPageRestDayChart::reload()
{
    QFETCH(bool, sync);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    QVERIFY(DayFixture::setTargets(rig, MOBILE, 10000, 480));
    const QDate today = QDate::currentDate();
    if (!sync)
        QVERIFY(DayFixture::storeSleep(rig.hub(), today, {{CODE_DEEP, 200}}));
    PageRestDayChart page;
    QVERIFY(loaded(rig, page));
    if (!sync) {
        QCOMPARE(runsOf(page).size(), 2);
        page.updateCurrentData();
        QVERIFY(!page.isEnabled());
        emit rig.hub().onFdNetSleepDay(rig.hub().fdSleepDay(today.addDays(-1), false, true));
        QVERIFY(page.isEnabled());
        QCOMPARE(runsOf(page).size(), 0);
        QCOMPARE(chartOf(page)->toolTip(), QStringLiteral("没有数据"));
        QCOMPARE(shown(page).sleep, QStringLiteral("0"));
        QCOMPARE(shown(page).target, hoursMinutes(480));
        QVERIFY(rig.clean());
        return;
    }
    QCOMPARE(runsOf(page).size(), 0);
    QVERIFY(DayFixture::syncBand(rig, MOBILE));
    int light = 0;
    int deep = 0;
    for (const SimSleepItem& item : rig.band().sleepDay(today)) {
        if (item.code < 3)
            deep += item.minutes;
        else if (item.code <= 5)
            light += item.minutes;
    }
    QTRY_COMPARE(shown(page).sleep, hoursMinutes(light + deep));
    QCOMPARE(shown(page).light, hoursMinutes(light));
    QCOMPARE(shown(page).deep, hoursMinutes(deep));
    QVERIFY(runsOf(page).size() > 2);
    QVERIFY(rig.shot(page));
    QVERIFY(rig.shot(*page.findChild<PageRestToday*>()));
    QVERIFY(rig.clean());
}

QTEST_MAIN(TestPageRestDayChart)
#include "tst_pagerestdaychart.moc"
