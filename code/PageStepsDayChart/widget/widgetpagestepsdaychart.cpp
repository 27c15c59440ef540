#include "widgetpagestepsdaychart.h"
#include "ui_widgetpagestepsdaychart.h"

#include "chartcanvas.h"
#include "corehub.h"
#include "pagestepstoday.h"
#include "trace.h"

namespace {

const Resource::ID TITLE_ICON = 82;
const int MINUTES_PER_BAR = 120;
const int BARS = 12;
const double BAR_WIDTH = 0.5;
const double FIRST_KEY = 0.25;
const int X_TICKS = 7;      // 0 to 6: one key unit is four hours
const int HOURS_PER_X_TICK = 4;
const int Y_TICKS = 11;
const QColor BAR_COLOUR(30, 182, 206, 255);
// Room beside the axis for half of the "00:00" and "24:00" labels: a label cut by the border is
// not drawn at all.
const QMargins LABEL_ROOM(32, 14, 32, 0);

QString hoursMinutes(const int& minutes)
{
    return QObject::tr("%1小时%2分钟").arg(minutes / 60).arg(minutes % 60);
}

QDate dateOf(const LocalVault::mydate& date)
{
    return QDate(date.year, date.month, date.day);
}

// 100 above the target; a target of 0 or less gives 0 without steps, so nothing divides by it.
unsigned char percentOf(const double& steps, const double& target)
{
    if (steps > target)
        return 100;
    if (target <= 0)
        return 0;
    return static_cast<unsigned char>(steps / target * 100);
}

} // namespace

WidgetPageStepsDayChart::WidgetPageStepsDayChart(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetPageStepsDayChart)
{
    ui->setupUi(this);
    initData();
}

WidgetPageStepsDayChart::~WidgetPageStepsDayChart()
{
    delete ui;
}

bool WidgetPageStepsDayChart::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    ui->widget->setMsg(msg);
    updateCurrentData();
    if (msg)
        connect(msg, SIGNAL(onNsDateSync(CloudGate::ns_ret_code,QString)), this,
                SLOT(on_NsDateSync(CloudGate::ns_ret_code,QString)), Qt::UniqueConnection);
    return result;
}

void WidgetPageStepsDayChart::updateCurrentData()
{
    updateData(ui->widget->currentDate());
}

// The card re-emits the date it is given: its connection to this page is cut around the call so
// the page does not load twice. A request while one is out joins it.
void WidgetPageStepsDayChart::updateData(const QDate& d)
{
    CoreHub* hub = Msg();
    if (!hub || d != ui->widget->currentDate())
        return;
    setEnabled(false);
    disconnect(ui->widget, SIGNAL(onUpdateData(QDate)), this, SLOT(on_UpdateData(QDate)));
    ui->widget->on_updateData(d);
    connect(ui->widget, SIGNAL(onUpdateData(QDate)), this, SLOT(on_UpdateData(QDate)));
    connect(hub, SIGNAL(onFdNetStepDay(LocalVault::step_mem_data)), this,
            SLOT(on_FdStepDay(LocalVault::step_mem_data)), Qt::UniqueConnection);
    hub->fdStepDay(d, true, true);
}

void WidgetPageStepsDayChart::on_NsDateSync(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnCode)
    Q_UNUSED(returnMsg)
    updateCurrentData();
}

// Samples are summed per two hours. More than two hours per sample leaves no whole sample for a
// bar: such a day is shown as empty.
void WidgetPageStepsDayChart::on_FdStepDay(const LocalVault::step_mem_data& d)
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onFdNetStepDay(LocalVault::step_mem_data)), this,
               SLOT(on_FdStepDay(LocalVault::step_mem_data)));
    setEnabled(true);
    const double target = hub->nsBmi().ssportRecommen.toInt();
    QLOG << "d.t.interval=" << d.t.interval;
    if (d.t.interval == 0 || d.t.interval > MINUTES_PER_BAR || d.items.isEmpty()
        || dateOf(d.t.date) != ui->widget->currentDate()) {
        showEmptyDay(target);
        return;
    }

    m_barList.clear();
    const int interval = d.t.interval;
    const int samplesPerBar = MINUTES_PER_BAR / interval;
    QVector<double> values;
    bar_data day;
    int activeMinutes = 0;
    for (int first = 0; first < d.items.size(); first += samplesPerBar) {
        bar_data bar;
        const int end = qMin(first + samplesPerBar, d.items.size());
        for (int i = first; i < end; ++i) {
            const quint16 value = d.items.at(i).value;
            bar.steps += value;
            activeMinutes += value ? interval : 0;
        }
        bar.km = hub->sdCalcDist(static_cast<unsigned>(bar.steps)) / 1000;
        bar.kcal = hub->sdCalcDefaultKcal(bar.km * 1000) / 1000;
        day.steps += bar.steps;
        day.km += bar.km;
        day.kcal += bar.kcal;
        values.append(bar.steps);
        m_barList.append(bar);
    }
    while (values.size() < BARS) {
        values.append(0);
        m_barList.append(bar_data());
    }
    QLOG << values << "target_step=" << target;

    const QString targetText = QStringLiteral("%1").arg(static_cast<unsigned>(target));
    const QString stepsText = QStringLiteral("%1").arg(static_cast<unsigned>(day.steps));
    const QString distance = QObject::tr("%1公里").arg(QString::number(day.km, 'f', 1));
    const QString calories = QObject::tr("%1大卡").arg(QString::number(day.kcal, 'f', 1));
    ui->widget->setValue(calories, hoursMinutes(activeMinutes), distance, percentOf(day.steps, target), stepsText,
                         targetText);
    setTableData(values);
}

void WidgetPageStepsDayChart::showEmptyDay(const double& target)
{
    const QString zero = QStringLiteral("0");
    ui->widget->setValue(zero, zero, zero, 0, zero, QStringLiteral("%1").arg(target));
    setTableData(QVector<double>());
}

void WidgetPageStepsDayChart::on_UpdateData(const QDate& date)
{
    updateData(date);
}

// The bar under the pointer reads its two hours from its edges; a bar beyond the list shows its
// height. Off the bars the tooltip is cleared.
void WidgetPageStepsDayChart::on_tablePlottableMove(const QCPAbstractPlottable* plottable, QPointF pos,
                                                    QCPRange key, QCPRange value)
{
    Q_UNUSED(pos)
    const double width = m_bars && m_bars->width() != 0 ? m_bars->width() : BAR_WIDTH;
    const int index = static_cast<int>(key.upper / width - 1);
    const int hour = static_cast<int>(2 * key.lower / width);
    const QString range = QString::asprintf("%02d:00-%02d:00", hour, hour + 2);
    bar_data bar;
    if (static_cast<unsigned>(index) < static_cast<unsigned>(m_barList.size()))
        bar = m_barList.at(index);
    else
        bar.steps = static_cast<int>(value.upper);
    const QString text = QObject::tr("%1 %2步%3%4公里 %5大卡")
                             .arg(range, QString::number(static_cast<unsigned>(bar.steps)), QStringLiteral("\r\n"),
                                  QString::number(bar.km, 'f', 1), QString::number(bar.kcal, 'f', 1));
    QLOG << "index=" << index << text;
    ui->table->setToolTip(plottable ? text : QString());
}

void WidgetPageStepsDayChart::initData()
{
    ui->widget->setTitle(TITLE_ICON, QObject::tr("今天"));
    ui->widget->setLineShow(true);
    ui->widget->setIcoDate(true);
    initTable();
}

void WidgetPageStepsDayChart::initTable()
{
    ChartCanvas* chart = ui->table;
    if (!m_graph)
        m_graph = chart->addGraph();
    chart->clearData(m_graph);
    chart->axisRect()->setMinimumMargins(LABEL_ROOM);
    chart->xAxis->grid()->setVisible(false);
    chart->yAxis->grid()->setVisible(false);

    ChartAxis* x = chart->axis(chart->xAxis);
    x->setAutoTicks(false);
    x->setAutoTickLabels(false);
    x->setAutoTickStep(false);
    chart->xAxis->setRange(0, X_TICKS - 1);
    ChartAxis* y = chart->axis(chart->yAxis);
    y->setAutoTicks(false);
    y->setAutoTickLabels(false);
    y->setAutoTickStep(false);
    y->setAutoSubTicks(false);
    initStepY(0, 100);

    QVector<double> ticks;
    QVector<QString> labels;
    for (int i = 0; i < X_TICKS; ++i) {
        ticks.append(i);
        labels.append(QString::asprintf("%02d:00", i * HOURS_PER_X_TICK));
    }
    x->setTickVector(ticks);
    x->setTickVectorLabels(labels);

    if (!m_bars)
        m_bars = new QCPBars(chart->xAxis, chart->yAxis);
    chart->clearData(m_bars);
    m_bars->setName(QStringLiteral("sport1"));
    chart->addPlottable(m_bars);
    chart->rescaleAxes(true);
    m_bars->setPen(QPen(BAR_COLOUR));
    m_bars->setBrush(QBrush(BAR_COLOUR, Qt::SolidPattern));
    connect(chart, SIGNAL(plottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)), this,
            SLOT(on_tablePlottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)), Qt::UniqueConnection);
}

// Eleven fixed ticks: steps of 10 below a maximum of 100, else a tenth of the maximum.
void WidgetPageStepsDayChart::initStepY(const double& min, const double& max)
{
    const int unit = max < 100 ? 10 : static_cast<int>(max / 10);
    QVector<double> ticks;
    QVector<QString> labels;
    for (int i = 0; i < Y_TICKS; ++i) {
        ticks.append(i * unit);
        labels.append(QString::asprintf("%d", i * unit));
    }
    ChartAxis* y = ui->table->axis(ui->table->yAxis);
    y->setTickVector(ticks);
    y->setTickVectorLabels(labels);
    ui->table->yAxis->setRange(min, max);
    QLOG << "min=" << min << ",max=" << max << ",unit=" << unit;
}

// The bars always cover the x axis: n = two per key unit, the values padded with zeros.
void WidgetPageStepsDayChart::setTableData(const QVector<double>& values)
{
    if (!m_graph || !m_bars)
        return;
    ChartCanvas* chart = ui->table;
    QLOG << "value=" << values;
    chart->setToolTip(QObject::tr("没有数据"));
    chart->clearData(m_bars);
    chart->clearData(m_graph);
    chart->rescaleAxes(true);
    chart->replot(ChartCanvas::rpHint);
    if (values.isEmpty())
        return;

    double max = 0;
    for (const double value : values)
        max = qMax(max, value);
    initStepY(0, max);
    const QCPRange range = chart->xAxis->range();
    const int n = static_cast<int>(2 * (range.upper - range.lower));
    QVector<double> keys;
    for (int i = 0; i < n; ++i)
        keys.append(FIRST_KEY + BAR_WIDTH * i);
    QVector<double> shown = values;
    shown.resize(n);
    m_bars->setWidth(BAR_WIDTH);
    m_bars->setData(keys, shown);
    chart->rescaleAxes(true);
    chart->replot(ChartCanvas::rpHint);
}
