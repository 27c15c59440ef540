#include "busymeter.h"
#include "entryfield.h"
#include "mainwindow.h"
#include "pageframe.h"
#include "pagemenu.h"
#include "pagerig.h"
#include "packagemaker.h"
#include "pageshot.h"
#include "programcopy.h"
#include "pagebandflash.h"
#include "pageheader.h"
#include "pageselfrefresh.h"
#include "chartcanvas.h"
#include "pagetrends.h"
#include "pagesignin.h"
#include "startup.h"
#include "xwindows.h"

#include <QAbstractButton>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

// The whole road a user takes, in the real window on a real X server, against the loopback
// cloud and the simulated adapter and band. The stages run in order and build on each other.
// The test runs from a copy of itself in a temporary program folder, since the self-update
// unpacks over the program's own folder.

namespace {

const QString DEMO_MOBILE = QStringLiteral("13800000000");
const QString DEMO_PASSWORD = QStringLiteral("123456");
const QString DEMO_NAME = QStringLiteral("演示用户");
const int BOUND_DAYS_AGO = 10;
const int START_MS = 60000;
const int SYNC_MS = 120000;
const int ROAD_DAYS = BOUND_DAYS_AGO + 1;
const int HELP_SOFT_UPDATE = 0x101;
const int HELP_FIRM_UPDATE = 0x103;
const quint16 FIRMWARE_VERSION = 260;
const QString PACKAGE_PATH = QStringLiteral("/download/quorin-9.0.0.zip");
const QString PROGRAM_DATA = QStringLiteral("road-data.txt");
const QByteArray OLD_DATA("the shipped data\n");
const QByteArray NEW_DATA("the updated data\n");

// An image of three full packs and part of a fourth, each byte telling where it stands.
QByteArray firmwareImage()
{
    QByteArray image(3 * 1020 + 34, Qt::Uninitialized);
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i * 7 + i / 251);
    return image;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QStringList backups(const QString& folder)
{
    QStringList found;
    QDirIterator entries(folder, {QStringLiteral("*.bk")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext())
        found << entries.next();
    return found;
}

// The one visible top-level window of the class, as the help menu opens it.
template <typename Window>
Window* openWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// The bars and lines of the chart shown, with at least one point above zero.
bool chartHasData(QWidget* page)
{
    auto* canvas = page ? page->findChild<ChartCanvas*>() : nullptr;
    if (!canvas)
        return false;
    for (int i = 0; i < canvas->plottableCount(); ++i) {
        if (auto* bars = qobject_cast<QCPBars*>(canvas->plottable(i))) {
            for (auto point = bars->data()->constBegin(); point != bars->data()->constEnd(); ++point) {
                if (point->value > 0)
                    return true;
            }
        }
    }
    return false;
}

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString shotPath(const QString& name)
{
    return PageShot::folder() + QLatin1Char('/') + name + QStringLiteral(".png");
}

// Every text a user can read in the widget: labels, captions and buttons that are shown.
QStringList screenTexts(QWidget* root)
{
    QStringList texts;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty())
            texts << label->text();
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && !button->text().isEmpty())
            texts << button->text();
    }
    for (WidgetBusyMeter* meter : root->findChildren<WidgetBusyMeter*>()) {
        if (meter->isVisible() && !meter->text().isEmpty())
            texts << meter->text();
    }
    return texts;
}

bool shows(QWidget* root, const QString& text)
{
    return screenTexts(root).contains(text);
}

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

bool isHome(MainWindow& window)
{
    return qobject_cast<PageMenu*>(cell(window, 0)) && qobject_cast<PageFrame*>(cell(window, 1))
           && body(window)->findChildren<PageSignIn*>().isEmpty();
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// Whether the picture shows more than a blank window: a painted one has many colours.
bool painted(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 16; y += 4) {
        for (int x = 0; x < image.width() && colours.size() < 16; x += 4)
            colours.insert(image.pixel(x, y));
    }
    return colours.size() >= 16;
}

QImage grabScreen(const QRect& area)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
}

} // namespace

class TestWholeRoad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void executable();
    void start();
    void signIn();
    void pair();
    void sync();
    void todayCards();
    void charts();
    void firmware();
    void selfUpdate();
    void signOut();
    void restart();

private:
    void shot(const QString& name);
    void goTo(const QString& entry);
    QWidget* frame();

    std::unique_ptr<PageRig> m_rig;
    Startup::Guard m_guard;
    QTranslator m_translator;
    std::unique_ptr<MainWindow> m_window;
};

void TestWholeRoad::initTestCase()
{
    QVERIFY2(ProgramCopy::isCopy(), "the road runs from its copy");
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    m_rig.reset(new PageRig);
    QVERIFY(m_rig->isReady());
    CloudLedger& ledger = m_rig->cloud().ledger();
    QVERIFY(ledger.addAccount(DEMO_MOBILE, DEMO_PASSWORD));
    CloudLedger::lc_account account = ledger.account(DEMO_MOBILE);
    account.profile.insert(QStringLiteral("nickname"), DEMO_NAME);
    ledger.setAccount(account);
    // Eleven days to pull need a band bound ten days before today.
    ledger.setBindingAge(BOUND_DAYS_AGO);
    CloudLedger::lc_firmware firmware;
    firmware.version = FIRMWARE_VERSION;
    firmware.image = firmwareImage();
    ledger.setFirmware(firmware);

    // A newer program whose package replaces a file of the program folder and adds a folder, and
    // ships the program itself, packed as tight as zip packs: the restart runs what it unpacked.
    QVERIFY(writeFile(QDir(programFolder()).filePath(PROGRAM_DATA), OLD_DATA));
    QTemporaryDir packages;
    const QString package = makePackage(packages.filePath(QStringLiteral("package.zip")),
                                        {{PROGRAM_DATA, NEW_DATA},
                                         {QStringLiteral("plugins/"), QByteArray()},
                                         {QStringLiteral("plugins/road.txt"), NEW_DATA},
                                         {QStringLiteral("Quorin"), readFile(QDir(programFolder()).filePath(QStringLiteral("Quorin")))}},
                                        0, true);
    QVERIFY(!package.isEmpty());
    LoopbackCloud::lc_file served;
    served.body = readFile(package);
    served.disposition = QStringLiteral("quorin-9.0.0.zip");
    m_rig->cloud().serveFile(PACKAGE_PATH, served);
    CloudLedger::lc_app_version version;
    version.version = QStringLiteral("9.0.0");
    version.isGoUp = true;
    version.url = m_rig->cloud().fileUrl(PACKAGE_PATH).toString();
    version.content = QStringLiteral("新版本");
    ledger.setAppVersion(version);
}

void TestWholeRoad::cleanupTestCase()
{
    m_window.reset();
    m_rig.reset();
}

void TestWholeRoad::shot(const QString& name)
{
    QVERIFY(m_window);
    QVERIFY(PageShot::save(*m_window, name));
}

QWidget* TestWholeRoad::frame()
{
    return m_window ? cell(*m_window, 1) : nullptr;
}

// Picks the navigation entry a user reads as `entry`.
void TestWholeRoad::goTo(const QString& entry)
{
    auto* tree = cell(*m_window, 0)->findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
    QVERIFY(tree);
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QWidget* line = tree->itemWidget(tree->topLevelItem(i), 0);
        if (line && shows(line, entry)) {
            tree->setCurrentItem(tree->topLevelItem(i));
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no navigation entry ") + entry));
}

// The real program, as a user starts it: it paints its window and quits when the window is closed.
void TestWholeRoad::executable()
{
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QDir(programFolder()).filePath(QStringLiteral("Quorin")), QStringList());
    QVERIFY(program.waitForStarted(START_MS));
    quint32 window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = XWindows::mappedWindowOf(program.processId())) != 0, START_MS);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QDir(programFolder()).filePath(QStringLiteral("pid"))), START_MS);
    QImage picture;
    QTRY_VERIFY_WITH_TIMEOUT(painted(picture = grabScreen(XWindows::geometry(window))), START_MS);
    QVERIFY(picture.save(shotPath(QStringLiteral("road-00-executable"))));

    // Asked again while it runs, as a user clicks close again: under load the first request
    // can come before the window takes it.
    QElapsedTimer waited;
    waited.start();
    do
        QVERIFY(XWindows::askClose(window));
    while (!program.waitForFinished(2000) && waited.elapsed() < START_MS);
    QCOMPARE(program.state(), QProcess::NotRunning);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

// The start-up steps of the program, in this process: language, guard, hub and window.
void TestWholeRoad::start()
{
    Startup::updateLanguage(m_translator);
    QCOMPARE(Startup::isRuned(m_guard), Startup::GUARD_ALONE);
    CoreHub& hub = m_rig->hub();
    m_window.reset(new MainWindow(&hub, nullptr));
    hub.setMainWin(m_window.get());
    const QDir folder(programFolder());
    QVERIFY(hub.fdInitLock(folder.filePath(QStringLiteral("pid")), QCoreApplication::applicationPid()));
    hub.fdUpdateClear(folder.filePath(hub.fdUpdateListConf()));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    QTRY_VERIFY(body(*m_window)->findChildren<PageSignIn*>().size() == 1);
    for (const QString& text : {QStringLiteral("登录"), QStringLiteral("忘记密码?"), QStringLiteral("没有帐号,注册新帐号")})
        QVERIFY2(shows(m_window.get(), text), qPrintable(text));
    shot(QStringLiteral("road-01-start"));
}

void TestWholeRoad::signIn()
{
    QVERIFY(m_window);
    auto* page = body(*m_window)->findChild<PageSignIn*>();
    QVERIFY(page);
    const QList<QPair<QString, QString>> fields{{QStringLiteral("input_user"), DEMO_MOBILE},
                                                {QStringLiteral("input_password"), DEMO_PASSWORD}};
    for (const auto& entry : fields) {
        QLineEdit* edit = page->findChild<EntryField*>(entry.first)->lineEdit();
        edit->setVisible(true);
        QTest::keyClicks(edit, entry.second);
    }
    click(page->findChild<QWidget*>(QStringLiteral("bt_login")));
    QTRY_VERIFY_WITH_TIMEOUT(isHome(*m_window), PeerRig::PEER_WAIT);
    QTRY_VERIFY_WITH_TIMEOUT(shows(cell(*m_window, 0), DEMO_NAME), PeerRig::PEER_WAIT);
    for (const QString& text : {QStringLiteral("今天数据"), QStringLiteral("手环管理"), QStringLiteral("数据同步")})
        QVERIFY2(shows(cell(*m_window, 0), text), qPrintable(text));
    shot(QStringLiteral("road-02-signin"));
}

void TestWholeRoad::pair()
{
    QVERIFY(m_window && isHome(*m_window));
    QVERIFY(m_rig->plugAdapter());
    goTo(QStringLiteral("手环管理"));
    const QString address = m_rig->band().info.address;
    // Rows are built again by every scan: look the band's row up each time.
    const auto bindButton = [this, &address]() -> QWidget* {
        auto* tree = frame()->findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
        for (int i = 0; tree && i < tree->topLevelItemCount(); ++i) {
            QWidget* row = tree->itemWidget(tree->topLevelItem(i), 0);
            if (row && row->isVisible() && shows(row, address) && shows(row, QStringLiteral("绑定")))
                return row->findChild<QWidget*>(QStringLiteral("bt_exec"));
        }
        return nullptr;
    };
    QTRY_VERIFY_WITH_TIMEOUT(bindButton() && bindButton()->isEnabled(), PeerRig::PEER_WAIT);
    click(bindButton());
    const auto boundInCloud = [this] { return m_rig->cloud().ledger().account(DEMO_MOBILE).bands.size() == 1; };
    QTRY_VERIFY_WITH_TIMEOUT(boundInCloud(), PeerRig::PEER_WAIT);
    const CloudLedger::lc_band band = m_rig->cloud().ledger().account(DEMO_MOBILE).bands.constFirst();
    QCOMPARE(band.address, address);
    QCOMPARE(band.bindDt.date(), QDate::currentDate().addDays(-BOUND_DAYS_AGO));
    // The row's button goes grey and the bound-band card lists the band with its binding day.
    QTRY_VERIFY_WITH_TIMEOUT(bindButton() && !bindButton()->isEnabled(), PeerRig::PEER_WAIT);
    QTRY_VERIFY_WITH_TIMEOUT(shows(frame(), band.bindDt.toString(QStringLiteral("yyyy-MM-dd"))), PeerRig::PEER_WAIT);
    shot(QStringLiteral("road-03-pair"));
}

void TestWholeRoad::sync()
{
    QVERIFY(m_window && isHome(*m_window));
    const QDate today = QDate::currentDate();
    m_rig->band().generateDays(today, ROAD_DAYS);
    goTo(QStringLiteral("数据同步"));
    QWidget* syncNow = frame()->findChild<QWidget*>(QStringLiteral("bt_sync_now"));
    QVERIFY(syncNow);
    QTRY_VERIFY_WITH_TIMEOUT(syncNow->isVisible() && syncNow->isEnabled(), PeerRig::PEER_WAIT);
    click(syncNow);
    QTRY_VERIFY_WITH_TIMEOUT(shows(frame(), QStringLiteral("同步完成.")), SYNC_MS);
    QVERIFY(shows(frame(), QStringLiteral("完成")));

    const QMap<QDate, LocalVault::step_mem_data>& steps = m_rig->hub().fdSteps();
    QCOMPARE(steps.size(), ROAD_DAYS);
    QCOMPARE(m_rig->hub().fdSleeps().size(), ROAD_DAYS);
    QCOMPARE(steps.firstKey(), today.addDays(-BOUND_DAYS_AGO));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig->cloud().ledger().account(DEMO_MOBILE).days.size(), ROAD_DAYS, PeerRig::PEER_WAIT);
    shot(QStringLiteral("road-04-sync"));
}

void TestWholeRoad::todayCards()
{
    QVERIFY(m_window && isHome(*m_window));
    goTo(QStringLiteral("今天数据"));
    const QDate today = QDate::currentDate();
    int steps = 0;
    for (const quint16 sample : m_rig->band().stepDay(today))
        steps += sample;
    QVERIFY(steps > 0);
    QTRY_VERIFY_WITH_TIMEOUT(shows(frame(), QString::number(steps)), PeerRig::PEER_WAIT);
    shot(QStringLiteral("road-05-today"));
}

void TestWholeRoad::charts()
{
    QVERIFY(m_window && isHome(*m_window));
    goTo(QStringLiteral("统计分析"));
    auto* trends = frame()->findChild<PageTrends*>();
    QVERIFY(trends);
    const QList<QPair<QStringList, QString>> views{
        {{QStringLiteral("choice_day"), QStringLiteral("choice_steps")}, QStringLiteral("road-06-steps-day")},
        {{QStringLiteral("choice_sleep")}, QStringLiteral("road-06-sleep-day")},
        {{QStringLiteral("choice_week"), QStringLiteral("choice_steps")}, QStringLiteral("road-06-steps-week")},
        {{QStringLiteral("choice_sleep")}, QStringLiteral("road-06-sleep-week")},
    };
    for (const auto& view : views) {
        for (const QString& choice : view.first)
            click(trends->findChild<QWidget*>(choice));
        QWidget* page = trends->slotPage(trends->currentSlot());
        QTRY_VERIFY2_WITH_TIMEOUT(chartHasData(page), qPrintable(view.second), PeerRig::PEER_WAIT);
        shot(view.second);
    }
}

void TestWholeRoad::firmware()
{
    QVERIFY(m_window && isHome(*m_window));
    m_rig->setModalAnswer(HELP_FIRM_UPDATE);
    click(m_window->findChild<PageHeader*>()->findChild<QWidget*>(QStringLiteral("bt_help")));
    m_rig->setModalAnswer(0);
    QTRY_VERIFY(openWindow<PageBandFlash>());
    PageBandFlash* wizard = openWindow<PageBandFlash>();
    const QString offer = QStringLiteral("发现新版本,是否更新?(当前:259,最新:%1)").arg(FIRMWARE_VERSION);
    QTRY_VERIFY_WITH_TIMEOUT(shows(wizard, offer), PeerRig::PEER_WAIT);
    QWidget* upgrade = wizard->findChild<QWidget*>(QStringLiteral("tab_confirm"))->findChild<QWidget*>(QStringLiteral("bt_ok"));
    QTRY_VERIFY(upgrade->isEnabled());
    click(upgrade);
    QTRY_VERIFY_WITH_TIMEOUT(shows(wizard, QStringLiteral("固件升级成功.")), SYNC_MS);
    QCOMPARE(m_rig->band().firmware(), firmwareImage());
    QVERIFY(PageShot::save(*wizard, QStringLiteral("road-07-firmware")));
    click(wizard->findChild<QWidget*>(QStringLiteral("tab_end"))->findChild<QWidget*>(QStringLiteral("bt_ok")));
    QTRY_VERIFY(!openWindow<PageBandFlash>());
}

void TestWholeRoad::selfUpdate()
{
    QVERIFY(m_window && isHome(*m_window));
    m_rig->setModalAnswer(HELP_SOFT_UPDATE);
    click(m_window->findChild<PageHeader*>()->findChild<QWidget*>(QStringLiteral("bt_help")));
    m_rig->setModalAnswer(0);
    QTRY_VERIFY(openWindow<PageSelfRefresh>());
    PageSelfRefresh* wizard = openWindow<PageSelfRefresh>();
    QWidget* upgrade = wizard->findChild<QWidget*>(QStringLiteral("tab_confirm"))->findChild<QWidget*>(QStringLiteral("bt_ok"));
    QTRY_VERIFY_WITH_TIMEOUT(upgrade->isVisible() && upgrade->isEnabled(), PeerRig::PEER_WAIT);
    QVERIFY(shows(wizard, QStringLiteral("立即升级")));
    click(upgrade);
    QTRY_VERIFY_WITH_TIMEOUT(shows(wizard, QStringLiteral("软件升级成功,重启软件后生效.")), SYNC_MS);
    const QDir folder(programFolder());
    QCOMPARE(readFile(folder.filePath(PROGRAM_DATA)), NEW_DATA);
    QCOMPARE(readFile(folder.filePath(QStringLiteral("plugins/road.txt"))), NEW_DATA);
    QVERIFY(!backups(folder.path()).isEmpty());
    QVERIFY(QFile::exists(folder.filePath(m_rig->hub().fdUpdateListConf())));
    QVERIFY(PageShot::save(*wizard, QStringLiteral("road-08-selfupdate")));
    click(wizard->findChild<QWidget*>(QStringLiteral("tab_end"))->findChild<QWidget*>(QStringLiteral("bt_ok")));
    QTRY_VERIFY(!openWindow<PageSelfRefresh>());
}

void TestWholeRoad::signOut()
{
    QVERIFY(m_window && isHome(*m_window));
    const quint32 logouts = m_rig->hub().fdUserinfo().nLogout;
    click(cell(*m_window, 0)->findChild<QWidget*>(QStringLiteral("bt_logout")));
    QTRY_VERIFY_WITH_TIMEOUT(!isHome(*m_window) && body(*m_window)->findChild<PageSignIn*>(), PeerRig::PEER_WAIT);
    QVERIFY(m_rig->hub().nsToken().isEmpty());
    QCOMPARE(m_rig->hub().fdUserinfo().nLogout, logouts + 1);
    QTRY_VERIFY(shows(m_window.get(), QStringLiteral("登录")));
    shot(QStringLiteral("road-09-signout"));
}

// The next start of the program, after this one let its guard go, deletes the backups the
// self-update left.
void TestWholeRoad::restart()
{
    m_rig->hub().setMainWin(nullptr);
    m_window.reset();
    m_guard.release();
    const QDir folder(programFolder());
    QVERIFY(!backups(folder.path()).isEmpty());
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(folder.filePath(QStringLiteral("Quorin")), QStringList());
    QVERIFY(program.waitForStarted(START_MS));
    quint32 window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = XWindows::mappedWindowOf(program.processId())) != 0, START_MS);
    QVERIFY(backups(folder.path()).isEmpty());
    QVERIFY(!QFile::exists(folder.filePath(m_rig->hub().fdUpdateListConf())));
    QCOMPARE(readFile(folder.filePath(PROGRAM_DATA)), NEW_DATA);
    QElapsedTimer waited;
    waited.start();
    do
        QVERIFY(XWindows::askClose(window));
    while (!program.waitForFinished(2000) && waited.elapsed() < START_MS);
    QCOMPARE(program.state(), QProcess::NotRunning);
    QCOMPARE(program.exitCode(), 0);
}

int main(int argc, char* argv[])
{
    // In Chinese, as a user of the band would see it.
    if (!ProgramCopy::isCopy())
        return ProgramCopy::runCopy(argc, argv, {QStringLiteral(QUORIN_PROGRAM)},
                                    {{QStringLiteral("LC_ALL"), QStringLiteral("zh_CN.UTF-8")}});
    QApplication app(argc, argv);
    TestWholeRoad road;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&road, argc, argv);
}

#include "tst_wholeroad.moc"
