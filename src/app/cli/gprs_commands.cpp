// The "GPRS" tab's operations: read the communicator's settings from the
// panel into a communicator settings file, and write such a file into the
// panel. The messages the tab shows in its message box go to standard error.

#include "app/cli/cli.h"

#include "gprs/gprs_sequences.h"
#include "gprs/settings_file.h"

#include <QFileInfo>

namespace nodra::cli {

namespace {

const QString kNoFile = QStringLiteral("Файл %1 не удалось прочитать");
const QString kNeedOut = QStringLiteral("gprs-read: нужен параметр --out FILE.ini");

// Runs a sequence; port errors are told and count as a failed operation.
template <typename Sequence>
int RunSequence(Context& context, gprs::GprsState& state, Sequence sequence)
{
    if (!context.preparePort())
        return kFailed;
    const QString portName = context.port().portName();
    gprs::CommunicatorLink link(context.port(), context.view(), state.progress);
    try {
        switch (sequence(link, portName, state)) {
        case gprs::Outcome::Done: return kSuccess;
        case gprs::Outcome::Failed: return kFailed;
        case gprs::Outcome::Refused: return kUsage;
        }
    } catch (const link::PortError& error) {
        context.err() << error.message() << Qt::endl;
    }
    return kFailed;
}

}  // namespace

int RunGprsRead(Context& context)
{
    const QString out = context.options().out;
    if (out.isEmpty()) {
        context.err() << kNeedOut << Qt::endl;
        return kUsage;
    }
    gprs::GprsState state;
    const int result = RunSequence(context, state, gprs::ReadCommunicatorSettings);
    if (result != kSuccess)
        return result;
    if (const QString problem = gprs::SaveCommunicatorSettings(out, state); !problem.isEmpty()) {
        context.err() << problem << Qt::endl;
        return kFailed;
    }
    return kSuccess;
}

int RunGprsWrite(Context& context)
{
    const QString path = context.args()[0];
    gprs::GprsState state;
    if (!QFileInfo(path).isFile() || !gprs::LoadCommunicatorSettings(path, state)) {
        context.err() << kNoFile.arg(path) << Qt::endl;
        return kUsage;
    }
    return RunSequence(context, state, gprs::WriteCommunicatorSettings);
}

}  // namespace nodra::cli
