#include "wholefile.h"

#include "privatefile.h"
#include "trace.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

#include <unistd.h>

namespace {
using Fill = std::function<bool(QIODevice&)>;

// Flushes the content to the disk. A flush failure is what shows buffered bytes that never
// reached the disk (disk full, size limit): the caller then drops the cut-short file.
bool flushed(QFileDevice& file, const QString& path)
{
    if (file.flush())
        return true;
    QLOG << "Write(data) fail file:" << path << file.errorString();
    return false;
}

// A disk may take the bytes and still lose them (a failing disk, a network folder, a quota met
// by delayed allocation): only the sync tells. A rename that reaches the disk before the content
// would also leave an empty file after a crash.
bool synced(QFileDevice& file, const QString& path)
{
    if (::fsync(file.handle()) == 0)
        return true;
    QLOG << "Write(sync) fail file:" << path << qt_error_string(errno);
    return false;
}

bool replaceKeepingMode(const QString& path, const Fill& fill)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        QLOG << "Write(open) fail file:" << path;
        return false;
    }
    // commit() syncs too, but renames whatever its sync answers.
    if (!fill(file) || !flushed(file, path) || !synced(file, path)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        QLOG << "Write(commit) fail file:" << path << file.errorString();
        return false;
    }
    return true;
}

// Opens a new private file beside path under a name nothing has, so no file there is lost to
// the temporary and no link there is followed. Returns its name, empty when none could be made.
QString createTemp(QFile& file, const QString& path)
{
    for (;;) {
        const QString temp =
            QStringLiteral("%1.%2").arg(path).arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        if (PrivateFile::createNew(file, temp))
            return temp;
        if (errno != EEXIST)
            return QString();
    }
}

bool fillAndClose(QFile& file, const QString& path, const Fill& fill, QFileDevice::Permissions permissions)
{
    if (!file.setPermissions(permissions)) {
        QLOG << "Write(mode) fail file:" << path << file.errorString();
        return false;
    }
    return fill(file) && closeOnDisk(file, path);
}

// QSaveFile makes its temporary under the umask's mode, or the old file's, before any mode can
// be set: another user who opens it then keeps reading whatever is written. This temporary is
// private from its creation and gets the wider permissions, if any, before its first byte.
bool replaceWithMode(const QString& path, const Fill& fill, QFileDevice::Permissions permissions)
{
    QFile file;
    const QString temp = createTemp(file, path);
    if (temp.isEmpty()) {
        QLOG << "Write(open) fail file:" << path;
        return false;
    }
    if (!fillAndClose(file, path, fill, permissions)) {
        QFile::remove(temp);
        return false;
    }
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        QLOG << "Write(commit) fail file:" << path << qt_error_string(errno);
        QFile::remove(temp);
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

bool closeOnDisk(QFileDevice& file, const QString& path)
{
    const bool written = flushed(file, path) && synced(file, path);
    file.close();
    // close() clears the error of a failed flush once its own one works: keep our answer.
    if (!written)
        return false;
    if (file.error() == QFileDevice::NoError)
        return true;
    QLOG << "Write(close) fail file:" << path << file.errorString();
    return false;
}

bool writeWholeFile(const QString& path, const QByteArray& bytes)
{
    return replaceKeepingMode(path, writing(path, bytes));
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions)
{
    return replaceWithMode(path, writing(path, bytes), permissions);
}

bool writeWholeFile(const QString& path, const Fill& fill, QFileDevice::Permissions permissions)
{
    return replaceWithMode(path, fill, permissions);
}
