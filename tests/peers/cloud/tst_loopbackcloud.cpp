#include "loopbackcloud.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

#include <zlib.h>

namespace {

const QString MOBILE = QStringLiteral("13900000001");
const QString PASSWORD = QStringLiteral("secret");
const QString OTHER = QStringLiteral("13900000002");
const QString OTHER_BAND = QStringLiteral("AA:BB:CC:00:00:02");

QJsonObject objectOf(const QByteArray& bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

QString codeOf(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("returnCode")).toString();
}

QJsonObject uploadedDay(const QString& day, int steps, const QString& bedtime)
{
    return QJsonObject{
        {QStringLiteral("sjDate"), day},
        {QStringLiteral("sleepTimeLen"), 420},
        {QStringLiteral("depthSleepTimeLen"), 120},
        {QStringLiteral("simpleSleepTimeLen"), 300},
        {QStringLiteral("beginSleepTM"), bedtime},
        {QStringLiteral("endSleepTM"), QString(day + QStringLiteral("0700"))},
        {QStringLiteral("sportTimeLen"), 60},
        {QStringLiteral("walkNum"), steps},
        {QStringLiteral("distance"), 4.5},
        {QStringLiteral("calories"), 0.2},
        {QStringLiteral("firmwareVersion"), QStringLiteral("20141128")},
        {QStringLiteral("datas"), QJsonArray{QStringLiteral("AQID"), QStringLiteral("BAU=")}},
    };
}

// The head and at least bytes of an answer that never ends, as they came over a plain socket;
// the cloud answers on this thread, so the wait keeps the event loop going.
QByteArray rawAnswer(const QUrl& cloud, const QString& path, int bytes)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(cloud.port()));
    socket.write("POST " + path.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 2\r\n\r\n{}");
    QByteArray answer;
    const bool read = QTest::qWaitFor([&socket, &answer, bytes] { return (answer += socket.readAll()).size() >= bytes; }, 5000);
    return read ? answer : QByteArray();
}

// The chunks' bytes joined; a chunk cut short is left out.
QByteArray unchunked(const QByteArray& body)
{
    QByteArray joined;
    int at = 0;
    for (;;) {
        const int end = body.indexOf("\r\n", at);
        bool read = false;
        const int size = body.mid(at, end - at).toInt(&read, 16);
        if (end < 0 || !read || end + 2 + size > body.size())
            return joined;
        joined += body.mid(end + 2, size);
        at = end + 2 + size + 2;
    }
}

// How many zeros a gzip stream unpacks to; -1 when it holds anything else or is no gzip.
qint64 gzippedZeros(const QByteArray& packed)
{
    z_stream stream{};
    inflateInit2(&stream, MAX_WBITS + 16);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    QByteArray out(1 << 20, Qt::Uninitialized);
    qint64 zeros = 0;
    int status = Z_OK;
    while (status == Z_OK && zeros >= 0) {
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = uInt(out.size());
        status = inflate(&stream, Z_SYNC_FLUSH);
        const int made = out.size() - int(stream.avail_out);
        zeros = out.left(made).count('\0') == made ? zeros + made : -1;
    }
    inflateEnd(&stream);
    return status == Z_BUF_ERROR ? zeros : -1;
}

} // namespace

class TestLoopbackCloud : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void accountToWeekStatistics();
    void returnCodes_data();
    void returnCodes();
    void faults_data();
    void faults();
    void requestInPieces();
    void connectionCloseEndsTheLink();
    void storedDayComesBack();
    void firmwareImage();
    void servedFiles_data();
    void servedFiles();
    void boundedLog_data();
    void boundedLog();

private:
    QByteArray post(const QString& endpoint, const QByteArray& body, bool* answered = nullptr, int waitMs = 5000);
    QJsonObject call(const QString& endpoint, QJsonObject body);
    void endlessFault(const QString& faultPath, const int& kind);

    std::unique_ptr<LoopbackCloud> cloud;
    std::unique_ptr<QNetworkAccessManager> network;
    QString token;
};

void TestLoopbackCloud::init()
{
    cloud.reset(new LoopbackCloud);
    network.reset(new QNetworkAccessManager);
    QVERIFY(cloud->start());
    cloud->ledger().addAccount(MOBILE, PASSWORD);
    cloud->ledger().addAccount(OTHER, PASSWORD);
    cloud->ledger().bindBand(OTHER, CloudLedger::lc_band{OTHER_BAND, QStringLiteral("S2"), QDateTime::currentDateTime()});
    token = cloud->ledger().openSession(MOBILE);
}

void TestLoopbackCloud::cleanup()
{
    network.reset();
    cloud.reset();
}

QByteArray TestLoopbackCloud::post(const QString& endpoint, const QByteArray& body, bool* answered, int waitMs)
{
    QNetworkRequest request(QUrl(cloud->url().toString() + LoopbackCloud::PATH_PREFIX + endpoint));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json;charset=UTF-8"));
    QNetworkReply* reply = network->post(request, body);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    const bool done = finished.wait(waitMs);
    if (answered)
        *answered = done;
    const QByteArray bytes = done ? reply->readAll() : QByteArray();
    reply->abort();
    reply->deleteLater();
    return bytes;
}

// "$token" in a text value stands for the signed-in session of MOBILE.
QJsonObject TestLoopbackCloud::call(const QString& endpoint, QJsonObject body)
{
    for (auto it = body.begin(); it != body.end(); ++it) {
        if (it.value() == QJsonValue(QStringLiteral("$token")))
            it.value() = token;
    }
    return objectOf(post(endpoint, QJsonDocument(body).toJson()));
}

void TestLoopbackCloud::accountToWeekStatistics()
{
    const QString mobile = QStringLiteral("13700000000");
    QCOMPARE(codeOf(call(QStringLiteral("verificationCode/get"), {{"mobile", mobile}, {"type", 1}})), QStringLiteral("0000"));
    const QString code = cloud->ledger().lastCode(mobile, CloudLedger::VC_REGISTER);
    QCOMPARE(code.size(), 6);
    const QJsonObject checked = call(QStringLiteral("verificationCode/validate"), {{"mobile", mobile}, {"type", 1}, {"code", code}});
    QCOMPARE(codeOf(checked), QStringLiteral("0000"));
    const QJsonObject registered = call(QStringLiteral("account/register"),
        {{"username", mobile}, {"password", "pw"}, {"token", checked.value("token")}, {"appKey", "k"}, {"appSysType", "1"}});
    QCOMPARE(codeOf(registered), QStringLiteral("0000"));
    QCOMPARE(registered.value("account").toObject().value("mobile").toString(), mobile);

    const QJsonObject login = call(QStringLiteral("account/login"),
        {{"username", mobile}, {"password", "pw"}, {"appKey", "k"}, {"appSysType", "1"}});
    QCOMPARE(codeOf(login), QStringLiteral("0000"));
    token = login.value("accessToken").toString();
    QVERIFY(!token.isEmpty());

    const QString band = QStringLiteral("AA:BB:CC:00:00:01");
    const QJsonObject bound = call(QStringLiteral("device/binddevice"), {{"accessToken", "$token"}, {"deviceAddress", band}, {"deviceSerial", "S1"}});
    QCOMPARE(codeOf(bound), QStringLiteral("0000"));
    QCOMPARE(bound.value("bindDt").toString().size(), 14);
    const QJsonArray devices = call(QStringLiteral("device/listbinddevice"), {{"accessToken", "$token"}}).value("devices").toArray();
    QCOMPARE(devices.size(), 1);
    QCOMPARE(devices.at(0).toObject().value("deviceAddress").toString(), band);

    const QJsonObject upload{{"accessToken", token}, {"deviceAddress", band}, {"deviceSerial", "S1"},
        {"dataList", QJsonArray{uploadedDay("20141124", 8000, "201411232330"), uploadedDay("20141125", 4000, "201411250030")}}};
    QCOMPARE(codeOf(call(QStringLiteral("synchro/datasynchro"), upload)), QStringLiteral("0000"));

    const QJsonObject sport = call(QStringLiteral("statistics/weeksportstatistics"),
        {{"accessToken", "$token"}, {"startDate", "20141124"}, {"endDate", "20141130"}});
    QCOMPARE(codeOf(sport), QStringLiteral("0000"));
    QCOMPARE(sport.value("avgTotalFoots").toString(), QStringLiteral("6000"));
    const QJsonArray rows = sport.value("sportDetailList").toArray();
    QCOMPARE(rows.size(), 7);
    QCOMPARE(rows.at(1).toObject().value("totalFoots").toString(), QStringLiteral("4000"));
    QCOMPARE(rows.at(6).toObject().value("totalFoots").toString(), QStringLiteral("0"));

    const QJsonObject sleep = call(QStringLiteral("statistics/weeksleepstatistics"),
        {{"accessToken", "$token"}, {"startDate", "20141124"}, {"endDate", "20141130"}});
    QCOMPARE(sleep.value("avgSleepTotalTime").toString(), QStringLiteral("420"));
    QCOMPARE(sleep.value("avgSleepStartTime").toString(), QStringLiteral("0000"));

    const LoopbackCloud::lc_request first = cloud->requests().first();
    QCOMPARE(first.method, QByteArray("POST"));
    QCOMPARE(first.path, QStringLiteral("/zentrova-web/verificationCode/get"));
    QCOMPARE(first.header("content-type"), QByteArray("application/json;charset=UTF-8"));
    QCOMPARE(objectOf(first.body).value("mobile").toString(), mobile);
}

void TestLoopbackCloud::returnCodes_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("returnCode");
    const auto json = [](const QJsonObject& body) { return QJsonDocument(body).toJson(); };
    QTest::newRow("body that is not JSON") << "account/login" << QByteArray("{\"username\":") << "c004";
    QTest::newRow("body that is an array") << "account/login" << QByteArray("[]") << "c004";
    QTest::newRow("unknown access token") << "device/listbinddevice" << json({{"accessToken", "nope"}}) << "b002";
    QTest::newRow("no access token") << "param/updateFirmware" << json({{"firmwareVersion", 1}, {"withData", "1"}}) << "b002";
    QTest::newRow("unknown mobile at login") << "account/login"
        << json({{"username", "13000000000"}, {"password", "x"}, {"appKey", "k"}, {"appSysType", "1"}}) << "b005";
    QTest::newRow("wrong password") << "account/login"
        << json({{"username", MOBILE}, {"password", "x"}, {"appKey", "k"}, {"appSysType", "1"}}) << "c003";
    QTest::newRow("registration code for a registered mobile") << "verificationCode/get" << json({{"mobile", MOBILE}, {"type", 1}}) << "c001";
    QTest::newRow("recovery code for an unknown mobile") << "verificationCode/get" << json({{"mobile", "13000000000"}, {"type", 4}}) << "c013";
    QTest::newRow("code type as text") << "verificationCode/get" << json({{"mobile", "13000000000"}, {"type", "1"}}) << "c004";
    QTest::newRow("code never issued") << "verificationCode/validate" << json({{"mobile", MOBILE}, {"type", 4}, {"code", "123456"}}) << "b004";
    QTest::newRow("register without a proven code") << "account/register"
        << json({{"username", "13000000000"}, {"password", "x"}, {"token", "t"}, {"appKey", "k"}, {"appSysType", "1"}}) << "b003";
    QTest::newRow("old password wrong") << "account/checkPassword" << json({{"accessToken", "$token"}, {"oldpwd", "x"}}) << "c003";
    QTest::newRow("band of another account") << "device/binddevice"
        << json({{"accessToken", "$token"}, {"deviceAddress", OTHER_BAND}, {"deviceSerial", "S2"}}) << "c010";
    QTest::newRow("unbind a band never bound") << "device/cancelbinddevice"
        << json({{"accessToken", "$token"}, {"deviceAddress", "AA"}, {"deviceSerial", "S"}}) << "c007";
    QTest::newRow("wear position out of range") << "device/devicepositionset" << json({{"accessToken", "$token"}, {"position", 4}}) << "c004";
    QTest::newRow("upload for a band not bound") << "synchro/datasynchro"
        << json({{"accessToken", "$token"}, {"deviceAddress", OTHER_BAND}, {"dataList", QJsonArray()}}) << "c007";
    QTest::newRow("week that ends before it starts") << "statistics/weeksportstatistics"
        << json({{"accessToken", "$token"}, {"startDate", "20141130"}, {"endDate", "20141124"}}) << "c004";
    QTest::newRow("day statistics of a day never synced") << "statistics/daysportstatistics"
        << json({{"accessToken", "$token"}, {"statisticsDate", "20141124"}}) << "c026";
    QTest::newRow("health numbers with gender as text") << "health/sethealthnum"
        << json({{"accessToken", "$token"}, {"gender", "0"}, {"age", 30}, {"height", 170.5}, {"weight", 60}, {"isUpdateUserInfo", 0}}) << "c004";
    QTest::newRow("version without app type") << "param/getappnewversion" << json({{"appKey", "k"}}) << "c024";
}

void TestLoopbackCloud::returnCodes()
{
    QFETCH(QString, endpoint);
    QFETCH(QByteArray, body);
    QFETCH(QString, returnCode);
    body.replace("$token", token.toUtf8());
    const QJsonObject reply = objectOf(post(endpoint, body));
    QCOMPARE(codeOf(reply), returnCode);
    QCOMPARE(reply.value("returnMsg").toString(), CloudLedger::returnMsg(returnCode));
}

void TestLoopbackCloud::faults_data()
{
    QTest::addColumn<QString>("faultPath");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("returnCode");
    const QString login = LoopbackCloud::PATH_PREFIX + QStringLiteral("account/login");
    const QString logout = LoopbackCloud::PATH_PREFIX + QStringLiteral("account/logout");
    QTest::newRow("server error code on the path") << login << int(LoopbackCloud::FAULT_RETURN_CODE) << true << "a001";
    QTest::newRow("server error code for every path") << QString() << int(LoopbackCloud::FAULT_RETURN_CODE) << true << "a001";
    QTest::newRow("fault on another path leaves login alone") << logout << int(LoopbackCloud::FAULT_RETURN_CODE) << true << "0000";
    QTest::newRow("code with a text of its own") << login << int(LoopbackCloud::FAULT_FOREIGN_TEXT) << true << "a001";
    QTest::newRow("malformed reply") << login << int(LoopbackCloud::FAULT_MALFORMED) << true << QString();
    QTest::newRow("slow reply still answers") << login << int(LoopbackCloud::FAULT_SLOW) << true << "0000";
    QTest::newRow("no reply") << QString() << int(LoopbackCloud::FAULT_SILENT) << false << QString();
    QTest::newRow("poured reply comes chunked in pieces of 1 MiB")
        << login << int(LoopbackCloud::FAULT_POURED) << true << QString();
    QTest::newRow("gzipped reply unpacks to zeros, a thousand to one")
        << login << int(LoopbackCloud::FAULT_GZIPPED) << true << QString();
}

// Answers without end are read over a plain socket, a few MiB of them.
void TestLoopbackCloud::endlessFault(const QString& faultPath, const int& kind)
{
    const QByteArray answer = rawAnswer(cloud->url(), faultPath, 3 << 20);
    const int headEnd = answer.indexOf("\r\n\r\n");
    QVERIFY(headEnd > 0);
    const QByteArray head = answer.left(headEnd);
    QVERIFY(head.contains("\r\nTransfer-Encoding: chunked"));
    const QByteArray body = unchunked(answer.mid(headEnd + 4));
    if (kind == LoopbackCloud::FAULT_POURED) {
        QVERIFY(answer.mid(headEnd + 4).startsWith("100000\r\n"));
        QVERIFY(body.size() >= 1 << 20);
        QCOMPARE(body.count('A'), body.size());
        return;
    }
    QVERIFY(head.contains("\r\nContent-Encoding: gzip"));
    QVERIFY(body.size() >= 1 << 20);
    QVERIFY(gzippedZeros(body) > qint64(1000) * body.size());
}

void TestLoopbackCloud::faults()
{
    QFETCH(QString, faultPath);
    QFETCH(int, kind);
    QFETCH(bool, answered);
    QFETCH(QString, returnCode);
    LoopbackCloud::lc_fault fault;
    fault.kind = LoopbackCloud::FAULT(kind);
    fault.returnCode = QStringLiteral("a001");
    fault.returnMsg = QStringLiteral("not the table's text");
    fault.delayMs = 300;
    cloud->setFault(faultPath, fault);
    if (fault.kind == LoopbackCloud::FAULT_POURED || fault.kind == LoopbackCloud::FAULT_GZIPPED) {
        endlessFault(faultPath, kind);
        return;
    }
    const QJsonObject body{{"username", MOBILE}, {"password", PASSWORD}, {"appKey", "k"}, {"appSysType", "1"}};
    QElapsedTimer clock;
    clock.start();
    bool replied = false;
    const QByteArray reply = post(QStringLiteral("account/login"), QJsonDocument(body).toJson(), &replied, 1000);
    QCOMPARE(replied, answered);
    QCOMPARE(codeOf(objectOf(reply)), returnCode);
    QCOMPARE(cloud->requests().size(), 1);
    if (fault.kind == LoopbackCloud::FAULT_SLOW)
        QVERIFY(clock.elapsed() >= fault.delayMs);
    if (fault.kind == LoopbackCloud::FAULT_FOREIGN_TEXT)
        QCOMPARE(objectOf(reply).value(QStringLiteral("returnMsg")).toString(), fault.returnMsg);
    if (fault.kind == LoopbackCloud::FAULT_MALFORMED)
        QVERIFY(!reply.isEmpty() && QJsonDocument::fromJson(reply).isNull());
}

enum class Served { Whole, Head, Moved, RelativeMove, Missing, MissingOnGet, Cut, Slow, UnsizedHalf, LyingHead, LyingGet };
Q_DECLARE_METATYPE(Served)

void TestLoopbackCloud::servedFiles_data()
{
    QTest::addColumn<Served>("served");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("location");
    QTest::addColumn<bool>("whole");
    QTest::newRow("GET brings the body, its length and its name") << Served::Whole << 200 << QByteArray() << true;
    QTest::newRow("HEAD brings length and name without a body") << Served::Head << 200 << QByteArray() << false;
    QTest::newRow("moved file names its new place and keeps the length")
        << Served::Moved << 302 << QByteArray("http://127.0.0.1:1/elsewhere/pkg.zip") << true;
    QTest::newRow("a relative location is sent as it stands")
        << Served::RelativeMove << 302 << QByteArray("../mirror/pkg.zip") << true;
    QTest::newRow("missing file is 404") << Served::Missing << 404 << QByteArray() << false;
    QTest::newRow("GET may fail after a good HEAD") << Served::MissingOnGet << 404 << QByteArray() << false;
    QTest::newRow("a cut body is shorter than announced") << Served::Cut << 200 << QByteArray() << false;
    QTest::newRow("a slow body arrives whole in pieces") << Served::Slow << 200 << QByteArray() << true;
    QTest::newRow("half a body without a length ends with the link")
        << Served::UnsizedHalf << 200 << QByteArray() << false;
    QTest::newRow("HEAD may announce a length of its own") << Served::LyingHead << 200 << QByteArray() << false;
    QTest::newRow("GET may announce a length of its own and send its mode's body, here half")
        << Served::LyingGet << 200 << QByteArray() << false;
}

void TestLoopbackCloud::servedFiles()
{
    QFETCH(Served, served);
    QFETCH(int, status);
    QFETCH(QByteArray, location);
    QFETCH(bool, whole);
    LoopbackCloud::lc_file file;
    file.body = QByteArray(10000, 'z');
    file.disposition = QStringLiteral("pkg.zip");
    file.location = QString::fromUtf8(location);
    file.headStatus = served == Served::Missing ? 404 : 200;
    file.getStatus = served == Served::Missing || served == Served::MissingOnGet ? 404 : 200;
    file.mode = served == Served::Cut || served == Served::LyingGet ? LoopbackCloud::FILE_CUT
              : served == Served::Slow ? LoopbackCloud::FILE_SLOW
              : served == Served::UnsizedHalf ? LoopbackCloud::FILE_UNSIZED_HALF : LoopbackCloud::FILE_WHOLE;
    file.pieceBytes = 3000;
    file.pieceMs = 50;
    const qint64 lie = 100000000000;
    file.headLength = served == Served::LyingHead ? lie : -1;
    file.getLength = served == Served::LyingGet ? lie : -1;
    const bool head = served == Served::Head || served == Served::LyingHead;
    const QString path = QStringLiteral("/download/pkg.zip");
    cloud->serveFile(path, file);
    const QNetworkRequest request(cloud->fileUrl(path));
    QNetworkReply* reply = head ? network->head(request) : network->get(request);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(5000));
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
    QCOMPARE(reply->rawHeader("Location"), location);
    const QByteArray body = reply->readAll();
    QCOMPARE(body == file.body, whole);
    if (served == Served::UnsizedHalf) {
        QCOMPARE(reply->error(), QNetworkReply::NoError);
        QVERIFY(!reply->header(QNetworkRequest::ContentLengthHeader).isValid());
        QCOMPARE(body, file.body.left(file.body.size() / 2));
    } else if (status != 404) {
        const bool lying = served == Served::LyingHead || served == Served::LyingGet;
        QCOMPARE(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(), lying ? lie : qint64(file.body.size()));
        QCOMPARE(reply->rawHeader("Content-Disposition"), QByteArray("attachment; filename=\"pkg.zip\""));
    }
    if (served == Served::Cut)
        QVERIFY(body.size() < file.body.size());
    if (served == Served::LyingGet)
        QCOMPARE(body, file.body.left(file.body.size() / 2));
    QCOMPARE(cloud->requests().last().method, head ? QByteArray("HEAD") : QByteArray("GET"));
    reply->deleteLater();
}

void TestLoopbackCloud::requestInPieces()
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, cloud->url().port());
    QVERIFY(socket.waitForConnected(3000));
    const QByteArray body = QJsonDocument(QJsonObject{{"accessToken", token}}).toJson();
    const QByteArray head = "POST /zentrova-web/device/listbinddevice HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                            "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
    QSignalSpy logged(cloud.get(), &LoopbackCloud::onRequest);
    for (int round = 0; round < 2; ++round) {
        socket.write(head.left(10));
        socket.flush();
        QVERIFY(!logged.wait(100));
        socket.write(head.mid(10) + body.left(5));
        socket.flush();
        QVERIFY(!logged.wait(100));
        socket.write(body.mid(5));
        QVERIFY(logged.wait(3000));
        QByteArray reply;
        QTRY_VERIFY((reply += socket.readAll()).contains("\"0000\""));
        QVERIFY(reply.startsWith("HTTP/1.1 200 OK\r\n"));
        QVERIFY(reply.contains("Connection: keep-alive"));
    }
    QCOMPARE(cloud->requests().size(), 2);
    QCOMPARE(cloud->requests().last().body, body);
}

void TestLoopbackCloud::connectionCloseEndsTheLink()
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, cloud->url().port());
    QVERIFY(socket.waitForConnected(3000));
    socket.write("POST /zentrova-web/account/logout HTTP/1.1\r\nConnection: close\r\nContent-Length: 2\r\n\r\n{}");
    QSignalSpy closed(&socket, &QTcpSocket::disconnected);
    QVERIFY(closed.wait(3000));
    QVERIFY(socket.readAll().contains("\"b002\""));
}

void TestLoopbackCloud::storedDayComesBack()
{
    const QString band = QStringLiteral("AA:BB:CC:00:00:01");
    cloud->ledger().bindBand(MOBILE, CloudLedger::lc_band{band, QStringLiteral("S1"), QDateTime::currentDateTime()});
    QJsonObject badDay = uploadedDay("20141125", 10, "201411250030");
    badDay.insert("walkNum", "10");
    const QJsonObject rejected{{"accessToken", token}, {"deviceAddress", band},
        {"dataList", QJsonArray{uploadedDay("20141124", 10, "201411232330"), badDay}}};
    QCOMPARE(codeOf(call(QStringLiteral("synchro/datasynchro"), rejected)), QStringLiteral("c004"));
    QVERIFY(cloud->ledger().account(MOBILE).days.isEmpty());

    const QJsonObject upload{{"accessToken", token}, {"deviceAddress", band}, {"dataList", QJsonArray{uploadedDay("20141124", 10, "201411232330")}}};
    QCOMPARE(codeOf(call(QStringLiteral("synchro/datasynchro"), upload)), QStringLiteral("0000"));
    const QJsonObject stored = call(QStringLiteral("synchro/querysynchrodata"), {{"accessToken", "$token"}, {"deviceAddress", band}, {"sjDate", "20141124"}});
    QCOMPARE(stored.value("firmwareVersion").toString(), QStringLiteral("20141128"));
    QCOMPARE(stored.value("datas").toArray(), (QJsonArray{QStringLiteral("AQID"), QStringLiteral("BAU=")}));
    const QJsonObject last = call(QStringLiteral("synchro/querylaststatistics"), {{"accessToken", "$token"}, {"deviceAddress", band}});
    QCOMPARE(last.value("lastSJDate").toString(), QStringLiteral("20141124"));
    QCOMPARE(last.value("lastStatisticsTm").toString().size(), 14);
}

void TestLoopbackCloud::firmwareImage()
{
    CloudLedger::lc_firmware firmware;
    firmware.version = 0x0103;
    firmware.image = QByteArray("\x00\x01\xfe\xff", 4);
    cloud->ledger().setFirmware(firmware);
    const QJsonObject reply = call(QStringLiteral("param/updateFirmware"), {{"accessToken", "$token"}, {"firmwareVersion", 258}, {"withData", "1"}});
    QCOMPARE(reply.value("currentVersion").toString(), QStringLiteral("258"));
    QCOMPARE(reply.value("upgradeVersion").toString(), QStringLiteral("259"));
    QCOMPARE(QByteArray::fromBase64(reply.value("firmwareData").toString().toLatin1()), firmware.image);
    const QJsonObject bare = call(QStringLiteral("param/updateFirmware"), {{"accessToken", "$token"}, {"firmwareVersion", 258}, {"withData", "0"}});
    QVERIFY(!bare.contains("firmwareData"));
}

void TestLoopbackCloud::boundedLog_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("bodySize");
    QTest::addColumn<int>("logged");
    QTest::addColumn<int>("loggedBody");
    QTest::newRow("large bodies keep their first bytes") << 3 << (8 << 20) << 3 << LoopbackCloud::LOG_BODY_BYTES;
    QTest::newRow("the oldest requests leave the log")
        << LoopbackCloud::LOG_REQUESTS + 3 << 10 << LoopbackCloud::LOG_REQUESTS << 10;
}

void TestLoopbackCloud::boundedLog()
{
    QFETCH(int, count);
    QFETCH(int, bodySize);
    QFETCH(int, logged);
    QFETCH(int, loggedBody);
    // One keep-alive connection carries them all: hundreds of requests take a moment only.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, cloud->url().port());
    QVERIFY(socket.waitForConnected(3000));
    QSignalSpy served(cloud.get(), &LoopbackCloud::onRequest);
    for (int i = 0; i < count; ++i) {
        const QByteArray body = QByteArray::number(i).leftJustified(bodySize, ' ');
        socket.write("POST /zentrova-web/account/login HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: "
                     + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
    QTRY_COMPARE_WITH_TIMEOUT(served.size(), count, 60000);
    const QList<LoopbackCloud::lc_request> log = cloud->requests();
    QCOMPARE(log.size(), logged);
    QCOMPARE(log.first().body, QByteArray::number(count - logged).leftJustified(loggedBody, ' '));
    QCOMPARE(log.last().body.size(), loggedBody);
}

QTEST_GUILESS_MAIN(TestLoopbackCloud)
#include "tst_loopbackcloud.moc"
