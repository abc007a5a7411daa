#pragma once
// The program's one connection to the panel: the port, the current device
// address put into every frame, the cancel token and the pump that lets the
// window handle clicks while a sequence runs.

#include "link/port.h"

#include <QString>
#include <functional>

namespace nodra::link {

// The installer's request to stop a running operation. The busy window sets
// it; the three-try transactions and the cancel check consume it.
class CancelToken {
public:
    static inline const QString kRequested = QStringLiteral("-113");

    void request() { text_ = kRequested; }
    bool isRequested() const { return text_ == kRequested; }
    void clear() { text_.clear(); }
    QString text() const { return text_; }

private:
    QString text_;
};

// Whether a cancelled write-all may have changed the panel. Write-all counts
// the blocks it has written; a cancellation taken by the cancel check while
// that count is nonzero leaves the marker "cancel", which write-all's outcome
// message reads and then clears.
class PartialWrite {
public:
    static inline const QString kMarker = QStringLiteral("cancel");

    int writtenBlocks() const { return writtenBlocks_; }
    void setWrittenBlocks(int count) { writtenBlocks_ = count; }

    bool isMarked() const { return marker_ == kMarker; }
    QString marker() const { return marker_; }
    void mark() { marker_ = kMarker; }
    void clearMarker() { marker_.clear(); }

private:
    int writtenBlocks_ = 0;
    QString marker_;
};

class PanelLink {
public:
    explicit PanelLink(Port& port);

    Port& port() { return port_; }

    // Two upper-case hex digits, "00" at start-up.
    QString deviceAddress() const { return deviceAddress_; }
    void setDeviceAddress(const QString& address) { deviceAddress_ = address; }

    CancelToken& cancelToken() { return token_; }
    PartialWrite& partialWrite() { return partialWrite_; }

    // Set while a panel operation runs, so that a click reached through a
    // pump cannot start a second one (see RunningOperation).
    bool operationRunning() const { return operationRunning_; }
    void setOperationRunning(bool running) { operationRunning_ = running; }

    // The GUI passes one that processes pending window events; tests pass one
    // that acts at a chosen moment. Without one, pumping does nothing.
    void setPump(std::function<void()> pump) { pump_ = std::move(pump); }
    void pump() const
    {
        if (pump_)
            pump_();
    }

    // The frame of a command for the current device address.
    QString buildFrame(const QString& command, const QString& payload) const;

private:
    Port& port_;
    QString deviceAddress_ = QStringLiteral("00");
    CancelToken token_;
    PartialWrite partialWrite_;
    bool operationRunning_ = false;
    std::function<void()> pump_;
};

}  // namespace nodra::link
