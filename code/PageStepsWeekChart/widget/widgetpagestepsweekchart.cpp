#include "widgetpagestepsweekchart.h"

#include "corehub.h"
#include "trace.h"

#include <QtMath>

namespace {

const Resource::ID kTitleIcon = 82;
const Resource::ID kStatusImage = 66;
const double kBarWidth = 0.5;
const int kYTicks = 10;
const QColor kBarColor(30, 182, 206);
const QColor kAverageColor(32, 149, 218);
const QColor kTargetColor(250, 86, 85);

QString oneDecimal(const double& value)
{
    return QString::number(value, 'f', 1);
}

// Six significant digits: a seven-digit count turns into exponent form.
QString stepsText(const double& steps)
{
    return QString::number(steps, 'g', 6);
}

} // namespace

WidgetPageStepsWeekChart::WidgetPageStepsWeekChart(QWidget* parent)
    : WidgetWeekChart(parent, QStringLiteral("WidgetPageStepsWeekChart"), QSize(452, 259))
{
    initData();
}

WidgetPageStepsWeekChart::~WidgetPageStepsWeekChart() = default;

Resource::ID WidgetPageStepsWeekChart::loadingImage() const
{
    return kStatusImage;
}

void WidgetPageStepsWeekChart::requestWeek(const QDateTime& first, const QDateTime& last)
{
    CoreHub* hub = Msg();
    connect(hub,
            SIGNAL(onNsWeekSportStats(qint32,QTime,double,double,QList<CloudGate::ns_week_sport_detail>,QString,QString,CloudGate::ns_ret_code,QString)),
            this,
            SLOT(on_NsWeekSportStats(qint32,QTime,double,double,QList<CloudGate::ns_week_sport_detail>,QString,QString,CloudGate::ns_ret_code,QString)),
            Qt::UniqueConnection);
    hub->nsWeekSportStats(hub->nsToken(), first, last, CoreHub::version(), hub->LanguageString());
}

void WidgetPageStepsWeekChart::on_NsWeekSportStats(const qint32& avgTotalFoots, const QTime& avgSportTime,
                                                   const double& avgDistance, const double& avgCalorie,
                                                   const QList<CloudGate::ns_week_sport_detail>& sportDetailList,
                                                   const QString& tips, const QString& title,
                                                   const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(avgSportTime)
    Q_UNUSED(avgDistance)
    Q_UNUSED(avgCalorie)
    Q_UNUSED(returnMsg)
    if (QObject* hub = sender())
        disconnect(hub,
                   SIGNAL(onNsWeekSportStats(qint32,QTime,double,double,QList<CloudGate::ns_week_sport_detail>,QString,QString,CloudGate::ns_ret_code,QString)),
                   this,
                   SLOT(on_NsWeekSportStats(qint32,QTime,double,double,QList<CloudGate::ns_week_sport_detail>,QString,QString,CloudGate::ns_ret_code,QString)));
    if (!takeReply(returnCode, kStatusImage, QObject::tr("加载失败")))
        return;
    card()->setPrompt(tips);
    card()->setImg(kStatusImage, title);

    const QDate first = firstDay(sportDetailList.isEmpty() ? QDateTime() : sportDetailList.first().date);
    const double target = Msg()->nsGetStepTarget();
    const double average = avgTotalFoots;
    double steps = 0.0;
    double distance = 0.0;
    double calorie = 0.0;
    quint64 minutes = 0;
    QVector<data> days;
    for (const CloudGate::ns_week_sport_detail& row : sportDetailList) {
        const data day{minutesOf(row.totalTime), double(row.totalFoots), row.distance, row.calorie};
        steps += day.steps;
        distance += day.distance;
        calorie += day.calorie;
        minutes += day.minutes;
        days.append(day);
    }
    card()->setValue(QObject::tr("%1步").arg(stepsText(steps)), QObject::tr("%1大卡").arg(oneDecimal(calorie)),
                     totalText(minutes), QObject::tr("%1公里").arg(oneDecimal(distance)));

    double highest = 0.0;
    for (const data& day : days)
        highest = qMax(highest, day.steps);
    highest = qMax(highest, qMax(average, target));
    initStepY(0, highest);
    setTableData(first, days);
    setLineData(m_average, average);
    setLineData(m_target, target);
    // The lines came after the bars' replot.
    chart()->replot(ChartCanvas::rpHint);
}

// A week without days empties the chart too: old bars under new labels would lie.
void WidgetPageStepsWeekChart::setTableData(const QDate& first, const QVector<data>& days)
{
    updateLabels(first);
    chart()->rescaleAxes(true);
    if (!m_bars)
        return;
    chart()->setToolTip(QObject::tr("没有数据"));
    chart()->clearData(m_bars);
    chart()->clearData(m_average);
    chart()->clearData(m_target);
    chart()->replot(ChartCanvas::rpHint);
    m_days = days;
    QVector<double> keys;
    QVector<double> values;
    for (int i = 0; i < days.size(); ++i) {
        keys.append(i * m_bars->width() * 2);
        values.append(days.at(i).steps);
    }
    m_bars->setData(keys, values);
    chart()->rescaleAxes(true);
    chart()->replot(ChartCanvas::rpHint);
}

void WidgetPageStepsWeekChart::initStepY(const double& min, const double& max)
{
    const qint64 unit = max >= 100 ? qint64(max / kYTicks) : 10;
    QVector<double> ticks;
    QVector<QString> labels;
    for (int k = 0; k <= kYTicks; ++k) {
        ticks.append(double(k * unit));
        labels.append(QString::number(k * unit));
    }
    ChartAxis* axis = chart()->axis(chart()->yAxis);
    axis->setTickVector(ticks);
    axis->setTickVectorLabels(labels);
    chart()->yAxis->setRange(min, max);
    QLOG << "min=" << min << ",max=" << max << ",unit=" << unit;
}

void WidgetPageStepsWeekChart::initTable()
{
    ChartCanvas* canvas = chart();
    canvas->xAxis->grid()->setVisible(false);
    canvas->yAxis->grid()->setVisible(false);
    ChartAxis* x = canvas->axis(canvas->xAxis);
    x->setAutoTicks(false);
    x->setAutoTickLabels(false);
    x->setAutoTickStep(false);
    x->setTickStep(1);
    canvas->xAxis->setRange(0, 14);
    ChartAxis* y = canvas->axis(canvas->yAxis);
    y->setAutoTicks(false);
    y->setAutoTickLabels(false);
    y->setAutoTickStep(false);
    y->setAutoSubTicks(false);
    initStepY(0, 100);

    m_bars = new QCPBars(canvas->xAxis, canvas->yAxis);
    m_average = new QCPGraph(canvas->xAxis, canvas->yAxis);
    m_target = new QCPGraph(canvas->xAxis, canvas->yAxis);
    showLegend();
    m_bars->setName(QObject::tr("当天步数"));
    m_average->setName(QObject::tr("平均步数"));
    m_target->setName(QObject::tr("目标步数"));
    m_bars->setWidth(kBarWidth);
    canvas->addPlottable(m_bars);
    canvas->addPlottable(m_average);
    canvas->addPlottable(m_target);
    m_bars->setPen(QPen(kBarColor));
    m_bars->setBrush(QBrush(kBarColor));
    m_average->setPen(QPen(kAverageColor));
    m_target->setPen(QPen(kTargetColor));

    updateLabels(QDate::currentDate());
    canvas->rescaleAxes(true);
    canvas->replot(ChartCanvas::rpHint);
    connect(canvas, SIGNAL(plottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)), this,
            SLOT(on_tablePlottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)));
}

void WidgetPageStepsWeekChart::initData()
{
    card()->setTitle(kTitleIcon, QObject::tr("运动周数据"));
    card()->setIcoDate(true);
    card()->setIco(67, 68, 69, 70);
    card()->setLabel(QObject::tr("步数"), QObject::tr("卡路里"), QObject::tr("时间"), QObject::tr("距离"));
    card()->setImg(kStatusImage, QObject::tr("正在加载"));
    initTable();
}

// A bar names its day; a line its name and the steps it stands at.
void WidgetPageStepsWeekChart::on_tablePlottableMove(const QCPAbstractPlottable* plottable, const QPointF& pos,
                                                     const QCPRange& key, const QCPRange& value)
{
    Q_UNUSED(pos)
    if (!plottable || !m_bars)
        return;
    QString text;
    if (plottable == m_average || plottable == m_target) {
        text = QObject::tr("%1 %2步").arg(plottable->name(), stepsText(value.upper));
    } else if (plottable == m_bars) {
        const int index = qFloor(key.upper - 0.5 * m_bars->width());
        if (index < 0 || index >= m_days.size()) {
            QLOG << "no day at index=" << index;
            return;
        }
        const data& day = m_days.at(index);
        text = QStringLiteral("%1小时%2分 %3步\r\n%4千米 %5大卡")
                   .arg(day.minutes / 60)
                   .arg(day.minutes % 60)
                   .arg(stepsText(day.steps), oneDecimal(day.distance), oneDecimal(day.calorie));
    } else {
        return;
    }
    QLOG << "text=" << text;
    chart()->setToolTip(text);
}
