#include "bandharvest.h"

#include "corehub.h"
#include "harvestlink.h"
#include "trace.h"

#include <QSet>

#include <algorithm>

namespace {

const uchar kHeadType2[4] = {0, 0, 0, 2};
const quint8 kLightSleep = 2;
const quint8 kDeepSleep = 3;

// Received or saved, but not yet uploaded.
bool awaitsUpload(const LocalVault::table_entry& t)
{
    return t.sync != LocalVault::SYNC_EMPTY && t.sync < LocalVault::SYNC_UPLOADED;
}

void addSteps(const CoreHub& hub, const LocalVault::step_mem_data& s, CloudGate::ns_data_sync* record)
{
    for (const LocalVault::step_item& item : s.items) {
        if (item.value == 0)
            continue;
        record->sportTimeLen += s.t.interval;
        record->walkNum += item.value;
    }
    record->distance = hub.sdCalcDist(unsigned(record->walkNum)) / 1000.0;
    record->calories = hub.sdCalcDefaultKcal(record->distance * 1000.0) / 1000.0;
    if (std::equal(s.t.head, s.t.head + 4, kHeadType2))
        record->sportData = QString::fromLatin1(s.raw.toBase64());
}

// Minutes from 00:00 of the night's day; a night that goes on past midnight ends the day after.
void addSleep(const QDate& day, const LocalVault::sleep_mem_data& z, CloudGate::ns_data_sync* record)
{
    record->sleepData = QString::fromLatin1(z.raw.toBase64());
    if (z.segments.isEmpty())
        return;
    for (const LocalVault::sleep_segment& segment : z.segments) {
        record->sleepTimeLen += segment.minutes;
        if (segment.phase == kLightSleep)
            record->simpleSleepTimeLen += segment.minutes;
        if (segment.phase == kDeepSleep)
            record->depthSleepTimeLen += segment.minutes;
    }
    const QDateTime midnight(day, QTime(0, 0));
    const LocalVault::sleep_segment& first = z.segments.first();
    const LocalVault::sleep_segment& last = z.segments.last();
    record->beginSleepTM = midnight.addSecs(qint64(first.start) * 60);
    record->endSleepTM = midnight.addSecs((qint64(last.start) + last.minutes) * 60);
}

} // namespace

bool BandHarvest::syncNetStep()
{
    CoreHub* hub = Msg();
    if (!hub)
        return false;
    const QList<CloudGate::ns_bind_dev> binds = hub->nsBinds();
    if (binds.isEmpty()) {
        QLOG << "binds<=0";
        endRun();
        status(STATUS_UPLOAD, tr("同步到服务器失败!!!"));
        return false;
    }
    hub->fdSave();
    const QMap<QDate, LocalVault::step_mem_data> steps = hub->fdSteps();
    const QMap<QDate, LocalVault::sleep_mem_data> sleeps = hub->fdSleeps();
    // Every stored day of either kind, in date order.
    QList<QDate> days = steps.keys() + sleeps.keys();
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    if (!days.isEmpty())
        QLOG << "start date=" << days.first() << ",end date=" << days.last();
    m_stepSent.clear();
    m_sleepSent.clear();
    QList<CloudGate::ns_data_sync> list;
    for (const QDate& day : days) {
        const LocalVault::step_mem_data s = steps.value(day);
        const LocalVault::sleep_mem_data z = sleeps.value(day);
        if (!awaitsUpload(s.t) && !awaitsUpload(z.t))
            continue;
        CloudGate::ns_data_sync record;
        record.sjDate = QDateTime(day, QTime(0, 0));
        addSteps(*hub, s, &record);
        addSleep(day, z, &record);
        list.append(record);
        m_stepSent.append(day);
        m_sleepSent.append(day);
    }
    if (list.isEmpty()) {
        status(STATUS_UPLOAD, tr("不需要同步到服务器."));
        syncDone();
        return true;
    }
    hubLink(hub, &CoreHub::onNsDateSync, this, &BandHarvest::on_NsDateSync);
    return hub->nsDateSync(hub->nsToken(), binds.first().deviceAddress, binds.first().deviceSerial, list,
                           CoreHub::version(), hub->LanguageString());
}

void BandHarvest::on_NsDateSync(CloudGate::ns_ret_code returnCode, QString returnMsg)
{
    CoreHub* hub = Msg();
    if (!hub || !m_running)
        return;
    hubUnlink(hub, &CoreHub::onNsDateSync, this, &BandHarvest::on_NsDateSync);
    if (returnCode.code != 0) {
        QLOG << "upload refused:" << returnCode.retCode << returnMsg;
        endRun();
        status(STATUS_UPLOAD, tr("同步到服务器失败!!!"));
        return;
    }
    status(STATUS_UPLOAD, tr("保存同步状态到文件."));
    for (const QDate& day : qAsConst(m_stepSent))
        hub->fdUpdateStepSync(day, LocalVault::SYNC_UPLOADED);
    hub->fdSaveStep();
    for (const QDate& day : qAsConst(m_sleepSent))
        hub->fdUpdateSleepSync(day, LocalVault::SYNC_UPLOADED);
    hub->fdSaveSleep();
    status(STATUS_UPLOAD, tr("同步到服务器完成."));
    syncDone();
}
