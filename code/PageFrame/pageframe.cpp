#include "pageframe.h"

PageFrame::PageFrame(QWidget* parent)
    : WidgetBody(parent)
{
}

PageFrame::~PageFrame() = default;
