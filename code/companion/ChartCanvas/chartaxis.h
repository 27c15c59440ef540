#ifndef CHARTAXIS_H
#define CHARTAXIS_H

#include "chartcanvas_export.h"

#include <QObject>
#include <QString>
#include <QVector>

class QCPAxis;

// The tick calls the chart pages make on an axis. QCustomPlot 2.1 hands ticks to a ticker
// object instead: with automatic ticks off the axis gets a text ticker that holds exactly the
// tick vector and its labels; with them on, a computing ticker (fixed step when the automatic
// step is off). Lives as a child of its axis, so it goes with it.
class CHARTCANVAS_EXPORT ChartAxis : public QObject
{
    Q_OBJECT
public:
    // A null axis gives a wrapper whose calls change nothing.
    explicit ChartAxis(QCPAxis* axis);

    QCPAxis* axis() const;

    void setAutoTicks(const bool& on);
    void setAutoTickLabels(const bool& on);
    void setAutoTickStep(const bool& on);
    void setAutoSubTicks(const bool& on);
    void setTickStep(const double& step);
    void setTickVector(const QVector<double>& ticks);
    void setTickVectorLabels(const QVector<QString>& labels);

private:
    void applyTicker();
    QVector<QString> labels() const;

    QCPAxis* m_axis = nullptr;
    bool m_autoTicks = true;
    bool m_autoTickLabels = true;
    bool m_autoTickStep = true;
    double m_tickStep = 1.0;
    QVector<double> m_ticks;
    QVector<QString> m_labels;
};

#endif // CHARTAXIS_H
