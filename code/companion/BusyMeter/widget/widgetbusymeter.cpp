#include "widgetbusymeter.h"

#include <QPainter>

namespace {
const int kTickMs = 100;
const int kSpokes = 12;
}

WidgetBusyMeter::WidgetBusyMeter(QWidget* parent)
    : QWidget(parent)
{
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &WidgetBusyMeter::on_tick);
}

void WidgetBusyMeter::setShow(const QString& text)
{
    setShow(text, QPixmap(), QPixmap());
}

void WidgetBusyMeter::setShow(const QString& text, const QPixmap& first, const QPixmap& second)
{
    m_text = text;
    m_frames[0] = first;
    m_frames[1] = second;
    update();
}

QString WidgetBusyMeter::text() const
{
    return m_text;
}

bool WidgetBusyMeter::isRunning() const
{
    return m_timer.isActive();
}

QSize WidgetBusyMeter::sizeHint() const
{
    return QSize(160, 120);
}

void WidgetBusyMeter::onStart()
{
    m_timer.start();
    update();
}

void WidgetBusyMeter::onStop()
{
    m_timer.stop();
    update();
}

void WidgetBusyMeter::on_tick()
{
    m_step = (m_step + 1) % kSpokes;
    update();
}

QRect WidgetBusyMeter::animationRect() const
{
    const int textHeight = fontMetrics().height() * 2;
    const int side = qMax(0, qMin(width(), height() - textHeight) - 8);
    return QRect((width() - side) / 2, (height() - textHeight - side) / 2, side, side);
}

void WidgetBusyMeter::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = animationRect();
    const QPixmap& frame = m_frames[m_step % 2];
    if (!m_frames[0].isNull() && !m_frames[1].isNull())
        painter.drawPixmap(area, frame.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        paintSpinner(painter, area);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(0, area.bottom() + 4, width(), height() - area.bottom() - 4),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_text);
}

// Spokes fading behind the leading one; standing still (all grey) while stopped.
void WidgetBusyMeter::paintSpinner(QPainter& painter, const QRect& area) const
{
    if (area.isEmpty())
        return;
    painter.save();
    painter.translate(QRectF(area).center());
    const qreal radius = area.width() / 2.0;
    painter.setPen(QPen(Qt::NoPen));
    for (int i = 0; i < kSpokes; ++i) {
        const int age = (m_step - i + kSpokes) % kSpokes;
        const int alpha = isRunning() ? 255 - age * 200 / kSpokes : 90;
        painter.setBrush(QColor(74, 144, 226, alpha));
        painter.save();
        painter.rotate(i * 360.0 / kSpokes);
        painter.drawRoundedRect(QRectF(-radius * 0.08, -radius, radius * 0.16, radius * 0.4), 2, 2);
        painter.restore();
    }
    painter.restore();
}
