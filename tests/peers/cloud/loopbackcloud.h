#ifndef LOOPBACKCLOUD_H
#define LOOPBACKCLOUD_H

#include "cloudledger.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

// A cloud service on 127.0.0.1 for tests and demos: HTTP/1.1 in front of a CloudLedger,
// with switchable faults per endpoint and a log of the requests it was sent.
class LoopbackCloud : public QObject
{
    Q_OBJECT
public:
    enum FAULT {
        FAULT_NONE,        // answer normally
        FAULT_RETURN_CODE, // answer only {"returnCode": code, "returnMsg": ...}, state untouched
        FAULT_FOREIGN_TEXT, // as FAULT_RETURN_CODE, with returnMsg as the fault's own text
        FAULT_MALFORMED,   // answer a body that is not JSON
        FAULT_SLOW,        // answer normally after delayMs
        FAULT_SILENT,      // keep the connection open and never answer
        FAULT_ENDLESS,     // answer 200 with no length and a JSON text that never ends
        FAULT_POURED,      // as FAULT_ENDLESS, chunked in 1 MiB pieces as fast as the link takes them
        FAULT_GZIPPED      // answer 200, chunked, Content-Encoding: gzip: zeros without end, packed 1000:1
    };

    struct lc_fault {
        FAULT kind = FAULT_NONE;
        QString returnCode;
        QString returnMsg;
        int delayMs = 0;
    };

    struct lc_request {
        QByteArray method;
        QString path;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        // Header names compare without case; an absent header gives an empty value.
        QByteArray header(const QByteArray& name) const;
    };

    static const QString PATH_PREFIX;
    // The log keeps the newest requests, each body cut to its first bytes, so that the cloud
    // can run for days.
    static constexpr int LOG_REQUESTS = 500;
    static constexpr int LOG_BODY_BYTES = 4096;
    // The web page of the user's tasks: a form POST answered with HTML, not a JSON endpoint.
    static const QString TASK_LIST_PATH;

    explicit LoopbackCloud(QObject* parent = nullptr);
    ~LoopbackCloud() override;

    bool start(quint16 port = 0);
    QUrl url() const;
    CloudLedger& ledger();

    // How a served file goes out: whole, cut short after its full length was announced (the
    // connection closes), slowly in pieces, or (GET) half of it with no length announced and
    // the connection closed, which ends such a body without any error.
    // GET only, as a hostile or broken server sends it: FILE_UNSIZED the whole body with no
    // length, ended by the close; FILE_ENDLESS no length and the body over and over, every
    // pieceMs, until the client goes; FILE_STALLED the full length announced, half the body
    // sent, then nothing while the connection stays open; FILE_SLOW_UNSIZED FILE_SLOW's pieces
    // with no length, ended by the close.
    enum FILE_MODE { FILE_WHOLE, FILE_CUT, FILE_SLOW, FILE_UNSIZED_HALF, FILE_UNSIZED, FILE_ENDLESS, FILE_STALLED,
                     FILE_SLOW_UNSIZED };

    // A file answered to HEAD and GET at a path outside the endpoints: update packages.
    struct lc_file {
        QByteArray body;
        // Sent as Content-Disposition: attachment; filename="..." when not empty.
        QString disposition;
        // Not empty: HEAD and GET are answered 302 with this Location (absolute or relative) and
        // the body's length, as a download server that hands the file to another host does; a
        // GET gets the body too, so the length holds.
        QString location;
        // The answers' status when there is no location, one for HEAD and one for GET: 404 and
        // the like send a short text instead of the body.
        int headStatus = 200;
        int getStatus = 200;
        FILE_MODE mode = FILE_WHOLE;
        // Not negative: the length that HEAD and GET announce instead of the body's, as a server
        // that lies about its file; the GET still sends what its mode sends.
        qint64 headLength = -1;
        qint64 getLength = -1;
        // FILE_SLOW and FILE_SLOW_UNSIZED: this many bytes every pieceMs; FILE_ENDLESS: the body
        // every pieceMs.
        int pieceBytes = 4096;
        int pieceMs = 100;
    };

    // Hostile pictures at paths of their own, answered to any method. ENDLESS_PICTURE_PATH: 200
    // with no length and a body that goes on for as long as the reader takes it.
    // HUGE_PICTURE_PATH: a PNG of a few dozen KiB whose 20000 x 20000 pixels decode to 1.6 GB.
    static const QString ENDLESS_PICTURE_PATH;
    static const QString HUGE_PICTURE_PATH;
    // Any method but HEAD: the body of FAULT_GZIPPED. HEAD: a plain answer announcing
    // GZIPPED_HEAD_LENGTH, as a package server that packs its GETs on the fly.
    static const QString GZIPPED_PATH;
    static constexpr qint64 GZIPPED_HEAD_LENGTH = qint64(256) << 20;
    // Bytes of endless bodies handed to the links so far: what a reader that stops at its cap
    // let through, give or take the sockets' buffers.
    qint64 endlessBytes() const;

    // path: "/download/pkg.zip" and the like; replaces what was served there.
    void serveFile(const QString& path, const lc_file& file);
    QUrl fileUrl(const QString& path) const;

    // path: a full request path such as "/zentrova-web/account/login", or empty for every
    // endpoint; a path's own entry wins over the one for every endpoint.
    void setFault(const QString& path, const lc_fault& fault);
    void clearFaults();

    QList<lc_request> requests() const;
    void clearRequests();

    // The fields of an "application/x-www-form-urlencoded" body, decoded ('+' is a blank).
    static QMap<QString, QString> formFields(const QByteArray& body);

signals:
    void onRequest(const QString& path);

private slots:
    void on_newConnection();
    void on_readyRead();
    void on_disconnected();

private:
    enum TAKE { TAKE_INCOMPLETE, TAKE_DONE, TAKE_BAD };
    struct lc_link {
        QByteArray buffer;
        bool busy = false;
    };

    static TAKE takeRequest(QByteArray* buffer, lc_request* request, bool* keepAlive);
    void serve(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const lc_request& request, bool keepAlive);
    QByteArray taskListPage(const lc_request& request) const;
    void answerFile(QTcpSocket* socket, const lc_request& request, const lc_file& file, bool keepAlive);
    void sendPieces(QTcpSocket* socket, const QByteArray& rest, const lc_file& file, bool keepAlive);
    void sendEndless(QTcpSocket* socket, const lc_file& file);
    lc_fault faultFor(const QString& path) const;
    bool answerHostile(QTcpSocket* socket, const lc_request& request, bool keepAlive);
    void pourEndless(QTcpSocket* socket, const QByteArray& contentType, const QByteArray& start);
    void pourMore(QTcpSocket* socket);
    void pourGzipped(QTcpSocket* socket);
    void pourChunked(QTcpSocket* socket, const QByteArray& head, const QByteArray& framed);
    static void writeReply(QTcpSocket* socket, int status, const QByteArray& contentType,
                           const QByteArray& body, bool keepAlive);

    QTcpServer* server;
    CloudLedger cloudLedger;
    QHash<QTcpSocket*, lc_link> links;
    QMap<QString, lc_fault> faults;
    QMap<QString, lc_file> files;
    QList<lc_request> requestLog;
    qint64 pouredBytes = 0;
};

#endif // LOOPBACKCLOUD_H
