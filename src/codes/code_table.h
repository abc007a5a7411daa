#pragma once
// The event code table of the "Коды" tab: 80 report codes of four hex digits,
// row r for event r + 3, held in the image as block 0208 (320 characters).
// Defaults, grid <-> codes text and the editing rules of a code cell.

#include "config/conversion.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

namespace nodra::codes {

inline constexpr int kRowCount = 80;
inline constexpr int kCodeLength = 4;
inline constexpr int kCodesTextLength = kRowCount * kCodeLength;  // 320
inline const QString kZeroCode = QStringLiteral("0000");  // wherever a code is missing

// What the grid shows.
struct CodesState {
    QStringList cells = QStringList(kRowCount);  // CodeGrid column 1 "Код", rows 1 to 80

    friend bool operator==(const CodesState&, const CodesState&) = default;
};

// The factory codes, rows 1 to 80 joined: Contact ID codes, ending in 24 zeros.
const QString& DefaultCodesText();

enum class CodeCase { Upper, AsTyped };

// Rows 1 to 80: a cell of exactly four characters as it stands, any other
// "0000"; joined and, with CodeCase::Upper, turned to upper case. The codes
// write sends the cells AsTyped. Always 320 characters.
QString CodesTextFromGrid(const QStringList& cells, CodeCase letterCase = CodeCase::Upper);

// Row r gets characters 4r-3 to 4r of the text (shorter or empty when the
// text is short).
QStringList GridFromCodesText(const QString& text);

// Key filter of the code column: 0-9, A-F, a-f, Backspace and Enter pass;
// while the cell holds four or more characters only Backspace and Enter.
bool CodeKeyAccepted(const QString& cellText, QChar key);

// When editing a cell ends: first four characters, upper case, "0" in front
// up to four ("a" gives "000A", an emptied cell "0000").
QString ValidateCodeCell(const QString& text);

// The first row (1 to 80) whose cell has four characters that are not all
// hex digits; 0 when there is none. Such a cell cannot reach the panel.
int FirstRowNotHex(const QStringList& cells);

// The same as the installer reads it: the first such cell named by its
// event ("Коды, <event>"); nothing when every cell can be sent.
std::optional<config::ConversionError> NotHexCode(const QStringList& cells);

}  // namespace nodra::codes
