#pragma once
// "Прочитать журнал" (AOLButton4Click) and "Очистить журнал"
// (AOLButton7Click): the journal's two exchanges with the panel, with the
// busy window, reporting in the message window and filling the list.

#include "journal/journal_list.h"
#include "link/operation_view.h"
#include "link/panel_link.h"

namespace nodra::journal {

struct JournalReadResult {
    enum class Outcome {
        Read,        // the list shows the rows
        Empty,       // pointer 00: "Журнал пуст", the list is emptied
        Moved,       // events arrived during the read; the list is unchanged
        Failed,      // a read got no valid reply; the list is unchanged
        Cancelled,   // the installer stopped it; no message, list unchanged
        Error,       // the port failed or the records were not readable; list emptied
        NotStarted,  // another operation holds the link
    };
    Outcome outcome = Outcome::Failed;
    QList<JournalRow> rows;  // Read: newest event first
};

// Reads the pointer, the eight blocks of records and the pointer again, and
// builds the list. The port is closed afterwards.
JournalReadResult ReadJournal(link::PanelLink& link, link::OperationView& view, JournalList& list);

struct JournalClearResult {
    enum class Outcome {
        Cleared,     // every record and the pointer are zero; the list is emptied
        Failed,      // no acknowledgement, or the port could not be opened
        Cancelled,   // the installer stopped it after a block
        PortFailed,  // the port failed under a write
        NotStarted,  // another operation holds the link
    };
    Outcome outcome = Outcome::Failed;
};

// Zeroes the eight blocks of records, then 0026 and the pointer word at 0032.
// Blocks written before a failure or a cancellation stay zero.
JournalClearResult ClearJournal(link::PanelLink& link, link::OperationView& view, JournalList& list);

}  // namespace nodra::journal
