#include "mainwindow.h"
#include "pagerecover.h"
#include "pagerig.h"
#include "pagesignin.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPointer>
#include <QTranslator>
#include <QtTest>

namespace {

const QString DEMO = QStringLiteral("13800000000");

struct mouse_step {
    QEvent::Type type;
    Qt::MouseButton button;
    Qt::MouseButtons buttons;
    QPoint offset;  // from where the first step happens, on the screen
};

QList<QWidget*> visibleOfClass(const QString& className)
{
    QList<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && QString::fromLatin1(widget->metaObject()->className()) == className)
            found.append(widget);
    }
    return found;
}

template <typename Page>
Page* bodyPage(MainWindow& window)
{
    QWidget* body = window.findChild<QWidget*>(QStringLiteral("widget_body"));
    return body ? body->findChild<Page*>() : nullptr;
}

int bodyPages(MainWindow& window)
{
    auto* body = window.findChild<QWidget*>(QStringLiteral("widget_body"));
    return body->findChildren<PageSignIn*>().size() + body->findChildren<PageRecover*>().size();
}

void chooseHelp(MainWindow& window, const int& code)
{
    QVERIFY(QMetaObject::invokeMethod(&window, "on_helpExec", Q_ARG(int, code)));
}

} // namespace

Q_DECLARE_METATYPE(QList<mouse_step>)

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void frame();
    void screenshots();
    void closing_data();
    void closing();
    void helpMenuOpensPopup();
    void popups_data();
    void popups();
    void recoveryAndBack();
    void dragging_data();
    void dragging();
};

void TestMainWindow::frame()
{
    PageRig rig;
    QVERIFY(rig.isReady());
    MainWindow window(&rig.hub());
    window.show();
    QCOMPARE(window.windowFlags(), Qt::Window | Qt::FramelessWindowHint);
    QCOMPARE(window.minimumSize(), QSize(800, 600));
    QCOMPARE(window.maximumSize(), QSize(800, 600));
    QCOMPARE(window.size(), QSize(800, 600));
    auto* head = window.findChild<QWidget*>(QStringLiteral("widget_head"));
    QVERIFY(head && head->findChild<PageHeader*>());
    QVERIFY(bodyPage<PageSignIn>(window));
    QCOMPARE(bodyPages(window), 1);
}

void TestMainWindow::screenshots()
{
    PageRig rig;
    {
        MainWindow window(&rig.hub());
        window.show();
        QVERIFY(rig.shot(window));
    }
    QTranslator english;
    QVERIFY(english.load(Resource::getResPath(91)));
    QCoreApplication::installTranslator(&english);
    MainWindow window(&rig.hub());
    window.show();
    const bool shot = rig.shot(window, QStringLiteral("en"));
    QCoreApplication::removeTranslator(&english);
    QVERIFY(shot);
}

void TestMainWindow::closing_data()
{
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<bool>("closed");
    QTest::newRow("nobody signed in closes at once")               << false << 0 << 0 << true;
    QTest::newRow("signed in, the prompt cancelled keeps it open") << true  << 0 << 1 << false;
    QTest::newRow("signed in, the prompt confirmed closes it")     << true  << 1 << 1 << true;
}

void TestMainWindow::closing()
{
    QFETCH(bool, signedIn);
    QFETCH(int, answer);
    QFETCH(int, prompts);
    QFETCH(bool, closed);
    PageRig rig;
    QVERIFY(rig.isReady());
    if (signedIn)
        QVERIFY(rig.signIn(DEMO));
    rig.setModalAnswer(answer);
    MainWindow window(&rig.hub());
    window.show();
    auto* header = window.findChild<PageHeader*>();
    emit header->onTopState(WidgetTop::STATE_CLOSE);
    QCOMPARE(rig.modals().size(), prompts);
    if (prompts)
        QVERIFY(rig.modals().constFirst().contains(QStringLiteral("确定退出系统?")));
    QCOMPARE(!window.isVisible(), closed);
}

void TestMainWindow::helpMenuOpensPopup()
{
    PageRig rig;
    rig.setModalAnswer(0x101);
    MainWindow window(&rig.hub());
    window.show();
    emit window.findChild<PageHeader*>()->onTopState(WidgetTop::STATE_HELP);
    QCOMPARE(rig.modals().size(), 1);
    QCOMPARE(visibleOfClass(QStringLiteral("PageSelfRefresh")).size(), 1);
    QTRY_VERIFY(!window.findChild<QDialog*>());  // the menu goes after its exec
}

void TestMainWindow::popups_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("popup");
    QTest::addColumn<bool>("modal");
    QTest::newRow("program update chosen twice shows one popup") << 0x101 << "PageSelfRefresh" << false;
#ifdef QUORIN_CONSOLE
    QTest::newRow("firmware update opens nothing in the console program") << 0x103 << "" << false;
#else
    QTest::newRow("firmware update chosen twice shows one popup") << 0x103 << "PageBandFlash" << false;
#endif
    QTest::newRow("driver install chosen twice shows one popup, blocking the window")
        << 0x104 << "PageDriverSetup" << true;
    QTest::newRow("usage help opens nothing")               << 0x100 << "" << false;
    QTest::newRow("about opens nothing")                    << 0x102 << "" << false;
    QTest::newRow("a menu closed without a choice opens nothing") << 0 << "" << false;
}

void TestMainWindow::popups()
{
    QFETCH(int, code);
    QFETCH(QString, popup);
    QFETCH(bool, modal);
    PageRig rig;
    if (modal)
        rig.holdModal([] { return false; }, 0);
    MainWindow window(&rig.hub());
    window.show();
    const int before = QApplication::topLevelWidgets().size();
    chooseHelp(window, code);
    chooseHelp(window, code);
    if (popup.isEmpty()) {
        QCOMPARE(QApplication::topLevelWidgets().size(), before);
        return;
    }
    const QList<QWidget*> shown = visibleOfClass(popup);
    QCOMPARE(shown.size(), 1);
    QPointer<QWidget> dialog = shown.constFirst();
    QCOMPARE(dialog->isModal(), modal);
    QCOMPARE(dialog->pos(), window.pos() + QPoint((window.width() - dialog->width()) / 2,
                                                  (window.height() - dialog->height()) / 2));
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
    chooseHelp(window, code);
    QCOMPARE(visibleOfClass(popup).size(), 1);
}

void TestMainWindow::recoveryAndBack()
{
    PageRig rig;
    MainWindow window(&rig.hub());
    window.show();
    emit bodyPage<PageSignIn>(window)->onGetBackPassword();
    QTRY_COMPARE(bodyPages(window), 1);
    auto* recover = bodyPage<PageRecover>(window);
    QVERIFY(recover);
    emit recover->onLogin();
    QTRY_COMPARE(bodyPages(window), 1);
    QVERIFY(bodyPage<PageSignIn>(window));
}

void TestMainWindow::dragging_data()
{
    const Qt::MouseButtons none = Qt::NoButton;
    QTest::addColumn<QList<mouse_step>>("steps");
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("press, move and release drag by the move")
        << QList<mouse_step>{{QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {0, 0}},
                             {QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {30, 20}},
                             {QEvent::MouseButtonRelease, Qt::LeftButton, none, {30, 20}}}
        << QPoint(30, 20);
    QTest::newRow("a move after the release does not drag")
        << QList<mouse_step>{{QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {0, 0}},
                             {QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {30, 20}},
                             {QEvent::MouseButtonRelease, Qt::LeftButton, none, {30, 20}},
                             {QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {90, 70}}}
        << QPoint(30, 20);
    QTest::newRow("a right-button drag does not move the window")
        << QList<mouse_step>{{QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {0, 0}},
                             {QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {30, 20}}}
        << QPoint(0, 0);
    QTest::newRow("a held move without a press on the window does not drag")
        << QList<mouse_step>{{QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {30, 20}}}
        << QPoint(0, 0);
}

void TestMainWindow::dragging()
{
    QFETCH(QList<mouse_step>, steps);
    QFETCH(QPoint, moved);
    PageRig rig;
    MainWindow window(&rig.hub());
    window.move(100, 100);
    window.show();
    const QPoint start = window.pos();
    const QPoint grip = start + QPoint(300, 20);
    for (const mouse_step& step : steps) {
        const QPointF screen = grip + step.offset;
        const QPointF local = screen - window.pos();
        QMouseEvent event(step.type, local, local, screen, step.button, step.buttons, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }
    QTRY_COMPARE(window.pos(), start + moved);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
