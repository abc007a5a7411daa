#include "app/cli/cli_view.h"

#include <QtMath>

#include <cstdio>
#include <unistd.h>

namespace nodra::cli {

CliView::CliView(QTextStream& err) : err_(err), terminal_(isatty(fileno(stderr)) != 0) {}

void CliView::showBusy(const QString& caption)
{
    endProgressLine();
    shown_ = true;
    caption_ = caption;
    shownPercent_ = -1;
}

void CliView::setBusyCaption(const QString& caption)
{
    caption_ = caption;
}

void CliView::setProgress(double percent)
{
    const int whole = qRound(percent);
    if (!shown_ || whole == shownPercent_)
        return;
    shownPercent_ = whole;
    const QString line = QStringLiteral("%1 %2%").arg(caption_).arg(whole);
    if (terminal_) {
        err_ << '\r' << line << "\x1b[K";
        err_.flush();
        lineOpen_ = true;
    } else {
        err_ << line << Qt::endl;
    }
}

void CliView::closeBusy()
{
    shown_ = false;
    endProgressLine();
}

void CliView::endProgressLine()
{
    if (lineOpen_)
        err_ << Qt::endl;
    lineOpen_ = false;
}

void CliView::showMessage(link::MessageKind, const QString& headline, const QString& message)
{
    endProgressLine();
    for (const QString& line : {headline, message})
        if (!line.isEmpty())
            err_ << line << Qt::endl;
}

void CliView::showPlainMessage(const QString& text)
{
    endProgressLine();
    // The communicator's failure message is one text of CR LF lines.
    err_ << QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")) << Qt::endl;
}

}  // namespace nodra::cli
