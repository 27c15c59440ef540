#include "cloudledger.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cmath>

namespace {

const QString DAY_FORMAT = QStringLiteral("yyyyMMdd");
const QString STAMP_FORMAT = QStringLiteral("yyyyMMddHHmmss");
const QString MINUTE_FORMAT = QStringLiteral("yyyyMMddHHmm");
const QString TIME_FORMAT = QStringLiteral("hhmm");
const int VC_INTERVAL_SECONDS = 60;
const int LONGEST_RANGE_DAYS = 31;

bool isText(const QJsonObject& body, const QString& key)
{
    return body.value(key).isString();
}

QString textOf(const QJsonObject& body, const QString& key)
{
    return body.value(key).toString();
}

bool isWholeNumber(const QJsonValue& value)
{
    return value.isDouble() && value.toDouble() == std::floor(value.toDouble());
}

// A number key that is absent counts as zero; one of another type is bad input.
bool optionalNumber(const QJsonObject& body, const QString& key, double* number)
{
    const QJsonValue value = body.value(key);
    if (value.isUndefined()) {
        *number = 0;
        return true;
    }
    if (!value.isDouble())
        return false;
    *number = value.toDouble();
    return true;
}

QString randomToken()
{
    QByteArray bytes(16, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(QRandomGenerator::global()->bounded(256));
    return QString::fromLatin1(bytes.toHex());
}

QJsonObject success(QJsonObject reply = QJsonObject())
{
    reply.insert(QStringLiteral("returnCode"), QStringLiteral("0000"));
    reply.insert(QStringLiteral("returnMsg"), CloudLedger::returnMsg(QStringLiteral("0000")));
    return reply;
}

QString minutesText(double minutes)
{
    return QString::number(qRound(minutes));
}

QString decimalText(double value)
{
    return QString::number(value, 'f', 2);
}

// Bedtimes straddle midnight: an evening and an early morning average to the night between.
QString averageBedtime(const QList<QTime>& times)
{
    if (times.isEmpty())
        return QString();
    double sum = 0;
    for (const QTime& time : times) {
        const int minute = time.hour() * 60 + time.minute();
        sum += minute < 12 * 60 ? minute + 24 * 60 : minute;
    }
    const int mean = qRound(sum / times.size()) % (24 * 60);
    return QTime(mean / 60, mean % 60).toString(TIME_FORMAT);
}

// The week's title is a short verdict: the week card draws it on a picture 140 pixels wide.
QString verdict(const double& average, const int& target)
{
    return average >= target ? QStringLiteral("达标") : QStringLiteral("未达标");
}

QString weekTips(const CloudLedger::lc_account& account, const QString& made)
{
    return account.weekTips.isEmpty() ? made : account.weekTips;
}

bool isMobileNumber(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^1\\d{10}$"));
    return pattern.match(text).hasMatch();
}

} // namespace

CloudLedger::CloudLedger(QObject* parent)
    : QObject(parent)
{
}

QString CloudLedger::returnMsg(const QString& returnCode)
{
    static const QHash<QString, QString> messages = {
        {QStringLiteral("0000"), QStringLiteral("成功响应")},
        {QStringLiteral("a001"), QStringLiteral("服务器错误")},
        {QStringLiteral("b001"), QStringLiteral("登录凭据无效")},
        {QStringLiteral("b002"), QStringLiteral("访问令牌无效")},
        {QStringLiteral("b003"), QStringLiteral("令牌无效")},
        {QStringLiteral("b004"), QStringLiteral("验证码错误")},
        {QStringLiteral("b005"), QStringLiteral("用户名错误")},
        {QStringLiteral("b006"), QStringLiteral("用户状态无效")},
        {QStringLiteral("b007"), QStringLiteral("用户未设置安全密码")},
        {QStringLiteral("b008"), QStringLiteral("安全密码无效")},
        {QStringLiteral("b009"), QStringLiteral("用户账户锁定")},
        {QStringLiteral("b010"), QStringLiteral(" 该手机号未注册,或注册账号不是手机号码")},
        {QStringLiteral("c001"), QStringLiteral("手机号码已被注册")},
        {QStringLiteral("c002"), QStringLiteral("昵称已被使用")},
        {QStringLiteral("c003"), QStringLiteral("密码错误")},
        {QStringLiteral("c004"), QStringLiteral("输入参数不合法")},
        {QStringLiteral("c007"), QStringLiteral("用户设备未绑定")},
        {QStringLiteral("c008"), QStringLiteral("用户设备已绑定")},
        {QStringLiteral("c009"), QStringLiteral("用户已绑定其他设备")},
        {QStringLiteral("c010"), QStringLiteral("该设备已被其他用户绑定")},
        {QStringLiteral("c013"), QStringLiteral("该手机号未注册")},
        {QStringLiteral("c020"), QStringLiteral("活动未开始或已结束")},
        {QStringLiteral("c021"), QStringLiteral("活动激活码无效")},
        {QStringLiteral("c022"), QStringLiteral("短信验证码发送异常")},
        {QStringLiteral("c023"), QStringLiteral("一分钟内不能重复发送验证码")},
        {QStringLiteral("c024"), QStringLiteral("app应用类型错误或应用类型暂不支持")},
        {QStringLiteral("c025"), QStringLiteral("应用码错误或参数没有维护")},
        {QStringLiteral("c026"), QStringLiteral("该日暂未同步过数据")},
        {QStringLiteral("c027"), QStringLiteral("活动暂未开始")},
        {QStringLiteral("c028"), QStringLiteral("活动已结束")},
    };
    return messages.value(returnCode);
}

QJsonObject CloudLedger::failure(const QString& returnCode)
{
    QJsonObject reply;
    reply.insert(QStringLiteral("returnCode"), returnCode);
    reply.insert(QStringLiteral("returnMsg"), returnMsg(returnCode));
    return reply;
}

const QHash<QString, CloudLedger::lc_endpoint>& CloudLedger::endpoints()
{
    static const QHash<QString, lc_endpoint> table = {
        {QStringLiteral("account/register"), {false, &CloudLedger::nsRegister}},
        {QStringLiteral("account/login"), {false, &CloudLedger::nsLogin}},
        {QStringLiteral("account/logout"), {true, &CloudLedger::nsLogout}},
        {QStringLiteral("account/resetPassword"), {true, &CloudLedger::nsResetPwd}},
        {QStringLiteral("verificationCode/get"), {false, &CloudLedger::nsVC}},
        {QStringLiteral("verificationCode/validate"), {false, &CloudLedger::nsIsVC}},
        {QStringLiteral("account/updateBaseInfo"), {true, &CloudLedger::nsUserInfo}},
        {QStringLiteral("account/getBackPassword"), {false, &CloudLedger::nsGetBackPwd}},
        {QStringLiteral("account/checkPassword"), {true, &CloudLedger::nsCheckPwd}},
        {QStringLiteral("account/setdevicetoken"), {true, &CloudLedger::nsSetDevToken}},
        {QStringLiteral("device/binddevice"), {true, &CloudLedger::nsDevBind}},
        {QStringLiteral("device/listbinddevice"), {true, &CloudLedger::nsDevBindList}},
        {QStringLiteral("device/cancelbinddevice"), {true, &CloudLedger::nsDevUnBind}},
        {QStringLiteral("device/devicepositionset"), {true, &CloudLedger::nsDevUsePos}},
        {QStringLiteral("health/querynowhealthnum"), {true, &CloudLedger::nsGetHealthNum}},
        {QStringLiteral("health/sethealthnum"), {true, &CloudLedger::nsSetHealthNum}},
        {QStringLiteral("health/setsporttarget"), {true, &CloudLedger::nsSetSportTarget}},
        {QStringLiteral("health/setsleeptarget"), {true, &CloudLedger::nsSetSleepTarget}},
        {QStringLiteral("statistics/daysportstatistics"), {true, &CloudLedger::nsDaySportStats}},
        {QStringLiteral("statistics/weeksportstatistics"), {true, &CloudLedger::nsWeekSportStats}},
        {QStringLiteral("statistics/daysleepstatistics"), {true, &CloudLedger::nsDaySleepStats}},
        {QStringLiteral("statistics/weeksleepstatistics"), {true, &CloudLedger::nsWeekSleepStats}},
        {QStringLiteral("synchro/datasynchro"), {true, &CloudLedger::nsDateSync}},
        {QStringLiteral("synchro/querylaststatistics"), {true, &CloudLedger::nsQueryLastSync}},
        {QStringLiteral("synchro/querysynchrodata"), {true, &CloudLedger::nsQueryLastData}},
        {QStringLiteral("param/getappnewversion"), {false, &CloudLedger::nsAppVer}},
        {QStringLiteral("param/updateFirmware"), {true, &CloudLedger::nsFirmware}},
    };
    return table;
}

bool CloudLedger::knowsEndpoint(const QString& endpoint) const
{
    return endpoints().contains(endpoint);
}

QJsonObject CloudLedger::handle(const QString& endpoint, const QByteArray& body)
{
    const auto found = endpoints().constFind(endpoint);
    if (found == endpoints().constEnd())
        return failure(QStringLiteral("c004"));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return failure(QStringLiteral("c004"));
    const QJsonObject request = document.object();
    lc_account* account = nullptr;
    if (found->needsToken) {
        const QString mobile = mobileOfToken(textOf(request, QStringLiteral("accessToken")));
        if (mobile.isEmpty())
            return failure(QStringLiteral("b002"));
        account = &accounts[mobile];
    }
    return (this->*(found->handler))(request, account);
}

bool CloudLedger::addAccount(const QString& mobile, const QString& password)
{
    if (mobile.isEmpty() || accounts.contains(mobile))
        return false;
    lc_account account;
    account.mobile = mobile;
    account.password = password;
    account.profile = QJsonObject{
        {QStringLiteral("mobile"), mobile},
        {QStringLiteral("nickname"), QString()},
        {QStringLiteral("gender"), QStringLiteral("0")},
        {QStringLiteral("age"), 0},
        {QStringLiteral("height"), 0},
        {QStringLiteral("weight"), 0},
        {QStringLiteral("regDT"), QDateTime::currentDateTime().toString(STAMP_FORMAT)},
    };
    accounts.insert(mobile, account);
    return true;
}

bool CloudLedger::hasAccount(const QString& mobile) const
{
    return accounts.contains(mobile);
}

CloudLedger::lc_account CloudLedger::account(const QString& mobile) const
{
    return accounts.value(mobile);
}

void CloudLedger::setAccount(const lc_account& account)
{
    accounts.insert(account.mobile, account);
}

QString CloudLedger::openSession(const QString& mobile)
{
    if (!accounts.contains(mobile))
        return QString();
    const QString accessToken = randomToken();
    sessions.insert(accessToken, mobile);
    return accessToken;
}

QString CloudLedger::mobileOfToken(const QString& accessToken) const
{
    return sessions.value(accessToken);
}

QString CloudLedger::lastCode(const QString& mobile, VC_TYPE type) const
{
    return codes.value(qMakePair(mobile, int(type))).code;
}

bool CloudLedger::bindBand(const QString& mobile, const lc_band& band)
{
    if (!accounts.contains(mobile) || !ownerOfBand(band.address).isEmpty())
        return false;
    accounts[mobile].bands.append(band);
    return true;
}

bool CloudLedger::addDay(const QString& mobile, const lc_day& day)
{
    if (!accounts.contains(mobile) || !day.day.isValid())
        return false;
    accounts[mobile].days.insert(day.day, day);
    return true;
}

void CloudLedger::setAppVersion(const lc_app_version& record)
{
    appVersion = record;
}

void CloudLedger::setFirmware(const lc_firmware& record)
{
    firmware = record;
}

void CloudLedger::setBindingAge(const int& days)
{
    bindingAgeDays = days;
}

QString CloudLedger::appKeysFault(const QJsonObject& body) const
{
    if (textOf(body, QStringLiteral("appSysType")).isEmpty())
        return QStringLiteral("c024");
    if (textOf(body, QStringLiteral("appKey")).isEmpty())
        return QStringLiteral("c025");
    return QString();
}

QString CloudLedger::accountWithNickname(const QString& nickname) const
{
    for (const lc_account& account : accounts) {
        if (account.profile.value(QStringLiteral("nickname")).toString() == nickname)
            return account.mobile;
    }
    return QString();
}

QString CloudLedger::ownerOfBand(const QString& address) const
{
    for (const lc_account& account : accounts) {
        for (const lc_band& band : account.bands) {
            if (band.address == address)
                return account.mobile;
        }
    }
    return QString();
}

QJsonObject CloudLedger::signedIn(lc_account& account)
{
    const QJsonObject configuration{
        {QStringLiteral("cardBindingCaps"), account.cardBindingCaps},
        {QStringLiteral("hasSecurityPwd"),
         account.securityPassword.isEmpty() ? QStringLiteral("0") : QStringLiteral("1")},
    };
    return success(QJsonObject{
        {QStringLiteral("accessToken"), openSession(account.mobile)},
        {QStringLiteral("account"), account.profile},
        {QStringLiteral("systemConfiguration"), configuration},
    });
}

QJsonObject CloudLedger::nsRegister(const QJsonObject& body, lc_account*)
{
    const QString mobile = textOf(body, QStringLiteral("username"));
    const QString password = textOf(body, QStringLiteral("password"));
    const QString vcToken = textOf(body, QStringLiteral("token"));
    if (mobile.isEmpty() || password.isEmpty() || vcToken.isEmpty())
        return failure(QStringLiteral("c004"));
    const QString appFault = appKeysFault(body);
    if (!appFault.isEmpty())
        return failure(appFault);
    if (accounts.contains(mobile))
        return failure(QStringLiteral("c001"));
    const lc_vc_token proof = vcTokens.value(vcToken);
    if (proof.mobile != mobile || proof.type != VC_REGISTER)
        return failure(QStringLiteral("b003"));
    vcTokens.remove(vcToken);
    addAccount(mobile, password);
    return signedIn(accounts[mobile]);
}

QJsonObject CloudLedger::nsLogin(const QJsonObject& body, lc_account*)
{
    if (!isText(body, QStringLiteral("username")) || !isText(body, QStringLiteral("password")))
        return failure(QStringLiteral("c004"));
    const QString appFault = appKeysFault(body);
    if (!appFault.isEmpty())
        return failure(appFault);
    const auto found = accounts.find(textOf(body, QStringLiteral("username")));
    if (found == accounts.end())
        return failure(QStringLiteral("b005"));
    if (found->password != textOf(body, QStringLiteral("password")))
        return failure(QStringLiteral("c003"));
    if (found->locked)
        return failure(QStringLiteral("b009"));
    return signedIn(*found);
}

QJsonObject CloudLedger::nsLogout(const QJsonObject& body, lc_account*)
{
    sessions.remove(textOf(body, QStringLiteral("accessToken")));
    return success();
}

QJsonObject CloudLedger::nsResetPwd(const QJsonObject& body, lc_account* account)
{
    const QString password = textOf(body, QStringLiteral("password"));
    if (password.isEmpty())
        return failure(QStringLiteral("c004"));
    account->password = password;
    return success();
}

QJsonObject CloudLedger::nsVC(const QJsonObject& body, lc_account*)
{
    const QString mobile = textOf(body, QStringLiteral("mobile"));
    const QJsonValue typeValue = body.value(QStringLiteral("type"));
    const int type = typeValue.toInt(-1);
    if (!isMobileNumber(mobile) || !isWholeNumber(typeValue) || (type != VC_REGISTER && type != VC_GETBACKPWD))
        return failure(QStringLiteral("c004"));
    if (type == VC_REGISTER && accounts.contains(mobile))
        return failure(QStringLiteral("c001"));
    if (type == VC_GETBACKPWD && !accounts.contains(mobile))
        return failure(QStringLiteral("c013"));
    const auto key = qMakePair(mobile, type);
    const QDateTime now = QDateTime::currentDateTime();
    if (codes.contains(key) && codes.value(key).issuedAt.secsTo(now) < VC_INTERVAL_SECONDS)
        return failure(QStringLiteral("c023"));
    const QString code = QString::number(QRandomGenerator::global()->bounded(100000, 1000000));
    codes.insert(key, lc_code{code, now});
    emit onCodeIssued(mobile, type, code);
    return success();
}

QJsonObject CloudLedger::nsIsVC(const QJsonObject& body, lc_account*)
{
    const QString mobile = textOf(body, QStringLiteral("mobile"));
    const QJsonValue typeValue = body.value(QStringLiteral("type"));
    if (mobile.isEmpty() || !isWholeNumber(typeValue) || !isText(body, QStringLiteral("code")))
        return failure(QStringLiteral("c004"));
    const auto key = qMakePair(mobile, typeValue.toInt());
    const QString code = textOf(body, QStringLiteral("code"));
    if (!codes.contains(key) || codes.value(key).code != code)
        return failure(QStringLiteral("b004"));
    codes.remove(key);
    const QString vcToken = randomToken();
    vcTokens.insert(vcToken, lc_vc_token{mobile, key.second});
    return success(QJsonObject{{QStringLiteral("token"), vcToken}});
}

QJsonObject CloudLedger::nsUserInfo(const QJsonObject& body, lc_account* account)
{
    static const QStringList textKeys = {
        QStringLiteral("nickname"), QStringLiteral("avatar"), QStringLiteral("realName"),
        QStringLiteral("idNumber"), QStringLiteral("job"), QStringLiteral("province"),
        QStringLiteral("city"), QStringLiteral("county"), QStringLiteral("district")};
    static const QStringList numberKeys = {
        QStringLiteral("height"), QStringLiteral("weight"), QStringLiteral("age")};
    for (const QString& key : textKeys) {
        if (body.contains(key) && !isText(body, key))
            return failure(QStringLiteral("c004"));
    }
    for (const QString& key : numberKeys) {
        if (body.contains(key) && !body.value(key).isDouble())
            return failure(QStringLiteral("c004"));
    }
    const QJsonValue gender = body.value(QStringLiteral("gender"));
    if (!gender.isUndefined() && gender != QJsonValue(QStringLiteral("0")) && gender != QJsonValue(QStringLiteral("1")))
        return failure(QStringLiteral("c004"));
    const QJsonValue security = body.value(QStringLiteral("securityPassword"));
    if (!security.isUndefined() && !security.isString())
        return failure(QStringLiteral("c004"));
    const QString nickname = textOf(body, QStringLiteral("nickname"));
    if (!nickname.isEmpty()) {
        const QString holder = accountWithNickname(nickname);
        if (!holder.isEmpty() && holder != account->mobile)
            return failure(QStringLiteral("c002"));
    }
    for (const QString& key : textKeys + numberKeys + QStringList{QStringLiteral("gender")}) {
        if (body.contains(key))
            account->profile.insert(key, body.value(key));
    }
    if (security.isString())
        account->securityPassword = security.toString();
    return success();
}

QJsonObject CloudLedger::nsGetBackPwd(const QJsonObject& body, lc_account*)
{
    const QString password = textOf(body, QStringLiteral("password"));
    if (!isText(body, QStringLiteral("token")) || password.isEmpty())
        return failure(QStringLiteral("c004"));
    const QString vcToken = textOf(body, QStringLiteral("token"));
    const lc_vc_token proof = vcTokens.value(vcToken);
    const QString mobile = body.contains(QStringLiteral("mobile")) ? textOf(body, QStringLiteral("mobile")) : proof.mobile;
    if (proof.type != VC_GETBACKPWD || proof.mobile != mobile)
        return failure(QStringLiteral("b003"));
    if (!accounts.contains(mobile))
        return failure(QStringLiteral("b010"));
    vcTokens.remove(vcToken);
    accounts[mobile].password = password;
    return success();
}

QJsonObject CloudLedger::nsCheckPwd(const QJsonObject& body, lc_account* account)
{
    if (!isText(body, QStringLiteral("oldpwd")))
        return failure(QStringLiteral("c004"));
    if (textOf(body, QStringLiteral("oldpwd")) != account->password)
        return failure(QStringLiteral("c003"));
    return success(QJsonObject{{QStringLiteral("token"), randomToken()}});
}

QJsonObject CloudLedger::nsSetDevToken(const QJsonObject& body, lc_account* account)
{
    if (!isText(body, QStringLiteral("handleDeviceId")))
        return failure(QStringLiteral("c004"));
    const QString appFault = appKeysFault(body);
    if (!appFault.isEmpty())
        return failure(appFault);
    account->deviceToken = textOf(body, QStringLiteral("handleDeviceId"));
    return success();
}

QJsonObject CloudLedger::nsDevBind(const QJsonObject& body, lc_account* account)
{
    const QString address = textOf(body, QStringLiteral("deviceAddress"));
    if (address.isEmpty() || !isText(body, QStringLiteral("deviceSerial")))
        return failure(QStringLiteral("c004"));
    const QString owner = ownerOfBand(address);
    if (owner == account->mobile)
        return failure(QStringLiteral("c008"));
    if (!owner.isEmpty())
        return failure(QStringLiteral("c010"));
    if (account->bands.size() >= account->cardBindingCaps)
        return failure(QStringLiteral("c009"));
    const lc_band band{address, textOf(body, QStringLiteral("deviceSerial")),
                       QDateTime::currentDateTime().addDays(-bindingAgeDays)};
    account->bands.append(band);
    return success(QJsonObject{{QStringLiteral("bindDt"), band.bindDt.toString(STAMP_FORMAT)}});
}

QJsonObject CloudLedger::nsDevBindList(const QJsonObject&, lc_account* account)
{
    QJsonArray devices;
    for (const lc_band& band : account->bands) {
        devices.append(QJsonObject{
            {QStringLiteral("deviceAddress"), band.address},
            {QStringLiteral("deviceSerial"), band.serial},
            {QStringLiteral("bindDt"), band.bindDt.toString(STAMP_FORMAT)},
        });
    }
    return success(QJsonObject{{QStringLiteral("devices"), devices}});
}

QJsonObject CloudLedger::nsDevUnBind(const QJsonObject& body, lc_account* account)
{
    if (!isText(body, QStringLiteral("deviceAddress")))
        return failure(QStringLiteral("c004"));
    const QString address = textOf(body, QStringLiteral("deviceAddress"));
    for (int index = 0; index < account->bands.size(); ++index) {
        if (account->bands.at(index).address == address) {
            account->bands.removeAt(index);
            return success();
        }
    }
    return failure(QStringLiteral("c007"));
}

QJsonObject CloudLedger::nsDevUsePos(const QJsonObject& body, lc_account* account)
{
    const QJsonValue position = body.value(QStringLiteral("position"));
    if (!isWholeNumber(position) || position.toInt() < 0 || position.toInt() > 3)
        return failure(QStringLiteral("c004"));
    if (account->bands.isEmpty())
        return failure(QStringLiteral("c007"));
    account->position = position.toInt();
    return success();
}

QJsonObject CloudLedger::nsGetHealthNum(const QJsonObject&, lc_account* account)
{
    lc_health health = account->health;
    if (!health.date.isValid()) {
        health.gender = account->profile.value(QStringLiteral("gender")).toString() == QLatin1String("1") ? 1 : 0;
        health.age = account->profile.value(QStringLiteral("age")).toInt();
        health.height = account->profile.value(QStringLiteral("height")).toDouble();
        health.weight = account->profile.value(QStringLiteral("weight")).toDouble();
    }
    const double metres = health.height / 100;
    const double bmi = metres > 0 ? std::round(health.weight / (metres * metres) * 10) / 10 : 0;
    QJsonObject reply{
        {QStringLiteral("healthNumber"), bmi},
        {QStringLiteral("age"), health.age},
        {QStringLiteral("gender"), QString::number(health.gender)},
        {QStringLiteral("height"), health.height},
        {QStringLiteral("weight"), health.weight},
        {QStringLiteral("sleepRecommen"), QString::number(account->sleepTarget)},
        {QStringLiteral("ssportRecommen"), QString::number(account->stepTarget)},
    };
    if (health.date.isValid())
        reply.insert(QStringLiteral("healthDate"), health.date.toString(STAMP_FORMAT));
    return success(reply);
}

QJsonObject CloudLedger::nsSetHealthNum(const QJsonObject& body, lc_account* account)
{
    const QJsonValue gender = body.value(QStringLiteral("gender"));
    const QJsonValue age = body.value(QStringLiteral("age"));
    const QJsonValue height = body.value(QStringLiteral("height"));
    const QJsonValue weight = body.value(QStringLiteral("weight"));
    const QJsonValue update = body.value(QStringLiteral("isUpdateUserInfo"));
    if (!isWholeNumber(gender) || (gender.toInt() != 0 && gender.toInt() != 1) || !isWholeNumber(age)
        || age.toInt() < 0 || !height.isDouble() || height.toDouble() <= 0 || !weight.isDouble()
        || weight.toDouble() <= 0 || !isWholeNumber(update))
        return failure(QStringLiteral("c004"));
    account->health = lc_health{gender.toInt(), age.toInt(), height.toDouble(), weight.toDouble(),
                                QDateTime::currentDateTime()};
    if (update.toInt() == 1) {
        account->profile.insert(QStringLiteral("gender"), QString::number(gender.toInt()));
        account->profile.insert(QStringLiteral("age"), age.toInt());
        account->profile.insert(QStringLiteral("height"), height.toDouble());
        account->profile.insert(QStringLiteral("weight"), weight.toDouble());
    }
    return success();
}

// Both targets share one form: a positive whole figure and the code the page derived from it.
QJsonObject CloudLedger::storeTarget(const QJsonObject& body, const QString& key, int* target, int* targetCode)
{
    const QJsonValue figure = body.value(key);
    const QJsonValue code = body.value(QStringLiteral("targetCode"));
    if (!isWholeNumber(figure) || figure.toInt() <= 0 || !isWholeNumber(code))
        return failure(QStringLiteral("c004"));
    *target = figure.toInt();
    *targetCode = code.toInt();
    return success();
}

QJsonObject CloudLedger::nsSetSportTarget(const QJsonObject& body, lc_account* account)
{
    return storeTarget(body, QStringLiteral("targetFoots"), &account->stepTarget, &account->stepTargetCode);
}

QJsonObject CloudLedger::nsSetSleepTarget(const QJsonObject& body, lc_account* account)
{
    return storeTarget(body, QStringLiteral("sleepLenTime"), &account->sleepTarget, &account->sleepTargetCode);
}

bool CloudLedger::rangeOf(const QJsonObject& body, QDate* first, QDate* last) const
{
    *first = QDate::fromString(textOf(body, QStringLiteral("startDate")), DAY_FORMAT);
    *last = QDate::fromString(textOf(body, QStringLiteral("endDate")), DAY_FORMAT);
    return first->isValid() && last->isValid() && *first <= *last && first->daysTo(*last) < LONGEST_RANGE_DAYS;
}

QString CloudLedger::statisticsDay(const QJsonObject& body, const lc_account& account, lc_day* record) const
{
    const QDate day = QDate::fromString(textOf(body, QStringLiteral("statisticsDate")), DAY_FORMAT);
    if (!day.isValid())
        return QStringLiteral("c004");
    if (!account.days.contains(day))
        return QStringLiteral("c026");
    *record = account.days.value(day);
    return QString();
}

QJsonObject CloudLedger::nsDaySportStats(const QJsonObject& body, lc_account* account)
{
    lc_day record;
    const QString fault = statisticsDay(body, *account, &record);
    if (!fault.isEmpty())
        return failure(fault);
    return success(QJsonObject{
        {QStringLiteral("totalFoots"), QString::number(record.walkNum)},
        {QStringLiteral("totalTime"), QString::number(record.sportTimeLen)},
        {QStringLiteral("distance"), decimalText(record.distance)},
        {QStringLiteral("calorie"), decimalText(record.calories)},
    });
}

QJsonObject CloudLedger::nsDaySleepStats(const QJsonObject& body, lc_account* account)
{
    lc_day record;
    const QString fault = statisticsDay(body, *account, &record);
    if (!fault.isEmpty())
        return failure(fault);
    return success(QJsonObject{
        {QStringLiteral("totalTime"), QString::number(record.sleepTimeLen)},
        {QStringLiteral("deepSleepTime"), QString::number(record.depthSleepTimeLen)},
        {QStringLiteral("simpleSleepTime"), QString::number(record.simpleSleepTimeLen)},
        {QStringLiteral("startTime"), record.beginSleepTM.toString(TIME_FORMAT)},
        {QStringLiteral("endTime"), record.endSleepTM.toString(TIME_FORMAT)},
    });
}

// Averages are over the days that hold an upload, so a new band is not dragged down by empty days.
QJsonObject CloudLedger::nsWeekSportStats(const QJsonObject& body, lc_account* account)
{
    QDate first;
    QDate last;
    if (!rangeOf(body, &first, &last))
        return failure(QStringLiteral("c004"));
    QJsonArray rows;
    double steps = 0, minutes = 0, distance = 0, calories = 0;
    int uploaded = 0;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        const lc_day record = account->days.value(day);
        rows.append(QJsonObject{
            {QStringLiteral("date"), day.toString(DAY_FORMAT)},
            {QStringLiteral("totalTime"), QString::number(record.sportTimeLen)},
            {QStringLiteral("totalFoots"), QString::number(record.walkNum)},
            {QStringLiteral("distance"), decimalText(record.distance)},
            {QStringLiteral("calorie"), decimalText(record.calories)},
        });
        if (!account->days.contains(day))
            continue;
        ++uploaded;
        steps += record.walkNum;
        minutes += record.sportTimeLen;
        distance += record.distance;
        calories += record.calories;
    }
    const int divisor = qMax(uploaded, 1);
    return success(QJsonObject{
        {QStringLiteral("avgTotalFoots"), QString::number(qRound(steps / divisor))},
        {QStringLiteral("avgSportTime"), minutesText(minutes / divisor)},
        {QStringLiteral("avgDistance"), decimalText(distance / divisor)},
        {QStringLiteral("avgCalorie"), decimalText(calories / divisor)},
        {QStringLiteral("sportDetailList"), rows},
        {QStringLiteral("title"), verdict(steps / divisor, account->stepTarget)},
        {QStringLiteral("tips"),
         weekTips(*account, QStringLiteral("本周平均每天%1步").arg(qRound(steps / divisor)))},
    });
}

QJsonObject CloudLedger::nsWeekSleepStats(const QJsonObject& body, lc_account* account)
{
    QDate first;
    QDate last;
    if (!rangeOf(body, &first, &last))
        return failure(QStringLiteral("c004"));
    QJsonArray rows;
    double deep = 0, light = 0, total = 0;
    QList<QTime> bedtimes;
    int uploaded = 0;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        const lc_day record = account->days.value(day);
        QJsonObject row{
            {QStringLiteral("sleepDate"), day.toString(DAY_FORMAT)},
            {QStringLiteral("totalTime"), QString::number(record.sleepTimeLen)},
            {QStringLiteral("deepSleepTime"), QString::number(record.depthSleepTimeLen)},
            {QStringLiteral("simpleSleepTime"), QString::number(record.simpleSleepTimeLen)},
        };
        if (record.beginSleepTM.isValid())
            row.insert(QStringLiteral("startTime"), record.beginSleepTM.toString(TIME_FORMAT));
        if (record.endSleepTM.isValid())
            row.insert(QStringLiteral("endTime"), record.endSleepTM.toString(TIME_FORMAT));
        rows.append(row);
        if (!account->days.contains(day))
            continue;
        ++uploaded;
        deep += record.depthSleepTimeLen;
        light += record.simpleSleepTimeLen;
        total += record.sleepTimeLen;
        if (record.beginSleepTM.isValid())
            bedtimes.append(record.beginSleepTM.time());
    }
    const int divisor = qMax(uploaded, 1);
    QJsonObject reply{
        {QStringLiteral("avgDeepSleepTime"), minutesText(deep / divisor)},
        {QStringLiteral("avgSimpleSleepTime"), minutesText(light / divisor)},
        {QStringLiteral("avgSleepTotalTime"), minutesText(total / divisor)},
        {QStringLiteral("sleepDetailList"), rows},
        {QStringLiteral("title"), verdict(total / divisor, account->sleepTarget)},
        {QStringLiteral("tips"),
         weekTips(*account, QStringLiteral("本周平均每晚睡眠%1分钟").arg(qRound(total / divisor)))},
    };
    if (!bedtimes.isEmpty())
        reply.insert(QStringLiteral("avgSleepStartTime"), averageBedtime(bedtimes));
    return success(reply);
}

// The whole list is checked before anything is stored: one bad day rejects the upload.
QJsonObject CloudLedger::nsDateSync(const QJsonObject& body, lc_account* account)
{
    const QString address = textOf(body, QStringLiteral("deviceAddress"));
    const QJsonValue list = body.value(QStringLiteral("dataList"));
    if (!list.isArray())
        return failure(QStringLiteral("c004"));
    if (ownerOfBand(address) != account->mobile)
        return failure(QStringLiteral("c007"));
    const QDateTime now = QDateTime::currentDateTime();
    QList<lc_day> days;
    for (const QJsonValue& element : list.toArray()) {
        const QJsonObject row = element.toObject();
        lc_day day;
        day.address = address;
        day.serial = textOf(body, QStringLiteral("deviceSerial"));
        day.day = QDate::fromString(textOf(row, QStringLiteral("sjDate")), DAY_FORMAT);
        day.firmwareVersion = textOf(row, QStringLiteral("firmwareVersion"));
        day.beginSleepTM = QDateTime::fromString(textOf(row, QStringLiteral("beginSleepTM")), MINUTE_FORMAT);
        day.endSleepTM = QDateTime::fromString(textOf(row, QStringLiteral("endSleepTM")), MINUTE_FORMAT);
        const QJsonArray datas = row.value(QStringLiteral("datas")).toArray();
        day.sportData = datas.at(0).toString();
        day.sleepData = datas.at(1).toString();
        day.uploadedAt = now;
        double sleep = 0, deep = 0, light = 0, sport = 0, walk = 0;
        const bool numbersRead = optionalNumber(row, QStringLiteral("sleepTimeLen"), &sleep)
                                 && optionalNumber(row, QStringLiteral("depthSleepTimeLen"), &deep)
                                 && optionalNumber(row, QStringLiteral("simpleSleepTimeLen"), &light)
                                 && optionalNumber(row, QStringLiteral("sportTimeLen"), &sport)
                                 && optionalNumber(row, QStringLiteral("walkNum"), &walk)
                                 && optionalNumber(row, QStringLiteral("distance"), &day.distance)
                                 && optionalNumber(row, QStringLiteral("calories"), &day.calories);
        const bool knownFormat = day.firmwareVersion == QLatin1String("20141128")
                                 || day.firmwareVersion == QLatin1String("20140728");
        if (!element.isObject() || !day.day.isValid() || !numbersRead || !knownFormat
            || qMin(qMin(sleep, deep), qMin(qMin(light, sport), walk)) < 0)
            return failure(QStringLiteral("c004"));
        day.sleepTimeLen = quint32(sleep);
        day.depthSleepTimeLen = quint32(deep);
        day.simpleSleepTimeLen = quint32(light);
        day.sportTimeLen = quint32(sport);
        day.walkNum = qint32(walk);
        days.append(day);
    }
    for (const lc_day& day : days)
        account->days.insert(day.day, day);
    return success();
}

QJsonObject CloudLedger::nsQueryLastSync(const QJsonObject& body, lc_account* account)
{
    const QString address = textOf(body, QStringLiteral("deviceAddress"));
    if (ownerOfBand(address) != account->mobile)
        return failure(QStringLiteral("c007"));
    QDate lastDay;
    QDateTime lastUpload;
    for (const lc_day& day : account->days) {
        if (day.address != address)
            continue;
        lastDay = qMax(lastDay, day.day);
        lastUpload = qMax(lastUpload, day.uploadedAt);
    }
    QJsonObject reply;
    if (lastDay.isValid()) {
        reply.insert(QStringLiteral("lastSJDate"), lastDay.toString(DAY_FORMAT));
        reply.insert(QStringLiteral("lastStatisticsTm"), lastUpload.toString(STAMP_FORMAT));
    }
    return success(reply);
}

QJsonObject CloudLedger::nsQueryLastData(const QJsonObject& body, lc_account* account)
{
    const QDate day = QDate::fromString(textOf(body, QStringLiteral("sjDate")), DAY_FORMAT);
    if (!day.isValid())
        return failure(QStringLiteral("c004"));
    const QString address = textOf(body, QStringLiteral("deviceAddress"));
    if (ownerOfBand(address) != account->mobile)
        return failure(QStringLiteral("c007"));
    const auto found = account->days.constFind(day);
    if (found == account->days.constEnd() || found->address != address)
        return failure(QStringLiteral("c026"));
    return success(QJsonObject{
        {QStringLiteral("firmwareVersion"), found->firmwareVersion},
        {QStringLiteral("datas"), QJsonArray{found->sportData, found->sleepData}},
    });
}

QJsonObject CloudLedger::nsAppVer(const QJsonObject& body, lc_account*)
{
    const QString appFault = appKeysFault(body);
    if (!appFault.isEmpty())
        return failure(appFault);
    return success(QJsonObject{
        {QStringLiteral("appVersion"), appVersion.version},
        {QStringLiteral("isGoUp"), appVersion.isGoUp ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("appUrl"), appVersion.url},
        {QStringLiteral("appVerContent"), appVersion.content},
    });
}

QJsonObject CloudLedger::nsFirmware(const QJsonObject& body, lc_account*)
{
    const QJsonValue current = body.value(QStringLiteral("firmwareVersion"));
    const QJsonValue withData = body.value(QStringLiteral("withData"));
    if (!isWholeNumber(current) || current.toInt() < 0 || current.toInt() > 0xffff
        || (withData != QJsonValue(QStringLiteral("0")) && withData != QJsonValue(QStringLiteral("1"))))
        return failure(QStringLiteral("c004"));
    QJsonObject reply{
        {QStringLiteral("currentVersion"), QString::number(current.toInt())},
        {QStringLiteral("upgradeVersion"), QString::number(firmware.version)},
    };
    if (withData.toString() == QLatin1String("1"))
        reply.insert(QStringLiteral("firmwareData"), QString::fromLatin1(firmware.image.toBase64()));
    return success(reply);
}
