#pragma once
// "Прочитать все" (AOLButton2Click) and "Записать все" (AOLButton3Click):
// the whole image from the panel and back, with the busy window, the cancel
// check between the transactions and the outcome in the message window.

#include "config/codec.h"
#include "config/form_state.h"
#include "config/image.h"
#include "link/operation_view.h"
#include "link/panel_link.h"

#include <QString>
#include <optional>

namespace nodra::config {

inline const QString kReadCaption = QStringLiteral("Чтение установок...");
inline const QString kWriteCaption = QStringLiteral("Запись установок...");

struct ReadAllResult {
    enum class Outcome {
        Read,        // every unit stored; the confirmation has been closed
        Failed,      // a read got no valid reply: "Не удалось прочитать установки"
        Cancelled,   // the installer stopped it; no message
        PortFailed,  // the port could not be opened
        NotStarted,  // another operation holds the link
    };
    Outcome outcome = Outcome::Failed;
    QString portError;  // PortFailed: what the port said
    // ReadAllIntoForm, after a read: what decoding the image did.
    std::optional<DecodeResult> decoded;
};

// Every read unit in the table's order into the image. A unit that fails
// stops the run and leaves its blocks as they were; the units before it keep
// what they brought. Afterwards the port is closed.
ReadAllResult ReadAll(link::PanelLink& link, link::OperationView& view, ConfigImage& image);

// The button: read-all, then, once the installer has closed the
// confirmation, the image into `form` (a copy of what the tabs show; load it
// back also after a failed decoding, whose message is shown). Decoding the
// panel's address makes it the current device address; Edit17 follows.
ReadAllResult ReadAllIntoForm(link::PanelLink& link, link::OperationView& view, ConfigImage& image,
                              FormState& form);

struct WriteAllResult {
    enum class Outcome {
        Written,     // every unit written, the panel restarted, the link moved
        NotEncoded,  // a field could not be encoded; nothing sent
        Failed,      // a write got no acknowledgement; the port is closed
        Cancelled,   // the installer stopped it
        PortFailed,  // the port could not be opened; nothing sent
        NotStarted,  // another operation holds the link
    };
    Outcome outcome = Outcome::Failed;
    bool partial = false;  // the failure message said the panel may hold part of the settings
    QString portError;     // PortFailed: what the port said
};

// The button: the form into the image, every write unit in the table's
// order (the panel's speed and address last), the restart at the old
// address, then the link moved to the address in block 0084 and the speed
// selected in the panel baud list. The outcome is shown.
WriteAllResult WriteAll(link::PanelLink& link, link::OperationView& view, const FormState& form,
                        ConfigImage& image);

}  // namespace nodra::config
