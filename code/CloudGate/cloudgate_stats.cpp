#include "cloudgate.h"

#include "cloudgate_json.h"

using namespace CloudJson;

// The statistics replies carry their numbers as texts; a text that is no number reads as 0.
namespace {

const QString dayFormat = QStringLiteral("yyyyMMdd");

bool readInt(QJsonObject& object, const QString& key, qint32& target)
{
    QString text;
    if (!takeString(object, key, text))
        return false;
    target = text.toInt();
    return true;
}

void readDouble(QJsonObject& object, const QString& key, double& target)
{
    QString text;
    if (takeString(object, key, text))
        target = text.toDouble();
}

void readMinutes(QJsonObject& object, const QString& key, QTime& target)
{
    QString text;
    if (takeString(object, key, text))
        target = minutesOfDay(text.toInt());
}

void readClock(QJsonObject& object, const QString& key, QTime& target)
{
    QString text;
    if (takeString(object, key, text))
        target = QTime::fromString(text, QStringLiteral("hhmm"));
}

QJsonObject dayBody(const QString& accessToken, const QDateTime& day, const QString& version,
                    const QString& language)
{
    return withVersion(body({{"accessToken", accessToken}, {"statisticsDate", day.toString(dayFormat)}}), version,
                       language);
}

QJsonObject weekBody(const QString& accessToken, const QDateTime& first, const QDateTime& last,
                     const QString& version, const QString& language)
{
    return withVersion(body({{"accessToken", accessToken},
                             {"startDate", first.toString(dayFormat)},
                             {"endDate", last.toString(dayFormat)}}),
                       version, language);
}

// An element that is no object reads as an empty one, which no row rule keeps.
QJsonArray takeRows(QJsonObject& reply, const QString& key)
{
    QJsonArray rows;
    takeArray(reply, key, rows);
    return rows;
}

// Kept only with a "date" text; every other field starts at its default in each row.
QList<CloudGate::ns_week_sport_detail> readSportRows(QJsonObject& reply)
{
    QList<CloudGate::ns_week_sport_detail> rows;
    for (const QJsonValue& value : takeRows(reply, QStringLiteral("sportDetailList"))) {
        QJsonObject element = value.toObject();
        QString date;
        if (!takeString(element, QStringLiteral("date"), date))
            continue;
        CloudGate::ns_week_sport_detail row;
        row.date = CloudGate::getStrDT(date);
        readInt(element, QStringLiteral("totalTime"), row.totalTime);
        readInt(element, QStringLiteral("totalFoots"), row.totalFoots);
        readDouble(element, QStringLiteral("distance"), row.distance);
        readDouble(element, QStringLiteral("calorie"), row.calorie);
        rows.append(row);
    }
    return rows;
}

// Kept when at least one duration came as a text, whatever the date.
QList<CloudGate::ns_week_sleep_detail> readSleepRows(QJsonObject& reply)
{
    QList<CloudGate::ns_week_sleep_detail> rows;
    for (const QJsonValue& value : takeRows(reply, QStringLiteral("sleepDetailList"))) {
        QJsonObject element = value.toObject();
        CloudGate::ns_week_sleep_detail row;
        bool qualifies = readInt(element, QStringLiteral("deepSleepTime"), row.deepSleepTime);
        const QJsonValue totalTime = element.take(QStringLiteral("totalTime"));
        if (totalTime.isString()) {
            row.totalTime = totalTime.toString().toInt();
            qualifies = true;
        } else if (totalTime.isDouble()) {
            row.totalTime = wholeInt(totalTime.toDouble());
        }
        readClock(element, QStringLiteral("startTime"), row.startTime);
        readClock(element, QStringLiteral("endTime"), row.endTime);
        if (readInt(element, QStringLiteral("simpleSleepTime"), row.simpleSleepTime))
            qualifies = true;
        QString date;
        if (takeString(element, QStringLiteral("sleepDate"), date)) {
            row.sleepDate = CloudGate::getStrDT(date);
            if (!row.sleepDate.isValid())
                row.sleepDate = QDateTime::fromString(QStringLiteral("19710101"), dayFormat);
        }
        if (qualifies)
            rows.append(row);
    }
    return rows;
}

} // namespace

bool CloudGate::nsDaySportStats(const QString& accessToken, const QDateTime& day, const QString& version,
                                const QString& language)
{
    return sendJson(NS_MSG_DAY_SPORT_STATS, dayBody(accessToken, day, version, language));
}

bool CloudGate::nsWeekSportStats(const QString& accessToken, const QDateTime& first, const QDateTime& last,
                                 const QString& version, const QString& language)
{
    return sendJson(NS_MSG_WEEK_SPORT_STATS, weekBody(accessToken, first, last, version, language));
}

bool CloudGate::nsDaySleepStats(const QString& accessToken, const QDateTime& day, const QString& version,
                                const QString& language)
{
    return sendJson(NS_MSG_DAY_SLEEP_STATS, dayBody(accessToken, day, version, language));
}

bool CloudGate::nsWeekSleepStats(const QString& accessToken, const QDateTime& first, const QDateTime& last,
                                 const QString& version, const QString& language)
{
    return sendJson(NS_MSG_WEEK_SLEEP_STATS, weekBody(accessToken, first, last, version, language));
}

// No page shows day statistics; their replies are not read.
void CloudGate::parseNsDaySportStats(const QByteArray& reply)
{
    Q_UNUSED(reply)
}

void CloudGate::parseNsDaySleepStats(const QByteArray& reply)
{
    Q_UNUSED(reply)
}

void CloudGate::parseNsWeekSportStats(const QByteArray& reply)
{
    Reply head = read(reply);
    qint32 avgTotalFoots = 0;
    QTime avgSportTime;
    double avgDistance = 0.0;
    double avgCalorie = 0.0;
    readInt(head.object, QStringLiteral("avgTotalFoots"), avgTotalFoots);
    readMinutes(head.object, QStringLiteral("avgSportTime"), avgSportTime);
    readDouble(head.object, QStringLiteral("avgDistance"), avgDistance);
    readDouble(head.object, QStringLiteral("avgCalorie"), avgCalorie);
    const QList<ns_week_sport_detail> rows = readSportRows(head.object);
    QString tips;
    QString title;
    takeString(head.object, QStringLiteral("tips"), tips);
    takeString(head.object, QStringLiteral("title"), title);
    emit onNsWeekSportStats(avgTotalFoots, avgSportTime, avgDistance, avgCalorie, rows, tips, title,
                            head.returnCode, head.returnMsg);
}

void CloudGate::parseNsWeekSleepStats(const QByteArray& reply)
{
    Reply head = read(reply);
    QTime avgDeepSleepTime;
    QTime avgSimpleSleepTime;
    QTime avgSleepStartTime;
    QTime avgSleepTotalTime;
    readMinutes(head.object, QStringLiteral("avgDeepSleepTime"), avgDeepSleepTime);
    readMinutes(head.object, QStringLiteral("avgSimpleSleepTime"), avgSimpleSleepTime);
    readClock(head.object, QStringLiteral("avgSleepStartTime"), avgSleepStartTime);
    readMinutes(head.object, QStringLiteral("avgSleepTotalTime"), avgSleepTotalTime);
    QList<ns_week_sleep_detail> rows = readSleepRows(head.object);
    QString tips;
    QString title;
    takeString(head.object, QStringLiteral("tips"), tips);
    takeString(head.object, QStringLiteral("title"), title);
    emit onNsWeekSleepStats(avgDeepSleepTime, avgSimpleSleepTime, avgSleepStartTime, avgSleepTotalTime, rows, tips,
                            title, head.returnCode, head.returnMsg);
}
