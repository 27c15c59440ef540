#ifndef PROGRAMCOPY_H
#define PROGRAMCOPY_H

#include <QPair>
#include <QString>
#include <QStringList>

// A test that unpacks packages over "the program's folder" must not unpack them over the build.
// It starts itself again from a copy in a temporary folder (program/ inside a folder of its
// own, so the folder around the program is the test's too) and answers with the copy's result.
namespace ProgramCopy {

typedef QList<QPair<QString, QString>> Variables;

// True in the copy.
bool isCopy();
// Runs the copy with the same arguments, its output going where ours goes; its exit code, or 1.
// The files `beside` are copied into the copy's folder too (a program the test starts, say),
// and the copy runs with `variables` set.
int runCopy(int argc, char* argv[], const QStringList& beside = QStringList(),
            const Variables& variables = Variables());

} // namespace ProgramCopy

#endif // PROGRAMCOPY_H
