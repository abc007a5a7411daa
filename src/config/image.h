#pragma once
// The configuration image: the program's copy of the panel's parameter
// memory, 73 blocks each named by its start address and held as hex text,
// and the one table that read-all, write-all and the settings file walk.

#include <QString>
#include <array>
#include <vector>

namespace nodra::config {

inline constexpr int kBlockCount = 73;
inline constexpr int kFileBlockCount = 66;
inline constexpr int kNone = -1;  // no read unit / no write unit

struct BlockInfo {
    int address;    // start address in parameter memory
    int length;     // bytes a read from the panel puts in; the image does not enforce it
    int readUnit;   // start address of the read that brings it in; kNone: never read
    int writeUnit;  // start address of the write that sends it; kNone: never written
    bool inFile;    // carried in the settings file
};

// All 73 blocks in address order.
const std::array<BlockInfo, kBlockCount>& Blocks();
// The block starting at this address; nullptr for an address that starts none.
const BlockInfo* FindBlock(int address);
// The 66 blocks of the settings file, in file order (ascending address).
const std::vector<int>& FileBlocks();

// Four upper-case hex digits, as frames and messages carry an address.
QString AddressText(int address);

// Addresses of the blocks other subsystems act on by name.
namespace block {
inline constexpr int kFireRelay = 0x0000;
inline constexpr int kFaultRelay = 0x000A;
inline constexpr int kSirenOutput = 0x0014;
inline constexpr int kDiallingAttempts = 0x0062;
inline constexpr int kNotInterpreted = 0x0063;
inline constexpr int kReadyWait = 0x0064;
inline constexpr int kReportingFormats = 0x0065;
inline constexpr int kTelephone1 = 0x0066;
inline constexpr int kPollPeriod = 0x0080;
inline constexpr int kPanelBaud = 0x0081;
inline constexpr int kAutoReset = 0x0082;
inline constexpr int kDiallerFlags = 0x0083;
inline constexpr int kPanelAddress = 0x0084;
inline constexpr int kNetworkFlags = 0x0085;
inline constexpr int kTelephone2 = 0x0086;
inline constexpr int kTestSchedule1 = 0x00A0;
inline constexpr int kTestSchedule2 = 0x00A4;
inline constexpr int kDeviceCode = 0x00A8;
inline constexpr int kFirmwareVersion = 0x0101;
inline constexpr int kOperatingTime = 0x0102;
inline constexpr int kNumberPause = 0x0105;
inline constexpr int kObjectText = 0x0110;
inline constexpr int kLoopExtendedCommon = 0x0190;
inline constexpr int kObjectNumber1 = 0x0200;
inline constexpr int kObjectNumber2 = 0x0202;
inline constexpr int kTestCode1 = 0x0204;
inline constexpr int kTestCode2 = 0x0206;
inline constexpr int kCodes = 0x0208;
inline constexpr int kFireRelayRules = 0x0300;   // three rows: 0300-0302
inline constexpr int kFaultRelayRules = 0x0304;  // three rows: 0304-0306
inline constexpr int kSirenLimit = 0x030B;
inline constexpr int kClockCopy = 0x03FB;
inline constexpr int kClockCorrection = 0x03FE;

// Loop n (1 to 4).
constexpr int LoopText(int n) { return 0x0130 + 0x10 * (n - 1); }
constexpr int LoopExtendedRecord(int n) { return 0x0180 + 4 * (n - 1); }
constexpr int LoopMode(int n) { return 0x0360 + 0x10 * (n - 1); }
constexpr int LoopCurrent(int n) { return LoopMode(n) + 1; }
constexpr int LoopDelays(int n) { return LoopMode(n) + 2; }
// User u (1 to 6); only users 1 to 4 have an access block.
constexpr int PasswordLength(int u) { return 0x03A0 + 0x10 * (u - 1); }
constexpr int PasswordDigits(int u) { return PasswordLength(u) + 1; }
constexpr int LoopAccess(int u) { return PasswordLength(u) + 9; }
}  // namespace block

// The codes block travels in five pieces of 32 bytes each way.
inline constexpr int kCodePieceCount = 5;
inline constexpr int kCodePieceBytes = 32;

// One read of read-all: `count` bytes from `address`, cut into `blocks`.
struct ReadUnit {
    int address;
    int count;
    std::vector<int> blocks;  // in address order
    int codePiece = kNone;    // 0-4 for the pieces of the codes block
};
// The 40 reads in the order read-all makes them: 35 of the settings (the
// pause 0105 last of them), then the five pieces of the codes.
const std::vector<ReadUnit>& ReadUnits();

// One write of write-all: the blocks' texts joined, or a piece of the codes.
struct WriteUnit {
    int address;
    std::vector<int> blocks;  // joined in this order
    int codePiece = kNone;    // 0-4: characters 64 k + 1 to 64 (k + 1) of block 0208
};
// The 55 writes in the order write-all makes them (0081 and 0084 last).
const std::vector<WriteUnit>& WriteUnits();

class ConfigImage {
public:
    // Every block empty, as before the first read.
    ConfigImage() = default;

    // Throw std::out_of_range for an address that starts no block.
    QString block(int address) const;
    void setBlock(int address, const QString& text);  // no check of length or characters
    void clearBlock(int address);

    friend bool operator==(const ConfigImage&, const ConfigImage&) = default;

private:
    std::array<QString, kBlockCount> texts_;
};

// Stores the data of a read (the reply's payload) into its blocks: a unit of
// one block whole, a unit of several cut at fixed positions, two characters a
// byte; the first piece of the codes replaces block 0208, the others append.
void StoreReadUnit(ConfigImage& image, const ReadUnit& unit, const QString& payload);

// The data a write sends, exactly as the image holds the blocks now.
QString WriteUnitData(const ConfigImage& image, const WriteUnit& unit);

}  // namespace nodra::config
