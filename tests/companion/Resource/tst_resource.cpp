#include "resource.h"

#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QTranslator>
#include <QtTest>

namespace {

enum Kind { Picture, Mask, Translation };

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestResource : public QObject
{
    Q_OBJECT

private slots:
    void everyIdLoads_data();
    void everyIdLoads();
    void unknownIdGivesEmptyPath_data();
    void unknownIdGivesEmptyPath();
    void buttonStatesDiffer_data();
    void buttonStatesDiffer();
    void translationTurnsTextIntoEnglish_data();
    void translationTurnsTextIntoEnglish();
    void formPathLoads_data();
    void formPathLoads();
};

void TestResource::everyIdLoads_data()
{
    QTest::addColumn<Resource::ID>("id");
    QTest::addColumn<Kind>("kind");
    const QList<Resource::ID> masks = {9, 10};
    const QList<Resource::ID> translations = {90, 91};
    QList<Resource::ID> ids = {0, 2, 3, 5, 7, 9, 10, 25, 26, 36, 38, 39, 40, 41, 42, 77, 78, 79, 80, 81, 90, 91};
    for (Resource::ID id = 11; id <= 22; ++id)
        ids << id;
    for (Resource::ID id = 27; id <= 35; ++id)
        ids << id;
    for (Resource::ID id = 43; id <= 76; ++id)
        ids << id;
    for (Resource::ID id = 82; id <= 89; ++id)
        ids << id;
    for (const Resource::ID id : ids) {
        const Kind kind = masks.contains(id) ? Mask : translations.contains(id) ? Translation : Picture;
        QTest::newRow(qPrintable(QString("id %1").arg(id))) << id << kind;
    }
}

void TestResource::everyIdLoads()
{
    QFETCH(Resource::ID, id);
    QFETCH(Kind, kind);
    const QString path = Resource::getResPath(id);
    QVERIFY2(!path.isEmpty(), "no path for a known id");
    if (kind == Translation) {
        QTranslator translator;
        QVERIFY(translator.load(path));
        QVERIFY(!translator.isEmpty());
        return;
    }
    if (kind == Mask) {
        const QBitmap mask(path);
        QVERIFY(!mask.isNull());
        QCOMPARE(mask.depth(), 1);
        // A mask that hides everything or nothing would be no shape at all.
        const QRegion shown(mask);
        QVERIFY(!shown.isEmpty());
        QVERIFY(shown != QRegion(mask.rect()));
        return;
    }
    QVERIFY2(!QPixmap(path).isNull(), qPrintable(path));
}

void TestResource::unknownIdGivesEmptyPath_data()
{
    QTest::addColumn<Resource::ID>("id");
    QTest::newRow("1 between the icon ids") << Resource::ID(1);
    QTest::newRow("23 after the get-code buttons") << Resource::ID(23);
    QTest::newRow("37 between the check box pictures") << Resource::ID(37);
    QTest::newRow("92 after the translations") << Resource::ID(92);
    QTest::newRow("largest id") << Resource::ID(65535);
}

void TestResource::unknownIdGivesEmptyPath()
{
    QFETCH(Resource::ID, id);
    QCOMPARE(Resource::getResPath(id), QString());
}

void TestResource::buttonStatesDiffer_data()
{
    QTest::addColumn<Resource::ID>("first");
    QTest::newRow("close button") << Resource::ID(11);
    QTest::newRow("minimise button") << Resource::ID(14);
    QTest::newRow("large form button") << Resource::ID(17);
    QTest::newRow("get-code button") << Resource::ID(20);
    QTest::newRow("wizard back button") << Resource::ID(27);
    QTest::newRow("wizard next button") << Resource::ID(30);
    QTest::newRow("common button") << Resource::ID(33);
    QTest::newRow("calendar button") << Resource::ID(82);
}

// Rest, pointer over and pressed must be told apart, and the button must not change size.
void TestResource::buttonStatesDiffer()
{
    QFETCH(Resource::ID, first);
    const QImage rest(Resource::getResPath(first));
    const QImage over(Resource::getResPath(first + 1));
    const QImage pressed(Resource::getResPath(first + 2));
    QVERIFY(!rest.isNull() && !over.isNull() && !pressed.isNull());
    QCOMPARE(over.size(), rest.size());
    QCOMPARE(pressed.size(), rest.size());
    QVERIFY(rest != over);
    QVERIFY(rest != pressed);
    QVERIFY(over != pressed);
}

void TestResource::translationTurnsTextIntoEnglish_data()
{
    QTest::addColumn<Resource::ID>("id");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("shown");
    QTest::newRow("English sync status") << Resource::ID(91) << "BandHarvest" << "同步完成." << "Sync complete.";
    QTest::newRow("English cloud message") << Resource::ID(91) << "QObject" << "密码错误" << "Wrong password";
    QTest::newRow("Chinese keeps the source text") << Resource::ID(90) << "BandHarvest" << "同步完成." << "同步完成.";
}

void TestResource::translationTurnsTextIntoEnglish()
{
    QFETCH(Resource::ID, id);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, shown);
    QTranslator translator;
    QVERIFY(translator.load(Resource::getResPath(id)));
    QCOMPARE(translator.translate(context.toUtf8().constData(), source.toUtf8().constData()), shown);
}

void TestResource::formPathLoads_data()
{
    QTest::addColumn<QString>("path");
    const QStringList paths = {
        ":/icon/icon/logo.ico",
        ":/img/DevicePos/img/DevicePos/done_none.png",
        ":/img/PageMenu/img/PageMenu/head.png",
        ":/img/button/img/button/close_none.png",
        ":/img/button/img/button/login_none.png",
        ":/img/button/img/button/min_none.png",
        ":/img/button/img/button/vc_none.png",
        ":/img/register/img/register/done_none.png",
        ":/img/register/img/register/male_info.png",
        ":/img/register/img/register/next_none.png",
        ":/img/register/img/register/up_none.png",
    };
    for (const QString& path : paths)
        QTest::newRow(qPrintable(path)) << path;
}

void TestResource::formPathLoads()
{
    QFETCH(QString, path);
    QVERIFY(!QPixmap(path).isNull());
}

QTEST_MAIN(TestResource)
#include "tst_resource.moc"
