#include "config/conversion.h"

namespace nodra::config {

namespace {

constexpr int kMaxNumberDigits = 8;  // 32 bits

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
}

}  // namespace

bool IsHexText(QStringView text)
{
    for (QChar c : text)
        if (!isHexDigit(c))
            return false;
    return true;
}

bool IsHexBytes(QStringView text)
{
    return text.size() % 2 == 0 && IsHexText(text);
}

QString HexByte(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

std::optional<quint32> HexNumber(QStringView text)
{
    if (text.isEmpty() || !IsHexText(text))
        return std::nullopt;
    qsizetype start = 0;
    while (start < text.size() - 1 && text[start] == u'0')
        ++start;  // leading zeros do not count against the width
    if (text.size() - start > kMaxNumberDigits)
        return std::nullopt;
    bool ok = false;
    const quint32 value = text.mid(start).toUInt(&ok, 16);
    return ok ? std::optional<quint32>(value) : std::nullopt;
}

QString ConversionError::message() const
{
    if (!block.isEmpty())
        return QStringLiteral("Неверное значение \"%1\" в блоке %2 (%3)").arg(text, block, setting);
    return QStringLiteral("Неверное значение \"%1\" в поле \"%2\"").arg(text, setting);
}

}  // namespace nodra::config
