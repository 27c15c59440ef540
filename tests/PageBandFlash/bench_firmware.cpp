// One firmware transfer through the wizard, the real hub, the serial queue and the pty to the
// simulated band at its default pace. Prints the throughput against the floor the radio sets:
// every packet of the transfer, the program's and the band's, takes one connection event.
// Not a test: run it by hand. Argument: the image size in bytes (default 64 KiB).
#include "pagebandflash.h"

#include "pagerig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <cstdio>

namespace {

const int kDefaultSize = 64 * 1024;
const double kEventMs = 7.5;
const int kWaitMs = 600000;

QByteArray imageOf(const int& size)
{
    QByteArray image;
    image.reserve(size);
    for (int i = 0; i < size; ++i)
        image += char((i * 13 + i / 509) & 0xFF);
    return image;
}

int firmwarePackets(const SimBand& band)
{
    int count = 0;
    for (const QByteArray& packet : band.received())
        count += quint8(packet[0]) == 0x5A ? 1 : 0;
    return count;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int size = argc > 1 ? QByteArray(argv[1]).toInt() : kDefaultSize;
    if (size <= 0) {
        std::fprintf(stderr, "usage: bench_firmware [image size in bytes]\n");
        return 2;
    }
    PageRig rig;
    const QByteArray image = imageOf(size);
    CloudGate::ns_bind_dev bound;
    bound.deviceAddress = rig.band().info.address;
    if (!rig.isReady() || !rig.signIn(QStringLiteral("13800000000")) || !rig.plugAdapter()) {
        std::fprintf(stderr, "no pty or no loopback port\n");
        return 1;
    }
    rig.hub().setNsBinds({bound});
    rig.cloud().ledger().setFirmware(CloudLedger::lc_firmware{quint16(rig.band().info.firmware + 1), image});

    PageBandFlash wizard;
    QWidget* check = wizard.findChild<QWidget*>(QStringLiteral("tab_check"));
    QWidget* confirm = wizard.findChild<QWidget*>(QStringLiteral("tab_confirm"));
    QWidget* download = wizard.findChild<QWidget*>(QStringLiteral("tab_download"));
    QSignalSpy checked(check, SIGNAL(onNext(quint16,quint16,QByteArray)));
    QSignalSpy sent(download, SIGNAL(onNext(bool)));
    rig.activate(wizard);
    if (!checked.wait(kWaitMs)) {
        std::fprintf(stderr, "the check did not end\n");
        return 1;
    }

    const int before = firmwarePackets(rig.band());
    QElapsedTimer wall;
    wall.start();
    QMetaObject::invokeMethod(confirm, "on_okClick");
    const bool done = sent.wait(kWaitMs) && rig.band().firmware() == image;
    const double wallMs = wall.nsecsElapsed() / 1e6;

    const int packs = (size + 1019) / 1020;
    // The band answers the start packet once and every long pack twice.
    const int events = firmwarePackets(rig.band()) - before + 1 + 2 * packs;
    const double floorMs = events * kEventMs;
    const double rate = size / (wallMs / 1000.0);
    const double floorRate = size / (floorMs / 1000.0);
    std::printf("result:        %s\n", done ? "installed" : "not installed");
    std::printf("image:         %d bytes in %d long packs\n", size, packs);
    std::printf("packets:       %d at %.1f ms each\n", events, kEventMs);
    std::printf("wall time:     %.0f ms (floor %.0f ms)\n", wallMs, floorMs);
    std::printf("bytes/s:       %.0f (floor %.0f)\n", rate, floorRate);
    std::printf("of floor:      %.2f\n", rate / floorRate);
    return done ? 0 : 1;
}
