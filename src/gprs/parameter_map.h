#pragma once
// Where the communicator's settings live and how each is coded. Some lie in
// the panel's parameter memory (read 01, write 02), the rest in the
// communicator's own memory (read 11, write 12); every request goes to device
// address 00. Data travels as upper-case hex text, texts in Windows-1251.

#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace nodra::gprs {

enum class Memory { Panel, Communicator };

// The communicator listens at this address whatever the panel's own is.
inline const QString kCommunicatorAddress = QStringLiteral("00");
inline const QString kFirmwareProbeCommand = QStringLiteral("39");
// "00" + "39": asks for the panel's firmware version.
inline const QString kFirmwareProbeBody = kCommunicatorAddress + kFirmwareProbeCommand;
// Firmware up to this version cannot serve the communicator fully.
inline constexpr int kOutdatedFirmware = 0x0202;

namespace address {
// Panel parameter memory.
inline constexpr int kKeepAlive = 0x0015;         // message, suffix byte, 0F
inline constexpr int kConnection = 0x0060;        // 1 no check, 0 no keep-alive, else period / 5 s
inline constexpr int kProtocol = 0x0065;          // 10 SUR-GARD, 20 SOS 112
inline constexpr int kTestReport = 0x00A0;        // period in hours, hour, minute
inline constexpr int kAccessPoints[] = {0x00D0, 0x00E8};  // SIM1, SIM2; text, 01 01
inline constexpr int kKeepAliveHeader = 0x0170;   // "5000 18", 01 01
inline constexpr int kObject = 0x0200;            // word, high byte first
// Communicator memory.
inline constexpr int kAlternativeNumber = 0x0000;  // digits, 0F
inline constexpr int kFirstServer = 0x00A0;        // six records: SIM1 servers 1-3, SIM2 servers 1-3
inline constexpr int kServerRecord = 0x30;         // 6 bytes of local port, 42 of server entry
inline constexpr int kServerEntryOffset = 6;
}  // namespace address

// Bytes read of each field. The keep-alive message is read with its suffix
// byte and 0F, so that an 11-character message reads back with its suffix;
// a server entry's read runs into the next record, which ends at 0F anyway.
inline constexpr int kKeepAliveReadBytes = 13;
inline constexpr int kAccessPointReadBytes = 26;
inline constexpr int kTestReportBytes = 3;
inline constexpr int kObjectBytes = 2;
inline constexpr int kAlternativeNumberReadBytes = 15;
inline constexpr int kLocalPortBytes = 6;
inline constexpr int kServerEntryReadBytes = 48;

// The longest text each field holds before its terminator.
inline constexpr int kAccessPointMaxLength = 22;       // 24 bytes up to the next SIM's
inline constexpr int kKeepAliveMaxLength = 11;         // 13 bytes with suffix and 0F
inline constexpr int kLocalPortMaxLength = kLocalPortBytes;
inline constexpr int kServerEntryMaxLength = 41;       // 42 bytes with 0F
inline constexpr int kAlternativeNumberMaxLength = kAlternativeNumberReadBytes - 1;
inline constexpr int kObjectMaxDigits = 4;              // one word

// Terminators of the texts.
inline const QByteArray kTextEnd = QByteArray(1, 0x0F);
inline const QByteArray kAccessPointEnd = QByteArray(2, 0x01);

int ServerRecordAddress(int sim, int server);

// "00" + "01"/"11" + count + address.
QString ReadBody(Memory memory, int count, int address);
// "00" + "02"/"12" + address + data.
QString WriteBody(Memory memory, int address, const QString& dataHex);

QString HexByte(int value);
QString HexWord(int value);
QString HexBytes(const QByteArray& bytes);
// Digits+0F: each digit c as the byte 0c ("A" gives 0A), then 0F.
QString DigitsData(const QString& digits);

// A reply whose data cannot be what was asked for; carries the text the
// installer sees.
class ReplyDataError : public std::runtime_error {
public:
    explicit ReplyDataError(const QString& data);
    QString message() const { return message_; }

private:
    QString message_;
};

// Hex digits of a reply read as a number; throws ReplyDataError.
int ReplyNumber(const QString& digits);
// Data byte `index` (from 0) of a reply; throws ReplyDataError.
int ReplyByte(const QString& reply, int index);
// Data byte `index` of a reply as its two characters stand ("" when there is none).
QString ReplyByteText(const QString& reply, int index);
// Data bytes from the first up to the terminator, at most `maxBytes`, or as
// far as the reply goes; throws ReplyDataError on a byte that is not hex.
QByteArray ReplyText(const QString& reply, const QByteArray& terminator, int maxBytes = -1);
// Digits+0F read back: the low hex digit of each byte up to 0F.
QString ReplyDigits(const QString& reply);

}  // namespace nodra::gprs
