#include "loopbackcloud.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QVector>

namespace {

const QString DEMO_MOBILE = QStringLiteral("13800000000");
const QString DEMO_PASSWORD = QStringLiteral("123456");

void seedDemo(CloudLedger& ledger)
{
    ledger.addAccount(DEMO_MOBILE, DEMO_PASSWORD);
    // Figures for the pages to show: a name, body numbers and both targets.
    CloudLedger::lc_account account = ledger.account(DEMO_MOBILE);
    account.profile.insert(QStringLiteral("nickname"), QStringLiteral("演示用户"));
    account.profile.insert(QStringLiteral("gender"), QStringLiteral("1"));
    account.profile.insert(QStringLiteral("age"), 30);
    account.profile.insert(QStringLiteral("height"), 172);
    account.profile.insert(QStringLiteral("weight"), 65);
    account.health = CloudLedger::lc_health{1, 30, 172, 65, QDateTime::currentDateTime()};
    account.stepTarget = 8000;
    account.sleepTarget = 450;
    ledger.setAccount(account);
    CloudLedger::lc_app_version version;
    version.version = QStringLiteral("1.0.0");
    version.content = QStringLiteral("loopback cloud");
    ledger.setAppVersion(version);
    CloudLedger::lc_firmware firmware;
    // Newer than the simulated band's 259, so the firmware wizard offers an upgrade. The image
    // fills several long packs and ends in a short one.
    firmware.version = 260;
    for (int i = 0; i < 8 * 1024 + 100; ++i)
        firmware.image += char(i * 7 + i / 256);
    ledger.setFirmware(firmware);
}

// The package goes out under its own name, and the version record offers it as an update.
bool announcePackage(LoopbackCloud& cloud, const QString& path)
{
    QFile package(path);
    if (!package.open(QIODevice::ReadOnly))
        return false;
    LoopbackCloud::lc_file file;
    file.body = package.readAll();
    file.disposition = QFileInfo(path).fileName();
    const QString served = QStringLiteral("/download/") + file.disposition;
    cloud.serveFile(served, file);
    CloudLedger::lc_app_version version;
    version.version = QStringLiteral("1.0.1");
    version.isGoUp = true;
    version.url = cloud.fileUrl(served).toString();
    version.content = QStringLiteral("新版本: 同步更快, 图表更清楚.");
    cloud.ledger().setAppVersion(version);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Loopback cloud service on 127.0.0.1"));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port to listen on (0: any free one)."),
                                        QStringLiteral("port"), QStringLiteral("0"));
    parser.addOption(portOption);
    const QCommandLineOption packageOption(QStringLiteral("package"),
                                           QStringLiteral("Update package (zip) to serve and offer as version 1.0.1."),
                                           QStringLiteral("file"));
    parser.addOption(packageOption);
    // Request paths answered without end, each in its own hostile way.
    const QVector<QPair<QCommandLineOption, LoopbackCloud::FAULT>> endlessOptions{
        {QCommandLineOption(QStringLiteral("endless"), QStringLiteral("Answer this request path with a reply that never ends."),
                            QStringLiteral("path")),
         LoopbackCloud::FAULT_ENDLESS},
        {QCommandLineOption(QStringLiteral("pour"),
                            QStringLiteral("Answer this request path with a reply poured without end in 1 MiB pieces."),
                            QStringLiteral("path")),
         LoopbackCloud::FAULT_POURED},
        {QCommandLineOption(QStringLiteral("gzip"), QStringLiteral("Answer this request path with gzipped zeros without end."),
                            QStringLiteral("path")),
         LoopbackCloud::FAULT_GZIPPED}};
    for (const auto& option : endlessOptions)
        parser.addOption(option.first);
    parser.process(app);

    QTextStream out(stdout);
    bool portRead = false;
    const uint port = parser.value(portOption).toUInt(&portRead);
    if (!portRead || port > 0xffff) {
        out << "bad port: " << parser.value(portOption) << Qt::endl;
        return 2;
    }
    LoopbackCloud cloud;
    seedDemo(cloud.ledger());
    if (!cloud.start(quint16(port))) {
        out << "cannot listen on port " << port << Qt::endl;
        return 1;
    }
    if (parser.isSet(packageOption) && !announcePackage(cloud, parser.value(packageOption))) {
        out << "cannot read package " << parser.value(packageOption) << Qt::endl;
        return 1;
    }
    for (const auto& option : endlessOptions) {
        for (const QString& path : parser.values(option.first))
            cloud.setFault(path, LoopbackCloud::lc_fault{option.second, {}, {}, 0});
    }
    // Someone registering by hand needs the code the cloud would have sent by SMS.
    QObject::connect(&cloud.ledger(), &CloudLedger::onCodeIssued,
                     [&out](const QString& mobile, int type, const QString& code) {
                         out << "code for " << mobile << " (type " << type << "): " << code << Qt::endl;
                     });
    out << "QUORIN_CLOUD_URL=" << cloud.url().toString() << Qt::endl;
    out << "account: " << DEMO_MOBILE << " password: " << DEMO_PASSWORD << Qt::endl;
    return app.exec();
}
