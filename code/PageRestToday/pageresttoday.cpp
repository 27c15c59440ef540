#include "pageresttoday.h"

PageRestToday::PageRestToday(QWidget* parent)
    : WidgetPageRestToday(parent)
{
}
