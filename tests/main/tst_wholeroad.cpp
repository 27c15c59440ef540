#include "busymeter.h"
#include "entryfield.h"
#include "mainwindow.h"
#include "pageframe.h"
#include "pagemenu.h"
#include "pagerig.h"
#include "pageshot.h"
#include "pagesignin.h"
#include "startup.h"
#include "xwindows.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QSharedMemory>
#include <QSystemSemaphore>
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

const char* const FOLDER_VARIABLE = "QUORIN_ROAD_FOLDER";
const QString DEMO_MOBILE = QStringLiteral("13800000000");
const QString DEMO_PASSWORD = QStringLiteral("123456");
const QString DEMO_NAME = QStringLiteral("演示用户");
const int BOUND_DAYS_AGO = 10;
const int START_MS = 60000;
const int SYNC_MS = 120000;
const int ROAD_DAYS = BOUND_DAYS_AGO + 1;

QString programFolder()
{
    return qEnvironmentVariable(FOLDER_VARIABLE);
}

// Copies this test and the program into a temporary folder and runs the copy there, in
// Chinese as a user of the band would; returns the copy's exit code.
int runFromCopy(const QStringList& arguments)
{
    QTemporaryDir folder;
    const QString self = folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!folder.isValid() || !QFile::copy(QCoreApplication::applicationFilePath(), self)
        || !QFile::copy(QStringLiteral(QUORIN_PROGRAM), folder.filePath(QStringLiteral("Quorin")))) {
        qWarning("cannot copy the test and the program into a temporary folder");
        return 1;
    }
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(FOLDER_VARIABLE), folder.path());
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("zh_CN.UTF-8"));
    copy.setProcessEnvironment(environment);
    copy.setProcessChannelMode(QProcess::ForwardedChannels);
    copy.start(self, arguments.mid(1));
    if (!copy.waitForFinished(-1) || copy.exitStatus() != QProcess::NormalExit)
        return 1;
    return copy.exitCode();
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
    void signOut();

private:
    void shot(const QString& name);
    void goTo(const QString& entry);
    QWidget* frame();

    std::unique_ptr<PageRig> m_rig;
    QSystemSemaphore m_lock{QStringLiteral("Quorin"), 1, QSystemSemaphore::Open};
    QSharedMemory m_guard{QStringLiteral("QuorinObject1")};
    QTranslator m_translator;
    std::unique_ptr<MainWindow> m_window;
};

void TestWholeRoad::initTestCase()
{
    QVERIFY2(!programFolder().isEmpty(), "the road runs from its copy");
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
    QCOMPARE(Startup::isRuned(m_lock, m_guard), Startup::GUARD_ALONE);
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

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (programFolder().isEmpty())
        return runFromCopy(app.arguments());
    TestWholeRoad road;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&road, argc, argv);
}

#include "tst_wholeroad.moc"
