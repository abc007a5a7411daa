#include "sim/sim_port.h"

#include <algorithm>
#include <cmath>

namespace nodra::sim {

SimPort::SimPort(PanelSim* panel)
{
    attach(panel);
}

void SimPort::attach(PanelSim* panel)
{
    panel_ = panel;
    if (panel_)
        panel_->setTimeSource([this] { return clock_.nowUs() / 1000; });
}

void SimPort::unplug()
{
    unplugged_ = true;
}

void SimPort::ensureUsable()
{
    if (!open_)
        throw link::PortError(link::kPortNotOpen);
    if (unplugged_) {
        open_ = false;
        input_.clear();
        throw link::PortError(QStringLiteral("Пристрій відключено"));
    }
}

void SimPort::open()
{
    if (open_)
        return;
    if (!present_ || unplugged_ || name_.isEmpty())
        throw link::PortError(link::kPortMissing);
    if (busy_)
        throw link::PortError(link::kPortBusy);
    open_ = true;
    input_.clear();
}

void SimPort::close()
{
    open_ = false;
    input_.clear();
}

void SimPort::setRts(bool)
{
    ensureUsable();
    ++rtsChanges_;
}

void SimPort::write(const QByteArray& data)
{
    ensureUsable();
    written_.append(data);
    const double charUs = link::CharacterTimeUs(baud_);
    clock_.advanceUs(qint64(std::ceil(data.size() * charUs)));
    if (!panel_)
        return;
    // Each reply starts after the request has arrived; its characters follow
    // one another at line speed.
    qint64 atUs = clock_.nowUs();
    for (const Reply& reply : panel_->receive(data, baud_)) {
        for (const ReplyPiece& piece : reply) {
            atUs += piece.delayUs;
            for (char c : piece.bytes) {
                atUs += qint64(std::ceil(charUs));
                input_.push_back({atUs, c});
            }
        }
    }
    // A late reply to an earlier request may still be on its way.
    std::stable_sort(input_.begin(), input_.end(),
                     [](const Arrival& a, const Arrival& b) { return a.atUs < b.atUs; });
}

QByteArray SimPort::read(int limit)
{
    ensureUsable();
    link::ReadRule rule(limit, baud_);
    const qint64 startUs = clock_.nowUs();
    while (!rule.finished()) {
        const qint64 deadlineUs = startUs + rule.deadlineUs();
        if (input_.empty() || input_.front().atUs > deadlineUs) {
            clock_.advanceToUs(deadlineUs);
            break;
        }
        const Arrival next = input_.front();
        clock_.advanceToUs(next.atUs);
        rule.take(next.byte, clock_.nowUs() - startUs);
        input_.pop_front();
    }
    return rule.text();
}

void SimPort::clearInput()
{
    while (!input_.empty() && input_.front().atUs <= clock_.nowUs())
        input_.pop_front();
}

}  // namespace nodra::sim
