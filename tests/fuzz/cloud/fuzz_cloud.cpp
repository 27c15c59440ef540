#include "cloudgate.h"
#include "fuzzhome.h"

// A cloud reply reaches the gate as the hub hands it over. Input: one byte choosing the message
// id (modulo the id range), then the reply body.

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const unsigned ids = CloudGate::NS_MSG_GET_DATA - CloudGate::NS_MSG_REGISTER + 1;
    const auto id = CloudGate::MSG_LIST(CloudGate::NS_MSG_REGISTER + data[0] % ids);
    CloudGate gate;
    gate.onNsMsg(id, fuzzBytes(data + 1, size - 1));
    return 0;
}
