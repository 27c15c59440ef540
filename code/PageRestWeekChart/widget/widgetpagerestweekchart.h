#ifndef WIDGETPAGERESTWEEKCHART_H
#define WIDGETPAGERESTWEEKCHART_H

#include "pagerestweekchart_export.h"

#include "widgetweekchart.h"

#include <QList>
#include <QTime>
#include <QVector>

// Seven nights of sleep from the cloud: the average bedtime and the week's total, light and deep
// sleep on the card, a light and a deep bar per night side by side, and a line at the cloud's
// average sleep. The chart's unit is minutes x 0.01, so an hour stands at 0.6.
class PAGERESTWEEKCHART_EXPORT WidgetPageRestWeekChart : public WidgetWeekChart
{
    Q_OBJECT
public:
    explicit WidgetPageRestWeekChart(QWidget* parent = nullptr);
    ~WidgetPageRestWeekChart() override;

protected slots:
    void on_NsWeekSleepStats(const QTime& avgDeepSleepTime, QTime& avgSimpleSleepTime, QTime& avgSleepStartTime,
                             QTime& avgSleepTotalTime, QList<CloudGate::ns_week_sleep_detail>& sleepDetailList,
                             QString& tips, QString& title, CloudGate::ns_ret_code& returnCode, QString& returnMsg);
    void on_tablePlottableMove(const QCPAbstractPlottable* plottable, const QPointF& pos, const QCPRange& key,
                               const QCPRange& value);

protected:
    void requestWeek(const QDateTime& first, const QDateTime& last) override;
    Resource::ID loadingImage() const override;
    void updateLabels(const QDate& first) override;

    void setTableData(const QVector<unsigned>& light, const QVector<unsigned>& deep);
    void setTimeLine(QCPGraph* line, const QTime& time);
    void initTable();
    void initData();

private:
    QCPBars* m_light = nullptr;
    QCPBars* m_deep = nullptr;
    QCPGraph* m_averageLine = nullptr;
    QVector<unsigned> m_lightMinutes;  // the week drawn last, for the hover
    QVector<unsigned> m_deepMinutes;
    int m_average = 0;  // minutes the average line stands at
};

#endif // WIDGETPAGERESTWEEKCHART_H
