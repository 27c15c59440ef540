#include "replyreader.h"

#include <QNetworkReply>

void ReplyReader::bound(QNetworkReply* reply)
{
    reply->setReadBufferSize(READ_AHEAD_BYTES);
}

bool ReplyReader::take(QNetworkReply* reply, QByteArray* body, const qint64& cap)
{
    if (body->size() + reply->bytesAvailable() > cap)
        return false;
    body->append(reply->readAll());
    return true;
}
