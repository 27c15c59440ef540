#include "bandlink.h"

#include <QtTest>

namespace {
// Stands in for the hub: takes every line and remembers what went out under which code.
class RecordingLink : public BandLink
{
public:
    QList<QPair<unsigned, QByteArray>> sent;

    bool sendMsg(const unsigned& code, const QByteArray& bytes) override
    {
        sent.append(qMakePair(code, bytes));
        return true;
    }
};

const QByteArray connectedReply("OK\r\n1");

QByteArray nulJoined(const char* before, const char* after)
{
    return QByteArray(before) + '\0' + QByteArray(after);
}
} // namespace

class TestBandLink : public QObject
{
    Q_OBJECT
private slots:
    void builders_data();
    void builders();
    void commandTable_data();
    void commandTable();
    void hexText_data();
    void hexText();
    void statusReplies_data();
    void statusReplies();
    void rssiReply_data();
    void rssiReply();
    void readReply_data();
    void readReply();
    void scanReply_data();
    void scanReply();
    void scanTypesRegistered();
};

void TestBandLink::builders_data()
{
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QVariant>("argument");
    QTest::addColumn<bool>("linkUp");
    QTest::addColumn<uint>("code");
    QTest::addColumn<QByteArray>("line");
    const QByteArray wide(0xFFFF, '\x5A');
    QTest::newRow("scan") << "scan" << QVariant() << false << 0x200u << QByteArray("AT+SCAN\r\n");
    QTest::newRow("connect text") << "connect" << QVariant(QStringLiteral("AB")) << false << 0x201u << QByteArray("AT+CONAB\r\n");
    QTest::newRow("placeholders in text go out as they stand")
        << "connect" << QVariant(QStringLiteral("%1%2")) << false << 0x201u << QByteArray("AT+CON%1%2\r\n");
    QTest::newRow("connect position 1") << "connect" << QVariant(1) << false << 0x201u << QByteArray("AT+CON1\r\n");
    QTest::newRow("connect position 12") << "connect" << QVariant(12) << true << 0x201u << QByteArray("AT+CON12\r\n");
    QTest::newRow("connect negative") << "connect" << QVariant(-3) << false << 0x201u << QByteArray("AT+CON-3\r\n");
    QTest::newRow("disconnect while up") << "disconnect" << QVariant() << true << 0x202u << QByteArray("AT+DISCON\r\n");
    QTest::newRow("rssi while down sends nothing") << "rssi" << QVariant() << false << 0u << QByteArray();
    QTest::newRow("rssi while up") << "rssi" << QVariant() << true << 0x203u << QByteArray("AT+RSSI\r\n");
    QTest::newRow("notify while down sends nothing") << "notify" << QVariant() << false << 0u << QByteArray();
    QTest::newRow("notify while up") << "notify" << QVariant() << true << 0x204u << QByteArray("AT+NOTIFY\r\n");
    QTest::newRow("write while down sends nothing")
        << "write" << QVariant(QByteArray("\x01\xAB")) << false << 0u << QByteArray();
    QTest::newRow("write counts raw bytes, not hex digits")
        << "write" << QVariant(QByteArray("\x01\xAB")) << true << 0x206u << QByteArray("AT+WRITE=2,01AB\r\n");
    QTest::newRow("empty write has no count") << "write" << QVariant(QByteArray()) << true << 0x206u << QByteArray("AT+WRITE\r\n");
    QTest::newRow("largest write fits the count") << "write" << QVariant(wide) << true << 0x206u
        << QByteArray("AT+WRITE=65535," + QByteArray("5A").repeated(0xFFFF) + "\r\n");
    QTest::newRow("write beyond the count is refused")
        << "write" << QVariant(QByteArray(0x10000, '\0')) << true << 0u << QByteArray();
}

void TestBandLink::builders()
{
    QFETCH(QString, builder);
    QFETCH(QVariant, argument);
    QFETCH(bool, linkUp);
    QFETCH(uint, code);
    QFETCH(QByteArray, line);
    RecordingLink link;
    if (linkUp)
        QVERIFY(link.parseBcConn(connectedReply));
    BandLink& base = link;
    bool handedOver = false;
    if (builder == QLatin1String("scan"))
        handedOver = base.bcScan();
    else if (builder == QLatin1String("connect") && argument.type() == QVariant::Int)
        handedOver = base.bcConnect(argument.toInt());
    else if (builder == QLatin1String("connect"))
        handedOver = base.bcConnect(argument.toString());
    else if (builder == QLatin1String("disconnect"))
        handedOver = base.bcDisConnect();
    else if (builder == QLatin1String("rssi"))
        handedOver = base.bcRssi();
    else if (builder == QLatin1String("notify"))
        handedOver = base.bcNotify();
    else
        handedOver = base.bcWrite(argument.toByteArray());
    QCOMPARE(handedOver, !line.isEmpty());
    QCOMPARE(link.sent.size(), line.isEmpty() ? 0 : 1);
    if (!line.isEmpty()) {
        QCOMPARE(link.sent.first().first, code);
        QCOMPARE(link.sent.first().second, line);
    }
}

void TestBandLink::commandTable_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("below the table") << 0x1FFu << QByteArray();
    QTest::newRow("read has a row but no builder") << 0x205u << QByteArray("AT+READ\r\n");
    QTest::newRow("write row carries no data") << 0x206u << QByteArray("AT+WRITE\r\n");
    QTest::newRow("above the table") << 0x207u << QByteArray();
}

void TestBandLink::commandTable()
{
    QFETCH(uint, code);
    QFETCH(QByteArray, line);
    QCOMPARE(BandLink::toAtPack(BandLink::getAtCmd(BandLink::MSG_LIST(code))), line);
}

void TestBandLink::hexText_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("upper case, two digits each") << QByteArray("\x00\x0a\xff", 3) << QByteArray("000AFF");
}

void TestBandLink::hexText()
{
    QFETCH(QByteArray, raw);
    QFETCH(QByteArray, hex);
    QCOMPARE(BandLink::toHexStr(raw), hex);
}

void TestBandLink::statusReplies_data()
{
    QTest::addColumn<QString>("parser");
    QTest::addColumn<bool>("linkUp");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("linkUpAfter");
    QTest::newRow("connect ok") << "connect" << false << QByteArray("OK\r\n1") << true << true;
    QTest::newRow("connect refused keeps an up link") << "connect" << true << QByteArray("OK\r\n0") << false << true;
    QTest::newRow("connect short") << "connect" << false << QByteArray("OK") << false << false;
    QTest::newRow("connect non-numeric") << "connect" << false << QByteArray("OK\r\none") << false << false;
    QTest::newRow("connect NUL hides the status") << "connect" << false << nulJoined("OK\r\n", "1") << false << false;
    QTest::newRow("connect trailing line end") << "connect" << false << QByteArray("OK\r\n1\r\n") << true << true;
    QTest::newRow("disconnect ok") << "disconnect" << true << QByteArray("OK\r\n1") << true << false;
    QTest::newRow("disconnect refused keeps the link") << "disconnect" << true << QByteArray("OK\r\n0") << false << true;
    QTest::newRow("disconnect short") << "disconnect" << true << QByteArray("") << false << true;
    QTest::newRow("disconnect non-numeric") << "disconnect" << true << QByteArray("OK\r\nx1") << false << true;
    QTest::newRow("disconnect NUL after status") << "disconnect" << true << nulJoined("OK\r\n1", "0") << true << false;
    QTest::newRow("disconnect extra line") << "disconnect" << true << QByteArray("OK\r\n1\r\nbye") << true << false;
    QTest::newRow("notify ok") << "notify" << true << QByteArray("OK\r\n1") << true << true;
    QTest::newRow("notify short") << "notify" << true << QByteArray("1") << false << true;
    QTest::newRow("notify non-numeric") << "notify" << true << QByteArray("OK\r\nOK") << false << true;
    QTest::newRow("notify NUL hides the status") << "notify" << true << nulJoined("OK", "\r\n1") << false << true;
    QTest::newRow("notify extra line") << "notify" << true << QByteArray("OK\r\n1\r\n") << true << true;
    QTest::newRow("write ok") << "write" << true << QByteArray("OK\r\n1") << true << true;
    QTest::newRow("write short") << "write" << true << QByteArray("OK\r\n") << false << true;
    QTest::newRow("write non-numeric") << "write" << true << QByteArray("OK\r\n1a") << false << true;
    QTest::newRow("write NUL after status") << "write" << true << nulJoined("OK\r\n1", "\r\n0") << true << true;
    QTest::newRow("write extra line") << "write" << true << QByteArray("OK\r\n1\r\n\r\n") << true << true;
}

void TestBandLink::statusReplies()
{
    QFETCH(QString, parser);
    QFETCH(bool, linkUp);
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    QFETCH(bool, linkUpAfter);
    RecordingLink link;
    if (linkUp)
        QVERIFY(link.parseBcConn(connectedReply));
    bool result = false;
    if (parser == QLatin1String("connect"))
        result = link.parseBcConn(reply);
    else if (parser == QLatin1String("disconnect"))
        result = link.parseBcDisConn(reply);
    else if (parser == QLatin1String("notify"))
        result = link.parseBcNotify(reply);
    else
        result = link.parseBcWrite(reply);
    QCOMPARE(result, ok);
    QCOMPARE(link.isAtConnect(), linkUpAfter);
}

void TestBandLink::rssiReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("rssi");
    QTest::newRow("good") << QByteArray("OK\r\n1\r\n-60") << -60;
    QTest::newRow("any non-zero status") << QByteArray("OK\r\n2\r\n-50") << -50;
    QTest::newRow("status 0") << QByteArray("OK\r\n0\r\n-60") << 0;
    QTest::newRow("short") << QByteArray("OK\r\n1") << 0;
    QTest::newRow("non-numeric status") << QByteArray("OK\r\nyes\r\n-60") << 0;
    QTest::newRow("non-numeric value") << QByteArray("OK\r\n1\r\nweak") << 0;
    QTest::newRow("NUL cuts the value") << nulJoined("OK\r\n1\r\n-6", "0") << -6;
    QTest::newRow("extra line") << QByteArray("OK\r\n1\r\n-60\r\n") << -60;
}

void TestBandLink::rssiReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, rssi);
    QCOMPARE(RecordingLink().parseBcRssi(reply), rssi);
}

void TestBandLink::readReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("good") << QByteArray("OK\r\n1\r\n01AB") << QByteArray("01AB");
    QTest::newRow("status decides nothing") << QByteArray("OK\r\n0\r\n01AB") << QByteArray("01AB");
    QTest::newRow("short") << QByteArray("OK\r\n1") << QByteArray();
    QTest::newRow("non-numeric status") << QByteArray("OK\r\nno\r\nAB") << QByteArray("AB");
    QTest::newRow("NUL cuts the data") << nulJoined("OK\r\n1\r\nAB", "CD") << QByteArray("AB");
    QTest::newRow("extra line") << QByteArray("OK\r\n1\r\nAB\r\nCD") << QByteArray("AB");
    QTest::newRow("UTF-8 comes back as UTF-8") << QByteArray("OK\r\n1\r\n\xC3\xA9") << QByteArray("\xC3\xA9");
}

void TestBandLink::readReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, data);
    QCOMPARE(RecordingLink().parseBcRead(reply), data);
}

void TestBandLink::scanReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("bands");
    QTest::newRow("one band in four lines") << QByteArray("OK\r\n1\r\nBand\r\nAA:BB") << QStringList{"Band", "AA:BB"};
    QTest::newRow("two bands in reply order")
        << QByteArray("x\r\n2\r\nA\r\nB\r\nC\r\nD") << QStringList{"A", "B", "C", "D"};
    QTest::newRow("trailing line end breaks the count") << QByteArray("x\r\n2\r\nA\r\nB\r\nC\r\nD\r\n") << QStringList();
    QTest::newRow("empty lines are kept as texts") << QByteArray("x\r\n1\r\n\r\nAA") << QStringList{"", "AA"};
    QTest::newRow("count 0") << QByteArray("OK\r\n0") << QStringList();
    QTest::newRow("short") << QByteArray("OK") << QStringList();
    QTest::newRow("count larger than the lines") << QByteArray("OK\r\n2\r\nA\r\nB") << QStringList();
    QTest::newRow("non-numeric count") << QByteArray("OK\r\none\r\nA\r\nB") << QStringList();
    QTest::newRow("negative count") << QByteArray("OK\r\n-1") << QStringList();
    QTest::newRow("NUL cuts the second band") << nulJoined("x\r\n1\r\nA\r\nB", "\r\nC\r\nD") << QStringList{"A", "B"};
    QTest::newRow("huge count") << QByteArray("x\r\n2147483647\r\nA\r\nB") << QStringList();
}

void TestBandLink::scanReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, bands);
    QStringList found;
    for (const BandLink::at_devinfo& band : RecordingLink().parseBcScan(reply)) {
        QVERIFY(band.extra.isEmpty());
        found << band.first << band.address;
    }
    QCOMPARE(found, bands);
}

void TestBandLink::scanTypesRegistered()
{
    const BandLink link;
    QVERIFY(QMetaType::type("BandLink::at_devinfo") != QMetaType::UnknownType);
    QVERIFY(QMetaType::type("QList<BandLink::at_devinfo>") != QMetaType::UnknownType);
}

QTEST_GUILESS_MAIN(TestBandLink)
#include "tst_bandlink.moc"
