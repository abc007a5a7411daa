// Numbers tab: the two telephone numbers with their checks, formats, waiting
// times and test messages, and the dialling settings both share.

#include "config/codec_steps.h"
#include "config/field_rules.h"

namespace nodra::config::codec {

namespace {

constexpr int kFreeCheckOffByte = 0x0E;  // first byte of a number: no "Свободно" check
constexpr int kEndByte = 0x0F;           // ends a number shorter than the block
constexpr int kNumberBlockBytes = 25;    // the end byte is left out when the number fills this
constexpr int kSirenNibble = 0xF;        // "Сирена" and "Сирена+Ответ"
constexpr int kHexFieldLength = 4;
constexpr int kBusyBits[2] = {1, 2};          // 0083: the "Занято" check is off
constexpr int kSirenAnswerBits[2] = {4, 5};   // 0083: "Сирена+Ответ"

// Reporting format list index to the nibble of block 0065.
constexpr int kFormatNibbles[kReportingFormatCount] = {0x1, 0x2, 0x4, 0x8, kSirenNibble, kSirenNibble};

const char16_t* const kNumberNames[2] = {u"Первый номер телефона", u"Второй номер телефона"};
constexpr int kTelephoneBlocks[2] = {block::kTelephone1, block::kTelephone2};
constexpr int kTestBlocks[2] = {block::kTestSchedule1, block::kTestSchedule2};

QString numberSetting(int i, const char16_t* what)
{
    return QStringLiteral("Номера, %1: %2").arg(QString::fromUtf16(kNumberNames[i]), QString::fromUtf16(what));
}

// The format of one number from its nibble: F is "Сирена"; otherwise the
// highest set bit wins and a nibble of 0 keeps the selection.
void decodeFormat(int nibble, int& format)
{
    if (nibble == kSirenNibble) {
        format = kSiren;
        return;
    }
    for (int bit = 0; bit < 4; ++bit)
        if (IsSet(quint32(nibble), bit))
            format = bit;
}

bool lowNibbleIs(const QString& text, qsizetype byte, char16_t digit)
{
    return QChar(text[2 * byte + 1]).toUpper() == QChar(digit);
}

void decodeTelephone(const ImageReader& in, int i, TelephoneSettings& telephone)
{
    const QString text = in.hexText(kTelephoneBlocks[i], numberSetting(i, u"номер телефона"));
    qsizetype byte = 0;
    const qsizetype bytes = text.size() / 2;
    telephone.checkFree = !(bytes > 0 && lowNibbleIs(text, 0, u'E'));
    if (!telephone.checkFree)
        byte = 1;
    QString number;
    // The field holds 24 characters: a full number has no end byte after it.
    for (; byte < bytes && number.size() < kTelephoneMaxLength; ++byte) {
        if (lowNibbleIs(text, byte, u'F'))
            break;
        number += text[2 * byte + 1];
    }
    telephone.number = number;
}

void encodeTelephone(const TelephoneSettings& telephone, int i, ImageWriter& out)
{
    const QString setting = numberSetting(i, u"номер телефона");
    // A longer number would run into the next block in the panel; an F
    // would end it early.
    if (telephone.number.size() > kTelephoneMaxLength || !IsHexText(telephone.number)
        || telephone.number.contains(QLatin1Char('F'), Qt::CaseInsensitive))
        out.fail(setting, telephone.number);
    QString data;
    if (!telephone.checkFree)
        data += HexByte(kFreeCheckOffByte);
    for (QChar c : telephone.number)
        data += QLatin1Char('0') + c;
    if (data.size() < 2 * kNumberBlockBytes)
        data += HexByte(kEndByte);
    out.set(kTelephoneBlocks[i], data);
}

void decodeTest(const ImageReader& in, int i, TelephoneSettings& telephone)
{
    const QString setting = numberSetting(i, u"тестовое сообщение");
    const int block = kTestBlocks[i];
    const int period = in.byteAt(block, 0, setting);
    const int hour = in.byteAt(block, 1, setting);
    const int minute = in.byteAt(block, 2, setting);
    if (!QTime::isValid(hour, minute, 0))
        in.fail(block, setting);
    telephone.testPeriodHours = kTestPeriodRange.clamp(period);
    telephone.testStart = QTime(hour, minute);
}

void encodeTest(const TelephoneSettings& telephone, int i, ImageWriter& out)
{
    if (!telephone.testStart.isValid())
        out.fail(numberSetting(i, u"Время начала теста"), QString());
    out.set(kTestBlocks[i], HexByte(telephone.testPeriodHours) + HexByte(telephone.testStart.hour())
                                + HexByte(telephone.testStart.minute()));
}

}  // namespace

void DecodeDialling(const ImageReader& in, NumbersState& numbers)
{
    auto& telephones = numbers.telephones;
    numbers.diallingAttempts = kAttemptsRange.clamp(
        int(in.value(block::kDiallingAttempts, QStringLiteral("Номера, Количество попыток дозвона"))));
    const quint32 wait = in.value(block::kReadyWait, QStringLiteral("Номера, Время ожидания сигнала готовности от ПЦП"));
    telephones[0].readyWait = kReadyWaitRange.clamp(int(wait & 0xF));
    telephones[1].readyWait = kReadyWaitRange.clamp(int((wait >> 4) & 0xF));
    const quint32 formats = in.value(block::kReportingFormats, QStringLiteral("Номера, Протокол передачи данных"));
    decodeFormat(int(formats & 0xF), telephones[0].format);
    decodeFormat(int((formats >> 4) & 0xF), telephones[1].format);
    decodeTelephone(in, 0, telephones[0]);
}

void EncodeDialling(const NumbersState& numbers, ImageWriter& out)
{
    const auto& telephones = numbers.telephones;
    out.set(block::kDiallingAttempts, HexByte(numbers.diallingAttempts));
    out.set(block::kReadyWait, HexByte((telephones[1].readyWait & 0xF) << 4 | (telephones[0].readyWait & 0xF)));
    int nibbles[2];
    for (int i = 0; i < 2; ++i)
        nibbles[i] = kFormatNibbles[out.selection(telephones[size_t(i)].format, kReportingFormatCount,
                                                  numberSetting(i, u"Протокол передачи данных"))];
    out.set(block::kReportingFormats, HexByte(nibbles[1] << 4 | nibbles[0]));
    encodeTelephone(telephones[0], 0, out);
}

void DecodeAutoReset(const ImageReader& in, NumbersState& numbers)
{
    const quint32 hours = in.value(block::kAutoReset, QStringLiteral("Номера, Часы до автосброса коммуникатора в норму"));
    numbers.autoReset = hours != 0;
    if (numbers.autoReset)
        numbers.autoResetHours = kAutoResetRange.clamp(int(hours));
}

void EncodeAutoReset(const NumbersState& numbers, ImageWriter& out)
{
    out.set(block::kAutoReset, numbers.autoReset ? HexByte(numbers.autoResetHours) : QStringLiteral("00"));
}

void DecodeDiallerBits(quint32 flags, NumbersState& numbers)
{
    for (int i = 0; i < 2; ++i) {
        TelephoneSettings& telephone = numbers.telephones[size_t(i)];
        telephone.checkBusy = !IsSet(flags, kBusyBits[i]);
        if (telephone.format == kSiren && IsSet(flags, kSirenAnswerBits[i]))
            telephone.format = kSirenAnswer;
    }
}

int DiallerBits(const NumbersState& numbers)
{
    int bits = 0;
    for (int i = 0; i < 2; ++i) {
        const TelephoneSettings& telephone = numbers.telephones[size_t(i)];
        bits |= Bit(!telephone.checkBusy, kBusyBits[i]) | Bit(telephone.format == kSirenAnswer, kSirenAnswerBits[i]);
    }
    return bits;
}

void DecodeSecondNumberAndTests(const ImageReader& in, NumbersState& numbers)
{
    decodeTelephone(in, 1, numbers.telephones[1]);
    decodeTest(in, 0, numbers.telephones[0]);
    decodeTest(in, 1, numbers.telephones[1]);
}

void EncodeSecondNumberAndTests(const NumbersState& numbers, ImageWriter& out)
{
    encodeTelephone(numbers.telephones[1], 1, out);
    encodeTest(numbers.telephones[0], 0, out);
    encodeTest(numbers.telephones[1], 1, out);
}

void DecodeNumberPause(const ImageReader& in, NumbersState& numbers)
{
    const quint32 pause = in.value(block::kNumberPause, QStringLiteral("Номера, Пауза между номерами"));
    numbers.numberPause = PauseLeavingRule(QString::number(pause));
}

void EncodeNumberPause(const NumbersState& numbers, ImageWriter& out)
{
    out.set(block::kNumberPause, HexByte(out.byteField(numbers.numberPause, QStringLiteral("Номера, Пауза между номерами"))));
}

namespace {

struct HexField {
    int block;
    int telephone;
    QString TelephoneSettings::*member;
    const char16_t* caption;
};

const HexField kHexFields[] = {
    {block::kObjectNumber1, 0, &TelephoneSettings::objectNumber, u"Номер объекта"},
    {block::kObjectNumber2, 1, &TelephoneSettings::objectNumber, u"Номер объекта"},
    {block::kTestCode1, 0, &TelephoneSettings::testCode, u"Код тестового сообщения"},
    {block::kTestCode2, 1, &TelephoneSettings::testCode, u"Код тестового сообщения"},
};

}  // namespace

void DecodeObjectNumbers(const ImageReader& in, NumbersState& numbers)
{
    for (const HexField& field : kHexFields)
        numbers.telephones[size_t(field.telephone)].*field.member
            = in.hexText(field.block, numberSetting(field.telephone, field.caption));
}

void EncodeObjectNumbers(const NumbersState& numbers, ImageWriter& out)
{
    for (const HexField& field : kHexFields) {
        // The field as its leaving rule leaves it: a short text would shift
        // the other three blocks of the joined write.
        const QString text = HexFieldLeavingRule(numbers.telephones[size_t(field.telephone)].*field.member);
        if (text.size() != kHexFieldLength || !IsHexText(text))
            out.fail(numberSetting(field.telephone, field.caption), text);
        out.set(field.block, text);
    }
}

}  // namespace nodra::config::codec
