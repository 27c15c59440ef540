#include "pagerig.h"
#include "pagetrends.h"
#include "togglecaption.h"

#include <QtTest>

namespace {
const QSize TAB_SIZE(640, 540);
} // namespace

class TestPageTrends : public QObject
{
    Q_OBJECT
private slots:
    void clicksPickTheSlot_data();
    void clicksPickTheSlot();
};

void TestPageTrends::clicksPickTheSlot_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QStringList>("selected");
    const QStringList daySteps{"choice_day", "choice_steps"};
    QTest::newRow("opens on the steps day chart") << QStringList() << int(PageTrends::SLOT_STEPS_DAY) << daySteps;
    QTest::newRow("sleep keeps the day") << QStringList{"choice_sleep"} << int(PageTrends::SLOT_SLEEP_DAY)
                                         << QStringList{"choice_day", "choice_sleep"};
    QTest::newRow("week keeps the steps") << QStringList{"choice_week"} << int(PageTrends::SLOT_STEPS_WEEK)
                                          << QStringList{"choice_week", "choice_steps"};
    QTest::newRow("week then sleep is the sleep week") << QStringList{"choice_week", "choice_sleep"}
                                                       << int(PageTrends::SLOT_SLEEP_WEEK)
                                                       << QStringList{"choice_week", "choice_sleep"};
    QTest::newRow("a click on the selected choice changes nothing")
        << QStringList{"choice_day", "choice_steps"} << int(PageTrends::SLOT_STEPS_DAY) << daySteps;
    QTest::newRow("back to the day from the sleep week") << QStringList{"choice_week", "choice_sleep", "choice_day"}
                                                         << int(PageTrends::SLOT_SLEEP_DAY)
                                                         << QStringList{"choice_day", "choice_sleep"};
}

void TestPageTrends::clicksPickTheSlot()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, slot);
    QFETCH(QStringList, selected);
    PageRig rig;
    PageTrends page;
    page.resize(TAB_SIZE);
    rig.activate(page);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    for (const QString& name : clicks) {
        auto* choice = page.findChild<ToggleCaption*>(name);
        QVERIFY2(choice, qPrintable(name));
        QTest::mouseClick(choice, Qt::LeftButton);
    }
    QCOMPARE(int(page.currentSlot()), slot);
    QWidget* shown = page.slotPage(PageTrends::CHART_SLOT(slot));
    QVERIFY(shown);
    QVERIFY(shown->isVisible());
    for (const char* name : {"choice_day", "choice_week", "choice_steps", "choice_sleep"})
        QCOMPARE(page.findChild<ToggleCaption*>(name)->isSelected(), selected.contains(name));
    QVERIFY(rig.clean());
}

QTEST_MAIN(TestPageTrends)
#include "tst_pagetrends.moc"
