#include "hintbubble.h"

#include "trace.h"

#include <QList>
#include <QPointer>

namespace {

// The owner may delete a bubble at any time (with itself); a guarded pointer notices.
QList<QPointer<HintBubble>>& standing()
{
    static QList<QPointer<HintBubble>> bubbles;
    return bubbles;
}

} // namespace

HintBubble::HintBubble(QWidget* owner, const QString& text)
    : QLabel(text, owner)
{
    setWordWrap(true);
    setMargin(6);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral("background-color: rgb(255, 250, 220); color: rgb(200, 40, 40);"
                                 "border: 1px solid rgb(230, 180, 90); border-radius: 4px;"));
}

void HintBubble::showText(QWidget* owner, const QRect& area, const QString& text)
{
    if (!owner) {
        QLOG << "no owner for the bubble, text=" << text;
        return;
    }
    standing().removeAll(QPointer<HintBubble>());
    HintBubble* bubble = new HintBubble(owner, text);
    bubble->placeAt(area);
    bubble->show();
    bubble->raise();
    standing().append(bubble);
}

void HintBubble::clearAll()
{
    const QList<QPointer<HintBubble>> bubbles = standing();
    standing().clear();
    for (const QPointer<HintBubble>& bubble : bubbles)
        delete bubble.data();
}

void HintBubble::placeAt(const QRect& area)
{
    // The caller chose the bubble's own rectangle; only keep it inside the owner.
    const QRect room = parentWidget()->rect();
    QRect shape = area.isValid() ? area : QRect(area.topLeft(), sizeHint());
    shape.setSize(shape.size().boundedTo(room.size()));
    shape.moveLeft(qMax(0, qMin(shape.left(), room.width() - shape.width())));
    shape.moveTop(qMax(0, qMin(shape.top(), room.height() - shape.height())));
    setGeometry(shape);
}
