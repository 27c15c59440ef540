#ifndef REPLYREADER_H
#define REPLYREADER_H

#include "replyreader_export.h"

#include <QByteArray>
#include <QtGlobal>

class QNetworkReply;

// Reads a reply's body as it arrives, up to a cap. Qt's network thread reads ahead of the
// reader into a buffer of its own, unbounded unless told otherwise: a fast endless body then
// fills the memory long before a cap counted on this thread ends it.
class REPLYREADER_EXPORT ReplyReader
{
public:
    // How far the network thread may read ahead of the body.
    static constexpr qint64 READ_AHEAD_BYTES = 256 * 1024;

    // Call right after the request is made; then call take on every readyRead, so that the
    // bounded buffer never stalls the transfer.
    static void bound(QNetworkReply* reply);
    // Appends what has arrived to body; false, appending nothing, once that would pass cap.
    static bool take(QNetworkReply* reply, QByteArray* body, const qint64& cap);
};

#endif // REPLYREADER_H
