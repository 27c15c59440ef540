#include "localvault.h"
#include "packagemaker.h"
#include "vaultprobe.h"

#include <JlCompress.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {
const QByteArray damagedPayload = "payload that gets a flipped byte";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Makes the central directory say that the entry unpacks to size bytes.
void claimSize(QByteArray* zip, const QString& name, quint32 size)
{
    const int header = zip->lastIndexOf(name.toUtf8()) - 46;
    QVERIFY(header >= 0 && zip->mid(header, 4) == "PK\x01\x02");
    qToLittleEndian(size, zip->data() + header + 24);
}

class RecordingVault : public LocalVault
{
public:
    bool answer = true;
    QList<unsigned> codes;
    QStringList records;  // "percent" or "percent done"
    bool sendMsg(const unsigned& code, const QByteArray& data) override
    {
        const process record = process::fromBytes(data);
        codes << code;
        if (record.id == 0x1122334455667788 && data.endsWith(QByteArray(3, '\0')))
            records << QString::number(record.percent) + (record.done ? QStringLiteral(" done") : QString());
        return answer;
    }
};

Entries numbered(int count)
{
    Entries entries{{QStringLiteral("dir/"), QByteArray()}};
    for (int i = 1; i < count; ++i)
        entries << qMakePair(QStringLiteral("dir/f%1").arg(i), QByteArray::number(i));
    return entries;
}
} // namespace

class TestLocalVaultUpdate : public QObject
{
    Q_OBJECT
private slots:
    void progress_data();
    void progress();
    void update_data();
    void update();
    void refused_data();
    void refused();
    void hostileName_data();
    void hostileName();
    void damagedList_data();
    void damagedList();
    void updateList_data();
    void updateList();
    void removeDir_data();
    void removeDir();
    void pidFile_data();
    void pidFile();
};

void TestLocalVaultUpdate::progress_data()
{
    QTest::addColumn<int>("entryCount");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("records");
    QTest::newRow("4 entries") << 4 << true << QStringList{"0", "25", "50", "75", "100", "100 done"};
    QTest::newRow("3 entries") << 3 << true << QStringList{"0", "33", "66", "100", "100 done"};
    QTest::newRow("7 entries") << 7 << true
                               << QStringList{"0", "14", "28", "42", "57", "71", "85", "100", "100 done"};
    QTest::newRow("hook refusal is the result") << 3 << false << QStringList{"0", "33", "66", "100", "100 done"};
}

void TestLocalVaultUpdate::progress()
{
    QFETCH(int, entryCount);
    QFETCH(bool, answer);
    QFETCH(QStringList, records);
    QTemporaryDir dir;
    const QString zip = makePackage(dir.filePath("p.zip"), numbered(entryCount));
    RecordingVault vault;
    vault.answer = answer;
    QCOMPARE(vault.fdTestExtract(0x1122334455667788, zip), answer);
    QCOMPARE(vault.records, (QStringList{"0", "100", "100 done"}));
    QCOMPARE(vault.codes, (QList<unsigned>{1025, 1025, 1025}));
    vault.records.clear();
    vault.codes.clear();
    QCOMPARE(vault.fdSoftUpdate(0x1122334455667788, zip, dir.filePath("target")), answer);
    QCOMPARE(vault.records, records);
    QCOMPARE(vault.codes, QVector<unsigned>(records.size(), 1026u).toList());
}

void TestLocalVaultUpdate::update_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("oldMode");    // of the files the package replaces
    QTest::addColumn<int>("entryMode");  // the mode every entry records, 0: none
    QTest::addColumn<int>("keepMode");   // of the replaced keep.txt after the update
    QTest::addColumn<int>("addedMode");  // of the new new/added.txt
    QTest::addColumn<int>("mask");       // the umask of the run
    QTest::addColumn<int>("folderMode"); // of the folder new/ that the update makes
    QTest::newRow("folder without separator") << QString() << true << 0644 << 0 << 0644 << 0644 << 022 << 0755;
    QTest::newRow("folder with a trailing slash") << QStringLiteral("/") << true << 0644 << 0 << 0644 << 0644 << 022 << 0755;
    QTest::newRow("missing folder, all files new") << QString() << false << 0644 << 0 << 0644 << 0644 << 022 << 0755;
    QTest::newRow("a replaced program keeps its run bit") << QString() << true << 0755 << 0 << 0755 << 0644 << 022 << 0755;
    QTest::newRow("a replaced file keeps its mode over the entry's")
        << QString() << true << 0700 << 0644 << 0700 << 0644 << 022 << 0755;
    QTest::newRow("a new file takes the entry's mode") << QString() << false << 0644 << 0750 << 0750 << 0750 << 022 << 0755;
    QTest::newRow("set-uid, set-gid and write for all are never carried")
        << QString() << true << 06750 << 06777 << 0750 << 0755 << 022 << 0755;
    QTest::newRow("a new file recorded rw for all is writable by its owner only")
        << QString() << false << 0644 << 0666 << 0644 << 0644 << 022 << 0755;
    QTest::newRow("a replaced file open to all loses group and other write")
        << QString() << true << 0666 << 0644 << 0644 << 0644 << 022 << 0755;
    QTest::newRow("a replaced program open to all keeps its run bits, not others' write")
        << QString() << true << 0777 << 0644 << 0755 << 0644 << 022 << 0755;
    QTest::newRow("a link's rwxrwxrwx is no file's mode") << QString() << false << 0644 << 0120777 << 0644 << 0644 << 022 << 0755;
    QTest::newRow("folders made under an open umask are not writable by others")
        << QString() << false << 0644 << 0 << 0644 << 0644 << 0 << 0755;
    QTest::newRow("folders made under a strict umask stay private")
        << QString() << false << 0644 << 0 << 0644 << 0644 << 077 << 0700;
}

void TestLocalVaultUpdate::update()
{
    QFETCH(QString, suffix);
    QFETCH(bool, existing);
    QFETCH(int, oldMode);
    QFETCH(int, entryMode);
    QFETCH(int, keepMode);
    QFETCH(int, addedMode);
    QFETCH(int, mask);
    QFETCH(int, folderMode);
    const RowUmask rowUmask{mode_t(mask)};
    QTemporaryDir dir;
    const QString target = dir.filePath("target");
    const QString earlier = target + "/earlier.bk";
    QStringList list{QString()};
    if (existing) {
        writeFile(target + "/keep.txt", "old keep");
        QCOMPARE(::chmod(QFile::encodeName(target + "/keep.txt").constData(), mode_t(oldMode)), 0);
        writeFile(target + "/sub/inner.txt", "old inner");
        writeFile(earlier, "left by an earlier run");
        writeFile(target + "/updatelist.conf", earlier.toUtf8() + "\r\n");
        list = QStringList{earlier, target + "/keep.txt.bk", target + "/sub/inner.txt.bk", QString()};
    }
    const QString zip = makePackage(dir.filePath("p.zip"), {{"keep.txt", "new keep"}, {"sub/", ""},
                                                            {"sub/inner.txt", "new inner"}, {"new/added.txt", "added"}},
                                    quint32(entryMode));
    RecordingVault vault;
    QVERIFY(vault.fdSoftUpdate(1, zip, target + suffix));
    QCOMPARE(modeOf(target + "/keep.txt"), keepMode);
    QCOMPARE(modeOf(target + "/new/added.txt"), addedMode);
    QCOMPARE(modeOf(target + "/new"), folderMode);
    QCOMPARE(readFile(target + "/keep.txt"), QByteArray("new keep"));
    QCOMPARE(readFile(target + "/sub/inner.txt"), QByteArray("new inner"));
    QCOMPARE(readFile(target + "/new/added.txt"), QByteArray("added"));
    QCOMPARE(QFile::exists(target + "/keep.txt.bk"), existing);
    QCOMPARE(LocalVault::fdUpdateList(target + "/updatelist.conf"), list);

    // A second run before the restart must leave the first run's result alone.
    QCOMPARE(vault.fdSoftUpdate(2, zip, target), !existing);
    QCOMPARE(readFile(target + "/sub/inner.txt"), QByteArray("new inner"));
    if (existing)
        QCOMPARE(LocalVault::fdUpdateList(target + "/updatelist.conf"), list);

    QVERIFY(LocalVault::fdUpdateClear(target + "/updatelist.conf"));
    QVERIFY(!QFile::exists(target + "/updatelist.conf"));
    QVERIFY(!QFile::exists(earlier));
    QCOMPARE(QDir(target).entryList(QDir::Files), QStringList{"keep.txt"});
    QVERIFY(LocalVault::fdUpdateClear(target + "/updatelist.conf"));
}

void TestLocalVaultUpdate::refused_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("testPasses");
    QTest::addColumn<bool>("extracts");
    QTest::addColumn<int>("placed");
    const QPair<QString, QByteArray> keep{"keep.txt", "new keep"};
    const QPair<QString, QByteArray> added{"added.txt", "added"};
    QTest::newRow("parent escape") << Entries{keep, {"../x", "x"}} << QString() << false << false << 0;
    QTest::newRow("absolute name") << Entries{keep, {"/x", "x"}} << QString() << false << false << 0;
    QTest::newRow("backslash escape") << Entries{keep, {"a\\..\\..\\x", "x"}} << QString() << false << false << 0;
    QTest::newRow("drive letter") << Entries{keep, {"C:/x", "x"}} << QString() << false << false << 0;
    QTest::newRow("escape after a folder") << Entries{{"a/", ""}, {"a/../../x", "x"}} << QString() << false << false << 0;
    QTest::newRow("flipped byte") << Entries{keep, added, {"bad.txt", damagedPayload}} << "flip" << false << false << 2;
    QTest::newRow("truncated archive") << Entries{keep, added} << "truncate" << false << false << 0;
    QTest::newRow("not an archive") << Entries{} << "garbage" << false << false << 0;
    QTest::newRow("no entries") << Entries{} << QString() << false << false << 0;
    QTest::newRow("folder path is a file") << Entries{keep, added, {"blocked/y", "y"}} << QString() << true << false << 2;
    // Moved aside as a backup, the folder could not be deleted at the next start.
    QTest::newRow("file where a folder is") << Entries{keep, added, {"sub", "a file"}} << QString() << true << false << 0;
    QTest::newRow("file where the package makes a folder")
        << Entries{{"made/x", "x"}, {"made", "a file"}} << QString() << true << false << 0;
    QTest::newRow("entry over the list file") << Entries{keep, {"sub/../updatelist.conf", "/victim\r\n"}} << QString()
                                              << true << true << 0;
    QTest::newRow("entry named as a backup") << Entries{keep, {"keep.txt.bk", "x"}} << QString() << true << true << 0;
    // The second copy finds its backup name taken; unpacked without backups it simply wins.
    QTest::newRow("same name twice") << Entries{added, keep, keep} << QString() << true << true << 2;
    QTest::newRow("zip bomb: 4 MiB of zeros deflated a thousandfold")
        << Entries{keep, {"zeros", QByteArray(4 << 20, '\0')}} << "deflate" << false << false << 0;
    QTest::newRow("an entry of 5 bytes claiming 4 GiB") << Entries{keep, added} << "claims 4294967280" << false << false << 0;
    QTest::newRow("12 MiB stored, within the ratio, claiming past 1 GiB")
        << Entries{keep, {"big", QByteArray(12 << 20, 'x')}} << "claims 1140850688" << false << false << 0;
}

// A refused package leaves the target folder exactly as it was.
void TestLocalVaultUpdate::refused()
{
    QFETCH(Entries, entries);
    QFETCH(QString, damage);
    QFETCH(bool, testPasses);
    QFETCH(bool, extracts);
    QFETCH(int, placed);
    QTemporaryDir dir;
    const QString target = dir.filePath("t/target");
    writeFile(target + "/keep.txt", "old keep");
    writeFile(target + "/blocked", "a file, not a folder");
    writeFile(target + "/sub/z", "z");
    writeFile(target + "/updatelist.conf", "earlier.bk\r\n");
    const QString zip = makePackage(dir.filePath("p.zip"), entries, 0, damage == "deflate");
    QByteArray bytes = readFile(zip);
    if (damage.startsWith("claims "))
        claimSize(&bytes, entries.last().first, damage.mid(7).toUInt());
    if (damage == "flip")
        bytes[bytes.indexOf(damagedPayload) + 3] = 'X';
    if (damage == "truncate")
        bytes.chop(bytes.size() / 2);
    if (damage == "garbage")
        bytes = "PK not really";
    writeFile(zip, bytes);
    const QStringList before = QDir(target).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);

    RecordingVault vault;
    QCOMPARE(vault.fdTestExtract(0x1122334455667788, zip), testPasses);
    QCOMPARE(vault.records.contains("100 done"), testPasses);
    vault.records.clear();
    QVERIFY(!vault.fdSoftUpdate(0x1122334455667788, zip, target));
    QCOMPARE(vault.records.size(), 1 + placed);
    QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), before);
    QCOMPARE(readFile(target + "/keep.txt"), QByteArray("old keep"));
    QCOMPARE(readFile(target + "/updatelist.conf"), QByteArray("earlier.bk\r\n"));
    QCOMPARE(LocalVault::fdExtract(zip, target), extracts);
    QCOMPARE(QDir(dir.filePath("t")).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"target"});
}

void TestLocalVaultUpdate::hostileName_data()
{
    QTest::addColumn<QString>("name");
    // %1: a file outside the target folder that a line of its own in the backup list would delete.
    QTest::newRow("CR LF around a path outside") << QStringLiteral("a\r\n%1\r\nb");
    QTest::newRow("lone CR") << QStringLiteral("a\r%1");
    QTest::newRow("lone LF") << QStringLiteral("a\n%1");
    QTest::newRow("tab") << QStringLiteral("a\tb");
    QTest::newRow("DEL") << QStringLiteral("a\x7f" "b");
}

// Two entries of the same name applied twice: the second copy of the first run and the second
// run each back up the file, and the backup list would carry the name's lines.
void TestLocalVaultUpdate::hostileName()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString victim = dir.filePath("victim");
    writeFile(victim, "user's file");
    const QString target = dir.filePath("target");
    writeFile(target + "/keep.txt", "old keep");
    const QString entry = name.contains("%1") ? name.arg(victim) : name;
    const QString zip = makePackage(dir.filePath("p.zip"), {{entry, "x"}, {entry, "y"}});
    QCOMPARE(JlCompress::getFileList(zip), (QStringList{entry, entry}));

    RecordingVault vault;
    QVERIFY(!vault.fdTestExtract(1, zip));
    QVERIFY(!vault.fdSoftUpdate(1, zip, target));
    QVERIFY(!vault.fdSoftUpdate(2, zip, target));
    QVERIFY(!LocalVault::fdExtract(zip, target));
    QVERIFY(LocalVault::fdUpdateClear(target + "/updatelist.conf"));
    QCOMPARE(readFile(victim), QByteArray("user's file"));
    QCOMPARE(QDir(target).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"keep.txt"});
}

void TestLocalVaultUpdate::damagedList_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("removed");
    // Paths relative to the temporary folder; the list lies in its folder "target".
    QTest::newRow("backup in the folder goes") << "target/a.bk" << true;
    QTest::newRow("backup in a subfolder goes") << "target/sub/a.bk" << true;
    QTest::newRow("file without .bk stays") << "target/a" << false;
    QTest::newRow("backup outside the folder stays") << "outside/a.bk" << false;
    QTest::newRow("dot-dot out of the folder stays") << "target/../outside/a.bk" << false;
    QTest::newRow("link out of the folder stays") << "target/link/a.bk" << false;
    QTest::newRow("folder named like the target stays") << "target2/a.bk" << false;
}

// Whatever damaged the list, the next start deletes no file but an update's own backups.
void TestLocalVaultUpdate::damagedList()
{
    QFETCH(QString, line);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    for (const char* file : {"target/a.bk", "target/a", "target/sub/a.bk", "outside/a.bk", "target2/a.bk"})
        writeFile(dir.filePath(file), "file");
    QVERIFY(QFile::link(dir.filePath("outside"), dir.filePath("target/link")));
    const QString path = dir.filePath(line);
    const QString list = dir.filePath("target/updatelist.conf");
    writeFile(list, path.toUtf8() + "\r\n");
    QCOMPARE(LocalVault::fdUpdateClear(list), removed);
    QCOMPARE(QFile::exists(path), !removed);
    QVERIFY(!QFile::exists(list));
}

void TestLocalVaultUpdate::updateList_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("two backups") << QByteArray("/a.bk\r\n/b.bk\r\n") << QStringList{"/a.bk", "/b.bk", ""};
    QTest::newRow("empty file is one empty line") << QByteArray("") << QStringList{""};
    QTest::newRow("missing file") << QByteArray() << QStringList();
    QTest::newRow("text after a zero byte dropped") << QByteArray("/a.bk\r\n\0/b.bk", 13) << QStringList{"/a.bk", ""};
    QTest::newRow("lone LF does not split") << QByteArray("/a\n/b") << QStringList{"/a\n/b"};
    QTest::newRow("UTF-8 name") << QByteArray("/\xe6\x9b\xb4.bk") << QStringList{QString::fromUtf8("/\xe6\x9b\xb4.bk")};
}

void TestLocalVaultUpdate::updateList()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    if (!content.isNull())
        writeFile(dir.filePath("updatelist.conf"), content);
    QCOMPARE(LocalVault::fdUpdateList(dir.filePath("updatelist.conf")), lines);
}

void TestLocalVaultUpdate::removeDir_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<bool>("gone");
    QTest::newRow("nested folders") << "tree" << true << true;
    QTest::newRow("single file") << "tree/sub/f" << true << true;
    QTest::newRow("missing path") << "nothing" << true << true;
    QTest::newRow("empty path removes nothing") << "" << false << true;
    QTest::newRow("hidden file keeps the folder") << "hidden" << false << false;
    QTest::newRow("link to a folder goes as a link") << "link" << true << true;
}

void TestLocalVaultUpdate::removeDir()
{
    QFETCH(QString, path);
    QFETCH(bool, removed);
    QFETCH(bool, gone);
    QTemporaryDir dir;
    writeFile(dir.filePath("tree/sub/f"), "f");
    writeFile(dir.filePath("tree/g"), "g");
    writeFile(dir.filePath("hidden/.h"), "h");
    writeFile(dir.filePath("kept/k"), "k");
    QVERIFY(QFile::link(dir.filePath("kept"), dir.filePath("tree/sub/linked")));
    QVERIFY(QFile::link(dir.filePath("kept"), dir.filePath("link")));
    const QString cwd = QDir::currentPath();
    const QString target = path.isEmpty() ? path : dir.filePath(path);
    QCOMPARE(LocalVault::fdRemoveDir(target), removed);
    QCOMPARE(QFileInfo::exists(target), !gone);
    QVERIFY(QFileInfo::exists(dir.filePath("hidden/.h")));
    QCOMPARE(readFile(dir.filePath("kept/k")), QByteArray("k"));
    QCOMPARE(QDir::currentPath(), cwd);
}

void TestLocalVaultUpdate::pidFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("four digits replace longer text") << "old" << qint64(4242) << true << QByteArray("4242");
    QTest::newRow("largest id") << "pid" << qint64(9223372036854775807) << true << QByteArray("9223372036854775807");
    QTest::newRow("empty path") << "" << qint64(1) << false << QByteArray("<missing>");
    QTest::newRow("parent is a file") << "old/pid" << qint64(1) << false << QByteArray("<missing>");
}

void TestLocalVaultUpdate::pidFile()
{
    QFETCH(QString, path);
    QFETCH(qint64, value);
    QFETCH(bool, written);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    writeFile(dir.filePath("old"), "123456789");
    const QString file = path.isEmpty() ? path : dir.filePath(path);
    QCOMPARE(LocalVault::fdInitLock(file, value), written);
    QCOMPARE(readFile(file), content);
}

QTEST_GUILESS_MAIN(TestLocalVaultUpdate)
#include "tst_localvault_update.moc"
