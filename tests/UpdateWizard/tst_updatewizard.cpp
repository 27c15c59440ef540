#include "widgetupdateend.h"
#include "wizardframe.h"

#include "peerrig.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

namespace {

const QString SUCCESS = QStringLiteral("固件升级成功.");
const QString FAILURE = QStringLiteral("固件升级失败,请稍后重试!!!");
const QString LONG_SUCCESS = QStringLiteral("The program was updated; the new version starts with the next restart.");

// A wizard as small as the frame allows: two pages that can ask to close.
class SmallWizard : public QDialog
{
    Q_OBJECT
public:
    SmallWizard()
        : tabs(new QTabWidget(this))
        , frame(this, tabs)
    {
        first = new WidgetUpdateEnd(tabs);
        second = new WidgetUpdateEnd(tabs);
        tabs->addTab(first, QStringLiteral("1"));
        tabs->addTab(second, QStringLiteral("2"));
        frame.wire({first, second});
    }

    QTabWidget* tabs;
    WizardFrame frame;
    WidgetUpdateEnd* first;
    WidgetUpdateEnd* second;
    int closes = 0;

public slots:
    void on_Close() { ++closes; }
};

void click(QWidget* page, const QString& button)
{
    QWidget* target = page->findChild<QWidget*>(button);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
}

QMouseEvent mouse(const QEvent::Type& type, const QPoint& global, const Qt::MouseButton& button,
                  const Qt::MouseButtons& held)
{
    return QMouseEvent(type, QPointF(), QPointF(), QPointF(global), button, held, Qt::NoModifier);
}

}  // namespace

class TestUpdateWizard : public QObject
{
    Q_OBJECT
private slots:
    void resultText_data();
    void resultText();
    void buttonsClose_data();
    void buttonsClose();
    void pendingList_data();
    void pendingList();
    void drag_data();
    void drag();
};

void TestUpdateWizard::resultText_data()
{
    QTest::addColumn<QList<bool>>("results");
    QTest::addColumn<QString>("success");
    QTest::addColumn<QString>("text");
    QTest::newRow("no result yet keeps the form's text") << QList<bool>() << SUCCESS << QStringLiteral("提示内容");
    QTest::newRow("success")                             << QList<bool>{true} << SUCCESS << SUCCESS;
    QTest::newRow("failure")                             << QList<bool>{false} << SUCCESS << FAILURE;
    QTest::newRow("the last call wins")                  << QList<bool>{true, false} << SUCCESS << FAILURE;
    QTest::newRow("a long English success wraps inside the page")
        << QList<bool>{true} << LONG_SUCCESS << LONG_SUCCESS;
}

void TestUpdateWizard::resultText()
{
    QFETCH(QList<bool>, results);
    QFETCH(QString, success);
    QFETCH(QString, text);
    WidgetUpdateEnd page;
    page.setTexts(QStringLiteral("固件更新(结束)"), success, FAILURE);
    for (const bool ok : results)
        page.setResult(ok);
    auto* label = page.findChild<QLabel*>(QStringLiteral("label_text"));
    QCOMPARE(label->text(), text);
    QCOMPARE(page.findChild<QLabel*>(QStringLiteral("label_title"))->text(), QStringLiteral("固件更新(结束)"));
    // The page keeps the width it was drawn with, and the text's lines fit the label.
    const int width = page.width();
    page.show();
    QCOMPARE(page.width(), width);
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
}

void TestUpdateWizard::buttonsClose_data()
{
    QTest::addColumn<bool>("secondPage");
    QTest::addColumn<QString>("button");
    QTest::newRow("first page's close button") << false << QStringLiteral("bt_close");
    QTest::newRow("first page's end button")   << false << QStringLiteral("bt_ok");
    QTest::newRow("second page's end button")  << true << QStringLiteral("bt_ok");
}

void TestUpdateWizard::buttonsClose()
{
    QFETCH(bool, secondPage);
    QFETCH(QString, button);
    SmallWizard wizard;
    wizard.show();
    QCOMPARE(wizard.tabs->currentIndex(), 0);
    QVERIFY(wizard.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!wizard.tabs->tabBar()->isVisible());
    wizard.frame.showTab(secondPage ? 1 : 0);
    click(secondPage ? wizard.second : wizard.first, button);
    QCOMPARE(wizard.closes, 1);
}

void TestUpdateWizard::pendingList_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("pending");
    QTest::newRow("no list: nothing waits")            << false << QByteArray() << false;
    QTest::newRow("an empty list is one empty line")   << true << QByteArray() << true;
    QTest::newRow("files set aside")                   << true << QByteArray("a.dll\r\nb.dll") << true;
}

void TestUpdateWizard::pendingList()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    QFETCH(bool, pending);
    PeerRig rig;
    QVERIFY(rig.isReady());
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + rig.hub().fdUpdateListConf();
    QFile::remove(path);
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const bool found = WizardFrame::updatePending(&rig.hub());
    QFile::remove(path);
    QCOMPARE(found, pending);
    QVERIFY(!WizardFrame::updatePending(nullptr));
}

void TestUpdateWizard::drag_data()
{
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("released");
    QTest::addColumn<int>("buttonValue");
    QTest::addColumn<bool>("moves");
    QTest::newRow("left press then move drags")        << true << false << int(Qt::LeftButton) << true;
    QTest::newRow("a release ends the drag")           << true << true << int(Qt::LeftButton) << false;
    QTest::newRow("a release without a press")         << false << true << int(Qt::LeftButton) << false;
}

void TestUpdateWizard::drag()
{
    QFETCH(bool, pressed);
    QFETCH(bool, released);
    QFETCH(int, buttonValue);
    const Qt::MouseButton button = Qt::MouseButton(buttonValue);
    QFETCH(bool, moves);
    SmallWizard wizard;
    wizard.move(100, 100);
    const QPoint start = wizard.frameGeometry().topLeft();
    if (pressed) {
        const QMouseEvent press = mouse(QEvent::MouseButtonPress, start + QPoint(10, 10), button, button);
        wizard.frame.press(&press);
    }
    if (released) {
        const QMouseEvent release = mouse(QEvent::MouseButtonRelease, start + QPoint(10, 10), Qt::LeftButton, Qt::NoButton);
        wizard.frame.release(&release);
    }
    const QMouseEvent move = mouse(QEvent::MouseMove, start + QPoint(60, 40), Qt::NoButton, Qt::LeftButton);
    wizard.frame.move(&move);
    QCOMPARE(wizard.frameGeometry().topLeft(), moves ? start + QPoint(50, 30) : start);
}

QTEST_MAIN(TestUpdateWizard)
#include "tst_updatewizard.moc"
