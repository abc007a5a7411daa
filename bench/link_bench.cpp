// Cost of the link's own work per transaction against the in-process panel:
// frame building, checksums, the read rule and the simulated line.

#include "link/transactions.h"
#include "sim/sim_port.h"

#include <QElapsedTimer>
#include <cstdio>

using namespace nodra;

int main()
{
    sim::PanelSim panel;
    sim::SimPort port(&panel);
    port.open();
    link::PanelLink link(port);
    constexpr int kRounds = 20000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRounds; ++i)
        link::ReadEeprom(link, QStringLiteral("20"), QStringLiteral("0208"));
    const double us = timer.nsecsElapsed() / 1000.0 / kRounds;
    std::printf("ReadEeprom of 32 bytes, in process: %.2f us per transaction\n", us);
    return 0;
}
