#pragma once
// The busy window as the sequences drive it, and the cancel check between
// their transactions. The installer's "Отмена" (or Esc) only sets the cancel
// token; it is noticed when the running sequence pumps and looks.

#include "link/operation_view.h"
#include "link/panel_link.h"

#include <QString>

namespace nodra::link {

// One operation's use of the busy window. Closed again when it goes out of
// scope, so that no path leaves the window up.
class BusyWindow {
public:
    BusyWindow(PanelLink& link, OperationView& view);
    ~BusyWindow();
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

    PanelLink& link() { return link_; }
    OperationView& view() { return view_; }

    // Pending clicks are handled first; then the bar starts empty and any
    // cancel request left from before is dropped.
    void show(const QString& caption);
    void setCaption(const QString& caption);
    // The bar shows 0 to 100; the sequences' formulas may run past the end.
    void setProgress(double percent);
    // Closing empties the bar. Does nothing when the window is not shown.
    void close();
    bool isShown() const { return shown_; }

private:
    PanelLink& link_;
    OperationView& view_;
    bool shown_ = false;
};

// Between transactions: pumps, and when the installer has asked to stop,
// closes the port, drops the request, closes the busy window and returns true.
// A request taken while write-all has written blocks marks a partial write.
bool CheckCancel(BusyWindow& busy);

// The same without the partial-write marker, for the journal's sequences,
// which look at the token themselves after each block.
bool CancelRequested(BusyWindow& busy);

// Held by a panel operation while it runs. A second operation started from a
// pump meanwhile finds the link taken and does not start.
class RunningOperation {
public:
    explicit RunningOperation(PanelLink& link);
    ~RunningOperation();
    RunningOperation(const RunningOperation&) = delete;
    RunningOperation& operator=(const RunningOperation&) = delete;

    // False when another operation holds the link.
    explicit operator bool() const { return owner_; }

private:
    PanelLink& link_;
    bool owner_ = false;
};

// What an operation returns when it found another one holding the link.
template <class Result>
Result NotStarted()
{
    Result result;
    result.outcome = Result::Outcome::NotStarted;
    return result;
}

// Held by write-all for its run: the written-block count is zero when it
// starts and again when it ends, so that a cancellation elsewhere later on
// never marks a partial write. The marker of an earlier run is dropped.
class WrittenBlocks {
public:
    explicit WrittenBlocks(PanelLink& link);
    ~WrittenBlocks();
    WrittenBlocks(const WrittenBlocks&) = delete;
    WrittenBlocks& operator=(const WrittenBlocks&) = delete;

    // After the first write unit and the cancel check after it.
    void firstBlockWritten();

private:
    PartialWrite& partialWrite_;
};

}  // namespace nodra::link
