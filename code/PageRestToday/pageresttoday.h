#ifndef PAGERESTTODAY_H
#define PAGERESTTODAY_H

#include "pageresttoday_export.h"
#include "widgetpageresttoday.h"

// Today's sleep card as the page container holds it.
class PAGERESTTODAY_EXPORT PageRestToday : public WidgetPageRestToday
{
    Q_OBJECT
public:
    explicit PageRestToday(QWidget* parent = nullptr);
};

#endif // PAGERESTTODAY_H
