#include "simadapter.h"

#include "rawpty.h"
#include "trace.h"

#include <QSocketNotifier>

#include <cctype>
#include <cerrno>
#include <unistd.h>

namespace {

QByteArray status(const QByteArray& word, const bool& ok)
{
    return '+' + word + (ok ? "\r\n1" : "\r\n0");
}

bool isHex(const QByteArray& text)
{
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

} // namespace

SimAdapter::SimAdapter(QObject* parent)
    : QObject(parent)
{
    m_bands.push_back(std::make_unique<SimBand>());
    m_event.setSingleShot(true);
    m_event.setTimerType(Qt::PreciseTimer);
    connect(&m_event, &QTimer::timeout, this, &SimAdapter::on_event);
    m_clock.start();

    m_path = openRawPty(m_master, m_slave);
    if (m_master < 0)
        return;

    m_reader = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_reader, &QSocketNotifier::activated, this, &SimAdapter::on_readable);
    m_writer = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writer->setEnabled(false);
    connect(m_writer, &QSocketNotifier::activated, this, &SimAdapter::on_writable);
}

SimAdapter::~SimAdapter()
{
    delete m_reader;
    delete m_writer;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

bool SimAdapter::isOpen() const
{
    return m_master >= 0 && !m_path.isEmpty();
}

QString SimAdapter::portPath() const
{
    return m_path;
}

SimBand& SimAdapter::band()
{
    return *m_bands.front();
}

const SimBand& SimAdapter::band() const
{
    return *m_bands.front();
}

SimBand& SimAdapter::addBand(const SimBandInfo& info)
{
    m_bands.push_back(std::make_unique<SimBand>());
    m_bands.back()->info = info;
    return *m_bands.back();
}

SimBand* SimAdapter::bandAt(const QString& address)
{
    for (const auto& band : m_bands) {
        if (band->info.address == address)
            return band.get();
    }
    return nullptr;
}

void SimAdapter::addDevice(const QString& name, const QString& address)
{
    m_devices << qMakePair(name, address);
}

void SimAdapter::setInterval(const int& microseconds)
{
    m_interval = qMax(0, microseconds);
}

bool SimAdapter::isConnected() const
{
    return m_linked != nullptr;
}

bool SimAdapter::isNotifying() const
{
    return m_notifying;
}

const SimBand* SimAdapter::linkedBand() const
{
    return m_linked;
}

void SimAdapter::on_readable()
{
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, chunk, sizeof(chunk));
        if (n <= 0)
            break;
        m_input.append(chunk, int(n));
    }
    for (int end = m_input.indexOf('\n'); end >= 0; end = m_input.indexOf('\n')) {
        QByteArray line = m_input.left(end);
        m_input.remove(0, end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            execute(line);
    }
}

void SimAdapter::on_writable()
{
    flush();
}

void SimAdapter::execute(const QByteArray& line)
{
    QLOG << "command:" << line;
    if (!line.startsWith("AT+")) {
        put(status("ERROR", false));
        return;
    }
    const QByteArray command = line.mid(3);
    if (command == "SCAN")
        put(scan());
    else if (command == "DISCON")
        put(disconnect());
    else if (command == "RSSI")
        put(m_linked ? status("RSSI", true) + "\r\n" + QByteArray::number(m_linked->info.rssi)
                     : status("RSSI", false));
    else if (command == "READ")
        put(m_linked ? status("READ", true) + "\r\n" + m_linked->info.name.toUtf8()
                     : status("READ", false));
    else if (command.startsWith("NOTIFY"))
        put(notify(command.mid(6)));
    else if (command.startsWith("WRITE"))
        put(write(command.mid(5)));
    else if (command.startsWith("CON") && command.size() > 3)
        put(connectTo(command.mid(3)));
    else
        put(status("ERROR", false));
}

QByteArray SimAdapter::scan()
{
    m_scanList = m_devices;
    for (const auto& band : m_bands)
        m_scanList << qMakePair(band->info.name, band->info.address);
    QByteArray reply = "+SCAN\r\n" + QByteArray::number(m_scanList.size());
    for (const auto& device : qAsConst(m_scanList))
        reply += "\r\n" + device.first.toUtf8() + "\r\n" + device.second.toUtf8();
    return reply;
}

QByteArray SimAdapter::connectTo(const QByteArray& target)
{
    if (m_linked)
        return status("CON", false);
    bool isNumber = false;
    const int entry = target.toInt(&isNumber);
    QString address = QString::fromUtf8(target);
    if (isNumber)
        address = entry >= 1 && entry <= m_scanList.size() ? m_scanList[entry - 1].second : QString();
    SimBand* band = bandAt(address);
    if (band && band->fault() != BandFault::RefuseConnect)
        m_linked = band;
    return status("CON", m_linked != nullptr);
}

QByteArray SimAdapter::disconnect()
{
    const bool wasConnected = m_linked != nullptr;
    m_linked = nullptr;
    m_notifying = false;
    m_air.clear();
    return status("DISCON", wasConnected);
}

QByteArray SimAdapter::notify(const QByteArray& parameter)
{
    if (parameter == "0") {
        m_notifying = false;
        return status("NOTIFY", m_linked != nullptr);
    }
    if (!parameter.isEmpty() && parameter != "1")
        return status("ERROR", false);
    m_notifying = m_linked && m_linked->fault() != BandFault::RefuseNotify;
    return status("NOTIFY", m_notifying);
}

QByteArray SimAdapter::write(const QByteArray& parameter)
{
    const int comma = parameter.indexOf(',');
    if (!m_linked || !parameter.startsWith('=') || comma < 0)
        return status("WRITE", false);
    bool isNumber = false;
    const int count = parameter.mid(1, comma - 1).toInt(&isNumber);
    const QByteArray hex = parameter.mid(comma + 1);
    if (!isNumber || count < 1 || count > WireCodec::packetSize || hex.size() != 2 * count
        || !isHex(hex))
        return status("WRITE", false);
    // Accepted at once; the packet reaches the band at its connection event.
    m_air << Air{QByteArray::fromHex(hex), false, true};
    scheduleEvent();
    return status("WRITE", true);
}

void SimAdapter::put(const QByteArray& message)
{
    m_output += message;
    m_output += '\0';
    flush();
}

void SimAdapter::flush()
{
    while (!m_output.isEmpty()) {
        const ssize_t n = ::write(m_master, m_output.constData(), size_t(m_output.size()));
        if (n > 0) {
            m_output.remove(0, int(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            break;
        QLOG << "pty write failed, errno=" << errno;
        m_output.clear();
    }
    if (m_writer)
        m_writer->setEnabled(!m_output.isEmpty());
}

void SimAdapter::queue(const SimBand::Answer& answer)
{
    int at = answer.urgent ? 0 : m_air.size();
    for (const QByteArray& packet : answer.packets)
        m_air.insert(at++, Air{packet, false, false});
    if (answer.linkLost)
        m_air.insert(at, Air{QByteArray(), true, false});
    scheduleEvent();
}

void SimAdapter::scheduleEvent()
{
    if (m_event.isActive() || m_air.isEmpty())
        return;
    const qint64 now = m_clock.nsecsElapsed();
    m_due = qMax(m_due, now);
    m_event.start(int((m_due - now + 999999) / 1000000));
}

void SimAdapter::on_event()
{
    if (m_air.isEmpty())
        return;
    const Air item = m_air.takeFirst();
    m_due += qint64(m_interval) * 1000;
    if (item.linkLost)
        dropLink();
    else if (item.toBand && m_linked)
        queue(m_linked->receive(item.packet));
    else if (m_linked && m_notifying)
        put("+NOTIFY=" + QByteArray::number(item.packet.size()) + ',' + item.packet.toHex().toUpper());
    scheduleEvent();
}

void SimAdapter::dropLink()
{
    m_linked = nullptr;
    m_notifying = false;
    m_air.clear();
    put(status("DISCON", true));
}
