#include "trace.h"

#include <QRegularExpression>
#include <QtTest>

namespace {
QStringList captured;

void capture(QtMsgType, const QMessageLogContext&, const QString& text)
{
    captured << text;
}
} // namespace

class TestTrace : public QObject
{
    Q_OBJECT
private slots:
    void lineShape_data();
    void lineShape();
};

void TestTrace::lineShape_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("tail");
    QTest::newRow("text values are quoted") << QStringLiteral("a b") << QStringLiteral("name: \"a b\"");
    QTest::newRow("empty text stays visible") << QString() << QStringLiteral("name: \"\"");
}

void TestTrace::lineShape()
{
    QFETCH(QString, value);
    QFETCH(QString, tail);
    captured.clear();
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    QLOG << "name:" << value;
    qInstallMessageHandler(previous);

    QCOMPARE(captured.size(), 1);
    const QRegularExpression shape(QStringLiteral(
        "^\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\]tests/Trace/tst_trace\\.cpp line:\\d+ lineShape\\(\\) (.*)$"));
    const QRegularExpressionMatch match = shape.match(captured.first());
    QVERIFY2(match.hasMatch(), qPrintable(captured.first()));
    QCOMPARE(match.captured(1), tail);
}

QTEST_GUILESS_MAIN(TestTrace)
#include "tst_trace.moc"
