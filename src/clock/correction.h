#pragma once
// The clock correction of the parameters tab: the track bar TimeCorrection
// (1 to 9), its label and the byte the panel keeps at 03FE.

#include <QString>
#include <optional>

namespace nodra::clock {

inline constexpr int kFirstCorrection = 1;
inline constexpr int kLastCorrection = 9;
inline constexpr int kNoCorrection = 5;  // the form's position: "0 мин."

struct ClockCorrectionState {
    int position = kNoCorrection;  // TimeCorrection "Коррекция хода часов за 30 дней", label CorrectionStatus

    friend bool operator==(const ClockCorrectionState&, const ClockCorrectionState&) = default;
};

// CorrectionStatus for a position ("-2 мин."); empty outside 1 to 9.
QString CorrectionLabel(int position);
// The byte of a position as two hex digits ("6F"); empty outside 1 to 9.
QString CorrectionByte(int position);
// The position of a byte value; nothing for a byte not in the table.
std::optional<int> CorrectionPosition(int byteValue);

}  // namespace nodra::clock
