#ifndef WEEKRIG_H
#define WEEKRIG_H

#include "pagerig.h"
#include "widgetweekchart.h"

#include <QImage>
#include <QList>
#include <QMap>
#include <QTime>
#include <QVector>

// A signed-in user whose week lies in the loopback cloud, and what a user sees of a week chart.
namespace WeekRig {

extern const QString MOBILE;
// A band run over seven days and the pages' reloads may take this long on a loaded machine.
constexpr int SYNC_WAIT = 120000;

// One uploaded day: index 0 is the first day of the week.
struct seed_day {
    int index = 0;
    quint32 sportMinutes = 0;
    qint32 steps = 0;
    double km = 0.0;
    double kcal = 0.0;
    quint32 sleepMinutes = 0;
    quint32 lightMinutes = 0;
    quint32 deepMinutes = 0;
    QTime bedtime;  // the evening before the day
};

// Signs the user in and stores the days in the cloud, the week starting on first.
bool seedWeek(PageRig& rig, const QDate& first, const QList<seed_day>& days);
// A band bound six days ago, its seven days pulled by a real sync run and uploaded.
bool syncWeek(PageRig& rig);
// Shows the page, hands it the hub and waits for its first week.
bool start(PageRig& rig, WidgetWeekChart& page);
// True once the page took the reply to its load.
bool loaded(QWidget& page);
int requests(PageRig& rig, const QString& endpoint);

ChartCanvas* chartOf(QWidget& page);
PageWeekPicker* cardOf(QWidget& page);
QCPAbstractPlottable* plottable(QWidget& page, const QString& name);
QVector<double> keys(QCPAbstractPlottable* plottable);
QVector<double> values(QCPAbstractPlottable* plottable);
QMap<double, QString> ticks(QCPAxis* axis);
// True for a line of two points at the ends of range. The chart fits its range to the bars
// through pixels, so each fit may move the ends by a rounding error.
bool spans(QCPAbstractPlottable* line, const QCPRange& range);
QStringList cardValues(QWidget& page);
// The x labels of the week that starts on first.
QStringList dayLabels(const QDate& first);
// Picks day in the card's calendar as a user does; gives the day the calendar opened on.
QDate pickWeek(PageRig& rig, QWidget& page, const QDate& day);
// The card's prompt as a user reads it.
QString prompt(QWidget& page);
// The tips the cloud sends with every week from now on, in place of its own.
void setWeekTips(PageRig& rig, const QString& tips);
QImage picture(QWidget& page);
// The card's picture as it shows image id with text.
QImage picture(const Resource::ID& id, const QString& text);
// The chart's tooltip after a real pointer move to (key, value), from the chart's corner.
QString hover(QWidget& page, const double& key, const double& value);

} // namespace WeekRig

Q_DECLARE_METATYPE(WeekRig::seed_day)

#endif // WEEKRIG_H
