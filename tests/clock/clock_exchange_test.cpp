#include "clock/clock_exchange.h"
#include "journal/journal_transfer.h"
#include "link/frame.h"
#include "panel_bench.h"
#include "test_registry.h"

#include <QTest>
#include <functional>

using namespace nodra;
using namespace nodra::clock;
using link::MessageKind;

namespace {

// The "Время" group: the indicator and picker states in order, the times shown.
struct RecordingGroup : ClockGroup {
    void showBusy(bool shown) override { events << (shown ? "busy" : "idle"); }
    void lockPicker(bool locked) override { events << (locked ? "locked" : "unlocked"); }
    void showTime(const QTime& time) override
    {
        events << "time";
        times << time;
    }
    QStringList events;
    QList<QTime> times;
};

QStringList messageTexts(const test::RecordingView& view)
{
    QStringList texts;
    for (const auto& message : view.messages)
        texts << QString::number(int(message.kind)) + QLatin1Char(' ') + message.message;
    return texts;
}

}  // namespace

using Setup = std::function<void(test::PanelBench&)>;
Q_DECLARE_METATYPE(Setup)

class ClockExchangeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void payload_data();
    void payload();
    void timeFromPayload_data();
    void timeFromPayload();
    void readsThePanelClock();
    void readFailures_data();
    void readFailures();
    void writesClockAndCopy();
    void writeFailures_data();
    void writeFailures();
    void readAfterCancelledOperationGoesThrough();
};

void ClockExchangeTest::payload_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("payload");
    QTest::newRow("last second of the day") << QTime(23, 59, 59) << "173B3B";
    QTest::newRow("midnight") << QTime(0, 0, 0) << "000000";
    QTest::newRow("afternoon, 24-hour") << QTime(13, 5, 9) << "0D0509";
}

void ClockExchangeTest::payload()
{
    QFETCH(QTime, time);
    QFETCH(QString, payload);
    QCOMPARE(ClockPayload(time), payload);
}

void ClockExchangeTest::timeFromPayload_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QTime>("time");  // invalid: rejected
    QTest::newRow("0A1B00 is 10:27:00") << "0A1B00" << QTime(10, 27, 0);
    QTest::newRow("last second") << "173B3B" << QTime(23, 59, 59);
    QTest::newRow("hour 18 hex is 24: rejected") << "180000" << QTime();
    QTest::newRow("minute 60") << "003C00" << QTime();
    QTest::newRow("second 60") << "00003C" << QTime();
    QTest::newRow("failed read: empty") << "" << QTime();
    QTest::newRow("short") << "0A1B" << QTime();
    QTest::newRow("not hex") << "0A1G00" << QTime();
}

void ClockExchangeTest::timeFromPayload()
{
    QFETCH(QString, payload);
    QFETCH(QTime, time);
    const auto got = TimeFromPayload(payload);
    QCOMPARE(got.has_value(), time.isValid());
    if (got)
        QCOMPARE(*got, time);
}

// A fresh simulated panel keeps 10:27:00; the read takes milliseconds.
void ClockExchangeTest::readsThePanelClock()
{
    test::PanelBench bench;
    RecordingGroup group;
    const ClockReadResult result = ReadClock(bench.link, bench.view, group);
    QCOMPARE(result.outcome, ClockReadResult::Outcome::Read);
    QCOMPARE(result.time, QTime(10, 27, 0));
    QCOMPARE(group.times, QList<QTime>{QTime(10, 27, 0)});
    QCOMPARE(group.events, QStringList({"busy", "time", "idle"}));
    QCOMPARE(bench.lastFrame(), link::BuildFrame(u"00", u"03", u"030001"));
    QVERIFY(!bench.port.isOpen());
    QCOMPARE(messageTexts(bench.view), QStringList{"1 Время успешно прочитано"});
}

void ClockExchangeTest::readFailures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("frames");
    QTest::newRow("no panel: three tries") << Setup([](test::PanelBench& b) { b.panel.faults().noAnswer = true; }) << 3;
    QTest::newRow("port missing") << Setup([](test::PanelBench& b) { b.port.setPresent(false); }) << 0;
    QTest::newRow("reply cut short") << Setup([](test::PanelBench& b) { b.panel.faults().cutReplyTo = 10; }) << 3;
}

// Any failure is the one error; the picker keeps its time.
void ClockExchangeTest::readFailures()
{
    QFETCH(Setup, setup);
    QFETCH(int, frames);
    test::PanelBench bench;
    setup(bench);
    RecordingGroup group;
    QCOMPARE(ReadClock(bench.link, bench.view, group).outcome, ClockReadResult::Outcome::Failed);
    QCOMPARE(bench.frames(), frames);
    QVERIFY(group.times.isEmpty());
    QCOMPARE(group.events, QStringList({"busy", "idle"}));
    QVERIFY(!bench.port.isOpen());
    QCOMPARE(messageTexts(bench.view), QStringList{"2 Не удалось прочитать время"});
}

// The running clock first, then its copy in parameter memory.
void ClockExchangeTest::writesClockAndCopy()
{
    test::PanelBench bench;
    RecordingGroup group;
    QCOMPARE(WriteClock(bench.link, bench.view, group, QTime(23, 59, 59)), ClockWriteOutcome::Written);
    QCOMPARE(bench.frames(), 2);
    QCOMPARE(QString::fromLatin1(bench.port.written()[0]), link::BuildFrame(u"00", u"04", u"0001173B3B"));
    QCOMPARE(QString::fromLatin1(bench.port.written()[1]), link::BuildFrame(u"00", u"02", u"03FB173B3B"));
    QCOMPARE(bench.panel.memory().read(sim::Area::Eeprom, 0x03FB, 3), QStringLiteral("173B3B"));
    QCOMPARE(group.events, QStringList({"busy", "locked", "idle", "unlocked"}));
    QVERIFY(!bench.port.isOpen());
    QCOMPARE(messageTexts(bench.view), QStringList{"3 Время успешно установлено"});
    QCOMPARE(ReadClock(bench.link, bench.view, group).time, QTime(23, 59, 59));
}

void ClockExchangeTest::writeFailures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QStringList>("messages");

    const QString failed = QStringLiteral("2 Не удалось установить время");
    const QString portError = QStringLiteral("2 Ошибка записи времени");
    QTest::newRow("no port: three port errors, then the failure")
        << Setup([](test::PanelBench& b) { b.port.setPresent(false); }) << 0
        << QStringList{portError, portError, portError, failed};
    QTest::newRow("no panel: three attempts of the running clock")
        << Setup([](test::PanelBench& b) { b.panel.faults().noAnswer = true; }) << 3 << QStringList{failed};
    QTest::newRow("copy unacknowledged: both written again each attempt")
        << Setup([](test::PanelBench& b) {
               b.panel.faults().noAnswer = true;
               b.panel.faults().onlyCommand = QStringLiteral("02");
           })
        << 12 << QStringList{failed};
    QTest::newRow("acknowledged on the second attempt")
        << Setup([](test::PanelBench& b) {
               b.panel.faults().answerFromTry = 2;
               b.panel.faults().onlyCommand = QStringLiteral("04");
           })
        << 3 << QStringList{QStringLiteral("3 Время успешно установлено")};
}

void ClockExchangeTest::writeFailures()
{
    QFETCH(Setup, setup);
    QFETCH(int, frames);
    QFETCH(QStringList, messages);
    test::PanelBench bench;
    setup(bench);
    RecordingGroup group;
    WriteClock(bench.link, bench.view, group, QTime(13, 5, 9));
    QCOMPARE(bench.frames(), frames);
    QCOMPARE(messageTexts(bench.view), messages);
    QCOMPARE(group.events.last(), QStringLiteral("unlocked"));
    QVERIFY(!bench.port.isOpen());
}

// No cancel request outlives the operation it was meant for.
void ClockExchangeTest::readAfterCancelledOperationGoesThrough()
{
    test::PanelBench bench;
    bench.cancelAfterFrames(3);
    journal::JournalList list;
    QCOMPARE(journal::ReadJournal(bench.link, bench.view, list).outcome, journal::JournalReadResult::Outcome::Cancelled);
    bench.link.setPump({});
    RecordingGroup group;
    QCOMPARE(ReadClock(bench.link, bench.view, group).outcome, ClockReadResult::Outcome::Read);
    QCOMPARE(bench.frames(), 3 + 1);
}

NODRA_TEST(ClockExchangeTest)
#include "clock_exchange_test.moc"
