#include "sim/panel_memory.h"

namespace nodra::sim {

namespace {

struct Preset {
    int address;
    const char* hex;
};

// The settings of a panel as it leaves the factory (115200 baud, address 0).
constexpr Preset kFactoryEeprom[] = {
    {0x0000, "01"}, {0x000A, "01"}, {0x0014, "01"},
    {0x0062, "14033311"}, {0x0066, "0102040F"},
    {0x0080, "FF1305090000"}, {0x0086, "0102040F"},
    {0x00A0, "180E1100180F13"}, {0x00A8, "FFFFFFFF"},
    {0x0101, "13"}, {0x0102, "0004D2"}, {0x0105, "00"},
    {0x0110, "CDEEE4F0E02D312F32"}, {0x0130, "DDF2E0E620B933"}, {0x0140, "CFEEE4E2E0EB"},
    {0x0150, "CAE0E1E8EDE5F220B937"}, {0x0160, "CAEEF0E8E4EEF0"},
    {0x0180, "DE3D3C16DE3D3C16DE3D3C16DE3D3C16"},
    {0x0190, "FF01010101010101010101010101010101DEDEDEDE14141414A1A1A1A1"},
    {0x0200, "0000000016021602"},
    {0x0300, "1E0000FF00001E"}, {0x030B, "00"},
    {0x0360, "016133"}, {0x0370, "015E33"}, {0x0380, "016033"}, {0x0390, "015F33"},
    {0x03A0, "0101FFFFFFFFFFFFFF1E"}, {0x03B0, "0102FFFFFFFFFFFFFF04"},
    {0x03C0, "0103FFFFFFFFFFFFFF08"}, {0x03D0, "0104FFFFFFFFFFFFFF10"},
    {0x03E0, "0105FFFFFFFFFFFFFF"}, {0x03F0, "0106FFFFFFFFFFFFFF"},
    {0x03FB, "0A1B00"}, {0x03FE, "71"},
    // The communicator's fields in parameter memory: keep-alive message
    // "5000 180000" with suffix 14, check on with a 40 x 5 s period, access
    // point "internet" on both SIM cards, the message header.
    {0x0015, "3530303020313830303030140F"}, {0x0060, "28"},
    {0x00D0, "696E7465726E65740101"}, {0x00E8, "696E7465726E65740101"},
    {0x0170, "353030302031380101"},
};

// Report codes as the panel ships them: (code, how many rows) in row order.
constexpr std::pair<const char*, int> kFactoryCodes[] = {
    {"1627", 6}, {"1628", 6}, {"3571", 4}, {"1571", 4}, {"1118", 4}, {"3118", 4},
    {"1110", 4}, {"3110", 4}, {"1373", 4}, {"3373", 4}, {"1130", 4}, {"1330", 1},
    {"3330", 1}, {"1426", 1}, {"3426", 1}, {"1532", 1}, {"1531", 1}, {"1532", 1},
    {"1531", 1}, {"1532", 1}, {"1531", 1}, {"1551", 1}, {"3551", 1}, {"1301", 1},
    {"3301", 1}, {"1311", 1}, {"3311", 1}, {"1308", 1}, {"1305", 1}, {"1461", 1},
    {"1305", 1}, {"1520", 1}, {"1601", 1}, {"1354", 1}, {"1307", 2}, {"1621", 1},
    {"0000", 6},
};

// The communicator as it ships: no alternative number, and in each of the six
// server records a local port and a server entry; every text ends in 0F.
struct TextPreset {
    int address;
    const char* text;
};
constexpr TextPreset kFactoryCommunicatorTexts[] = {
    {0x0000, ""},
    {0x00A0, "7789"}, {0x00A6, "\"TCP\",\"192.0.2.10\",7789"},
    {0x00D0, "7789"}, {0x00D6, "\"TCP\",\"192.0.2.10\",7789"},
    {0x0100, "7789"}, {0x0106, "\"TCP\",\"192.0.2.10\",7789"},
    {0x0130, "7790"}, {0x0136, "\"UDP\",\"192.0.2.10\",7790"},
    {0x0160, "7790"}, {0x0166, "\"UDP\",\"192.0.2.10\",7790"},
    {0x0190, "7790"}, {0x0196, "\"UDP\",\"192.0.2.10\",7790"},
};

// A short journal: power on, installer's menu, loops switched on, cover closed.
constexpr char kFactoryJournal[] = "45040A1011121337";

}  // namespace

PanelMemory::PanelMemory()
    : eeprom_(kMemorySize, char(0xFF)), ram_(kMemorySize, 0), communicator_(kMemorySize, char(0xFF))
{
    for (const Preset& preset : kFactoryEeprom)
        writeHex(Area::Eeprom, preset.address, QString::fromLatin1(preset.hex));
    QString codes;
    for (const auto& [code, rows] : kFactoryCodes)
        codes += QString::fromLatin1(code).repeated(rows);
    writeHex(Area::Eeprom, 0x0208, codes);

    for (const TextPreset& preset : kFactoryCommunicatorTexts)
        write(Area::Communicator, preset.address, QByteArray(preset.text) + char(0x0F));

    const QString journal = QString::fromLatin1(kFactoryJournal);
    writeHex(Area::Ram, address::kJournal, journal);
    ram_[address::kJournalPointer] = char(journal.size() / 2);
}

QByteArray& PanelMemory::area(Area which)
{
    switch (which) {
    case Area::Eeprom: return eeprom_;
    case Area::Ram: return ram_;
    case Area::Communicator: return communicator_;
    }
    return eeprom_;
}

const QByteArray& PanelMemory::area(Area which) const
{
    return const_cast<PanelMemory*>(this)->area(which);
}

QString PanelMemory::read(Area which, int address, int count) const
{
    const QByteArray& memory = area(which);
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(memory[(address + i) % kMemorySize]);
    return QString::fromLatin1(bytes.toHex().toUpper());
}

void PanelMemory::write(Area which, int address, const QByteArray& bytes)
{
    QByteArray& memory = area(which);
    for (int i = 0; i < bytes.size(); ++i)
        memory[(address + i) % kMemorySize] = bytes[i];
}

void PanelMemory::writeHex(Area which, int address, const QString& hex)
{
    write(which, address, QByteArray::fromHex(hex.toLatin1()));
}

quint8 PanelMemory::byte(Area which, int address) const
{
    return quint8(area(which)[address % kMemorySize]);
}

}  // namespace nodra::sim
