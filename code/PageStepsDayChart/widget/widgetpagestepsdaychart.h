#ifndef WIDGETPAGESTEPSDAYCHART_H
#define WIDGETPAGESTEPSDAYCHART_H

#include "pagestepsdaychart_export.h"

#include "attribute.h"
#include "cloudgate.h"
#include "localvault.h"

#include <qcustomplot.h>

#include <QDate>
#include <QList>
#include <QPointF>
#include <QVector>
#include <QWidget>

namespace Ui {
class WidgetPageStepsDayChart;
}

// The steps of one day: the steps card on top (title, calendar, figures) and the day in bars of
// two hours below, each with its steps, distance and calories as a tooltip. The day comes from
// the hub: the stored record, else the cloud's copy. Reloads on every date chosen in the card's
// calendar and on every answer to an upload.
class PAGESTEPSDAYCHART_EXPORT WidgetPageStepsDayChart : public QWidget, public Attribute
{
    Q_OBJECT
public:
    // One two-hour bar.
    struct bar_data {
        double steps = 0;
        double km = 0;
        double kcal = 0;
    };

    explicit WidgetPageStepsDayChart(QWidget* parent = nullptr);
    ~WidgetPageStepsDayChart() override;

    bool setMsg(CoreHub* msg) override;
    // Loads day d, which must be the card's date; the page is disabled until the hub answers.
    void updateData(const QDate& d);
    void updateCurrentData();

protected slots:
    void on_NsDateSync(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_FdStepDay(const LocalVault::step_mem_data& d);
    void on_UpdateData(const QDate& date);
    void on_tablePlottableMove(const QCPAbstractPlottable* plottable, QPointF pos, QCPRange key, QCPRange value);

private:
    void initData();
    void initTable();
    void initStepY(const double& min, const double& max);
    void setTableData(const QVector<double>& values);
    void showEmptyDay(const double& target);

    QCPGraph* m_graph = nullptr;
    QCPBars* m_bars = nullptr;
    QList<bar_data> m_barList;
    Ui::WidgetPageStepsDayChart* ui;
};

#endif // WIDGETPAGESTEPSDAYCHART_H
