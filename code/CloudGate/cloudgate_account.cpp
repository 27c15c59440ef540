#include "cloudgate.h"

#include "cloudgate_reply.h"

using namespace CloudReply;

namespace {

void insertUnlessEmpty(QJsonObject& body, const QString& key, const QString& value)
{
    if (!value.isEmpty())
        body.insert(key, value);
}

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
    if (reply.isObject) {
        takeString(reply.object, QStringLiteral("accessToken"), result.accessToken);
        takeObject(reply.object, QStringLiteral("account"), account);
        takeObject(reply.object, QStringLiteral("systemConfiguration"), systemConfiguration);
    }
    result.account = CloudGate::parseNsAccount(account, systemConfiguration);
    return result;
}

QString readToken(Reply& reply)
{
    QString token;
    if (reply.isObject)
        takeString(reply.object, QStringLiteral("token"), token);
    return token;
}

} // namespace

bool CloudGate::nsRegister(const QString& username, const QString& password, const QString& token,
                           const QString& appKey, const QString& appSysType, const QString& handleDeviceId,
                           const QString& version, const QString& language)
{
    QJsonObject body;
    body.insert(QStringLiteral("username"), username);
    body.insert(QStringLiteral("password"), password);
    body.insert(QStringLiteral("token"), token);
    body.insert(QStringLiteral("appKey"), appKey);
    body.insert(QStringLiteral("appSysType"), appSysType);
    insertUnlessEmpty(body, QStringLiteral("handleDeviceId"), handleDeviceId);
    body.insert(QStringLiteral("version"), version);
    body.insert(QStringLiteral("language"), language);
    return sendJson(NS_MSG_REGISTER, body);
}

bool CloudGate::nsLogin(const QString& username, const QString& password, const QString& appKey,
                        const QString& appSysType, const QString& handleDeviceId, const QString& version,
                        const QString& language)
{
    QJsonObject body;
    body.insert(QStringLiteral("username"), username);
    body.insert(QStringLiteral("password"), password);
    body.insert(QStringLiteral("appKey"), appKey);
    body.insert(QStringLiteral("appSysType"), appSysType);
    insertUnlessEmpty(body, QStringLiteral("handleDeviceId"), handleDeviceId);
    body.insert(QStringLiteral("version"), version);
    body.insert(QStringLiteral("language"), language);
    return sendJson(NS_MSG_LOGIN, body);
}

bool CloudGate::nsLogout(const QString& accessToken, const QString& version, const QString& language)
{
    if (accessToken.isEmpty())
        return false;
    return sendAccessOnly(NS_MSG_LOGOUT, accessToken, version, language);
}

bool CloudGate::nsResetPwd(const QString& accessToken, const QString& password, const QString& version,
                           const QString& language)
{
    QJsonObject body;
    body.insert(QStringLiteral("accessToken"), accessToken);
    body.insert(QStringLiteral("password"), password);
    body.insert(QStringLiteral("version"), version);
    body.insert(QStringLiteral("language"), language);
    return sendJson(NS_MSG_RESET_PWD, body);
}

bool CloudGate::nsVC(const QString& mobile, const CloudGate::NS_VC_LIST& type)
{
    QJsonObject body;
    body.insert(QStringLiteral("mobile"), mobile);
    body.insert(QStringLiteral("type"), int(type));
    return sendJson(NS_MSG_VC, body);
}

bool CloudGate::nsIsVC(const QString& mobile, const CloudGate::NS_VC_LIST& type, const QString& code)
{
    QJsonObject body;
    body.insert(QStringLiteral("mobile"), mobile);
    body.insert(QStringLiteral("type"), int(type));
    body.insert(QStringLiteral("code"), code);
    return sendJson(NS_MSG_IS_VC, body);
}

bool CloudGate::nsUserInfo(const QString& accessToken, const CloudGate::ns_account& account, const QString& version,
                           const QString& language)
{
    if (accessToken.isEmpty())
        return false;
    QJsonObject body;
    body.insert(QStringLiteral("accessToken"), accessToken);
    insertUnlessEmpty(body, QStringLiteral("nickname"), account.nickname);
    insertUnlessEmpty(body, QStringLiteral("avatar"), account.avatar);
    insertUnlessEmpty(body, QStringLiteral("mobile"), account.mobile);
    insertUnlessEmpty(body, QStringLiteral("realName"), account.realName);
    insertUnlessEmpty(body, QStringLiteral("idNumber"), account.idNumber);
    body.insert(QStringLiteral("height"), int(account.height));
    body.insert(QStringLiteral("weight"), int(account.weight));
    body.insert(QStringLiteral("gender"), account.gender ? QStringLiteral("0") : QStringLiteral("1"));
    body.insert(QStringLiteral("age"), int(account.age));
    insertUnlessEmpty(body, QStringLiteral("job"), account.job);

    // Without a district the cloud gets the address parts run together in its place.
    insertUnlessEmpty(body, QStringLiteral("province"), account.province);
    insertUnlessEmpty(body, QStringLiteral("city"), account.city);
    insertUnlessEmpty(body, QStringLiteral("county"), account.county);
    const QString district =
        account.district.isEmpty() ? account.province + account.city + account.county : account.district;
    insertUnlessEmpty(body, QStringLiteral("district"), district);

    insertUnlessEmpty(body, QStringLiteral("nickname"), account.editNickname);
    if (account.hasSecurityPwd)
        body.insert(QStringLiteral("securityPassword"), account.securityPassword);
    body.insert(QStringLiteral("version"), version);
    body.insert(QStringLiteral("language"), language);
    return sendJson(NS_MSG_USER_INFO, body);
}

bool CloudGate::nsGetBackPwd(const QString& token, const QString& mobile, const QString& password,
                             const QString& version, const QString& language)
{
    QJsonObject body;
    body.insert(QStringLiteral("token"), token);
    insertUnlessEmpty(body, QStringLiteral("mobile"), mobile);
    body.insert(QStringLiteral("password"), password);
    body.insert(QStringLiteral("version"), version);
    body.insert(QStringLiteral("language"), language);
    return sendJson(NS_MSG_GET_BACK_PWD, body);
}

bool CloudGate::nsCheckPwd(const QString& accessToken, const QString& oldpwd, const QString& version,
                           const QString& language)
{
    QJsonObject body;
    body.insert(QStringLiteral("accessToken"), accessToken);
    body.insert(QStringLiteral("oldpwd"), oldpwd);
    body.insert(QStringLiteral("version"), version);
    body.insert(QStringLiteral("language"), language);
    return sendJson(NS_MSG_CHECK_PWD, body);
}

bool CloudGate::nsSetDevToken(const QString& accessToken, const QString& appKey, const QString& appSysType,
                              const QString& handleDeviceId, const QString& version, const QString& language)
{
    QJsonObject body;
    body.insert(QStringLiteral("accessToken"), accessToken);
    body.insert(QStringLiteral("appKey"), appKey);
    body.insert(QStringLiteral("appSysType"), appSysType);
    body.insert(QStringLiteral("handleDeviceId"), handleDeviceId);
    body.insert(QStringLiteral("version"), version);
    body.insert(QStringLiteral("language"), language);
    return sendJson(NS_MSG_SET_DEV_TOKEN, body);
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
    const Reply head = read(reply);
    emit onNsLogout(head.returnCode, head.returnMsg);
}

void CloudGate::parseNsResetPwd(const QByteArray& reply)
{
    const Reply head = read(reply);
    emit onNsResetPwd(head.returnCode, head.returnMsg);
}

void CloudGate::parseNsVC(const QByteArray& reply)
{
    const Reply head = read(reply);
    emit onNsVC(head.returnCode, head.returnMsg);
}

void CloudGate::parseNsIsVC(const QByteArray& reply)
{
    Reply head = read(reply);
    emit onNsIsVC(readToken(head), head.returnCode, head.returnMsg);
}

void CloudGate::parseNsUserInfo(const QByteArray& reply)
{
    const Reply head = read(reply);
    emit onNsUserInfo(head.returnCode, head.returnMsg);
}

void CloudGate::parseNsGetBackPwd(const QByteArray& reply)
{
    const Reply head = read(reply);
    emit onNsGetBackPwd(head.returnCode, head.returnMsg);
}

void CloudGate::parseNsCheckPwd(const QByteArray& reply)
{
    Reply head = read(reply);
    emit onNsCheckPwd(readToken(head), head.returnCode, head.returnMsg);
}

void CloudGate::parseNsSetDevToken(const QByteArray& reply)
{
    const Reply head = read(reply);
    emit onNsSetDevToken(head.returnCode, head.returnMsg);
}
