#include "gprs/gprs_state.h"

namespace nodra::gprs {

namespace {

// Placeholders the installer replaces with the operator's access point and
// the monitoring station's server address.
constexpr char kDefaultAccessPoint[] = "internet";
constexpr char kDefaultServerAddress[] = "192.0.2.10";

struct SimDefaults {
    const char* transport;
    const char* port;
};
constexpr SimDefaults kSimDefaults[kSimCount] = {{"TCP", "7789"}, {"UDP", "7790"}};

}  // namespace

const QStringList& ProtocolItems()
{
    static const QStringList items = {QStringLiteral("SUR-GARD"), QStringLiteral("SOS 112")};
    return items;
}

QString KeepAliveForObject(const QString& objectNumber)
{
    return kKeepAliveHeader + objectNumber;
}

void GprsState::setObjectNumber(const QString& text)
{
    objectNumber = text;
    keepAliveMessage = KeepAliveForObject(text);
}

QString GprsState::DefaultAccessPoint()
{
    return QLatin1String(kDefaultAccessPoint);
}

std::array<std::array<GprsServer, kServersPerSim>, kSimCount> GprsState::DefaultServers()
{
    std::array<std::array<GprsServer, kServersPerSim>, kSimCount> servers;
    for (int sim = 0; sim < kSimCount; ++sim) {
        const QString port = QLatin1String(kSimDefaults[sim].port);
        const QString transport = QLatin1String(kSimDefaults[sim].transport);
        const QString entry =
            QStringLiteral("\"%1\",\"%2\",%3").arg(transport, QLatin1String(kDefaultServerAddress), port);
        servers[sim].fill({entry, port});
    }
    return servers;
}

}  // namespace nodra::gprs
