#include "pagerestweekchart.h"

PageRestWeekChart::PageRestWeekChart(QWidget* parent)
    : WidgetPageRestWeekChart(parent)
{
}

PageRestWeekChart::~PageRestWeekChart() = default;
