#include "corehub.h"
#include "entryfield.h"
#include "loopbackcloud.h"
#include "pageaccount.h"
#include "pagepasschange.h"
#include "pageprofile.h"
#include "pagerig.h"

#include <QLineEdit>
#include <QtTest>

namespace {
const QString MOBILE = QStringLiteral("13800000001");
// What the page container leaves a tab: the window less the navigation column and title bar.
const QSize TAB_SIZE(640, 540);
} // namespace

class TestPageAccount : public QObject
{
    Q_OBJECT
private slots:
    void activationReachesBothPages_data();
    void activationReachesBothPages();
};

void TestPageAccount::activationReachesBothPages_data()
{
    QTest::addColumn<bool>("withHub");
    QTest::newRow("hub: the profile fills, the password page holds it") << true;
    QTest::newRow("no hub: both pages stay usable and empty") << false;
}

void TestPageAccount::activationReachesBothPages()
{
    QFETCH(bool, withHub);
    PageRig rig;
    CloudLedger& ledger = rig.cloud().ledger();
    ledger.addAccount(MOBILE, PeerRig::PASSWORD);
    CloudLedger::lc_account account = ledger.account(MOBILE);
    account.profile.insert(QStringLiteral("nickname"), QStringLiteral("小明"));
    account.profile.insert(QStringLiteral("age"), 30);
    account.profile.insert(QStringLiteral("height"), 175);
    account.profile.insert(QStringLiteral("weight"), 70);
    ledger.setAccount(account);
    QVERIFY(rig.signIn(MOBILE));
    PageAccount tab(nullptr);
    tab.resize(TAB_SIZE);
    tab.setMsg(withHub ? &rig.hub() : nullptr);
    tab.show();
    auto* profile = tab.findChild<PageProfile*>();
    auto* passChange = tab.findChild<PagePassChange*>();
    QVERIFY(profile && passChange);
    CoreHub* expected = withHub ? &rig.hub() : nullptr;
    QCOMPARE(profile->Msg(), expected);
    QCOMPARE(passChange->Msg(), expected);
    const QString nickname = profile->findChild<EntryField*>(QStringLiteral("input_name"))->lineEdit()->text();
    QCOMPARE(nickname, withHub ? QStringLiteral("小明") : QString());
    QVERIFY(profile->isVisible() && passChange->isVisible());
    QVERIFY(!profile->geometry().intersects(passChange->geometry()));
    QVERIFY(tab.rect().contains(profile->geometry()) && tab.rect().contains(passChange->geometry()));
    QVERIFY(profile->isEnabled() && passChange->isEnabled());
    if (withHub)
        QVERIFY(rig.shot(tab));
    QVERIFY(rig.clean());
}

QTEST_MAIN(TestPageAccount)
#include "tst_pageaccount.moc"
