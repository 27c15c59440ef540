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
// The lock is only as good as its folder: whoever else can write there can swap the file.
class Guard
{
public:
    Guard() = default;
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

    // Locks GUARD_FILE in folder; the lock stays until release. Folder and file are made for their
    // owner alone when missing, and the folder is closed to group and others when it is not. It
    // fails, rather than lock where another could, when the file is a link, or the folder (or
    // what a link in its place leads to) is another user's or still writable by others.
    GUARD take(const QString& folder);
    void release();

private:
    int m_handle = -1;
};

// Loads the translation of the system language (Chinese or any other) and installs it, loaded
// or not; returns what installing returned.
bool updateLanguage(QTranslator& translator);

// Takes the guard in the program's configuration folder, the one place every start of this user
// shares whatever its session (a desktop, su, cron or ssh), and that no other user shares: each
// user has one instance, and another user neither keeps this one out nor is kept out.
GUARD isRuned(Guard& guard);

} // namespace Startup

#endif // STARTUP_H
