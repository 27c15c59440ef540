#include "chartcanvas.h"

#include "trace.h"

#include <QMouseEvent>

ChartCanvas::ChartCanvas(QWidget* parent)
    : QCustomPlot(parent)
    , m_noAxis(nullptr)
{
    setMouseTracking(true);
}

ChartAxis* ChartCanvas::axis(QCPAxis* axis)
{
    if (!axis || axis->parentPlot() != this) {
        QLOG << "not an axis of this chart:" << static_cast<const void*>(axis);
        return &m_noAxis;
    }
    if (auto* wrapper = axis->findChild<ChartAxis*>(QString(), Qt::FindDirectChildrenOnly))
        return wrapper;
    return new ChartAxis(axis);
}

bool ChartCanvas::addPlottable(QCPAbstractPlottable* plottable)
{
    if (!plottable || !hasPlottable(plottable)) {
        QLOG << "plottable of another chart:" << static_cast<const void*>(plottable);
        return false;
    }
    return true;
}

bool ChartCanvas::clearData(QCPAbstractPlottable* plottable)
{
    if (!addPlottable(plottable))
        return false;
    if (auto* bars = qobject_cast<QCPBars*>(plottable)) {
        bars->data()->clear();
        return true;
    }
    if (auto* graph = qobject_cast<QCPGraph*>(plottable)) {
        graph->data()->clear();
        return true;
    }
    QLOG << "no data to clear in:" << plottable->metaObject()->className();
    return false;
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event)
{
    QCustomPlot::mouseMoveEvent(event);
    reportAt(event->localPos());
}

// A pointer that leaves the chart is over nothing; without this the last bar stays reported.
void ChartCanvas::leaveEvent(QEvent* event)
{
    QCustomPlot::leaveEvent(event);
    emit plottableMove(nullptr, QPointF(), QCPRange(), QCPRange());
}

void ChartCanvas::reportAt(const QPointF& pos)
{
    int index = -1;
    QCPAbstractPlottable* plottable = plottableAt(pos, false, &index);
    QCPPlottableInterface1D* data = plottable ? plottable->interface1D() : nullptr;
    if (!data || index < 0 || index >= data->dataCount()) {
        emit plottableMove(plottable, pos, QCPRange(), QCPRange());
        return;
    }
    const double key = data->dataMainKey(index);
    const double value = data->dataMainValue(index);
    QCPRange keyRange(key, key);
    QCPRange valueRange(value, value);
    if (auto* bars = qobject_cast<QCPBars*>(plottable)) {
        keyRange = QCPRange(key - bars->width() / 2, key + bars->width() / 2);
        // Not normalised: the upper bound is the bar's value also for a bar below the base.
        valueRange.lower = bars->baseValue();
        valueRange.upper = value;
    }
    emit plottableMove(plottable, pos, keyRange, valueRange);
}
