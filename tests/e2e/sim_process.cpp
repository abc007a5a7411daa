#include "sim_process.h"

#include <QCoreApplication>

namespace nodra::test {

QString BinaryDir()
{
    const QString dir = qEnvironmentVariable("NODRA_BIN_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/..") : dir;
}

SimProcess::SimProcess(const QStringList& options)
{
    process_.start(BinaryDir() + QStringLiteral("/nodra-panel-sim"), options);
    // Its first line of output is the terminal it serves.
    while (process_.state() != QProcess::NotRunning && !process_.canReadLine())
        process_.waitForReadyRead(10000);
    terminal_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
}

SimProcess::~SimProcess()
{
    stop();
}

bool SimProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished();
        return false;
    }
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

CliResult RunCli(const QStringList& arguments)
{
    QProcess cli;
    cli.start(BinaryDir() + QStringLiteral("/nodra-cli"), arguments);
    cli.waitForFinished(120000);
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromUtf8(cli.readAllStandardOutput()), QString::fromUtf8(cli.readAllStandardError())};
}

}  // namespace nodra::test
