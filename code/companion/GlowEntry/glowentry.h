#ifndef GLOWENTRY_H
#define GLOWENTRY_H

#include "glowentry_export.h"

#include <QLineEdit>

// A line edit that tells its owner when it gains and loses the keyboard focus.
class GLOWENTRY_EXPORT GlowEntry : public QLineEdit
{
    Q_OBJECT
public:
    explicit GlowEntry(QWidget* parent = nullptr);

signals:
    void onFocus(bool focus);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

#endif // GLOWENTRY_H
