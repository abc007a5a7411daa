#include "journal/journal_list.h"

#include "link/frame.h"

namespace nodra::journal {

namespace {

inline constexpr int kRecordDigits = 2;

JournalRow Row(int number, int event)
{
    JournalRow row;
    row.number = number;
    row.event = event;
    row.name = EventName(event);
    if (IsKnownEvent(event)) {
        row.colour = EventColour(event);
        row.centred = true;
    }
    return row;
}

}  // namespace

QString BlockAddress(int block)
{
    return QStringLiteral("03%1").arg(block * kBlockBytes, 2, 16, QLatin1Char('0')).toUpper();
}

std::optional<QList<JournalRow>> BuildJournalRows(const QString& pointer, const QString& records)
{
    if (records.size() != kRecordCount * kRecordDigits)
        return std::nullopt;
    QList<int> events;
    for (int i = 0; i < kRecordCount; ++i) {
        const auto event = link::HexByteValue(QStringView(records).mid(i * kRecordDigits, kRecordDigits));
        if (!event)
            return std::nullopt;
        events << *event;
    }
    // The first record never written ends the journal; without one it is full.
    const qsizetype written = events.indexOf(0);
    QList<JournalRow> rows;
    if (written >= 0) {
        for (int record = int(written); record >= 1; --record)
            rows << Row(record, events[record - 1]);
        return rows;
    }
    // Full: the newest record stands just before the pointer; the numbers
    // count down from 256 whatever the positions.
    const auto next = link::HexByteValue(pointer);
    if (!next || *next == 0)
        return std::nullopt;
    int number = kRecordCount;
    for (int record = *next; record >= 1; --record)
        rows << Row(number--, events[record - 1]);
    for (int record = kRecordCount; record > *next; --record)
        rows << Row(number--, events[record - 1]);
    return rows;
}

}  // namespace nodra::journal
