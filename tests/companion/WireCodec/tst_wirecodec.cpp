#include "wirecodec.h"

#include <QtTest>

class TestWireCodec : public QObject
{
    Q_OBJECT
private slots:
    void crc_data();
    void crc();
    void setBit();
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

QTEST_GUILESS_MAIN(TestWireCodec)
#include "tst_wirecodec.moc"
