#ifndef RESTCARD_H
#define RESTCARD_H

// What sets the sleep card apart from the steps card; the shared card source includes it
// through QUORIN_DAY_CARD.
#include "ui_widgetpageresttoday.h"
#include "widgetpageresttoday.h"

#include <QObject>
#include <QStringList>

// The card's class: a constructor is named by its class, not by an alias.
#define DAY_CARD WidgetPageRestToday

// Internal to the card's library: both libraries hold a DayCard of their own.
namespace DayCard {

using Form = Ui::WidgetPageRestToday;

const Resource::ID FIGURE_ICONS[3] = {74, 75, 76};
// The sleep card's figures card is handed the hub with the card.
const bool HUB_TO_FIGURES = true;

static PageDayView* figures(Form* form)
{
    return form->widget_sleep_today;
}

static QStringList captions()
{
    return {QObject::tr("入睡"), QObject::tr("浅睡"), QObject::tr("深睡")};
}

static QString goalCaption()
{
    return QObject::tr("目标时间:");
}

} // namespace DayCard

#endif // RESTCARD_H
