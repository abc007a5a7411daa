#pragma once
// Whole files as bytes, for the tests of the file formats.

#include <QByteArray>
#include <QString>

namespace nodra::test {

// Empty when the file cannot be read.
QByteArray ReadFileBytes(const QString& path);
// False when the file cannot be written.
bool WriteFileBytes(const QString& path, const QByteArray& bytes);

}  // namespace nodra::test
