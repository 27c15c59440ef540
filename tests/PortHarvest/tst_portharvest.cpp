#include "portharvest.h"
#include "ptyadapter.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

class TestPortHarvest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void awaitedMessageHoldsTheQueue_data();
    void awaitedMessageHoldsTheQueue();
    void pendingMessagesGoOutOnePerTick();
    void unplugAndPlug();
    void messageAddedWhileClosedIsDropped();
    void bytesBeforeAnyWriteCarryMinusOne();
    void unansweredMessageReleasesTheQueue();

private:
    bool openHarvest(PortHarvest& harvest);
    PtyAdapter* m_adapter = nullptr;
};

void TestPortHarvest::init()
{
    m_adapter = new PtyAdapter;
    qputenv("QUORIN_ADAPTER_PORT", m_adapter->link().toLocal8Bit());
}

void TestPortHarvest::cleanup()
{
    delete m_adapter;
    qputenv("QUORIN_ADAPTER_PORT", QByteArray());
}

bool TestPortHarvest::openHarvest(PortHarvest& harvest)
{
    QSignalSpy busy(&harvest, &PortHarvest::onBusy);
    if (!busy.wait(2000))
        return false;
    return busy[0][0].toBool() && busy[0][1].toString() == QLatin1String("adapter") && harvest.isOpen();
}

void TestPortHarvest::awaitedMessageHoldsTheQueue_data()
{
    QTest::addColumn<bool>("wait");
    QTest::addColumn<QByteArray>("beforeAnswer");
    QTest::newRow("awaited holds the next") << true << QByteArray("AT+SCAN\r\n");
    QTest::newRow("unawaited lets the next follow") << false << QByteArray("AT+SCAN\r\nAT+RSSI\r\n");
}

void TestPortHarvest::awaitedMessageHoldsTheQueue()
{
    QFETCH(bool, wait);
    QFETCH(QByteArray, beforeAnswer);
    PortHarvest harvest;
    QVERIFY(openHarvest(harvest));
    QSignalSpy recv(&harvest, &PortHarvest::onRecv);
    harvest.addQueue(0x200, "AT+SCAN\r\n", wait);
    QCOMPARE(m_adapter->drain(), QByteArray("AT+SCAN\r\n"));
    harvest.addQueue(0x203, "AT+RSSI\r\n", false);
    // Holding back has no event to wait for: give the queue time to misbehave.
    if (wait)
        QTest::qWait(350);
    QTRY_COMPARE(m_adapter->drain(), beforeAnswer);
    QVERIFY(m_adapter->answer("OK\r\n"));
    QTRY_COMPARE(m_adapter->drain(), QByteArray("AT+SCAN\r\nAT+RSSI\r\n"));
    QTRY_COMPARE(recv.size(), 1);
    QCOMPARE(recv[0][0].toInt(), wait ? 0x200 : 0x203);
    QCOMPARE(recv[0][1].toByteArray(), QByteArray("OK\r\n"));
}

void TestPortHarvest::pendingMessagesGoOutOnePerTick()
{
    PortHarvest harvest;
    QVERIFY(openHarvest(harvest));
    harvest.addQueue(1, "A", true);
    harvest.addQueue(2, "B", false);
    harvest.addQueue(3, "C", false);
    harvest.addQueue(4, "D", false);
    QCOMPARE(m_adapter->drain(), QByteArray("A"));
    m_adapter->arrivals.clear();
    m_adapter->clock.start();
    QVERIFY(m_adapter->answer("ok"));
    QTRY_COMPARE(m_adapter->received, QByteArray("ABCD"));
    QCOMPARE(m_adapter->arrivals.size(), 3);
    QVERIFY2(m_adapter->arrivals[1] - m_adapter->arrivals[0] >= 80, "second message too soon");
    QVERIFY2(m_adapter->arrivals[2] - m_adapter->arrivals[1] >= 80, "third message too soon");
}

void TestPortHarvest::unplugAndPlug()
{
    PortHarvest harvest;
    QSignalSpy exist(&harvest, &PortHarvest::onExist);
    QVERIFY(openHarvest(harvest));
    QCOMPARE(exist.size(), 1);
    QVERIFY(exist[0][0].toBool());
    harvest.addQueue(1, "A", true);
    harvest.addQueue(2, "B", false);
    QVERIFY(m_adapter->unplug());
    QTRY_COMPARE(exist.size(), 2);
    QVERIFY(!exist[1][0].toBool());
    QVERIFY(!harvest.isOpen());
    QVERIFY(!harvest.isExist());
    QTest::qWait(300);
    QCOMPARE(exist.size(), 2);

    QSignalSpy busy(&harvest, &PortHarvest::onBusy);
    QVERIFY(m_adapter->plug());
    QTRY_COMPARE(exist.size(), 3);
    QVERIFY(exist[2][0].toBool());
    QTRY_VERIFY(!busy.isEmpty());
    QVERIFY(busy[0][0].toBool());
    harvest.addQueue(3, "C", false);
    QCOMPARE(m_adapter->drain(), QByteArray("AC"));
}

void TestPortHarvest::messageAddedWhileClosedIsDropped()
{
    PortHarvest harvest;
    QVERIFY(openHarvest(harvest));
    QVERIFY(m_adapter->unplug());
    QTRY_VERIFY(!harvest.isExist());
    harvest.addQueue(7, "LOST", false);
    QVERIFY(m_adapter->plug());
    QTRY_VERIFY(harvest.isOpen());
    harvest.addQueue(8, "KEPT", false);
    QTRY_COMPARE(m_adapter->drain(), QByteArray("KEPT"));
}

void TestPortHarvest::bytesBeforeAnyWriteCarryMinusOne()
{
    PortHarvest harvest;
    QVERIFY(openHarvest(harvest));
    QSignalSpy recv(&harvest, &PortHarvest::onRecv);
    QVERIFY(m_adapter->answer("hello"));
    QTRY_COMPARE(recv.size(), 1);
    QCOMPARE(recv[0][0].toInt(), -1);
    QCOMPARE(recv[0][1].toByteArray(), QByteArray("hello"));
}

void TestPortHarvest::unansweredMessageReleasesTheQueue()
{
    PortHarvest harvest;
    harvest.setReplyTimeout(300);
    QVERIFY(openHarvest(harvest));
    QElapsedTimer clock;
    clock.start();
    harvest.addQueue(1, "A", true);
    harvest.addQueue(2, "B", false);
    QTRY_COMPARE(m_adapter->drain(), QByteArray("AB"));
    QVERIFY(clock.elapsed() >= 300);
}

QTEST_GUILESS_MAIN(TestPortHarvest)
#include "tst_portharvest.moc"
