// Settings files without a window: the file "Сохранить" writes right after
// start-up, a file opened and saved again, and a file shown in words.

#include "app/cli/cli.h"

#include "config/defaults.h"
#include "config/labels.h"
#include "config/loop_extended.h"
#include "config/settings_file.h"
#include "journal/event_table.h"
#include "link/connection.h"

namespace nodra::cli {

namespace {

using namespace config;

// Captions in the tabs' own language; decimal commas as on a Russian desktop.
const QLocale kShowLocale(QLocale::Russian);

class SettingsPrinter {
public:
    SettingsPrinter(QTextStream& out, const StartupState& state) : out_(out), form_(state.form), image_(state.image) {}

    int print()
    {
        loops();
        outputs();
        users();
        numbers();
        codes();
        parameters();
        return status_;
    }

private:
    void tab(const QString& name) { out_ << name << Qt::endl; }
    void line(int depth, const QString& caption, const QString& value = QString())
    {
        out_ << QString(2 * depth, QLatin1Char(' ')) << caption;
        if (!value.isEmpty())
            out_ << QStringLiteral(": ") << value;
        out_ << Qt::endl;
    }
    static QString yesNo(bool on) { return on ? QStringLiteral("да") : QStringLiteral("нет"); }
    // As the settings printout words them.
    static QString onOff(bool on) { return on ? QStringLiteral("Вкл.") : QStringLiteral("Выкл."); }
    static QString connected(bool on) { return on ? QStringLiteral("Подкл.") : QStringLiteral("Откл."); }
    static QString entry(const QStringList& entries, int index)
    {
        return index >= 0 && index < entries.size() ? entries[index] : QStringLiteral("не выбрано");
    }
    static QString loopList(const std::array<bool, kLoopCount>& loops)
    {
        QStringList names;
        for (int n = 0; n < kLoopCount; ++n)
            if (loops[size_t(n)])
                names << QStringLiteral("ШС %1").arg(n + 1);
        return names.isEmpty() ? QStringLiteral("ни одного шлейфа") : names.join(QStringLiteral(", "));
    }

    void loops()
    {
        tab(QStringLiteral("Шлейфы"));
        for (int n = 1; n <= kLoopCount; ++n) {
            const LoopSettings& loop = form_.loops.loops[size_t(n - 1)];
            line(1, QStringLiteral("ШС %1").arg(n), onOff(loop.enabled));
            line(2, QStringLiteral("Тип"), loop.intrusion ? QStringLiteral("Охранный тип") : QStringLiteral("Пожарный тип"));
            line(2, QStringLiteral("\"Тихая\" тревога"), yesNo(loop.silentAlarm));
            line(2, QStringLiteral("Вход в помещение"), entry(DelayEntries(), loop.entryDelay));
            line(2, QStringLiteral("Выход из помещения"), entry(DelayEntries(), loop.exitDelay));
            extended(n);
        }
    }

    void extended(int n)
    {
        LoopExtendedModel window;
        if (const auto error = window.open(image_, n)) {
            line(2, QStringLiteral("Дополнительно"), error->message());
            status_ = kUsage;
            return;
        }
        const auto bar = [&](LoopBar which, const QString& caption) { line(3, caption, window.label(which, kShowLocale)); };
        line(2, QStringLiteral("Дополнительно"), window.alternating() ? QStringLiteral("Знакопеременный") : QStringLiteral("Резестивный"));
        if (window.alternating()) {
            bar(LoopBar::CheckPeriod, QStringLiteral("Период импульса проверки"));
            bar(LoopBar::AlternatingBreaks, QStringLiteral("Счетчик обрыва"));
        } else {
            bar(LoopBar::BreakCurrent, QStringLiteral("Ток обрыва"));
            bar(LoopBar::ResistiveBreaks, QStringLiteral("Счетчик обрыва"));
        }
        bar(LoopBar::ShortLevel, QStringLiteral("Уровни состояний, КЗ"));
        bar(LoopBar::MaxNorm, QStringLiteral("Уровни состояний, Максимальная норма"));
        bar(LoopBar::FireLevel, QStringLiteral("Уровни состояний, Пож.Р"));
        bar(LoopBar::Fire2Level, QStringLiteral("Уровни состояний, Пож.2"));
        bar(LoopBar::ShortCounter, QStringLiteral("Счетчики, КЗ"));
        bar(LoopBar::FireCounter, QStringLiteral("Счетчики, Пож.Р и/или Пож.2"));
        line(3, window.currentNorm(kShowLocale));
    }

    void outputs()
    {
        const OutputsState& o = form_.outputs;
        tab(QStringLiteral("Выходы"));
        const QString states[kRelayStates] = {QStringLiteral("Состояние \"Пожар\""), QStringLiteral("Состояние \"Тревога\""),
                                              QStringLiteral("Состояние \"Неисправность\"")};
        const auto relay = [&](const QString& caption, bool on, const std::array<RelayRule, kRelayStates>& rules) {
            line(1, caption, connected(on));
            for (int s = 0; s < kRelayStates; ++s) {
                const RelayRule& rule = rules[size_t(s)];
                line(2, states[s], (rule.all ? QStringLiteral("И: ") : QStringLiteral("ИЛИ: ")) + loopList(rule.loops));
            }
        };
        relay(QStringLiteral("Реле \"Пожар\""), o.fireRelay, o.fireRelayRules);
        relay(QStringLiteral("Реле \"Неисправность\""), o.faultRelay, o.faultRelayRules);
        line(1, QStringLiteral("Выход \"СЗО\""), connected(o.sirenOutput));
        line(2, QStringLiteral("Ограничение активного состояния"),
             o.sirenLimited ? MinutesLabel(o.sirenLimitMinutes) : QStringLiteral("нет"));
        line(1, QStringLiteral("Коммуникатор"), o.communicatorConnected ? QStringLiteral("Подключен") : QStringLiteral("Отключен"));
        line(1, QStringLiteral("Исполнение с коммуникатором"), yesNo(o.builtWithCommunicator));
    }

    void users()
    {
        tab(QStringLiteral("Пользователи"));
        for (int u = 1; u <= kUserCount; ++u) {
            const UserSettings& user = form_.users.users[size_t(u - 1)];
            line(1, QStringLiteral("Пользователь %1").arg(u));
            line(2, QStringLiteral("Пароль"), user.password.isEmpty() ? QStringLiteral("нет") : user.password);
            line(2, QStringLiteral("Доступ"), u <= kUsersWithAccess ? loopList(user.loopAccess)
                                                                    : QStringLiteral("неограниченный (третий уровень)"));
        }
    }

    void numbers()
    {
        const NumbersState& n = form_.numbers;
        tab(QStringLiteral("Номера"));
        const QString names[2] = {QStringLiteral("Первый номер телефона"), QStringLiteral("Второй номер телефона")};
        for (int i = 0; i < 2; ++i) {
            const TelephoneSettings& t = n.telephones[size_t(i)];
            line(1, names[i]);
            line(2, QStringLiteral("Номер телефона"), t.number.isEmpty() ? QStringLiteral("нет") : t.number);
            line(2, QStringLiteral("Проверка сигнала \"Свободно\" перед началом набора"), yesNo(t.checkFree));
            line(2, QStringLiteral("Проверка сигнала \"Занято\" после окончания набора"), yesNo(t.checkBusy));
            line(2, QStringLiteral("Номер объекта"), t.objectNumber);
            line(2, QStringLiteral("Время ожидания сигнала готовности от ПЦП"),
                 (i == 0 ? ReadyWaitLabel1(t.readyWait) : ReadyWaitLabel2(t.readyWait)).trimmed());
            line(2, QStringLiteral("Протокол передачи данных"), entry(ReportingFormatEntries(), t.format));
            line(2, QStringLiteral("Код тестового сообщения"), t.testCode);
            line(2, QStringLiteral("Время начала теста"), t.testStart.toString(QStringLiteral("HH:mm")));
            line(2, QStringLiteral("Период передачи тестового сообщения"), HoursLabel(t.testPeriodHours));
        }
        line(1, QStringLiteral("Количество попыток дозвона"), AttemptsLabel(n.diallingAttempts));
        line(1, QStringLiteral("Пауза между номерами"), n.numberPause + QStringLiteral(" с"));
        line(1, QStringLiteral("Часы до автосброса коммуникатора в норму"),
             n.autoReset ? HoursLabel(n.autoResetHours) : QStringLiteral("нет"));
    }

    void codes()
    {
        tab(QStringLiteral("Коды"));
        for (int row = 1; row <= codes::kRowCount; ++row)
            line(1, journal::EventName(journal::EventOfCodeRow(row)), form_.codes.cells.value(row - 1));
    }

    void parameters()
    {
        const ParametersState& p = form_.parameters;
        tab(QStringLiteral("Параметры"));
        line(1, QStringLiteral("Текстовые идентификаторы"));
        line(2, QStringLiteral("Объект"), p.objectText);
        for (int n = 1; n <= kLoopCount; ++n)
            line(2, QStringLiteral("ШС %1").arg(n), p.loopTexts[size_t(n - 1)]);
        line(1, QStringLiteral("Подключение"));
        line(2, QStringLiteral("Разрешить сетевое подключение"), yesNo(p.networkConnection));
        line(2, QStringLiteral("Разрешить выносной коммуникатор"), yesNo(p.remoteCommunicator));
        line(2, QStringLiteral("Разрешить проверку опроса ведущим"), yesNo(p.pollCheck));
        line(2, QStringLiteral("Максимальный период опроса"), p.pollPeriod + QStringLiteral(" с"));
        line(2, QStringLiteral("Скорость обмена"), entry(link::PanelBaudEntries(), p.panelBaud).trimmed());
        line(2, QStringLiteral("Адрес прибора"), p.panelAddress);
        QStringList code;
        for (const QString& part : p.deviceCode)
            code << part;
        line(1, QStringLiteral("Код прибора"), code.join(QLatin1Char('.')));
        line(1, QStringLiteral("Время"));
        line(2, QStringLiteral("Коррекция хода часов за 30 дней"), clock::CorrectionLabel(form_.clock.position));
        line(1, p.firmwareVersion);
        line(1, p.operatingTime.trimmed());
    }

    QTextStream& out_;
    const FormState& form_;
    const ConfigImage& image_;
    int status_ = kSuccess;
};

}  // namespace

bool NeedOut(Context& context, const QString& extension)
{
    if (!context.options().out.isEmpty())
        return true;
    context.err() << QStringLiteral("nodra-cli: нужен параметр --out FILE") << extension << Qt::endl;
    return false;
}

std::optional<int> OpenInStartedWindow(Context& context, const QString& path, StartupState& startup)
{
    const OpenOutcome opened = OpenSettings(path, startup.image, startup.form);
    if (opened.ok)
        return std::nullopt;
    context.err() << opened.message << Qt::endl;
    return kUsage;
}

int RunDefaults(Context& context)
{
    if (!NeedOut(context, kSettingsExtension))
        return kUsage;
    StartupState startup = Startup();
    const FileOutcome saved = SaveSettings(context.options().out, startup.form, startup.image);
    context.err() << saved.message << Qt::endl;
    return saved.ok ? kSuccess : kFailed;
}

int RunResave(Context& context)
{
    if (!NeedOut(context, kSettingsExtension))
        return kUsage;
    StartupState startup = Startup();
    if (const auto status = OpenInStartedWindow(context, context.args()[0], startup))
        return *status;
    const EncodeResult encoded = EncodeForm(startup.form, startup.image);
    if (!encoded.ok()) {
        context.err() << encoded.error->message() << Qt::endl;
        return kUsage;
    }
    const FileOutcome saved = WriteSettingsFile(WithExtension(context.options().out, kSettingsExtension), startup.image);
    context.err() << saved.message << Qt::endl;
    return saved.ok ? kSuccess : kFailed;
}

int RunShow(Context& context)
{
    StartupState startup = Startup();
    if (const auto status = OpenInStartedWindow(context, context.args()[0], startup))
        return *status;
    return SettingsPrinter(context.out(), startup).print();
}

}  // namespace nodra::cli
