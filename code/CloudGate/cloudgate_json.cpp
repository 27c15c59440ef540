#include "cloudgate_json.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <limits>

namespace CloudJson {

QJsonObject body(std::initializer_list<QPair<QString, QJsonValue>> members)
{
    QJsonObject object;
    for (const auto& member : members)
        object.insert(member.first, member.second);
    return object;
}

void insertUnlessEmpty(QJsonObject& body, const QString& key, const QString& text)
{
    if (!text.isEmpty())
        body.insert(key, text);
}

QJsonObject withVersion(QJsonObject body, const QString& version, const QString& language)
{
    body.insert(QStringLiteral("version"), version);
    body.insert(QStringLiteral("language"), language);
    return body;
}

QJsonObject deviceBody(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                       const QString& version, const QString& language)
{
    return withVersion(
        body({{"accessToken", accessToken}, {"deviceAddress", deviceAddress}, {"deviceSerial", deviceSerial}}),
        version, language);
}

Reply read(const QByteArray& body)
{
    Reply reply;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        reply.returnCode = CloudGate::getNsRetCode(QStringLiteral("parse error"));
        return reply;
    }
    reply.object = document.object();
    QString code;
    if (takeString(reply.object, QStringLiteral("returnCode"), code))
        reply.returnCode = CloudGate::getNsRetCode(code);
    takeString(reply.object, QStringLiteral("returnMsg"), reply.returnMsg);
    return reply;
}

bool takeString(QJsonObject& object, const QString& key, QString& target)
{
    const QJsonValue value = object.take(key);
    if (!value.isString())
        return false;
    target = value.toString();
    return true;
}

bool takeNumber(QJsonObject& object, const QString& key, double& target)
{
    const QJsonValue value = object.take(key);
    if (!value.isDouble())
        return false;
    target = value.toDouble();
    return true;
}

bool takeObject(QJsonObject& object, const QString& key, QJsonObject& target)
{
    const QJsonValue value = object.take(key);
    if (!value.isObject())
        return false;
    target = value.toObject();
    return true;
}

bool takeArray(QJsonObject& object, const QString& key, QJsonArray& target)
{
    const QJsonValue value = object.take(key);
    if (!value.isArray())
        return false;
    target = value.toArray();
    return true;
}

int wholeInt(const double& value)
{
    if (!(value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()))
        return 0;
    return std::trunc(value) == value ? int(value) : 0;
}

quint16 low16(const double& value)
{
    // Beyond 2^63 no integer holds the value, so it has no low bits to keep.
    const double limit = 9223372036854775808.0;
    if (!(value > -limit && value < limit))
        return 0;
    return quint16(quint64(qint64(value)) & 0xffffu);
}

QTime minutesOfDay(const int& minutes)
{
    const int minutesPerDay = 24 * 60;
    const int wrapped = (minutes % minutesPerDay + minutesPerDay) % minutesPerDay;
    return QTime(0, 0).addSecs(wrapped * 60);
}

} // namespace CloudJson
