#ifndef PROGRAMCOPY_H
#define PROGRAMCOPY_H

#include <QString>

// A test that unpacks packages over "the program's folder" must not unpack them over the build.
// It starts itself again from a copy in a temporary folder (program/ inside a folder of its
// own, so the folder around the program is the test's too) and answers with the copy's result.
namespace ProgramCopy {

// True in the copy.
bool isCopy();
// Runs the copy with the same arguments, its output going where ours goes; its exit code, or 1.
int runCopy(int argc, char* argv[]);

} // namespace ProgramCopy

#endif // PROGRAMCOPY_H
