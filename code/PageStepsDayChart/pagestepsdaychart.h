#ifndef PAGESTEPSDAYCHART_H
#define PAGESTEPSDAYCHART_H

#include "pagestepsdaychart_export.h"
#include "widgetpagestepsdaychart.h"

// The steps of one chosen day as the statistics tab holds it.
class PAGESTEPSDAYCHART_EXPORT PageStepsDayChart : public WidgetPageStepsDayChart
{
    Q_OBJECT
public:
    explicit PageStepsDayChart(QWidget* parent = nullptr);
    ~PageStepsDayChart() override;
};

#endif // PAGESTEPSDAYCHART_H
