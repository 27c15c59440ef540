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
    if (address.trimmed().isEmpty() || !url.isValid()) {
        QLOG << "no picture address, showing the form picture; address=" << address;
        showFormPicture();
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
        QLOG << "picture not fetched, showing the form picture; url=" << reply->url().toString()
             << "error=" << reply->errorString();
        showFormPicture();
        return;
    }
    QPixmap picture;
    if (!picture.loadFromData(reply->readAll())) {
        QLOG << "the fetched bytes are no picture, showing the form picture; url=" << reply->url().toString();
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
