// The real QSerialPort adapter against nodra-panel-sim on a pseudo-terminal.

#include "link/frame.h"
#include "link/serial_port.h"
#include "link/transactions.h"
#include "sim_process.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra;
using namespace nodra::link;

class SerialEndToEndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsAndWritesPanelMemory();
    void speedMismatchGetsNoAnswer();
    void nonStandardSpeedsReachThePanel_data();
    void nonStandardSpeedsReachThePanel();
    void pacedSlowLineFitsItsReadTimeout();
    void portListShowsTheSimulator();
    void panelGoneWhileOpenFailsOnce();
    void missingPortIsReported();
};

void SerialEndToEndTest::readsAndWritesPanelMemory()
{
    test::SimProcess sim;
    QVERIFY2(!sim.terminal().isEmpty(), qPrintable(sim.errors()));
    SerialPort port;
    port.setPortName(sim.terminal());
    port.open();
    PanelLink link(port);
    QCOMPARE(ReplyPayload(ReadEeprom(link, u"04"_qs, u"0062"_qs)), u"14033311"_qs);
    QVERIFY(WriteEeprom(link, u"0110"_qs, u"C0C1C2"_qs));
    QCOMPARE(ReplyPayload(ReadEeprom(link, u"03"_qs, u"0110"_qs)), u"C0C1C2"_qs);
    QVERIFY(WriteRam(link, u"0300"_qs, u"45"_qs));
    QCOMPARE(ReplyPayload(ReadRam(link, u"01"_qs, u"0300"_qs, kRamBlockLimit)), u"45"_qs);
    QCOMPARE(ReplyPayload(ReadEeprom(link, u"20"_qs, u"0208"_qs)).size(), 64);
    QVERIFY(ResetSound(link));
    QVERIFY(RestartPanel(link));
    port.close();
    // Closing and opening again finds the panel as before.
    port.open();
    QCOMPARE(ReplyPayload(ReadEeprom(link, u"03"_qs, u"0110"_qs)), u"C0C1C2"_qs);
}

void SerialEndToEndTest::speedMismatchGetsNoAnswer()
{
    test::SimProcess sim;
    SerialPort port;
    port.setPortName(sim.terminal());
    port.setBaudRate(9600);
    port.open();
    PanelLink link(port);
    QCOMPARE(ReadEeprom(link, u"01"_qs, u"0000"_qs), kFailed);
    port.close();
    port.setBaudRate(115200);
    port.open();
    QCOMPARE(ReplyPayload(ReadEeprom(link, u"01"_qs, u"0000"_qs)), u"01"_qs);
}

void SerialEndToEndTest::nonStandardSpeedsReachThePanel_data()
{
    QTest::addColumn<int>("baud");
    QTest::newRow("56000") << 56000;
    QTest::newRow("256000") << 256000;
    QTest::newRow("9600") << 9600;
}

void SerialEndToEndTest::nonStandardSpeedsReachThePanel()
{
    QFETCH(int, baud);
    test::SimProcess sim({u"--baud"_qs, QString::number(baud)});
    SerialPort port;
    port.setPortName(sim.terminal());
    port.setBaudRate(baud);
    port.open();
    PanelLink link(port);
    QCOMPARE(ReplyPayload(ReadEeprom(link, u"01"_qs, u"0081"_qs)).size(), 2);
}

void SerialEndToEndTest::pacedSlowLineFitsItsReadTimeout()
{
    test::SimProcess sim({u"--baud"_qs, u"9600"_qs, u"--pace"_qs, u"--delay"_qs, u"5"_qs});
    SerialPort port;
    port.setPortName(sim.terminal());
    port.setBaudRate(9600);
    port.open();
    PanelLink link(port);
    QCOMPARE(ReadEeprom(link, u"20"_qs, u"0110"_qs).size(), 74);
}

void SerialEndToEndTest::portListShowsTheSimulator()
{
    test::SimProcess sim;
    QVERIFY(SerialPort().listPorts().contains(sim.terminal()));
    QVERIFY(sim.stop());
    QVERIFY(!SerialPort().listPorts().contains(sim.terminal()));
}

// Like an adapter pulled out: the port reports the failure once and closes.
void SerialEndToEndTest::panelGoneWhileOpenFailsOnce()
{
    auto sim = std::make_unique<test::SimProcess>();
    SerialPort port;
    port.setPortName(sim->terminal());
    port.open();
    PanelLink link(port);
    QVERIFY(ReadEeprom(link, u"01"_qs, u"0000"_qs) != kFailed);
    sim.reset();
    QCOMPARE(ReadEeprom(link, u"01"_qs, u"0000"_qs), kFailed);
    QVERIFY(!port.isOpen());
    QVERIFY_THROWS_EXCEPTION(PortError, WriteRam(link, u"0040"_qs, u"01"_qs));
}

void SerialEndToEndTest::missingPortIsReported()
{
    SerialPort port;
    port.setPortName(u"/dev/nodra-no-such-port"_qs);
    try {
        port.open();
        QFAIL("opened a port that does not exist");
    } catch (const PortError& error) {
        QCOMPARE(error.message(), kPortMissing);
    }
    QVERIFY(!port.isOpen());
}

NODRA_TEST(SerialEndToEndTest)
#include "serial_e2e_test.moc"
