#ifndef RAWPTY_H
#define RAWPTY_H

#include <QString>

// Opens a pty pair that carries bytes, not a terminal: no echo, no line editing, no CR/LF
// mapping; the master does not block. Returns the slave's path, empty (and -1s) on failure.
QString openRawPty(int& master, int& slave);

#endif // RAWPTY_H
