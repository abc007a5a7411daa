#include "gprs_fixture.h"

namespace nodra::test {

QStringList GprsLine::bodies() const
{
    QStringList bodies;
    for (const QByteArray& frame : port.written())
        bodies << QString::fromLatin1(frame.mid(1, frame.size() - 4));
    return bodies;
}

QStringList Fields(const gprs::GprsState& s)
{
    QStringList fields = {
        u"CheckEnTst="_qs + (s.keepAliveEnabled ? u"1"_qs : u"0"_qs),
        u"sComboBox_ChProtocol="_qs + QString::number(s.protocolIndex),
        u"AdvEdit_Object="_qs + s.objectNumber,
        u"AdvEdit_TestPer="_qs + s.testPeriodHours,
        u"AdvEdit_TestHou="_qs + s.testStartHour,
        u"AdvEdit_TestMin="_qs + s.testStartMinute,
        u"sCheckBoxVerConn="_qs + (s.checkConnection ? u"1"_qs : u"0"_qs),
        u"EDIT_Test="_qs + s.keepAliveMessage,
        u"AdvEditHeartHexSufix="_qs + s.keepAliveSuffix,
        u"EDIT_TestPer="_qs + s.keepAlivePeriod,
        u"AdvEdit_POINT_1="_qs + s.accessPoints[0],
        u"AdvEdit_POINT_2="_qs + s.accessPoints[1],
        u"AdvEditNomerAlter="_qs + s.alternativeNumber,
    };
    for (int sim = 0; sim < gprs::kSimCount; ++sim)
        for (int n = 0; n < gprs::kServersPerSim; ++n)
            fields << u"AdvEdit_Sim%1Serv%2="_qs.arg(sim + 1).arg(n + 1) + s.servers[sim][n].entry
                   << u"AdvEdit_LocalPortSim%1Serv%2="_qs.arg(sim + 1).arg(n + 1) + s.servers[sim][n].localPort;
    return fields;
}

gprs::GprsState EveryFieldChanged()
{
    gprs::GprsState s;
    s.keepAliveEnabled = false;
    s.protocolIndex = 1;
    s.setObjectNumber(u"0457"_qs);
    s.testPeriodHours = u"06"_qs;
    s.testStartHour = u"09"_qs;
    s.testStartMinute = u"05"_qs;
    s.checkConnection = false;
    s.keepAliveMessage = u"Объект 0457"_qs;  // not what the object rule would make
    s.keepAliveSuffix = u"1E"_qs;
    s.keepAlivePeriod = u"12"_qs;
    s.accessPoints = {u"internet.kyivstar.net"_qs, u"www.ab.kiev.ua"_qs};
    s.alternativeNumber = u"A380441234567"_qs;
    const char* hosts[gprs::kSimCount][gprs::kServersPerSim] = {
        {"10.0.0.1", "пульт.укр", "monitoring.example.net"},
        {"172.16.5.9", "backup.example.net", "192.168.100.200"},
    };
    for (int sim = 0; sim < gprs::kSimCount; ++sim)
        for (int n = 0; n < gprs::kServersPerSim; ++n) {
            const QString port = QString::number(3035 + 10 * sim + n);
            const QString transport = sim ? u"UDP"_qs : u"TCP"_qs;
            s.servers[sim][n] = {u"\"%1\",\"%2\",%3"_qs.arg(transport, QString::fromUtf8(hosts[sim][n]), port), port};
        }
    return s;
}

}  // namespace nodra::test
