// Parameters tab: firmware version and operating time (shown only), polling
// period, panel speed and address, network flags, device code and the text
// identifiers of the object and the loops.

#include "config/codec_steps.h"
#include "config/field_rules.h"
#include "config/labels.h"
#include "config/win1251.h"
#include "link/connection.h"

namespace nodra::config::codec {

namespace {

constexpr int kNetworkBit = 0;
constexpr int kRemoteCommunicatorBit = 1;
constexpr int kPollCheckBit = 2;
constexpr int kDeviceCodeParts = 4;
constexpr int kNoAddress = 0xFF;  // never a panel's address: stored as 00

struct TextField {
    int block;
    int bytes;
    const char16_t* caption;
};

const TextField kTextFields[1 + kLoopCount] = {
    {block::kObjectText, kObjectTextLength, u"Параметры, Объект"},
    {block::LoopText(1), kLoopTextLength, u"Параметры, ШС 1"},
    {block::LoopText(2), kLoopTextLength, u"Параметры, ШС 2"},
    {block::LoopText(3), kLoopTextLength, u"Параметры, ШС 3"},
    {block::LoopText(4), kLoopTextLength, u"Параметры, ШС 4"},
};

QString& textOf(ParametersState& parameters, int field)
{
    return field == 0 ? parameters.objectText : parameters.loopTexts[size_t(field - 1)];
}

const QString& textOf(const ParametersState& parameters, int field)
{
    return field == 0 ? parameters.objectText : parameters.loopTexts[size_t(field - 1)];
}

const QString kDeviceCodeSetting = QStringLiteral("Параметры, Код прибора");

}  // namespace

void DecodeFirmwareVersion(const ImageReader& in, ParametersState& parameters)
{
    parameters.firmwareVersion = FirmwareVersionText(in.text(block::kFirmwareVersion));
}

void DecodePollPeriodAndBaud(const ImageReader& in, ParametersState& parameters)
{
    const quint32 period = in.value(block::kPollPeriod, QStringLiteral("Параметры, Максимальный период опроса"));
    parameters.pollPeriod = PollPeriodLeavingRule(QString::number(period));
    // A code the list does not know leaves the selection alone.
    const QString code = in.text(block::kPanelBaud).toUpper();
    if (const int index = link::BaudIndexOfCode(code); index >= 0)
        parameters.panelBaud = index;
}

void EncodePollPeriodAndBaud(const ParametersState& parameters, ImageWriter& out)
{
    out.set(block::kPollPeriod,
            HexByte(out.byteField(parameters.pollPeriod, QStringLiteral("Параметры, Максимальный период опроса"))));
    const int baud = out.selection(parameters.panelBaud, link::kBaudCount, QStringLiteral("Параметры, Скорость обмена"));
    out.set(block::kPanelBaud, link::PanelBaudCodes()[baud]);
}

QString DecodePanelAddress(const ImageReader& in, ParametersState& parameters)
{
    const quint32 address = in.value(block::kPanelAddress, QStringLiteral("Параметры, Адрес прибора"));
    parameters.panelAddress = link::AddressLeavingRule(QString::number(address));
    return parameters.panelAddress;
}

void DecodeNetworkFlags(const ImageReader& in, ParametersState& parameters)
{
    const quint32 flags = in.value(block::kNetworkFlags, QStringLiteral("Параметры, Подключение"));
    parameters.networkConnection = IsSet(flags, kNetworkBit);
    parameters.remoteCommunicator = IsSet(flags, kRemoteCommunicatorBit);
    parameters.pollCheck = IsSet(flags, kPollCheckBit);
}

void EncodePanelAddress(const ParametersState& parameters, ImageWriter& out)
{
    const int address = out.byteField(parameters.panelAddress, QStringLiteral("Параметры, Адрес прибора"));
    out.set(block::kPanelAddress, HexByte(address == kNoAddress ? 0 : address));
    out.set(block::kNetworkFlags, HexByte(Bit(parameters.networkConnection, kNetworkBit)
                                          | Bit(parameters.remoteCommunicator, kRemoteCommunicatorBit)
                                          | Bit(parameters.pollCheck, kPollCheckBit)));
}

void DecodeDeviceCodeAndTime(const ImageReader& in, ParametersState& parameters)
{
    for (int part = 0; part < kDeviceCodeParts; ++part)
        parameters.deviceCode[size_t(part)]
            = DeviceCodeLeavingRule(QString::number(in.byteAt(block::kDeviceCode, part, kDeviceCodeSetting)));
    const auto time = OperatingTimeText(in.text(block::kOperatingTime));
    if (!time)
        in.fail(block::kOperatingTime, QStringLiteral("Параметры, Время наработки прибора"));
    parameters.operatingTime = *time;
}

void EncodeDeviceCode(const ParametersState& parameters, ImageWriter& out)
{
    QString code;
    for (const QString& part : parameters.deviceCode)
        code += HexByte(out.byteField(part, kDeviceCodeSetting));
    out.set(block::kDeviceCode, code);
}

void DecodeTexts(const ImageReader& in, ParametersState& parameters)
{
    for (int field = 0; field <= kLoopCount; ++field) {
        const TextField& text = kTextFields[field];
        // A field holds no zero character: zero bytes add nothing.
        const QByteArray bytes = in.bytes(text.block, QString::fromUtf16(text.caption)).left(text.bytes);
        QString shown;
        for (char byte : bytes)
            if (byte != 0)
                shown += CharFromWin1251(quint8(byte));
        textOf(parameters, field) = shown;
    }
}

void EncodeTexts(const ParametersState& parameters, ImageWriter& out)
{
    for (int field = 0; field <= kLoopCount; ++field) {
        const TextField& text = kTextFields[field];
        const QString& shown = textOf(parameters, field);
        const auto bytes = EncodeWin1251(shown);
        // A longer text would run into the next block in the panel.
        if (!bytes || bytes->size() > text.bytes)
            out.fail(QString::fromUtf16(text.caption), shown);
        out.set(text.block, QString::fromLatin1(bytes->leftJustified(text.bytes, '\0').toHex().toUpper()));
    }
}

}  // namespace nodra::config::codec
