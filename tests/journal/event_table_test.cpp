#include "journal/event_table.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::journal;

Q_DECLARE_METATYPE(Rgb)

class EventTableTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void events_data();
    void events();
    void tableIsComplete();
};

void EventTableTest::events_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Rgb>("colour");
    QTest::newRow("first") << 4 << "Вход в меню пользователя 1" << Rgb{0, 128, 0};
    QTest::newRow("end of the first run") << 9 << "Вход в меню пользователя 6" << Rgb{0, 128, 0};
    QTest::newRow("loop run") << 19 << "Включение ШС 4" << Rgb{192, 0, 51};
    QTest::newRow("attention") << 24 << "Внимание в ШС 1" << Rgb{255, 0, 255};
    QTest::newRow("fire") << 32 << "Пожар в ШС 1" << Rgb{255, 0, 0};
    QTest::newRow("intrusion, last of the runs") << 51 << "Охранная тревога в ШС 4" << Rgb{255, 0, 0};
    QTest::newRow("quotes are part of the name") << 52 << "Обрыв или КЗ выхода \"СЗО\"" << Rgb{0, 0, 255};
    QTest::newRow("supply green differs") << 64 << "Отсутствие сети ~220 В" << Rgb{0, 136, 0};
    QTest::newRow("manual reset") << 71 << "Ручной сброс прибора" << Rgb{0, 128, 0};
    QTest::newRow("journal cleared") << 77 << "Очистка журнала событий" << Rgb{255, 0, 0};
    QTest::newRow("last") << 83 << "Дополнительное событие 4" << Rgb{0, 0, 0};
    QTest::newRow("unknown below") << 3 << "Неизвестное событие (3)" << Rgb{0, 0, 0};
    QTest::newRow("unknown above") << 84 << "Неизвестное событие (84)" << Rgb{0, 0, 0};
    QTest::newRow("record FF") << 255 << "Неизвестное событие (255)" << Rgb{0, 0, 0};
}

void EventTableTest::events()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QFETCH(Rgb, colour);
    QCOMPARE(EventName(number), name);
    QVERIFY(EventColour(number) == colour);
}

void EventTableTest::tableIsComplete()
{
    QStringList names;
    for (int n = kFirstEvent; n <= kLastEvent; ++n)
        names << EventName(n);
    QCOMPARE(names.size(), kEventCount);
    names.removeDuplicates();
    QCOMPARE(names.size(), kEventCount);
    QCOMPARE(EventName(EventOfCodeRow(29)), QStringLiteral("Пожар в ШС 1"));
}

NODRA_TEST(EventTableTest)
#include "event_table_test.moc"
