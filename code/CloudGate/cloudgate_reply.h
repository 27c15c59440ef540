#ifndef CLOUDGATE_REPLY_H
#define CLOUDGATE_REPLY_H

#include "cloudgate.h"

#include <QJsonArray>
#include <QJsonObject>

// Reading of reply bodies, shared by every parser. A key counts only when it is present with the
// JSON type asked for; anything else leaves the target as it was.
namespace CloudReply {

struct Reply {
    bool isObject = false;
    QJsonObject object;
    CloudGate::ns_ret_code returnCode;
    QString returnMsg;
};

// Parses the body and reads "returnCode" and "returnMsg"; a body that is no JSON object gives
// the parse-error row and an empty message.
Reply read(const QByteArray& body);

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

} // namespace CloudReply

#endif // CLOUDGATE_REPLY_H
