#include "weekrig.h"

#include "bandharvest.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace WeekRig {

const QString MOBILE = QStringLiteral("13800000024");

bool seedWeek(PageRig& rig, const QDate& first, const QList<seed_day>& days)
{
    if (!rig.isReady() || !rig.signIn(MOBILE))
        return false;
    for (const seed_day& seed : days) {
        CloudLedger::lc_day day;
        day.day = first.addDays(seed.index);
        day.sportTimeLen = seed.sportMinutes;
        day.walkNum = seed.steps;
        day.distance = seed.km;
        day.calories = seed.kcal;
        day.sleepTimeLen = seed.sleepMinutes;
        day.simpleSleepTimeLen = seed.lightMinutes;
        day.depthSleepTimeLen = seed.deepMinutes;
        if (seed.bedtime.isValid())
            day.beginSleepTM = QDateTime(day.day.addDays(-1), seed.bedtime);
        if (!rig.cloud().ledger().addDay(MOBILE, day))
            return false;
    }
    return true;
}

bool syncWeek(PageRig& rig)
{
    if (!rig.isReady() || !rig.signIn(MOBILE))
        return false;
    const QDate today = QDate::currentDate();
    rig.band().generateDays(today, 7);
    const CloudGate::ns_bind_dev bind{rig.band().info.address, QStringLiteral("QB0001"),
                                      QDateTime(today.addDays(-6), QTime(9, 30))};
    if (!rig.cloud().ledger().bindBand(MOBILE, {bind.deviceAddress, bind.deviceSerial, bind.bindDt}))
        return false;
    rig.hub().setNsBinds({bind});
    if (!rig.plugAdapter())
        return false;
    BandHarvest run;
    run.setConnectPause(50);
    run.setRequestInterval(1000);
    run.setMsg(&rig.hub());
    run.setDevId(bind);
    QSignalSpy statuses(&run, &BandHarvest::onStatus);
    if (!run.sync())
        return false;
    return QTest::qWaitFor(
        [&] {
            return !statuses.isEmpty()
                   && statuses.last().at(0).value<BandHarvest::STATUS>() == BandHarvest::STATUS_DONE;
        },
        SYNC_WAIT);
}

bool loaded(QWidget& page)
{
    return QTest::qWaitFor([&] { return page.isEnabled(); }, PeerRig::PEER_WAIT);
}

bool start(PageRig& rig, WidgetWeekChart& page)
{
    page.resize(640, 496);
    page.show();
    if (!QTest::qWaitForWindowExposed(&page) || !rig.activate(page) || page.isEnabled())
        return false;
    return loaded(page);
}

int requests(PageRig& rig, const QString& endpoint)
{
    int count = 0;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests()) {
        if (request.path == LoopbackCloud::PATH_PREFIX + endpoint)
            ++count;
    }
    return count;
}

ChartCanvas* chartOf(QWidget& page)
{
    return page.findChild<ChartCanvas*>(QStringLiteral("w_table"));
}

PageWeekPicker* cardOf(QWidget& page)
{
    return page.findChild<PageWeekPicker*>(QStringLiteral("w_data"));
}

QCPAbstractPlottable* plottable(QWidget& page, const QString& name)
{
    ChartCanvas* chart = chartOf(page);
    for (int i = 0; i < chart->plottableCount(); ++i) {
        if (chart->plottable(i)->name() == name)
            return chart->plottable(i);
    }
    return nullptr;
}

QVector<double> keys(QCPAbstractPlottable* plottable)
{
    QVector<double> list;
    QCPPlottableInterface1D* data = plottable->interface1D();
    for (int i = 0; i < data->dataCount(); ++i)
        list.append(data->dataMainKey(i));
    return list;
}

QVector<double> values(QCPAbstractPlottable* plottable)
{
    QVector<double> list;
    QCPPlottableInterface1D* data = plottable->interface1D();
    for (int i = 0; i < data->dataCount(); ++i)
        list.append(data->dataMainValue(i));
    return list;
}

QMap<double, QString> ticks(QCPAxis* axis)
{
    const auto ticker = qSharedPointerDynamicCast<QCPAxisTickerText>(axis->ticker());
    return ticker ? ticker->ticks() : QMap<double, QString>();
}

bool spans(QCPAbstractPlottable* line, const QCPRange& range)
{
    const QVector<double> ends = keys(line);
    const double slack = 1e-9;
    return ends.size() == 2 && qAbs(ends.first() - range.lower) < slack && qAbs(ends.last() - range.upper) < slack;
}

QStringList cardValues(QWidget& page)
{
    QStringList texts;
    for (int row = 1; row <= 4; ++row)
        texts.append(cardOf(page)->findChild<QLabel*>(QStringLiteral("text_%1").arg(row))->text());
    return texts;
}

QStringList dayLabels(const QDate& first)
{
    QStringList labels;
    for (int i = 0; i < 7; ++i)
        labels.append(QStringLiteral("%1/%2").arg(first.addDays(i).month()).arg(first.addDays(i).day()));
    return labels;
}

QDate pickWeek(PageRig& rig, QWidget& page, const QDate& day)
{
    QDate opened;
    rig.holdModal(
        [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            auto* calendar = dialog->findChild<QCalendarWidget*>(QStringLiteral("calendar"));
            opened = calendar->selectedDate();
            calendar->setSelectedDate(day);
            QTest::mouseClick(dialog->findChild<QLabel*>(QStringLiteral("bt_ok")), Qt::LeftButton);
            return true;
        },
        1);
    QTest::mouseClick(cardOf(page)->findChild<QLabel*>(QStringLiteral("ico")), Qt::LeftButton);
    return opened;
}

QString prompt(QWidget& page)
{
    return PageRig::readText(*cardOf(page)->findChild<QLabel*>(QStringLiteral("label_prompt")));
}

void setWeekTips(PageRig& rig, const QString& tips)
{
    CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    account.weekTips = tips;
    rig.cloud().ledger().setAccount(account);
}

namespace {

QImage shownOn(PageWeekPicker* card)
{
    return card->findChild<QLabel*>(QStringLiteral("img"))->pixmap(Qt::ReturnByValue).toImage();
}

// True once the chart reported the pointer after the move.
bool moveTo(ChartCanvas* chart, const QPoint& point)
{
    QSignalSpy moves(chart, &ChartCanvas::plottableMove);
    QTest::mouseMove(chart, point);
    return QTest::qWaitFor([&] { return !moves.isEmpty(); }, PeerRig::PEER_WAIT);
}

} // namespace

QImage picture(QWidget& page)
{
    return shownOn(cardOf(page));
}

QImage picture(const Resource::ID& id, const QString& text)
{
    PageWeekPicker card;
    card.setImg(id, text);
    return shownOn(&card);
}

QString hover(QWidget& page, const double& key, const double& value)
{
    ChartCanvas* chart = chartOf(page);
    // A line at the top of the range lies on the plot's edge: point at it from just inside.
    const QRect plot = chart->axisRect()->rect();
    const QPoint target(qRound(chart->xAxis->coordToPixel(key)),
                        qBound(plot.top() + 2, qRound(chart->yAxis->coordToPixel(value)), plot.bottom() - 2));
    if (!moveTo(chart, QPoint(1, 1)) || !moveTo(chart, target))
        return QStringLiteral("the chart did not report the pointer");
    return chart->toolTip();
}

} // namespace WeekRig
