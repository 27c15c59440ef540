#include "remotepicture.h"

#include "replyreader.h"
#include "trace.h"

#include <QBuffer>
#include <QImageReader>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPixmap>
#include <QUrl>

#include <utility>

namespace {

// A file: or qrc: address would show a picture of this computer.
bool isWebAddress(const QUrl& url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

} // namespace

RemotePicture::RemotePicture(QWidget* parent)
    : QLabel(parent)
    , m_network(new QNetworkAccessManager(this))
{
}

// A fetch still under way must not report to a label being taken apart.
RemotePicture::~RemotePicture()
{
    dropFetch();
}

void RemotePicture::setBgImg(const QString& address)
{
    dropFetch();
    if (!m_formPictureKept) {
        m_formPicture = pixmap(Qt::ReturnByValue);
        m_formPictureKept = true;
    }
    const QUrl url(address.trimmed());
    if (address.trimmed().isEmpty() || !url.isValid() || !isWebAddress(url)) {
        QLOG << "no picture address on the web, showing the form picture; address=" << address;
        showFormPicture();
        return;
    }
    QNetworkRequest request = ReplyReader::asSent(QNetworkRequest(url));
    request.setTransferTimeout(FETCH_TIMEOUT_MS);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = m_network->get(request);
    ReplyReader::bound(m_reply);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &RemotePicture::on_progress);
    connect(m_reply, &QNetworkReply::readyRead, this, &RemotePicture::on_readyRead);
    connect(m_reply, &QNetworkReply::finished, this, &RemotePicture::on_fetched);
}

void RemotePicture::dropFetch()
{
    m_body = QByteArray();
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

// Announced or received (below), a body over the limit is no avatar.
void RemotePicture::on_progress(qint64 received, qint64 total)
{
    if (total <= PICTURE_MAX_BYTES)
        return;
    dropLongBody(received, total);
}

void RemotePicture::on_readyRead()
{
    if (!m_reply || ReplyReader::take(m_reply, &m_body, PICTURE_MAX_BYTES))
        return;
    dropLongBody(m_body.size() + m_reply->bytesAvailable(),
                 m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
}

void RemotePicture::dropLongBody(const qint64& received, const qint64& total)
{
    QLOG << "picture body too long, showing the form picture; received=" << received << "announced=" << total;
    dropFetch();
    showFormPicture();
}

void RemotePicture::on_fetched()
{
    QNetworkReply* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    if (reply != m_reply)
        return;
    // What came after the last readyRead.
    on_readyRead();
    if (!m_reply)
        return;
    m_reply = nullptr;
    const QByteArray body = std::exchange(m_body, QByteArray());
    if (reply->error() != QNetworkReply::NoError) {
        QLOG << "picture not fetched, showing the form picture; url=" << reply->url().toString()
             << "error=" << reply->errorString();
        showFormPicture();
        return;
    }
    showFetched(body, reply->url().toString());
}

// A small file can claim a picture of gigabytes: its size is read from its header first.
void RemotePicture::showFetched(const QByteArray& bytes, const QString& url)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize side = reader.size();
    if (!side.isValid() || side.width() > PICTURE_MAX_SIDE || side.height() > PICTURE_MAX_SIDE) {
        QLOG << "no picture, or one too big to show, showing the form picture; url=" << url << "size=" << side;
        showFormPicture();
        return;
    }
    const QPixmap picture = QPixmap::fromImage(reader.read());
    if (picture.isNull()) {
        QLOG << "the fetched bytes are no picture, showing the form picture; url=" << url;
        showFormPicture();
        return;
    }
    setPixmap(size().isEmpty() ? picture : picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void RemotePicture::showFormPicture()
{
    if (m_formPicture.isNull())
        clear();
    else
        setPixmap(m_formPicture);
}

void RemotePicture::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()) && isEnabled())
        emit on_click();
}
