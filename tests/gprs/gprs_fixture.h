#pragma once
// A panel with its communicator on an in-process line, and the tab's state.

#include "gprs/communicator_link.h"
#include "gprs/gprs_state.h"
#include "recording_view.h"
#include "sim/sim_port.h"

#include <QStringList>

namespace nodra::test {

struct GprsLine {
    sim::PanelSim panel;
    sim::SimPort port{&panel};
    RecordingView view;
    gprs::GprsState state;
    gprs::CommunicatorLink link{port, view, state.progress};

    // The request bodies sent, in order (frames without ":", checksum and ";").
    QStringList bodies() const;
    QString portName() const { return port.portName(); }
};

// The 25 fields in the tab's order, so that a comparison names the one that differs.
QStringList Fields(const gprs::GprsState& state);

// A state in which every field differs from the tab's start values.
gprs::GprsState EveryFieldChanged();

}  // namespace nodra::test
