#include "recordinggate.h"

#include <QSignalSpy>
#include <QtTest>

// Receives the two signals a spy cannot record: reference parameters and a byte pointer.
class Receiver : public QObject
{
    Q_OBJECT
public:
    explicit Receiver(RecordingGate* gate)
        : gate(gate)
    {
        connect(gate, SIGNAL(onNsWeekSleepStats(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,CloudGate::ns_ret_code&,QString&)),
                this, SLOT(on_WeekSleep(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,CloudGate::ns_ret_code&,QString&)));
        connect(gate, SIGNAL(onNsQueryLastData(const quint8*,QString,QString,CloudGate::ns_ret_code,QString)),
                this, SLOT(on_LastData(const quint8*,QString,QString,CloudGate::ns_ret_code,QString)));
    }
    RecordingGate* gate;
    QString summary;
    int code = 0;

public slots:
    void on_WeekSleep(QTime deep, QTime& simple, QTime& start, QTime& total,
                      QList<CloudGate::ns_week_sleep_detail>& rows, QString& tips, QString&,
                      CloudGate::ns_ret_code& returnCode, QString&)
    {
        summary = QStringList{deep.toString(), simple.toString(), start.toString(), total.toString(), tips}.join(' ');
        for (const CloudGate::ns_week_sleep_detail& row : rows)
            summary += QStringLiteral("|%1 %2 %3 %4 %5 %6").arg(row.startTime.toString(), row.endTime.toString())
                           .arg(row.totalTime).arg(row.deepSleepTime).arg(row.simpleSleepTime)
                           .arg(row.sleepDate.toString(QStringLiteral("yyyyMMdd")));
        code = returnCode.code;
    }
    void on_LastData(const quint8* ver, QString sport, QString sleep, CloudGate::ns_ret_code returnCode, QString)
    {
        gate->events.append(QStringLiteral("signal"));
        summary = QStringList{QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(ver), 4).toHex()),
                              sport, sleep}.join(' ');
        code = returnCode.code;
    }
};

class TestCloudGateData : public QObject
{
    Q_OBJECT
private slots:
    void requestBody_data();
    void requestBody();
    void bindList_data();
    void bindList();
    void health_data();
    void health();
    void replyDate_data();
    void replyDate();
    void weekSport_data();
    void weekSport();
    void weekSleep_data();
    void weekSleep();
    void storedDay_data();
    void storedDay();
    void firmware_data();
    void firmware();
    void appVersion_data();
    void appVersion();
};

void TestCloudGateData::requestBody_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<QJsonObject>("body");
    const QString v = QStringLiteral("v"), l = QStringLiteral("l"), t = QStringLiteral("t"), e;
    const QDateTime day(QDate(2014, 11, 28), QTime(9, 30));
    const QDateTime end(QDate(2014, 12, 4), QTime(0, 0));
    QTest::newRow("bind with empty token")
        << Request([=](CloudGate& g) { return g.nsDevBind(e, "A", "S", v, l); }) << 0x10au
        << json(R"({"accessToken":"","deviceAddress":"A","deviceSerial":"S","version":"v","language":"l"})");
    QTest::newRow("bind list")
        << Request([=](CloudGate& g) { return g.nsDevBindList(t, v, l); }) << 0x10bu
        << json(R"({"accessToken":"t","version":"v","language":"l"})");
    QTest::newRow("unbind with empty address")
        << Request([=](CloudGate& g) { return g.nsDevUnBind(t, e, "S", v, l); }) << 0x10cu
        << json(R"({"accessToken":"t","deviceAddress":"","deviceSerial":"S","version":"v","language":"l"})");
    QTest::newRow("wear position neck")
        << Request([=](CloudGate& g) { return g.nsDevUsePos(t, CloudGate::NS_DEV_POS_NECK, v, l); }) << 0x10du
        << json(R"({"accessToken":"t","position":2,"version":"v","language":"l"})");
    QTest::newRow("wear position out of range goes out unchanged")
        << Request([=](CloudGate& g) { return g.nsDevUsePos(t, CloudGate::NS_DEV_POS_LIST(7), v, l); }) << 0x10du
        << json(R"({"accessToken":"t","position":7,"version":"v","language":"l"})");
    QTest::newRow("health numbers")
        << Request([=](CloudGate& g) { return g.nsGetHealthNum(t, v, l); }) << 0x10eu
        << json(R"({"accessToken":"t","version":"v","language":"l"})");
    QTest::newRow("set health, gender true is 0, no user update")
        << Request([=](CloudGate& g) { return g.nsSetHealthNum(t, true, 30, 170.5, 60, false, v, l); }) << 0x10fu
        << json(R"({"accessToken":"t","gender":0,"age":30,"height":170.5,"weight":60,"isUpdateUserInfo":0,"version":"v","language":"l"})");
    QTest::newRow("set health, gender false is 1, user update")
        << Request([=](CloudGate& g) { return g.nsSetHealthNum(t, false, 0, 0, 0, true, v, l); }) << 0x10fu
        << json(R"({"accessToken":"t","gender":1,"age":0,"height":0,"weight":0,"isUpdateUserInfo":1,"version":"v","language":"l"})");
    QTest::newRow("step target")
        << Request([=](CloudGate& g) { return g.nsSetSportTarget(t, 8000, 3, v, l); }) << 0x110u
        << json(R"({"accessToken":"t","targetFoots":8000,"targetCode":3,"version":"v","language":"l"})");
    QTest::newRow("sleep target")
        << Request([=](CloudGate& g) { return g.nsSetSleepTarget(t, 480, 2, v, l); }) << 0x111u
        << json(R"({"accessToken":"t","sleepLenTime":480,"targetCode":2,"version":"v","language":"l"})");
    QTest::newRow("day sport")
        << Request([=](CloudGate& g) { return g.nsDaySportStats(t, day, v, l); }) << 0x112u
        << json(R"({"accessToken":"t","statisticsDate":"20141128","version":"v","language":"l"})");
    QTest::newRow("day sleep with invalid day")
        << Request([=](CloudGate& g) { return g.nsDaySleepStats(t, QDateTime(), v, l); }) << 0x114u
        << json(R"({"accessToken":"t","statisticsDate":"","version":"v","language":"l"})");
    QTest::newRow("week sport")
        << Request([=](CloudGate& g) { return g.nsWeekSportStats(t, day, end, v, l); }) << 0x113u
        << json(R"({"accessToken":"t","startDate":"20141128","endDate":"20141204","version":"v","language":"l"})");
    QTest::newRow("week sleep")
        << Request([=](CloudGate& g) { return g.nsWeekSleepStats(t, day, end, v, l); }) << 0x115u
        << json(R"({"accessToken":"t","startDate":"20141128","endDate":"20141204","version":"v","language":"l"})");
    QTest::newRow("upload without days")
        << Request([=](CloudGate& g) { return g.nsDateSync(t, "A", "S", {}, v, l); }) << 0x116u
        << json(R"({"accessToken":"t","deviceAddress":"A","deviceSerial":"S","dataList":[],"version":"v","language":"l"})");
    CloudGate::ns_data_sync record;
    record.sjDate = day, record.beginSleepTM = day, record.endSleepTM = end;
    record.sleepTimeLen = 4000000000u, record.depthSleepTimeLen = 2, record.simpleSleepTimeLen = 3;
    record.sportTimeLen = 4, record.walkNum = -5, record.distance = 1.5, record.calories = 0.25;
    CloudGate::ns_data_sync empty;
    empty.sportData = QStringLiteral("AQ==");
    QTest::newRow("upload two days")
        << Request([=](CloudGate& g) { return g.nsDateSync(t, "A", "S", {record, empty}, v, l); }) << 0x116u
        << json(R"({"accessToken":"t","deviceAddress":"A","deviceSerial":"S","version":"v","language":"l","dataList":[
                {"sjDate":"20141128","sleepTimeLen":4000000000,"depthSleepTimeLen":2,"simpleSleepTimeLen":3,
                 "beginSleepTM":"201411280930","endSleepTM":"201412040000","sportTimeLen":4,"walkNum":-5,
                 "distance":1.5,"calories":0.25,"firmwareVersion":"20141128","datas":["",""]},
                {"sjDate":"","sleepTimeLen":0,"depthSleepTimeLen":0,"simpleSleepTimeLen":0,"beginSleepTM":"",
                 "endSleepTM":"","sportTimeLen":0,"walkNum":0,"distance":0,"calories":0,
                 "firmwareVersion":"20141128","datas":["AQ==",""]}]})");
    QTest::newRow("last sync")
        << Request([=](CloudGate& g) { return g.nsQueryLastSync(t, "A", "S", v, l); }) << 0x117u
        << json(R"({"accessToken":"t","deviceAddress":"A","deviceSerial":"S","version":"v","language":"l"})");
    QTest::newRow("stored day")
        << Request([=](CloudGate& g) { return g.nsQueryLastData(t, "A", "S", day, v, l); }) << 0x118u
        << json(R"({"accessToken":"t","deviceAddress":"A","deviceSerial":"S","sjDate":"20141128","version":"v","language":"l"})");
    QTest::newRow("stored day without a valid day")
        << Request([=](CloudGate& g) { return g.nsQueryLastData(t, "A", "S", QDateTime(), v, l); }) << 0x118u
        << json(R"({"accessToken":"t","deviceAddress":"A","deviceSerial":"S","version":"v","language":"l"})");
    QTest::newRow("program version")
        << Request([=](CloudGate& g) { return g.nsAppVer("k", "s", v, l); }) << 0x119u
        << json(R"({"appKey":"k","appSysType":"s","version":"v","language":"l"})");
    QTest::newRow("firmware with image")
        << Request([=](CloudGate& g) { return g.nsFirmware(t, 0x0102, true); }) << 0x11au
        << json(R"({"accessToken":"t","firmwareVersion":258,"withData":"1"})");
    QTest::newRow("firmware without image")
        << Request([=](CloudGate& g) { return g.nsFirmware(e, 0xffff, false); }) << 0x11au
        << json(R"({"accessToken":"","firmwareVersion":65535,"withData":"0"})");
}

void TestCloudGateData::requestBody()
{
    QFETCH(Request, request);
    QFETCH(unsigned, id);
    QFETCH(QJsonObject, body);
    verifyRequest(request, id, body);
}

void TestCloudGateData::bindList_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("devices");
    QTest::addColumn<int>("code");
    QTest::newRow("two complete bands")
        << QByteArray(R"({"returnCode":"0000","devices":[{"deviceAddress":"A","deviceSerial":"1","bindDt":"20141128"},
                         {"deviceAddress":"B","deviceSerial":"2","bindDt":"20141129093015"}]})")
        << "A 1 201411280000|B 2 201411290930" << 0;
    QTest::newRow("second band never inherits address or date")
        << QByteArray(R"({"devices":[{"deviceAddress":"A","deviceSerial":"1","bindDt":"20141128"},{"deviceSerial":"2"}]})")
        << "A 1 201411280000| 2 " << -1;
    QTest::newRow("date only is no band, others skipped")
        << QByteArray(R"({"returnCode":"c007","devices":[{"bindDt":"20141128"},7,"A",{"deviceAddress":5}]})")
        << "" << 16;
    QTest::newRow("extra and mistyped fields")
        << QByteArray(R"({"devices":[{"deviceAddress":"A","deviceSerial":3,"bindDt":20141128,"position":2}]})")
        << "A  " << -1;
    QTest::newRow("devices as object") << QByteArray(R"({"returnCode":"0000","devices":{"deviceAddress":"A"}})") << ""
                                       << 0;
    QTest::newRow("not JSON") << QByteArray("{") << "" << 30;
}

void TestCloudGateData::bindList()
{
    QFETCH(QByteArray, reply);
    RecordingGate gate;
    QSignalSpy spy(&gate, SIGNAL(onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)));
    gate.onNsMsg(CloudGate::NS_MSG_DEV_BIND_LIST, reply);
    QCOMPARE(spy.size(), 1);
    QStringList devices;
    for (const CloudGate::ns_bind_dev& device : spy[0][0].value<QList<CloudGate::ns_bind_dev>>()) {
        QCOMPARE(device.position, CloudGate::NS_DEV_POS_WRIST);
        devices << QStringList{device.deviceAddress, device.deviceSerial,
                               device.bindDt.toString(QStringLiteral("yyyyMMddHHmm"))}.join(' ');
    }
    QTEST(devices.join('|'), "devices");
    QTEST(spy[0][1].value<CloudGate::ns_ret_code>().code, "code");
    QVERIFY(gate.nsBinds().isEmpty());
}

void TestCloudGateData::health_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("cached");
    QTest::newRow("complete success")
        << QByteArray(R"({"returnCode":"0000","healthNumber":22.5,"healthDate":"20141128","gender":"0","age":30,
                         "height":170.5,"weight":65,"sleepRecommen":"480","ssportRecommen":"8000","extra":1})")
        << "22.5 20141128 1 30 170.5 65 480 8000" << true;
    QTest::newRow("mistyped fields keep defaults")
        << QByteArray(R"({"returnCode":"0000","age":"30","height":"170","gender":0,"sportRecommen":"9"})")
        << "0  0 0 0 0  " << true;
    QTest::newRow("gender other text, age cut to 16 bits, fraction age is 0")
        << QByteArray(R"({"returnCode":"0000","gender":"","age":65566,"weight":30.5})") << "0  0 30 0 30.5  " << true;
    QTest::newRow("fraction age") << QByteArray(R"({"returnCode":"0000","age":30.5})") << "0  0 0 0 0  " << true;
    QTest::newRow("error keeps the cache")
        << QByteArray(R"({"returnCode":"b002","age":40,"ssportRecommen":"1"})") << "0  0 40 0 0  1" << false;
    QTest::newRow("missing code keeps the cache") << QByteArray(R"({"age":40})") << "0  0 40 0 0  " << false;
    QTest::newRow("not JSON keeps the cache") << QByteArray("x") << "0  0 0 0 0  " << false;
}

void TestCloudGateData::health()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, cached);
    RecordingGate gate;
    gate.onNsMsg(CloudGate::NS_MSG_GET_HEALTH_NUM, R"({"returnCode":"0000","age":99})");
    QSignalSpy spy(&gate, SIGNAL(onNsGetHealthNum(CloudGate::ns_get_bmi_detail,CloudGate::ns_ret_code,QString)));
    gate.onNsMsg(CloudGate::NS_MSG_GET_HEALTH_NUM, reply);
    QCOMPARE(spy.size(), 1);
    const auto bmi = spy[0][0].value<CloudGate::ns_get_bmi_detail>();
    const QString record = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                               .arg(bmi.healthNumber).arg(bmi.healthDate.toString(QStringLiteral("yyyyMMdd")))
                               .arg(int(bmi.gender)).arg(bmi.age).arg(bmi.height).arg(bmi.weight)
                               .arg(bmi.sleepRecommen, bmi.ssportRecommen);
    QTEST(record, "record");
    QCOMPARE(gate.nsBmi().age, cached ? bmi.age : quint16(99));
}

void TestCloudGateData::replyDate_data()
{
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QDateTime>("first");
    QTest::addColumn<QDateTime>("second");
    const QByteArray bind = SIGNAL(onNsDevBind(QDateTime,CloudGate::ns_ret_code,QString));
    const QByteArray last = SIGNAL(onNsQueryLastSync(QDateTime,QDateTime,CloudGate::ns_ret_code,QString));
    const QDateTime day(QDate(2014, 11, 28), QTime(0, 0));
    QTest::newRow("bind date") << 0x10au << bind << QByteArray(R"({"bindDt":"20141128"})") << day << QDateTime();
    QTest::newRow("unreadable bind date") << 0x10au << bind << QByteArray(R"({"bindDt":"2014-11-28"})") << QDateTime()
                                          << QDateTime();
    QTest::newRow("last sync dates")
        << 0x117u << last << QByteArray(R"({"lastStatisticsTm":"20141128093015","lastSJDate":"20141128"})")
        << QDateTime(QDate(2014, 11, 28), QTime(9, 30, 15)) << day;
    QTest::newRow("last sync mistyped") << 0x117u << last << QByteArray(R"({"lastStatisticsTm":20141128})")
                                        << QDateTime() << QDateTime();
}

void TestCloudGateData::replyDate()
{
    QFETCH(unsigned, id);
    QFETCH(QByteArray, signal);
    QFETCH(QByteArray, reply);
    RecordingGate gate;
    QSignalSpy spy(&gate, signal.constData());
    gate.onNsMsg(CloudGate::MSG_LIST(id), reply);
    QCOMPARE(spy.size(), 1);
    QTEST(spy[0][0].toDateTime(), "first");
    if (spy[0].size() == 4)
        QTEST(spy[0][1].toDateTime(), "second");
}

void TestCloudGateData::weekSport_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("summary");
    QTest::newRow("averages and rows")
        << QByteArray(R"({"returnCode":"0000","avgTotalFoots":"7000","avgSportTime":"95","avgDistance":"4.5",
                         "avgCalorie":"200.5","tips":"T","sportDetailList":[{"date":"20141128","totalTime":"30",
                         "totalFoots":"3000","distance":"2.5","calorie":"90.5"}]})")
        << "7000 01:35:00 4.5 200.5 T 0|20141128 30 3000 2.5 90.5";
    QTest::newRow("minutes wrap round midnight, no row inherits the one before")
        << QByteArray(R"({"avgSportTime":"1500","sportDetailList":[{"date":"20141128","totalTime":"30","totalFoots":"3",
                         "distance":"1","calorie":"1"},{"date":"20141129"}]})")
        << "0 01:00:00 0 0  -1|20141128 30 3 1 1|20141129 0 0 0 0";
    QTest::newRow("missing averages are 0, row without date dropped, number fields ignored")
        << QByteArray(R"({"sportDetailList":[{"totalFoots":"5"},{"date":"x","totalFoots":5,"distance":1},3]})")
        << "0  0 0  -1| 0 0 0 0";
    QTest::newRow("list as object, tips still read")
        << QByteArray(R"({"tips":"T","avgTotalFoots":"abc","sportDetailList":{"date":"20141128"}})") << "0  0 0 T -1";
    QTest::newRow("not JSON") << QByteArray("[]") << "0  0 0  30";
}

void TestCloudGateData::weekSport()
{
    QFETCH(QByteArray, reply);
    RecordingGate gate;
    QSignalSpy spy(&gate, SIGNAL(onNsWeekSportStats(qint32,QTime,double,double,QList<CloudGate::ns_week_sport_detail>,QString,QString,CloudGate::ns_ret_code,QString)));
    gate.onNsMsg(CloudGate::NS_MSG_WEEK_SPORT_STATS, reply);
    QCOMPARE(spy.size(), 1);
    const QList<QVariant>& args = spy[0];
    QString summary = QStringLiteral("%1 %2 %3 %4 %5 %6").arg(args[0].toInt()).arg(args[1].toTime().toString())
                          .arg(args[2].toDouble()).arg(args[3].toDouble()).arg(args[5].toString())
                          .arg(args[7].value<CloudGate::ns_ret_code>().code);
    for (const CloudGate::ns_week_sport_detail& row : args[4].value<QList<CloudGate::ns_week_sport_detail>>())
        summary += QStringLiteral("|%1 %2 %3 %4 %5").arg(row.date.toString(QStringLiteral("yyyyMMdd")))
                       .arg(row.totalTime).arg(row.totalFoots).arg(row.distance).arg(row.calorie);
    QTEST(summary, "summary");
}

void TestCloudGateData::weekSleep_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<int>("code");
    QTest::newRow("averages and a full row")
        << QByteArray(R"({"returnCode":"0000","avgDeepSleepTime":"90","avgSimpleSleepTime":"1440","avgSleepStartTime":"2315",
                         "avgSleepTotalTime":"480","tips":"T","sleepDetailList":[{"startTime":"2300","endTime":"0700",
                         "totalTime":"480","deepSleepTime":"120","simpleSleepTime":"360","sleepDate":"20141128"}]})")
        << "01:30:00 00:00:00 23:15:00 08:00:00 T|23:00:00 07:00:00 480 120 360 20141128" << 0;
    QTest::newRow("unreadable date falls back to 1971, the next row inherits nothing")
        << QByteArray(R"({"sleepDetailList":[{"deepSleepTime":"120","startTime":"2200","sleepDate":"x"},{"simpleSleepTime":"5"}]})")
        << "    |22:00:00  0 120 0 19710101|  0 0 5 " << -1;
    QTest::newRow("date only and number total alone are dropped")
        << QByteArray(R"({"sleepDetailList":[{"sleepDate":"20141128"},{"totalTime":480},{"totalTime":480,"simpleSleepTime":"1"},
                         {"totalTime":480.5,"deepSleepTime":"2","startTime":"25xx"},"row"]})")
        << "    |  480 0 1 |  0 2 0 " << -1;
    QTest::newRow("not JSON") << QByteArray("nope") << "    " << 30;
}

void TestCloudGateData::weekSleep()
{
    QFETCH(QByteArray, reply);
    RecordingGate gate;
    Receiver receiver(&gate);
    EmissionCounter counter(&gate);
    gate.onNsMsg(CloudGate::NS_MSG_WEEK_SLEEP_STATS, reply);
    QCOMPARE(counter.names, QStringList{QStringLiteral("onNsWeekSleepStats")});
    QTEST(receiver.summary, "summary");
    QTEST(receiver.code, "code");
}

void TestCloudGateData::storedDay_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<int>("code");
    QTest::newRow("current format, both empty")
        << QByteArray(R"({"returnCode":"0000","firmwareVersion":"20141128","datas":["",""]})") << 0x11du
        << QByteArray::fromHex("000000020000000000000000") << "00000002  " << 0;
    QTest::newRow("current format, 5 and 3 bytes little-endian lengths")
        << QByteArray(R"({"returnCode":"0000","firmwareVersion":"20141128","datas":["AQIDBAU=","BgcI"]})") << 0x11du
        << QByteArray::fromHex("00000002050000000300000001020304050607 08").replace(' ', "")
        << "00000002 AQIDBAU= BgcI" << 0;
    QTest::newRow("one element, error code still sends")
        << QByteArray(R"({"returnCode":"c026","firmwareVersion":"20141128","datas":["AQ=="]})") << 0x11du
        << QByteArray::fromHex("0000000201000000000000000 1").replace(' ', "") << "00000002 AQ== " << 27;
    QTest::newRow("old format sends the sport bytes alone")
        << QByteArray(R"({"returnCode":"0000","firmwareVersion":"20140728","datas":["AQI=","BgcI"]})") << 0x11cu
        << QByteArray::fromHex("0102") << "00000001 AQI= BgcI" << 0;
    QTest::newRow("number format is a parse error")
        << QByteArray(R"({"returnCode":"0000","returnMsg":"m","firmwareVersion":20141128,"datas":["AQ=="]})") << 0x11du
        << QByteArray() << "00000002 AQ== " << 30;
    QTest::newRow("refusal without a format keeps its own code")
        << QByteArray(R"({"returnCode":"c026","returnMsg":"m"})") << 0x11du << QByteArray() << "00000002  " << 27;
    QTest::newRow("not JSON") << QByteArray("<") << 0x11du << QByteArray() << "00000002  " << 30;
}

void TestCloudGateData::storedDay()
{
    QFETCH(QByteArray, reply);
    QFETCH(unsigned, id);
    QFETCH(QByteArray, bytes);
    RecordingGate gate;
    Receiver receiver(&gate);
    gate.onNsMsg(CloudGate::NS_MSG_QUERY_LAST_DATA, reply);
    QCOMPARE(gate.events, (QStringList{QStringLiteral("send %1").arg(id, 0, 16), QStringLiteral("signal")}));
    QCOMPARE(gate.sent[0].body.toHex(), bytes.toHex());
    QTEST(receiver.summary, "summary");
    QTEST(receiver.code, "code");
}

void TestCloudGateData::firmware_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("upgrade");
    QTest::addColumn<QByteArray>("image");
    QTest::newRow("versions and wrapped image")
        << QByteArray(R"({"currentVersion":"258","upgradeVersion":"70000","firmwareData":"AQID\r\nBAU=\n"})") << 258
        << 4464 << QByteArray::fromHex("0102030405");
    QTest::newRow("not numbers, missing image") << QByteArray(R"({"currentVersion":"1a","upgradeVersion":"-1"})") << 0
                                                << 0 << QByteArray();
    QTest::newRow("versions as numbers are ignored") << QByteArray(R"({"currentVersion":5,"firmwareData":7})") << 0
                                                     << 0 << QByteArray();
    QTest::newRow("invalid character empties the image")
        << QByteArray(R"({"upgradeVersion":"2","firmwareData":"AQID*BAU="})") << 0 << 2 << QByteArray();
    QTest::newRow("not JSON") << QByteArray("AQID") << 0 << 0 << QByteArray();
}

void TestCloudGateData::firmware()
{
    QFETCH(QByteArray, reply);
    RecordingGate gate;
    QSignalSpy spy(&gate, SIGNAL(onNsFirmware(quint16,quint16,QByteArray)));
    gate.onNsMsg(CloudGate::NS_MSG_FIRMWARE, reply);
    QCOMPARE(spy.size(), 1);
    QTEST(spy[0][0].toInt(), "current");
    QTEST(spy[0][1].toInt(), "upgrade");
    QTEST(spy[0][2].toByteArray(), "image");
}

void TestCloudGateData::appVersion_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("isGoUp");
    QTest::addColumn<int>("code");
    QTest::newRow("text 1") << QByteArray(R"({"returnCode":"0000","isGoUp":"1","appVersion":"2.0"})") << true << 0;
    for (const char* text : {"true", "01", " 1"})
        QTest::newRow(text) << QByteArray(R"({"returnCode":"0000","isGoUp":")") + text + "\"}" << false << 0;
    QTest::newRow("number 1") << QByteArray(R"({"isGoUp":1})") << false << -1;
    QTest::newRow("not JSON") << QByteArray() << false << 30;
}

void TestCloudGateData::appVersion()
{
    QFETCH(QByteArray, reply);
    RecordingGate gate;
    QSignalSpy spy(&gate, SIGNAL(onNsAppVer(QString,bool,QString,QString,CloudGate::ns_ret_code,QString)));
    gate.onNsMsg(CloudGate::NS_MSG_APP_VER, reply);
    QCOMPARE(spy.size(), 1);
    QTEST(spy[0][1].toBool(), "isGoUp");
    QTEST(spy[0][4].value<CloudGate::ns_ret_code>().code, "code");
}

QTEST_GUILESS_MAIN(TestCloudGateData)
#include "tst_cloudgate_data.moc"
