#include "journal/journal_transfer.h"
#include "panel_bench.h"
#include "test_registry.h"

#include <QTest>
#include <functional>

using namespace nodra;
using namespace nodra::journal;
using link::MessageKind;

namespace {

// The journal list on the tab: every time a sequence filled it.
struct RecordingList : JournalList {
    void showRows(const QList<JournalRow>& rows) override { shown << rows; }
    QList<QList<JournalRow>> shown;
};

// Puts a journal into the panel: the write pointer, then the records from
// record 1, the rest filled with `fill`.
void setJournal(sim::PanelSim& panel, int pointer, const QString& records, int fill = 0)
{
    const QString all = records + QStringLiteral("%1").arg(fill, 2, 16, QLatin1Char('0')).toUpper().repeated(
                                      kRecordCount - int(records.size()) / 2);
    panel.memory().writeHex(sim::Area::Ram, sim::address::kJournal, all);
    panel.memory().writeHex(sim::Area::Ram, sim::address::kJournalPointer,
                            QStringLiteral("%1").arg(pointer, 2, 16, QLatin1Char('0')));
}

// Record k holds event 4 + (k - 1) % 80: every record known, none 00.
QString everyRecordKnown()
{
    QString records;
    for (int k = 1; k <= kRecordCount; ++k)
        records += QStringLiteral("%1").arg(kFirstEvent + (k - 1) % kEventCount, 2, 16, QLatin1Char('0')).toUpper();
    return records;
}

QString ramRecords(const sim::PanelSim& panel)
{
    return panel.memory().read(sim::Area::Ram, sim::address::kJournal, kRecordCount);
}

JournalRow known(int number, int event)
{
    return {number, event, EventName(event), EventColour(event), true};
}

JournalRow unknown(int number, int event)
{
    return {number, event, QStringLiteral("Неизвестное событие (%1)").arg(event), std::nullopt, false};
}

}  // namespace

using Setup = std::function<void(test::PanelBench&)>;
Q_DECLARE_METATYPE(Setup)

class JournalTransferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
    void rowsOfKnownAndUnknownEvents();
    void readFailures_data();
    void readFailures();
    void recordsThatAreNotHex();
    void clearEmptiesPanelAndList();
    void clearFailures_data();
    void clearFailures();
};

void JournalTransferTest::read_data()
{
    QTest::addColumn<int>("pointer");
    QTest::addColumn<QString>("records");
    QTest::addColumn<int>("fill");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    // Rows to look at: "row:number:event", rows counted from 1.
    QTest::addColumn<QStringList>("spots");

    QTest::newRow("pointer 00: empty whatever the records hold")
        << 0 << everyRecordKnown() << 0 << "Журнал пуст" << 0 << QStringList();
    QTest::newRow("records 04 05 00: two rows, newest first")
        << 2 << "0405" << 0 << "Журнал успешно прочитан" << 2 << QStringList{"1:2:5", "2:1:4"};
    QTest::newRow("full with pointer 05: counted down from 256")
        << 5 << everyRecordKnown() << 0 << "Журнал успешно прочитан" << 256
        << QStringList{"1:256:8", "5:252:4", "6:251:19", "256:1:9"};
    QTest::newRow("unknown 03 and 54") << 2 << "0354" << 0 << "Журнал успешно прочитан" << 2
                                       << QStringList{"1:2:84", "2:1:3"};
    QTest::newRow("record FF is event 255") << 1 << "FF" << 0 << "Журнал успешно прочитан" << 1
                                            << QStringList{"1:1:255"};
    QTest::newRow("pointer set but record 1 is 00: no rows")
        << 3 << "00" << 0x45 << "Журнал успешно прочитан" << 0 << QStringList();
}

// Pointer, eight blocks, pointer again; the list is built newest first.
void JournalTransferTest::read()
{
    QFETCH(int, pointer);
    QFETCH(QString, records);
    QFETCH(int, fill);
    QFETCH(QString, message);
    QFETCH(int, rows);
    QFETCH(QStringList, spots);
    test::PanelBench bench;
    setJournal(bench.panel, pointer, records, fill);
    RecordingList list;

    const JournalReadResult result = ReadJournal(bench.link, bench.view, list);
    QCOMPARE(result.outcome, pointer == 0 ? JournalReadResult::Outcome::Empty : JournalReadResult::Outcome::Read);
    QCOMPARE(bench.frames(), 10);
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QCOMPARE(bench.view.captions, QStringList{QStringLiteral("Чтение журнала...")});
    QCOMPARE(bench.view.messages.size(), 1);
    QCOMPARE(bench.view.messages[0].kind, MessageKind::Information);
    QCOMPARE(bench.view.messages[0].message, message);
    QCOMPARE(list.shown.size(), 1);
    QCOMPARE(list.shown[0].size(), rows);
    QCOMPARE(result.rows, list.shown[0]);
    for (const QString& spot : spots) {
        const QStringList parts = spot.split(u':');
        const JournalRow& row = result.rows[parts[0].toInt() - 1];
        QCOMPARE(row.number, parts[1].toInt());
        QCOMPARE(row.event, parts[2].toInt());
    }
}

// A known event has its name, its colour and centred cells; an unknown one
// only the text with its number.
void JournalTransferTest::rowsOfKnownAndUnknownEvents()
{
    test::PanelBench bench;
    setJournal(bench.panel, 4, QStringLiteral("04035440"));
    RecordingList list;
    const JournalReadResult result = ReadJournal(bench.link, bench.view, list);
    const QList<JournalRow> expected = {known(4, 64), unknown(3, 84), unknown(2, 3), known(1, 4)};
    QCOMPARE(result.rows, expected);
    QCOMPARE(result.rows[3].name, QStringLiteral("Вход в меню пользователя 1"));
    QCOMPARE(result.rows[3].colour, std::optional<Rgb>(Rgb{0, 128, 0}));
    QCOMPARE(result.rows[2].name, QStringLiteral("Неизвестное событие (3)"));
    QCOMPARE(result.rows[1].name, QStringLiteral("Неизвестное событие (84)"));
    QCOMPARE(bench.view.progress, QList<double>({0, 13, 25, 38, 50, 63, 75, 88, 100, 100}));
}

void JournalTransferTest::readFailures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("kind");  // 0: no message
    QTest::addColumn<QString>("headline");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("listEmptied");

    const QString readFailed = QStringLiteral("Не удалось прочитать журнал");
    QTest::newRow("no panel: the pointer read fails after three tries, no block read")
        << Setup([](test::PanelBench& b) { b.panel.faults().noAnswer = true; }) << 3 << 2 << "" << readFailed << false;
    QTest::newRow("a block read fails")
        << Setup([](test::PanelBench& b) { b.panel.faults().silentAfter = 3; }) << 6 << 2 << "" << readFailed << false;
    QTest::newRow("events logged during the read")
        << Setup([](test::PanelBench& b) { b.panel.faults().eventDuringJournalRead = 0x45; }) << 10 << 1
        << "Невозможно корректно отобразить журнал" << "Слишком часто происходят события" << false;
    QTest::newRow("cancel noticed after the second block: no message")
        << Setup([](test::PanelBench& b) { b.cancelAfterFrames(3); }) << 3 << 0 << "" << "" << false;
    QTest::newRow("cancel taken by the block read's own test")
        << Setup([](test::PanelBench& b) { b.cancelAfterFrames(1); }) << 1 << 2 << "" << readFailed << false;
    QTest::newRow("port missing: the list is emptied")
        << Setup([](test::PanelBench& b) { b.port.setPresent(false); }) << 0 << 2 << readFailed
        << "Проверте порт подключения" << true;
}

void JournalTransferTest::readFailures()
{
    QFETCH(Setup, setup);
    QFETCH(int, frames);
    QFETCH(int, kind);
    QFETCH(QString, headline);
    QFETCH(QString, message);
    QFETCH(bool, listEmptied);
    test::PanelBench bench;
    setup(bench);
    RecordingList list;
    const JournalReadResult result = ReadJournal(bench.link, bench.view, list);
    QVERIFY(result.rows.isEmpty());
    QCOMPARE(bench.frames(), frames);
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QVERIFY(!bench.link.cancelToken().isRequested());
    QCOMPARE(list.shown, listEmptied ? QList<QList<JournalRow>>{{}} : QList<QList<JournalRow>>{});
    if (kind == 0) {
        QCOMPARE(result.outcome, JournalReadResult::Outcome::Cancelled);
        QVERIFY(bench.view.messages.isEmpty());
        return;
    }
    QCOMPARE(bench.view.messages.size(), 1);
    QCOMPARE(int(bench.view.messages[0].kind), kind);
    QCOMPARE(bench.view.messages[0].headline, headline);
    QCOMPARE(bench.view.messages[0].message, message);
}

// Records the panel got wrong never reach the list as numbers.
void JournalTransferTest::recordsThatAreNotHex()
{
    const QString good = QStringLiteral("04").repeated(kRecordCount);
    QVERIFY(BuildJournalRows(QStringLiteral("05"), good));
    QVERIFY(!BuildJournalRows(QStringLiteral("05"), QStringLiteral("0G") + good.mid(2)));
    QVERIFY(!BuildJournalRows(QStringLiteral("05"), QStringLiteral(" 4") + good.mid(2)));
    QVERIFY(!BuildJournalRows(QStringLiteral("05"), good.left(510)));
    QVERIFY(!BuildJournalRows(QStringLiteral("5"), good));  // a full journal needs its pointer
}

// All records and the pointer are zero afterwards: the next read finds an
// empty journal.
void JournalTransferTest::clearEmptiesPanelAndList()
{
    test::PanelBench bench;
    setJournal(bench.panel, 5, everyRecordKnown());
    bench.panel.memory().writeHex(sim::Area::Ram, 0x0026, QStringLiteral("07"));
    bench.panel.memory().writeHex(sim::Area::Ram, 0x0032, QStringLiteral("09"));
    RecordingList list;
    QCOMPARE(ClearJournal(bench.link, bench.view, list).outcome, JournalClearResult::Outcome::Cleared);
    QCOMPARE(bench.frames(), 10);
    QCOMPARE(ramRecords(bench.panel), QStringLiteral("00").repeated(kRecordCount));
    QCOMPARE(bench.panel.memory().read(sim::Area::Ram, 0x0026, 1), QStringLiteral("00"));
    QCOMPARE(bench.panel.memory().read(sim::Area::Ram, 0x0032, 2), QStringLiteral("0000"));
    QCOMPARE(list.shown, QList<QList<JournalRow>>{{}});
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QCOMPARE(bench.view.captions, QStringList{QStringLiteral("Очистка...")});
    QCOMPARE(bench.view.messages.size(), 1);
    QCOMPARE(bench.view.messages[0].kind, MessageKind::Confirmation);
    QCOMPARE(bench.view.messages[0].message, QStringLiteral("Журнал успешно очищен"));

    QCOMPARE(ReadJournal(bench.link, bench.view, list).outcome, JournalReadResult::Outcome::Empty);
    QCOMPARE(bench.view.messages.last().message, QStringLiteral("Журнал пуст"));
}

void JournalTransferTest::clearFailures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("zeroedRecords");
    QTest::addColumn<QString>("headline");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("busyShown");

    const QString failed = QStringLiteral("Не удалось очистить журнал");
    QTest::newRow("no panel: fails after the first block")
        << Setup([](test::PanelBench& b) { b.panel.faults().noAnswer = true; }) << 1 << 0 << "" << failed << true;
    QTest::newRow("cancelled after the third block: records 1-96 zero")
        << Setup([](test::PanelBench& b) { b.cancelAfterFrames(3); }) << 3 << 96 << "" << failed << true;
    QTest::newRow("the pointer write unanswered")
        << Setup([](test::PanelBench& b) { b.panel.faults().silentAfter = 9; }) << 10 << 256 << "" << failed << true;
    QTest::newRow("port missing: nothing written, no busy window")
        << Setup([](test::PanelBench& b) { b.port.setPresent(false); }) << 0 << 0 << "" << failed << false;
    QTest::newRow("adapter pulled after two blocks: the port's own text")
        << Setup([](test::PanelBench& b) {
               b.link.setPump([&b] {
                   if (b.frames() == 2)
                       b.port.unplug();
               });
           })
        << 2 << 64 << failed << "Пристрій відключено" << true;
}

// A failed or cancelled clearing keeps the blocks already zeroed and the old
// pointer, closes the port and the busy window, and leaves the list alone.
void JournalTransferTest::clearFailures()
{
    QFETCH(Setup, setup);
    QFETCH(int, frames);
    QFETCH(int, zeroedRecords);
    QFETCH(QString, headline);
    QFETCH(QString, message);
    QFETCH(bool, busyShown);
    test::PanelBench bench;
    const QString before = everyRecordKnown();
    setJournal(bench.panel, 5, before);
    setup(bench);
    RecordingList list;
    QVERIFY(ClearJournal(bench.link, bench.view, list).outcome != JournalClearResult::Outcome::Cleared);
    QCOMPARE(bench.frames(), frames);
    QCOMPARE(ramRecords(bench.panel), QStringLiteral("00").repeated(zeroedRecords) + before.mid(zeroedRecords * 2));
    QCOMPARE(bench.panel.memory().read(sim::Area::Ram, sim::address::kJournalPointer, 1), QStringLiteral("05"));
    QVERIFY(list.shown.isEmpty());
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QVERIFY(!bench.link.cancelToken().isRequested());
    QCOMPARE(bench.view.captions.size(), busyShown ? 1 : 0);
    QCOMPARE(bench.view.messages.size(), 1);
    QCOMPARE(bench.view.messages[0].kind, MessageKind::Error);
    QCOMPARE(bench.view.messages[0].headline, headline);
    QCOMPARE(bench.view.messages[0].message, message);
}

NODRA_TEST(JournalTransferTest)
#include "journal_transfer_test.moc"
