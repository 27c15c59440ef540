#ifndef DAYFIXTURE_H
#define DAYFIXTURE_H

#include "bandharvest.h"
#include "pagerig.h"

#include <QDate>
#include <QList>
#include <QSignalSpy>
#include <QtEndian>
#include <QTest>

// Days for the day pages: exact ones written into the store as a sync leaves them, a real sync
// of the simulated band, and the cloud's copy of a day this computer does not hold.
namespace DayFixture {

const int SYNC_WAIT = 120000;
const uchar HEAD[4] = {0, 0, 0, 2};

// One stored sleep segment: the band's sleep code (0-2 deep, 3-5 light, above 5 awake) and its
// length in minutes.
struct segment {
    quint8 code = 0;
    quint8 minutes = 0;
};

inline LocalVault::mydate packed(const QDate& day)
{
    return LocalVault::mydate{quint16(day.year()), quint8(day.month()), quint8(day.day())};
}

// At most 255 samples, as a stored day holds.
inline bool storeSteps(CoreHub& hub, const QDate& day, const quint8& interval, const QList<quint16>& samples)
{
    QByteArray bytes;
    for (const quint16 value : samples) {
        bytes.append(char(value & 0xFF));
        bytes.append(char(value >> 8));
    }
    return hub.fdAddStep(HEAD, LocalVault::SYNC_NEW, packed(day), interval, quint8(samples.size()), 0, bytes,
                         QByteArray("fixture"), false);
}

// Segments follow each other from 22:00 on.
inline bool storeSleep(CoreHub& hub, const QDate& day, const QList<segment>& night)
{
    QByteArray bytes;
    quint16 start = 1320;
    for (const segment& part : night) {
        bytes.append(char(start & 0xFF));
        bytes.append(char(start >> 8));
        bytes.append(char(part.minutes));
        bytes.append(char(part.code));
        start = quint16(start + part.minutes);
    }
    return hub.fdAddSleep(HEAD, LocalVault::SYNC_NEW, packed(day), 1, quint8(night.size()), 0, bytes,
                          QByteArray("fixture"), false);
}

// The targets as the cloud's health numbers give them to the hub.
inline bool setTargets(PageRig& rig, const QString& mobile, const int& steps, const int& sleep)
{
    CloudLedger::lc_account account = rig.cloud().ledger().account(mobile);
    account.health = CloudLedger::lc_health{1, 30, 172, 65, QDateTime::currentDateTime()};
    account.stepTarget = steps;
    account.sleepTarget = sleep;
    rig.cloud().ledger().setAccount(account);
    QSignalSpy health(&rig.hub(), &CoreHub::onNsGetHealthNum);
    return rig.hub().nsGetHealthNum(rig.token(), CoreHub::version(), rig.hub().LanguageString())
           && health.wait(PeerRig::PEER_WAIT);
}

inline CloudGate::ns_bind_dev bindBand(PageRig& rig, const QString& mobile, const QDate& on)
{
    const CloudGate::ns_bind_dev bind{rig.band().info.address, QStringLiteral("QB0001"), QDateTime(on, QTime(9, 30))};
    rig.cloud().ledger().bindBand(mobile, {bind.deviceAddress, bind.deviceSerial, bind.bindDt});
    rig.hub().setNsBinds({bind});
    return bind;
}

// The band, bound yesterday, synced as a user's run does it: its two days stored and uploaded.
inline bool syncBand(PageRig& rig, const QString& mobile)
{
    const QDate today = QDate::currentDate();
    rig.band().generateDays(today, 2);
    const CloudGate::ns_bind_dev bind = bindBand(rig, mobile, today.addDays(-1));
    if (!rig.plugAdapter())
        return false;
    BandHarvest run;
    run.setConnectPause(50);
    run.setRequestInterval(1000);
    run.setMsg(&rig.hub());
    run.setDevId(bind);
    QSignalSpy statuses(&run, &BandHarvest::onStatus);
    if (!run.sync())
        return false;
    const auto done = [&statuses] {
        return !statuses.isEmpty() && statuses.last().at(0).value<BandHarvest::STATUS>() == BandHarvest::STATUS_DONE;
    };
    return QTest::qWaitFor(done, SYNC_WAIT);
}

// A day the cloud holds from another computer: the band's record of it uploaded there and fetched
// back as the program does for a day it lacks.
inline bool cloudDay(PageRig& rig, const QString& mobile, const QDate& day)
{
    rig.band().generateDays(day, 1);
    const CloudGate::ns_bind_dev bind = bindBand(rig, mobile, day.addDays(-1));
    CloudLedger::lc_day record;
    record.address = bind.deviceAddress;
    record.serial = bind.deviceSerial;
    record.day = day;
    record.sportData = QString::fromLatin1(rig.band().storedDay(WireCodec::BH_CMD_STEP, day).toBase64());
    record.sleepData = QString::fromLatin1(rig.band().storedDay(WireCodec::BH_CMD_SLEEP, day).toBase64());
    record.uploadedAt = QDateTime::currentDateTime();
    if (!rig.cloud().ledger().addDay(mobile, record))
        return false;
    if (!rig.hub().nsQueryLastData(rig.token(), bind.deviceAddress, bind.deviceSerial, QDateTime(day, QTime(0, 0)),
                                   CoreHub::version(), rig.hub().LanguageString()))
        return false;
    const auto held = [&rig, &day] {
        return !rig.hub().fdStepDay(day, false, true).raw.isEmpty() && !rig.hub().fdSleepDay(day, false, true).raw.isEmpty();
    };
    return QTest::qWaitFor(held, PeerRig::PEER_WAIT);
}

} // namespace DayFixture

#endif // DAYFIXTURE_H
