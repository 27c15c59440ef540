#include "entryfield.h"
#include "hintbubble.h"
#include "loopbackcloud.h"
#include "mainwindow.h"
#include "pageframe.h"
#include "pagemenu.h"
#include "pagerig.h"
#include "pagesignin.h"
#include "tapcaption.h"

#include <QElapsedTimer>
#include <QGridLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString MOBILE = QStringLiteral("13800000007");
const QString PASSWORD = QStringLiteral("secret12");
const char* const HEALTH = "health/querynowhealthnum";
const char* const LOGIN = "account/login";
const char* const LOGOUT = "account/logout";
const char* const LAST_DATA = "synchro/querysynchrodata";

// Built when used: the prefix lives in another library, which may not be initialised before this file.
QString path(const char* endpoint)
{
    return LoopbackCloud::PATH_PREFIX + QString::fromLatin1(endpoint);
}

typedef QList<QPair<int, int>> Changes;

QWidget* body(MainWindow& window)
{
    return window.findChild<QWidget*>(QStringLiteral("widget_body"));
}

QWidget* cell(MainWindow& window, const int& column)
{
    auto* grid = qobject_cast<QGridLayout*>(body(window)->layout());
    QLayoutItem* item = grid ? grid->itemAtPosition(0, column) : nullptr;
    return item ? item->widget() : nullptr;
}

template <typename Page>
Page* bodyPage(MainWindow& window)
{
    const QList<Page*> pages = body(window)->findChildren<Page*>();
    return pages.size() == 1 ? pages.constFirst() : nullptr;
}

bool isHome(MainWindow& window)
{
    return qobject_cast<PageMenu*>(cell(window, 0)) && qobject_cast<PageFrame*>(cell(window, 1)) &&
           body(window)->findChildren<PageSignIn*>().isEmpty();
}

int requests(PageRig& rig, const char* endpoint)
{
    int count = 0;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests())
        count += request.path == path(endpoint) ? 1 : 0;
    return count;
}

// Anything sent before this has reached the cloud once its answer is back: one queue, in order.
bool cloudSettled(PageRig& rig)
{
    QSignalSpy health(&rig.hub(), &CoreHub::onNsGetHealthNum);
    return rig.hub().nsGetHealthNum(rig.hub().nsToken(), CoreHub::version(), rig.hub().LanguageString()) &&
           health.wait(PeerRig::PEER_WAIT);
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void signInThroughPage(MainWindow& window)
{
    PageSignIn* page = bodyPage<PageSignIn>(window);
    QVERIFY(page);
    const QList<QPair<QString, QString>> fields{{QStringLiteral("input_user"), MOBILE},
                                                {QStringLiteral("input_password"), PASSWORD}};
    for (const auto& entry : fields) {
        QLineEdit* edit = page->findChild<EntryField*>(entry.first)->lineEdit();
        edit->setText(entry.second);
        edit->setVisible(true);
    }
    click(page->findChild<QWidget*>(QStringLiteral("bt_login")));
}

bool linkBand(PageRig& rig)
{
    if (!rig.plugAdapter())
        return false;
    QSignalSpy scanned(&rig.hub(), &CoreHub::onBcScan);
    QSignalSpy connected(&rig.hub(), &CoreHub::onBcConn);
    return rig.hub().bcScan() && scanned.wait(PeerRig::PEER_WAIT) && rig.hub().bcConnect(1) &&
           connected.wait(PeerRig::PEER_WAIT) && rig.hub().isAtConnect();
}

} // namespace

Q_DECLARE_METATYPE(Changes)

class TestHomeScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void signIn_data();
    void signIn();
    void navigation();
    void signOut_data();
    void signOut();
    void logoutButton_data();
    void logoutButton();
    void destruction_data();
    void destruction();
    void updateData_data();
    void updateData();

private:
    std::unique_ptr<PageRig> m_rig;
};

void TestHomeScreen::init()
{
    m_rig.reset();
    m_rig.reset(new PageRig);
    QVERIFY(m_rig->isReady());
    m_rig->cloud().ledger().addAccount(MOBILE, PASSWORD);
    CloudLedger::lc_account account = m_rig->cloud().ledger().account(MOBILE);
    account.profile.insert(QStringLiteral("nickname"), QStringLiteral("演示用户"));
    m_rig->cloud().ledger().setAccount(account);
    QVERIFY(m_rig->cloud().ledger().bindBand(
        MOBILE, {m_rig->band().info.address, QStringLiteral("QB0001"), QDateTime::currentDateTime().addDays(-3)}));
}

void TestHomeScreen::signIn_data()
{
    QTest::addColumn<bool>("refused");
    QTest::newRow("health numbers answered: the menu and the pages replace the sign-in page") << false;
    QTest::newRow("health numbers refused: the sign-in page again, with the row's message") << true;
}

void TestHomeScreen::signIn()
{
    QFETCH(bool, refused);
    PageRig& rig = *m_rig;
    if (refused)
        rig.cloud().setFault(path(HEALTH), {LoopbackCloud::FAULT_FOREIGN_TEXT, QStringLiteral("c003"),
                                      QStringLiteral("服务器自己的话"), 0});
    MainWindow window(&rig.hub());
    window.show();
    signInThroughPage(window);
    if (!refused) {
        QTRY_VERIFY_WITH_TIMEOUT(isHome(window), PeerRig::PEER_WAIT);
        QCOMPARE(cell(window, 0)->width(), 160);
        QTRY_VERIFY(!bodyPage<PageSignIn>(window));
        QVERIFY(rig.shot(window, QStringLiteral("home")));
        return;
    }
    PageSignIn* page = bodyPage<PageSignIn>(window);
    QWidget* button = page->findChild<QWidget*>(QStringLiteral("bt_login"));
    QTRY_COMPARE_WITH_TIMEOUT(requests(rig, HEALTH), 1, PeerRig::PEER_WAIT);
    QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled(), PeerRig::PEER_WAIT);
    QStringList shown;
    for (HintBubble* bubble : page->findChildren<HintBubble*>()) {
        if (bubble->isVisible())
            shown << bubble->text();
    }
    QCOMPARE(shown, QStringList{CloudGate::getNsRetCode(QStringLiteral("c003")).retMsg});
    QVERIFY(!isHome(window));
}

void TestHomeScreen::navigation()
{
    PageRig& rig = *m_rig;
    MainWindow window(&rig.hub());
    window.show();
    signInThroughPage(window);
    QTRY_VERIFY_WITH_TIMEOUT(isHome(window), PeerRig::PEER_WAIT);
    auto* menu = qobject_cast<PageMenu*>(cell(window, 0));
    auto* tree = menu->findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
    auto* tabs = cell(window, 1)->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
    QCOMPARE(menu->findChild<TapCaption*>(QStringLiteral("label_user"))->text(), QStringLiteral("演示用户"));

    tree->setCurrentItem(tree->topLevelItem(3));
    QCOMPARE(tabs->currentIndex(), 3);
    QSignalSpy spy(menu, SIGNAL(onItemChanged(int,int)));
    click(menu->findChild<QWidget*>(QStringLiteral("label_user")));
    QCOMPARE(spy.size(), 3);
    QCOMPARE(tabs->currentIndex(), 6);

    // The window activates the home screen again: still one answer per hub request.
    QVERIFY(QMetaObject::invokeMethod(&window, "on_home"));
    tree->setCurrentItem(tree->topLevelItem(4));
    spy.clear();
    emit rig.hub().onWinGotoScan();
    Changes emitted;
    for (const QList<QVariant>& call : spy)
        emitted << qMakePair(call.at(0).toInt(), call.at(1).toInt());
    QCOMPARE(emitted, (Changes{{2, 4}, {2, 4}}));
    QCOMPARE(tabs->currentIndex(), 2);
}

void TestHomeScreen::signOut_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<bool>("pull");
    QTest::newRow("no band linked: back at once") << false << false;
    QTest::newRow("band linked: the adapter hears AT+DISCON before the sign-out returns") << true << false;
    QTest::newRow("adapter pulled while the sign-out waits: it returns all the same") << true << true;
}

void TestHomeScreen::signOut()
{
    QFETCH(bool, linked);
    QFETCH(bool, pull);
    PageRig& rig = *m_rig;
    MainWindow window(&rig.hub());
    window.show();
    signInThroughPage(window);
    QTRY_VERIFY_WITH_TIMEOUT(isHome(window), PeerRig::PEER_WAIT);
    QVERIFY(!rig.hub().nsBinds().isEmpty());
    if (linked)
        QVERIFY(linkBand(rig));
    const quint32 logouts = rig.hub().fdUserinfo().nLogout;
    const int logins = requests(rig, LOGIN);

    bool pulled = false;
    if (pull)
        QTimer::singleShot(0, &window, [&rig, &pulled] { pulled = rig.pullAdapter(); });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QMetaObject::invokeMethod(&window, "on_Logout"));
    // Ended by the adapter, not by the guard of the wait.
    QVERIFY(clock.elapsed() < 9000);
    QCOMPARE(pulled, pull);
    if (linked && !pull)
        QVERIFY(!rig.adapter().isConnected());

    QCOMPARE(rig.hub().fdUserinfo().nLogout, logouts + 1);
    QVERIFY(rig.hub().nsBinds().isEmpty());
    QVERIFY(rig.hub().fdSteps().isEmpty());
    QVERIFY(rig.hub().fdSleeps().isEmpty());
    QTRY_VERIFY(!isHome(window) && bodyPage<PageSignIn>(window));
    PageSignIn* page = bodyPage<PageSignIn>(window);
    QCOMPARE(page->findChild<EntryField*>(QStringLiteral("input_user"))->lineEdit()->text(), MOBILE);
    QVERIFY(cloudSettled(rig));
    QCOMPARE(requests(rig, LOGIN), logins);
}

void TestHomeScreen::logoutButton_data()
{
    QTest::addColumn<bool>("refused");
    QTest::newRow("accepted: the sign-in page comes back") << false;
    QTest::newRow("refused by a cloud fault: still signed in, the button usable") << true;
}

void TestHomeScreen::logoutButton()
{
    QFETCH(bool, refused);
    PageRig& rig = *m_rig;
    if (refused)
        rig.cloud().setFault(path(LOGOUT), {LoopbackCloud::FAULT_RETURN_CODE, QStringLiteral("a001"), QString(), 0});
    MainWindow window(&rig.hub());
    window.show();
    signInThroughPage(window);
    QTRY_VERIFY_WITH_TIMEOUT(isHome(window), PeerRig::PEER_WAIT);
    const quint32 logouts = rig.hub().fdUserinfo().nLogout;
    auto* button = cell(window, 0)->findChild<TapCaption*>(QStringLiteral("bt_logout"));
    click(button);
    QTRY_COMPARE_WITH_TIMEOUT(requests(rig, LOGOUT), 1, PeerRig::PEER_WAIT);
    if (refused) {
        QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled(), PeerRig::PEER_WAIT);
        QVERIFY(isHome(window));
        QVERIFY(!rig.hub().nsToken().isEmpty());
        QCOMPARE(rig.hub().fdUserinfo().nLogout, logouts);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(bodyPage<PageSignIn>(window) && !isHome(window), PeerRig::PEER_WAIT);
    QVERIFY(rig.hub().nsToken().isEmpty());
    QCOMPARE(rig.hub().fdUserinfo().nLogout, logouts + 1);
}

void TestHomeScreen::destruction_data()
{
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<int>("counted");
    QTest::newRow("signed in: the end of the window counts a sign-out") << true << 1;
    QTest::newRow("nobody signed in: nothing is counted") << false << 0;
}

void TestHomeScreen::destruction()
{
    QFETCH(bool, signedIn);
    QFETCH(int, counted);
    PageRig& rig = *m_rig;
    quint32 logouts = 0;
    {
        MainWindow window(&rig.hub());
        window.show();
        if (signedIn) {
            signInThroughPage(window);
            QTRY_VERIFY_WITH_TIMEOUT(isHome(window), PeerRig::PEER_WAIT);
        }
        logouts = rig.hub().fdUserinfo().nLogout;
    }
    QCOMPARE(rig.hub().fdUserinfo().nLogout, logouts + quint32(counted));
}

void TestHomeScreen::updateData_data()
{
    QTest::addColumn<int>("bands");
    QTest::addColumn<int>("sent");
    QTest::newRow("two bound bands: eleven days of the first, today first") << 2 << 11;
    QTest::newRow("no bound band: nothing sent") << 0 << 0;
}

void TestHomeScreen::updateData()
{
    QFETCH(int, bands);
    QFETCH(int, sent);
    PageRig& rig = *m_rig;
    QVERIFY(rig.signIn(MOBILE));
    QList<CloudGate::ns_bind_dev> binds;
    for (int i = 0; i < bands; ++i)
        binds << CloudGate::ns_bind_dev{QStringLiteral("C4:7F:51:00:12:3%1").arg(i), QStringLiteral("QB000%1").arg(i),
                                        QDateTime::currentDateTime()};
    rig.hub().setNsBinds(binds);
    MainWindow window(&rig.hub());
    rig.cloud().clearRequests();
    QVERIFY(QMetaObject::invokeMethod(&window, "on_UpdateData"));
    QVERIFY(cloudSettled(rig));
    QList<QJsonObject> bodies;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests()) {
        if (request.path == path(LAST_DATA))
            bodies << QJsonDocument::fromJson(request.body).object();
    }
    QCOMPARE(bodies.size(), sent);
    for (int i = 0; i < bodies.size(); ++i) {
        QCOMPARE(bodies.at(i).value(QStringLiteral("deviceAddress")).toString(), binds.first().deviceAddress);
        QCOMPARE(bodies.at(i).value(QStringLiteral("sjDate")).toString(),
                 QDate::currentDate().addDays(-i).toString(QStringLiteral("yyyyMMdd")));
    }
}

QTEST_MAIN(TestHomeScreen)
#include "tst_homescreen.moc"
