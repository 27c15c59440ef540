#include "loopbackcloud.h"
#include "pagemenu.h"
#include "pagerig.h"
#include "tapcaption.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString MOBILE = QStringLiteral("13800000006");
// A function: the prefix lives in another library, which may not be initialised before this file.
QString logoutPath()
{
    return LoopbackCloud::PATH_PREFIX + QStringLiteral("account/logout");
}

typedef QList<QPair<int, int>> Changes;

Changes changes(const QSignalSpy& spy)
{
    Changes found;
    for (const QList<QVariant>& call : spy)
        found << qMakePair(call.at(0).toInt(), call.at(1).toInt());
    return found;
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

int logoutRequests(PageRig& rig)
{
    int count = 0;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests())
        count += request.path == logoutPath() ? 1 : 0;
    return count;
}

QColor textColor(QTreeWidget* tree, const int& entry)
{
    QWidget* line = tree->itemWidget(tree->topLevelItem(entry), 0);
    return line->findChild<QLabel*>(QStringLiteral("label"))->palette().color(QPalette::WindowText);
}

} // namespace

Q_DECLARE_METATYPE(Changes)

class TestPageMenu : public QObject
{
    Q_OBJECT
private slots:
    void startsOnToday();
    void navigation_data();
    void navigation();
    void logout_data();
    void logout();
    void logoutWaitsForItsAnswer();
    void nickname_data();
    void nickname();
    void screenshot();
};

void TestPageMenu::startsOnToday()
{
    PageMenu menu;
    auto* tree = menu.findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
    QCOMPARE(tree->topLevelItemCount(), 6);
    QCOMPARE(tree->indexOfTopLevelItem(tree->currentItem()), 0);
    QCOMPARE(textColor(tree, 0), QColor(17, 190, 222));
    QCOMPARE(textColor(tree, 1), QColor(93, 102, 117));
    menu.show();
    QCOMPARE(tree->visualItemRect(tree->topLevelItem(1)).height(), 56);
}

void TestPageMenu::navigation_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("activations");
    QTest::addColumn<Changes>("emitted");
    QTest::addColumn<int>("highlighted");
    const Changes user{{-1, 3}, {-1, 3}, {6, -1}};
    const Changes scan{{2, 4}, {2, 4}};
    QTest::newRow("the user label with entry 3 current: no entry twice, then the user")
        << 3 << "label_user" << 1 << user << -1;
    QTest::newRow("the avatar is the user too") << 3 << "ico_head" << 1 << user << -1;
    QTest::newRow("the hub asks for band management with entry 4 current: entry 2 twice")
        << 4 << "scan" << 1 << scan << 2;
    QTest::newRow("a second activation doubles no connection") << 4 << "scan" << 2 << scan << 2;
}

void TestPageMenu::navigation()
{
    QFETCH(int, current);
    QFETCH(QString, action);
    QFETCH(int, activations);
    QFETCH(Changes, emitted);
    QFETCH(int, highlighted);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    PageMenu menu;
    for (int i = 0; i < activations; ++i)
        rig.activate(menu);
    menu.show();
    auto* tree = menu.findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
    tree->setCurrentItem(tree->topLevelItem(current));
    QSignalSpy spy(&menu, SIGNAL(onItemChanged(int,int)));
    if (action == QLatin1String("scan"))
        emit rig.hub().onWinGotoScan();
    else
        click(menu.findChild<QWidget*>(action));
    QCOMPARE(changes(spy), emitted);
    QCOMPARE(tree->indexOfTopLevelItem(tree->currentItem()), highlighted);
    QCOMPARE(textColor(tree, current), QColor(93, 102, 117));
    if (highlighted >= 0)
        QCOMPARE(textColor(tree, highlighted), QColor(17, 190, 222));
}

void TestPageMenu::logout_data()
{
    QTest::addColumn<bool>("token");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("requests");
    QTest::addColumn<int>("loggedOut");
    QTest::newRow("accepted: the token goes and the window hears it") << true << "" << 1 << 1;
    QTest::newRow("refused: still signed in, the button usable again") << true << "a001" << 1 << 0;
    QTest::newRow("no token: nothing sent, the button usable again") << false << "" << 0 << 0;
}

void TestPageMenu::logout()
{
    QFETCH(bool, token);
    QFETCH(QString, fault);
    QFETCH(int, requests);
    QFETCH(int, loggedOut);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    if (!token)
        rig.hub().setNsToken(QString());
    if (!fault.isEmpty())
        rig.cloud().setFault(logoutPath(), {LoopbackCloud::FAULT_RETURN_CODE, fault, QString(), 0});
    PageMenu menu;
    rig.activate(menu);
    menu.show();
    QSignalSpy spy(&menu, SIGNAL(onLogout()));
    auto* button = menu.findChild<TapCaption*>(QStringLiteral("bt_logout"));
    click(button);
    QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled(), PeerRig::PEER_WAIT);
    QCOMPARE(logoutRequests(rig), requests);
    QCOMPARE(spy.count(), loggedOut);
    QCOMPARE(rig.hub().nsToken().isEmpty(), loggedOut == 1 || !token);
}

void TestPageMenu::logoutWaitsForItsAnswer()
{
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    rig.cloud().setFault(logoutPath(), {LoopbackCloud::FAULT_SLOW, QString(), QString(), 500});
    PageMenu menu;
    rig.activate(menu);
    menu.show();
    QSignalSpy spy(&menu, SIGNAL(onLogout()));
    auto* button = menu.findChild<TapCaption*>(QStringLiteral("bt_logout"));
    click(button);
    QVERIFY(!button->isEnabled());
    click(button);
    QVERIFY(spy.wait(PeerRig::PEER_WAIT));
    QCOMPARE(logoutRequests(rig), 1);
}

void TestPageMenu::nickname_data()
{
    QTest::addColumn<QString>("nickname");
    QTest::newRow("a plain nickname shows as it is") << "演示用户";
    QTest::newRow("a picture from the local disk shows as written") << "<img src=\"file:///tmp/x.png\">";
    QTest::newRow("an endless picture shows as written and loads nothing") << "<img src=\"/dev/zero\">";
    QTest::newRow("a link shows as written") << "<a href=\"http://example.com\">点此</a>";
}

// The nickname is what the cloud holds for the account, sent at sign-in.
void TestPageMenu::nickname()
{
    QFETCH(QString, nickname);
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, PeerRig::PASSWORD);
    CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    account.profile.insert(QStringLiteral("nickname"), nickname);
    rig.cloud().ledger().setAccount(account);
    QVERIFY(rig.signIn(MOBILE));
    PageMenu menu;
    rig.activate(menu);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(PageRig::readText(*menu.findChild<TapCaption*>(QStringLiteral("label_user"))), nickname);
}

void TestPageMenu::screenshot()
{
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, PeerRig::PASSWORD);
    CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    account.profile.insert(QStringLiteral("nickname"), QStringLiteral("演示用户"));
    rig.cloud().ledger().setAccount(account);
    QVERIFY(rig.signIn(MOBILE));
    PageMenu menu;
    rig.activate(menu);
    menu.resize(160, 551);
    menu.show();
    auto* tree = menu.findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
    tree->setCurrentItem(tree->topLevelItem(1));
    QCOMPARE(menu.findChild<TapCaption*>(QStringLiteral("label_user"))->text(), QStringLiteral("演示用户"));
    QVERIFY(rig.shot(menu));
}

QTEST_MAIN(TestPageMenu)
#include "tst_pagemenu.moc"
