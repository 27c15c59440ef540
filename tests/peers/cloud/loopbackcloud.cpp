#include "loopbackcloud.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtEndian>

#include <zlib.h>

namespace {

const int LONGEST_HEAD = 64 * 1024;
const qint64 LONGEST_BODY = 64 * 1024 * 1024;
const QByteArray JSON_TYPE = QByteArrayLiteral("application/json;charset=UTF-8");
const QByteArray TEXT_TYPE = QByteArrayLiteral("text/plain;charset=UTF-8");
const QByteArray HTML_TYPE = QByteArrayLiteral("text/html;charset=UTF-8");
const QByteArray FORM_TYPE = QByteArrayLiteral("application/x-www-form-urlencoded");

QByteArray htmlPage(const QString& title, const QString& body)
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                          "<body style=\"font-family:sans-serif\"><h2>%1</h2>%2</body></html>")
        .arg(title.toHtmlEscaped(), body)
        .toUtf8();
}

const QByteArray PNG_TYPE = QByteArrayLiteral("image/png");
const QByteArray PNG_SIGNATURE = QByteArrayLiteral("\x89PNG\r\n\x1a\n");
// Base64 letters: an endless firmware text stays a valid one however much of it is read.
const QByteArray ENDLESS_PIECE(64 * 1024, 'A');

QByteArray chunk(const QByteArray& bytes)
{
    return QByteArray::number(bytes.size(), 16) + "\r\n" + bytes + "\r\n";
}

// Framed once: a piece shared, not copied, into the socket's buffer keeps the pourer fast.
const QByteArray POURED_CHUNK = chunk(QByteArray(1 << 20, 'A'));

QByteArray chunkedHead(const QByteArray& contentType, const QByteArray& extra)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: " + contentType + "\r\nTransfer-Encoding: chunked\r\n" + extra
        + "Connection: close\r\n\r\n";
}

// A gzip stream of zeros without end: its start, then one piece over and over. A full flush
// leaves the packer as it began, so every MiB of zeros after the first packs to the same KiB.
struct lc_gzip_zeros {
    QByteArray start;
    QByteArray piece;
};

lc_gzip_zeros gzipZeros()
{
    const QByteArray zeros(1 << 20, '\0');
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, MAX_WBITS + 16, 9, Z_RLE);
    const auto pack = [&stream, &zeros] {
        QByteArray packed(int(deflateBound(&stream, uLong(zeros.size()))), Qt::Uninitialized);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.constData()));
        stream.avail_in = uInt(zeros.size());
        stream.next_out = reinterpret_cast<Bytef*>(packed.data());
        stream.avail_out = uInt(packed.size());
        deflate(&stream, Z_FULL_FLUSH);
        packed.truncate(packed.size() - int(stream.avail_out));
        return packed;
    };
    lc_gzip_zeros gzip;
    gzip.start = pack();
    // 64 MiB of zeros a chunk.
    gzip.piece = pack().repeated(64);
    deflateEnd(&stream);
    return gzip;
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

quint32 pngCrc(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data)
{
    return bigEndian32(quint32(data.size())) + type + data + bigEndian32(pngCrc(type + data));
}

// Black, one bit a pixel, each row behind its filter byte: a whole picture, not just a header.
QByteArray hugePicture()
{
    const int side = 20000;
    const QByteArray header = bigEndian32(side) + bigEndian32(side) + QByteArray::fromHex("0100000000");
    const QByteArray rows(side * (1 + side / 8), '\0');
    // qCompress puts the length before the zlib stream that PNG wants.
    return PNG_SIGNATURE + pngChunk("IHDR", header) + pngChunk("IDAT", qCompress(rows, 9).mid(4))
        + pngChunk("IEND", QByteArray());
}

QByteArray statusText(int status)
{
    switch (status) {
    case 200: return QByteArrayLiteral("OK");
    case 302: return QByteArrayLiteral("Found");
    case 400: return QByteArrayLiteral("Bad Request");
    case 404: return QByteArrayLiteral("Not Found");
    case 405: return QByteArrayLiteral("Method Not Allowed");
    default: return QByteArrayLiteral("Error");
    }
}

} // namespace

const QString LoopbackCloud::PATH_PREFIX = QStringLiteral("/zentrova-web/");
const QString LoopbackCloud::TASK_LIST_PATH = QStringLiteral("/zentrova-web/task/list");
const QString LoopbackCloud::ENDLESS_PICTURE_PATH = QStringLiteral("/hostile/endless.png");
const QString LoopbackCloud::HUGE_PICTURE_PATH = QStringLiteral("/hostile/huge.png");
const QString LoopbackCloud::GZIPPED_PATH = QStringLiteral("/hostile/zeros.zip");

QByteArray LoopbackCloud::lc_request::header(const QByteArray& name) const
{
    for (const auto& entry : headers) {
        if (entry.first.toLower() == name.toLower())
            return entry.second;
    }
    return QByteArray();
}

LoopbackCloud::LoopbackCloud(QObject* parent)
    : QObject(parent)
    , server(new QTcpServer(this))
{
    connect(server, &QTcpServer::newConnection, this, &LoopbackCloud::on_newConnection);
}

// Sockets die with the server; they must not call back into a half-destroyed object.
LoopbackCloud::~LoopbackCloud()
{
    for (QTcpSocket* socket : links.keys()) {
        socket->disconnect(this);
        socket->abort();
    }
}

bool LoopbackCloud::start(quint16 port)
{
    return server->listen(QHostAddress::LocalHost, port);
}

QUrl LoopbackCloud::url() const
{
    QUrl address;
    address.setScheme(QStringLiteral("http"));
    address.setHost(QStringLiteral("127.0.0.1"));
    address.setPort(server->serverPort());
    return address;
}

CloudLedger& LoopbackCloud::ledger()
{
    return cloudLedger;
}

void LoopbackCloud::serveFile(const QString& path, const lc_file& file)
{
    files.insert(path, file);
}

QUrl LoopbackCloud::fileUrl(const QString& path) const
{
    QUrl address = url();
    address.setPath(path);
    return address;
}

void LoopbackCloud::setFault(const QString& path, const lc_fault& fault)
{
    faults.insert(path, fault);
}

void LoopbackCloud::clearFaults()
{
    faults.clear();
}

QList<LoopbackCloud::lc_request> LoopbackCloud::requests() const
{
    return requestLog;
}

void LoopbackCloud::clearRequests()
{
    requestLog.clear();
}

QMap<QString, QString> LoopbackCloud::formFields(const QByteArray& body)
{
    QMap<QString, QString> fields;
    for (const QByteArray& pair : body.split('&')) {
        if (pair.isEmpty())
            continue;
        const int equals = pair.indexOf('=');
        QByteArray name = equals < 0 ? pair : pair.left(equals);
        QByteArray value = equals < 0 ? QByteArray() : pair.mid(equals + 1);
        fields.insert(QString::fromUtf8(QByteArray::fromPercentEncoding(name.replace('+', ' '))),
                      QString::fromUtf8(QByteArray::fromPercentEncoding(value.replace('+', ' '))));
    }
    return fields;
}

LoopbackCloud::lc_fault LoopbackCloud::faultFor(const QString& path) const
{
    if (faults.contains(path))
        return faults.value(path);
    return faults.value(QString());
}

void LoopbackCloud::on_newConnection()
{
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        links.insert(socket, lc_link());
        connect(socket, &QTcpSocket::readyRead, this, &LoopbackCloud::on_readyRead);
        connect(socket, &QTcpSocket::disconnected, this, &LoopbackCloud::on_disconnected);
    }
}

void LoopbackCloud::on_readyRead()
{
    QTcpSocket* socket = qobject_cast<QTcpSocket*>(sender());
    if (!socket || !links.contains(socket))
        return;
    links[socket].buffer.append(socket->readAll());
    serve(socket);
}

void LoopbackCloud::on_disconnected()
{
    QTcpSocket* socket = qobject_cast<QTcpSocket*>(sender());
    if (!socket)
        return;
    links.remove(socket);
    socket->deleteLater();
}

// One request at a time per connection: a held or delayed answer holds back the ones behind it.
void LoopbackCloud::serve(QTcpSocket* socket)
{
    while (links.contains(socket) && !links.value(socket).busy) {
        lc_request request;
        bool keepAlive = true;
        const TAKE taken = takeRequest(&links[socket].buffer, &request, &keepAlive);
        if (taken == TAKE_INCOMPLETE)
            return;
        if (taken == TAKE_BAD) {
            links[socket].busy = true;
            writeReply(socket, 400, TEXT_TYPE, QByteArrayLiteral("bad request"), false);
            return;
        }
        if (!keepAlive)
            links[socket].busy = true;
        answer(socket, request, keepAlive);
    }
}

void LoopbackCloud::answer(QTcpSocket* socket, const lc_request& request, bool keepAlive)
{
    lc_request logged = request;
    logged.body.truncate(LOG_BODY_BYTES);
    requestLog.append(logged);
    while (requestLog.size() > LOG_REQUESTS)
        requestLog.removeFirst();
    emit onRequest(request.path);
    if (answerHostile(socket, request, keepAlive))
        return;
    if (files.contains(request.path)) {
        answerFile(socket, request, files.value(request.path), keepAlive);
        return;
    }
    const QString endpoint = request.path.mid(PATH_PREFIX.size());
    const bool taskList = request.path == TASK_LIST_PATH;
    if (!taskList && (!request.path.startsWith(PATH_PREFIX) || !cloudLedger.knowsEndpoint(endpoint))) {
        writeReply(socket, 404, TEXT_TYPE, QByteArrayLiteral("not found"), keepAlive);
        return;
    }
    if (request.method != "POST") {
        writeReply(socket, 405, TEXT_TYPE, QByteArrayLiteral("POST only"), keepAlive);
        return;
    }
    if (taskList) {
        writeReply(socket, 200, HTML_TYPE, taskListPage(request), keepAlive);
        return;
    }
    const lc_fault fault = faultFor(request.path);
    switch (fault.kind) {
    case FAULT_SILENT:
        links[socket].busy = true;
        return;
    case FAULT_ENDLESS:
        pourEndless(socket, JSON_TYPE, QByteArrayLiteral("{\"firmwareData\":\""));
        return;
    case FAULT_POURED:
        pourChunked(socket, chunkedHead(JSON_TYPE, QByteArray()), POURED_CHUNK);
        return;
    case FAULT_GZIPPED:
        pourGzipped(socket);
        return;
    case FAULT_MALFORMED:
        writeReply(socket, 200, QByteArrayLiteral("text/html"),
                   QByteArrayLiteral("<html><body>gateway error</body></html>"), keepAlive);
        return;
    case FAULT_RETURN_CODE:
        writeReply(socket, 200, JSON_TYPE,
                   QJsonDocument(CloudLedger::failure(fault.returnCode)).toJson(QJsonDocument::Compact),
                   keepAlive);
        return;
    case FAULT_FOREIGN_TEXT: {
        QJsonObject reply = CloudLedger::failure(fault.returnCode);
        reply.insert(QStringLiteral("returnMsg"), fault.returnMsg);
        writeReply(socket, 200, JSON_TYPE, QJsonDocument(reply).toJson(QJsonDocument::Compact), keepAlive);
        return;
    }
    case FAULT_SLOW:
    case FAULT_NONE:
        break;
    }
    const QByteArray reply
        = QJsonDocument(cloudLedger.handle(endpoint, request.body)).toJson(QJsonDocument::Compact);
    if (fault.kind == FAULT_NONE) {
        writeReply(socket, 200, JSON_TYPE, reply, keepAlive);
        return;
    }
    links[socket].busy = true;
    const QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(fault.delayMs, this, [this, guard, reply, keepAlive]() {
        if (!guard || !links.contains(guard))
            return;
        writeReply(guard, 200, JSON_TYPE, reply, keepAlive);
        if (!keepAlive)
            return;
        links[guard].busy = false;
        serve(guard);
    });
}

qint64 LoopbackCloud::endlessBytes() const
{
    return pouredBytes;
}

bool LoopbackCloud::answerHostile(QTcpSocket* socket, const lc_request& request, bool keepAlive)
{
    if (request.path == ENDLESS_PICTURE_PATH) {
        pourEndless(socket, PNG_TYPE, PNG_SIGNATURE);
        return true;
    }
    if (request.path == GZIPPED_PATH && request.method != "HEAD") {
        pourGzipped(socket);
        return true;
    }
    if (request.path == GZIPPED_PATH) {
        lc_file announced;
        announced.headLength = GZIPPED_HEAD_LENGTH;
        answerFile(socket, request, announced, keepAlive);
        return true;
    }
    if (request.path == HUGE_PICTURE_PATH) {
        static const QByteArray picture = hugePicture();
        writeReply(socket, 200, PNG_TYPE, picture, keepAlive);
        return true;
    }
    return false;
}

// The link takes no other request: its answer never ends.
void LoopbackCloud::pourEndless(QTcpSocket* socket, const QByteArray& contentType, const QByteArray& start)
{
    links[socket].busy = true;
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + contentType + "\r\nConnection: close\r\n\r\n" + start);
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { pourMore(socket); });
    pourMore(socket);
}

// One piece waits at a time, so the body grows only as fast as the reader takes it.
void LoopbackCloud::pourMore(QTcpSocket* socket)
{
    if (!links.contains(socket) || socket->bytesToWrite() >= ENDLESS_PIECE.size())
        return;
    socket->write(ENDLESS_PIECE);
    pouredBytes += ENDLESS_PIECE.size();
}

void LoopbackCloud::pourGzipped(QTcpSocket* socket)
{
    static const lc_gzip_zeros gzip = gzipZeros();
    static const QByteArray piece = chunk(gzip.piece);
    const QByteArray head = chunkedHead(QByteArrayLiteral("application/zip"), QByteArrayLiteral("Content-Encoding: gzip\r\n"));
    pourChunked(socket, head + chunk(gzip.start), piece);
}

// The link takes no other request: its answer never ends. A whole chunk waits in the socket's
// buffer whenever it has written some, so the body goes as fast as the link takes it.
void LoopbackCloud::pourChunked(QTcpSocket* socket, const QByteArray& head, const QByteArray& framed)
{
    links[socket].busy = true;
    socket->write(head);
    const auto more = [this, socket, framed] {
        while (links.contains(socket) && socket->bytesToWrite() < framed.size()) {
            if (socket->write(framed) < 0)
                return;
            pouredBytes += framed.size();
        }
    };
    connect(socket, &QTcpSocket::bytesWritten, this, more);
    more();
}

// A few tasks for a signed-in user; an error page for a form that is not one or a token that
// opens no session, as the real service shows its own error page in the web view.
QByteArray LoopbackCloud::taskListPage(const lc_request& request) const
{
    if (!request.header("Content-Type").startsWith(FORM_TYPE))
        return htmlPage(QStringLiteral("请求错误"), QStringLiteral("<p>表单格式不对</p>"));
    const QMap<QString, QString> fields = formFields(request.body);
    const QString mobile = cloudLedger.mobileOfToken(fields.value(QStringLiteral("accessToken")));
    if (mobile.isEmpty())
        return htmlPage(QStringLiteral("登录已失效"), QStringLiteral("<p>请重新登录后再查看任务</p>"));
    const CloudLedger::lc_account account = cloudLedger.account(mobile);
    const QStringList tasks{
        QStringLiteral("每天走够 %1 步").arg(account.stepTarget),
        QStringLiteral("每晚睡足 %1 分钟").arg(account.sleepTarget),
        QStringLiteral("连续七天同步手环数据"),
    };
    QString items;
    for (const QString& task : tasks)
        items += QStringLiteral("<li>") + task.toHtmlEscaped() + QStringLiteral("</li>");
    return htmlPage(QStringLiteral("我的任务"), QStringLiteral("<ul id=\"tasks\">") + items + QStringLiteral("</ul>"));
}

void LoopbackCloud::answerFile(QTcpSocket* socket, const lc_request& request, const lc_file& file, bool keepAlive)
{
    const bool head = request.method == "HEAD";
    if (!head && request.method != "GET") {
        writeReply(socket, 405, TEXT_TYPE, QByteArrayLiteral("GET or HEAD only"), keepAlive);
        return;
    }
    const int status = head ? file.headStatus : file.getStatus;
    if (file.location.isEmpty() && status != 200) {
        writeReply(socket, status, TEXT_TYPE, QByteArrayLiteral("no such file"), keepAlive);
        return;
    }
    const bool moved = !file.location.isEmpty();
    QByteArray reply = "HTTP/1.1 " + QByteArray(moved ? "302 Found" : "200 OK") + "\r\n";
    reply += "Content-Type: application/zip\r\n";
    const bool unsized = !head
        && (file.mode == FILE_UNSIZED_HALF || file.mode == FILE_UNSIZED || file.mode == FILE_ENDLESS
            || file.mode == FILE_SLOW_UNSIZED);
    const qint64 announced = head ? file.headLength : file.getLength;
    if (announced >= 0)
        reply += "Content-Length: " + QByteArray::number(announced) + "\r\n";
    else if (!unsized)
        reply += "Content-Length: " + QByteArray::number(file.body.size()) + "\r\n";
    if (moved)
        reply += "Location: " + file.location.toUtf8() + "\r\n";
    if (!file.disposition.isEmpty())
        reply += "Content-Disposition: attachment; filename=\"" + file.disposition.toUtf8() + "\"\r\n";
    reply += keepAlive && !unsized ? QByteArrayLiteral("Connection: keep-alive\r\n\r\n")
                                   : QByteArrayLiteral("Connection: close\r\n\r\n");
    if (head) {
        socket->write(reply);
        if (!keepAlive)
            socket->disconnectFromHost();
        return;
    }
    switch (file.mode) {
    case FILE_WHOLE:
        socket->write(reply + file.body);
        if (!keepAlive)
            socket->disconnectFromHost();
        return;
    case FILE_UNSIZED:
        links[socket].busy = true;
        socket->write(reply + file.body);
        socket->disconnectFromHost();
        return;
    case FILE_ENDLESS:
        links[socket].busy = true;
        socket->write(reply);
        sendEndless(socket, file);
        return;
    case FILE_STALLED:
        links[socket].busy = true;
        socket->write(reply + file.body.left(file.body.size() / 2));
        return;
    case FILE_CUT:
    case FILE_UNSIZED_HALF:
        // The body ends halfway with the link.
        links[socket].busy = true;
        socket->write(reply + file.body.left(file.body.size() / 2));
        socket->disconnectFromHost();
        return;
    case FILE_SLOW:
    case FILE_SLOW_UNSIZED:
        links[socket].busy = true;
        socket->write(reply);
        sendPieces(socket, file.body, file, keepAlive && !unsized);
        return;
    }
}

// One piece now, the rest later; the link takes no other request until the body is out.
void LoopbackCloud::sendPieces(QTcpSocket* socket, const QByteArray& rest, const lc_file& file, bool keepAlive)
{
    socket->write(rest.left(file.pieceBytes));
    const QByteArray left = rest.mid(file.pieceBytes);
    if (left.isEmpty()) {
        if (!keepAlive) {
            socket->disconnectFromHost();
            return;
        }
        links[socket].busy = false;
        serve(socket);
        return;
    }
    const QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(file.pieceMs, this, [this, guard, left, file, keepAlive]() {
        if (guard && links.contains(guard))
            sendPieces(guard, left, file, keepAlive);
    });
}

// Only as fast as the client takes it, so the cloud's own memory stays flat; the link's end
// ends the body.
void LoopbackCloud::sendEndless(QTcpSocket* socket, const lc_file& file)
{
    if (socket->bytesToWrite() < file.body.size())
        socket->write(file.body);
    const QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(file.pieceMs, this, [this, guard, file]() {
        if (guard && links.contains(guard))
            sendEndless(guard, file);
    });
}

LoopbackCloud::TAKE LoopbackCloud::takeRequest(QByteArray* buffer, lc_request* request, bool* keepAlive)
{
    const int headEnd = buffer->indexOf("\r\n\r\n");
    if (headEnd < 0)
        return buffer->size() > LONGEST_HEAD ? TAKE_BAD : TAKE_INCOMPLETE;
    const QList<QByteArray> lines = buffer->left(headEnd).split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    if (requestLine.size() != 3 || !requestLine.at(2).startsWith("HTTP/1."))
        return TAKE_BAD;
    request->method = requestLine.at(0);
    const QByteArray target = requestLine.at(1);
    const int query = target.indexOf('?');
    request->path = QString::fromUtf8(query < 0 ? target : target.left(query));
    for (int index = 1; index < lines.size(); ++index) {
        const QByteArray line = lines.at(index).trimmed();
        const int colon = line.indexOf(':');
        if (colon <= 0)
            return TAKE_BAD;
        request->headers.append(qMakePair(line.left(colon).trimmed(), line.mid(colon + 1).trimmed()));
    }
    if (!request->header("Transfer-Encoding").isEmpty())
        return TAKE_BAD;
    const QByteArray lengthText = request->header("Content-Length");
    bool lengthRead = true;
    const qint64 length = lengthText.isEmpty() ? 0 : lengthText.toLongLong(&lengthRead);
    if (!lengthRead || length < 0 || length > LONGEST_BODY)
        return TAKE_BAD;
    const qint64 total = headEnd + 4 + length;
    if (buffer->size() < total)
        return TAKE_INCOMPLETE;
    request->body = buffer->mid(headEnd + 4, int(length));
    buffer->remove(0, int(total));
    const QByteArray connection = request->header("Connection").toLower();
    *keepAlive = requestLine.at(2) == "HTTP/1.0" ? connection == "keep-alive" : connection != "close";
    return TAKE_DONE;
}

void LoopbackCloud::writeReply(QTcpSocket* socket, int status, const QByteArray& contentType,
                               const QByteArray& body, bool keepAlive)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + statusText(status) + "\r\n";
    head += "Content-Type: " + contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    head += keepAlive ? QByteArrayLiteral("Connection: keep-alive\r\n") : QByteArrayLiteral("Connection: close\r\n");
    socket->write(head + "\r\n" + body);
    if (!keepAlive)
        socket->disconnectFromHost();
}
