#include "pagewearspot.h"

PageWearSpot::PageWearSpot(QWidget* parent)
    : WidgetDevicePos(parent)
{
}

PageWearSpot::~PageWearSpot() = default;
