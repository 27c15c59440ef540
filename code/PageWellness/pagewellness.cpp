#include "pagewellness.h"

PageWellness::PageWellness(QWidget* parent)
    : WidgetHealthIndex(parent)
{
}
