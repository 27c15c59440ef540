#include "bandharvest.h"
#include "fuzzhome.h"
#include "wirecodec.h"

#include <cstring>

// Packets from the band, 20 bytes each, go through the codec's classification; the long packs
// it hands on fill the slots of a block the way the sync places them, and the block check reads
// the block. Input: the packets back to back.

namespace {

const int kPayloadSize = 17;
const int kMaxSlots = WireCodec::wireBitmapSize * 8;

class BlockCheck : public BandHarvest
{
public:
    using BandHarvest::checkStepLongPack;
    using BandHarvest::initStepPack;
};

// Keeps the long packs of the step and sleep families, in the order they came.
class PackCollector : public WireCodec
{
public:
    QList<bs_pack> packs;

protected:
    void bhStepLong(const WireCodec::bs_pack& pack) override { packs.append(pack); }
    void bhSleepLong(const WireCodec::bs_pack& pack) override { packs.append(pack); }
};

int slotsOf(const quint16& length)
{
    return (length + kPayloadSize - 1) / kPayloadSize + 1;
}

// Slots from the first head pack on; serials 254 and 255 fill the last slot.
QList<BandHarvest::step_dat> placeSlots(const QList<WireCodec::bs_pack>& packs)
{
    QList<BandHarvest::step_dat> placed;
    for (const WireCodec::bs_pack& pack : packs) {
        const int serial = pack.data[2];
        if (serial == 1) {
            const quint16 length = WireCodec::bhWord(pack.data, 3);
            if (length == 0 || slotsOf(length) > kMaxSlots)
                return {};
            placed = BlockCheck().initStepPack(ushort(slotsOf(length)));
        }
        const int n = placed.size();
        const bool last = serial == 254 || serial == 255;
        if (n == 0 || serial == 0 || (!last && serial > n))
            continue;
        BandHarvest::step_dat& slot = placed[last ? n - 1 : serial - 1];
        slot.isRecv = true;
        std::memcpy(slot.pack, pack.data, sizeof(slot.pack));
    }
    return placed;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PackCollector codec;
    const QByteArray input = fuzzBytes(data, size);
    for (int at = 0; at < input.size(); at += WireCodec::packetSize)
        codec.bhReceive(input.mid(at, WireCodec::packetSize));
    const QList<BandHarvest::step_dat> placed = placeSlots(codec.packs);
    if (placed.isEmpty())
        return 0;
    static BlockCheck check;
    WireCodec::bs_long_ask_reply reply;
    QByteArray block;
    if (!check.checkStepLongPack(placed, &reply, &block))
        return 0;
    // A checked block holds its head payload and exactly the data its head announces.
    const quint16 length = WireCodec::bhWord(placed.first().pack, 3);
    FUZZ_CHECK(block.size() == kPayloadSize + length);
    FUZZ_CHECK(WireCodec::crcCCITT(block.mid(kPayloadSize)) == WireCodec::bhWord(placed.first().pack, 7));
    return 0;
}
