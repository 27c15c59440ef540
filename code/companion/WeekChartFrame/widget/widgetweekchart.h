#ifndef WIDGETWEEKCHART_H
#define WIDGETWEEKCHART_H

#include "weekchartframe_export.h"

#include "attribute.h"
#include "chartcanvas.h"
#include "cloudgate.h"
#include "pageweekpicker.h"

#include <QDate>
#include <QSize>
#include <QString>
#include <QWidget>

namespace Ui {
class WidgetWeekChart;
}

// What the steps and the sleep week charts share: the week card over a chart, one cloud request
// per week shown, a reload when the card names a week or an upload of day data finishes, and the
// x axis of seven days. A chart adds its request, its reply and what it draws.
class WEEKCHARTFRAME_EXPORT WidgetWeekChart : public QWidget, public Attribute
{
    Q_OBJECT
public:
    WidgetWeekChart(QWidget* parent, const QString& formName, const QSize& size);
    ~WidgetWeekChart() override;

    bool setMsg(CoreHub* msg) override;
    void updateCurrentData();
    // Asks for the week that starts on d; only for the card's own week, and only with a hub.
    void updateData(const QDate& d);

protected slots:
    void on_UpdateData(const QDate& d);
    void on_NsDateSync(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);

protected:
    // Every bar of both charts stands in a slot of this width: day i sits at key i.
    static constexpr double DAY_STEP = 1.0;

    // Connects the reply and sends the request of the week first..last; the hub is there.
    virtual void requestWeek(const QDateTime& first, const QDateTime& last) = 0;
    // The card's picture while a week loads.
    virtual Resource::ID loadingImage() const = 0;
    virtual void updateLabels(const QDate& first);

    PageWeekPicker* card() const;
    ChartCanvas* chart() const;

    // Shows the legend in a row of its own above the plot, so it never hides a bar.
    void showLegend();
    // The line across the x axis's current range at value; false for no line.
    bool setLineData(QCPGraph* line, const double& value);
    // First thing of a reply slot once its connection is undone: enables the page and, for no
    // hub or a refusal, shows why on the card (the picture without a hub is always 66) and
    // gives false.
    bool takeReply(const CloudGate::ns_ret_code& returnCode, const Resource::ID& failImage, const QString& failText);
    // The day the labels start from: the first record's, or the card's week start for none.
    QDate firstDay(const QDateTime& firstRecord) const;

    // A duration the cloud sends as a signed count: below 0 it is no time at all.
    static unsigned minutesOf(const qint32& cloudMinutes);
    // "H小时M分" of a week's total.
    static QString totalText(const quint64& minutes);

private:
    Ui::WidgetWeekChart* ui;
};

#endif // WIDGETWEEKCHART_H
