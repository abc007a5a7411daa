#pragma once
// The communicator's own exchange on the panel's line. Unlike the panel
// transactions it always runs at 115200 baud, takes a request body that
// already carries the device address, accepts any reply that ends in ";",
// tries five times with 100 ms pauses, and reports a failure itself in the
// plain message box. There is no busy window and no cancelling.

#include "gprs/gprs_state.h"
#include "link/operation_view.h"
#include "link/port.h"

#include <QString>
#include <functional>

namespace nodra::gprs {

inline constexpr qint32 kCommunicatorBaud = 115200;  // whatever the link speed list shows
inline constexpr int kExchangeTries = 5;
inline constexpr int kPauseMs = 100;         // after the request, and after a try without reply
inline constexpr int kReplyLimit = 400;      // the longest reply, 48 bytes, is 106 characters

// Shown once when an exchange has failed all its tries, whether reading or writing.
inline const QString kExchangeFailedMessage = QStringLiteral(
    "Ошибка чтения !\r\n"
    "Необходимо проверить:\r\n"
    "- включение питания прибора;\r\n"
    "- кабель \"USB-адаптер\";\r\n"
    "- ввод 28-й функции.");

enum class Quiet { No, Yes };

class CommunicatorLink {
public:
    // Progress is the tab's progress bar; the link moves it on.
    CommunicatorLink(link::Port& port, link::OperationView& view, GprsProgress& progress);

    // Called whenever the progress bar changes (the tab repaints it).
    void setProgressObserver(std::function<void(const GprsProgress&)> observer);

    link::OperationView& view() { return view_; }
    GprsProgress& progress() { return progress_; }
    void setProgressMaximum(int maximum);

    // Closes the port, sets the name and 115200 baud, opens it again.
    // Throws link::PortError.
    void preparePort(const QString& portName);

    // Frames the body and sends it until a reply ends in ";". After five
    // failed tries, unless quiet, the port is closed, the failure message
    // shown, the progress bar emptied and failed() set; a quiet failure
    // leaves the port open and failed() clear. Port errors reach the caller.
    bool exchange(const QString& body, Quiet quiet = Quiet::No);

    // Empties the progress bar and closes the port.
    void finish();

    // What the last try of the last exchange read, even after a failure.
    const QString& lastReply() const { return lastReply_; }
    // The last exchange failed and was reported.
    bool failed() const { return failed_; }

private:
    void setPosition(int position);

    link::Port& port_;
    link::OperationView& view_;
    GprsProgress& progress_;
    std::function<void(const GprsProgress&)> observer_;
    QString lastReply_;
    bool failed_ = false;
};

// ":" + body + checksum + ";".
QString CommunicatorFrame(const QString& body);

}  // namespace nodra::gprs
