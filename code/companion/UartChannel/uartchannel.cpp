#include "uartchannel.h"

#include "trace.h"

#include <QFileInfo>
#include <QSerialPortInfo>

UartChannel::UartChannel(QObject* parent)
    : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &UartChannel::on_readyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &UartChannel::on_error);
}

UartChannel::~UartChannel()
{
    close();
}

QString UartChannel::uc_portinfo::portName() const
{
    return QFileInfo(location).fileName();
}

UartChannel::uc_portinfo UartChannel::serialForDevice(const ushort& vendorId, const ushort& productId,
                                                      const uchar& interface, const uchar& flag)
{
    Q_UNUSED(interface)
    Q_UNUSED(flag)
    const QString configured = QString::fromLocal8Bit(qgetenv("QUORIN_ADAPTER_PORT"));
    if (!configured.isEmpty())
        return {QFileInfo::exists(configured) ? configured : QString()};
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports) {
        if (port.hasVendorIdentifier() && port.vendorIdentifier() == vendorId
            && port.hasProductIdentifier() && port.productIdentifier() == productId)
            return {port.systemLocation()};
    }
    return {};
}

bool UartChannel::open(const QString& systemLocation)
{
    close();
    m_port.setPortName(systemLocation);
    m_port.setBaudRate(QSerialPort::Baud115200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        QLOG << "open:" << systemLocation << m_port.errorString();
        return false;
    }
    return true;
}

void UartChannel::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool UartChannel::isOpen() const
{
    return m_port.isOpen();
}

bool UartChannel::write(const QByteArray& bytes)
{
    if (!m_port.isOpen())
        return false;
    if (m_port.write(bytes) != bytes.size())
        return false;
    // Hand the bytes to the device now rather than on the next event loop turn.
    m_port.flush();
    return true;
}

void UartChannel::on_readyRead()
{
    const QByteArray data = m_port.readAll();
    if (!data.isEmpty())
        emit read(data);
}

void UartChannel::on_error(QSerialPort::SerialPortError error)
{
    // A pty has no modem lines; asking for them is not a fault of the port.
    if (error == QSerialPort::NoError || error == QSerialPort::UnsupportedOperationError)
        return;
    QLOG << "serial error:" << error << m_port.errorString();
    if (error == QSerialPort::ResourceError)
        close();
}
