#include "pagesignin.h"

PageSignIn::PageSignIn(QWidget* parent)
    : WidgetLogin(parent)
{
}

PageSignIn::~PageSignIn() = default;
