#pragma once
// Hex text as the image holds it, and the conversion error of the settings
// codec: which setting could not be converted, from which block or field.

#include <QString>
#include <QStringView>
#include <exception>
#include <optional>

namespace nodra::config {

// Only hexadecimal digits, either case; the empty text is one too.
bool IsHexText(QStringView text);
// Hexadecimal digits, two per byte.
bool IsHexBytes(QStringView text);

// A value 0 to 255 as two upper-case hexadecimal digits.
QString HexByte(int value);

// The text read as a hexadecimal number; nothing when it is empty, holds
// anything but hex digits or does not fit 32 bits.
std::optional<quint32> HexNumber(QStringView text);

struct ConversionError {
    QString setting;  // the setting as the tab names it ("ШС 1: вход и выход из помещения")
    QString block;    // the image block that failed ("0362"); empty when a field failed
    QString text;     // the text that could not be converted

    // What the installer reads in the message window.
    QString message() const;
};

// Thrown inside the codec's steps and caught by the step runner; nothing
// outside the codec sees it.
class ConversionFailure : public std::exception {
public:
    explicit ConversionFailure(ConversionError error) : error_(std::move(error)) {}
    const ConversionError& error() const { return error_; }
    const char* what() const noexcept override { return "conversion error"; }

private:
    ConversionError error_;
};

}  // namespace nodra::config
