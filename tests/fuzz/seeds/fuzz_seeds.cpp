#include "cloudmirror.h"
#include "portharvest.h"
#include "syncrig.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QtEndian>

#include <cstdio>

// Seeds the fuzz corpora with what the peers really send: the adapter's output and the band's
// packets of one sync of 11 days, the cloud's replies to it and to a round of other requests,
// the day files and the user record it leaves, and an update package.
// Usage: fuzz_seeds <tests/fuzz folder>

namespace {

const int kMessagesPerSeed = 24;

class Seeds
{
public:
    explicit Seeds(const QString& root)
        : m_root(root)
    {
    }

    bool write(const QString& target, const QByteArray& bytes)
    {
        const QString folder = m_root + QLatin1Char('/') + target + QStringLiteral("/corpus");
        const int number = ++m_counts[target];
        QFile file(QStringLiteral("%1/seed-%2").arg(folder).arg(number, 3, 10, QLatin1Char('0')));
        if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(bytes) != bytes.size())
            return false;
        return true;
    }

private:
    QString m_root;
    QMap<QString, int> m_counts;
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString findBelow(const QString& root, const QString& name)
{
    QDirIterator it(root, {name}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}

// The band packets the adapter carried in its notifications, in order.
QList<QByteArray> notifiedPackets(const QList<QByteArray>& messages)
{
    QList<QByteArray> packets;
    for (const QByteArray& message : messages) {
        if (!message.startsWith("+NOTIFY="))
            continue;
        const int comma = message.indexOf(',');
        if (comma > 0)
            packets << QByteArray::fromHex(message.mid(comma + 1));
    }
    return packets;
}

void writeAdapterSeeds(Seeds& seeds, const QList<QByteArray>& messages)
{
    for (int first = 0; first < messages.size(); first += kMessagesPerSeed) {
        // Pieces of 31 bytes: messages arrive cut at odd places.
        QByteArray seed(1, char(30));
        for (const QByteArray& message : messages.mid(first, kMessagesPerSeed))
            seed += message + QByteArray(1, '\0');
        seeds.write(QStringLiteral("adapter"), seed);
    }
}

// One seed per block (its head pack up to its last pack), one with every other packet.
void writeBandSeeds(Seeds& seeds, const QList<QByteArray>& packets)
{
    QByteArray others;
    QByteArray block;
    for (const QByteArray& packet : packets) {
        const bool longPack = packet.size() == 20 && quint8(packet[1]) == 0x05 && quint8(packet[0]) != 0x5A;
        if (!longPack) {
            others += packet;
            continue;
        }
        const quint8 serial = quint8(packet[2]);
        if (serial == 1)
            block.clear();
        block += packet;
        if (serial == 254 || serial == 255)
            seeds.write(QStringLiteral("band"), block);
    }
    seeds.write(QStringLiteral("band"), others);
}

// The four day files with the sizes of the first three in front.
QByteArray dayFilesSeed(const QString& folder)
{
    QByteArray seed(6, '\0');
    QByteArray files;
    const char* const names[] = {"step.t", "step.d", "sleep.t", "sleep.d"};
    for (int i = 0; i < 4; ++i) {
        const QByteArray bytes = readFile(folder + QLatin1Char('/') + QLatin1String(names[i]));
        if (i < 3)
            qToBigEndian<quint16>(quint16(bytes.size()), reinterpret_cast<uchar*>(seed.data()) + 2 * i);
        files += bytes;
    }
    return seed + files;
}

QByteArray updatePackage(const QString& path)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return QByteArray();
    struct entry {
        QString name;
        QByteArray bytes;
        int method;  // 0 stored, 8 deflated
    };
    const QList<entry> entries = {
        {QStringLiteral("bin/"), QByteArray(), 0},
        {QStringLiteral("bin/Quorin"), QByteArray("\x7f" "ELF program image, second edition").repeated(20), 8},
        {QStringLiteral("translations/quorin_en.qm"), QByteArray("translated texts"), 0},
    };
    for (const entry& e : entries) {
        QuaZipFile file(&zip);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(e.name), nullptr, 0, e.method);
        file.write(e.bytes);
        file.close();
    }
    zip.close();
    return readFile(path);
}

void waitFor(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < PeerRig::PEER_WAIT)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: fuzz_seeds <tests/fuzz folder>\n");
        return 2;
    }
    Seeds seeds(QString::fromLocal8Bit(argv[1]));
    SyncRig rig(10);
    if (!rig.isReady()) {
        std::fprintf(stderr, "the peers did not start\n");
        return 1;
    }
    rig.band().generateDays(QDate::currentDate(), 11);
    CoreHub& hub = rig.hub();
    QByteArray output;
    QList<QPair<int, QByteArray>> replies;
    QObject::connect(hub.findChild<PortHarvest*>(), &PortHarvest::onRecv,
                     [&](int, QByteArray data) { output += data; });
    QObject::connect(hub.findChild<CloudMirror*>(), &CloudMirror::download,
                     [&](int tag, QByteArray data) { replies.append({tag, data}); });
    if (!rig.syncToEnd(120000) || rig.statuses.last().code != BandHarvest::STATUS_DONE) {
        std::fprintf(stderr, "the sync did not finish\n");
        return 1;
    }

    const QString token = rig.token();
    const QString version = CoreHub::version();
    const QString language = hub.LanguageString();
    const QString address = rig.band().info.address;
    const QDateTime now = QDateTime::currentDateTime();
    const int before = replies.size();
    hub.nsDevBindList(token, version, language);
    hub.nsGetHealthNum(token, version, language);
    hub.nsDaySportStats(token, now, version, language);
    hub.nsWeekSportStats(token, now.addDays(-6), now, version, language);
    hub.nsDaySleepStats(token, now, version, language);
    hub.nsWeekSleepStats(token, now.addDays(-6), now, version, language);
    hub.nsQueryLastSync(token, address, QStringLiteral("QB0001"), version, language);
    hub.nsQueryLastData(token, address, QStringLiteral("QB0001"), now, version, language);
    hub.nsAppVer(hub.appKey(), CoreHub::appSysType(), version, language);
    hub.nsFirmware(token, 0x0100, true);
    hub.nsLogin(SyncRig::MOBILE, PeerRig::PASSWORD, hub.appKey(), CoreHub::appSysType(), QString(), version, language);
    hub.nsLogout(token, version, language);
    waitFor([&] { return replies.size() >= before + 12; });

    QList<QByteArray> messages = output.split('\0');
    messages.removeLast();
    writeAdapterSeeds(seeds, messages);
    writeBandSeeds(seeds, notifiedPackets(messages));
    for (const auto& reply : replies)
        seeds.write(QStringLiteral("cloud"), QByteArray(1, char(reply.first - CloudGate::NS_MSG_REGISTER)) + reply.second);
    hub.fdSave();
    seeds.write(QStringLiteral("dayfiles"), dayFilesSeed(QFileInfo(findBelow(rig.home(), QStringLiteral("step.t"))).path()));
    seeds.write(QStringLiteral("userrecord"), readFile(findBelow(rig.home(), QStringLiteral("userinfo"))));
    seeds.write(QStringLiteral("updatezip"), updatePackage(rig.home() + QStringLiteral("/update.zip")));
    std::printf("adapter messages %d, cloud replies %d\n", int(messages.size()), int(replies.size()));
    return 0;
}
