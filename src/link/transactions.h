#pragma once
// The panel's command set, one routine per command. Each sends one request at
// the current device address and waits for the reply, trying again where the
// command allows it. None opens or closes the port: the operation does.
//
//   routine       code tries pumps     token  open?  limit checksum  port errors
//   ReadEeprom    01   3     each try  yes    yes    80    yes       caught: ERR
//   WriteEeprom   02   3     each try  yes    yes    100   yes       caught: false
//   ReadRam       03   3     each try  yes    yes    given yes       caught: ERR
//   ProbeRam      03   1     once      no     yes    given yes       caught: ERR
//   WriteRam      04   1     once      no     no     100   no        to the caller
//   ResetSound    05   1     once      no     no     100   no        to the caller
//   ResetDevice   07   1     once      no     no     100   no        to the caller
//   RestartPanel  08   6     never     no     yes    100   yes       caught: false

#include "link/panel_link.h"

#include <QString>

namespace nodra::link {

namespace command {
inline const QString kReadEeprom = QStringLiteral("01");
inline const QString kWriteEeprom = QStringLiteral("02");
inline const QString kReadRam = QStringLiteral("03");
inline const QString kWriteRam = QStringLiteral("04");
inline const QString kResetSound = QStringLiteral("05");
inline const QString kResetDevice = QStringLiteral("07");
inline const QString kRestart = QStringLiteral("08");
}  // namespace command

inline constexpr int kTries = 3;         // the three-try routines
inline constexpr int kRestartTries = 6;  // a restarting panel may miss a few frames
inline constexpr int kReadEepromLimit = 80;   // fits 35 data bytes; read-all reads 32
inline constexpr int kWriteLimit = 100;       // acknowledgements are ten characters
// Read limits the callers of ReadRam / ProbeRam use.
inline constexpr int kRamPointerLimit = 32;   // journal pointer, clock
inline constexpr int kRamBlockLimit = 150;    // 32-byte journal blocks, Test window
inline constexpr int kProbeLimit = 20;        // device search: one byte

// The sound reset's fixed payload.
inline const QString kResetSoundPayload = QStringLiteral("20");

QString ReadEeprom(PanelLink& link, const QString& count, const QString& address);
bool WriteEeprom(PanelLink& link, const QString& address, const QString& data);
QString ReadRam(PanelLink& link, const QString& count, const QString& address, int limit);
QString ProbeRam(PanelLink& link, const QString& count, const QString& address, int limit);
bool WriteRam(PanelLink& link, const QString& address, const QString& data);
bool ResetSound(PanelLink& link);
bool ResetDevice(PanelLink& link);
bool RestartPanel(PanelLink& link);

}  // namespace nodra::link
