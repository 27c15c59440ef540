#include "programcopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const char* const kCopyVariable = "QUORIN_PROGRAM_COPY";

} // namespace

bool ProgramCopy::isCopy()
{
    return qEnvironmentVariableIsSet(kCopyVariable);
}

int ProgramCopy::runCopy(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QTemporaryDir around;
    const QString folder = around.path() + QStringLiteral("/program");
    const QString copy = folder + QLatin1Char('/') + QFileInfo(app.applicationFilePath()).fileName();
    if (!around.isValid() || !QDir().mkpath(folder) || !QFile::copy(app.applicationFilePath(), copy)) {
        err << "cannot copy the test into " << folder << Qt::endl;
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kCopyVariable), QStringLiteral("1"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(copy, app.arguments().mid(1));
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return 1;
    return process.exitCode();
}
