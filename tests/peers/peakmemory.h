#ifndef PEAKMEMORY_H
#define PEAKMEMORY_H

#include <QtGlobal>

// How far this process's resident memory peaked above what it held when the object was made.
// Linux: the kernel's peak (VmHWM) is reset to the resident size through /proc/self/clear_refs.
class PeakMemory
{
public:
    PeakMemory();

    // What AddressSanitizer holds back of freed memory in its quarantine (256 MiB unless told
    // otherwise), to be allowed above any bound a row sets.
#ifdef __SANITIZE_ADDRESS__
    static constexpr qint64 QUARANTINE = qint64(256) << 20;
#else
    static constexpr qint64 QUARANTINE = 0;
#endif

    // False when the peak could not be reset: the growth would say nothing.
    bool valid() const;
    qint64 growth() const;

private:
    static qint64 statusBytes(const char* field);

    qint64 m_start = -1;
};

#endif // PEAKMEMORY_H
