#include "recordinggate.h"

#include <QSignalSpy>
#include <QtTest>

class TestCloudGateFrame : public QObject
{
    Q_OBJECT
private slots:
    void endpointTable_data();
    void endpointTable();
    void retCodeTable_data();
    void retCodeTable();
    void bodyIsIndentedAndSorted();
    void requestBody_data();
    void requestBody();
    void emptyTokenSendsNothing_data();
    void emptyTokenSendsNothing();
    void replyShape_data();
    void replyShape();
    void signInReply();
    void dispatchIgnores_data();
    void dispatchIgnores();
    void rawReplyPassesThrough();
    void signalText_data();
    void signalText();
    void account_data();
    void account();
    void strDT_data();
    void strDT();
    void startingValues();
};

void TestCloudGateFrame::endpointTable_data()
{
    QTest::addColumn<unsigned>("index");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("path");
    QTest::newRow("register") << 0u << 1 << "/zentrova-web/account/register";
    QTest::newRow("bind") << 10u << 1 << "/zentrova-web/device/binddevice";
    QTest::newRow("last data") << 24u << 1 << "/zentrova-web/synchro/querysynchrodata";
    QTest::newRow("firmware") << 26u << 1 << "/zentrova-web/param/updateFirmware";
    QTest::newRow("spare has no path") << 27u << 0 << "";
    QTest::newRow("raw text has no path") << 30u << 0 << "";
    QTest::newRow("past the table") << 31u << 0 << "";
    QTest::newRow("far past the table") << 0xffffffffu << 0 << "";
}

void TestCloudGateFrame::endpointTable()
{
    QFETCH(unsigned, index);
    const CloudGate::ns_msg_info info = CloudGate::getNsMsgInfo(index);
    QTEST(info.flag, "flag");
    QTEST(info.path, "path");
}

void TestCloudGateFrame::retCodeTable_data()
{
    QTest::addColumn<QString>("retCode");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("retMsg");
    const char* rows[][2] = {
        {"0000", "成功响应"}, {"a001", "服务器错误"}, {"b001", "登录凭据无效"}, {"b002", "访问令牌无效"},
        {"b003", "令牌无效"}, {"b004", "验证码错误"}, {"b005", "用户名错误"}, {"b006", "用户状态无效"},
        {"b007", "用户未设置安全密码"}, {"b008", "安全密码无效"}, {"b009", "用户账户锁定"},
        {"b010", " 该手机号未注册,或注册账号不是手机号码"}, {"c001", "手机号码已被注册"},
        {"c002", "昵称已被使用"}, {"c003", "密码错误"}, {"c004", "输入参数不合法"}, {"c007", "用户设备未绑定"},
        {"c008", "用户设备已绑定"}, {"c009", "用户已绑定其他设备"}, {"c010", "该设备已被其他用户绑定"},
        {"c013", "该手机号未注册"}, {"c020", "活动未开始或已结束"}, {"c021", "活动激活码无效"},
        {"c022", "短信验证码发送异常"}, {"c023", "一分钟内不能重复发送验证码"},
        {"c024", "app应用类型错误或应用类型暂不支持"}, {"c025", "应用码错误或参数没有维护"},
        {"c026", "该日暂未同步过数据"}, {"c027", "活动暂未开始"}, {"c028", "活动已结束"},
        {"parse error", "解释数据出错!"}};
    for (int i = 0; i < 31; ++i)
        QTest::newRow(rows[i][0]) << QString::fromUtf8(rows[i][0]) << i << QString::fromUtf8(rows[i][1]);
    QTest::newRow("upper case matches nothing") << "C003" << -1 << "";
    QTest::newRow("leading blank matches nothing") << " c003" << -1 << "";
    QTest::newRow("gap in the server codes") << "c005" << -1 << "";
    QTest::newRow("empty text") << "" << -1 << "";
}

void TestCloudGateFrame::retCodeTable()
{
    QFETCH(QString, retCode);
    QFETCH(int, code);
    QFETCH(QString, retMsg);
    const CloudGate::ns_ret_code row = CloudGate::getNsRetCode(retCode);
    QCOMPARE(row.code, code);
    QCOMPARE(row.retCode, code < 0 ? QString() : retCode);
    QCOMPARE(row.retMsg, retMsg);
}

void TestCloudGateFrame::bodyIsIndentedAndSorted()
{
    RecordingGate gate;
    QVERIFY(gate.nsLogout(QStringLiteral("tok"), QStringLiteral("1.0"), QStringLiteral("zh")));
    QCOMPARE(gate.sent.size(), 1);
    QCOMPARE(gate.sent[0].id, 0x102u);
    QCOMPARE(gate.sent[0].body, QByteArray("{\n    \"accessToken\": \"tok\",\n    \"language\": \"zh\",\n"
                                           "    \"version\": \"1.0\"\n}\n"));
}

void TestCloudGateFrame::requestBody_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<QJsonObject>("body");
    const QString v = QStringLiteral("v"), l = QStringLiteral("l"), t = QStringLiteral("t"), e;
    CloudGate::ns_account profile;
    QTest::newRow("register with handset id")
        << Request([=](CloudGate& g) { return g.nsRegister("u", "p", "k", "a", "s", "h", v, l); }) << 0x100u
        << json(R"({"username":"u","password":"p","token":"k","appKey":"a","appSysType":"s",
                    "handleDeviceId":"h","version":"v","language":"l"})");
    QTest::newRow("register without handset id")
        << Request([=](CloudGate& g) { return g.nsRegister("u", "p", "k", "a", "s", e, v, l); }) << 0x100u
        << json(R"({"username":"u","password":"p","token":"k","appKey":"a","appSysType":"s","version":"v","language":"l"})");
    QTest::newRow("login without handset id")
        << Request([=](CloudGate& g) { return g.nsLogin("u", "p", "a", "s", e, v, l); }) << 0x101u
        << json(R"({"username":"u","password":"p","appKey":"a","appSysType":"s","version":"v","language":"l"})");
    QTest::newRow("login with handset id")
        << Request([=](CloudGate& g) { return g.nsLogin("u", "", "a", "s", "h", v, l); }) << 0x101u
        << json(R"({"username":"u","password":"","appKey":"a","appSysType":"s","handleDeviceId":"h","version":"v","language":"l"})");
    QTest::newRow("reset password")
        << Request([=](CloudGate& g) { return g.nsResetPwd(t, "p", v, l); }) << 0x103u
        << json(R"({"accessToken":"t","password":"p","version":"v","language":"l"})");
    QTest::newRow("code for registration")
        << Request([=](CloudGate& g) { return g.nsVC("m", CloudGate::NS_VC_REGISTER); }) << 0x104u
        << json(R"({"mobile":"m","type":1})");
    QTest::newRow("check code for recovery")
        << Request([=](CloudGate& g) { return g.nsIsVC("m", CloudGate::NS_VC_GETBACKPWD, "9"); }) << 0x105u
        << json(R"({"mobile":"m","type":4,"code":"9"})");
    QTest::newRow("profile of zeros, gender true")
        << Request([=](CloudGate& g) { return g.nsUserInfo(t, profile, v, l); }) << 0x106u
        << json(R"({"accessToken":"t","height":0,"weight":0,"gender":"0","age":0,"version":"v","language":"l"})");
    CloudGate::ns_account full = profile;
    full.nickname = "n", full.avatar = "a", full.mobile = "m", full.realName = "r", full.idNumber = "i";
    full.job = "j", full.gender = false, full.age = 30, full.height = 172, full.weight = 65;
    full.province = "P", full.city = "C", full.county = "K";
    full.securityPassword = "ignored";
    QTest::newRow("profile address run together, no security password")
        << Request([=](CloudGate& g) { return g.nsUserInfo(t, full, v, l); }) << 0x106u
        << json(R"({"accessToken":"t","nickname":"n","avatar":"a","mobile":"m","realName":"r","idNumber":"i",
                    "height":172,"weight":65,"gender":"1","age":30,"job":"j","province":"P","city":"C",
                    "county":"K","district":"PCK","version":"v","language":"l"})");
    QTest::newRow("profile with the cloud's own height and weight, fractions kept")
        << Request([=](CloudGate& g) { return g.nsUserInfo(t, full, 172.5, 65.5, v, l); }) << 0x106u
        << json(R"({"accessToken":"t","nickname":"n","avatar":"a","mobile":"m","realName":"r","idNumber":"i",
                    "height":172.5,"weight":65.5,"gender":"1","age":30,"job":"j","province":"P","city":"C",
                    "county":"K","district":"PCK","version":"v","language":"l"})");
    CloudGate::ns_account edited = profile;
    edited.nickname = "old", edited.editNickname = "new", edited.city = "C", edited.hasSecurityPwd = true;
    QTest::newRow("profile edited nickname wins, city stands for district, empty security password")
        << Request([=](CloudGate& g) { return g.nsUserInfo(t, edited, v, l); }) << 0x106u
        << json(R"({"accessToken":"t","nickname":"new","height":0,"weight":0,"gender":"0","age":0,"city":"C",
                    "district":"C","securityPassword":"","version":"v","language":"l"})");
    CloudGate::ns_account district = full;
    district.district = "D";
    district.hasSecurityPwd = true;
    QTest::newRow("profile own district")
        << Request([=](CloudGate& g) { return g.nsUserInfo(t, district, v, l); }) << 0x106u
        << json(R"({"accessToken":"t","nickname":"n","avatar":"a","mobile":"m","realName":"r","idNumber":"i",
                    "height":172,"weight":65,"gender":"1","age":30,"job":"j","province":"P","city":"C",
                    "county":"K","district":"D","securityPassword":"ignored","version":"v","language":"l"})");
    QTest::newRow("recover without mobile")
        << Request([=](CloudGate& g) { return g.nsGetBackPwd("k", e, "p", v, l); }) << 0x107u
        << json(R"({"token":"k","password":"p","version":"v","language":"l"})");
    QTest::newRow("recover with mobile")
        << Request([=](CloudGate& g) { return g.nsGetBackPwd("k", "m", "p", v, l); }) << 0x107u
        << json(R"({"token":"k","mobile":"m","password":"p","version":"v","language":"l"})");
    QTest::newRow("check old password")
        << Request([=](CloudGate& g) { return g.nsCheckPwd(e, "o", v, l); }) << 0x108u
        << json(R"({"accessToken":"","oldpwd":"o","version":"v","language":"l"})");
    QTest::newRow("handset token keeps an empty id")
        << Request([=](CloudGate& g) { return g.nsSetDevToken(t, "a", "s", e, v, l); }) << 0x109u
        << json(R"({"accessToken":"t","appKey":"a","appSysType":"s","handleDeviceId":"","version":"v","language":"l"})");
}

void TestCloudGateFrame::requestBody()
{
    QFETCH(Request, request);
    QFETCH(unsigned, id);
    QFETCH(QJsonObject, body);
    verifyRequest(request, id, body);
}

void TestCloudGateFrame::emptyTokenSendsNothing_data()
{
    QTest::addColumn<Request>("request");
    QTest::newRow("logout") << Request([](CloudGate& g) { return g.nsLogout(QString(), "v", "l"); });
    QTest::newRow("profile") << Request([](CloudGate& g) { return g.nsUserInfo(QString(), {}, "v", "l"); });
}

void TestCloudGateFrame::emptyTokenSendsNothing()
{
    QFETCH(Request, request);
    RecordingGate gate;
    QVERIFY(!request(gate));
    QVERIFY(gate.sent.isEmpty());
}

void TestCloudGateFrame::replyShape_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("returnMsg");
    QTest::newRow("success") << QByteArray(R"({"returnCode":"0000","returnMsg":"ok"})") << 0 << "ok";
    QTest::newRow("wrong code b004") << QByteArray(R"({"returnCode":"b004"})") << 5 << "";
    QTest::newRow("wrong user b005") << QByteArray(R"({"returnCode":"b005"})") << 6 << "";
    QTest::newRow("locked b009") << QByteArray(R"({"returnCode":"b009"})") << 10 << "";
    QTest::newRow("taken c001") << QByteArray(R"({"returnCode":"c001"})") << 12 << "";
    QTest::newRow("wrong password c003") << QByteArray(R"({"returnCode":"c003"})") << 14 << "";
    QTest::newRow("missing code is no success") << QByteArray(R"({"returnMsg":"x"})") << -1 << "x";
    QTest::newRow("number code is no success") << QByteArray(R"({"returnCode":0})") << -1 << "";
    QTest::newRow("unknown code is no success") << QByteArray(R"({"returnCode":"zzzz"})") << -1 << "";
    QTest::newRow("number message is dropped") << QByteArray(R"({"returnCode":"0000","returnMsg":7})") << 0 << "";
    QTest::newRow("array") << QByteArray(R"([{"returnCode":"0000"}])") << 30 << "";
    QTest::newRow("empty body") << QByteArray() << 30 << "";
    QTest::newRow("not JSON") << QByteArray("<html>") << 30 << "";
}

void TestCloudGateFrame::replyShape()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, code);
    QFETCH(QString, returnMsg);
    const QList<QPair<unsigned, const char*>> endpoints = {
        {0x100, SIGNAL(onNsRegister(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString))},
        {0x101, SIGNAL(onNsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString))},
        {0x102, SIGNAL(onNsLogout(CloudGate::ns_ret_code,QString))},
        {0x103, SIGNAL(onNsResetPwd(CloudGate::ns_ret_code,QString))},
        {0x104, SIGNAL(onNsVC(CloudGate::ns_ret_code,QString))},
        {0x105, SIGNAL(onNsIsVC(QString,CloudGate::ns_ret_code,QString))},
        {0x106, SIGNAL(onNsUserInfo(CloudGate::ns_ret_code,QString))},
        {0x107, SIGNAL(onNsGetBackPwd(CloudGate::ns_ret_code,QString))},
        {0x108, SIGNAL(onNsCheckPwd(QString,CloudGate::ns_ret_code,QString))},
        {0x109, SIGNAL(onNsSetDevToken(CloudGate::ns_ret_code,QString))},
        {0x10a, SIGNAL(onNsDevBind(QDateTime,CloudGate::ns_ret_code,QString))},
        {0x10b, SIGNAL(onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString))},
        {0x10c, SIGNAL(onNsDevUnBind(CloudGate::ns_ret_code,QString))},
        {0x10d, SIGNAL(onNsDevUsePos(CloudGate::ns_ret_code,QString))},
        {0x10e, SIGNAL(onNsGetHealthNum(CloudGate::ns_get_bmi_detail,CloudGate::ns_ret_code,QString))},
        {0x10f, SIGNAL(onNsSetHealthNum(CloudGate::ns_ret_code,QString))},
        {0x110, SIGNAL(onNsSetSportTarget(CloudGate::ns_ret_code,QString))},
        {0x111, SIGNAL(onNsSetSleepTarget(CloudGate::ns_ret_code,QString))},
        {0x113, SIGNAL(onNsWeekSportStats(qint32,QTime,double,double,QList<CloudGate::ns_week_sport_detail>,QString,QString,CloudGate::ns_ret_code,QString))},
        {0x116, SIGNAL(onNsDateSync(CloudGate::ns_ret_code,QString))},
        {0x117, SIGNAL(onNsQueryLastSync(QDateTime,QDateTime,CloudGate::ns_ret_code,QString))},
        {0x119, SIGNAL(onNsAppVer(QString,bool,QString,QString,CloudGate::ns_ret_code,QString))}};
    for (const auto& endpoint : endpoints) {
        RecordingGate gate;
        EmissionCounter counter(&gate);
        QSignalSpy spy(&gate, endpoint.second);
        gate.onNsMsg(CloudGate::MSG_LIST(endpoint.first), reply);
        QCOMPARE(counter.names.size(), 1);
        QCOMPARE(spy.size(), 1);
        const QList<QVariant> args = spy[0];
        const auto result = args[args.size() - 2].value<CloudGate::ns_ret_code>();
        QCOMPARE(result.code, code);
        QCOMPARE(result.retCode.isEmpty(), code < 0);
        QCOMPARE(args.last().toString(), returnMsg);
    }
}

void TestCloudGateFrame::signInReply()
{
    RecordingGate gate;
    QSignalSpy spy(&gate, SIGNAL(onNsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString)));
    gate.onNsMsg(CloudGate::NS_MSG_LOGIN, R"({"returnCode":"0000","accessToken":"A","account":{"mobile":"138",
        "gender":"1","height":172.9},"systemConfiguration":{"hasSecurityPwd":"1","cardBindingCaps":3}})");
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toString(), QStringLiteral("A"));
    const auto account = spy[0][1].value<CloudGate::ns_account>();
    QCOMPARE(account.mobile, QStringLiteral("138"));
    QVERIFY(!account.gender);
    QCOMPARE(account.height, quint16(172));
    QVERIFY(account.hasSecurityPwd);
    QCOMPARE(account.cardBindingCaps, 3);

    QSignalSpy tokenSpy(&gate, SIGNAL(onNsIsVC(QString,CloudGate::ns_ret_code,QString)));
    gate.onNsMsg(CloudGate::NS_MSG_IS_VC, R"({"returnCode":"0000","token":"K"})");
    QCOMPARE(tokenSpy[0][0].toString(), QStringLiteral("K"));
}

void TestCloudGateFrame::dispatchIgnores_data()
{
    QTest::addColumn<unsigned>("id");
    for (unsigned id : {0xffu, 0x112u, 0x114u, 0x11bu, 0x11cu, 0x11du, 0x11fu, 0u})
        QTest::newRow(qPrintable(QString::number(id, 16))) << id;
}

void TestCloudGateFrame::dispatchIgnores()
{
    QFETCH(unsigned, id);
    RecordingGate gate;
    EmissionCounter counter(&gate);
    gate.onNsMsg(CloudGate::MSG_LIST(id), R"({"returnCode":"0000"})");
    QVERIFY(counter.names.isEmpty());
    QVERIFY(gate.sent.isEmpty());
}

void TestCloudGateFrame::rawReplyPassesThrough()
{
    RecordingGate gate;
    QVERIFY(gate.nsGetData(QStringLiteral("aé")));
    QCOMPARE(gate.sent[0].id, 0x11eu);
    QCOMPARE(gate.sent[0].body, QByteArray("a\xc3\xa9"));
    QSignalSpy spy(&gate, SIGNAL(onNsGetData(QByteArray)));
    gate.onNsMsg(CloudGate::NS_MSG_GET_DATA, QByteArray("\x00not json", 9));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toByteArray(), QByteArray("\x00not json", 9));
}

void TestCloudGateFrame::signalText_data()
{
    QTest::addColumn<QByteArray>("signal");
    const char* texts[] = {
        SIGNAL(onNsRegister(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsLogout(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsResetPwd(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsVC(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsIsVC(QString,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsUserInfo(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsGetBackPwd(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsCheckPwd(QString,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsSetDevToken(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsDevBind(QDateTime,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsDevUnBind(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsDevUsePos(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsGetHealthNum(CloudGate::ns_get_bmi_detail,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsSetHealthNum(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsSetSportTarget(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsSetSleepTarget(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsWeekSportStats(qint32,QTime,double,double,QList<CloudGate::ns_week_sport_detail>,QString,QString,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsWeekSleepStats(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,CloudGate::ns_ret_code&,QString&)),
        SIGNAL(onNsDateSync(CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsQueryLastSync(QDateTime,QDateTime,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsQueryLastData(const quint8*,QString,QString,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsAppVer(QString,bool,QString,QString,CloudGate::ns_ret_code,QString)),
        SIGNAL(onNsFirmware(quint16,quint16,QByteArray)),
        SIGNAL(onNsAccountUpdate()),
        SIGNAL(onNsGetData(QByteArray))};
    int index = 0;
    for (const char* text : texts)
        QTest::newRow(qPrintable(QString::number(index++))) << QByteArray(text);
}

// Pages connect by these texts; the row number is the signal's place in the class.
void TestCloudGateFrame::signalText()
{
    QFETCH(QByteArray, signal);
    CloudGate gate;
    EmissionCounter receiver(&gate);
    QVERIFY(QObject::connect(&gate, signal.constData(), &receiver, SLOT(hit())));
    const QByteArray normalized = QMetaObject::normalizedSignature(signal.constData() + 1);
    const int index = gate.metaObject()->indexOfSignal(normalized.constData());
    QCOMPARE(index - gate.metaObject()->methodOffset(), QString::fromLatin1(QTest::currentDataTag()).toInt());
}

void TestCloudGateFrame::account_data()
{
    QTest::addColumn<QByteArray>("account");
    QTest::addColumn<QByteArray>("configuration");
    QTest::addColumn<bool>("gender");
    QTest::addColumn<int>("age");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("hasSecurityPwd");
    QTest::addColumn<int>("caps");
    QTest::newRow("two empty objects") << QByteArray("{}") << QByteArray("{}") << true << 0 << 0 << false << 0;
    QTest::newRow("gender text 0 is true") << QByteArray(R"({"gender":"0"})") << QByteArray("{}") << true << 0 << 0 << false << 0;
    QTest::newRow("gender text 1 is false") << QByteArray(R"({"gender":"1"})") << QByteArray("{}") << false << 0 << 0 << false << 0;
    QTest::newRow("gender number keeps true") << QByteArray(R"({"gender":1})") << QByteArray("{}") << true << 0 << 0 << false << 0;
    QTest::newRow("height truncated, age as text ignored")
        << QByteArray(R"({"height":172.9,"age":"30"})") << QByteArray("{}") << true << 0 << 172 << false << 0;
    QTest::newRow("age and height cut to 16 bits")
        << QByteArray(R"({"age":65537,"height":70000})") << QByteArray("{}") << true << 1 << 4464 << false << 0;
    QTest::newRow("security flag 0") << QByteArray("{}") << QByteArray(R"({"hasSecurityPwd":"0"})") << true << 0 << 0 << false << 0;
    QTest::newRow("security flag empty text") << QByteArray("{}") << QByteArray(R"({"hasSecurityPwd":""})") << true << 0 << 0 << true << 0;
    QTest::newRow("caps as text ignored") << QByteArray("{}") << QByteArray(R"({"cardBindingCaps":"3"})") << true << 0 << 0 << false << 0;
}

void TestCloudGateFrame::account()
{
    QFETCH(QByteArray, account);
    QFETCH(QByteArray, configuration);
    QJsonObject accountObject = QJsonDocument::fromJson(account).object();
    QJsonObject configurationObject = QJsonDocument::fromJson(configuration).object();
    const CloudGate::ns_account result = CloudGate::parseNsAccount(accountObject, configurationObject);
    QTEST(result.gender, "gender");
    QTEST(int(result.age), "age");
    QTEST(int(result.height), "height");
    QTEST(result.hasSecurityPwd, "hasSecurityPwd");
    QTEST(result.cardBindingCaps, "caps");
    QVERIFY(!result.regDT.isValid());
}

void TestCloudGateFrame::strDT_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("fourteen digits") << "20141128093015" << QDateTime(QDate(2014, 11, 28), QTime(9, 30, 15));
    QTest::newRow("eight digits") << "20141128" << QDateTime(QDate(2014, 11, 28), QTime(0, 0));
    QTest::newRow("time of day") << "09:30:15" << QDateTime(QDate(1900, 1, 1), QTime(9, 30, 15));
    QTest::newRow("text date") << "Fri Nov 28 09:30:15 2014" << QDateTime(QDate(2014, 11, 28), QTime(9, 30, 15));
    QTest::newRow("hyphens") << "2014-11-28" << QDateTime();
    QTest::newRow("empty") << "" << QDateTime();
}

void TestCloudGateFrame::strDT()
{
    QFETCH(QString, text);
    QTEST(CloudGate::getStrDT(text), "expected");
}

// Nothing the cache or the records hold may start undefined.
void TestCloudGateFrame::startingValues()
{
    const CloudGate gate;
    QVERIFY(gate.nsToken().isEmpty());
    QVERIFY(gate.nsBinds().isEmpty());
    QCOMPARE(gate.nsGetStepTarget(), 0.0);
    const CloudGate::ns_get_bmi_detail bmi = gate.nsBmi();
    QVERIFY(bmi.healthNumber == 0.0 && !bmi.gender && bmi.age == 0 && bmi.height == 0.0 && bmi.weight == 0.0);
    QVERIFY(!bmi.healthDate.isValid());
    const CloudGate::ns_account account = gate.nsAccount();
    QVERIFY(account.gender && account.age == 0 && account.cardBindingCaps == 0 && !account.hasSecurityPwd);
    CloudGate::ns_account changed;
    changed.gender = false, changed.age = 9, changed.nickname = QStringLiteral("kept");
    CloudGate::initNsAccess(&changed);
    QVERIFY(changed.gender && changed.age == 0);
    QCOMPARE(changed.nickname, QStringLiteral("kept"));
    QCOMPARE(CloudGate::ns_bind_dev().position, CloudGate::NS_DEV_POS_WRIST);
}

QTEST_GUILESS_MAIN(TestCloudGateFrame)
#include "tst_cloudgate_frame.moc"
