#include "pagestepsweekchart.h"

PageStepsWeekChart::PageStepsWeekChart(QWidget* parent)
    : WidgetPageStepsWeekChart(parent)
{
}

PageStepsWeekChart::~PageStepsWeekChart() = default;
