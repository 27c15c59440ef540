#include "pageweekpicker.h"

PageWeekPicker::PageWeekPicker(QWidget* parent)
    : WidgetPageWeekPicker(parent)
{
}

PageWeekPicker::~PageWeekPicker() = default;
