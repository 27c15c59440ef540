#ifndef WIDGETPAGERESTDAYCHART_H
#define WIDGETPAGERESTDAYCHART_H

#include "pagerestdaychart_export.h"

#include "attribute.h"
#include "cloudgate.h"
#include "localvault.h"

#include <qcustomplot.h>

#include <QDate>
#include <QPointF>
#include <QVector>
#include <QWidget>

namespace Ui {
class WidgetPageRestDayChart;
}

// The sleep of one night: the sleep card on top and below it one timeline of 24 hours made of
// runs of light sleep, deep sleep and other time, each with its span as a tooltip. Loads like the
// steps day chart: the card's date from the hub, again on every date chosen and every upload.
class PAGERESTDAYCHART_EXPORT WidgetPageRestDayChart : public QWidget, public Attribute
{
    Q_OBJECT
public:
    // One run of the timeline; kind 0 other, 1 light sleep, 2 deep sleep.
    struct data {
        int kind = 0;
        int minutes = 0;
    };

    explicit WidgetPageRestDayChart(QWidget* parent = nullptr);
    ~WidgetPageRestDayChart() override;

    bool setMsg(CoreHub* msg) override;
    void updateData(const QDate& d);
    void updateCurrentData();

protected slots:
    void on_NsDateSync(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_FdSleepDay(const LocalVault::sleep_mem_data& d);
    void on_UpdateData(const QDate& date);
    void on_tablePlottableMove(const QCPAbstractPlottable* plottable, QPointF pos, QCPRange key, QCPRange value);

private:
    void initData();
    void initTable();
    void setTableData(const QVector<data>& runs);
    void showEmptyNight(const int& target);

    Ui::WidgetPageRestDayChart* ui;
};

#endif // WIDGETPAGERESTDAYCHART_H
