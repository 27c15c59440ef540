#include "pageheader.h"
#include "pagerig.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

// Stands for the main window: connects the bar by signature text, as a library that only sees
// the text must.
class StateReceiver : public QObject
{
    Q_OBJECT
public:
    QList<int> states;

public slots:
    void on_TopState(const WidgetTop::STATE& state) { states << int(state); }
};

class TestPageHeader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void buttons_data();
    void buttons();
    void backgroundStretched();
    void screenshot();
};

void TestPageHeader::initTestCase()
{
    // The spy records the enum only once its type is known by name.
    qMetaTypeId<WidgetTop::STATE>();
}

void TestPageHeader::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("state");
    QTest::newRow("help asks for the help menu") << "bt_help" << 3;
    QTest::newRow("minimise asks to minimise") << "bt_min" << 1;
    QTest::newRow("close asks to close") << "bt_close" << 2;
}

void TestPageHeader::buttons()
{
    QFETCH(QString, button);
    QFETCH(int, state);
    PageRig rig;
    PageHeader bar(nullptr);
    rig.activate(bar);
    bar.show();
    StateReceiver receiver;
    QVERIFY(QObject::connect(&bar, "2onTopState(WidgetTop::STATE)", &receiver, "1on_TopState(WidgetTop::STATE)"));
    QSignalSpy spy(&bar, SIGNAL(onTopState(WidgetTop::STATE)));
    auto* label = bar.findChild<QLabel*>(button);
    QVERIFY(label);
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(int(spy.at(0).at(0).value<WidgetTop::STATE>()), state);
    QCOMPARE(receiver.states, QList<int>{state});
    QVERIFY(bar.isVisible());
}

void TestPageHeader::backgroundStretched()
{
    PageHeader bar(nullptr);
    const QPixmap background = bar.palette().brush(QPalette::Active, QPalette::Window).texture();
    QCOMPARE(background.size(), QSize(800, 46));
    QCOMPARE(bar.palette().brush(QPalette::Disabled, QPalette::Window).texture().size(), QSize(800, 46));
    QVERIFY(bar.autoFillBackground());
}

void TestPageHeader::screenshot()
{
    PageRig rig;
    PageHeader bar(nullptr);
    rig.activate(bar);
    QVERIFY(rig.shot(bar));
    QCOMPARE(bar.height(), 40);
}

QTEST_MAIN(TestPageHeader)
#include "tst_pageheader.moc"
