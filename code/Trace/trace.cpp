#include "trace.h"

#include <QDateTime>

namespace Trace {

QString sourcePath(const char* file)
{
    const QString path = QString::fromUtf8(file);
    const QString root = QStringLiteral(QUORIN_SOURCE_ROOT);
    return path.startsWith(root) ? path.mid(root.size()) : path;
}

QString head(const char* file, int line, const char* function)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    return QLatin1Char('[') + stamp + QLatin1Char(']') + sourcePath(file) + QStringLiteral(" line:")
        + QString::number(line) + QLatin1Char(' ') + QString::fromUtf8(function) + QStringLiteral("()");
}

QDebug start(QDebug debug, const char* file, int line, const char* function)
{
    debug.noquote() << head(file, line, function);
    return debug.quote();
}

} // namespace Trace
