#ifndef CLOUDMIRROR_H
#define CLOUDMIRROR_H

#include "cloudmirror_export.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <deque>
#include <limits>

class QNetworkReply;

// Carries requests to the cloud service one at a time, in queue order; every request ends in
// exactly one download(tag, bytes), whatever happened to it on the way.
class CLOUDMIRROR_EXPORT CloudMirror : public QObject
{
    Q_OBJECT
public:
    enum data_type { DATA_OCTET = 0, DATA_JSON = 1 };

    struct Data {
        data_type type = DATA_OCTET;
        int method = 0;  // 0 GET, 1 POST
        QString scheme;
        QString host;
        QString path;
        QByteArray body;
        QByteArray reply;
        int flag = 0;
        int tag = 0;
        // A reply longer than this, announced or received, ends with an empty download at once.
        qint64 replyCap = std::numeric_limits<qint64>::max();
    };

    CloudMirror();
    ~CloudMirror() override;

    // The cloud service's address: QUORIN_CLOUD_URL when set and not empty, else the shipped one.
    static QUrl cloudAddress();
    static bool hasNetWork();

    bool setAddress(const QUrl& url);
    bool open();
    bool close();
    // Virtual so that a test can stand in for the network.
    virtual bool addQueue(const Data& item);
    bool addQueue(const int& tag, const QString& path, const QByteArray& body, const data_type& type,
                  const qint64& replyCap = std::numeric_limits<qint64>::max());
    bool send(const Data& item);

    // A request still unfinished after this many milliseconds ends with an empty download.
    void setTransferTimeout(const int& milliseconds);

signals:
    void upload(int tag, QByteArray dat);
    void download(int tag, QByteArray dat);

public slots:
    void on_readyRead();
    void on_metaDataChanged();
    void on_finished();
    void on_uploadProgress(qlonglong bytesSent, qlonglong bytesTotal);
    void on_downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal);
    void on_SendTimer();

private slots:
    void on_transferTimeout();

private:
    // Ends the request in flight with an empty download, as a reply that never came.
    void giveUp();

    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;
    QUrl m_address;
    std::deque<Data> m_queue;  // the first one is in flight; push_back keeps m_curSend valid
    QTimer m_sendTimer;
    QTimer m_transferTimer;
    Data* m_curSend = nullptr;
};

#endif // CLOUDMIRROR_H
