#include "bandlink.h"

#include "trace.h"

#include <QStringList>

namespace {
BandLink::at_pack tableRow(const char* word)
{
    BandLink::at_pack pack;
    pack.head = QStringLiteral("AT+");
    pack.cmd = QLatin1String(word);
    pack.tail = QStringLiteral("\r\n");
    return pack;
}

// Indexed by code - AT_SCAN; rows are only ever copied.
const BandLink::at_pack commandTable[] = {
    tableRow("SCAN"), tableRow("CON"), tableRow("DISCON"), tableRow("RSSI"),
    tableRow("NOTIFY"), tableRow("READ"), tableRow("WRITE"),
};
const unsigned commandCount = sizeof(commandTable) / sizeof(commandTable[0]);

// The adapter pads some replies with zero bytes; nothing after the first one is text.
QStringList replyLines(const QByteArray& reply)
{
    const int textEnd = reply.indexOf('\0');
    const QString text = QString::fromUtf8(reply.constData(), textEnd < 0 ? reply.size() : textEnd);
    return text.split(QStringLiteral("\r\n"));
}

int lineValue(const QString& line)
{
    bool ok = false;
    const int value = line.toInt(&ok, 10);
    return ok ? value : 0;
}

bool statusIsOne(const QStringList& lines)
{
    return lines.size() >= 2 && lineValue(lines.at(1)) == 1;
}
} // namespace

BandLink::BandLink()
{
    qRegisterMetaType<BandLink::at_devinfo>("BandLink::at_devinfo");
    qRegisterMetaType<QList<BandLink::at_devinfo>>("QList<BandLink::at_devinfo>");
}

BandLink::~BandLink() = default;

bool BandLink::isAtConnect() const
{
    return at_connect;
}

bool BandLink::isAtBusy() const
{
    return at_busy;
}

BandLink::at_pack BandLink::getAtCmd(const MSG_LIST& code)
{
    const unsigned row = code - AT_SCAN;
    return row < commandCount ? commandTable[row] : at_pack();
}

QByteArray BandLink::toAtPack(const at_pack& pack)
{
    if (pack.cmd.isEmpty())
        return QByteArray();
    // Plain concatenation: a parameter may hold "%1" and must go out as it stands.
    const QString command = pack.head + pack.cmd + pack.param;
    if (pack.data.isEmpty())
        return QString(command + pack.tail).toLatin1();
    const QString prefix = command + QLatin1Char('=') + QString::number(pack.len) + QLatin1Char(',');
    return prefix.toLatin1() + pack.data + pack.tail.toUtf8();
}

QByteArray BandLink::toHexStr(const QByteArray& bytes)
{
    return bytes.toHex().toUpper();
}

bool BandLink::sendRow(const MSG_LIST& code, const at_pack& pack)
{
    return sendMsg(code, toAtPack(pack));
}

bool BandLink::bcScan()
{
    return sendRow(AT_SCAN, getAtCmd(AT_SCAN));
}

bool BandLink::bcConnect(const QString& text)
{
    at_pack pack = getAtCmd(AT_CON);
    pack.param = text;
    return sendRow(AT_CON, pack);
}

bool BandLink::bcConnect(const int& n)
{
    // Bound statically: an override of the text form must not change this one.
    return BandLink::bcConnect(QString::number(n));
}

bool BandLink::bcDisConnect()
{
    return sendRow(AT_DISCON, getAtCmd(AT_DISCON));
}

bool BandLink::bcRssi()
{
    if (!at_connect)
        return false;
    return sendRow(AT_RSSI, getAtCmd(AT_RSSI));
}

bool BandLink::bcNotify()
{
    if (!at_connect)
        return false;
    return sendRow(AT_NOTIFY, getAtCmd(AT_NOTIFY));
}

bool BandLink::bcWrite(const QByteArray& raw)
{
    if (!at_connect)
        return false;
    // The count travels in 16 bits; a longer write would announce a wrong length.
    if (raw.size() > 0xFFFF) {
        QLOG << "bcWrite refused, bytes:" << raw.size();
        return false;
    }
    at_pack pack = getAtCmd(AT_WRITE);
    pack.len = quint16(raw.size());
    pack.data = toHexStr(raw);
    return sendRow(AT_WRITE, pack);
}

QList<BandLink::at_devinfo> BandLink::parseBcScan(const QByteArray& reply)
{
    const QStringList lines = replyLines(reply);
    const int lineCount = lines.size();
    if (lineCount < 2)
        return {};
    const int bandCount = lineValue(lines.at(1));
    // A count that disagrees with the lines means a reply we cannot pair up.
    if (bandCount <= 0 || qint64(lineCount) != 2 * qint64(bandCount) + 2)
        return {};
    QList<at_devinfo> bands;
    for (int j = 2; j < lineCount; j += 2)
        bands.append(at_devinfo{lines.at(j), lines.at(j + 1), QString()});
    return bands;
}

bool BandLink::parseBcConn(const QByteArray& reply)
{
    if (!statusIsOne(replyLines(reply)))
        return false;
    at_connect = true;
    return true;
}

bool BandLink::parseBcDisConn(const QByteArray& reply)
{
    if (!statusIsOne(replyLines(reply)))
        return false;
    at_connect = false;
    return true;
}

int BandLink::parseBcRssi(const QByteArray& reply)
{
    const QStringList lines = replyLines(reply);
    if (lines.size() < 3 || lineValue(lines.at(1)) == 0)
        return 0;
    return lineValue(lines.at(2));
}

bool BandLink::parseBcNotify(const QByteArray& reply)
{
    return statusIsOne(replyLines(reply));
}

bool BandLink::parseBcWrite(const QByteArray& reply)
{
    return statusIsOne(replyLines(reply));
}

QByteArray BandLink::parseBcRead(const QByteArray& reply)
{
    const QStringList lines = replyLines(reply);
    return lines.size() < 3 ? QByteArray() : lines.at(2).toUtf8();
}

bool BandLink::sendMsg(const unsigned& code, const QByteArray& bytes)
{
    Q_UNUSED(code)
    Q_UNUSED(bytes)
    return false;
}
