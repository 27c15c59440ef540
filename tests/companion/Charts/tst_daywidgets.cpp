#include "datepicker.h"
#include "pagedayview.h"
#include "pageshot.h"
#include "resource.h"
#include "togglecaption.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QScopeGuard>
#include <QTableView>
#include <QtTest>

enum class Confirm { OkButton, EnterOnDay, DoubleClickOnDay, CancelButton, Escape };
Q_DECLARE_METATYPE(Confirm)

namespace {

const QDate kGiven(2024, 3, 15);

QPixmap picture(const Resource::ID& id)
{
    return QPixmap(Resource::getResPath(id));
}

void setPosPictures(ToggleCaption& choice, const Resource::ID& face)
{
    choice.setStatePixmap(picture(face), picture(0), picture(0), picture(47));
}

QString labelText(const QWidget& parent, const char* name)
{
    const QLabel* label = parent.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

// The cell of a day in the calendar's page. The page also shows the ends of the months around
// it, so a day number from 15 to 28 appears only once.
QPoint dayCell(QCalendarWidget& calendar, const QDate& day)
{
    QTableView* table = calendar.findChild<QTableView*>();
    QAbstractItemModel* model = table->model();
    for (int row = 1; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            if (index.data().toInt() == day.day())
                return table->visualRect(index).center();
        }
    }
    return QPoint();
}

QStringList dayHeaders(const QAbstractItemModel& days)
{
    QStringList names;
    for (int column = 0; column < days.columnCount(); ++column)
        names.append(days.index(0, column).data().toString());
    return names;
}

} // namespace

class TestDayWidgets : public QObject
{
    Q_OBJECT

private slots:
    void datePicker_data();
    void datePicker();
    void toggleClick_data();
    void toggleClick();
    void dayView_data();
    void dayView();
    void screenshots();
};

void TestDayWidgets::datePicker_data()
{
    QTest::addColumn<QDate>("chosen");
    QTest::addColumn<Confirm>("confirm");
    QTest::addColumn<int>("reports");
    QTest::addColumn<QDate>("reported");
    QTest::addColumn<QString>("locale");  // empty: the system's
    const QDate chosen(2024, 3, 20);
    const QString system;
    QTest::newRow("OK reports the chosen date once") << chosen << Confirm::OkButton << 1 << chosen << system;
    QTest::newRow("OK without a choice reports the date given") << QDate() << Confirm::OkButton << 1 << kGiven << system;
    QTest::newRow("Enter on a day reports it once") << chosen << Confirm::EnterOnDay << 1 << chosen << system;
    QTest::newRow("a double click on a day reports it once") << chosen << Confirm::DoubleClickOnDay << 1 << chosen << system;
    QTest::newRow("cancel reports nothing") << chosen << Confirm::CancelButton << 0 << QDate() << system;
    QTest::newRow("Escape reports nothing") << chosen << Confirm::Escape << 0 << QDate() << system;
    QTest::newRow("Chinese day headers tell the days apart") << chosen << Confirm::OkButton << 1 << chosen << "zh_CN";
    QTest::newRow("day names that share their first letter keep their short form")
        << chosen << Confirm::OkButton << 1 << chosen << "ca_ES";
}

void TestDayWidgets::datePicker()
{
    QFETCH(QDate, chosen);
    QFETCH(Confirm, confirm);
    QFETCH(int, reports);
    QFETCH(QDate, reported);
    QFETCH(QString, locale);

    if (!locale.isEmpty())
        QLocale::setDefault(QLocale(locale));
    const auto systemLocale = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
    DatePicker picker;
    QSignalSpy spy(&picker, &DialogDatePicker::onDate);
    picker.setDate(kGiven);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    auto* calendar = picker.findChild<QCalendarWidget*>();
    QVERIFY(calendar);
    QCOMPARE(calendar->selectedDate(), kGiven);
    if (chosen.isValid())
        calendar->setSelectedDate(chosen);
    QCOMPARE(spy.count(), 0);  // a change of selection is no report

    QTableView* days = calendar->findChild<QTableView*>();
    // As well as single letters do in English: no header stands for more than two days.
    const QStringList headers = dayHeaders(*days->model());
    for (const QString& header : headers)
        QVERIFY2(headers.count(header) <= 2, qPrintable(headers.join(' ')));
    switch (confirm) {
    case Confirm::OkButton:
        QTest::mouseClick(picker.findChild<QWidget*>("bt_ok"), Qt::LeftButton);
        break;
    case Confirm::EnterOnDay:
        days->setFocus();
        QTest::keyClick(days, Qt::Key_Return);
        break;
    case Confirm::DoubleClickOnDay: {
        const QPoint cell = dayCell(*calendar, chosen);
        QVERIFY(!cell.isNull());
        QTest::mouseClick(days->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
        QTest::mouseDClick(days->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
        break;
    }
    case Confirm::CancelButton:
        QTest::mouseClick(picker.findChild<QWidget*>("bt_cancel"), Qt::LeftButton);
        break;
    case Confirm::Escape:
        QTest::keyClick(&picker, Qt::Key_Escape);
        break;
    }
    QTRY_VERIFY(!picker.isVisible());
    QCOMPARE(spy.count(), reports);
    if (reports)
        QCOMPARE(spy.at(0).at(0).toDate(), reported);
    QCOMPARE(picker.result(), reports ? int(QDialog::Accepted) : int(QDialog::Rejected));
}

void TestDayWidgets::toggleClick_data()
{
    QTest::addColumn<bool>("selectedBefore");
    QTest::addColumn<bool>("disableSelected");
    QTest::addColumn<int>("button");  // Qt::MouseButton
    QTest::addColumn<bool>("selectedAfter");
    QTest::addColumn<QVariantList>("emitted");  // (state, flag), or empty

    const QVariantList selects{true, 3};
    const QVariantList deselects{false, 3};
    QTest::newRow("a click selects a choice not selected")
        << false << false << int(Qt::LeftButton) << true << selects;
    QTest::newRow("a click deselects the selected choice")
        << true << false << int(Qt::LeftButton) << false << deselects;
    QTest::newRow("selected state disabled: the selected choice stays, silent")
        << true << true << int(Qt::LeftButton) << true << QVariantList();
    QTest::newRow("selected state disabled: a choice not selected still selects")
        << false << true << int(Qt::LeftButton) << true << selects;
    QTest::newRow("a right click changes nothing")
        << false << false << int(Qt::RightButton) << false << QVariantList();
}

// setState runs with the spy listening in every row: it never emits.
void TestDayWidgets::toggleClick()
{
    QFETCH(bool, selectedBefore);
    QFETCH(bool, disableSelected);
    QFETCH(int, button);
    QFETCH(bool, selectedAfter);
    QFETCH(QVariantList, emitted);

    ToggleCaption choice;
    choice.resize(150, 150);
    choice.setFlag(3);
    setPosPictures(choice, 44);
    if (disableSelected)
        choice.setDisabledSelect(ToggleCaption::STATE_SELECTED);
    QSignalSpy spy(&choice, &ToggleCaption::onClick);
    choice.setState(selectedBefore);
    choice.setState(selectedBefore);
    QCOMPARE(spy.count(), 0);

    QTest::mouseClick(&choice, Qt::MouseButton(button));
    QCOMPARE(choice.isSelected(), selectedAfter);
    QCOMPARE(spy.count(), emitted.isEmpty() ? 0 : 1);
    if (!emitted.isEmpty())
        QCOMPARE(spy.at(0), emitted);
}

void TestDayWidgets::dayView_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("ring");
    QTest::addColumn<QString>("percentText");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("fullSize");  // the value keeps its own font size
    QTest::newRow("nothing of the goal yet") << 0 << 0 << "0%" << "6400" << true;
    QTest::newRow("goal reached") << 100 << 100 << "100%" << "6400" << true;
    QTest::newRow("beyond the goal the ring stays full") << 180 << 100 << "180%" << "6400" << true;
    QTest::newRow("a long sleep time shrinks to fit inside the ring") << 95 << 95 << "95%" << "7小时37分钟" << false;
}

void TestDayWidgets::dayView()
{
    QFETCH(int, percent);
    QFETCH(int, ring);
    QFETCH(QString, percentText);
    QFETCH(QString, value);
    QFETCH(bool, fullSize);

    PageDayView view;
    view.setIco(68, 69, 70);
    view.setLabel("卡路里", "时间", "距离");
    view.setValue("320.5大卡", "1小时20分", "4.2千米");
    view.setProgress(static_cast<unsigned char>(percent), "6400", "目标步数:", "10000");
    view.setProgress(static_cast<unsigned char>(percent), value, "目标步数:", "10000");

    const char* const icons[] = {"ico_1", "ico_2", "ico_3"};
    for (const char* icon : icons) {
        const QLabel* label = view.findChild<QLabel*>(icon);
        QVERIFY2(label && !label->pixmap(Qt::ReturnByValue).isNull(), icon);
    }
    QCOMPARE(labelText(view, "label_1") + labelText(view, "label_2") + labelText(view, "label_3"),
             QString("卡路里时间距离"));
    QCOMPARE(labelText(view, "value_1"), QString("320.5大卡"));
    QCOMPARE(labelText(view, "value_2"), QString("1小时20分"));
    QCOMPARE(labelText(view, "value_3"), QString("4.2千米"));
    QCOMPARE(labelText(view, "label_value"), value);
    QCOMPARE(labelText(view, "label_goal_caption"), QString("目标步数:"));
    QCOMPARE(labelText(view, "label_goal"), QString("10000"));
    QCOMPARE(labelText(view, "label_percent"), percentText);
    const QWidget* ringWidget = view.findChild<QWidget*>("ring");
    QVERIFY(ringWidget);
    QCOMPARE(ringWidget->property("percent").toInt(), ring);
    const QLabel* valueLabel = view.findChild<QLabel*>("label_value");
    QVERIFY(QFontMetrics(valueLabel->font()).horizontalAdvance(value) <= ringWidget->width() - 32);
    QCOMPARE(valueLabel->font().pointSize() == 18, fullSize);
}

void TestDayWidgets::screenshots()
{
    PageDayView view;
    view.resize(470, 200);
    view.setIco(68, 69, 70);
    view.setLabel("卡路里", "时间", "距离");
    view.setValue("320.5大卡", "1小时20分", "4.2千米");
    view.setProgress(64, "6400", "目标步数:", "10000");
    QVERIFY(PageShot::save(view, "PageDayView"));

    QWidget row;
    QHBoxLayout* layout = new QHBoxLayout(&row);
    const Resource::ID faces[] = {44, 43, 45, 46};
    for (const Resource::ID face : faces) {
        auto* choice = new ToggleCaption(&row);
        choice->setFixedSize(120, 120);
        setPosPictures(*choice, face);
        choice->setState(face == 43);
        layout->addWidget(choice);
    }
    QVERIFY(PageShot::save(row, "ToggleCaption"));

    DatePicker picker;
    picker.setDate(kGiven);
    QVERIFY(PageShot::save(picker, "DatePicker"));
}

QTEST_MAIN(TestDayWidgets)
#include "tst_daywidgets.moc"
