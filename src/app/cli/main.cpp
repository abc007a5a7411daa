#include "app/cli/cli.h"

#include <QCoreApplication>

using namespace nodra::cli;

namespace {

constexpr Command kCommands[] = {
    {"ports", "", 0, 0, RunPorts},
    {"eeprom-read", "COUNT ADDR", 2, 2, RunEepromRead},
    {"eeprom-write", "ADDR DATA", 2, 2, RunEepromWrite},
    {"ram-read", "COUNT ADDR", 2, 2, RunRamRead},
    {"ram-write", "ADDR DATA", 2, 2, RunRamWrite},
    {"restart", "", 0, 0, RunRestart},
    {"search", "", 0, 0, RunSearch},
    {"journal", "[--csv FILE]", 0, 0, RunJournal},
    {"clear-journal", "", 0, 0, RunClearJournal},
    {"clock-get", "", 0, 0, RunClockGet},
    {"clock-set", "HH:MM:SS|now", 1, 1, RunClockSet},
    {"reset-sound", "", 0, 0, RunResetSound},
    {"reset-device", "", 0, 0, RunResetDevice},
    {"gprs-read", "--out FILE.ini", 0, 0, RunGprsRead},
    {"gprs-write", "FILE.ini", 1, 1, RunGprsWrite},
    {"defaults", "--out FILE.cn2", 0, 0, RunDefaults},
    {"resave", "IN.cn2 --out OUT.cn2", 1, 1, RunResave},
    {"show", "FILE.cn2", 1, 1, RunShow},
    {"read", "--out FILE.cn2", 0, 0, RunRead},
    {"write", "FILE.cn2", 1, 1, RunWrite},
    {"codes-write", "FILE.cd2", 1, 1, RunCodesWrite},
};

int Usage(const QString& problem)
{
    QTextStream err(stderr);
    if (!problem.isEmpty())
        err << "nodra-cli: " << problem << Qt::endl;
    err << "usage: nodra-cli COMMAND [ARGS] [--port NAME] [--baud N] [--address DDD]" << Qt::endl;
    err << "commands:" << Qt::endl;
    for (const Command& command : kCommands)
        err << "  " << command.name << (*command.arguments ? " " : "") << command.arguments << Qt::endl;
    return kUsage;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const CommandLine line = ParseCommandLine(app.arguments().mid(1));
    if (!line.problem.isEmpty())
        return Usage(line.problem);
    if (line.positional.isEmpty())
        return Usage(QString());
    const QString name = line.positional.first();
    const QStringList args = line.positional.mid(1);
    for (const Command& command : kCommands) {
        if (name != QLatin1String(command.name))
            continue;
        if (args.size() < command.minArgs || args.size() > command.maxArgs)
            return Usage(QStringLiteral("%1 %2").arg(name, QLatin1String(command.arguments)));
        Context context(line.options, args);
        return command.run(context);
    }
    return Usage(QStringLiteral("неизвестная команда %1").arg(name));
}
