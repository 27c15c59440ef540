#include "pagegoals.h"

PageGoals::PageGoals(QWidget* parent)
    : WidgetTarget(parent)
{
}
