#pragma once
// nodra-cli: the configurator's operations without windows. Messages are the
// program's own texts on standard error; results go to standard output.
// Exit status: 0 success, 1 the operation failed, 2 bad usage or bad input file.

#include "app/cli/cli_view.h"
#include "config/defaults.h"
#include "link/panel_link.h"
#include "link/serial_port.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace nodra::cli {

enum Exit { kSuccess = 0, kFailed = 1, kUsage = 2 };

// Options may stand anywhere on the line, before or after the command.
struct Options {
    QString port;                       // --port NAME: first listed port when absent
    qint32 baud = 115200;               // --baud N
    QString deviceAddress = QStringLiteral("00");  // --address DDD, as the frame carries it
    bool addressGiven = false;          // --address was on the line
    QString out;                        // --out FILE
    QString csv;                        // --csv FILE
};

// What a command gets: its arguments, the options and the line to the panel.
class Context {
public:
    Context(const Options& options, QStringList args);

    const Options& options() const { return options_; }
    const QStringList& args() const { return args_; }
    link::PanelLink& link() { return link_; }
    link::SerialPort& port() { return port_; }
    // What the panel sequences show goes to standard error.
    CliView& view() { return view_; }

    // Sets the chosen port name and speed, for sequences that open the port
    // themselves; false (and why) when no port can be chosen.
    bool preparePort();
    // Opens the port at the chosen name and speed; on failure tells why.
    bool openPort();

    QTextStream& out() { return out_; }
    QTextStream& err() { return err_; }

private:
    Options options_;
    QStringList args_;
    link::SerialPort port_;
    link::PanelLink link_;
    QTextStream out_;
    QTextStream err_;
    CliView view_{err_};
};

using Run = int (*)(Context&);

struct Command {
    const char* name;
    const char* arguments;  // as shown in the usage text
    int minArgs;
    int maxArgs;
    Run run;
};

// Parses the whole command line; a usage problem is set in `problem`.
struct CommandLine {
    Options options;
    QStringList positional;  // the command, then its arguments
    QString problem;
};
CommandLine ParseCommandLine(const QStringList& arguments);

// Commands of the panel link (ports, the raw memory window's operations).
int RunPorts(Context& context);
int RunEepromRead(Context& context);
int RunEepromWrite(Context& context);
int RunRamRead(Context& context);
int RunRamWrite(Context& context);
int RunRestart(Context& context);

// Ctrl+C asks the running sequence to stop, as "Отмена" does in the busy
// window; a second Ctrl+C ends the program at once.
void CancelOnInterrupt(Context& context);

// Panel operations (search, journal, clock, service commands).
int RunSearch(Context& context);
int RunJournal(Context& context);
int RunClearJournal(Context& context);
int RunClockGet(Context& context);
int RunClockSet(Context& context);
int RunResetSound(Context& context);
int RunResetDevice(Context& context);

// Commands of the GPRS communicator (always 115200 baud at device address 00).
int RunGprsRead(Context& context);
int RunGprsWrite(Context& context);

// Settings files (.cn2): the file saved right after start-up (--out), a file
// opened and saved again (--out), a file shown by tab in words. A file that
// cannot be opened, is rejected or cannot be decoded exits 2, nothing written.
int RunDefaults(Context& context);
int RunResave(Context& context);
int RunShow(Context& context);

// False (and why) when the command's --out is missing.
bool NeedOut(Context& context, const QString& extension);
// Opens a settings file in a window that has just started; on failure tells
// why and gives the exit status (2).
std::optional<int> OpenInStartedWindow(Context& context, const QString& path, config::StartupState& startup);

// The whole panel to and from settings files, and the codes alone: "Прочитать
// все" then "Сохранить" (--out), "Открыть" then "Записать все", "Открыть" on
// the "Коды" tab then "Записать".
int RunRead(Context& context);
int RunWrite(Context& context);
int RunCodesWrite(Context& context);

}  // namespace nodra::cli
