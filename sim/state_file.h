#pragma once
// A simulated panel's memory as text, one run of bytes per line:
//   eeprom 0062 14033311
//   ram 0033 08
//   communicator 00A0 373738390F
// Lines starting with "#" are comments. Loading applies the lines over the
// factory contents and then the stored address and speed.

#include "sim/panel_sim.h"

#include <QString>

namespace nodra::sim {

// Empty on success, else what is wrong and where.
QString LoadState(PanelSim& panel, const QString& path);
// Every 32-byte row that differs from an erased memory.
QString StateText(const PanelMemory& memory);
bool SaveState(const PanelMemory& memory, const QString& path);

}  // namespace nodra::sim
