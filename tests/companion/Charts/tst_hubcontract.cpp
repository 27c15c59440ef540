#include "bandharvest.h"
#include "chartcanvas.h"
#include "datepicker.h"
#include "pagerig.h"
#include "togglecaption.h"

#include <QtTest>

// Who sends the signal of a row.
enum class Sender { Hub, Harvest, Chart, Picker, Toggle };
Q_DECLARE_METATYPE(Sender)

namespace {

// One slot per signal text the pages connect, under the signal's own name and parameter list,
// so a row connects "2text" to "1text".
class Listener : public QObject
{
    Q_OBJECT
public slots:
    void onNsDevBindList(QList<CloudGate::ns_bind_dev>, CloudGate::ns_ret_code, QString) {}
    void onNsDevUnBind(CloudGate::ns_ret_code, QString) {}
    void onNsDevUsePos(CloudGate::ns_ret_code, QString) {}
    void onNsWeekSportStats(qint32, QTime, double, double, QList<CloudGate::ns_week_sport_detail>, QString, QString,
                            CloudGate::ns_ret_code, QString) {}
    void onNsWeekSleepStats(QTime, QTime&, QTime&, QTime&, QList<CloudGate::ns_week_sleep_detail>&, QString&, QString&,
                            CloudGate::ns_ret_code&, QString&) {}
    void onNsDateSync(CloudGate::ns_ret_code, QString) {}
    void onNsQueryLastSync(QDateTime, QDateTime, CloudGate::ns_ret_code, QString) {}
    void onNsAppVer(QString, bool, QString, QString, CloudGate::ns_ret_code, QString) {}
    void onNsFirmware(quint16, quint16, QByteArray) {}
    void onBcScan(QList<BandLink::at_devinfo>) {}
    void onBcConn(bool) {}
    void onBcNotify(bool) {}
    void onBcDisconn(bool) {}
    void onBhVersion(WireCodec::bs_reply_version) {}
    void onBhFirmRev(WireCodec::bs_pack) {}
    void onBhFirmwareLong(WireCodec::bs_pack) {}
    void onBhLongCtr(WireCodec::bs_pack) {}
    void onBhError(WireCodec::bs_pack_error) {}
    void onFdNetStepDay(LocalVault::step_mem_data) {}
    void onFdNetSleepDay(LocalVault::sleep_mem_data) {}
    void onFdProcess(LocalVault::process) {}
    void onWinGotoScan() {}
    void onStatus(BandHarvest::STATUS, QString) {}
    void plottableMove(const QCPAbstractPlottable*, QPointF, QCPRange, QCPRange) {}
    void onDate(QDate) {}
    void onClick(bool, qint32) {}
};

} // namespace

class TestHubContract : public QObject
{
    Q_OBJECT

private slots:
    void signalText_data();
    void signalText();
};

void TestHubContract::signalText_data()
{
    QTest::addColumn<Sender>("sender");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("connects");

    const char* const hub[] = {
        "onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)",
        "onNsDevUnBind(CloudGate::ns_ret_code,QString)",
        "onNsDevUsePos(CloudGate::ns_ret_code,QString)",
        "onNsWeekSportStats(qint32,QTime,double,double,QList<CloudGate::ns_week_sport_detail>,QString,QString,"
        "CloudGate::ns_ret_code,QString)",
        "onNsWeekSleepStats(QTime,QTime&,QTime&,QTime&,QList<CloudGate::ns_week_sleep_detail>&,QString&,QString&,"
        "CloudGate::ns_ret_code&,QString&)",
        "onNsDateSync(CloudGate::ns_ret_code,QString)",
        "onNsQueryLastSync(QDateTime,QDateTime,CloudGate::ns_ret_code,QString)",
        "onNsAppVer(QString,bool,QString,QString,CloudGate::ns_ret_code,QString)",
        "onNsFirmware(quint16,quint16,QByteArray)",
        "onBcScan(QList<BandLink::at_devinfo>)",
        "onBcConn(bool)",
        "onBcNotify(bool)",
        "onBcDisconn(bool)",
        "onBhVersion(WireCodec::bs_reply_version)",
        "onBhFirmRev(WireCodec::bs_pack)",
        "onBhFirmwareLong(WireCodec::bs_pack)",
        "onBhLongCtr(WireCodec::bs_pack)",
        "onBhError(WireCodec::bs_pack_error)",
        "onFdNetStepDay(LocalVault::step_mem_data)",
        "onFdNetSleepDay(LocalVault::sleep_mem_data)",
        "onFdProcess(LocalVault::process)",
        "onWinGotoScan()",
    };
    for (const char* text : hub)
        QTest::newRow(text) << Sender::Hub << QByteArray(text) << true;
    QTest::newRow("onStatus(BandHarvest::STATUS,QString)")
        << Sender::Harvest << QByteArray("onStatus(BandHarvest::STATUS,QString)") << true;
    QTest::newRow("plottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)")
        << Sender::Chart << QByteArray("plottableMove(const QCPAbstractPlottable*,QPointF,QCPRange,QCPRange)") << true;
    QTest::newRow("onDate(QDate)") << Sender::Picker << QByteArray("onDate(QDate)") << true;
    QTest::newRow("onClick(bool,qint32)") << Sender::Toggle << QByteArray("onClick(bool,qint32)") << true;
    QTest::newRow("the week-sleep reply spelt with values is refused")
        << Sender::Hub
        << QByteArray("onNsWeekSleepStats(QTime,QTime,QTime,QTime,QList<CloudGate::ns_week_sleep_detail>,QString,"
                      "QString,CloudGate::ns_ret_code,QString)")
        << false;
}

// A page connects by text and never hears of a mismatch but a warning: every text it uses must
// connect, and the rig must see the one that does not.
void TestHubContract::signalText()
{
    QFETCH(Sender, sender);
    QFETCH(QByteArray, text);
    QFETCH(bool, connects);

    PageRig rig;
    QVERIFY(rig.isReady());
    BandHarvest harvest(nullptr);
    ChartCanvas chart;
    DatePicker picker;
    ToggleCaption toggle;
    QObject* const senders[] = {&rig.hub(), &harvest, &chart, &picker, &toggle};
    Listener listener;

    const QByteArray signal = QByteArray::number(QSIGNAL_CODE) + text;
    const QByteArray slot = QByteArray::number(QSLOT_CODE) + text;
    const bool connected = QObject::connect(senders[static_cast<int>(sender)], signal.constData(), &listener,
                                            slot.constData());
    // A refused row fails on its signal: Qt looks the signal up first.
    QCOMPARE(connected, connects);
    const QStringList faults = rig.takeConnectFaults();
    QCOMPARE(faults.isEmpty(), connects);
}

QTEST_MAIN(TestHubContract)
#include "tst_hubcontract.moc"
