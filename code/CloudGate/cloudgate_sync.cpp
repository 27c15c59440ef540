#include "cloudgate.h"

#include "cloudgate_json.h"

#include <QtEndian>

using namespace CloudJson;

namespace {

const QString currentFormat = QStringLiteral("20141128");
const QString oldFormat = QStringLiteral("20140728");

QJsonValue unsignedNumber(const quint32& value)
{
    return QJsonValue(qint64(value));
}

QJsonObject dayObject(const CloudGate::ns_data_sync& day)
{
    const QString minuteFormat = QStringLiteral("yyyyMMddHHmm");
    return body({{"sjDate", day.sjDate.toString(QStringLiteral("yyyyMMdd"))},
                 {"sleepTimeLen", unsignedNumber(day.sleepTimeLen)},
                 {"depthSleepTimeLen", unsignedNumber(day.depthSleepTimeLen)},
                 {"simpleSleepTimeLen", unsignedNumber(day.simpleSleepTimeLen)},
                 {"beginSleepTM", day.beginSleepTM.toString(minuteFormat)},
                 {"endSleepTM", day.endSleepTM.toString(minuteFormat)},
                 {"sportTimeLen", unsignedNumber(day.sportTimeLen)},
                 {"walkNum", day.walkNum},
                 {"distance", day.distance},
                 {"calories", day.calories},
                 {"firmwareVersion", currentFormat},
                 {"datas", QJsonArray{day.sportData, day.sleepData}}});
}

QByteArray decoded(const QString& base64)
{
    return QByteArray::fromBase64(base64.toUtf8());
}

// Head: format version 00 00 00 02, then the sport and the sleep length, little-endian.
QByteArray dayWithHead(const QString& sportText, const QString& sleepText)
{
    const QByteArray sport = decoded(sportText);
    const QByteArray sleep = decoded(sleepText);
    QByteArray body(12, '\0');
    body[3] = 2;
    qToLittleEndian<quint32>(quint32(sport.size()), body.data() + 4);
    qToLittleEndian<quint32>(quint32(sleep.size()), body.data() + 8);
    return body + sport + sleep;
}

} // namespace

bool CloudGate::nsDateSync(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                           const QList<CloudGate::ns_data_sync>& days, const QString& version,
                           const QString& language)
{
    QJsonArray dataList;
    for (const ns_data_sync& day : days)
        dataList.append(dayObject(day));
    QJsonObject request = deviceBody(accessToken, deviceAddress, deviceSerial, version, language);
    request.insert(QStringLiteral("dataList"), dataList);
    return sendJson(NS_MSG_DATE_SYNC, request);
}

bool CloudGate::nsQueryLastSync(const QString& accessToken, const QString& deviceAddress,
                                const QString& deviceSerial, const QString& version, const QString& language)
{
    return sendJson(NS_MSG_QUERY_LAST_SYNC, deviceBody(accessToken, deviceAddress, deviceSerial, version, language));
}

bool CloudGate::nsQueryLastData(const QString& accessToken, const QString& deviceAddress,
                                const QString& deviceSerial, const QDateTime& day, const QString& version,
                                const QString& language)
{
    QJsonObject request = deviceBody(accessToken, deviceAddress, deviceSerial, version, language);
    if (day.isValid())
        request.insert(QStringLiteral("sjDate"), day.toString(QStringLiteral("yyyyMMdd")));
    return sendJson(NS_MSG_QUERY_LAST_DATA, request);
}

void CloudGate::parseNsDateSync(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsDateSync);
}

void CloudGate::parseNsQueryLastSync(const QByteArray& reply)
{
    Reply head = read(reply);
    QDateTime lastStatisticsTm;
    QDateTime lastSJDate;
    QString text;
    if (takeString(head.object, QStringLiteral("lastStatisticsTm"), text))
        lastStatisticsTm = getStrDT(text);
    if (takeString(head.object, QStringLiteral("lastSJDate"), text))
        lastSJDate = getStrDT(text);
    emit onNsQueryLastSync(lastStatisticsTm, lastSJDate, head.returnCode, head.returnMsg);
}

// The owner gets the day's band bytes through the hook before anyone hears the signal.
void CloudGate::parseNsQueryLastData(const QByteArray& reply)
{
    Reply head = read(reply);
    QString firmwareVersion;
    QString sportText;
    QString sleepText;
    takeString(head.object, QStringLiteral("firmwareVersion"), firmwareVersion);
    QJsonArray datas;
    takeArray(head.object, QStringLiteral("datas"), datas);
    if (datas.size() > 0 && datas.at(0).isString())
        sportText = datas.at(0).toString();
    if (datas.size() > 1 && datas.at(1).isString())
        sleepText = datas.at(1).toString();

    quint8 ver[4] = {0, 0, 0, 2};
    if (firmwareVersion == currentFormat) {
        sendMsg(NS_MSG_SYNC_DATA, dayWithHead(sportText, sleepText));
    } else if (firmwareVersion == oldFormat) {
        ver[3] = 1;
        sendMsg(NS_MSG_SYNC_DATA_RAW, decoded(sportText));
    } else {
        // A refusal carries no format: its own code tells the caller more than "parse error".
        if (head.returnCode.code == NS_RET_SUCCESS)
            head.returnCode = getNsRetCode(QStringLiteral("parse error"));
        sendMsg(NS_MSG_SYNC_DATA, QByteArray());
    }
    emit onNsQueryLastData(ver, sportText, sleepText, head.returnCode, head.returnMsg);
}
