#include "syncrig.h"

#include <QCoreApplication>
#include <QEventLoop>
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
    if (!signIn(MOBILE))
        return;
    m_bind.deviceAddress = band().info.address;
    m_bind.deviceSerial = QStringLiteral("QB0001");
    m_bind.bindDt = QDateTime(QDate::currentDate().addDays(-bindDays), QTime(9, 30));
    cloud().ledger().bindBand(MOBILE, CloudLedger::lc_band{m_bind.deviceAddress, m_bind.deviceSerial, m_bind.bindDt});
    hub().setNsBinds({m_bind});
    m_ready = plugAdapter();
    newRun();
}

bool SyncRig::restartHub()
{
    m_run.reset();
    const bool announced = PeerRig::restartHub();
    hub().setNsBinds({m_bind});
    newRun();
    return announced;
}

void SyncRig::newRun()
{
    m_run.reset(new BandHarvest);
    m_run->setConnectPause(50);
    m_run->setRequestInterval(1000);
    m_run->setMsg(&hub());
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
    for (const QByteArray& packet : band().received()) {
        if (packet.size() >= 2 && quint8(packet[0]) == cmd && quint8(packet[1]) == sub)
            ++count;
    }
    return count;
}

int SyncRig::cloudRequests(const QString& endpoint) const
{
    int count = 0;
    for (const LoopbackCloud::lc_request& request : cloud().requests()) {
        if (request.path == LoopbackCloud::PATH_PREFIX + endpoint)
            ++count;
    }
    return count;
}
