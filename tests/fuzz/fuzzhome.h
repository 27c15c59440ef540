#ifndef FUZZHOME_H
#define FUZZHOME_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdint>
#include <cstdlib>
#include <cstdio>

// A home of its own for the whole fuzz run, so the store never touches a real one, and no log
// lines: at thousands of inputs a second they would be all the run does.
inline QString fuzzHome()
{
    static QTemporaryDir home;
    static bool pointed = false;
    if (!pointed) {
        pointed = true;
        const QByteArray path = QFile::encodeName(home.path());
        qputenv("HOME", path);
        qputenv("XDG_DATA_HOME", path + "/data");
        qputenv("XDG_CONFIG_HOME", path + "/config");
        qputenv("XDG_CACHE_HOME", path + "/cache");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    }
    return home.path();
}

inline QByteArray fuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), int(size));
}

inline bool fuzzWrite(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A broken promise of the code under test: reported like a crash, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (false)

#endif // FUZZHOME_H
