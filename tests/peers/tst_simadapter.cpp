#include "recordingcodec.h"
#include "simadapter.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The program's end of the pty: raw writes in, zero-ended messages out.
class Port
{
public:
    explicit Port(const QString& path)
        : m_fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Port()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }
    void send(const QByteArray& bytes) { QCOMPARE(::write(m_fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size())); }
    // True once `count` whole messages have arrived; reads whatever is there.
    bool has(const int& count)
    {
        char chunk[4096];
        for (ssize_t n = ::read(m_fd, chunk, sizeof(chunk)); n > 0; n = ::read(m_fd, chunk, sizeof(chunk)))
            m_buffer.append(chunk, int(n));
        return m_buffer.count('\0') >= count;
    }
    // Links to the band and switches notifications on.
    bool listen()
    {
        send("AT+CONC4:7F:51:00:12:34\r\nAT+NOTIFY\r\n");
        if (!QTest::qWaitFor([this] { return has(2); }))
            return false;
        return take() == "+CON\r\n1" && take() == "+NOTIFY\r\n1";
    }
    QByteArray take()
    {
        const int end = m_buffer.indexOf('\0');
        const QByteArray message = m_buffer.left(end);
        m_buffer.remove(0, end + 1);
        return message;
    }

private:
    int m_fd;
    QByteArray m_buffer;
};

QByteArray writeLine(const QByteArray& packet)
{
    return "AT+WRITE=" + QByteArray::number(packet.size()) + ',' + packet.toHex().toUpper() + "\r\n";
}

QByteArray notifiedPacket(const QByteArray& message)
{
    if (!message.startsWith("+NOTIFY="))
        return QByteArray();
    const QByteArray hex = message.mid(message.indexOf(',') + 1);
    return QByteArray::fromHex(hex);
}

} // namespace

class TestSimAdapter : public QObject
{
    Q_OBJECT
private slots:
    void replies_data();
    void replies();
    void commandsInPieces();
    void writeAndNotify();
    void paced();
    void linkLostMidBlock();
    void severalBands_data();
    void severalBands();
    void standaloneProgram_data();
    void standaloneProgram();
};

void TestSimAdapter::replies_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QByteArrayList>("before");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    const QByteArrayList none;
    const QByteArrayList linked = {"AT+SCAN\r\n", "AT+CON2\r\n"};
    const int ok = int(BandFault::None);
    QTest::newRow("scan lists the other device, then the band")
        << ok << none << QByteArray("AT+SCAN\r\n")
        << QByteArray("+SCAN\r\n2\r\nOther\r\nAA:BB:CC:DD:EE:FF\r\nQB-Band\r\nC4:7F:51:00:12:34");
    QTest::newRow("connect by scan position") << ok << QByteArrayList{"AT+SCAN\r\n"} << QByteArray("AT+CON2\r\n") << QByteArray("+CON\r\n1");
    QTest::newRow("the other device does not connect") << ok << QByteArrayList{"AT+SCAN\r\n"} << QByteArray("AT+CON1\r\n") << QByteArray("+CON\r\n0");
    QTest::newRow("position beyond the scan list") << ok << QByteArrayList{"AT+SCAN\r\n"} << QByteArray("AT+CON3\r\n") << QByteArray("+CON\r\n0");
    QTest::newRow("position before any scan") << ok << none << QByteArray("AT+CON1\r\n") << QByteArray("+CON\r\n0");
    QTest::newRow("connect by address") << ok << none << QByteArray("AT+CONC4:7F:51:00:12:34\r\n") << QByteArray("+CON\r\n1");
    QTest::newRow("band refuses the connect") << int(BandFault::RefuseConnect) << QByteArrayList{"AT+SCAN\r\n"}
                                              << QByteArray("AT+CON2\r\n") << QByteArray("+CON\r\n0");
    QTest::newRow("second connect while linked") << ok << linked << QByteArray("AT+CON2\r\n") << QByteArray("+CON\r\n0");
    QTest::newRow("disconnect closes the link") << ok << linked << QByteArray("AT+DISCON\r\n") << QByteArray("+DISCON\r\n1");
    QTest::newRow("disconnect without a link") << ok << none << QByteArray("AT+DISCON\r\n") << QByteArray("+DISCON\r\n0");
    QTest::newRow("rssi while linked") << ok << linked << QByteArray("AT+RSSI\r\n") << QByteArray("+RSSI\r\n1\r\n-60");
    QTest::newRow("rssi without a link") << ok << none << QByteArray("AT+RSSI\r\n") << QByteArray("+RSSI\r\n0");
    QTest::newRow("notify on") << ok << linked << QByteArray("AT+NOTIFY\r\n") << QByteArray("+NOTIFY\r\n1");
    QTest::newRow("notify off") << ok << linked << QByteArray("AT+NOTIFY0\r\n") << QByteArray("+NOTIFY\r\n1");
    QTest::newRow("band refuses notifications") << int(BandFault::RefuseNotify) << linked << QByteArray("AT+NOTIFY1\r\n") << QByteArray("+NOTIFY\r\n0");
    QTest::newRow("notify without a link") << ok << none << QByteArray("AT+NOTIFY\r\n") << QByteArray("+NOTIFY\r\n0");
    QTest::newRow("read gives the model name") << ok << linked << QByteArray("AT+READ\r\n") << QByteArray("+READ\r\n1\r\nQB-Band");
    QTest::newRow("write without a link") << ok << none << writeLine(QByteArray(20, '\0')) << QByteArray("+WRITE\r\n0");
    QTest::newRow("write count not matching the hex") << ok << linked << QByteArray("AT+WRITE=3,01AB\r\n") << QByteArray("+WRITE\r\n0");
    QTest::newRow("write of a non-hex digit") << ok << linked << QByteArray("AT+WRITE=2,01AG\r\n") << QByteArray("+WRITE\r\n0");
    QTest::newRow("write above 20 bytes") << ok << linked << writeLine(QByteArray(21, '\0')) << QByteArray("+WRITE\r\n0");
    QTest::newRow("write without data") << ok << linked << QByteArray("AT+WRITE\r\n") << QByteArray("+WRITE\r\n0");
    QTest::newRow("unknown command") << ok << none << QByteArray("AT+FOO\r\n") << QByteArray("+ERROR\r\n0");
    QTest::newRow("not a command") << ok << none << QByteArray("hello\r\n") << QByteArray("+ERROR\r\n0");
}

void TestSimAdapter::replies()
{
    QFETCH(int, fault);
    QFETCH(QByteArrayList, before);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    SimAdapter adapter;
    adapter.addDevice(QStringLiteral("Other"), QStringLiteral("AA:BB:CC:DD:EE:FF"));
    adapter.band().setFault(BandFault(fault));
    Port port(adapter.portPath());
    QVERIFY(port.isOpen());
    for (const QByteArray& line : before) {
        port.send(line);
        QTRY_VERIFY(port.has(1));
        port.take();
    }
    port.send(command);
    QTRY_VERIFY(port.has(1));
    QCOMPARE(port.take(), reply);
}

void TestSimAdapter::commandsInPieces()
{
    SimAdapter adapter;
    Port port(adapter.portPath());
    port.send("AT+SC");
    port.send("AN\r\nAT+RS");
    port.send("SI\r\n");
    QTRY_VERIFY(port.has(2));
    QCOMPARE(port.take(), QByteArray("+SCAN\r\n1\r\nQB-Band\r\nC4:7F:51:00:12:34"));
    QCOMPARE(port.take(), QByteArray("+RSSI\r\n0"));
}

void TestSimAdapter::writeAndNotify()
{
    SimAdapter adapter;
    Port port(adapter.portPath());
    QVERIFY(port.listen());
    RecordingCodec codec;
    QVERIFY(codec.bhVersion());
    port.send(writeLine(codec.sent.first()));
    QTRY_VERIFY(port.has(2));
    QCOMPARE(port.take(), QByteArray("+WRITE\r\n1"));
    const QByteArray message = port.take();
    QVERIFY2(message.startsWith("+NOTIFY=20,"), message.constData());
    QVERIFY(codec.bhReceive(notifiedPacket(message)));
    QCOMPARE(codec.answers, QStringList("version v=259 id=0123456789abcdef word=1 text=QB01"));
}

void TestSimAdapter::paced()
{
    SimAdapter adapter;
    const QDate day(2024, 3, 5);
    adapter.band().generateDays(day, 1);
    Port port(adapter.portPath());
    QVERIFY(port.listen());
    RecordingCodec codec;
    codec.bhStep(day, day, WireCodec::bs_reply_version());
    // The reply and the 13 packs of a 96-item day: one per 7.5 ms connection event.
    QElapsedTimer clock;
    clock.start();
    port.send(writeLine(codec.sent.first()));
    QTRY_VERIFY(port.has(15));
    QVERIFY2(clock.elapsed() >= 13 * 7, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(port.take(), QByteArray("+WRITE\r\n1"));
    for (int i = 0; i < 14; ++i)
        QVERIFY(codec.bhReceive(notifiedPacket(port.take())));
    QCOMPARE(codec.answers.first(), QStringLiteral("step count=1 from=2024-03-05 to=2024-03-05"));
    QCOMPARE(codec.answers.last(), QStringLiteral("stepLong sn=255 word=0"));
}

void TestSimAdapter::linkLostMidBlock()
{
    SimAdapter adapter;
    const QDate day(2024, 3, 5);
    adapter.band().generateDays(day, 1);
    adapter.band().setFault(BandFault::LinkLostMidBlock, 2);
    Port port(adapter.portPath());
    QVERIFY(port.listen());
    RecordingCodec codec;
    codec.bhSleep(day, day, WireCodec::bs_reply_version());
    port.send(writeLine(codec.sent.first()));
    QTRY_VERIFY(port.has(5));
    QCOMPARE(port.take(), QByteArray("+WRITE\r\n1"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(codec.bhReceive(notifiedPacket(port.take())));
    QCOMPARE(port.take(), QByteArray("+DISCON\r\n1"));
    QVERIFY(!adapter.isConnected());
    port.send("AT+RSSI\r\n");
    QTRY_VERIFY(port.has(1));
    QCOMPARE(port.take(), QByteArray("+RSSI\r\n0"));
}

void TestSimAdapter::severalBands_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QString>("linked");
    QTest::addColumn<QString>("version");
    const QString first = QStringLiteral("version v=259 id=0123456789abcdef word=1 text=QB01");
    const QString second = QStringLiteral("version v=260 id=000aff1001020304 word=1 text=QB02");
    QTest::newRow("the first band by its position") << QByteArray("2") << QStringLiteral("C4:7F:51:00:12:34") << first;
    QTest::newRow("an added band by its position") << QByteArray("3") << QStringLiteral("C4:7F:51:00:00:02") << second;
    QTest::newRow("an added band by its address") << QByteArray("C4:7F:51:00:00:02") << QStringLiteral("C4:7F:51:00:00:02") << second;
    QTest::newRow("a band's fault is its own") << QByteArray("4") << QString() << QString();
    QTest::newRow("the other device refuses") << QByteArray("1") << QString() << QString();
}

void TestSimAdapter::severalBands()
{
    QFETCH(QByteArray, target);
    QFETCH(QString, linked);
    QFETCH(QString, version);
    SimAdapter adapter;
    adapter.addDevice(QStringLiteral("Other"), QStringLiteral("AA:BB:CC:DD:EE:FF"));
    SimBandInfo second;
    second.name = QStringLiteral("QB-Two");
    second.address = QStringLiteral("C4:7F:51:00:00:02");
    second.firmware = 0x0104;
    second.identity = QByteArray::fromHex("000AFF1001020304");
    second.model = QByteArrayLiteral("QB02");
    adapter.addBand(second);
    SimBandInfo third;
    third.name = QStringLiteral("QB-Three");
    third.address = QStringLiteral("C4:7F:51:00:00:03");
    adapter.addBand(third).setFault(BandFault::RefuseConnect);
    Port port(adapter.portPath());
    port.send("AT+SCAN\r\n");
    QTRY_VERIFY(port.has(1));
    QCOMPARE(port.take(), QByteArray("+SCAN\r\n4\r\nOther\r\nAA:BB:CC:DD:EE:FF\r\nQB-Band\r\nC4:7F:51:00:12:34"
                                     "\r\nQB-Two\r\nC4:7F:51:00:00:02\r\nQB-Three\r\nC4:7F:51:00:00:03"));
    port.send("AT+CON" + target + "\r\nAT+NOTIFY\r\n");
    QTRY_VERIFY(port.has(2));
    QCOMPARE(port.take(), QByteArray(linked.isEmpty() ? "+CON\r\n0" : "+CON\r\n1"));
    port.take();
    QCOMPARE(adapter.linkedBand() ? adapter.linkedBand()->info.address : QString(), linked);
    if (linked.isEmpty())
        return;
    RecordingCodec codec;
    QVERIFY(codec.bhVersion());
    port.send(writeLine(codec.sent.first()));
    QTRY_VERIFY(port.has(2));
    QCOMPARE(port.take(), QByteArray("+WRITE\r\n1"));
    QVERIFY(codec.bhReceive(notifiedPacket(port.take())));
    QCOMPARE(codec.answers, QStringList(version));
}

void TestSimAdapter::standaloneProgram_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");  // -1: keeps running with a port
    QTest::addColumn<QByteArray>("output");  // what a run answers to a connect, or a text of the exit
    QTest::newRow("no options: a band that links") << QStringList() << -1 << QByteArray("+CON\r\n1");
    QTest::newRow("named fault refuses the link") << QStringList{"--fault", "RefuseConnect"} << -1 << QByteArray("+CON\r\n0");
    QTest::newRow("days and a slow pace") << QStringList{"--days", "3", "--pace", "20.5"} << -1 << QByteArray("+CON\r\n1");
    QTest::newRow("help lists options and faults") << QStringList{"--help"} << 0 << QByteArray("LinkLostMidBlock");
    QTest::newRow("unknown option") << QStringList{"--speed", "2"} << 1 << QByteArray("Unknown option");
    QTest::newRow("unknown fault") << QStringList{"--fault", "Melted"} << 1 << QByteArray("Unknown fault");
    QTest::newRow("days not a number") << QStringList{"--days", "many"} << 1 << QByteArray("--days");
    QTest::newRow("negative pace") << QStringList{"--pace", "-1"} << 1 << QByteArray("--pace");
    QTest::newRow("option without its value") << QStringList{"--fault"} << 1 << QByteArray("Missing value");
    QTest::newRow("stray argument") << QStringList{"band"} << 1 << QByteArray("Unexpected argument");
}

void TestSimAdapter::standaloneProgram()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    QProcess program;
    if (exitCode >= 0)
        program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(SIMBAND_PROGRAM), arguments);
    QVERIFY(program.waitForStarted());
    if (exitCode >= 0) {
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitCode(), exitCode);
        QVERIFY2(program.readAll().contains(output), qPrintable(arguments.join(' ')));
        return;
    }
    QTRY_VERIFY(program.canReadLine());
    const QString path = QString::fromLocal8Bit(program.readLine()).trimmed();
    {
        Port port(path);
        QVERIFY(port.isOpen());
        port.send("AT+SCAN\r\n");
        QTRY_VERIFY(port.has(1));
        QCOMPARE(port.take(), QByteArray("+SCAN\r\n1\r\nQB-Band\r\nC4:7F:51:00:12:34"));
        port.send("AT+CON1\r\n");
        QTRY_VERIFY(port.has(1));
        QCOMPARE(port.take(), output);
    }
    program.kill();
    QVERIFY(program.waitForFinished());
}

QTEST_GUILESS_MAIN(TestSimAdapter)
#include "tst_simadapter.moc"
