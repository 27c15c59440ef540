#include "pageweekpicker.h"

#include "pagerig.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QtTest>

// What a row does to a fresh card's pictures before they are read.
enum class Pictures { ImageText, TwoImageTexts, EmptyImageText, ImageMissing, TitleShown, ButtonAfterTitle,
                      PlainAfterButton, TitleMissing, Fresh };
Q_DECLARE_METATYPE(Pictures)

namespace {

const Resource::ID STATUS = 66;
const Resource::ID CALENDAR = 82;
const Resource::ID NO_SUCH_PICTURE = 9999;
const QColor TEXT_COLOR(28, 194, 218);

QLabel* child(QWidget& card, const char* name)
{
    return card.findChild<QLabel*>(QString::fromLatin1(name));
}

QImage fileImage(const Resource::ID& id)
{
    return QPixmap(Resource::getResPath(id)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage shown(QLabel* label)
{
    return label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The pixels a text changed on the picture.
QList<QPoint> changed(const QImage& picture, const QImage& file)
{
    QList<QPoint> points;
    for (int y = 0; y < file.height(); ++y) {
        for (int x = 0; x < file.width(); ++x) {
            if (picture.pixel(x, y) != file.pixel(x, y))
                points.append(QPoint(x, y));
        }
    }
    return points;
}

bool hasColour(const QImage& picture, const QList<QPoint>& points, const QColor& colour)
{
    for (const QPoint& point : points) {
        if (picture.pixelColor(point).rgb() == colour.rgb())
            return true;
    }
    return false;
}

} // namespace

class TestPageWeekPicker : public QObject
{
    Q_OBJECT
private slots:
    void title_data();
    void title();
    void pictures_data();
    void pictures();
    void calendar();
};

void TestPageWeekPicker::title_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("title");
    QTest::newRow("a week across the year's end names both months") << QDate(2026, 12, 29) << "12月29日-1月4日";
    QTest::newRow("a week inside one month") << QDate(2027, 3, 1) << "3月1日-3月7日";
    QTest::newRow("a leap day inside the week") << QDate(2028, 2, 26) << "2月26日-3月3日";
}

// The owner's slot runs before the title changes, on every call, also for the same date.
void TestPageWeekPicker::title()
{
    QFETCH(QDate, start);
    QFETCH(QString, title);
    PageWeekPicker card;
    QCOMPARE(card.currentDate(), QDate::currentDate().addDays(-6));
    QCOMPARE(child(card, "label_title")->text(), QStringLiteral("标题"));
    QStringList seen;
    QList<QDate> dates;
    connect(&card, &PageWeekPicker::onUpdateData, this, [&](const QDate& date) {
        seen.append(child(card, "label_title")->text());
        dates.append(date);
    });
    card.on_updateData(start);
    card.on_updateData(start);
    QCOMPARE(dates, (QList<QDate>{start, start}));
    QCOMPARE(seen, (QStringList{QStringLiteral("标题"), title}));
    QCOMPARE(child(card, "label_title")->text(), title);
    QCOMPARE(card.currentDate(), start);
}

void TestPageWeekPicker::pictures_data()
{
    QTest::addColumn<Pictures>("step");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("text");  // the text expected on the picture, when the row reads it
    QTest::newRow("a text is drawn in the lower half in the card's colour")
        << Pictures::ImageText << "img" << QSize(140, 140) << "正在加载";
    QTest::newRow("a second text replaces the first instead of piling up")
        << Pictures::TwoImageTexts << "img" << QSize(140, 140) << "加载失败";
    QTest::newRow("an empty text shows the file unchanged") << Pictures::EmptyImageText << "img" << QSize(140, 140)
                                                            << QString();
    QTest::newRow("a picture that does not load takes no room")
        << Pictures::ImageMissing << "img" << QSize(0, 0) << QString();
    QTest::newRow("a title picture at its own size") << Pictures::TitleShown << "ico" << QSize(140, 140) << QString();
    QTest::newRow("the calendar button replaces the title picture")
        << Pictures::ButtonAfterTitle << "ico" << QSize(24, 24) << QString();
    QTest::newRow("the plain title after the button shows the button's picture")
        << Pictures::PlainAfterButton << "ico" << QSize(24, 24) << QString();
    QTest::newRow("a title picture that does not load takes no room")
        << Pictures::TitleMissing << "ico" << QSize(0, 0) << QString();
    QTest::newRow("a fresh card's title icon takes no room") << Pictures::Fresh << "ico" << QSize(0, 0) << QString();
}

void TestPageWeekPicker::pictures()
{
    QFETCH(Pictures, step);
    QFETCH(QString, label);
    QFETCH(QSize, size);
    QFETCH(QString, text);
    PageWeekPicker card;
    switch (step) {
    case Pictures::ImageText: card.setImg(STATUS, text); break;
    case Pictures::TwoImageTexts:
        card.setImg(STATUS, QStringLiteral("正在加载"));
        card.setImg(STATUS, text);
        break;
    case Pictures::EmptyImageText: card.setImg(STATUS, QString()); break;
    case Pictures::ImageMissing: card.setImg(NO_SUCH_PICTURE, QStringLiteral("加载失败")); break;
    case Pictures::TitleShown: card.setTitle(STATUS, QStringLiteral("运动周数据")); break;
    case Pictures::ButtonAfterTitle:
        card.setTitle(STATUS, QStringLiteral("运动周数据"));
        card.setIcoDate(true);
        break;
    case Pictures::PlainAfterButton:
        card.setTitle(STATUS, QStringLiteral("运动周数据"));
        card.setIcoDate(true);
        card.setIcoDate(false);
        QCOMPARE(shown(child(card, "ico")), fileImage(CALENDAR));
        break;
    case Pictures::TitleMissing: card.setTitle(NO_SUCH_PICTURE, QStringLiteral("运动周数据")); break;
    case Pictures::Fresh: break;
    }
    QLabel* shownOn = child(card, label.toLatin1().constData());
    QCOMPARE(shownOn->minimumSize(), size);
    QCOMPARE(shownOn->maximumSize(), size);
    if (label != QLatin1String("img") || size.isEmpty())
        return;
    const QImage picture = shown(shownOn);
    const QList<QPoint> points = changed(picture, fileImage(STATUS));
    if (text.isEmpty()) {
        QVERIFY(points.isEmpty());
        return;
    }
    QVERIFY(!points.isEmpty());
    QVERIFY(hasColour(picture, points, TEXT_COLOR));
    for (const QPoint& point : points)
        QVERIFY2(point.y() >= 70, "the text strays into the upper half");
    PageWeekPicker fresh;
    fresh.setImg(STATUS, text);
    QCOMPARE(picture, shown(child(fresh, "img")));
}

// The picked day starts the week; the calendar opens on the week shown.
void TestPageWeekPicker::calendar()
{
    PageRig rig;
    PageWeekPicker card;
    card.setIcoDate(true);
    card.show();
    QVERIFY(QTest::qWaitForWindowExposed(&card));
    const QDate shownFirst = card.currentDate();
    const QDate picked(2026, 12, 29);
    QDate opened;
    rig.holdModal(
        [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            auto* calendar = dialog->findChild<QCalendarWidget*>(QStringLiteral("calendar"));
            opened = calendar->selectedDate();
            calendar->setSelectedDate(picked);
            QTest::mouseClick(dialog->findChild<QLabel*>(QStringLiteral("bt_ok")), Qt::LeftButton);
            return true;
        },
        1);
    QList<QDate> dates;
    connect(&card, &PageWeekPicker::onUpdateData, this, [&](const QDate& date) { dates.append(date); });
    QTest::mouseClick(child(card, "ico"), Qt::LeftButton);
    QCOMPARE(rig.modals().size(), 1);
    QCOMPARE(opened, shownFirst);
    QCOMPARE(dates, QList<QDate>{picked});
    QCOMPARE(card.currentDate(), picked);
    QCOMPARE(child(card, "label_title")->text(), QStringLiteral("12月29日-1月4日"));
}

QTEST_MAIN(TestPageWeekPicker)
#include "tst_pageweekpicker.moc"
