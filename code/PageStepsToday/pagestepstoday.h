#ifndef PAGESTEPSTODAY_H
#define PAGESTEPSTODAY_H

#include "pagestepstoday_export.h"
#include "widgetpagestepstoday.h"

// Today's steps card as the page container holds it.
class PAGESTEPSTODAY_EXPORT PageStepsToday : public WidgetPageStepsToday
{
    Q_OBJECT
public:
    explicit PageStepsToday(QWidget* parent = nullptr);
};

#endif // PAGESTEPSTODAY_H
