#pragma once
// Inside the settings codec: the readers and writers of block texts and the
// steps of each tab. Every failure throws ConversionFailure naming the
// setting; DecodeImage / EncodeForm catch it.

#include "config/conversion.h"
#include "config/form_state.h"
#include "config/image.h"

#include <QByteArray>
#include <QString>

namespace nodra::config::codec {

class ImageReader {
public:
    explicit ImageReader(const ConfigImage& image) : image_(image) {}

    QString text(int block) const { return image_.block(block); }
    // The whole block read as a hexadecimal number.
    quint32 value(int block, const QString& setting) const;
    // The block's text, which must be hex digits, two per byte.
    QString hexText(int block, const QString& setting) const;
    // The block's bytes (hex digits two per byte).
    QByteArray bytes(int block, const QString& setting) const;
    // Byte `index` of the block; the block must be that long.
    int byteAt(int block, int index, const QString& setting) const;

    [[noreturn]] void fail(int block, const QString& setting) const;

private:
    const ConfigImage& image_;
};

class ImageWriter {
public:
    explicit ImageWriter(ConfigImage& image) : image_(image) {}

    void set(int block, const QString& text) { image_.setBlock(block, text); }
    // A field read as a decimal number that fits one byte.
    int byteField(const QString& text, const QString& setting) const;
    // A list selection that must lie in 0 .. count - 1.
    int selection(int index, int count, const QString& setting) const;

    [[noreturn]] void fail(const QString& setting, const QString& text) const;

private:
    ConfigImage& image_;
};

// A flag byte of bits, bit 0 first.
inline int Bit(bool on, int bit) { return on ? 1 << bit : 0; }
inline bool IsSet(quint32 value, int bit) { return (value >> bit) & 1; }

// Loops tab.
void DecodeLoops(const ImageReader& in, LoopsState& loops);
void EncodeLoops(const LoopsState& loops, ImageWriter& out);

// Outputs tab: switches, relay rules with the "СЗО" limit, and the
// communicator bits 0 and 3 of block 0083.
void DecodeSwitches(const ImageReader& in, OutputsState& outputs);
void EncodeSwitches(const OutputsState& outputs, ImageWriter& out);
void DecodeRelayRules(const ImageReader& in, OutputsState& outputs);
void EncodeRelayRules(const OutputsState& outputs, ImageWriter& out);
void DecodeCommunicatorBits(quint32 flags, OutputsState& outputs);
int CommunicatorBits(const OutputsState& outputs);

// Users tab.
void DecodeUsers(const ImageReader& in, UsersState& users);
void EncodeUsers(const UsersState& users, ImageWriter& out);

// Numbers tab, in the codec's order.
void DecodeDialling(const ImageReader& in, NumbersState& numbers);  // 0062, 0064, 0065, 0066
void EncodeDialling(const NumbersState& numbers, ImageWriter& out);
void DecodeAutoReset(const ImageReader& in, NumbersState& numbers);  // 0082
void EncodeAutoReset(const NumbersState& numbers, ImageWriter& out);
void DecodeDiallerBits(quint32 flags, NumbersState& numbers);        // 0083
int DiallerBits(const NumbersState& numbers);
void DecodeSecondNumberAndTests(const ImageReader& in, NumbersState& numbers);  // 0086, 00A0, 00A4
void EncodeSecondNumberAndTests(const NumbersState& numbers, ImageWriter& out);
void DecodeNumberPause(const ImageReader& in, NumbersState& numbers);  // 0105
void EncodeNumberPause(const NumbersState& numbers, ImageWriter& out);
void DecodeObjectNumbers(const ImageReader& in, NumbersState& numbers);  // 0200-0206
void EncodeObjectNumbers(const NumbersState& numbers, ImageWriter& out);

// Parameters tab.
void DecodeFirmwareVersion(const ImageReader& in, ParametersState& parameters);
void DecodePollPeriodAndBaud(const ImageReader& in, ParametersState& parameters);  // 0080, 0081
void EncodePollPeriodAndBaud(const ParametersState& parameters, ImageWriter& out);
// 0084 into Edit25; returns the text it puts into the link address field Edit17.
QString DecodePanelAddress(const ImageReader& in, ParametersState& parameters);
void DecodeNetworkFlags(const ImageReader& in, ParametersState& parameters);  // 0085
void EncodePanelAddress(const ParametersState& parameters, ImageWriter& out);  // 0084, 0085
void DecodeDeviceCodeAndTime(const ImageReader& in, ParametersState& parameters);  // 00A8, 0102
void EncodeDeviceCode(const ParametersState& parameters, ImageWriter& out);
void DecodeTexts(const ImageReader& in, ParametersState& parameters);  // 0110-0160
void EncodeTexts(const ParametersState& parameters, ImageWriter& out);

// Codes tab and clock correction.
void DecodeCodes(const ImageReader& in, codes::CodesState& codes);
void EncodeCodes(const codes::CodesState& codes, ImageWriter& out);
void DecodeClockCorrection(const ImageReader& in, clock::ClockCorrectionState& clock);
void EncodeClockCorrection(const clock::ClockCorrectionState& clock, ImageWriter& out);

}  // namespace nodra::config::codec
