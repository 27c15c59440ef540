#include "killsavedays.h"
#include "vaultprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <csignal>

// A writer process saves the store over and over and is killed at varying moments; the store it
// leaves must load with every day saved before intact, and the day being saved old or new.

namespace {

const QString kUser = QStringLiteral("13800138000");

// What the store holds per day index: the generation of its last save.
struct StoreModel {
    QMap<int, qint64> steps;
    QMap<int, qint64> sleeps;
    qint64 last = -1;
};

struct round_result {
    qint64 announced = -1;  // the last generation the writer reported saved
    bool leftTemps = false;
};

qint64 lastAnnounced(const QByteArray& output, const qint64& before)
{
    qint64 last = before;
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("saved "))
            last = line.mid(6).toLongLong();
    }
    return last;
}

int dayIndex(const QDate& day)
{
    return int(KillSaveDays::dateOf(0).daysTo(day));
}

QStringList tempsIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.temp")}, QDir::Files);
}

} // namespace

class TestKillSave : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void killDuringSave_data();
    void killDuringSave();
    void cleanupTestCase();

private:
    round_result killWriter(const int& saves, const int& delayMicroseconds);
    template <typename Day>
    void verifyKind(const QMap<QDate, Day>& days, QMap<int, qint64>* stored, const qint64& announced,
                    QByteArray (*packet)(const qint64&));

    StoreModel m_model;
    QString m_userDir;
    int m_rounds = 0;
    int m_tempRounds = 0;
};

void TestKillSave::initTestCase()
{
    VaultProbe vault;
    QVERIFY(vault.fdSetUserId(kUser));
    m_userDir = vault.userDir;
    // A run before this one left its store: start empty.
    QVERIFY(LocalVault::fdRemoveDir(m_userDir));
}

// The rows share one store and run in order: each starts the writer on what the rows before left.
void TestKillSave::killDuringSave_data()
{
    QTest::addColumn<int>("rounds");
    QTest::addColumn<int>("minSaves");
    QTest::addColumn<int>("maxSaves");
    QTest::addColumn<int>("maxDelay");  // microseconds after the last save awaited
    QTest::addColumn<bool>("cutsSaves");

    QTest::newRow("first saves into an empty store") << 6 << 1 << 3 << 1500 << false;
    QTest::newRow("killed while starting and loading") << 12 << 0 << 0 << 40000 << false;
    QTest::newRow("killed deep in the save loop, saves cut half-way") << 40 << 5 << 60 << 3000 << true;
    QTest::newRow("killed right after a save was announced") << 12 << 1 << 20 << 0 << false;
}

void TestKillSave::killDuringSave()
{
    QFETCH(int, rounds);
    QFETCH(int, minSaves);
    QFETCH(int, maxSaves);
    QFETCH(int, maxDelay);
    QFETCH(bool, cutsSaves);

    QRandomGenerator random(quint32(rounds * 1000 + maxSaves));
    int tempRounds = 0;
    for (int round = 0; round < rounds; ++round) {
        const int saves = minSaves + int(random.bounded(maxSaves - minSaves + 1));
        const int delay = maxDelay ? int(random.bounded(maxDelay + 1)) : 0;
        const round_result result = killWriter(saves, delay);
        if (QTest::currentTestFailed())
            return;
        tempRounds += result.leftTemps ? 1 : 0;

        VaultProbe vault;
        QVERIFY(vault.fdSetUserId(kUser));
        QVERIFY2(vault.fdRead(), qPrintable(QStringLiteral("round %1: the store does not load").arg(round)));
        QVERIFY2(tempsIn(m_userDir).isEmpty(), qPrintable(tempsIn(m_userDir).join(QLatin1Char(' '))));
        verifyKind(vault.fdSteps(), &m_model.steps, result.announced, &KillSaveDays::stepPacket);
        verifyKind(vault.fdSleeps(), &m_model.sleeps, result.announced, &KillSaveDays::sleepPacket);
        if (QTest::currentTestFailed())
            return;
        m_model.last = result.announced;
        for (const qint64 generation : m_model.steps.values() + m_model.sleeps.values())
            m_model.last = qMax(m_model.last, generation);
    }
    m_rounds += rounds;
    m_tempRounds += tempRounds;
    qInfo("%d rounds, %d left temporary files", rounds, tempRounds);
    if (cutsSaves)
        QVERIFY2(tempRounds > 0, "no kill landed inside a save");
}

void TestKillSave::cleanupTestCase()
{
    qInfo("all rows: %d rounds, %d left temporary files behind", m_rounds, m_tempRounds);
}

// Starts the writer on the store, waits for that many announced saves, lets it run on for the
// delay and kills it.
round_result TestKillSave::killWriter(const int& saves, const int& delayMicroseconds)
{
    round_result result;
    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    writer.start(QStringLiteral(KILLSAVE_WRITER),
                 {QCoreApplication::applicationName(), kUser, QString::number(m_model.last + 1)});
    [&] { QVERIFY(writer.waitForStarted(30000)); }();
    QByteArray output;
    while (!QTest::currentTestFailed() && output.count("saved ") < saves) {
        const bool more = writer.waitForReadyRead(30000);
        output += writer.readAllStandardOutput();
        [&] { QVERIFY2(more, qPrintable(QStringLiteral("writer ended with %1").arg(writer.exitCode()))); }();
    }
    QThread::usleep(ulong(delayMicroseconds));
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished(30000);
    output += writer.readAllStandardOutput();
    result.announced = lastAnnounced(output, m_model.last);
    result.leftTemps = !tempsIn(m_userDir).isEmpty();
    return result;
}

// Every day holds the generation the model expects, or, for the day of the save under way, the
// one after the last announced; its bytes and sync state are exactly those of that generation.
template <typename Day>
void TestKillSave::verifyKind(const QMap<QDate, Day>& days, QMap<int, qint64>* stored, const qint64& announced,
                              QByteArray (*packet)(const qint64&))
{
    QMap<int, qint64> expected = *stored;
    for (qint64 generation = m_model.last + 1; generation <= announced; ++generation)
        expected[int(generation % KillSaveDays::dayCount)] = generation;
    const qint64 underWay = announced + 1;
    const int underWayDay = int(underWay % KillSaveDays::dayCount);
    for (auto it = days.constBegin(); it != days.constEnd(); ++it) {
        const int index = dayIndex(it.key());
        QVERIFY2(index >= 0 && index < KillSaveDays::dayCount, qPrintable(it.key().toString()));
        const qint64 generation = KillSaveDays::generationOf(it.value().raw);
        const bool old = expected.contains(index) && generation == expected.value(index);
        const bool isNew = index == underWayDay && generation == underWay;
        QVERIFY2(old || isNew, qPrintable(QStringLiteral("day %1 holds generation %2, expected %3 or %4")
                                              .arg(index).arg(generation).arg(expected.value(index, -1)).arg(underWay)));
        QCOMPARE(it.value().raw, packet(generation));
        QCOMPARE(int(it.value().t.sync), int(KillSaveDays::syncOf(generation)));
        (*stored)[index] = generation;
    }
    // No day saved before went missing.
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
        QVERIFY2(days.contains(KillSaveDays::dateOf(it.key())), qPrintable(QStringLiteral("day %1 lost").arg(it.key())));
}

QTEST_GUILESS_MAIN(TestKillSave)
#include "tst_killsave.moc"
