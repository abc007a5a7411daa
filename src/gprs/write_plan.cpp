#include "gprs/write_plan.h"

#include "config/win1251.h"
#include "gprs/parameter_map.h"

#include <algorithm>
#include <optional>

namespace nodra::gprs {

namespace {

const QString kLengthMessage = QStringLiteral("Несоответствие количеству знаков в поле \"%1\"");
const QString kValueMessage = QStringLiteral("Недопустимое значение в поле \"%1\"");
const QString kCharacterMessage = QStringLiteral("Недопустимые символы в поле \"%1\"");

// Field names as the installer finds them on the tab.
const QString kAccessPointField[kSimCount] = {QStringLiteral("Точка доступа 1"), QStringLiteral("Точка доступа 2")};
const QString kKeepAliveField = QStringLiteral("Передачи для поддержки GPRS сессии");
const QString kObjectField = QStringLiteral("Объект №");
const QString kProtocolField = QStringLiteral("Протокол");
const QString kTestPeriodField = QStringLiteral("Передача тестов сообщением");
const QString kTestHourField = QStringLiteral("Час начала");
const QString kTestMinuteField = QStringLiteral("Минута начала");
const QString kKeepAlivePeriodField = QStringLiteral("Период (*5 сек)");
const QString kSuffixField = QStringLiteral("Suffix in HEX");
const QString kAlternativeNumberField =
    QStringLiteral("Номер аварийной передачи в стандартном протоколе Contact ID");

QString LocalPortField(int sim, int server)
{
    return QStringLiteral("Локальный порт SIM%1, сервер %2").arg(sim + 1).arg(server + 1);
}

QString ServerField(int sim, int server)
{
    return QStringLiteral("SIM%1, сервер %2").arg(sim + 1).arg(server + 1);
}

// Value ranges of the numeric fields.
struct Range {
    int low;
    int high;
};
constexpr Range kTestPeriodRange = {1, 24};
constexpr Range kHourRange = {0, 23};
constexpr Range kMinuteRange = {0, 59};
constexpr Range kKeepAlivePeriodRange = {0, 255};  // one byte

// The refusal of the first field that fails, carried out of the builders.
struct Refusal {
    QString message;
};

bool AllDigits(const QString& text, int base)
{
    const auto isDigit = [base](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9')
            || (base == 16 && ((u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f')));
    };
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
}

// Digits only, no sign and no blanks, as the numeric fields take them.
std::optional<int> DigitsValue(const QString& text, int base)
{
    bool ok = false;
    const int value = AllDigits(text, base) ? text.toInt(&ok, base) : 0;
    return ok ? std::optional<int>(value) : std::nullopt;
}

int Decimal(const QString& text, Range range, const QString& field)
{
    const auto value = DigitsValue(text, 10);
    if (!value || *value < range.low || *value > range.high)
        throw Refusal{kValueMessage.arg(field)};
    return *value;
}

// The field's characters as panel bytes, checked for length.
QByteArray Text(const QString& text, int minLength, int maxLength, const QString& field)
{
    if (text.size() < minLength || text.size() > maxLength)
        throw Refusal{kLengthMessage.arg(field)};
    const auto bytes = config::EncodeWin1251(text);
    if (!bytes)
        throw Refusal{kCharacterMessage.arg(field)};
    return *bytes;
}

QString AccessPointBody(int sim, const QByteArray& text)
{
    return WriteBody(Memory::Panel, address::kAccessPoints[sim], HexBytes(text + kAccessPointEnd));
}

WritePlan Build(const GprsState& state)
{
    // Access points and keep-alive message first, then the fields in tab order.
    QByteArray accessPoints[kSimCount];
    for (int sim = 0; sim < kSimCount; ++sim)
        accessPoints[sim] = Text(state.accessPoints[sim], 1, kAccessPointMaxLength, kAccessPointField[sim]);
    const QByteArray keepAlive = Text(state.keepAliveMessage, 1, kKeepAliveMaxLength, kKeepAliveField);

    if (state.objectNumber.size() > kObjectMaxDigits)
        throw Refusal{kValueMessage.arg(kObjectField)};
    const auto object = DigitsValue(state.objectNumber, 16);
    if (!object)
        throw Refusal{kValueMessage.arg(kObjectField)};
    if (state.protocolIndex < 0 || state.protocolIndex >= ProtocolItems().size())
        throw Refusal{kValueMessage.arg(kProtocolField)};
    const int testPeriod = Decimal(state.testPeriodHours, kTestPeriodRange, kTestPeriodField);
    const int testHour = Decimal(state.testStartHour, kHourRange, kTestHourField);
    const int testMinute = Decimal(state.testStartMinute, kMinuteRange, kTestMinuteField);
    const int keepAlivePeriod = Decimal(state.keepAlivePeriod, kKeepAlivePeriodRange, kKeepAlivePeriodField);
    // A suffix of fewer than two characters is not sent; one that is sent
    // must be one byte in hex.
    QString suffix;
    if (state.keepAliveSuffix.size() >= 2) {
        if (state.keepAliveSuffix.size() != 2 || !AllDigits(state.keepAliveSuffix, 16))
            throw Refusal{kValueMessage.arg(kSuffixField)};
        suffix = state.keepAliveSuffix.toUpper();
    }
    if (state.alternativeNumber.size() > kAlternativeNumberMaxLength)
        throw Refusal{kLengthMessage.arg(kAlternativeNumberField)};
    if (!state.alternativeNumber.isEmpty() && !AllDigits(state.alternativeNumber, 16))
        throw Refusal{kValueMessage.arg(kAlternativeNumberField)};
    QByteArray localPorts[kSimCount][kServersPerSim];
    QByteArray entries[kSimCount][kServersPerSim];
    for (int sim = 0; sim < kSimCount; ++sim)
        for (int server = 0; server < kServersPerSim; ++server) {
            const GprsServer& s = state.servers[sim][server];
            localPorts[sim][server] = Text(s.localPort, 0, kLocalPortMaxLength, LocalPortField(sim, server));
            entries[sim][server] = Text(s.entry, 0, kServerEntryMaxLength, ServerField(sim, server));
        }

    WritePlan plan;
    plan.alternativeNumber =
        WriteBody(Memory::Communicator, address::kAlternativeNumber, DigitsData(state.alternativeNumber));
    // SUR-GARD is 10, SOS 112 is 20.
    plan.settings << WriteBody(Memory::Panel, address::kProtocol, HexByte(0x10 * (state.protocolIndex + 1)));
    plan.settings << WriteBody(Memory::Panel, address::kObject, HexWord(*object));
    const int connection = !state.checkConnection ? 1 : state.keepAliveEnabled ? keepAlivePeriod : 0;
    plan.settings << WriteBody(Memory::Panel, address::kConnection, HexByte(connection));
    plan.settings << WriteBody(Memory::Panel, address::kKeepAlive, HexBytes(keepAlive) + suffix + HexBytes(kTextEnd));
    plan.settings << WriteBody(Memory::Panel, address::kKeepAliveHeader,
                               HexBytes(kKeepAliveHeader.toLatin1() + kAccessPointEnd));
    const QStringList accessPointBodies = {AccessPointBody(0, accessPoints[0]), AccessPointBody(1, accessPoints[1])};
    plan.settings << accessPointBodies;
    for (int sim = 0; sim < kSimCount; ++sim)
        for (int server = 0; server < kServersPerSim; ++server)
            plan.settings << WriteBody(Memory::Communicator, ServerRecordAddress(sim, server),
                                       HexBytes(localPorts[sim][server] + kTextEnd));
    for (int sim = 0; sim < kSimCount; ++sim)
        for (int server = 0; server < kServersPerSim; ++server)
            plan.settings << WriteBody(Memory::Communicator,
                                       ServerRecordAddress(sim, server) + address::kServerEntryOffset,
                                       HexBytes(entries[sim][server] + kTextEnd));
    // Both access points go out a second time, after the servers.
    plan.settings << accessPointBodies;
    plan.settings << WriteBody(Memory::Panel, address::kTestReport,
                               HexByte(testPeriod) + HexByte(testHour) + HexByte(testMinute));
    return plan;
}

}  // namespace

std::variant<WritePlan, QString> BuildWritePlan(const GprsState& state)
{
    try {
        return Build(state);
    } catch (const Refusal& refusal) {
        return refusal.message;
    }
}

}  // namespace nodra::gprs
