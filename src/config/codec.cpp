#include "config/codec.h"

#include "config/codec_steps.h"
#include "config/field_rules.h"
#include "link/connection.h"

namespace nodra::config {

namespace codec {

quint32 ImageReader::value(int block, const QString& setting) const
{
    const auto number = HexNumber(image_.block(block));
    if (!number)
        fail(block, setting);
    return *number;
}

QString ImageReader::hexText(int block, const QString& setting) const
{
    QString text = image_.block(block);
    if (!IsHexBytes(text))
        fail(block, setting);
    return text;
}

QByteArray ImageReader::bytes(int block, const QString& setting) const
{
    return QByteArray::fromHex(hexText(block, setting).toLatin1());
}

int ImageReader::byteAt(int block, int index, const QString& setting) const
{
    const QByteArray data = bytes(block, setting);
    if (index >= data.size())
        fail(block, setting);
    return quint8(data[index]);
}

void ImageReader::fail(int block, const QString& setting) const
{
    throw ConversionFailure({setting, AddressText(block), image_.block(block)});
}

int ImageWriter::byteField(const QString& text, const QString& setting) const
{
    const auto value = DecimalValue(text);
    if (!value || *value < 0 || *value > 0xFF)
        fail(setting, text);
    return int(*value);
}

int ImageWriter::selection(int index, int count, const QString& setting) const
{
    if (index < 0 || index >= count)
        fail(setting, index < 0 ? QString() : QString::number(index));
    return index;
}

void ImageWriter::fail(const QString& setting, const QString& text) const
{
    throw ConversionFailure({setting, QString(), text});
}

void DecodeCodes(const ImageReader& in, codes::CodesState& codes)
{
    codes.cells = codes::GridFromCodesText(in.text(block::kCodes));
}

void EncodeCodes(const codes::CodesState& codes, ImageWriter& out)
{
    // A cell that reached the grid past the key filter must not reach the panel.
    if (const auto error = codes::NotHexCode(codes.cells))
        out.fail(error->setting, error->text);
    out.set(block::kCodes, codes::CodesTextFromGrid(codes.cells, codes::CodeCase::Upper));
}

void DecodeClockCorrection(const ImageReader& in, clock::ClockCorrectionState& clock)
{
    const quint32 byte = in.value(block::kClockCorrection, QStringLiteral("Параметры, Коррекция хода часов за 30 дней"));
    // A byte outside the table leaves the track bar where it stood.
    if (const auto position = clock::CorrectionPosition(int(byte)))
        clock.position = *position;
}

void EncodeClockCorrection(const clock::ClockCorrectionState& clock, ImageWriter& out)
{
    const QString byte = clock::CorrectionByte(clock.position);
    if (byte.isEmpty())
        out.fail(QStringLiteral("Параметры, Коррекция хода часов за 30 дней"), QString::number(clock.position));
    out.set(block::kClockCorrection, byte);
}

}  // namespace codec

using namespace codec;

DecodeResult DecodeImage(const ConfigImage& image, FormState& state)
{
    DecodeResult result;
    const ImageReader in(image);
    try {
        DecodeFirmwareVersion(in, state.parameters);
        DecodeSwitches(in, state.outputs);
        DecodeDialling(in, state.numbers);
        DecodePollPeriodAndBaud(in, state.parameters);
        DecodeAutoReset(in, state.numbers);
        const quint32 flags = in.value(block::kDiallerFlags, QStringLiteral("Номера и Выходы: флаги дозвона и коммуникатора"));
        DecodeDiallerBits(flags, state.numbers);
        DecodeCommunicatorBits(flags, state.outputs);
        const QString linkField = DecodePanelAddress(in, state.parameters);
        result.linkAddressField = linkField;
        result.deviceAddress = link::DeviceAddressFromField(linkField);
        DecodeNetworkFlags(in, state.parameters);
        DecodeSecondNumberAndTests(in, state.numbers);
        DecodeDeviceCodeAndTime(in, state.parameters);
        DecodeNumberPause(in, state.numbers);
        DecodeTexts(in, state.parameters);
        DecodeObjectNumbers(in, state.numbers);
        DecodeCodes(in, state.codes);
        DecodeRelayRules(in, state.outputs);
        DecodeLoops(in, state.loops);
        DecodeUsers(in, state.users);
        DecodeClockCorrection(in, state.clock);
    } catch (const ConversionFailure& failure) {
        result.error = failure.error();
    }
    return result;
}

EncodeResult EncodeForm(const FormState& state, ConfigImage& image)
{
    EncodeResult result;
    ImageWriter out(image);
    try {
        EncodeSwitches(state.outputs, out);
        EncodeDialling(state.numbers, out);
        EncodePollPeriodAndBaud(state.parameters, out);
        EncodeAutoReset(state.numbers, out);
        out.set(block::kDiallerFlags, HexByte(DiallerBits(state.numbers) | CommunicatorBits(state.outputs)));
        EncodePanelAddress(state.parameters, out);
        EncodeSecondNumberAndTests(state.numbers, out);
        EncodeDeviceCode(state.parameters, out);
        EncodeNumberPause(state.numbers, out);
        EncodeTexts(state.parameters, out);
        EncodeObjectNumbers(state.numbers, out);
        EncodeCodes(state.codes, out);
        EncodeRelayRules(state.outputs, out);
        EncodeLoops(state.loops, out);
        EncodeUsers(state.users, out);
        EncodeClockCorrection(state.clock, out);
    } catch (const ConversionFailure& failure) {
        result.error = failure.error();
    }
    return result;
}

}  // namespace nodra::config
