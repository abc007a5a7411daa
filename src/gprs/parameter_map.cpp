#include "gprs/parameter_map.h"

#include "gprs/gprs_state.h"
#include "link/frame.h"

#include <optional>

namespace nodra::gprs {

namespace {

const QString kReadCommand[] = {QStringLiteral("01"), QStringLiteral("11")};
const QString kWriteCommand[] = {QStringLiteral("02"), QStringLiteral("12")};

const QString kReplyDataMessage = QStringLiteral("Неверные данные в ответе прибора: \"%1\"");

QString Hex(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

// Two characters of a reply's data as a byte, nothing when not hex.
std::optional<int> PairValue(QStringView pair)
{
    if (pair.size() != 2)
        return std::nullopt;
    bool ok = false;
    const int value = pair.toInt(&ok, 16);
    return ok && pair.front() != u'+' && pair.front() != u'-' ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

int ServerRecordAddress(int sim, int server)
{
    return address::kFirstServer + (sim * kServersPerSim + server) * address::kServerRecord;
}

QString ReadBody(Memory memory, int count, int address)
{
    return kCommunicatorAddress + kReadCommand[int(memory)] + Hex(count, 2) + Hex(address, 4);
}

QString WriteBody(Memory memory, int address, const QString& dataHex)
{
    return kCommunicatorAddress + kWriteCommand[int(memory)] + Hex(address, 4) + dataHex;
}

QString HexByte(int value)
{
    return Hex(value & 0xFF, 2);
}

QString HexWord(int value)
{
    return Hex(value & 0xFFFF, 4);
}

QString HexBytes(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString DigitsData(const QString& digits)
{
    QString data;
    for (QChar c : digits)
        data += QLatin1Char('0') + c.toUpper();
    return data + HexBytes(kTextEnd);
}

ReplyDataError::ReplyDataError(const QString& data)
    : std::runtime_error(kReplyDataMessage.arg(data).toStdString()), message_(kReplyDataMessage.arg(data))
{
}

int ReplyNumber(const QString& digits)
{
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    if (!ok || digits.startsWith(u'+') || digits.startsWith(u'-'))
        throw ReplyDataError(digits);
    return value;
}

QString ReplyByteText(const QString& reply, int index)
{
    return link::ReplyPayload(reply).mid(2 * index, 2);
}

int ReplyByte(const QString& reply, int index)
{
    const QString pair = ReplyByteText(reply, index);
    const auto value = PairValue(pair);
    if (!value)
        throw ReplyDataError(pair);
    return *value;
}

QByteArray ReplyText(const QString& reply, const QByteArray& terminator, int maxBytes)
{
    const QString data = link::ReplyPayload(reply);
    QByteArray bytes;
    for (qsizetype at = 0; at + 2 <= data.size(); at += 2) {
        if (maxBytes >= 0 && bytes.size() >= maxBytes)
            break;
        const auto value = PairValue(QStringView(data).sliced(at, 2));
        if (!value)
            throw ReplyDataError(data.mid(at, 2));
        bytes.append(char(*value));
        if (bytes.endsWith(terminator)) {
            bytes.chop(terminator.size());
            break;
        }
    }
    return bytes;
}

QString ReplyDigits(const QString& reply)
{
    QString digits;
    for (char b : ReplyText(reply, kTextEnd))
        digits += QString::number(quint8(b) & 0x0F, 16).toUpper();
    return digits;
}

}  // namespace nodra::gprs
