#include "picturebox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
}

void PictureBox::setPixmap(const QPixmap& pixmap, Qt::AspectRatioMode mode)
{
    m_pixmap = pixmap;
    m_mode = mode;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    if (m_pixmap.isNull() || size().isEmpty()) {
        // No picture: a plain tile keeps the box's place visible.
        painter.fillRect(rect(), QColor(225, 228, 232));
        return;
    }
    const QSize fitted = m_pixmap.size().scaled(size(), m_mode);
    QRect target(QPoint(0, 0), fitted);
    target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, m_pixmap);
}
