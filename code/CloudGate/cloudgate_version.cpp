#include "cloudgate.h"

#include "cloudgate_json.h"

using namespace CloudJson;

namespace {

// Whitespace is how long Base64 texts get wrapped; anything else outside the alphabet means a
// damaged image, which must never reach the band.
QByteArray firmwareImage(const QString& text)
{
    const QByteArray raw = text.toUtf8();
    QByteArray base64;
    base64.reserve(raw.size());
    for (const char c : raw) {
        if (c != ' ' && (c < '\t' || c > '\r'))
            base64.append(c);
    }
    const QByteArray::FromBase64Result result =
        QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    return result ? result.decoded : QByteArray();
}

quint16 versionNumber(QJsonObject& reply, const QString& key)
{
    QString text;
    if (!takeString(reply, key, text))
        return 0;
    return quint16(text.toUInt() & 0xffffu);
}

} // namespace

bool CloudGate::nsAppVer(const QString& appKey, const QString& appSysType, const QString& version,
                         const QString& language)
{
    return sendJson(NS_MSG_APP_VER, withVersion(body({{"appKey", appKey}, {"appSysType", appSysType}}), version,
                                                language));
}

// No version or language texts go with this request.
bool CloudGate::nsFirmware(const QString& accessToken, const quint16& firmwareVersion, const bool& withData)
{
    return sendJson(NS_MSG_FIRMWARE, body({{"accessToken", accessToken},
                                           {"firmwareVersion", int(firmwareVersion)},
                                           {"withData", withData ? QStringLiteral("1") : QStringLiteral("0")}}));
}

bool CloudGate::nsGetData(const QString& text)
{
    return sendMsg(NS_MSG_GET_DATA, text.toUtf8());
}

void CloudGate::parseNsAppVer(const QByteArray& reply)
{
    Reply head = read(reply);
    QString appVersion;
    QString isGoUp;
    QString appUrl;
    QString appVerContent;
    takeString(head.object, QStringLiteral("appVersion"), appVersion);
    takeString(head.object, QStringLiteral("isGoUp"), isGoUp);
    takeString(head.object, QStringLiteral("appUrl"), appUrl);
    takeString(head.object, QStringLiteral("appVerContent"), appVerContent);
    emit onNsAppVer(appVersion, isGoUp == QLatin1String("1"), appUrl, appVerContent, head.returnCode,
                    head.returnMsg);
}

// This reply has no return code: a failure shows only as versions 0 and an empty image.
void CloudGate::parseNsFirmware(const QByteArray& reply)
{
    Reply head = read(reply);
    const quint16 currentVersion = versionNumber(head.object, QStringLiteral("currentVersion"));
    const quint16 upgradeVersion = versionNumber(head.object, QStringLiteral("upgradeVersion"));
    QString firmwareData;
    takeString(head.object, QStringLiteral("firmwareData"), firmwareData);
    emit onNsFirmware(currentVersion, upgradeVersion, firmwareImage(firmwareData));
}
