// The panel operations of the command column and the journal and clock
// groups, run through the same sequences as the windows, with the messages
// on standard error and the results on standard output.

#include "app/cli/cli.h"

#include "clock/clock_exchange.h"
#include "journal/journal_transfer.h"
#include "link/device_search.h"
#include "link/service_commands.h"

#include <QSaveFile>

#include <csignal>

namespace nodra::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int)
{
    interrupted = 1;
}

int ExitFor(bool success)
{
    return success ? kSuccess : kFailed;
}

// One field of a comma-separated line, quoted when it has to be.
QString CsvField(const QString& text)
{
    if (!text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString JournalCsv(const QList<journal::JournalRow>& rows)
{
    QString csv = QStringLiteral("№,Событие\n");
    for (const journal::JournalRow& row : rows)
        csv += QString::number(row.number) + QLatin1Char(',') + CsvField(row.name) + QLatin1Char('\n');
    return csv;
}

int ServiceExit(Context& context, const link::ServiceResult& result)
{
    // The window shows nothing when the port fails; here the installer is told why.
    if (result.outcome == link::ServiceResult::Outcome::PortFailed)
        context.err() << result.portError << Qt::endl;
    return ExitFor(result.outcome == link::ServiceResult::Outcome::Done);
}

}  // namespace

void CancelOnInterrupt(Context& context)
{
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;  // the second Ctrl+C ends the program
    sigaction(SIGINT, &action, nullptr);
    link::PanelLink& link = context.link();
    link.setPump([&link] {
        if (interrupted) {
            interrupted = 0;
            link.cancelToken().request();
        }
    });
}

int RunSearch(Context& context)
{
    if (!context.preparePort())
        return kFailed;
    CancelOnInterrupt(context);
    const link::SearchResult result = link::SearchDevice(context.link(), context.view());
    if (result.outcome != link::SearchResult::Outcome::Found)
        return kFailed;
    context.out() << link::SearchFoundText(result.addressIndex, result.baudIndex) << Qt::endl;
    return kSuccess;
}

int RunJournal(Context& context)
{
    // The file is replaced only once the journal has been read.
    QSaveFile csv(context.options().csv);
    if (!context.options().csv.isEmpty() && !csv.open(QIODevice::WriteOnly)) {
        context.err() << QStringLiteral("Не удалось создать файл ") << context.options().csv << Qt::endl;
        return kUsage;
    }
    if (!context.preparePort())
        return kFailed;
    CancelOnInterrupt(context);
    journal::JournalList list;
    const journal::JournalReadResult result = journal::ReadJournal(context.link(), context.view(), list);
    using Outcome = journal::JournalReadResult::Outcome;
    if (result.outcome != Outcome::Read && result.outcome != Outcome::Empty)
        return kFailed;
    for (const journal::JournalRow& row : result.rows)
        context.out() << row.number << '\t' << row.name << Qt::endl;
    if (csv.isOpen()) {
        csv.write(JournalCsv(result.rows).toUtf8());
        if (!csv.commit()) {
            context.err() << QStringLiteral("Не удалось записать файл ") << context.options().csv << Qt::endl;
            return kFailed;
        }
    }
    return kSuccess;
}

int RunClearJournal(Context& context)
{
    if (!context.preparePort())
        return kFailed;
    CancelOnInterrupt(context);
    journal::JournalList list;
    const auto result = journal::ClearJournal(context.link(), context.view(), list);
    return ExitFor(result.outcome == journal::JournalClearResult::Outcome::Cleared);
}

int RunClockGet(Context& context)
{
    if (!context.preparePort())
        return kFailed;
    clock::ClockGroup group;
    const clock::ClockReadResult result = clock::ReadClock(context.link(), context.view(), group);
    if (result.outcome != clock::ClockReadResult::Outcome::Read)
        return kFailed;
    context.out() << result.time.toString(QStringLiteral("HH:mm:ss")) << Qt::endl;
    return kSuccess;
}

int RunClockSet(Context& context)
{
    const QString text = context.args()[0];
    QTime time;
    if (text == QLatin1String("now")) {
        const QTime now = QTime::currentTime();
        time = QTime(now.hour(), now.minute(), now.second());
    } else {
        time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    }
    if (!time.isValid()) {
        context.err() << QStringLiteral("nodra-cli: время %1: нужно ЧЧ:ММ:СС (00:00:00-23:59:59) или now").arg(text)
                      << Qt::endl;
        return kUsage;
    }
    if (!context.preparePort())
        return kFailed;
    clock::ClockGroup group;
    return ExitFor(clock::WriteClock(context.link(), context.view(), group, time) == clock::ClockWriteOutcome::Written);
}

int RunResetSound(Context& context)
{
    if (!context.preparePort())
        return kFailed;
    return ServiceExit(context, link::RunSoundReset(context.link(), context.view()));
}

int RunResetDevice(Context& context)
{
    if (!context.preparePort())
        return kFailed;
    return ServiceExit(context, link::RunDeviceReset(context.link(), context.view()));
}

}  // namespace nodra::cli
