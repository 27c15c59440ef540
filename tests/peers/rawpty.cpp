#include "rawpty.h"

#include "trace.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

QString openRawPty(int& master, int& slave)
{
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        QLOG << "openpty failed, errno=" << errno;
        master = slave = -1;
        return QString();
    }
    termios mode;
    tcgetattr(slave, &mode);
    cfmakeraw(&mode);
    tcsetattr(slave, TCSANOW, &mode);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    char name[PATH_MAX] = {};
    if (ptsname_r(master, name, sizeof(name)) != 0)
        return QString();
    return QString::fromLocal8Bit(name);
}
