#include "adapterplug.h"
#include "cloudmirror.h"
#include "corehub.h"
#include "portharvest.h"
#include "ptyadapter.h"
#include "simadapter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>

namespace {

// Keeps every request instead of carrying it; the test answers with download().
class FakeCloud : public CloudMirror
{
public:
    QList<Data> sent;
    bool addQueue(const Data& item) override
    {
        sent.append(item);
        return true;
    }
};

using HubCall = std::function<bool(CoreHub&)>;

enum AdapterCase { Answering, Silent, Absent, Unplugged };

QByteArray message(const QByteArray& text)
{
    return text + QByteArray(1, '\0');
}

// A day packet of head type 2 as the band and the cloud hold it: 17 head bytes, then items.
QByteArray stepDayPacket(const QDate& day, const QList<quint16>& steps)
{
    QByteArray packet(17, '\0');
    packet[7] = char(day.year() - 2000);
    packet[8] = char(day.month());
    packet[9] = char(day.day());
    packet[10] = 15;
    packet[11] = char(steps.size());
    for (const quint16 value : steps) {
        packet.append(char(value >> 8));
        packet.append(char(value & 0xFF));
    }
    return packet;
}

QByteArray sleepDayPacket(const QDate& day, const quint16& start, const quint8& minutes)
{
    QByteArray packet(17, '\0');
    packet[7] = char(day.year() - 2000);
    packet[8] = char(day.month());
    packet[9] = char(day.day());
    packet[10] = 1;
    packet.append(char(start >> 8));
    packet.append(char(start & 0xFF));
    packet.append(char(minutes));
    packet.append(char(4));
    return packet;
}

// The old day format: date, interval, count, then kind (1: steps) and value per item.
QByteArray oldStepDayPacket(const QDate& day, const quint16& value)
{
    QByteArray packet;
    packet.append(char(day.year() - 2000));
    packet.append(char(day.month()));
    packet.append(char(day.day()));
    packet.append(char(30));
    packet.append(char(1));
    packet.append(char(1));
    packet.append(char(value >> 8));
    packet.append(char(value & 0xFF));
    return packet;
}

QByteArray lastDataReply(const QString& format, const QByteArray& sport, const QByteArray& sleep)
{
    QJsonObject reply{{"returnCode", "0000"}, {"returnMsg", ""}, {"firmwareVersion", format}};
    reply.insert(QStringLiteral("datas"), QJsonArray{QString::fromLatin1(sport.toBase64()),
                                                     QString::fromLatin1(sleep.toBase64())});
    return QJsonDocument(reply).toJson();
}

QDate dateOf(const LocalVault::table_entry& t)
{
    return QDate(t.date.year, t.date.month, t.date.day);
}

} // namespace

Q_DECLARE_METATYPE(HubCall)

class TestCoreHub : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void cloudRequestReachesItsSignal_data();
    void cloudRequestReachesItsSignal();
    void idsWithoutRouteAreRefused();
    void cloudDayFillsTheCloudCopiesOnly_data();
    void cloudDayFillsTheCloudCopiesOnly();
    void dayQueryAnswersOnceFromTheLoop_data();
    void dayQueryAnswersOnceFromTheLoop();
    void storeProgressIsEmittedDuringTheCall_data();
    void storeProgressIsEmittedDuringTheCall();
    void calculators_data();
    void calculators();
    void cloudAddress_data();
    void cloudAddress();
    void adapterCommandAnsweredOnce_data();
    void adapterCommandAnsweredOnce();
    void disconnectIsFollowedByAScan();
    void lateReplyDoesNotAnswerTheNextCommand();
    void unplugClearsTheLink();
    void disconnectAnsweredZeroClearsTheLink();
    void lateReplyOfTheSameCommandIsDropped();
    void notificationForm_data();
    void notificationForm();
    void linkLostWithoutCommand();
    void busyIsAnnouncedOnChangeOnly();
    void bandConversation_data();
    void bandConversation();
    void pairingRoundThroughTheSimulatedAdapter();

private:
    CoreHub* newHub(FakeCloud** cloud = nullptr);
    static QByteArray wholeVersionNotification();
    static bool waitOpen(CoreHub& hub);
    static bool linkUp(CoreHub& hub, PtyAdapter& adapter);
    // A hub whose adapter port is open on the scripted adapter, with the band link up.
    std::unique_ptr<CoreHub> linkedHub(PtyAdapter& adapter);
};

void TestCoreHub::cleanup()
{
    qputenv("QUORIN_ADAPTER_PORT", QByteArray());
    qputenv("QUORIN_CLOUD_URL", QByteArray());
}

CoreHub* TestCoreHub::newHub(FakeCloud** cloud)
{
    FakeCloud* fake = new FakeCloud;
    if (cloud)
        *cloud = fake;
    return new CoreHub(new PortHarvest, fake);
}

bool TestCoreHub::waitOpen(CoreHub& hub)
{
    QSignalSpy busy(&hub, &CoreHub::onUsbBusy);
    return busy.wait(3000) && busy[0][0].toBool();
}

bool TestCoreHub::linkUp(CoreHub& hub, PtyAdapter& adapter)
{
    QSignalSpy conn(&hub, &CoreHub::onBcConn);
    hub.bcConnect(1);
    if (!QTest::qWaitFor([&] { return adapter.drain().endsWith("AT+CON1\r\n"); }, 2000))
        return false;
    adapter.answer(message("+CON\r\n1"));
    return conn.wait(2000) && conn[0][0].toBool() && hub.isAtConnect();
}

std::unique_ptr<CoreHub> TestCoreHub::linkedHub(PtyAdapter& adapter)
{
    qputenv("QUORIN_ADAPTER_PORT", adapter.link().toLocal8Bit());
    std::unique_ptr<CoreHub> hub(newHub());
    if (!waitOpen(*hub) || !linkUp(*hub, adapter))
        return nullptr;
    return hub;
}

void TestCoreHub::cloudRequestReachesItsSignal_data()
{
    QTest::addColumn<HubCall>("call");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("signal");

    QTest::newRow("sign-in as JSON to its path")
        << HubCall([](CoreHub& hub) {
               return hub.nsLogin("13800000000", "pw", hub.appKey(), hub.appSysType(), "", hub.version(),
                                  hub.LanguageString());
           })
        << 0x101 << "/zentrova-web/account/login" << int(CloudMirror::DATA_JSON)
        << QByteArray(R"({"returnCode":"0000","accessToken":"t"})")
        << QByteArray(SIGNAL(onNsLogin(QString, CloudGate::ns_account, CloudGate::ns_ret_code, QString)));
    QTest::newRow("health numbers")
        << HubCall([](CoreHub& hub) { return hub.nsGetHealthNum("t", hub.version(), hub.LanguageString()); })
        << 0x10e << "/zentrova-web/health/querynowhealthnum" << int(CloudMirror::DATA_JSON)
        << QByteArray(R"({"returnCode":"0000"})")
        << QByteArray(SIGNAL(onNsGetHealthNum(CloudGate::ns_get_bmi_detail, CloudGate::ns_ret_code, QString)));
    QTest::newRow("raw text as it stands, without a path")
        << HubCall([](CoreHub& hub) { return hub.nsGetData("ping"); }) << 0x11e << "" << int(CloudMirror::DATA_OCTET)
        << QByteArray("pong, not JSON") << QByteArray(SIGNAL(onNsGetData(QByteArray)));
    QTest::newRow("a failed transfer still reaches the signal")
        << HubCall([](CoreHub& hub) { return hub.nsLogout("t", hub.version(), hub.LanguageString()); }) << 0x102
        << "/zentrova-web/account/logout" << int(CloudMirror::DATA_JSON) << QByteArray()
        << QByteArray(SIGNAL(onNsLogout(CloudGate::ns_ret_code, QString)));
}

void TestCoreHub::cloudRequestReachesItsSignal()
{
    QFETCH(HubCall, call);
    QFETCH(int, id);
    QFETCH(QString, path);
    QFETCH(int, type);
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, signal);
    FakeCloud* cloud = nullptr;
    std::unique_ptr<CoreHub> hub(newHub(&cloud));
    QSignalSpy answer(hub.get(), signal.constData());
    QVERIFY(answer.isValid());
    QVERIFY(call(*hub));
    QCOMPARE(cloud->sent.size(), 1);
    QCOMPARE(cloud->sent[0].tag, id);
    QCOMPARE(cloud->sent[0].path, path);
    QCOMPARE(int(cloud->sent[0].type), type);
    QCOMPARE(answer.size(), 0);
    emit cloud->download(id, reply);
    QCOMPARE(answer.size(), 1);
}

void TestCoreHub::idsWithoutRouteAreRefused()
{
    FakeCloud* cloud = nullptr;
    std::unique_ptr<CoreHub> hub(newHub(&cloud));
    QVERIFY(!hub->sendMsg(CloudGate::NS_MSG_SPARE, "x"));
    QVERIFY(!hub->sendMsg(0x1ff, "x"));
    QVERIFY(!hub->sendMsg(0x300, "x"));
    QVERIFY(cloud->sent.isEmpty());
}

void TestCoreHub::cloudDayFillsTheCloudCopiesOnly_data()
{
    const QDate day(2026, 11, 3);
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("localDay");
    QTest::addColumn<int>("chartSteps");
    QTest::addColumn<int>("chartSleepSegments");

    QTest::newRow("current format: both days")
        << lastDataReply("20141128", stepDayPacket(day, {120, 300}), sleepDayPacket(day, 1380, 90)) << false << 420
        << 1;
    QTest::newRow("old format: steps only") << lastDataReply("20140728", oldStepDayPacket(day, 777), QByteArray())
                                            << false << 777 << 0;
    QTest::newRow("unknown format stores nothing")
        << lastDataReply("20990101", stepDayPacket(day, {5}), QByteArray()) << false << 0 << 0;
    QTest::newRow("the band's own day wins over the cloud copy")
        << lastDataReply("20141128", stepDayPacket(day, {1}), QByteArray()) << true << 9000 << 0;
}

void TestCoreHub::cloudDayFillsTheCloudCopiesOnly()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, localDay);
    QFETCH(int, chartSteps);
    QFETCH(int, chartSleepSegments);
    const QDate day(2026, 11, 3);
    FakeCloud* cloud = nullptr;
    std::unique_ptr<CoreHub> hub(newHub(&cloud));
    const uchar head[4] = {0, 0, 0, 2};
    if (localDay)
        QVERIFY(hub->fdAddStep(head, LocalVault::SYNC_NEW, stepDayPacket(day, {4000, 5000}), false));

    QVERIFY(hub->nsQueryLastData("t", "addr", "serial", QDateTime(day, QTime(0, 0)), hub->version(),
                                 hub->LanguageString()));
    emit cloud->download(CloudGate::NS_MSG_QUERY_LAST_DATA, reply);

    QCOMPARE(hub->fdGetStepDay(day).items.size(), localDay ? 2 : 0);
    QCOMPARE(hub->fdGetSleepDay(day).segments.size(), 0);
    const LocalVault::step_mem_data steps = hub->fdStepDay(day, false, true);
    int total = 0;
    for (const LocalVault::step_item& item : steps.items)
        total += item.value;
    QCOMPARE(total, chartSteps);
    QCOMPARE(dateOf(steps.t), day);
    QCOMPARE(hub->fdSleepDay(day, false, true).segments.size(), chartSleepSegments);
}

void TestCoreHub::dayQueryAnswersOnceFromTheLoop_data()
{
    QTest::addColumn<bool>("net");
    QTest::addColumn<bool>("sleep");
    QTest::addColumn<QByteArray>("signal");
    QTest::newRow("stored steps") << false << false << QByteArray(SIGNAL(onFdStepDay(LocalVault::step_mem_data)));
    QTest::newRow("stored sleep") << false << true << QByteArray(SIGNAL(onFdSleepDay(LocalVault::sleep_mem_data)));
    QTest::newRow("chart steps") << true << false << QByteArray(SIGNAL(onFdNetStepDay(LocalVault::step_mem_data)));
    QTest::newRow("chart sleep") << true << true << QByteArray(SIGNAL(onFdNetSleepDay(LocalVault::sleep_mem_data)));
}

void TestCoreHub::dayQueryAnswersOnceFromTheLoop()
{
    QFETCH(bool, net);
    QFETCH(bool, sleep);
    QFETCH(QByteArray, signal);
    std::unique_ptr<CoreHub> hub(newHub());
    QSignalSpy answer(hub.get(), signal.constData());
    const QDate day(2026, 12, 1);
    if (sleep)
        hub->fdSleepDay(day, true, net);
    else
        hub->fdStepDay(day, true, net);
    QCOMPARE(answer.size(), 0);
    QTRY_COMPARE(answer.size(), 1);
    QTest::qWait(50);
    QCOMPARE(answer.size(), 1);
    const LocalVault::table_entry t = sleep ? answer[0][0].value<LocalVault::sleep_mem_data>().t
                                            : answer[0][0].value<LocalVault::step_mem_data>().t;
    QCOMPARE(dateOf(t), day);
    QCOMPARE(int(t.interval), 0);
}

void TestCoreHub::storeProgressIsEmittedDuringTheCall_data()
{
    QTest::addColumn<unsigned>("code");
    QTest::addColumn<bool>("delivered");
    QTest::newRow("package test") << unsigned(LocalVault::FD_TEST_EXTRACT) << true;
    QTest::newRow("unpack") << unsigned(LocalVault::FD_SOFT_UPDATE) << true;
    QTest::newRow("no such progress code") << 1027u << false;
}

void TestCoreHub::storeProgressIsEmittedDuringTheCall()
{
    QFETCH(unsigned, code);
    QFETCH(bool, delivered);
    std::unique_ptr<CoreHub> hub(newHub());
    QSignalSpy progress(hub.get(), &CoreHub::onFdProcess);
    LocalVault::process record;
    record.id = 42;
    record.percent = 29;
    QCOMPARE(hub->sendMsg(code, record.toBytes()), delivered);
    QCOMPARE(progress.size(), delivered ? 1 : 0);
    if (delivered)
        QCOMPARE(progress[0][0].value<LocalVault::process>().percent, 29);
}

void TestCoreHub::calculators_data()
{
    QTest::addColumn<int>("accountHeight");
    QTest::addColumn<int>("accountWeight");
    QTest::addColumn<double>("metresOf1000Steps");
    QTest::addColumn<double>("caloriesOf1000Metres");
    // The BMI of these figures, with and without their fractions.
    QTest::addColumn<double>("bmiHeight");
    QTest::addColumn<double>("bmiWeight");
    QTest::addColumn<double>("bmi");
    QTest::newRow("no body numbers: 170 cm, 60 kg") << 0 << 0 << 705.5 << 62160.0 << 0.0 << 70.0 << 0.0;
    QTest::newRow("the account's body numbers") << 180 << 80 << 747.0 << 82880.0 << 175.0 << 70.0 << 22.857142857;
    QTest::newRow("a fraction of a kilogram counts in the BMI")
        << 180 << 80 << 747.0 << 82880.0 << 180.0 << 65.5 << 20.216049383;
    QTest::newRow("a fraction of a centimetre counts in the BMI")
        << 180 << 80 << 747.0 << 82880.0 << 172.5 << 65.0 << 21.844150389;
}

void TestCoreHub::calculators()
{
    QFETCH(int, accountHeight);
    QFETCH(int, accountWeight);
    QFETCH(double, metresOf1000Steps);
    QFETCH(double, caloriesOf1000Metres);
    QFETCH(double, bmiHeight);
    QFETCH(double, bmiWeight);
    QFETCH(double, bmi);
    std::unique_ptr<CoreHub> hub(newHub());
    CloudGate::ns_account account;
    account.height = quint16(accountHeight);
    account.weight = quint16(accountWeight);
    hub->setNsAccount(account);
    QVERIFY(qAbs(hub->sdCalcDist(1000) - metresOf1000Steps) < 1e-6);
    QVERIFY(qAbs(hub->sdCalcDefaultKcal(1000.0) - caloriesOf1000Metres) < 1e-6);
    QCOMPARE(hub->sdCalcDist(0), 0.0);
    QCOMPARE(CoreHub::sdCalcStepTarget(), 10000);
    QCOMPARE(CoreHub::sdCalcSleepTarget(), 8.0);
    QVERIFY(qAbs(CoreHub::getBmi(175, 70) - 22.857142857) < 1e-6);
    QCOMPARE(CoreHub::getBmi(0, 70), 0.0);
    QVERIFY2(qAbs(CoreHub::sdCalcBmi(bmiHeight, bmiWeight) - bmi) < 1e-6,
             qPrintable(QString::number(CoreHub::sdCalcBmi(bmiHeight, bmiWeight), 'f', 9)));
}

void TestCoreHub::cloudAddress_data()
{
    QTest::addColumn<QByteArray>("configured");
    QTest::addColumn<QString>("address");
    QTest::newRow("unset: the shipped cloud") << QByteArray() << "http://cloud.quorin.net:80";
    QTest::newRow("set: its scheme, host and port, no path")
        << QByteArray("http://127.0.0.1:8123/zentrova-web/?x=1") << "http://127.0.0.1:8123";
    QTest::newRow("set without a port: port 80") << QByteArray("http://127.0.0.1") << "http://127.0.0.1:80";
}

void TestCoreHub::cloudAddress()
{
    QFETCH(QByteArray, configured);
    QFETCH(QString, address);
    qputenv("QUORIN_CLOUD_URL", configured);
    QCOMPARE(CoreHub::cloudAddress().toString(), address);
}

void TestCoreHub::adapterCommandAnsweredOnce_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("adapterCase");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("result");

    struct Command {
        const char* name;
        int code;
        QByteArray reply;
    };
    const Command commands[] = {
        {"scan", BandLink::AT_SCAN, "+SCAN\r\n1\r\nQB-Band\r\nC4:7F:51:00:12:34"},
        {"connect", BandLink::AT_CON, "+CON\r\n1"},
        {"disconnect", BandLink::AT_DISCON, "+DISCON\r\n1"},
        {"notify", BandLink::AT_NOTIFY, "+NOTIFY\r\n1"},
    };
    const struct {
        const char* name;
        AdapterCase adapterCase;
    } cases[] = {{"answered in pieces", Answering}, {"silent", Silent}, {"absent", Absent}, {"unplugged", Unplugged}};
    for (const Command& command : commands) {
        for (const auto& c : cases) {
            // Without an adapter no link can be up, and the notification switch needs one.
            if (command.code == BandLink::AT_NOTIFY && c.adapterCase == Absent)
                continue;
            QTest::addRow("%s, %s", command.name, c.name)
                << command.code << int(c.adapterCase) << command.reply << (c.adapterCase == Answering);
        }
    }
    QTest::newRow("scan refused by the adapter") << int(BandLink::AT_SCAN) << int(Answering)
                                                 << QByteArray("+ERROR\r\n0") << false;
}

void TestCoreHub::adapterCommandAnsweredOnce()
{
    QFETCH(int, code);
    QFETCH(int, adapterCase);
    QFETCH(QByteArray, reply);
    QFETCH(bool, result);
    PtyAdapter adapter;
    QVERIFY(!adapter.link().isEmpty());
    qputenv("QUORIN_ADAPTER_PORT", adapterCase == Absent ? QByteArray("/nonexistent/adapter")
                                                         : adapter.link().toLocal8Bit());
    std::unique_ptr<CoreHub> hub(newHub());
    hub->setAdapterTimeout(400);
    if (adapterCase != Absent)
        QVERIFY(waitOpen(*hub));
    const bool needsLink = code == BandLink::AT_NOTIFY || (code == BandLink::AT_DISCON && adapterCase == Answering);
    if (needsLink)
        QVERIFY(linkUp(*hub, adapter));
    adapter.received.clear();

    QSignalSpy scan(hub.get(), &CoreHub::onBcScan);
    QSignalSpy conn(hub.get(), &CoreHub::onBcConn);
    QSignalSpy disconn(hub.get(), &CoreHub::onBcDisconn);
    QSignalSpy notify(hub.get(), &CoreHub::onBcNotify);
    QSignalSpy* answer = code == BandLink::AT_SCAN  ? &scan
                         : code == BandLink::AT_CON ? &conn
                         : code == BandLink::AT_DISCON ? &disconn : &notify;
    switch (code) {
    case BandLink::AT_SCAN: hub->bcScan(); break;
    case BandLink::AT_CON: hub->bcConnect(1); break;
    case BandLink::AT_DISCON: hub->bcDisConnect(); break;
    case BandLink::AT_NOTIFY: QVERIFY(hub->bcNotify()); break;
    }
    QCOMPARE(answer->size(), 0);
    if (adapterCase == Answering || adapterCase == Unplugged)
        QTRY_VERIFY(adapter.drain().endsWith("\r\n"));
    if (adapterCase == Answering) {
        const int half = reply.size() / 2;
        QVERIFY(adapter.answer(reply.left(half)));
        QTest::qWait(30);
        QVERIFY(adapter.answer(message(reply.mid(half))));
    }
    if (adapterCase == Unplugged)
        QVERIFY(adapter.unplug());
    QTRY_COMPARE_WITH_TIMEOUT(answer->size(), 1, 3000);
    QTest::qWait(600);
    QCOMPARE(answer->size(), 1);
    if (code == BandLink::AT_SCAN)
        QCOMPARE(scan[0][0].value<QList<BandLink::at_devinfo>>().size(), result ? 1 : 0);
    else
        QCOMPARE(answer->at(0).at(0).toBool(), result);
}

void TestCoreHub::disconnectIsFollowedByAScan()
{
    PtyAdapter adapter;
    std::unique_ptr<CoreHub> hub = linkedHub(adapter);
    QVERIFY(hub);
    QSignalSpy disconn(hub.get(), &CoreHub::onBcDisconn);
    QSignalSpy scan(hub.get(), &CoreHub::onBcScan);
    adapter.received.clear();
    hub->bcDisConnect();
    QTRY_COMPARE(adapter.drain(), QByteArray("AT+DISCON\r\n"));
    QVERIFY(adapter.answer(message("+DISCON\r\n1")));
    QTRY_COMPARE(adapter.drain(), QByteArray("AT+DISCON\r\nAT+SCAN\r\n"));
    QCOMPARE(disconn.size(), 1);
    QVERIFY(!hub->isAtConnect());
    QVERIFY(adapter.answer(message("+SCAN\r\n0")));
    QTRY_COMPARE(scan.size(), 1);
}

void TestCoreHub::lateReplyDoesNotAnswerTheNextCommand()
{
    PtyAdapter adapter;
    qputenv("QUORIN_ADAPTER_PORT", adapter.link().toLocal8Bit());
    std::unique_ptr<CoreHub> hub(newHub());
    hub->setAdapterTimeout(300);
    QVERIFY(waitOpen(*hub));
    QSignalSpy scan(hub.get(), &CoreHub::onBcScan);
    QSignalSpy conn(hub.get(), &CoreHub::onBcConn);
    hub->bcScan();
    hub->bcConnect(1);
    QTRY_COMPARE(scan.size(), 1);
    QTRY_VERIFY(adapter.drain().endsWith("AT+CON1\r\n"));
    QVERIFY(adapter.answer(message("+SCAN\r\n1\r\nLate\r\nAA:BB")));
    QTest::qWait(100);
    QCOMPARE(scan.size(), 1);
    QCOMPARE(conn.size(), 0);
    QVERIFY(adapter.answer(message("+CON\r\n1")));
    QTRY_COMPARE(conn.size(), 1);
    QVERIFY(conn[0][0].toBool());
}

void TestCoreHub::unplugClearsTheLink()
{
    PtyAdapter adapter;
    std::unique_ptr<CoreHub> hub = linkedHub(adapter);
    QVERIFY(hub);
    QSignalSpy unconn(hub.get(), &CoreHub::onUsbUnConn);
    QSignalSpy disconn(hub.get(), &CoreHub::onBcDisconn);
    QSignalSpy conn(hub.get(), &CoreHub::onUsbConn);
    QVERIFY(adapter.unplug());
    QTRY_COMPARE(unconn.size(), 1);
    QVERIFY(!hub->isAtConnect());
    QCOMPARE(disconn.size(), 1);
    QVERIFY(disconn[0][0].toBool());
    QVERIFY(!hub->bcNotify());

    QVERIFY(adapter.plug());
    QTRY_COMPARE(conn.size(), 1);
    QCOMPARE(unconn.size(), 1);
}

void TestCoreHub::disconnectAnsweredZeroClearsTheLink()
{
    PtyAdapter adapter;
    std::unique_ptr<CoreHub> hub = linkedHub(adapter);
    QVERIFY(hub);
    QSignalSpy disconn(hub.get(), &CoreHub::onBcDisconn);
    hub->bcDisConnect();
    QTRY_VERIFY(adapter.drain().endsWith("AT+DISCON\r\n"));
    QVERIFY(adapter.answer(message("+DISCON\r\n0")));
    QTRY_COMPARE(disconn.size(), 1);
    QVERIFY(!disconn[0][0].toBool());
    QVERIFY(!hub->isAtConnect());
}

void TestCoreHub::lateReplyOfTheSameCommandIsDropped()
{
    PtyAdapter adapter;
    qputenv("QUORIN_ADAPTER_PORT", adapter.link().toLocal8Bit());
    std::unique_ptr<CoreHub> hub(newHub());
    hub->setAdapterTimeout(300);
    QVERIFY(waitOpen(*hub));
    QSignalSpy conn(hub.get(), &CoreHub::onBcConn);
    hub->bcConnect(1);
    QTRY_COMPARE(conn.size(), 1);
    QVERIFY(!conn[0][0].toBool());
    hub->bcConnect(1);
    QTRY_COMPARE(adapter.drain(), QByteArray("AT+CON1\r\nAT+CON1\r\n"));
    QVERIFY(adapter.answer(message("+CON\r\n1")));
    QTest::qWait(100);
    QCOMPARE(conn.size(), 1);
    QVERIFY(adapter.answer(message("+CON\r\n0")));
    QTRY_COMPARE(conn.size(), 2);
    QVERIFY(!conn[1][0].toBool());
    QVERIFY(!hub->isAtConnect());
}

QByteArray TestCoreHub::wholeVersionNotification()
{
    const QByteArray packet = WireCodec::bhPacket(0x01, 0x02, QByteArray::fromHex("0103" "0123456789abcdef" "0001"));
    return "+NOTIFY=20," + packet.toHex().toUpper();
}

void TestCoreHub::notificationForm_data()
{
    const QByteArray hex = wholeVersionNotification().mid(11);
    QByteArray stray = hex;
    stray[7] = 'G';
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("versions");
    QTest::newRow("a whole packet") << QByteArray("+NOTIFY=20," + hex) << 1;
    QTest::newRow("a character that is not a hex digit") << QByteArray("+NOTIFY=20," + stray) << 0;
    QTest::newRow("count disagrees with the bytes") << QByteArray("+NOTIFY=19," + hex) << 0;
    QTest::newRow("no count") << QByteArray("+NOTIFY=" + hex) << 0;
}

void TestCoreHub::notificationForm()
{
    QFETCH(QByteArray, text);
    QFETCH(int, versions);
    PtyAdapter adapter;
    std::unique_ptr<CoreHub> hub = linkedHub(adapter);
    QVERIFY(hub);
    QSignalSpy version(hub.get(), &CoreHub::onBhVersion);
    QVERIFY(adapter.answer(message(text)));
    // A whole packet after it: once that one is through, the text has been taken or dropped.
    QVERIFY(adapter.answer(message(wholeVersionNotification())));
    QTRY_COMPARE(version.size(), versions + 1);
}

void TestCoreHub::linkLostWithoutCommand()
{
    PtyAdapter adapter;
    std::unique_ptr<CoreHub> hub = linkedHub(adapter);
    QVERIFY(hub);
    QSignalSpy disconn(hub.get(), &CoreHub::onBcDisconn);
    QSignalSpy scan(hub.get(), &CoreHub::onBcScan);
    QVERIFY(adapter.answer(message("+DISCON\r\n1") + message("garbage")));
    QTRY_COMPARE(disconn.size(), 1);
    QVERIFY(disconn[0][0].toBool());
    QVERIFY(!hub->isAtConnect());
    QTest::qWait(100);
    QCOMPARE(scan.size(), 0);
}

void TestCoreHub::busyIsAnnouncedOnChangeOnly()
{
    PtyAdapter adapter;
    qputenv("QUORIN_ADAPTER_PORT", adapter.link().toLocal8Bit());
    PortHarvest* port = new PortHarvest;
    std::unique_ptr<CoreHub> hub(new CoreHub(port, new FakeCloud));
    QSignalSpy polls(port, &PortHarvest::onBusy);
    QSignalSpy busy(hub.get(), &CoreHub::onUsbBusy);
    QSignalSpy removed(hub.get(), &CoreHub::onUsbUnConn);
    QTRY_VERIFY(polls.size() >= 3);
    QCOMPARE(busy.size(), 1);
    QVERIFY(busy[0][0].toBool());
    QCOMPARE(busy[0][1].toString(), QStringLiteral("adapter"));
    QVERIFY(adapter.unplug());
    QVERIFY(removed.wait());
    QVERIFY(adapter.plug());
    QTRY_COMPARE(busy.size(), 2);
}

void TestCoreHub::bandConversation_data()
{
    QTest::addColumn<HubCall>("call");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("answers");

    const HubCall version = [](CoreHub& hub) { return hub.bhVersion(); };
    const HubCall stepDay = [](CoreHub& hub) {
        const QDate day = QDate::currentDate();
        return hub.bhStep(day, day, hub.bhGetVersion());
    };
    const HubCall sleepDay = [](CoreHub& hub) {
        const QDate day = QDate::currentDate();
        return hub.bhSleep(day, day, hub.bhGetVersion());
    };
    const HubCall param = [](CoreHub& hub) {
        WireCodec::bh_param_struct param;
        param.dt = QDateTime::currentDateTime();
        param.versionWord = 0x0001;
        param.stepTarget = 8000;
        return hub.bhParam(param);
    };
    const HubCall firmwareStart = [](CoreHub& hub) {
        WireCodec::bs_pack start;
        const uchar head[] = {0x5A, 0x11, 0x00, 0x00, 0x00, 0x01, 0xF4, 0x12, 0x34, 0x03, 0xFC};
        std::copy(std::begin(head), std::end(head), start.data);
        return hub.bhFirmwareSend(start);
    };
    QTest::newRow("firmware start") << firmwareStart << int(BandFault::None)
                                    << QByteArray(SIGNAL(onBhFirmRev(WireCodec::bs_pack))) << 1;
    QTest::newRow("version") << version << int(BandFault::None)
                             << QByteArray(SIGNAL(onBhVersion(WireCodec::bs_reply_version))) << 1;
    QTest::newRow("parameters") << param << int(BandFault::None)
                                << QByteArray(SIGNAL(onBhParamReply(WireCodec::bs_reply_param))) << 1;
    QTest::newRow("step day reply") << stepDay << int(BandFault::None)
                                    << QByteArray(SIGNAL(onBhStep(WireCodec::bs_reply_sync_step))) << 1;
    // 96 quarter-hours of 2 bytes: 192 bytes, the head pack and 12 data packs.
    QTest::newRow("step day packs") << stepDay << int(BandFault::None)
                                    << QByteArray(SIGNAL(onBhStepLong(WireCodec::bs_pack))) << 13;
    QTest::newRow("sleep day reply") << sleepDay << int(BandFault::None)
                                     << QByteArray(SIGNAL(onBhSleep(WireCodec::bs_reply_sync_sleep))) << 1;
    QTest::newRow("band error report") << version << int(BandFault::ErrorPacket)
                                       << QByteArray(SIGNAL(onBhError(WireCodec::bs_pack_error))) << 1;
    QTest::newRow("silent band") << version << int(BandFault::Silent)
                                 << QByteArray(SIGNAL(onBhVersion(WireCodec::bs_reply_version))) << 0;
}

void TestCoreHub::bandConversation()
{
    QFETCH(HubCall, call);
    QFETCH(int, fault);
    QFETCH(QByteArray, signal);
    QFETCH(int, answers);
    SimAdapter sim;
    QVERIFY(sim.isOpen());
    sim.band().setStepDay(QDate::currentDate(), 15, QVector<quint16>(96, 40).toList());
    sim.band().setSleepDay(QDate::currentDate(), {{1380, 60, 1}, {1440, 200, 4}});
    sim.band().setFault(BandFault(fault), 0);
    AdapterPlug plug(sim.portPath());
    qputenv("QUORIN_ADAPTER_PORT", plug.link().toLocal8Bit());
    std::unique_ptr<CoreHub> hub(newHub());
    QVERIFY(waitOpen(*hub));
    QSignalSpy scan(hub.get(), &CoreHub::onBcScan);
    hub->bcScan();
    QVERIFY(scan.wait(2000));
    QSignalSpy conn(hub.get(), &CoreHub::onBcConn);
    hub->bcConnect(1);
    QVERIFY(conn.wait(2000));
    QSignalSpy notify(hub.get(), &CoreHub::onBcNotify);
    QVERIFY(hub->bcNotify());
    QVERIFY(notify.wait(2000));
    QVERIFY(notify[0][0].toBool());

    QSignalSpy answer(hub.get(), signal.constData());
    QVERIFY(call(*hub));
    if (answers)
        QTRY_COMPARE_WITH_TIMEOUT(answer.size(), answers, 3000);
    QTest::qWait(300);
    QCOMPARE(answer.size(), answers);
}

void TestCoreHub::pairingRoundThroughTheSimulatedAdapter()
{
    SimAdapter sim;
    sim.addDevice("Other", "00:11:22:33:44:55");
    AdapterPlug plug(sim.portPath());
    qputenv("QUORIN_ADAPTER_PORT", plug.link().toLocal8Bit());
    std::unique_ptr<CoreHub> hub(newHub());
    QSignalSpy conn(hub.get(), &CoreHub::onUsbConn);
    QSignalSpy scan(hub.get(), &CoreHub::onBcScan);
    hub->on_usbUpdate();
    QCOMPARE(conn.size(), 1);
    QTRY_COMPARE(scan.size(), 1);
    const QList<BandLink::at_devinfo> bands = scan[0][0].value<QList<BandLink::at_devinfo>>();
    QCOMPARE(bands.size(), 2);
    QCOMPARE(bands[1].address, sim.band().info.address);

    QSignalSpy linked(hub.get(), &CoreHub::onBcConn);
    hub->bcConnect(2);
    QTRY_COMPARE(linked.size(), 1);
    QVERIFY(linked[0][0].toBool());
    QVERIFY(sim.isConnected());
    QSignalSpy version(hub.get(), &CoreHub::onBhVersion);
    QVERIFY(hub->bcNotify());
    QTRY_VERIFY(sim.isNotifying());
    hub->bhVersion();
    QTRY_COMPARE(version.size(), 1);
    QCOMPARE(version[0][0].value<WireCodec::bs_reply_version>().version, sim.band().info.firmware);
    QTest::qWait(600);
    QCOMPARE(conn.size(), 1);
}

QTEST_GUILESS_MAIN(TestCoreHub)
#include "tst_corehub.moc"
