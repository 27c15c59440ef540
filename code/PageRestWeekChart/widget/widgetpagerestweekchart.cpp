#include "widgetpagerestweekchart.h"

#include "corehub.h"
#include "trace.h"

#include <QtMath>

namespace {

const Resource::ID kTitleIcon = 82;
const Resource::ID kStatusImage = 72;
const double kBarWidth = 0.25;
const double kChartUnit = 0.01;  // per minute
const int kHours = 24;
const double kHourStep = 60 * kChartUnit;
const QColor kLightColor(179, 229, 238);
const QColor kDeepColor(13, 147, 176);
const QColor kAverageColor(32, 149, 218);

// A missing time is no time.
int minutesOfTime(const QTime& time)
{
    return time.isValid() ? time.hour() * 60 + time.minute() : 0;
}

QString durationText(const QString& label, const unsigned& minutes)
{
    return QObject::tr("%1 %2小时%3分钟").arg(label).arg(minutes / 60).arg(minutes % 60);
}

} // namespace

WidgetPageRestWeekChart::WidgetPageRestWeekChart(QWidget* parent)
    : WidgetWeekChart(parent, QStringLiteral("WidgetPageRestWeekChart"), QSize(511, 316))
{
    initData();
}

WidgetPageRestWeekChart::~WidgetPageRestWeekChart() = default;

Resource::ID WidgetPageRestWeekChart::loadingImage() const
{
    return kStatusImage;
}

void WidgetPageRestWeekChart::requestWeek(const QDateTime& first, const QDateTime& last)
{
    CoreHub* hub = Msg();
    connect(hub,
            SIGNAL(onNsWeekSleepStats(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,CloudGate::ns_ret_code&,QString&)),
            this,
            SLOT(on_NsWeekSleepStats(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,CloudGate::ns_ret_code&,QString&)),
            Qt::UniqueConnection);
    hub->nsWeekSleepStats(hub->nsToken(), first, last, CoreHub::version(), hub->LanguageString());
}

// The line stands at the cloud's average, and its hover names that same value. The labels of a
// week come from the request, so a reply without nights still names the chosen week.
void WidgetPageRestWeekChart::on_NsWeekSleepStats(const QTime& avgDeepSleepTime, QTime& avgSimpleSleepTime,
                                                  QTime& avgSleepStartTime, QTime& avgSleepTotalTime,
                                                  QList<CloudGate::ns_week_sleep_detail>& sleepDetailList,
                                                  QString& tips, QString& title, CloudGate::ns_ret_code& returnCode,
                                                  QString& returnMsg)
{
    Q_UNUSED(avgDeepSleepTime)
    Q_UNUSED(avgSimpleSleepTime)
    Q_UNUSED(returnMsg)
    if (QObject* hub = sender())
        disconnect(hub,
                   SIGNAL(onNsWeekSleepStats(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,CloudGate::ns_ret_code&,QString&)),
                   this,
                   SLOT(on_NsWeekSleepStats(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,CloudGate::ns_ret_code&,QString&)));
    if (!takeReply(returnCode, kStatusImage, QString()))
        return;
    card()->setPrompt(tips);
    card()->setImg(kStatusImage, title);

    QVector<unsigned> light;
    QVector<unsigned> deep;
    quint64 totalSum = 0;
    quint64 lightSum = 0;
    quint64 deepSum = 0;
    for (const CloudGate::ns_week_sleep_detail& night : sleepDetailList) {
        light.append(minutesOf(night.simpleSleepTime));
        deep.append(minutesOf(night.deepSleepTime));
        totalSum += minutesOf(night.totalTime);
        lightSum += light.last();
        deepSum += deep.last();
    }
    card()->setValue(avgSleepStartTime.toString(QStringLiteral("hh:mm")), totalText(totalSum), totalText(lightSum),
                     totalText(deepSum));
    setTableData(light, deep);
    m_average = minutesOfTime(avgSleepTotalTime);
    setTimeLine(m_averageLine, avgSleepTotalTime);
    chart()->replot(ChartCanvas::rpHint);
}

void WidgetPageRestWeekChart::setTableData(const QVector<unsigned>& light, const QVector<unsigned>& deep)
{
    chart()->setToolTip(QObject::tr("没有数据"));
    chart()->clearData(m_light);
    chart()->clearData(m_deep);
    chart()->clearData(m_averageLine);
    chart()->replot(ChartCanvas::rpHint);
    const double step = (m_light->width() + m_deep->width()) * 2;
    QVector<double> lightKeys;
    QVector<double> lightValues;
    for (int i = 0; i < light.size(); ++i) {
        lightKeys.append(i * step - m_light->width() / 2);
        lightValues.append(light.at(i) * kChartUnit);
    }
    QVector<double> deepKeys;
    QVector<double> deepValues;
    for (int i = 0; i < deep.size(); ++i) {
        deepKeys.append(i * step + m_deep->width() / 2);
        deepValues.append(deep.at(i) * kChartUnit);
    }
    m_lightMinutes = light;
    m_deepMinutes = deep;
    m_light->setData(lightKeys, lightValues);
    m_deep->setData(deepKeys, deepValues);
    chart()->rescaleAxes(true);
    chart()->replot(ChartCanvas::rpHint);
}

void WidgetPageRestWeekChart::setTimeLine(QCPGraph* line, const QTime& time)
{
    setLineData(line, minutesOfTime(time) * kChartUnit);
}

void WidgetPageRestWeekChart::updateLabels(const QDate& first)
{
    WidgetWeekChart::updateLabels(first);
    QVector<double> ticks;
    QVector<QString> labels;
    for (int hour = 0; hour < kHours; ++hour) {
        ticks.append(hour * kHourStep);
        labels.append(QString::number(hour));
    }
    ChartAxis* axis = chart()->axis(chart()->yAxis);
    axis->setTickVector(ticks);
    axis->setTickVectorLabels(labels);
}

void WidgetPageRestWeekChart::initTable()
{
    ChartCanvas* canvas = chart();
    for (QCPAxis* axis : {canvas->xAxis, canvas->yAxis}) {
        axis->grid()->setVisible(false);
        canvas->axis(axis)->setAutoTicks(false);
        canvas->axis(axis)->setAutoTickLabels(false);
        canvas->axis(axis)->setAutoTickStep(false);
    }
    m_light = new QCPBars(canvas->xAxis, canvas->yAxis);
    m_deep = new QCPBars(canvas->xAxis, canvas->yAxis);
    m_averageLine = new QCPGraph(canvas->xAxis, canvas->yAxis);
    m_light->setName(QObject::tr("浅睡"));
    m_deep->setName(QObject::tr("深睡"));
    m_averageLine->setName(QObject::tr("平均"));
    m_light->setPen(QPen(kLightColor));
    m_light->setBrush(QBrush(kLightColor));
    m_deep->setPen(QPen(kDeepColor));
    m_deep->setBrush(QBrush(kDeepColor));
    m_averageLine->setPen(QPen(kAverageColor));
    m_light->setWidth(kBarWidth);
    m_deep->setWidth(kBarWidth);
    canvas->xAxis->setRange(0, (m_light->width() + m_deep->width()) * 7 * 2);
    canvas->addPlottable(m_light);
    canvas->addPlottable(m_deep);
    canvas->addPlottable(m_averageLine);
    updateLabels(QDate::currentDate());
    showLegend();
    canvas->rescaleAxes(true);
}

void WidgetPageRestWeekChart::initData()
{
    card()->setTitle(kTitleIcon, QObject::tr("睡眠周数据"));
    card()->setIcoDate(true);
    card()->setIco(74, 73, 75, 76);
    card()->setLabel(QObject::tr("入睡"), QObject::tr("睡眠时长"), QObject::tr("浅睡"), QObject::tr("深睡"));
    card()->setImg(kStatusImage, QObject::tr("正在加载"));
    initTable();
    connect(chart(), SIGNAL(plottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)), this,
            SLOT(on_tablePlottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)));
}

// A bar names its kind and its night's minutes, the line its average.
void WidgetPageRestWeekChart::on_tablePlottableMove(const QCPAbstractPlottable* plottable, const QPointF& pos,
                                                    const QCPRange& key, const QCPRange& value)
{
    Q_UNUSED(pos)
    Q_UNUSED(value)
    if (!plottable)
        return;
    QString text;
    if (plottable == m_averageLine) {
        text = durationText(plottable->name(), unsigned(m_average));
    } else {
        const bool light = plottable == m_light;
        if (!light && plottable != m_deep)
            return;
        const QVector<unsigned>& minutes = light ? m_lightMinutes : m_deepMinutes;
        const int index = qFloor(light ? key.lower + m_light->width() : key.lower);
        if (index < 0 || index >= minutes.size()) {
            QLOG << "no night at index=" << index;
            return;
        }
        text = durationText(plottable->name(), minutes.at(index));
    }
    QLOG << "text=" << text;
    chart()->setToolTip(text);
}
