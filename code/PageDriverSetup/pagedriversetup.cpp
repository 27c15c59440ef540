#include "pagedriversetup.h"

PageDriverSetup::PageDriverSetup(QWidget* parent)
    : DialogDeviceInstall(parent)
{
}

PageDriverSetup::~PageDriverSetup() = default;
