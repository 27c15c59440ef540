#include "corehub.h"
#include "mainwindow.h"
#include "startup.h"
#include "trace.h"

#include <QApplication>
#include <QTranslator>

namespace {

// Held until the process ends: while it is, no other instance of either program starts.
Startup::Guard guard;
QTranslator translator;

// Hub and window live until the process ends and are never deleted; held here rather than in
// locals of main so that they stay reachable after main returns.
CoreHub* hub = nullptr;
MainWindow* window = nullptr;

const int EXIT_NO_GUARD = 2;

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString pidPath = QCoreApplication::applicationDirPath() + QStringLiteral("/pid");

    const bool languageInstalled = Startup::updateLanguage(translator);
    QLOG.nospace() << Q_FUNC_INFO << " updateLanguage ret=" << languageInstalled;

    switch (Startup::isRuned(guard)) {
    case Startup::GUARD_ALONE:
        break;
    case Startup::GUARD_TAKEN:
        return 0;
    case Startup::GUARD_FAILED:
        return EXIT_NO_GUARD;
    }

    hub = new CoreHub();
    window = new MainWindow(hub, nullptr);
    hub->setMainWin(window);
    hub->fdInitLock(pidPath, QCoreApplication::applicationPid());
    hub->fdUpdateClear(QCoreApplication::applicationDirPath() + QLatin1Char('/') + hub->fdUpdateListConf());

    window->show();
    return app.exec();
}
