#pragma once
// The 80 events the panel knows, numbers 4 to 83, with the names and colours
// the journal list, the code table and the printouts show. Row r of the code
// table is event r + 3.

#include <QString>
#include <QtGlobal>

namespace nodra::journal {

inline constexpr int kFirstEvent = 4;
inline constexpr int kLastEvent = 83;
inline constexpr int kEventCount = kLastEvent - kFirstEvent + 1;  // 80

// A colour as red, green, blue components (QtCore has no colour type).
struct Rgb {
    quint8 red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

bool IsKnownEvent(int number);
// The event's name; for an unknown number "Неизвестное событие (N)".
QString EventName(int number);
// The event's colour; black for an unknown number.
Rgb EventColour(int number);

// Event of a code table row (1 to 80).
constexpr int EventOfCodeRow(int row) { return row + 3; }

}  // namespace nodra::journal
