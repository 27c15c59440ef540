#ifndef CLOUDLEDGER_H
#define CLOUDLEDGER_H

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

// The state of the loopback cloud and what each endpoint does with it: a request object in,
// a reply object (always with "returnCode" and "returnMsg") out. Knows nothing of HTTP.
class CloudLedger : public QObject
{
    Q_OBJECT
public:
    enum VC_TYPE { VC_REGISTER = 1, VC_GETBACKPWD = 4 };

    struct lc_band {
        QString address;
        QString serial;
        QDateTime bindDt;
    };

    // One uploaded day as the upload's record carries it.
    struct lc_day {
        QString address;
        QString serial;
        QDate day;
        quint32 sleepTimeLen = 0;
        quint32 depthSleepTimeLen = 0;
        quint32 simpleSleepTimeLen = 0;
        QDateTime beginSleepTM;
        QDateTime endSleepTM;
        quint32 sportTimeLen = 0;
        qint32 walkNum = 0;
        double distance = 0;
        double calories = 0;
        QString firmwareVersion = QStringLiteral("20141128");
        QString sportData;
        QString sleepData;
        QDateTime uploadedAt;
    };

    struct lc_health {
        int gender = 0;
        int age = 0;
        double height = 0;
        double weight = 0;
        QDateTime date;
    };

    struct lc_account {
        QString mobile;
        QString password;
        // Profile keys exactly as the cloud sends them in "account".
        QJsonObject profile;
        QString securityPassword;
        int cardBindingCaps = 1;
        bool locked = false;
        int position = 0;
        lc_health health;
        int stepTarget = 10000;
        int stepTargetCode = 0;
        int sleepTarget = 480;
        int sleepTargetCode = 0;
        QString deviceToken;
        QList<lc_band> bands;
        QMap<QDate, lc_day> days;
        // Not empty: the tips of both week replies, as the service writes them, in place of
        // the ones made from the days.
        QString weekTips;
    };

    struct lc_app_version {
        QString version = QStringLiteral("1.0.0");
        bool isGoUp = false;
        QString url;
        QString content;
    };

    struct lc_firmware {
        quint16 version = 0;
        QByteArray image;
    };

    explicit CloudLedger(QObject* parent = nullptr);

    bool addAccount(const QString& mobile, const QString& password);
    bool hasAccount(const QString& mobile) const;
    lc_account account(const QString& mobile) const;
    void setAccount(const lc_account& account);
    QString openSession(const QString& mobile);
    QString mobileOfToken(const QString& accessToken) const;
    QString lastCode(const QString& mobile, VC_TYPE type) const;
    bool bindBand(const QString& mobile, const lc_band& band);
    bool addDay(const QString& mobile, const lc_day& day);
    void setAppVersion(const lc_app_version& record);
    void setFirmware(const lc_firmware& record);
    // New bindings are dated this many days back, as if the band had been bound then.
    void setBindingAge(const int& days);

    bool knowsEndpoint(const QString& endpoint) const;
    // endpoint: the path after the common prefix, e.g. "account/login".
    QJsonObject handle(const QString& endpoint, const QByteArray& body);

    static QJsonObject failure(const QString& returnCode);
    static QString returnMsg(const QString& returnCode);

signals:
    void onCodeIssued(const QString& mobile, int type, const QString& code);

private:
    typedef QJsonObject (CloudLedger::*Handler)(const QJsonObject& body, lc_account* account);
    struct lc_endpoint {
        bool needsToken;
        Handler handler;
    };
    struct lc_code {
        QString code;
        QDateTime issuedAt;
    };
    struct lc_vc_token {
        QString mobile;
        int type = 0;
    };

    static const QHash<QString, lc_endpoint>& endpoints();

    QJsonObject nsRegister(const QJsonObject& body, lc_account*);
    QJsonObject nsLogin(const QJsonObject& body, lc_account*);
    QJsonObject nsLogout(const QJsonObject& body, lc_account* account);
    QJsonObject nsResetPwd(const QJsonObject& body, lc_account* account);
    QJsonObject nsVC(const QJsonObject& body, lc_account*);
    QJsonObject nsIsVC(const QJsonObject& body, lc_account*);
    QJsonObject nsUserInfo(const QJsonObject& body, lc_account* account);
    QJsonObject nsGetBackPwd(const QJsonObject& body, lc_account*);
    QJsonObject nsCheckPwd(const QJsonObject& body, lc_account* account);
    QJsonObject nsSetDevToken(const QJsonObject& body, lc_account* account);
    QJsonObject nsDevBind(const QJsonObject& body, lc_account* account);
    QJsonObject nsDevBindList(const QJsonObject& body, lc_account* account);
    QJsonObject nsDevUnBind(const QJsonObject& body, lc_account* account);
    QJsonObject nsDevUsePos(const QJsonObject& body, lc_account* account);
    QJsonObject nsGetHealthNum(const QJsonObject& body, lc_account* account);
    QJsonObject nsSetHealthNum(const QJsonObject& body, lc_account* account);
    QJsonObject nsSetSportTarget(const QJsonObject& body, lc_account* account);
    QJsonObject nsSetSleepTarget(const QJsonObject& body, lc_account* account);
    QJsonObject nsDaySportStats(const QJsonObject& body, lc_account* account);
    QJsonObject nsWeekSportStats(const QJsonObject& body, lc_account* account);
    QJsonObject nsDaySleepStats(const QJsonObject& body, lc_account* account);
    QJsonObject nsWeekSleepStats(const QJsonObject& body, lc_account* account);
    QJsonObject nsDateSync(const QJsonObject& body, lc_account* account);
    QJsonObject nsQueryLastSync(const QJsonObject& body, lc_account* account);
    QJsonObject nsQueryLastData(const QJsonObject& body, lc_account* account);
    QJsonObject nsAppVer(const QJsonObject& body, lc_account*);
    QJsonObject nsFirmware(const QJsonObject& body, lc_account* account);

    QJsonObject signedIn(lc_account& account);
    QString appKeysFault(const QJsonObject& body) const;
    QString accountWithNickname(const QString& nickname) const;
    QString ownerOfBand(const QString& address) const;
    QJsonObject storeTarget(const QJsonObject& body, const QString& key, int* target, int* targetCode);
    QString statisticsDay(const QJsonObject& body, const lc_account& account, lc_day* record) const;
    bool rangeOf(const QJsonObject& body, QDate* first, QDate* last) const;

    QMap<QString, lc_account> accounts;
    QHash<QString, QString> sessions;
    QMap<QPair<QString, int>, lc_code> codes;
    QHash<QString, lc_vc_token> vcTokens;
    lc_app_version appVersion;
    lc_firmware firmware;
    int bindingAgeDays = 0;
};

#endif // CLOUDLEDGER_H
