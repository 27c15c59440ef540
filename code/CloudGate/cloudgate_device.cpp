#include "cloudgate.h"

#include "cloudgate_json.h"

using namespace CloudJson;

namespace {

QJsonObject targetBody(const QString& accessToken, const QString& targetKey, const int& target,
                       const int& targetCode, const QString& version, const QString& language)
{
    return withVersion(body({{"accessToken", accessToken}, {targetKey, target}, {"targetCode", targetCode}}), version,
                       language);
}

// Every element starts from a fresh record: a band never inherits what the one before it sent.
QList<CloudGate::ns_bind_dev> readDevices(QJsonObject& reply)
{
    QList<CloudGate::ns_bind_dev> devices;
    QJsonArray array;
    takeArray(reply, QStringLiteral("devices"), array);
    for (const QJsonValue& value : qAsConst(array)) {
        if (!value.isObject())
            continue;
        QJsonObject element = value.toObject();
        CloudGate::ns_bind_dev device;
        const bool hasAddress = takeString(element, QStringLiteral("deviceAddress"), device.deviceAddress);
        const bool hasSerial = takeString(element, QStringLiteral("deviceSerial"), device.deviceSerial);
        QString bindDt;
        if (takeString(element, QStringLiteral("bindDt"), bindDt))
            device.bindDt = CloudGate::getStrDT(bindDt);
        if (hasAddress || hasSerial)
            devices.append(device);
    }
    return devices;
}

CloudGate::ns_get_bmi_detail readBmi(QJsonObject& reply)
{
    CloudGate::ns_get_bmi_detail bmi;
    QString text;
    double number = 0.0;
    takeNumber(reply, QStringLiteral("healthNumber"), bmi.healthNumber);
    if (takeString(reply, QStringLiteral("healthDate"), text))
        bmi.healthDate = CloudGate::getStrDT(text);
    if (takeNumber(reply, QStringLiteral("age"), number))
        bmi.age = quint16(wholeInt(number));
    if (takeString(reply, QStringLiteral("gender"), text))
        bmi.gender = text == QLatin1String("0");
    takeNumber(reply, QStringLiteral("height"), bmi.height);
    takeNumber(reply, QStringLiteral("weight"), bmi.weight);
    takeString(reply, QStringLiteral("sleepRecommen"), bmi.sleepRecommen);
    takeString(reply, QStringLiteral("ssportRecommen"), bmi.ssportRecommen);
    return bmi;
}

} // namespace

bool CloudGate::nsDevBind(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                          const QString& version, const QString& language)
{
    return sendJson(NS_MSG_DEV_BIND, deviceBody(accessToken, deviceAddress, deviceSerial, version, language));
}

bool CloudGate::nsDevBindList(const QString& accessToken, const QString& version, const QString& language)
{
    return sendJson(NS_MSG_DEV_BIND_LIST, withVersion(body({{"accessToken", accessToken}}), version, language));
}

bool CloudGate::nsDevUnBind(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                            const QString& version, const QString& language)
{
    return sendJson(NS_MSG_DEV_UNBIND, deviceBody(accessToken, deviceAddress, deviceSerial, version, language));
}

bool CloudGate::nsDevUsePos(const QString& accessToken, const CloudGate::NS_DEV_POS_LIST& position,
                            const QString& version, const QString& language)
{
    return sendJson(NS_MSG_DEV_USE_POS, withVersion(body({{"accessToken", accessToken}, {"position", int(position)}}),
                                                    version, language));
}

bool CloudGate::nsGetHealthNum(const QString& accessToken, const QString& version, const QString& language)
{
    return sendJson(NS_MSG_GET_HEALTH_NUM, withVersion(body({{"accessToken", accessToken}}), version, language));
}

// Unlike the profile update, this endpoint takes gender and the flag as the integers 0 and 1.
bool CloudGate::nsSetHealthNum(const QString& accessToken, const bool& gender, const int& age, const double& height,
                               const double& weight, const bool& isUpdateUserInfo, const QString& version,
                               const QString& language)
{
    return sendJson(NS_MSG_SET_HEALTH_NUM, withVersion(body({{"accessToken", accessToken},
                                                             {"gender", gender ? 0 : 1},
                                                             {"age", age},
                                                             {"height", height},
                                                             {"weight", weight},
                                                             {"isUpdateUserInfo", isUpdateUserInfo ? 1 : 0}}),
                                                       version, language));
}

bool CloudGate::nsSetSportTarget(const QString& accessToken, const int& targetFoots, const int& targetCode,
                                 const QString& version, const QString& language)
{
    return sendJson(NS_MSG_SET_SPORT_TARGET, targetBody(accessToken, QStringLiteral("targetFoots"), targetFoots,
                                                        targetCode, version, language));
}

bool CloudGate::nsSetSleepTarget(const QString& accessToken, const int& sleepLenTime, const int& targetCode,
                                 const QString& version, const QString& language)
{
    return sendJson(NS_MSG_SET_SLEEP_TARGET, targetBody(accessToken, QStringLiteral("sleepLenTime"), sleepLenTime,
                                                        targetCode, version, language));
}

void CloudGate::parseNsDevBind(const QByteArray& reply)
{
    Reply head = read(reply);
    QDateTime bindDt;
    QString text;
    if (takeString(head.object, QStringLiteral("bindDt"), text))
        bindDt = getStrDT(text);
    emit onNsDevBind(bindDt, head.returnCode, head.returnMsg);
}

void CloudGate::parseNsDevBindList(const QByteArray& reply)
{
    Reply head = read(reply);
    emit onNsDevBindList(readDevices(head.object), head.returnCode, head.returnMsg);
}

void CloudGate::parseNsDevUnBind(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsDevUnBind);
}

void CloudGate::parseNsDevUsePos(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsDevUsePos);
}

// Only a successful reply replaces the cached numbers: an error keeps the last good ones.
void CloudGate::parseNsGetHealthNum(const QByteArray& reply)
{
    Reply head = read(reply);
    const ns_get_bmi_detail record = readBmi(head.object);
    if (head.returnCode.code == NS_RET_SUCCESS)
        bmi = record;
    emit onNsGetHealthNum(record, head.returnCode, head.returnMsg);
}

void CloudGate::parseNsSetHealthNum(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsSetHealthNum);
}

void CloudGate::parseNsSetSportTarget(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsSetSportTarget);
}

void CloudGate::parseNsSetSleepTarget(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsSetSleepTarget);
}
