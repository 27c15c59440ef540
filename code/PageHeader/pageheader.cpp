#include "pageheader.h"

PageHeader::PageHeader(QWidget* parent)
    : WidgetTop(parent)
{
}

PageHeader::~PageHeader() = default;
