#include "pageharvestrun.h"

PageHarvestRun::PageHarvestRun(QWidget* parent)
    : WidgetPageHarvestRun(parent)
{
}

PageHarvestRun::~PageHarvestRun() = default;
