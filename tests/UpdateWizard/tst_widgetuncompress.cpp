#include "widgetuncompress.h"

#include "packagemaker.h"
#include "pagerig.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>

enum class Unpack { Whole, ForeignReports, CancelWhileWaiting, BackupInTheWay, FileOverFolder, CorruptPackage, NoHub };
Q_DECLARE_METATYPE(Unpack)

namespace {

const QByteArray OLD_DATA = QByteArrayLiteral("old\n");
const QByteArray NEW_DATA = QByteArrayLiteral("new\n");

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString textOf(WidgetUncompress& page)
{
    return page.findChild<QLabel*>(QStringLiteral("label_text"))->text();
}

int barOf(WidgetUncompress& page)
{
    return page.findChild<QProgressBar*>(QStringLiteral("progressBar"))->value();
}

} // namespace

class TestWidgetUncompress : public QObject
{
    Q_OBJECT
private slots:
    void unpack_data();
    void unpack();
};

void TestWidgetUncompress::unpack_data()
{
    QTest::addColumn<Unpack>("unpack");
    QTest::addColumn<int>("nexts");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("a whole package is tested, then unpacked once")
        << Unpack::Whole << 1 << "正在解压更新包100%..." << NEW_DATA;
    QTest::newRow("reports of another caller change nothing")
        << Unpack::ForeignReports << 1 << "正在解压更新包100%..." << NEW_DATA;
    QTest::newRow("cancel during the step between test and unpack unpacks nothing")
        << Unpack::CancelWhileWaiting << 0 << "正在验证更新包100%..." << OLD_DATA;
    QTest::newRow("a backup left from the last update fails the unpack and keeps the file")
        << Unpack::BackupInTheWay << 0 << "解压更新包出错!!!" << OLD_DATA;
    QTest::newRow("a package file where the program has a folder fails the unpack and unpacks nothing")
        << Unpack::FileOverFolder << 0 << "解压更新包出错!!!" << OLD_DATA;
    QTest::newRow("a corrupt package fails its test") << Unpack::CorruptPackage << 0 << "检测更新包失败!!!" << OLD_DATA;
    QTest::newRow("without a hub nothing starts") << Unpack::NoHub << 0 << "无法连接到消息中心!" << OLD_DATA;
}

void TestWidgetUncompress::unpack()
{
    QFETCH(Unpack, unpack);
    QFETCH(int, nexts);
    QFETCH(QString, text);
    QFETCH(QByteArray, data);
    PageRig rig;
    QVERIFY(rig.isReady());
    QTemporaryDir work;
    const QString target = work.path() + QStringLiteral("/program");
    QVERIFY(QDir().mkpath(target));
    QVERIFY(writeFile(target + QStringLiteral("/data.txt"), OLD_DATA));
    if (unpack == Unpack::BackupInTheWay)
        QVERIFY(writeFile(target + QStringLiteral("/data.txt.bk"), QByteArrayLiteral("older\n")));
    if (unpack == Unpack::FileOverFolder)
        QVERIFY(QDir().mkpath(target + QStringLiteral("/more/readme.txt/plugin")));
    QString package = makePackage(work.path() + QStringLiteral("/package.zip"),
                                  {{QStringLiteral("data.txt"), NEW_DATA}, {QStringLiteral("more/"), QByteArray()},
                                   {QStringLiteral("more/readme.txt"), QByteArrayLiteral("readme")}});
    if (unpack == Unpack::CorruptPackage) {
        package = work.path() + QStringLiteral("/corrupt.zip");
        QVERIFY(writeFile(package, QByteArray("PK\x03\x04") + QByteArray(500, '\x33')));
    }
    auto page = std::make_unique<WidgetUncompress>();
    page->setTitle(QStringLiteral("软件更新(解压)"));
    if (unpack != Unpack::NoHub)
        QVERIFY(rig.activate(*page));
    QSignalSpy next(page.get(), SIGNAL(onNext(bool)));
    QSignalSpy closed(page.get(), SIGNAL(onClose()));
    QSignalSpy reports(&rig.hub(), SIGNAL(onFdProcess(LocalVault::process)));
    page->start(package, target);
    if (unpack == Unpack::Whole || unpack == Unpack::ForeignReports || unpack == Unpack::CancelWhileWaiting) {
        // The test's done report leaves bar and text at its last percent.
        QCOMPARE(barOf(*page), 100);
        QCOMPARE(textOf(*page), QStringLiteral("正在验证更新包100%..."));
    }
    if (unpack == Unpack::ForeignReports) {
        LocalVault::process foreign;
        foreign.id = qint64(reinterpret_cast<quintptr>(&rig));
        foreign.percent = 42;
        emit rig.hub().onFdProcess(foreign);
        foreign.done = true;
        emit rig.hub().onFdProcess(foreign);
        QCOMPARE(barOf(*page), 100);
        QCOMPARE(textOf(*page), QStringLiteral("正在验证更新包100%..."));
    }
    if (unpack == Unpack::CancelWhileWaiting) {
        QTest::mouseClick(page->findChild<QWidget*>(QStringLiteral("bt_cancel")), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
        // The wizard goes with its close; so does the page and its pending step.
        page.reset();
        QCOMPARE(readFile(target + QStringLiteral("/data.txt")), data);
        return;
    }
    if (nexts)
        QVERIFY(next.wait(PeerRig::PEER_WAIT));
    else if (unpack == Unpack::BackupInTheWay || unpack == Unpack::FileOverFolder)
        QTRY_COMPARE_WITH_TIMEOUT(textOf(*page), text, PeerRig::PEER_WAIT);
    QCOMPARE(textOf(*page), text);
    QCOMPARE(next.size(), nexts);
    if (nexts)
        QCOMPARE(next.first().first().toBool(), true);
    QCOMPARE(readFile(target + QStringLiteral("/data.txt")), data);
    // Once finished or failed the page hears no more of the store.
    const int heard = reports.size();
    LocalVault::process late;
    late.id = qint64(reinterpret_cast<quintptr>(page.get()));
    late.percent = 7;
    emit rig.hub().onFdProcess(late);
    QCOMPARE(reports.size(), heard + 1);
    QCOMPARE(textOf(*page), text);
    QTest::mouseClick(page->findChild<QWidget*>(QStringLiteral("bt_close")), Qt::LeftButton);
    QCOMPARE(closed.size(), 1);
}

QTEST_MAIN(TestWidgetUncompress)
#include "tst_widgetuncompress.moc"
