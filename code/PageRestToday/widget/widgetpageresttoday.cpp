#include "widgetpageresttoday.h"

WidgetPageRestToday::WidgetPageRestToday(QWidget* parent)
    : WidgetPageStepsToday(parent, {QObject::tr("入睡"), QObject::tr("浅睡"), QObject::tr("深睡")},
                           QObject::tr("目标时间:"))
{
    setObjectName(QStringLiteral("WidgetPageRestToday"));
}
