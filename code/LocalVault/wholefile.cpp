#include "wholefile.h"

#include "trace.h"

#include <QSaveFile>

#include <optional>

namespace {
using Fill = std::function<bool(QIODevice&)>;

bool replaceFile(const QString& path, const Fill& fill, std::optional<QFileDevice::Permissions> permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        QLOG << "Write(open) fail file:" << path;
        return false;
    }
    if (permissions && !file.setPermissions(*permissions)) {
        QLOG << "Write(mode) fail file:" << path << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!fill(file)) {
        file.cancelWriting();
        return false;
    }
    // commit() does not report buffered bytes that never reached the disk (disk full, size
    // limit): flush first, so a cut-short file is dropped and the old one kept.
    if (!file.flush()) {
        QLOG << "Write(data) fail file:" << path << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        QLOG << "Write(commit) fail file:" << path << file.errorString();
        return false;
    }
    return true;
}

Fill writing(const QString& path, const QByteArray& bytes)
{
    return [&path, &bytes](QIODevice& file) {
        const qint64 written = file.write(bytes);
        if (written == bytes.size())
            return true;
        QLOG << "Write(data) fail file:" << path << "size:" << bytes.size() << "writeSize" << written;
        return false;
    };
}
} // namespace

bool writeWholeFile(const QString& path, const QByteArray& bytes)
{
    return replaceFile(path, writing(path, bytes), std::nullopt);
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions)
{
    return replaceFile(path, writing(path, bytes), permissions);
}

bool writeWholeFile(const QString& path, const Fill& fill, QFileDevice::Permissions permissions)
{
    return replaceFile(path, fill, permissions);
}
