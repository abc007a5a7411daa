#include "gprs/cp1251.h"

#include <array>

namespace nodra::gprs {

namespace {

// Characters of the bytes 80-BF; below 80 the code page is ASCII, from C0
// on it is А-я in alphabetical order.
constexpr char16_t kHighHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

constexpr char16_t kCyrillicA = 0x0410;  // byte C0
constexpr int kFirstLetterByte = 0xC0;

constexpr std::array<char16_t, 256> BuildTable()
{
    std::array<char16_t, 256> table {};
    for (int b = 0; b < 0x80; ++b)
        table[b] = char16_t(b);
    for (int b = 0x80; b < kFirstLetterByte; ++b)
        table[b] = kHighHalf[b - 0x80];
    for (int b = kFirstLetterByte; b < 0x100; ++b)
        table[b] = char16_t(kCyrillicA + (b - kFirstLetterByte));
    return table;
}

constexpr std::array<char16_t, 256> kTable = BuildTable();

}  // namespace

QString DecodeCp1251(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes)
        text.append(QChar(kTable[quint8(b)]));
    return text;
}

std::optional<quint8> Cp1251Byte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return quint8(u);
    if (u >= kCyrillicA && u < kCyrillicA + 64)
        return quint8(kFirstLetterByte + (u - kCyrillicA));
    for (int b = 0x80; b < kFirstLetterByte; ++b)
        if (kTable[b] == u)
            return quint8(b);
    return std::nullopt;
}

std::optional<QByteArray> EncodeCp1251(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const auto b = Cp1251Byte(c);
        if (!b)
            return std::nullopt;
        bytes.append(char(*b));
    }
    return bytes;
}

}  // namespace nodra::gprs
