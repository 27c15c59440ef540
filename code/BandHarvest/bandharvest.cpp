#include "bandharvest.h"

#include "corehub.h"
#include "harvestlink.h"
#include "trace.h"

#include <QThread>
#include <QTimer>

#include <cmath>

namespace {

const int kMaxWindowDays = 11;
// The band answers its version and parameters at once; this long without them, it is gone.
const int kBandAnswerRequests = 3;
// Scans that do not show the band before the run gives up on connecting.
const int kMaxScans = 3;

quint16 bodyNumber(const double& value)
{
    const double whole = std::trunc(value);
    if (!(whole > 0))
        return 0;
    return whole > 65535 ? 65535 : quint16(whole);
}

bool versionHasIdentity(const WireCodec::bs_reply_version& version)
{
    for (const unsigned char byte : version.id) {
        if (byte)
            return true;
    }
    if (version.versionWord)
        return true;
    for (const char byte : version.text) {
        if (byte)
            return true;
    }
    return false;
}

// Counts one answer of the store and keeps the record under its date; true with the last one.
template <typename Day>
bool takeLocalDay(const Day& d, QMap<QDate, Day>* days, quint16* answers, const quint16& count)
{
    ++*answers;
    const QDate day(d.t.date.year, d.t.date.month, d.t.date.day);
    if (day.isValid())
        days->insert(day, d);
    return *answers >= count;
}

} // namespace

BandHarvest::BandHarvest(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<BandHarvest::STATUS>("BandHarvest::STATUS");
}

BandHarvest::~BandHarvest()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    endRun();
    hubUnlink(hub, &CoreHub::onUsbConn, this, &BandHarvest::on_UsbConn);
    hubUnlink(hub, &CoreHub::onUsbUnConn, this, &BandHarvest::on_UsbUnConn);
    hubUnlink(hub, &CoreHub::onBcConn, this, &BandHarvest::on_BcConn);
    hubUnlink(hub, &CoreHub::onBcDisconn, this, &BandHarvest::on_BcDisconn);
    hubUnlink(hub, &CoreHub::onBhError, this, &BandHarvest::on_BhError);
    hub->bcDisConnect();
}

void BandHarvest::setConnectPause(const int& milliseconds)
{
    m_connectPause = milliseconds;
}

void BandHarvest::setRequestInterval(const int& milliseconds)
{
    m_requestInterval = milliseconds;
}

bool BandHarvest::setMsg(CoreHub* msg)
{
    const bool stored = Attribute::setMsg(msg);
    if (!msg)
        return stored;
    hubUnlink(msg, &CoreHub::onUsbConn, this, &BandHarvest::on_UsbConn);
    hubUnlink(msg, &CoreHub::onUsbUnConn, this, &BandHarvest::on_UsbUnConn);
    hubUnlink(msg, &CoreHub::onBcConn, this, &BandHarvest::on_BcConn);
    hubUnlink(msg, &CoreHub::onBcDisconn, this, &BandHarvest::on_BcDisconn);
    hubLink(msg, &CoreHub::onUsbConn, this, &BandHarvest::on_UsbConn);
    hubLink(msg, &CoreHub::onUsbUnConn, this, &BandHarvest::on_UsbUnConn);
    hubLink(msg, &CoreHub::onBcConn, this, &BandHarvest::on_BcConn);
    hubLink(msg, &CoreHub::onBcDisconn, this, &BandHarvest::on_BcDisconn);
    // The days go to the user the store has selected at sign-in; the record file may still name
    // the user before when its last write failed.
    return stored;
}

bool BandHarvest::setDevId(const CloudGate::ns_bind_dev& dev)
{
    if (dev.deviceAddress.isEmpty())
        return false;
    m_dev = dev;
    return true;
}

void BandHarvest::status(const STATUS& code, const QString& prompt)
{
    QLOG << "status:" << int(code) << prompt;
    emit onStatus(code, prompt);
}

bool BandHarvest::sync()
{
    CoreHub* hub = Msg();
    if (!hub) {
        status(STATUS_NO_HUB, tr("无法连接消息中心!!!"));
        return false;
    }
    endRun();
    m_scanArmed = true;
    m_closingLink = false;
    m_scanMisses = 0;
    status(STATUS_SERVER_DATA, tr("获取服务器数据..."));
    const QDate today = QDate::currentDate();
    const QDate bind = m_dev.bindDt.date();
    qint64 days = kMaxWindowDays;
    if (bind.isValid())
        days = qMin<qint64>(bind.daysTo(today) + 1, kMaxWindowDays);
    if (days < 1) {
        m_scanArmed = false;
        status(STATUS_PARAM_FAIL, tr("日期错误,同步失败"));
        return false;
    }
    m_running = true;
    m_stepDayCount = m_sleepDayCount = quint16(days);
    m_stepDayAnswers = m_sleepDayAnswers = 0;
    m_stepDays.clear();
    m_sleepDays.clear();
    m_step.clear();
    m_sleep.clear();
    m_stepBlock = m_sleepBlock = 0;
    m_pull[KIND_STEP] = day_pull();
    m_pull[KIND_SLEEP] = day_pull();
    hubLink(hub, &CoreHub::onFdStepDay, this, &BandHarvest::on_FdStepDay);
    hubLink(hub, &CoreHub::onFdSleepDay, this, &BandHarvest::on_FdSleepDay);
    // The connect answer is let go after each connect; a new run listens again.
    hubLink(hub, &CoreHub::onBcConn, this, &BandHarvest::on_BcConn);
    for (qint64 i = 0; i < days; ++i) {
        const QDate day = today.addDays(-i);
        m_stepDays.insert(day, LocalVault::fdGetStepNullDay(day));
        m_sleepDays.insert(day, LocalVault::fdGetSleepNullDay(day));
        hub->fdStepDay(day, true, false);
        hub->fdSleepDay(day, true, false);
    }
    return true;
}

bool BandHarvest::stop()
{
    if (m_stepTimer)
        m_stepTimer->stop();
    if (m_sleepTimer)
        m_sleepTimer->stop();
    CoreHub* hub = Msg();
    if (!hub) {
        status(STATUS_NO_HUB, tr("无法连接消息中心!!!"));
        return false;
    }
    endRun();
    return hub->bcDisConnect();
}

// Nothing of an ended run answers any more, and nothing repeats on its own.
void BandHarvest::endRun()
{
    m_running = false;
    m_scanArmed = false;
    for (QTimer* timer : {m_stepTimer, m_sleepTimer, m_bandTimer}) {
        if (timer)
            timer->stop();
    }
    CoreHub* hub = Msg();
    if (!hub)
        return;
    hubUnlink(hub, &CoreHub::onFdStepDay, this, &BandHarvest::on_FdStepDay);
    hubUnlink(hub, &CoreHub::onFdSleepDay, this, &BandHarvest::on_FdSleepDay);
    hubUnlink(hub, &CoreHub::onBcScan, this, &BandHarvest::on_BcScan);
    hubUnlink(hub, &CoreHub::onBcNotify, this, &BandHarvest::on_BcNotify);
    hubUnlink(hub, &CoreHub::onBhVersion, this, &BandHarvest::on_BhVersion);
    hubUnlink(hub, &CoreHub::onNsGetHealthNum, this, &BandHarvest::on_NsGetHealthNum);
    hubUnlink(hub, &CoreHub::onBhParamReply, this, &BandHarvest::on_BhParamReply);
    hubUnlink(hub, &CoreHub::onNsDateSync, this, &BandHarvest::on_NsDateSync);
    leavePhase(KIND_STEP);
    leavePhase(KIND_SLEEP);
}

// A request the band should have had could not be sent: the link is down.
void BandHarvest::bandLost()
{
    if (!m_running)
        return;
    endRun();
    status(STATUS_BAND_LOST, tr("手环连接已断开!"));
}

void BandHarvest::watchBand(const bool& on)
{
    if (!m_bandTimer) {
        m_bandTimer = new QTimer(this);
        m_bandTimer->setSingleShot(true);
        connect(m_bandTimer, &QTimer::timeout, this, &BandHarvest::on_BandSilent);
    }
    if (on)
        m_bandTimer->start(kBandAnswerRequests * m_requestInterval);
    else
        m_bandTimer->stop();
}

void BandHarvest::on_BandSilent()
{
    QLOG << "band silent";
    bandLost();
}

void BandHarvest::on_FdStepDay(LocalVault::step_mem_data d)
{
    CoreHub* hub = Msg();
    if (!hub || !takeLocalDay(d, &m_stepDays, &m_stepDayAnswers, m_stepDayCount))
        return;
    hubUnlink(hub, &CoreHub::onFdStepDay, this, &BandHarvest::on_FdStepDay);
    if (m_sleepDayAnswers >= m_sleepDayCount)
        startBandPhase();
}

void BandHarvest::on_FdSleepDay(LocalVault::sleep_mem_data d)
{
    CoreHub* hub = Msg();
    if (!hub || !takeLocalDay(d, &m_sleepDays, &m_sleepDayAnswers, m_sleepDayCount))
        return;
    hubUnlink(hub, &CoreHub::onFdSleepDay, this, &BandHarvest::on_FdSleepDay);
    if (m_stepDayAnswers >= m_stepDayCount)
        startBandPhase();
}

void BandHarvest::startBandPhase()
{
    CoreHub* hub = Msg();
    status(STATUS_DEVICE, tr("设备准备中..."));
    hubUnlink(hub, &CoreHub::onBcScan, this, &BandHarvest::on_BcScan);
    hubLink(hub, &CoreHub::onBcScan, this, &BandHarvest::on_BcScan);
    // Today grows all day: it is always asked for again.
    const QDate today = QDate::currentDate();
    m_stepDays.insert(today, LocalVault::fdGetStepNullDay(today));
    m_sleepDays.insert(today, LocalVault::fdGetSleepNullDay(today));
    // A link an earlier run left up would keep every scan result from connecting.
    if (hub->isAtConnect()) {
        m_closingLink = true;
        hub->bcDisConnect();
    }
    hub->on_usbUpdate();
}

void BandHarvest::on_UsbConn()
{
    status(STATUS_SEARCH, tr("搜索手环..."));
}

void BandHarvest::on_UsbUnConn()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    endRun();
    hubLink(hub, &CoreHub::onBhError, this, &BandHarvest::on_BhError);
    status(STATUS_DEVICE, tr("设备已移除!!!"));
}

void BandHarvest::on_BcScan(QList<BandLink::at_devinfo> list)
{
    CoreHub* hub = Msg();
    if (!hub || hub->isAtConnect() || !m_scanArmed)
        return;
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).address == m_dev.deviceAddress) {
            // One connect per run: a later scan result must not send a second one.
            m_scanArmed = false;
            hub->bcConnect(i + 1);
            return;
        }
    }
    if (++m_scanMisses < kMaxScans) {
        hub->bcScan();
        return;
    }
    endRun();
    status(STATUS_CONNECT, tr("连接手环失败!"));
}

void BandHarvest::on_BcConn(bool state)
{
    CoreHub* hub = Msg();
    if (!hub || !m_running)
        return;
    m_scanArmed = false;
    if (!state) {
        endRun();
        status(STATUS_CONNECT, tr("连接手环失败!"));
        return;
    }
    hubUnlink(hub, &CoreHub::onBcScan, this, &BandHarvest::on_BcScan);
    hubUnlink(hub, &CoreHub::onBcConn, this, &BandHarvest::on_BcConn);
    status(STATUS_CONNECT, tr("手环连接已建立"));
    status(STATUS_CONNECT, tr("准备监听手环数据"));
    // The band needs this long after connecting before it takes the notification switch.
    QThread::msleep(ulong(m_connectPause));
    hubLink(hub, &CoreHub::onBcNotify, this, &BandHarvest::on_BcNotify);
    if (!hub->bcNotify())
        bandLost();
}

void BandHarvest::on_BcDisconn(bool state)
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    if (m_closingLink) {
        m_closingLink = false;
        return;
    }
    // Only a run in progress loses its band; an idle object has nothing to report.
    if (!state || !m_running)
        return;
    endRun();
    hubLink(hub, &CoreHub::onBcConn, this, &BandHarvest::on_BcConn);
    hubLink(hub, &CoreHub::onBhError, this, &BandHarvest::on_BhError);
    status(STATUS_BAND_LOST, tr("手环连接已断开!"));
}

void BandHarvest::on_BcNotify(bool state)
{
    CoreHub* hub = Msg();
    if (!hub || !m_running)
        return;
    hubUnlink(hub, &CoreHub::onBcNotify, this, &BandHarvest::on_BcNotify);
    if (!state) {
        endRun();
        status(STATUS_NOTIFY_FAIL, tr("蓝牙监听失败"));
        return;
    }
    status(STATUS_CONNECT, tr("获取手环版本信息"));
    hubLink(hub, &CoreHub::onBhError, this, &BandHarvest::on_BhError);
    hubLink(hub, &CoreHub::onBhVersion, this, &BandHarvest::on_BhVersion);
    watchBand(true);
    if (!hub->bhVersion())
        bandLost();
}

void BandHarvest::on_BhVersion(WireCodec::bs_reply_version version)
{
    CoreHub* hub = Msg();
    if (!hub || !m_running)
        return;
    watchBand(false);
    hubUnlink(hub, &CoreHub::onBhVersion, this, &BandHarvest::on_BhVersion);
    hub->bhSetVersion(version);
    const unsigned char headType = versionHasIdentity(version) ? 2 : 1;
    m_packType[0] = m_packType[1] = m_packType[2] = 0;
    m_packType[3] = headType;
    m_param.versionWord = version.versionWord;
    status(STATUS_STEP_STAGE, tr("从服务器获取参数"));
    hubLink(hub, &CoreHub::onNsGetHealthNum, this, &BandHarvest::on_NsGetHealthNum);
    hub->nsGetHealthNum(hub->nsToken(), CoreHub::version(), hub->LanguageString());
}

void BandHarvest::on_NsGetHealthNum(CloudGate::ns_get_bmi_detail bmi, CloudGate::ns_ret_code returnCode,
                                    QString returnMsg)
{
    CoreHub* hub = Msg();
    if (!hub || !m_running)
        return;
    hubUnlink(hub, &CoreHub::onNsGetHealthNum, this, &BandHarvest::on_NsGetHealthNum);
    if (returnCode.code != 0) {
        QLOG << "health numbers refused:" << returnCode.retCode << returnMsg;
        endRun();
        status(STATUS_PARAM_FAIL, tr("从服务器获取参数失败"));
        return;
    }
    status(STATUS_STEP_STAGE, tr("同步手环参数"));
    hubLink(hub, &CoreHub::onBhParamReply, this, &BandHarvest::on_BhParamReply);
    bool isNumber = false;
    const int target = bmi.ssportRecommen.toInt(&isNumber, 10);
    m_param.dt = QDateTime::currentDateTime();
    m_param.stepTarget = isNumber ? target : 0;
    m_param.option1 = 1;
    m_param.option2 = 1;
    m_param.option3 = 0;
    m_param.gender = bmi.gender ? 1 : 0;
    m_param.age = bmi.age;
    m_param.weight = bodyNumber(bmi.weight);
    m_param.height = bodyNumber(bmi.height);
    m_param.flags = 0;
    watchBand(true);
    if (!hub->bhParam(m_param))
        bandLost();
}

void BandHarvest::on_BhParamReply(WireCodec::bs_reply_param param_reply)
{
    CoreHub* hub = Msg();
    if (!hub || !m_running)
        return;
    watchBand(false);
    hubUnlink(hub, &CoreHub::onBhParamReply, this, &BandHarvest::on_BhParamReply);
    QLOG << "band id:" << QByteArray(reinterpret_cast<const char*>(param_reply.id), 8).toHex()
         << "protocol:" << param_reply.protocol << "firmware:" << param_reply.firmware
         << "type:" << QString::fromLatin1(param_reply.type);
    status(STATUS_STEP_STAGE, tr("获取手环计步数据"));
    if (syncBtStep() || !m_running)
        return;
    status(STATUS_STEP_STAGE, tr("获取手环睡眠数据"));
    if (syncBtSleep() || !m_running)
        return;
    status(STATUS_STEP_STAGE, tr("手环没有新数据."));
    status(STATUS_SLEEP_STAGE, tr("同步到服务器..."));
    syncNetStep();
}

void BandHarvest::on_BhError(WireCodec::bs_pack_error error)
{
    if (!Msg())
        return;
    QLOG << "cmd=" << error.cmd << ",sub=" << error.sub << ",type=" << error.type;
    QLOG << "错误类型:" << WireCodec::bhGetErrStr(WireCodec::BH_ERROR_TYPE(error.type))
         << "错误描述:" << QString::fromLatin1(error.text);
}

void BandHarvest::syncDone()
{
    endRun();
    status(STATUS_DONE, tr("同步完成."));
}
