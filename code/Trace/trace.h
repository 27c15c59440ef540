#ifndef TRACE_H
#define TRACE_H

#include "trace_export.h"

#include <QDebug>
#include <QString>

// The one log line of the system:
// "[yyyy-MM-dd hh:mm:ss.zzz]<source path> line:<n> <function>()" followed by labelled values,
// strings in double quotes as QDebug prints them.
namespace Trace {

TRACE_EXPORT QString head(const char* file, int line, const char* function);

// Writes the head unquoted into the stream and hands it back with quoting on again.
TRACE_EXPORT QDebug start(QDebug debug, const char* file, int line, const char* function);

// The source path relative to the project root, so log lines do not depend on the build machine.
TRACE_EXPORT QString sourcePath(const char* file);

} // namespace Trace

#define QLOG Trace::start(qDebug(), __FILE__, __LINE__, __func__)

#endif // TRACE_H
