#include "link/busy_window.h"
#include "link/transactions.h"
#include "panel_bench.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra;
using namespace nodra::link;

namespace {

enum class Taker { CancelCheck, JournalTest, Transaction };

}  // namespace

Q_DECLARE_METATYPE(Taker)

class BusyWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cancelRequestTaken_data();
    void cancelRequestTaken();
    void noRequestChangesNothing();
    void showingDropsAnEarlierRequest();
    void progressStaysWithinTheBar();
    void writtenBlocksLastOnlyForWriteAll();
    void secondOperationDoesNotStart();
};

// Who takes the installer's "Отмена" decides what is closed and whether a
// partial write is marked: only the cancel check does, and only once write-all
// has written a block.
void BusyWindowTest::cancelRequestTaken_data()
{
    QTest::addColumn<Taker>("taker");
    QTest::addColumn<int>("writtenBlocks");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("closed");  // port and busy window

    QTest::newRow("cancel check, nothing written yet") << Taker::CancelCheck << 0 << "" << true;
    QTest::newRow("cancel check after the first block") << Taker::CancelCheck << 1 << "cancel" << true;
    QTest::newRow("journal's own test never marks") << Taker::JournalTest << 1 << "" << true;
    QTest::newRow("transaction's own test never marks") << Taker::Transaction << 1 << "" << false;
}

void BusyWindowTest::cancelRequestTaken()
{
    QFETCH(Taker, taker);
    QFETCH(int, writtenBlocks);
    QFETCH(QString, marker);
    QFETCH(bool, closed);
    test::PanelBench bench;
    bench.port.open();
    BusyWindow busy(bench.link, bench.view);
    busy.show(QStringLiteral("Запись установок..."));
    bench.link.partialWrite().setWrittenBlocks(writtenBlocks);
    bench.link.cancelToken().request();

    switch (taker) {
    case Taker::CancelCheck: QVERIFY(CheckCancel(busy)); break;
    case Taker::JournalTest: QVERIFY(CancelRequested(busy)); break;
    case Taker::Transaction:
        QVERIFY(!WriteEeprom(bench.link, QStringLiteral("0000"), QStringLiteral("01")));
        QCOMPARE(bench.frames(), 0);
        break;
    }
    QVERIFY(!bench.link.cancelToken().isRequested());
    QCOMPARE(bench.link.partialWrite().marker(), marker);
    QCOMPARE(bench.port.isOpen(), !closed);
    QCOMPARE(bench.view.busyShown, !closed);
    QCOMPARE(busy.isShown(), !closed);
}

void BusyWindowTest::noRequestChangesNothing()
{
    test::PanelBench bench;
    bench.port.open();
    int pumps = 0;
    bench.link.setPump([&] { ++pumps; });
    BusyWindow busy(bench.link, bench.view);
    busy.show(QStringLiteral("Чтение установок..."));
    bench.link.partialWrite().setWrittenBlocks(1);
    QVERIFY(!CheckCancel(busy));
    QCOMPARE(pumps, 2);  // showing and checking both let pending clicks through
    QVERIFY(bench.port.isOpen());
    QVERIFY(bench.view.busyShown);
    QCOMPARE(bench.link.partialWrite().marker(), QString());
}

// A request left over from an earlier operation, or one that arrives while
// the window comes up, does not stop the operation that is starting.
void BusyWindowTest::showingDropsAnEarlierRequest()
{
    test::PanelBench bench;
    bench.link.cancelToken().request();
    BusyWindow busy(bench.link, bench.view);
    busy.show(QStringLiteral("Очистка..."));
    QVERIFY(!bench.link.cancelToken().isRequested());
    busy.close();
    bench.link.setPump([&] { bench.link.cancelToken().request(); });
    busy.show(QStringLiteral("Очистка..."));
    QVERIFY(!bench.link.cancelToken().isRequested());
    QCOMPARE(bench.view.captions, QStringList({QStringLiteral("Очистка..."), QStringLiteral("Очистка...")}));
    QCOMPARE(bench.view.progress, QList<double>({0, 0}));
}

// The sequences' formulas run past 100 at their ends; closing empties the bar.
void BusyWindowTest::progressStaysWithinTheBar()
{
    test::PanelBench bench;
    BusyWindow busy(bench.link, bench.view);
    busy.show(QStringLiteral("Запись установок..."));
    busy.setProgress(102);
    busy.setProgress(-1);
    QCOMPARE(bench.view.progress, QList<double>({0, 100, 0}));
    busy.setProgress(60);
    busy.close();
    QVERIFY(!bench.view.busyShown);
    QCOMPARE(bench.view.bar, 0.0);
}

// A cancellation taken after write-all has ended (a search, a journal read)
// must not make the next failed write-all claim a partial write.
void BusyWindowTest::writtenBlocksLastOnlyForWriteAll()
{
    test::PanelBench bench;
    PartialWrite& partial = bench.link.partialWrite();
    {
        WrittenBlocks counting(bench.link);
        counting.firstBlockWritten();
        QCOMPARE(partial.writtenBlocks(), 1);
    }
    QCOMPARE(partial.writtenBlocks(), 0);
    BusyWindow busy(bench.link, bench.view);
    busy.show(QStringLiteral("Чтение журнала..."));
    bench.link.cancelToken().request();
    QVERIFY(CheckCancel(busy));
    QVERIFY(!partial.isMarked());

    // A marker of an earlier write-all is dropped when the next one starts.
    partial.mark();
    const WrittenBlocks next(bench.link);
    QVERIFY(!partial.isMarked());
}

void BusyWindowTest::secondOperationDoesNotStart()
{
    test::PanelBench bench;
    {
        const RunningOperation first(bench.link);
        QVERIFY(bool(first));
        const RunningOperation second(bench.link);
        QVERIFY(!second);
    }
    const RunningOperation later(bench.link);
    QVERIFY(bool(later));
}

NODRA_TEST(BusyWindowTest)
#include "busy_window_test.moc"
