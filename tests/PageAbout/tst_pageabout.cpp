#include "pageabout.h"
#include "pageaboutwidgetline.h"
#include "pagerig.h"

#include <QLabel>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

class TestPageAbout : public QObject
{
    Q_OBJECT
private slots:
    void entries_data();
    void entries();
    void choose_data();
    void choose();
    void screenshot();
};

namespace {
PageAboutWidgetLine* entryAt(QTreeWidget* tree, const int& row)
{
    return qobject_cast<PageAboutWidgetLine*>(tree->itemWidget(tree->topLevelItem(row), 0));
}

// A user's click lands on the entry widget and reaches the tree through it.
void clickEntry(QTreeWidget* tree, const int& row)
{
    QWidget* line = entryAt(tree, row);
    QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, line->rect().center());
}
} // namespace

void TestPageAbout::entries_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("english");
    QTest::newRow("usage help is shown but closed") << 0 << 0x100 << "使用帮助" << false << false;
    QTest::newRow("program update is open") << 1 << 0x101 << "软件更新" << true << false;
    QTest::newRow("about is shown but closed") << 2 << 0x102 << "关于Quorin" << false << false;
    QTest::newRow("firmware update is open") << 3 << 0x103 << "固件更新" << true << false;
    QTest::newRow("driver installation is open") << 4 << 0x104 << "安装驱动" << true << false;
    QTest::newRow("in English program update shows whole") << 1 << 0x101 << "Program update" << true << true;
    QTest::newRow("in English firmware update shows whole") << 3 << 0x103 << "Firmware update" << true << true;
}

void TestPageAbout::entries()
{
    QFETCH(int, row);
    QFETCH(int, code);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(bool, english);
    QTranslator translator;
    if (english)
        QVERIFY(PageRig::speakEnglish(translator));
    PageRig rig;
    PageAbout menu(nullptr);
    menu.show();
    QCOMPARE(menu.size(), QSize(181, 280));
    auto* tree = menu.findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
    QCOMPARE(tree->topLevelItemCount(), 5);
    PageAboutWidgetLine* line = entryAt(tree, row);
    QVERIFY(line);
    QCOMPARE(line->itemCode(), code);
    QCOMPARE(line->isEnabled(), enabled);
    auto* label = line->findChild<QLabel*>(QStringLiteral("text"));
    QCOMPARE(label->text(), text);
    QCOMPARE(line->height(), 48);
    // The whole text lies inside the label and inside the menu's mask.
    QVERIFY(label->fontMetrics().horizontalAdvance(text) <= label->contentsRect().width());
    const QRect shown(label->mapTo(&menu, QPoint()), label->size());
    QVERIFY((QRegion(shown) - menu.mask()).isEmpty());
    if (english)
        QVERIFY(rig.shot(menu, QStringLiteral("en")));
}

void TestPageAbout::choose_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("result");
    QTest::newRow("program update ends the menu with its code") << 1 << 0x101;
    QTest::newRow("firmware update ends the menu with its code") << 3 << 0x103;
    QTest::newRow("driver installation ends the menu with its code") << 4 << 0x104;
    QTest::newRow("usage help leaves the menu open, then Escape gives 0") << 0 << 0;
    QTest::newRow("about leaves the menu open, then Escape gives 0") << 2 << 0;
    QTest::newRow("Escape without a choice gives 0") << -1 << 0;
}

void TestPageAbout::choose()
{
    QFETCH(int, row);
    QFETCH(int, result);
    PageRig rig;
    QWidget window;
    window.resize(800, 600);
    window.show();
    auto* menu = new PageAbout(&window);
    auto* tree = menu->findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
    bool stayedOpen = false;
    bool highlighted = true;
    QTimer::singleShot(0, menu, [&]() {
        if (row >= 0)
            clickEntry(tree, row);
        stayedOpen = menu->isVisible();
        highlighted = tree->currentItem() != nullptr;
        if (stayedOpen)
            QTest::keyClick(menu, Qt::Key_Escape);
    });
    QCOMPARE(menu->exec(), result);
    QCOMPARE(stayedOpen, result == 0);
    if (row >= 0 && result == 0)
        QVERIFY(!highlighted);
    delete menu;
}

void TestPageAbout::screenshot()
{
    PageRig rig;
    PageAbout menu(nullptr);
    QVERIFY(rig.shot(menu));
}

QTEST_MAIN(TestPageAbout)
#include "tst_pageabout.moc"
