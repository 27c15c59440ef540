#ifndef HINTBUBBLE_H
#define HINTBUBBLE_H

#include "hintbubble_export.h"

#include <QLabel>
#include <QRect>
#include <QString>

// A message bubble at a place in its owner, such as "wrong password" beside the password field.
// Bubbles are children of their owner and go with it; clearAll removes every one still standing.
class HINTBUBBLE_EXPORT HintBubble : public QLabel
{
    Q_OBJECT
public:
    // Shows the text just below the area (above it when there is no room below), in the
    // owner's coordinates. Several bubbles may stand at once.
    static void showText(QWidget* owner, const QRect& area, const QString& text);
    static void clearAll();

private:
    HintBubble(QWidget* owner, const QString& text);

    void placeAt(const QRect& area);
};

#endif // HINTBUBBLE_H
