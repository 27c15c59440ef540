#include "corehub.h"

#include "trace.h"

#include <QMetaObject>
#include <QtEndian>

namespace {

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

// The charts show the band's record when this computer has one with data, else the cloud's.
template <typename Day>
Day pickDay(const Day& stored, const QMap<QDate, Day>& cloud, const QDate& day, const Day& empty, const bool& net)
{
    if (!net || !stored.raw.isEmpty())
        return stored;
    return cloud.value(day, empty);
}

} // namespace

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

// ---- Stored days ----

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
    return sdCalcBmi(height, weight);
}

double CoreHub::sdCalcBmi(const double& height, const double& weight)
{
    if (!(height > 0))
        return 0.0;
    const double metres = height / 100.0;
    return weight / (metres * metres);
}
