#ifndef REPLYREADER_H
#define REPLYREADER_H

#include "replyreader_export.h"

#include <QByteArray>
#include <QNetworkRequest>
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

    // The request, asking for the body as the server keeps it. Left alone, Qt asks for gzip and
    // unpacks it in its network thread, where neither the read-ahead bound nor a cap sees the
    // unpacked bytes; a body sent packed anyway reaches the reader as packed bytes.
    static QNetworkRequest asSent(QNetworkRequest request);
    // Call right after the request is made; then call take on every readyRead, so that the
    // bounded buffer never stalls the transfer. A request with a body to send starts only once
    // the event loop runs, and hears of the bound only from then on: the bound is set again then.
    static void bound(QNetworkReply* reply);
    // Appends what has arrived to body; false, appending nothing, once that would pass cap.
    static bool take(QNetworkReply* reply, QByteArray* body, const qint64& cap);
};

#endif // REPLYREADER_H
