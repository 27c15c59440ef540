#ifndef WIDGETPAGERESTTODAY_H
#define WIDGETPAGERESTTODAY_H

#include "pageresttoday_export.h"
#include "widgetpagestepstoday.h"

// One night's sleep: the steps card with sleep captions; figures first to third are fell asleep,
// light sleep and deep sleep, the value the night's total.
class PAGERESTTODAY_EXPORT WidgetPageRestToday : public WidgetPageStepsToday
{
    Q_OBJECT
public:
    explicit WidgetPageRestToday(QWidget* parent = nullptr);
};

#endif // WIDGETPAGERESTTODAY_H
