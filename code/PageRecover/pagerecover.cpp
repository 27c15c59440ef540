#include "pagerecover.h"

PageRecover::PageRecover(QWidget* parent)
    : WidgetPageRecover(parent)
{
}

PageRecover::~PageRecover() = default;
