#pragma once
// The real serial line: a QSerialPort at 8N1 without flow control.

#include "link/port.h"

#include <QSerialPort>

namespace nodra::link {

class SerialPort final : public Port {
public:
    SerialPort();
    ~SerialPort() override;

    void open() override;
    void close() override;
    bool isOpen() const override;
    void setRts(bool on) override;
    void write(const QByteArray& data) override;
    QByteArray read(int limit) override;
    void clearInput() override;
    void setBaudRate(qint32 baud) override;
    qint32 baudRate() const override { return baud_; }
    void setPortName(const QString& name) override;
    QString portName() const override { return name_; }
    QStringList listPorts() const override;
    void wait(int ms) override;

private:
    // A port that failed under us (adapter unplugged) is closed once and reported.
    [[noreturn]] void fail();

    QSerialPort port_;
    QString name_;
    qint32 baud_ = 115200;
    bool modemLines_ = true;
    QByteArray pending_;  // arrived but not yet taken by a read
};

}  // namespace nodra::link
