#include "updatejournal.h"

#include "trace.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>

namespace {
QString backupPath(const QString& target)
{
    return target + QStringLiteral(".bk");
}
} // namespace

UpdateJournal::UpdateJournal(const QString& listPath)
    : listPath(listPath)
{
}

bool UpdateJournal::begin()
{
    QFile earlier(listPath);
    listExisted = earlier.exists();
    if (listExisted) {
        if (!earlier.open(QIODevice::ReadOnly)) {
            QLOG << "Read(open) fail file:" << listPath;
            return false;
        }
        earlierList = earlier.readAll();
        if (earlierList.size() != earlier.size()) {
            QLOG << "Read(data) fail file:" << listPath;
            return false;
        }
    }
    list = earlierList;
    return writeWholeFile(listPath, list);
}

bool UpdateJournal::backUp(const QString& target)
{
    const QString backup = backupPath(target);
    // rename never overwrites: an older backup still waiting for a restart stops the run.
    if (!QDir().rename(target, backup)) {
        QLOG << "rename fail:" << target << backup;
        return false;
    }
    changes.append({target, true});
    list += (backup + QStringLiteral("\r\n")).toUtf8();
    return writeWholeFile(listPath, list);
}

void UpdateJournal::created(const QString& target)
{
    changes.append({target, false});
}

void UpdateJournal::rollBack()
{
    for (auto it = changes.crbegin(); it != changes.crend(); ++it) {
        if (QFile::exists(it->target) && !QFile::remove(it->target))
            QLOG << "rollback remove fail:" << it->target;
        if (it->backedUp && !QDir().rename(backupPath(it->target), it->target))
            QLOG << "rollback restore fail:" << it->target;
    }
    changes.clear();
    const bool listRestored = listExisted ? writeWholeFile(listPath, earlierList) : QFile::remove(listPath);
    if (!listRestored)
        QLOG << "rollback list fail:" << listPath;
}
