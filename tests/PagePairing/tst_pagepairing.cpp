#include "pagepairing.h"

#include "adapterplug.h"
#include "pageshot.h"
#include "busymeter.h"
#include "corehub.h"
#include "loopbackcloud.h"
#include "simadapter.h"

#include <QApplication>
#include <QDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString MOBILE = QStringLiteral("13800000000");
const QString FIRST = QStringLiteral("C4:7F:51:00:12:34");
const QString SECOND = QStringLiteral("C4:7F:51:00:00:02");
const QString THIRD = QStringLiteral("C4:7F:51:00:00:03");
const QString REFUSER = QStringLiteral("AA:BB:CC:DD:EE:FF");
const QString FIRST_ID = QStringLiteral("0123456789ABCDEF");
const QString SECOND_ID = QStringLiteral("000AFF1001020304");

// TEMPORARY until the page rig lands: home, loopback cloud, simulated adapter, hub.
class Rig
{
public:
    Rig()
    {
        qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
        m_cloud.start();
        qputenv("QUORIN_CLOUD_URL", m_cloud.url().toString().toLocal8Bit());
        m_cloud.ledger().addAccount(MOBILE, QStringLiteral("secret"));
        m_plug.reset(new AdapterPlug(m_adapter.portPath()));
        qputenv("QUORIN_ADAPTER_PORT", m_plug->link().toLocal8Bit());
        m_hub.reset(new CoreHub);
        m_hub->setNsToken(m_cloud.ledger().openSession(MOBILE));
    }
    ~Rig()
    {
        m_hub.reset();
        qputenv("QUORIN_ADAPTER_PORT", QByteArray());
        qputenv("QUORIN_CLOUD_URL", QByteArray());
    }
    CoreHub& hub() { return *m_hub; }
    SimAdapter& adapter() { return m_adapter; }
    LoopbackCloud& cloud() { return m_cloud; }
    AdapterPlug& plug() { return *m_plug; }
    void activate(QWidget& page)
    {
        page.resize(551, 394);
        page.show();
        dynamic_cast<Attribute&>(page).setMsg(m_hub.get());
    }
    // Answers the next modal dialog with result once ready() holds; its label texts go to texts.
    void answerModal(const int& result, std::function<bool()> ready = [] { return true; })
    {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [this, poll, result, ready] {
            QDialog* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !ready())
                return;
            modalTexts.clear();
            for (QLabel* label : dialog->findChildren<QLabel*>())
                modalTexts << label->text();
            poll->deleteLater();
            dialog->done(result);
        });
        poll->start(20);
    }
    bool shot(QWidget& page, const QString& name) { return PageShot::save(page, name); }
    QStringList modalTexts;

private:
    QTemporaryDir m_home;
    LoopbackCloud m_cloud;
    SimAdapter m_adapter;
    std::unique_ptr<AdapterPlug> m_plug;
    std::unique_ptr<CoreHub> m_hub;
};

QTreeWidget* treeOf(QWidget& page)
{
    return page.findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
}

QWidget* rowAt(QWidget& page, const int& index)
{
    QTreeWidget* tree = treeOf(page);
    return index < tree->topLevelItemCount() ? tree->itemWidget(tree->topLevelItem(index), 0) : nullptr;
}

QString rowText(QWidget& page, const int& index, const QString& label)
{
    QWidget* row = rowAt(page, index);
    return row ? row->findChild<QLabel*>(label)->text() : QString();
}

QWidget* buttonOf(QWidget& page, const int& index)
{
    QWidget* row = rowAt(page, index);
    return row ? row->findChild<QWidget*>(QStringLiteral("bt_exec")) : nullptr;
}

QStringList addresses(QWidget& page)
{
    QStringList list;
    for (int i = 0; i < treeOf(page)->topLevelItemCount(); ++i)
        list << rowText(page, i, QStringLiteral("address"));
    return list;
}

QString busyText(QWidget& page)
{
    return page.findChild<WidgetBusyMeter*>(QStringLiteral("w_process"))->text();
}

SimBandInfo bandInfo(const QString& name, const QString& address, const QByteArray& identity)
{
    SimBandInfo info;
    info.name = name;
    info.address = address;
    info.identity = QByteArray::fromHex(identity);
    return info;
}

// The device requests the cloud was sent, as "endpoint address serial".
QStringList deviceRequests(LoopbackCloud& cloud)
{
    QStringList list;
    const QString prefix = LoopbackCloud::PATH_PREFIX + QStringLiteral("device/");
    for (const LoopbackCloud::lc_request& request : cloud.requests()) {
        if (!request.path.startsWith(prefix))
            continue;
        const QJsonObject body = QJsonDocument::fromJson(request.body).object();
        QString line = request.path.mid(prefix.size());
        if (body.contains(QStringLiteral("deviceAddress")))
            line += ' ' + body.value(QStringLiteral("deviceAddress")).toString() + ' '
                    + body.value(QStringLiteral("deviceSerial")).toString();
        list << line;
    }
    return list;
}

QStringList boundAddresses(LoopbackCloud& cloud)
{
    QStringList list;
    for (const CloudLedger::lc_band& band : cloud.ledger().account(MOBILE).bands)
        list << band.address;
    return list;
}

int versionRequests(const SimBand& band)
{
    int count = 0;
    for (const QByteArray& packet : band.received())
        count += packet.startsWith(QByteArray::fromHex("0101")) ? 1 : 0;
    return count;
}

void bindHeld(Rig& rig, const QString& address, const QString& serial)
{
    CloudGate::ns_bind_dev held;
    held.deviceAddress = address;
    held.deviceSerial = serial;
    rig.cloud().ledger().bindBand(MOBILE, CloudLedger::lc_band{address, serial, QDateTime::currentDateTime()});
    rig.hub().setNsBinds({held});
}

// What a row showed when its read ended: the list may be rebuilt, and the row gone, right after.
class ReadEnd : public QObject
{
    Q_OBJECT
public:
    explicit ReadEnd(QWidget* row)
    {
        connect(row, SIGNAL(onGetDevice(bool)), this, SLOT(on_end(bool)));
    }
    QList<bool> states;
    QString text;

private slots:
    void on_end(bool state)
    {
        states << state;
        text = static_cast<QWidget*>(sender())->findChild<QLabel*>(QStringLiteral("device"))->text();
    }
};

} // namespace

class TestPagePairing : public QObject
{
    Q_OBJECT
private slots:
    void threeBands();
    void bindWithoutHeldBand();
    void heldBandPrompt_data();
    void heldBandPrompt();
    void failedRead_data();
    void failedRead();
    void adapterPulled_data();
    void adapterPulled();
    void secondActivation();
};

void TestPagePairing::threeBands()
{
    Rig rig;
    rig.adapter().addBand(bandInfo(QStringLiteral("QB-Two"), SECOND, "000AFF1001020304"));
    rig.adapter().addBand(bandInfo(QStringLiteral("QB-Three"), THIRD, "1111111111111111"));
    bindHeld(rig, SECOND, QStringLiteral("HELD-SERIAL"));
    PagePairing page;
    rig.activate(page);
    QTRY_COMPARE(addresses(page), (QStringList{FIRST, SECOND, THIRD}));
    QCOMPARE(rowText(page, 1, QStringLiteral("device")), QStringLiteral("HELD-SERIAL"));
    QCOMPARE((QList<bool>{buttonOf(page, 0)->isEnabled(), buttonOf(page, 1)->isEnabled(), buttonOf(page, 2)->isEnabled()}),
             (QList<bool>{true, false, true}));

    treeOf(page)->setCurrentItem(treeOf(page)->topLevelItem(2));
    // A device that shows up first moves every band one place down; the current row follows its band.
    rig.adapter().addDevice(QStringLiteral("Refuser"), REFUSER);
    QTRY_VERIFY(QMetaObject::invokeMethod(&page, "on_search") && addresses(page).size() == 4);
    QCOMPARE(addresses(page), (QStringList{REFUSER, FIRST, SECOND, THIRD}));
    QCOMPARE(treeOf(page)->currentItem(), treeOf(page)->topLevelItem(3));
    QVERIFY(!buttonOf(page, 2)->isEnabled());
    QVERIFY(rig.shot(page, QStringLiteral("PagePairing")));
}

void TestPagePairing::bindWithoutHeldBand()
{
    Rig rig;
    rig.adapter().addDevice(QStringLiteral("Refuser"), REFUSER);
    rig.adapter().addBand(bandInfo(QStringLiteral("QB-Two"), SECOND, "000AFF1001020304"));
    PagePairing page;
    rig.activate(page);
    QTRY_COMPARE(addresses(page), (QStringList{REFUSER, FIRST, SECOND}));
    QSignalSpy scans(&rig.hub(), SIGNAL(onBcScan(QList<BandLink::at_devinfo>)));
    QSignalSpy bindReplies(&rig.hub(), SIGNAL(onNsDevBind(QDateTime,CloudGate::ns_ret_code,QString)));

    // Row 3 carries tag 3: the read reaches the second band, whose identity it shows.
    ReadEnd end(rowAt(page, 2));
    QTest::mouseClick(buttonOf(page, 2), Qt::LeftButton);
    QTRY_COMPARE(end.states, QList<bool>{true});
    QCOMPARE(end.text, SECOND_ID);
    QTRY_COMPARE(boundAddresses(rig.cloud()), QStringList(SECOND));
    QCOMPARE(rig.cloud().ledger().account(MOBILE).bands.first().serial, SECOND_ID);
    QTRY_COMPARE(deviceRequests(rig.cloud()), (QStringList{QStringLiteral("binddevice ") + SECOND + ' ' + SECOND_ID,
                                                          QStringLiteral("listbinddevice")}));
    // The hub scans after each of the read's disconnects: none of them starts the read again.
    QCOMPARE(versionRequests(*rig.adapter().bandAt(SECOND)), 1);
    QVERIFY(!rig.adapter().isConnected());
    QTRY_VERIFY(!buttonOf(page, 2)->isEnabled());
    QVERIFY(buttonOf(page, 1)->isEnabled());
    // The page scans again; the rebuilt rows keep the new band marked.
    QTRY_COMPARE(bindReplies.count(), 1);
    const int scansAtReply = scans.count();
    QTRY_VERIFY_WITH_TIMEOUT(scans.count() > scansAtReply, 15000);
    QTRY_VERIFY(treeOf(page)->isEnabled());
    QCOMPARE(addresses(page), (QStringList{REFUSER, FIRST, SECOND}));
    QVERIFY(!buttonOf(page, 2)->isEnabled());
    QCOMPARE(versionRequests(*rig.adapter().bandAt(SECOND)), 1);
}

void TestPagePairing::heldBandPrompt_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("afterScan");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("bound");
    const QString held = QStringLiteral("HELD-SERIAL");
    const QStringList rebind{QStringLiteral("cancelbinddevice ") + FIRST + ' ' + held, QStringLiteral("listbinddevice"),
                             QStringLiteral("binddevice ") + SECOND + ' ' + SECOND_ID, QStringLiteral("listbinddevice")};
    QTest::newRow("cancel sends nothing") << 0 << false << QStringList() << QStringList(FIRST);
    QTest::newRow("ok unbinds, lists and binds in that order") << 1 << false << rebind << QStringList(SECOND);
    QTest::newRow("ok after a rebuild under the prompt binds the band read") << 1 << true << rebind << QStringList(SECOND);
}

void TestPagePairing::heldBandPrompt()
{
    QFETCH(int, answer);
    QFETCH(bool, afterScan);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, bound);
    Rig rig;
    rig.adapter().addBand(bandInfo(QStringLiteral("QB-Two"), SECOND, "000AFF1001020304"));
    bindHeld(rig, FIRST, QStringLiteral("HELD-SERIAL"));
    PagePairing page;
    rig.activate(page);
    QTRY_COMPARE(addresses(page), (QStringList{FIRST, SECOND}));
    QSignalSpy scans(&rig.hub(), SIGNAL(onBcScan(QList<BandLink::at_devinfo>)));
    QSignalSpy inserted(treeOf(page)->model(), SIGNAL(rowsInserted(QModelIndex,int,int)));
    bool open = false;
    rig.answerModal(answer, [&] {
        open = true;
        return !afterScan || (scans.count() > 0 && inserted.count() > 0);
    });
    QTest::mouseClick(buttonOf(page, 1), Qt::LeftButton);
    QTRY_VERIFY(open && rig.modalTexts.size() > 0);
    QVERIFY2(rig.modalTexts.contains(QStringLiteral("是否解除\"%1\"设备的绑定?").arg(FIRST)), qPrintable(rig.modalTexts.join('|')));
    QTRY_COMPARE(deviceRequests(rig.cloud()), requests);
    QTRY_COMPARE(boundAddresses(rig.cloud()), bound);
    QTRY_VERIFY(treeOf(page)->isEnabled());
}

void TestPagePairing::failedRead_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QByteArray>("timeOut");
    QTest::addColumn<QString>("text");
    QTest::newRow("a device that refuses the connect") << 0 << int(BandFault::None) << QByteArray() << QStringLiteral("连接失败!!!");
    QTest::newRow("a band that refuses the connect") << 1 << int(BandFault::RefuseConnect) << QByteArray() << QStringLiteral("连接失败!!!");
    QTest::newRow("a band that refuses notifications") << 1 << int(BandFault::RefuseNotify) << QByteArray() << QStringLiteral("监听失败!!!");
    QTest::newRow("a band that never answers its version") << 1 << int(BandFault::Silent) << QByteArray("on_VersionTimerOut") << QStringLiteral("获取超时!!!");
}

void TestPagePairing::failedRead()
{
    QFETCH(int, row);
    QFETCH(int, fault);
    QFETCH(QByteArray, timeOut);
    QFETCH(QString, text);
    Rig rig;
    rig.adapter().addDevice(QStringLiteral("Refuser"), REFUSER);
    rig.adapter().band().setFault(BandFault(fault));
    PagePairing page;
    rig.activate(page);
    QTRY_COMPARE(addresses(page), (QStringList{REFUSER, FIRST}));
    QWidget* line = rowAt(page, row);
    ReadEnd end(line);
    QSignalSpy scans(&rig.hub(), SIGNAL(onBcScan(QList<BandLink::at_devinfo>)));
    QTest::mouseClick(buttonOf(page, row), Qt::LeftButton);
    if (!timeOut.isEmpty()) {
        QTRY_COMPARE(rowText(page, row, QStringLiteral("device")), QStringLiteral("正在获取..."));
        QVERIFY(QMetaObject::invokeMethod(line, timeOut.constData()));
    }
    QTRY_COMPARE(end.states, QList<bool>{false});
    QCOMPARE(end.text, text);
    QTRY_VERIFY(!rig.adapter().isConnected());
    QVERIFY(deviceRequests(rig.cloud()).isEmpty());
    // Scanning resumes: the list comes back enabled from a new scan.
    scans.clear();
    QTRY_VERIFY(QMetaObject::invokeMethod(&page, "on_search") && scans.count() > 0 && treeOf(page)->isEnabled()
                && addresses(page).size() == 2);
}

void TestPagePairing::adapterPulled_data()
{
    QTest::addColumn<bool>("whileReading");
    QTest::newRow("while a row reads") << true;
    QTest::newRow("while the bind request is out") << false;
}

void TestPagePairing::adapterPulled()
{
    QFETCH(bool, whileReading);
    Rig rig;
    if (whileReading)
        rig.adapter().band().setFault(BandFault::Silent);
    else
        rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + QStringLiteral("device/binddevice"),
                             LoopbackCloud::lc_fault{LoopbackCloud::FAULT_SLOW, QString(), 1500});
    PagePairing page;
    rig.activate(page);
    QTRY_COMPARE(addresses(page), QStringList(FIRST));
    QTest::mouseClick(buttonOf(page, 0), Qt::LeftButton);
    if (whileReading)
        QTRY_COMPARE(rowText(page, 0, QStringLiteral("device")), QStringLiteral("正在获取..."));
    else
        QTRY_VERIFY(deviceRequests(rig.cloud()).isEmpty() == false || rig.cloud().requests().size() > 0);
    QVERIFY(rig.plug().unplug());
    QTRY_COMPARE(busyText(page), QStringLiteral("设备已经移除!!!"));
    QCOMPARE(treeOf(page)->topLevelItemCount(), 0);
    QVERIFY(!page.isEnabled());
    if (!whileReading)
        QTRY_COMPARE(boundAddresses(rig.cloud()), QStringList(FIRST));
    // Whatever was still out has come back: the page still says the adapter is gone.
    QTest::qWait(0);
    QCOMPARE(busyText(page), QStringLiteral("设备已经移除!!!"));
    QVERIFY(rig.plug().plug());
    QTRY_COMPARE_WITH_TIMEOUT(addresses(page), QStringList(FIRST), 15000);
    QVERIFY(page.isEnabled());
}

void TestPagePairing::secondActivation()
{
    Rig rig;
    rig.adapter().addBand(bandInfo(QStringLiteral("QB-Two"), SECOND, "000AFF1001020304"));
    PagePairing page;
    rig.activate(page);
    rig.activate(page);
    QTRY_COMPARE(addresses(page), (QStringList{FIRST, SECOND}));
    // One rebuild per scan result: each result adds its two rows once.
    QSignalSpy scans(&rig.hub(), SIGNAL(onBcScan(QList<BandLink::at_devinfo>)));
    QSignalSpy inserted(treeOf(page)->model(), SIGNAL(rowsInserted(QModelIndex,int,int)));
    QTRY_VERIFY(QMetaObject::invokeMethod(&page, "on_search") && scans.count() > 0);
    QCOMPARE(inserted.count(), 2 * scans.count());
}

QTEST_MAIN(TestPagePairing)
#include "tst_pagepairing.moc"
