#pragma once
// Windows-1251, the 8-bit code page of the installers' Windows machines: the
// panel stores its texts in it and the communicator settings file is written
// in it. Every one of the 256 bytes has a character here (0x98, unassigned in
// the code page, stands for U+0098), so bytes survive a decode and an encode.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace nodra::gprs {

QString DecodeCp1251(QByteArrayView bytes);
// Nothing when a character has no byte in the code page.
std::optional<QByteArray> EncodeCp1251(QStringView text);
// The byte of one character, nothing when it has none.
std::optional<quint8> Cp1251Byte(QChar c);

}  // namespace nodra::gprs
