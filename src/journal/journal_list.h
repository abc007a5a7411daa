#pragma once
// The panel's journal and the list the "Журнал" tab builds from it. The panel
// keeps the last 256 events in working memory, one byte per record (the event
// number, 00 for a record never written), and a write pointer: the position
// of the next record, 00 also meaning an empty journal. There are no time
// stamps.

#include "journal/event_table.h"

#include <QList>
#include <QString>
#include <optional>

namespace nodra::journal {

inline constexpr int kRecordCount = 256;
inline constexpr int kBlockCount = 8;      // read and cleared in 32-byte blocks
inline constexpr int kBlockBytes = kRecordCount / kBlockCount;
// Working-memory addresses, four hex digits as the frames carry them.
inline const QString kPointerAddress = QStringLiteral("0033");
// Address of block j (0 to 7): "0300", "0320", ... "03E0".
QString BlockAddress(int block);

// One row of the list (StringGrid1), newest event first.
struct JournalRow {
    int number = 0;  // "№": place counted from the oldest event shown, which is 1
    int event = 0;   // the record's event number
    QString name;    // "Событие"
    // A known event's font colour; an unknown event keeps the grid's own.
    std::optional<Rgb> colour;
    bool centred = false;  // both cells of a known event are centred

    friend bool operator==(const JournalRow&, const JournalRow&) = default;
};

// The journal list on the "Журнал" tab as the sequences fill it. An empty
// list of rows is the header with one empty row under it; otherwise row 1,
// the newest event, is brought into view.
class JournalList {
public:
    virtual ~JournalList() = default;
    virtual void showRows(const QList<JournalRow>& rows) { (void)rows; }
};

// The rows for the pointer read first (two hex digits, not "00") and the 512
// hex digits of the records, record 1 first. Nothing when the records or a
// pointer that is needed are not hexadecimal.
std::optional<QList<JournalRow>> BuildJournalRows(const QString& pointer, const QString& records);

}  // namespace nodra::journal
