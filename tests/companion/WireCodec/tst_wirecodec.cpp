#include "recordingcodec.h"
#include "wirecodec.h"

#include <QtTest>

#include <cstddef>

namespace {

enum Request {
    VersionRequest, ParamRequest, StepRequest, SleepRequest, AskRerecv, LongPackCtr, FirmwareSend,
    ParamInvalidTime, ParamYear1999, StepBackwards, StepInvalidDay, SleepYear2256,
    AskBeyondWireBitmap, FirmwareWrongGroup
};

WireCodec::bh_param_struct sampleParam()
{
    WireCodec::bh_param_struct param;
    param.dt = QDateTime(QDate(2024, 3, 5), QTime(6, 7, 8));
    param.stepTarget = 8000;
    param.option1 = 1;
    param.option2 = 1;
    param.versionWord = 0x0102;
    param.gender = 1;
    param.flags = 0x02;
    param.age = 30;
    param.weight = 70;
    param.height = 175;
    return param;
}

bool send(WireCodec& codec, const int& request)
{
    const WireCodec::bs_reply_version version;
    WireCodec::bh_param_struct param = sampleParam();
    WireCodec::bs_long_ask_reply ask;
    ask.block = 2;
    WireCodec::bs_pack firmware;
    firmware.data[0] = 0x5A;
    firmware.data[1] = 0x05;
    firmware.data[2] = 0xFF;
    firmware.data[19] = 0xAB;
    switch (request) {
    case VersionRequest: return codec.bhVersion();
    case ParamRequest: return codec.bhParam(param);
    case StepRequest: return codec.bhStep(QDate(2024, 3, 5), QDate(2024, 3, 5), version);
    case SleepRequest: return codec.bhSleep(QDate(2024, 2, 28), QDate(2024, 3, 1), version);
    case AskRerecv:
        ask.bits[0] = 0x06;
        ask.bits[13] = 0x80;
        return codec.bhAskRerecv(ask, version);
    case LongPackCtr: return codec.bhLongPackCtr(0x0102, version);
    case FirmwareSend: return codec.bhFirmwareSend(firmware);
    case ParamInvalidTime:
        param.dt = QDateTime();
        return codec.bhParam(param);
    case ParamYear1999:
        param.dt = QDateTime(QDate(1999, 12, 31), QTime(23, 59));
        return codec.bhParam(param);
    case StepBackwards: return codec.bhStep(QDate(2024, 3, 5), QDate(2024, 3, 4), version);
    case StepInvalidDay: return codec.bhStep(QDate(), QDate(2024, 3, 4), version);
    case SleepYear2256: return codec.bhSleep(QDate(2256, 1, 1), QDate(2256, 1, 1), version);
    case AskBeyondWireBitmap:
        ask.bits[14] = 0x01;
        return codec.bhAskRerecv(ask, version);
    case FirmwareWrongGroup:
        firmware.data[0] = 0x03;
        return codec.bhFirmwareSend(firmware);
    }
    return false;
}

} // namespace

class TestWireCodec : public QObject
{
    Q_OBJECT
private slots:
    void crc_data();
    void crc();
    void setBit();
    void requestBytes_data();
    void requestBytes();
    void refusedRequest_data();
    void refusedRequest();
    void classify_data();
    void classify();
    void versionRecordOffsets();
    void metaTypesByQualifiedName();
    void errorTexts_data();
    void errorTexts();
};

void TestWireCodec::crc_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("crc");
    QTest::newRow("check value of CCITT-FALSE") << QByteArray("123456789") << 0x29B1;
    QTest::newRow("empty input is the initial value") << QByteArray() << 0xFFFF;
    QTest::newRow("one zero byte") << QByteArray(1, '\0') << 0xE1F0;
    QTest::newRow("high bytes are not sign-extended") << QByteArray::fromHex("ff") << 0xFF00;
}

void TestWireCodec::crc()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, crc);
    QCOMPARE(int(WireCodec::crcCCITT(bytes)), crc);
}

void TestWireCodec::setBit()
{
    unsigned char bitmap[3] = {0, 0, 0xFF};
    WireCodec::setBit(bitmap, 0, true);
    WireCodec::setBit(bitmap, 9, true);
    WireCodec::setBit(bitmap, 16, false);
    WireCodec::setBit(bitmap, 23, false);
    QCOMPARE(int(bitmap[0]), 0x01);
    QCOMPARE(int(bitmap[1]), 0x02);
    QCOMPARE(int(bitmap[2]), 0x7E);
}

void TestWireCodec::requestBytes_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<QByteArray>("packets");
    QTest::newRow("version request")
        << int(VersionRequest) << QByteArray("010100000000000000000000000000000000a578");
    QTest::newRow("parameters in two halves, numbers big-endian")
        << int(ParamRequest)
        << QByteArray("020118030506070800001f4001020102001e0458"
                      "0203004600af0000000100000001000000006044");
    QTest::newRow("step request of one day")
        << int(StepRequest) << QByteArray("030118030518030500000000000000000000932a");
    QTest::newRow("sleep request across a month end")
        << int(SleepRequest) << QByteArray("040118021c18030100000000000000000000cab9");
    QTest::newRow("re-send request carries 14 bitmap bytes")
        << int(AskRerecv) << QByteArray("060600020600000000000000000000000080f035");
    QTest::newRow("pack re-request is unchecked, index at 3-4")
        << int(LongPackCtr) << QByteArray("0605000102000000000000000000000000000000");
    QTest::newRow("firmware packet goes out as handed over")
        << int(FirmwareSend) << QByteArray("5a05ff00000000000000000000000000000000ab");
}

void TestWireCodec::requestBytes()
{
    QFETCH(int, request);
    QFETCH(QByteArray, packets);
    RecordingCodec codec;
    QVERIFY(send(codec, request));
    QByteArray sent;
    for (const QByteArray& packet : qAsConst(codec.sent)) {
        QCOMPARE(packet.size(), WireCodec::packetSize);
        sent += packet.toHex();
    }
    QCOMPARE(sent, packets);
}

void TestWireCodec::refusedRequest_data()
{
    QTest::addColumn<int>("request");
    QTest::newRow("parameters without a time") << int(ParamInvalidTime);
    QTest::newRow("parameters dated before 2000") << int(ParamYear1999);
    QTest::newRow("first day after last day") << int(StepBackwards);
    QTest::newRow("invalid first day") << int(StepInvalidDay);
    QTest::newRow("year beyond one byte") << int(SleepYear2256);
    QTest::newRow("bitmap bits with no place on the wire") << int(AskBeyondWireBitmap);
    QTest::newRow("firmware send of a day packet") << int(FirmwareWrongGroup);
}

void TestWireCodec::refusedRequest()
{
    QFETCH(int, request);
    RecordingCodec codec;
    QVERIFY(!send(codec, request));
    QVERIFY(codec.sent.isEmpty());
}

void TestWireCodec::classify_data()
{
    QTest::addColumn<QByteArray>("packet");
    QTest::addColumn<QString>("answer");
    QTest::newRow("version reply")
        << QByteArray("010201030123456789abcdef0102514230311276")
        << "version v=259 id=0123456789abcdef word=258 text=QB01";
    QTest::newRow("parameter reply")
        << QByteArray("02020123456789abcdef0001010351420000bbad")
        << "param id=0123456789abcdef protocol=1 firmware=259 type=QB";
    QTest::newRow("step reply with three blocks")
        << QByteArray("0302000318030518030500000000000000005a10")
        << "step count=3 from=2024-03-05 to=2024-03-05";
    QTest::newRow("sleep reply without data")
        << QByteArray("0402000018021c1803010000000000000000bfe1")
        << "sleep count=0 from=2024-02-28 to=2024-03-01";
    QTest::newRow("re-send answer")
        << QByteArray("0602000200000000000000000000000000002952") << "ask index=2";
    QTest::newRow("step long pack, unchecked")
        << QByteArray("030501002200011234110000000000000000ffff") << "stepLong sn=1 word=34";
    QTest::newRow("sleep long pack with serial 0 still reaches the receiver")
        << QByteArray("0405000000000000000000000000000000000000") << "sleepLong sn=0 word=0";
    QTest::newRow("error report with a text of full length is closed")
        << QByteArray("030e01044261642064617465212121212121cbd6")
        << "error cmd=3 sub=1 type=4 text=Bad date!!!!!!";
    QTest::newRow("firmware error report is unchecked")
        << QByteArray("5a0e110700000000000000000000000000000000")
        << "error cmd=90 sub=17 type=7 text=";
    QTest::newRow("firmware start reply")
        << QByteArray("5a11000100000000000000000000000000000000") << "firmRev sn=0 word=256";
    QTest::newRow("firmware acknowledgement")
        << QByteArray("5a05fe0001000000000000000000000000000000") << "firmwareLong sn=254 word=1";
    QTest::newRow("firmware control reply")
        << QByteArray("5a0500ffff000000000000000000000000000000") << "longCtr sn=0 word=65535";
    QTest::newRow("empty packet is dropped") << QByteArray() << QString();
    QTest::newRow("19 bytes are dropped")
        << QByteArray("010201030123456789abcdef01025142303112") << QString();
    QTest::newRow("21 bytes are dropped")
        << QByteArray("010201030123456789abcdef010251423031127600") << QString();
    QTest::newRow("wrong CRC is dropped")
        << QByteArray("010201030123456789abcdef0102514230311277") << QString();
    QTest::newRow("unknown group is dropped")
        << QByteArray("07020000000000000000000000000000000094ba") << QString();
    QTest::newRow("unknown sub is dropped")
        << QByteArray("0109000000000000000000000000000000002268") << QString();
    QTest::newRow("request echoed by the band is dropped")
        << QByteArray("010100000000000000000000000000000000a578") << QString();
    QTest::newRow("long pack of the version group is dropped")
        << QByteArray("0105010000000000000000000000000000000000") << QString();
    QTest::newRow("firmware packet with a data serial is dropped")
        << QByteArray("5a05030000000000000000000000000000000000") << QString();
}

void TestWireCodec::classify()
{
    QFETCH(QByteArray, packet);
    QFETCH(QString, answer);
    RecordingCodec codec;
    QCOMPARE(codec.bhReceive(QByteArray::fromHex(packet)), !answer.isEmpty());
    QCOMPARE(codec.answers, answer.isEmpty() ? QStringList() : QStringList(answer));
}

void TestWireCodec::versionRecordOffsets()
{
    QCOMPARE(offsetof(WireCodec::bs_reply_version, id), size_t(2));
    QCOMPARE(offsetof(WireCodec::bs_reply_version, versionWord), size_t(10));
    QCOMPARE(offsetof(WireCodec::bs_reply_version, text), size_t(12));
    QVERIFY(sizeof(WireCodec::bs_reply_version) >= 17);
}

void TestWireCodec::metaTypesByQualifiedName()
{
    WireCodec::registerMetaTypes();
    for (const char* name : {"WireCodec::bs_reply_version", "WireCodec::bs_reply_param",
                             "WireCodec::bs_reply_sync_step", "WireCodec::bs_reply_sync_sleep",
                             "WireCodec::bs_pack", "WireCodec::bs_pack_error",
                             "WireCodec::bs_long_ask_reply", "WireCodec::bh_param_struct"})
        QVERIFY2(QMetaType::type(name) != QMetaType::UnknownType, name);
}

void TestWireCodec::errorTexts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::newRow("frame check") << int(WireCodec::BH_ERR_CRC) << QStringLiteral("校验错误");
    QTest::newRow("date") << int(WireCodec::BH_ERR_DATE) << QStringLiteral("日期错误");
    QTest::newRow("length") << int(WireCodec::BH_ERR_LENGTH) << QStringLiteral("长度错误");
    QTest::newRow("zero is unknown") << 0 << QStringLiteral("未知错误");
    QTest::newRow("a number the band may add later") << 200 << QStringLiteral("未知错误");
}

void TestWireCodec::errorTexts()
{
    QFETCH(int, type);
    QFETCH(QString, text);
    QCOMPARE(WireCodec::bhGetErrStr(WireCodec::BH_ERROR_TYPE(type)), text);
}

QTEST_GUILESS_MAIN(TestWireCodec)
#include "tst_wirecodec.moc"
