#include "corehub.h"

#include "portharvest.h"
#include "trace.h"

#include <QMetaObject>

#include <algorithm>
#include <cctype>

namespace {

const int kDefaultAdapterTimeout = 8000;
// An adapter message is a few hundred bytes; a stream this long without its zero is noise.
const int kMaxMessageSize = 64 * 1024;

const QByteArray kNotifyPrefix = QByteArrayLiteral("+NOTIFY=");
const QByteArray kErrorWord = QByteArrayLiteral("+ERROR");

QByteArray firstLine(const QByteArray& message)
{
    const int end = message.indexOf("\r\n");
    return end < 0 ? message : message.left(end);
}

QByteArray replyWord(const unsigned& code)
{
    return "+" + BandLink::getAtCmd(BandLink::MSG_LIST(code)).cmd.toLatin1();
}

} // namespace

void CoreHub::initAdapterQueue()
{
    m_adapterTimer.setSingleShot(true);
    m_adapterTimer.setInterval(kDefaultAdapterTimeout);
    connect(&m_adapterTimer, &QTimer::timeout, this, &CoreHub::on_AdapterTimeout);
}

void CoreHub::setAdapterTimeout(const int& milliseconds)
{
    m_adapterTimer.setInterval(milliseconds);
}

// ---- Adapter commands: one outstanding, each answered exactly once ----

bool CoreHub::sendAdapter(const unsigned& code, const QByteArray& line)
{
    if (!adapterPresent()) {
        QLOG << "no adapter for:" << code;
        // Answered from the event loop, so the caller has seen the call return first.
        QMetaObject::invokeMethod(this, [this, code] { answerCommand(code, QByteArray()); }, Qt::QueuedConnection);
        return false;
    }
    m_commands.append(adapter_command{code, line});
    at_busy = true;
    if (m_commands.size() == 1)
        startNextCommand();
    return true;
}

bool CoreHub::adapterPresent() const
{
    return m_port->isExist() || !PortHarvest::devName().isEmpty();
}

void CoreHub::startNextCommand()
{
    m_commandWritten = false;
    if (m_commands.isEmpty()) {
        at_busy = false;
        return;
    }
    m_adapterTimer.start();
    writeCurrentCommand();
}

// The serial queue drops what it holds while its port is closed: hand over only to an open port.
void CoreHub::writeCurrentCommand()
{
    if (m_commandWritten || m_commands.isEmpty() || !m_port->isOpen())
        return;
    m_commandWritten = true;
    m_port->addQueue(int(m_commands.first().code), m_commands.first().line, false);
}

void CoreHub::on_AdapterTimeout()
{
    if (m_commands.isEmpty())
        return;
    QLOG << "adapter silent, code:" << m_commands.first().code;
    // Its answer may still come; it must not pass for the answer of the next such command.
    m_staleWord = replyWord(m_commands.first().code);
    finishCommand(QByteArray());
}

void CoreHub::finishCommand(const QByteArray& reply)
{
    m_adapterTimer.stop();
    const adapter_command done = m_commands.takeFirst();
    m_commandWritten = false;
    at_busy = !m_commands.isEmpty();
    answerCommand(done.code, reply);
    if (!m_commandWritten)
        startNextCommand();
}

// An empty reply is a failure: every parser reads it as one.
void CoreHub::answerCommand(const unsigned& code, const QByteArray& reply)
{
    switch (code) {
    case AT_SCAN:
        emit onBcScan(parseBcScan(reply));
        return;
    case AT_CON:
        emit onBcConn(parseBcConn(reply));
        return;
    case AT_DISCON:
        // "0" means there was no link: either way there is none now.
        if (!reply.isEmpty())
            at_connect = false;
        emit onBcDisconn(parseBcDisConn(reply));
        // Whoever closed the link waits for the bands around to show up again.
        bcScan();
        return;
    case AT_RSSI:
        QLOG << "rssi:" << parseBcRssi(reply);
        return;
    case AT_NOTIFY:
        emit onBcNotify(parseBcNotify(reply));
        return;
    case AT_READ:
        QLOG << "read:" << parseBcRead(reply);
        return;
    case AT_WRITE:
        if (!parseBcWrite(reply))
            QLOG << "write failed";
        return;
    }
}

void CoreHub::failAllCommands()
{
    m_adapterTimer.stop();
    const QList<adapter_command> lost = m_commands;
    m_commands.clear();
    m_commandWritten = false;
    at_busy = false;
    for (const adapter_command& command : lost)
        answerCommand(command.code, QByteArray());
}

// The adapter writes in pieces and several messages at once; each ends with one zero byte.
void CoreHub::on_PortRecv(int tag, QByteArray data)
{
    Q_UNUSED(tag)
    buffer.append(data);
    int end = buffer.indexOf('\0');
    while (end >= 0) {
        const QByteArray message = buffer.left(end);
        buffer.remove(0, end + 1);
        takeMessage(message);
        end = buffer.indexOf('\0');
    }
    if (buffer.size() > kMaxMessageSize) {
        QLOG << "adapter noise dropped, len:" << buffer.size();
        buffer.clear();
    }
}

void CoreHub::takeMessage(const QByteArray& message)
{
    if (message.startsWith(kNotifyPrefix)) {
        takeNotification(message);
        return;
    }
    const QByteArray word = firstLine(message);
    if (!m_staleWord.isEmpty() && word == m_staleWord) {
        QLOG << "late adapter reply dropped:" << word;
        m_staleWord.clear();
        return;
    }
    const bool outstanding = !m_commands.isEmpty() && m_commandWritten;
    const unsigned code = outstanding ? m_commands.first().code : 0;
    if (word == replyWord(AT_DISCON) && code != AT_DISCON) {
        loseLink();
        return;
    }
    if (!outstanding || (word != replyWord(code) && word != kErrorWord)) {
        QLOG << "stray adapter message:" << word;
        return;
    }
    finishCommand(message);
}

void CoreHub::takeNotification(const QByteArray& message)
{
    const QByteArray text = message.mid(kNotifyPrefix.size());
    const int comma = text.indexOf(',');
    bool ok = false;
    const int count = comma < 0 ? -1 : text.left(comma).toInt(&ok);
    const QByteArray hex = comma < 0 ? QByteArray() : text.mid(comma + 1);
    const bool allHex = std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(uchar(c)) != 0; });
    const QByteArray packet = QByteArray::fromHex(hex);
    if (!ok || !allHex || count != packet.size() || hex.size() != 2 * count) {
        QLOG << "bad notification, len:" << message.size();
        return;
    }
    bhReceive(packet);
}

void CoreHub::loseLink()
{
    QLOG << "band link lost";
    at_connect = false;
    emit onBcDisconn(true);
}

void CoreHub::on_PortExist(bool status)
{
    if (status == m_adapterPresent)
        return;
    m_adapterPresent = status;
    if (status) {
        emit onUsbConn();
        return;
    }
    const bool linked = at_connect;
    at_connect = false;
    buffer.clear();
    m_staleWord.clear();
    m_portBusyKnown = false;
    // The removal first: whoever waits on a command hears why it failed before it fails.
    emit onUsbUnConn();
    failAllCommands();
    if (linked)
        emit onBcDisconn(true);
}

void CoreHub::on_PortBusy(bool status, QString name)
{
    if (status)
        writeCurrentCommand();
    // The serial queue reports on every poll; pages only need to hear of a change.
    if (m_portBusyKnown && status == m_portBusy && name == m_portName)
        return;
    m_portBusyKnown = true;
    m_portBusy = status;
    m_portName = name;
    emit onUsbBusy(status, name);
}

void CoreHub::on_usbUpdate()
{
    m_adapterPresent = adapterPresent();
    if (m_adapterPresent)
        emit onUsbConn();
    else
        emit onUsbUnConn();
    bcScan();
}
