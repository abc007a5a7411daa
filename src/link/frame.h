#pragma once
// The panel's framed ASCII protocol: every exchange is one request frame and
// one reply frame of printable characters, data as upper-case hex text.
//
//   request  ":" addr(2) command(2) payload(n) checksum(2) ";"
//   reply    ":" header(6) data(n)            checksum(2) ";"
//
// The reply header (device address, status pair, command code) is not
// interpreted; the data starts right after it.

#include <QString>
#include <QStringView>
#include <optional>

namespace nodra::link {

inline constexpr QChar kFrameStart = u':';
inline constexpr QChar kFrameEnd = u';';
inline constexpr int kReplyHeaderLength = 6;
inline constexpr int kChecksumLength = 2;
// ":" + header + checksum + ";": a reply of this length carries no data.
inline constexpr int kReplyOverhead = 1 + kReplyHeaderLength + kChecksumLength + 1;

// What the text-returning transactions give instead of a reply.
inline const QString kFailed = QStringLiteral("ERR");

// Low byte of the sum of the character codes, ":" and ";" left out, as two
// upper-case hex digits; empty for an empty text.
QString FrameChecksum(QStringView text);

// ":" + device address + command + payload + checksum + ";".
QString BuildFrame(QStringView deviceAddress, QStringView command, QStringView payload);

enum class ChecksumCheck { Verify, Skip };

// Shape, then (if asked) checksum, then "not an echo of the request".
bool CheckReply(QStringView reply, QStringView request, ChecksumCheck checksum);

// Shape and checksum only: the first two checks of CheckReply. The three-try
// routines loop on this and test for an echo once they leave the loop.
bool CheckReplyFrame(QStringView reply, ChecksumCheck checksum);

// The reply without its first seven and last three characters.
QString ReplyPayload(QStringView reply);

// The value of one byte of panel data: exactly two hex digits, either case;
// nothing for a sign, a blank or any other character.
std::optional<int> HexByteValue(QStringView digits);

}  // namespace nodra::link
