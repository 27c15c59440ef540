#include "corehub.h"
#include "entryfield.h"
#include "loopbackcloud.h"
#include "pageprofile.h"
#include "pagerig.h"
#include "picturebox.h"
#include "resource.h"
#include "tickbox.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

namespace {
const QString MOBILE = QStringLiteral("13800000001");
const QString OTHER = QStringLiteral("13800000002");
const QString UPDATE = QStringLiteral("account/updateBaseInfo");

struct profile_entries {
    QString nickname;
    QString age;
    QString height;
    QString weight;
};
} // namespace

Q_DECLARE_METATYPE(profile_entries)

class TestPageProfile : public QObject
{
    Q_OBJECT
private slots:
    void sexPicture_data();
    void sexPicture();
    void refillKeepsOpenField();
    void save_data();
    void save();
    void refusedSave_data();
    void refusedSave();
    void refusedBeforeSending_data();
    void refusedBeforeSending();
    void emptyTokenGivesPageBack();
    void withoutHub();

private:
    static void seed(PageRig& rig, const QString& mobile, const QString& nickname, const bool& male);
    static QLineEdit* field(QWidget& page, const char* name);
    static QString prompt(QWidget& page);
    static TickBox* box(QWidget& page, const char* name);
    static void clickBox(QWidget& page, const char* name);
    static void fill(QWidget& page, const profile_entries& entries);
    static void clickDone(QWidget& page);
    static QImage sexPicture(QWidget& page);
    static QImage reference(const QSize& size, const Resource::ID& id);
    static QList<QByteArray> updateBodies(PageRig& rig);
    static QList<QJsonObject> updates(PageRig& rig);
};

// A signed-in account with a profile: age 30, 175 cm, 70 kg.
void TestPageProfile::seed(PageRig& rig, const QString& mobile, const QString& nickname, const bool& male)
{
    CloudLedger& ledger = rig.cloud().ledger();
    ledger.addAccount(mobile, PeerRig::PASSWORD);
    CloudLedger::lc_account account = ledger.account(mobile);
    account.profile.insert(QStringLiteral("nickname"), nickname);
    account.profile.insert(QStringLiteral("gender"), male ? QStringLiteral("0") : QStringLiteral("1"));
    account.profile.insert(QStringLiteral("age"), 30);
    account.profile.insert(QStringLiteral("height"), 175);
    account.profile.insert(QStringLiteral("weight"), 70);
    ledger.setAccount(account);
}

QLineEdit* TestPageProfile::field(QWidget& page, const char* name)
{
    return page.findChild<EntryField*>(QString::fromLatin1(name))->lineEdit();
}

QString TestPageProfile::prompt(QWidget& page)
{
    return page.findChild<QLabel*>(QStringLiteral("prompt"))->text();
}

TickBox* TestPageProfile::box(QWidget& page, const char* name)
{
    return page.findChild<TickBox*>(QString::fromLatin1(name));
}

void TestPageProfile::clickBox(QWidget& page, const char* name)
{
    TickBox* target = box(page, name);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(3, target->height() / 2));
}

// As the page fills them itself: the text in the line edit, the line edit not shown.
void TestPageProfile::fill(QWidget& page, const profile_entries& entries)
{
    const QList<QPair<const char*, QString>> texts = {{"input_name", entries.nickname},
                                                      {"input_age", entries.age},
                                                      {"input_height", entries.height},
                                                      {"input_weight", entries.weight}};
    for (const auto& text : texts) {
        field(page, text.first)->setText(text.second);
        field(page, text.first)->setVisible(false);
    }
}

void TestPageProfile::clickDone(QWidget& page)
{
    QWidget* button = page.findChild<QWidget*>(QStringLiteral("bt_done"));
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

QImage TestPageProfile::sexPicture(QWidget& page)
{
    return page.findChild<PictureBox*>(QStringLiteral("img_sex"))->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage TestPageProfile::reference(const QSize& size, const Resource::ID& id)
{
    PictureBox picture;
    picture.resize(size);
    picture.setPixmap(QPixmap(Resource::getResPath(id)), Qt::IgnoreAspectRatio);
    return picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QList<QByteArray> TestPageProfile::updateBodies(PageRig& rig)
{
    QList<QByteArray> found;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests()) {
        if (request.path == LoopbackCloud::PATH_PREFIX + UPDATE)
            found << request.body;
    }
    return found;
}

QList<QJsonObject> TestPageProfile::updates(PageRig& rig)
{
    QList<QJsonObject> found;
    for (const QByteArray& body : updateBodies(rig))
        found << QJsonDocument::fromJson(body).object();
    return found;
}

void TestPageProfile::sexPicture_data()
{
    QTest::addColumn<bool>("male");
    QTest::addColumn<QString>("click");
    QTest::addColumn<bool>("maleChecked");
    QTest::addColumn<int>("picture");
    QTest::addColumn<bool>("english");
    QTest::newRow("male account: picture 39, male box checked") << true << QString() << true << 39 << false;
    QTest::newRow("female account: picture 41, female box checked") << false << QString() << false << 41 << false;
    QTest::newRow("female box clicked: male box cleared, picture 41") << true << "bt_female" << false << 41 << false;
    QTest::newRow("male box clicked: female box cleared, picture 39") << false << "bt_male" << true << 39 << false;
    QTest::newRow("in English both captions show whole") << true << QString() << true << 39 << true;
}

void TestPageProfile::sexPicture()
{
    QFETCH(bool, male);
    QFETCH(QString, click);
    QFETCH(bool, maleChecked);
    QFETCH(int, picture);
    QFETCH(bool, english);
    QTranslator translator;
    if (english)
        QVERIFY(PageRig::speakEnglish(translator));
    PageRig rig;
    seed(rig, MOBILE, QStringLiteral("小明"), male);
    QVERIFY(rig.signIn(MOBILE));
    PageProfile page(nullptr);
    page.resize(502, 383);
    rig.activate(page);
    page.show();
    if (!click.isEmpty())
        clickBox(page, qPrintable(click));
    QCOMPARE(box(page, "bt_male")->checked(), maleChecked);
    QCOMPARE(box(page, "bt_female")->checked(), !maleChecked);
    const QImage shown = sexPicture(page);
    QCOMPARE(shown, reference(shown.size(), Resource::ID(picture)));
    QVERIFY(shown != reference(shown.size(), Resource::ID(picture == 39 ? 41 : 39)));
    QCOMPARE(rig.hub().nsAccount().gender, male);
    for (const char* name : {"bt_male", "bt_female"})
        QVERIFY(box(page, name)->width() >= box(page, name)->sizeHint().width());
    if (click.isEmpty() && male)
        QVERIFY(rig.shot(page, english ? QStringLiteral("en") : QString()));
}

// A field the user is typing in keeps the typed text through a refill, and a save sends it;
// the fields at rest follow the cache.
void TestPageProfile::refillKeepsOpenField()
{
    PageRig rig;
    seed(rig, MOBILE, QStringLiteral("小明"), true);
    QVERIFY(rig.signIn(MOBILE));
    PageProfile page(nullptr);
    rig.activate(page);
    page.show();
    QCOMPARE(field(page, "input_name")->text(), QStringLiteral("小明"));
    QCOMPARE(field(page, "input_age")->text(), QStringLiteral("30"));
    QCOMPARE(field(page, "input_height")->text(), QStringLiteral("175"));
    QCOMPARE(field(page, "input_weight")->text(), QStringLiteral("70"));
    QVERIFY(!field(page, "input_age")->isVisible());
    field(page, "input_age")->setVisible(true);
    field(page, "input_age")->setText(QStringLiteral("41"));
    CloudGate::ns_account cached = rig.hub().nsAccount();
    cached.age = 31;
    cached.height = 180;
    rig.hub().setNsAccount(cached);
    rig.activate(page);
    QCOMPARE(field(page, "input_age")->text(), QStringLiteral("41"));
    QCOMPARE(field(page, "input_height")->text(), QStringLiteral("180"));
    QVERIFY(!field(page, "input_height")->isVisible());
    rig.cloud().clearRequests();
    clickDone(page);
    QTRY_COMPARE_WITH_TIMEOUT(prompt(page), QStringLiteral("保存成功"), PeerRig::PEER_WAIT);
    QCOMPARE(updates(rig).size(), 1);
    QCOMPARE(updates(rig).first().value(QStringLiteral("age")), QJsonValue(41));
    QCOMPARE(updates(rig).first().value(QStringLiteral("height")), QJsonValue(180));
}

void TestPageProfile::save_data()
{
    QTest::addColumn<profile_entries>("typed");
    QTest::addColumn<bool>("male");
    QTest::addColumn<profile_entries>("shown");
    // The account's weight at sign-in, and that of the health numbers the hub fetched since (0: none).
    QTest::addColumn<int>("accountWeight");
    QTest::addColumn<double>("healthWeight");
    // The weight as the request body carries it.
    QTest::addColumn<QByteArray>("sentWeight");
    QTest::newRow("male goes out as gender 0, numbers as numbers")
        << profile_entries{QStringLiteral("跑者"), "29", "172", "65"} << true
        << profile_entries{QStringLiteral("跑者"), "29", "172", "65"} << 70 << 0.0 << QByteArray("65");
    QTest::newRow("female goes out as gender 1")
        << profile_entries{QStringLiteral("跑者"), "29", "172", "65"} << false
        << profile_entries{QStringLiteral("跑者"), "29", "172", "65"} << 70 << 0.0 << QByteArray("65");
    QTest::newRow("leading zeros come back plain from the refill")
        << profile_entries{QStringLiteral("跑者"), "029", "0172", "65"} << true
        << profile_entries{QStringLiteral("跑者"), "29", "172", "65"} << 70 << 0.0 << QByteArray("65");
    QTest::newRow("the largest 16-bit numbers are kept")
        << profile_entries{QStringLiteral("跑者"), "65535", "65535", "0"} << true
        << profile_entries{QStringLiteral("跑者"), "65535", "65535", "0"} << 70 << 0.0 << QByteArray("0");
    QTest::newRow("an untouched weight goes out as the health numbers' 65.5 when the account holds 65")
        << profile_entries{QStringLiteral("跑者"), "30", "175", "65"} << true
        << profile_entries{QStringLiteral("跑者"), "30", "175", "65"} << 65 << 65.5 << QByteArray("65.5");
    QTest::newRow("an untouched weight goes out as the account's 70 saved since the health numbers' 65.5")
        << profile_entries{QStringLiteral("跑者"), "30", "175", "70"} << true
        << profile_entries{QStringLiteral("跑者"), "30", "175", "70"} << 70 << 65.5 << QByteArray("70");
    QTest::newRow("an untouched weight without health numbers goes out as the account's 65")
        << profile_entries{QStringLiteral("跑者"), "30", "175", "65"} << true
        << profile_entries{QStringLiteral("跑者"), "30", "175", "65"} << 65 << 0.0 << QByteArray("65");
    QTest::newRow("a typed weight of 70 goes out as 70 beside the health numbers' 65.5")
        << profile_entries{QStringLiteral("跑者"), "30", "175", "70"} << true
        << profile_entries{QStringLiteral("跑者"), "30", "175", "70"} << 65 << 65.5 << QByteArray("70");
}

// An accepted save: the cache holds the edited account, the form shows it, and only then the
// hub tells the other pages, once.
void TestPageProfile::save()
{
    QFETCH(profile_entries, typed);
    QFETCH(bool, male);
    QFETCH(profile_entries, shown);
    QFETCH(int, accountWeight);
    QFETCH(double, healthWeight);
    QFETCH(QByteArray, sentWeight);
    PageRig rig;
    seed(rig, MOBILE, QStringLiteral("小明"), !male);
    CloudLedger::lc_account held = rig.cloud().ledger().account(MOBILE);
    held.profile.insert(QStringLiteral("weight"), accountWeight);
    if (healthWeight > 0)
        held.health = CloudLedger::lc_health{0, 30, 175, healthWeight, QDateTime::currentDateTime()};
    rig.cloud().ledger().setAccount(held);
    QVERIFY(rig.signIn(MOBILE));
    if (healthWeight > 0) {
        QSignalSpy health(&rig.hub(), &CoreHub::onNsGetHealthNum);
        QVERIFY(rig.hub().nsGetHealthNum(rig.token(), CoreHub::version(), rig.hub().LanguageString()));
        QVERIFY(health.wait(PeerRig::PEER_WAIT));
    }
    rig.cloud().clearRequests();
    PageProfile page(nullptr);
    rig.activate(page);
    page.show();
    fill(page, typed);
    clickBox(page, male ? "bt_male" : "bt_female");
    CoreHub& hub = rig.hub();
    QList<profile_entries> seenAtUpdate;
    QList<CloudGate::ns_account> cachedAtUpdate;
    connect(&hub, &CloudGate::onNsAccountUpdate, this, [&] {
        seenAtUpdate << profile_entries{field(page, "input_name")->text(), field(page, "input_age")->text(),
                                        field(page, "input_height")->text(), field(page, "input_weight")->text()};
        cachedAtUpdate << hub.nsAccount();
    });
    clickDone(page);
    QVERIFY(!page.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(page.isEnabled(), PeerRig::PEER_WAIT);
    QCOMPARE(prompt(page), QStringLiteral("保存成功"));
    QCOMPARE(updates(rig).size(), 1);
    const QJsonObject sent = updates(rig).first();
    QCOMPARE(sent.value(QStringLiteral("gender")), QJsonValue(male ? QStringLiteral("0") : QStringLiteral("1")));
    QCOMPARE(sent.value(QStringLiteral("nickname")), QJsonValue(typed.nickname));
    QCOMPARE(sent.value(QStringLiteral("age")), QJsonValue(shown.age.toInt()));
    QCOMPARE(sent.value(QStringLiteral("height")), QJsonValue(shown.height.toInt()));
    const QByteArray body = updateBodies(rig).first();
    QVERIFY2(body.contains("\"weight\": " + sentWeight + "\n"), body.constData());
    QCOMPARE(seenAtUpdate.size(), 1);
    QCOMPARE(seenAtUpdate.first().nickname, shown.nickname);
    QCOMPARE(seenAtUpdate.first().age, shown.age);
    QCOMPARE(seenAtUpdate.first().height, shown.height);
    QCOMPARE(seenAtUpdate.first().weight, shown.weight);
    const CloudGate::ns_account cached = cachedAtUpdate.first();
    QCOMPARE(cached.nickname, typed.nickname);
    QCOMPARE(cached.gender, male);
    QCOMPARE(int(cached.age), shown.age.toInt());
    QCOMPARE(int(cached.height), shown.height.toInt());
    QCOMPARE(int(cached.weight), shown.weight.toInt());
    QCOMPARE(cached.mobile, MOBILE);
    const QJsonObject stored = rig.cloud().ledger().account(MOBILE).profile;
    QCOMPARE(stored.value(QStringLiteral("nickname")).toString(), typed.nickname);
    QCOMPARE(stored.value(QStringLiteral("age")).toInt(), shown.age.toInt());
    QCOMPARE(stored.value(QStringLiteral("weight")).toDouble(), sentWeight.toDouble());
    QVERIFY(rig.clean());
}

void TestPageProfile::refusedSave_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("retCode");
    QTest::newRow("nickname held by another account") << int(LoopbackCloud::FAULT_NONE) << "c002";
    QTest::newRow("server error") << int(LoopbackCloud::FAULT_FOREIGN_TEXT) << "a001";
    QTest::newRow("reply not JSON") << int(LoopbackCloud::FAULT_MALFORMED) << "parse error";
}

// The row's message, the page back, the typed texts kept, the cache as it was, nobody told.
void TestPageProfile::refusedSave()
{
    QFETCH(int, fault);
    QFETCH(QString, retCode);
    PageRig rig;
    seed(rig, OTHER, QStringLiteral("跑者"), true);
    seed(rig, MOBILE, QStringLiteral("小明"), true);
    QVERIFY(rig.signIn(MOBILE));
    rig.cloud().setFault(LoopbackCloud::PATH_PREFIX + UPDATE,
                         {LoopbackCloud::FAULT(fault), retCode, QStringLiteral("服务器自己的话"), 0});
    PageProfile page(nullptr);
    rig.activate(page);
    page.show();
    fill(page, {QStringLiteral("跑者"), "29", "172", "65"});
    QSignalSpy told(&rig.hub(), SIGNAL(onNsAccountUpdate()));
    clickDone(page);
    QTRY_VERIFY_WITH_TIMEOUT(page.isEnabled(), PeerRig::PEER_WAIT);
    QCOMPARE(prompt(page), CloudGate::getNsRetCode(retCode).retMsg);
    QCOMPARE(field(page, "input_name")->text(), QStringLiteral("跑者"));
    QCOMPARE(rig.hub().nsAccount().nickname, QStringLiteral("小明"));
    QCOMPARE(int(rig.hub().nsAccount().age), 30);
    QCOMPARE(told.count(), 0);
}

void TestPageProfile::refusedBeforeSending_data()
{
    QTest::addColumn<profile_entries>("typed");
    QTest::addColumn<QString>("complaint");
    const QString age = QStringLiteral("年龄须为0到65535之间的整数!");
    QTest::newRow("age not a number") << profile_entries{QStringLiteral("跑者"), "abc", "172", "65"} << age;
    QTest::newRow("age over 16 bits") << profile_entries{QStringLiteral("跑者"), "70000", "172", "65"} << age;
    QTest::newRow("age empty") << profile_entries{QStringLiteral("跑者"), "", "172", "65"} << age;
    QTest::newRow("height empty") << profile_entries{QStringLiteral("跑者"), "29", "", "65"}
                                  << QStringLiteral("身高须为0到65535之间的整数!");
    QTest::newRow("weight negative") << profile_entries{QStringLiteral("跑者"), "29", "172", "-5"}
                                     << QStringLiteral("体重须为0到65535之间的整数!");
    QTest::newRow("weight with a fraction") << profile_entries{QStringLiteral("跑者"), "29", "172", "65.5"}
                                            << QStringLiteral("体重须为0到65535之间的整数!");
}

void TestPageProfile::refusedBeforeSending()
{
    QFETCH(profile_entries, typed);
    QFETCH(QString, complaint);
    PageRig rig;
    seed(rig, MOBILE, QStringLiteral("小明"), true);
    QVERIFY(rig.signIn(MOBILE));
    rig.cloud().clearRequests();
    PageProfile page(nullptr);
    rig.activate(page);
    page.show();
    fill(page, typed);
    clickDone(page);
    QCOMPARE(prompt(page), complaint);
    QVERIFY(page.isEnabled());
    QVERIFY(rig.cloud().requests().isEmpty());
    QCOMPARE(rig.hub().nsAccount().nickname, QStringLiteral("小明"));
}

// Nothing went out, so the page is given back at once and holds no connection: the next save
// is heard exactly once.
void TestPageProfile::emptyTokenGivesPageBack()
{
    PageRig rig;
    seed(rig, MOBILE, QStringLiteral("小明"), true);
    QVERIFY(rig.signIn(MOBILE));
    rig.cloud().clearRequests();
    PageProfile page(nullptr);
    rig.activate(page);
    page.show();
    rig.hub().setNsToken(QString());
    clickDone(page);
    QVERIFY(page.isEnabled());
    QCOMPARE(prompt(page), QStringLiteral("发送失败,请重新登录!"));
    QVERIFY(rig.cloud().requests().isEmpty());
    rig.hub().setNsToken(rig.token());
    QSignalSpy told(&rig.hub(), SIGNAL(onNsAccountUpdate()));
    clickDone(page);
    QTRY_COMPARE_WITH_TIMEOUT(prompt(page), QStringLiteral("保存成功"), PeerRig::PEER_WAIT);
    QCOMPARE(told.count(), 1);
}

void TestPageProfile::withoutHub()
{
    PageRig rig;
    PageProfile page(nullptr);
    QVERIFY(!page.setMsg(nullptr));
    page.show();
    QCOMPARE(field(page, "input_name")->text(), QString());
    fill(page, {QStringLiteral("跑者"), "29", "172", "65"});
    clickDone(page);
    QVERIFY(page.isEnabled());
    QVERIFY(rig.cloud().requests().isEmpty());
}

QTEST_MAIN(TestPageProfile)
#include "tst_pageprofile.moc"
