#include "gprs/gprs_sequences.h"

#include "config/win1251.h"
#include "gprs/parameter_map.h"
#include "gprs/write_plan.h"
#include "link/frame.h"

#include <functional>

namespace nodra::gprs {

namespace {

// Reply header characters 6-7 (from 1) carry the command; version at 10-13.
constexpr int kReplyCommandAt = 5;
constexpr int kFirmwareVersionAt = 9;
constexpr int kFirmwareVersionDigits = 4;

// One read: the request and what its reply puts into the fields.
struct ReadStep {
    QString body;
    std::function<void(const QString& reply, GprsState& state)> decode;
};

bool IsAsciiLetterOrDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// A firmware that knows the probe answers it with the probe's command in
// the reply header.
bool Probe(CommunicatorLink& link)
{
    return link.exchange(kFirmwareProbeBody, Quiet::Yes)
        && link.lastReply().mid(kReplyCommandAt, 2) == kFirmwareProbeCommand;
}

// Asks for the version and warns about an outdated one; false when the
// exchange failed.
bool CheckVersion(CommunicatorLink& link)
{
    if (!link.exchange(kFirmwareProbeBody))
        return false;
    if (ReplyNumber(link.lastReply().mid(kFirmwareVersionAt, kFirmwareVersionDigits)) <= kOutdatedFirmware)
        link.view().showPlainMessage(kUpdateFirmware);
    return true;
}

bool Run(CommunicatorLink& link, const QList<ReadStep>& steps, GprsState& state)
{
    for (const ReadStep& step : steps) {
        if (!link.exchange(step.body))
            return false;
        step.decode(link.lastReply(), state);
    }
    return true;
}

bool Run(CommunicatorLink& link, const QStringList& bodies)
{
    for (const QString& body : bodies)
        if (!link.exchange(body))
            return false;
    return true;
}

// Reads that only a firmware answering the probe serves.
QList<ReadStep> ProbedReads()
{
    return {
        {ReadBody(Memory::Communicator, kAlternativeNumberReadBytes, address::kAlternativeNumber),
         [](const QString& reply, GprsState& s) { s.alternativeNumber = ReplyDigits(reply); }},
        {ReadBody(Memory::Panel, 1, address::kProtocol),
         [](const QString& reply, GprsState& s) {
             const QString code = ReplyByteText(reply, 0);
             if (code == QLatin1String("10"))
                 s.protocolIndex = 0;
             else if (code == QLatin1String("20"))
                 s.protocolIndex = 1;
         }},
    };
}

void DecodeConnection(const QString& reply, GprsState& s)
{
    s.keepAliveEnabled = true;
    s.checkConnection = true;
    const QString code = ReplyByteText(reply, 0);
    if (code == QLatin1String("00"))
        s.keepAliveEnabled = false;
    else if (code == QLatin1String("01"))
        s.keepAliveEnabled = s.checkConnection = false;
    else
        s.keepAlivePeriod = QString::number(ReplyByte(reply, 0));
}

// The message, then its last character as the suffix byte when that is no
// letter or digit.
void DecodeKeepAlive(const QString& reply, GprsState& s)
{
    QByteArray message = ReplyText(reply, kTextEnd, kKeepAliveReadBytes);
    if (!message.isEmpty() && !IsAsciiLetterOrDigit(message.back())) {
        s.keepAliveSuffix = HexByte(quint8(message.back()));
        message.chop(1);
    }
    s.keepAliveMessage = config::DecodeWin1251(message);
}

QList<ReadStep> SettingsReads()
{
    QList<ReadStep> steps = {
        {ReadBody(Memory::Panel, kObjectBytes, address::kObject),
         [](const QString& reply, GprsState& s) {
             s.setObjectNumber(link::ReplyPayload(reply).left(2 * kObjectBytes));
         }},
        {ReadBody(Memory::Panel, 1, address::kConnection), DecodeConnection},
        {ReadBody(Memory::Panel, kKeepAliveReadBytes, address::kKeepAlive), DecodeKeepAlive},
    };
    for (int sim = 0; sim < kSimCount; ++sim)
        steps.append({ReadBody(Memory::Panel, kAccessPointReadBytes, address::kAccessPoints[sim]),
                      [sim](const QString& reply, GprsState& s) {
                          s.accessPoints[sim] = config::DecodeWin1251(ReplyText(reply, kAccessPointEnd));
                      }});
    steps.append({ReadBody(Memory::Panel, kTestReportBytes, address::kTestReport),
                  [](const QString& reply, GprsState& s) {
                      s.testPeriodHours = TwoDigits(ReplyByte(reply, 0));
                      s.testStartHour = TwoDigits(ReplyByte(reply, 1));
                      s.testStartMinute = TwoDigits(ReplyByte(reply, 2));
                  }});
    for (int sim = 0; sim < kSimCount; ++sim)
        for (int server = 0; server < kServersPerSim; ++server)
            steps.append({ReadBody(Memory::Communicator, kLocalPortBytes, ServerRecordAddress(sim, server)),
                          [sim, server](const QString& reply, GprsState& s) {
                              s.servers[sim][server].localPort =
                                  config::DecodeWin1251(ReplyText(reply, kTextEnd, kLocalPortBytes));
                          }});
    for (int sim = 0; sim < kSimCount; ++sim)
        for (int server = 0; server < kServersPerSim; ++server)
            steps.append({ReadBody(Memory::Communicator, kServerEntryReadBytes,
                                   ServerRecordAddress(sim, server) + address::kServerEntryOffset),
                          [sim, server](const QString& reply, GprsState& s) {
                              s.servers[sim][server].entry = config::DecodeWin1251(ReplyText(reply, kTextEnd));
                          }});
    return steps;
}

// Runs a sequence on a prepared port: a reply that makes no sense ends it
// with its message, a port error is passed on; either way the port is closed.
Outcome Guarded(CommunicatorLink& link, const std::function<bool()>& sequence, const QString& done)
{
    try {
        if (!sequence())
            return Outcome::Failed;
    } catch (const ReplyDataError& error) {
        link.finish();
        link.view().showPlainMessage(error.message());
        return Outcome::Failed;
    } catch (...) {
        link.finish();
        throw;
    }
    link.finish();
    link.view().showPlainMessage(done);
    return Outcome::Done;
}

}  // namespace

Outcome ReadCommunicatorSettings(CommunicatorLink& link, const QString& portName, GprsState& state)
{
    return Guarded(
        link,
        [&] {
            link.preparePort(portName);
            link.setProgressMaximum(kReadProgressMaximum);
            state.checkConnection = state.keepAliveEnabled = false;
            for (QString* field : {&state.keepAliveMessage, &state.keepAliveSuffix, &state.keepAlivePeriod,
                                   &state.accessPoints[0], &state.accessPoints[1], &state.alternativeNumber})
                field->clear();
            if (!Probe(link))
                link.view().showPlainMessage(kUpdateFirmware);
            else if (!Run(link, ProbedReads(), state))
                return false;
            return CheckVersion(link) && Run(link, SettingsReads(), state);
        },
        kReadDone);
}

Outcome WriteCommunicatorSettings(CommunicatorLink& link, const QString& portName, const GprsState& state)
{
    const auto plan = BuildWritePlan(state);
    if (const QString* refusal = std::get_if<QString>(&plan)) {
        link.view().showPlainMessage(*refusal);
        return Outcome::Refused;
    }
    const WritePlan& bodies = std::get<WritePlan>(plan);
    return Guarded(
        link,
        [&] {
            link.preparePort(portName);
            link.setProgressMaximum(kWriteProgressMaximum);
            if (!Probe(link))
                link.view().showPlainMessage(kUpdateFirmwareUk);
            else if (!link.exchange(bodies.alternativeNumber))
                return false;
            return CheckVersion(link) && Run(link, bodies.settings);
        },
        kWriteDone);
}

}  // namespace nodra::gprs
