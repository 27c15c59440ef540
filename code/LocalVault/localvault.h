#ifndef LOCALVAULT_H
#define LOCALVAULT_H

#include "localvault_export.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>

// The local data store: program folders, the signed-in user's day tables and files, the user
// record and the update packages. Not a QObject: progress leaves through the sendMsg hook.
class LOCALVAULT_EXPORT LocalVault
{
public:
    // Progress of an unpack run; travels through sendMsg as 16 little-endian bytes.
    struct process {
        qint64 id = 0;
        int percent = 0;
        bool done = false;

        static const int wireSize = 16;
        QByteArray toBytes() const;
        // A record of any other size reads as the all-zero record.
        static process fromBytes(const QByteArray& bytes);
    };

    // Progress codes carried by sendMsg.
    enum PROCESS_CODE : unsigned { FD_TEST_EXTRACT = 1025, FD_SOFT_UPDATE = 1026 };

    LocalVault();
    virtual ~LocalVault();

    void initDir();
    void initData();
    bool fdSetUserId(const QString& id);
    QString fdUpdateDir() const;
    QString fdUpdateListConf() const;

    // Transport hook for progress records; the base takes every record and sends nothing.
    virtual bool sendMsg(const unsigned& code, const QByteArray& data);

    // Update packages: checked and unpacked over a folder with a backup of every replaced
    // file; the backups are listed and cleared at the next start. Callers of fdUpdateList
    // include <QStringList>.
    bool fdTestExtract(const qint64& id, const QString& zip);
    bool fdSoftUpdate(const qint64& id, const QString& zip, const QString& folder);
    static bool fdExtract(const QString& zip, const QString& folder);
    static QStringList fdUpdateList(const QString& path);
    static bool fdUpdateClear(const QString& path);
    static bool fdRemoveDir(const QString& path);
    static bool fdInitLock(const QString& path, const qint64& value);

protected:
    QString userId;
    QString dataRoot;
    QString configRoot;
    QString userInfoFile;
    QString downloadRoot;
    QString updateListName;
    QString userDir;
    QString stepTableFile;
    QString stepDataFile;
    QString sleepTableFile;
    QString sleepDataFile;
};

Q_DECLARE_METATYPE(LocalVault::process)

#endif // LOCALVAULT_H
