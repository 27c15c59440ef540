#include "pagegoals.h"

#include "corehub.h"
#include "entryfield.h"
#include "glowentry.h"
#include "loopbackcloud.h"
#include "pagerig.h"
#include "picturebox.h"
#include "resource.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString MOBILE = QStringLiteral("13800000000");
const QString SPORT_PATH = QStringLiteral("/zentrova-web/health/setsporttarget");
const QString SLEEP_PATH = QStringLiteral("/zentrova-web/health/setsleeptarget");
const QString HEALTH_PATH = QStringLiteral("/zentrova-web/health/querynowhealthnum");

QJsonObject lastBody(LoopbackCloud& cloud, const QString& path)
{
    QJsonObject body;
    for (const LoopbackCloud::lc_request& request : cloud.requests()) {
        if (request.path == path)
            body = QJsonDocument::fromJson(request.body).object();
    }
    return body;
}

QStringList paths(LoopbackCloud& cloud)
{
    QStringList found;
    for (const LoopbackCloud::lc_request& request : cloud.requests())
        found.append(request.path);
    return found;
}

EntryField* field(PageGoals& page, const char* name)
{
    return page.findChild<EntryField*>(QString::fromLatin1(name));
}

// The hint is painted into the field's background: a field of the same size with that hint
// paints the same picture.
bool showsHint(EntryField* field, const QString& hint)
{
    EntryField reference;
    reference.resize(field->size());
    reference.setBgText(hint);
    return field->palette().brush(QPalette::Window).texture().toImage()
        == reference.palette().brush(QPalette::Window).texture().toImage();
}

// A box beside it, with the same parent and size, showing the numbered picture paints the same.
bool showsPicture(PictureBox* box, const Resource::ID& id)
{
    PictureBox reference(box->parentWidget());
    reference.resize(box->size());
    reference.setPixmap(QPixmap(Resource::getResPath(id)), Qt::KeepAspectRatio);
    return box->grab().toImage() == reference.grab().toImage();
}

void seedTargets(PageRig& rig, int steps, int minutes)
{
    CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    account.stepTarget = steps;
    account.sleepTarget = minutes;
    rig.cloud().ledger().setAccount(account);
}

} // namespace

class TestPageGoals : public QObject
{
    Q_OBJECT
private slots:
    void targetCodes_data();
    void targetCodes();
    void refusedTargets_data();
    void refusedTargets();
    void fill_data();
    void fill();
};

// The band edges of both targets, read back from what the cloud received.
void TestPageGoals::targetCodes_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("stepCode");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<int>("sleepCode");
    QTest::newRow("below both lowest bands is 3")      << "2999" << 3 << "329" << 3;
    QTest::newRow("lowest band, lower edge")           << "3000" << 1 << "330" << 1;
    QTest::newRow("lowest band, upper edge")           << "7000" << 1 << "390" << 1;
    QTest::newRow("middle band, lower edge")           << "7001" << 2 << "391" << 2;
    QTest::newRow("middle band, upper edge")           << "15000" << 2 << "510" << 2;
    QTest::newRow("highest band, lower edge")          << "15001" << 3 << "511" << 3;
    QTest::newRow("highest band, upper edge")          << "50000" << 3 << "630" << 3;
    QTest::newRow("above both highest bands is 1")     << "50001" << 1 << "631" << 1;
    QTest::newRow("a typed 0 goes out with code 3")    << "0" << 3 << "0" << 3;
}

void TestPageGoals::targetCodes()
{
    QFETCH(QString, steps);
    QFETCH(int, stepCode);
    QFETCH(QString, minutes);
    QFETCH(int, sleepCode);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    PageGoals page;
    rig.activate(page);
    field(page, "input_step")->lineEdit()->setText(steps);
    field(page, "input_sleep")->lineEdit()->setText(minutes);
    QSignalSpy results(&page, &WidgetTarget::onSetSync);
    page.setSync();
    QTRY_COMPARE(results.size(), 2);
    const QJsonObject sport = lastBody(rig.cloud(), SPORT_PATH);
    const QJsonObject sleep = lastBody(rig.cloud(), SLEEP_PATH);
    QCOMPARE(sport.value("targetFoots").toInt(-1), steps.toInt());
    QCOMPARE(sport.value("targetCode").toInt(), stepCode);
    QCOMPARE(sleep.value("sleepLenTime").toInt(-1), minutes.toInt());
    QCOMPARE(sleep.value("targetCode").toInt(), sleepCode);
    QCOMPARE(paths(rig.cloud()).indexOf(SPORT_PATH) < paths(rig.cloud()).indexOf(SLEEP_PATH), true);
}

// A target that is not a whole number in int range sends nothing and says so once.
void TestPageGoals::refusedTargets_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("empty step target") << "" << "480" << "请输入有效的运动目标";
    QTest::newRow("empty sleep target") << "8000" << "" << "请输入有效的睡眠目标";
    QTest::newRow("step target beyond int") << "99999999999" << "480" << "请输入有效的运动目标";
    QTest::newRow("sleep target beyond int") << "8000" << "99999999999" << "请输入有效的睡眠目标";
    QTest::newRow("letters as step target") << "abc" << "480" << "请输入有效的运动目标";
}

void TestPageGoals::refusedTargets()
{
    QFETCH(QString, steps);
    QFETCH(QString, minutes);
    QFETCH(QString, prompt);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    PageGoals page;
    rig.activate(page);
    field(page, "input_step")->lineEdit()->setText(steps);
    field(page, "input_sleep")->lineEdit()->setText(minutes);
    QSignalSpy results(&page, &WidgetTarget::onSetSync);
    page.setSync();
    QCOMPARE(results.size(), 1);
    QCOMPARE(results.first().at(0).toBool(), false);
    QCOMPARE(results.first().at(1).toString(), prompt);
    // A health request as marker: once it is served, anything sent before it would be logged.
    QSignalSpy fetched(&page, &WidgetTarget::onGetSync);
    page.getSync();
    QVERIFY(fetched.wait());
    QCOMPARE(paths(rig.cloud()).filter("target").size(), 0);
    QCOMPARE(results.size(), 1);
}

// Recommendations or the hub's defaults fill the form; a field the user opened keeps its text.
void TestPageGoals::fill_data()
{
    // How the cloud answers the health query (LoopbackCloud::FAULT).
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("stepText");
    QTest::addColumn<QString>("sleepText");
    QTest::addColumn<QString>("stepHint");
    QTest::addColumn<QString>("sleepHint");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("gender");
    QTest::addColumn<int>("picture");
    QTest::addColumn<bool>("shot");
    // A query answered well before this one.
    QTest::addColumn<bool>("earlier");
    // A second query out with this one, answered well right after it.
    QTest::addColumn<bool>("concurrent");
    const int none = LoopbackCloud::FAULT_NONE;
    const int refusal = LoopbackCloud::FAULT_RETURN_CODE;
    const int malformed = LoopbackCloud::FAULT_MALFORMED;
    const QString unreadable = CloudGate::getNsRetCode(QStringLiteral("parse error")).retMsg;
    const QString defaultSteps = QString::number(CoreHub::sdCalcStepTarget());
    const QString defaultMinutes = QString::number(int(CoreHub::sdCalcSleepTarget() * 60.0));
    // The cloud's health numbers always say gender true; the picture follows the account.
    QTest::newRow("recommendations fill an idle form")
        << none << false << "8000" << "480" << "8000步" << "480分钟" << "获取成功" << true << 40 << true << false
        << false;
    QTest::newRow("refused health request fills the hub's defaults")
        << refusal << false << defaultSteps << defaultMinutes << defaultSteps + "步" << defaultMinutes + "分钟"
        << "服务器错误" << true << 40 << false << false << false;
    QTest::newRow("an opened field keeps its text, its hint follows")
        << none << true << "12345" << "480" << "8000步" << "480分钟" << "获取成功" << true << 40 << false << false
        << false;
    QTest::newRow("account gender false shows its picture")
        << none << false << "8000" << "480" << "8000步" << "480分钟" << "获取成功" << false << 42 << false << false
        << false;
    QTest::newRow("an unreadable reply after a good one keeps the figures received")
        << malformed << false << "8000" << "480" << "8000步" << "480分钟" << unreadable << true << 40 << false
        << true << false;
    QTest::newRow("an unreadable reply leaves a query still out to fill the form")
        << malformed << false << "8000" << "480" << "8000步" << "480分钟" << unreadable << true << 40 << false
        << false << true;
}

void TestPageGoals::fill()
{
    QFETCH(int, fault);
    QFETCH(bool, opened);
    QFETCH(QString, stepText);
    QFETCH(QString, sleepText);
    QFETCH(QString, stepHint);
    QFETCH(QString, sleepHint);
    QFETCH(QString, prompt);
    QFETCH(bool, gender);
    QFETCH(int, picture);
    QFETCH(bool, shot);
    QFETCH(bool, earlier);
    QFETCH(bool, concurrent);
    const bool refused = fault != LoopbackCloud::FAULT_NONE;
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    seedTargets(rig, 8000, 480);
    CloudGate::ns_account account = rig.hub().nsAccount();
    account.gender = gender;
    rig.hub().setNsAccount(account);
    PageGoals page;
    page.resize(386, 174);
    page.show();
    rig.activate(page);
    if (earlier) {
        QSignalSpy answered(&page, &WidgetTarget::onGetSync);
        page.getSync();
        QVERIFY(answered.wait());
    }
    if (refused) {
        rig.cloud().setFault(HEALTH_PATH, {LoopbackCloud::FAULT(fault), QStringLiteral("a001"), QString(), 0});
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(earlier ? "get bmi fail: keep the figures received\\."
                                                                     : "get bmi fail: use locale calc value\\."));
    }
    int queries = 0;
    connect(&rig.cloud(), &LoopbackCloud::onRequest, this, [&](const QString& path) {
        if (concurrent && path == HEALTH_PATH && ++queries == 2)
            rig.cloud().clearFaults();
    });
    QLineEdit* step = field(page, "input_step")->lineEdit();
    if (opened) {
        step->setVisible(true);
        step->setText(QStringLiteral("12345"));
    }
    // The host hears a success before the fields change, a failure after.
    QStringList stepAtSignal;
    connect(&page, &WidgetTarget::onGetSync, &page, [&]() { stepAtSignal << step->text(); });
    QSignalSpy fetched(&page, &WidgetTarget::onGetSync);
    page.getSync();
    if (concurrent)
        page.getSync();
    QTRY_COMPARE_WITH_TIMEOUT(fetched.size(), concurrent ? 2 : 1, PeerRig::PEER_WAIT);
    QCOMPARE(fetched.first().at(0).toBool(), !refused);
    QCOMPARE(fetched.first().at(1).toString(), prompt);
    if (!concurrent)
        QCOMPARE(stepAtSignal.first(), refused || opened ? stepText : QString());
    QCOMPARE(step->text(), stepText);
    QCOMPARE(field(page, "input_sleep")->lineEdit()->text(), sleepText);
    QVERIFY(showsHint(field(page, "input_step"), stepHint));
    QVERIFY(showsHint(field(page, "input_sleep"), sleepHint));
    // The cached step target is the figure the step hint shows.
    QCOMPARE(rig.hub().nsGetStepTarget(), stepHint.chopped(1).toDouble());
    QVERIFY(showsPicture(page.findChild<PictureBox*>("img_gender"), Resource::ID(picture)));
    if (shot)
        QVERIFY(rig.shot(page));
}

QTEST_MAIN(TestPageGoals)
#include "tst_pagegoals.moc"
