#include "cloudgate.h"

#include "cloudgate_json.h"

using namespace CloudJson;

namespace {

// The sign-in and registration replies share their payload: a token and the account.
struct SignIn {
    QString accessToken;
    CloudGate::ns_account account;
};

SignIn readSignIn(Reply& reply)
{
    SignIn result;
    QJsonObject account;
    QJsonObject systemConfiguration;
    takeString(reply.object, QStringLiteral("accessToken"), result.accessToken);
    takeObject(reply.object, QStringLiteral("account"), account);
    takeObject(reply.object, QStringLiteral("systemConfiguration"), systemConfiguration);
    result.account = CloudGate::parseNsAccount(account, systemConfiguration);
    return result;
}

QString readToken(Reply& reply)
{
    QString token;
    takeString(reply.object, QStringLiteral("token"), token);
    return token;
}

QJsonObject appBody(const QString& appKey, const QString& appSysType, const QString& handleDeviceId,
                    const QString& version, const QString& language)
{
    QJsonObject app = body({{"appKey", appKey}, {"appSysType", appSysType}});
    insertUnlessEmpty(app, QStringLiteral("handleDeviceId"), handleDeviceId);
    return withVersion(app, version, language);
}

} // namespace

bool CloudGate::nsRegister(const QString& username, const QString& password, const QString& token,
                           const QString& appKey, const QString& appSysType, const QString& handleDeviceId,
                           const QString& version, const QString& language)
{
    QJsonObject request = appBody(appKey, appSysType, handleDeviceId, version, language);
    request.insert(QStringLiteral("username"), username);
    request.insert(QStringLiteral("password"), password);
    request.insert(QStringLiteral("token"), token);
    return sendJson(NS_MSG_REGISTER, request);
}

bool CloudGate::nsLogin(const QString& username, const QString& password, const QString& appKey,
                        const QString& appSysType, const QString& handleDeviceId, const QString& version,
                        const QString& language)
{
    QJsonObject request = appBody(appKey, appSysType, handleDeviceId, version, language);
    request.insert(QStringLiteral("username"), username);
    request.insert(QStringLiteral("password"), password);
    return sendJson(NS_MSG_LOGIN, request);
}

bool CloudGate::nsLogout(const QString& accessToken, const QString& version, const QString& language)
{
    if (accessToken.isEmpty())
        return false;
    return sendJson(NS_MSG_LOGOUT, withVersion(body({{"accessToken", accessToken}}), version, language));
}

bool CloudGate::nsResetPwd(const QString& accessToken, const QString& password, const QString& version,
                           const QString& language)
{
    return sendJson(NS_MSG_RESET_PWD, withVersion(body({{"accessToken", accessToken}, {"password", password}}),
                                                  version, language));
}

bool CloudGate::nsVC(const QString& mobile, const CloudGate::NS_VC_LIST& type)
{
    return sendJson(NS_MSG_VC, body({{"mobile", mobile}, {"type", int(type)}}));
}

bool CloudGate::nsIsVC(const QString& mobile, const CloudGate::NS_VC_LIST& type, const QString& code)
{
    return sendJson(NS_MSG_IS_VC, body({{"mobile", mobile}, {"type", int(type)}, {"code", code}}));
}

bool CloudGate::nsUserInfo(const QString& accessToken, const CloudGate::ns_account& account, const QString& version,
                           const QString& language)
{
    return nsUserInfo(accessToken, account, account.height, account.weight, version, language);
}

bool CloudGate::nsUserInfo(const QString& accessToken, const CloudGate::ns_account& account, const double& height,
                           const double& weight, const QString& version, const QString& language)
{
    if (accessToken.isEmpty())
        return false;
    // The cloud keeps gender as the text "0" or "1" here, not as a number.
    QJsonObject request = body({{"accessToken", accessToken},
                                {"height", height},
                                {"weight", weight},
                                {"gender", account.gender ? QStringLiteral("0") : QStringLiteral("1")},
                                {"age", int(account.age)}});
    insertUnlessEmpty(request, QStringLiteral("nickname"), account.nickname);
    insertUnlessEmpty(request, QStringLiteral("avatar"), account.avatar);
    insertUnlessEmpty(request, QStringLiteral("mobile"), account.mobile);
    insertUnlessEmpty(request, QStringLiteral("realName"), account.realName);
    insertUnlessEmpty(request, QStringLiteral("idNumber"), account.idNumber);
    insertUnlessEmpty(request, QStringLiteral("job"), account.job);

    // Without a district the cloud gets the address parts run together in its place.
    insertUnlessEmpty(request, QStringLiteral("province"), account.province);
    insertUnlessEmpty(request, QStringLiteral("city"), account.city);
    insertUnlessEmpty(request, QStringLiteral("county"), account.county);
    const QString district =
        account.district.isEmpty() ? account.province + account.city + account.county : account.district;
    insertUnlessEmpty(request, QStringLiteral("district"), district);

    insertUnlessEmpty(request, QStringLiteral("nickname"), account.editNickname);
    if (account.hasSecurityPwd)
        request.insert(QStringLiteral("securityPassword"), account.securityPassword);
    return sendJson(NS_MSG_USER_INFO, withVersion(request, version, language));
}

bool CloudGate::nsGetBackPwd(const QString& token, const QString& mobile, const QString& password,
                             const QString& version, const QString& language)
{
    QJsonObject request = body({{"token", token}, {"password", password}});
    insertUnlessEmpty(request, QStringLiteral("mobile"), mobile);
    return sendJson(NS_MSG_GET_BACK_PWD, withVersion(request, version, language));
}

bool CloudGate::nsCheckPwd(const QString& accessToken, const QString& oldpwd, const QString& version,
                           const QString& language)
{
    return sendJson(NS_MSG_CHECK_PWD, withVersion(body({{"accessToken", accessToken}, {"oldpwd", oldpwd}}),
                                                  version, language));
}

bool CloudGate::nsSetDevToken(const QString& accessToken, const QString& appKey, const QString& appSysType,
                              const QString& handleDeviceId, const QString& version, const QString& language)
{
    QJsonObject request = appBody(appKey, appSysType, QString(), version, language);
    request.insert(QStringLiteral("accessToken"), accessToken);
    request.insert(QStringLiteral("handleDeviceId"), handleDeviceId);
    return sendJson(NS_MSG_SET_DEV_TOKEN, request);
}

void CloudGate::parseNsRegister(const QByteArray& reply)
{
    Reply head = read(reply);
    const SignIn signIn = readSignIn(head);
    emit onNsRegister(signIn.accessToken, signIn.account, head.returnCode, head.returnMsg);
}

void CloudGate::parseNsLogin(const QByteArray& reply)
{
    Reply head = read(reply);
    const SignIn signIn = readSignIn(head);
    emit onNsLogin(signIn.accessToken, signIn.account, head.returnCode, head.returnMsg);
}

void CloudGate::parseNsLogout(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsLogout);
}

void CloudGate::parseNsResetPwd(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsResetPwd);
}

void CloudGate::parseNsVC(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsVC);
}

void CloudGate::parseNsIsVC(const QByteArray& reply)
{
    Reply head = read(reply);
    emit onNsIsVC(readToken(head), head.returnCode, head.returnMsg);
}

void CloudGate::parseNsUserInfo(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsUserInfo);
}

void CloudGate::parseNsGetBackPwd(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsGetBackPwd);
}

void CloudGate::parseNsCheckPwd(const QByteArray& reply)
{
    Reply head = read(reply);
    emit onNsCheckPwd(readToken(head), head.returnCode, head.returnMsg);
}

void CloudGate::parseNsSetDevToken(const QByteArray& reply)
{
    parseHeadOnly(reply, &CloudGate::onNsSetDevToken);
}
