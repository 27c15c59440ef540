#include "peakmemory.h"

#include <QFile>

PeakMemory::PeakMemory()
{
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (!reset.open(QIODevice::WriteOnly) || reset.write("5") != 1 || !reset.flush())
        return;
    m_start = statusBytes("VmHWM:");
}

bool PeakMemory::valid() const
{
    return m_start > 0;
}

qint64 PeakMemory::growth() const
{
    return statusBytes("VmHWM:") - m_start;
}

// The field's value in kB, as bytes; -1 when it is missing.
qint64 PeakMemory::statusBytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}
