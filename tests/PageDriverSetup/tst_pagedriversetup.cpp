#include "pagedriversetup.h"

#include "adapterplug.h"
#include "pageshot.h"
#include "tapcaption.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryFile>
#include <QTimer>
#include <QtTest>

#include <memory>

enum class Adapter { Present, Absent, PluggedLater };
Q_DECLARE_METATYPE(Adapter)
enum class Installer { Missing, Stub, Shipped };
Q_DECLARE_METATYPE(Installer)

// One mouse event on the dialog: what happens, with which buttons, how far from where it began.
struct mouse_step {
    QEvent::Type type;
    Qt::MouseButton button;
    Qt::MouseButtons buttons;
    QPoint offset;
};
Q_DECLARE_METATYPE(QList<mouse_step>)

namespace {

// Ticks of the port check that a second launch would have had time to show in.
const int WATCHED_TICKS = 3;

QString driverDir()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/driver");
}

QString rulesPath()
{
    return driverDir() + QStringLiteral("/60-quorin-adapter.rules");
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The rule as the project ships it, without the file's last line end.
QString shippedRule()
{
    return QString::fromUtf8(readAll(QStringLiteral(QUORIN_SOURCE_ROOT "code/PageDriverSetup/driver/60-quorin-adapter.rules"))).chopped(1);
}

// The rules file beside the program as an update could leave it: a command for udev to run as root.
bool tamperRules()
{
    QFile rules(rulesPath());
    const QByteArray text = shippedRule().toUtf8() + "\nRUN+=\"/bin/sh -c 'id > /tmp/owned'\"\n";
    return rules.open(QIODevice::WriteOnly) && rules.write(text) == text.size();
}

// The stub installer beside the test program, the shipped one beside a tampered rules file, or none.
bool placeInstaller(const Installer& installer)
{
    QDir(driverDir()).removeRecursively();
    if (installer == Installer::Missing)
        return true;
    const QString target = driverDir() + QStringLiteral("/installDriver");
    const QString source = installer == Installer::Stub
        ? QStringLiteral(QUORIN_SOURCE_ROOT "tests/PageDriverSetup/stub/installDriver")
        : QStringLiteral(QUORIN_PROGRAM_DIR "/driver/installDriver");
    return QDir().mkpath(driverDir())
        && QFile::copy(source, target)
        && QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
        && (installer == Installer::Stub || tamperRules());
}

// The stub installer writes what it was started with here, one argument a line, every launch appended.
QString launchRecord()
{
    return QDir::homePath() + QStringLiteral("/installDriver.args");
}

// pkexec on PATH is the stub folder's: it records what it was asked to run as root, each
// argument ended by a NUL, and runs nothing.
QStringList rootCommand()
{
    QStringList command;
    for (const QByteArray& argument : readAll(QDir::homePath() + QStringLiteral("/pkexec.args")).split('\0'))
        command << QString::fromUtf8(argument);
    return command;
}

QStringList launches()
{
    QFile record(launchRecord());
    if (!record.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The adapter's port as the program finds it: QUORIN_ADAPTER_PORT names a link that exists while
// the adapter is plugged in. It starts pulled. Polkit is the stand-in of rootCommand().
class Seat
{
public:
    Seat()
        : m_path(qgetenv("PATH"))
    {
        qputenv("PATH", QUORIN_SOURCE_ROOT "tests/PageDriverSetup/stub:" + m_path);
        QFile::remove(QDir::homePath() + QStringLiteral("/pkexec.args"));
        if (!m_node.open())
            return;
        m_plug.reset(new AdapterPlug(m_node.fileName()));
        m_plug->unplug();
        qputenv("QUORIN_ADAPTER_PORT", QFile::encodeName(m_plug->link()));
        QFile::remove(launchRecord());
    }
    ~Seat()
    {
        qunsetenv("QUORIN_ADAPTER_PORT");
        qputenv("PATH", m_path);
    }

    bool isReady() const { return bool(m_plug); }
    bool plug() { return m_plug->plug(); }

private:
    QByteArray m_path;
    QTemporaryFile m_node;
    std::unique_ptr<AdapterPlug> m_plug;
};

QString labelText(QWidget& dialog, const char* name)
{
    return dialog.findChild<QLabel*>(QLatin1String(name))->text();
}

QTimer* waitTimer(QWidget& dialog)
{
    return dialog.findChild<QTimer*>();
}

} // namespace

class TestPageDriverSetup : public QObject
{
    Q_OBJECT
private slots:
    void check_data();
    void check();
    void closing_data();
    void closing();
    void dragging_data();
    void dragging();
    void shippedBesideProgram_data();
    void shippedBesideProgram();
};

void TestPageDriverSetup::check_data()
{
    QTest::addColumn<Adapter>("adapter");
    QTest::addColumn<Installer>("installer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("launched");
    QTest::addColumn<bool>("polling");
    const QStringList once{rulesPath()};
    QTest::newRow("adapter present: installed, nothing launched, no polling")
        << Adapter::Present << Installer::Stub << "安装成功." << "驱动程序已经安装完成." << "完成" << QStringList() << false;
    QTest::newRow("adapter absent: installer launched once with the rule, then waiting")
        << Adapter::Absent << Installer::Stub << "等待驱动安装完成..."
        << "正在等待驱动安装完成;如果长时间没有完成,请取消后拔出硬件再接入后重新安装." << "取消" << once << true;
    QTest::newRow("adapter appears while waiting: complete, polling ends")
        << Adapter::PluggedLater << Installer::Stub << "安装完成" << "驱动已经安装完成." << "完成" << once << false;
    QTest::newRow("installer missing: the failure stays in view while polling goes on")
        << Adapter::Absent << Installer::Missing << "安装失败." << "驱动程序安装失败,请重试!!!" << "重试" << QStringList() << true;
    QTest::newRow("installer missing, adapter plugged in later: complete all the same")
        << Adapter::PluggedLater << Installer::Missing << "安装完成" << "驱动已经安装完成." << "完成" << QStringList() << false;
    QTest::newRow("the shipped installer hands polkit the rule's text, never the file beside it")
        << Adapter::Absent << Installer::Shipped << "等待驱动安装完成..."
        << "正在等待驱动安装完成;如果长时间没有完成,请取消后拔出硬件再接入后重新安装." << "取消" << QStringList() << true;
}

void TestPageDriverSetup::check()
{
    QFETCH(Adapter, adapter);
    QFETCH(Installer, installer);
    QFETCH(QString, text);
    QFETCH(QString, description);
    QFETCH(QString, caption);
    QFETCH(QStringList, launched);
    QFETCH(bool, polling);
    Seat seat;
    QVERIFY(seat.isReady());
    QVERIFY(placeInstaller(installer));
    if (adapter == Adapter::Present)
        QVERIFY(seat.plug());
    PageDriverSetup dialog;
    dialog.show();
    if (polling) {
        QSignalSpy ticks(waitTimer(dialog), SIGNAL(timeout()));
        QTRY_VERIFY(ticks.size() >= WATCHED_TICKS);
    }
    if (adapter == Adapter::PluggedLater) {
        QVERIFY(waitTimer(dialog)->isActive());
        QVERIFY(seat.plug());
    }
    QTRY_COMPARE(labelText(dialog, "label_text"), text);
    QCOMPARE(labelText(dialog, "label_description"), description);
    QCOMPARE(dialog.findChild<TapCaption*>(QStringLiteral("bt_cancel"))->text(), caption);
    QCOMPARE(waitTimer(dialog)->isActive(), polling);
    QTRY_COMPARE(launches(), launched);
    if (installer == Installer::Shipped) {
        QTRY_VERIFY(rootCommand().contains(shippedRule()));
        for (const QString& argument : rootCommand())
            QVERIFY2(!argument.contains(driverDir()) && !argument.contains(QLatin1String("RUN+=")), qPrintable(argument));
    }
    if (adapter == Adapter::Absent && installer == Installer::Stub)
        QVERIFY(PageShot::save(dialog, QStringLiteral("PageDriverSetup")));
}

void TestPageDriverSetup::closing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("closes");
    QTest::newRow("the done button tells twice, the second time from the close itself")
        << "bt_cancel" << 2;
    QTest::newRow("the close button tells twice as well") << "bt_close" << 2;
    QTest::newRow("a close from elsewhere tells once") << QString() << 1;
}

void TestPageDriverSetup::closing()
{
    QFETCH(QString, button);
    QFETCH(int, closes);
    Seat seat;
    QVERIFY(seat.isReady());
    QVERIFY(seat.plug());
    PageDriverSetup dialog;
    dialog.show();
    QVERIFY(dialog.isModal());
    QSignalSpy closed(&dialog, SIGNAL(onClose()));
    if (button.isEmpty())
        dialog.close();
    else
        QTest::mouseClick(dialog.findChild<TapCaption*>(button), Qt::LeftButton);
    QCOMPARE(closed.size(), closes);
    QVERIFY(!dialog.isVisible());
}

void TestPageDriverSetup::dragging_data()
{
    const Qt::MouseButtons none = Qt::NoButton;
    QTest::addColumn<QList<mouse_step>>("steps");
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("a left-button drag moves the dialog with the cursor")
        << QList<mouse_step>{{QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {0, 0}},
                             {QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {40, 25}},
                             {QEvent::MouseButtonRelease, Qt::LeftButton, none, {40, 25}}}
        << QPoint(40, 25);
    QTest::newRow("a move after the release leaves it where it is")
        << QList<mouse_step>{{QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {0, 0}},
                             {QEvent::MouseButtonRelease, Qt::LeftButton, none, {0, 0}},
                             {QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {40, 25}}}
        << QPoint(0, 0);
    QTest::newRow("a right-button drag does nothing")
        << QList<mouse_step>{{QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {0, 0}},
                             {QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {40, 25}}}
        << QPoint(0, 0);
}

void TestPageDriverSetup::dragging()
{
    QFETCH(QList<mouse_step>, steps);
    QFETCH(QPoint, moved);
    Seat seat;
    QVERIFY(seat.isReady());
    QVERIFY(seat.plug());
    PageDriverSetup dialog;
    dialog.move(100, 100);
    dialog.show();
    const QPoint start = dialog.pos();
    const QPoint grip = start + QPoint(60, 120);
    for (const mouse_step& step : steps) {
        const QPointF screen = grip + step.offset;
        const QPointF local = screen - dialog.pos();
        QMouseEvent event(step.type, local, local, screen, step.button, step.buttons, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &event);
    }
    QTRY_COMPARE(dialog.pos(), start + moved);
}

void TestPageDriverSetup::shippedBesideProgram_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("holds");
    QTest::addColumn<bool>("executable");
    QTest::newRow("the installer, runnable, asks polkit for the rights")
        << "installDriver" << "pkexec" << true;
    QTest::newRow("the rule gives the seat's user the adapter's port")
        << "60-quorin-adapter.rules" << R"(ATTRS{idVendor}=="0451", ATTRS{idProduct}=="16aa", TAG+="uaccess")" << false;
}

// The shipped files are not run here (they need polkit and udev); only their place is checked.
void TestPageDriverSetup::shippedBesideProgram()
{
    QFETCH(QString, file);
    QFETCH(QString, holds);
    QFETCH(bool, executable);
    QFile shipped(QStringLiteral(QUORIN_PROGRAM_DIR "/driver/") + file);
    QVERIFY2(shipped.open(QIODevice::ReadOnly), qPrintable(shipped.fileName()));
    QVERIFY(QString::fromUtf8(shipped.readAll()).contains(holds));
    QCOMPARE(bool(shipped.permissions() & QFile::ExeOwner), executable);
}

QTEST_MAIN(TestPageDriverSetup)
#include "tst_pagedriversetup.moc"
