#pragma once
// Everything a write sends, built from the tab's fields before the port is
// touched: a field that cannot be written stops the write with a message
// naming it, so the communicator is never left half written.

#include "gprs/gprs_state.h"

#include <QString>
#include <QStringList>
#include <variant>

namespace nodra::gprs {

struct WritePlan {
    // Sent only when the firmware answers the probe.
    QString alternativeNumber;
    // Then, after the version check, in this order: protocol, object,
    // connection byte, keep-alive message and its header, both access
    // points, the six local ports, the six server entries, the access points
    // once more, the test report.
    QStringList settings;
};

// The request bodies, or the message of the first field that is refused.
std::variant<WritePlan, QString> BuildWritePlan(const GprsState& state);

}  // namespace nodra::gprs
