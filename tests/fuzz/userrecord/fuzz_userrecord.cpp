#include "fuzzhome.h"
#include "localvault.h"

#include <cstring>

// The user record file holds the input. What loads has C-string fields and stores back to the
// same record.

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = fuzzHome() + QStringLiteral("/config/quorin/userinfo");
    static LocalVault vault;
    if (!fuzzWrite(path, fuzzBytes(data, size)))
        return 0;
    const LocalVault::userinfo record = vault.fdUserinfo();
    FUZZ_CHECK(qstrnlen(record.id, sizeof(record.id)) < sizeof(record.id));
    FUZZ_CHECK(qstrnlen(record.pwd, sizeof(record.pwd)) < sizeof(record.pwd));
    const LocalVault::userinfo again = LocalVault::userinfo::fromBytes(record.toBytes());
    FUZZ_CHECK(std::memcmp(&again, &record, sizeof(record)) == 0);
    return 0;
}
