#pragma once
// The line to an in-process panel, on a virtual clock: writes and reads take
// the time they would take on a real line, but nothing sleeps.

#include "link/port.h"
#include "sim/panel_sim.h"

#include <deque>

namespace nodra::sim {

class VirtualClock {
public:
    qint64 nowUs() const { return nowUs_; }
    void advanceUs(qint64 us) { nowUs_ += std::max<qint64>(us, 0); }
    void advanceToUs(qint64 us) { nowUs_ = std::max(nowUs_, us); }

private:
    qint64 nowUs_ = 0;
};

class SimPort final : public link::Port {
public:
    // Without a panel nothing answers on the line.
    explicit SimPort(PanelSim* panel = nullptr);

    void attach(PanelSim* panel);
    VirtualClock& clock() { return clock_; }

    // What the machine looks like: the ports it lists, whether the chosen one
    // exists, whether another program holds it.
    void setAvailablePorts(const QStringList& ports) { ports_ = ports; }
    void setPresent(bool present) { present_ = present; }
    void setBusy(bool busy) { busy_ = busy; }
    // Pulls the adapter: the port fails once and is closed.
    void unplug();

    // Every frame written, in order; the number of exchanges the routines made.
    const QList<QByteArray>& written() const { return written_; }
    int rtsChanges() const { return rtsChanges_; }

    void open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    void setRts(bool on) override;
    void write(const QByteArray& data) override;
    QByteArray read(int limit) override;
    void clearInput() override;
    void setBaudRate(qint32 baud) override { baud_ = baud; }
    qint32 baudRate() const override { return baud_; }
    void setPortName(const QString& name) override { name_ = name; }
    QString portName() const override { return name_; }
    QStringList listPorts() const override { return link::SortedPortNames(ports_); }
    void wait(int ms) override { clock_.advanceUs(qint64(ms) * 1000); }

private:
    struct Arrival {
        qint64 atUs;
        char byte;
    };
    void ensureUsable();

    PanelSim* panel_ = nullptr;
    VirtualClock clock_;
    QStringList ports_ = {QStringLiteral("/dev/ttySIM0")};
    QString name_ = QStringLiteral("/dev/ttySIM0");
    qint32 baud_ = 115200;
    bool present_ = true;
    bool busy_ = false;
    bool open_ = false;
    bool unplugged_ = false;
    int rtsChanges_ = 0;
    std::deque<Arrival> input_;
    QList<QByteArray> written_;
};

}  // namespace nodra::sim
