#include "localvault.h"

#include "privatefile.h"
#include "trace.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

namespace {
const QString folderName = QStringLiteral("quorin");

// A standard location gets the program's folder unless it already ends in it.
QString withFolder(const QString& root)
{
    return root.endsWith(folderName) ? root : QStringLiteral("%1/%2").arg(root, folderName);
}
} // namespace

QByteArray LocalVault::process::toBytes() const
{
    QByteArray bytes(wireSize, '\0');
    qToLittleEndian<qint64>(id, bytes.data());
    qToLittleEndian<qint32>(percent, bytes.data() + 8);
    bytes[12] = done ? 1 : 0;
    return bytes;
}

LocalVault::process LocalVault::process::fromBytes(const QByteArray& bytes)
{
    process record;
    if (bytes.size() != wireSize)
        return record;
    record.id = qFromLittleEndian<qint64>(bytes.constData());
    record.percent = qFromLittleEndian<qint32>(bytes.constData() + 8);
    record.done = bytes.at(12) != 0;
    return record;
}

LocalVault::LocalVault()
{
    qRegisterMetaType<LocalVault::process>("LocalVault::process");
    qRegisterMetaType<LocalVault::mydate>("LocalVault::mydate");
    qRegisterMetaType<LocalVault::step_mem_data>("LocalVault::step_mem_data");
    qRegisterMetaType<LocalVault::sleep_mem_data>("LocalVault::sleep_mem_data");
    initDir();
}

LocalVault::~LocalVault() = default;

void LocalVault::initDir()
{
    fdClear();
    configRoot = fdConfigDir();
    dataRoot = withFolder(QStandardPaths::writableLocation(QStandardPaths::DataLocation));
    downloadRoot = withFolder(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    for (const QString& root : {configRoot, dataRoot, downloadRoot}) {
        if (!fdMakeDir(root))
            QLOG << "Create fail dir: " << root;
        // An earlier version left them open to all; the record and the days are written below.
        else if (!PrivateFile::closeFolder(root))
            QLOG << "Mode fail dir: " << root;
    }
    userInfoFile = configRoot + QStringLiteral("/userinfo");
    updateListName = QStringLiteral("updatelist.conf");
}

void LocalVault::initData()
{
    initDir();
}

bool LocalVault::fdSetUserId(const QString& id)
{
    // The id becomes a folder name: nothing that could leave the data root.
    if (id.isEmpty() || id == QLatin1String(".") || id == QLatin1String("..") || id.contains(QLatin1Char('/'))
        || id.contains(QLatin1Char('\\')))
        return false;
    const QString folder = dataRoot + QLatin1Char('/') + id;
    // QDir::exists is also true for a plain file, which no day file can be saved below.
    if (!QFileInfo(folder).isDir() && !PrivateFile::makeFolder(folder)) {
        QLOG << "Create fail dir: " << folder;
        return false;
    }
    userDir = folder;
    // Another user never sees the days of the one before.
    if (id != userId)
        fdClear();
    userId = id;
    stepTableFile = userDir + QStringLiteral("/step.t");
    stepDataFile = userDir + QStringLiteral("/step.d");
    sleepTableFile = userDir + QStringLiteral("/sleep.t");
    sleepDataFile = userDir + QStringLiteral("/sleep.d");
    return true;
}

bool LocalVault::fdMakeDir(const QString& path)
{
    return PrivateFile::makePath(path);
}

QString LocalVault::fdConfigDir()
{
    return withFolder(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation));
}

QString LocalVault::fdUpdateDir() const
{
    return downloadRoot;
}

QString LocalVault::fdUpdateListConf() const
{
    return updateListName;
}

bool LocalVault::sendMsg(const unsigned& code, const QByteArray& data)
{
    Q_UNUSED(code)
    Q_UNUSED(data)
    return true;
}
