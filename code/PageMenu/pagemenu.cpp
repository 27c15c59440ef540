#include "pagemenu.h"

PageMenu::PageMenu(QWidget* parent)
    : WidgetNavigate(parent)
{
}

PageMenu::~PageMenu() = default;
