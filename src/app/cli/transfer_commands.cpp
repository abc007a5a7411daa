// The whole panel to and from settings files, and the codes alone, through
// the same sequences as "Прочитать все", "Записать все" and the "Записать"
// of the "Коды" tab, as a window that has just started would run them.

#include "app/cli/cli.h"

#include "codes/codes_file.h"
#include "codes/codes_transfer.h"
#include "config/panel_transfer.h"
#include "config/settings_file.h"
#include "link/connection.h"
#include "link/device_search.h"

#include <QSaveFile>

namespace nodra::cli {

namespace {

using namespace config;

void TellPortError(Context& context, const QString& portError)
{
    if (!portError.isEmpty())
        context.err() << portError << Qt::endl;
}

}  // namespace

// "Прочитать все", then "Сохранить": the file holds the image after the form
// has been decoded from it and encoded again, byte for byte what the window
// would save. A panel whose settings cannot be decoded writes no file.
int RunRead(Context& context)
{
    if (!NeedOut(context, kSettingsExtension))
        return kUsage;
    const QString path = WithExtension(context.options().out, kSettingsExtension);
    {
        // A file that cannot be created is found before the panel is read.
        QSaveFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            context.err() << QStringLiteral("Не удалось создать файл ") << path << Qt::endl;
            return kUsage;
        }
        probe.cancelWriting();
    }
    if (!context.preparePort())
        return kFailed;
    CancelOnInterrupt(context);
    StartupState startup = Startup();
    const ReadAllResult read = ReadAllIntoForm(context.link(), context.view(), startup.image, startup.form);
    TellPortError(context, read.portError);
    if (read.outcome != ReadAllResult::Outcome::Read || !read.decoded->ok())
        return kFailed;
    const FileOutcome saved = SaveSettings(path, startup.form, startup.image);
    context.err() << saved.message << Qt::endl;
    return saved.ok ? kSuccess : kFailed;
}

// "Открыть", then "Записать все". Opening the file makes its panel address
// the current one, as in the window; --address, when given, names the panel
// to write instead. On success the panel's new address and speed, which the
// next command needs, go to standard output.
int RunWrite(Context& context)
{
    StartupState startup = Startup();
    const OpenOutcome opened = OpenSettings(context.args()[0], startup.image, startup.form);
    if (!opened.ok) {
        context.err() << opened.message << Qt::endl;
        return kUsage;
    }
    if (!context.options().addressGiven && opened.decoded.deviceAddress)
        context.link().setDeviceAddress(*opened.decoded.deviceAddress);
    if (!context.preparePort())
        return kFailed;
    CancelOnInterrupt(context);
    const WriteAllResult written = WriteAll(context.link(), context.view(), startup.form, startup.image);
    TellPortError(context, written.portError);
    using Outcome = WriteAllResult::Outcome;
    if (written.outcome == Outcome::NotEncoded)
        return kUsage;
    if (written.outcome != Outcome::Written)
        return kFailed;
    const int address = context.link().deviceAddress().toInt(nullptr, 16);
    context.out() << link::SearchFoundText(address, link::BaudIndex(context.port().baudRate())) << Qt::endl;
    return kSuccess;
}

// "Открыть" on the "Коды" tab, then "Записать".
int RunCodesWrite(Context& context)
{
    StartupState startup = Startup();
    const FileOutcome loaded = codes::LoadCodesFile(context.args()[0], startup.form.codes, startup.image);
    if (!loaded.ok) {
        context.err() << loaded.message << Qt::endl;
        return kUsage;
    }
    if (!context.preparePort())
        return kFailed;
    CancelOnInterrupt(context);
    const codes::CodesWriteResult result =
        codes::WriteCodes(context.link(), context.view(), startup.form.codes, startup.image);
    using Outcome = codes::CodesWriteResult::Outcome;
    if (result.outcome == Outcome::NotHex)
        return kUsage;
    return result.outcome == Outcome::Written ? kSuccess : kFailed;
}

}  // namespace nodra::cli
