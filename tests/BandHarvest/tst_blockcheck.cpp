#include "bandharvest.h"

#include <QtTest>

#include <cstring>

namespace {

class BlockCheck : public BandHarvest
{
public:
    using BandHarvest::checkStepLongPack;
    using BandHarvest::initStepPack;
};

// The slots of one block carrying `data`, every one received, as the band numbers them.
QList<BandHarvest::step_dat> blockOf(const QByteArray& data, const quint16& number, const quint16& crc)
{
    const int slotCount = (data.size() + 16) / 17 + 1;
    QList<BandHarvest::step_dat> packs;
    BandHarvest::step_dat head;
    head.isRecv = true;
    head.pack[0] = 0x03;
    head.pack[1] = 0x05;
    head.pack[2] = 1;
    head.pack[3] = uchar(data.size() >> 8);
    head.pack[4] = uchar(data.size());
    head.pack[5] = uchar(number >> 8);
    head.pack[6] = uchar(number);
    head.pack[7] = uchar(crc >> 8);
    head.pack[8] = uchar(crc);
    packs << head;
    for (int slot = 1; slot < slotCount; ++slot) {
        BandHarvest::step_dat pack;
        pack.isRecv = true;
        pack.pack[2] = uchar(slot + 1 < slotCount ? slot + 1 : 0xFF);
        const QByteArray part = data.mid((slot - 1) * 17, 17);
        std::memcpy(pack.pack + 3, part.constData(), size_t(part.size()));
        packs << pack;
    }
    return packs;
}

} // namespace

class TestBlockCheck : public QObject
{
    Q_OBJECT
private slots:
    void check_data();
    void check();
    void noSlotsIsRefused();
};

void TestBlockCheck::check_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("missingSlot");
    QTest::addColumn<bool>("wrongCrc");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QByteArray>("bitmap");

    const QByteArray none(15, '\0');
    QByteArray slot2 = none;
    slot2[0] = 0x04;
    QByteArray slot18 = none;
    slot18[2] = 0x04;
    QTest::newRow("34 bytes: three slots, no tail") << 34 << -1 << false << true << none;
    QTest::newRow("40 bytes: four slots, a tail of 6") << 40 << -1 << false << true << none;
    QTest::newRow("missing data slot is named in the bitmap") << 40 << 2 << false << false << slot2;
    QTest::newRow("missing slot 18 of a long block") << 510 << 18 << false << false << slot18;
    QTest::newRow("complete but wrong CRC: empty bitmap") << 34 << -1 << true << false << none;
    QTest::newRow("one byte of data") << 1 << -1 << false << true << none;
}

void TestBlockCheck::check()
{
    QFETCH(int, length);
    QFETCH(int, missingSlot);
    QFETCH(bool, wrongCrc);
    QFETCH(bool, valid);
    QFETCH(QByteArray, bitmap);
    QByteArray data;
    for (int i = 0; i < length; ++i)
        data.append(char(i * 7 + 1));
    const quint16 crc = WireCodec::crcCCITT(data) ^ (wrongCrc ? 0x0100 : 0);
    QList<BandHarvest::step_dat> packs = blockOf(data, 3, crc);
    if (missingSlot >= 0)
        packs[missingSlot].isRecv = false;

    BlockCheck run;
    WireCodec::bs_long_ask_reply reply;
    QByteArray out;
    QCOMPARE(run.checkStepLongPack(packs, &reply, &out), valid);
    QCOMPARE(reply.block, quint16(3));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(reply.bits), 15), bitmap);
    if (!valid)
        return;
    QCOMPARE(out.size(), 17 + length);
    QCOMPARE(out.mid(17), data);
}

void TestBlockCheck::noSlotsIsRefused()
{
    BlockCheck run;
    WireCodec::bs_long_ask_reply reply;
    QVERIFY(!run.checkStepLongPack({}, &reply, nullptr));
    QVERIFY(!run.checkStepLongPack(run.initStepPack(3), nullptr, nullptr));
}

QTEST_GUILESS_MAIN(TestBlockCheck)
#include "tst_blockcheck.moc"
