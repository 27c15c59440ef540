#include "corehub.h"
#include "hintbubble.h"
#include "loopbackcloud.h"
#include "pagerig.h"
#include "pagesignin.h"
#include "tapcaption.h"
#include "tickbox.h"
#include "entryfield.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <cstring>

namespace {
const QString MOBILE = QStringLiteral("13800000001");
const QString PASSWORD = QStringLiteral("secret12");
const QString OTHER = QStringLiteral("13800000002");
const QString LOGIN = QStringLiteral("account/login");
const QString BIND_LIST = QStringLiteral("device/listbinddevice");

struct bubble {
    QRect rect;
    QString text;
};

QString configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/quorin");
}

QString recordPath()
{
    return configFolder() + QStringLiteral("/userinfo");
}

QByteArray recordBytes()
{
    QFile file(recordPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

LocalVault::userinfo userRecord(const QString& mobile, const QString& password, const bool& remember)
{
    LocalVault::userinfo user;
    const QByteArray id = mobile.toLatin1();
    const QByteArray pwd = password.toLatin1();
    std::memcpy(user.id, id.constData(), size_t(id.size()));
    std::memcpy(user.pwd, pwd.constData(), size_t(pwd.size()));
    user.markPwd = remember ? 1 : 0;
    user.nLogin = 5;
    user.dt_login = LocalVault::fdCurDateTime();
    return user;
}

// One step day of the signed-in user, saved to the day files.
void storeDay(CoreHub& hub)
{
    const uchar head[4] = {0, 0, 0, 1};
    const QByteArray day = QByteArray::fromHex("160101") + char(1) + char(3) + QByteArray::fromHex("010203040506070809");
    QVERIFY(hub.fdAddStep(head, LocalVault::SYNC_NEW, day, false));
    QVERIFY(hub.fdSave());
}

QStringList endpoints(LoopbackCloud& cloud)
{
    QStringList paths;
    for (const LoopbackCloud::lc_request& request : cloud.requests())
        paths << request.path.mid(LoopbackCloud::PATH_PREFIX.size());
    return paths;
}
} // namespace

class TestPageSignIn : public QObject
{
    Q_OBJECT
private slots:
    void emptyFields_data();
    void emptyFields();
    void activation_data();
    void activation();
    void record_data();
    void record();
    void failures_data();
    void failures();
    void returnWhilePending();
    void recordWriteFails();
    void screenshot();

private:
    QLineEdit* field(QWidget& page, const char* name);
    QWidget* child(QWidget& page, const char* name);
    QList<bubble> bubbles(QWidget& page);
    QRect expectedBubble(QWidget& page, const char* anchor);
    void fill(QWidget& page, const QString& mobile, const QString& password, const bool& remember);
    void clickLogin(QWidget& page);
};

QWidget* TestPageSignIn::child(QWidget& page, const char* name)
{
    return page.findChild<QWidget*>(QString::fromLatin1(name));
}

QLineEdit* TestPageSignIn::field(QWidget& page, const char* name)
{
    return page.findChild<EntryField*>(QString::fromLatin1(name))->lineEdit();
}

QList<bubble> TestPageSignIn::bubbles(QWidget& page)
{
    QList<bubble> found;
    for (HintBubble* shown : page.findChildren<HintBubble*>()) {
        if (shown->isVisible())
            found << bubble{shown->geometry(), shown->text()};
    }
    return found;
}

// Beside the anchor: 10 pixels in from its left edge, its top at the anchor's middle.
QRect TestPageSignIn::expectedBubble(QWidget& page, const char* anchor)
{
    QWidget* at = child(page, anchor);
    const QPoint corner = at->mapTo(&page, QPoint(0, 0));
    return QRect(corner.x() + 10, corner.y() + at->height() / 2, 180, 50);
}

void TestPageSignIn::fill(QWidget& page, const QString& mobile, const QString& password, const bool& remember)
{
    field(page, "input_user")->setText(mobile);
    field(page, "input_user")->setVisible(true);
    field(page, "input_password")->setText(password);
    field(page, "input_password")->setVisible(true);
    page.findChild<TickBox*>(QStringLiteral("bt_mark_pwd"))->setChecked(remember);
}

void TestPageSignIn::clickLogin(QWidget& page)
{
    QWidget* button = child(page, "bt_login");
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void TestPageSignIn::emptyFields_data()
{
    QTest::addColumn<QString>("mobile");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("anchors");
    QTest::newRow("both empty: a bubble at each field") << QString() << QString()
                                                        << QStringList{"input_user", "input_password"};
    QTest::newRow("number empty: a bubble at the number") << QString() << PASSWORD << QStringList{"input_user"};
    QTest::newRow("password empty: a bubble at the password") << MOBILE << QString() << QStringList{"input_password"};
}

void TestPageSignIn::emptyFields()
{
    QFETCH(QString, mobile);
    QFETCH(QString, password);
    QFETCH(QStringList, anchors);
    PageRig rig;
    PageSignIn page(nullptr);
    rig.activate(page);
    page.show();
    fill(page, mobile, password, false);
    clickLogin(page);
    const QList<bubble> shown = bubbles(page);
    QCOMPARE(shown.size(), anchors.size());
    for (int i = 0; i < anchors.size(); ++i)
        QCOMPARE(shown.at(i).rect, expectedBubble(page, qPrintable(anchors.at(i))));
    QVERIFY(child(page, "bt_login")->isEnabled());
    QVERIFY(rig.cloud().requests().isEmpty());
}

void TestPageSignIn::activation_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("remember");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("autoLogin");
    QTest::addColumn<QString>("shownPassword");
    QTest::addColumn<bool>("signsIn");
    QTest::addColumn<bool>("passwordBubble");
    QTest::newRow("remembered with automatic sign-in signs in by itself")
        << true << true << PASSWORD << true << PASSWORD << true << false;
    QTest::newRow("remembered without automatic sign-in only fills")
        << true << true << PASSWORD << false << PASSWORD << false << false;
    QTest::newRow("not remembered fills the number only")
        << true << false << QString() << true << QString() << false << false;
    QTest::newRow("remembered empty password asks for it") << true << true << QString() << true << QString() << false
                                                           << true;
    QTest::newRow("no record leaves the fields empty") << false << false << QString() << true << QString() << false
                                                       << false;
}

void TestPageSignIn::activation()
{
    QFETCH(bool, stored);
    QFETCH(bool, remember);
    QFETCH(QString, password);
    QFETCH(bool, autoLogin);
    QFETCH(QString, shownPassword);
    QFETCH(bool, signsIn);
    QFETCH(bool, passwordBubble);
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, PASSWORD);
    if (stored)
        QVERIFY(rig.hub().fdSetUserInfo(userRecord(MOBILE, password, remember)));
    PageSignIn page(nullptr);
    page.setAutoLogin(autoLogin);
    QSignalSpy success(&page, SIGNAL(onLoginSuccess()));
    rig.activate(page);
    page.show();
    QCOMPARE(field(page, "input_user")->text(), stored ? MOBILE : QString());
    QCOMPARE(field(page, "input_password")->text(), shownPassword);
    QCOMPARE(page.findChild<TickBox*>(QStringLiteral("bt_mark_pwd"))->checked(), remember);
    QCOMPARE(bubbles(page).size(), passwordBubble ? 1 : 0);
    if (!signsIn) {
        QVERIFY(child(page, "bt_login")->isEnabled());
        QVERIFY(rig.cloud().requests().isEmpty());
        return;
    }
    QVERIFY(success.wait(10000));
    QCOMPARE(endpoints(rig.cloud()), (QStringList{LOGIN, BIND_LIST}));
    const QJsonObject body = QJsonDocument::fromJson(rig.cloud().requests().first().body).object();
    QCOMPARE(body.value("username").toString(), MOBILE);
    QCOMPARE(body.value("password").toString(), PASSWORD);
    QCOMPARE(body.value("appKey").toString(), rig.hub().appKey());
    QCOMPARE(body.value("appSysType").toString(), CoreHub::appSysType());
    QCOMPARE(body.value("version").toString(), CoreHub::version());
    QCOMPARE(body.value("language").toString(), rig.hub().LanguageString());
    QVERIFY(!body.contains("handleDeviceId"));
    QCOMPARE(success.count(), 1);
    QVERIFY(!child(page, "bt_login")->isEnabled());
}

void TestPageSignIn::record_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("listFails");
    QTest::addColumn<bool>("remembered");
    const QString longest = QString(29, QLatin1Char('p'));
    QTest::newRow("checked box remembers the password") << PASSWORD << true << false << true;
    QTest::newRow("clear box stores zeros and flag 0") << PASSWORD << false << false << false;
    QTest::newRow("Chinese password signs in, not remembered") << QStringLiteral("密码安全") << true << false << false;
    QTest::newRow("29 characters are remembered") << longest << true << false << true;
    QTest::newRow("30 characters are not remembered") << longest + QLatin1Char('p') << true << false << false;
    QTest::newRow("Latin-1 accents are remembered") << QStringLiteral("caf\u00e9\u00ff") << true << false << true;
    QTest::newRow("failed band list still counts the login") << PASSWORD << true << true << true;
}

void TestPageSignIn::record()
{
    QFETCH(QString, password);
    QFETCH(bool, checked);
    QFETCH(bool, listFails);
    QFETCH(bool, remembered);
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, password);
    if (listFails)
        rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + BIND_LIST, {LoopbackCloud::FAULT_RETURN_CODE, "a001", {}, 0});
    QVERIFY(rig.hub().fdSetUserInfo(userRecord(OTHER, QString(), false)));
    PageSignIn page(nullptr);
    rig.activate(page);
    page.show();
    QSignalSpy success(&page, SIGNAL(onLoginSuccess()));
    fill(page, MOBILE, password, checked);
    clickLogin(page);
    if (listFails)
        QTRY_VERIFY_WITH_TIMEOUT(child(page, "bt_login")->isEnabled(), 10000);
    else
        QVERIFY(success.wait(10000));
    QCOMPARE(rig.hub().nsToken().isEmpty(), false);
    const QByteArray bytes = recordBytes();
    QCOMPARE(bytes.size(), 103);
    QCOMPARE(int(bytes.at(80)), remembered ? 1 : 0);
    if (!remembered)
        QCOMPARE(bytes.mid(50, 30), QByteArray(30, '\0'));
    const LocalVault::userinfo stored = LocalVault::userinfo::fromBytes(bytes);
    QCOMPARE(QString::fromLatin1(stored.id), MOBILE);
    QCOMPARE(QString::fromLatin1(stored.pwd), remembered ? password : QString());
    // Copies: the record is packed, and a reference to its fields would be misaligned.
    const unsigned logins = stored.nLogin;
    const quint16 year = stored.dt_login.year;
    QCOMPARE(logins, 6u);
    QCOMPARE(year, quint16(QDate::currentDate().year()));
}

void TestPageSignIn::failures_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("mobile");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("faultPath");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("retCode");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<int>("nicknameLength");
    const int none = int(LoopbackCloud::FAULT_NONE);
    QTest::newRow("wrong password: at the password field")
        << "wrong" << MOBILE << false << QString() << none << "c003" << "input_password" << 0;
    QTest::newRow("unknown number: at the number field")
        << PASSWORD << OTHER << false << QString() << none << "b005" << "input_user" << 0;
    QTest::newRow("locked account: at the sign-in button")
        << PASSWORD << MOBILE << true << QString() << none << "b009" << "bt_login" << 0;
    QTest::newRow("reply not JSON: at the sign-in button") << PASSWORD << MOBILE << false << LOGIN
                                                            << int(LoopbackCloud::FAULT_MALFORMED)
                                                            << "parse error" << "bt_login" << 0;
    QTest::newRow("server's own text is not shown: the row's is")
        << PASSWORD << MOBILE << false << LOGIN << int(LoopbackCloud::FAULT_FOREIGN_TEXT)
        << "c003" << "input_password" << 0;
    QTest::newRow("band list refused: at the sign-in button") << PASSWORD << MOBILE << false << BIND_LIST
                                                              << int(LoopbackCloud::FAULT_RETURN_CODE)
                                                              << "a001" << "bt_login" << 0;
    QTest::newRow("a 2 MiB nickname: a reply past its cap, as one not read, at the sign-in button")
        << PASSWORD << MOBILE << false << QString() << none << "parse error" << "bt_login" << 2 * 1024 * 1024;
}

void TestPageSignIn::failures()
{
    QFETCH(QString, password);
    QFETCH(QString, mobile);
    QFETCH(bool, locked);
    QFETCH(QString, faultPath);
    QFETCH(int, fault);
    QFETCH(QString, retCode);
    QFETCH(QString, anchor);
    QFETCH(int, nicknameLength);
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, PASSWORD);
    CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    account.locked = locked;
    if (nicknameLength > 0)
        account.profile.insert(QStringLiteral("nickname"), QString(nicknameLength, QLatin1Char('n')));
    rig.cloud().ledger().setAccount(account);
    if (!faultPath.isEmpty()) {
        rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + faultPath,
                             {LoopbackCloud::FAULT(fault), retCode, QStringLiteral("服务器自己的话"), 0});
    }
    PageSignIn page(nullptr);
    rig.activate(page);
    page.show();
    QSignalSpy success(&page, SIGNAL(onLoginSuccess()));
    fill(page, mobile, password, true);
    clickLogin(page);
    QVERIFY(!child(page, "bt_login")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(child(page, "bt_login")->isEnabled(), 10000);
    for (const char* control : {"input_user", "input_password", "bt_mark_pwd", "bt_forget_pwd"})
        QVERIFY(child(page, control)->isEnabled());
    const QList<bubble> shown = bubbles(page);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, CloudGate::getNsRetCode(retCode).retMsg);
    QCOMPARE(shown.first().rect, expectedBubble(page, qPrintable(anchor)));
    QCOMPARE(success.count(), 0);
}

void TestPageSignIn::returnWhilePending()
{
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, PASSWORD);
    rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + LOGIN, {LoopbackCloud::FAULT_SLOW, {}, {}, 500});
    PageSignIn page(nullptr);
    rig.activate(page);
    page.show();
    QSignalSpy success(&page, SIGNAL(onLoginSuccess()));
    fill(page, MOBILE, PASSWORD, false);
    // With the inputs disabled the focus falls to the register link; its keys reach the page.
    QWidget* link = child(page, "bt_reg");
    QTest::keyClick(link, Qt::Key_Return);
    QVERIFY(!child(page, "bt_login")->isEnabled());
    QTest::keyClick(link, Qt::Key_Enter);
    QVERIFY(success.wait(10000));
    QCOMPARE(endpoints(rig.cloud()), (QStringList{LOGIN, BIND_LIST}));
    QTest::keyClick(link, Qt::Key_Return);
    QCOMPARE(success.count(), 1);
    QCOMPARE(unsigned(LocalVault::userinfo::fromBytes(recordBytes()).nLogin), 1u);
}

// The record file cannot be replaced (here: a folder stands in its place), after another user
// signed in on this computer: the new user still signs in, and sees and saves only own days.
void TestPageSignIn::recordWriteFails()
{
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, PASSWORD);
    QVERIFY(rig.signIn(OTHER));
    storeDay(rig.hub());
    QVERIFY(!rig.hub().fdSteps().isEmpty());
    const QString dataRoot = QStandardPaths::writableLocation(QStandardPaths::DataLocation) + QStringLiteral("/quorin/");
    const QByteArray otherDays = [&]() {
        QFile file(dataRoot + OTHER + QStringLiteral("/step.t"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QVERIFY(QFile::remove(recordPath()) || !QFile::exists(recordPath()));
    QVERIFY(QDir().mkpath(recordPath()));
    PageSignIn page(nullptr);
    rig.activate(page);
    page.show();
    QSignalSpy success(&page, SIGNAL(onLoginSuccess()));
    fill(page, MOBILE, PASSWORD, true);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("user record not written")));
    clickLogin(page);
    QVERIFY(success.wait(10000));
    QVERIFY(rig.hub().fdSteps().isEmpty());
    QVERIFY(rig.hub().fdSave());
    QVERIFY(QFile::exists(dataRoot + MOBILE + QStringLiteral("/step.t")));
    QFile other(dataRoot + OTHER + QStringLiteral("/step.t"));
    QVERIFY(other.open(QIODevice::ReadOnly));
    QCOMPARE(other.readAll(), otherDays);
}

void TestPageSignIn::screenshot()
{
    PageRig rig;
    rig.cloud().ledger().addAccount(MOBILE, PASSWORD);
    QVERIFY(rig.hub().fdSetUserInfo(userRecord(MOBILE, PASSWORD, true)));
    PageSignIn page(nullptr);
    page.setAutoLogin(false);
    rig.activate(page);
    page.resize(640, 560);
    QVERIFY(rig.shot(page));
}

QTEST_MAIN(TestPageSignIn)
#include "tst_pagesignin.moc"
