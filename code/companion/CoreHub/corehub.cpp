#include "corehub.h"

#include "cloudmirror.h"
#include "portharvest.h"
#include "trace.h"

namespace {

const unsigned kCloudFirst = CloudGate::NS_MSG_REGISTER;
const unsigned kCloudLast = CloudGate::NS_MSG_GET_DATA;
const unsigned kAdapterFirst = BandLink::AT_SCAN;
const unsigned kAdapterLast = BandLink::AT_WRITE;

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
    initAdapterQueue();
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

QUrl CoreHub::cloudAddress()
{
    const QUrl configured = CloudMirror::cloudAddress();
    QUrl address;
    address.setScheme(configured.scheme());
    address.setHost(configured.host());
    address.setPort(configured.port());
    return address;
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
    // Only the firmware reply carries an image.
    return m_cloud->addQueue(int(id), getNsMsgInfo(id - kCloudFirst).path, body,
                             raw ? CloudMirror::DATA_OCTET : CloudMirror::DATA_JSON,
                             id == NS_MSG_FIRMWARE ? REPLY_MAX : SHORT_REPLY_MAX);
}

void CoreHub::on_CloudDownload(int tag, QByteArray data)
{
    onNsMsg(CloudGate::MSG_LIST(tag), data);
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
