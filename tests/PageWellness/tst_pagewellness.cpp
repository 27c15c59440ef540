#include "pagewellness.h"

#include "corehub.h"
#include "entryfield.h"
#include "glowentry.h"
#include "loopbackcloud.h"
#include "pagegoals.h"
#include "pageprofile.h"
#include "pagerig.h"
#include "pageshot.h"
#include "tapcaption.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString MOBILE = QStringLiteral("13800000000");
const QString SPORT_PATH = QStringLiteral("/zentrova-web/health/setsporttarget");
const QString SLEEP_PATH = QStringLiteral("/zentrova-web/health/setsleeptarget");
const QString SET_HEALTH_PATH = QStringLiteral("/zentrova-web/health/sethealthnum");
const QString GET_HEALTH_PATH = QStringLiteral("/zentrova-web/health/querynowhealthnum");

QStringList savePaths(LoopbackCloud& cloud)
{
    QStringList found;
    for (const LoopbackCloud::lc_request& request : cloud.requests()) {
        if (request.path != GET_HEALTH_PATH)
            found.append(request.path);
    }
    return found;
}

QLineEdit* input(QWidget& page, const char* name)
{
    return page.findChild<EntryField*>(QString::fromLatin1(name))->lineEdit();
}

QString labelText(QWidget& page, const char* name)
{
    return page.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

void seedBody(PageRig& rig, double height, double weight)
{
    CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    account.health.height = height;
    account.health.weight = weight;
    account.health.age = 30;
    account.health.date = QDateTime::currentDateTime();
    rig.cloud().ledger().setAccount(account);
}

// Activates the page and waits for the first answer of the targets page, which enables it.
void open(PageRig& rig, PageWellness& page)
{
    page.resize(536, 346);
    page.show();
    rig.activate(page);
    QTRY_VERIFY(page.findChild<QWidget*>("widget_3")->isEnabled());
}

void click(PageWellness& page)
{
    emit page.findChild<TapCaption*>("bt_done")->on_click();
}

} // namespace

class TestPageWellness : public QObject
{
    Q_OBJECT
private slots:
    void fill_data();
    void fill();
    void save_data();
    void save();
    void typing();
    void activations();
};

// An idle page shows the cloud's figures as texts and hints and the cloud's health index; a save
// that leaves them untouched keeps the figures shown in the cached account.
void TestPageWellness::fill_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("shownHeight");
    QTest::addColumn<int>("keptHeight");
    QTest::newRow("fractions show their whole numbers") << 175.9 << "175" << 175;
    QTest::newRow("a figure past 16 bits shows its low 16 bits") << 5e9 << "61952" << 61952;
}

void TestPageWellness::fill()
{
    QFETCH(double, height);
    QFETCH(QString, shownHeight);
    QFETCH(int, keptHeight);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    seedBody(rig, height, 70.2);
    PageWellness page;
    open(rig, page);
    QCOMPARE(input(page, "input_height")->text(), shownHeight);
    QCOMPARE(input(page, "input_weight")->text(), QStringLiteral("70"));
    const double index = page.findChild<PageGoals*>()->bmi().healthNumber;
    QCOMPARE(labelText(page, "label_bmi"), QStringLiteral("BMI:%1").arg(index, 0, 'f', 2));
    // The exported class has no meta-object of its own, so the rig would name the shot after the base.
    if (QTest::currentDataTag() == QByteArray("fractions show their whole numbers"))
        QVERIFY(PageShot::save(page, QStringLiteral("PageWellness")));
    click(page);
    QTRY_COMPARE(labelText(page, "prompt"), QStringLiteral("保存成功."));
    QCOMPARE(int(rig.hub().nsAccount().height), keptHeight);
}

// What the cloud does with the save against what it received and what the page says.
void TestPageWellness::save_data()
{
    QTest::addColumn<QString>("faultPath");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QString>("prompt");
    // Refused by the cloud at a second save, clicked as soon as the first one's step target was
    // refused and the page is usable; the first save's sleep target is answered slowly.
    QTest::addColumn<QString>("againRefused");
    // The step target of each save in turn; the saves after the first are accepted.
    QTest::addColumn<QStringList>("steps");
    // The first save is made while the page has no hub; it gets the hub back for the next.
    QTest::addColumn<bool>("hubless");
    // What the cloud holds after an accepted save; it had 65.5 kg.
    QTest::addColumn<double>("storedWeight");
    // The BMI shown after an accepted save.
    QTest::addColumn<QString>("bmi");
    const QStringList targets{SPORT_PATH, SLEEP_PATH};
    const QStringList saved = targets + QStringList{SET_HEALTH_PATH};
    const QStringList once{"8000"};
    QTest::newRow("both targets accepted, then the body numbers")
        << QString() << "180" << "75" << saved << "保存成功." << QString() << once << false << 75.0 << "BMI:23.15";
    QTest::newRow("refused step target sends no body numbers")
        << SPORT_PATH << "180" << "75" << targets << "服务器错误" << QString() << once << false << 0.0 << QString();
    QTest::newRow("refused sleep target sends no body numbers")
        << SLEEP_PATH << "180" << "75" << targets << "服务器错误" << QString() << once << false << 0.0 << QString();
    QTest::newRow("body numbers refused by the cloud")
        << SET_HEALTH_PATH << "180" << "75" << saved << "保存失败!!!" << QString() << once << false << 0.0
        << QString();
    QTest::newRow("empty height sends nothing")
        << QString() << "" << "75" << QStringList() << "请输入有效的身高 (0 - 65535)" << QString() << once << false
        << 0.0 << QString();
    QTest::newRow("letters as height send nothing")
        << QString() << "abc" << "75" << QStringList() << "请输入有效的身高 (0 - 65535)" << QString() << once
        << false << 0.0 << QString();
    QTest::newRow("weight over 16 bits sends nothing")
        << QString() << "180" << "70000" << QStringList() << "请输入有效的体重 (0 - 65535)" << QString() << once
        << false << 0.0 << QString();
    QTest::newRow("an answer of the refused save is not counted for the next save")
        << SPORT_PATH << "180" << "75" << (targets + targets) << "服务器错误" << SLEEP_PATH << once << false << 0.0
        << QString();
    QTest::newRow("empty step target gives the page back, the next two saves go out once each")
        << QString() << "180" << "75" << (saved + saved) << "请输入有效的运动目标" << QString()
        << QStringList{"", "8000", "8000"} << false << 75.0 << "BMI:23.15";
    QTest::newRow("a save without a hub gives the page back, the next two go out once each")
        << QString() << "180" << "75" << (saved + saved) << "不能连接到\"消息中心\"模块" << QString()
        << QStringList{"8000", "8000", "8000"} << true << 75.0 << "BMI:23.15";
    QTest::newRow("an untouched weight of 65.5 goes out as 65.5")
        << QString() << "172" << "65" << saved << "保存成功." << QString() << once << false << 65.5 << "BMI:22.14";
    QTest::newRow("an untouched weight of 65.5 at 180 shows the BMI of 65.5 after the save")
        << QString() << "180" << "65" << saved << "保存成功." << QString() << once << false << 65.5 << "BMI:20.22";
    QTest::newRow("a typed whole weight shows the BMI of that weight after the save")
        << QString() << "180" << "66" << saved << "保存成功." << QString() << once << false << 66.0 << "BMI:20.37";
}

void TestPageWellness::save()
{
    QFETCH(QString, faultPath);
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QStringList, sent);
    QFETCH(QString, prompt);
    QFETCH(QString, againRefused);
    QFETCH(QStringList, steps);
    QFETCH(bool, hubless);
    QFETCH(double, storedWeight);
    QFETCH(QString, bmi);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    seedBody(rig, 172, 65.5);
    if (!faultPath.isEmpty()) {
        LoopbackCloud::lc_fault fault;
        fault.kind = LoopbackCloud::FAULT_RETURN_CODE;
        fault.returnCode = QStringLiteral("a001");
        rig.cloud().setFault(faultPath, fault);
    }
    PageWellness page;
    open(rig, page);
    rig.cloud().clearRequests();
    QSignalSpy told(&rig.hub(), SIGNAL(onNsAccountUpdate()));
    if (hubless)
        page.setMsg(nullptr);
    if (!againRefused.isEmpty()) {
        LoopbackCloud::lc_fault slow;
        slow.kind = LoopbackCloud::FAULT_SLOW;
        slow.delayMs = 1500;
        rig.cloud().setFault(SLEEP_PATH, slow);
    }
    for (int save = 0; save < steps.size(); ++save) {
        if (save == 1 && hubless) {
            QSignalSpy refilled(page.findChild<PageGoals*>(), &WidgetTarget::onGetSync);
            rig.activate(page);
            QVERIFY(refilled.wait());
        }
        input(page, "input_height")->setText(height);
        input(page, "input_weight")->setText(weight);
        input(page, "input_step")->setText(steps.at(save));
        click(page);
        QTRY_VERIFY(!labelText(page, "prompt").isEmpty());
        QTRY_VERIFY(page.findChild<QWidget*>("widget_3")->isEnabled());
        QCOMPARE(labelText(page, "prompt"), save == 0 ? prompt : QStringLiteral("保存成功."));
    }
    if (!againRefused.isEmpty()) {
        // The slow answer is fixed once the cloud has the request.
        QTRY_VERIFY(savePaths(rig.cloud()).contains(SLEEP_PATH));
        rig.cloud().clearFaults();
        LoopbackCloud::lc_fault refusal;
        refusal.kind = LoopbackCloud::FAULT_RETURN_CODE;
        refusal.returnCode = QStringLiteral("a001");
        rig.cloud().setFault(againRefused, refusal);
        click(page);
        QTRY_VERIFY(!labelText(page, "prompt").isEmpty());
        QTRY_VERIFY(page.findChild<QWidget*>("widget_3")->isEnabled());
        QCOMPARE(labelText(page, "prompt"), prompt);
    }
    const bool saved = sent.contains(SET_HEALTH_PATH) && faultPath.isEmpty();
    if (saved) {
        // The hub's BMI of the saved figures, not the cloud's health index.
        QCOMPARE(labelText(page, "label_bmi"), bmi);
        const CloudLedger::lc_health stored = rig.cloud().ledger().account(MOBILE).health;
        QCOMPARE(stored.height, height.toDouble());
        QCOMPARE(stored.weight, storedWeight);
        QCOMPARE(told.count(), 0);
        // The profile page shows what was saved, so its own save does not send the old figures.
        PageProfile profile;
        rig.activate(profile);
        QCOMPARE(input(profile, "input_height")->text(), height);
        QCOMPARE(input(profile, "input_weight")->text(), QString::number(int(storedWeight)));
    }
    // A health fetch as marker: once it is served, anything the save sent before is in the log.
    QSignalSpy fetched(page.findChild<PageGoals*>(), &WidgetTarget::onGetSync);
    page.findChild<PageGoals*>()->getSync();
    QVERIFY(fetched.wait());
    QCOMPARE(savePaths(rig.cloud()), sent);
}

// Typing follows the hub's BMI at every change; the fill from the cloud does not recompute it.
void TestPageWellness::typing()
{
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    seedBody(rig, 160, 80);
    PageWellness page;
    open(rig, page);
    const QString cloudIndex = labelText(page, "label_bmi");
    QCOMPARE(cloudIndex, QStringLiteral("BMI:%1").arg(page.findChild<PageGoals*>()->bmi().healthNumber, 0, 'f', 2));
    QLineEdit* height = input(page, "input_height");
    height->setVisible(true);
    height->clear();
    QTest::keyClicks(height, QStringLiteral("2"));
    QCOMPARE(labelText(page, "label_bmi"), QStringLiteral("BMI:%1").arg(CoreHub::getBmi(2, 80), 0, 'f', 2));
    QTest::keyClicks(height, QStringLiteral("00"));
    QCOMPARE(labelText(page, "label_bmi"), QStringLiteral("BMI:%1").arg(CoreHub::getBmi(200, 80), 0, 'f', 2));
}

// Each activation fetches the health numbers; however often the page is activated, an account
// change fetches them once.
void TestPageWellness::activations()
{
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    PageWellness page;
    rig.cloud().clearRequests();
    QSignalSpy fetched(page.findChild<PageGoals*>(), &WidgetTarget::onGetSync);
    rig.activate(page);
    QVERIFY(fetched.wait());
    rig.activate(page);
    QVERIFY(fetched.wait());
    QCOMPARE(rig.cloud().requests().size(), 2);
    emit rig.hub().onNsAccountUpdate();
    QVERIFY(fetched.wait());
    QCOMPARE(rig.cloud().requests().size(), 3);
}

QTEST_MAIN(TestPageWellness)
#include "tst_pagewellness.moc"
