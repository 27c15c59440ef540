#ifndef WIDGETPAGESTEPSWEEKCHART_H
#define WIDGETPAGESTEPSWEEKCHART_H

#include "pagestepsweekchart_export.h"

#include "widgetweekchart.h"

#include <QList>
#include <QTime>
#include <QVector>

// Seven days of steps from the cloud: the week's totals on the card, one bar per day, and lines
// at the cloud's daily average and at the user's step target. A bar's hover names its day.
class PAGESTEPSWEEKCHART_EXPORT WidgetPageStepsWeekChart : public WidgetWeekChart
{
    Q_OBJECT
public:
    struct data {
        quint32 minutes = 0;
        double steps = 0.0;
        double distance = 0.0;  // km
        double calorie = 0.0;   // kcal
    };

    explicit WidgetPageStepsWeekChart(QWidget* parent = nullptr);
    ~WidgetPageStepsWeekChart() override;

protected slots:
    void on_NsWeekSportStats(const qint32& avgTotalFoots, const QTime& avgSportTime, const double& avgDistance,
                             const double& avgCalorie, const QList<CloudGate::ns_week_sport_detail>& sportDetailList,
                             const QString& tips, const QString& title, const CloudGate::ns_ret_code& returnCode,
                             const QString& returnMsg);
    void on_tablePlottableMove(const QCPAbstractPlottable* plottable, const QPointF& pos, const QCPRange& key,
                               const QCPRange& value);

protected:
    void requestWeek(const QDateTime& first, const QDateTime& last) override;
    Resource::ID loadingImage() const override;

    void setTableData(const QDate& first, const QVector<data>& days);
    void initStepY(const double& min, const double& max);
    void initTable();
    void initData();

private:
    QCPBars* m_bars = nullptr;
    QCPGraph* m_average = nullptr;
    QCPGraph* m_target = nullptr;
    QVector<data> m_days;  // the week drawn last, for the hover
};

#endif // WIDGETPAGESTEPSWEEKCHART_H
