// The simulated panel's communicator side: its own memory and the firmware probe.

#include "link/frame.h"
#include "sim/panel_sim.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra;

namespace {

// The panel's answer to a frame of this body, or empty when it stays silent.
QString Answer(sim::PanelSim& panel, const QString& body)
{
    const QString frame = u':' + body + link::FrameChecksum(body) + u';';
    const auto replies = panel.receive(frame.toLatin1(), 115200);
    QString all;
    for (const auto& reply : replies)
        for (const auto& piece : reply)
            all += QString::fromLatin1(piece.bytes);
    return all;
}

}  // namespace

class CommunicatorSideTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void probeReportsTheFirmware();
    void communicatorMemoryIsItsOwn();
    void fixedReplyAnswersEverything();
};

void CommunicatorSideTest::probeReportsTheFirmware()
{
    sim::PanelSim panel;
    const QString reply = Answer(panel, u"0039"_qs);
    QVERIFY(link::CheckReplyFrame(reply, link::ChecksumCheck::Verify));
    QCOMPARE(reply.mid(5, 2), u"39"_qs);     // the command in the header
    QCOMPARE(reply.mid(9, 4), u"0203"_qs);   // the version after one data byte
    panel.setFirmware(u"0202"_qs);
    QCOMPARE(Answer(panel, u"0039"_qs).mid(9, 4), u"0202"_qs);
    panel.setFirmware(QString());            // a firmware without the probe
    QCOMPARE(Answer(panel, u"0039"_qs), QString());
}

void CommunicatorSideTest::communicatorMemoryIsItsOwn()
{
    sim::PanelSim panel;
    // Shipped: no alternative number, SIM1 server 1 listening on 7789.
    QCOMPARE(link::ReplyPayload(Answer(panel, u"0011010000"_qs)), u"0F"_qs);
    QCOMPARE(link::ReplyPayload(Answer(panel, u"00110500A0"_qs)), u"373738390F"_qs);
    QVERIFY(!Answer(panel, u"001200A0313233340F"_qs).isEmpty());
    QCOMPARE(link::ReplyPayload(Answer(panel, u"00110500A0"_qs)), u"313233340F"_qs);
    QCOMPARE(panel.memory().read(sim::Area::Eeprom, 0x00A0, 1), u"18"_qs);  // parameter memory untouched
}

void CommunicatorSideTest::fixedReplyAnswersEverything()
{
    sim::PanelSim panel;
    panel.faults().fixedReply = "x;";
    QCOMPARE(Answer(panel, u"0039"_qs), u"x;"_qs);
    QCOMPARE(Answer(panel, u"0001010000"_qs), u"x;"_qs);
}

NODRA_TEST(CommunicatorSideTest)
#include "communicator_side_test.moc"
