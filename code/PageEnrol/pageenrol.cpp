#include "pageenrol.h"

PageEnrol::PageEnrol(QWidget* parent)
    : WidgetRegister(parent)
{
}

PageEnrol::~PageEnrol() = default;
