#include "corehub.h"

#include "cloudmirror.h"
#include "portharvest.h"
#include "trace.h"

#include <QMetaObject>
#include <QtEndian>

#include <algorithm>
#include <cctype>

namespace {

const int kDefaultAdapterTimeout = 8000;
// An adapter message is a few hundred bytes; a stream this long without its zero is noise.
const int kMaxMessageSize = 64 * 1024;

const unsigned kCloudFirst = CloudGate::NS_MSG_REGISTER;
const unsigned kCloudLast = CloudGate::NS_MSG_GET_DATA;
const unsigned kAdapterFirst = BandLink::AT_SCAN;
const unsigned kAdapterLast = BandLink::AT_WRITE;

const QByteArray kNotifyPrefix = QByteArrayLiteral("+NOTIFY=");
const QByteArray kErrorWord = QByteArrayLiteral("+ERROR");

// The stored-day message: format bytes, two little-endian lengths, then both days.
const int kCloudDayHeadSize = 12;
const uchar kHeadType1[4] = {0, 0, 0, 1};
const uchar kHeadType2[4] = {0, 0, 0, 2};

const double kStrideOfHeight = 0.415;
const double kDefaultHeightCm = 170.0;
const double kDefaultWeightKg = 60.0;
// Walking burns about 1.036 kcal per kilogram and kilometre: the same figure in 1/1000 kcal
// per kilogram and metre.
const double kCaloriesPerKgMetre = 1.036;
const int kDefaultStepTarget = 10000;
const double kDefaultSleepHours = 8.0;

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

CoreHub::CoreHub(QObject* parent)
    : CoreHub(new PortHarvest, new CloudMirror, parent)
{
}

CoreHub::CoreHub(PortHarvest* port, CloudMirror* cloud, QObject* parent)
    : CloudGate(parent)
    , m_port(port)
    , m_cloud(cloud)
{
    WireCodec::registerMetaTypes();
    qRegisterMetaType<LocalVault::process>("LocalVault::process");
    qRegisterMetaType<LocalVault::step_mem_data>("LocalVault::step_mem_data");
    qRegisterMetaType<LocalVault::sleep_mem_data>("LocalVault::sleep_mem_data");
    m_adapterTimer.setSingleShot(true);
    m_adapterTimer.setInterval(kDefaultAdapterTimeout);
    connect(&m_adapterTimer, &QTimer::timeout, this, &CoreHub::on_AdapterTimeout);
    attachCarriers();
}

CoreHub::~CoreHub()
{
    m_adapterTimer.stop();
    // The carriers go first: none of their signals may reach a half-destroyed hub.
    delete m_port;
    delete m_cloud;
}

void CoreHub::attachCarriers()
{
    m_port->setParent(this);
    m_cloud->setParent(this);
    connect(m_port, &PortHarvest::onExist, this, &CoreHub::on_PortExist);
    connect(m_port, &PortHarvest::onBusy, this, &CoreHub::on_PortBusy);
    connect(m_port, &PortHarvest::onRecv, this, &CoreHub::on_PortRecv);
    connect(m_cloud, &CloudMirror::download, this, &CoreHub::on_CloudDownload);
}

void CoreHub::setMainWin(void* window)
{
    m_mainWin = window;
}

void* CoreHub::mainWin() const
{
    return m_mainWin;
}

QString CoreHub::version()
{
    return QStringLiteral("1.0.0");
}

QString CoreHub::LanguageString() const
{
    return QStringLiteral("zh_CN");
}

QString CoreHub::appKey() const
{
    return QStringLiteral("quorin-desktop");
}

QString CoreHub::appSysType()
{
    return QStringLiteral("1");
}

void CoreHub::setAdapterTimeout(const int& milliseconds)
{
    m_adapterTimer.setInterval(milliseconds);
}

// ---- The three service hooks ----

bool CoreHub::sendMsg(const unsigned& id, const QByteArray& body)
{
    if (id >= kCloudFirst && id <= kCloudLast)
        return sendCloud(id, body);
    if (id >= kAdapterFirst && id <= kAdapterLast)
        return sendAdapter(id, body);
    return sendProgress(id, body);
}

bool CoreHub::sendCloud(const unsigned& id, const QByteArray& body)
{
    if (id == NS_MSG_SYNC_DATA_RAW || id == NS_MSG_SYNC_DATA)
        return takeCloudDay(id, body);
    if (id == NS_MSG_SPARE) {
        QLOG << "no route for:" << id;
        return false;
    }
    const bool raw = id == NS_MSG_GET_DATA;
    return m_cloud->addQueue(int(id), getNsMsgInfo(id - kCloudFirst).path, body,
                             raw ? CloudMirror::DATA_OCTET : CloudMirror::DATA_JSON);
}

void CoreHub::on_CloudDownload(int tag, QByteArray data)
{
    onNsMsg(CloudGate::MSG_LIST(tag), data);
}

// The cloud's copy of a day; the band's own records are never replaced by it.
bool CoreHub::takeCloudDay(const unsigned& id, const QByteArray& body)
{
    if (body.isEmpty())
        return true;
    if (id == NS_MSG_SYNC_DATA_RAW)
        return fdAddNetStep(kHeadType1, body);
    if (body.size() < kCloudDayHeadSize || !body.startsWith(QByteArray(reinterpret_cast<const char*>(kHeadType2), 4))) {
        QLOG << "cloud day refused, len:" << body.size();
        return false;
    }
    const uchar* head = reinterpret_cast<const uchar*>(body.constData());
    const qint64 sportSize = qFromLittleEndian<quint32>(head + 4);
    const qint64 sleepSize = qFromLittleEndian<quint32>(head + 8);
    if (kCloudDayHeadSize + sportSize + sleepSize != body.size()) {
        QLOG << "cloud day lengths disagree:" << sportSize << sleepSize << "len:" << body.size();
        return false;
    }
    bool ok = true;
    if (sportSize > 0)
        ok = fdAddNetStep(kHeadType2, body.mid(kCloudDayHeadSize, int(sportSize))) && ok;
    if (sleepSize > 0)
        ok = fdAddNetSleep(kHeadType2, body.mid(kCloudDayHeadSize + int(sportSize))) && ok;
    return ok;
}

bool CoreHub::sendProgress(const unsigned& code, const QByteArray& data)
{
    if (code != FD_TEST_EXTRACT && code != FD_SOFT_UPDATE) {
        QLOG << "no route for:" << code;
        return false;
    }
    emit onFdProcess(LocalVault::process::fromBytes(data));
    return true;
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

// ---- Band packets ----

bool CoreHub::sendPacket(const QByteArray& packet)
{
    return bcWrite(packet);
}

void CoreHub::bhVersionReply(const WireCodec::bs_reply_version& version)
{
    emit onBhVersion(version);
}

void CoreHub::bhParamReply(const WireCodec::bs_reply_param& reply)
{
    emit onBhParamReply(reply);
}

void CoreHub::bhStepReply(const WireCodec::bs_reply_sync_step& reply)
{
    emit onBhStep(reply);
}

void CoreHub::bhStepLong(const WireCodec::bs_pack& pack)
{
    emit onBhStepLong(pack);
}

void CoreHub::bhSleepReply(const WireCodec::bs_reply_sync_sleep& reply)
{
    emit onBhSleep(reply);
}

void CoreHub::bhSleepLong(const WireCodec::bs_pack& pack)
{
    emit onBhSleepLong(pack);
}

void CoreHub::bhAskRerecvReply(const quint16& index)
{
    emit onBhAskRerecv(index);
}

void CoreHub::bhErrorReply(const WireCodec::bs_pack_error& error)
{
    emit onBhError(error);
}

void CoreHub::bhFirmRevReply(const WireCodec::bs_pack& pack)
{
    emit onBhFirmRev(pack);
}

void CoreHub::bhFirmwareLongReply(const WireCodec::bs_pack& pack)
{
    emit onBhFirmwareLong(pack);
}

void CoreHub::bhLongCtrReply(const WireCodec::bs_pack& pack)
{
    emit onBhLongCtr(pack);
}

// ---- Stored days ----

namespace {

// The charts show the band's record when this computer has one with data, else the cloud's.
template <typename Day>
Day pickDay(const Day& stored, const QMap<QDate, Day>& cloud, const QDate& day, const Day& empty, const bool& net)
{
    if (!net || !stored.raw.isEmpty())
        return stored;
    return cloud.value(day, empty);
}

} // namespace

template <typename Day>
void CoreHub::answerDay(const Day& record, void (CoreHub::*signal)(Day))
{
    QMetaObject::invokeMethod(this, [this, record, signal] { (this->*signal)(record); }, Qt::QueuedConnection);
}

LocalVault::step_mem_data CoreHub::fdStepDay(const QDate& day, const bool& answer, const bool& net)
{
    const step_mem_data record = pickDay(fdGetStepDay(day), netStep.days, day, fdGetStepNullDay(day), net);
    if (answer)
        answerDay(record, net ? &CoreHub::onFdNetStepDay : &CoreHub::onFdStepDay);
    return record;
}

LocalVault::sleep_mem_data CoreHub::fdSleepDay(const QDate& day, const bool& answer, const bool& net)
{
    const sleep_mem_data record = pickDay(fdGetSleepDay(day), netSleep.days, day, fdGetSleepNullDay(day), net);
    if (answer)
        answerDay(record, net ? &CoreHub::onFdNetSleepDay : &CoreHub::onFdSleepDay);
    return record;
}

// ---- Calculators ----

double CoreHub::userHeight() const
{
    if (nsBmi().height > 0)
        return nsBmi().height;
    if (nsAccount().height > 0)
        return nsAccount().height;
    return kDefaultHeightCm;
}

double CoreHub::userWeight() const
{
    if (nsBmi().weight > 0)
        return nsBmi().weight;
    if (nsAccount().weight > 0)
        return nsAccount().weight;
    return kDefaultWeightKg;
}

double CoreHub::sdCalcDist(const unsigned& steps) const
{
    return steps * userHeight() * kStrideOfHeight / 100.0;
}

double CoreHub::sdCalcDefaultKcal(const double& metres) const
{
    return metres * userWeight() * kCaloriesPerKgMetre;
}

int CoreHub::sdCalcStepTarget()
{
    return kDefaultStepTarget;
}

double CoreHub::sdCalcSleepTarget()
{
    return kDefaultSleepHours;
}

double CoreHub::getBmi(const unsigned short& height, const unsigned short& weight)
{
    if (height == 0)
        return 0.0;
    const double metres = height / 100.0;
    return weight / (metres * metres);
}
