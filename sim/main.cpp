// nodra-panel-sim: a simulated Нодра-1/2 panel on a pseudo-terminal. It prints
// the terminal's path as its first line of output and announces it, so that
// the configurator's port list shows it; it ends on SIGTERM or SIGINT.

#include "link/connection.h"
#include "link/port.h"
#include "link/sim_announce.h"
#include "sim/panel_sim.h"
#include "sim/pty_terminal.h"
#include "sim/state_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <time.h>
#include <unistd.h>

using namespace nodra;

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int)
{
    stopRequested = 1;
}

const char kUsage[] =
    "usage: nodra-panel-sim [options]\n"
    "  --link PATH          also reach the terminal under PATH (a symbolic link)\n"
    "  --address DDD        the panel's bus address, decimal 0-255 (default 0)\n"
    "  --baud N             the panel's line speed (default 115200)\n"
    "  --state FILE         load the panel's memory from FILE\n"
    "  --dump FILE          write the panel's memory to FILE when ending\n"
    "  --pace               send replies at line speed, character by character\n"
    "  --log FILE|-         log every frame in and out\n"
    "  --firmware VVVV      firmware version the probe (command 39) reports, four hex\n"
    "                       digits (default 0203; 0202 and older ask for an update);\n"
    "                       \"none\" for a firmware that does not know the probe\n"
    "faults:\n"
    "  --no-answer          never answer\n"
    "  --echo               return every request unchanged\n"
    "  --wrong-checksum     answer with a wrong checksum\n"
    "  --answer-from N      answer a request only from its Nth try in a row\n"
    "  --cut N              send only the first N characters of a reply\n"
    "  --delay MS           wait MS milliseconds before replying\n"
    "  --split N:MS         send a reply in two pieces, split at N, MS apart\n"
    "  --silent-after N     fall silent after answering N frames\n"
    "  --journal-event N    log event N after each journal block read\n"
    "  --fault-command CC   the faults hit only command CC\n";

[[noreturn]] void usage(const char* problem)
{
    if (problem)
        std::fprintf(stderr, "nodra-panel-sim: %s\n", problem);
    std::fputs(kUsage, problem ? stderr : stdout);
    std::exit(problem ? 2 : 0);
}

int number(const char* text, const char* option)
{
    bool ok = false;
    const int value = QString::fromLocal8Bit(text).toInt(&ok);
    if (!ok)
        usage(qPrintable(QStringLiteral("%1 needs a number").arg(QLatin1String(option))));
    return value;
}

void sleepUntil(const timespec& at)
{
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR && !stopRequested) {
    }
}

timespec after(timespec t, qint64 us)
{
    const qint64 ns = t.tv_nsec + us * 1000;
    t.tv_sec += ns / 1000000000;
    t.tv_nsec = ns % 1000000000;
    return t;
}

void writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0 && !stopRequested) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n > 0) {
            data += n;
            size -= n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return;  // nobody reads the line: the reply is lost, as on a real one
        } else {
            pollfd out{fd, POLLOUT, 0};
            poll(&out, 1, 10);
        }
    }
}

// Sends one reply: each piece after its delay, paced characters one by one.
void send(int fd, const sim::Reply& reply, qint32 baud, bool pace)
{
    timespec at {};
    clock_gettime(CLOCK_MONOTONIC, &at);
    const double charUs = link::CharacterTimeUs(baud);
    for (const sim::ReplyPiece& piece : reply) {
        at = after(at, piece.delayUs);
        if (!pace) {
            sleepUntil(at);
            writeAll(fd, piece.bytes.constData(), piece.bytes.size());
            continue;
        }
        for (qsizetype i = 0; i < piece.bytes.size(); ++i) {
            at = after(at, qint64(std::ceil(charUs)));
            sleepUntil(at);
            writeAll(fd, piece.bytes.constData() + i, 1);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    sim::PanelSim panel;
    QString linkPath, statePath, dumpPath, logPath;
    int address = -1;
    qint32 baud = -1;
    bool pace = false;
    sim::Faults& faults = panel.faults();

    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const auto value = [&]() -> const char* {
            if (i + 1 >= argc)
                usage(qPrintable(arg + QStringLiteral(" needs a value")));
            return argv[++i];
        };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            usage(nullptr);
        else if (arg == QLatin1String("--link"))
            linkPath = QString::fromLocal8Bit(value());
        else if (arg == QLatin1String("--address"))
            address = number(value(), argv[i - 1]);
        else if (arg == QLatin1String("--baud"))
            baud = number(value(), argv[i - 1]);
        else if (arg == QLatin1String("--state"))
            statePath = QString::fromLocal8Bit(value());
        else if (arg == QLatin1String("--dump"))
            dumpPath = QString::fromLocal8Bit(value());
        else if (arg == QLatin1String("--pace"))
            pace = true;
        else if (arg == QLatin1String("--log"))
            logPath = QString::fromLocal8Bit(value());
        else if (arg == QLatin1String("--firmware")) {
            const QString version = QString::fromLocal8Bit(value());
            static const QRegularExpression fourHex(QStringLiteral("^[0-9A-Fa-f]{4}$"));
            if (version != QLatin1String("none") && !fourHex.match(version).hasMatch())
                usage("--firmware needs four hex digits or \"none\"");
            panel.setFirmware(version == QLatin1String("none") ? QString() : version);
        } else if (arg == QLatin1String("--no-answer"))
            faults.noAnswer = true;
        else if (arg == QLatin1String("--echo"))
            faults.echo = true;
        else if (arg == QLatin1String("--wrong-checksum"))
            faults.wrongChecksum = true;
        else if (arg == QLatin1String("--answer-from"))
            faults.answerFromTry = number(value(), argv[i - 1]);
        else if (arg == QLatin1String("--cut"))
            faults.cutReplyTo = number(value(), argv[i - 1]);
        else if (arg == QLatin1String("--delay"))
            faults.delayMs = number(value(), argv[i - 1]);
        else if (arg == QLatin1String("--split")) {
            const QStringList parts = QString::fromLocal8Bit(value()).split(QLatin1Char(':'));
            if (parts.size() != 2)
                usage("--split needs N:MS");
            faults.splitAt = number(qPrintable(parts[0]), "--split");
            faults.splitPauseMs = number(qPrintable(parts[1]), "--split");
        } else if (arg == QLatin1String("--silent-after"))
            faults.silentAfter = number(value(), argv[i - 1]);
        else if (arg == QLatin1String("--journal-event"))
            faults.eventDuringJournalRead = number(value(), argv[i - 1]);
        else if (arg == QLatin1String("--fault-command"))
            faults.onlyCommand = QString::fromLocal8Bit(value());
        else
            usage(qPrintable(QStringLiteral("unknown option %1").arg(arg)));
    }

    if (!statePath.isEmpty()) {
        const QString problem = sim::LoadState(panel, statePath);
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "nodra-panel-sim: %s\n", qPrintable(problem));
            return 2;
        }
    }
    if (address >= 0) {
        if (address > 255)
            usage("--address must be 0-255");
        panel.setAddress(address);
    }
    if (baud >= 0) {
        if (link::BaudIndex(baud) < 0)
            usage("--baud must be one of 9600 19200 38400 56000 57600 115200 256000");
        panel.setBaud(baud);
    }

    FILE* log = nullptr;
    if (logPath == QLatin1String("-"))
        log = stderr;
    else if (!logPath.isEmpty() && !(log = std::fopen(qPrintable(logPath), "a"))) {
        std::fprintf(stderr, "nodra-panel-sim: cannot write %s\n", qPrintable(logPath));
        return 2;
    }
    if (log)
        panel.setLog([log](const QString& line) {
            std::fprintf(log, "%s\n", line.toUtf8().constData());
            std::fflush(log);
        });

    sim::PtyTerminal terminal;
    if (const QString problem = terminal.open(); !problem.isEmpty()) {
        std::fprintf(stderr, "nodra-panel-sim: %s\n", qPrintable(problem));
        return 1;
    }
    QString served = terminal.slavePath();
    if (!linkPath.isEmpty()) {
        const QFileInfo existing(linkPath);
        if (existing.isSymLink())
            QFile::remove(linkPath);
        if (!QFile::link(terminal.slavePath(), linkPath)) {
            std::fprintf(stderr, "nodra-panel-sim: cannot create the link %s\n", qPrintable(linkPath));
            return 1;
        }
        served = QFileInfo(linkPath).absoluteFilePath();
    }
    const QString announceDir = link::SimulatorAnnounceDir();
    QDir().mkpath(announceDir);
    QFile::setPermissions(announceDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString announcement = announceDir + QStringLiteral("/%1").arg(getpid());
    {
        QFile file(announcement);
        if (file.open(QIODevice::WriteOnly))
            file.write(served.toUtf8() + '\n');
    }

    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGHUP, onSignal);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", served.toLocal8Bit().constData());
    std::fflush(stdout);
    std::fprintf(stderr, "nodra-panel-sim: panel at address %03d, %d baud, serving %s\n", panel.address(),
                 int(panel.baud()), qPrintable(served));

    char buffer[512];
    while (!stopRequested) {
        pollfd in{terminal.master(), POLLIN, 0};
        if (poll(&in, 1, 200) <= 0 || !(in.revents & POLLIN))
            continue;
        const ssize_t n = ::read(terminal.master(), buffer, sizeof buffer);
        if (n <= 0)
            continue;
        // The panel understands the line only at its own speed.
        const qint32 lineSpeed = terminal.lineSpeed();
        for (const sim::Reply& reply : panel.receive(QByteArray(buffer, n), lineSpeed))
            send(terminal.master(), reply, lineSpeed, pace);
    }

    QFile::remove(announcement);
    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    if (!dumpPath.isEmpty() && !sim::SaveState(panel.memory(), dumpPath)) {
        std::fprintf(stderr, "nodra-panel-sim: cannot write %s\n", qPrintable(dumpPath));
        return 1;
    }
    return 0;
}
