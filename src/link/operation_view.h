#pragma once
// How a panel operation (read-all, write-all, journal, search, ...) talks to
// the installer. The sequences live in core and call only this; the GUI
// implements it with the busy window and the message window, nodra-cli with
// standard error, the tests with a recorder.

#include <QString>

namespace nodra::link {

// Kinds of the message window, each with its own icon.
enum class MessageKind {
    Information = 1,   // check mark
    Error = 2,         // red cross
    Confirmation = 3,  // letter i
};

// What the connection controls show after a sequence has moved the link:
// the link pair in the command column (ComboBox2, Edit17) and the panel pair
// on the parameters tab (ComboBox13, Edit25). A member left at -1 or empty
// leaves its control as it is. The selections do not run the lists' own
// handlers: the port is already at the speed shown.
struct ConnectionShown {
    int linkBaudIndex = -1;
    QString linkAddressText;  // three decimal digits, "007"
    int panelBaudIndex = -1;
    QString panelAddressText;
};

class OperationView {
public:
    virtual ~OperationView() = default;

    // The busy window: shown with a caption, progress 0 to 100 (values above
    // 100 show a full bar), closed when the operation ends.
    virtual void showBusy(const QString& caption) = 0;
    virtual void setBusyCaption(const QString& caption) = 0;
    virtual void setProgress(double percent) = 0;
    virtual void closeBusy() = 0;

    // The message window; returns once the installer has closed it. The
    // headline (first line) may be empty.
    virtual void showMessage(MessageKind kind, const QString& headline, const QString& message) = 0;

    // The platform's plain message box (the communicator's sequences use it).
    virtual void showPlainMessage(const QString& text) = 0;

    // Device search and write-all move the link; the controls follow.
    virtual void showConnection(const ConnectionShown& shown) { (void)shown; }
};

}  // namespace nodra::link
