#include "pagestepsdaychart.h"

PageStepsDayChart::PageStepsDayChart(QWidget* parent)
    : WidgetPageStepsDayChart(parent)
{
}

PageStepsDayChart::~PageStepsDayChart() = default;
