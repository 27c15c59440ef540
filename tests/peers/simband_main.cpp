#include "simadapter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMap>
#include <QTextStream>

// A simulated adapter and band for trying the program by hand:
// QUORIN_ADAPTER_PORT=$(first line of this program's output).
namespace {
const QMap<QString, BandFault> faultNames{
    {QStringLiteral("None"), BandFault::None},
    {QStringLiteral("RefuseConnect"), BandFault::RefuseConnect},
    {QStringLiteral("RefuseNotify"), BandFault::RefuseNotify},
    {QStringLiteral("DropPack"), BandFault::DropPack},
    {QStringLiteral("DropPackEveryBlock"), BandFault::DropPackEveryBlock},
    {QStringLiteral("CorruptBlockCrc"), BandFault::CorruptBlockCrc},
    {QStringLiteral("Silent"), BandFault::Silent},
    {QStringLiteral("LinkLostMidBlock"), BandFault::LinkLostMidBlock},
    {QStringLiteral("ErrorPacket"), BandFault::ErrorPacket},
    {QStringLiteral("BadBlockNumber"), BandFault::BadBlockNumber},
    {QStringLiteral("OversizedBlock"), BandFault::OversizedBlock},
    {QStringLiteral("BadResendIndex"), BandFault::BadResendIndex},
};

int refuse(const QString& message)
{
    QTextStream(stderr) << message << Qt::endl;
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated USB radio adapter with a band behind it on a pty; "
                                                    "prints the port path for QUORIN_ADAPTER_PORT."));
    parser.addHelpOption();
    const QCommandLineOption daysOption(QStringLiteral("days"), QStringLiteral("Days of records up to today (default 11)."),
                                        QStringLiteral("N"), QStringLiteral("11"));
    const QCommandLineOption paceOption(QStringLiteral("pace"),
                                        QStringLiteral("Milliseconds between two radio connection events (default 7.5)."),
                                        QStringLiteral("MS"), QStringLiteral("7.5"));
    const QCommandLineOption faultOption(QStringLiteral("fault"),
                                         QStringLiteral("The band's fault, one of: %1.").arg(faultNames.keys().join(QStringLiteral(", "))),
                                         QStringLiteral("NAME"), QStringLiteral("None"));
    parser.addOptions({daysOption, paceOption, faultOption});
    parser.process(app);  // --help and unknown options end the program here

    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));
    bool ok = false;
    const int days = parser.value(daysOption).toInt(&ok);
    if (!ok || days < 0 || days > 366)
        return refuse(QStringLiteral("--days wants a number from 0 to 366"));
    const double pace = parser.value(paceOption).toDouble(&ok);
    if (!ok || pace < 0 || pace > 10000)
        return refuse(QStringLiteral("--pace wants milliseconds from 0 to 10000"));
    if (!faultNames.contains(parser.value(faultOption)))
        return refuse(QStringLiteral("Unknown fault: %1").arg(parser.value(faultOption)));

    SimAdapter adapter;
    if (!adapter.isOpen())
        return refuse(QStringLiteral("No pty could be made"));
    adapter.setInterval(qRound(pace * 1000));
    adapter.band().setFault(faultNames.value(parser.value(faultOption)));
    adapter.band().generateDays(QDate::currentDate(), days);
    QTextStream(stdout) << adapter.portPath() << Qt::endl;
    return app.exec();
}
