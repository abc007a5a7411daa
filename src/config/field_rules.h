#pragma once
// The text rules of the edit fields on the settings tabs, as pure functions:
// key filters (is this key taken?), change rules (run on every change) and
// leaving rules (run when the field loses the focus). Keys arrive as the
// characters of link/connection.h (Backspace, Enter, Ctrl+V, Ctrl+Z).
// The address field Edit25 shares the link address rules of link/connection.h.

#include <QChar>
#include <QString>
#include <optional>

namespace nodra::config {

// A field's text read as a decimal integer; nothing when it is not one.
std::optional<qint64> DecimalValue(const QString& text);

// Password fields Edit11-Edit16: Backspace, and digits while the field holds
// fewer than eight characters.
bool PasswordKeyAccepted(const QString& text, QChar key);

// Telephone number fields LabeledEdit1, LabeledEdit3 (24 characters).
// Keys: Backspace, Ctrl+V, Ctrl+Z, 0-9, A-D, a-d.
bool TelephoneKeyAccepted(QChar key);
// Change: every character other than 0-9, A-D, a-d is removed (a paste).
QString TelephoneChangeRule(const QString& text);
// Leaving: upper case.
QString TelephoneLeavingRule(const QString& text);

// Hexadecimal fields LabeledEdit2, LabeledEdit4, Edit18, Edit19 (object
// numbers and test message codes, 4 characters).
// Keys: Backspace, Ctrl+V, Ctrl+Z, 0-9, A-F, a-f.
bool HexFieldKeyAccepted(QChar key);
// Leaving: upper case, then "0" in front up to four characters.
QString HexFieldLeavingRule(const QString& text);

// Numeric fields AdvEdit1-AdvEdit6: Backspace, Enter, Ctrl+V, Ctrl+Z, digits.
bool NumericKeyAccepted(QChar key);

// AdvEdit6, pause between the numbers (2 characters, 0-99 s).
// Change: from two characters on, 100 or more gives "99", no number "00".
QString PauseChangeRule(const QString& text);
// Leaving: empty "00", one character gets "0" in front, 100 or more "99",
// negative or no number "00".
QString PauseLeavingRule(const QString& text);

// AdvEdit5, maximum polling period (3 characters, 1-255 s).
// Change: from two characters on, 256 or more gives "255", no number "001".
QString PollPeriodChangeRule(const QString& text);
// Leaving: empty "001"; padded with "0" to three characters; then 256 or
// more "255", 0 or less "001", no number "001".
QString PollPeriodLeavingRule(const QString& text);

// AdvEdit1-AdvEdit4, the parts of the device code (3 characters, 0-255).
// Key check, run on the text before every key: 256 or more gives "255",
// a text that is no number "0"; an empty field stays empty, so that the
// first digit typed is not put behind a zero.
QString DeviceCodeKeyCheck(const QString& text);
// Leaving: the same check, and an emptied field becomes "0".
QString DeviceCodeLeavingRule(const QString& text);

}  // namespace nodra::config
