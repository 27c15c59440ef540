// One full sync at the band's real pace, with the heaviest days a band holds: 255 one-minute
// step samples and 255 sleep segments for each of 11 days. Prints wall time against the floor
// the protocol sets, CPU time and peak memory. Not a test: run it by hand.
#include "syncrig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <sys/resource.h>

#include <cstdio>

namespace {

const int kDays = 11;
const int kItems = 255;
const int kPauseMs = 3000;
const double kEventMs = 7.5;
const int kTickMs = 100;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int slotsOf(const QByteArray& stored)
{
    return (stored.size() - 17 + 16) / 17 + 1;
}

void fillBand(SimBand& band, const QDate& today)
{
    QRandomGenerator random(7);
    for (int i = 0; i < kDays; ++i) {
        const QDate day = today.addDays(-i);
        QList<quint16> steps;
        QList<SimSleepItem> night;
        for (int item = 0; item < kItems; ++item) {
            steps << quint16(random.bounded(0, 150));
            night << SimSleepItem{quint16(1200 + item * 2), 2, quint8(random.bounded(0, 8))};
        }
        band.setStepDay(day, 1, steps);
        band.setSleepDay(day, night);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QDate today = QDate::currentDate();
    SyncRig rig(kDays - 1);
    if (!rig.isReady()) {
        std::fprintf(stderr, "no pty or no loopback port\n");
        return 1;
    }
    fillBand(rig.band(), today);
    rig.run().setConnectPause(kPauseMs);
    rig.run().setRequestInterval(3000);

    // Every band packet is one connection event: version and parameter replies, and per day
    // and kind the day reply, its packs and the answer to the re-send request. The program's
    // packets take one event each as well; they are counted once the band has them.
    int events = 2;
    for (int i = 0; i < kDays; ++i) {
        const QDate day = today.addDays(-i);
        events += slotsOf(rig.band().storedDay(WireCodec::BH_CMD_STEP, day)) + 2;
        events += slotsOf(rig.band().storedDay(WireCodec::BH_CMD_SLEEP, day)) + 2;
    }
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    const bool ended = rig.syncToEnd(300000);
    const double wallMs = wall.nsecsElapsed() / 1e6;
    const double cpuMs = (cpuSeconds() - cpuBefore) * 1000.0;
    const bool done = ended && rig.statuses.last().code == BandHarvest::STATUS_DONE;
    const int bandPackets = events;
    events += rig.band().received().size();
    const double floorMs = kPauseMs + events * kEventMs + kTickMs;

    std::printf("result:        %s\n", done ? "done (15)" : "not done");
    std::printf("packets:       %d at %.1f ms each (band %d, program %d)\n", events, kEventMs, bandPackets,
                events - bandPackets);
    std::printf("wall time:     %.0f ms\n", wallMs);
    std::printf("floor:         %.0f ms (pause %d + radio %.0f + one %d ms serial tick)\n", floorMs, kPauseMs,
                events * kEventMs, kTickMs);
    std::printf("wall / floor:  %.2f\n", wallMs / floorMs);
    std::printf("cpu time:      %.0f ms (%.1f %% of wall; the simulated band and cloud run in this process)\n", cpuMs,
                100.0 * cpuMs / wallMs);
    std::printf("peak memory:   %ld KiB\n", peakKiB());
    return done ? 0 : 1;
}
