#include "replyreader.h"

#include <QNetworkReply>

QNetworkRequest ReplyReader::asSent(QNetworkRequest request)
{
    request.setRawHeader(QByteArrayLiteral("Accept-Encoding"), QByteArrayLiteral("identity"));
    return request;
}

// Qt hands the size to its network thread only once the request is under way; a POST gets
// there through a call queued by post(), which runs before this one.
void ReplyReader::bound(QNetworkReply* reply)
{
    reply->setReadBufferSize(READ_AHEAD_BYTES);
    QMetaObject::invokeMethod(
        reply, [reply] { reply->setReadBufferSize(READ_AHEAD_BYTES); }, Qt::QueuedConnection);
}

bool ReplyReader::take(QNetworkReply* reply, QByteArray* body, const qint64& cap)
{
    if (body->size() + reply->bytesAvailable() > cap)
        return false;
    body->append(reply->readAll());
    return true;
}
