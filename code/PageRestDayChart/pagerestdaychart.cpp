#include "pagerestdaychart.h"

PageRestDayChart::PageRestDayChart(QWidget* parent)
    : WidgetPageRestDayChart(parent)
{
}

PageRestDayChart::~PageRestDayChart() = default;
