#include "link/frame.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::link;

class FrameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checksum_data();
    void checksum();
    void buildFrame_data();
    void buildFrame();
    void checkReply_data();
    void checkReply();
    void payload_data();
    void payload();
};

// The checksum is the low byte of the character sum, colons and semicolons left out.
void FrameTest::checksum_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("read 1 byte at 0000: sum 482 keeps its low byte") << ":0001010000" << "E2";
    QTest::newRow("command without payload") << ":0008" << "C8";
    QTest::newRow("sum below 16 keeps its leading zero") << "UUW" << "01";
    QTest::newRow("sum of exactly 256") << "UUV" << "00";
    QTest::newRow("semicolons inside are skipped too") << ":00;08" << "C8";
    QTest::newRow("empty text has no checksum") << "" << "";
}

void FrameTest::checksum()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(FrameChecksum(text), expected);
}

void FrameTest::buildFrame_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QString>("expected");
    QTest::newRow("read parameter memory") << "01" << "010000" << ":0001010000E2;";
    QTest::newRow("restart carries its checksum") << "08" << "" << ":0008C8;";
    QTest::newRow("read working memory") << "03" << "010014" << ":0003010014E9;";
    QTest::newRow("sound reset") << "05" << "20" << ":00052027;";
}

void FrameTest::buildFrame()
{
    QFETCH(QString, command);
    QFETCH(QString, payload);
    QFETCH(QString, expected);
    QCOMPARE(BuildFrame(u"00", command, payload), expected);
}

void FrameTest::checkReply_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("verify");
    QTest::addColumn<bool>("expected");
    const QString request = QStringLiteral(":0001010000E2;");
    const QString tenCharacters = QStringLiteral(":000001") + FrameChecksum(u":000001") + QStringLiteral(";");
    const QString withData = QStringLiteral(":00000101") + FrameChecksum(u":00000101") + QStringLiteral(";");
    QTest::newRow("ten characters, no data") << tenCharacters << true << true;
    QTest::newRow("reply with data") << withData << true << true;
    QTest::newRow("echo of the request is no reply") << request << true << false;
    QTest::newRow("echo is refused without checksum too") << request << false << false;
    QTest::newRow("wrong checksum, verified") << ":0000010100;" << true << false;
    QTest::newRow("wrong checksum, shape only") << ":0000010100;" << false << true;
    QTest::newRow("missing final semicolon") << withData.chopped(1) << true << false;
    QTest::newRow("leading noise") << "x" + withData << false << false;
    QTest::newRow("too short to hold a checksum") << ":;" << true << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("failed result") << "ERR" << false << false;
}

void FrameTest::checkReply()
{
    QFETCH(QString, reply);
    QFETCH(bool, verify);
    QFETCH(bool, expected);
    QCOMPARE(CheckReply(reply, u":0001010000E2;", verify ? ChecksumCheck::Verify : ChecksumCheck::Skip),
             expected);
}

void FrameTest::payload_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("expected");
    QTest::newRow("data between header and checksum") << ":00000114033311A7;" << "14033311";
    QTest::newRow("ten characters") << ":000001C1;" << "";
    QTest::newRow("failed result") << "ERR" << "";
    QTest::newRow("empty") << "" << "";
}

void FrameTest::payload()
{
    QFETCH(QString, reply);
    QFETCH(QString, expected);
    QCOMPARE(ReplyPayload(reply), expected);
}

NODRA_TEST(FrameTest)
#include "frame_test.moc"
