// Kept apart: the kernel's termios2 (needed for speeds such as 56000 and
// 256000) clashes with the C library's <termios.h>.
#include <asm/ioctls.h>
#include <asm/termbits.h>

#include <QtGlobal>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace nodra::sim {

qint32 TerminalOutputSpeed(int fd)
{
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return -1;
    return qint32(settings.c_ospeed);
}

}  // namespace nodra::sim
