#include "glowentry.h"

GlowEntry::GlowEntry(QWidget* parent)
    : QLineEdit(parent)
{
}

void GlowEntry::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    emit onFocus(true);
}

void GlowEntry::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    emit onFocus(false);
}
