#include "clock/clock_exchange.h"

#include "link/busy_window.h"
#include "link/frame.h"
#include "link/transactions.h"

namespace nodra::clock {

using link::MessageKind;

namespace {

const QString kClockCount = QStringLiteral("03");
inline constexpr int kPayloadDigits = 6;

QString Hex2(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

// One attempt: working memory first, the copy only when that was acknowledged.
bool WriteStep(link::PanelLink& link, const QString& payload)
{
    link.port().open();
    const bool written = link::WriteRam(link, kClockAddress, payload)
        && link::WriteEeprom(link, kClockCopyAddress, payload);
    link.port().close();
    return written;
}

}  // namespace

QString ClockPayload(const QTime& time)
{
    return Hex2(time.hour()) + Hex2(time.minute()) + Hex2(time.second());
}

std::optional<QTime> TimeFromPayload(const QString& payload)
{
    if (payload.size() < kPayloadDigits)
        return std::nullopt;
    const QStringView digits(payload);
    const auto hours = link::HexByteValue(digits.mid(0, 2));
    const auto minutes = link::HexByteValue(digits.mid(2, 2));
    const auto seconds = link::HexByteValue(digits.mid(4, 2));
    if (!hours || !minutes || !seconds || *hours > 23 || *minutes > 59 || *seconds > 59)
        return std::nullopt;
    return QTime(*hours, *minutes, *seconds);
}

ClockReadResult ReadClock(link::PanelLink& link, link::OperationView& view, ClockGroup& group)
{
    const link::RunningOperation running(link);
    if (!running)
        return link::NotStarted<ClockReadResult>();
    ClockReadResult result;
    group.showBusy(true);
    link.pump();
    QString reply = link::kFailed;
    try {
        link.port().open();
        reply = link::ReadRam(link, kClockCount, kClockAddress, link::kRamPointerLimit);
    } catch (const link::PortError&) {
    }
    link.port().close();

    const auto time = TimeFromPayload(link::ReplyPayload(reply));
    if (!time) {
        group.showBusy(false);
        view.showMessage(MessageKind::Error, QString(), QStringLiteral("Не удалось прочитать время"));
        return result;
    }
    group.showTime(*time);
    group.showBusy(false);
    view.showMessage(MessageKind::Information, QString(), QStringLiteral("Время успешно прочитано"));
    result.outcome = ClockReadResult::Outcome::Read;
    result.time = *time;
    return result;
}

ClockWriteOutcome WriteClock(link::PanelLink& link, link::OperationView& view, ClockGroup& group,
                             const QTime& time)
{
    const link::RunningOperation running(link);
    if (!running)
        return ClockWriteOutcome::NotStarted;
    group.showBusy(true);
    link.pump();
    group.lockPicker(true);
    const QString payload = ClockPayload(time);
    bool written = false;
    for (int attempt = 0; attempt < kWriteAttempts && !written; ++attempt) {
        try {
            written = WriteStep(link, payload);
        } catch (const link::PortError&) {
            link.port().close();
            view.showMessage(MessageKind::Error, QString(), QStringLiteral("Ошибка записи времени"));
        }
    }
    group.showBusy(false);
    if (written)
        view.showMessage(MessageKind::Confirmation, QString(), QStringLiteral("Время успешно установлено"));
    else
        view.showMessage(MessageKind::Error, QString(), QStringLiteral("Не удалось установить время"));
    group.lockPicker(false);
    return written ? ClockWriteOutcome::Written : ClockWriteOutcome::Failed;
}

}  // namespace nodra::clock
