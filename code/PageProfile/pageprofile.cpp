#include "pageprofile.h"

PageProfile::PageProfile(QWidget* parent)
    : WidgetPageProfile(parent)
{
}

PageProfile::~PageProfile() = default;
