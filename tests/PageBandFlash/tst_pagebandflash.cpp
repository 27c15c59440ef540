#include "pagebandflash.h"

#include "busymeter.h"
#include "pagepairing.h"
#include "pagerig.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtEndian>
#include <QtTest>

#include <memory>

// Where the wizard is when it is closed.
enum class Stage {
    NoHub,        // never given a hub
    ConnectSent,  // the check's connect is on its way
    Connected,    // the check's link is up and heard, the band's version not yet asked
    Confirm,      // the confirm page shows
    Result,       // the result page shows after a transfer
    SyncLinked    // at the confirm page, after a sync dropped the check's link and made its own
};

Q_DECLARE_METATYPE(BandFault)
Q_DECLARE_METATYPE(LoopbackCloud::FAULT)
Q_DECLARE_METATYPE(Stage)

namespace {

const QString MOBILE = QStringLiteral("13800000000");
const QString BAND = QStringLiteral("C4:7F:51:00:12:34");
const int WAIT = PeerRig::PEER_WAIT;

const QString SCAN_FAILED = QStringLiteral("扫描手环失败,请重试!!!");
const QString CONNECT_FAILED = QStringLiteral("连接手环失败,请重试!!!");
const QString NOTIFY_FAILED = QStringLiteral("蓝牙监听失败,请重试!!!");
const QString CHECK_FAILED = QStringLiteral("检测失败,请重试!!!");
const QString UP_TO_DATE = QStringLiteral("已是最新版本.");
const QString TRANSFER_FAILED = QStringLiteral("固件更新失败,请重试!");
const QString INSTALLED = QStringLiteral("固件升级成功.");
const QString SEARCHING = QStringLiteral("正在搜索...");
// The bound band's place in every scan: after the two other devices.
const int BAND_PLACE = 3;
// 65535 long packs: all a 16-bit pack index can count.
const int LONGEST_IMAGE = 0xFFFF * 1020;

QString firmwarePath()
{
    return LoopbackCloud::PATH_PREFIX + QStringLiteral("param/updateFirmware");
}

QByteArray imageOf(const int& size)
{
    QByteArray image;
    image.reserve(size);
    for (int i = 0; i < size; ++i)
        image += char((i * 31 + i / 251) & 0xFF);
    return image;
}

QWidget* tab(QWidget& page, const char* name)
{
    return page.findChild<QWidget*>(QLatin1String(name));
}

QString text(QWidget& page, const char* name, const char* label = "label_text")
{
    return tab(page, name)->findChild<QLabel*>(QLatin1String(label))->text();
}

QWidget* button(QWidget& page, const char* name, const char* button)
{
    return tab(page, name)->findChild<QWidget*>(QLatin1String(button));
}

void click(QWidget* target)
{
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
}

int currentTab(QWidget& page)
{
    return page.findChild<QTabWidget*>(QStringLiteral("tabWidget"))->currentIndex();
}

int progress(QWidget& page)
{
    return tab(page, "tab_download")->findChild<QProgressBar*>(QStringLiteral("progressBar"))->value();
}

// The firmware packets the band took, in order.
QList<QByteArray> firmwarePackets(const SimBand& band)
{
    QList<QByteArray> list;
    for (const QByteArray& packet : band.received()) {
        if (quint8(packet[0]) == 0x5A)
            list << packet;
    }
    return list;
}

int startPackets(const SimBand& band)
{
    int count = 0;
    for (const QByteArray& packet : firmwarePackets(band))
        count += quint8(packet[1]) == 0x11 ? 1 : 0;
    return count;
}

quint16 word(const QByteArray& packet, const int& at)
{
    return qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(packet.constData()) + at);
}

// A firmware answer of the band: sub 0x11 or 0x05, the serial byte, bytes 3 and 4.
WireCodec::bs_pack bandAnswer(const quint8& sub, const quint8& serial, const quint16& word)
{
    WireCodec::bs_pack pack;
    pack.data[0] = 0x5A;
    pack.data[1] = sub;
    pack.data[2] = serial;
    qToBigEndian<quint16>(word, pack.data + 3);
    return pack;
}

// Answers a whole transfer from the hub as a band that takes every long pack would, for images
// too long to send to the simulated band.
void answerAsBand(CoreHub& hub, const int& size)
{
    emit hub.onBhFirmRev(bandAnswer(0x11, 0x00, 0x0100));
    const int packs = (size + 1019) / 1020;
    for (int pack = 1; pack <= packs; ++pack) {
        const bool last = pack == packs;
        emit hub.onBhFirmwareLong(bandAnswer(0x05, last ? 0xFF : 0xFE, quint16(pack)));
        emit hub.onBhLongCtr(bandAnswer(0x05, 0x00, last ? 0xFFFF : quint16(pack)));
    }
}

// Closes the wizard from inside the hub's next such signal, after the check has taken it.
template <typename Signal>
void closeOnNext(CoreHub& hub, Signal signal, QWidget& wizard, const std::function<void()>& close)
{
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(&hub, signal, &wizard, [connection, close] {
        QObject::disconnect(*connection);
        close();
    });
}

QString busyText(QWidget& pairing)
{
    return pairing.findChild<WidgetBusyMeter*>(QStringLiteral("w_process"))->text();
}

QStringList listed(QWidget& pairing)
{
    QStringList list;
    QTreeWidget* tree = pairing.findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QWidget* row = tree->itemWidget(tree->topLevelItem(i), 0);
        if (row)
            list << row->findChild<QLabel*>(QStringLiteral("address"))->text();
    }
    return list;
}

QJsonObject firmwareRequest(LoopbackCloud& cloud)
{
    for (const LoopbackCloud::lc_request& request : cloud.requests()) {
        if (request.path == firmwarePath())
            return QJsonDocument::fromJson(request.body).object();
    }
    return QJsonObject();
}

// A signed-in user whose bound band is the third entry of every scan, the adapter plugged in,
// the cloud offering firmware 260 with the image.
bool prepare(PageRig& rig, const QByteArray& image, const BandFault& fault = BandFault::None)
{
    rig.adapter().addDevice(QStringLiteral("Scale"), QStringLiteral("AA:BB:CC:DD:EE:01"));
    rig.adapter().addDevice(QStringLiteral("Lamp"), QStringLiteral("AA:BB:CC:DD:EE:02"));
    if (!rig.isReady() || !rig.signIn(MOBILE) || !rig.plugAdapter(fault))
        return false;
    CloudGate::ns_bind_dev bound;
    bound.deviceAddress = BAND;
    bound.deviceSerial = QStringLiteral("0123456789ABCDEF");
    rig.hub().setNsBinds({bound});
    rig.cloud().ledger().setFirmware(CloudLedger::lc_firmware{260, image});
    return true;
}

bool open(PageRig& rig, PageBandFlash& page)
{
    page.show();
    return rig.activate(page);
}

// Checks every firmware packet the band took in its last transfer against the image.
void verifyTransfer(const SimBand& band, const QByteArray& image)
{
    QList<QByteArray> packets = firmwarePackets(band);
    int start = -1;
    for (int i = 0; i < packets.size(); ++i)
        start = quint8(packets[i][1]) == 0x11 ? i : start;
    QVERIFY(start >= 0);
    const QByteArray head = packets[start];
    QCOMPARE(qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(head.constData()) + 3), quint32(image.size()));
    QCOMPARE(word(head, 7), WireCodec::crcCCITT(image));
    QCOMPARE(word(head, 9), quint16(1020));
    const int packs = (image.size() + 1019) / 1020;
    int at = start + 1;
    for (int pack = 1; pack <= packs; ++pack) {
        const QByteArray slice = image.mid((pack - 1) * 1020, 1020);
        const QByteArray header = packets.value(at++);
        QCOMPARE(header.left(3), QByteArray::fromHex("5A0501"));
        QCOMPARE(word(header, 3), quint16(slice.size()));
        QCOMPARE(word(header, 5), quint16(pack));
        QCOMPARE(word(header, 7), WireCodec::crcCCITT(slice));
        QCOMPARE(quint8(header[9]), quint8(17));
        const int count = (slice.size() + 16) / 17;
        QByteArray carried;
        for (int i = 0; i < count; ++i) {
            const QByteArray data = packets.value(at++);
            const quint8 closing = pack == packs ? 0xFF : 0xFE;
            QCOMPARE(quint8(data[2]), i + 1 < count ? quint8(i + 2) : closing);
            carried += data.mid(3);
        }
        QCOMPARE(carried.left(slice.size()), slice);
        QCOMPARE(carried.mid(slice.size()), QByteArray(carried.size() - slice.size(), '\0'));
        const QByteArray control = packets.value(at++);
        QCOMPARE(control.left(3), QByteArray::fromHex("5A0500"));
        QCOMPARE(word(control, 3), quint16(pack));
    }
    QCOMPARE(at, packets.size());
}

} // namespace

class TestPageBandFlash : public QObject
{
    Q_OBJECT
private slots:
    void road_data();
    void road();
    void transferFaults_data();
    void transferFaults();
    void silentBand();
    void checkFailures_data();
    void checkFailures();
    void confirmOffer_data();
    void confirmOffer();
    void emptyImageAtConfirm();
    void withoutHub();
    void closes_data();
    void closes();
    void updateListBeside();
    void checkStartsHere();
};

void TestPageBandFlash::road_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("interval");
    QTest::newRow("500 bytes: one short pack")                 << 500 << 7500;
    QTest::newRow("3 full packs end in 0xFF with 17 bytes")    << 3 * 1020 << 7500;
    QTest::newRow("2041 bytes: a last pack of one byte")       << 2041 << 7500;
    QTest::newRow("a last pack of 34 bytes: two full packets") << 1020 + 34 << 7500;
    QTest::newRow("more than 255 packs: two-byte indexes")     << 256 * 1020 + 5 << 0;
}

void TestPageBandFlash::road()
{
    QFETCH(int, size);
    QFETCH(int, interval);
    PageRig rig;
    const QByteArray image = imageOf(size);
    QVERIFY(prepare(rig, image));
    rig.adapter().setInterval(interval);
    PageBandFlash page;
    QVERIFY(open(rig, page));
    QTRY_COMPARE_WITH_TIMEOUT(currentTab(page), 1, WAIT);
    QCOMPARE(rig.adapter().linkedBand(), &rig.band());
    const QJsonObject request = firmwareRequest(rig.cloud());
    QCOMPARE(request.value(QStringLiteral("firmwareVersion")).toInt(), 259);
    QCOMPARE(request.value(QStringLiteral("withData")).toString(), QStringLiteral("1"));
    QCOMPARE(text(page, "tab_confirm"), QStringLiteral("发现新版本,是否更新?(当前:259,最新:260)"));
    QVERIFY(button(page, "tab_confirm", "bt_ok")->isEnabled());
    const bool shots = size == 3 * 1020;
    if (shots)
        QVERIFY(rig.shot(page, QStringLiteral("confirm")));

    click(button(page, "tab_confirm", "bt_ok"));
    QCOMPARE(currentTab(page), 2);
    if (shots) {
        QTRY_VERIFY_WITH_TIMEOUT(progress(page) > 0 && progress(page) < 100, WAIT);
        QVERIFY(rig.shot(page, QStringLiteral("transfer")));
    }
    QTRY_COMPARE_WITH_TIMEOUT(currentTab(page), 4, 120000);
    QCOMPARE(text(page, "tab_end"), INSTALLED);
    if (shots)
        QVERIFY(rig.shot(page, QStringLiteral("result")));
    QCOMPARE(progress(page), 100);
    QCOMPARE(rig.band().firmware(), image);
    verifyTransfer(rig.band(), image);
    QVERIFY(rig.clean());
}

void TestPageBandFlash::transferFaults_data()
{
    QTest::addColumn<BandFault>("fault");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<bool>("retryInstalls");
    QTest::newRow("a long pack refused once: the retry installs") << BandFault::RefuseFirmwarePack << 2 << true;
    QTest::newRow("the link lost mid-transfer")                   << BandFault::LinkLostMidFirmware << 2 << false;
    QTest::newRow("the start refused with an error report")       << BandFault::RefuseFirmwareStart << 0 << false;
}

void TestPageBandFlash::transferFaults()
{
    QFETCH(BandFault, fault);
    QFETCH(int, parameter);
    QFETCH(bool, retryInstalls);
    PageRig rig;
    const QByteArray image = imageOf(3 * 1020 + 100);
    QVERIFY(prepare(rig, image));
    PageBandFlash page;
    QVERIFY(open(rig, page));
    QTRY_COMPARE_WITH_TIMEOUT(currentTab(page), 1, WAIT);
    rig.band().setFault(fault, parameter);
    click(button(page, "tab_confirm", "bt_ok"));
    QTRY_COMPARE_WITH_TIMEOUT(text(page, "tab_download"), TRANSFER_FAILED, 60000);
    QVERIFY(button(page, "tab_download", "bt_ok")->isEnabled());
    QCOMPARE(currentTab(page), 2);
    QVERIFY(rig.band().firmware().isEmpty());
    if (!retryInstalls) {
        QVERIFY(rig.clean());
        return;
    }

    click(button(page, "tab_download", "bt_ok"));
    QTRY_COMPARE_WITH_TIMEOUT(currentTab(page), 4, 60000);
    QCOMPARE(text(page, "tab_end"), INSTALLED);
    QCOMPARE(startPackets(rig.band()), 2);
    QCOMPARE(rig.band().firmware(), image);
    verifyTransfer(rig.band(), image);
    QVERIFY(rig.clean());
}

// The band stops answering after the start packet: the page waits with no time-out, and once
// the wizard is closed a late answer drives nothing.
void TestPageBandFlash::silentBand()
{
    PageRig rig;
    QVERIFY(prepare(rig, imageOf(2000)));
    PageBandFlash page;
    QSignalSpy closes(&page, SIGNAL(onClose()));
    QVERIFY(open(rig, page));
    QTRY_COMPARE_WITH_TIMEOUT(currentTab(page), 1, WAIT);
    rig.band().setFault(BandFault::Silent);
    click(button(page, "tab_confirm", "bt_ok"));
    QTRY_COMPARE_WITH_TIMEOUT(startPackets(rig.band()), 1, WAIT);
    QCOMPARE(text(page, "tab_download"), QStringLiteral("正在更新..."));
    QVERIFY(!button(page, "tab_download", "bt_ok")->isEnabled());

    click(button(page, "tab_download", "bt_cancel"));
    QCOMPARE(closes.count(), 2);
    // The close lets the band go; linked again, as by a sync, it hears nothing of the wizard.
    QTRY_VERIFY_WITH_TIMEOUT(!rig.hub().isAtConnect() && !rig.adapter().isConnected(), WAIT);
    rig.band().setFault(BandFault::None);
    QSignalSpy links(&rig.hub(), SIGNAL(onBcConn(bool)));
    QSignalSpy notifies(&rig.hub(), SIGNAL(onBcNotify(bool)));
    QVERIFY(rig.hub().bcConnect(BAND_PLACE));
    QTRY_VERIFY_WITH_TIMEOUT(!links.isEmpty(), WAIT);
    QVERIFY(links.first().first().toBool());
    QVERIFY(rig.hub().bcNotify());
    QTRY_VERIFY_WITH_TIMEOUT(!notifies.isEmpty(), WAIT);
    const int taken = rig.band().received().size();
    emit rig.hub().onBhFirmRev(WireCodec::bs_pack());
    QSignalSpy versions(&rig.hub(), SIGNAL(onBhVersion(WireCodec::bs_reply_version)));
    rig.hub().bhVersion();
    QVERIFY(versions.wait(WAIT));
    // Only the version request went out after the close.
    QCOMPARE(rig.band().received().size(), taken + 1);
    QVERIFY(rig.clean());
}

void TestPageBandFlash::checkFailures_data()
{
    QTest::addColumn<BandFault>("fault");
    QTest::addColumn<QString>("bound");
    QTest::addColumn<int>("offered");
    QTest::addColumn<int>("imageSize");
    QTest::addColumn<LoopbackCloud::FAULT>("cloudFault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("retry");
    const LoopbackCloud::FAULT none = LoopbackCloud::FAULT_NONE;
    QTest::newRow("band not in the scan")   << BandFault::None << "11:22:33:44:55:66" << 260 << 500 << none << SCAN_FAILED << true;
    QTest::newRow("no bound band")          << BandFault::None << "" << 260 << 500 << none << SCAN_FAILED << true;
    QTest::newRow("connect refused")        << BandFault::RefuseConnect << BAND << 260 << 500 << none << CONNECT_FAILED << true;
    QTest::newRow("notify refused")         << BandFault::RefuseNotify << BAND << 260 << 500 << none << NOTIFY_FAILED << true;
    QTest::newRow("error report for the version request") << BandFault::ErrorPacket << BAND << 260 << 500 << none << CONNECT_FAILED << true;
    QTest::newRow("same version: only close is left") << BandFault::None << BAND << 259 << 500 << none << UP_TO_DATE << false;
    QTest::newRow("malformed cloud reply")  << BandFault::None << BAND << 260 << 500 << LoopbackCloud::FAULT_MALFORMED << CHECK_FAILED << true;
    QTest::newRow("empty image")            << BandFault::None << BAND << 260 << 0 << none << CHECK_FAILED << true;
    QTest::newRow("an endless cloud reply is cut at its cap") << BandFault::None << BAND << 260 << 500 << LoopbackCloud::FAULT_ENDLESS << CHECK_FAILED << true;
}

void TestPageBandFlash::checkFailures()
{
    QFETCH(BandFault, fault);
    QFETCH(QString, bound);
    QFETCH(int, offered);
    QFETCH(int, imageSize);
    QFETCH(LoopbackCloud::FAULT, cloudFault);
    QFETCH(QString, message);
    QFETCH(bool, retry);
    PageRig rig;
    QVERIFY(prepare(rig, imageOf(imageSize), fault));
    CloudGate::ns_bind_dev held;
    held.deviceAddress = bound;
    rig.hub().setNsBinds(bound.isEmpty() ? QList<CloudGate::ns_bind_dev>() : QList<CloudGate::ns_bind_dev>{held});
    rig.cloud().ledger().setFirmware(CloudLedger::lc_firmware{quint16(offered), imageOf(imageSize)});
    rig.cloud().setFault(firmwarePath(), LoopbackCloud::lc_fault{cloudFault, {}, {}, 0});
    PageBandFlash page;
    QVERIFY(open(rig, page));
    // A reply read up to its cap is 90 MiB: seconds in the instrumented build.
    QTRY_COMPARE_WITH_TIMEOUT(text(page, "tab_check"), message, 3 * WAIT);
    QCOMPARE(button(page, "tab_check", "bt_ok")->isEnabled(), retry);
    QCOMPARE(currentTab(page), 0);
    if (message == UP_TO_DATE)
        QCOMPARE(text(page, "tab_check", "label_description"), QStringLiteral("当前已是最新版本,不需要更新."));
    if (message == SCAN_FAILED && !bound.isEmpty())
        QVERIFY(rig.shot(page, QStringLiteral("check")));
    // An endless reply is read up to the cap; the sockets hold a little more.
    QVERIFY(rig.cloud().endlessBytes() <= CloudGate::REPLY_MAX + 16 * 1024 * 1024);
    QVERIFY(rig.clean());
}

void TestPageBandFlash::confirmOffer_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("offered");
    QTest::addColumn<int>("imageSize");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("canStart");
    const QString none = QStringLiteral("已是最新版本，无需更新");
    QTest::newRow("plain decimal versions")    << 259 << 300 << 500 << "发现新版本,是否更新?(当前:259,最新:300)" << "" << true;
    QTest::newRow("version 0 offers nothing") << 259 << 0 << 500 << "发现新版本,是否更新?(当前:259,最新:0)" << none << false;
    QTest::newRow("an empty image cannot start") << 259 << 260 << 0 << "发现新版本,是否更新?(当前:259,最新:260)" << "" << false;
    QTest::newRow("65535 full packs: the count ends with the band's result")
        << 259 << 260 << LONGEST_IMAGE << "发现新版本,是否更新?(当前:259,最新:260)" << "" << true;
}

void TestPageBandFlash::confirmOffer()
{
    QFETCH(int, current);
    QFETCH(int, offered);
    QFETCH(int, imageSize);
    QFETCH(QString, question);
    QFETCH(QString, note);
    QFETCH(bool, canStart);
    PageRig rig;
    PageBandFlash page;
    QWidget* confirm = tab(page, "tab_confirm");
    QVERIFY(QMetaObject::invokeMethod(confirm, "setData", Q_ARG(quint16, quint16(current)),
                                      Q_ARG(quint16, quint16(offered)), Q_ARG(QByteArray, imageOf(imageSize))));
    QCOMPARE(text(page, "tab_confirm"), question);
    QCOMPARE(text(page, "tab_confirm", "label_description"), note);
    QCOMPARE(button(page, "tab_confirm", "bt_ok")->isEnabled(), canStart);
    QVERIFY(button(page, "tab_confirm", "bt_cancel")->isEnabled());
    if (!canStart)
        return;

#ifdef QUORIN_SANITIZED
    // Four million packets, each allocated under the sanitizer's full stack traces: minutes.
    if (imageSize == LONGEST_IMAGE)
        QSKIP("65535 packs take minutes in the instrumented build");
#endif
    // No bound band: the check stops at once and, with no band link, the packets go nowhere.
    page.setMsg(&rig.hub());
    QVERIFY(QMetaObject::invokeMethod(confirm, "on_okClick"));
    QCOMPARE(currentTab(page), 2);
    answerAsBand(rig.hub(), imageSize);
    QCOMPARE(currentTab(page), 4);
    QCOMPARE(text(page, "tab_end"), INSTALLED);
    QCOMPARE(progress(page), 100);
    QVERIFY(rig.clean());
}

// The confirm page hands nothing on before it has data, and the transfer refuses an empty
// image handed to it anyway without sending a packet.
void TestPageBandFlash::emptyImageAtConfirm()
{
    PageRig rig;
    QVERIFY(prepare(rig, imageOf(500)));
    PageBandFlash page;
    QWidget* confirm = tab(page, "tab_confirm");
    QSignalSpy handed(confirm, SIGNAL(onNext(QByteArray)));
    QVERIFY(QMetaObject::invokeMethod(confirm, "on_okClick"));
    QCOMPARE(handed.count(), 0);

    QVERIFY(open(rig, page));
    QTRY_COMPARE_WITH_TIMEOUT(currentTab(page), 1, WAIT);
    const int taken = rig.band().received().size();
    QVERIFY(QMetaObject::invokeMethod(tab(page, "tab_download"), "start", Q_ARG(QByteArray, QByteArray())));
    QCOMPARE(text(page, "tab_download"), TRANSFER_FAILED);
    QVERIFY(button(page, "tab_download", "bt_ok")->isEnabled());
    QSignalSpy versions(&rig.hub(), SIGNAL(onBhVersion(WireCodec::bs_reply_version)));
    rig.hub().bhVersion();
    QVERIFY(versions.wait(WAIT));
    QCOMPARE(rig.band().received().size(), taken + 1);
    QVERIFY(rig.clean());
}

// Without a hub nothing starts; the check button then says why.
void TestPageBandFlash::withoutHub()
{
    PageBandFlash page;
    QVERIFY(!page.setMsg(nullptr));
    QCOMPARE(currentTab(page), 0);
    QCOMPARE(text(page, "tab_check"), QStringLiteral("提示内容"));
    page.show();
    click(button(page, "tab_check", "bt_ok"));
    QCOMPARE(text(page, "tab_check"), QStringLiteral("无法连接到消息中心!!!"));
}

void TestPageBandFlash::closes_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("count");
    QTest::newRow("check page's close button: twice")  << Stage::NoHub << "tab_check" << "bt_close" << 2;
    QTest::newRow("check page's cancel button: twice") << Stage::NoHub << "tab_check" << "bt_cancel" << 2;
    QTest::newRow("a window close: once")              << Stage::NoHub << "" << "" << 1;
    QTest::newRow("put off at the confirm page: the check's link drops")
        << Stage::Confirm << "tab_confirm" << "bt_cancel" << 2;
    QTest::newRow("the confirm page's close button drops it too")
        << Stage::Confirm << "tab_confirm" << "bt_close" << 2;
    QTest::newRow("a window close at the confirm page drops it")  << Stage::Confirm << "" << "" << 1;
    QTest::newRow("Esc at the confirm page closes and drops it")   << Stage::Confirm << "" << "escape" << 1;
    QTest::newRow("the wizard destroyed unclosed drops it")       << Stage::Confirm << "" << "destroy" << 0;
    QTest::newRow("closed with the check's connect on its way: the link it makes drops")
        << Stage::ConnectSent << "tab_check" << "bt_close" << 2;
    QTest::newRow("closed after the check's connect, before the band is read")
        << Stage::Connected << "tab_check" << "bt_cancel" << 2;
    QTest::newRow("closed at the result page after a transfer") << Stage::Result << "tab_end" << "bt_ok" << 2;
    QTest::newRow("a sync's link made after the check's went down stays up")
        << Stage::SyncLinked << "tab_confirm" << "bt_cancel" << 2;
}

void TestPageBandFlash::closes()
{
    QFETCH(Stage, stage);
    QFETCH(QString, page);
    QFETCH(QString, button);
    QFETCH(int, count);
    PageRig rig;
    auto wizard = std::make_unique<PageBandFlash>();
    QSignalSpy closes(wizard.get(), SIGNAL(onClose()));
    const auto closeWizard = [&wizard, page, button] {
        if (button == QLatin1String("destroy"))
            wizard.reset();
        else if (button == QLatin1String("escape"))
            QTest::keyClick(wizard.get(), Qt::Key_Escape);
        else if (page.isEmpty())
            wizard->close();
        else
            click(tab(*wizard, page.toLatin1().constData())->findChild<QWidget*>(button));
    };
    if (stage == Stage::NoHub) {
        wizard->show();
        QVERIFY(QTest::qWaitForWindowExposed(wizard.get()));
        closeWizard();
        QCOMPARE(closes.count(), count);
        QVERIFY(!wizard->isVisible());
        return;
    }

    QVERIFY(prepare(rig, imageOf(500)));
    CoreHub& hub = rig.hub();
    QSignalSpy links(&hub, SIGNAL(onBcConn(bool)));
    QVERIFY(open(rig, *wizard));
    if (stage == Stage::ConnectSent)
        closeOnNext(hub, &CoreHub::onBcScan, *wizard, closeWizard);
    if (stage == Stage::Connected)
        closeOnNext(hub, &CoreHub::onBcNotify, *wizard, closeWizard);
    QTRY_VERIFY_WITH_TIMEOUT(!links.isEmpty(), WAIT);
    QVERIFY(links.first().first().toBool());
    if (stage == Stage::ConnectSent || stage == Stage::Connected) {
        QTRY_COMPARE_WITH_TIMEOUT(closes.count(), count, WAIT);
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(currentTab(*wizard), 1, WAIT);
        if (stage == Stage::Result) {
            click(::button(*wizard, "tab_confirm", "bt_ok"));
            QTRY_COMPARE_WITH_TIMEOUT(currentTab(*wizard), 4, WAIT);
            QCOMPARE(rig.band().firmware(), imageOf(500));
        }
        if (stage == Stage::SyncLinked) {
            // As a sync starts: whatever link is up goes, and the band is connected anew.
            QSignalSpy scans(&hub, SIGNAL(onBcScan(QList<BandLink::at_devinfo>)));
            QVERIFY(hub.bcDisConnect());
            QTRY_VERIFY_WITH_TIMEOUT(!scans.isEmpty(), WAIT);
            links.clear();
            QVERIFY(hub.bcConnect(BAND_PLACE));
            QTRY_VERIFY_WITH_TIMEOUT(!links.isEmpty(), WAIT);
            QVERIFY(links.first().first().toBool());
        }
        closeWizard();
        QCOMPARE(closes.count(), count);
    }
    if (wizard)
        QVERIFY(!wizard->isVisible());

    if (stage == Stage::SyncLinked) {
        // A disconnect asked at the close would be answered before this: the adapter keeps order.
        QSignalSpy drops(&hub, SIGNAL(onBcDisconn(bool)));
        QSignalSpy notifies(&hub, SIGNAL(onBcNotify(bool)));
        QVERIFY(hub.bcNotify());
        QTRY_VERIFY_WITH_TIMEOUT(!notifies.isEmpty(), WAIT);
        QVERIFY(notifies.first().first().toBool());
        QVERIFY(drops.isEmpty());
        QVERIFY(hub.isAtConnect());
        QCOMPARE(rig.adapter().linkedBand(), &rig.band());
        QVERIFY(rig.clean());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!hub.isAtConnect() && !rig.adapter().isConnected(), WAIT);
    // The band page opened next scans again and lists the band.
    PagePairing pairing;
    pairing.show();
    QVERIFY(rig.activate(pairing));
    QTRY_VERIFY_WITH_TIMEOUT(busyText(pairing) == SEARCHING && listed(pairing).contains(BAND), WAIT);
    QVERIFY(!hub.isAtConnect());
    if (stage == Stage::Confirm && page == QLatin1String("tab_confirm") && button == QLatin1String("bt_cancel"))
        QVERIFY(rig.shot(pairing, QStringLiteral("after-firmware-check")));
    QVERIFY(rig.clean());
}

// A copy of this program in a folder of its own, with a pending program update listed beside
// it, still checks the band.
void TestPageBandFlash::updateListBeside()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString copy = folder.filePath(QStringLiteral("tst_pagebandflash"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QVERIFY(QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeOwner));
    QString name;
    {
        // The rig points the environment at its peers only while it lives: the child gets its own.
        PeerRig rig;
        name = rig.hub().fdUpdateListConf();
    }
    QFile list(folder.filePath(name));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("Quorin.exe.bak\r\n");
    list.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUORIN_LIST_BESIDE"), list.fileName());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(copy, {QStringLiteral("checkStartsHere")});
    QVERIFY(child.waitForFinished(120000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
}

// Run by updateListBeside in the copy; alone it checks the same road without the list.
void TestPageBandFlash::checkStartsHere()
{
    const QString list = qEnvironmentVariable("QUORIN_LIST_BESIDE");
    if (!list.isEmpty())
        QVERIFY(QFile::exists(list));
    PageRig rig;
    QVERIFY(prepare(rig, imageOf(500)));
    PageBandFlash page;
    QVERIFY(open(rig, page));
    QTRY_COMPARE_WITH_TIMEOUT(currentTab(page), 1, WAIT);
    QVERIFY(text(page, "tab_end") != INSTALLED);
    QVERIFY(rig.clean());
}

QTEST_MAIN(TestPageBandFlash)
#include "tst_pagebandflash.moc"
