#include "clock/correction.h"

#include <array>

namespace nodra::clock {

namespace {

struct Correction {
    const char16_t* label;
    int byte;
};

// Positions 1 to 9.
constexpr std::array<Correction, kLastCorrection> kTable = {{
    {u"-20 мин.", 0x61},
    {u"-10 мин.", 0x69},
    {u"-5 мин.", 0x6D},
    {u"-2 мин.", 0x6F},
    {u"0 мин.", 0x71},
    {u"+2 мин.", 0x73},
    {u"+5 мин.", 0x75},
    {u"+10 мин.", 0x79},
    {u"+20 мин.", 0x81},
}};

bool valid(int position)
{
    return position >= kFirstCorrection && position <= kLastCorrection;
}

}  // namespace

QString CorrectionLabel(int position)
{
    return valid(position) ? QString::fromUtf16(kTable[size_t(position - 1)].label) : QString();
}

QString CorrectionByte(int position)
{
    if (!valid(position))
        return QString();
    return QStringLiteral("%1").arg(kTable[size_t(position - 1)].byte, 2, 16, QLatin1Char('0')).toUpper();
}

std::optional<int> CorrectionPosition(int byteValue)
{
    for (size_t i = 0; i < kTable.size(); ++i)
        if (kTable[i].byte == byteValue)
            return int(i) + 1;
    return std::nullopt;
}

}  // namespace nodra::clock
