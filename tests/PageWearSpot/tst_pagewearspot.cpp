#include "pagewearspot.h"

#include "mainwindow.h"
#include "pagebandhub.h"
#include "pagemenu.h"
#include "pagerig.h"
#include "tapcaption.h"
#include "togglecaption.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

const QString MOBILE = QStringLiteral("13800000000");

QStringList logged;

void keepLine(QtMsgType, const QMessageLogContext&, const QString& text)
{
    logged << text;
}

ToggleCaption* choice(QWidget& page, const char* name)
{
    return page.findChild<ToggleCaption*>(QLatin1String(name));
}

const int BAND_ENTRY = 2;

// The band tab as a user reaches it: the window's home screen, its menu entry picked.
PageBandHub* bandTab(MainWindow& window)
{
    window.show();
    if (!QMetaObject::invokeMethod(&window, "on_home"))
        return nullptr;
    auto* menu = window.findChild<PageMenu*>()->findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
    menu->setCurrentItem(menu->topLevelItem(BAND_ENTRY));
    return window.findChild<PageBandHub*>();
}

// Whether the widget lies wholly in what the tab's scroll view shows, with no sideways scrolling.
bool inView(PageBandHub& tab, QWidget& widget)
{
    auto* scroll = tab.findChild<QScrollArea*>();
    QWidget* viewport = scroll->viewport();
    const QRect shown(widget.mapTo(viewport, QPoint(0, 0)), widget.size());
    return scroll->horizontalScrollBar()->maximum() == 0 && viewport->rect().contains(shown);
}

} // namespace

class TestPageWearSpot : public QObject
{
    Q_OBJECT
private slots:
    void mapping_data();
    void mapping();
    void done_data();
    void done();
};

void TestPageWearSpot::mapping_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("toLocal");
    QTest::addColumn<int>("toCloud");
    QTest::addColumn<bool>("logs");
    QTest::newRow("wrist keeps 0")                       << 0 << 0 << 0 << false;
    QTest::newRow("cloud waist 1 is local waist 2")      << 1 << 2 << 2 << false;
    QTest::newRow("cloud neck 2 is local neck 1")        << 2 << 1 << 1 << false;
    QTest::newRow("ankle keeps 3")                       << 3 << 3 << 3 << false;
    QTest::newRow("7 is logged and taken as the wrist")  << 7 << 0 << 0 << true;
    QTest::newRow("-1 is logged and taken as the wrist") << -1 << 0 << 0 << true;
    QTest::newRow("65537 reads its low 16 bits, 1")      << 65537 << 2 << 2 << false;
}

void TestPageWearSpot::mapping()
{
    QFETCH(int, value);
    QFETCH(int, toLocal);
    QFETCH(int, toCloud);
    QFETCH(bool, logs);
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepLine);
    const int local = WidgetDevicePos::posNtoL(static_cast<CloudGate::NS_DEV_POS_LIST>(value));
    const int cloud = WidgetDevicePos::posLtoN(static_cast<WidgetDevicePos::LOCAL>(value));
    qInstallMessageHandler(previous);
    QCOMPARE(local, toLocal);
    QCOMPARE(cloud, toCloud);
    QCOMPARE(logged.size(), logs ? 2 : 0);
    if (logs) {
        QVERIFY2(logged.at(0).contains(QStringLiteral("posNtoL")) && logged.at(0).contains(QStringLiteral("c=4,n=%1").arg(value)),
                 qPrintable(logged.at(0)));
        QVERIFY2(logged.at(1).contains(QStringLiteral("posLtoN")) && logged.at(1).contains(QStringLiteral("c=4,l=%1").arg(value)),
                 qPrintable(logged.at(1)));
    }
}

void TestPageWearSpot::done_data()
{
    QTest::addColumn<bool>("withHub");
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("inBandTab");
    QTest::addColumn<bool>("english");
    QTest::newRow("neck is stored as the cloud's 2")  << true << QByteArray("bt_neck") << 2 << false << false;
    QTest::newRow("waist is stored as the cloud's 1") << true << QByteArray("bt_waist") << 1 << false << false;
    QTest::newRow("without hub only onDone")          << false << QByteArray("bt_foot") << 0 << false << false;
    QTest::newRow("in the window's band tab done is in view and stores the ankle")
        << true << QByteArray("bt_foot") << 3 << true << false;
    QTest::newRow("in the window's band tab in English done is in view and stores the waist")
        << true << QByteArray("bt_waist") << 1 << true << true;
}

void TestPageWearSpot::done()
{
    QFETCH(bool, withHub);
    QFETCH(QByteArray, chosen);
    QFETCH(int, stored);
    QFETCH(bool, inBandTab);
    QFETCH(bool, english);
    QTranslator translator;
    if (english)
        QVERIFY(PageRig::speakEnglish(translator));
    PageRig rig;
    QVERIFY(rig.isReady());
    QVERIFY(rig.signIn(MOBILE));
    // The cloud keeps a position only for an account with a band.
    rig.cloud().ledger().bindBand(MOBILE, CloudLedger::lc_band{QStringLiteral("C4:7F:51:00:12:34"), QStringLiteral("S1"),
                                                               QDateTime::currentDateTime()});
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<PageWearSpot> alone;
    PageBandHub* tab = nullptr;
    if (inBandTab) {
        window.reset(new MainWindow(&rig.hub()));
        QVERIFY(tab = bandTab(*window));
        QTRY_VERIFY(tab->isVisible());
    } else {
        alone.reset(new PageWearSpot);
        alone->resize(733, 383);
        alone->show();
    }
    PageWearSpot& page = alone ? *alone : *tab->findChild<PageWearSpot*>();
    auto* doneButton = page.findChild<TapCaption*>(QStringLiteral("bt_done"));
    if (tab) {
        tab->findChild<QScrollArea*>()->ensureWidgetVisible(&page, 0, 0);
        QVERIFY(inView(*tab, *doneButton));
        QVERIFY(rig.shot(*tab, english ? QStringLiteral("wearspot-en") : QStringLiteral("wearspot")));
    }
    QCOMPARE(page.devPos(), WidgetDevicePos::LOCAL_WRIST);
    QVERIFY(choice(page, "bt_hand")->isSelected());
    if (withHub)
        QVERIFY(rig.activate(page));
    QTest::mouseClick(choice(page, chosen.constData()), Qt::LeftButton);
    QVERIFY(choice(page, chosen.constData())->isSelected());
    QVERIFY(!choice(page, "bt_hand")->isSelected());
    QSignalSpy done(&page, SIGNAL(onDone()));
    QSignalSpy set(&page, SIGNAL(onSetSync(bool,QString)));
    const int requests = rig.cloud().requests().size();
    QTest::mouseClick(doneButton, Qt::LeftButton);
    QCOMPARE(done.count(), 1);
    if (!withHub) {
        QCOMPARE(rig.cloud().requests().size(), requests);
        QCOMPARE(set.count(), 0);
        return;
    }
    QVERIFY(set.count() == 1 || set.wait(PageRig::PEER_WAIT));
    QCOMPARE(set.first().at(0).toBool(), true);
    QCOMPARE(set.first().at(1).toString(), QCoreApplication::translate("QObject", "设备位置设置完成"));
    QCOMPARE(rig.cloud().ledger().account(MOBILE).position, stored);
    if (chosen == "bt_neck")
        QVERIFY(rig.shot(page));
}

QTEST_MAIN(TestPageWearSpot)
#include "tst_pagewearspot.moc"
