#include "chartaxis.h"

#include "trace.h"

#include <qcustomplot.h>

ChartAxis::ChartAxis(QCPAxis* axis)
    : QObject(axis)
    , m_axis(axis)
{
}

QCPAxis* ChartAxis::axis() const
{
    return m_axis;
}

void ChartAxis::setAutoTicks(const bool& on)
{
    m_autoTicks = on;
    applyTicker();
}

void ChartAxis::setAutoTickLabels(const bool& on)
{
    m_autoTickLabels = on;
    applyTicker();
}

void ChartAxis::setAutoTickStep(const bool& on)
{
    m_autoTickStep = on;
    applyTicker();
}

// Sub-ticks by hand would need a count nobody sets: off means none.
void ChartAxis::setAutoSubTicks(const bool& on)
{
    if (m_axis)
        m_axis->setSubTicks(on);
}

void ChartAxis::setTickStep(const double& step)
{
    if (!(step > 0)) {
        QLOG << "tick step ignored:" << step;
        return;
    }
    m_tickStep = step;
    applyTicker();
}

void ChartAxis::setTickVector(const QVector<double>& ticks)
{
    m_ticks = ticks;
    applyTicker();
}

void ChartAxis::setTickVectorLabels(const QVector<QString>& labels)
{
    m_labels = labels;
    applyTicker();
}

void ChartAxis::applyTicker()
{
    if (!m_axis)
        return;
    if (!m_autoTicks) {
        QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
        ticker->setTicks(m_ticks, labels());
        m_axis->setTicker(ticker);
        return;
    }
    if (!m_autoTickStep) {
        QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
        ticker->setTickStep(m_tickStep);
        m_axis->setTicker(ticker);
        return;
    }
    m_axis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
}

// One label per tick: the numbers themselves while labels are automatic, else the given texts,
// an empty one for a tick the texts do not reach.
QVector<QString> ChartAxis::labels() const
{
    QVector<QString> result;
    result.reserve(m_ticks.size());
    for (int i = 0; i < m_ticks.size(); ++i) {
        if (m_autoTickLabels)
            result.append(QString::number(m_ticks.at(i)));
        else
            result.append(i < m_labels.size() ? m_labels.at(i) : QString());
    }
    return result;
}
