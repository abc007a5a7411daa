#pragma once
// An operation view for tests: records everything a sequence shows.

#include "link/operation_view.h"

#include <QList>
#include <QStringList>

namespace nodra::test {

struct RecordedMessage {
    link::MessageKind kind;
    QString headline;
    QString message;
};

class RecordingView : public link::OperationView {
public:
    void showBusy(const QString& caption) override;
    void setBusyCaption(const QString& caption) override;
    void setProgress(double percent) override;
    void closeBusy() override;
    void showMessage(link::MessageKind kind, const QString& headline, const QString& message) override;
    void showPlainMessage(const QString& text) override;
    void showConnection(const link::ConnectionShown& shown) override;

    bool busyShown = false;           // the busy window is up now
    QStringList captions;             // every caption shown, in order
    QList<double> progress;           // every progress value shown on the bar, in order
    double bar = 0;                   // the bar's value now, shown or not
    QList<RecordedMessage> messages;  // message window, in order
    QStringList plainMessages;        // plain message boxes, in order
    QList<link::ConnectionShown> connections;  // what the connection controls were set to
};

}  // namespace nodra::test
