#include "chartcanvas.h"
#include "pageshot.h"

#include <QtTest>

#include <memory>

namespace {

// What the chart reported last.
struct Hover {
    int count = 0;
    QString name;  // empty for null
    QCPRange key;
    QCPRange value;
};

// A day-chart-like canvas: one bar alone, a stack of two, a horizontal line high above them.
class HoverChart
{
public:
    HoverChart()
    {
        canvas.resize(480, 320);
        canvas.xAxis->setRange(0, 6);
        canvas.yAxis->setRange(0, 12);
        addBars("single", 0.25, 7);
        QCPBars* base = addBars("base", 2.25, 3);
        addBars("top", 2.25, 4)->moveAbove(base);
        QCPGraph* line = canvas.addGraph();
        line->setName("line");
        line->setData(QVector<double>{0, 3, 6}, QVector<double>{10, 10, 10});
        canvas.replot();
        QObject::connect(&canvas, &ChartCanvas::plottableMove, &canvas,
                         [this](const QCPAbstractPlottable* plottable, QPointF, QCPRange key, QCPRange value) {
                             ++hover.count;
                             hover.name = plottable ? plottable->name() : QString();
                             hover.key = key;
                             hover.value = value;
                         });
    }

    QPoint pixel(const double& key, const double& value) const
    {
        return QPoint(qRound(canvas.xAxis->coordToPixel(key)), qRound(canvas.yAxis->coordToPixel(value)));
    }

    ChartCanvas canvas;
    Hover hover;

private:
    QCPBars* addBars(const QString& name, const double& key, const double& value)
    {
        auto* bars = new QCPBars(canvas.xAxis, canvas.yAxis);
        bars->setName(name);
        bars->setWidth(0.5);
        bars->setData(QVector<double>{key}, QVector<double>{value});
        return bars;
    }
};

QVector<double> zeroToSix()
{
    return {0, 1, 2, 3, 4, 5, 6};
}

QVector<QString> hourLabels()
{
    QVector<QString> labels;
    for (int i = 0; i <= 6; ++i)
        labels.append(QString::asprintf("%02d:00", i * 4));
    return labels;
}

} // namespace

class TestChartCanvas : public QObject
{
    Q_OBJECT

private slots:
    void hover_data();
    void hover();
    void ticks_data();
    void ticks();
    void ownPlottables();
    void foreignAxisChangesNothing();
    void screenshot();
};

void TestChartCanvas::hover_data()
{
    QTest::addColumn<double>("key");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("keyLower");
    QTest::addColumn<double>("keyUpper");
    QTest::addColumn<double>("valueUpper");
    QTest::newRow("a bar reports its key extent and its value") << 0.3 << 3.5 << "single" << 0.0 << 0.5 << 7.0;
    QTest::newRow("empty space reports null") << 4.5 << 4.0 << QString() << 0.0 << 0.0 << 0.0;
    QTest::newRow("the lower of two stacked bars") << 2.1 << 1.0 << "base" << 2.0 << 2.5 << 3.0;
    QTest::newRow("the upper of two stacked bars") << 2.4 << 5.0 << "top" << 2.0 << 2.5 << 4.0;
    QTest::newRow("a graph line reports the graph at its nearest point") << 2.8 << 10.0 << "line" << 3.0 << 3.0 << 10.0;
}

void TestChartCanvas::hover()
{
    QFETCH(double, key);
    QFETCH(double, value);
    QFETCH(QString, name);
    QFETCH(double, keyLower);
    QFETCH(double, keyUpper);
    QFETCH(double, valueUpper);

    HoverChart chart;
    chart.canvas.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart.canvas));
    // From a corner first, so the move to the point is a move.
    QTest::mouseMove(&chart.canvas, QPoint(1, 1));
    const int before = chart.hover.count;
    QTest::mouseMove(&chart.canvas, chart.pixel(key, value));
    QTRY_VERIFY(chart.hover.count > before);
    QCOMPARE(chart.hover.name, name);
    QCOMPARE(chart.hover.key.lower, keyLower);
    QCOMPARE(chart.hover.key.upper, keyUpper);
    QCOMPARE(chart.hover.value.upper, valueUpper);
}

void TestChartCanvas::ticks_data()
{
    QTest::addColumn<bool>("autoLabels");
    QTest::addColumn<QVector<QString>>("labels");
    QTest::addColumn<bool>("autoTicksAfter");
    QTest::addColumn<QVector<QString>>("drawn");

    QTest::newRow("tick vector 0..6 draws 00:00..24:00") << false << hourLabels() << false << hourLabels();
    QTest::newRow("automatic labels number the tick vector")
        << true << hourLabels() << false << QVector<QString>{"0", "1", "2", "3", "4", "5", "6"};
    QTest::newRow("ticks the labels do not reach stay unlabelled")
        << false << QVector<QString>{"00:00", "04:00"} << false
        << QVector<QString>{"00:00", "04:00", "", "", "", "", ""};
    QTest::newRow("automatic ticks come back") << false << hourLabels() << true << QVector<QString>();
}

void TestChartCanvas::ticks()
{
    QFETCH(bool, autoLabels);
    QFETCH(QVector<QString>, labels);
    QFETCH(bool, autoTicksAfter);
    QFETCH(QVector<QString>, drawn);

    ChartCanvas canvas;
    canvas.resize(480, 320);
    ChartAxis* x = canvas.axis(canvas.xAxis);
    x->setAutoTicks(false);
    x->setAutoTickLabels(autoLabels);
    x->setAutoTickStep(false);
    canvas.xAxis->setRange(0, 6);
    x->setTickVector(zeroToSix());
    x->setTickVectorLabels(labels);
    if (autoTicksAfter)
        x->setAutoTicks(true);
    canvas.replot();

    auto text = qSharedPointerDynamicCast<QCPAxisTickerText>(canvas.xAxis->ticker());
    if (autoTicksAfter) {
        QVERIFY(!text);
        QVERIFY(canvas.xAxis->tickVector().size() > 1);
        QVERIFY(!canvas.xAxis->tickVectorLabels().contains(QString("24:00")));
        return;
    }
    QVERIFY(text);
    QCOMPARE(text->ticks().keys().toVector(), zeroToSix());
    QCOMPARE(text->ticks().values().toVector(), drawn);
    QCOMPARE(canvas.xAxis->tickVector(), zeroToSix());
    QCOMPARE(canvas.xAxis->tickVectorLabels(), drawn);
}

void TestChartCanvas::ownPlottables()
{
    ChartCanvas canvas;
    ChartCanvas other;
    auto* bars = new QCPBars(canvas.xAxis, canvas.yAxis);
    bars->setData(QVector<double>{0.25, 0.75}, QVector<double>{3, 4});
    QCPGraph* graph = canvas.addGraph();
    graph->setData(QVector<double>{0, 6}, QVector<double>{5, 5});
    auto* foreign = new QCPBars(other.xAxis, other.yAxis);
    foreign->setData(QVector<double>{0.25}, QVector<double>{1});

    QVERIFY(canvas.addPlottable(bars));
    QVERIFY(canvas.addPlottable(graph));
    QVERIFY(!canvas.addPlottable(foreign));
    QVERIFY(!canvas.addPlottable(nullptr));

    QVERIFY(canvas.clearData(bars));
    QVERIFY(canvas.clearData(graph));
    QVERIFY(bars->data()->isEmpty());
    QVERIFY(graph->data()->isEmpty());
    QVERIFY(!canvas.clearData(foreign));
    QCOMPARE(foreign->data()->size(), 1);
}

void TestChartCanvas::foreignAxisChangesNothing()
{
    ChartCanvas canvas;
    ChartCanvas other;
    const QSharedPointer<QCPAxisTicker> before = other.xAxis->ticker();
    ChartAxis* wrapper = canvas.axis(other.xAxis);
    QVERIFY(wrapper);
    wrapper->setAutoTicks(false);
    wrapper->setTickVector(zeroToSix());
    QCOMPARE(other.xAxis->ticker(), before);
    QVERIFY(canvas.axis(nullptr));
    QCOMPARE(canvas.axis(canvas.xAxis), canvas.axis(canvas.xAxis));
}

// Steps of a day in twelve two-hour bars under hour ticks, with an average and a target line.
void TestChartCanvas::screenshot()
{
    ChartCanvas canvas;
    canvas.resize(640, 360);
    ChartAxis* x = canvas.axis(canvas.xAxis);
    x->setAutoTicks(false);
    x->setAutoTickLabels(false);
    x->setAutoTickStep(false);
    canvas.xAxis->setRange(0, 6);
    x->setTickVector(zeroToSix());
    x->setTickVectorLabels(hourLabels());
    canvas.xAxis->grid()->setVisible(false);
    canvas.yAxis->grid()->setVisible(false);

    const QVector<double> steps{0, 0, 0, 120, 860, 1420, 640, 980, 300, 1210, 450, 60};
    QVector<double> keys;
    for (int i = 0; i < steps.size(); ++i)
        keys.append(0.25 + 0.5 * i);
    auto* bars = new QCPBars(canvas.xAxis, canvas.yAxis);
    bars->setName("当天步数");
    bars->setWidth(0.5);
    bars->setPen(QColor(30, 182, 206));
    bars->setBrush(QBrush(QColor(30, 182, 206), Qt::SolidPattern));
    bars->setData(keys, steps);
    QCPGraph* average = canvas.addGraph();
    average->setName("平均步数");
    average->setPen(QPen(QColor(250, 150, 60), 2));
    average->setData(QVector<double>{0, 6}, QVector<double>{503, 503});
    QCPGraph* target = canvas.addGraph();
    target->setName("目标步数");
    target->setPen(QPen(QColor(120, 200, 90), 2, Qt::DashLine));
    target->setData(QVector<double>{0, 6}, QVector<double>{1000, 1000});
    canvas.yAxis->setRange(0, 1600);
    canvas.legend->setVisible(true);
    canvas.replot(ChartCanvas::rpHint);
    QVERIFY(PageShot::save(canvas, "ChartCanvas"));
}

QTEST_MAIN(TestChartCanvas)
#include "tst_chartcanvas.moc"
