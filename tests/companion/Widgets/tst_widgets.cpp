#include "busymeter.h"
#include "cloudprocess.h"
#include "glowentry.h"
#include "hintbubble.h"
#include "loopbackcloud.h"
#include "noticebox.h"
#include "peakmemory.h"
#include "pageshot.h"
#include "picturebox.h"
#include "remotepicture.h"
#include "resource.h"
#include "tapcaption.h"
#include "tickbox.h"

#include <QApplication>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QGridLayout>
#include <QNetworkReply>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

// EndlessBodyApart, GzippedApart: the endless body, or gzipped zeros without end, from the
// loopback cloud in a process of its own, so that this process holds only what the picture keeps.
enum class Serve { Picture, NoPicture, Refused, Silent, EmptyAddress, EndlessBody, EndlessBodyApart, GzippedApart, HugePicture, FileAddress };
Q_DECLARE_METATYPE(Serve)

namespace {

QPixmap filled(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return pixmap;
}

QByteArray pngOf(const QColor& color)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    filled(color).save(&buffer, "PNG");
    return bytes;
}

// A loopback picture server: answers every request as the row asks, or keeps silent.
class PictureServer : public QTcpServer
{
public:
    explicit PictureServer(const Serve& serve)
        : m_serve(serve)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }

private:
    void answer(QTcpSocket* socket)
    {
        m_request += socket->readAll();
        if (!m_request.contains("\r\n\r\n") || m_serve == Serve::Silent)
            return;
        const QByteArray body = m_serve == Serve::Picture ? pngOf(Qt::red) : QByteArray("<html>no picture</html>");
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nConnection: close\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    Serve m_serve;
    QByteArray m_request;
};

QStringList labelTexts(const QWidget* widget)
{
    QStringList texts;
    for (const QLabel* label : widget->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts;
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void tapCaption_data();
    void tapCaption();
    void sexBoxes_data();
    void sexBoxes();
    void noticeBox_data();
    void noticeBox();
    void bubbles_data();
    void bubbles();
    void remotePicture_data();
    void remotePicture();
    void screenshot();
};

void TestWidgets::cleanup()
{
    HintBubble::clearAll();
}

void TestWidgets::tapCaption_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");

    QTest::newRow("an enabled label reports a click")   << true  << QPoint(20, 10) << 1;
    QTest::newRow("a disabled label emits nothing")     << false << QPoint(20, 10) << 0;
    QTest::newRow("a press released outside is no click") << true << QPoint(200, 10) << 0;
}

void TestWidgets::tapCaption()
{
    QFETCH(bool, enabled);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);

    TapCaption button;
    button.resize(96, 32);
    button.setStateImages(QString(), QString(), QString());
    button.setCaption(QStringLiteral("确定"));
    button.setEnabled(enabled);
    button.show();
    QSignalSpy spy(&button, &TapCaption::on_click);
    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, releaseAt);
    QCOMPARE(spy.count(), clicks);
}

void TestWidgets::sexBoxes_data()
{
    QTest::addColumn<bool>("maleBefore");
    QTest::addColumn<bool>("onFemale");
    QTest::addColumn<bool>("onCaption");
    QTest::addColumn<bool>("maleAfter");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("captionClicks");

    QTest::newRow("checking male unchecks female, one round")  << false << false << false << true  << 1 << 0;
    QTest::newRow("unchecking male checks female, one round")  << true  << false << false << false << 1 << 0;
    QTest::newRow("checking female unchecks male, one round")  << true  << true  << false << false << 1 << 0;
    QTest::newRow("a caption click only reports itself")       << true  << false << true  << true  << 0 << 1;
}

void TestWidgets::sexBoxes()
{
    QFETCH(bool, maleBefore);
    QFETCH(bool, onFemale);
    QFETCH(bool, onCaption);
    QFETCH(bool, maleAfter);
    QFETCH(int, changes);
    QFETCH(int, captionClicks);

    TickBox male;
    TickBox female;
    for (TickBox* box : { &male, &female }) {
        box->resize(80, 24);
        box->setImages(36, 38);
        box->show();
    }
    male.setCaption(QStringLiteral("男"));
    female.setCaption(QStringLiteral("女"));
    male.setChecked(maleBefore);
    female.setChecked(!maleBefore);
    // As the profile pages wire them: each box sets the other to its opposite.
    connect(&male, &TickBox::onChanged, &female, [&female](bool checked) { female.setChecked(!checked); });
    connect(&female, &TickBox::onChanged, &male, [&male](bool checked) { male.setChecked(!checked); });
    QSignalSpy maleChanges(&male, &TickBox::onChanged);
    QSignalSpy femaleChanges(&female, &TickBox::onChanged);
    TickBox& target = onFemale ? female : male;
    QSignalSpy captionSpy(&target, &TickBox::onTextClick);

    QTest::mouseClick(&target, Qt::LeftButton, Qt::NoModifier, QPoint(onCaption ? 40 : 8, 12));

    QCOMPARE(male.checked(), maleAfter);
    QCOMPARE(female.checked(), !maleAfter);
    QCOMPARE(maleChanges.count(), changes);
    QCOMPARE(femaleChanges.count(), changes);
    QCOMPARE(captionSpy.count(), captionClicks);
}

void TestWidgets::noticeBox_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("result");

    QTest::newRow("the second button is OK: 1")   << "bt_ok"     << 1;
    QTest::newRow("the first button gives 0")     << "bt_cancel" << 0;
    QTest::newRow("the close button gives 0")     << "bt_close"  << 0;
    QTest::newRow("Escape gives 0")               << "escape"    << 0;
}

void TestWidgets::noticeBox()
{
    QFETCH(QString, press);
    QFETCH(int, result);

    NoticeBox box;
    box.setText(QStringLiteral("提示信息"), QStringLiteral("确定退出系统?"), QStringLiteral("退出请点击确定,否则点击取消"),
                QStringLiteral("取消"), QStringLiteral("确定"));
    QStringList shown;
    QTimer answer;
    const QDeadlineTimer deadline(10000);
    // Answers the prompt the way a user would, once it is up; a prompt that never comes up
    // ends with a result no row expects.
    connect(&answer, &QTimer::timeout, &box, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (deadline.hasExpired())
                box.done(-1);
            return;
        }
        answer.stop();
        shown = labelTexts(modal);
        if (press == QLatin1String("escape")) {
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        TapCaption* button = modal->findChild<TapCaption*>(press);
        if (!button) {
            box.done(-1);
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    });
    answer.start(10);

    QCOMPARE(box.exec(), result);
    shown.sort();
    QCOMPARE(shown, QStringList({ QStringLiteral("取消"), QStringLiteral("提示信息"), QStringLiteral("确定"),
                                  QStringLiteral("确定退出系统?"), QStringLiteral("退出请点击确定,否则点击取消") }));
}

void TestWidgets::bubbles_data()
{
    QTest::addColumn<int>("owners");
    QTest::addColumn<bool>("deleteFirstOwner");
    QTest::addColumn<bool>("clear");
    QTest::addColumn<int>("standingOnLast");

    QTest::newRow("several bubbles stand at once")                  << 1 << false << false << 3;
    QTest::newRow("clearAll removes every bubble")                  << 2 << false << true  << 0;
    QTest::newRow("an owner deleted first leaves the others")       << 2 << true  << false << 3;
    QTest::newRow("clearAll after an owner was deleted is harmless") << 2 << true << true  << 0;
}

void TestWidgets::bubbles()
{
    QFETCH(int, owners);
    QFETCH(bool, deleteFirstOwner);
    QFETCH(bool, clear);
    QFETCH(int, standingOnLast);

    std::vector<std::unique_ptr<QWidget>> windows;
    for (int i = 0; i < owners; ++i) {
        windows.emplace_back(new QWidget);
        windows.back()->resize(300, 200);
        windows.back()->show();
        // The last one is at the bottom-right corner: the bubble must still fit in.
        HintBubble::showText(windows.back().get(), QRect(10, 10, 100, 24), QStringLiteral("手机号码格式错误"));
        HintBubble::showText(windows.back().get(), QRect(10, 60, 100, 24), QStringLiteral("密码错误"));
        HintBubble::showText(windows.back().get(), QRect(250, 180, 100, 20), QStringLiteral("验证码已过期,请重新获取"));
    }
    if (deleteFirstOwner)
        windows.front().reset();
    if (clear)
        HintBubble::clearAll();

    const QList<HintBubble*> standing = windows.back()->findChildren<HintBubble*>();
    QCOMPARE(standing.size(), standingOnLast);
    for (const HintBubble* bubble : standing) {
        QVERIFY(bubble->isVisible());
        QVERIFY2(windows.back()->rect().contains(bubble->geometry()), qPrintable(bubble->text()));
    }
}

void TestWidgets::remotePicture_data()
{
    QTest::addColumn<bool>("fetchedBefore");
    QTest::addColumn<Serve>("serve");
    QTest::addColumn<bool>("replaced");

    QTest::newRow("a picture replaces the form picture")         << false << Serve::Picture      << true;
    QTest::newRow("bytes that are no picture keep it")           << false << Serve::NoPicture    << false;
    QTest::newRow("an unreachable address keeps it")             << false << Serve::Refused      << false;
    QTest::newRow("an empty address keeps it")                   << false << Serve::EmptyAddress << false;
    QTest::newRow("a silent server times out and keeps it")      << false << Serve::Silent       << false;
    QTest::newRow("no avatar after a fetched one: the form picture again") << true << Serve::EmptyAddress << false;
    QTest::newRow("no picture after a fetched one: the form picture again") << true << Serve::NoPicture  << false;
    QTest::newRow("an endless body is dropped at its limit and keeps it") << false << Serve::EndlessBody << false;
    QTest::newRow("an endless body is dropped at its limit in memory too") << false << Serve::EndlessBodyApart << false;
    QTest::newRow("gzipped zeros without end are read as sent, dropped at the limit in memory too") << false << Serve::GzippedApart << false;
    QTest::newRow("20000 x 20000 pixels are not decoded and keep it")    << false << Serve::HugePicture << false;
    QTest::newRow("a picture on this computer is not fetched")           << true << Serve::FileAddress << false;
}

namespace {

// Above a body read up to its limit: the bounded read-ahead and the sockets; a body read only
// when it ends goes far past it.
const qint64 PEAK_MARGIN = (qint64(64) << 20) + PeakMemory::QUARANTINE;

// Where the row's picture is: the hostile ones at the loopback cloud or on this computer.
QString addressOf(const Serve& serve, const PictureServer& server, const LoopbackCloud& cloud, const CloudProcess* apart,
                  const QTemporaryDir& home)
{
    switch (serve) {
    case Serve::EmptyAddress:
        return QString();
    case Serve::EndlessBody:
        return cloud.fileUrl(LoopbackCloud::ENDLESS_PICTURE_PATH).toString();
    case Serve::EndlessBodyApart:
        return apart->fileUrl(LoopbackCloud::ENDLESS_PICTURE_PATH).toString();
    case Serve::GzippedApart:
        return apart->fileUrl(LoopbackCloud::GZIPPED_PATH).toString();
    case Serve::HugePicture:
        return cloud.fileUrl(LoopbackCloud::HUGE_PICTURE_PATH).toString();
    case Serve::FileAddress:
        return QUrl::fromLocalFile(home.filePath(QStringLiteral("head.png"))).toString();
    default:
        return QStringLiteral("http://127.0.0.1:%1/head.png").arg(server.serverPort());
    }
}

// Fetches from a server that serves as asked; false when the fetch did not end in time.
bool fetch(RemotePicture& picture, const Serve& serve, LoopbackCloud& cloud, const CloudProcess* apart = nullptr)
{
    PictureServer server(serve);
    QTemporaryDir home;
    QFile local(home.filePath(QStringLiteral("head.png")));
    if (!server.listen(QHostAddress::LocalHost) || !local.open(QIODevice::WriteOnly) || local.write(pngOf(Qt::red)) <= 0)
        return false;
    local.close();
    const QString address = addressOf(serve, server, cloud, apart, home);
    if (serve == Serve::Refused)
        server.close();
    picture.setBgImg(address);
    return QTest::qWaitFor([&picture] { return picture.findChildren<QNetworkReply*>().isEmpty(); },
                           RemotePicture::FETCH_TIMEOUT_MS + 10000);
}

QColor shownColor(const RemotePicture& picture)
{
    return picture.pixmap(Qt::ReturnByValue).toImage().pixelColor(8, 8);
}

} // namespace

void TestWidgets::remotePicture()
{
    QFETCH(bool, fetchedBefore);
    QFETCH(Serve, serve);
    QFETCH(bool, replaced);

    LoopbackCloud cloud;
    QVERIFY(cloud.start());
    RemotePicture picture;
    picture.resize(16, 16);
    picture.setPixmap(filled(Qt::blue));
    if (fetchedBefore) {
        QVERIFY(fetch(picture, Serve::Picture, cloud));
        QCOMPARE(shownColor(picture), QColor(Qt::red));
    }
    std::unique_ptr<CloudProcess> apart;
    if (serve == Serve::EndlessBodyApart || serve == Serve::GzippedApart) {
        apart.reset(new CloudProcess);
        QVERIFY(apart->url().isValid());
    }
    const PeakMemory peak;
    QVERIFY(peak.valid());
    QVERIFY(fetch(picture, serve, cloud, apart.get()));
    QVERIFY2(peak.growth() < RemotePicture::PICTURE_MAX_BYTES + PEAK_MARGIN, qPrintable(QString::number(peak.growth())));
    QCOMPARE(shownColor(picture), QColor(replaced ? Qt::red : Qt::blue));
    // The sockets hold a few MiB more than the fetch took.
    QVERIFY(cloud.endlessBytes() <= RemotePicture::PICTURE_MAX_BYTES + 16 * 1024 * 1024);
}

void TestWidgets::screenshot()
{
    QWidget window;
    window.setStyleSheet(QStringLiteral("QWidget#canvas { background-color: rgb(240, 243, 247); }"));
    window.setObjectName(QStringLiteral("canvas"));
    QGridLayout* grid = new QGridLayout(&window);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(14);
    auto addRow = [&](const QString& name, QWidget* widget) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(name, &window), row, 0, Qt::AlignTop);
        grid->addWidget(widget, row, 1, Qt::AlignLeft);
    };

    TapCaption* button = new TapCaption(&window);
    button->setFixedSize(96, 32);
    button->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    button->setCaption(QStringLiteral("保存"));
    button->setCaptionColor(Qt::white);
    addRow(QStringLiteral("TapCaption"), button);

    GlowEntry* entry = new GlowEntry(&window);
    entry->setFixedWidth(200);
    entry->setText(QStringLiteral("13800000000"));
    addRow(QStringLiteral("GlowEntry"), entry);

    PictureBox* box = new PictureBox(&window);
    box->setFixedSize(64, 64);
    box->setPixmap(QPixmap(Resource::getResPath(77)), Qt::KeepAspectRatio);
    addRow(QStringLiteral("PictureBox"), box);

    QWidget* sexes = new QWidget(&window);
    QHBoxLayout* sexRow = new QHBoxLayout(sexes);
    sexRow->setContentsMargins(0, 0, 0, 0);
    for (const QString& caption : { QStringLiteral("男"), QStringLiteral("女") }) {
        TickBox* tick = new TickBox(sexes);
        tick->setImages(36, 38);
        tick->setCaption(caption);
        tick->setChecked(caption == QStringLiteral("男"));
        sexRow->addWidget(tick);
    }
    addRow(QStringLiteral("TickBox"), sexes);

    RemotePicture* avatar = new RemotePicture(&window);
    avatar->setFixedSize(64, 64);
    avatar->setFrameShape(QFrame::Box);
    avatar->setPixmap(QPixmap(QStringLiteral(":/img/PageMenu/img/PageMenu/head.png")));
    addRow(QStringLiteral("RemotePicture"), avatar);

    BusyMeter* meter = new BusyMeter(&window);
    meter->setFixedSize(160, 120);
    meter->setShow(QStringLiteral("检测设备中..."), QPixmap(Resource::getResPath(80)), QPixmap(Resource::getResPath(81)));
    meter->onStart();
    addRow(QStringLiteral("BusyMeter"), meter);

    NoticeBox notice;
    notice.setText(QStringLiteral("提示信息"), QStringLiteral("还没有绑定任何设备,是否马上绑定?"),
                   QStringLiteral("继续请点击确定,否则点击取消"), QStringLiteral("取消"), QStringLiteral("确定"));
    QLabel* noticeShot = new QLabel(&window);
    noticeShot->setPixmap(notice.grab());
    addRow(QStringLiteral("NoticeBox"), noticeShot);

    window.show();
    QTRY_VERIFY(entry->isVisible());
    HintBubble::showText(&window, entry->geometry(), QStringLiteral("手机号码格式错误"));
    QCOMPARE(meter->text(), QStringLiteral("检测设备中..."));
    QVERIFY(PageShot::save(window, QStringLiteral("CompanionWidgets")));
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
