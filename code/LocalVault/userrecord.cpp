#include "localvault.h"

#include "trace.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

static_assert(sizeof(LocalVault::mydatetime) == 7, "the stamp is 7 bytes on disk");
static_assert(sizeof(LocalVault::userinfo) == LocalVault::userinfo::fileSize, "the user record has no padding");

namespace {
const int idOffset = 0;
const int pwdOffset = 50;
const int markOffset = 80;
const int loginOffset = 81;
const int nLoginOffset = 88;
const int nLogoutOffset = 92;
const int logoutOffset = 96;
const int stampSize = 7;

void writeStamp(const LocalVault::mydatetime& stamp, uchar* out)
{
    qToBigEndian<quint16>(stamp.year, out);
    out[2] = stamp.month;
    out[3] = stamp.day;
    out[4] = stamp.hour;
    out[5] = stamp.minute;
    out[6] = stamp.second;
}

LocalVault::mydatetime readStamp(const uchar* in)
{
    LocalVault::mydatetime stamp;
    stamp.year = qFromBigEndian<quint16>(in);
    stamp.month = in[2];
    stamp.day = in[3];
    stamp.hour = in[4];
    stamp.minute = in[5];
    stamp.second = in[6];
    return stamp;
}

// The key is the sign-in stamp as the file holds it, so the file alone unscrambles itself.
bool scramblePwd(LocalVault::userinfo* record, int direction)
{
    if (!record || !record->markPwd)
        return false;
    uchar key[stampSize];
    writeStamp(record->dt_login, key);
    for (int j = 0; j < int(sizeof(record->pwd)); ++j) {
        const uchar scrambled = uchar(uchar(record->pwd[j]) + direction * key[j % stampSize]);
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
    userinfo scrambled = *this;
    fdLockPwd(&scrambled);
    // Built on the stack: the compiler cannot see the size of a QByteArray's buffer.
    uchar out[fileSize] = {};
    std::memcpy(out + idOffset, scrambled.id, sizeof(id));
    std::memcpy(out + pwdOffset, scrambled.pwd, sizeof(pwd));
    out[markOffset] = markPwd;
    writeStamp(dt_login, out + loginOffset);
    qToBigEndian<quint32>(nLogin, out + nLoginOffset);
    qToBigEndian<quint32>(nLogout, out + nLogoutOffset);
    writeStamp(dt_logout, out + logoutOffset);
    return QByteArray(reinterpret_cast<const char*>(out), fileSize);
}

LocalVault::userinfo LocalVault::userinfo::fromBytes(const QByteArray& bytes)
{
    userinfo record;
    if (bytes.size() != fileSize)
        return record;
    const uchar* in = reinterpret_cast<const uchar*>(bytes.constData());
    std::memcpy(record.id, in + idOffset, sizeof(record.id));
    std::memcpy(record.pwd, in + pwdOffset, sizeof(record.pwd));
    record.markPwd = in[markOffset];
    record.dt_login = readStamp(in + loginOffset);
    record.nLogin = qFromBigEndian<quint32>(in + nLoginOffset);
    record.nLogout = qFromBigEndian<quint32>(in + nLogoutOffset);
    record.dt_logout = readStamp(in + logoutOffset);
    fdUnLockPwd(&record);
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
    QSaveFile file(userInfoFile);
    if (!file.open(QIODevice::WriteOnly)) {
        QLOG << "Write(open) fail file:" << userInfoFile;
        return false;
    }
    logRecord(record);
    const qint64 written = file.write(record.toBytes());
    if (written != userinfo::fileSize || !file.commit()) {
        QLOG << "Write(data) fail file:" << userInfoFile << "size:" << userinfo::fileSize << "writeSize" << written;
        return false;
    }
    return true;
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
