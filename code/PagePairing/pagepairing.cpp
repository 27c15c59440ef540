#include "pagepairing.h"

PagePairing::PagePairing(QWidget* parent)
    : WidgetPagePairing(parent)
{
}

PagePairing::~PagePairing() = default;
