#ifndef PAGERESTDAYCHART_H
#define PAGERESTDAYCHART_H

#include "pagerestdaychart_export.h"
#include "widgetpagerestdaychart.h"

// The sleep of one chosen night as the statistics tab holds it.
class PAGERESTDAYCHART_EXPORT PageRestDayChart : public WidgetPageRestDayChart
{
    Q_OBJECT
public:
    explicit PageRestDayChart(QWidget* parent = nullptr);
    ~PageRestDayChart() override;
};

#endif // PAGERESTDAYCHART_H
