#include "cloudmirror.h"

#include "replyreader.h"
#include "trace.h"

#include <QHostInfo>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

const char* const kShippedAddress = "http://cloud.quorin.net:80";
const int kSendInterval = 100;
const int kDefaultTransferTimeout = 30000;

QByteArray contentType(const CloudMirror::data_type& type)
{
    switch (type) {
    case CloudMirror::DATA_OCTET:
        return QByteArrayLiteral("application/octet-stream;charset=UTF-8");
    case CloudMirror::DATA_JSON:
        return QByteArrayLiteral("application/json;charset=UTF-8");
    }
    return QByteArray();
}

bool isKnownMethod(const int& method)
{
    return method == 0 || method == 1;
}

} // namespace

CloudMirror::CloudMirror()
{
    setAddress(cloudAddress());
    m_transferTimer.setSingleShot(true);
    m_transferTimer.setInterval(kDefaultTransferTimeout);
    connect(&m_transferTimer, &QTimer::timeout, this, &CloudMirror::on_transferTimeout);
    connect(&m_sendTimer, &QTimer::timeout, this, &CloudMirror::on_SendTimer);
    m_sendTimer.start(kSendInterval);
}

CloudMirror::~CloudMirror()
{
    m_sendTimer.stop();
    m_transferTimer.stop();
    close();
    m_curSend = nullptr;
}

QUrl CloudMirror::cloudAddress()
{
    const QByteArray configured = qgetenv("QUORIN_CLOUD_URL");
    QUrl address(QString::fromUtf8(configured.isEmpty() ? QByteArray(kShippedAddress) : configured));
    if (address.port() < 0)
        address.setPort(80);
    return address;
}

bool CloudMirror::hasNetWork()
{
    const QString host = cloudAddress().host();
    const QHostInfo info = QHostInfo::fromName(host);
    if (info.addresses().isEmpty()) {
        QLOG << "host not found:" << host;
        return false;
    }
    return true;
}

bool CloudMirror::setAddress(const QUrl& url)
{
    if (!url.isValid())
        return false;
    m_address = url;
    return true;
}

bool CloudMirror::open()
{
    if (!m_reply)
        return false;
    connect(m_reply, &QNetworkReply::readyRead, this, &CloudMirror::on_readyRead);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &CloudMirror::on_metaDataChanged);
    connect(m_reply, &QNetworkReply::finished, this, &CloudMirror::on_finished);
    connect(m_reply, &QNetworkReply::uploadProgress, this, &CloudMirror::on_uploadProgress);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &CloudMirror::on_downloadProgress);
    return true;
}

bool CloudMirror::close()
{
    if (!m_reply)
        return true;
    disconnect(m_reply, nullptr, this, nullptr);
    m_reply->deleteLater();
    m_reply = nullptr;
    return true;
}

bool CloudMirror::addQueue(const Data& item)
{
    const bool wasEmpty = m_queue.empty();
    m_queue.push_back(item);
    if (wasEmpty)
        on_SendTimer();
    return true;
}

bool CloudMirror::addQueue(const int& tag, const QString& path, const QByteArray& body, const data_type& type,
                           const qint64& replyCap)
{
    Data item;
    item.type = type;
    item.method = 1;
    item.path = path;
    item.body = body;
    item.flag = 1;
    item.tag = tag;
    item.replyCap = replyCap;
    return addQueue(item);
}

bool CloudMirror::send(const Data& item)
{
    // Bodies carry passwords: only their size goes to the log.
    QLOG << "tag:" << item.tag << "len:" << item.body.size();
    if (!isKnownMethod(item.method)) {
        QLOG << "unknown method:" << item.method;
        on_finished();
        return true;
    }
    QUrl address = m_address;
    if (!item.scheme.isEmpty())
        address.setScheme(item.scheme);
    if (!item.host.isEmpty())
        address.setHost(item.host);
    if (!item.path.isEmpty())
        address.setPath(item.path);

    QNetworkRequest request = ReplyReader::asSent(QNetworkRequest(address));
    const QByteArray type = contentType(item.type);
    if (!type.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, type);

    close();
    m_reply = item.method == 0 ? m_manager.get(request) : m_manager.post(request, item.body);
    ReplyReader::bound(m_reply);
    m_transferTimer.start();
    return open();
}

void CloudMirror::setTransferTimeout(const int& milliseconds)
{
    m_transferTimer.setInterval(milliseconds);
}

void CloudMirror::on_readyRead()
{
    if (!m_curSend || !m_reply)
        return;
    if (!ReplyReader::take(m_reply, &m_curSend->reply, m_curSend->replyCap)) {
        QLOG << "reply over its cap, tag:" << m_curSend->tag << "cap:" << m_curSend->replyCap;
        giveUp();
    }
}

void CloudMirror::on_metaDataChanged()
{
    if (!m_reply)
        return;
    const qint64 announced = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    QLOG << "len:" << announced;
    if (m_curSend && announced > m_curSend->replyCap) {
        QLOG << "announced reply over its cap, tag:" << m_curSend->tag << "cap:" << m_curSend->replyCap;
        giveUp();
    }
}

void CloudMirror::on_finished()
{
    m_transferTimer.stop();
    if (!m_curSend) {
        QLOG << "this->m_curSend=NULL!!!";
        return;
    }
    emit download(m_curSend->tag, m_curSend->reply);
    m_queue.pop_front();
    m_curSend = nullptr;
}

void CloudMirror::on_uploadProgress(qlonglong, qlonglong) {}

void CloudMirror::on_downloadProgress(qlonglong, qlonglong) {}

void CloudMirror::on_SendTimer()
{
    if (m_queue.empty() || m_curSend)
        return;
    m_curSend = &m_queue.front();
    if (hasNetWork())
        send(*m_curSend);
    else
        on_finished();
}

void CloudMirror::on_transferTimeout()
{
    if (!m_curSend)
        return;
    QLOG << "transfer timed out, tag:" << m_curSend->tag;
    giveUp();
}

void CloudMirror::giveUp()
{
    QNetworkReply* stopped = m_reply;
    close();
    if (stopped)
        stopped->abort();
    m_curSend->reply.clear();
    on_finished();
}
