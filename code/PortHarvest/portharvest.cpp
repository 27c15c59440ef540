#include "portharvest.h"

#include "trace.h"
#include "uartchannel.h"


namespace {

const int kPollInterval = 100;
const int kDefaultReplyTimeout = 3000;

QString adapterLocation()
{
    return UartChannel::serialForDevice(PortHarvest::ADAPTER_VENDOR_ID, PortHarvest::ADAPTER_PRODUCT_ID, 1, 0)
        .systemLocation();
}

QString portNameOf(const QString& location)
{
    return UartChannel::uc_portinfo{location}.portName();
}

} // namespace

PortHarvest::PortHarvest(QObject* parent)
    : QObject(parent)
{
    createDevice();
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setInterval(kDefaultReplyTimeout);
    connect(&m_replyTimer, &QTimer::timeout, this, &PortHarvest::on_replyTimeout);
    connect(&m_timer, &QTimer::timeout, this, &PortHarvest::on_timerOut);
    m_timer.start(kPollInterval);
}

PortHarvest::~PortHarvest()
{
    m_timer.stop();
    m_replyTimer.stop();
    if (m_device)
        m_device->close();
}

QString PortHarvest::devName()
{
    return portNameOf(adapterLocation());
}

bool PortHarvest::isExist() const
{
    return m_exist;
}

bool PortHarvest::isOpen() const
{
    return m_device && m_device->isOpen();
}

bool PortHarvest::addQueue(const data& item)
{
    const bool wasEmpty = m_queue.isEmpty();
    m_queue.append(item);
    if (wasEmpty)
        on_timerOut();
    return true;
}

bool PortHarvest::addQueue(const int& tag, const QByteArray& bytes, const bool& wait)
{
    data item;
    item.tag = tag;
    item.bytes = bytes;
    item.wait = wait;
    return addQueue(item);
}

void PortHarvest::setReplyTimeout(const int& milliseconds)
{
    m_replyTimer.setInterval(milliseconds);
}

void PortHarvest::on_timerOut()
{
    if (!m_device)
        return;
    const QString location = adapterLocation();
    const QString name = portNameOf(location);
    if (location.isEmpty()) {
        if (m_exist) {
            m_exist = false;
            m_queue.clear();
            stopWaiting();
            emit onExist(false);
        }
        m_device->close();
        return;
    }
    if (!m_exist) {
        m_exist = true;
        emit onExist(true);
    }
    if (m_device->isOpen()) {
        emit onBusy(true, name);
    } else {
        m_queue.clear();
        stopWaiting();
        const bool ok = m_device->open(location);
        emit onBusy(ok, name);
        if (!ok) {
            QLOG << "open com:" << location << " Faill!!!";
            replaceDevice();
            return;
        }
    }
    if (m_waiting || m_queue.isEmpty())
        return;
    writeNext();
}

void PortHarvest::writeNext()
{
    const data item = m_queue.takeFirst();
    m_timer.stop();
    m_waiting = item.wait;
    m_curTag = item.tag;
    if (!m_device->write(item.bytes)) {
        QLOG << "device write feaild!!!";
        stopWaiting();
    } else if (m_waiting) {
        m_replyTimer.start();
    }
    m_timer.start();
}

void PortHarvest::on_read(QByteArray data)
{
    stopWaiting();
    emit onRecv(m_curTag, data);
}

void PortHarvest::on_replyTimeout()
{
    QLOG << "no reply, tag:" << m_curTag;
    m_waiting = false;
}

void PortHarvest::stopWaiting()
{
    m_replyTimer.stop();
    m_waiting = false;
}

void PortHarvest::createDevice()
{
    m_device = new UartChannel(this);
    connect(m_device, &UartChannel::read, this, &PortHarvest::on_read);
}

void PortHarvest::replaceDevice()
{
    disconnect(m_device, &UartChannel::read, this, &PortHarvest::on_read);
    m_device->close();
    m_device->deleteLater();
    createDevice();
}
