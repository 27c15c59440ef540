#include "attribute.h"
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
    void weekSlotsHoldTheCharts_data();
    void weekSlotsHoldTheCharts();
};

void TestPageTrends::clicksPickTheSlot_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("page");  // the class of the page shown
    const QStringList daySteps{"choice_day", "choice_steps"};
    QTest::newRow("opens on the steps day chart") << QStringList() << int(PageTrends::SLOT_STEPS_DAY) << daySteps
                                                  << "PageStepsDayChart";
    QTest::newRow("sleep keeps the day") << QStringList{"choice_sleep"} << int(PageTrends::SLOT_SLEEP_DAY)
                                         << QStringList{"choice_day", "choice_sleep"} << "PageRestDayChart";
    QTest::newRow("week keeps the steps") << QStringList{"choice_week"} << int(PageTrends::SLOT_STEPS_WEEK)
                                          << QStringList{"choice_week", "choice_steps"} << "PageStepsWeekChart";
    QTest::newRow("week then sleep is the sleep week") << QStringList{"choice_week", "choice_sleep"}
                                                       << int(PageTrends::SLOT_SLEEP_WEEK)
                                                       << QStringList{"choice_week", "choice_sleep"} << "PageRestWeekChart";
    QTest::newRow("a click on the selected choice changes nothing")
        << QStringList{"choice_day", "choice_steps"} << int(PageTrends::SLOT_STEPS_DAY) << daySteps
        << "PageStepsDayChart";
    QTest::newRow("back to the day from the sleep week") << QStringList{"choice_week", "choice_sleep", "choice_day"}
                                                         << int(PageTrends::SLOT_SLEEP_DAY)
                                                         << QStringList{"choice_day", "choice_sleep"}
                                                         << "PageRestDayChart";
}

void TestPageTrends::clicksPickTheSlot()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, slot);
    QFETCH(QStringList, selected);
    QFETCH(QString, page);
    PageRig rig;
    PageTrends tab;
    tab.resize(TAB_SIZE);
    rig.activate(tab);
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tab));
    for (const QString& name : clicks) {
        auto* choice = tab.findChild<ToggleCaption*>(name);
        QVERIFY2(choice, qPrintable(name));
        QTest::mouseClick(choice, Qt::LeftButton);
    }
    QCOMPARE(int(tab.currentSlot()), slot);
    QWidget* shown = tab.slotPage(PageTrends::CHART_SLOT(slot));
    QVERIFY(shown);
    QVERIFY(shown->isVisible());
    QCOMPARE(QString::fromLatin1(shown->metaObject()->className()), page);
    // A page that takes the hub was activated with the tab.
    if (auto* attribute = dynamic_cast<Attribute*>(shown))
        QCOMPARE(attribute->Msg(), &rig.hub());
    for (const char* name : {"choice_day", "choice_week", "choice_steps", "choice_sleep"})
        QCOMPARE(tab.findChild<ToggleCaption*>(name)->isSelected(), selected.contains(name));
    QVERIFY(rig.clean());
}

void TestPageTrends::weekSlotsHoldTheCharts_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("steps week") << int(PageTrends::SLOT_STEPS_WEEK) << QByteArray("PageStepsWeekChart");
    QTest::newRow("sleep week") << int(PageTrends::SLOT_SLEEP_WEEK) << QByteArray("PageRestWeekChart");
}

void TestPageTrends::weekSlotsHoldTheCharts()
{
    QFETCH(int, slot);
    QFETCH(QByteArray, page);
    PageTrends trends;
    QCOMPARE(QByteArray(trends.slotPage(PageTrends::CHART_SLOT(slot))->metaObject()->className()), page);
}

QTEST_MAIN(TestPageTrends)
#include "tst_pagetrends.moc"
