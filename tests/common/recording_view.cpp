#include "recording_view.h"

namespace nodra::test {

void RecordingView::showBusy(const QString& caption)
{
    busyShown = true;
    captions << caption;
}

void RecordingView::setBusyCaption(const QString& caption)
{
    captions << caption;
}

void RecordingView::setProgress(double percent)
{
    bar = percent;
    if (busyShown)
        progress << percent;
}

void RecordingView::closeBusy()
{
    busyShown = false;
}

void RecordingView::showMessage(link::MessageKind kind, const QString& headline, const QString& message)
{
    messages.append({kind, headline, message});
}

void RecordingView::showPlainMessage(const QString& text)
{
    plainMessages << text;
}

void RecordingView::showConnection(const link::ConnectionShown& shown)
{
    connections << shown;
}

}  // namespace nodra::test
