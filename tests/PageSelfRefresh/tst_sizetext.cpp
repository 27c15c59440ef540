#include "widgetdownload.h"

#include <QtTest>

class TestSizeText : public QObject
{
    Q_OBJECT
private slots:
    void sizeText_data();
    void sizeText();
};

void TestSizeText::sizeText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing is 0B") << qint64(0) << "0B";
    QTest::newRow("below 1024 stays in bytes") << qint64(1023) << "1023B";
    QTest::newRow("1024 is the first kilobyte figure") << qint64(1024) << "1.0KB";
    QTest::newRow("kilobytes have one decimal") << qint64(1536) << "1.5KB";
    QTest::newRow("below the megabyte limit reads up to 1024.0KB") << qint64(1023999) << "1024.0KB";
    QTest::newRow("1,024,000 is the first megabyte figure") << qint64(1024000) << "1.02MB";
    QTest::newRow("megabytes divide by a million, not 2^20") << qint64(1048576) << "1.05MB";
    QTest::newRow("1,024,000,000 is the first gigabyte figure") << qint64(1024000000) << "1.024GB";
    QTest::newRow("sizes past 32 bits") << qint64(2500000000) << "2.500GB";
    QTest::newRow("terabytes stay in gigabytes") << qint64(5000000000000) << "5000.000GB";
    QTest::newRow("a negative count keeps its sign") << qint64(-2048) << "-2.0KB";
}

void TestSizeText::sizeText()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(WidgetDownLoad::sizeText(bytes), text);
}

QTEST_GUILESS_MAIN(TestSizeText)
#include "tst_sizetext.moc"
