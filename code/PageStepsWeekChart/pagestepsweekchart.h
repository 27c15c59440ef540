#ifndef PAGESTEPSWEEKCHART_H
#define PAGESTEPSWEEKCHART_H

#include "pagestepsweekchart_export.h"
#include "widgetpagestepsweekchart.h"

// The steps week chart as other libraries see it.
class PAGESTEPSWEEKCHART_EXPORT PageStepsWeekChart : public WidgetPageStepsWeekChart
{
    Q_OBJECT
public:
    explicit PageStepsWeekChart(QWidget* parent = nullptr);
    ~PageStepsWeekChart() override;
};

#endif // PAGESTEPSWEEKCHART_H
