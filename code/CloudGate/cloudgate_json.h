#ifndef CLOUDGATE_JSON_H
#define CLOUDGATE_JSON_H

#include "cloudgate.h"

#include <QJsonArray>
#include <QJsonObject>

#include <initializer_list>

// Request bodies and the reading of replies, shared by every endpoint.
namespace CloudJson {

// A request body of the given members; the object keeps them sorted by key whatever the order.
QJsonObject body(std::initializer_list<QPair<QString, QJsonValue>> members);
void insertUnlessEmpty(QJsonObject& body, const QString& key, const QString& text);
// Most requests end with the program's version and language texts.
QJsonObject withVersion(QJsonObject body, const QString& version, const QString& language);
// The band a request is about.
QJsonObject deviceBody(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                       const QString& version, const QString& language);

struct Reply {
    QJsonObject object;
    CloudGate::ns_ret_code returnCode;
    QString returnMsg;
};

// Parses the body and reads "returnCode" and "returnMsg"; a body that is no JSON object gives
// the parse-error row, an empty message and an empty object, so every payload key stays unset.
Reply read(const QByteArray& body);

// A reply key counts only when it is present with the JSON type asked for; anything else leaves
// the target as it was.
bool takeString(QJsonObject& object, const QString& key, QString& target);
bool takeNumber(QJsonObject& object, const QString& key, double& target);
bool takeObject(QJsonObject& object, const QString& key, QJsonObject& target);
bool takeArray(QJsonObject& object, const QString& key, QJsonArray& target);

// A JSON number as an int: 0 unless it is a whole number within range.
int wholeInt(const double& value);
// Truncated toward zero and cut to its low 16 bits; 0 for values no integer can hold.
quint16 low16(const double& value);
// 00:00:00 plus the minutes, wrapped round midnight.
QTime minutesOfDay(const int& minutes);

} // namespace CloudJson

#endif // CLOUDGATE_JSON_H
