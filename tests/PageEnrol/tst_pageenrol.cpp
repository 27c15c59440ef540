#include "entryfield.h"
#include "hintbubble.h"
#include "loopbackcloud.h"
#include "mainwindow.h"
#include "pageenrol.h"
#include "pageframe.h"
#include "pagemenu.h"
#include "pagerecover.h"
#include "pagerig.h"
#include "pagesignin.h"
#include "resource.h"
#include "tapcaption.h"
#include "tickbox.h"

#include <QGridLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

const QString MOBILE = QStringLiteral("13800000021");
const QString PASSWORD = QStringLiteral("secret12");
const QString FIRST = QStringLiteral("C4:7F:51:00:12:34");
const QString SECOND = QStringLiteral("C4:7F:51:00:00:02");
const char* const VC_GET = "verificationCode/get";
const char* const VC_CHECK = "verificationCode/validate";
const char* const REGISTER = "account/register";
const char* const LOGIN = "account/login";
const char* const PROFILE = "account/updateBaseInfo";
const char* const HEALTH_SET = "health/sethealthnum";
const char* const STEP_TARGET = "health/setsporttarget";
const char* const SLEEP_TARGET = "health/setsleeptarget";
const char* const BIND_LIST = "device/listbinddevice";

QString path(const char* endpoint)
{
    return LoopbackCloud::PATH_PREFIX + QString::fromLatin1(endpoint);
}

LoopbackCloud::lc_fault refusal(const QString& returnCode)
{
    return {LoopbackCloud::FAULT_FOREIGN_TEXT, returnCode, QStringLiteral("服务器自己的话"), 0};
}

QString messageOf(const QString& returnCode)
{
    return CloudGate::getNsRetCode(returnCode).retMsg;
}

struct bubble {
    QRect rect;
    QString text;
};

QWidget* child(QWidget* page, const QString& name)
{
    return page->findChild<QWidget*>(name);
}

QLineEdit* field(QWidget* page, const QString& name)
{
    return page->findChild<EntryField*>(name)->lineEdit();
}

void type(QWidget* page, const QString& name, const QString& text)
{
    field(page, name)->setText(text);
    field(page, name)->setVisible(true);
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

int step(QWidget* page)
{
    return page->findChild<QTabWidget*>(QStringLiteral("tabWidget"))->currentIndex();
}

QList<bubble> bubbles(QWidget* page)
{
    QList<bubble> found;
    for (HintBubble* shown : page->findChildren<HintBubble*>()) {
        if (shown->isVisible())
            found << bubble{shown->geometry(), shown->text()};
    }
    return found;
}

QStringList bubbleTexts(QWidget* page)
{
    QStringList texts;
    for (const bubble& shown : bubbles(page))
        texts << shown.text;
    return texts;
}

// dx right of the anchor's left edge, the top at its middle, 50 high; pushed back inside the
// page where it would stick out, as every bubble is.
QRect at(QWidget* page, const QString& anchor, const int& dx, const int& width)
{
    QWidget* widget = child(page, anchor);
    const QPoint corner = widget->mapTo(page, QPoint(0, 0));
    QRect area(corner.x() + dx, corner.y() + widget->height() / 2, width, 50);
    area.moveLeft(qMin(area.left(), page->width() - width));
    return area;
}

QList<QTimer*> countdowns(QWidget* page)
{
    return page->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
}

int requests(PageRig& rig, const char* endpoint)
{
    int count = 0;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests())
        count += request.path == path(endpoint) ? 1 : 0;
    return count;
}

QJsonObject lastBody(PageRig& rig, const char* endpoint)
{
    QJsonObject body;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests()) {
        if (request.path == path(endpoint))
            body = QJsonDocument::fromJson(request.body).object();
    }
    return body;
}

// Anything sent before this has reached the cloud once its answer is back: one queue, in order.
bool cloudSettled(PageRig& rig)
{
    QSignalSpy health(&rig.hub(), &CoreHub::onNsGetHealthNum);
    return rig.hub().nsGetHealthNum(rig.hub().nsToken(), CoreHub::version(), rig.hub().LanguageString()) &&
           health.wait(PeerRig::PEER_WAIT);
}

QWidget* bodyOf(MainWindow& window)
{
    return window.findChild<QWidget*>(QStringLiteral("widget_body"));
}

template <typename Page>
Page* bodyPage(MainWindow& window)
{
    const QList<Page*> pages = bodyOf(window)->findChildren<Page*>();
    return pages.size() == 1 ? pages.constFirst() : nullptr;
}

bool isHome(MainWindow& window)
{
    auto* grid = qobject_cast<QGridLayout*>(bodyOf(window)->layout());
    if (!grid || !grid->itemAtPosition(0, 0) || !grid->itemAtPosition(0, 1))
        return false;
    return qobject_cast<PageMenu*>(grid->itemAtPosition(0, 0)->widget()) &&
           qobject_cast<PageFrame*>(grid->itemAtPosition(0, 1)->widget()) && !bodyPage<PageEnrol>(window) &&
           !bodyPage<PageSignIn>(window);
}

QTreeWidget* pairingTree(QWidget* page)
{
    return child(page, QStringLiteral("w_bind"))->findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
}

// The bind button of the pairing row that shows the address.
QWidget* bindButton(QWidget* page, const QString& address)
{
    QTreeWidget* tree = pairingTree(page);
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QWidget* row = tree->itemWidget(tree->topLevelItem(i), 0);
        if (row && row->findChild<QLabel*>(QStringLiteral("address"))->text() == address)
            return row->findChild<QWidget*>(QStringLiteral("bt_exec"));
    }
    return nullptr;
}

QStringList cachedBands(PageRig& rig)
{
    QStringList list;
    for (const CloudGate::ns_bind_dev& band : rig.hub().nsBinds())
        list << band.deviceAddress;
    return list;
}

QImage pictureOf(QWidget* page)
{
    return page->findChild<QLabel*>(QStringLiteral("img_info_sex"))->pixmap(Qt::ReturnByValue).toImage();
}

QImage resourceImage(const Resource::ID& id)
{
    return QPixmap(Resource::getResPath(id)).toImage();
}

} // namespace

class TestPageEnrol : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void accountChecks_data();
    void accountChecks();
    void accountRefusals_data();
    void accountRefusals();
    void accountChain();
    void backToSignIn_data();
    void backToSignIn();
    void bindStep_data();
    void bindStep();
    void infoChecks_data();
    void infoChecks();
    void sexAndNickname();
    void infoSaves_data();
    void infoSaves();
    void finish_data();
    void finish();

private:
    PageEnrol* openWizard();
    QString requestCode(PageEnrol* page, const QString& mobile);
    bool createAccount(PageEnrol* page);
    bool bindBand(PageEnrol* page, const QString& address);
    void cacheBand();
    void fillInfo(PageEnrol* page);
    bool reachTargets(PageEnrol* page);

    std::unique_ptr<PageRig> m_rig;
    std::unique_ptr<MainWindow> m_window;
};

void TestPageEnrol::init()
{
    m_rig.reset(new PageRig);
    QVERIFY(m_rig->isReady());
    m_window.reset(new MainWindow(&m_rig->hub()));
    m_window->show();
}

void TestPageEnrol::cleanup()
{
    m_window.reset();
    QVERIFY(m_rig->clean());
    m_rig.reset();
}

// Through the sign-in page's register link, as a user gets there.
PageEnrol* TestPageEnrol::openWizard()
{
    PageSignIn* signIn = bodyPage<PageSignIn>(*m_window);
    if (!signIn)
        return nullptr;
    click(child(signIn, QStringLiteral("bt_reg")));
    PageEnrol* page = bodyPage<PageEnrol>(*m_window);
    // The body shows a page it was given once the event loop has run.
    if (!page || !QTest::qWaitFor([page] { return page->isVisible(); }, PeerRig::PEER_WAIT))
        return nullptr;
    return page;
}

QString TestPageEnrol::requestCode(PageEnrol* page, const QString& mobile)
{
    type(page, QStringLiteral("input_user"), mobile);
    QSignalSpy issued(&m_rig->cloud().ledger(), SIGNAL(onCodeIssued(QString,int,QString)));
    click(child(page, QStringLiteral("bt_vc")));
    if (!issued.wait(PeerRig::PEER_WAIT))
        return QString();
    return issued.first().at(2).toString();
}

bool TestPageEnrol::createAccount(PageEnrol* page)
{
    const QString code = requestCode(page, MOBILE);
    if (code.isEmpty())
        return false;
    type(page, QStringLiteral("input_password"), PASSWORD);
    type(page, QStringLiteral("input_vc"), code);
    page->findChild<TickBox*>(QStringLiteral("bt_protocol"))->setChecked(true);
    click(child(page, QStringLiteral("bt_register")));
    return QTest::qWaitFor([page] { return step(page) == 2; }, PeerRig::PEER_WAIT);
}

bool TestPageEnrol::bindBand(PageEnrol* page, const QString& address)
{
    if (!QTest::qWaitFor([&] { return bindButton(page, address) && bindButton(page, address)->isEnabled(); },
                         PeerRig::PEER_WAIT))
        return false;
    click(bindButton(page, address));
    return QTest::qWaitFor([&] { return cachedBands(*m_rig) == QStringList(address); }, 3 * PeerRig::PEER_WAIT);
}

// Step 2 done behind the page's back: the band bound in the cloud and the cache.
void TestPageEnrol::cacheBand()
{
    m_rig->cloud().ledger().bindBand(MOBILE, {FIRST, QStringLiteral("0123456789ABCDEF"), QDateTime::currentDateTime()});
    CloudGate::ns_bind_dev band;
    band.deviceAddress = FIRST;
    band.deviceSerial = QStringLiteral("0123456789ABCDEF");
    m_rig->hub().setNsBinds({band});
}

void TestPageEnrol::fillInfo(PageEnrol* page)
{
    type(page, QStringLiteral("input_info_name"), QStringLiteral("小林"));
    type(page, QStringLiteral("input_info_age"), QStringLiteral("28"));
    type(page, QStringLiteral("input_info_height"), QStringLiteral("172"));
    type(page, QStringLiteral("input_info_weight"), QStringLiteral("64"));
}

bool TestPageEnrol::reachTargets(PageEnrol* page)
{
    if (!createAccount(page))
        return false;
    cacheBand();
    click(child(page, QStringLiteral("page_bt_bind_next")));
    fillInfo(page);
    click(child(page, QStringLiteral("page_bt_info_next")));
    return QTest::qWaitFor([page] { return step(page) == 4 && page->isEnabled(); }, PeerRig::PEER_WAIT);
}

void TestPageEnrol::accountChecks_data()
{
    QTest::addColumn<QString>("mobile");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("agreed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<int>("dx");
    QTest::addColumn<QString>("text");
    QTest::newRow("get code without a number") << QString() << QString() << QString() << false << "bt_vc"
                                               << "input_user" << 10 << "请输入手机号码!!!";
    QTest::newRow("register without anything: only the number")
        << QString() << QString() << QString() << false << "bt_register" << "input_user" << 10 << "请输入手机号码!!!";
    QTest::newRow("register without a password") << MOBILE << QString() << "123456" << true << "bt_register"
                                                  << "input_password" << 10 << "请输入密码";
    QTest::newRow("register without a code: at the code row") << MOBILE << PASSWORD << QString() << true
                                                              << "bt_register" << "widget_vc" << 10 << "请输入验证码!!!";
    QTest::newRow("a three-character code") << MOBILE << PASSWORD << "123" << true << "bt_register" << "widget_vc"
                                            << 10 << "验证码不能少于4位!!!";
    QTest::newRow("agreement unchecked: at the box, flush left")
        << MOBILE << PASSWORD << "1234" << false << "bt_register" << "bt_protocol" << 0 << "需要同意《Tarnwell协议》!!!";
}

void TestPageEnrol::accountChecks()
{
    QFETCH(QString, mobile);
    QFETCH(QString, password);
    QFETCH(QString, code);
    QFETCH(bool, agreed);
    QFETCH(QString, button);
    QFETCH(QString, anchor);
    QFETCH(int, dx);
    QFETCH(QString, text);
    PageEnrol* page = openWizard();
    QVERIFY(page);
    type(page, QStringLiteral("input_user"), mobile);
    type(page, QStringLiteral("input_password"), password);
    type(page, QStringLiteral("input_vc"), code);
    page->findChild<TickBox*>(QStringLiteral("bt_protocol"))->setChecked(agreed);
    click(child(page, button));
    const QList<bubble> shown = bubbles(page);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, text);
    QCOMPARE(shown.first().rect, at(page, anchor, dx, 180));
    QVERIFY(child(page, QStringLiteral("bt_vc"))->isEnabled());
    QVERIFY(child(page, QStringLiteral("bt_register"))->isEnabled());
    QCOMPARE(requests(*m_rig, VC_GET) + requests(*m_rig, VC_CHECK), 0);
    // "1234" is long enough: only the agreement stopped that click.
    QCOMPARE(step(page), 0);
}

void TestPageEnrol::accountRefusals_data()
{
    QTest::addColumn<bool>("takenBefore");
    QTest::addColumn<bool>("takenAfterCode");
    QTest::addColumn<bool>("wrongCode");
    QTest::addColumn<QString>("faultEndpoint");
    QTest::addColumn<QString>("retCode");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<bool>("accountMade");
    QTest::newRow("number already registered: no code, message at the number")
        << true << false << false << QString() << "c001" << "input_user" << false;
    QTest::newRow("wrong code: message at the code row") << false << false << true << QString() << "b004" << "widget_vc"
                                                        << false;
    QTest::newRow("number taken between code and registration: at the number")
        << false << true << false << QString() << "c001" << "input_user" << false;
    QTest::newRow("registration refused otherwise: no bubble") << false << false << false << REGISTER << "c004"
                                                               << QString() << false;
    QTest::newRow("code check reply not JSON: no bubble") << false << false << false << VC_CHECK << "parse error"
                                                          << QString() << false;
    QTest::newRow("sign-in after registration refused: at the register button")
        << false << false << false << LOGIN << "c003" << "bt_register" << true;
}

// A refusal leaves step 0 usable, with the row's own message (never the server's words).
void TestPageEnrol::accountRefusals()
{
    QFETCH(bool, takenBefore);
    QFETCH(bool, takenAfterCode);
    QFETCH(bool, wrongCode);
    QFETCH(QString, faultEndpoint);
    QFETCH(QString, retCode);
    QFETCH(QString, anchor);
    QFETCH(bool, accountMade);
    PageRig& rig = *m_rig;
    if (takenBefore)
        rig.cloud().ledger().addAccount(MOBILE, QStringLiteral("other99"));
    PageEnrol* page = openWizard();
    QVERIFY(page);
    type(page, QStringLiteral("input_password"), PASSWORD);
    page->findChild<TickBox*>(QStringLiteral("bt_protocol"))->setChecked(true);
    if (takenBefore) {
        type(page, QStringLiteral("input_user"), MOBILE);
        click(child(page, QStringLiteral("bt_vc")));
        QVERIFY(!child(page, QStringLiteral("bt_vc"))->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(child(page, QStringLiteral("bt_vc"))->isEnabled(), PeerRig::PEER_WAIT);
        QVERIFY(child(page, QStringLiteral("input_user"))->isEnabled());
        QVERIFY(countdowns(page).isEmpty());
    } else {
        const QString code = requestCode(page, MOBILE);
        QVERIFY(!code.isEmpty());
        if (takenAfterCode)
            rig.cloud().ledger().addAccount(MOBILE, QStringLiteral("other99"));
        if (!faultEndpoint.isEmpty()) {
            const LoopbackCloud::FAULT kind =
                retCode == QStringLiteral("parse error") ? LoopbackCloud::FAULT_MALFORMED : LoopbackCloud::FAULT_FOREIGN_TEXT;
            rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + faultEndpoint,
                                 {kind, retCode, QStringLiteral("服务器自己的话"), 0});
        }
        type(page, QStringLiteral("input_vc"), wrongCode ? QStringLiteral("0000") : code);
        click(child(page, QStringLiteral("bt_register")));
        QVERIFY(!child(page, QStringLiteral("bt_register"))->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(child(page, QStringLiteral("bt_register"))->isEnabled(), PeerRig::PEER_WAIT);
    }
    QCOMPARE(step(page), 0);
    if (anchor.isEmpty()) {
        QCOMPARE(bubbleTexts(page), QStringList());
    } else {
        const QList<bubble> shown = bubbles(page);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, messageOf(retCode));
        QCOMPARE(shown.first().rect, at(page, anchor, 10, 180));
    }
    QCOMPARE(rig.cloud().ledger().account(MOBILE).password == PASSWORD, accountMade);
    QVERIFY(rig.hub().nsToken().isEmpty());
    QVERIFY(field(page, QStringLiteral("input_password"))->isEnabled());
}

// The road a user takes: the link, a code the cloud sends, the countdown, the terms and back,
// the account, its sign-in and the binding step.
void TestPageEnrol::accountChain()
{
    PageRig& rig = *m_rig;
    PageEnrol* page = openWizard();
    QVERIFY(page);
    QTRY_VERIFY(!bodyPage<PageSignIn>(*m_window));
    type(page, QStringLiteral("input_password"), PASSWORD);
    const QString code = requestCode(page, MOBILE);
    QVERIFY(!code.isEmpty());
    QCOMPARE(lastBody(rig, VC_GET).value(QStringLiteral("type")).toInt(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(countdowns(page).size(), 1, PeerRig::PEER_WAIT);
    // The test is the clock: the page's own timer must not tick in between.
    countdowns(page).first()->stop();
    auto* vc = page->findChild<TapCaption*>(QStringLiteral("bt_vc"));
    for (int left = 59; left >= 1; --left) {
        QVERIFY(QMetaObject::invokeMethod(page, "on_timerOut"));
        QCOMPARE(vc->text(), QString::number(left));
        QVERIFY(!vc->isEnabled());
        QVERIFY(!child(page, QStringLiteral("input_user"))->isEnabled());
        if (left == 57) {
            type(page, QStringLiteral("input_vc"), code);
            QVERIFY(rig.shot(*page, QStringLiteral("0")));
        }
    }
    QVERIFY(QMetaObject::invokeMethod(page, "on_timerOut"));
    QCOMPARE(vc->text(), QStringLiteral("获取验证码"));
    QVERIFY(vc->isEnabled());
    QVERIFY(child(page, QStringLiteral("input_user"))->isEnabled());

    auto* agreement = page->findChild<TickBox*>(QStringLiteral("bt_protocol"));
    QMetaObject::invokeMethod(agreement, "onTextClick");
    QCOMPARE(step(page), 1);
    QVERIFY(!agreement->checked());
    QVERIFY(page->findChild<QTextEdit*>(QStringLiteral("textEdit"))->toPlainText().contains(QStringLiteral("Quorin")));
    QVERIFY(rig.shot(*page, QStringLiteral("1")));
    click(child(page, QStringLiteral("page_bt_protocol_back")));
    QCOMPARE(step(page), 0);
    QCOMPARE(field(page, QStringLiteral("input_user"))->text(), MOBILE);
    QCOMPARE(field(page, QStringLiteral("input_password"))->text(), PASSWORD);
    QCOMPARE(field(page, QStringLiteral("input_vc"))->text(), code);

    agreement->setChecked(true);
    click(child(page, QStringLiteral("bt_register")));
    QVERIFY(!child(page, QStringLiteral("input_user"))->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(step(page), 2, 2 * PeerRig::PEER_WAIT);
    QVERIFY(child(page, QStringLiteral("input_user"))->isEnabled());
    const QJsonObject registration = lastBody(rig, REGISTER);
    QVERIFY(!registration.value(QStringLiteral("token")).toString().isEmpty());
    QVERIFY(!registration.contains(QStringLiteral("handleDeviceId")));
    QCOMPARE(registration.value(QStringLiteral("username")).toString(), MOBILE);
    QCOMPARE(requests(rig, LOGIN), 1);
    QCOMPARE(rig.hub().nsAccount().mobile, MOBILE);
    QCOMPARE(rig.cloud().ledger().mobileOfToken(rig.hub().nsToken()), MOBILE);
    QVERIFY(bubbles(page).isEmpty());
}

void TestPageEnrol::backToSignIn_data()
{
    QTest::addColumn<QString>("leave");
    QTest::newRow("the wizard's sign-in link") << "bt_go_login";
    QTest::newRow("the recovery page's sign-in link") << "recover";
}

// Whichever page gave the body back, the new sign-in page's register link opens a new wizard.
void TestPageEnrol::backToSignIn()
{
    QFETCH(QString, leave);
    PageEnrol* page = openWizard();
    QVERIFY(page);
    QPointer<PageEnrol> first(page);
    if (leave == QStringLiteral("recover")) {
        click(child(page, QStringLiteral("bt_go_login")));
        QTRY_VERIFY(bodyPage<PageSignIn>(*m_window));
        click(child(bodyPage<PageSignIn>(*m_window), QStringLiteral("bt_forget_pwd")));
        QTRY_VERIFY(bodyPage<PageRecover>(*m_window));
        click(child(bodyPage<PageRecover>(*m_window), QStringLiteral("bt_go_login")));
    } else {
        click(child(page, leave));
    }
    QTRY_VERIFY(bodyPage<PageSignIn>(*m_window) && !bodyPage<PageRecover>(*m_window));
    QTRY_VERIFY(first.isNull());
    PageEnrol* again = openWizard();
    QVERIFY(again);
    QCOMPARE(step(again), 0);
    QCOMPARE(field(again, QStringLiteral("input_user"))->text(), QString());
    QTRY_VERIFY(!bodyPage<PageSignIn>(*m_window));
}

void TestPageEnrol::bindStep_data()
{
    QTest::addColumn<QStringList>("binds");
    QTest::addColumn<bool>("listFails");
    QTest::addColumn<QStringList>("cached");
    QTest::newRow("next before any bind: bubble at next, nothing cached") << QStringList() << false << QStringList();
    QTest::newRow("the simulated band bound through the pairing page is cached")
        << QStringList(FIRST) << false << QStringList(FIRST);
    QTest::newRow("the list after the bind fails: next asks again, the next click goes on")
        << QStringList(FIRST) << true << QStringList(FIRST);
    QTest::newRow("band A, then band B: the cache holds B only") << (QStringList{FIRST, SECOND}) << false
                                                                 << QStringList(SECOND);
}

void TestPageEnrol::bindStep()
{
    QFETCH(QStringList, binds);
    QFETCH(bool, listFails);
    QFETCH(QStringList, cached);
    PageRig& rig = *m_rig;
    SimBandInfo second;
    second.name = QStringLiteral("QB-Two");
    second.address = SECOND;
    second.identity = QByteArray::fromHex("000AFF1001020304");
    rig.adapter().addBand(second);
    // Unbinding band A for band B is confirmed.
    rig.setModalAnswer(1);
    QVERIFY(rig.plugAdapter());
    PageEnrol* page = openWizard();
    QVERIFY(page);
    QVERIFY(createAccount(page));
    QWidget* next = child(page, QStringLiteral("page_bt_bind_next"));
    if (listFails) {
        rig.cloud().setFault(path(BIND_LIST), refusal(QStringLiteral("a001")));
        QTRY_VERIFY_WITH_TIMEOUT(bindButton(page, FIRST) && bindButton(page, FIRST)->isEnabled(), PeerRig::PEER_WAIT);
        click(bindButton(page, FIRST));
        QTRY_COMPARE_WITH_TIMEOUT(bubbleTexts(page), QStringList(QStringLiteral("绑定设备失败!")), 3 * PeerRig::PEER_WAIT);
        QCOMPARE(bubbles(page).first().rect, at(page, QStringLiteral("page_bt_bind_next"), 5, 140));
        QCOMPARE(rig.cloud().ledger().account(MOBILE).bands.size(), 1);
        QVERIFY(rig.hub().nsBinds().isEmpty());
        rig.cloud().clearFaults();
        click(next);
        QCOMPARE(step(page), 2);
        QCOMPARE(bubbleTexts(page), QStringList(QStringLiteral("没有绑定设备!")));
        QTRY_COMPARE_WITH_TIMEOUT(cachedBands(rig), cached, PeerRig::PEER_WAIT);
    } else {
        for (const QString& address : binds)
            QVERIFY2(bindBand(page, address), qPrintable(address));
    }
    QCOMPARE(cachedBands(rig), cached);
    if (binds.size() == 1 && !listFails)
        QVERIFY(rig.shot(*page, QStringLiteral("2")));
    click(next);
    if (cached.isEmpty()) {
        const QList<bubble> shown = bubbles(page);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, QStringLiteral("没有绑定设备!"));
        QCOMPARE(shown.first().rect, at(page, QStringLiteral("page_bt_bind_next"), 5, 140));
        QCOMPARE(step(page), 2);
        // The list it asked for is empty: still nothing to go on with.
        QVERIFY(cloudSettled(rig));
        QCOMPARE(requests(rig, BIND_LIST), 1);
        QVERIFY(rig.hub().nsBinds().isEmpty());
        return;
    }
    QCOMPARE(step(page), 3);
    // Left behind: a list answered now no longer reaches the cache.
    rig.hub().setNsBinds({});
    QSignalSpy listed(&rig.hub(), &CoreHub::onNsDevBindList);
    QVERIFY(rig.hub().nsDevBindList(rig.hub().nsToken(), CoreHub::version(), rig.hub().LanguageString()));
    QVERIFY(listed.wait(PeerRig::PEER_WAIT));
    QVERIFY(rig.hub().nsBinds().isEmpty());
}

void TestPageEnrol::infoChecks_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("anchors");
    QTest::addColumn<QStringList>("complaints");
    QTest::newRow("four empty fields: four bubbles")
        << (QStringList{QString(), QString(), QString(), QString()})
        << (QStringList{"input_info_name", "input_info_age", "input_info_height", "input_info_weight"})
        << (QStringList{"请输入呢称!!!", "请输入年龄!!!", "请输入身高!!!", "请输入体重!!!"});
    QTest::newRow("only the weight empty: one bubble") << (QStringList{"小林", "28", "172", QString()})
                                                       << QStringList("input_info_weight")
                                                       << QStringList("请输入体重!!!");
    QTest::newRow("only the nickname empty: one bubble") << (QStringList{QString(), "28", "172", "64"})
                                                         << QStringList("input_info_name")
                                                         << QStringList("请输入呢称!!!");
}

// An empty field is a complaint, never its range's minimum sent in the user's name.
void TestPageEnrol::infoChecks()
{
    QFETCH(QStringList, texts);
    QFETCH(QStringList, anchors);
    QFETCH(QStringList, complaints);
    PageEnrol* page = openWizard();
    QVERIFY(page);
    QVERIFY(createAccount(page));
    cacheBand();
    click(child(page, QStringLiteral("page_bt_bind_next")));
    QCOMPARE(step(page), 3);
    const QStringList fields{"input_info_name", "input_info_age", "input_info_height", "input_info_weight"};
    for (int i = 0; i < fields.size(); ++i)
        type(page, fields.at(i), texts.at(i));
    click(child(page, QStringLiteral("page_bt_info_next")));
    QList<bubble> shown = bubbles(page);
    QCOMPARE(shown.size(), anchors.size());
    std::sort(shown.begin(), shown.end(), [](const bubble& a, const bubble& b) { return a.rect.top() < b.rect.top(); });
    for (int i = 0; i < anchors.size(); ++i) {
        QCOMPARE(shown.at(i).text, complaints.at(i));
        QCOMPARE(shown.at(i).rect, at(page, anchors.at(i), 10, 180));
    }
    QVERIFY(page->findChild<EntryField*>(QStringLiteral("input_info_age"))->isEnabled());
    QVERIFY(cloudSettled(*m_rig));
    QCOMPARE(requests(*m_rig, PROFILE) + requests(*m_rig, HEALTH_SET), 0);
}

void TestPageEnrol::sexAndNickname()
{
    PageEnrol* page = openWizard();
    QVERIFY(page);
    auto* male = page->findChild<TickBox*>(QStringLiteral("bt_info_male"));
    auto* female = page->findChild<TickBox*>(QStringLiteral("bt_info_female"));
    QVERIFY(male->checked());
    QVERIFY(!female->checked());
    female->setChecked(true);
    QVERIFY(!male->checked());
    QCOMPARE(pictureOf(page), resourceImage(41));
    male->setChecked(true);
    QVERIFY(!female->checked());
    QCOMPARE(pictureOf(page), resourceImage(39));

    QLineEdit* name = field(page, QStringLiteral("input_info_name"));
    name->setVisible(true);
    name->setFocus();
    QTest::keyClicks(name, QString(31, QLatin1Char('a')));
    QCOMPARE(name->text(), QString(30, QLatin1Char('a')));
}

void TestPageEnrol::infoSaves_data()
{
    QTest::addColumn<QString>("faultEndpoint");
    QTest::addColumn<bool>("nicknameTaken");
    QTest::addColumn<QString>("retCode");
    QTest::newRow("both saved: the targets step") << QString() << false << QString();
    QTest::newRow("profile saved, health numbers refused: stays, the next click sends both")
        << HEALTH_SET << false << "c004";
    QTest::newRow("nickname taken: profile refused, stays") << QString() << true << "c002";
}

void TestPageEnrol::infoSaves()
{
    QFETCH(QString, faultEndpoint);
    QFETCH(bool, nicknameTaken);
    QFETCH(QString, retCode);
    PageRig& rig = *m_rig;
    if (nicknameTaken) {
        rig.cloud().ledger().addAccount(QStringLiteral("13800000099"), PASSWORD);
        CloudLedger::lc_account other = rig.cloud().ledger().account(QStringLiteral("13800000099"));
        other.profile.insert(QStringLiteral("nickname"), QStringLiteral("小林"));
        rig.cloud().ledger().setAccount(other);
    }
    if (!faultEndpoint.isEmpty())
        rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + faultEndpoint, refusal(retCode));
    PageEnrol* page = openWizard();
    QVERIFY(page);
    QVERIFY(createAccount(page));
    cacheBand();
    click(child(page, QStringLiteral("page_bt_bind_next")));
    fillInfo(page);
    auto* female = page->findChild<TickBox*>(QStringLiteral("bt_info_female"));
    female->setChecked(true);
    if (retCode.isEmpty())
        QVERIFY(rig.shot(*page, QStringLiteral("3")));
    QWidget* next = child(page, QStringLiteral("page_bt_info_next"));
    click(next);
    QVERIFY(!next->isEnabled());
    if (!retCode.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT(next->isEnabled(), PeerRig::PEER_WAIT);
        QCOMPARE(step(page), 3);
        const QList<bubble> shown = bubbles(page);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, messageOf(retCode));
        QCOMPARE(shown.first().rect, at(page, QStringLiteral("page_bt_info_next"), 2, 180));
        if (nicknameTaken)
            QVERIFY(rig.shot(*page, QStringLiteral("3-refused")));
        QCOMPARE(requests(rig, PROFILE), 1);
        QCOMPARE(requests(rig, HEALTH_SET), 1);
        rig.cloud().clearFaults();
        if (nicknameTaken)
            type(page, QStringLiteral("input_info_name"), QStringLiteral("小林2"));
        click(next);
    }
    QTRY_COMPARE_WITH_TIMEOUT(step(page), 4, PeerRig::PEER_WAIT);
    QVERIFY(next->isEnabled());
    QCOMPARE(requests(rig, PROFILE), retCode.isEmpty() ? 1 : 2);
    QCOMPARE(requests(rig, HEALTH_SET), retCode.isEmpty() ? 1 : 2);
    // The queue carries one request at a time: the profile was answered first.
    const QJsonObject health = lastBody(rig, HEALTH_SET);
    QCOMPARE(health.value(QStringLiteral("height")).toDouble(), 172.0);
    QCOMPARE(health.value(QStringLiteral("weight")).toDouble(), 64.0);
    QCOMPARE(rig.cloud().ledger().account(MOBILE).profile.value(QStringLiteral("gender")).toString(),
             QStringLiteral("1"));
    const QString prompt = QStringLiteral("以上运动目标是\r\n根据你的体质指数计算得\r\n出，你可点击修改该目标");
    QCOMPARE(page->findChild<QLabel*>(QStringLiteral("label_step_prompt"))->text(), prompt);
    QVERIFY(page->findChild<QLabel*>(QStringLiteral("label_step_prompt"))->isVisible());
    QVERIFY(bubbles(page).isEmpty());
}

void TestPageEnrol::finish_data()
{
    QTest::addColumn<QString>("faultEndpoint");
    QTest::addColumn<QString>("retCode");
    QTest::newRow("targets saved and signed in: home screen") << QString() << QString();
    QTest::newRow("sleep target refused: message at next, no sign-in") << SLEEP_TARGET << "c004";
    QTest::newRow("step target refused: message at next, no sign-in") << STEP_TARGET << "a001";
    QTest::newRow("final sign-in refused: the sign-in page again") << LOGIN << "c003";
}

void TestPageEnrol::finish()
{
    QFETCH(QString, faultEndpoint);
    QFETCH(QString, retCode);
    PageRig& rig = *m_rig;
    PageEnrol* page = openWizard();
    QVERIFY(page);
    QVERIFY(reachTargets(page));
    // The targets page fetched its proposals: the step is ready once they are in.
    QVERIFY(cloudSettled(rig));
    if (faultEndpoint.isEmpty())
        QVERIFY(rig.shot(*page, QStringLiteral("4")));
    if (!faultEndpoint.isEmpty())
        rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + faultEndpoint, refusal(retCode));
    QSignalSpy done(page, SIGNAL(onRegDone()));
    QSignalSpy back(page, SIGNAL(onLogin()));
    const int logins = requests(rig, LOGIN);
    QWidget* next = child(page, QStringLiteral("page_bt_sport_next"));
    click(next);
    QVERIFY(!next->isEnabled());
    if (faultEndpoint == LOGIN) {
        QVERIFY(back.wait(PeerRig::PEER_WAIT));
        QTRY_VERIFY(bodyPage<PageSignIn>(*m_window));
        QTRY_VERIFY(!bodyPage<PageEnrol>(*m_window));
        QCOMPARE(back.count(), 1);
        QCOMPARE(done.count(), 0);
        return;
    }
    if (!faultEndpoint.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT(next->isEnabled(), PeerRig::PEER_WAIT);
        const QList<bubble> shown = bubbles(page);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, messageOf(retCode));
        QCOMPARE(shown.first().rect, at(page, QStringLiteral("page_bt_sport_next"), 5, 200));
        QCOMPARE(step(page), 4);
        QVERIFY(cloudSettled(rig));
        QCOMPARE(requests(rig, STEP_TARGET), 1);
        QCOMPARE(requests(rig, SLEEP_TARGET), 1);
        QCOMPARE(requests(rig, LOGIN), logins);
        QCOMPARE(done.count(), 0);
        return;
    }
    QVERIFY(done.wait(PeerRig::PEER_WAIT));
    QTRY_VERIFY_WITH_TIMEOUT(isHome(*m_window), PeerRig::PEER_WAIT);
    QCOMPARE(done.count(), 1);
    QCOMPARE(back.count(), 0);
    QCOMPARE(requests(rig, LOGIN), logins + 1);
    QCOMPARE(rig.cloud().ledger().account(MOBILE).stepTarget, lastBody(rig, STEP_TARGET).value("targetFoots").toInt());
    QCOMPARE(rig.cloud().ledger().mobileOfToken(rig.hub().nsToken()), MOBILE);
}

QTEST_MAIN(TestPageEnrol)
#include "tst_pageenrol.moc"
