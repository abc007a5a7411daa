#include "link/frame.h"
#include "link/transactions.h"
#include "sim/sim_port.h"
#include "sim/state_file.h"
#include "test_registry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace nodra;

namespace {

QByteArray frame(const QString& address, const QString& command, const QString& payload)
{
    return link::BuildFrame(address, command, payload).toLatin1();
}

QByteArray joined(const sim::Reply& reply)
{
    QByteArray all;
    for (const auto& piece : reply)
        all += piece.bytes;
    return all;
}

}  // namespace

class PanelSimTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void replyHeaderIsAddressStatusAndCommand();
    void answersOnlyItsAddressAndSpeed();
    void restartAppliesStoredAddressAndSpeed();
    void faultsShapeTheReply();
    void journalEventsDuringRead();
    void clockRunsOnTheVirtualClock();
    void stateFileRoundTrip();
};

void PanelSimTest::replyHeaderIsAddressStatusAndCommand()
{
    sim::PanelSim panel;
    panel.setAddress(0x0C);
    const auto replies = panel.receive(frame(u"0C"_qs, u"01"_qs, u"040062"_qs), 115200);
    QCOMPARE(replies.size(), 1);
    const QString reply = QString::fromLatin1(joined(replies[0]));
    QVERIFY(link::CheckReplyFrame(reply, link::ChecksumCheck::Verify));
    QCOMPARE(reply.mid(1, 6), u"0C0001"_qs);
    QCOMPARE(link::ReplyPayload(reply), u"14033311"_qs);
}

void PanelSimTest::answersOnlyItsAddressAndSpeed()
{
    sim::PanelSim panel;
    panel.setAddress(7);
    panel.setBaud(57600);
    QVERIFY(panel.receive(frame(u"00"_qs, u"03"_qs, u"010014"_qs), 57600).isEmpty());
    QVERIFY(panel.receive(frame(u"07"_qs, u"03"_qs, u"010014"_qs), 115200).isEmpty());
    QVERIFY(panel.receive(":0703010014E0;", 57600).isEmpty());  // wrong checksum
    QCOMPARE(panel.receive(frame(u"07"_qs, u"03"_qs, u"010014"_qs), 57600).size(), 1);
    // Frames split over several writes and run together are both found.
    const QByteArray two = frame(u"07"_qs, u"05"_qs, u"20"_qs) + frame(u"07"_qs, u"07"_qs, {});
    QVERIFY(panel.receive(two.left(5), 57600).isEmpty());
    QCOMPARE(panel.receive(two.mid(5), 57600).size(), 2);
}

void PanelSimTest::restartAppliesStoredAddressAndSpeed()
{
    sim::PanelSim panel;
    panel.memory().writeHex(sim::Area::Eeprom, 0x0081, u"27"_qs);  // 57600
    panel.memory().writeHex(sim::Area::Eeprom, 0x0084, u"05"_qs);
    QCOMPARE(panel.address(), 0);
    const auto replies = panel.receive(frame(u"00"_qs, u"08"_qs, {}), 115200);
    QCOMPARE(replies.size(), 1);
    QCOMPARE(joined(replies[0]).mid(1, 2), QByteArray("00"));  // answered at the old address
    QCOMPARE(panel.address(), 5);
    QCOMPARE(panel.baud(), 57600);
    // An unknown speed code keeps the speed the panel runs at.
    panel.memory().writeHex(sim::Area::Eeprom, 0x0081, u"28"_qs);
    panel.receive(frame(u"05"_qs, u"08"_qs, {}), 57600);
    QCOMPARE(panel.baud(), 57600);
}

void PanelSimTest::faultsShapeTheReply()
{
    sim::PanelSim panel;
    const QByteArray request = frame(u"00"_qs, u"01"_qs, u"010000"_qs);
    panel.faults().splitAt = 4;
    panel.faults().splitPauseMs = 5;
    panel.faults().delayMs = 2;
    auto replies = panel.receive(request, 115200);
    QCOMPARE(replies[0].size(), 2);
    QCOMPARE(replies[0][0].delayUs, 2000);
    QCOMPARE(replies[0][1].delayUs, 5000);
    QCOMPARE(replies[0][0].bytes.size(), 4);

    panel.faults() = {};
    panel.faults().cutReplyTo = 6;
    QCOMPARE(joined(panel.receive(request, 115200)[0]).size(), 6);

    panel.faults() = {};
    panel.faults().echo = true;
    QCOMPARE(joined(panel.receive(request, 115200)[0]), request);

    // Faults limited to one command leave the others alone.
    panel.faults() = {};
    panel.faults().noAnswer = true;
    panel.faults().onlyCommand = u"04"_qs;
    QCOMPARE(panel.receive(request, 115200).size(), 1);
    QVERIFY(panel.receive(frame(u"00"_qs, u"04"_qs, u"004001"_qs), 115200).isEmpty());

    panel.faults() = {};
    panel.faults().silentAfter = panel.answered() + 1;
    QCOMPARE(panel.receive(request, 115200).size(), 1);
    QVERIFY(panel.receive(request, 115200).isEmpty());
}

void PanelSimTest::journalEventsDuringRead()
{
    sim::PanelSim panel;
    const int pointer = panel.memory().byte(sim::Area::Ram, 0x0033);
    panel.faults().eventDuringJournalRead = 0x4D;
    panel.receive(frame(u"00"_qs, u"03"_qs, u"010033"_qs), 115200);
    QCOMPARE(int(panel.memory().byte(sim::Area::Ram, 0x0033)), pointer);
    panel.receive(frame(u"00"_qs, u"03"_qs, u"200300"_qs), 115200);
    QCOMPARE(int(panel.memory().byte(sim::Area::Ram, 0x0033)), pointer + 1);
    QCOMPARE(int(panel.memory().byte(sim::Area::Ram, 0x0300 + pointer)), 0x4D);
}

void PanelSimTest::clockRunsOnTheVirtualClock()
{
    sim::PanelSim panel;
    sim::SimPort port(&panel);
    port.open();
    link::PanelLink link(port);
    QVERIFY(link::WriteRam(link, u"0001"_qs, u"173B3B"_qs));  // 23:59:59
    port.wait(2000);
    QCOMPARE(link::ReplyPayload(link::ReadRam(link, u"03"_qs, u"0001"_qs, link::kRamPointerLimit)), u"000001"_qs);
}

void PanelSimTest::stateFileRoundTrip()
{
    QTemporaryDir dir;
    sim::PanelSim written;
    written.memory().writeHex(sim::Area::Eeprom, 0x0084, u"07"_qs);
    written.memory().writeHex(sim::Area::Communicator, 0x00A0, u"373738390F"_qs);
    written.memory().writeHex(sim::Area::Ram, 0x0300, u"0405"_qs);
    QVERIFY(sim::SaveState(written.memory(), dir.filePath(u"state"_qs)));

    sim::PanelSim loaded;
    QCOMPARE(sim::LoadState(loaded, dir.filePath(u"state"_qs)), QString());
    QCOMPARE(loaded.address(), 7);
    for (auto area : {sim::Area::Eeprom, sim::Area::Ram, sim::Area::Communicator})
        QCOMPARE(loaded.memory().area(area), written.memory().area(area));

    QFile bad(dir.filePath(u"bad"_qs));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("eeprom 00G0 01\n");
    bad.close();
    QVERIFY(sim::LoadState(loaded, bad.fileName()).contains(u":1:"_qs));
}

NODRA_TEST(PanelSimTest)
#include "panel_sim_test.moc"
