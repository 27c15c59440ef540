#include "glowentry.h"

#include <QFocusEvent>

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
    // A context menu borrows the focus and gives it back; the owner must not close meanwhile.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    emit onFocus(false);
}
