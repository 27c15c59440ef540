#include "corehub.h"
#include "entryfield.h"
#include "hintbubble.h"
#include "loopbackcloud.h"
#include "pagepasschange.h"
#include "pagerig.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString MOBILE = QStringLiteral("13800000001");
const QString FRESH = QStringLiteral("fresh345");
const QString CHECK = QStringLiteral("account/checkPassword");
const QString RESET = QStringLiteral("account/resetPassword");

struct bubble {
    QRect rect;
    QString text;
};
} // namespace

class TestPagePassChange : public QObject
{
    Q_OBJECT
private slots:
    void entryChecks_data();
    void entryChecks();
    void refusals_data();
    void refusals();
    void changeEndToEnd();
    void withoutHub();

private:
    QLineEdit* field(QWidget& page, const char* name);
    QList<bubble> bubbles(QWidget& page);
    QRect expectedBubble(QWidget& page, const QString& anchor);
    QString prompt(QWidget& page);
    void fill(QWidget& page, const QString& old, const QString& fresh, const QString& repeat);
    void save(QWidget& page);
    QStringList paths(PageRig& rig);
    bool signsIn(PageRig& rig, const QString& password);
};

QLineEdit* TestPagePassChange::field(QWidget& page, const char* name)
{
    return page.findChild<EntryField*>(QString::fromLatin1(name))->lineEdit();
}

QList<bubble> TestPagePassChange::bubbles(QWidget& page)
{
    QList<bubble> found;
    for (HintBubble* shown : page.findChildren<HintBubble*>()) {
        if (shown->isVisible())
            found << bubble{shown->geometry(), shown->text()};
    }
    return found;
}

// Two pixels in from the field's left edge, its top at the field's middle.
QRect TestPagePassChange::expectedBubble(QWidget& page, const QString& anchor)
{
    QWidget* at = page.findChild<QWidget*>(anchor);
    const QPoint corner = at->mapTo(&page, QPoint(0, 0));
    return QRect(corner.x() + 2, corner.y() + at->height() / 2, 180, 50);
}

QString TestPagePassChange::prompt(QWidget& page)
{
    return page.findChild<QLabel*>(QStringLiteral("prompt"))->text();
}

void TestPagePassChange::fill(QWidget& page, const QString& old, const QString& fresh, const QString& repeat)
{
    const QList<QPair<const char*, QString>> texts = {
        {"input_pwd", old}, {"input_new_pwd1", fresh}, {"input_new_pwd2", repeat}};
    for (const auto& text : texts) {
        field(page, text.first)->setText(text.second);
        field(page, text.first)->setVisible(!text.second.isEmpty());
    }
}

void TestPagePassChange::save(QWidget& page)
{
    QWidget* button = page.findChild<QWidget*>(QStringLiteral("bt_save"));
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

// The endpoints the cloud was asked, after the common prefix.
QStringList TestPagePassChange::paths(PageRig& rig)
{
    QStringList found;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests())
        found << request.path.mid(LoopbackCloud::PATH_PREFIX.size());
    return found;
}

bool TestPagePassChange::signsIn(PageRig& rig, const QString& password)
{
    CoreHub& hub = rig.hub();
    QSignalSpy login(&hub, SIGNAL(onNsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString)));
    hub.nsLogin(MOBILE, password, hub.appKey(), CoreHub::appSysType(), QString(), CoreHub::version(),
                hub.LanguageString());
    return login.wait(PeerRig::PEER_WAIT)
           && login.first().at(2).value<CloudGate::ns_ret_code>().code == CloudGate::NS_RET_SUCCESS;
}

void TestPagePassChange::entryChecks_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("repeat");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QString>("text");
    QTest::newRow("all empty: only the old password is asked for")
        << QString() << QString() << QString() << "input_pwd" << "请输入原密码!";
    QTest::newRow("new password empty") << PeerRig::PASSWORD << QString() << FRESH << "input_new_pwd1"
                                        << "请输入新密码!";
    QTest::newRow("repeat empty") << PeerRig::PASSWORD << FRESH << QString() << "input_new_pwd2"
                                  << "请再次输入新密码!";
    QTest::newRow("new and repeat differ only in letter case")
        << PeerRig::PASSWORD << FRESH << FRESH.toUpper() << "input_new_pwd2" << "确认密码与新密码不一致!";
    QTest::newRow("new equal to old") << PeerRig::PASSWORD << PeerRig::PASSWORD << PeerRig::PASSWORD
                                      << "input_new_pwd1" << "新密码不能与原密码一样!";
}

void TestPagePassChange::entryChecks()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, repeat);
    QFETCH(QString, anchor);
    QFETCH(QString, text);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    rig.cloud().clearRequests();
    PagePassChange page(nullptr);
    rig.activate(page);
    page.show();
    fill(page, old, fresh, repeat);
    save(page);
    const QList<bubble> shown = bubbles(page);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, text);
    QCOMPARE(shown.first().rect, expectedBubble(page, anchor));
    QVERIFY(page.isEnabled());
    QVERIFY(rig.cloud().requests().isEmpty());
}

void TestPagePassChange::refusals_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("retCode");
    QTest::addColumn<bool>("atOldField");
    QTest::addColumn<QStringList>("asked");
    QTest::newRow("wrong old password: bubble at the old field, no reset")
        << QStringLiteral("wrong999") << QString() << int(LoopbackCloud::FAULT_NONE) << "c003" << true
        << QStringList{CHECK};
    QTest::newRow("check answered b009: bubble at the old field, no reset")
        << PeerRig::PASSWORD << CHECK << int(LoopbackCloud::FAULT_RETURN_CODE) << "b009" << true
        << QStringList{CHECK};
    QTest::newRow("check refused otherwise: message in the prompt, no reset")
        << PeerRig::PASSWORD << CHECK << int(LoopbackCloud::FAULT_FOREIGN_TEXT) << "c004" << false
        << QStringList{CHECK};
    QTest::newRow("check reply not JSON: parse message in the prompt")
        << PeerRig::PASSWORD << CHECK << int(LoopbackCloud::FAULT_MALFORMED) << "parse error" << false
        << QStringList{CHECK};
    QTest::newRow("reset refused: message in the prompt")
        << PeerRig::PASSWORD << RESET << int(LoopbackCloud::FAULT_RETURN_CODE) << "a001" << false
        << QStringList{CHECK, RESET};
}

// Every refusal gives the page back with the row's message and the fields as typed; the
// password stays the old one.
void TestPagePassChange::refusals()
{
    QFETCH(QString, old);
    QFETCH(QString, endpoint);
    QFETCH(int, fault);
    QFETCH(QString, retCode);
    QFETCH(bool, atOldField);
    QFETCH(QStringList, asked);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    rig.cloud().clearRequests();
    if (!endpoint.isEmpty())
        rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + endpoint,
                             {LoopbackCloud::FAULT(fault), retCode, QStringLiteral("服务器自己的话"), 0});
    PagePassChange page(nullptr);
    rig.activate(page);
    page.show();
    fill(page, old, FRESH, FRESH);
    save(page);
    QVERIFY(!page.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(page.isEnabled(), PeerRig::PEER_WAIT);
    const QString message = CloudGate::getNsRetCode(retCode).retMsg;
    const QList<bubble> shown = bubbles(page);
    if (atOldField) {
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, message);
        QCOMPARE(shown.first().rect, expectedBubble(page, QStringLiteral("input_pwd")));
        QCOMPARE(prompt(page), QString());
    } else {
        QVERIFY(shown.isEmpty());
        QCOMPARE(prompt(page), message);
    }
    QCOMPARE(paths(rig), asked);
    QCOMPARE(field(page, "input_pwd")->text(), old);
    QCOMPARE(field(page, "input_new_pwd2")->text(), FRESH);
    QCOMPARE(rig.cloud().ledger().account(MOBILE).password, PeerRig::PASSWORD);
}

void TestPagePassChange::changeEndToEnd()
{
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    rig.cloud().clearRequests();
    PagePassChange page(nullptr);
    rig.activate(page);
    page.show();
    QVERIFY(!page.findChild<QWidget*>(QStringLiteral("bt_cancel"))->isVisible());
    fill(page, PeerRig::PASSWORD, FRESH, FRESH);
    QVERIFY(rig.shot(page, QStringLiteral("filled")));
    QTest::keyClick(&page, Qt::Key_Return);
    QVERIFY(!page.isEnabled());
    // Disabled, the page takes no second save.
    QTest::keyClick(&page, Qt::Key_Enter);
    QTRY_COMPARE_WITH_TIMEOUT(prompt(page), QStringLiteral("保存成功."), PeerRig::PEER_WAIT);
    QVERIFY(page.isEnabled());
    QCOMPARE(paths(rig), (QStringList{CHECK, RESET}));
    // The reset goes out with the access token, not with the token of the check reply.
    QVERIFY(rig.cloud().requests().last().body.contains(rig.token().toUtf8()));
    for (const char* name : {"input_pwd", "input_new_pwd1", "input_new_pwd2"})
        QCOMPARE(field(page, name)->text(), QString());
    QVERIFY(rig.shot(page));
    QVERIFY(signsIn(rig, FRESH));
    QVERIFY(!signsIn(rig, PeerRig::PASSWORD));
}

// Nothing can be sent: the page says so and stays usable.
void TestPagePassChange::withoutHub()
{
    PageRig rig;
    PagePassChange page(nullptr);
    page.setMsg(nullptr);
    page.show();
    fill(page, PeerRig::PASSWORD, FRESH, FRESH);
    save(page);
    QCOMPARE(prompt(page), QStringLiteral("连接消息中心失败!!!"));
    QVERIFY(page.isEnabled());
    QVERIFY(rig.cloud().requests().isEmpty());
}

QTEST_MAIN(TestPagePassChange)
#include "tst_pagepasschange.moc"
