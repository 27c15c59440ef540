#include "pageselfrefresh.h"

#include "cloudprocess.h"
#include "packagemaker.h"
#include "packagereader.h"
#include "pagerig.h"
#include "peakmemory.h"
#include "programcopy.h"

#include <QDirIterator>
#include <QLabel>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextDocument>
#include <QThread>
#include <QtTest>

#include <limits>
#include <memory>

enum class Offer { SameVersion, OlderVersion, EmptyVersionNoUrl, Refused, Malformed, MarkupVersion };
Q_DECLARE_METATYPE(Offer)
enum class Road { Direct, MovedAbsolute, MovedRelative, Unsized, MovedUnsized, HeadShort, MovedSlowUnsized };
Q_DECLARE_METATYPE(Road)
enum class Hostile { FileAddress, MovedToFile, HeadMissing, GetMissing, CutBody, UnsizedHalf, EscapingEntry, CorruptZip, NameUp, NameUpBackslash, NameDots, EndlessBody, StalledBody, HugeHead, HeadOverCeiling, HugeGet, LargestGet, EndlessPoured, GzippedBody };
Q_DECLARE_METATYPE(Hostile)
enum class Closing { CheckCancel, WindowClose, ConfirmLater, DownloadCancelMidGet };
Q_DECLARE_METATYPE(Closing)

namespace {

const QString PACKAGE_PATH = QStringLiteral("/download/quorin-1.0.1.zip");
const QString NEW_VERSION = QStringLiteral("1.0.1");
const QString DESCRIPTION = QStringLiteral("1. 同步更快\n2. 周图表更清楚\n3. 修复了固件更新后的重连问题");
const QByteArray OLD_DATA = QByteArrayLiteral("old program data\n");
const QByteArray NEW_DATA = QByteArrayLiteral("new program data\n");
const QString MOVED_PATH = QStringLiteral("/files/quorin-1.0.1.zip");
// What a web server sends with its 302: a page of its own, whose length is no package's.
const QByteArray REDIRECT_PAGE = QByteArrayLiteral(
    "<html>\r\n<head><title>302 Found</title></head>\r\n<body>\r\n<center><h1>302 Found</h1></center>\r\n"
    "<hr><center>nginx</center>\r\n</body>\r\n</html>\r\n");
// The largest download the page takes: the store's unpack limit and room for the zip's records.
const qint64 DOWNLOAD_CEILING = PackageReader::maxTotalSize + (qint64(64) << 20);
// How much more may be resident at the peak of a download: its read buffers, with a wide margin.
const qint64 PEAK_GROWTH = (qint64(64) << 20) + PeakMemory::QUARANTINE;

enum TAB { TAB_CHECK, TAB_CONFIRM, TAB_DOWNLOAD, TAB_UNCOMPRESS, TAB_END };

QString programDir()
{
    return QCoreApplication::applicationDirPath();
}

QString programParent()
{
    return QFileInfo(programDir()).absolutePath();
}

// The folder as a fresh install leaves it: the test program and one data file a package replaces.
bool resetProgramFolder()
{
    if (!ProgramCopy::isCopy())
        return false;
    const QString self = QCoreApplication::applicationFilePath();
    QDirIterator entries(programDir(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        const QFileInfo entry(entries.next());
        if (entry.absoluteFilePath() == self)
            continue;
        const bool gone = entry.isDir() && !entry.isSymLink() ? QDir(entry.absoluteFilePath()).removeRecursively()
                                                             : QFile::remove(entry.absoluteFilePath());
        if (!gone)
            return false;
    }
    QFile data(programDir() + QStringLiteral("/data.txt"));
    return data.open(QIODevice::WriteOnly) && data.write(OLD_DATA) == OLD_DATA.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and folder under root, relative, but for the subtrees named.
QStringList tree(const QString& root, const QStringList& skipped)
{
    QStringList found;
    QDirIterator entries(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        bool skip = false;
        for (const QString& subtree : skipped)
            skip = skip || path == subtree || path.startsWith(subtree + QLatin1Char('/'));
        if (!skip)
            found << QDir(root).relativeFilePath(path);
    }
    found.sort();
    return found;
}

// A package over the program folder: data.txt replaced, a new folder with an incompressible file
// large enough that a slow server takes seconds over it.
QByteArray programPackage(const QString& folder, const Entries& extra = Entries())
{
    QByteArray blob(80 * 1024, Qt::Uninitialized);
    QRandomGenerator random(26);
    for (char& byte : blob)
        byte = char(random.generate());
    Entries entries{{QStringLiteral("data.txt"), NEW_DATA},
                    {QStringLiteral("plugins/"), QByteArray()},
                    {QStringLiteral("plugins/blob.bin"), blob}};
    entries += extra;
    return readFile(makePackage(folder + QStringLiteral("/package.zip"), entries));
}

QTabWidget* tabsOf(QWidget& dialog)
{
    return dialog.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
}

int tabOf(QWidget& dialog)
{
    return tabsOf(dialog)->currentIndex();
}

QWidget* page(QWidget& dialog, const int& tab)
{
    return tabsOf(dialog)->widget(tab);
}

QString textOf(QWidget& dialog, const int& tab, const char* label = "label_text")
{
    return page(dialog, tab)->findChild<QLabel*>(QLatin1String(label))->text();
}

// What the user reads: a label that takes its text for markup shows the markup's text, not the tags.
QString seenText(QWidget& dialog, const int& tab, const char* label = "label_text")
{
    return PageRig::readText(*page(dialog, tab)->findChild<QLabel*>(QLatin1String(label)));
}

QWidget* button(QWidget& dialog, const int& tab, const char* name)
{
    return page(dialog, tab)->findChild<QWidget*>(QLatin1String(name));
}

void click(QWidget& dialog, const int& tab, const char* name)
{
    QTest::mouseClick(button(dialog, tab, name), Qt::LeftButton);
}

int barOf(QWidget& dialog, const int& tab)
{
    return page(dialog, tab)->findChild<QProgressBar*>(QStringLiteral("progressBar"))->value();
}

// "40.9KB" as the download page writes it, in bytes give or take its last digit.
qint64 bytesOf(const QString& size)
{
    const int unit = size.indexOf(QRegularExpression(QStringLiteral("[KMG]?B$")));
    const QString name = size.mid(unit);
    const qint64 scale = name == QLatin1String("B") ? 1 : name == QLatin1String("KB") ? 1000 : 1000000;
    return qint64(size.left(unit).toDouble() * scale);
}

QStringList fileRequests(const PageRig& rig)
{
    QStringList list;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests()) {
        if (!request.path.startsWith(LoopbackCloud::PATH_PREFIX))
            list << QString::fromLatin1(request.method) + QLatin1Char(' ') + request.path;
    }
    return list;
}

// A second cloud on a thread of its own, serving one file: it sends as fast as the link takes
// it, whatever the page's thread is busy with.
class ThreadedCloud
{
public:
    ThreadedCloud(const QString& path, const LoopbackCloud::lc_file& file)
    {
        m_cloud->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_cloud, &QObject::deleteLater);
        m_thread.start();
        QMetaObject::invokeMethod(
            m_cloud,
            [this, path, file] {
                if (m_cloud->start())
                    m_url = m_cloud->fileUrl(path);
                m_cloud->serveFile(path, file);
            },
            Qt::BlockingQueuedConnection);
    }
    ~ThreadedCloud()
    {
        m_thread.quit();
        m_thread.wait();
    }
    // The file's address; empty when the cloud could not listen.
    QUrl url() const { return m_url; }

private:
    QThread m_thread;
    LoopbackCloud* m_cloud = new LoopbackCloud;
    QUrl m_url;
};

int versionRequests(const PageRig& rig)
{
    int count = 0;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests())
        count += request.path.endsWith(QLatin1String("param/getappnewversion")) ? 1 : 0;
    return count;
}

void offer(PageRig& rig, const QString& version, const QString& url)
{
    CloudLedger::lc_app_version record;
    record.version = version;
    record.isGoUp = true;
    record.url = url;
    record.content = DESCRIPTION;
    rig.cloud().ledger().setAppVersion(record);
}

// The dialog as the main window opens it: no parent, activated, then shown.
std::unique_ptr<PageSelfRefresh> openWizard(PageRig& rig)
{
    std::unique_ptr<PageSelfRefresh> dialog(new PageSelfRefresh(nullptr));
    rig.activate(*dialog);
    dialog->show();
    return dialog;
}

} // namespace

class TestPageSelfRefresh : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void versionCheck_data();
    void versionCheck();
    void road_data();
    void road();
    void hostilePeers_data();
    void hostilePeers();
    void closing_data();
    void closing();
    void withoutHub();
};

void TestPageSelfRefresh::init()
{
    QVERIFY2(resetProgramFolder(), "the program folder is not a copy's");
}

void TestPageSelfRefresh::versionCheck_data()
{
    QTest::addColumn<Offer>("offered");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("updateEnabled");
    QTest::newRow("same version: up to date, no confirm page")
        << Offer::SameVersion << int(TAB_CHECK) << "已是最新版本." << false;
    QTest::newRow("an older version still differs and is offered")
        << Offer::OlderVersion << int(TAB_CONFIRM) << "发现新版本,是否更新?(当前:1.0.0,最新:0.9.10)" << true;
    QTest::newRow("an empty version without address leaves 立即升级 disabled")
        << Offer::EmptyVersionNoUrl << int(TAB_CONFIRM) << "发现新版本,是否更新?(当前:1.0.0,最新:)" << false;
    QTest::newRow("a refused check shows the code's own message")
        << Offer::Refused << int(TAB_CHECK) << "检测失败,请重试!!!" << false;
    QTest::newRow("a reply that is no JSON is a failed check")
        << Offer::Malformed << int(TAB_CHECK) << "检测失败,请重试!!!" << false;
    QTest::newRow("a version in markup shows its tags as they came")
        << Offer::MarkupVersion << int(TAB_CONFIRM) << "发现新版本,是否更新?(当前:1.0.0,最新:<b>2.0</b>)" << true;
}

void TestPageSelfRefresh::versionCheck()
{
    QFETCH(Offer, offered);
    QFETCH(int, tab);
    QFETCH(QString, text);
    QFETCH(bool, updateEnabled);
    PageRig rig;
    QVERIFY(rig.isReady());
    const QString path = LoopbackCloud::PATH_PREFIX + QStringLiteral("param/getappnewversion");
    if (offered == Offer::OlderVersion)
        offer(rig, QStringLiteral("0.9.10"), rig.cloud().fileUrl(PACKAGE_PATH).toString());
    if (offered == Offer::EmptyVersionNoUrl)
        offer(rig, QString(), QString());
    if (offered == Offer::MarkupVersion)
        offer(rig, QStringLiteral("<b>2.0</b>"), rig.cloud().fileUrl(PACKAGE_PATH).toString());
    if (offered == Offer::Refused)
        rig.cloud().setFault(path, {LoopbackCloud::FAULT_FOREIGN_TEXT, QStringLiteral("a001"), QStringLiteral("not the table's text"), 0});
    if (offered == Offer::Malformed)
        rig.cloud().setFault(path, {LoopbackCloud::FAULT_MALFORMED, QString(), QString(), 0});
    auto dialog = openWizard(rig);
    QCOMPARE(textOf(*dialog, TAB_CHECK), QStringLiteral("正在检测更新..."));
    QVERIFY(!button(*dialog, TAB_CHECK, "bt_ok")->isEnabled());
    if (offered == Offer::SameVersion)
        QVERIFY(rig.shot(*dialog, QStringLiteral("check")));
    QTRY_VERIFY_WITH_TIMEOUT(button(*dialog, TAB_CHECK, "bt_ok")->isEnabled(), PeerRig::PEER_WAIT);
    QCOMPARE(tabOf(*dialog), tab);
    QCOMPARE(seenText(*dialog, tab), text);
    if (tab == TAB_CONFIRM) {
        QCOMPARE(textOf(*dialog, TAB_CONFIRM, "label_description"), DESCRIPTION);
        QCOMPARE(button(*dialog, TAB_CONFIRM, "bt_ok")->isEnabled(), updateEnabled);
        click(*dialog, TAB_CONFIRM, "bt_ok");
        QCOMPARE(tabOf(*dialog), updateEnabled ? int(TAB_DOWNLOAD) : int(TAB_CONFIRM));
        return;
    }
    if (offered == Offer::SameVersion)
        QCOMPARE(textOf(*dialog, TAB_CHECK, "label_description"), QStringLiteral("当前已是最新版本,不需要更新."));
    if (offered == Offer::Refused)
        QCOMPARE(textOf(*dialog, TAB_CHECK, "label_description"), CloudGate::getNsRetCode(QStringLiteral("a001")).retMsg);
    // The check button asks again, and its answer is taken once.
    click(*dialog, TAB_CHECK, "bt_ok");
    QTRY_VERIFY_WITH_TIMEOUT(button(*dialog, TAB_CHECK, "bt_ok")->isEnabled(), PeerRig::PEER_WAIT);
    QCOMPARE(versionRequests(rig), 2);
    QCOMPARE(textOf(*dialog, TAB_CHECK), text);
}

void TestPageSelfRefresh::road_data()
{
    QTest::addColumn<Road>("road");
    QTest::addColumn<QStringList>("requests");
    const QString file = MOVED_PATH;
    QTest::newRow("served under its own name, slowly enough for the speed text")
        << Road::Direct << QStringList{"HEAD " + PACKAGE_PATH, "GET " + PACKAGE_PATH};
    QTest::newRow("the HEAD's absolute Location is fetched")
        << Road::MovedAbsolute << QStringList{"HEAD " + PACKAGE_PATH, "GET " + file};
    QTest::newRow("the HEAD's relative Location is resolved against the address asked")
        << Road::MovedRelative << QStringList{"HEAD " + PACKAGE_PATH, "GET " + file};
    QTest::newRow("a whole body with no length, ended by the close, is taken")
        << Road::Unsized << QStringList{"HEAD " + PACKAGE_PATH, "GET " + PACKAGE_PATH};
    QTest::newRow("a Location's body with no length is not held to the redirect page's own length")
        << Road::MovedUnsized << QStringList{"HEAD " + PACKAGE_PATH, "GET " + file};
    QTest::newRow("a GET announcing another length than the HEAD's is counted against its own, the bar within 100")
        << Road::HeadShort << QStringList{"HEAD " + PACKAGE_PATH, "GET " + PACKAGE_PATH};
    QTest::newRow("a redirect page's length is no total for a slow Location's body without one: the label counts what came")
        << Road::MovedSlowUnsized << QStringList{"HEAD " + PACKAGE_PATH, "GET " + file};
}

void TestPageSelfRefresh::road()
{
    QFETCH(Road, road);
    QFETCH(QStringList, requests);
    PageRig rig;
    QVERIFY(rig.isReady());
    QTemporaryDir work;
    LoopbackCloud::lc_file package;
    package.body = programPackage(work.path());
    QVERIFY(!package.body.isEmpty());
    package.disposition = QStringLiteral("quorin-1.0.1.zip");
    // Slow enough for the label's once-a-second progress; the HEAD's quarter is passed by then.
    const bool slow = road == Road::Direct || road == Road::HeadShort || road == Road::MovedSlowUnsized;
    package.pieceBytes = 4096;
    package.pieceMs = 100;
    if (road == Road::Direct || road == Road::HeadShort) {
        package.mode = LoopbackCloud::FILE_SLOW;
        package.headLength = road == Road::HeadShort ? package.body.size() / 4 : -1;
        rig.cloud().serveFile(PACKAGE_PATH, package);
    } else if (road == Road::Unsized) {
        package.mode = LoopbackCloud::FILE_UNSIZED;
        rig.cloud().serveFile(PACKAGE_PATH, package);
    } else {
        LoopbackCloud::lc_file moved = package;
        moved.location = road == Road::MovedRelative ? QStringLiteral("../files/quorin-1.0.1.zip")
                                                     : rig.cloud().fileUrl(MOVED_PATH).toString();
        if (road == Road::MovedUnsized || road == Road::MovedSlowUnsized) {
            package.mode = road == Road::MovedUnsized ? LoopbackCloud::FILE_UNSIZED : LoopbackCloud::FILE_SLOW_UNSIZED;
            moved.body = REDIRECT_PAGE;
        }
        rig.cloud().serveFile(MOVED_PATH, package);
        rig.cloud().serveFile(PACKAGE_PATH, moved);
    }
    offer(rig, NEW_VERSION, rig.cloud().fileUrl(PACKAGE_PATH).toString());
    const QString root = rig.hub().fdUpdateDir();
    auto dialog = openWizard(rig);
    QTRY_COMPARE_WITH_TIMEOUT(tabOf(*dialog), int(TAB_CONFIRM), PeerRig::PEER_WAIT);
    QCOMPARE(textOf(*dialog, TAB_CONFIRM), QStringLiteral("发现新版本,是否更新?(当前:1.0.0,最新:1.0.1)"));
    QCOMPARE(textOf(*dialog, TAB_CONFIRM, "label_description"), DESCRIPTION);
    if (road == Road::Direct)
        QVERIFY(rig.shot(*dialog, QStringLiteral("confirm")));
    QSignalSpy progress(&rig.hub(), SIGNAL(onFdProcess(LocalVault::process)));
    QSignalSpy downloaded(page(*dialog, TAB_DOWNLOAD), SIGNAL(onNext(QString,QString)));
    click(*dialog, TAB_CONFIRM, "bt_ok");
    QCOMPARE(tabOf(*dialog), int(TAB_DOWNLOAD));
    if (slow) {
        QTRY_VERIFY_WITH_TIMEOUT(textOf(*dialog, TAB_DOWNLOAD).startsWith(QStringLiteral("正在下载升级包:(")),
                                 PeerRig::PEER_WAIT);
        const QString shown = textOf(*dialog, TAB_DOWNLOAD);
        const int bar = barOf(*dialog, TAB_DOWNLOAD);
        const QRegularExpression pattern(
            QStringLiteral("^正在下载升级包:\\(([0-9.]+K?B)(?:/([0-9.]+KB))?\\),速度[0-9.]+K?B/秒$"));
        const QRegularExpressionMatch match = pattern.match(shown);
        QVERIFY2(match.hasMatch(), qPrintable(shown));
        // Counted against the body's own length; after a redirect without one, no total and a bar at rest.
        const QString total = road == Road::MovedSlowUnsized
            ? QString() : QString::number(package.body.size() / 1000.0, 'f', 1) + QStringLiteral("KB");
        QCOMPARE(match.captured(2), total);
        const qint64 percent = total.isEmpty() ? 0 : bytesOf(match.captured(1)) * 100 / bytesOf(total);
        QVERIFY2(qAbs(bar - percent) <= 1, qPrintable(QStringLiteral("%1 at %2").arg(bar).arg(shown)));
        if (road != Road::HeadShort)
            QVERIFY(rig.shot(*dialog, road == Road::Direct ? QStringLiteral("download") : QStringLiteral("download-unsized")));
    }
    QTRY_COMPARE_WITH_TIMEOUT(tabOf(*dialog), int(TAB_END), PeerRig::PEER_WAIT);
    QCOMPARE(textOf(*dialog, TAB_END), QStringLiteral("软件升级成功,重启软件后生效."));
    QCOMPARE(textOf(*dialog, TAB_DOWNLOAD), QStringLiteral("下载升级包完成."));
    QCOMPARE(textOf(*dialog, TAB_UNCOMPRESS), QStringLiteral("正在解压更新包100%..."));
    QCOMPARE(fileRequests(rig), requests);
    // The package landed in a new folder under the download root, under its announced name.
    QCOMPARE(downloaded.size(), 1);
    const QString file = downloaded.first().at(0).toString();
    QCOMPARE(QFileInfo(file).fileName(), QStringLiteral("quorin-1.0.1.zip"));
    QCOMPARE(QFileInfo(QFileInfo(file).absolutePath()).absolutePath(), QFileInfo(root).absoluteFilePath());
    QCOMPARE(downloaded.first().at(1).toString(), programDir());
    // Test, then unpack: the store's reports in order; three entries give 33, 66, 100.
    QList<QPair<int, bool>> reports;
    for (const QList<QVariant>& report : progress) {
        const auto record = report.first().value<LocalVault::process>();
        reports << qMakePair(record.percent, record.done);
    }
    const QList<QPair<int, bool>> expected{{0, false}, {100, false}, {100, true}, {0, false},
                                           {33, false}, {66, false}, {100, false}, {100, true}};
    QCOMPARE(reports, expected);
    QCOMPARE(readFile(programDir() + QStringLiteral("/data.txt")), NEW_DATA);
    QCOMPARE(readFile(programDir() + QStringLiteral("/data.txt.bk")), OLD_DATA);
    QCOMPARE(readFile(programDir() + QStringLiteral("/updatelist.conf")),
             (programDir() + QStringLiteral("/data.txt.bk\r\n")).toUtf8());
    QVERIFY(QFileInfo(programDir() + QStringLiteral("/plugins/blob.bin")).isFile());
    if (road == Road::Direct) {
        tabsOf(*dialog)->setCurrentIndex(TAB_UNCOMPRESS);
        QVERIFY(rig.shot(*dialog, QStringLiteral("unpack")));
        tabsOf(*dialog)->setCurrentIndex(TAB_END);
        QVERIFY(rig.shot(*dialog, QStringLiteral("result")));
    }
    // Nobody else may look into the package's folder.
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(QFileInfo(QFileInfo(file).absolutePath()).permissions() & others, QFileDevice::Permissions());
    // The wizard's end takes its download folder with it.
    dialog.reset();
    QCOMPARE(tree(root, {}), QStringList());
    // Opened again before a restart, the wizard only says that the update waits for it.
    const int asked = versionRequests(rig);
    auto again = openWizard(rig);
    QCOMPARE(tabOf(*again), int(TAB_END));
    QCOMPARE(textOf(*again, TAB_END), QStringLiteral("软件升级成功,重启软件后生效."));
    QCOMPARE(versionRequests(rig), asked);
}

void TestPageSelfRefresh::hostilePeers_data()
{
    QTest::addColumn<Hostile>("hostile");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("landed");
    QTest::newRow("an address that is no web address is not fetched")
        << Hostile::FileAddress << int(TAB_DOWNLOAD) << "下载地址无效!!!" << QString();
    QTest::newRow("a Location that is no web address is not followed")
        << Hostile::MovedToFile << int(TAB_DOWNLOAD) << "创建下载失败,请重试!" << QString();
    QTest::newRow("HEAD 404 is a size error") << Hostile::HeadMissing << int(TAB_DOWNLOAD) << "获取下载文件大小错误:0B" << QString();
    QTest::newRow("GET 404 after a good HEAD is a failed download")
        << Hostile::GetMissing << int(TAB_DOWNLOAD) << "下载升级包失败,请重试!" << QString();
    QTest::newRow("a body cut short is a failed download")
        << Hostile::CutBody << int(TAB_DOWNLOAD) << "下载升级包失败,请重试!" << QString();
    QTest::newRow("half a body with no length is shorter than the HEAD said")
        << Hostile::UnsizedHalf << int(TAB_DOWNLOAD) << "下载升级包失败,请重试!" << QString();
    QTest::newRow("an entry climbing out of the program folder fails the test")
        << Hostile::EscapingEntry << int(TAB_UNCOMPRESS) << "检测更新包失败!!!" << QString();
    QTest::newRow("a corrupt zip fails the test") << Hostile::CorruptZip << int(TAB_UNCOMPRESS) << "检测更新包失败!!!" << QString();
    QTest::newRow("a name climbing with / lands inside the download folder")
        << Hostile::NameUp << int(TAB_END) << "软件升级成功,重启软件后生效." << "evil.zip";
    QTest::newRow("a name climbing with \\ lands inside the download folder")
        << Hostile::NameUpBackslash << int(TAB_END) << "软件升级成功,重启软件后生效." << "evil.zip";
    QTest::newRow("a name of dots falls back to the address's name")
        << Hostile::NameDots << int(TAB_END) << "软件升级成功,重启软件后生效." << "quorin-1.0.1.zip";
    QTest::newRow("an endless body with no length is cut at the HEAD's size, a failed download")
        << Hostile::EndlessBody << int(TAB_DOWNLOAD) << "下载升级包失败,请重试!" << QString();
    QTest::newRow("a body that stops halfway fails once nothing came for the time-out")
        << Hostile::StalledBody << int(TAB_DOWNLOAD) << "下载升级包失败,请重试!" << QString();
    QTest::newRow("a HEAD announcing more than any package can be is a size error, and no GET goes out")
        << Hostile::HugeHead << int(TAB_DOWNLOAD) << "获取下载文件大小错误:100.000GB" << QString();
    QTest::newRow("a HEAD announcing a byte more than the ceiling is a size error")
        << Hostile::HeadOverCeiling << int(TAB_DOWNLOAD) << "获取下载文件大小错误:1.141GB" << QString();
    QTest::newRow("a GET announcing more than any package can be fails before a byte is written")
        << Hostile::HugeGet << int(TAB_DOWNLOAD) << "下载升级包失败,请重试!" << QString();
    QTest::newRow("a GET announcing the largest length there is fails before a byte is written or counted")
        << Hostile::LargestGet << int(TAB_DOWNLOAD) << "下载升级包失败,请重试!" << QString();
    QTest::newRow("an endless body poured as fast as it is taken is cut at the HEAD's 256 MiB, in little memory")
        << Hostile::EndlessPoured << int(TAB_DOWNLOAD) << "下载升级包失败,请重试!" << QString();
    QTest::newRow("gzipped zeros without end are taken as sent and cut at the HEAD's 256 MiB, in little memory")
        << Hostile::GzippedBody << int(TAB_DOWNLOAD) << "下载升级包失败,请重试!" << QString();
}

void TestPageSelfRefresh::hostilePeers()
{
    QFETCH(Hostile, hostile);
    QFETCH(int, tab);
    QFETCH(QString, text);
    QFETCH(QString, landed);
    PageRig rig;
    QVERIFY(rig.isReady());
    QTemporaryDir work;
    LoopbackCloud::lc_file package;
    const Entries escaping{{QStringLiteral("../escape.txt"), QByteArrayLiteral("out")}};
    package.body = programPackage(work.path(), hostile == Hostile::EscapingEntry ? escaping : Entries());
    package.disposition = QStringLiteral("quorin-1.0.1.zip");
    package.headStatus = hostile == Hostile::HeadMissing ? 404 : 200;
    package.getStatus = hostile == Hostile::GetMissing ? 404 : 200;
    const bool endless = hostile == Hostile::EndlessBody || hostile == Hostile::HugeGet || hostile == Hostile::LargestGet
        || hostile == Hostile::EndlessPoured;
    package.mode = hostile == Hostile::CutBody ? LoopbackCloud::FILE_CUT
                 : hostile == Hostile::UnsizedHalf ? LoopbackCloud::FILE_UNSIZED_HALF
                 : endless ? LoopbackCloud::FILE_ENDLESS
                 : hostile == Hostile::StalledBody ? LoopbackCloud::FILE_STALLED : LoopbackCloud::FILE_WHOLE;
    package.pieceMs = 10;
    const qint64 hundredGB = 100000000000;
    const qint64 poured = qint64(256) << 20;
    package.headLength = hostile == Hostile::HugeHead ? hundredGB
                       : hostile == Hostile::HeadOverCeiling ? DOWNLOAD_CEILING + 1
                       : hostile == Hostile::EndlessPoured ? poured : -1;
    package.getLength = hostile == Hostile::HugeGet ? hundredGB
                      : hostile == Hostile::LargestGet ? std::numeric_limits<qint64>::max() : -1;
    if (hostile == Hostile::CorruptZip)
        package.body = QByteArray("PK\x03\x04") + QByteArray(4000, '\x7f');
    if (hostile == Hostile::NameUp)
        package.disposition = QStringLiteral("../../evil.zip");
    if (hostile == Hostile::NameUpBackslash)
        package.disposition = QStringLiteral("..\\..\\evil.zip");
    if (hostile == Hostile::NameDots)
        package.disposition = QStringLiteral("..");
    const QString localFile = QUrl::fromLocalFile(programDir() + QStringLiteral("/data.txt")).toString();
    if (hostile == Hostile::MovedToFile)
        package.location = localFile;
    rig.cloud().serveFile(PACKAGE_PATH, package);
    QString address = hostile == Hostile::FileAddress ? localFile : rig.cloud().fileUrl(PACKAGE_PATH).toString();
    std::unique_ptr<ThreadedCloud> pouring;
    if (hostile == Hostile::EndlessPoured) {
        package.body = QByteArray(1 << 20, 'z');
        package.pieceMs = 0;
        pouring.reset(new ThreadedCloud(PACKAGE_PATH, package));
        address = pouring->url().toString();
        QVERIFY(!address.isEmpty());
    }
    std::unique_ptr<CloudProcess> packing;
    if (hostile == Hostile::GzippedBody) {
        packing = std::make_unique<CloudProcess>();
        QVERIFY(packing->url().isValid());
        address = packing->fileUrl(LoopbackCloud::GZIPPED_PATH).toString();
    }
    offer(rig, NEW_VERSION, address);
    const QString root = rig.hub().fdUpdateDir();
    const QStringList homeBefore = tree(rig.home(), {root});
    const QStringList aroundBefore = tree(programParent(), {programDir()});
    auto dialog = openWizard(rig);
    QTRY_COMPARE_WITH_TIMEOUT(tabOf(*dialog), int(TAB_CONFIRM), PeerRig::PEER_WAIT);
    QSignalSpy downloaded(page(*dialog, TAB_DOWNLOAD), SIGNAL(onNext(QString,QString)));
    QSignalSpy unpacked(page(*dialog, TAB_UNCOMPRESS), SIGNAL(onNext(bool)));
    // What the page kept of the body before it gave up.
    if (hostile == Hostile::EndlessBody)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("received= %1 ,cap= %1$").arg(package.body.size())));
    if (hostile == Hostile::StalledBody) {
        QVERIFY(page(*dialog, TAB_DOWNLOAD)->setProperty("stallMs", 2000));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("received= %1$").arg(package.body.size() / 2)));
    }
    if (hostile == Hostile::HugeGet || hostile == Hostile::LargestGet)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("received= 0 ,cap= 0$")));
    if (hostile == Hostile::EndlessPoured)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("received= %1 ,cap= %1$").arg(poured)));
    if (hostile == Hostile::GzippedBody)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(
            QStringLiteral("received= %1 ,cap= %1$").arg(LoopbackCloud::GZIPPED_HEAD_LENGTH)));
    const PeakMemory peak;
    QVERIFY(peak.valid());
    click(*dialog, TAB_CONFIRM, "bt_ok");
    // 256 MiB through the page take more than a peer's usual time in an instrumented build.
    const bool large = hostile == Hostile::EndlessPoured || hostile == Hostile::GzippedBody;
    QTRY_COMPARE_WITH_TIMEOUT(textOf(*dialog, tab), text, large ? 4 * PeerRig::PEER_WAIT : PeerRig::PEER_WAIT);
    QCOMPARE(tabOf(*dialog), tab);
    // What arrives waits in memory only a piece at a time, however much of it comes.
    QVERIFY2(peak.growth() < PEAK_GROWTH, qPrintable(QString::number(peak.growth())));
    if (hostile == Hostile::HugeHead)
        QCOMPARE(fileRequests(rig), QStringList{"HEAD " + PACKAGE_PATH});
    if (tab == TAB_DOWNLOAD) {
        QCOMPARE(downloaded.size(), 0);
        // Retrying an address that can never be fetched is no use.
        QCOMPARE(button(*dialog, TAB_DOWNLOAD, "bt_ok")->isEnabled(), hostile != Hostile::FileAddress);
        QCOMPARE(tree(root, {}), QStringList());
    }
    if (tab == TAB_UNCOMPRESS)
        QCOMPARE(unpacked.size(), 0);
    if (!landed.isEmpty()) {
        QCOMPARE(downloaded.size(), 1);
        const QFileInfo file(downloaded.first().at(0).toString());
        QCOMPARE(file.fileName(), landed);
        QCOMPARE(QFileInfo(file.absolutePath()).absolutePath(), QFileInfo(root).absoluteFilePath());
    }
    dialog.reset();
    QCOMPARE(tree(rig.home(), {root}), homeBefore);
    QCOMPARE(tree(programParent(), {programDir()}), aroundBefore);
    QCOMPARE(tree(root, {}), QStringList());
    QCOMPARE(readFile(programDir() + QStringLiteral("/data.txt")), tab == TAB_END ? NEW_DATA : OLD_DATA);
}

void TestPageSelfRefresh::closing_data()
{
    QTest::addColumn<Closing>("closing");
    QTest::addColumn<int>("closeSignals");
    QTest::newRow("a page's cancel closes the wizard, heard twice") << Closing::CheckCancel << 2;
    QTest::newRow("the window's own close is heard once") << Closing::WindowClose << 1;
    QTest::newRow("later on the confirm page deletes nothing of the working folder") << Closing::ConfirmLater << 2;
    QTest::newRow("cancel during a slow GET takes the partial file and its folder") << Closing::DownloadCancelMidGet << 2;
}

void TestPageSelfRefresh::closing()
{
    QFETCH(Closing, closing);
    QFETCH(int, closeSignals);
    PageRig rig;
    QVERIFY(rig.isReady());
    QTemporaryDir work;
    const QString keep = work.path() + QStringLiteral("/keep.txt");
    QVERIFY(QFile(keep).open(QIODevice::WriteOnly));
    const QString oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    LoopbackCloud::lc_file package;
    package.body = programPackage(work.path());
    package.mode = LoopbackCloud::FILE_SLOW;
    package.pieceBytes = 1024;
    package.pieceMs = 200;
    rig.cloud().serveFile(PACKAGE_PATH, package);
    offer(rig, closing == Closing::CheckCancel || closing == Closing::WindowClose ? CoreHub::version() : NEW_VERSION,
          rig.cloud().fileUrl(PACKAGE_PATH).toString());
    const QString root = rig.hub().fdUpdateDir();
    auto dialog = openWizard(rig);
    QSignalSpy closed(dialog.get(), SIGNAL(onClose()));
    QTRY_VERIFY_WITH_TIMEOUT(button(*dialog, TAB_CHECK, "bt_ok")->isEnabled() || tabOf(*dialog) == TAB_CONFIRM,
                             PeerRig::PEER_WAIT);
    int tab = tabOf(*dialog);
    if (closing == Closing::DownloadCancelMidGet) {
        click(*dialog, TAB_CONFIRM, "bt_ok");
        QTRY_VERIFY_WITH_TIMEOUT(tree(root, {}).size() == 2 && QFileInfo(root + QLatin1Char('/') + tree(root, {}).last()).size() > 0,
                                 PeerRig::PEER_WAIT);
        tab = TAB_DOWNLOAD;
    }
    if (closing == Closing::WindowClose)
        dialog->close();
    else
        click(*dialog, tab, "bt_cancel");
    QCOMPARE(closed.size(), closeSignals);
    QVERIFY(!dialog->isVisible());
    dialog.reset();
    QVERIFY(QDir::setCurrent(oldCurrent));
    QVERIFY(QFileInfo(keep).isFile());
    QCOMPARE(tree(root, {}), QStringList());
}

// Opened without a hub, the wizard waits on its check page and says so when asked to check.
void TestPageSelfRefresh::withoutHub()
{
    PageRig rig;
    QVERIFY(rig.isReady());
    PageSelfRefresh dialog(nullptr);
    dialog.setMsg(nullptr);
    QCOMPARE(tabOf(dialog), int(TAB_CHECK));
    QCOMPARE(textOf(dialog, TAB_CHECK), QStringLiteral("提示内容"));
    click(dialog, TAB_CHECK, "bt_ok");
    QCOMPARE(textOf(dialog, TAB_CHECK), QStringLiteral("无法连接到消息中心!!!"));
    QCOMPARE(versionRequests(rig), 0);
}

int main(int argc, char* argv[])
{
    if (!ProgramCopy::isCopy())
        return ProgramCopy::runCopy(argc, argv);
    QApplication app(argc, argv);
    TestPageSelfRefresh test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pageselfrefresh.moc"
