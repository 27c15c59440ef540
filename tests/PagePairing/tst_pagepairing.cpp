#include "pagepairing.h"

#include "busymeter.h"
#include "pagerig.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTextDocument>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString MOBILE = QStringLiteral("13800000000");
const QString FIRST = QStringLiteral("C4:7F:51:00:12:34");
const QString SECOND = QStringLiteral("C4:7F:51:00:00:02");
const QString THIRD = QStringLiteral("C4:7F:51:00:00:03");
const QString REFUSER = QStringLiteral("AA:BB:CC:DD:EE:FF");
const QString FIRST_ID = QStringLiteral("0123456789ABCDEF");
const QString SECOND_ID = QStringLiteral("000AFF1001020304");
const QString HELD_SERIAL = QStringLiteral("HELD-SERIAL");

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

// Whether every label in the widget shows its text as it stands, markup and all.
bool literal(const QWidget& widget)
{
    for (const QLabel* label : widget.findChildren<QLabel*>()) {
        if (label->textFormat() != Qt::PlainText && Qt::mightBeRichText(label->text()))
            return false;
    }
    return true;
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

void bindHeld(PageRig& rig, const QString& address, const QString& serial)
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
    explicit ReadEnd(QWidget* row, QSignalSpy* inserted = nullptr)
        : m_inserted(inserted)
    {
        connect(row, SIGNAL(onGetDevice(bool)), this, SLOT(on_end(bool)));
    }
    QList<bool> states;
    QString text;
    int rowsInserted = -1;  // rows the list had got when the read ended

private slots:
    void on_end(bool state)
    {
        states << state;
        text = static_cast<QWidget*>(sender())->findChild<QLabel*>(QStringLiteral("device"))->text();
        rowsInserted = m_inserted ? m_inserted->count() : -1;
    }

private:
    QSignalSpy* m_inserted;
};

// A signed-in user, the page shown and handed the hub.
bool start(PageRig& rig, PagePairing& page)
{
    if (!rig.isReady() || !rig.signIn(MOBILE))
        return false;
    // About the room the page gets beside the navigation column.
    page.resize(740, 430);
    page.show();
    return rig.activate(page);
}

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
    PageRig rig;
    rig.adapter().addBand(bandInfo(QStringLiteral("QB-Two"), SECOND, "000AFF1001020304"));
    rig.adapter().addBand(bandInfo(QStringLiteral("QB-Three"), THIRD, "1111111111111111"));
    QVERIFY(rig.plugAdapter());
    PagePairing page;
    QVERIFY(start(rig, page));
    bindHeld(rig, SECOND, HELD_SERIAL);
    QVERIFY(rig.activate(page));
    QTRY_COMPARE(addresses(page), (QStringList{FIRST, SECOND, THIRD}));
    QCOMPARE(rowText(page, 1, QStringLiteral("device")), HELD_SERIAL);
    QCOMPARE((QList<bool>{buttonOf(page, 0)->isEnabled(), buttonOf(page, 1)->isEnabled(), buttonOf(page, 2)->isEnabled()}),
             (QList<bool>{true, false, true}));

    treeOf(page)->setCurrentItem(treeOf(page)->topLevelItem(2));
    // A device that shows up first moves every band one place down; the current row follows its band.
    rig.adapter().addDevice(QStringLiteral("Refuser"), REFUSER);
    QTRY_VERIFY(QMetaObject::invokeMethod(&page, "on_search") && addresses(page).size() == 4);
    QCOMPARE(addresses(page), (QStringList{REFUSER, FIRST, SECOND, THIRD}));
    QCOMPARE(treeOf(page)->currentItem(), treeOf(page)->topLevelItem(3));
    QVERIFY(!buttonOf(page, 2)->isEnabled());
    QVERIFY(rig.shot(page));
    QVERIFY(rig.clean());
}

void TestPagePairing::bindWithoutHeldBand()
{
    PageRig rig;
    rig.adapter().addDevice(QStringLiteral("Refuser"), REFUSER);
    rig.adapter().addBand(bandInfo(QStringLiteral("QB-Two"), SECOND, "000AFF1001020304"));
    QVERIFY(rig.plugAdapter());
    PagePairing page;
    QVERIFY(start(rig, page));
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
    QTRY_VERIFY(!buttonOf(page, 2)->isEnabled());
    QVERIFY(buttonOf(page, 1)->isEnabled());
    // The page scans again; the rebuilt rows keep the new band marked.
    QTRY_COMPARE(bindReplies.count(), 1);
    const int scansAtReply = scans.count();
    QTRY_VERIFY_WITH_TIMEOUT(scans.count() > scansAtReply, PeerRig::PEER_WAIT + 5000);
    QTRY_VERIFY(treeOf(page)->isEnabled());
    QCOMPARE(addresses(page), (QStringList{REFUSER, FIRST, SECOND}));
    QVERIFY(!buttonOf(page, 2)->isEnabled());
    // The hub scans after each of the read's disconnects: none of them started the read again.
    QCOMPARE(versionRequests(*rig.adapter().bandAt(SECOND)), 1);
    QVERIFY(!rig.adapter().isConnected());
    QVERIFY(rig.clean());
}

void TestPagePairing::heldBandPrompt_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("afterScan");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("bound");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("name");
    const auto rebind = [](const QString& held) {
        return QStringList{QStringLiteral("cancelbinddevice ") + held + ' ' + HELD_SERIAL, QStringLiteral("listbinddevice"),
                           QStringLiteral("binddevice ") + SECOND + ' ' + SECOND_ID, QStringLiteral("listbinddevice")};
    };
    const QString name = QStringLiteral("QB-Two");
    QTest::newRow("cancel sends nothing") << 0 << false << QStringList() << QStringList(FIRST) << FIRST << HELD_SERIAL << name;
    QTest::newRow("ok unbinds, lists and binds in that order")
        << 1 << false << rebind(FIRST) << QStringList(SECOND) << FIRST << HELD_SERIAL << name;
    QTest::newRow("ok after a rebuild under the prompt binds the band read")
        << 1 << true << rebind(FIRST) << QStringList(SECOND) << FIRST << HELD_SERIAL << name;
    QTest::newRow("a held serial and a band name with markup show as text")
        << 0 << false << QStringList() << QStringList(FIRST) << FIRST << QStringLiteral("<img src=\"file:///etc/hostname\">")
        << QStringLiteral("<b>QB-Two</b>");
    const QString markup = QStringLiteral("<b>C4:7F:51:00:00:09</b>");
    QTest::newRow("a held address with markup shows as text in the prompt and is unbound as it is")
        << 1 << false << rebind(markup) << QStringList(SECOND) << markup << HELD_SERIAL << name;
}

void TestPagePairing::heldBandPrompt()
{
    QFETCH(int, answer);
    QFETCH(bool, afterScan);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, bound);
    QFETCH(QString, held);
    QFETCH(QString, serial);
    QFETCH(QString, name);
    PageRig rig;
    rig.adapter().addBand(bandInfo(name, SECOND, "000AFF1001020304"));
    QVERIFY(rig.plugAdapter());
    PagePairing page;
    QVERIFY(start(rig, page));
    bindHeld(rig, held, serial);
    QVERIFY(rig.activate(page));
    QTRY_COMPARE(addresses(page), (QStringList{FIRST, SECOND}));
    QCOMPARE(rowText(page, 1, QStringLiteral("name")), name);
    QCOMPARE(rowText(page, 0, QStringLiteral("device")), held == FIRST ? serial : QString());
    QVERIFY(literal(*treeOf(page)));
    QSignalSpy inserted(treeOf(page)->model(), SIGNAL(rowsInserted(QModelIndex,int,int)));
    ReadEnd end(rowAt(page, 1), &inserted);
    bool promptLiteral = false;
    // Held open until the list has been rebuilt after the read: the row that read the band is gone then.
    rig.holdModal([&] {
        promptLiteral = literal(*QApplication::activeModalWidget());
        return !afterScan || inserted.count() > end.rowsInserted;
    }, answer);
    QTest::mouseClick(buttonOf(page, 1), Qt::LeftButton);
    QTRY_COMPARE(rig.modals().size(), 1);
    QVERIFY2(rig.modals().first().contains(QStringLiteral("是否解除\"%1\"设备的绑定?").arg(held)),
             qPrintable(rig.modals().first().join('|')));
    QVERIFY(promptLiteral);
    QTRY_COMPARE(deviceRequests(rig.cloud()), requests);
    QTRY_COMPARE(boundAddresses(rig.cloud()), bound);
    QTRY_VERIFY(treeOf(page)->isEnabled());
    QVERIFY(rig.clean());
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
    PageRig rig;
    rig.adapter().addDevice(QStringLiteral("Refuser"), REFUSER);
    QVERIFY(rig.plugAdapter(BandFault(fault)));
    PagePairing page;
    QVERIFY(start(rig, page));
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
    QVERIFY(rig.clean());
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
    PageRig rig;
    QVERIFY(rig.plugAdapter(whileReading ? BandFault::Silent : BandFault::None));
    const QString bindPath = LoopbackCloud::PATH_PREFIX + QStringLiteral("device/binddevice");
    // Slow enough that the adapter is gone before the answer comes.
    LoopbackCloud::lc_fault slow;
    slow.kind = LoopbackCloud::FAULT_SLOW;
    slow.delayMs = 3000;
    rig.cloud().setFault(bindPath, slow);
    PagePairing page;
    QVERIFY(start(rig, page));
    QTRY_COMPARE(addresses(page), QStringList(FIRST));
    QSignalSpy bindRequests(&rig.cloud(), SIGNAL(onRequest(QString)));
    QSignalSpy bindReplies(&rig.hub(), SIGNAL(onNsDevBind(QDateTime,CloudGate::ns_ret_code,QString)));
    QTest::mouseClick(buttonOf(page, 0), Qt::LeftButton);
    if (whileReading)
        QTRY_COMPARE(rowText(page, 0, QStringLiteral("device")), QStringLiteral("正在获取..."));
    else
        QTRY_VERIFY(bindRequests.contains(QVariantList{bindPath}));
    QVERIFY(rig.pullAdapter());
    QCOMPARE(busyText(page), QStringLiteral("设备已经移除!!!"));
    QCOMPARE(treeOf(page)->topLevelItemCount(), 0);
    QVERIFY(!page.isEnabled());
    if (!whileReading) {
        // The late answer disables no deleted button and starts no search without the adapter.
        QTRY_COMPARE_WITH_TIMEOUT(bindReplies.count(), 1, PeerRig::PEER_WAIT);
        QCOMPARE(boundAddresses(rig.cloud()), QStringList(FIRST));
        QCOMPARE(busyText(page), QStringLiteral("绑定成功"));
        QCOMPARE(treeOf(page)->topLevelItemCount(), 0);
        QVERIFY(!page.isEnabled());
    }
    QVERIFY(rig.plugAdapter());
    QTRY_COMPARE_WITH_TIMEOUT(addresses(page), QStringList(FIRST), PeerRig::PEER_WAIT);
    QVERIFY(page.isEnabled());
    QVERIFY(rig.clean());
}

void TestPagePairing::secondActivation()
{
    PageRig rig;
    rig.adapter().addBand(bandInfo(QStringLiteral("QB-Two"), SECOND, "000AFF1001020304"));
    QVERIFY(rig.plugAdapter());
    PagePairing page;
    QVERIFY(start(rig, page));
    QVERIFY(rig.activate(page));
    QTRY_COMPARE(addresses(page), (QStringList{FIRST, SECOND}));
    // One rebuild per scan result: each result adds its two rows once.
    QSignalSpy scans(&rig.hub(), SIGNAL(onBcScan(QList<BandLink::at_devinfo>)));
    QSignalSpy inserted(treeOf(page)->model(), SIGNAL(rowsInserted(QModelIndex,int,int)));
    QTRY_VERIFY(QMetaObject::invokeMethod(&page, "on_search") && scans.count() > 0);
    QCOMPARE(inserted.count(), 2 * scans.count());
    QVERIFY(rig.clean());
}

QTEST_MAIN(TestPagePairing)
#include "tst_pagepairing.moc"
