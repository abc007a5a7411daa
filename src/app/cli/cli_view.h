#pragma once
// The operation view of nodra-cli: the busy window becomes its caption and a
// percentage on standard error, the message window its lines.

#include "link/operation_view.h"

#include <QTextStream>

namespace nodra::cli {

class CliView final : public link::OperationView {
public:
    explicit CliView(QTextStream& err);

    void showBusy(const QString& caption) override;
    void setBusyCaption(const QString& caption) override;
    void setProgress(double percent) override;
    void closeBusy() override;
    void showMessage(link::MessageKind kind, const QString& headline, const QString& message) override;
    void showPlainMessage(const QString& text) override;

private:
    void endProgressLine();

    QTextStream& err_;
    // On a terminal the percentage is redrawn in place; into a file or a
    // pipe every step is a line of its own.
    bool terminal_ = false;
    bool shown_ = false;
    bool lineOpen_ = false;
    QString caption_;
    int shownPercent_ = -1;
};

}  // namespace nodra::cli
