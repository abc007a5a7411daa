#pragma once
// The "GPRS" tab's two buttons: read every communicator setting from the
// panel into the tab's state, and write the state into the panel. Each runs
// its exchanges in a fixed order, stops at the first that fails, and tells
// the installer the outcome in the plain message box. Port errors (port
// missing, busy, unplugged) reach the caller after the port is closed.

#include "gprs/communicator_link.h"
#include "gprs/gprs_state.h"

#include <QString>

namespace nodra::gprs {

// Progress bar maxima the two sequences set.
inline constexpr int kReadProgressMaximum = 19;
inline constexpr int kWriteProgressMaximum = 22;

inline const QString kReadDone = QStringLiteral("Прочитано успешно.");
inline const QString kWriteDone = QStringLiteral("Записано успешно.");
inline const QString kUpdateFirmware = QStringLiteral("Необходимо обновить программное обеспечение ППКП!");
// The same, in Ukrainian, when the write's probe gets no answer.
inline const QString kUpdateFirmwareUk = QStringLiteral("Необхідно оновити програмне забезпечення ППКП!");

enum class Outcome {
    Done,     // every exchange made, success shown
    Failed,   // an exchange failed or a reply made no sense; the message is shown
    Refused,  // a field cannot be written; its message is shown, nothing sent
};

// "Прочитать GPRS с прибора". The fields keep what they had got when it stops.
Outcome ReadCommunicatorSettings(CommunicatorLink& link, const QString& portName, GprsState& state);
// "Записать GPRS в прибор". What was written before a failure stays written.
Outcome WriteCommunicatorSettings(CommunicatorLink& link, const QString& portName, const GprsState& state);

}  // namespace nodra::gprs
