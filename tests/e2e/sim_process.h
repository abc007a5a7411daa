#pragma once
// nodra-panel-sim as a real process on a pseudo-terminal, started for one
// test and ended by its own process id.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace nodra::test {

// The folder of the built programs.
QString BinaryDir();

class SimProcess {
public:
    // Starts the simulator with these options and waits until it announces
    // its terminal; terminal() is empty when it did not start.
    explicit SimProcess(const QStringList& options = {});
    ~SimProcess();

    QString terminal() const { return terminal_; }
    QString errors() { return QString::fromLocal8Bit(process_.readAllStandardError()); }
    // Ends it (SIGTERM) and waits; true when it ended cleanly.
    bool stop();
    qint64 pid() const { return process_.processId(); }

private:
    QProcess process_;
    QString terminal_;
};

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs nodra-cli with these arguments to its end.
CliResult RunCli(const QStringList& arguments);

}  // namespace nodra::test
