#pragma once
// A panel on an in-process line with a recording view: what the sequence
// tests run against. The port starts closed, as between operations.

#include "link/panel_link.h"
#include "recording_view.h"
#include "sim/sim_port.h"

namespace nodra::test {

struct PanelBench {
    sim::PanelSim panel;
    sim::SimPort port{&panel};
    link::PanelLink link{port};
    RecordingView view;

    // Frames the configurator has sent, answered or not.
    int frames() const { return int(port.written().size()); }
    QString lastFrame() const { return QString::fromLatin1(port.written().last()); }

    // The installer presses "Отмена" once `count` frames have gone out; it is
    // delivered at the next pump.
    void cancelAfterFrames(int count)
    {
        link.setPump([this, count, done = false]() mutable {
            if (!done && frames() >= count) {
                done = true;
                link.cancelToken().request();
            }
        });
    }
};

}  // namespace nodra::test
