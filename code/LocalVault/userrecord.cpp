#include "localvault.h"

#include "privatefile.h"
#include "trace.h"
#include "wholefile.h"

#include <QDateTime>
#include <QFile>
#include <QtEndian>

#include <cstddef>
#include <cstring>

static_assert(sizeof(LocalVault::mydatetime) == 7, "the stamp is 7 bytes on disk");
static_assert(sizeof(LocalVault::userinfo) == LocalVault::userinfo::fileSize, "the user record has no padding");

// The file holds the record's own packed layout, byte for byte.
static_assert(offsetof(LocalVault::userinfo, pwd) == 50, "pwd at 50");
static_assert(offsetof(LocalVault::userinfo, markPwd) == 80, "markPwd at 80");
static_assert(offsetof(LocalVault::userinfo, dt_login) == 81, "dt_login at 81");
static_assert(offsetof(LocalVault::userinfo, nLogin) == 88, "nLogin at 88");
static_assert(offsetof(LocalVault::userinfo, nLogout) == 92, "nLogout at 92");
static_assert(offsetof(LocalVault::userinfo, dt_logout) == 96, "dt_logout at 96");

namespace {
// Host order to file order and back: the same byte swap either way.
LocalVault::userinfo swapNumbers(LocalVault::userinfo record)
{
    record.dt_login.year = qToBigEndian(record.dt_login.year);
    record.nLogin = qToBigEndian(record.nLogin);
    record.nLogout = qToBigEndian(record.nLogout);
    record.dt_logout.year = qToBigEndian(record.dt_logout.year);
    return record;
}

// The key is the sign-in stamp's bytes as they stand in the record; the record is in file
// order when the file is written and read, so the file alone unscrambles itself.
bool scramblePwd(LocalVault::userinfo* record, int direction)
{
    if (!record || !record->markPwd)
        return false;
    const int keySize = int(sizeof(record->dt_login));
    uchar key[keySize];
    std::memcpy(key, &record->dt_login, sizeof(key));
    for (int j = 0; j < int(sizeof(record->pwd)); ++j) {
        const uchar scrambled = uchar(uchar(record->pwd[j]) + direction * key[j % keySize]);
        record->pwd[j] = char(scrambled);
    }
    return true;
}

void logRecord(const LocalVault::userinfo& record)
{
    const auto stampText = [](const LocalVault::mydatetime& s) {
        return QStringLiteral("%1-%2-%3 %4:%5:%6")
            .arg(s.year)
            .arg(s.month)
            .arg(s.day)
            .arg(s.hour)
            .arg(s.minute)
            .arg(s.second);
    };
    QLOG << "id=" << QString::fromLatin1(record.id, int(qstrnlen(record.id, sizeof(record.id)))) << ",nLogin=" << record.nLogin << ",nLogout=" << record.nLogout
         << ",dt_login" << stampText(record.dt_login) << ",dt_logout" << stampText(record.dt_logout);
}
} // namespace

QByteArray LocalVault::userinfo::toBytes() const
{
    userinfo stored = swapNumbers(*this);
    fdLockPwd(&stored);
    return QByteArray(reinterpret_cast<const char*>(&stored), fileSize);
}

LocalVault::userinfo LocalVault::userinfo::fromBytes(const QByteArray& bytes)
{
    userinfo stored;
    if (bytes.size() != fileSize)
        return stored;
    std::memcpy(&stored, bytes.constData(), fileSize);
    fdUnLockPwd(&stored);
    userinfo record = swapNumbers(stored);
    // Callers take both fields as C strings.
    record.id[sizeof(record.id) - 1] = '\0';
    record.pwd[sizeof(record.pwd) - 1] = '\0';
    return record;
}

LocalVault::userinfo LocalVault::fdUserinfo()
{
    QFile file(userInfoFile);
    if (!file.open(QIODevice::ReadOnly)) {
        QLOG << "Read(open) fail file:" << userInfoFile;
        return userinfo();
    }
    if (file.size() != userinfo::fileSize) {
        QLOG << "Read(size) fail file:" << userInfoFile << "size:" << userinfo::fileSize << "f.size()" << file.size();
        return userinfo();
    }
    const QByteArray bytes = file.read(userinfo::fileSize);
    if (bytes.size() != userinfo::fileSize) {
        QLOG << "Read(data) fail file:" << userInfoFile << "size:" << userinfo::fileSize << "readSize" << bytes.size();
        return userinfo();
    }
    const userinfo record = userinfo::fromBytes(bytes);
    logRecord(record);
    return record;
}

bool LocalVault::fdSetUserInfo(const userinfo& record)
{
    logRecord(record);
    // It holds the remembered password.
    return writeWholeFile(userInfoFile, record.toBytes(), PrivateFile::fileMode);
}

LocalVault::mydatetime LocalVault::fdCurDateTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    mydatetime stamp;
    stamp.year = quint16(now.date().year());
    stamp.month = quint8(now.date().month());
    stamp.day = quint8(now.date().day());
    stamp.hour = quint8(now.time().hour());
    stamp.minute = quint8(now.time().minute());
    stamp.second = quint8(now.time().second());
    return stamp;
}

bool LocalVault::fdLockPwd(userinfo* record)
{
    return scramblePwd(record, 1);
}

bool LocalVault::fdUnLockPwd(userinfo* record)
{
    return scramblePwd(record, -1);
}
