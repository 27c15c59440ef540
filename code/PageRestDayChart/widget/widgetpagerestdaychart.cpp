#include "widgetpagerestdaychart.h"
#include "ui_widgetpagerestdaychart.h"

#include "chartcanvas.h"
#include "corehub.h"
#include "pageresttoday.h"
#include "trace.h"

namespace {

const Resource::ID TITLE_ICON = 82;
const int MINUTES_PER_DAY = 1440;
const double VALUE_PER_MINUTE = 0.01;
const int X_TICKS = 7;
const double X_TICK_STEP = 2.4;  // four hours
const int HOURS_PER_X_TICK = 4;
const double RUN_HEIGHT = 3;
const double RUN_PEN_WIDTH = 0.1;
const quint8 PHASE_LIGHT = 2;
const quint8 PHASE_DEEP = 3;
// Room beside the axis for half of the "00:00" and "24:00" labels: a label cut by the border is
// not drawn at all.
const QMargins LABEL_ROOM(32, 14, 32, 0);

enum KIND { KIND_OTHER = 0, KIND_LIGHT = 1, KIND_DEEP = 2, KINDS = 3 };

const QColor KIND_COLOURS[KINDS] = {QColor(238, 238, 238, 255), QColor(179, 229, 238, 255),
                                    QColor(13, 147, 176, 255)};

QString kindName(const int& kind)
{
    switch (kind) {
    case KIND_LIGHT:
        return QObject::tr("浅睡");
    case KIND_DEEP:
        return QObject::tr("深睡");
    default:
        return QObject::tr("其它");
    }
}

int kindOf(const quint8& phase)
{
    if (phase == PHASE_LIGHT)
        return KIND_LIGHT;
    return phase == PHASE_DEEP ? KIND_DEEP : KIND_OTHER;
}

QString hoursMinutes(const int& minutes)
{
    return QObject::tr("%1小时%2分钟").arg(minutes / 60).arg(minutes % 60);
}

QDate dateOf(const LocalVault::mydate& date)
{
    return QDate(date.year, date.month, date.day);
}

// 100 from the target on; a target of 0 or less is reached by any sleep, so nothing divides by it.
unsigned char percentOf(const int& sleep, const int& target)
{
    if (target <= 0)
        return sleep > 0 ? 100 : 0;
    if (sleep > target)
        return 100;
    return static_cast<unsigned char>(static_cast<double>(sleep) / target * 100);
}

} // namespace

WidgetPageRestDayChart::WidgetPageRestDayChart(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetPageRestDayChart)
{
    ui->setupUi(this);
    initData();
}

WidgetPageRestDayChart::~WidgetPageRestDayChart()
{
    delete ui;
}

bool WidgetPageRestDayChart::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    ui->widget->setMsg(msg);
    updateCurrentData();
    if (msg)
        connect(msg, SIGNAL(onNsDateSync(CloudGate::ns_ret_code,QString)), this,
                SLOT(on_NsDateSync(CloudGate::ns_ret_code,QString)), Qt::UniqueConnection);
    return result;
}

void WidgetPageRestDayChart::updateCurrentData()
{
    updateData(ui->widget->currentDate());
}

// As in the steps day chart: the card's re-emission is not heard, a second request joins the first.
void WidgetPageRestDayChart::updateData(const QDate& d)
{
    CoreHub* hub = Msg();
    if (!hub || d != ui->widget->currentDate())
        return;
    setEnabled(false);
    disconnect(ui->widget, SIGNAL(onUpdateData(QDate)), this, SLOT(on_UpdateData(QDate)));
    ui->widget->on_updateData(d);
    connect(ui->widget, SIGNAL(onUpdateData(QDate)), this, SLOT(on_UpdateData(QDate)));
    connect(hub, SIGNAL(onFdNetSleepDay(LocalVault::sleep_mem_data)), this,
            SLOT(on_FdSleepDay(LocalVault::sleep_mem_data)), Qt::UniqueConnection);
    hub->fdSleepDay(d, true, true);
}

void WidgetPageRestDayChart::on_NsDateSync(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnCode)
    Q_UNUSED(returnMsg)
    updateCurrentData();
}

// Consecutive segments of one kind make one run, drawn from 00:00 on. A trailing other run is
// replaced by the remainder of the day; a night longer than the day gets no remainder.
void WidgetPageRestDayChart::on_FdSleepDay(const LocalVault::sleep_mem_data& d)
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onFdNetSleepDay(LocalVault::sleep_mem_data)), this,
               SLOT(on_FdSleepDay(LocalVault::sleep_mem_data)));
    setEnabled(true);
    const int target = hub->nsBmi().sleepRecommen.toInt();
    if (d.t.interval == 0 || d.segments.isEmpty() || dateOf(d.t.date) != ui->widget->currentDate()) {
        showEmptyNight(target);
        QLOG << "this->m_msg=NULL||d.t.interval=0||c=0";
        return;
    }
    QLOG << "c=" << d.segments.size();

    QVector<data> runs;
    int totals[KINDS] = {};
    for (const LocalVault::sleep_segment& segment : d.segments) {
        const int kind = kindOf(segment.phase);
        totals[kind] += segment.minutes;
        if (runs.isEmpty() || runs.last().kind != kind)
            runs.append(data{kind, segment.minutes});
        else
            runs.last().minutes += segment.minutes;
    }
    const int sleep = totals[KIND_LIGHT] + totals[KIND_DEEP];
    if (runs.last().kind == KIND_OTHER) {
        totals[KIND_OTHER] -= runs.last().minutes;
        runs.removeLast();
    }
    const int remainder = MINUTES_PER_DAY - (totals[KIND_OTHER] + sleep);
    if (remainder > 0)
        runs.append(data{KIND_OTHER, remainder});

    const QString fellAsleep = QString::asprintf("%02d:%02d", 0, 0);
    ui->widget->setValue(fellAsleep, hoursMinutes(totals[KIND_LIGHT]), hoursMinutes(totals[KIND_DEEP]),
                         percentOf(sleep, target), hoursMinutes(sleep), hoursMinutes(target));
    setTableData(runs);
}

void WidgetPageRestDayChart::showEmptyNight(const int& target)
{
    const QString zero = QStringLiteral("0");
    ui->widget->setValue(zero, zero, zero, 0, zero, hoursMinutes(target));
    setTableData(QVector<data>());
}

void WidgetPageRestDayChart::on_UpdateData(const QDate& date)
{
    updateData(date);
}

// The run's name is its tooltip; off the runs the last one stays.
void WidgetPageRestDayChart::on_tablePlottableMove(const QCPAbstractPlottable* plottable, QPointF pos,
                                                   QCPRange key, QCPRange value)
{
    Q_UNUSED(pos)
    Q_UNUSED(key)
    Q_UNUSED(value)
    if (!plottable)
        return;
    ui->table->setToolTip(plottable->name());
    QLOG << plottable->name();
}

void WidgetPageRestDayChart::initData()
{
    ui->widget->setTitle(TITLE_ICON, QObject::tr("今天"));
    ui->widget->setLineShow(true);
    ui->widget->setIcoDate(true);
    initTable();
}

void WidgetPageRestDayChart::initTable()
{
    ChartCanvas* chart = ui->table;
    chart->axisRect()->setMinimumMargins(LABEL_ROOM);
    chart->xAxis->grid()->setVisible(false);
    chart->yAxis->grid()->setVisible(false);
    chart->yAxis->setTicks(false);
    ChartAxis* x = chart->axis(chart->xAxis);
    x->setAutoTicks(false);
    x->setAutoTickLabels(false);
    x->setAutoTickStep(false);
    chart->xAxis->setRange(0, MINUTES_PER_DAY * VALUE_PER_MINUTE);
    QVector<double> ticks;
    QVector<QString> labels;
    for (int i = 0; i < X_TICKS; ++i) {
        ticks.append(i * X_TICK_STEP);
        labels.append(QString::asprintf("%02d:00", i * HOURS_PER_X_TICK));
    }
    x->setTickVector(ticks);
    x->setTickVectorLabels(labels);
    connect(chart, SIGNAL(plottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)), this,
            SLOT(on_tablePlottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)), Qt::UniqueConnection);
}

// Each run is a horizontal bar stacked on the one before, so the runs follow each other in time.
void WidgetPageRestDayChart::setTableData(const QVector<data>& runs)
{
    ChartCanvas* chart = ui->table;
    chart->setToolTip(QObject::tr("没有数据"));
    chart->clearPlottables();
    chart->clearGraphs();
    chart->replot(ChartCanvas::rpHint);
    QLOG << "c=" << runs.size();
    if (runs.isEmpty())
        return;

    int start = 0;
    QCPBars* previous = nullptr;
    for (const data& run : runs) {
        const int end = start + run.minutes;
        const QString range =
            QString::asprintf("%02d:%02d-%02d:%02d", start / 60, start % 60, end / 60, end % 60);
        auto* bars = new QCPBars(chart->yAxis, chart->xAxis);
        chart->addPlottable(bars);
        bars->setName(QObject::tr("%1%2%3 %4小时%5分钟")
                          .arg(range, QStringLiteral("\r\n"), kindName(run.kind), QString::number(run.minutes / 60),
                               QString::number(run.minutes % 60)));
        QPen pen(KIND_COLOURS[run.kind]);
        pen.setWidthF(RUN_PEN_WIDTH);
        bars->setPen(pen);
        bars->setBrush(QBrush(KIND_COLOURS[run.kind], Qt::SolidPattern));
        bars->setWidth(RUN_HEIGHT);
        bars->addData(0, run.minutes * VALUE_PER_MINUTE);
        if (previous)
            bars->moveAbove(previous);
        previous = bars;
        start = end;
    }
    chart->rescaleAxes(true);
    chart->replot(ChartCanvas::rpHint);
}
