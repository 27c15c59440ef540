#include "fuzzhome.h"
#include "localvault.h"

#include <QDirIterator>
#include <QFileInfo>

// The input is an update package: checked, then unpacked over a target folder deep in the fuzz
// home. Nothing may appear beside the target, and nothing below it may be a link.

namespace {

// Every entry below root, links included, without following any.
QStringList entriesBelow(const QString& root)
{
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

QStringList topEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString home = fuzzHome();
    static const QString sandbox = home + QStringLiteral("/sandbox");
    static const QString zip = fuzzHome() + QStringLiteral("/package.zip");
    static const QString target = sandbox + QStringLiteral("/program");
    static LocalVault vault;
    // What the home holds once the store made its folders, and the two entries of this target.
    static const QStringList homeEntries = topEntries(home) + QStringList{QStringLiteral("package.zip"), QStringLiteral("sandbox")};
    LocalVault::fdRemoveDir(sandbox);
    QDir().mkpath(target);
    if (!fuzzWrite(zip, fuzzBytes(data, size)))
        return 0;
    vault.fdTestExtract(1, zip);
    vault.fdSoftUpdate(1, zip, target);
    for (const QString& name : topEntries(home))
        FUZZ_CHECK(homeEntries.contains(name));
    for (const QString& path : entriesBelow(sandbox)) {
        FUZZ_CHECK(path == target || path.startsWith(target + QLatin1Char('/')));
        FUZZ_CHECK(!QFileInfo(path).isSymLink());
    }
    return 0;
}
