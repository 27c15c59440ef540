#include "chartcanvas.h"
#include "datepicker.h"
#include "dayfixture.h"
#include "pagedayview.h"
#include "pagerig.h"
#include "pagestepsdaychart.h"
#include "pagestepstoday.h"
#include "tapcaption.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QtTest>

enum class Load { Calendar, CloudCopy, OtherDate, Reactivated };
Q_DECLARE_METATYPE(Load)

namespace {

const QString MOBILE = QStringLiteral("13800000023");
const QSize PAGE_SIZE(640, 480);

struct card_text {
    QString calories;
    QString time;
    QString distance;
    int percent = 0;
    QString steps;
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

QCPBars* barsOf(const QWidget& page)
{
    ChartCanvas* chart = chartOf(page);
    for (int i = 0; i < chart->plottableCount(); ++i) {
        if (auto* bars = qobject_cast<QCPBars*>(chart->plottable(i)))
            return bars;
    }
    return nullptr;
}

QVector<double> barValues(const QWidget& page)
{
    QVector<double> values;
    const QCPBars* bars = barsOf(page);
    for (auto it = bars->data()->constBegin(); it != bars->data()->constEnd(); ++it)
        values.append(it->value);
    return values;
}

QStringList tickLabels(const QCPAxis* axis)
{
    const auto ticker = qSharedPointerDynamicCast<QCPAxisTickerText>(axis->ticker());
    return ticker ? QStringList(ticker->ticks().values()) : QStringList();
}

QString hoursMinutes(const int& minutes)
{
    return QStringLiteral("%1小时%2分钟").arg(minutes / 60).arg(minutes % 60);
}

QString oneDecimal(const double& value)
{
    return QString::number(value, 'f', 1);
}

// The page shown and loaded: enabled again once the hub answered.
bool loaded(PageRig& rig, PageStepsDayChart& page)
{
    page.resize(PAGE_SIZE);
    rig.activate(page);
    page.show();
    return QTest::qWaitForWindowExposed(&page) && QTest::qWaitFor([&page] { return page.isEnabled(); });
}

// Confirms the day in the calendar that the card's icon opens, as a user does with OK.
void confirmInCalendar(PageRig& rig, QWidget& page, const QDate& day)
{
    bool confirmed = false;
    QTimer confirm;
    confirm.setInterval(5);
    QObject::connect(&confirm, &QTimer::timeout, [&confirmed, day] {
        auto* picker = qobject_cast<DatePicker*>(QApplication::activeModalWidget());
        if (!picker || confirmed)
            return;
        picker->findChild<QCalendarWidget*>()->setSelectedDate(day);
        confirmed = true;
        QTest::mouseClick(picker->findChild<QWidget*>(QStringLiteral("bt_ok")), Qt::LeftButton);
    });
    rig.holdModal([&confirmed] { return confirmed; }, QDialog::Accepted);
    confirm.start();
    QTest::mouseClick(page.findChild<TapCaption*>(QStringLiteral("ico")), Qt::LeftButton);
}

QList<quint16> repeated(const int& count, const quint16& value)
{
    return QList<quint16>() << QVector<quint16>(count, value).toList();
}

} // namespace

class TestPageStepsDayChart : public QObject
{
    Q_OBJECT
private slots:
    void day_data();
    void day();
    void tooltip_data();
    void tooltip();
    void load_data();
    void load();
    void syncedDay();
};

void TestPageStepsDayChart::day_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<QList<quint16>>("samples");
    QTest::addColumn<int>("target");
    QTest::addColumn<QVector<double>>("bars");  // every bar the day gives; empty for the empty day
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("activeMinutes");

    const auto padded = [](QVector<double> bars) {
        while (bars.size() < 12)
            bars.append(0);
        return bars;
    };
    QTest::newRow("144 samples at 10 minutes: 12 bars of 12 samples")
        << 10 << repeated(144, 5) << 10000 << QVector<double>(12, 60) << 10 << 7 << 1440;
    QTest::newRow("100 samples at 5 minutes: 5 bars, the fifth of 4 samples, and 7 of 0")
        << 5 << repeated(100, 3) << 10000 << padded({72, 72, 72, 72, 12}) << 10 << 3 << 500;
    QTest::newRow("255 samples at 10 minutes: 22 bars, every sample counted")
        << 10 << repeated(255, 2) << 10000 << (QVector<double>(21, 24) << 6) << 10 << 5 << 2550;
    QTest::newRow("all samples 0: 12 bars of 0, y ticks 0 to 100")
        << 10 << repeated(144, 0) << 10000 << QVector<double>(12, 0) << 10 << 0 << 0;
    QTest::newRow("7 minutes does not divide 120: bars of 17 samples, 119 minutes wide")
        << 7 << repeated(34, 1) << 10000 << padded({17, 17}) << 10 << 0 << 238;
    QTest::newRow("a maximum of 99 keeps the unit 10") << 120 << QList<quint16>{99} << 10000 << padded({99}) << 10 << 0
                                                        << 120;
    QTest::newRow("a maximum of 100 gives the unit 10") << 120 << QList<quint16>{100} << 10000 << padded({100}) << 10
                                                         << 1 << 120;
    QTest::newRow("a maximum of 250 gives the unit 25 up to 250")
        << 120 << QList<quint16>{250} << 10000 << padded({250}) << 25 << 2 << 120;
    QTest::newRow("5000 of 10000 is 50 percent") << 120 << QList<quint16>{5000} << 10000 << padded({5000}) << 500 << 50
                                                  << 120;
    QTest::newRow("9999 of 10000 is 99 percent, cut not rounded")
        << 120 << QList<quint16>{9999} << 10000 << padded({9999}) << 999 << 99 << 120;
    QTest::newRow("above the target is 100 percent")
        << 120 << QList<quint16>{9000, 3000} << 10000 << padded({9000, 3000}) << 900 << 100 << 240;
    QTest::newRow("no steps of a target of 0 is 0 percent") << 60 << QList<quint16>{0, 0} << 0 << padded({0}) << 10
                                                             << 0 << 0;
    QTest::newRow("steps of a target of 0 is 100 percent") << 60 << QList<quint16>{0, 10} << 0 << padded({10}) << 10
                                                            << 100 << 60;
    QTest::newRow("150 minutes per sample is the empty day, at once")
        << 150 << QList<quint16>{500, 500} << 10000 << QVector<double>() << 0 << 0 << 0;
}

void TestPageStepsDayChart::day()
{
    QFETCH(int, interval);
    QFETCH(QList<quint16>, samples);
    QFETCH(int, target);
    QFETCH(QVector<double>, bars);
    QFETCH(int, unit);
    QFETCH(int, percent);
    QFETCH(int, activeMinutes);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    QVERIFY(DayFixture::setTargets(rig, MOBILE, target, 480));
    QVERIFY(DayFixture::storeSteps(rig.hub(), QDate::currentDate(), quint8(interval), samples));
    PageStepsDayChart page;
    QVERIFY(loaded(rig, page));

    const card_text card = shown(page);
    QCOMPARE(card.target, QString::number(target));
    QCOMPARE(card.percent, percent);
    if (bars.isEmpty()) {
        QCOMPARE(card.steps, QStringLiteral("0"));
        QCOMPARE((QStringList{card.calories, card.time, card.distance}), (QStringList{"0", "0", "0"}));
        QCOMPARE(barsOf(page)->dataCount(), 0);
        QCOMPARE(chartOf(page)->toolTip(), QStringLiteral("没有数据"));
        QVERIFY(rig.clean());
        return;
    }
    double steps = 0;
    double km = 0;
    double kcal = 0;
    for (const double bar : bars) {
        const double barKm = rig.hub().sdCalcDist(unsigned(bar)) / 1000;
        steps += bar;
        km += barKm;
        kcal += rig.hub().sdCalcDefaultKcal(barKm * 1000) / 1000;
    }
    QCOMPARE(card.steps, QString::number(qint64(steps)));
    QCOMPARE(card.time, hoursMinutes(activeMinutes));
    QCOMPARE(card.distance, QStringLiteral("%1公里").arg(oneDecimal(km)));
    QCOMPARE(card.calories, QStringLiteral("%1大卡").arg(oneDecimal(kcal)));

    QCOMPARE(barValues(page), bars.mid(0, 12));
    QCOMPARE(barsOf(page)->width(), 0.5);
    QCOMPARE(barsOf(page)->data()->constBegin()->key, 0.25);
    ChartCanvas* chart = chartOf(page);
    QCOMPARE(chart->xAxis->range(), QCPRange(0, 6));
    QStringList yLabels;
    for (int i = 0; i <= 10; ++i)
        yLabels << QString::number(i * unit);
    QCOMPARE(tickLabels(chart->yAxis), yLabels);
    QCOMPARE(tickLabels(chart->xAxis),
             (QStringList{"00:00", "04:00", "08:00", "12:00", "16:00", "20:00", "24:00"}));
    QVERIFY(rig.clean());
}

void TestPageStepsDayChart::tooltip_data()
{
    QTest::addColumn<double>("key");
    QTest::addColumn<QString>("range");  // empty: off the bars
    QTest::addColumn<int>("steps");
    QTest::newRow("over bar 0: 00:00-02:00, its steps, then distance and calories") << 0.25 << "00:00-02:00" << 120;
    QTest::newRow("over bar 11: 22:00-24:00") << 5.75 << "22:00-24:00" << 60;
    QTest::newRow("off the bars the tooltip is cleared") << 2.75 << QString() << 0;
}

void TestPageStepsDayChart::tooltip()
{
    QFETCH(double, key);
    QFETCH(QString, range);
    QFETCH(int, steps);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    QVERIFY(DayFixture::setTargets(rig, MOBILE, 10000, 480));
    // Bar 0 is 120 steps, bar 5 is empty, the others 60.
    QList<quint16> samples = repeated(144, 5);
    for (int i = 0; i < 12; ++i) {
        samples[i] = 10;
        samples[60 + i] = 0;
    }
    QVERIFY(DayFixture::storeSteps(rig.hub(), QDate::currentDate(), 10, samples));
    PageStepsDayChart page;
    QVERIFY(loaded(rig, page));
    ChartCanvas* chart = chartOf(page);
    QTRY_COMPARE(barsOf(page)->dataCount(), 12);

    // From a corner to bar 0 first, so every move is a move and the move off the bars has a
    // tooltip to clear.
    const auto pixel = [chart](const double& x, const double& y) {
        return QPoint(qRound(chart->xAxis->coordToPixel(x)), qRound(chart->yAxis->coordToPixel(y)));
    };
    QTest::mouseMove(chart, QPoint(1, 1));
    QTest::mouseMove(chart, pixel(0.25, 30));
    QTRY_VERIFY(chart->toolTip().startsWith(QStringLiteral("00:00-02:00")));
    QTest::mouseMove(chart, pixel(key, 30));
    if (range.isEmpty()) {
        QTRY_COMPARE(chart->toolTip(), QString());
        return;
    }
    const double km = rig.hub().sdCalcDist(unsigned(steps)) / 1000;
    const double kcal = rig.hub().sdCalcDefaultKcal(km * 1000) / 1000;
    const QString expected =
        QStringLiteral("%1 %2步\r\n%3公里 %4大卡").arg(range).arg(steps).arg(oneDecimal(km), oneDecimal(kcal));
    QTRY_COMPARE(chart->toolTip(), expected);
    QVERIFY(rig.clean());
}

void TestPageStepsDayChart::load_data()
{
    QTest::addColumn<Load>("load");
    QTest::newRow("a day confirmed in the calendar is loaded, the page disabled until the answer") << Load::Calendar;
    QTest::newRow("a day not stored here shows the cloud's copy") << Load::CloudCopy;
    QTest::newRow("an answer for another date shows the empty day") << Load::OtherDate;
    QTest::newRow("activated twice, an upload answer loads the day once") << Load::Reactivated;
}

void TestPageStepsDayChart::load()
{
    QFETCH(Load, load);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    QVERIFY(DayFixture::setTargets(rig, MOBILE, 10000, 480));
    const QDate today = QDate::currentDate();
    const QDate day = today.addDays(-3);
    QVERIFY(DayFixture::storeSteps(rig.hub(), today, 120, {100, 200}));
    QVERIFY(DayFixture::storeSteps(rig.hub(), day, 120, {300, 400, 500}));
    PageStepsDayChart page;
    QVERIFY(loaded(rig, page));
    QCOMPARE(shown(page).steps, QStringLiteral("300"));

    // Whether the page was disabled when each answer came, and the title it showed then.
    QList<bool> enabledAtAnswer;
    QStringList titleAtAnswer;
    auto* titleLabel = page.findChild<QLabel*>(QStringLiteral("label_title"));
    QObject::connect(&rig.hub(), &CoreHub::onFdNetStepDay, &page, [&] {
        enabledAtAnswer << page.isEnabled();
        titleAtAnswer << titleLabel->text();
    });
    QString steps;
    QDate title = day;
    switch (load) {
    case Load::Calendar:
        confirmInCalendar(rig, page, day);
        steps = QStringLiteral("1200");
        break;
    case Load::CloudCopy: {
        const QDate elsewhere = today.addDays(-5);
        QVERIFY(DayFixture::cloudDay(rig, MOBILE, elsewhere));
        confirmInCalendar(rig, page, elsewhere);
        qint64 total = 0;
        for (const quint16 value : rig.band().stepDay(elsewhere))
            total += value;
        QVERIFY(total > 0);
        steps = QString::number(total);
        title = elsewhere;
        break;
    }
    case Load::OtherDate: {
        page.updateCurrentData();
        QVERIFY(!page.isEnabled());
        LocalVault::step_mem_data other = rig.hub().fdStepDay(day, false, true);
        emit rig.hub().onFdNetStepDay(other);
        steps = QStringLiteral("0");
        title = today;
        break;
    }
    case Load::Reactivated:
        rig.activate(page);
        QTRY_VERIFY(page.isEnabled());
        enabledAtAnswer.clear();
        titleAtAnswer.clear();
        emit rig.hub().onNsDateSync(CloudGate::ns_ret_code(), QString());
        steps = QStringLiteral("300");
        title = today;
        break;
    }
    QTRY_VERIFY(page.isEnabled());
    // Every answer the hub had been asked for has come.
    QCoreApplication::processEvents();
    QCOMPARE(enabledAtAnswer.size(), load == Load::OtherDate ? 2 : 1);
    QCOMPARE(enabledAtAnswer.first(), false);
    QCOMPARE(shown(page).steps, steps);
    const QString titleText = title == today ? QStringLiteral("今天")
                                             : QStringLiteral("%1月%2日").arg(title.month()).arg(title.day());
    QCOMPARE(titleAtAnswer.first(), titleText);
    QCOMPARE(titleLabel->text(), titleText);
    QCOMPARE(barsOf(page)->dataCount(), load == Load::OtherDate ? 0 : 12);
    QVERIFY(rig.clean());
}

// The page is open before the band is synced: the upload's answer reloads it with the day.
void TestPageStepsDayChart::syncedDay()
{
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    QVERIFY(DayFixture::setTargets(rig, MOBILE, 10000, 480));
    PageStepsDayChart page;
    QVERIFY(loaded(rig, page));
    QCOMPARE(barsOf(page)->dataCount(), 0);
    QVERIFY(DayFixture::syncBand(rig, MOBILE));

    const QDate today = QDate::currentDate();
    const QList<quint16> samples = rig.band().stepDay(today);
    QCOMPARE(int(rig.band().stepInterval(today)), 15);
    QVector<double> bars(12, 0);
    for (int i = 0; i < samples.size(); ++i)
        bars[i / 8] += samples.at(i);
    QTRY_COMPARE(barValues(page), bars);
    QVERIFY(page.isEnabled());
    QVERIFY(rig.shot(page));
    QVERIFY(rig.shot(*page.findChild<PageStepsToday*>()));
    QVERIFY(rig.clean());
}

QTEST_MAIN(TestPageStepsDayChart)
#include "tst_pagestepsdaychart.moc"
