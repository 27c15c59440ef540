#include "syncrig.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

#include <algorithm>

const QString SyncRig::MOBILE = QStringLiteral("13800138000");

namespace {

bool isEnding(const SyncRig::rig_status& s)
{
    switch (s.code) {
    case BandHarvest::STATUS_NO_HUB:
    case BandHarvest::STATUS_NOTIFY_FAIL:
    case BandHarvest::STATUS_BAND_LOST:
    case BandHarvest::STATUS_DONE:
        return true;
    case BandHarvest::STATUS_CONNECT:
        return s.prompt == QStringLiteral("连接手环失败!");
    case BandHarvest::STATUS_PARAM_FAIL:
        return s.prompt == QStringLiteral("从服务器获取参数失败") || s.prompt == QStringLiteral("日期错误,同步失败");
    case BandHarvest::STATUS_DEVICE:
        return s.prompt == QStringLiteral("设备已移除!!!");
    case BandHarvest::STATUS_UPLOAD:
        return s.prompt == QStringLiteral("同步到服务器失败!!!");
    }
    return false;
}

} // namespace

SyncRig::SyncRig(const int& bindDays)
{
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    if (!m_adapter.isOpen() || !m_cloud.start())
        return;
    m_plug.reset(new AdapterPlug(m_adapter.portPath()));
    qputenv("QUORIN_ADAPTER_PORT", m_plug->link().toLocal8Bit());
    qputenv("QUORIN_CLOUD_URL", m_cloud.url().toString().toLocal8Bit());

    CloudLedger& ledger = m_cloud.ledger();
    ledger.addAccount(MOBILE, QStringLiteral("secret"));
    m_token = ledger.openSession(MOBILE);
    m_bind.deviceAddress = m_adapter.band().info.address;
    m_bind.deviceSerial = QStringLiteral("QB0001");
    m_bind.bindDt = QDateTime(QDate::currentDate().addDays(-bindDays), QTime(9, 30));
    ledger.bindBand(MOBILE, CloudLedger::lc_band{m_bind.deviceAddress, m_bind.deviceSerial, m_bind.bindDt});
    m_ready = !m_token.isEmpty() && restartHub();
}

SyncRig::~SyncRig()
{
    m_run.reset();
    m_hub.reset();
    qputenv("QUORIN_ADAPTER_PORT", QByteArray());
    qputenv("QUORIN_CLOUD_URL", QByteArray());
}

bool SyncRig::restartHub()
{
    m_run.reset();
    m_hub.reset(new CoreHub);
    QSignalSpy announced(m_hub.get(), &CoreHub::onUsbConn);
    m_hub->setNsToken(m_token);
    m_hub->setNsBinds({m_bind});
    LocalVault::userinfo user;
    qstrncpy(user.id, MOBILE.toLatin1().constData(), sizeof(user.id));
    m_hub->fdSetUserInfo(user);
    m_hub->fdSetUserId(MOBILE);
    m_hub->fdRead();
    const bool announcedAdapter = announced.wait(10000);
    newRun();
    return announcedAdapter;
}

void SyncRig::newRun()
{
    m_run.reset(new BandHarvest);
    m_run->setConnectPause(50);
    m_run->setRequestInterval(1000);
    m_run->setMsg(m_hub.get());
    m_run->setDevId(m_bind);
    QObject::connect(m_run.get(), &BandHarvest::onStatus, [this](BandHarvest::STATUS code, QString prompt) {
        statuses.append(rig_status{int(code), prompt});
    });
}

bool SyncRig::isReady() const
{
    return m_ready;
}

BandHarvest& SyncRig::run()
{
    return *m_run;
}

CoreHub& SyncRig::hub()
{
    return *m_hub;
}

SimAdapter& SyncRig::adapter()
{
    return m_adapter;
}

SimBand& SyncRig::band()
{
    return m_adapter.band();
}

LoopbackCloud& SyncRig::cloud()
{
    return m_cloud;
}

AdapterPlug& SyncRig::plug()
{
    return *m_plug;
}

CloudGate::ns_bind_dev SyncRig::bind() const
{
    return m_bind;
}

bool SyncRig::hasEnded() const
{
    return !statuses.isEmpty() && isEnding(statuses.last());
}

bool SyncRig::syncToEnd(const int& milliseconds)
{
    statuses.clear();
    if (!m_run->sync())
        return hasEnded();
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (hasEnded())
            loop.quit();
    });
    limit.start(milliseconds);
    poll.start(5);
    loop.exec();
    return hasEnded();
}

bool SyncRig::isSettled()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const QList<QTimer*> timers = m_run->findChildren<QTimer*>();
    return std::none_of(timers.cbegin(), timers.cend(), [](const QTimer* timer) { return timer->isActive(); });
}

int SyncRig::bandReceived(const quint8& cmd, const quint8& sub) const
{
    int count = 0;
    for (const QByteArray& packet : m_adapter.band().received()) {
        if (packet.size() >= 2 && quint8(packet[0]) == cmd && quint8(packet[1]) == sub)
            ++count;
    }
    return count;
}

int SyncRig::cloudRequests(const QString& endpoint) const
{
    int count = 0;
    for (const LoopbackCloud::lc_request& request : m_cloud.requests()) {
        if (request.path == LoopbackCloud::PATH_PREFIX + endpoint)
            ++count;
    }
    return count;
}
