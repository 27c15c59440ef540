#include "vaultprobe.h"
#include "wirecodec.h"

#include <QtTest>

class TestDayRecords : public QObject
{
    Q_OBJECT
private slots:
    void stepPacket_data();
    void stepPacket();
    void sleepPacket_data();
    void sleepPacket();
    void dirtyOnReAdd_data();
    void dirtyOnReAdd();
    void queriesAndClears();
    void clearEmptiesCloudCopies();
};

namespace {
const uchar head1[4] = {0, 0, 0, 1};
const uchar head2[4] = {0, 0, 0, 2};

QByteArray headBytes(const uchar* head)
{
    return QByteArray(reinterpret_cast<const char*>(head), 4);
}

// Type 2 packets: 7 unread bytes, date, interval, item count, 5 unread bytes, then the items.
QByteArray type2(const char* date, int interval, int count, const QByteArray& items)
{
    return QByteArray(7, '\0') + QByteArray::fromHex(date) + char(interval) + char(count) + QByteArray(5, '\0') + items;
}

QString stepItems(const LocalVault::step_mem_data& day)
{
    QStringList items;
    for (const LocalVault::step_item& item : day.items)
        items << QStringLiteral("%1:%2").arg(item.kind).arg(item.value);
    return items.join(QLatin1Char(','));
}

QString segments(const LocalVault::sleep_mem_data& day)
{
    QStringList list;
    for (const LocalVault::sleep_segment& s : day.segments)
        list << QStringLiteral("%1/%2/%3/%4/%5").arg(s.start).arg(s.phase).arg(s.code).arg(s.value).arg(s.minutes);
    return list.join(QLatin1Char(','));
}

template <typename Raw>
QByteArray joined(const QList<Raw>& rawItems)
{
    QByteArray bytes;
    for (const Raw& item : rawItems)
        bytes += QByteArray(reinterpret_cast<const char*>(item.bytes), sizeof(item.bytes));
    return bytes;
}
} // namespace

void TestDayRecords::stepPacket_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QString>("items");
    QTest::addColumn<QByteArray>("rawItems");
    const QDate invalid;
    QTest::newRow("type 1 keeps only kind 1, values turned little-endian")
        << headBytes(head1) << QByteArray::fromHex("1601020504" "01012c" "020010" "010005" "000007")
        << QDate(2022, 1, 2) << 5 << "1:300,1:5" << QByteArray::fromHex("012c01" "010500");
    QTest::newRow("type 1 of 5 bytes has no samples")
        << headBytes(head1) << QByteArray::fromHex("1601020504") << QDate(2022, 1, 2) << 5 << "" << QByteArray();
    QTest::newRow("type 1 of 7 bytes has no samples")
        << headBytes(head1) << QByteArray::fromHex("16010205040101") << QDate(2022, 1, 2) << 5 << "" << QByteArray();
    QTest::newRow("type 1 of 4 bytes is refused") << headBytes(head1) << QByteArray::fromHex("16010205") << invalid << 0
                                                  << "" << QByteArray();
    QTest::newRow("type 1 item cut by the end is dropped")
        << headBytes(head1) << QByteArray::fromHex("1601020502" "010001" "0100") << QDate(2022, 1, 2) << 5 << "1:1"
        << QByteArray::fromHex("010100");
    QTest::newRow("type 1 takes no more items than announced")
        << headBytes(head1) << QByteArray::fromHex("1601020501" "010001" "010002") << QDate(2022, 1, 2) << 5 << "1:1"
        << QByteArray::fromHex("010100");
    QTest::newRow("type 2 keeps every value")
        << headBytes(head2) << type2("100304", 15, 3, QByteArray::fromHex("000a0100ffff")) << QDate(2016, 3, 4) << 15
        << "0:10,0:256,0:65535" << QByteArray::fromHex("0a0000" "000100" "ffff00");
    QTest::newRow("type 2 of 18 bytes has no samples")
        << headBytes(head2) << type2("100304", 15, 3, QByteArray(1, '\1')) << QDate(2016, 3, 4) << 15 << ""
        << QByteArray();
    QTest::newRow("type 2 of 16 bytes is refused")
        << headBytes(head2) << type2("100304", 15, 3, QByteArray()).left(16) << invalid << 0 << "" << QByteArray();
    QTest::newRow("unknown head is refused") << QByteArray::fromHex("00000003")
                                             << QByteArray::fromHex("1601020504") << invalid << 0 << "" << QByteArray();
    QTest::newRow("month 0 is refused") << headBytes(head1) << QByteArray::fromHex("1600020504") << invalid << 0 << ""
                                        << QByteArray();
    QTest::newRow("31 April is refused") << headBytes(head2) << type2("10041f", 1, 0, QByteArray()) << invalid << 0
                                         << "" << QByteArray();
    QTest::newRow("year byte 255 is 2255") << headBytes(head1) << QByteArray::fromHex("ff0c1f0100")
                                           << QDate(2255, 12, 31) << 1 << "" << QByteArray();
}

void TestDayRecords::stepPacket()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, data);
    QFETCH(QDate, date);
    QFETCH(int, interval);
    QFETCH(QString, items);
    QFETCH(QByteArray, rawItems);
    VaultProbe vault;
    vault.step.dirty = false;
    const uchar* headPtr = reinterpret_cast<const uchar*>(head.constData());
    QCOMPARE(vault.fdAddStep(headPtr, LocalVault::SYNC_NEW, data, false), date.isValid());
    QCOMPARE(vault.fdSteps().size(), date.isValid() ? 1 : 0);
    QCOMPARE(vault.step.dirty, date.isValid());
    if (!date.isValid())
        return;
    const LocalVault::step_mem_data day = vault.fdGetStepDay(date);
    QCOMPARE(headBytes(day.t.head), head);
    QCOMPARE(int(day.t.sync), 1);
    QCOMPARE(int(day.t.interval), interval);
    QCOMPARE(int(day.t.count), day.items.size());
    QCOMPARE(qint64(day.t.begin), qint64(-1));
    QCOMPARE(qint64(day.t.length), qint64(data.size()));
    QCOMPARE(day.raw, data);
    QCOMPARE(stepItems(day), items);
    QCOMPARE(joined(day.rawItems), rawItems);
    // The check value covers the kept samples as stored: type 2 samples have no third byte.
    QByteArray samples = rawItems;
    if (head == headBytes(head2))
        for (int i = samples.size() - 1; i >= 2; i -= 3)
            samples.remove(i, 1);
    QCOMPARE(quint16(day.t.crc), WireCodec::crcCCITT(samples));
    QCOMPARE(int(vault.step.h.count), 1);
}

void TestDayRecords::sleepPacket_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("segments");
    QTest::addColumn<QByteArray>("samples");
    QTest::newRow("type 1 kinds other than 2 and 3 become 4, starts run by the interval")
        << headBytes(head1) << QByteArray::fromHex("1601020506" "000001" "020002" "030003" "010004" "050005" "ff0006")
        << QDate(2022, 1, 2) << "5/4/0/1/5,10/2/0/2/5,15/3/0/3/5,20/4/0/4/5,25/4/0/5/5,30/4/0/6/5"
        << QByteArray::fromHex("040100" "020200" "030300" "040400" "040500" "040600");
    QTest::newRow("type 2 codes give phases, sorted by start, ties in arrival order")
        << headBytes(head2)
        << type2("100304", 9, 8,
                 QByteArray::fromHex("001e0700" "000a0803" "00140906" "000a0b05" "00280101" "00320202" "003c0304"
                                     "004603c8"))
        << QDate(2016, 3, 4) << "10/2/3/8/8,10/2/5/11/11,20/4/6/9/9,30/3/0/7/7,40/3/1/1/1,50/3/2/2/2,60/2/4/3/3,70/4/200/3/3"
        << QByteArray::fromHex("1e000700" "0a000803" "14000906" "0a000b05" "28000101" "32000202" "3c000304"
                               "460003c8");
    QTest::newRow("type 2 of 20 bytes has no segments")
        << headBytes(head2) << type2("100304", 9, 1, QByteArray::fromHex("001e07")) << QDate(2016, 3, 4) << ""
        << QByteArray();
    QTest::newRow("type 1 of 4 bytes is refused") << headBytes(head1) << QByteArray::fromHex("16010205") << QDate()
                                                  << "" << QByteArray();
    QTest::newRow("day 0 is refused") << headBytes(head1) << QByteArray::fromHex("1601000500") << QDate() << ""
                                      << QByteArray();
}

void TestDayRecords::sleepPacket()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, data);
    QFETCH(QDate, date);
    QFETCH(QString, segments);
    QFETCH(QByteArray, samples);
    VaultProbe vault;
    const uchar* headPtr = reinterpret_cast<const uchar*>(head.constData());
    QCOMPARE(vault.fdAddSleep(headPtr, LocalVault::SYNC_NEW, data, false), date.isValid());
    QCOMPARE(vault.fdSleeps().size(), date.isValid() ? 1 : 0);
    if (!date.isValid())
        return;
    const LocalVault::sleep_mem_data day = vault.fdGetSleepDay(date);
    QCOMPARE(::segments(day), segments);
    QCOMPARE(int(day.t.count), day.segments.size());
    QCOMPARE(int(day.t.interval), head == headBytes(head2) ? 1 : 5);
    QByteArray stored = joined(day.rawItems);
    if (head == headBytes(head1))
        for (int i = stored.size() - 1; i >= 3; i -= 4)
            stored.remove(i, 1);
    QCOMPARE(stored, samples);
    QCOMPARE(quint16(day.t.crc), WireCodec::crcCCITT(samples));
}

void TestDayRecords::dirtyOnReAdd_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("sync");
    QTest::addColumn<bool>("dirty");
    QTest::newRow("same data and state keep the table clean") << QByteArray::fromHex("1601020501010001") << 2 << false;
    QTest::newRow("another state marks it") << QByteArray::fromHex("1601020501010001") << 1 << true;
    QTest::newRow("other data marks it") << QByteArray::fromHex("1601020501010002") << 2 << true;
}

void TestDayRecords::dirtyOnReAdd()
{
    QFETCH(QByteArray, data);
    QFETCH(int, sync);
    QFETCH(bool, dirty);
    VaultProbe vault;
    QVERIFY(vault.fdAddStep(head1, LocalVault::SYNC_SAVED, QByteArray::fromHex("1601020501010001"), false));
    vault.step.dirty = false;
    vault.step.days[QDate(2022, 1, 2)].t.begin = 40;
    QVERIFY(vault.fdAddStep(head1, LocalVault::SYNC_TYPE(sync), data, false));
    QCOMPARE(vault.step.dirty, dirty);
    QCOMPARE(qint64(vault.fdGetStepDay(QDate(2022, 1, 2)).t.begin), qint64(-1));
}

void TestDayRecords::queriesAndClears()
{
    VaultProbe vault;
    const QDate absent(2021, 5, 6);
    const LocalVault::step_mem_data null = vault.fdGetStepDay(absent);
    QCOMPARE(int(null.t.date.year), 2021);
    QCOMPARE(int(null.t.date.day), 6);
    QCOMPARE(int(null.t.sync), int(LocalVault::SYNC_EMPTY));
    QCOMPARE(qint64(null.t.begin), qint64(0));
    QVERIFY(null.items.isEmpty());
    QVERIFY(vault.fdSteps().isEmpty());

    vault.step.dirty = false;
    QVERIFY(!vault.fdUpdateStepSync(absent, LocalVault::SYNC_UPLOADED));
    QVERIFY(!vault.step.dirty);
    QVERIFY(vault.fdClearStep(QDate()));
    QVERIFY(vault.fdSteps().isEmpty());

    QVERIFY(vault.fdAddStep(head1, LocalVault::SYNC_NEW, QByteArray::fromHex("1601020501010001"), false));
    vault.step.dirty = false;
    QVERIFY(vault.fdClearStep(absent));
    QVERIFY(vault.step.dirty);
    QCOMPARE(int(vault.step.h.count), 1);
    const LocalVault::step_mem_data cleared = vault.fdGetStepDay(absent);
    QCOMPARE(int(cleared.t.sync), int(LocalVault::SYNC_NEW));
    QCOMPARE(int(cleared.t.date.year), 0);
    QVERIFY(vault.fdUpdateStepSync(absent, LocalVault::SYNC_UPLOADED));
    QCOMPARE(int(vault.fdGetStepDay(absent).t.sync), int(LocalVault::SYNC_UPLOADED));

    LocalVault::mydate bad;
    bad.year = 2021;
    bad.month = 2;
    bad.day = 30;
    QVERIFY(!vault.fdAddSleep(head1, LocalVault::SYNC_NEW, bad, 1, 0, 0, QByteArray(), QByteArray(), false));
    QVERIFY(vault.fdSleeps().isEmpty());
}

void TestDayRecords::clearEmptiesCloudCopies()
{
    VaultProbe vault;
    QVERIFY(vault.fdAddStep(head1, LocalVault::SYNC_NEW, QByteArray::fromHex("1601020501010001"), true));
    QVERIFY(vault.fdAddSleep(head1, LocalVault::SYNC_NEW, QByteArray::fromHex("1601020501020001"), true));
    QCOMPARE(vault.netStep.days.size(), 1);
    QVERIFY(vault.fdClearNetStep(QDate(2022, 1, 2)));
    QVERIFY(vault.netStep.days.first().raw.isEmpty());
    QCOMPARE(vault.fdSteps().first().raw.size(), 8);
    vault.fdClear();
    QVERIFY(vault.fdSteps().isEmpty() && vault.fdSleeps().isEmpty());
    QVERIFY(vault.netStep.days.isEmpty() && vault.netSleep.days.isEmpty());
    QVERIFY(vault.step.needRead && vault.sleep.needRead);
    QCOMPARE(int(vault.step.h.flag), 3);
    QCOMPARE(int(vault.sleep.h.flag), 7);
}

QTEST_GUILESS_MAIN(TestDayRecords)
#include "tst_dayrecords.moc"
