#ifndef STEPSCARD_H
#define STEPSCARD_H

// What sets the steps card apart from the sleep card; the shared card source includes it
// through QUORIN_DAY_CARD.
#include "ui_widgetpagestepstoday.h"
#include "widgetpagestepstoday.h"

#include <QObject>
#include <QStringList>

// The card's class: a constructor is named by its class, not by an alias.
#define DAY_CARD WidgetPageStepsToday

// Internal to the card's library: both libraries hold a DayCard of their own.
namespace DayCard {

using Form = Ui::WidgetPageStepsToday;

const Resource::ID FIGURE_ICONS[3] = {68, 69, 70};
// The steps card only keeps the hub; its figures card never gets one.
const bool HUB_TO_FIGURES = false;

static PageDayView* figures(Form* form)
{
    return form->widget_sport_today;
}

static QStringList captions()
{
    return {QObject::tr("卡路里"), QObject::tr("时间"), QObject::tr("距离")};
}

static QString goalCaption()
{
    return QObject::tr("目标步数:");
}

} // namespace DayCard

#endif // STEPSCARD_H
