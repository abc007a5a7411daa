#include "journal/journal_transfer.h"

#include "link/busy_window.h"
#include "link/frame.h"
#include "link/transactions.h"

#include <QtMath>

namespace nodra::journal {

using link::MessageKind;

namespace {

const QString kPointerCount = QStringLiteral("01");
const QString kBlockReadCount = QStringLiteral("20");  // 32 bytes

const QString kReadFailed = QStringLiteral("Не удалось прочитать журнал");
const QString kCheckPort = QStringLiteral("Проверте порт подключения");
const QString kClearFailed = QStringLiteral("Не удалось очистить журнал");

// After clearing the records: one byte at 0026 and the word at 0032, whose
// second byte is the pointer.
struct ClearWrite {
    const char* address;
    const char* data;
};
constexpr ClearWrite kClearTail[] = {{"0026", "00"}, {"0032", "0000"}};

double BlockProgress(int block)
{
    return qRound((block + 1) * 100.0 / kBlockCount);
}

}  // namespace

JournalReadResult ReadJournal(link::PanelLink& link, link::OperationView& view, JournalList& list)
{
    using Outcome = JournalReadResult::Outcome;
    const link::RunningOperation running(link);
    if (!running)
        return link::NotStarted<JournalReadResult>();
    JournalReadResult result;
    link::Port& port = link.port();
    link::BusyWindow busy(link, view);
    const auto end = [&](Outcome outcome) {
        result.outcome = outcome;
        return result;
    };
    const auto failedRead = [&] {
        port.close();
        busy.close();
        view.showMessage(MessageKind::Error, QString(), kReadFailed);
        return end(Outcome::Failed);
    };
    const auto error = [&] {
        port.close();
        busy.close();
        list.showRows({});
        view.showMessage(MessageKind::Error, kReadFailed, kCheckPort);
        return end(Outcome::Error);
    };

    try {
        busy.show(QStringLiteral("Чтение журнала..."));
        if (!port.isOpen())
            port.open();
        const QString first = link::ReadRam(link, kPointerCount, kPointerAddress, link::kRamPointerLimit);
        if (first == link::kFailed)
            return failedRead();
        QString records;
        for (int block = 0; block < kBlockCount; ++block) {
            const QString reply = link::ReadRam(link, kBlockReadCount, BlockAddress(block), link::kRamBlockLimit);
            if (reply == link::kFailed)
                return failedRead();
            records += link::ReplyPayload(reply);
            busy.setProgress(BlockProgress(block));
            if (link::CancelRequested(busy))
                return end(Outcome::Cancelled);
        }
        const QString second = link::ReadRam(link, kPointerCount, kPointerAddress, link::kRamPointerLimit);
        if (second == link::kFailed)
            return failedRead();
        port.close();

        const QString pointer = link::ReplyPayload(first);
        if (pointer == QLatin1String("00")) {
            busy.close();
            list.showRows({});
            view.showMessage(MessageKind::Information, QString(), QStringLiteral("Журнал пуст"));
            return end(Outcome::Empty);
        }
        if (pointer != link::ReplyPayload(second)) {
            // Events were logged meanwhile: the records no longer match one pointer.
            busy.close();
            view.showMessage(MessageKind::Information, QStringLiteral("Невозможно корректно отобразить журнал"),
                             QStringLiteral("Слишком часто происходят события"));
            return end(Outcome::Moved);
        }
        busy.setProgress(100);
        const auto rows = BuildJournalRows(pointer, records);
        if (!rows)
            return error();
        list.showRows(*rows);
        busy.close();
        view.showMessage(MessageKind::Information, QString(), QStringLiteral("Журнал успешно прочитан"));
        result.rows = *rows;
        return end(Outcome::Read);
    } catch (const link::PortError&) {
        return error();
    }
}

JournalClearResult ClearJournal(link::PanelLink& link, link::OperationView& view, JournalList& list)
{
    using Outcome = JournalClearResult::Outcome;
    const link::RunningOperation running(link);
    if (!running)
        return link::NotStarted<JournalClearResult>();
    JournalClearResult result;
    link::Port& port = link.port();
    const auto failed = [&](Outcome outcome, const QString& headline, const QString& message) {
        port.close();
        view.showMessage(MessageKind::Error, headline, message);
        result.outcome = outcome;
        return result;
    };
    const QString zeros = QStringLiteral("00").repeated(kBlockBytes);
    try {
        port.open();
    } catch (const link::PortError&) {
        return failed(Outcome::Failed, QString(), kClearFailed);
    }

    link::BusyWindow busy(link, view);
    try {
        busy.show(QStringLiteral("Очистка..."));
        for (int block = 0; block < kBlockCount; ++block) {
            if (!link::WriteRam(link, BlockAddress(block), zeros)) {
                busy.close();
                return failed(Outcome::Failed, QString(), kClearFailed);
            }
            busy.setProgress(BlockProgress(block));
            if (link::CancelRequested(busy))
                return failed(Outcome::Cancelled, QString(), kClearFailed);
        }
        for (const ClearWrite& write : kClearTail) {
            if (!link::WriteRam(link, QLatin1String(write.address), QLatin1String(write.data))) {
                busy.close();
                return failed(Outcome::Failed, QString(), kClearFailed);
            }
        }
        list.showRows({});
        port.close();
        busy.close();
        view.showMessage(MessageKind::Confirmation, QString(), QStringLiteral("Журнал успешно очищен"));
        result.outcome = Outcome::Cleared;
        return result;
    } catch (const link::PortError& error) {
        // The line failed under a write: the port and the busy window close
        // too, and the installer sees what the port reported.
        busy.close();
        return failed(Outcome::PortFailed, kClearFailed, error.message());
    }
}

}  // namespace nodra::journal
