#include "app/cli/cli.h"

#include "link/connection.h"

namespace nodra::cli {

Context::Context(const Options& options, QStringList args)
    : options_(options), args_(std::move(args)), link_(port_), out_(stdout), err_(stderr)
{
    link_.setDeviceAddress(options_.deviceAddress);
}

bool Context::preparePort()
{
    QString name = options_.port;
    if (name.isEmpty()) {
        const QStringList ports = port_.listPorts();
        if (ports.isEmpty()) {
            err_ << QStringLiteral("Com-порт не найден") << Qt::endl;
            return false;
        }
        name = ports.first();
    }
    port_.setPortName(name);
    port_.setBaudRate(options_.baud);
    return true;
}

bool Context::openPort()
{
    if (!preparePort())
        return false;
    try {
        port_.open();
    } catch (const link::PortError& error) {
        err_ << error.message() << Qt::endl;
        return false;
    }
    return true;
}

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            line.positional << arg;
            continue;
        }
        QString name = arg, value;
        bool inlineValue = false;
        if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); eq > 0) {
            name = arg.left(eq);
            value = arg.mid(eq + 1);
            inlineValue = true;
        }
        static const QStringList withValue = {
            QStringLiteral("--port"), QStringLiteral("--baud"), QStringLiteral("--address"),
            QStringLiteral("--out"), QStringLiteral("--csv"),
        };
        if (!withValue.contains(name)) {
            line.problem = QStringLiteral("неизвестный параметр %1").arg(arg);
            return line;
        }
        if (!inlineValue) {
            if (i + 1 >= arguments.size()) {
                line.problem = QStringLiteral("параметру %1 нужно значение").arg(name);
                return line;
            }
            value = arguments[++i];
        }
        if (name == QLatin1String("--port")) {
            line.options.port = value;
        } else if (name == QLatin1String("--baud")) {
            bool ok = false;
            line.options.baud = value.toInt(&ok);
            if (!ok || link::BaudIndex(line.options.baud) < 0) {
                line.problem = QStringLiteral("скорость %1 не поддерживается (9600, 19200, 38400, 56000, "
                                              "57600, 115200, 256000)")
                                   .arg(value);
                return line;
            }
        } else if (name == QLatin1String("--address")) {
            const auto address = link::DeviceAddressFromField(value);
            if (!address) {
                line.problem = QStringLiteral("адрес прибора %1: нужно десятичное число 000-254").arg(value);
                return line;
            }
            line.options.deviceAddress = *address;
            line.options.addressGiven = true;
        } else if (name == QLatin1String("--out")) {
            line.options.out = value;
        } else if (name == QLatin1String("--csv")) {
            line.options.csv = value;
        }
    }
    return line;
}

}  // namespace nodra::cli
