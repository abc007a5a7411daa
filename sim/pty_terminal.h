#pragma once
// A pseudo-terminal pair for the simulator: the program under test opens the
// slave like a serial port; the simulator reads and writes the master. The
// simulator keeps a slave descriptor of its own open for its whole life, so
// that the master sees no hang-up each time the program closes its port, and
// reads the line speed the program set from it.

#include <QString>

namespace nodra::sim {

class PtyTerminal {
public:
    PtyTerminal() = default;
    ~PtyTerminal();
    PtyTerminal(const PtyTerminal&) = delete;
    PtyTerminal& operator=(const PtyTerminal&) = delete;

    // Empty on success, else why not.
    QString open();
    int master() const { return master_; }
    QString slavePath() const { return slavePath_; }
    // The output speed set on the terminal, -1 when it cannot be read.
    qint32 lineSpeed() const;

private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
};

// The speed of a terminal as an integer, non-standard speeds included.
qint32 TerminalOutputSpeed(int fd);

}  // namespace nodra::sim
