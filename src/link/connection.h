#pragma once
// Serial connection settings as the installer enters them: the two baud
// lists, the panel's baud codes and the rules of the address fields.

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

namespace nodra::link {

inline constexpr int kBaudCount = 7;
inline constexpr int kDefaultBaudIndex = 5;  // 115200
inline constexpr qint32 kDefaultBaud = 115200;

// Port speed for each index of both lists.
inline constexpr qint32 kBauds[kBaudCount] = {9600, 19200, 38400, 56000, 57600, 115200, 256000};

// Entries of the link baud list (seven characters each, trailing blanks kept);
// device search shows them in its messages.
const QStringList& LinkBaudEntries();
// Entries of the panel baud list on the parameters tab (six characters each).
const QStringList& PanelBaudEntries();
// The panel's code for each speed, as stored in its baud byte (block 0081).
const QStringList& PanelBaudCodes();

// -1 when the speed is none of the seven.
int BaudIndex(qint32 baud);
// -1 when the code is none of the seven.
int BaudIndexOfCode(const QString& code);

// Keys as the edit fields receive them: typed characters, and the control
// characters of Backspace, Enter, Ctrl+V and Ctrl+Z.
inline constexpr QChar kKeyBackspace = QChar(0x08);
inline constexpr QChar kKeyEnter = QChar(0x0D);
inline constexpr QChar kKeyPaste = QChar(0x16);  // Ctrl+V
inline constexpr QChar kKeyUndo = QChar(0x1A);   // Ctrl+Z

// Address fields (Edit17 on the command column, Edit25 on the parameters tab).
// Key filter: Backspace, Enter, Ctrl+V, Ctrl+Z, 0-9, A-F, a-f; a text that
// begins with "f" takes no further "f".
bool AddressKeyAccepted(const QString& text, QChar key);
// Change rule: from two characters on, a decimal value above 254 becomes
// "254" and a text that is not a decimal number "000".
QString AddressChangeRule(const QString& text);
// Leaving rule: padded with zeros to three characters.
QString AddressLeavingRule(const QString& text);

// "ОК": the field's decimal value as the two-digit device address; nothing
// when the field does not hold a number the panel can have (0 to 254).
std::optional<QString> DeviceAddressFromField(const QString& text);
// The field's text for a device address: decimal, three digits.
QString FieldFromDeviceAddress(const QString& address);

}  // namespace nodra::link
