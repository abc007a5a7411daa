#include "link/serial_port.h"

#include "link/sim_announce.h"

#include <QElapsedTimer>
#include <QSerialPortInfo>
#include <QThread>

namespace nodra::link {

SerialPort::SerialPort() = default;

SerialPort::~SerialPort()
{
    close();
}

void SerialPort::open()
{
    if (port_.isOpen())
        return;
    pending_.clear();
    port_.setPortName(name_);
    if (!port_.open(QIODevice::ReadWrite)) {
        const auto error = port_.error();
        const QString text = port_.errorString();
        port_.clearError();
        if (error == QSerialPort::DeviceNotFoundError || name_.isEmpty())
            throw PortError(kPortMissing);
        if (error == QSerialPort::PermissionError)
            throw PortError(kPortBusy);
        throw PortError(text);
    }
    const bool lineSet = port_.setBaudRate(baud_) && port_.setDataBits(QSerialPort::Data8)
        && port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop)
        && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!lineSet) {
        const QString text = port_.errorString();
        port_.close();
        port_.clearError();
        throw PortError(text);
    }
    // A pseudo-terminal has no modem lines; there RTS and DTR are no-ops.
    modemLines_ = port_.setDataTerminalReady(true);
    if (modemLines_)
        modemLines_ = port_.setRequestToSend(true);
    port_.clearError();
    port_.clear(QSerialPort::AllDirections);
}

void SerialPort::close()
{
    if (!port_.isOpen())
        return;
    if (modemLines_) {
        port_.setDataTerminalReady(false);
        port_.setRequestToSend(false);
    }
    port_.clear(QSerialPort::AllDirections);
    port_.close();
    port_.clearError();
    pending_.clear();
}

bool SerialPort::isOpen() const
{
    return port_.isOpen();
}

void SerialPort::fail()
{
    const QString text = port_.errorString();
    pending_.clear();
    if (port_.isOpen())
        port_.close();
    port_.clearError();
    throw PortError(text.isEmpty() ? kPortNotOpen : text);
}

void SerialPort::setRts(bool on)
{
    if (!port_.isOpen())
        throw PortError(kPortNotOpen);
    if (!modemLines_)
        return;
    if (!port_.setRequestToSend(on))
        fail();
}

void SerialPort::write(const QByteArray& data)
{
    if (!port_.isOpen())
        throw PortError(kPortNotOpen);
    if (port_.write(data) != data.size())
        fail();
    QElapsedTimer timer;
    timer.start();
    const qint64 timeoutMs = WriteTimeoutUs(int(data.size())) / 1000;
    // The write returns once it has gone out or its time-out has passed.
    while (port_.bytesToWrite() > 0) {
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0)
            return;
        if (!port_.waitForBytesWritten(int(left))) {
            if (port_.error() == QSerialPort::TimeoutError) {
                port_.clearError();
                return;
            }
            if (port_.error() != QSerialPort::NoError)
                fail();
        }
    }
}

QByteArray SerialPort::read(int limit)
{
    if (!port_.isOpen())
        throw PortError(kPortNotOpen);
    ReadRule rule(limit, baud_);
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        pending_.append(port_.readAll());
        qsizetype taken = 0;
        while (taken < pending_.size() && rule.take(pending_[taken], timer.nsecsElapsed() / 1000))
            ++taken;
        pending_.remove(0, taken);
        if (rule.finished())
            break;
        const qint64 leftUs = rule.deadlineUs() - timer.nsecsElapsed() / 1000;
        if (leftUs <= 0)
            break;
        if (!port_.waitForReadyRead(int((leftUs + 999) / 1000))) {
            const auto error = port_.error();
            if (error == QSerialPort::TimeoutError || error == QSerialPort::NoError) {
                port_.clearError();
                continue;
            }
            fail();
        }
    }
    return rule.text();
}

void SerialPort::clearInput()
{
    pending_.clear();
    if (port_.isOpen()) {
        port_.readAll();
        port_.clear(QSerialPort::Input);
    }
}

void SerialPort::setBaudRate(qint32 baud)
{
    baud_ = baud;
    if (port_.isOpen() && !port_.setBaudRate(baud))
        fail();
}

void SerialPort::setPortName(const QString& name)
{
    name_ = name;
}

QStringList SerialPort::listPorts() const
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.systemLocation();
    names << AnnouncedSimulatorTerminals();
    return SortedPortNames(names);
}

void SerialPort::wait(int ms)
{
    QThread::msleep(ulong(std::max(ms, 0)));
}

}  // namespace nodra::link
