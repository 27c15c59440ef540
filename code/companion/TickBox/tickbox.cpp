#include "tickbox.h"

#include "resource.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
const int kBoxSide = 18;
const int kGap = 6;
}

TickBox::TickBox(QWidget* parent)
    : QWidget(parent)
{
}

bool TickBox::checked() const
{
    return m_checked;
}

void TickBox::setChecked(const bool& checked)
{
    if (m_checked == checked)
        return;
    // The state is stored before the signal: a listener that sets this box back sees it.
    m_checked = checked;
    update();
    emit onChanged(m_checked);
}

void TickBox::setCaption(const QString& caption)
{
    m_caption = caption;
    updateGeometry();
    update();
}

void TickBox::setCaptionColor(const QColor& color)
{
    m_captionColor = color;
    update();
}

void TickBox::setImages(quint16 unchecked, quint16 checked)
{
    m_unchecked = QPixmap(Resource::getResPath(unchecked));
    m_checkedImage = QPixmap(Resource::getResPath(checked));
    update();
}

QSize TickBox::sizeHint() const
{
    const int textWidth = fontMetrics().horizontalAdvance(m_caption);
    return QSize(kBoxSide + kGap + textWidth, qMax(kBoxSide, fontMetrics().height()));
}

QSize TickBox::minimumSizeHint() const
{
    return sizeHint();
}

QRect TickBox::boxRect() const
{
    const int side = qMin(kBoxSide, height());
    return QRect(0, (height() - side) / 2, side, side);
}

void TickBox::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    paintBox(painter);
    const QRect box = boxRect();
    painter.setPen(m_captionColor);
    painter.drawText(QRect(box.right() + 1 + kGap, 0, width(), height()), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}

// Without its pictures the box is still drawn, and a checked one still shows its tick.
void TickBox::paintBox(QPainter& painter) const
{
    const QRect box = boxRect();
    const QPixmap& image = m_checked ? m_checkedImage : m_unchecked;
    if (!image.isNull()) {
        painter.drawPixmap(box, image);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    if (m_checked) {
        painter.setPen(QPen(QColor(74, 144, 226), 2.5));
        const QRectF r = QRectF(box).adjusted(4, 4, -4, -4);
        painter.drawPolyline(QPolygonF({ QPointF(r.left(), r.center().y()),
                                         QPointF(r.left() + r.width() * 0.4, r.bottom()),
                                         QPointF(r.right(), r.top()) }));
    }
    painter.restore();
}

void TickBox::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->pos()))
        return;
    if (event->pos().x() <= boxRect().right()) {
        setChecked(!m_checked);
        return;
    }
    emit onTextClick();
}
