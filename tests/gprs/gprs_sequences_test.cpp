// The tab's read and write against the simulated panel and communicator.

#include "gprs/gprs_sequences.h"
#include "gprs/parameter_map.h"
#include "gprs/write_plan.h"
#include "gprs_fixture.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra;
using namespace nodra::gprs;

namespace {

void Store(test::GprsLine& line, sim::Area area, int address, const QString& hex)
{
    line.panel.memory().writeHex(area, address, hex);
}

QString Stored(const test::GprsLine& line, sim::Area area, int address, int count)
{
    return line.panel.memory().read(area, address, count);
}

// The bodies a write of the tab's start values sends after the probe and the
// version check, in order.
const QStringList kStartValueBodies = {
    u"0002006510"_qs,                                  // SUR-GARD
    u"000202002222"_qs,                                // object 2222
    u"0002006028"_qs,                                  // period 40 x 5 s
    u"00020015" "3530303020313832323232" "14" "0F"_qs,  // "5000 182222", suffix 14
    u"00020170353030302031380101"_qs,                  // fixed header
    u"000200D0696E7465726E65740101"_qs,                // "internet"
    u"000200E8696E7465726E65740101"_qs,
    u"001200A0373738390F"_qs,                          // local ports
    u"001200D0373738390F"_qs,
    u"00120100373738390F"_qs,
    u"00120130373739300F"_qs,
    u"00120160373739300F"_qs,
    u"00120190373739300F"_qs,
    u"001200A622544350222C223139322E302E322E3130222C373738390F"_qs,  // "TCP","192.0.2.10",7789
    u"001200D622544350222C223139322E302E322E3130222C373738390F"_qs,
    u"0012010622544350222C223139322E302E322E3130222C373738390F"_qs,
    u"0012013622554450222C223139322E302E322E3130222C373739300F"_qs,  // "UDP",...,7790
    u"0012016622554450222C223139322E302E322E3130222C373739300F"_qs,
    u"0012019622554450222C223139322E302E322E3130222C373739300F"_qs,
    u"000200D0696E7465726E65740101"_qs,                // access points again
    u"000200E8696E7465726E65740101"_qs,
    u"000200A0180E11"_qs,                              // 24 h from 14:17
};

}  // namespace

using Change = std::function<void(GprsState&)>;
Q_DECLARE_METATYPE(Change)

class GprsSequencesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writeSendsEveryFieldInOrder();
    void writeAndReadBackEveryField();
    void writeRefusesBeforeAnyExchange_data();
    void writeRefusesBeforeAnyExchange();
    void longestFieldsAreWritten();
    void connectionByte_data();
    void connectionByte();
    void keepAliveSuffix_data();
    void keepAliveSuffix();
    void alternativeNumberAsDigits();
    void firmwareVersion_data();
    void firmwareVersion();
    void unansweredProbeSkipsNumberAndProtocol();
    void failedExchangeEndsTheSequence();
    void replyThatMakesNoSenseEndsTheRead();
    void portAt115200AfterASequence();
    void missingPortReachesTheCaller();
    void objectNumberSetsTheKeepAliveMessage();
};

void GprsSequencesTest::writeSendsEveryFieldInOrder()
{
    test::GprsLine line;
    QList<GprsProgress> shown;
    line.link.setProgressObserver([&](const GprsProgress& p) { shown << p; });
    QCOMPARE(WriteCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Done);
    const QStringList expected = QStringList{u"0039"_qs, u"001200000F"_qs, u"0039"_qs} + kStartValueBodies;
    QCOMPARE(line.bodies(), expected);
    QCOMPARE(line.view.plainMessages, QStringList{kWriteDone});
    // The bar counts every exchange up from its maximum of 22, then empties.
    QCOMPARE(shown.first(), (GprsProgress{kWriteProgressMaximum, 0}));
    QCOMPARE(shown[shown.size() - 2].position, int(expected.size()));
    QCOMPARE(shown.last().position, 0);
    QVERIFY(!line.port.isOpen());
}

void GprsSequencesTest::writeAndReadBackEveryField()
{
    test::GprsLine writer;
    GprsState sent = test::EveryFieldChanged();
    sent.checkConnection = sent.keepAliveEnabled = true;  // so that the period is stored
    QCOMPARE(WriteCommunicatorSettings(writer.link, writer.portName(), sent), Outcome::Done);

    test::GprsLine reader;
    reader.panel.memory() = writer.panel.memory();
    QCOMPARE(ReadCommunicatorSettings(reader.link, reader.portName(), reader.state), Outcome::Done);
    QCOMPARE(test::Fields(reader.state), test::Fields(sent));
    QCOMPARE(reader.view.plainMessages, QStringList{kReadDone});
    QCOMPARE(reader.state.progress, (GprsProgress{kReadProgressMaximum, 0}));
    QCOMPARE(reader.bodies().mid(0, 6), (QStringList{u"0039"_qs, u"00110F0000"_qs, u"0001010065"_qs, u"0039"_qs,
                                                    u"0001020200"_qs, u"0001010060"_qs}));
    QVERIFY(reader.bodies().contains(u"00010D0015"_qs));  // the keep-alive with suffix and 0F
}

// A field that cannot be written is refused with its name before the port is
// touched.
void GprsSequencesTest::writeRefusesBeforeAnyExchange_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("message");

    const QString length = u"Несоответствие количеству знаков в поле \"%1\""_qs;
    const QString value = u"Недопустимое значение в поле \"%1\""_qs;
    const QString characters = u"Недопустимые символы в поле \"%1\""_qs;
    const auto row = [](const char* name, Change change, const QString& message) {
        QTest::newRow(name) << change << message;
    };
    row("access point 1 of 23 characters", [](GprsState& s) { s.accessPoints[0] = QString(23, u'a'); },
        length.arg(u"Точка доступа 1"_qs));
    row("access point 2 empty", [](GprsState& s) { s.accessPoints[1].clear(); }, length.arg(u"Точка доступа 2"_qs));
    row("keep-alive message of 12 characters", [](GprsState& s) { s.keepAliveMessage = u"5000 1822220"_qs; },
        length.arg(u"Передачи для поддержки GPRS сессии"_qs));
    row("keep-alive message empty", [](GprsState& s) { s.keepAliveMessage.clear(); },
        length.arg(u"Передачи для поддержки GPRS сессии"_qs));
    row("access point checked before keep-alive", [](GprsState& s) {
        s.keepAliveMessage.clear();
        s.accessPoints[1].clear();
    }, length.arg(u"Точка доступа 2"_qs));
    row("object of five digits", [](GprsState& s) { s.objectNumber = u"12345"_qs; }, value.arg(u"Объект №"_qs));
    row("object not hexadecimal", [](GprsState& s) { s.objectNumber = u"12G4"_qs; }, value.arg(u"Объект №"_qs));
    row("object \"?\" from a file", [](GprsState& s) { s.objectNumber = u"?"_qs; }, value.arg(u"Объект №"_qs));
    row("no protocol selected", [](GprsState& s) { s.protocolIndex = kNoProtocol; }, value.arg(u"Протокол"_qs));
    row("test period 0", [](GprsState& s) { s.testPeriodHours = u"0"_qs; },
        value.arg(u"Передача тестов сообщением"_qs));
    row("test period 25", [](GprsState& s) { s.testPeriodHours = u"25"_qs; },
        value.arg(u"Передача тестов сообщением"_qs));
    row("hour 24", [](GprsState& s) { s.testStartHour = u"24"_qs; }, value.arg(u"Час начала"_qs));
    row("minute 60", [](GprsState& s) { s.testStartMinute = u"60"_qs; }, value.arg(u"Минута начала"_qs));
    row("minute with a sign", [](GprsState& s) { s.testStartMinute = u"+5"_qs; }, value.arg(u"Минута начала"_qs));
    row("keep-alive period 256", [](GprsState& s) { s.keepAlivePeriod = u"256"_qs; },
        value.arg(u"Период (*5 сек)"_qs));
    // The period must be a number even when the boxes leave it unused.
    row("keep-alive period not a number, unused", [](GprsState& s) {
        s.keepAlivePeriod = u"abc"_qs;
        s.checkConnection = false;
    }, value.arg(u"Период (*5 сек)"_qs));
    row("suffix not hexadecimal", [](GprsState& s) { s.keepAliveSuffix = u"1G"_qs; },
        value.arg(u"Suffix in HEX"_qs));
    row("suffix of three characters", [](GprsState& s) { s.keepAliveSuffix = u"141"_qs; },
        value.arg(u"Suffix in HEX"_qs));
    row("alternative number with \"+\"", [](GprsState& s) { s.alternativeNumber = u"+380"_qs; },
        value.arg(u"Номер аварийной передачи в стандартном протоколе Contact ID"_qs));
    row("alternative number of 15 digits", [](GprsState& s) { s.alternativeNumber = QString(15, u'1'); },
        length.arg(u"Номер аварийной передачи в стандартном протоколе Contact ID"_qs));
    row("local port of 7 characters", [](GprsState& s) { s.servers[1][2].localPort = u"1234567"_qs; },
        length.arg(u"Локальный порт SIM2, сервер 3"_qs));
    row("server entry of 42 characters", [](GprsState& s) { s.servers[0][1].entry = QString(42, u'x'); },
        length.arg(u"SIM1, сервер 2"_qs));
    row("access point outside Windows-1251", [](GprsState& s) { s.accessPoints[0] = u"internet✓"_qs; },
        characters.arg(u"Точка доступа 1"_qs));
}

void GprsSequencesTest::writeRefusesBeforeAnyExchange()
{
    QFETCH(Change, change);
    QFETCH(QString, message);
    test::GprsLine line;
    change(line.state);
    QCOMPARE(WriteCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Refused);
    QCOMPARE(line.view.plainMessages, QStringList{message});
    QVERIFY(line.port.written().isEmpty());
    QVERIFY(!line.port.isOpen());
}

// The longest texts each field holds go out whole.
void GprsSequencesTest::longestFieldsAreWritten()
{
    GprsState state;
    state.accessPoints[0] = QString(22, u'a');
    state.keepAliveMessage = u"5000 182222"_qs;
    state.servers[1][2] = {QString(41, u'x'), u"123456"_qs};
    state.alternativeNumber = QString(14, u'9');
    state.keepAliveSuffix = u"1"_qs;  // fewer than two characters: no suffix byte
    const auto plan = BuildWritePlan(state);
    QVERIFY(std::holds_alternative<WritePlan>(plan));
    const QStringList& bodies = std::get<WritePlan>(plan).settings;
    QVERIFY(bodies.contains(u"000200D0"_qs + u"61"_qs.repeated(22) + u"0101"_qs));
    QVERIFY(bodies.contains(u"00020015"_qs + u"3530303020313832323232"_qs + u"0F"_qs));
    QVERIFY(bodies.contains(u"00120196"_qs + u"78"_qs.repeated(41) + u"0F"_qs));
    QVERIFY(bodies.contains(u"00120190313233343536"_qs + u"0F"_qs));
    QCOMPARE(std::get<WritePlan>(plan).alternativeNumber, u"00120000"_qs + u"09"_qs.repeated(14) + u"0F"_qs);
}

// Byte 0060: 1 no connection check, 0 check without keep-alive messages,
// otherwise their period in units of 5 seconds.
void GprsSequencesTest::connectionByte_data()
{
    QTest::addColumn<bool>("checkConnection");
    QTest::addColumn<bool>("keepAliveEnabled");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("byte");  // written, then read back
    QTest::addColumn<bool>("checkedAfterRead");
    QTest::addColumn<bool>("enabledAfterRead");
    QTest::addColumn<QString>("periodAfterRead");

    QTest::newRow("period 40 is 28") << true << true << "40" << "28" << true << true << "40";
    QTest::newRow("check off sends 01 whatever the rest") << false << true << "40" << "01" << false << false << "";
    QTest::newRow("keep-alive off sends 00") << true << false << "40" << "00" << true << false << "";
    QTest::newRow("period 255") << true << true << "255" << "FF" << true << true << "255";
}

void GprsSequencesTest::connectionByte()
{
    QFETCH(bool, checkConnection);
    QFETCH(bool, keepAliveEnabled);
    QFETCH(QString, period);
    QFETCH(QString, byte);
    QFETCH(bool, checkedAfterRead);
    QFETCH(bool, enabledAfterRead);
    QFETCH(QString, periodAfterRead);

    test::GprsLine line;
    line.state.checkConnection = checkConnection;
    line.state.keepAliveEnabled = keepAliveEnabled;
    line.state.keepAlivePeriod = period;
    QCOMPARE(WriteCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Done);
    QVERIFY(line.bodies().contains(u"00020060"_qs + byte));
    QCOMPARE(Stored(line, sim::Area::Eeprom, address::kConnection, 1), byte);

    GprsState read;
    CommunicatorLink link(line.port, line.view, read.progress);
    QCOMPARE(ReadCommunicatorSettings(link, line.portName(), read), Outcome::Done);
    QCOMPARE(read.checkConnection, checkedAfterRead);
    QCOMPARE(read.keepAliveEnabled, enabledAfterRead);
    QCOMPARE(read.keepAlivePeriod, periodAfterRead);
}

// The keep-alive message's last character is its suffix byte when it is no
// letter or digit; what the read shows is sent again by the next write.
void GprsSequencesTest::keepAliveSuffix_data()
{
    QTest::addColumn<QString>("stored");  // at 0015
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("written");  // what the next write sends to 0015

    const QString ten = u"35303030203138323232"_qs;      // "5000 18222"
    const QString eleven = u"3530303020313832323232"_qs;  // "5000 182222"
    const auto with = [](const QString& text, const char* tail) -> QString { return text + QLatin1String(tail); };
    QTest::newRow("ten characters, suffix 14") << with(ten, "140F") << "5000 18222" << "14" << with(ten, "140F");
    QTest::newRow("eleven characters, suffix 14")
        << with(eleven, "140F") << "5000 182222" << "14" << with(eleven, "140F");
    QTest::newRow("ends in a digit: no suffix") << with(eleven, "0F") << "5000 182222" << "" << with(eleven, "0F");
    QTest::newRow("ends in a letter: no suffix") << "4F4B0F" << "OK" << "" << "4F4B0F";
    QTest::newRow("empty message") << "0F" << "" << "" << "";
    QTest::newRow("Cyrillic last letter is a suffix") << "4F4BC60F" << "OK" << "C6" << "4F4BC60F";
    QTest::newRow("unterminated: the thirteen bytes read")
        << "4142434445464748495051525354" << "ABCDEFGHIPQRS" << "" << "";
}

void GprsSequencesTest::keepAliveSuffix()
{
    QFETCH(QString, stored);
    QFETCH(QString, message);
    QFETCH(QString, suffix);
    QFETCH(QString, written);

    test::GprsLine line;
    Store(line, sim::Area::Eeprom, address::kKeepAlive, stored);
    QCOMPARE(ReadCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Done);
    QCOMPARE(line.state.keepAliveMessage, message);
    QCOMPARE(line.state.keepAliveSuffix, suffix);
    if (written.isEmpty())
        return;  // the write refuses an empty or too long message
    line.state.accessPoints = {u"internet"_qs, u"internet"_qs};
    QCOMPARE(WriteCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Done);
    QVERIFY2(line.bodies().contains(u"00020015"_qs + written), qPrintable(line.bodies().join(u' ')));
}

void GprsSequencesTest::alternativeNumberAsDigits()
{
    test::GprsLine line;
    line.state.alternativeNumber = u"A380"_qs;
    QCOMPARE(WriteCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Done);
    QCOMPARE(line.bodies()[1], u"001200000A0308000F"_qs);
    GprsState read;
    CommunicatorLink link(line.port, line.view, read.progress);
    QCOMPARE(ReadCommunicatorSettings(link, line.portName(), read), Outcome::Done);
    QCOMPARE(read.alternativeNumber, u"A380"_qs);
    // Ten digits as the panel's manual gives them.
    line.state.alternativeNumber = u"0123456789"_qs;
    QCOMPARE(std::get<WritePlan>(BuildWritePlan(line.state)).alternativeNumber,
             u"00120000000102030405060708090F"_qs);
}

// Firmware up to 0202 gets a request to update, and the sequence goes on.
void GprsSequencesTest::firmwareVersion_data()
{
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<bool>("write");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("read, 0202") << "0202" << false << QStringList{kUpdateFirmware, kReadDone};
    QTest::newRow("read, 0203") << "0203" << false << QStringList{kReadDone};
    QTest::newRow("read, 0100") << "0100" << false << QStringList{kUpdateFirmware, kReadDone};
    QTest::newRow("write, 0202") << "0202" << true << QStringList{kUpdateFirmware, kWriteDone};
    QTest::newRow("write, 0203") << "0203" << true << QStringList{kWriteDone};
    // A firmware that does not know the probe answers neither it nor the version.
    QTest::newRow("read, probe unknown") << "" << false << QStringList{kUpdateFirmware, kExchangeFailedMessage};
    QTest::newRow("write, probe unknown") << "" << true << QStringList{kUpdateFirmwareUk, kExchangeFailedMessage};
}

void GprsSequencesTest::firmwareVersion()
{
    QFETCH(QString, firmware);
    QFETCH(bool, write);
    QFETCH(QStringList, messages);
    test::GprsLine line;
    line.panel.setFirmware(firmware);
    const Outcome outcome = write ? WriteCommunicatorSettings(line.link, line.portName(), line.state)
                                  : ReadCommunicatorSettings(line.link, line.portName(), line.state);
    QCOMPARE(outcome, firmware.isEmpty() ? Outcome::Failed : Outcome::Done);
    QCOMPARE(line.view.plainMessages, messages);
}

// Without an answer to the probe the alternative number and the protocol are
// neither read nor written; the rest is.
void GprsSequencesTest::unansweredProbeSkipsNumberAndProtocol()
{
    test::GprsLine line;
    line.panel.faults().onlyCommand = u"39"_qs;
    line.panel.faults().answerFromTry = 6;  // the quiet probe's five tries go unanswered
    Store(line, sim::Area::Eeprom, address::kProtocol, u"20"_qs);
    Store(line, sim::Area::Communicator, address::kAlternativeNumber, u"0102030F"_qs);
    line.state.protocolIndex = 0;
    QCOMPARE(ReadCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Done);
    QCOMPARE(line.view.plainMessages, (QStringList{kUpdateFirmware, kReadDone}));
    QCOMPARE(line.state.protocolIndex, 0);
    QCOMPARE(line.state.alternativeNumber, QString());  // emptied, not read
    QVERIFY(!line.bodies().contains(u"00110F0000"_qs));
    QVERIFY(!line.bodies().contains(u"0001010065"_qs));
    QCOMPARE(line.bodies().size(), 5 + 1 + 18);

    test::GprsLine writer;
    writer.panel.faults() = line.panel.faults();
    QCOMPARE(WriteCommunicatorSettings(writer.link, writer.portName(), writer.state), Outcome::Done);
    QCOMPARE(writer.view.plainMessages, (QStringList{kUpdateFirmwareUk, kWriteDone}));
    QCOMPARE(writer.bodies().mid(5), QStringList{u"0039"_qs} + kStartValueBodies);
}

// A panel that falls silent mid-way: one failure message, no success, port
// closed, bar empty; what came before stays.
void GprsSequencesTest::failedExchangeEndsTheSequence()
{
    test::GprsLine line;
    Store(line, sim::Area::Eeprom, address::kObject, u"0457"_qs);
    line.panel.faults().silentAfter = 5;  // probe, number, protocol, version, object
    QCOMPARE(ReadCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Failed);
    QCOMPARE(line.view.plainMessages, QStringList{kExchangeFailedMessage});
    QCOMPARE(line.state.objectNumber, u"0457"_qs);
    QCOMPARE(line.state.keepAliveMessage, u"5000 180457"_qs);
    QCOMPARE(line.state.accessPoints[0], QString());  // emptied at the start, never read
    QCOMPARE(line.bodies().size(), 5 + 5);
    QVERIFY(!line.port.isOpen());
    QCOMPARE(line.state.progress.position, 0);

    test::GprsLine writer;
    Store(writer, sim::Area::Eeprom, address::kConnection, u"01"_qs);
    writer.panel.faults().silentAfter = 5;  // probe, number, version, protocol, object
    QCOMPARE(WriteCommunicatorSettings(writer.link, writer.portName(), writer.state), Outcome::Failed);
    QCOMPARE(writer.view.plainMessages, QStringList{kExchangeFailedMessage});
    QCOMPARE(Stored(writer, sim::Area::Eeprom, address::kObject, 2), u"2222"_qs);
    QCOMPARE(Stored(writer, sim::Area::Eeprom, address::kConnection, 1), u"01"_qs);  // never written
}

// A reply that ends in ";" is taken, but a number that is not in it ends the
// read with a message instead of a wrong value.
void GprsSequencesTest::replyThatMakesNoSenseEndsTheRead()
{
    test::GprsLine line;
    line.panel.faults().fixedReply = "x;";
    QCOMPARE(ReadCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Failed);
    QCOMPARE(line.view.plainMessages,
             (QStringList{kUpdateFirmware, u"Неверные данные в ответе прибора: \"\""_qs}));
    QVERIFY(!line.port.isOpen());
    QCOMPARE(line.state.progress.position, 0);
}

void GprsSequencesTest::portAt115200AfterASequence()
{
    test::GprsLine line;
    line.port.setBaudRate(57600);  // as the link speed list may show
    line.port.open();
    QCOMPARE(ReadCommunicatorSettings(line.link, line.portName(), line.state), Outcome::Done);
    QCOMPARE(line.port.baudRate(), 115200);
    QVERIFY(!line.port.isOpen());
}

void GprsSequencesTest::missingPortReachesTheCaller()
{
    test::GprsLine line;
    line.port.setPresent(false);
    QVERIFY_THROWS_EXCEPTION(link::PortError, ReadCommunicatorSettings(line.link, line.portName(), line.state));
    QVERIFY(line.view.plainMessages.isEmpty());
    QCOMPARE(line.state.keepAliveMessage, u"5000 182222"_qs);  // nothing emptied

    // The adapter pulled after the third exchange: the port is closed, the bar emptied.
    test::GprsLine unplugged;
    unplugged.link.setProgressObserver([&](const GprsProgress& p) {
        if (p.position == 3)
            unplugged.port.unplug();
    });
    QVERIFY_THROWS_EXCEPTION(link::PortError,
                             WriteCommunicatorSettings(unplugged.link, unplugged.portName(), unplugged.state));
    QVERIFY(!unplugged.port.isOpen());
    QCOMPARE(unplugged.state.progress.position, 0);
    QCOMPARE(unplugged.bodies().size(), 3);
    QVERIFY(unplugged.view.plainMessages.isEmpty());
}

void GprsSequencesTest::objectNumberSetsTheKeepAliveMessage()
{
    GprsState state;
    QCOMPARE(state.keepAliveMessage, u"5000 182222"_qs);
    state.setObjectNumber(u"0457"_qs);
    QCOMPARE(state.objectNumber, u"0457"_qs);
    QCOMPARE(state.keepAliveMessage, u"5000 180457"_qs);
}

NODRA_TEST(GprsSequencesTest)
#include "gprs_sequences_test.moc"
