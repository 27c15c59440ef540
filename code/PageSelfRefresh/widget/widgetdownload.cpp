#include "widgetdownload.h"
#include "ui_widgetdownload.h"

#include "corehub.h"
#include "packagereader.h"
#include "replyreader.h"
#include "tapimages.h"
#include "trace.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <cmath>

namespace {

// No package the store would unpack is larger: its entries' limit and room for the zip's own
// records around them.
constexpr qint64 packageCeiling = PackageReader::maxTotalSize + (qint64(64) << 20);
// What of a reply waits in memory at a time, and what one read takes of it.
constexpr qint64 readPiece = qint64(1) << 20;

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

int statusOf(const QNetworkReply* reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// A name the server chose must stay a name inside our download folder: only its last component
// counts (either separator), without control characters or a drive's colon.
QString cleanFileName(const QString& name)
{
    const int slash = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    QString clean;
    for (const QChar c : name.mid(slash + 1)) {
        if (c.category() != QChar::Other_Control && c != QLatin1Char(':'))
            clean.append(c);
    }
    if (clean == QLatin1String(".") || clean == QLatin1String(".."))
        return QString();
    return clean;
}

// attachment; filename="pkg.zip": the first part holding "filename=", its value unquoted.
QString dispositionName(const QByteArray& header)
{
    const int end = header.indexOf('\0');
    const QString text = QString::fromUtf8(end < 0 ? header : header.left(end));
    for (const QString& part : text.split(QLatin1Char(';'))) {
        if (!part.contains(QLatin1String("filename=")))
            continue;
        const QStringList fields = part.split(QLatin1Char('='));
        QString name = fields.size() > 1 ? fields.at(1) : QString();
        if (name.startsWith(QLatin1Char('"')))
            name.remove(0, 1);
        if (name.endsWith(QLatin1Char('"')))
            name.chop(1);
        return name;
    }
    return QString();
}

bool isInside(const QString& folder, const QString& root)
{
    const QString cleanRoot = QDir::cleanPath(root);
    return QDir::isAbsolutePath(cleanRoot) && cleanRoot != QLatin1String("/")
        && QDir::cleanPath(folder).startsWith(cleanRoot + QLatin1Char('/'));
}

} // namespace

WidgetDownLoad::WidgetDownLoad(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
    , ui(new Ui::WidgetDownLoad)
{
    ui->setupUi(this);
    initData();
}

WidgetDownLoad::~WidgetDownLoad()
{
    resetDownload();
    removeFolder();
    delete ui;
}

void WidgetDownLoad::initData()
{
    m_appDir = QCoreApplication::applicationDirPath();
    m_stallTimer = new QTimer(this);
    m_stallTimer->setSingleShot(true);
    connect(m_stallTimer, SIGNAL(timeout()), this, SLOT(on_stalled()));
    setTapImages(ui->bt_close, 11);
    setTapImages(ui->bt_cancel, 33);
    setTapImages(ui->bt_ok, 33);
    ui->label_title->setText(QObject::tr("软件更新(下载)"));
    ui->label_text->setText(QObject::tr("正在下载..."));
    ui->bt_cancel->setCaption(QObject::tr("取消"));
    ui->bt_ok->setCaption(QObject::tr("重试"));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    connect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
}

bool WidgetDownLoad::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void WidgetDownLoad::setValue(const QString& url)
{
    m_url = url;
    on_okClick();
}

QString WidgetDownLoad::sizeText(const qint64& bytes)
{
    static const char* const units[] = {"B", "KB", "MB", "GB"};
    const double size = std::fabs(double(bytes));
    int unit = 0;
    double divisor = 1;
    double limit = 1024;
    while (unit < 3 && size >= limit) {
        ++unit;
        divisor *= 1000;
        limit *= 1000;
    }
    const QString number = QString::number(size / divisor, 'f', unit);
    return QStringLiteral("%1%2").arg(bytes < 0 ? QLatin1Char('-') + number : number, QLatin1String(units[unit]));
}

void WidgetDownLoad::on_closeClick()
{
    emit onClose();
}

void WidgetDownLoad::on_cancelClick()
{
    emit onClose();
}

void WidgetDownLoad::on_okClick()
{
    ui->bt_ok->setEnabled(false);
    if (m_url.isEmpty() || m_network)
        return;
    const QUrl url(m_url, QUrl::TolerantMode);
    // Only a web server may hand us a package: a file: or other address would unpack whatever
    // it names over the program.
    if (!isWebAddress(url)) {
        ui->label_text->setText(QObject::tr("下载地址无效!!!"));
        return;
    }
    getHead(url);
}

void WidgetDownLoad::getHead(const QUrl& url)
{
    resetDownload();
    const QNetworkRequest request = ReplyReader::asSent(QNetworkRequest(url));
    ui->label_text->setText(QObject::tr("正在获取文件信息..."));
    m_network = new QNetworkAccessManager(this);
    m_reply = m_network->head(request);
    if (!m_reply) {
        resetDownload();
        ui->label_text->setText(QObject::tr("获取文件信息失败,请重试!"));
        ui->bt_ok->setEnabled(true);
        return;
    }
    connect(m_reply, SIGNAL(finished()), this, SLOT(on_gethead()));
}

void WidgetDownLoad::on_gethead()
{
    if (!m_reply)
        return;
    disconnect(m_reply, SIGNAL(finished()), this, SLOT(on_gethead()));
    const int status = statusOf(m_reply);
    const QByteArray location = m_reply->rawHeader("Location");
    // A redirect is one step only, and its Location may be relative to the address asked.
    const bool moved = status >= 300 && status < 400 && !location.isEmpty();
    const bool answered = m_reply->error() == QNetworkReply::NoError && ((status >= 200 && status < 300) || moved);
    const qint64 size = answered ? m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() : 0;
    const QUrl target = moved ? m_reply->url().resolved(QUrl(QString::fromUtf8(location), QUrl::TolerantMode)) : QUrl();
    QString name = cleanFileName(dispositionName(m_reply->rawHeader("Content-Disposition")));
    QLOG << "status=" << status << ",size=" << size << ",location=" << target << ",name=" << name;
    if (name.isEmpty())
        name = cleanFileName(QUrl(m_url, QUrl::TolerantMode).fileName(QUrl::FullyDecoded));
    if (size <= 0 || size > packageCeiling) {
        ui->label_text->setText(QObject::tr("获取下载文件大小错误:%1").arg(sizeText(size)));
        resetDownload();
        ui->bt_ok->setEnabled(true);
        return;
    }
    m_total = size;
    m_redirected = moved;
    const QString root = Msg() ? Msg()->fdUpdateDir() : QString();
    if (name.isEmpty() || root.isEmpty() || (moved && !isWebAddress(target))) {
        failDownload(QObject::tr("创建下载失败,请重试!"));
        return;
    }
    // An earlier try's folder holds nothing anyone needs any more.
    removeFolder();
    m_root = root;
    const QString folder = QStringLiteral("%1/%2").arg(root, QString::number(QDateTime::currentMSecsSinceEpoch()));
    getData(moved ? target : QUrl(m_url, QUrl::TolerantMode), folder + QLatin1Char('/') + name);
}

void WidgetDownLoad::getData(const QUrl& url, const QString& file)
{
    resetDownload();
    const QNetworkRequest request = ReplyReader::asSent(QNetworkRequest(url));
    m_file = file;
    m_package = new QFile(file, this);
    const QString folder = QFileInfo(file).dir().path();
    QLOG << "url=" << url << ",folder=" << folder << ",file=" << QFileInfo(file).fileName();
    ui->label_text->setText(QObject::tr("准备下载升级包大小:%1").arg(sizeText(m_total)));
    m_network = new QNetworkAccessManager(this);
    m_reply = m_network->get(request);
    if (m_reply)
        m_reply->setReadBufferSize(readPiece);
    const bool made = m_reply && CoreHub::fdMakeDir(folder);
    if (made)
        m_folder = folder;
    if (!made || !m_package->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        failDownload(QObject::tr("创建下载失败,请重试!"));
        return;
    }
    m_lastTime = QDateTime::currentMSecsSinceEpoch();
    connect(m_reply, SIGNAL(readyRead()), this, SLOT(on_readyRead()));
    connect(m_reply, SIGNAL(finished()), this, SLOT(on_finished()));
    m_stallTimer->start(m_stallMs);
}

void WidgetDownLoad::on_readyRead()
{
    if (!m_reply || !m_package)
        return;
    m_stallTimer->start(m_stallMs);
    // A server that sends more than it announced is not sending our package: stop it here, not
    // when the disk is full.
    if (!takeBody()) {
        QLOG << "cut at the cap, received=" << m_received << ",cap=" << bodyCap();
        failDownload(QObject::tr("下载升级包失败,请重试!"));
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 elapsed = now - m_lastTime;
    if (elapsed <= 999)
        return;
    const qint64 current = m_package->size();
    showProgress(current, (current - m_lastBytes) / (elapsed / 1000));
    m_lastTime = now;
    m_lastBytes = current;
}

// Without a length to count against, the label tells what came so far and the bar stays.
void WidgetDownLoad::showProgress(const qint64& current, const qint64& speed)
{
    const qint64 total = progressTotal();
    if (total <= 0) {
        ui->label_text->setText(QObject::tr("正在下载升级包:(%1),速度%2/秒").arg(sizeText(current), sizeText(speed)));
        return;
    }
    ui->label_text->setText(QObject::tr("正在下载升级包:(%1/%2),速度%3/秒")
                                .arg(sizeText(current), sizeText(total), sizeText(speed)));
    // What was written stays within the body's cap, itself within the ceiling: a hundredfold fits.
    ui->progressBar->setValue(int(qBound(qint64(0), current * 100 / total, qint64(100))));
}

// The GET's own length when it gives one, else the HEAD's unless that was a redirect page's.
qint64 WidgetDownLoad::progressTotal() const
{
    const qint64 announced = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (announced > 0)
        return announced;
    return m_redirected ? 0 : m_total;
}

void WidgetDownLoad::on_finished()
{
    if (!m_reply || !m_package) {
        resetDownload();
        return;
    }
    disconnect(m_reply, SIGNAL(readyRead()), this, SLOT(on_readyRead()));
    disconnect(m_reply, SIGNAL(finished()), this, SLOT(on_finished()));
    if (!downloadComplete()) {
        failDownload(QObject::tr("下载升级包失败,请重试!"));
        return;
    }
    resetDownload();
    ui->progressBar->setValue(100);
    ui->label_text->setText(QObject::tr("下载升级包完成."));
    emit onNext(m_file, m_appDir);
}

// A server gone silent in the middle of the package would hold the page forever.
void WidgetDownLoad::on_stalled()
{
    QLOG << "nothing for" << m_stallMs << "ms, received=" << m_received;
    failDownload(QObject::tr("下载升级包失败,请重试!"));
}

// Only the whole package, as the server announced it and written whole, goes on to the unpack.
bool WidgetDownLoad::downloadComplete()
{
    const bool withinCap = takeBody();
    const int status = statusOf(m_reply);
    const QVariant announced = m_reply->header(QNetworkRequest::ContentLengthHeader);
    const qint64 expected = announced.isValid() ? announced.toLongLong() : (m_redirected ? -1 : m_total);
    const bool flushed = m_package->flush();
    QLOG << "error=" << m_reply->error() << ",status=" << status << ",received=" << m_received
         << ",expected=" << expected << ",written=" << (flushed && !m_writeFailed);
    return withinCap && m_reply->error() == QNetworkReply::NoError && status >= 200 && status < 300
        && (expected < 0 || m_received == expected) && flushed && !m_writeFailed;
}

// The GET's own length when it gives one, else the size the HEAD announced unless that was a
// redirect's own; never above the ceiling, and nothing at all when the GET announces more.
qint64 WidgetDownLoad::bodyCap() const
{
    const qint64 announced = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (announced > packageCeiling)
        return 0;
    if (announced > 0)
        return announced;
    return m_redirected ? packageCeiling : m_total;
}

// Writes what arrived, piece by piece, up to the cap; false when more than that is waiting.
bool WidgetDownLoad::takeBody()
{
    const qint64 cap = bodyCap();
    while (m_received < cap && m_reply->bytesAvailable() > 0) {
        const QByteArray piece = m_reply->read(qMin(readPiece, cap - m_received));
        m_received += piece.size();
        m_writeFailed = m_writeFailed || m_package->write(piece) != piece.size();
    }
    return m_reply->bytesAvailable() == 0;
}

void WidgetDownLoad::failDownload(const QString& text)
{
    resetDownload();
    removeFolder();
    ui->label_text->setText(text);
    ui->bt_ok->setEnabled(true);
}

void WidgetDownLoad::resetDownload()
{
    m_stallTimer->stop();
    if (m_package) {
        m_package->flush();
        m_package->close();
        m_package->deleteLater();
    }
    if (m_reply) {
        // Nothing of a released request may reach the page any more.
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    if (m_network)
        m_network->deleteLater();
    m_package = nullptr;
    m_reply = nullptr;
    m_network = nullptr;
    m_lastTime = 0;
    m_lastBytes = 0;
    m_received = 0;
    m_writeFailed = false;
}

// Nothing to delete before a download made its folder, and never a folder outside the root.
void WidgetDownLoad::removeFolder()
{
    if (m_folder.isEmpty() || !isInside(m_folder, m_root))
        return;
    const bool removed = LocalVault::fdRemoveDir(m_folder);
    QLOG << "ret=" << removed << ",filepath=" << m_folder;
    m_folder.clear();
}
