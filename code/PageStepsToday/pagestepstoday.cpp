#include "pagestepstoday.h"

PageStepsToday::PageStepsToday(QWidget* parent)
    : WidgetPageStepsToday(parent)
{
}
