#ifndef VAULTPROBE_H
#define VAULTPROBE_H

#include "localvault.h"

// Opens the store's tables and paths to the tests.
class VaultProbe : public LocalVault
{
public:
    using LocalVault::netSleep;
    using LocalVault::netStep;
    using LocalVault::sleep;
    using LocalVault::sleepDataFile;
    using LocalVault::sleepTableFile;
    using LocalVault::step;
    using LocalVault::stepDataFile;
    using LocalVault::stepTableFile;
    using LocalVault::userDir;
    using LocalVault::userInfoFile;
};

#endif // VAULTPROBE_H
