#ifndef CHARTCANVAS_H
#define CHARTCANVAS_H

#include "chartcanvas_export.h"

#include "chartaxis.h"

#include <qcustomplot.h>

#include <QPointF>

// The chart of the day and week pages: a QCustomPlot that reports what lies under the pointer,
// plus the few calls of the older plotting interface the pages are written against (axis tick
// vectors, adding a plottable, clearing one's data, the replot hint), carried over to 2.1.
class CHARTCANVAS_EXPORT ChartCanvas : public QCustomPlot
{
    Q_OBJECT
public:
    static constexpr QCustomPlot::RefreshPriority rpHint = QCustomPlot::rpRefreshHint;

    explicit ChartCanvas(QWidget* parent = nullptr);

    // The tick calls of an axis of this chart. An axis of another chart, or none, gets a
    // wrapper that changes nothing, so a wrong call is logged instead of crashing the page.
    ChartAxis* axis(QCPAxis* axis);

    // A plottable joins its chart when it is built; true when it belongs to this one.
    bool addPlottable(QCPAbstractPlottable* plottable);
    // Empties a graph's or a bar set's data; false for anything else.
    bool clearData(QCPAbstractPlottable* plottable);

signals:
    // On every pointer move: the plottable under the pointer (null for none), the pointer in
    // widget pixels, and the hovered data's key and value range. For a bar: key - width/2 to
    // key + width/2, and the bars' base value to the bar's own value. For a graph: the data
    // point nearest to the pointer, as single-value ranges.
    void plottableMove(const QCPAbstractPlottable* plottable, QPointF pos, QCPRange key, QCPRange value);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void reportAt(const QPointF& pos);

    ChartAxis m_noAxis;
};

#endif // CHARTCANVAS_H
