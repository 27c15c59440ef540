#include "cloudgate.h"

#include "cloudgate_json.h"
#include "trace.h"

#include <QJsonDocument>

namespace {

const int tableRows = 31;

CloudGate::ns_msg_info endpoint(const char* path)
{
    CloudGate::ns_msg_info info;
    info.flag = path ? 1 : 0;
    info.path = QString::fromLatin1(path);
    return info;
}

const CloudGate::ns_msg_info nsMsgInfoTable[tableRows] = {
    endpoint("/zentrova-web/account/register"),
    endpoint("/zentrova-web/account/login"),
    endpoint("/zentrova-web/account/logout"),
    endpoint("/zentrova-web/account/resetPassword"),
    endpoint("/zentrova-web/verificationCode/get"),
    endpoint("/zentrova-web/verificationCode/validate"),
    endpoint("/zentrova-web/account/updateBaseInfo"),
    endpoint("/zentrova-web/account/getBackPassword"),
    endpoint("/zentrova-web/account/checkPassword"),
    endpoint("/zentrova-web/account/setdevicetoken"),
    endpoint("/zentrova-web/device/binddevice"),
    endpoint("/zentrova-web/device/listbinddevice"),
    endpoint("/zentrova-web/device/cancelbinddevice"),
    endpoint("/zentrova-web/device/devicepositionset"),
    endpoint("/zentrova-web/health/querynowhealthnum"),
    endpoint("/zentrova-web/health/sethealthnum"),
    endpoint("/zentrova-web/health/setsporttarget"),
    endpoint("/zentrova-web/health/setsleeptarget"),
    endpoint("/zentrova-web/statistics/daysportstatistics"),
    endpoint("/zentrova-web/statistics/weeksportstatistics"),
    endpoint("/zentrova-web/statistics/daysleepstatistics"),
    endpoint("/zentrova-web/statistics/weeksleepstatistics"),
    endpoint("/zentrova-web/synchro/datasynchro"),
    endpoint("/zentrova-web/synchro/querylaststatistics"),
    endpoint("/zentrova-web/synchro/querysynchrodata"),
    endpoint("/zentrova-web/param/getappnewversion"),
    endpoint("/zentrova-web/param/updateFirmware"),
    endpoint(nullptr),
    endpoint(nullptr),
    endpoint(nullptr),
    endpoint(nullptr),
};

CloudGate::ns_ret_code row(int code, const char* retCode, const QString& retMsg)
{
    CloudGate::ns_ret_code result;
    result.code = code;
    result.retCode = QString::fromLatin1(retCode);
    result.retMsg = retMsg;
    return result;
}

// Built before any translator exists, so the messages keep their source texts for the whole run.
const CloudGate::ns_ret_code nsRetCodeTable[tableRows] = {
    row(0, "0000", QObject::tr("成功响应")),
    row(1, "a001", QObject::tr("服务器错误")),
    row(2, "b001", QObject::tr("登录凭据无效")),
    row(3, "b002", QObject::tr("访问令牌无效")),
    row(4, "b003", QObject::tr("令牌无效")),
    row(5, "b004", QObject::tr("验证码错误")),
    row(6, "b005", QObject::tr("用户名错误")),
    row(7, "b006", QObject::tr("用户状态无效")),
    row(8, "b007", QObject::tr("用户未设置安全密码")),
    row(9, "b008", QObject::tr("安全密码无效")),
    row(10, "b009", QObject::tr("用户账户锁定")),
    row(11, "b010", QObject::tr(" 该手机号未注册,或注册账号不是手机号码")),
    row(12, "c001", QObject::tr("手机号码已被注册")),
    row(13, "c002", QObject::tr("昵称已被使用")),
    row(14, "c003", QObject::tr("密码错误")),
    row(15, "c004", QObject::tr("输入参数不合法")),
    row(16, "c007", QObject::tr("用户设备未绑定")),
    row(17, "c008", QObject::tr("用户设备已绑定")),
    row(18, "c009", QObject::tr("用户已绑定其他设备")),
    row(19, "c010", QObject::tr("该设备已被其他用户绑定")),
    row(20, "c013", QObject::tr("该手机号未注册")),
    row(21, "c020", QObject::tr("活动未开始或已结束")),
    row(22, "c021", QObject::tr("活动激活码无效")),
    row(23, "c022", QObject::tr("短信验证码发送异常")),
    row(24, "c023", QObject::tr("一分钟内不能重复发送验证码")),
    row(25, "c024", QObject::tr("app应用类型错误或应用类型暂不支持")),
    row(26, "c025", QObject::tr("应用码错误或参数没有维护")),
    row(27, "c026", QObject::tr("该日暂未同步过数据")),
    row(28, "c027", QObject::tr("活动暂未开始")),
    row(29, "c028", QObject::tr("活动已结束")),
    row(30, "parse error", QObject::tr("解释数据出错!")),
};

using Parser = void (CloudGate::*)(const QByteArray&);

// Indexed like the endpoint table; a null entry means the reply is not read.
const Parser replyParsers[tableRows] = {
    &CloudGate::parseNsRegister,
    &CloudGate::parseNsLogin,
    &CloudGate::parseNsLogout,
    &CloudGate::parseNsResetPwd,
    &CloudGate::parseNsVC,
    &CloudGate::parseNsIsVC,
    &CloudGate::parseNsUserInfo,
    &CloudGate::parseNsGetBackPwd,
    &CloudGate::parseNsCheckPwd,
    &CloudGate::parseNsSetDevToken,
    &CloudGate::parseNsDevBind,
    &CloudGate::parseNsDevBindList,
    &CloudGate::parseNsDevUnBind,
    &CloudGate::parseNsDevUsePos,
    &CloudGate::parseNsGetHealthNum,
    &CloudGate::parseNsSetHealthNum,
    &CloudGate::parseNsSetSportTarget,
    &CloudGate::parseNsSetSleepTarget,
    nullptr,
    &CloudGate::parseNsWeekSportStats,
    nullptr,
    &CloudGate::parseNsWeekSleepStats,
    &CloudGate::parseNsDateSync,
    &CloudGate::parseNsQueryLastSync,
    &CloudGate::parseNsQueryLastData,
    &CloudGate::parseNsAppVer,
    &CloudGate::parseNsFirmware,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

} // namespace

CloudGate::CloudGate(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<CloudGate::ns_ret_code>("CloudGate::ns_ret_code");
    qRegisterMetaType<CloudGate::ns_account>("CloudGate::ns_account");
    qRegisterMetaType<CloudGate::ns_bind_dev>("CloudGate::ns_bind_dev");
    qRegisterMetaType<CloudGate::ns_get_bmi_detail>("CloudGate::ns_get_bmi_detail");
    qRegisterMetaType<CloudGate::ns_week_sport_detail>("CloudGate::ns_week_sport_detail");
    qRegisterMetaType<CloudGate::ns_week_sleep_detail>("CloudGate::ns_week_sleep_detail");
    qRegisterMetaType<QList<CloudGate::ns_bind_dev>>("QList<CloudGate::ns_bind_dev>");
    qRegisterMetaType<QList<CloudGate::ns_week_sport_detail>>("QList<CloudGate::ns_week_sport_detail>");
    qRegisterMetaType<QList<CloudGate::ns_week_sleep_detail>>("QList<CloudGate::ns_week_sleep_detail>");
}

CloudGate::~CloudGate() = default;

CloudGate::ns_msg_info CloudGate::getNsMsgInfo(const unsigned& index)
{
    if (index >= unsigned(tableRows))
        return ns_msg_info();
    return nsMsgInfoTable[index];
}

CloudGate::ns_ret_code CloudGate::getNsRetCode(const QString& retCode)
{
    for (const ns_ret_code& known : nsRetCodeTable) {
        if (known.retCode == retCode)
            return known;
    }
    return ns_ret_code();
}

void CloudGate::initNsAccess(CloudGate::ns_account* account)
{
    if (!account)
        return;
    const ns_account defaults;
    account->gender = defaults.gender;
    account->age = defaults.age;
    account->height = defaults.height;
    account->weight = defaults.weight;
    account->cardBindingCaps = defaults.cardBindingCaps;
    account->hasSecurityPwd = defaults.hasSecurityPwd;
}

CloudGate::ns_account CloudGate::parseNsAccount(QJsonObject& account, QJsonObject& systemConfiguration)
{
    using namespace CloudJson;
    ns_account result;
    double number = 0.0;
    QString text;
    if (takeNumber(systemConfiguration, QStringLiteral("cardBindingCaps"), number))
        result.cardBindingCaps = wholeInt(number);
    if (takeString(systemConfiguration, QStringLiteral("hasSecurityPwd"), text))
        result.hasSecurityPwd = text != QLatin1String("0");

    takeString(account, QStringLiteral("avatar"), result.avatar);
    takeString(account, QStringLiteral("nickname"), result.nickname);
    takeString(account, QStringLiteral("mobile"), result.mobile);
    takeString(account, QStringLiteral("realName"), result.realName);
    takeString(account, QStringLiteral("idNumber"), result.idNumber);
    if (takeString(account, QStringLiteral("gender"), text))
        result.gender = text == QLatin1String("0");
    if (takeNumber(account, QStringLiteral("age"), number))
        result.age = quint16(wholeInt(number));
    if (takeNumber(account, QStringLiteral("height"), number))
        result.height = low16(number);
    if (takeNumber(account, QStringLiteral("weight"), number))
        result.weight = low16(number);
    takeString(account, QStringLiteral("job"), result.job);
    takeString(account, QStringLiteral("province"), result.province);
    takeString(account, QStringLiteral("city"), result.city);
    takeString(account, QStringLiteral("county"), result.county);
    takeString(account, QStringLiteral("district"), result.district);
    if (takeString(account, QStringLiteral("regDT"), text))
        result.regDT = getStrDT(text);
    return result;
}

QDateTime CloudGate::getStrDT(const QString& text)
{
    QDateTime result = QDateTime::fromString(text, Qt::TextDate);
    for (const char* format : {"yyyyMMddHHmmss", "yyyyMMdd", "hh:mm:ss"}) {
        if (result.isValid())
            break;
        result = QDateTime::fromString(text, QString::fromLatin1(format));
    }
    return result;
}

bool CloudGate::sendMsg(const unsigned& id, const QByteArray& body)
{
    Q_UNUSED(id)
    Q_UNUSED(body)
    return false;
}

void CloudGate::onNsMsg(const CloudGate::MSG_LIST& id, const QByteArray& reply)
{
    QLOG << "msg:" << unsigned(id) << " len:" << reply.size();
    const unsigned index = unsigned(id) - NS_MSG_REGISTER;
    if (index >= unsigned(tableRows))
        return;
    if (id == NS_MSG_GET_DATA) {
        emit onNsGetData(reply);
        return;
    }
    const Parser parser = replyParsers[index];
    if (parser)
        (this->*parser)(reply);
}

void CloudGate::setNsToken(const QString& token)
{
    this->token = token;
}

QString CloudGate::nsToken() const
{
    return token;
}

void CloudGate::setNsAccount(const CloudGate::ns_account& account)
{
    this->account = account;
}

CloudGate::ns_account CloudGate::nsAccount() const
{
    return account;
}

void CloudGate::setNsBinds(const QList<CloudGate::ns_bind_dev>& binds)
{
    this->binds = binds;
}

QList<CloudGate::ns_bind_dev> CloudGate::nsBinds() const
{
    return binds;
}

void CloudGate::nsSetStepTarget(const double& steps)
{
    stepTarget = steps;
}

double CloudGate::nsGetStepTarget() const
{
    return stepTarget;
}

CloudGate::ns_get_bmi_detail CloudGate::nsBmi() const
{
    return bmi;
}

bool CloudGate::sendJson(const unsigned& id, const QJsonObject& body)
{
    return sendMsg(id, QJsonDocument(body).toJson());
}

void CloudGate::parseHeadOnly(const QByteArray& reply, HeadSignal signal)
{
    const CloudJson::Reply head = CloudJson::read(reply);
    (this->*signal)(head.returnCode, head.returnMsg);
}
