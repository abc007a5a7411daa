#include "link/transactions.h"

#include "link/frame.h"

namespace nodra::link {

namespace {

// One try: RTS off, the request out, RTS on (it stays on), the reply in. The
// input is emptied first, so that a reply that came late for an earlier try is
// not read as the reply to this one.
QString Exchange(Port& port, const QString& request, int limit)
{
    port.clearInput();
    port.setRts(false);
    port.write(request.toLatin1());
    port.setRts(true);
    return QString::fromLatin1(port.read(limit));
}

// ReadEeprom, WriteEeprom, ReadRam: the reply frame, or empty on failure.
// Port errors end the transaction as a failure.
QString ThreeTries(PanelLink& link, const QString& request, int limit)
{
    try {
        for (int tries = 0; tries < kTries;) {
            link.pump();
            if (link.cancelToken().isRequested()) {
                link.cancelToken().clear();
                return {};
            }
            if (!link.port().isOpen())
                return {};
            const QString reply = Exchange(link.port(), request, limit);
            ++tries;
            if (CheckReplyFrame(reply, ChecksumCheck::Verify))
                return reply == request ? QString() : reply;  // an echo is no reply
        }
    } catch (const PortError&) {
    }
    return {};
}

// WriteRam, ResetSound, ResetDevice: one try, shape only; port errors reach the caller.
bool SingleTry(PanelLink& link, const QString& request)
{
    link.pump();
    const QString reply = Exchange(link.port(), request, kWriteLimit);
    return CheckReply(reply, request, ChecksumCheck::Skip);
}

QString OrFailed(const QString& reply)
{
    return reply.isEmpty() ? kFailed : reply;
}

}  // namespace

QString ReadEeprom(PanelLink& link, const QString& count, const QString& address)
{
    return OrFailed(ThreeTries(link, link.buildFrame(command::kReadEeprom, count + address), kReadEepromLimit));
}

bool WriteEeprom(PanelLink& link, const QString& address, const QString& data)
{
    return !ThreeTries(link, link.buildFrame(command::kWriteEeprom, address + data), kWriteLimit).isEmpty();
}

QString ReadRam(PanelLink& link, const QString& count, const QString& address, int limit)
{
    return OrFailed(ThreeTries(link, link.buildFrame(command::kReadRam, count + address), limit));
}

QString ProbeRam(PanelLink& link, const QString& count, const QString& address, int limit)
{
    const QString request = link.buildFrame(command::kReadRam, count + address);
    link.pump();
    try {
        if (!link.port().isOpen())
            return kFailed;
        const QString reply = Exchange(link.port(), request, limit);
        return CheckReply(reply, request, ChecksumCheck::Verify) ? reply : kFailed;
    } catch (const PortError&) {
        return kFailed;
    }
}

bool WriteRam(PanelLink& link, const QString& address, const QString& data)
{
    return SingleTry(link, link.buildFrame(command::kWriteRam, address + data));
}

bool ResetSound(PanelLink& link)
{
    return SingleTry(link, link.buildFrame(command::kResetSound, kResetSoundPayload));
}

bool ResetDevice(PanelLink& link)
{
    return SingleTry(link, link.buildFrame(command::kResetDevice, QString()));
}

bool RestartPanel(PanelLink& link)
{
    const QString request = link.buildFrame(command::kRestart, QString());
    try {
        for (int tries = 0; tries < kRestartTries;) {
            if (!link.port().isOpen())
                return false;
            const QString reply = Exchange(link.port(), request, kWriteLimit);
            ++tries;
            if (CheckReplyFrame(reply, ChecksumCheck::Verify))
                return reply != request;
        }
    } catch (const PortError&) {
    }
    return false;
}

}  // namespace nodra::link
