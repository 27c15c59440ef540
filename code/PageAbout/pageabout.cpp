#include "pageabout.h"

PageAbout::PageAbout(QWidget* parent)
    : DialogPageAbout(parent)
{
}

PageAbout::~PageAbout() = default;
