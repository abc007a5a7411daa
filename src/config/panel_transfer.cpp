#include "config/panel_transfer.h"

#include "config/conversion.h"
#include "link/busy_window.h"
#include "link/connection.h"
#include "link/frame.h"
#include "link/transactions.h"

#include <QtMath>

namespace nodra::config {

using link::MessageKind;

namespace {

const QString kReadFailed = QStringLiteral("Не удалось прочитать установки");
const QString kCheckPort = QStringLiteral("Проверте порт подключения");
const QString kRead = QStringLiteral("Установки успешно прочитаны");
const QString kWriteFailed = QStringLiteral("Не удалось записать установки");
const QString kMaybePartial = QStringLiteral("Возможно установки записаны частично");
const QString kWritten = QStringLiteral("Установки успешно записаны");
const QString kRestarted = QStringLiteral("Прибор перезагружен");

// The bar of read-all counts 35 steps: the 34 settings reads, the pause read
// after them staying at the 34th, and the codes pieces from the 33rd on, so
// that the last pieces run past the end of the bar.
constexpr int kReadSteps = 35;
constexpr int kSettingsReads = 34;
constexpr int kCodesFirstStep = 33;
// Write-all: two percent for each write but the one of 0082, which moves nothing.
constexpr double kWriteStepPercent = 2.0;
constexpr int kUnmovedWrite = block::kAutoReset;

double ReadProgress(const ReadUnit& unit, int number)
{
    const int step = unit.codePiece != kNone ? kCodesFirstStep + unit.codePiece : std::min(number, kSettingsReads);
    return qRound(100.0 * step / kReadSteps);
}

QString CountText(int count)
{
    return QStringLiteral("%1").arg(count, 2, 16, QLatin1Char('0')).toUpper();
}

// The data of a reply as the image may take it: hex digits, two per byte.
// Anything else (a reply frame whose data is empty, odd or not hex) counts as
// no reply, so that no such text reaches a block, a file or a later write.
std::optional<QString> ReplyData(const QString& reply)
{
    if (reply == link::kFailed || reply.isEmpty())
        return std::nullopt;
    const QString data = link::ReplyPayload(reply);
    if (data.isEmpty() || !IsHexBytes(data))
        return std::nullopt;
    return data;
}

// "ОК" with the panel's new address in Edit17, then the link baud list set to
// the panel's new speed (closing the port); what the controls show now.
link::ConnectionShown MoveLink(link::PanelLink& link, const ConfigImage& image, int panelBaudIndex)
{
    link::ConnectionShown shown;
    shown.linkAddressText = link::FieldFromDeviceAddress(image.block(block::kPanelAddress));
    if (const auto address = link::DeviceAddressFromField(shown.linkAddressText))
        link.setDeviceAddress(*address);
    if (panelBaudIndex >= 0 && panelBaudIndex < link::kBaudCount) {
        if (link.port().isOpen())
            link.port().close();
        link.port().setBaudRate(link::kBauds[panelBaudIndex]);
        shown.linkBaudIndex = panelBaudIndex;
    }
    return shown;
}

}  // namespace

ReadAllResult ReadAll(link::PanelLink& link, link::OperationView& view, ConfigImage& image)
{
    using Outcome = ReadAllResult::Outcome;
    const link::RunningOperation running(link);
    if (!running)
        return link::NotStarted<ReadAllResult>();
    ReadAllResult result;
    link::Port& port = link.port();
    link::BusyWindow busy(link, view);
    const auto end = [&](Outcome outcome) {
        result.outcome = outcome;
        return result;
    };

    if (const auto portError = link::OpenUnlessOpen(port)) {
        view.showMessage(MessageKind::Error, QString(), kReadFailed);
        result.portError = *portError;
        return end(Outcome::PortFailed);
    }

    busy.show(kReadCaption);
    if (link::CheckCancel(busy))
        return end(Outcome::Cancelled);
    int number = 0;
    for (const ReadUnit& unit : ReadUnits()) {
        ++number;
        const auto data = ReplyData(link::ReadEeprom(link, CountText(unit.count), AddressText(unit.address)));
        if (!data) {
            busy.close();
            port.close();
            view.showMessage(MessageKind::Error, kReadFailed, kCheckPort);
            return end(Outcome::Failed);
        }
        // Stored before the cancel check, so that a cancellation keeps what
        // this unit brought, whichever way it is cut.
        StoreReadUnit(image, unit, *data);
        if (link::CheckCancel(busy))
            return end(Outcome::Cancelled);
        busy.setProgress(ReadProgress(unit, number));
    }
    port.close();
    busy.setProgress(100);
    busy.close();
    view.showMessage(MessageKind::Confirmation, QString(), kRead);
    return end(Outcome::Read);
}

ReadAllResult ReadAllIntoForm(link::PanelLink& link, link::OperationView& view, ConfigImage& image,
                              FormState& form)
{
    ReadAllResult result = ReadAll(link, view, image);
    if (result.outcome != ReadAllResult::Outcome::Read)
        return result;
    result.decoded = DecodeImage(image, form);
    const DecodeResult& decoded = *result.decoded;
    if (decoded.deviceAddress)
        link.setDeviceAddress(*decoded.deviceAddress);
    if (decoded.linkAddressField) {
        link::ConnectionShown shown;
        shown.linkAddressText = *decoded.linkAddressField;
        view.showConnection(shown);
    }
    if (decoded.error)
        view.showMessage(MessageKind::Error, QString(), decoded.error->message());
    return result;
}

WriteAllResult WriteAll(link::PanelLink& link, link::OperationView& view, const FormState& form,
                        ConfigImage& image)
{
    using Outcome = WriteAllResult::Outcome;
    const link::RunningOperation running(link);
    if (!running)
        return link::NotStarted<WriteAllResult>();
    WriteAllResult result;

    // A field that cannot be encoded would send the blocks after it with
    // their old contents: nothing goes out, and the installer is told which.
    const EncodeResult encoded = EncodeForm(form, image);
    if (!encoded.ok()) {
        view.showMessage(MessageKind::Error, kWriteFailed, encoded.error->message());
        result.outcome = Outcome::NotEncoded;
        return result;
    }

    link::Port& port = link.port();
    link::WrittenBlocks written(link);
    link::BusyWindow busy(link, view);
    const auto failed = [&](Outcome outcome) {
        link::PartialWrite& partial = link.partialWrite();
        result.partial = partial.isMarked();
        view.showMessage(MessageKind::Error, kWriteFailed, result.partial ? kMaybePartial : QString());
        partial.clearMarker();
        result.outcome = outcome;
        return result;
    };

    if (const auto portError = link::OpenUnlessOpen(port)) {
        result.portError = *portError;
        return failed(Outcome::PortFailed);
    }

    busy.show(kWriteCaption);
    if (link::CheckCancel(busy))
        return failed(Outcome::Cancelled);
    int steps = 0;
    for (const WriteUnit& unit : WriteUnits()) {
        if (!link::WriteEeprom(link, AddressText(unit.address), WriteUnitData(image, unit))) {
            // The panel holds the writes done so far; the line is given up.
            busy.close();
            port.close();
            return failed(Outcome::Failed);
        }
        if (link::CheckCancel(busy))
            return failed(Outcome::Cancelled);
        if (unit.address != kUnmovedWrite)
            busy.setProgress(kWriteStepPercent * ++steps);
        // From here on a cancellation may leave the panel half written.
        if (&unit == &WriteUnits().front())
            written.firstBlockWritten();
    }
    // Still at the old address: the panel takes its new settings on restart.
    link::RestartPanel(link);
    view.showConnection(MoveLink(link, image, form.parameters.panelBaud));
    busy.setProgress(100);
    busy.close();
    port.close();
    view.showMessage(MessageKind::Confirmation, kWritten, kRestarted);
    result.outcome = Outcome::Written;
    return result;
}

}  // namespace nodra::config
