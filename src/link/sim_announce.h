#pragma once
// Running panel simulators announce the terminal they serve, so that the port
// list shows it next to the machine's serial ports: one file per simulator,
// named after its process id, holding the terminal's path.

#include <QString>
#include <QStringList>

namespace nodra::link {

// $XDG_RUNTIME_DIR/nodra-panel-sim, or a per-user folder under the temp dir.
QString SimulatorAnnounceDir();

// The terminals of simulators that are still running and whose terminal exists.
QStringList AnnouncedSimulatorTerminals();

}  // namespace nodra::link
