#include "link/busy_window.h"

#include <algorithm>

namespace nodra::link {

inline constexpr double kFullBar = 100.0;

BusyWindow::BusyWindow(PanelLink& link, OperationView& view) : link_(link), view_(view) {}

BusyWindow::~BusyWindow()
{
    close();
}

void BusyWindow::show(const QString& caption)
{
    link_.pump();
    view_.showBusy(caption);
    shown_ = true;
    view_.setProgress(0);
    link_.cancelToken().clear();
}

void BusyWindow::setCaption(const QString& caption)
{
    view_.setBusyCaption(caption);
}

void BusyWindow::setProgress(double percent)
{
    view_.setProgress(std::clamp(percent, 0.0, kFullBar));
}

void BusyWindow::close()
{
    if (!shown_)
        return;
    shown_ = false;
    view_.closeBusy();
    view_.setProgress(0);
}

namespace {

// Pumps; when a request is pending, ends the operation's use of the line.
bool TakeRequest(BusyWindow& busy)
{
    PanelLink& link = busy.link();
    link.pump();
    if (!link.cancelToken().isRequested())
        return false;
    link.port().close();
    link.cancelToken().clear();
    busy.close();
    return true;
}

}  // namespace

bool CheckCancel(BusyWindow& busy)
{
    if (!TakeRequest(busy))
        return false;
    PartialWrite& partial = busy.link().partialWrite();
    if (partial.writtenBlocks() != 0)
        partial.mark();
    return true;
}

bool CancelRequested(BusyWindow& busy)
{
    return TakeRequest(busy);
}

RunningOperation::RunningOperation(PanelLink& link) : link_(link)
{
    if (link_.operationRunning())
        return;
    link_.setOperationRunning(true);
    owner_ = true;
}

RunningOperation::~RunningOperation()
{
    if (owner_)
        link_.setOperationRunning(false);
}

WrittenBlocks::WrittenBlocks(PanelLink& link) : partialWrite_(link.partialWrite())
{
    partialWrite_.setWrittenBlocks(0);
    partialWrite_.clearMarker();
}

WrittenBlocks::~WrittenBlocks()
{
    partialWrite_.setWrittenBlocks(0);
}

void WrittenBlocks::firstBlockWritten()
{
    partialWrite_.setWrittenBlocks(1);
}

}  // namespace nodra::link
