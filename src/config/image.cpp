#include "config/image.h"

#include <stdexcept>

namespace nodra::config {

namespace {

constexpr bool kFile = true;
constexpr bool kNotInFile = false;

// Address, bytes, read unit, write unit, in the settings file.
constexpr std::array<BlockInfo, kBlockCount> kBlocks = {{
    {0x0000, 1, 0x0000, 0x0000, kFile},
    {0x000A, 1, 0x000A, 0x000A, kFile},
    {0x0014, 1, 0x0014, 0x0014, kFile},
    {0x0062, 1, 0x0062, 0x0062, kFile},
    {0x0063, 1, 0x0062, kNone, kFile},  // kept and carried, never interpreted or written
    {0x0064, 1, 0x0062, 0x0064, kFile},
    {0x0065, 1, 0x0062, 0x0064, kFile},
    {0x0066, 26, 0x0066, 0x0064, kFile},
    {0x0080, 1, 0x0080, 0x0080, kNotInFile},
    {0x0081, 1, 0x0081, 0x0081, kFile},
    {0x0082, 1, 0x0081, 0x0082, kFile},
    {0x0083, 1, 0x0081, 0x0082, kFile},
    {0x0084, 1, 0x0081, 0x0084, kFile},
    {0x0085, 1, 0x0081, 0x0085, kFile},
    {0x0086, 26, 0x0086, 0x0085, kFile},
    {0x00A0, 3, 0x00A0, 0x00A0, kFile},
    {0x00A4, 3, 0x00A0, 0x00A4, kFile},
    {0x00A8, 4, 0x00A8, 0x00A8, kFile},
    {0x0101, 1, 0x0101, kNone, kNotInFile},  // firmware version: shown only
    {0x0102, 3, 0x0102, kNone, kNotInFile},  // operating time: shown only
    {0x0105, 1, 0x0105, 0x0105, kFile},      // pause: read last of the settings, so a read and write-back keeps it
    {0x0110, 32, 0x0110, 0x0110, kFile},
    {0x0130, 16, 0x0130, 0x0130, kFile},
    {0x0140, 16, 0x0140, 0x0140, kFile},
    {0x0150, 16, 0x0150, 0x0150, kFile},
    {0x0160, 16, 0x0160, 0x0160, kFile},
    {0x0180, 4, 0x0180, 0x0180, kFile},
    {0x0184, 4, 0x0180, 0x0180, kFile},
    {0x0188, 4, 0x0180, 0x0180, kFile},
    {0x018C, 4, 0x0180, 0x0180, kFile},
    {0x0190, 29, 0x0190, 0x0190, kFile},
    {0x0200, 2, 0x0200, 0x0200, kFile},
    {0x0202, 2, 0x0200, 0x0200, kFile},
    {0x0204, 2, 0x0200, 0x0200, kFile},
    {0x0206, 2, 0x0200, 0x0200, kFile},
    {0x0208, 160, 0x0208, 0x0208, kFile},  // five pieces of 32 bytes each way
    {0x0300, 1, 0x0300, 0x0300, kFile},
    {0x0301, 1, 0x0300, 0x0300, kFile},
    {0x0302, 1, 0x0300, 0x0300, kFile},
    {0x0304, 1, 0x0300, 0x0304, kFile},
    {0x0305, 1, 0x0300, 0x0304, kFile},
    {0x0306, 1, 0x0300, 0x0304, kFile},
    {0x030B, 1, 0x030B, 0x030B, kFile},
    {0x0360, 1, 0x0360, 0x0360, kFile},
    {0x0361, 1, 0x0360, kNone, kNotInFile},  // loop currents: measured by the panel
    {0x0362, 1, 0x0360, 0x0362, kFile},
    {0x0370, 1, 0x0370, 0x0370, kFile},
    {0x0371, 1, 0x0370, kNone, kNotInFile},
    {0x0372, 1, 0x0370, 0x0372, kFile},
    {0x0380, 1, 0x0380, 0x0380, kFile},
    {0x0381, 1, 0x0380, kNone, kNotInFile},
    {0x0382, 1, 0x0380, 0x0382, kFile},
    {0x0390, 1, 0x0390, 0x0390, kFile},
    {0x0391, 1, 0x0390, kNone, kNotInFile},
    {0x0392, 1, 0x0390, 0x0392, kFile},
    {0x03A0, 1, 0x03A0, 0x03A0, kFile},
    {0x03A1, 8, 0x03A0, 0x03A1, kFile},
    {0x03A9, 1, 0x03A0, 0x03A9, kFile},
    {0x03B0, 1, 0x03B0, 0x03B0, kFile},
    {0x03B1, 8, 0x03B0, 0x03B1, kFile},
    {0x03B9, 1, 0x03B0, 0x03B9, kFile},
    {0x03C0, 1, 0x03C0, 0x03C0, kFile},
    {0x03C1, 8, 0x03C0, 0x03C1, kFile},
    {0x03C9, 1, 0x03C0, 0x03C9, kFile},
    {0x03D0, 1, 0x03D0, 0x03D0, kFile},
    {0x03D1, 8, 0x03D0, 0x03D1, kFile},
    {0x03D9, 1, 0x03D0, 0x03D9, kFile},
    {0x03E0, 1, 0x03E0, 0x03E0, kFile},
    {0x03E1, 8, 0x03E0, 0x03E1, kFile},
    {0x03F0, 1, 0x03F0, 0x03F0, kFile},
    {0x03F1, 8, 0x03F0, 0x03F1, kFile},
    {0x03FB, 3, 0x03FB, kNone, kFile},  // clock copy: only the clock write sets it
    {0x03FE, 1, 0x03FE, 0x03FE, kFile},
}};

int indexOf(int address)
{
    for (size_t i = 0; i < kBlocks.size(); ++i)
        if (kBlocks[i].address == address)
            return int(i);
    return kNone;
}

int checkedIndex(int address)
{
    const int index = indexOf(address);
    if (index == kNone)
        throw std::out_of_range("no image block starts at this address");
    return index;
}

std::vector<ReadUnit> buildReadUnits()
{
    std::vector<ReadUnit> units = {
        {0x0000, 1, {0x0000}},
        {0x0101, 1, {0x0101}},
        {0x000A, 1, {0x000A}},
        {0x0014, 1, {0x0014}},
        {0x0062, 4, {0x0062, 0x0063, 0x0064, 0x0065}},
        {0x0066, 26, {0x0066}},
        {0x0080, 1, {0x0080}},
        {0x0081, 5, {0x0081, 0x0082, 0x0083, 0x0084, 0x0085}},
        {0x0086, 26, {0x0086}},
        {0x00A0, 7, {0x00A0, 0x00A4}},  // byte 00A3 is dropped
        {0x00A8, 4, {0x00A8}},
        {0x0102, 3, {0x0102}},
        {0x0110, 32, {0x0110}},
        {0x0130, 16, {0x0130}},
        {0x0140, 16, {0x0140}},
        {0x0150, 16, {0x0150}},
        {0x0160, 16, {0x0160}},
        {0x0180, 16, {0x0180, 0x0184, 0x0188, 0x018C}},
        {0x0190, 29, {0x0190}},
        {0x0200, 8, {0x0200, 0x0202, 0x0204, 0x0206}},
        {0x0300, 7, {0x0300, 0x0301, 0x0302, 0x0304, 0x0305, 0x0306}},  // byte 0303 is dropped
        {0x030B, 1, {0x030B}},
    };
    for (int n = 1; n <= 4; ++n)
        units.push_back({block::LoopMode(n), 3, {block::LoopMode(n), block::LoopCurrent(n), block::LoopDelays(n)}});
    for (int u = 1; u <= 4; ++u)
        units.push_back({block::PasswordLength(u), 10,
                         {block::PasswordLength(u), block::PasswordDigits(u), block::LoopAccess(u)}});
    for (int u = 5; u <= 6; ++u)
        units.push_back({block::PasswordLength(u), 9, {block::PasswordLength(u), block::PasswordDigits(u)}});
    units.push_back({block::kClockCopy, 3, {block::kClockCopy}});
    units.push_back({block::kClockCorrection, 1, {block::kClockCorrection}});
    // The pause between the numbers, after the other settings: written back
    // as read instead of as whatever the image held before.
    units.push_back({block::kNumberPause, 1, {block::kNumberPause}});
    for (int k = 0; k < kCodePieceCount; ++k)
        units.push_back({block::kCodes + kCodePieceBytes * k, kCodePieceBytes, {block::kCodes}, k});
    return units;
}

std::vector<WriteUnit> buildWriteUnits()
{
    std::vector<WriteUnit> units = {
        {0x0000, {0x0000}},
        {0x000A, {0x000A}},
        {0x0014, {0x0014}},
        {0x0062, {0x0062}},
        {0x0064, {0x0064, 0x0065, 0x0066}},
        {0x0080, {0x0080}},
        {0x0082, {0x0082, 0x0083}},
        {0x0085, {0x0085, 0x0086}},
        {0x00A0, {0x00A0}},
        {0x00A4, {0x00A4}},
        {0x00A8, {0x00A8}},
        {0x0105, {0x0105}},
        {0x0110, {0x0110}},
        {0x0130, {0x0130}},
        {0x0140, {0x0140}},
        {0x0150, {0x0150}},
        {0x0160, {0x0160}},
        {0x0180, {0x0180, 0x0184, 0x0188, 0x018C}},
        {0x0190, {0x0190}},
        {0x0200, {0x0200, 0x0202, 0x0204, 0x0206}},
    };
    for (int k = 0; k < kCodePieceCount; ++k)
        units.push_back({block::kCodes + kCodePieceBytes * k, {block::kCodes}, k});
    units.push_back({0x0300, {0x0300, 0x0301, 0x0302}});
    units.push_back({0x0304, {0x0304, 0x0305, 0x0306}});
    units.push_back({0x030B, {0x030B}});
    for (int n = 1; n <= 4; ++n) {
        units.push_back({block::LoopMode(n), {block::LoopMode(n)}});
        units.push_back({block::LoopDelays(n), {block::LoopDelays(n)}});
    }
    for (int u = 1; u <= 6; ++u) {
        units.push_back({block::PasswordLength(u), {block::PasswordLength(u)}});
        units.push_back({block::PasswordDigits(u), {block::PasswordDigits(u)}});
        if (u <= 4)
            units.push_back({block::LoopAccess(u), {block::LoopAccess(u)}});
    }
    units.push_back({block::kClockCorrection, {block::kClockCorrection}});
    // The panel's speed and address last, so that everything else is written
    // while it still listens at the old ones.
    units.push_back({block::kPanelBaud, {block::kPanelBaud}});
    units.push_back({block::kPanelAddress, {block::kPanelAddress}});
    return units;
}

}  // namespace

const std::array<BlockInfo, kBlockCount>& Blocks()
{
    return kBlocks;
}

const BlockInfo* FindBlock(int address)
{
    const int index = indexOf(address);
    return index == kNone ? nullptr : &kBlocks[size_t(index)];
}

const std::vector<int>& FileBlocks()
{
    static const std::vector<int> blocks = [] {
        std::vector<int> list;
        for (const BlockInfo& info : kBlocks)
            if (info.inFile)
                list.push_back(info.address);
        return list;
    }();
    return blocks;
}

QString AddressText(int address)
{
    return QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

const std::vector<ReadUnit>& ReadUnits()
{
    static const std::vector<ReadUnit> units = buildReadUnits();
    return units;
}

const std::vector<WriteUnit>& WriteUnits()
{
    static const std::vector<WriteUnit> units = buildWriteUnits();
    return units;
}

QString ConfigImage::block(int address) const
{
    return texts_[size_t(checkedIndex(address))];
}

void ConfigImage::setBlock(int address, const QString& text)
{
    texts_[size_t(checkedIndex(address))] = text;
}

void ConfigImage::clearBlock(int address)
{
    texts_[size_t(checkedIndex(address))].clear();
}

void StoreReadUnit(ConfigImage& image, const ReadUnit& unit, const QString& payload)
{
    if (unit.codePiece != kNone) {
        image.setBlock(block::kCodes, unit.codePiece == 0 ? payload : image.block(block::kCodes) + payload);
        return;
    }
    if (unit.blocks.size() == 1) {
        image.setBlock(unit.blocks.front(), payload);
        return;
    }
    for (int address : unit.blocks) {
        const BlockInfo* info = FindBlock(address);
        image.setBlock(address, payload.mid(2 * (address - unit.address), 2 * info->length));
    }
}

QString WriteUnitData(const ConfigImage& image, const WriteUnit& unit)
{
    if (unit.codePiece != kNone)
        return image.block(block::kCodes).mid(2 * kCodePieceBytes * unit.codePiece, 2 * kCodePieceBytes);
    QString data;
    for (int address : unit.blocks)
        data += image.block(address);
    return data;
}

}  // namespace nodra::config
