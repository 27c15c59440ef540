#include "pagebandcard.h"

PageBandCard::PageBandCard(QWidget* parent)
    : WidgetDeviceInfo(parent)
{
}

PageBandCard::~PageBandCard() = default;
