#ifndef PAGERESTWEEKCHART_H
#define PAGERESTWEEKCHART_H

#include "pagerestweekchart_export.h"
#include "widgetpagerestweekchart.h"

// The sleep week chart as other libraries see it.
class PAGERESTWEEKCHART_EXPORT PageRestWeekChart : public WidgetPageRestWeekChart
{
    Q_OBJECT
public:
    explicit PageRestWeekChart(QWidget* parent = nullptr);
    ~PageRestWeekChart() override;
};

#endif // PAGERESTWEEKCHART_H
