#include "tapcaption.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

TapCaption::TapCaption(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

void TapCaption::setStateImages(const QString& rest, const QString& over, const QString& pressed)
{
    m_images[STATE_REST] = QPixmap(rest);
    m_images[STATE_OVER] = QPixmap(over);
    m_images[STATE_PRESSED] = QPixmap(pressed);
    m_hasImages = true;
    update();
}

void TapCaption::setCaption(const QString& caption)
{
    setText(caption);
}

void TapCaption::setCaptionColor(const QColor& color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

void TapCaption::paintEvent(QPaintEvent* event)
{
    if (m_hasImages) {
        QPainter painter(this);
        paintState(painter);
    }
    QLabel::paintEvent(event);
}

// A picture that did not load still leaves a visible button whose states differ.
void TapCaption::paintState(QPainter& painter) const
{
    const STATE state = isEnabled() ? m_state : STATE_REST;
    const QPixmap& image = m_images[state];
    if (!image.isNull()) {
        painter.drawPixmap(rect(), image);
        return;
    }
    static const QColor fills[STATE_COUNT] = { QColor(74, 144, 226), QColor(104, 166, 238), QColor(44, 104, 176) };
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? fills[state] : QColor(190, 190, 190));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

void TapCaption::enterEvent(QEvent* event)
{
    setState(STATE_OVER);
    QLabel::enterEvent(event);
}

void TapCaption::leaveEvent(QEvent* event)
{
    setState(STATE_REST);
    QLabel::leaveEvent(event);
}

void TapCaption::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setState(STATE_PRESSED);
    QLabel::mousePressEvent(event);
}

void TapCaption::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_state == STATE_PRESSED;
    const bool inside = rect().contains(event->pos());
    setState(inside ? STATE_OVER : STATE_REST);
    QLabel::mouseReleaseEvent(event);
    // Emitted last: a click may close and delete the window this label lives in.
    if (event->button() == Qt::LeftButton && wasPressed && inside && isEnabled())
        emit on_click();
}

void TapCaption::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        setState(STATE_REST);
    QLabel::changeEvent(event);
}

void TapCaption::setState(const STATE& state)
{
    if (m_state == state)
        return;
    m_state = state;
    if (m_hasImages)
        update();
}
