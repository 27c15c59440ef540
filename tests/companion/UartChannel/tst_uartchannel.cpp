#include "uartchannel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestUartChannel : public QObject
{
    Q_OBJECT
private slots:
    void configuredPort_data();
    void configuredPort();
};

void TestUartChannel::configuredPort_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("configured path present is the adapter") << true;
    QTest::newRow("configured path gone is no adapter") << false;
}

// The driver installer only asks isValid(); the serial queue takes name and location.
void TestUartChannel::configuredPort()
{
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("adapter"));
    if (exists) {
        QFile device(path);
        QVERIFY(device.open(QIODevice::WriteOnly));
    }
    qputenv("QUORIN_ADAPTER_PORT", path.toLocal8Bit());
    const UartChannel::uc_portinfo port = UartChannel::serialForDevice(0x0451, 0x16AA, 1, 0);
    qunsetenv("QUORIN_ADAPTER_PORT");
    QCOMPARE(port.isValid(), exists);
    QCOMPARE(port.systemLocation(), exists ? path : QString());
    QCOMPARE(port.portName(), exists ? QStringLiteral("adapter") : QString());
}

QTEST_GUILESS_MAIN(TestUartChannel)
#include "tst_uartchannel.moc"
