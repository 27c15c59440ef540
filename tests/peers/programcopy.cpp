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

bool copyInto(const QString& folder, const QString& file)
{
    return QFile::copy(file, folder + QLatin1Char('/') + QFileInfo(file).fileName());
}

} // namespace

bool ProgramCopy::isCopy()
{
    return qEnvironmentVariableIsSet(kCopyVariable);
}

int ProgramCopy::runCopy(int argc, char* argv[], const QStringList& beside, const Variables& variables)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QTemporaryDir around;
    const QString folder = around.path() + QStringLiteral("/program");
    const QString copy = folder + QLatin1Char('/') + QFileInfo(app.applicationFilePath()).fileName();
    bool copied = around.isValid() && QDir().mkpath(folder) && copyInto(folder, app.applicationFilePath());
    for (const QString& file : beside)
        copied = copied && copyInto(folder, file);
    if (!copied) {
        err << "cannot copy the test into " << folder << Qt::endl;
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kCopyVariable), QStringLiteral("1"));
    for (const auto& variable : variables)
        environment.insert(variable.first, variable.second);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(copy, app.arguments().mid(1));
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return 1;
    return process.exitCode();
}
