#include "sim/pty_terminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace nodra::sim {

PtyTerminal::~PtyTerminal()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

QString PtyTerminal::open()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        return QStringLiteral("no pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0)
        return QStringLiteral("no pseudo-terminal name: %1").arg(QString::fromLocal8Bit(strerror(errno)));
    slavePath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0)
        return QStringLiteral("%1: %2").arg(slavePath_, QString::fromLocal8Bit(strerror(errno)));
    // Raw, like a serial line: no echo, no line editing, no character mapping.
    termios settings {};
    tcgetattr(slave_, &settings);
    cfmakeraw(&settings);
    cfsetspeed(&settings, B115200);
    tcsetattr(slave_, TCSANOW, &settings);
    return {};
}

qint32 PtyTerminal::lineSpeed() const
{
    return TerminalOutputSpeed(slave_);
}

}  // namespace nodra::sim
