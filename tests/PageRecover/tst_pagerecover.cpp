#include "corehub.h"
#include "entryfield.h"
#include "hintbubble.h"
#include "loopbackcloud.h"
#include "pagerecover.h"
#include "pagerig.h"
#include "tapcaption.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
const QString MOBILE = QStringLiteral("13800000001");
const QString PASSWORD = QStringLiteral("secret12");
const QString NEW_PASSWORD = QStringLiteral("fresh345");
const QString VC_GET = QStringLiteral("verificationCode/get");

struct bubble {
    QRect rect;
    QString text;
};
} // namespace

class TestPageRecover : public QObject
{
    Q_OBJECT
private slots:
    void resetChecks_data();
    void resetChecks();
    void refusedCode_data();
    void refusedCode();
    void recoverEndToEnd();

private:
    QLineEdit* field(QWidget& page, const char* name);
    QWidget* child(QWidget& page, const char* name);
    QString caption(QWidget& page, const char* name);
    QList<bubble> bubbles(QWidget& page);
    QRect expectedBubble(QWidget& page, const char* anchor);
    void fill(QWidget& page, const QString& mobile, const QString& password, const QString& code);
    void click(QWidget& page, const char* name);
    QString requestCode(PageRig& rig, PageRecover& page);
};

QWidget* TestPageRecover::child(QWidget& page, const char* name)
{
    return page.findChild<QWidget*>(QString::fromLatin1(name));
}

QLineEdit* TestPageRecover::field(QWidget& page, const char* name)
{
    return page.findChild<EntryField*>(QString::fromLatin1(name))->lineEdit();
}

QString TestPageRecover::caption(QWidget& page, const char* name)
{
    return page.findChild<TapCaption*>(QString::fromLatin1(name))->text();
}

QList<bubble> TestPageRecover::bubbles(QWidget& page)
{
    QList<bubble> found;
    for (HintBubble* shown : page.findChildren<HintBubble*>()) {
        if (shown->isVisible())
            found << bubble{shown->geometry(), shown->text()};
    }
    return found;
}

// Two pixels in from the anchor's left edge, its top at the anchor's middle.
QRect TestPageRecover::expectedBubble(QWidget& page, const char* anchor)
{
    QWidget* at = child(page, anchor);
    const QPoint corner = at->mapTo(&page, QPoint(0, 0));
    return QRect(corner.x() + 2, corner.y() + at->height() / 2, 180, 50);
}

void TestPageRecover::fill(QWidget& page, const QString& mobile, const QString& password, const QString& code)
{
    const QList<QPair<const char*, QString>> texts = {
        {"input_user", mobile}, {"input_password", password}, {"input_vc", code}};
    for (const auto& text : texts) {
        field(page, text.first)->setText(text.second);
        field(page, text.first)->setVisible(true);
    }
}

void TestPageRecover::click(QWidget& page, const char* name)
{
    QWidget* button = child(page, name);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void TestPageRecover::resetChecks_data()
{
    QTest::addColumn<QString>("mobile");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QString>("text");
    QTest::newRow("get code without a number") << QString() << QString() << QString() << "bt_vc" << "input_user"
                                               << "请输入手机号码!!!";
    QTest::newRow("reset without number and password: only the number")
        << QString() << QString() << "1234" << "bt_reset_pwd" << "input_user" << "请输入手机号码!!!";
    QTest::newRow("reset without a password") << MOBILE << QString() << "1234" << "bt_reset_pwd" << "input_password"
                                              << "请输入密码";
    QTest::newRow("reset without a code") << MOBILE << NEW_PASSWORD << QString() << "bt_reset_pwd" << "input_vc"
                                          << "请输入验证码!!!";
    QTest::newRow("reset with a three-character code") << MOBILE << NEW_PASSWORD << "123" << "bt_reset_pwd"
                                                       << "input_vc" << "验证码不能少于4位!!!";
}

void TestPageRecover::resetChecks()
{
    QFETCH(QString, mobile);
    QFETCH(QString, password);
    QFETCH(QString, code);
    QFETCH(QString, button);
    QFETCH(QString, anchor);
    QFETCH(QString, text);
    PageRig rig;
    PageRecover page(nullptr);
    rig.activate(page);
    page.show();
    fill(page, mobile, password, code);
    click(page, qPrintable(button));
    const QList<bubble> shown = bubbles(page);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, text);
    QCOMPARE(shown.first().rect, expectedBubble(page, qPrintable(anchor)));
    QVERIFY(page.isEnabled());
    QVERIFY(child(page, "bt_vc")->isEnabled());
    QVERIFY(rig.cloud().requests().isEmpty());
}

void TestPageRecover::refusedCode_data()
{
    QTest::addColumn<QString>("mobile");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("retCode");
    QTest::newRow("unregistered number") << QStringLiteral("13900000009") << int(LoopbackCloud::FAULT_NONE) << "c013";
    QTest::newRow("text message not sent") << MOBILE << int(LoopbackCloud::FAULT_FOREIGN_TEXT) << "c022";
    QTest::newRow("reply not JSON") << MOBILE << int(LoopbackCloud::FAULT_MALFORMED) << "parse error";
}

// A refused code request shows the row's message and lets the user ask again at once.
void TestPageRecover::refusedCode()
{
    QFETCH(QString, mobile);
    QFETCH(int, fault);
    QFETCH(QString, retCode);
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, PASSWORD);
    rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + VC_GET,
                         {LoopbackCloud::FAULT(fault), retCode, QStringLiteral("服务器自己的话"), 0});
    PageRecover page(nullptr);
    rig.activate(page);
    page.show();
    fill(page, mobile, QString(), QString());
    QSignalSpy asked(&rig.cloud(), SIGNAL(onRequest(QString)));
    click(page, "bt_vc");
    QVERIFY(!child(page, "bt_vc")->isEnabled());
    QVERIFY(!child(page, "input_user")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(child(page, "bt_vc")->isEnabled(), 10000);
    QVERIFY(child(page, "input_user")->isEnabled());
    QCOMPARE(page.findChild<QLabel*>(QStringLiteral("prompt"))->text(), CloudGate::getNsRetCode(retCode).retMsg);
    QVERIFY(page.findChildren<QTimer*>().isEmpty());
    rig.cloud().clearFaults();
    field(page, "input_user")->setText(MOBILE);
    click(page, "bt_vc");
    QTRY_VERIFY_WITH_TIMEOUT(!rig.cloud().ledger().lastCode(MOBILE, CloudLedger::VC_GETBACKPWD).isEmpty(), 10000);
}

QString TestPageRecover::requestCode(PageRig& rig, PageRecover& page)
{
    QSignalSpy issued(&rig.cloud().ledger(), SIGNAL(onCodeIssued(QString,int,QString)));
    click(page, "bt_vc");
    if (!issued.wait(10000))
        return QString();
    return issued.first().at(2).toString();
}

void TestPageRecover::recoverEndToEnd()
{
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, PASSWORD);
    PageRecover page(nullptr);
    rig.activate(page);
    page.show();
    fill(page, MOBILE, NEW_PASSWORD, QString());
    const QString code = requestCode(rig, page);
    QVERIFY(!code.isEmpty());
    // The countdown starts with the reply, after the cloud issued the code.
    QTRY_VERIFY_WITH_TIMEOUT(!page.findChildren<QTimer*>().isEmpty(), 10000);
    QCOMPARE(rig.cloud().requests().first().body.contains("\"type\": 4"), true);
    // The test is the clock: the page's own timer must not tick in between.
    page.findChildren<QTimer*>().first()->stop();
    QCOMPARE(caption(page, "bt_vc"), QStringLiteral("获取验证码"));
    for (int left = 59; left >= 1; --left) {
        QVERIFY(QMetaObject::invokeMethod(&page, "on_timerOut"));
        QCOMPARE(caption(page, "bt_vc"), QString::number(left));
        QVERIFY(!child(page, "bt_vc")->isEnabled());
        if (left == 57)
            QVERIFY(rig.shot(page));
    }
    QVERIFY(QMetaObject::invokeMethod(&page, "on_timerOut"));
    QCOMPARE(caption(page, "bt_vc"), QStringLiteral("获取验证码"));
    QVERIFY(child(page, "bt_vc")->isEnabled());
    QVERIFY(child(page, "input_user")->isEnabled());

    auto* prompt = page.findChild<QLabel*>(QStringLiteral("prompt"));
    const QString wrong = code == QStringLiteral("000000") ? QStringLiteral("111111") : QStringLiteral("000000");
    field(page, "input_vc")->setText(wrong);
    click(page, "bt_reset_pwd");
    QVERIFY(!page.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(page.isEnabled(), 10000);
    const QList<bubble> shown = bubbles(page);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, CloudGate::getNsRetCode(QStringLiteral("b004")).retMsg);
    QCOMPARE(shown.first().rect, expectedBubble(page, "input_vc"));
    QCOMPARE(prompt->text(), QString());

    field(page, "input_vc")->setText(code);
    click(page, "bt_reset_pwd");
    QTRY_COMPARE_WITH_TIMEOUT(prompt->text(), QStringLiteral("重置密码成功."), 10000);
    QVERIFY(page.isEnabled());
    QCOMPARE(field(page, "input_password")->text(), NEW_PASSWORD);

    CoreHub& hub = rig.hub();
    QSignalSpy login(&hub, SIGNAL(onNsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString)));
    hub.nsLogin(MOBILE, NEW_PASSWORD, hub.appKey(), CoreHub::appSysType(), QString(), CoreHub::version(),
                hub.LanguageString());
    QVERIFY(login.wait(10000));
    QCOMPARE(login.first().at(2).value<CloudGate::ns_ret_code>().code, int(CloudGate::NS_RET_SUCCESS));
}

QTEST_MAIN(TestPageRecover)
#include "tst_pagerecover.moc"
