#include "pagerig.h"

#include "pageaccount.h"
#include "pagebandhub.h"
#include "pageharvest.h"
#include "pagetrends.h"

#include <QDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString MOBILE = QStringLiteral("13800000000");

// A type nobody registered: a queued signal carrying it cannot be delivered.
struct Unregistered {
    int value = 0;
};

// A notice as the pages show one: a modal dialog whose texts sit in labels.
class Notice : public QDialog
{
public:
    Notice(const QString& title, const QString& text)
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(title, this));
        layout->addWidget(new QLabel(text, this));
    }
};

using HostFactory = std::function<QWidget*()>;

template <typename Host>
HostFactory host()
{
    return [] { return new Host(nullptr); };
}

bool hasBand(const QList<BandLink::at_devinfo>& list, const QString& address)
{
    for (const BandLink::at_devinfo& device : list) {
        if (device.address == address)
            return true;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(HostFactory)
Q_DECLARE_METATYPE(BandFault)

class Probe : public QObject
{
    Q_OBJECT
signals:
    void sent(Unregistered value);
public slots:
    void take(Unregistered value) { Q_UNUSED(value) }
};

class TestPageRig : public QObject
{
    Q_OBJECT
private slots:
    void signIn_data();
    void signIn();
    void scanThroughTheHub_data();
    void scanThroughTheHub();
    void adapterPulledAndPluggedBack();
    void modalAnswered_data();
    void modalAnswered();
    void modalHeldUntilAScanArrived();
    void refusedConnectIsCaught_data();
    void refusedConnectIsCaught();
    void hostHandsOnTheHub_data();
    void hostHandsOnTheHub();

private:
    static bool scanSees(PageRig& rig);
};

bool TestPageRig::scanSees(PageRig& rig)
{
    QSignalSpy scan(&rig.hub(), &CoreHub::onBcScan);
    rig.hub().bcScan();
    if (!scan.wait(PeerRig::PEER_WAIT))
        return false;
    return hasBand(scan[0][0].value<QList<BandLink::at_devinfo>>(), rig.band().info.address);
}

void TestPageRig::signIn_data()
{
    QTest::addColumn<QString>("seededPassword");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("signedIn");
    QTest::newRow("an account the test did not seed is seeded") << QString() << false << true;
    QTest::newRow("a seeded account signs in with its own password") << "own-pass" << false << true;
    QTest::newRow("a locked account is refused") << "own-pass" << true << false;
}

void TestPageRig::signIn()
{
    QFETCH(QString, seededPassword);
    QFETCH(bool, locked);
    QFETCH(bool, signedIn);
    PageRig rig;
    QVERIFY(rig.isReady());
    CloudLedger& ledger = rig.cloud().ledger();
    if (!seededPassword.isEmpty()) {
        QVERIFY(ledger.addAccount(MOBILE, seededPassword));
        CloudLedger::lc_account account = ledger.account(MOBILE);
        account.locked = locked;
        ledger.setAccount(account);
    }
    QCOMPARE(rig.signIn(MOBILE), signedIn);
    QCOMPARE(ledger.mobileOfToken(rig.hub().nsToken()), signedIn ? MOBILE : QString());
    QCOMPARE(QString::fromLatin1(rig.hub().fdUserinfo().id), signedIn ? MOBILE : QString());
    QVERIFY(rig.clean());
}

void TestPageRig::scanThroughTheHub_data()
{
    QTest::addColumn<BandFault>("fault");
    QTest::addColumn<bool>("linked");
    QTest::newRow("a willing band links") << BandFault::None << true;
    QTest::newRow("a band refusing the link is seen but does not link") << BandFault::RefuseConnect << false;
}

// What the pairing page does: sign in, plug the adapter, scan, pick the band.
void TestPageRig::scanThroughTheHub()
{
    QFETCH(BandFault, fault);
    QFETCH(bool, linked);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    QVERIFY(rig.plugAdapter(fault));
    QSignalSpy scan(&rig.hub(), &CoreHub::onBcScan);
    rig.hub().on_usbUpdate();
    QVERIFY(scan.wait(PeerRig::PEER_WAIT));
    QCOMPARE(scan.size(), 1);
    const QList<BandLink::at_devinfo> bands = scan[0][0].value<QList<BandLink::at_devinfo>>();
    QVERIFY(hasBand(bands, rig.band().info.address));
    QSignalSpy conn(&rig.hub(), &CoreHub::onBcConn);
    QVERIFY(rig.hub().bcConnect(1));
    QVERIFY(conn.wait(PeerRig::PEER_WAIT));
    QCOMPARE(conn[0][0].toBool(), linked);
    QCOMPARE(rig.adapter().isConnected(), linked);
    QVERIFY(rig.clean());
}

void TestPageRig::adapterPulledAndPluggedBack()
{
    PageRig rig;
    QVERIFY(rig.plugAdapter());
    QVERIFY(scanSees(rig));
    QSignalSpy scan(&rig.hub(), &CoreHub::onBcScan);
    QVERIFY(rig.pullAdapter());
    rig.hub().bcScan();
    QVERIFY(scan.wait(PeerRig::PEER_WAIT));
    QVERIFY(scan[0][0].value<QList<BandLink::at_devinfo>>().isEmpty());
    QVERIFY(rig.plugAdapter());
    QVERIFY(scanSees(rig));
    QVERIFY(rig.clean());
}

void TestPageRig::modalAnswered_data()
{
    QTest::addColumn<bool>("choose");
    QTest::addColumn<int>("answer");
    QTest::newRow("closed when the test chose nothing") << false << 0;
    QTest::newRow("OK when the test chose it") << true << 1;
}

void TestPageRig::modalAnswered()
{
    QFETCH(bool, choose);
    QFETCH(int, answer);
    PageRig rig;
    if (choose)
        rig.setModalAnswer(answer);
    Notice first(QStringLiteral("提示"), QStringLiteral("设备已移除!!!"));
    QCOMPARE(first.exec(), answer);
    Notice second(QStringLiteral("提示"), QStringLiteral("连接手环失败!"));
    QCOMPARE(second.exec(), answer);
    QCOMPARE(rig.modals().size(), 2);
    QCOMPARE(rig.modals()[0], QStringList({QStringLiteral("提示"), QStringLiteral("设备已移除!!!")}));
    QCOMPARE(rig.modals()[1], QStringList({QStringLiteral("提示"), QStringLiteral("连接手环失败!")}));
}

void TestPageRig::modalHeldUntilAScanArrived()
{
    PageRig rig;
    QVERIFY(rig.plugAdapter());
    Notice notice(QStringLiteral("提示"), QStringLiteral("正在搜索手环"));
    bool openAtScan = false;
    int scans = 0;
    QObject::connect(&rig.hub(), &CoreHub::onBcScan, &notice, [&] {
        openAtScan = notice.isVisible();
        ++scans;
    });
    rig.holdModal([&] { return scans > 0; }, 1);
    QTimer::singleShot(0, &rig.hub(), [&] { rig.hub().bcScan(); });
    QCOMPARE(notice.exec(), 1);
    QCOMPARE(scans, 1);
    QVERIFY(openAtScan);
    QCOMPARE(rig.modals().size(), 1);
}

void TestPageRig::refusedConnectIsCaught_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("a signal the hub does not have") << "No such signal";
    QTest::newRow("a slot the receiver does not have") << "No such slot";
    QTest::newRow("a queued argument nobody registered") << "Cannot queue arguments";
}

void TestPageRig::refusedConnectIsCaught()
{
    QFETCH(QString, fault);
    PageRig rig;
    Probe probe;
    QVERIFY(rig.clean());
    if (fault == QLatin1String("No such signal"))
        QObject::connect(&rig.hub(), SIGNAL(onBcScan(QList<BandLink::at_devinfo>, bool)), &probe, SLOT(deleteLater()));
    else if (fault == QLatin1String("No such slot"))
        QObject::connect(&rig.hub(), SIGNAL(onUsbConn()), &probe, SLOT(on_usbConn()));
    else {
        QObject::connect(&probe, SIGNAL(sent(Unregistered)), &probe, SLOT(take(Unregistered)), Qt::QueuedConnection);
        emit probe.sent(Unregistered());
    }
    QVERIFY(!rig.clean());
    const QStringList faults = rig.takeConnectFaults();
    QCOMPARE(faults.size(), 1);
    QVERIFY2(faults[0].contains(fault), qPrintable(faults[0]));
    QVERIFY(rig.clean());
}

void TestPageRig::hostHandsOnTheHub_data()
{
    QTest::addColumn<HostFactory>("make");
    QTest::newRow("PageBandHub") << host<PageBandHub>();
    QTest::newRow("PageTrends") << host<PageTrends>();
    QTest::newRow("PageHarvest") << host<PageHarvest>();
    QTest::newRow("PageAccount") << host<PageAccount>();
}

void TestPageRig::hostHandsOnTheHub()
{
    QFETCH(HostFactory, make);
    PageRig rig;
    std::unique_ptr<QWidget> page(make());
    auto* attribute = dynamic_cast<Attribute*>(page.get());
    QVERIFY(attribute);
    QVERIFY(rig.activate(*attribute));
    QCOMPARE(attribute->Msg(), &rig.hub());
    QVERIFY(!attribute->setMsg(nullptr));
    QVERIFY(rig.clean());
}

QTEST_MAIN(TestPageRig)
#include "tst_pagerig.moc"
