#include "pagepasschange.h"

PagePassChange::PagePassChange(QWidget* parent)
    : WidgetPagePassChange(parent)
{
}

PagePassChange::~PagePassChange() = default;
