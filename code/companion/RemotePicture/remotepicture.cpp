#include "remotepicture.h"

#include "trace.h"

#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPixmap>
#include <QUrl>

RemotePicture::RemotePicture(QWidget* parent)
    : QLabel(parent)
    , m_network(new QNetworkAccessManager(this))
{
}

void RemotePicture::setBgImg(const QString& address)
{
    dropFetch();
    const QUrl url(address.trimmed());
    if (address.trimmed().isEmpty() || !url.isValid()) {
        QLOG << "no picture address, keeping the current picture; address=" << address;
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(FETCH_TIMEOUT_MS);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::finished, this, &RemotePicture::on_fetched);
}

void RemotePicture::dropFetch()
{
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

void RemotePicture::on_fetched()
{
    QNetworkReply* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        QLOG << "picture not fetched, keeping the current one; url=" << reply->url().toString()
             << "error=" << reply->errorString();
        return;
    }
    QPixmap picture;
    if (!picture.loadFromData(reply->readAll())) {
        QLOG << "the fetched bytes are no picture, keeping the current one; url=" << reply->url().toString();
        return;
    }
    setPixmap(size().isEmpty() ? picture : picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void RemotePicture::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()) && isEnabled())
        emit on_click();
}
