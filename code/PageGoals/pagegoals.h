#ifndef PAGEGOALS_H
#define PAGEGOALS_H

#include "pagegoals_export.h"
#include "widget/widgettarget.h"

// The step and sleep targets, embedded by the registration wizard and the body-numbers page.
class PAGEGOALS_EXPORT PageGoals : public WidgetTarget
{
    Q_OBJECT
public:
    explicit PageGoals(QWidget* parent = nullptr);
};

#endif // PAGEGOALS_H
