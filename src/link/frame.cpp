#include "link/frame.h"

namespace nodra::link {

QString FrameChecksum(QStringView text)
{
    if (text.isEmpty())
        return {};
    quint32 sum = 0;
    for (QChar c : text) {
        if (c == kFrameStart || c == kFrameEnd)
            continue;
        sum += c.unicode() & 0xFF;
    }
    return QStringLiteral("%1").arg(sum & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QString BuildFrame(QStringView deviceAddress, QStringView command, QStringView payload)
{
    const QString body = kFrameStart + deviceAddress.toString() + command.toString() + payload.toString();
    return body + FrameChecksum(body) + kFrameEnd;
}

bool CheckReplyFrame(QStringView reply, ChecksumCheck checksum)
{
    if (reply.isEmpty() || reply.front() != kFrameStart || reply.back() != kFrameEnd)
        return false;
    if (checksum == ChecksumCheck::Skip)
        return true;
    // ":" + checksum + ";" is the least that can hold a checksum.
    if (reply.size() < 1 + kChecksumLength + 1)
        return false;
    const QStringView covered = reply.first(reply.size() - 3);
    const QStringView stated = reply.sliced(reply.size() - 3, kChecksumLength);
    return FrameChecksum(covered) == stated;
}

bool CheckReply(QStringView reply, QStringView request, ChecksumCheck checksum)
{
    return CheckReplyFrame(reply, checksum) && reply != request;
}

QString ReplyPayload(QStringView reply)
{
    if (reply.size() <= kReplyOverhead)
        return {};
    return reply.sliced(1 + kReplyHeaderLength, reply.size() - kReplyOverhead).toString();
}

std::optional<int> HexByteValue(QStringView digits)
{
    if (digits.size() != 2)
        return std::nullopt;
    int value = 0;
    for (QChar c : digits) {
        const qsizetype digit = QStringView(u"0123456789ABCDEF").indexOf(c.toUpper());
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + int(digit);
    }
    return value;
}

}  // namespace nodra::link
