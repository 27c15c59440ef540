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

    // A found port. Not a QSerialPortInfo: that cannot describe a pty or a port the system
    // does not list, which QUORIN_ADAPTER_PORT may name.
    struct uc_portinfo {
        QString location;
        bool isValid() const { return !location.isEmpty(); }
        QString portName() const;
        QString systemLocation() const { return location; }
    };

    // The port with these USB ids, or QUORIN_ADAPTER_PORT when that is set and exists; invalid
    // when there is none. The adapter shows one port, so the interface and flag arguments are
    // accepted and not used.
    static uc_portinfo serialForDevice(const ushort& vendorId, const ushort& productId, const uchar& interface,
                                       const uchar& flag);

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
