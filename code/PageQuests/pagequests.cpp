#include "pagequests.h"

PageQuests::PageQuests(QWidget* parent)
    : WidgetPageQuests(parent)
{
}
