#include "corehub.h"
#include "fuzzhome.h"
#include "portharvest.h"

// What the adapter writes, cut into the pieces a serial port hands over, reaches the hub's
// framing as it would from the port; every message is also read by each reply parser.
// Input: one byte giving the piece size, then the adapter's output.

namespace {

class FuzzHub : public CoreHub
{
public:
    void reset()
    {
        buffer.clear();
        at_connect = false;
    }
};

void parseAll(FuzzHub& hub, const QByteArray& message)
{
    hub.parseBcScan(message);
    hub.parseBcConn(message);
    hub.parseBcDisConn(message);
    hub.parseBcRssi(message);
    hub.parseBcNotify(message);
    hub.parseBcWrite(message);
    hub.parseBcRead(message);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // Built once: the hub looks for the adapter's port when it is made.
    static FuzzHub hub;
    static PortHarvest* port = hub.findChild<PortHarvest*>();
    hub.reset();
    const int piece = data[0] + 1;
    const QByteArray output = fuzzBytes(data + 1, size - 1);
    for (int at = 0; at < output.size(); at += piece)
        emit port->onRecv(0, output.mid(at, piece));
    for (const QByteArray& message : output.split('\0'))
        parseAll(hub, message);
    return 0;
}
