#include "togglecaption.h"

#include <QMouseEvent>
#include <QPainter>

ToggleCaption::ToggleCaption(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void ToggleCaption::setFlag(const int& flag)
{
    m_flag = flag;
}

void ToggleCaption::setState(const bool& selected)
{
    m_selected = selected;
    update();
}

void ToggleCaption::setDisabledSelect(const STATE& state)
{
    m_disabled = state;
}

void ToggleCaption::setStatePixmap(const QPixmap& face, const QPixmap& rest, const QPixmap& over,
                                   const QPixmap& selected)
{
    m_face = face;
    m_frames[STATE_REST] = rest;
    m_frames[STATE_OVER] = over;
    m_frames[STATE_SELECTED] = selected;
    update();
}

bool ToggleCaption::isSelected() const
{
    return m_selected;
}

ToggleCaption::STATE ToggleCaption::state() const
{
    if (m_selected)
        return STATE_SELECTED;
    return m_over ? STATE_OVER : STATE_REST;
}

// Face and frame fill the choice, so the group's layout decides the size.
void ToggleCaption::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_face.isNull())
        painter.drawPixmap(rect(), m_face);
    const QPixmap& frame = m_frames[state()];
    if (!frame.isNull())
        painter.drawPixmap(rect(), frame);
    painter.end();
    QLabel::paintEvent(event);
}

void ToggleCaption::enterEvent(QEvent* event)
{
    m_over = true;
    update();
    QLabel::enterEvent(event);
}

void ToggleCaption::leaveEvent(QEvent* event)
{
    m_over = false;
    m_pressed = false;
    update();
    QLabel::leaveEvent(event);
}

void ToggleCaption::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QLabel::mousePressEvent(event);
}

void ToggleCaption::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    // A click happens with the pointer over the choice, whether or not an enter came first.
    const STATE clickedIn = m_selected ? STATE_SELECTED : STATE_OVER;
    if (!clicked || (m_disabled && *m_disabled == clickedIn))
        return;
    m_selected = !m_selected;
    update();
    // Emitted last: the slot may rearrange the whole group.
    emit onClick(m_selected, m_flag);
}
