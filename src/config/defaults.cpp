#include "config/defaults.h"

#include "codes/code_table.h"
#include "config/codec.h"
#include "link/connection.h"

namespace nodra::config {

namespace {

// Zero bytes that fill a text block up to its size.
QString zeros(int bytes)
{
    return QString(2 * bytes, QLatin1Char('0'));
}

QString repeated(const char* byte, int times)
{
    return QString::fromLatin1(byte).repeated(times);
}

struct Default {
    int block;
    QString text;
};

std::vector<Default> defaults()
{
    std::vector<Default> list = {
        {block::kFireRelay, QStringLiteral("01")},
        {block::kFaultRelay, QStringLiteral("01")},
        {block::kSirenOutput, QStringLiteral("01")},
        {block::kDiallingAttempts, QStringLiteral("14")},  // 20 attempts
        {block::kNotInterpreted, QStringLiteral("03")},
        {block::kReadyWait, QStringLiteral("33")},         // 30 s for both numbers
        {block::kReportingFormats, QStringLiteral("11")},  // Contact ID for both
        {block::kTelephone1, QStringLiteral("0102040F")},  // 124, "Свободно" checked
        {block::kPollPeriod, QStringLiteral("FF")},        // 255 s
        {block::kPanelBaud, QStringLiteral("29")},         // 56000
        {block::kAutoReset, QStringLiteral("05")},         // 5 hours
        {block::kDiallerFlags, QStringLiteral("09")},      // communicator connected and built in
        {block::kPanelAddress, QStringLiteral("00")},
        {block::kNetworkFlags, QStringLiteral("00")},
        {block::kTelephone2, QStringLiteral("0102040F")},
        {block::kTestSchedule1, QStringLiteral("180E11")},  // every 24 h from 14:17
        {block::kTestSchedule2, QStringLiteral("180F13")},  // every 24 h from 15:19
        {block::kDeviceCode, QStringLiteral("FFFFFFFF")},
        {block::kNumberPause, QStringLiteral("00")},
        {block::kObjectText, QStringLiteral("CDEEE4F0E02D312F32") + zeros(23)},    // Нодра-1/2
        {block::LoopText(1), QStringLiteral("DDF2E0E620B933") + zeros(9)},         // Этаж №3
        {block::LoopText(2), QStringLiteral("CFEEE4E2E0EB") + zeros(10)},          // Подвал
        {block::LoopText(3), QStringLiteral("CAE0E1E8EDE5F220B937") + zeros(6)},   // Кабинет №7
        {block::LoopText(4), QStringLiteral("CAEEF0E8E4EEF0") + zeros(9)},         // Коридор
        // All loops alternating, check pulse 0.4 s, counters 1, short-circuit
        // level 222, break current 20, maximum norm 161 counts.
        {block::kLoopExtendedCommon, QStringLiteral("FF") + repeated("01", 16) + repeated("DE", 4)
                                         + repeated("14", 4) + repeated("A1", 4)},
        {block::kObjectNumber1, QStringLiteral("0000")},
        {block::kObjectNumber2, QStringLiteral("0000")},
        {block::kTestCode1, QStringLiteral("1602")},
        {block::kTestCode2, QStringLiteral("1602")},
        {block::kCodes, codes::DefaultCodesText()},
        {block::kFireRelayRules, QStringLiteral("1E")},       // "Пожар": any of loops 1-4
        {block::kFireRelayRules + 1, QStringLiteral("00")},
        {block::kFireRelayRules + 2, QStringLiteral("00")},
        {block::kFaultRelayRules, QStringLiteral("00")},
        {block::kFaultRelayRules + 1, QStringLiteral("00")},
        {block::kFaultRelayRules + 2, QStringLiteral("1E")},  // "Неисправность": any of loops 1-4
        {block::kSirenLimit, QStringLiteral("00")},
        {block::LoopAccess(1), QStringLiteral("1E")},  // user 1: every loop
        {block::LoopAccess(2), QStringLiteral("04")},  // user 2: loop 2
        {block::LoopAccess(3), QStringLiteral("08")},  // user 3: loop 3
        {block::LoopAccess(4), QStringLiteral("10")},  // user 4: loop 4
        {block::kClockCopy, QStringLiteral("0A1B00")},        // 10:27:00
        {block::kClockCorrection, QStringLiteral("A0")},      // in no position of the correction table
    };
    for (int n = 1; n <= kLoopCount; ++n) {
        // "Пож.Р" 60 (3D in the repeated byte), "Пож.2" 22 counts.
        list.push_back({block::LoopExtendedRecord(n), QStringLiteral("DE3D3C16")});
        list.push_back({block::LoopMode(n), QStringLiteral("01")});    // enabled, fire type
        list.push_back({block::LoopDelays(n), QStringLiteral("33")});  // 1 min in and out
    }
    for (int u = 1; u <= kUserCount; ++u) {
        list.push_back({block::PasswordLength(u), QStringLiteral("01")});
        list.push_back({block::PasswordDigits(u), QLatin1Char('0') + DefaultPassword(u)});
    }
    return list;
}

constexpr int kStartupNumber1Format = kContactId;
constexpr int kStartupNumber2Format = kFranklinSescoa;
constexpr int kStartupDelay = 3;  // "1 мин."

}  // namespace

QString DefaultPassword(int user)
{
    return QString::number(user);
}

ConfigImage FactoryImage()
{
    ConfigImage image;
    for (const Default& d : defaults())
        image.setBlock(d.block, d.text);
    return image;
}

StartupState Startup()
{
    StartupState startup{FactoryImage(), FormState{}, QStringLiteral("00")};
    FormState& form = startup.form;
    const DecodeResult decoded = DecodeImage(startup.image, form);
    Q_ASSERT(decoded.ok());
    if (decoded.deviceAddress)
        startup.deviceAddress = *decoded.deviceAddress;

    ParametersState& parameters = form.parameters;
    parameters.objectText = QStringLiteral("Нодра-1/2");
    parameters.loopTexts = {QStringLiteral("Этаж #3"), QStringLiteral("Подвал"), QStringLiteral("Кабинет #7"),
                            QStringLiteral("Коридор")};
    parameters.panelBaud = link::kDefaultBaudIndex;
    for (TelephoneSettings& telephone : form.numbers.telephones)
        telephone.checkBusy = false;
    // The lists get their entries only now; what the decoding chose in them is lost.
    form.numbers.telephones[0].format = kStartupNumber1Format;
    form.numbers.telephones[1].format = kStartupNumber2Format;
    for (LoopSettings& loop : form.loops.loops) {
        loop.entryDelay = kStartupDelay;
        loop.exitDelay = kStartupDelay;
    }
    return startup;
}

}  // namespace nodra::config
