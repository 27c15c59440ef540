#include "entryfield.h"
#include "glowentry.h"
#include "pageshot.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A window with the field and a second line edit to take the focus away: the field's states
// follow real focus changes, which only an active window has.
struct FieldWindow
{
    QWidget window;
    EntryField* field = new EntryField(&window);
    QLineEdit* other = new QLineEdit(&window);

    FieldWindow()
    {
        QVBoxLayout* layout = new QVBoxLayout(&window);
        field->setFixedSize(241, 32);
        layout->addWidget(field);
        layout->addWidget(other);
    }

    bool open()
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitFor([this] { return window.isActiveWindow(); });
    }

    bool focusField()
    {
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(60, field->height() / 2));
        return QTest::qWaitFor([this] { return field->lineEdit()->hasFocus(); });
    }

    bool leaveField()
    {
        other->setFocus(Qt::MouseFocusReason);
        return QTest::qWaitFor([this] { return other->hasFocus(); });
    }
};

// The open line edit draws on the picture's rounded box only: its top and bottom rows right of
// the focus mark and its last column stay as the idle field shows them.
bool marginsKept(const QImage& shown, const QImage& idle, const int markWidth)
{
    const int bottom = idle.height() - 1;
    const int right = idle.width() - 1;
    for (int x = markWidth; x <= right; ++x) {
        if (shown.pixel(x, 0) != idle.pixel(x, 0) || shown.pixel(x, bottom) != idle.pixel(x, bottom))
            return false;
    }
    for (int y = 0; y <= bottom; ++y) {
        if (shown.pixel(right, y) != idle.pixel(right, y))
            return false;
    }
    return true;
}

} // namespace

class TestEntryField : public QObject
{
    Q_OBJECT
private slots:
    void typedValue_data();
    void typedValue();
    void focus_data();
    void focus();
    void screenshot();
};

void TestEntryField::typedValue_data()
{
    QTest::addColumn<QList<int>>("patterns");
    QTest::addColumn<QVector<QPoint>>("ranges");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    const QList<int> none;
    const QVector<QPoint> range10to20 { QPoint(10, 20) };
    const QList<int> mobile { WidgetLineEdit::REG_MOBILE };
    QTest::newRow("range 10-20: 5 rises to the minimum")   << none << range10to20 << "5" << "10";
    QTest::newRow("range 10-20: 25 falls to the maximum")  << none << range10to20 << "25" << "20";
    QTest::newRow("range 10-20: letters count as zero")    << none << range10to20 << "abc" << "10";
    QTest::newRow("range 10-20: an empty field stays empty") << none << range10to20 << "" << "";
    QTest::newRow("range 7-7: one allowed value")          << none << QVector<QPoint>{ QPoint(7, 7) } << "3" << "7";
    QTest::newRow("setIntRange(5, 4) turns an earlier range off")
        << none << QVector<QPoint>{ QPoint(10, 20), QPoint(5, 4) } << "25" << "25";
    QTest::newRow("mobile: a plus sign and 13 digits")     << mobile << QVector<QPoint>() << "+8613800000000" << "+8613800000000";
    QTest::newRow("mobile: a 15th character is refused")   << mobile << QVector<QPoint>() << "+86138000000001" << "+8613800000000";
    QTest::newRow("mobile: an 11-digit number while typing") << mobile << QVector<QPoint>() << "13800000000" << "13800000000";
    QTest::newRow("mobile: letters are refused")           << mobile << QVector<QPoint>() << "138abc0" << "1380";
    QTest::newRow("REG_NONE keeps the mobile pattern")
        << QList<int>{ WidgetLineEdit::REG_MOBILE, WidgetLineEdit::REG_NONE } << QVector<QPoint>() << "+86a" << "+86";
    QTest::newRow("digits: only digits")                   << QList<int>{ WidgetLineEdit::REG_DIGITS } << QVector<QPoint>() << "12a3+" << "123";
}

void TestEntryField::typedValue()
{
    QFETCH(QList<int>, patterns);
    QFETCH(QVector<QPoint>, ranges);
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    FieldWindow w;
    for (const int pattern : patterns)
        w.field->setRegExp(static_cast<WidgetLineEdit::REG_EXP_TYPE>(pattern));
    for (const QPoint& range : ranges)
        QCOMPARE(w.field->setIntRange(range.x(), range.y()), range.y() >= range.x());
    QVERIFY(w.open());
    QVERIFY(w.focusField());
    QTest::keyClicks(w.field->lineEdit(), typed);

    QCOMPARE(w.field->text(), kept);  // read while still focused
    QVERIFY(w.leaveField());
    QCOMPARE(w.field->lineEdit()->text(), kept);
    QCOMPARE(w.field->text(), kept);
    QCOMPARE(w.field->lineEdit()->isVisible(), !kept.isEmpty());
}

void TestEntryField::focus_data()
{
    QTest::addColumn<bool>("onMark");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leave");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("remembered");  // the text is put in view as a page fills a remembered one, no click

    QTest::newRow("a click opens the field and the focus stays in its line edit") << false << "" << false << true << false;
    QTest::newRow("leaving it empty hides the line edit")        << false << ""    << true << false << false;
    QTest::newRow("leaving it filled keeps the text in view")    << false << "abc" << true << true << false;
    QTest::newRow("a click on the focus mark opens nothing")     << true  << ""    << false << false << false;
    QTest::newRow("a number typed in the open field stays inside the picture's box")
        << false << "13800000000" << false << true << false;
    QTest::newRow("a remembered number shows on the picture in place of the hint")
        << false << "13800000000" << false << true << true;
}

void TestEntryField::focus()
{
    QFETCH(bool, onMark);
    QFETCH(QString, typed);
    QFETCH(bool, leave);
    QFETCH(bool, shown);
    QFETCH(bool, remembered);

    FieldWindow w;
    w.field->setBgText(QStringLiteral("Password"));
    QVERIFY(w.open());
    QVERIFY(!w.field->lineEdit()->isVisible());
    const QImage idle = w.field->grab().toImage();
    QLabel* mark = w.field->findChild<QLabel*>(QStringLiteral("ico_focus"));
    QVERIFY(mark);
    if (remembered) {
        w.field->lineEdit()->setText(typed);
        w.field->lineEdit()->setVisible(true);
    } else if (onMark) {
        QTest::mouseClick(mark, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QTRY_VERIFY(mark->hasFocus());
    } else {
        QVERIFY(w.focusField());
        QVERIFY(w.field->lineEdit()->isVisible());
        QVERIFY(!w.field->hasFocus());
        QTest::keyClicks(w.field->lineEdit(), typed);
    }
    if (leave)
        QVERIFY(w.leaveField());
    QCOMPARE(w.field->lineEdit()->isVisible(), shown);
    QCOMPARE(w.field->lineEdit()->hasFocus(), shown && !leave && !remembered);
    const QImage seen = w.field->grab().toImage();
    QVERIFY(marginsKept(seen, idle, mark->width()));
    // The hint is in view only while the line edit is hidden.
    w.field->setBgText(QString());
    QCOMPARE(w.field->grab().toImage() == seen, shown);
}

void TestEntryField::screenshot()
{
    QWidget window;
    window.setObjectName(QStringLiteral("canvas"));
    window.setStyleSheet(QStringLiteral("QWidget#canvas { background-color: rgb(240, 243, 247); }"));
    QVBoxLayout* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    EntryField* idle = new EntryField(&window);
    EntryField* focused = new EntryField(&window);
    EntryField* filled = new EntryField(&window);
    const QString hints[] = { QStringLiteral("手机号码"), QStringLiteral("密码"), QStringLiteral("手机号码") };
    EntryField* fields[] = { idle, focused, filled };
    for (int i = 0; i < 3; ++i) {
        fields[i]->setFixedSize(241, 32);
        fields[i]->setBgText(hints[i]);
        layout->addWidget(fields[i]);
    }
    focused->lineEdit()->setEchoMode(QLineEdit::Password);
    filled->setRegExp(WidgetLineEdit::REG_MOBILE);
    filled->lineEdit()->setText(QStringLiteral("13800000000"));
    filled->lineEdit()->setVisible(true);

    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QTRY_VERIFY(window.isActiveWindow());
    QTest::mouseClick(focused, Qt::LeftButton, Qt::NoModifier, QPoint(60, 16));
    QTRY_VERIFY(focused->lineEdit()->hasFocus());
    QTest::keyClicks(focused->lineEdit(), QStringLiteral("abc"));
    QVERIFY(PageShot::save(window, QStringLiteral("EntryField")));
}

QTEST_MAIN(TestEntryField)
#include "tst_entryfield.moc"
