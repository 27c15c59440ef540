#ifndef VAULTPROBE_H
#define VAULTPROBE_H

#include "localvault.h"

#include <QFile>
#include <QtTest>

#include <sys/stat.h>

// Opens the store's tables and paths to the tests.
class VaultProbe : public LocalVault
{
public:
    using LocalVault::dataRoot;
    using LocalVault::netSleep;
    using LocalVault::netStep;
    using LocalVault::sleep;
    using LocalVault::sleepDataFile;
    using LocalVault::sleepTableFile;
    using LocalVault::step;
    using LocalVault::stepDataFile;
    using LocalVault::stepTableFile;
    using LocalVault::userDir;
    using LocalVault::userInfoFile;
};

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// The file's mode bits, set-uid and set-gid included; -1 when there is no file.
inline int modeOf(const QString& path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

// The umask for one row; the earlier one comes back however the row ends.
class RowUmask
{
public:
    explicit RowUmask(mode_t mask)
        : earlier(::umask(mask))
    {
    }
    ~RowUmask() { ::umask(earlier); }
    RowUmask(const RowUmask&) = delete;
    RowUmask& operator=(const RowUmask&) = delete;

private:
    mode_t earlier;
};

#endif // VAULTPROBE_H
