#include "recordingcodec.h"
#include "simband.h"

#include <QtEndian>
#include <QtTest>

#include <cstring>

namespace {

const QDate pullDate(2024, 3, 5);

// The codec wired straight to the band: every packet sent is answered at once.
struct Bench {
    SimBand band;
    RecordingCodec codec;
    bool linkLost = false;

    Bench()
    {
        band.generateDays(pullDate, 3);
        codec.forward = [this](const QByteArray& packet) {
            const SimBand::Answer answer = band.receive(packet);
            linkLost |= answer.linkLost;
            for (const QByteArray& reply : answer.packets)
                codec.bhReceive(reply);
        };
    }
};

// What a receiver makes of the packs of one block: the 17 head payload bytes and the data, or
// the slots still missing.
struct Block {
    QByteArray day;
    quint16 number = 0;
    WireCodec::bs_long_ask_reply ask;
    bool complete = false;
};

Block assemble(const QList<WireCodec::bs_pack>& packs)
{
    Block block;
    QMap<int, QByteArray> filled;
    int slotCount = 0;
    for (const WireCodec::bs_pack& pack : packs) {
        const QByteArray bytes(reinterpret_cast<const char*>(pack.data), 20);
        const int serial = pack.data[2];
        if (serial == 1) {
            slotCount = (WireCodec::bhWord(pack.data, 3) + 16) / 17 + 1;
            block.number = WireCodec::bhWord(pack.data, 5);
        }
        filled[serial >= 0xFE ? -1 : serial - 1] = bytes.mid(3);
    }
    block.ask.block = block.number;
    if (slotCount == 0)
        return block;
    if (filled.contains(-1))
        filled[slotCount - 1] = filled.take(-1);
    for (int slot = 0; slot < slotCount; ++slot)
        WireCodec::setBit(block.ask.bits, unsigned(slot), !filled.contains(slot));
    if (filled.size() != slotCount)
        return block;
    const quint16 length = qFromBigEndian<quint16>(filled[0].constData());
    QByteArray data;
    for (int slot = 1; slot < slotCount; ++slot)
        data += filled[slot];
    data.truncate(length);
    if (WireCodec::crcCCITT(data) == qFromBigEndian<quint16>(filled[0].constData() + 4)) {
        block.complete = true;
        block.day = filled[0] + data;
    }
    return block;
}

struct Pull {
    int requests = 0;
    int reRequests = 0;
    QByteArray day;
};

// Pulls one day like the sync does: request, check, re-send request, pack re-request; a day
// that does not come complete is asked for again (the sync's re-request timer).
Pull pullDay(Bench& bench, const bool& steps)
{
    Pull pull;
    const WireCodec::bs_reply_version version;
    while (pull.requests < 3 && pull.day.isEmpty() && !bench.linkLost) {
        ++pull.requests;
        bench.codec.packs.clear();
        steps ? bench.codec.bhStep(pullDate, pullDate, version)
              : bench.codec.bhSleep(pullDate, pullDate, version);
        for (int round = 0; round < 3 && !bench.codec.packs.isEmpty(); ++round) {
            const Block block = assemble(bench.codec.packs);
            bench.codec.answers.clear();
            if (block.number == 0 || !bench.codec.bhAskRerecv(block.ask, version))
                break;
            const QString answer = bench.codec.answers.value(0);
            if (answer == QLatin1String("ask index=0")) {
                pull.day = block.day;
                break;
            }
            ++pull.reRequests;
            bench.codec.bhLongPackCtr(quint16(answer.section('=', 1).toUInt()), version);
        }
    }
    return pull;
}

// The day as the store reads a "head type 2" packet.
QList<quint16> storedSteps(const QByteArray& day, int* interval)
{
    *interval = quint8(day[10]);
    QList<quint16> steps;
    for (int i = 0; i < quint8(day[11]); ++i)
        steps << qFromBigEndian<quint16>(day.constData() + 17 + 2 * i);
    return steps;
}

QList<SimSleepItem> storedSleep(const QByteArray& day)
{
    QList<SimSleepItem> items;
    for (int i = 0; i < quint8(day[10]); ++i) {
        const char* item = day.constData() + 17 + 4 * i;
        items << SimSleepItem{qFromBigEndian<quint16>(item), quint8(item[2]), quint8(item[3])};
    }
    return items;
}

bool sameSleep(const QList<SimSleepItem>& a, const QList<SimSleepItem>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].start != b[i].start || a[i].minutes != b[i].minutes || a[i].code != b[i].code)
            return false;
    }
    return true;
}

QByteArray firmwarePacket(const quint8& sub, const quint8& serial, const QByteArray& payload)
{
    QByteArray packet(20, '\0');
    packet[0] = char(0x5A);
    packet[1] = char(sub);
    packet[2] = char(serial);
    packet.replace(3, payload.size(), payload);
    return packet;
}

QByteArray be16(const quint16& value)
{
    QByteArray bytes(2, '\0');
    qToBigEndian<quint16>(value, bytes.data());
    return bytes;
}

bool sendFirmware(RecordingCodec& codec, const QByteArray& packet)
{
    WireCodec::bs_pack pack;
    std::memcpy(pack.data, packet.constData(), 20);
    return codec.bhFirmwareSend(pack);
}

// Sends an image as the firmware wizard does and returns the last control reply's bytes 3-4.
quint16 flash(Bench& bench, const QByteArray& image, const int& corruptPack)
{
    QByteArray size(4, '\0');
    qToBigEndian<quint32>(quint32(image.size()), size.data());
    sendFirmware(bench.codec, firmwarePacket(0x11, 0, size + be16(WireCodec::crcCCITT(image)) + be16(1020)));
    const int packs = (image.size() + 1019) / 1020;
    for (int index = 1; index <= packs; ++index) {
        QByteArray slice = image.mid((index - 1) * 1020, 1020);
        sendFirmware(bench.codec, firmwarePacket(0x05, 1, be16(quint16(slice.size())) + be16(quint16(index))
                                                           + be16(WireCodec::crcCCITT(slice)) + '\x11'));
        if (index == corruptPack)
            slice[0] = char(~quint8(slice[0]));
        const int dataPacks = (slice.size() + 16) / 17;
        for (int k = 0; k < dataPacks; ++k) {
            const bool last = k + 1 == dataPacks;
            const quint8 serial = !last ? quint8(k + 2) : (index == packs ? 0xFF : 0xFE);
            sendFirmware(bench.codec, firmwarePacket(0x05, serial, slice.mid(17 * k, 17)));
        }
        const WireCodec::bs_pack ack = bench.codec.packs.last();
        sendFirmware(bench.codec, firmwarePacket(0x05, 0, QByteArray(reinterpret_cast<const char*>(ack.data) + 3, 2)));
    }
    return WireCodec::bhWord(bench.codec.packs.last().data, 3);
}

} // namespace

class TestSimBand : public QObject
{
    Q_OBJECT
private slots:
    void versionAndParameters();
    void parameterRefusals_data();
    void parameterRefusals();
    void dayPull_data();
    void dayPull();
    void linkLostMidBlock();
    void rangeOfDays();
    void bandAnswers_data();
    void bandAnswers();
    void firmware_data();
    void firmware();
};

void TestSimBand::versionAndParameters()
{
    Bench bench;
    QVERIFY(bench.codec.bhVersion());
    QCOMPARE(bench.codec.answers, QStringList("version v=259 id=0123456789abcdef word=1 text=QB01"));

    WireCodec::bh_param_struct param;
    param.dt = QDateTime(QDate(2024, 3, 5), QTime(21, 30, 5));
    param.stepTarget = 8000;
    param.option1 = 1;
    param.option2 = 1;
    param.option3 = -2;
    param.versionWord = bench.codec.version.versionWord;
    param.gender = 1;
    param.age = 30;
    param.weight = 70;
    param.height = 175;
    QVERIFY(bench.codec.bhParam(param));
    QCOMPARE(bench.codec.answers.last(), QStringLiteral("param id=0123456789abcdef protocol=1 firmware=259 type=QB01"));
    const WireCodec::bh_param_struct taken = bench.band.parameters();
    QCOMPARE(taken.dt, param.dt);
    QCOMPARE(taken.stepTarget, param.stepTarget);
    QCOMPARE(taken.option3, param.option3);
    QCOMPARE(int(taken.gender), 1);
    QCOMPARE(int(taken.age), 30);
    QCOMPARE(int(taken.weight), 70);
    QCOMPARE(int(taken.height), 175);
}

void TestSimBand::parameterRefusals_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<bool>("secondHalfOnly");
    QTest::addColumn<QString>("answer");
    QTest::newRow("settings word of another layout") << 7 << false << "error cmd=2 sub=1 type=3 text=parameter";
    QTest::newRow("second half without the first") << 1 << true << "error cmd=2 sub=3 type=5 text=order";
}

void TestSimBand::parameterRefusals()
{
    QFETCH(int, word);
    QFETCH(bool, secondHalfOnly);
    QFETCH(QString, answer);
    Bench bench;
    WireCodec::bh_param_struct param;
    param.dt = QDateTime(pullDate, QTime(8, 0));
    param.versionWord = quint16(word);
    if (secondHalfOnly)
        bench.codec.forward(WireCodec::bhPacket(0x02, 0x03, QByteArray()));
    else
        bench.codec.bhParam(param);
    QCOMPARE(bench.codec.answers, QStringList(answer));
    QVERIFY(!bench.band.hasParameters());
}

void TestSimBand::dayPull_data()
{
    QTest::addColumn<bool>("steps");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<int>("requests");
    QTest::addColumn<int>("reRequests");
    QTest::newRow("steps in one go") << true << int(BandFault::None) << 0 << 1 << 0;
    QTest::newRow("sleep in one go") << false << int(BandFault::None) << 0 << 1 << 0;
    QTest::newRow("dropped data pack is re-sent") << true << int(BandFault::DropPack) << 3 << 1 << 1;
    QTest::newRow("dropped sleep pack is re-sent") << false << int(BandFault::DropPack) << 2 << 1 << 1;
    QTest::newRow("dropped last pack is re-sent") << true << int(BandFault::DropPack) << 255 << 1 << 1;
    QTest::newRow("wrong block CRC needs the day again") << true << int(BandFault::CorruptBlockCrc) << 0 << 2 << 0;
    QTest::newRow("silent band gives nothing") << true << int(BandFault::Silent) << 0 << 3 << 0;
    QTest::newRow("error reports give nothing") << false << int(BandFault::ErrorPacket) << 6 << 3 << 0;
}

void TestSimBand::dayPull()
{
    QFETCH(bool, steps);
    QFETCH(int, fault);
    QFETCH(int, parameter);
    QFETCH(int, requests);
    QFETCH(int, reRequests);
    Bench bench;
    bench.band.setFault(BandFault(fault), parameter);
    const Pull pull = pullDay(bench, steps);
    QCOMPARE(pull.requests, requests);
    QCOMPARE(pull.reRequests, reRequests);
    const bool delivered = BandFault(fault) != BandFault::Silent && BandFault(fault) != BandFault::ErrorPacket;
    QCOMPARE(!pull.day.isEmpty(), delivered);
    if (!delivered)
        return;
    QCOMPARE(WireCodec::bhDate(reinterpret_cast<const unsigned char*>(pull.day.constData()), 7), pullDate);
    if (steps) {
        int interval = 0;
        QCOMPARE(storedSteps(pull.day, &interval), bench.band.stepDay(pullDate));
        QCOMPARE(interval, 15);
    } else {
        QVERIFY(sameSleep(storedSleep(pull.day), bench.band.sleepDay(pullDate)));
    }
}

void TestSimBand::linkLostMidBlock()
{
    Bench bench;
    bench.band.setFault(BandFault::LinkLostMidBlock, 3);
    bench.codec.bhStep(pullDate, pullDate, WireCodec::bs_reply_version());
    QVERIFY(bench.linkLost);
    QCOMPARE(bench.codec.answers, QStringList({"step count=1 from=2024-03-05 to=2024-03-05",
                                               "stepLong sn=1 word=192", "stepLong sn=2 word=0",
                                               "stepLong sn=3 word=0"}));
}

void TestSimBand::rangeOfDays()
{
    Bench bench;
    bench.band.setStepDay(pullDate.addDays(-1), 15, {});
    bench.codec.bhStep(pullDate.addDays(-2), pullDate, WireCodec::bs_reply_version());
    QCOMPARE(bench.codec.answers.first(), QStringLiteral("step count=2 from=2024-03-03 to=2024-03-05"));
    QStringList ends;
    for (const WireCodec::bs_pack& pack : qAsConst(bench.codec.packs)) {
        if (pack.data[2] == 1 || pack.data[2] >= 0xFE)
            ends << QString::number(pack.data[2], 16);
    }
    QCOMPARE(ends, QStringList({"1", "fe", "1", "ff"}));
    bench.codec.answers.clear();
    bench.codec.bhSleep(QDate(2023, 1, 1), QDate(2023, 1, 2), WireCodec::bs_reply_version());
    QCOMPARE(bench.codec.answers, QStringList("sleep count=0 from=2023-01-01 to=2023-01-02"));
}

void TestSimBand::bandAnswers_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("packet");
    QTest::addColumn<QString>("answer");
    const QByteArray none;
    const QByteArray dayRequest = WireCodec::bhPacket(0x03, 0x01, QByteArray::fromHex("180305180305"));
    const QByteArray firmwareStart = firmwarePacket(0x11, 0, QByteArray::fromHex("00000010ffff03fc"));
    QTest::newRow("short packet") << none << QByteArray::fromHex("0101") << "error cmd=1 sub=1 type=8 text=length";
    QTest::newRow("wrong frame check") << none << QByteArray::fromHex("010100000000000000000000000000000000a579")
                                       << "error cmd=1 sub=1 type=1 text=crc";
    QTest::newRow("unknown group") << none << WireCodec::bhPacket(0x09, 0x01, QByteArray()) << "error cmd=9 sub=1 type=2 text=command";
    QTest::newRow("impossible day") << none << WireCodec::bhPacket(0x04, 0x01, QByteArray::fromHex("180230180301"))
                                    << "error cmd=4 sub=1 type=4 text=date";
    QTest::newRow("re-send request without transfer") << none << WireCodec::bhPacket(0x06, 0x06, QByteArray::fromHex("0001"))
                                                       << "error cmd=6 sub=6 type=5 text=order";
    QTest::newRow("pack re-request of a block the day has not")
        << dayRequest << QByteArray::fromHex("0605000009000000000000000000000000000000") << "error cmd=6 sub=5 type=3 text=parameter";
    QTest::newRow("complete block answers index 0")
        << dayRequest << WireCodec::bhPacket(0x06, 0x06, QByteArray::fromHex("0001")) << "ask index=0";
    QTest::newRow("block 0 is taken as block 1")
        << dayRequest << WireCodec::bhPacket(0x06, 0x06, QByteArray::fromHex("000004")) << "ask index=1";
    QTest::newRow("firmware of size 0") << none << firmwarePacket(0x11, 0, QByteArray::fromHex("00000000ffff03fc"))
                                        << "error cmd=90 sub=17 type=7 text=firmware";
    QTest::newRow("firmware data before its header") << firmwareStart << firmwarePacket(0x05, 2, QByteArray(17, 'x'))
                                                     << "error cmd=90 sub=5 type=5 text=order";
    QTest::newRow("day request while flashing") << firmwareStart << dayRequest << "error cmd=3 sub=1 type=6 text=busy";
}

void TestSimBand::bandAnswers()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, packet);
    QFETCH(QString, answer);
    Bench bench;
    if (!before.isEmpty())
        bench.codec.forward(before);
    bench.codec.answers.clear();
    bench.codec.forward(packet);
    QCOMPARE(bench.codec.answers, QStringList(answer));
}

void TestSimBand::firmware_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("corruptPack");
    QTest::addColumn<bool>("installed");
    QTest::newRow("500 bytes: one short pack") << 500 << 0 << true;
    QTest::newRow("two full packs") << 2040 << 0 << true;
    QTest::newRow("2041 bytes: last pack of one byte") << 2041 << 0 << true;
    QTest::newRow("damaged second pack fails the whole image") << 2041 << 2 << false;
}

void TestSimBand::firmware()
{
    QFETCH(int, size);
    QFETCH(int, corruptPack);
    QFETCH(bool, installed);
    Bench bench;
    QByteArray image;
    for (int i = 0; i < size; ++i)
        image += char(i * 7 + i / 255);
    QCOMPARE(flash(bench, image, corruptPack), installed ? quint16(0xFFFF) : quint16(0));
    QCOMPARE(bench.band.firmware(), installed ? image : QByteArray());
    QVERIFY(bench.codec.answers.first().startsWith(QLatin1String("firmRev")));
}

QTEST_GUILESS_MAIN(TestSimBand)
#include "tst_simband.moc"
