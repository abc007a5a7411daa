#pragma once
// What the tabs of the main window show, one plain struct per tab. The
// settings codec converts between these and the configuration image; the
// GUI tabs load them into their controls and read them back. Selections are
// list indices, texts are the fields' texts as they stand.

#include "clock/correction.h"
#include "codes/code_table.h"

#include <QString>
#include <QTime>
#include <array>

namespace nodra::config {

inline constexpr int kLoopCount = 4;
inline constexpr int kUserCount = 6;
inline constexpr int kUsersWithAccess = 4;  // users 5 and 6 may switch every loop
inline constexpr int kRelayStates = 3;      // rows "Пожар", "Тревога", "Неисправность"
inline constexpr int kNoSelection = -1;     // a list that has no entry selected

// A track bar's range; positions outside it are moved to the nearest end.
struct TrackRange {
    int min;
    int max;
    constexpr int clamp(int value) const { return value < min ? min : value > max ? max : value; }
};

// ---- "Шлейфы" --------------------------------------------------------------

struct LoopSettings {
    bool enabled = false;      // CheckBox40 "ШС 1" (loops 2-4: CheckBox49, CheckBox50, CheckBox51)
    bool intrusion = false;    // RadioButton14 "Охранный тип"; false: RadioButton13 "Пожарный тип" (loop 1)
    bool silentAlarm = false;  // CheckBox41 ""Тихая" тревога" (CheckBox42, CheckBox43, CheckBox48)
    int entryDelay = kNoSelection;  // ComboBox5 "Вход в помещение" (ComboBox7, 9, 11): 20 s per index
    int exitDelay = kNoSelection;   // ComboBox6 "Выход из помещения" (ComboBox8, 10, 12)

    friend bool operator==(const LoopSettings&, const LoopSettings&) = default;
};

struct LoopsState {
    std::array<LoopSettings, kLoopCount> loops;

    friend bool operator==(const LoopsState&, const LoopsState&) = default;
};

// ---- "Выходы" ---------------------------------------------------------------

// One state row of a relay: which loops drive it, all of them or any.
struct RelayRule {
    bool all = false;  // "И" (RbFireFireAnd, RdoButton5, RadioButton7 / RadioButton1, 9, 11); false: "ИЛИ"
    std::array<bool, kLoopCount> loops{};  // "ШС 1"-"ШС 4" boxes of the row (CheckBox22, 21, 20, 17, ...)

    friend bool operator==(const RelayRule&, const RelayRule&) = default;
};

inline constexpr TrackRange kSirenLimitRange{1, 99};  // minutes

struct OutputsState {
    bool fireRelay = false;    // CheckBox18 "Реле "Пожар""
    bool faultRelay = false;   // CheckBox19 "Реле "Неисправность""
    bool sirenOutput = false;  // CheckBox27 "Выход "СЗО""
    // Rows "Состояние "Пожар"", "Тревога", "Неисправность" of each relay.
    std::array<RelayRule, kRelayStates> fireRelayRules;   // blocks 0300-0302
    std::array<RelayRule, kRelayStates> faultRelayRules;  // blocks 0304-0306
    bool sirenLimited = false;      // CheckBox55 "Ограничение активного состояния"
    int sirenLimitMinutes = 1;      // RzTrackBar7 (1-99), label Label44
    bool communicatorConnected = false;  // RadioButton4 "Подключен"; false: RadioButton3 "Отключен"
    bool builtWithCommunicator = false;  // CheckBox56 "Исполнение с коммуникатором" (shown disabled)

    friend bool operator==(const OutputsState&, const OutputsState&) = default;
};

// ---- "Пользователи" ---------------------------------------------------------

inline constexpr int kPasswordMaxDigits = 8;

struct UserSettings {
    QString password;  // Edit11 "Пользователь 1" (Edit12-Edit16): 0 to 8 digits
    // Group "Доступ", users 1-4 only: CheckBox1-CheckBox4 for user 1, ..., CheckBox13-16 for user 4.
    std::array<bool, kLoopCount> loopAccess{};

    friend bool operator==(const UserSettings&, const UserSettings&) = default;
};

struct UsersState {
    std::array<UserSettings, kUserCount> users;

    friend bool operator==(const UsersState&, const UsersState&) = default;
};

// ---- "Номера" ---------------------------------------------------------------

inline constexpr int kTelephoneMaxLength = 24;
inline constexpr TrackRange kReadyWaitRange{1, 15};     // 10 s per step
inline constexpr TrackRange kTestPeriodRange{1, 24};    // hours
inline constexpr TrackRange kAttemptsRange{2, 99};
inline constexpr TrackRange kAutoResetRange{1, 48};     // hours

// Indices of the reporting format lists ComboBox3 / ComboBox4.
enum ReportingFormat {
    kContactId = 0,
    kAdemcoExpress = 1,
    kFranklinSescoa = 2,
    kRadionics = 3,
    kSiren = 4,
    kSirenAnswer = 5,
};
inline constexpr int kReportingFormatCount = 6;

// One of the two telephone numbers; the second number's controls follow.
struct TelephoneSettings {
    QString number;             // LabeledEdit1 "Номер телефона" (LabeledEdit3)
    bool checkFree = false;     // CHKFirstFree "Проверка сигнала "Свободно" перед началом набора" (CHKSecondFree)
    QString objectNumber;       // LabeledEdit2 "Номер объекта" (LabeledEdit4), four hex digits
    bool checkBusy = false;     // CHKFirstBusy "Проверка сигнала "Занято" после окончания набора" (CHKSecondBusy)
    int readyWait = 1;          // RzTrackBar1 "Время ожидания сигнала готовности от ПЦП" (RzTrackBar2), Label13 (Label15)
    int format = kNoSelection;  // ComboBox3 "Протокол передачи данных" (ComboBox4)
    QString testCode;           // Edit18 "Код тестового сообщения" (Edit19), four hex digits
    QTime testStart = QTime(0, 0);  // DateTimePicker2 "Время начала теста" (DateTimePicker3), HH:mm
    int testPeriodHours = 1;    // RzTrackBar5 "Период передачи тестового сообщения" (RzTrackBar6), Label59 (Label65)

    friend bool operator==(const TelephoneSettings&, const TelephoneSettings&) = default;
};

struct NumbersState {
    std::array<TelephoneSettings, 2> telephones;  // "Первый номер телефона", "Второй номер телефона"
    int diallingAttempts = 2;    // RzTrackBar3 "Количество попыток дозвона" (2-99), label Label46
    QString numberPause;         // AdvEdit6 "Пауза между" / "номерами", seconds 0-99
    bool autoReset = false;      // CheckBox54 "Часы до автосброса коммуникатора в норму"
    int autoResetHours = 1;      // RzTrackBar4 (1-48), label Label45

    friend bool operator==(const NumbersState&, const NumbersState&) = default;
};

// ---- "Параметры" ------------------------------------------------------------

inline constexpr int kObjectTextLength = 32;
inline constexpr int kLoopTextLength = 16;

struct ParametersState {
    QString firmwareVersion = QStringLiteral("Версия программы прибора необходимо прочитать");  // Label2
    QString operatingTime = QStringLiteral("Время наработки");  // Label10
    // "Текстовые идентификаторы"
    QString objectText;                             // Edit20 "Объект", up to 32 characters
    std::array<QString, kLoopCount> loopTexts;      // Edit21-Edit24 "ШС 1"-"ШС 4", up to 16 each
    // "Подключение"
    bool networkConnection = false;   // CheckBox52 "Разрешить сетевое подключение"
    bool remoteCommunicator = false;  // CheckBox53 "Разрешить выносной коммуникатор"
    bool pollCheck = false;           // CheckBox57 "Разрешить проверку опроса ведущим"
    QString pollPeriod;               // AdvEdit5 "Максимальный период опроса", seconds 1-255
    int panelBaud = 5;                // ComboBox13 "Скорость обмена" (index of the panel baud list)
    QString panelAddress = QStringLiteral("00");  // Edit25 "Адрес прибора", decimal 000-254
    std::array<QString, 4> deviceCode;  // AdvEdit1-AdvEdit4 "Код прибора", 0-255 each

    friend bool operator==(const ParametersState&, const ParametersState&) = default;
};

// ---- All tabs ---------------------------------------------------------------

struct FormState {
    LoopsState loops;
    OutputsState outputs;
    UsersState users;
    NumbersState numbers;
    ParametersState parameters;
    codes::CodesState codes;                // "Коды": CodeGrid
    clock::ClockCorrectionState clock;      // "Параметры", group "Время"

    friend bool operator==(const FormState&, const FormState&) = default;
};

}  // namespace nodra::config
