#include "journal/event_table.h"

#include <array>

namespace nodra::journal {

namespace {

constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kPowerGreen{0, 136, 0};  // a different green, for the supply events
constexpr Rgb kCrimson{192, 0, 51};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBlack{0, 0, 0};

struct Event {
    QString name;
    Rgb colour;
};

// A run of events whose names end in 1, 2, ... count.
void addRun(std::vector<Event>& events, const QString& stem, int count, Rgb colour)
{
    for (int i = 1; i <= count; ++i)
        events.push_back({stem + QString::number(i), colour});
}

std::vector<Event> buildTable()
{
    std::vector<Event> events;
    addRun(events, QStringLiteral("Вход в меню пользователя "), 6, kGreen);
    addRun(events, QStringLiteral("Выход из меню пользователя "), 6, kGreen);
    addRun(events, QStringLiteral("Включение ШС "), 4, kCrimson);
    addRun(events, QStringLiteral("Выключение ШС "), 4, kCrimson);
    addRun(events, QStringLiteral("Внимание в ШС "), 4, kMagenta);
    addRun(events, QStringLiteral("Автовыход из внимания в ШС "), 4, kMagenta);
    addRun(events, QStringLiteral("Пожар в ШС "), 4, kRed);
    addRun(events, QStringLiteral("Сброс пожара в ШС "), 4, kRed);
    addRun(events, QStringLiteral("Обрыв или КЗ в ШС "), 4, kBlue);
    addRun(events, QStringLiteral("Сброс обрыва или КЗ в ШС "), 4, kBlue);
    addRun(events, QStringLiteral("Охранная тревога в ШС "), 4, kRed);
    const std::array<Event, 32> single = {{
        {QStringLiteral("Обрыв или КЗ выхода \"СЗО\""), kBlue},
        {QStringLiteral("Сброс обрыва или КЗ выхода \"СЗО\""), kBlue},
        {QStringLiteral("Открытие корпуса прибора"), kBlue},
        {QStringLiteral("Закрытие корпуса прибора"), kBlue},
        {QStringLiteral("Отключение выхода \"Пожар\""), kCrimson},
        {QStringLiteral("Подключение выхода \"Пожар\""), kCrimson},
        {QStringLiteral("Отключение выхода \"Неисправность\""), kCrimson},
        {QStringLiteral("Подключение выхода \"Неисправность\""), kCrimson},
        {QStringLiteral("Отключение выхода \"СЗО\""), kCrimson},
        {QStringLiteral("Подключение выхода \"СЗО\""), kCrimson},
        {QStringLiteral("Отключение коммуникатора"), kCrimson},
        {QStringLiteral("Подключение коммуникатора"), kCrimson},
        {QStringLiteral("Отсутствие сети ~220 В"), kPowerGreen},
        {QStringLiteral("Восстановление сети ~220 В"), kPowerGreen},
        {QStringLiteral("Отсутствие аккумулятора"), kPowerGreen},
        {QStringLiteral("Восстановление аккумулятора"), kPowerGreen},
        {QStringLiteral("Низкое питание, отключение всего"), kPowerGreen},
        {QStringLiteral("Включение питания прибора"), kPowerGreen},
        {QStringLiteral("Четырежды ошибочный пароль"), kRed},
        {QStringLiteral("Ручной сброс прибора"), kGreen},
        {QStringLiteral("Ручной сброс звука"), kGreen},
        {QStringLiteral("Проверка индикации/ручной тест"), kCrimson},
        {QStringLiteral("Исчерпаны попытки дозвона"), kCrimson},
        {QStringLiteral("Невозможно передать тест на ПЦН 1"), kGreen},
        {QStringLiteral("Невозможно передать тест на ПЦН 2"), kGreen},
        {QStringLiteral("Очистка журнала событий"), kRed},
        {QStringLiteral("Отсутствие опроса с центра"), kBlack},
        {QStringLiteral("Восстановление опроса с центра"), kBlack},
        {QStringLiteral("Дополнительное событие 1"), kBlack},
        {QStringLiteral("Дополнительное событие 2"), kBlack},
        {QStringLiteral("Дополнительное событие 3"), kBlack},
        {QStringLiteral("Дополнительное событие 4"), kBlack},
    }};
    events.insert(events.end(), single.begin(), single.end());
    return events;
}

const std::vector<Event>& table()
{
    static const std::vector<Event> events = buildTable();
    return events;
}

}  // namespace

bool IsKnownEvent(int number)
{
    return number >= kFirstEvent && number <= kLastEvent;
}

QString EventName(int number)
{
    if (!IsKnownEvent(number))
        return QStringLiteral("Неизвестное событие (%1)").arg(number);
    return table()[size_t(number - kFirstEvent)].name;
}

Rgb EventColour(int number)
{
    return IsKnownEvent(number) ? table()[size_t(number - kFirstEvent)].colour : kBlack;
}

}  // namespace nodra::journal
