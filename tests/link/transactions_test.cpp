#include "link/frame.h"
#include "link/transactions.h"
#include "sim/sim_port.h"
#include "test_registry.h"

#include <QTest>
#include <functional>

using namespace nodra;
using namespace nodra::link;

namespace {

// A panel on an in-process line; the port is open unless a test closes it.
struct Bench {
    sim::PanelSim panel;
    sim::SimPort port{&panel};
    PanelLink link{port};
    Bench() { port.open(); }
    int tries() const { return int(port.written().size()); }
};

enum class Routine { ReadEeprom, WriteEeprom, ReadRam, ProbeRam, WriteRam, ResetSound, ResetDevice, Restart };

// Runs a routine; a text result or "true"/"false".
QString run(Bench& bench, Routine routine, const QString& count = QStringLiteral("01"))
{
    PanelLink& link = bench.link;
    const auto flag = [](bool ok) { return ok ? QStringLiteral("true") : QStringLiteral("false"); };
    switch (routine) {
    case Routine::ReadEeprom: return ReadEeprom(link, count, QStringLiteral("0062"));
    case Routine::WriteEeprom: return flag(WriteEeprom(link, QStringLiteral("0062"), QStringLiteral("05")));
    case Routine::ReadRam: return ReadRam(link, count, QStringLiteral("0033"), kRamPointerLimit);
    case Routine::ProbeRam: return ProbeRam(link, count, QStringLiteral("0014"), kProbeLimit);
    case Routine::WriteRam: return flag(WriteRam(link, QStringLiteral("0040"), QStringLiteral("01")));
    case Routine::ResetSound: return flag(ResetSound(link));
    case Routine::ResetDevice: return flag(ResetDevice(link));
    case Routine::Restart: return flag(RestartPanel(link));
    }
    return {};
}

}  // namespace

Q_DECLARE_METATYPE(Routine)
using Setup = std::function<void(sim::Faults&)>;
Q_DECLARE_METATYPE(Setup)

class TransactionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tries_data();
    void tries();
    void cancelTokenStopsBeforeSending();
    void cancelDuringTriesEndsTheTransaction();
    void closedPort();
    void unpluggedAdapterFailsOnce();
    void replyInTwoPiecesIsReadWhole();
    void lateReplyIsNotTakenForTheNextRequest();
    void slowLineFitsItsReadTimeout();
    void memoryRoundTrip();
    void restartMovesThePanel();
    void speedMismatchGetsNoAnswer();
};

// How many tries each routine makes, and what it returns, for each way the
// panel can fail.
void TransactionsTest::tries_data()
{
    QTest::addColumn<Routine>("routine");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("tries");
    QTest::addColumn<QString>("result");  // "frame" for any reply frame

    const Setup none = [](sim::Faults&) {};
    const Setup silent = [](sim::Faults& f) { f.noAnswer = true; };
    const Setup echo = [](sim::Faults& f) { f.echo = true; };
    const Setup badSum = [](sim::Faults& f) { f.wrongChecksum = true; };
    const Setup third = [](sim::Faults& f) { f.answerFromTry = 3; };
    const QString one = QStringLiteral("01");

    QTest::newRow("ReadEeprom, no panel: three tries") << Routine::ReadEeprom << silent << one << 3 << "ERR";
    QTest::newRow("WriteEeprom, no panel") << Routine::WriteEeprom << silent << one << 3 << "false";
    QTest::newRow("ReadRam, no panel") << Routine::ReadRam << silent << one << 3 << "ERR";
    QTest::newRow("ProbeRam, no panel: one try") << Routine::ProbeRam << silent << one << 1 << "ERR";
    QTest::newRow("WriteRam, no panel") << Routine::WriteRam << silent << one << 1 << "false";
    QTest::newRow("ResetSound, no panel") << Routine::ResetSound << silent << one << 1 << "false";
    QTest::newRow("ResetDevice, no panel") << Routine::ResetDevice << silent << one << 1 << "false";
    QTest::newRow("RestartPanel, no panel: six tries") << Routine::Restart << silent << one << 6 << "false";
    QTest::newRow("ReadEeprom, echo fails at once") << Routine::ReadEeprom << echo << one << 1 << "ERR";
    QTest::newRow("RestartPanel, echo fails at once") << Routine::Restart << echo << one << 1 << "false";
    QTest::newRow("WriteRam, echo") << Routine::WriteRam << echo << one << 1 << "false";
    QTest::newRow("ReadEeprom, wrong checksum is retried") << Routine::ReadEeprom << badSum << one << 3 << "ERR";
    QTest::newRow("WriteRam, wrong checksum is accepted") << Routine::WriteRam << badSum << one << 1 << "true";
    QTest::newRow("ResetSound, wrong checksum is accepted") << Routine::ResetSound << badSum << one << 1 << "true";
    QTest::newRow("ReadEeprom, answer on the third try") << Routine::ReadEeprom << third << one << 3 << "frame";
    QTest::newRow("ProbeRam, answer on the third try") << Routine::ProbeRam << third << one << 1 << "ERR";
    QTest::newRow("ReadEeprom of 35 bytes fits") << Routine::ReadEeprom << none << "23" << 1 << "frame";
    QTest::newRow("ReadEeprom of 36 bytes is cut at 80") << Routine::ReadEeprom << none << "24" << 3 << "ERR";
    QTest::newRow("ReadRam, answered") << Routine::ReadRam << none << one << 1 << "frame";
    QTest::newRow("ResetDevice, answered") << Routine::ResetDevice << none << one << 1 << "true";
    QTest::newRow("RestartPanel, answered") << Routine::Restart << none << one << 1 << "true";
}

void TransactionsTest::tries()
{
    QFETCH(Routine, routine);
    QFETCH(Setup, setup);
    QFETCH(QString, count);
    QFETCH(int, tries);
    QFETCH(QString, result);
    Bench bench;
    setup(bench.panel.faults());
    const QString got = run(bench, routine, count);
    QCOMPARE(bench.tries(), tries);
    if (result == QLatin1String("frame"))
        QVERIFY2(CheckReply(got, QString::fromLatin1(bench.port.written().last()), ChecksumCheck::Verify), qPrintable(got));
    else
        QCOMPARE(got, result);
}

void TransactionsTest::cancelTokenStopsBeforeSending()
{
    Bench bench;
    bench.link.cancelToken().request();
    QVERIFY(!WriteEeprom(bench.link, QStringLiteral("0062"), QStringLiteral("05")));
    QCOMPARE(bench.tries(), 0);
    QVERIFY(!bench.link.cancelToken().isRequested());
    // Nothing remains pending: the next transaction goes through.
    QVERIFY(WriteEeprom(bench.link, QStringLiteral("0062"), QStringLiteral("05")));
}

// The pump before each try is where the installer's "Отмена" arrives.
void TransactionsTest::cancelDuringTriesEndsTheTransaction()
{
    Bench bench;
    bench.panel.faults().noAnswer = true;
    int pumps = 0;
    bench.link.setPump([&] {
        if (++pumps == 2)
            bench.link.cancelToken().request();
    });
    QCOMPARE(ReadEeprom(bench.link, QStringLiteral("01"), QStringLiteral("0000")), kFailed);
    QCOMPARE(bench.tries(), 1);
    QVERIFY(!bench.link.cancelToken().isRequested());
}

void TransactionsTest::closedPort()
{
    Bench bench;
    bench.port.close();
    QCOMPARE(ReadEeprom(bench.link, QStringLiteral("01"), QStringLiteral("0000")), kFailed);
    QCOMPARE(ProbeRam(bench.link, QStringLiteral("01"), QStringLiteral("0014"), kProbeLimit), kFailed);
    QVERIFY(!RestartPanel(bench.link));
    QCOMPARE(bench.tries(), 0);
    // The single-try write routines use the port anyway and its error reaches the caller.
    QVERIFY_THROWS_EXCEPTION(PortError, WriteRam(bench.link, QStringLiteral("0040"), QStringLiteral("01")));
    QVERIFY_THROWS_EXCEPTION(PortError, ResetSound(bench.link));
    QVERIFY_THROWS_EXCEPTION(PortError, ResetDevice(bench.link));
}

// A port that fails under a try ends the transaction at once; the port is
// closed and not tried again.
void TransactionsTest::unpluggedAdapterFailsOnce()
{
    Bench bench;
    bench.port.unplug();
    QCOMPARE(ReadEeprom(bench.link, QStringLiteral("01"), QStringLiteral("0000")), kFailed);
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!WriteEeprom(bench.link, QStringLiteral("0000"), QStringLiteral("01")));
    QCOMPARE(bench.tries(), 0);
    QVERIFY_THROWS_EXCEPTION(PortError, WriteRam(bench.link, QStringLiteral("0040"), QStringLiteral("01")));
}

void TransactionsTest::replyInTwoPiecesIsReadWhole()
{
    Bench bench;
    bench.panel.faults().splitAt = 7;
    bench.panel.faults().splitPauseMs = 16;  // a USB adapter's latency timer
    QCOMPARE(ReplyPayload(ReadEeprom(bench.link, QStringLiteral("04"), QStringLiteral("0062"))),
             QStringLiteral("14033311"));
    QCOMPARE(bench.tries(), 1);
}

// A reply that comes after its read has given up is dropped before the next
// request goes out, instead of being read as that request's reply.
void TransactionsTest::lateReplyIsNotTakenForTheNextRequest()
{
    Bench bench;
    bench.panel.memory().writeHex(sim::Area::Ram, 0x0033, QStringLiteral("AA"));
    bench.panel.memory().writeHex(sim::Area::Ram, 0x0014, QStringLiteral("55"));
    bench.panel.faults().delayMs = 30;
    QCOMPARE(ProbeRam(bench.link, QStringLiteral("01"), QStringLiteral("0033"), kProbeLimit), kFailed);
    bench.panel.faults().delayMs = 0;
    bench.link.setPump([&] { bench.port.clock().advanceUs(20000); });  // the window redraws meanwhile
    QCOMPARE(ReplyPayload(ProbeRam(bench.link, QStringLiteral("01"), QStringLiteral("0014"), kProbeLimit)),
             QStringLiteral("55"));
}

// At 9600 a 32-byte reply (74 characters) takes 77 ms on the line; with the
// panel's turn-around it would not fit 1 ms per requested character.
void TransactionsTest::slowLineFitsItsReadTimeout()
{
    Bench bench;
    bench.panel.setBaud(9600);
    bench.port.setBaudRate(9600);
    bench.panel.faults().delayMs = 10;
    const qint64 before = bench.port.clock().nowUs();
    const QString reply = ReadEeprom(bench.link, QStringLiteral("20"), QStringLiteral("0110"));
    QCOMPARE(reply.size(), 74);
    QCOMPARE(bench.tries(), 1);
    QVERIFY(bench.port.clock().nowUs() - before > (kReadEepromLimit + 1) * 1000);
}

void TransactionsTest::memoryRoundTrip()
{
    Bench bench;
    QVERIFY(WriteEeprom(bench.link, QStringLiteral("0110"), QStringLiteral("C0C1C2")));
    QCOMPARE(ReplyPayload(ReadEeprom(bench.link, QStringLiteral("03"), QStringLiteral("0110"))),
             QStringLiteral("C0C1C2"));
    QVERIFY(WriteRam(bench.link, QStringLiteral("0300"), QStringLiteral("0405")));
    QCOMPARE(ReplyPayload(ReadRam(bench.link, QStringLiteral("02"), QStringLiteral("0300"), kRamBlockLimit)),
             QStringLiteral("0405"));
    QCOMPARE(bench.port.written().first(), QByteArray(":00020110C0C1C2") + FrameChecksum(u":00020110C0C1C2").toLatin1() + ';');
}

// The restart is answered at the old address; afterwards the panel listens
// at the address stored in its memory.
void TransactionsTest::restartMovesThePanel()
{
    Bench bench;
    QVERIFY(WriteEeprom(bench.link, QStringLiteral("0084"), QStringLiteral("05")));
    QVERIFY(RestartPanel(bench.link));
    QCOMPARE(ReadEeprom(bench.link, QStringLiteral("01"), QStringLiteral("0084")), kFailed);
    bench.link.setDeviceAddress(QStringLiteral("05"));
    QCOMPARE(ReplyPayload(ReadEeprom(bench.link, QStringLiteral("01"), QStringLiteral("0084"))),
             QStringLiteral("05"));
}

void TransactionsTest::speedMismatchGetsNoAnswer()
{
    Bench bench;
    bench.port.setBaudRate(57600);
    QCOMPARE(ReadEeprom(bench.link, QStringLiteral("01"), QStringLiteral("0000")), kFailed);
    bench.port.setBaudRate(115200);
    QVERIFY(ReadEeprom(bench.link, QStringLiteral("01"), QStringLiteral("0000")) != kFailed);
}

NODRA_TEST(TransactionsTest)
#include "transactions_test.moc"
