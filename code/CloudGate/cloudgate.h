#ifndef CLOUDGATE_H
#define CLOUDGATE_H

#include "cloudgate_export.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QTime>

// The cloud protocol codec: every request becomes one JSON body handed to sendMsg, every reply
// handed back to onNsMsg becomes records, a return code and one signal. It also keeps the
// login state that all pages share. It does no input or output of its own.
class CLOUDGATE_EXPORT CloudGate : public QObject
{
    Q_OBJECT
public:
    // Message ids; id - 0x100 indexes the endpoint table.
    enum MSG_LIST : unsigned {
        NS_MSG_REGISTER = 0x100,
        NS_MSG_LOGIN,
        NS_MSG_LOGOUT,
        NS_MSG_RESET_PWD,
        NS_MSG_VC,
        NS_MSG_IS_VC,
        NS_MSG_USER_INFO,
        NS_MSG_GET_BACK_PWD,
        NS_MSG_CHECK_PWD,
        NS_MSG_SET_DEV_TOKEN,
        NS_MSG_DEV_BIND,
        NS_MSG_DEV_BIND_LIST,
        NS_MSG_DEV_UNBIND,
        NS_MSG_DEV_USE_POS,
        NS_MSG_GET_HEALTH_NUM,
        NS_MSG_SET_HEALTH_NUM,
        NS_MSG_SET_SPORT_TARGET,
        NS_MSG_SET_SLEEP_TARGET,
        NS_MSG_DAY_SPORT_STATS,
        NS_MSG_WEEK_SPORT_STATS,
        NS_MSG_DAY_SLEEP_STATS,
        NS_MSG_WEEK_SLEEP_STATS,
        NS_MSG_DATE_SYNC,
        NS_MSG_QUERY_LAST_SYNC,
        NS_MSG_QUERY_LAST_DATA,
        NS_MSG_APP_VER,
        NS_MSG_FIRMWARE,
        NS_MSG_SPARE,
        NS_MSG_SYNC_DATA_RAW,
        NS_MSG_SYNC_DATA,
        NS_MSG_GET_DATA
    };

    // Rows of the return-code table.
    enum NS_RET_CODE_LIST {
        NS_RET_SUCCESS,
        NS_RET_SERVER_ERROR,
        NS_RET_BAD_CREDENTIALS,
        NS_RET_BAD_ACCESS_TOKEN,
        NS_RET_BAD_TOKEN,
        NS_RET_BAD_VC,
        NS_RET_BAD_USER_NAME,
        NS_RET_BAD_USER_STATE,
        NS_RET_NO_SECURITY_PWD,
        NS_RET_BAD_SECURITY_PWD,
        NS_RET_ACCOUNT_LOCKED,
        NS_RET_MOBILE_NOT_REGISTERED_OR_NOT_MOBILE,
        NS_RET_MOBILE_TAKEN,
        NS_RET_NICKNAME_TAKEN,
        NS_RET_BAD_PASSWORD,
        NS_RET_BAD_PARAMETER,
        NS_RET_DEV_NOT_BOUND,
        NS_RET_DEV_ALREADY_BOUND,
        NS_RET_USER_HAS_OTHER_DEV,
        NS_RET_DEV_BOUND_TO_OTHER,
        NS_RET_MOBILE_NOT_REGISTERED,
        NS_RET_EVENT_NOT_ACTIVE,
        NS_RET_BAD_EVENT_CODE,
        NS_RET_SMS_SEND_FAILED,
        NS_RET_VC_TOO_OFTEN,
        NS_RET_BAD_APP_TYPE,
        NS_RET_BAD_APP_CODE,
        NS_RET_DAY_NOT_SYNCED,
        NS_RET_EVENT_NOT_STARTED,
        NS_RET_EVENT_ENDED,
        NS_RET_PARSE_ERROR
    };

    // Purpose of a verification code, sent as the number "type".
    enum NS_VC_LIST { NS_VC_REGISTER = 1, NS_VC_GETBACKPWD = 4 };

    // Wear position as the cloud numbers it.
    enum NS_DEV_POS_LIST : qint32 { NS_DEV_POS_WRIST, NS_DEV_POS_WAIST, NS_DEV_POS_NECK, NS_DEV_POS_ANKLE };

    // Code for a reply whose "returnCode" is missing, mistyped or unknown: no table row, never 0.
    static const int NS_RET_UNKNOWN = -1;

    // The largest firmware image the band transfer can count: 65535 long packs of 1020 bytes.
    static constexpr qint64 FIRMWARE_IMAGE_MAX = qint64(0xFFFF) * 1020;
    // The longest firmware reply worth reading: the largest image as Base64, wrapped in lines
    // of 76 with an escaped CR LF (4 bytes of JSON) after each, plus 64 KiB of envelope. Any
    // longer reply carries nothing the system could use.
    static constexpr qint64 FIRMWARE_BASE64_MAX = (FIRMWARE_IMAGE_MAX + 2) / 3 * 4;
    static constexpr qint64 REPLY_MAX = FIRMWARE_BASE64_MAX + (FIRMWARE_BASE64_MAX + 75) / 76 * 4 + 64 * 1024;
    // Every other reply: the longest that carry anything, a downloaded day's two records and a
    // week's statistics, take a few KB.
    static constexpr qint64 SHORT_REPLY_MAX = 1024 * 1024;

    struct ns_msg_info {
        int flag = 0;
        QString path;
    };

    struct ns_ret_code {
        int code = NS_RET_UNKNOWN;
        QString retCode;
        QString retMsg;
    };

    struct ns_account {
        QString avatar;
        QString nickname;
        QString mobile;
        QString realName;
        QString idNumber;
        bool gender = true;
        quint16 age = 0;
        quint16 height = 0;
        quint16 weight = 0;
        QString job;
        QString province;
        QString city;
        QString county;
        QString district;
        QDateTime regDT;
        QString editNickname;
        QString securityPassword;
        int cardBindingCaps = 0;
        bool hasSecurityPwd = false;
    };

    struct ns_bind_dev {
        QString deviceAddress;
        QString deviceSerial;
        QDateTime bindDt;
        NS_DEV_POS_LIST position = NS_DEV_POS_WRIST;
    };

    struct ns_get_bmi_detail {
        double healthNumber = 0.0;
        QDateTime healthDate;
        bool gender = false;
        quint16 age = 0;
        double height = 0.0;
        double weight = 0.0;
        QString sleepRecommen;
        QString ssportRecommen;
    };

    struct ns_week_sport_detail {
        QDateTime date;
        qint32 totalTime = 0;
        qint32 totalFoots = 0;
        double distance = 0.0;
        double calorie = 0.0;
    };

    struct ns_week_sleep_detail {
        QTime startTime;
        QTime endTime;
        qint32 totalTime = 0;
        qint32 deepSleepTime = 0;
        qint32 simpleSleepTime = 0;
        QDateTime sleepDate;
    };

    struct ns_data_sync {
        QDateTime sjDate;
        quint32 sleepTimeLen = 0;
        quint32 depthSleepTimeLen = 0;
        quint32 simpleSleepTimeLen = 0;
        QDateTime beginSleepTM;
        QDateTime endSleepTM;
        quint32 sportTimeLen = 0;
        qint32 walkNum = 0;
        double distance = 0.0;
        double calories = 0.0;
        QString sleepData;
        QString sportData;
    };

    explicit CloudGate(QObject* parent = nullptr);
    ~CloudGate() override;

    static ns_msg_info getNsMsgInfo(const unsigned& index);
    static ns_ret_code getNsRetCode(const QString& retCode);
    static ns_account parseNsAccount(QJsonObject& account, QJsonObject& systemConfiguration);
    static void initNsAccess(CloudGate::ns_account* account);
    static QDateTime getStrDT(const QString& text);

    // Transport hook: true when the owner has taken the message. The base sends nothing.
    virtual bool sendMsg(const unsigned& id, const QByteArray& body);

    void onNsMsg(const CloudGate::MSG_LIST& id, const QByteArray& reply);

    // Login-state cache.
    void setNsToken(const QString& token);
    QString nsToken() const;
    void setNsAccount(const CloudGate::ns_account& account);
    CloudGate::ns_account nsAccount() const;
    void setNsBinds(const QList<CloudGate::ns_bind_dev>& binds);
    QList<CloudGate::ns_bind_dev> nsBinds() const;
    void nsSetStepTarget(const double& steps);
    double nsGetStepTarget() const;
    CloudGate::ns_get_bmi_detail nsBmi() const;

    // Account and verification codes.
    bool nsRegister(const QString& username, const QString& password, const QString& token, const QString& appKey,
                    const QString& appSysType, const QString& handleDeviceId, const QString& version,
                    const QString& language);
    bool nsLogin(const QString& username, const QString& password, const QString& appKey, const QString& appSysType,
                 const QString& handleDeviceId, const QString& version, const QString& language);
    bool nsLogout(const QString& accessToken, const QString& version, const QString& language);
    bool nsResetPwd(const QString& accessToken, const QString& password, const QString& version,
                    const QString& language);
    bool nsVC(const QString& mobile, const CloudGate::NS_VC_LIST& type);
    bool nsIsVC(const QString& mobile, const CloudGate::NS_VC_LIST& type, const QString& code);
    bool nsUserInfo(const QString& accessToken, const CloudGate::ns_account& account, const QString& version,
                    const QString& language);
    // The account with the cloud's own height and weight, fractions and all, in place of its
    // whole numbers.
    bool nsUserInfo(const QString& accessToken, const CloudGate::ns_account& account, const double& height,
                    const double& weight, const QString& version, const QString& language);
    bool nsGetBackPwd(const QString& token, const QString& mobile, const QString& password, const QString& version,
                      const QString& language);
    bool nsCheckPwd(const QString& accessToken, const QString& oldpwd, const QString& version,
                    const QString& language);
    bool nsSetDevToken(const QString& accessToken, const QString& appKey, const QString& appSysType,
                       const QString& handleDeviceId, const QString& version, const QString& language);

    // Devices, health numbers and targets.
    bool nsDevBind(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                   const QString& version, const QString& language);
    bool nsDevBindList(const QString& accessToken, const QString& version, const QString& language);
    bool nsDevUnBind(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                     const QString& version, const QString& language);
    bool nsDevUsePos(const QString& accessToken, const CloudGate::NS_DEV_POS_LIST& position, const QString& version,
                     const QString& language);
    bool nsGetHealthNum(const QString& accessToken, const QString& version, const QString& language);
    bool nsSetHealthNum(const QString& accessToken, const bool& gender, const int& age, const double& height,
                        const double& weight, const bool& isUpdateUserInfo, const QString& version,
                        const QString& language);
    bool nsSetSportTarget(const QString& accessToken, const int& targetFoots, const int& targetCode,
                          const QString& version, const QString& language);
    bool nsSetSleepTarget(const QString& accessToken, const int& sleepLenTime, const int& targetCode,
                          const QString& version, const QString& language);

    // Statistics.
    bool nsDaySportStats(const QString& accessToken, const QDateTime& day, const QString& version,
                         const QString& language);
    bool nsWeekSportStats(const QString& accessToken, const QDateTime& first, const QDateTime& last,
                          const QString& version, const QString& language);
    bool nsDaySleepStats(const QString& accessToken, const QDateTime& day, const QString& version,
                         const QString& language);
    bool nsWeekSleepStats(const QString& accessToken, const QDateTime& first, const QDateTime& last,
                          const QString& version, const QString& language);

    // Band day data.
    bool nsDateSync(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                    const QList<CloudGate::ns_data_sync>& days, const QString& version, const QString& language);
    bool nsQueryLastSync(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                         const QString& version, const QString& language);
    bool nsQueryLastData(const QString& accessToken, const QString& deviceAddress, const QString& deviceSerial,
                         const QDateTime& day, const QString& version, const QString& language);

    // Versions, firmware and raw text.
    bool nsAppVer(const QString& appKey, const QString& appSysType, const QString& version, const QString& language);
    bool nsFirmware(const QString& accessToken, const quint16& firmwareVersion, const bool& withData);
    bool nsGetData(const QString& text);

    void parseNsRegister(const QByteArray& reply);
    void parseNsLogin(const QByteArray& reply);
    void parseNsLogout(const QByteArray& reply);
    void parseNsResetPwd(const QByteArray& reply);
    void parseNsVC(const QByteArray& reply);
    void parseNsIsVC(const QByteArray& reply);
    void parseNsUserInfo(const QByteArray& reply);
    void parseNsGetBackPwd(const QByteArray& reply);
    void parseNsCheckPwd(const QByteArray& reply);
    void parseNsSetDevToken(const QByteArray& reply);
    void parseNsDevBind(const QByteArray& reply);
    void parseNsDevBindList(const QByteArray& reply);
    void parseNsDevUnBind(const QByteArray& reply);
    void parseNsDevUsePos(const QByteArray& reply);
    void parseNsGetHealthNum(const QByteArray& reply);
    void parseNsSetHealthNum(const QByteArray& reply);
    void parseNsSetSportTarget(const QByteArray& reply);
    void parseNsSetSleepTarget(const QByteArray& reply);
    void parseNsDaySportStats(const QByteArray& reply);
    void parseNsWeekSportStats(const QByteArray& reply);
    void parseNsDaySleepStats(const QByteArray& reply);
    void parseNsWeekSleepStats(const QByteArray& reply);
    void parseNsDateSync(const QByteArray& reply);
    void parseNsQueryLastSync(const QByteArray& reply);
    void parseNsQueryLastData(const QByteArray& reply);
    void parseNsAppVer(const QByteArray& reply);
    void parseNsFirmware(const QByteArray& reply);

signals:
    void onNsRegister(const QString& accessToken, const CloudGate::ns_account& account,
                      const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsLogin(const QString& accessToken, const CloudGate::ns_account& account,
                   const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsLogout(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsResetPwd(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsVC(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsIsVC(const QString& token, const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsUserInfo(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsGetBackPwd(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsCheckPwd(const QString& token, const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsSetDevToken(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsDevBind(const QDateTime& bindDt, const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsDevBindList(const QList<CloudGate::ns_bind_dev>& devices, const CloudGate::ns_ret_code& returnCode,
                         const QString& returnMsg);
    void onNsDevUnBind(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsDevUsePos(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsGetHealthNum(const CloudGate::ns_get_bmi_detail& bmi, const CloudGate::ns_ret_code& returnCode,
                          const QString& returnMsg);
    void onNsSetHealthNum(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsSetSportTarget(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsSetSleepTarget(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsWeekSportStats(const qint32& avgTotalFoots, const QTime& avgSportTime, const double& avgDistance,
                            const double& avgCalorie, const QList<CloudGate::ns_week_sport_detail>& sportDetailList,
                            const QString& tips, const QString& title, const CloudGate::ns_ret_code& returnCode,
                            const QString& returnMsg);
    void onNsWeekSleepStats(const QTime& avgDeepSleepTime, QTime& avgSimpleSleepTime, QTime& avgSleepStartTime,
                            QTime& avgSleepTotalTime, QList<CloudGate::ns_week_sleep_detail>& sleepDetailList,
                            QString& tips, QString& title, CloudGate::ns_ret_code& returnCode, QString& returnMsg);
    void onNsDateSync(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsQueryLastSync(const QDateTime& lastStatisticsTm, const QDateTime& lastSJDate,
                           const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsQueryLastData(const quint8* ver, const QString& sportData, const QString& sleepData,
                           const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsAppVer(const QString& appVersion, const bool& isGoUp, const QString& appUrl, const QString& appVerContent,
                    const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void onNsFirmware(const quint16& currentVersion, const quint16& upgradeVersion, const QByteArray& data);
    void onNsAccountUpdate();
    void onNsGetData(const QByteArray& dat);

private:
    using HeadSignal = void (CloudGate::*)(const CloudGate::ns_ret_code&, const QString&);

    // Serialises the body in the indented, key-sorted form and hands it to the hook.
    bool sendJson(const unsigned& id, const QJsonObject& body);
    // For replies that carry nothing beyond the return code and message: emits signal with them.
    void parseHeadOnly(const QByteArray& reply, HeadSignal signal);

    QString token;
    CloudGate::ns_account account;
    QList<CloudGate::ns_bind_dev> binds;
    double stepTarget = 0.0;
    CloudGate::ns_get_bmi_detail bmi;
};

Q_DECLARE_METATYPE(CloudGate::ns_ret_code)
Q_DECLARE_METATYPE(CloudGate::ns_account)
Q_DECLARE_METATYPE(CloudGate::ns_bind_dev)
Q_DECLARE_METATYPE(CloudGate::ns_get_bmi_detail)
Q_DECLARE_METATYPE(CloudGate::ns_week_sport_detail)
Q_DECLARE_METATYPE(CloudGate::ns_week_sleep_detail)
Q_DECLARE_METATYPE(QList<CloudGate::ns_bind_dev>)
Q_DECLARE_METATYPE(QList<CloudGate::ns_week_sport_detail>)
Q_DECLARE_METATYPE(QList<CloudGate::ns_week_sleep_detail>)

#endif // CLOUDGATE_H
