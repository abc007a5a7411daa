#pragma once
// What the "GPRS" tab shows: the communicator's settings as the installer
// edits them, all as text exactly as the fields hold it, plus the tab's
// progress bar. The tab's read and write sequences and its settings file work
// on this state only; none of it is part of the configuration image.

#include <QString>
#include <QStringList>
#include <array>

namespace nodra::gprs {

inline constexpr int kSimCount = 2;
inline constexpr int kServersPerSim = 3;

// Items of the protocol list, in list order; the panel's byte 0065 holds
// 10 for the first and 20 for the second.
const QStringList& ProtocolItems();
inline constexpr int kNoProtocol = -1;  // a loaded index the list does not have

// The keep-alive message the communicator sends for an object: "5000 18" and
// the object number.
inline const QString kKeepAliveHeader = QStringLiteral("5000 18");
QString KeepAliveForObject(const QString& objectNumber);

// One server of a SIM card.
struct GprsServer {
    QString entry;      // AdvEdit_Sim<s>Serv<n>: "protocol","address",port as typed
    QString localPort;  // AdvEdit_LocalPortSim<s>Serv<n>
    bool operator==(const GprsServer&) const = default;
};

// ProgressbarWrite at the foot of the tab: each exchange that succeeds moves
// it on by one; a sequence sets the maximum and empties it at its end.
struct GprsProgress {
    int maximum = 0;
    int position = 0;
    bool operator==(const GprsProgress&) const = default;
};

struct GprsState {
    QString objectNumber = QStringLiteral("2222");     // AdvEdit_Object, hexadecimal
    int protocolIndex = 0;                              // sComboBox_ChProtocol, index in ProtocolItems()
    QString testPeriodHours = QStringLiteral("24");    // AdvEdit_TestPer, 1-24
    QString testStartHour = QStringLiteral("14");      // AdvEdit_TestHou
    QString testStartMinute = QStringLiteral("17");    // AdvEdit_TestMin
    bool checkConnection = true;                        // sCheckBoxVerConn
    bool keepAliveEnabled = true;                       // CheckEnTst
    QString keepAliveMessage = KeepAliveForObject(objectNumber);  // EDIT_Test
    QString keepAliveSuffix = QStringLiteral("14");    // AdvEditHeartHexSufix, one byte in hex
    QString keepAlivePeriod = QStringLiteral("40");    // EDIT_TestPer, units of 5 seconds
    // AdvEdit_POINT_1, AdvEdit_POINT_2
    std::array<QString, kSimCount> accessPoints = {DefaultAccessPoint(), DefaultAccessPoint()};
    // servers[sim][n]: SIM1 servers 1-3, then SIM2 servers 1-3
    std::array<std::array<GprsServer, kServersPerSim>, kSimCount> servers = DefaultServers();
    QString alternativeNumber;                          // AdvEditNomerAlter, "A" for "+"
    GprsProgress progress;                              // ProgressbarWrite

    // AdvEdit_ObjectChange: a new object number (typed, read or loaded) also
    // sets the keep-alive message.
    void setObjectNumber(const QString& text);

    bool operator==(const GprsState&) const = default;

    // The GSM operator's access point the tab starts with.
    static QString DefaultAccessPoint();
    // Each SIM card's servers as the tab starts: SIM1 over TCP to port 7789,
    // SIM2 over UDP to port 7790, the monitoring station's address in both.
    static std::array<std::array<GprsServer, kServersPerSim>, kSimCount> DefaultServers();
};

}  // namespace nodra::gprs
