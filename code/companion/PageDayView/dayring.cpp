#include "dayring.h"

#include <QPainter>

#include <algorithm>

namespace {
const int kDiameter = 132;
const int kPenWidth = 10;
const QColor kTrack(226, 232, 238);
const QColor kReached(27, 190, 218);
}

DayRing::DayRing(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kDiameter, kDiameter);
}

void DayRing::setPercent(const int& percent)
{
    m_percent = std::clamp(percent, 0, 100);
    update();
}

int DayRing::percent() const
{
    return m_percent;
}

void DayRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(rect()).adjusted(kPenWidth / 2.0, kPenWidth / 2.0, -kPenWidth / 2.0, -kPenWidth / 2.0);
    painter.setPen(QPen(kTrack, kPenWidth));
    painter.drawEllipse(ring);
    if (m_percent == 0)
        return;
    painter.setPen(QPen(kReached, kPenWidth, Qt::SolidLine, Qt::RoundCap));
    // Clockwise from twelve o'clock; Qt counts sixteenths of a degree, counter-clockwise.
    painter.drawArc(ring, 90 * 16, -m_percent * 360 * 16 / 100);
}
