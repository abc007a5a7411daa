#pragma once
// Windows-1251, one byte per character: the panel's text bytes and the
// communicator settings file of the installers' Windows machines. QtCore has no
// converter for it, so the upper half of the code page is a table here.

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

namespace nodra::config {

// The character of a text byte. Bytes 00-7F are ASCII; 98, which the code
// page leaves unassigned, stands for U+0098 so that it survives a round trip.
QChar CharFromWin1251(quint8 byte);

// The text byte of a character; nothing for a character the panel cannot show.
std::optional<quint8> Win1251FromChar(QChar c);

// Whole texts; the encoder gives nothing when any character has no byte.
QString DecodeWin1251(QByteArrayView bytes);
std::optional<QByteArray> EncodeWin1251(QStringView text);

}  // namespace nodra::config
