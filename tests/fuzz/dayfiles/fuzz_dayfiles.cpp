#include "fuzzhome.h"
#include "localvault.h"

#include <QtEndian>

// A user folder holding the four day files cut from the input is loaded; what loads is saved
// and must load back the same. Input: the sizes of the step table, the step data and the sleep
// table as big-endian 16-bit numbers, then the four files back to back (the sleep data takes
// the rest).

namespace {

const char* const kFiles[] = {"step.t", "step.d", "sleep.t", "sleep.d"};

class FuzzVault : public LocalVault
{
public:
    void markChanged()
    {
        step.dirty = true;
        sleep.dirty = true;
    }
};

template <typename Day>
bool sameDays(const QMap<QDate, Day>& a, const QMap<QDate, Day>& b)
{
    if (a.keys() != b.keys())
        return false;
    for (auto it = a.constBegin(); it != a.constEnd(); ++it) {
        if (it.value().raw != b.value(it.key()).raw)
            return false;
    }
    return true;
}

bool writeFolder(const QString& folder, const QByteArray& input)
{
    if (input.size() < 6)
        return false;
    const uchar* sizes = reinterpret_cast<const uchar*>(input.constData());
    int at = 6;
    for (int i = 0; i < 4; ++i) {
        const int size = i < 3 ? qFromBigEndian<quint16>(sizes + 2 * i) : input.size() - at;
        const QString path = folder + QLatin1Char('/') + QLatin1String(kFiles[i]);
        QFile::remove(path);
        // A size of 0xFFFF leaves the file out.
        if (size == 0xFFFF)
            continue;
        if (size < 0 || at + size > input.size())
            return false;
        fuzzWrite(path, input.mid(at, size));
        at += size;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString folder = fuzzHome() + QStringLiteral("/data/quorin/fuzz");
    QDir().mkpath(folder);
    for (const char* name : kFiles)
        QFile::remove(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".temp"));
    if (!writeFolder(folder, fuzzBytes(data, size)))
        return 0;
    FuzzVault first;
    FUZZ_CHECK(first.fdSetUserId(QStringLiteral("fuzz")));
    if (!first.fdRead())
        return 0;
    first.markChanged();
    FUZZ_CHECK(first.fdSave());
    FuzzVault second;
    FUZZ_CHECK(second.fdSetUserId(QStringLiteral("fuzz")));
    FUZZ_CHECK(second.fdRead());
    FUZZ_CHECK(sameDays(first.fdSteps(), second.fdSteps()));
    FUZZ_CHECK(sameDays(first.fdSleeps(), second.fdSleeps()));
    return 0;
}
