#include "wholefile.h"

#include "trace.h"

#include <QSaveFile>

bool writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        QLOG << "Write(open) fail file:" << path;
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        QLOG << "Write(data) fail file:" << path;
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        QLOG << "Write(commit) fail file:" << path;
        return false;
    }
    return true;
}
