#ifndef LOCALVAULT_H
#define LOCALVAULT_H

#include "localvault_export.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QString>
#include <QStringList>

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

    // A day's synchronisation state; one byte of it is stored per day.
    enum SYNC_TYPE : quint32 { SYNC_EMPTY = 0, SYNC_NEW = 1, SYNC_SAVED = 2, SYNC_UPLOADED = 4 };

#pragma pack(push, 1)
    struct mydate {
        quint16 year = 0;
        quint8 month = 0;
        quint8 day = 0;
    };

    struct mydatetime {
        quint16 year = 0;
        quint8 month = 0;
        quint8 day = 0;
        quint8 hour = 0;
        quint8 minute = 0;
        quint8 second = 0;
    };

    // The last sign-in of the installation; numbers in host order, pwd in clear text.
    struct userinfo {
        char id[50] = {};
        char pwd[30] = {};
        quint8 markPwd = 0;
        mydatetime dt_login;
        quint32 nLogin = 0;
        quint32 nLogout = 0;
        mydatetime dt_logout;

        static const int fileSize = 103;
        // The file form: numbers big-endian, pwd scrambled when remembered.
        QByteArray toBytes() const;
        // A record of any other size reads as the all-zero record; text fields end in a zero.
        static userinfo fromBytes(const QByteArray& bytes);
    };

    // One day in the table file and in memory; in the file the multi-byte numbers are big-endian.
    struct table_entry {
        uchar head[4] = {};
        quint8 sync = SYNC_EMPTY;
        mydate date;
        qint64 begin = 0;
        qint64 length = 0;
        quint16 crc = 0;
        quint8 interval = 0;
        quint8 count = 0;

        static const int fileSize = 29;
        QByteArray toBytes() const;
        static table_entry fromBytes(const char* bytes);
    };

    struct table_head {
        char name[250] = {};
        quint32 flag = 0;
        quint32 count = 0;
        char user[250] = {};

        static const int fileSize = 508;
        QByteArray toBytes() const;
        static table_head fromBytes(const char* bytes);
    };

    struct step_item {
        quint8 kind = 0;
        quint16 value = 0;
    };

    struct step_raw_item {
        uchar bytes[3] = {};
    };

    struct sleep_segment {
        quint16 start = 0;
        quint8 phase = 0;
        quint8 code = 0;
        quint16 value = 0;
        quint8 minutes = 0;
    };

    struct sleep_raw_item {
        uchar bytes[4] = {};
    };
#pragma pack(pop)

    struct step_mem_data {
        table_entry t;
        QByteArray raw;
        QList<step_item> items;
        QList<step_raw_item> rawItems;
    };

    struct sleep_mem_data {
        table_entry t;
        QByteArray raw;
        QList<sleep_segment> segments;
        QList<sleep_raw_item> rawItems;
    };

    template <typename Day>
    struct day_table {
        table_head h;
        bool needRead = true;
        bool dirty = false;
        QMap<QDate, Day> days;
    };

    LocalVault();
    virtual ~LocalVault();

    void initDir();
    void initData();
    bool fdSetUserId(const QString& id);
    // Creates the folder and those missing above it, each for its owner only: the folders of
    // the configuration, data and download roots hold the user's own files.
    static bool fdMakeDir(const QString& path);
    // The program's configuration root, the same for every instance of the user.
    static QString fdConfigDir();
    QString fdUpdateDir() const;
    QString fdUpdateListConf() const;

    // Transport hook for progress records; the base takes every record and sends nothing.
    virtual bool sendMsg(const unsigned& code, const QByteArray& data);

    // Update packages: checked and unpacked over a folder with a backup of every replaced
    // file; the backups are listed and cleared at the next start.
    bool fdTestExtract(const qint64& id, const QString& zip);
    bool fdSoftUpdate(const qint64& id, const QString& zip, const QString& folder);
    static bool fdExtract(const QString& zip, const QString& folder);
    static QStringList fdUpdateList(const QString& path);
    static bool fdUpdateClear(const QString& path);
    static bool fdRemoveDir(const QString& path);
    static bool fdInitLock(const QString& path, const qint64& value);

    // The user record file.
    userinfo fdUserinfo();
    bool fdSetUserInfo(const userinfo& record);
    static mydatetime fdCurDateTime();
    static bool fdLockPwd(userinfo* record);
    static bool fdUnLockPwd(userinfo* record);

    // Day records built from band day packets (head 00 00 00 01 or 00 00 00 02).
    bool fdAddStep(const uchar* head, const SYNC_TYPE& sync, const QByteArray& data, bool toNet);
    bool fdAddStep(const uchar* head, const SYNC_TYPE& sync, const mydate& date, const uchar& interval,
                   const uchar& count, const ushort& crc, const QByteArray& samples, const QByteArray& raw,
                   bool toNet);
    bool fdAddSleep(const uchar* head, const SYNC_TYPE& sync, const QByteArray& data, bool toNet);
    bool fdAddSleep(const uchar* head, const SYNC_TYPE& sync, const mydate& date, const uchar& interval,
                    const uchar& count, const ushort& crc, const QByteArray& samples, const QByteArray& raw,
                    bool toNet);
    step_mem_data fdGetStepDay(const QDate& date) const;
    sleep_mem_data fdGetSleepDay(const QDate& date) const;
    static step_mem_data fdGetStepNullDay(const QDate& date);
    static sleep_mem_data fdGetSleepNullDay(const QDate& date);
    // The live maps: add or clear no day while walking them.
    const QMap<QDate, step_mem_data>& fdSteps() const;
    const QMap<QDate, sleep_mem_data>& fdSleeps() const;
    bool fdUpdateStepSync(const QDate& date, const SYNC_TYPE& sync);
    bool fdUpdateSleepSync(const QDate& date, const SYNC_TYPE& sync);
    bool fdClearStep(const QDate& date);
    bool fdClearSleep(const QDate& date);
    bool fdClearNetStep(const QDate& date);
    bool fdClearNetSleep(const QDate& date);
    void fdClearStep();
    void fdClearSleep();
    void fdClear();

    // The day table and data files of the selected user.
    bool fdReadStep();
    bool fdReadSleep();
    bool fdRead();
    bool fdSaveStep();
    bool fdSaveSleep();
    bool fdSave();

protected:
    // A day the cloud holds goes into the cloud copies only, as uploaded: the band's own record
    // of that day stays as it is.
    bool fdAddNetStep(const uchar* head, const QByteArray& data);
    bool fdAddNetSleep(const uchar* head, const QByteArray& data);

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
    day_table<step_mem_data> step;
    day_table<sleep_mem_data> sleep;
    day_table<step_mem_data> netStep;
    day_table<sleep_mem_data> netSleep;

private:
    // One kind of day file pair as the load and the save see it.
    struct day_files {
        QString tablePath;
        QString dataPath;
        QByteArray name;
        quint32 flag;
    };
    day_files stepFiles() const;
    day_files sleepFiles() const;
    static bool userSelected(const day_files& files);
    // The load hands every stored day back to the add operation, once the whole pair was read.
    template <typename Day, typename Add>
    bool readTable(day_table<Day>& table, const day_files& files, Add add);
    template <typename Day>
    bool saveTable(day_table<Day>& table, const day_files& files);
};

Q_DECLARE_TYPEINFO(LocalVault::step_item, Q_MOVABLE_TYPE);
Q_DECLARE_TYPEINFO(LocalVault::step_raw_item, Q_MOVABLE_TYPE);
Q_DECLARE_TYPEINFO(LocalVault::sleep_segment, Q_MOVABLE_TYPE);
Q_DECLARE_TYPEINFO(LocalVault::sleep_raw_item, Q_MOVABLE_TYPE);

Q_DECLARE_METATYPE(LocalVault::process)
Q_DECLARE_METATYPE(LocalVault::mydate)
Q_DECLARE_METATYPE(LocalVault::step_mem_data)
Q_DECLARE_METATYPE(LocalVault::sleep_mem_data)

#endif // LOCALVAULT_H
