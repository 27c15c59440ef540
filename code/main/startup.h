#ifndef STARTUP_H
#define STARTUP_H

#include <QString>

class QSharedMemory;
class QSystemSemaphore;
class QTranslator;

// The steps of a program start that come before any window: language and the one-instance guard.
namespace Startup {

enum GUARD {
    GUARD_ALONE,  // this process holds the guard segment
    GUARD_TAKEN,  // another instance of either program holds it
    GUARD_FAILED  // the guard could not be set up; going on would let two instances share files
};

// Stems of the guard's keys, the same in both programs, so each keeps the other out as well as itself.
const char* const LOCK_STEM = "Quorin";
const char* const GUARD_STEM = "QuorinObject1";

// The key of one user made from a stem: an instance keeps out its own user's second start, and
// leaves another user's start alone, also after it was killed and left its segment behind.
QString userKey(const char* stem, const uint& uid);

// Loads the translation of the system language (Chinese or any other) and installs it, loaded
// or not; returns what installing returned.
bool updateLanguage(QTranslator& translator);

// Creates the one-byte guard segment under the lock, after dropping a segment that a crashed
// instance left behind.
GUARD isRuned(QSystemSemaphore& lock, QSharedMemory& guard);

} // namespace Startup

#endif // STARTUP_H
