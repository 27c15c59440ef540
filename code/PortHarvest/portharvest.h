#ifndef PORTHARVEST_H
#define PORTHARVEST_H

#include "portharvest_export.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

class UartChannel;

// Keeps the USB radio adapter's port open and writes queued messages to it one per poll;
// whatever the adapter answers comes back with the tag of the message written last.
class PORTHARVEST_EXPORT PortHarvest : public QObject
{
    Q_OBJECT
public:
    struct data {
        int tag = 0;
        QByteArray bytes;
        bool wait = false;  // hold later messages until the adapter answers
    };

    static constexpr ushort ADAPTER_VENDOR_ID = 0x0451;
    static constexpr ushort ADAPTER_PRODUCT_ID = 0x16AA;

    explicit PortHarvest(QObject* parent = nullptr);
    ~PortHarvest() override;

    static QString devName();
    bool isExist() const;
    bool isOpen() const;
    bool addQueue(const data& item);
    bool addQueue(const int& tag, const QByteArray& bytes, const bool& wait);

    // An awaited answer that has not come after this many milliseconds no longer holds the queue.
    void setReplyTimeout(const int& milliseconds);

signals:
    void onBusy(bool status, QString name);
    void onExist(bool status);
    void onRecv(int tag, QByteArray data);

public slots:
    void on_timerOut();
    void on_read(QByteArray data);

private slots:
    void on_replyTimeout();

private:
    void createDevice();
    void replaceDevice();
    void stopWaiting();
    void writeNext();

    UartChannel* m_device = nullptr;
    QTimer m_timer;
    QTimer m_replyTimer;
    bool m_exist = false;
    QList<data> m_queue;
    bool m_waiting = false;
    int m_curTag = -1;
};

#endif // PORTHARVEST_H
