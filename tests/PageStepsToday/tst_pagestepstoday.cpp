#include "datepicker.h"
#include "pagedayview.h"
#include "pagerig.h"
#include "pageresttoday.h"
#include "pagestepstoday.h"
#include "tapcaption.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

enum class Card { Steps, Rest };
Q_DECLARE_METATYPE(Card)

namespace {

// Both cards through one face: the calls every owner makes.
struct any_card {
    std::unique_ptr<QWidget> widget;
    std::function<void(const QDate&)> updateData;
    std::function<void(bool)> setIcoDate;
    std::function<QDate()> currentDate;
    std::function<bool(CoreHub*)> setMsg;
};

any_card makeCard(const Card& kind)
{
    any_card card;
    if (kind == Card::Steps) {
        auto* steps = new PageStepsToday;
        card.widget.reset(steps);
        card.updateData = [steps](const QDate& date) { steps->on_updateData(date); };
        card.setIcoDate = [steps](bool on) { steps->setIcoDate(on); };
        card.currentDate = [steps] { return steps->currentDate(); };
        card.setMsg = [steps](CoreHub* hub) { return steps->setMsg(hub); };
        return card;
    }
    auto* rest = new PageRestToday;
    card.widget.reset(rest);
    card.updateData = [rest](const QDate& date) { rest->on_updateData(date); };
    card.setIcoDate = [rest](bool on) { rest->setIcoDate(on); };
    card.currentDate = [rest] { return rest->currentDate(); };
    card.setMsg = [rest](CoreHub* hub) { return rest->setMsg(hub); };
    return card;
}

QString text(const QWidget& parent, const char* name)
{
    const auto* label = parent.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

} // namespace

class TestPageStepsToday : public QObject
{
    Q_OBJECT
private slots:
    void built_data();
    void built();
    void title_data();
    void title();
    void calendar_data();
    void calendar();
};

void TestPageStepsToday::built_data()
{
    QTest::addColumn<Card>("card");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("figuresGetHub");
    QTest::newRow("steps card: its captions, the figures card never gets the hub")
        << Card::Steps << QStringList{"卡路里", "时间", "距离"} << QSize(470, 244) << false;
    QTest::newRow("sleep card: its captions, the figures card gets the hub")
        << Card::Rest << QStringList{"入睡", "浅睡", "深睡"} << QSize(534, 226) << true;
}

// A card nobody configures: the form's title, no icon, no line, the figures card labelled.
void TestPageStepsToday::built()
{
    QFETCH(Card, card);
    QFETCH(QStringList, captions);
    QFETCH(QSize, size);
    QFETCH(bool, figuresGetHub);
    PageRig rig;
    any_card page = makeCard(card);
    QCOMPARE(page.widget->size(), size);
    page.widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.widget.get()));
    QCOMPARE(text(*page.widget, "label_title"), QStringLiteral("标题"));
    QCOMPARE(page.widget->findChild<TapCaption*>("ico")->width(), 0);
    QVERIFY(!page.widget->findChild<QFrame*>("line")->isVisible());
    QCOMPARE(page.currentDate(), QDate::currentDate());
    auto* figures = page.widget->findChild<PageDayView*>();
    QVERIFY(figures);
    QCOMPARE((QStringList{text(*figures, "label_1"), text(*figures, "label_2"), text(*figures, "label_3")}), captions);
    for (const char* icon : {"ico_1", "ico_2", "ico_3"})
        QVERIFY(!figures->findChild<QLabel*>(icon)->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(figures->objectName(), card == Card::Steps ? QStringLiteral("widget_sport_today")
                                                        : QStringLiteral("widget_sleep_today"));
    QVERIFY(page.setMsg(&rig.hub()));
    QCOMPARE(figures->Msg(), figuresGetHub ? &rig.hub() : nullptr);
    QVERIFY(rig.clean());
}

void TestPageStepsToday::title_data()
{
    QTest::addColumn<Card>("card");
    QTest::addColumn<QList<QDate>>("dates");
    QTest::addColumn<QString>("title");
    const QDate today = QDate::currentDate();
    QTest::newRow("today reads 今天") << Card::Steps << QList<QDate>{today} << "今天";
    QTest::newRow("another day reads its month and day") << Card::Steps << QList<QDate>{QDate(2024, 3, 9)} << "3月9日";
    QTest::newRow("the same day of another year reads the same")
        << Card::Rest << QList<QDate>{QDate(2023, 3, 9)} << "3月9日";
    QTest::newRow("the same date twice is reported twice")
        << Card::Rest << QList<QDate>{QDate(2024, 12, 31), QDate(2024, 12, 31)} << "12月31日";
    QTest::newRow("back to today after another day") << Card::Steps << QList<QDate>{QDate(2024, 3, 9), today}
                                                     << "今天";
}

// Every call is reported, and the owner hears it while the title still shows what was before.
void TestPageStepsToday::title()
{
    QFETCH(Card, card);
    QFETCH(QList<QDate>, dates);
    QFETCH(QString, title);
    any_card page = makeCard(card);
    QList<QDate> reported;
    QStringList titlesSeen;
    QWidget* widget = page.widget.get();
    QSignalSpy spy(widget, SIGNAL(onUpdateData(QDate)));
    const auto hear = [&](const QDate& date) {
        reported << date;
        titlesSeen << text(*widget, "label_title");
    };
    if (card == Card::Steps)
        QObject::connect(static_cast<PageStepsToday*>(widget), &PageStepsToday::onUpdateData, widget, hear);
    else
        QObject::connect(static_cast<PageRestToday*>(widget), &PageRestToday::onUpdateData, widget, hear);
    for (const QDate& date : dates)
        page.updateData(date);
    QCOMPARE(reported, dates);
    QCOMPARE(spy.count(), dates.size());
    QCOMPARE(titlesSeen.first(), QStringLiteral("标题"));
    QCOMPARE(text(*widget, "label_title"), title);
    QCOMPARE(page.currentDate(), dates.last());
}

void TestPageStepsToday::calendar_data()
{
    QTest::addColumn<Card>("card");
    QTest::addColumn<QList<bool>>("switches");
    QTest::addColumn<int>("calendars");
    QTest::newRow("a plain picture opens nothing") << Card::Steps << QList<bool>{false} << 0;
    QTest::newRow("a calendar button opens one calendar at the card date") << Card::Steps << QList<bool>{true} << 1;
    QTest::newRow("switched on twice, a click still opens one calendar") << Card::Rest << QList<bool>{true, true} << 1;
    QTest::newRow("switched on and off again opens nothing") << Card::Rest << QList<bool>{true, false} << 0;
}

void TestPageStepsToday::calendar()
{
    QFETCH(Card, card);
    QFETCH(QList<bool>, switches);
    QFETCH(int, calendars);
    PageRig rig;
    any_card page = makeCard(card);
    const QDate cardDate(2024, 3, 9);
    page.updateData(cardDate);
    for (const bool on : switches)
        page.setIcoDate(on);
    page.widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.widget.get()));
    QList<QDate> shownFirst;
    rig.holdModal(
        [&shownFirst] {
            if (auto* calendar = QApplication::activeModalWidget()->findChild<QCalendarWidget*>())
                shownFirst << calendar->selectedDate();
            return true;
        },
        0);
    auto* ico = page.widget->findChild<TapCaption*>("ico");
    ico->setFixedSize(24, 24);
    QTest::mouseClick(ico, Qt::LeftButton);
    // The calendar runs inside the click: by its end every calendar opened has been answered.
    QCOMPARE(rig.modals().size(), calendars);
    QCOMPARE(shownFirst.size(), calendars);
    if (calendars)
        QCOMPARE(shownFirst.first(), cardDate);
    // A cancelled calendar reports no date.
    QCOMPARE(page.currentDate(), cardDate);
    QVERIFY(rig.clean());
}

QTEST_MAIN(TestPageStepsToday)
#include "tst_pagestepstoday.moc"
