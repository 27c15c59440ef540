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
    // commit() does not report buffered bytes that never reached the disk (disk full, size
    // limit): flush first, so a cut-short file is dropped and the old one kept.
    const qint64 written = file.write(bytes);
    if (written != bytes.size() || !file.flush()) {
        QLOG << "Write(data) fail file:" << path << "size:" << bytes.size() << "writeSize" << written
             << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        QLOG << "Write(commit) fail file:" << path << file.errorString();
        return false;
    }
    return true;
}
