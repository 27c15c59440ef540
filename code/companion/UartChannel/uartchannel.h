#ifndef UARTCHANNEL_H
#define UARTCHANNEL_H

#include "uartchannel_export.h"

#include <QObject>
#include <QSerialPort>

// One serial port at 115200 8N1 without flow control; whatever arrives is handed on as read().
class UARTCHANNEL_EXPORT UartChannel : public QObject
{
    Q_OBJECT
public:
    explicit UartChannel(QObject* parent = nullptr);
    ~UartChannel() override;

    // The system location of the port with these USB ids, or QUORIN_ADAPTER_PORT when that is
    // set and exists; empty when there is none.
    static QString serialForDevice(const ushort& vendorId, const ushort& productId);

    bool open(const QString& systemLocation);
    void close();
    bool isOpen() const;
    bool write(const QByteArray& bytes);

signals:
    void read(QByteArray data);

private slots:
    void on_readyRead();
    void on_error(QSerialPort::SerialPortError error);

private:
    QSerialPort m_port;
};

#endif // UARTCHANNEL_H
