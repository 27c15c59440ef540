#ifndef STARTUP_H
#define STARTUP_H

#include <QString>

class QTranslator;

// The steps of a program start that come before any window: language and the one-instance guard.
namespace Startup {

enum GUARD {
    GUARD_ALONE,  // this process holds the guard
    GUARD_TAKEN,  // another instance of either program holds it
    GUARD_FAILED  // the guard could not be set up; going on would let two instances share files
};

// The guard's lock file, the same in both programs, so each keeps the other out as well as itself.
const char* const GUARD_FILE = "Quorin.lock";

// The one-instance guard: an exclusive lock on a file. The kernel drops the lock when the process
// ends, however it ends, so nothing a killed instance leaves behind keeps a later start out.
class Guard
{
public:
    Guard() = default;
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

    // Locks the file at path, made for its owner alone when missing; the lock stays until release.
    GUARD take(const QString& path);
    void release();

private:
    int m_handle = -1;
};

// Loads the translation of the system language (Chinese or any other) and installs it, loaded
// or not; returns what installing returned.
bool updateLanguage(QTranslator& translator);

// Takes the guard in a folder that only this user can write, so that another user neither keeps
// this one out nor is kept out: the session's runtime folder, or without one the program's
// configuration folder.
GUARD isRuned(Guard& guard);

} // namespace Startup

#endif // STARTUP_H
