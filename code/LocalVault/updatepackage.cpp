#include "localvault.h"

#include "packagereader.h"
#include "privatefile.h"
#include "trace.h"
#include "updatejournal.h"
#include "wholefile.h"

#include <JlCompress.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

namespace {
bool report(LocalVault& vault, LocalVault::PROCESS_CODE code, qint64 id, int percent, bool done)
{
    LocalVault::process record;
    record.id = id;
    record.percent = percent;
    record.done = done;
    return vault.sendMsg(code, record.toBytes());
}

QString folderBase(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

bool makeFolder(const QString& path)
{
    if (ProgramFolder::makePath(path))
        return true;
    QLOG << "Create fail dir: " << path;
    return false;
}

// The mode a file that replaces path gets: the owner, group and other bits of path (the current
// user's own access is no mode of the file), less group and other write, as for a new file: a
// program file that others may write lets them run their code as this user.
QFileDevice::Permissions replacingMode(const QString& path)
{
    const QFileDevice::Permissions user = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    return QFile::permissions(path) & ~(user | QFileDevice::WriteGroup | QFileDevice::WriteOther);
}

// Writes entry index below base; with a journal, an existing file is backed up first. A file
// keeps the read and run bits of the one it replaces, so a program stays runnable once the
// backups go.
bool placeEntry(const QString& base, PackageReader& reader, int index, UpdateJournal* journal)
{
    const QString name = reader.name(index);
    const QString target = base + name;
    if (name.endsWith(QLatin1Char('/')))
        return reader.read(index, nullptr) && makeFolder(target);
    // Packages need not list the folders of their files.
    if (!makeFolder(QFileInfo(target).path()))
        return false;
    const bool replaces = QFileInfo::exists(target);
    const QFileDevice::Permissions mode = replaces ? replacingMode(target) : reader.permissions(index);
    if (journal) {
        if (replaces && !journal->backUp(target))
            return false;
        if (!replaces)
            journal->created(target);
    }
    return writeWholeFile(target, [&reader, index](QIODevice& file) { return reader.read(index, &file); }, mode);
}

// An entry over the list file or a backup would let the package choose what the next start
// deletes, or destroy the backups this run relies on.
bool touchesJournal(const QString& base, const QStringList& names, const QString& listPath)
{
    const QString list = QDir::cleanPath(listPath);
    for (const QString& name : names) {
        const QString target = QDir::cleanPath(base + QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')));
        if (target == list || target.endsWith(QLatin1String(".bk"))) {
            QLOG << "entry refused:" << name;
            return true;
        }
    }
    return false;
}

// The folders the package makes: its folder entries and every folder above an entry.
QSet<QString> foldersOf(const QString& base, const QStringList& names)
{
    const QString top = QDir::cleanPath(base);
    QSet<QString> folders;
    for (const QString& name : names) {
        const QString path = QDir::cleanPath(base + name);
        if (name.endsWith(QLatin1Char('/')))
            folders.insert(path);
        for (QString folder = QFileInfo(path).path(); folder.size() > top.size(); folder = QFileInfo(folder).path())
            folders.insert(folder);
    }
    return folders;
}

// A file entry over a folder would move the folder aside as its backup, which the next start
// cannot delete: it would stay and fail every later update of what that folder holds.
bool fileOverFolder(const QString& base, const QStringList& names)
{
    const QSet<QString> packageFolders = foldersOf(base, names);
    for (const QString& name : names) {
        if (name.endsWith(QLatin1Char('/')))
            continue;
        const QFileInfo target(base + name);
        if ((target.isDir() && !target.isSymLink()) || packageFolders.contains(QDir::cleanPath(target.filePath()))) {
            QLOG << "entry refused:" << name;
            return true;
        }
    }
    return false;
}

// The list is only ever trusted to name backups that an update made in its own folder: a
// damaged list must not delete anyone's file.
bool isBackupIn(const QString& folder, const QString& line)
{
    const QFileInfo backup(line);
    const QString backupFolder = backup.absoluteDir().canonicalPath();
    return backup.fileName().endsWith(QLatin1String(".bk")) && !folder.isEmpty()
        && (backupFolder == folder || backupFolder.startsWith(folder + QLatin1Char('/')));
}

int percentOf(int doneCount, int total)
{
    return static_cast<int>(qint64(doneCount) * 100 / total);
}
} // namespace

bool LocalVault::fdTestExtract(const qint64& id, const QString& zip)
{
    const QStringList names = JlCompress::getFileList(zip);
    QLOG << "filelist=" << names;
    report(*this, FD_TEST_EXTRACT, id, 0, false);
    PackageReader reader(zip, names);
    if (!reader.open() || !reader.verifyAll()) {
        QLOG << "bad package:" << zip;
        return false;
    }
    report(*this, FD_TEST_EXTRACT, id, 100, false);
    return report(*this, FD_TEST_EXTRACT, id, 100, true);
}

bool LocalVault::fdSoftUpdate(const qint64& id, const QString& zip, const QString& folder)
{
    report(*this, FD_SOFT_UPDATE, id, 0, false);
    const QStringList names = JlCompress::getFileList(zip);
    QLOG << "filelist=" << names;
    PackageReader reader(zip, names);
    if (!reader.open())
        return false;
    const QString base = folderBase(folder);
    if (!makeFolder(folder))
        return false;
    const QString listPath = base + updateListName;
    QLOG << "update list conf=" << listPath;
    if (touchesJournal(base, names, listPath) || fileOverFolder(base, names))
        return false;
    UpdateJournal journal(listPath);
    if (!journal.begin())
        return false;
    for (int index = 0; index < reader.count(); ++index) {
        if (!placeEntry(base, reader, index, &journal)) {
            journal.rollBack();
            return false;
        }
        const int percent = percentOf(index + 1, reader.count());
        QLOG << "update list file=" << base + reader.name(index) << ",process=" << percent << "%";
        report(*this, FD_SOFT_UPDATE, id, percent, false);
    }
    QLOG << "update done.";
    return report(*this, FD_SOFT_UPDATE, id, 100, true);
}

bool LocalVault::fdExtract(const QString& zip, const QString& folder)
{
    PackageReader reader(zip, JlCompress::getFileList(zip));
    if (!reader.open())
        return false;
    const QString base = folderBase(folder);
    if (!makeFolder(folder))
        return false;
    for (int index = 0; index < reader.count(); ++index) {
        if (!placeEntry(base, reader, index, nullptr))
            return false;
    }
    return true;
}

QStringList LocalVault::fdUpdateList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return {};
    const int end = bytes.indexOf('\0');
    const QString text = QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
    return text.split(QStringLiteral("\r\n"), Qt::KeepEmptyParts, Qt::CaseSensitive);
}

bool LocalVault::fdUpdateClear(const QString& path)
{
    const QStringList lines = fdUpdateList(path);
    QLOG << "conf path=" << path << ",c=" << lines.size();
    if (lines.isEmpty())
        return true;
    const QString folder = QFileInfo(path).absoluteDir().canonicalPath();
    bool allRemoved = true;
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        if (!isBackupIn(folder, line)) {
            QLOG << "not a backup of this folder, kept:" << line;
            allRemoved = false;
            continue;
        }
        const bool removed = QFile::remove(line);
        QLOG << "retdel=" << removed << ",filename=" << line;
        allRemoved = allRemoved && removed;
    }
    return QFile::remove(path) && allRemoved;
}

bool LocalVault::fdRemoveDir(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    // A link goes as a link: what it points to is not ours to delete.
    if (info.isSymLink() || info.isFile())
        return QFile::remove(path);
    if (!info.exists())
        return true;
    if (!info.isDir())
        return false;
    const QFileInfoList entries = QDir(path).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!fdRemoveDir(entry.filePath())) {
            QLOG << "remove fail:" << entry.filePath();
            return false;
        }
    }
    return QDir().rmdir(path);
}

bool LocalVault::fdInitLock(const QString& path, const qint64& value)
{
    if (path.isEmpty())
        return false;
    return writeWholeFile(path, QByteArray::number(value));
}
