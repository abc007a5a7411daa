#pragma once
// The two service buttons of the command column: "Сброс звука" and "Сброс
// прибора". Each opens the port, sends its command up to three times and
// closes the port; no busy window.

#include "link/operation_view.h"
#include "link/panel_link.h"

#include <QString>

namespace nodra::link {

inline constexpr int kServiceTries = 3;  // single-try commands, repeated by the button

struct ServiceResult {
    enum class Outcome {
        Done,        // the panel acknowledged
        NoAnswer,    // three calls without an acknowledgement
        PortFailed,  // the port could not be opened or failed; nothing is shown
        NotStarted,  // another operation holds the link
    };
    Outcome outcome = Outcome::NoAnswer;
    QString portError;  // PortFailed: the port's own text
};

// "Сброс звука" (RzBmpButton5Click): "Звук сброшен (если он был)" or
// "Не удалось сбросить звук".
ServiceResult RunSoundReset(PanelLink& link, OperationView& view);
// "Сброс прибора" (RzBmpButton6Click): "Прибор сброшен" or
// "Не удалось сбросить прибор".
ServiceResult RunDeviceReset(PanelLink& link, OperationView& view);

}  // namespace nodra::link
