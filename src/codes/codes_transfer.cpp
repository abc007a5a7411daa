#include "codes/codes_transfer.h"

#include "link/busy_window.h"
#include "link/transactions.h"

namespace nodra::codes {

using link::MessageKind;

namespace {

const QString kWriteFailed = QStringLiteral("Не удалось записать коды");

// The bar after piece k (1 to 5): 40, 60, 80, 100, and a full bar for the fifth.
constexpr double kPiecePercent = 20.0;

}  // namespace

CodesWriteResult WriteCodes(link::PanelLink& link, link::OperationView& view, const CodesState& codes,
                            config::ConfigImage& image)
{
    using Outcome = CodesWriteResult::Outcome;
    const link::RunningOperation running(link);
    if (!running)
        return link::NotStarted<CodesWriteResult>();
    CodesWriteResult result;
    const auto end = [&](Outcome outcome, const QString& headline, const QString& message) {
        view.showMessage(MessageKind::Error, headline, message);
        result.outcome = outcome;
        return result;
    };

    // A cell that is not hex would reach the panel as it stands.
    if (const auto error = NotHexCode(codes.cells))
        return end(Outcome::NotHex, kWriteFailed, error->message());

    link::Port& port = link.port();
    link::BusyWindow busy(link, view);
    busy.show(kCodesWriteCaption);
    image.setBlock(config::block::kCodes, CodesTextFromGrid(codes.cells, CodeCase::AsTyped));
    if (const auto portError = link::OpenUnlessOpen(port)) {
        busy.close();
        return end(Outcome::PortFailed, kWriteFailed, *portError);
    }

    for (const config::WriteUnit& unit : config::WriteUnits()) {
        if (unit.codePiece == config::kNone)
            continue;
        if (!link::WriteEeprom(link, config::AddressText(unit.address), config::WriteUnitData(image, unit))) {
            port.close();
            busy.close();
            return end(Outcome::Failed, QString(), kWriteFailed);
        }
        ++result.pieces;
        busy.setProgress(kPiecePercent * (result.pieces + 1));
        if (link::CheckCancel(busy))
            return end(Outcome::Cancelled, QString(), kWriteFailed);
    }
    // The panel takes the new codes into use on restart; whether it answers
    // does not change what was written.
    link::RestartPanel(link);
    port.close();
    busy.close();
    view.showMessage(MessageKind::Confirmation, QStringLiteral("Коды успешно записаны"),
                     QStringLiteral("Прибор перезагружен"));
    result.outcome = Outcome::Written;
    return result;
}

}  // namespace nodra::codes
