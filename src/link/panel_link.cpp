#include "link/panel_link.h"

#include "link/frame.h"

namespace nodra::link {

PanelLink::PanelLink(Port& port) : port_(port) {}

QString PanelLink::buildFrame(const QString& command, const QString& payload) const
{
    return BuildFrame(deviceAddress_, command, payload);
}

}  // namespace nodra::link
