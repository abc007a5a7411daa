// The settings codec, one conversion at a time: a block decoded into a
// just-started window, what the tab then shows, and what encoding gives back.

#include "config/codec.h"
#include "config/field_rules.h"
#include "config/labels.h"
#include "config_fixture.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::config;
using namespace nodra::test;

namespace {

using Probe = std::function<QString(const FormState&)>;
using Change = std::function<void(FormState&)>;

QString onOff(bool on, const char* yes, const char* no)
{
    return QString::fromUtf8(on ? yes : no);
}

QString loops(const std::array<bool, kLoopCount>& selected)
{
    QString digits;
    for (int n = 0; n < kLoopCount; ++n)
        if (selected[size_t(n)])
            digits += QString::number(n + 1);
    return digits.isEmpty() ? QStringLiteral("-") : digits;
}

QString rule(const RelayRule& r)
{
    return (r.all ? QStringLiteral("И ") : QStringLiteral("ИЛИ ")) + loops(r.loops);
}

QString telephone(const TelephoneSettings& t)
{
    return onOff(t.checkFree, "free ", "no free ") + t.number;
}

// What a tab shows of one setting, in a few words.
const std::map<QString, Probe>& probes()
{
    static const std::map<QString, Probe> map = {
        {"loop 1", [](const FormState& f) -> QString {
             const LoopSettings& l = f.loops.loops[0];
             return QStringLiteral("%1 %2 %3 in %4 out %5")
                 .arg(onOff(l.enabled, "on", "off"), onOff(l.intrusion, "intrusion", "fire"),
                      onOff(l.silentAlarm, "silent", "loud"))
                 .arg(l.entryDelay)
                 .arg(l.exitDelay);
         }},
        {"switches", [](const FormState& f) -> QString {
             return onOff(f.outputs.fireRelay, "fire", "-") + onOff(f.outputs.faultRelay, " fault", " -")
                    + onOff(f.outputs.sirenOutput, " siren", " -");
         }},
        {"fire relay rows", [](const FormState& f) -> QString {
             const auto& r = f.outputs.fireRelayRules;
             return rule(r[0]) + " | " + rule(r[1]) + " | " + rule(r[2]);
         }},
        {"siren limit", [](const FormState& f) -> QString {
             return f.outputs.sirenLimited ? MinutesLabel(f.outputs.sirenLimitMinutes) : QStringLiteral("none");
         }},
        {"communicator", [](const FormState& f) -> QString {
             return onOff(f.outputs.builtWithCommunicator, "built in", "not built in")
                    + onOff(f.outputs.communicatorConnected, ", Подключен", ", Отключен");
         }},
        {"busy checks", [](const FormState& f) -> QString {
             return onOff(f.numbers.telephones[0].checkBusy, "1 on", "1 off")
                    + onOff(f.numbers.telephones[1].checkBusy, ", 2 on", ", 2 off");
         }},
        {"formats", [](const FormState& f) -> QString {
             return QStringLiteral("%1 %2").arg(f.numbers.telephones[0].format).arg(f.numbers.telephones[1].format);
         }},
        {"number 1", [](const FormState& f) -> QString { return telephone(f.numbers.telephones[0]); }},
        {"number 2", [](const FormState& f) -> QString { return telephone(f.numbers.telephones[1]); }},
        {"ready waits", [](const FormState& f) -> QString {
             return ReadyWaitLabel1(f.numbers.telephones[0].readyWait) + "|"
                    + ReadyWaitLabel2(f.numbers.telephones[1].readyWait);
         }},
        {"test 1", [](const FormState& f) -> QString {
             const TelephoneSettings& t = f.numbers.telephones[0];
             return HoursLabel(t.testPeriodHours) + " " + t.testStart.toString(QStringLiteral("HH:mm"));
         }},
        {"attempts", [](const FormState& f) -> QString { return AttemptsLabel(f.numbers.diallingAttempts); }},
        {"auto reset", [](const FormState& f) -> QString {
             return f.numbers.autoReset ? HoursLabel(f.numbers.autoResetHours) : QStringLiteral("none");
         }},
        {"pause", [](const FormState& f) -> QString { return f.numbers.numberPause; }},
        {"object number 1", [](const FormState& f) -> QString { return f.numbers.telephones[0].objectNumber; }},
        {"user 1", [](const FormState& f) -> QString {
             return f.users.users[0].password + " access " + loops(f.users.users[0].loopAccess);
         }},
        {"user 6", [](const FormState& f) -> QString { return f.users.users[5].password; }},
        {"firmware", [](const FormState& f) -> QString { return f.parameters.firmwareVersion; }},
        {"operating time", [](const FormState& f) -> QString { return f.parameters.operatingTime; }},
        {"poll period", [](const FormState& f) -> QString { return f.parameters.pollPeriod; }},
        {"panel baud", [](const FormState& f) -> QString { return QString::number(f.parameters.panelBaud); }},
        {"panel address", [](const FormState& f) -> QString { return f.parameters.panelAddress; }},
        {"network", [](const FormState& f) -> QString {
             const ParametersState& p = f.parameters;
             return onOff(p.networkConnection, "net", "-") + onOff(p.remoteCommunicator, " remote", " -")
                    + onOff(p.pollCheck, " poll", " -");
         }},
        {"device code", [](const FormState& f) -> QString {
             const auto& c = f.parameters.deviceCode;
             return c[0] + "." + c[1] + "." + c[2] + "." + c[3];
         }},
        {"object text", [](const FormState& f) -> QString { return f.parameters.objectText; }},
        {"loop 4 text", [](const FormState& f) -> QString { return f.parameters.loopTexts[3]; }},
        {"codes", [](const FormState& f) -> QString { return f.codes.cells[0] + " " + f.codes.cells[79]; }},
        {"clock", [](const FormState& f) -> QString {
             return QString::number(f.clock.position) + " " + nodra::clock::CorrectionLabel(f.clock.position);
         }},
    };
    return map;
}

// What the installer does on the tabs before an encoding.
const std::map<QString, Change>& changes()
{
    static const std::map<QString, Change> map = {
        {"", [](FormState&) {}},
        {"number 1 format Radionics", [](FormState& f) { f.numbers.telephones[0].format = kRadionics; }},
        {"panel baud 9600", [](FormState& f) { f.parameters.panelBaud = 0; }},
        {"Edit25 255", [](FormState& f) { f.parameters.panelAddress = "255"; }},
        {"object text of 32 characters", [](FormState& f) { f.parameters.objectText = QString(32, u'Ж'); }},
        {"object text of 3 characters", [](FormState& f) { f.parameters.objectText = "abc"; }},
        {"number 12ab left", [](FormState& f) {
             f.numbers.telephones[0].number = TelephoneLeavingRule("12ab");
             f.numbers.telephones[0].checkFree = true;
         }},
        {"24 digits, free check on", [](FormState& f) {
             f.numbers.telephones[0].number = QString(24, u'7');
             f.numbers.telephones[0].checkFree = true;
         }},
        {"24 digits, free check off", [](FormState& f) {
             f.numbers.telephones[0].number = QString(24, u'7');
             f.numbers.telephones[0].checkFree = false;
         }},
        {"pause 7 left", [](FormState& f) { f.numbers.numberPause = PauseLeavingRule("7"); }},
        {"limit unchecked at 10", [](FormState& f) {
             f.outputs.sirenLimited = false;
             f.outputs.sirenLimitMinutes = 10;
         }},
        {"СЗО off, limit 10", [](FormState& f) {
             f.outputs.sirenOutput = false;
             f.outputs.sirenLimited = true;
             f.outputs.sirenLimitMinutes = 10;
         }},
        {"password of user 1 emptied", [](FormState& f) { f.users.users[0].password.clear(); }},
        {"object number a1 not yet left", [](FormState& f) { f.numbers.telephones[0].objectNumber = "a1"; }},
        {"code cells lower case", [](FormState& f) { f.codes.cells[0] = "abcd"; f.codes.cells[1] = "123"; }},
        {"correction at 9", [](FormState& f) { f.clock.position = 9; }},
    };
    return map;
}

}  // namespace

class CodecTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversions_data();
    void conversions();
    void encodingFromFields_data();
    void encodingFromFields();
    void telephoneFillsItsBlock();
    void writeUnit0064FollowsTheNumber();
    void panelAddressBecomesTheDeviceAddress_data();
    void panelAddressBecomesTheDeviceAddress();
    void everyBlockSurvivesDecodeAndEncode();
};

void CodecTest::conversions_data()
{
    QTest::addColumn<QString>("before");     // a change on the tabs before the decoding
    QTest::addColumn<QStringList>("blocks");  // decoded into the window
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("encoded");  // the blocks the encoding gives back

    const auto row = [](const char* name, QStringList blocks, const char* probe, QString shown, QStringList encoded,
                        const char* before = "") {
        QTest::newRow(name) << QString(before) << blocks << QString(probe) << shown << encoded;
    };
    row("loop mode 07: enabled, intrusion, silent", {"0360=07"}, "loop 1", "on intrusion silent in 3 out 3", {"0360=07"});
    row("loop mode F9: bits 3-7 cleared", {"0360=F9"}, "loop 1", "on fire loud in 3 out 3", {"0360=01"});
    row("loop mode 00", {"0360=00"}, "loop 1", "off fire loud in 3 out 3", {"0360=00"});
    row("delays A3: in 1 min, out 3 min 20 s", {"0362=A3"}, "loop 1", "on fire loud in 3 out 10", {"0362=A3"});
    row("switches 02 off, FF on", {"0000=02", "000A=FF", "0014=01"}, "switches", "- fault siren",
        {"0000=00", "000A=01", "0014=01"});
    row("relay row 1E: any of four loops", {"0300=1E"}, "fire relay rows", "ИЛИ 1234 | ИЛИ - | ИЛИ -", {"0300=1E"});
    row("relay row E3: all, loop 1, bits 5-7 cleared", {"0301=E3"}, "fire relay rows", "ИЛИ 1234 | И 1 | ИЛИ -",
        {"0301=03"});
    row("СЗО limit 0A", {"030B=0A"}, "siren limit", "10 мин.", {"030B=0A"});
    row("СЗО limit above the bar", {"030B=FF"}, "siren limit", "99 мин.", {"030B=63"});
    row("0083 = 08: built in, Отключен", {"0083=08"}, "communicator", "built in, Отключен", {"0083=08"});
    row("0083 = 01: not built in, Подключен", {"0083=01"}, "communicator", "not built in, Подключен", {"0083=01"});
    row("0083 = 06: both Занято checks off", {"0083=06"}, "busy checks", "1 off, 2 off", {"0083=06"});
    row("0083 = 00: both Занято checks on", {"0083=00"}, "busy checks", "1 on, 2 on", {"0083=00"});
    row("0065 = 11: Contact ID twice", {"0065=11"}, "formats", "0 0", {"0065=11"});
    row("0065 = 84: Franklin and Radionics", {"0065=84"}, "formats", "2 3", {"0065=84"});
    row("0065 = FF, 0083 bits 4, 5 clear: Сирена twice", {"0065=FF", "0083=00"}, "formats", "4 4", {"0065=FF", "0083=00"});
    row("0065 = FF, 0083 bit 4: Сирена+Ответ for number 1", {"0065=FF", "0083=10"}, "formats", "5 4",
        {"0065=FF", "0083=10"});
    row("0065 = 30: number 1 keeps its format, highest bit wins", {"0065=30"}, "formats", "3 1", {"0065=28"},
        "number 1 format Radionics");
    row("0066 = 0E 01 02 03 0F", {"0066=0E0102030F"}, "number 1", "no free 123", {"0066=0E0102030F"});
    row("0066 = 01 0A 02 0F", {"0066=010A020F"}, "number 1", "free 1A2", {"0066=010A020F"});
    row("0086 stops at the end byte", {"0086=0102030F0506"}, "number 2", "free 123", {"0086=0102030F"});
    row("number without an end byte stops at 24 characters", {"0066=" + QString("07").repeated(26)}, "number 1",
        "free " + QString(24, u'7'), {"0066=" + QString("07").repeated(24) + "0F"});
    row("0064 = 35: 50 s and 30 s", {"0064=35"}, "ready waits", "50 c |30 c", {"0064=35"});
    row("0064 = 00: bars at their lowest", {"0064=00"}, "ready waits", "10 c |10 c", {"0064=11"});
    row("00A0 = 18 0E 11: every 24 h from 14:17", {"00A0=180E11"}, "test 1", "24 ч. 14:17", {"00A0=180E11"});
    row("0062 = 14: 20 attempts", {"0062=14"}, "attempts", "20 р.", {"0062=14"});
    row("0082 = 00: no automatic reset", {"0082=00"}, "auto reset", "none", {"0082=00"});
    row("0082 = 30: 48 hours", {"0082=30"}, "auto reset", "48 ч.", {"0082=30"});
    row("0105 = 07", {"0105=07"}, "pause", "07", {"0105=07"});
    row("0105 = 7F: the field's limit", {"0105=7F"}, "pause", "99", {"0105=63"});
    row("0200 lower case shows as it stands", {"0200=a1b2"}, "object number 1", "a1b2", {"0200=A1B2"});
    row("password 04 01 02 03 04, four panel bytes left alone", {"03A0=04", "03A1=01020304FFFFFFFF"}, "user 1",
        "1234 access 1234", {"03A0=04", "03A1=01020304"});
    row("password length 00", {"03A0=00"}, "user 1", " access 1234", {"03A0=00", "03A1="});
    row("password length 14 counts 4", {"03F0=14", "03F1=0908070605040302"}, "user 6", "9876",
        {"03F0=04", "03F1=09080706"});
    row("access 1E", {"03A9=1E"}, "user 1", "1 access 1234", {"03A9=1E"});
    row("access 05: bit 0 ignored", {"03A9=05"}, "user 1", "1 access 2", {"03A9=04"});
    row("firmware 13", {"0101=13"}, "firmware", "Версия программы прибора 1.3", {});
    row("firmware 2A", {"0101=2A"}, "firmware", "Версия программы прибора 2.A", {});
    row("firmware not read", {"0101="}, "firmware", "Версия программы прибора (необходимо прочитать)", {});
    row("operating time 0004D2", {"0102=0004D2"}, "operating time", "Время наработки прибора 1.234 ч. ", {});
    row("operating time 0003E7", {"0102=0003E7"}, "operating time", "Время наработки прибора 999 ч. ", {});
    row("operating time 12D687", {"0102=12D687"}, "operating time", "Время наработки прибора 1.234.567 ч. ", {});
    row("operating time FFFFFF", {"0102=FFFFFF"}, "operating time", "Время наработки прибора (неизвестно)", {});
    row("operating time not read", {"0102="}, "operating time", "Время наработки прибора (необходимо прочитать)", {});
    row("0080 = 00 shows 001", {"0080=00"}, "poll period", "001", {"0080=01"});
    row("0080 = 0A", {"0080=0A"}, "poll period", "010", {"0080=0A"});
    row("0081 = 13: 115200", {"0081=13"}, "panel baud", "5", {"0081=13"}, "panel baud 9600");
    row("0081 = 28 leaves the selection", {"0081=28"}, "panel baud", "0", {"0081=EF"}, "panel baud 9600");
    row("0081 = 3b in lower case", {"0081=3b"}, "panel baud", "2", {"0081=3B"});
    row("0084 = 0C", {"0084=0C"}, "panel address", "012", {"0084=0C"});
    row("0084 = FF is written as 00", {"0084=FF"}, "panel address", "255", {"0084=00"});
    row("0085 = FF: three flags, written as 07", {"0085=FF"}, "network", "net remote poll", {"0085=07"});
    row("00A8 = 01 02 03 04", {"00A8=01020304"}, "device code", "1.2.3.4", {"00A8=01020304"});
    row("text 41 00 42 for the object", {"0110=410042" + QString(58, u'0')}, "object text", "AB",
        {"0110=4142" + QString(60, u'0')});
    row("text 41 00 42 for a loop", {"0160=410042" + QString(26, u'0')}, "loop 4 text", "AB",
        {"0160=4142" + QString(28, u'0')});
    row("text bytes past the block size are not shown", {"0160=41" + QString(30, u'0') + "42"}, "loop 4 text", "A",
        {"0160=41" + QString(30, u'0')});
    row("codes into the grid", {"0208=" + QString("1234").repeated(79) + "abcd"}, "codes", "1234 abcd",
        {"0208=" + QString("1234").repeated(79) + "ABCD"});
    row("correction 6F: -2 min", {"03FE=6F"}, "clock", "4 -2 мин.", {"03FE=6F"});
    row("correction 6f in lower case", {"03FE=6f"}, "clock", "4 -2 мин.", {"03FE=6F"});
    row("correction A0 leaves the bar", {"03FE=A0"}, "clock", "9 +20 мин.", {"03FE=81"}, "correction at 9");
}

void CodecTest::conversions()
{
    QFETCH(QString, before);
    QFETCH(QStringList, blocks);
    QFETCH(QString, probe);
    QFETCH(QString, shown);
    QFETCH(QStringList, encoded);
    StartupState startup = Startup();
    changes().at(before)(startup.form);
    const ConfigImage image = ImageWith(blocks);
    const DecodeResult decoded = DecodeImage(image, startup.form);
    QVERIFY2(decoded.ok(), qPrintable(decoded.ok() ? QString() : decoded.error->message()));
    QCOMPARE(probes().at(probe)(startup.form), shown);

    ConfigImage out = image;
    QVERIFY(EncodeForm(startup.form, out).ok());
    QCOMPARE(BlocksOf(out, AddressesOf(encoded)), encoded.join(QLatin1Char(' ')));
}

void CodecTest::encodingFromFields_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("encoded");
    const auto row = [](const char* change, QStringList encoded) { QTest::newRow(change) << QString(change) << encoded; };
    row("Edit25 255", {"0084=00"});
    row("object text of 32 characters", {"0110=" + QString("C6").repeated(32)});
    row("object text of 3 characters", {"0110=616263" + QString(58, u'0')});
    row("number 12ab left", {"0066=01020A0B0F"});
    row("24 digits, free check on", {"0066=" + QString("07").repeated(24) + "0F"});
    row("24 digits, free check off", {"0066=0E" + QString("07").repeated(24)});
    row("pause 7 left", {"0105=07"});
    row("limit unchecked at 10", {"030B=00"});
    row("СЗО off, limit 10", {"030B=0A", "0014=00"});
    row("password of user 1 emptied", {"03A0=00", "03A1="});
    row("object number a1 not yet left", {"0200=00A1"});
    row("code cells lower case", {"0208=ABCD0000" + nodra::codes::DefaultCodesText().mid(8)});
}

void CodecTest::encodingFromFields()
{
    QFETCH(QString, change);
    QFETCH(QStringList, encoded);
    StartupState startup = Startup();
    changes().at(change)(startup.form);
    QVERIFY(EncodeForm(startup.form, startup.image).ok());
    QCOMPARE(BlocksOf(startup.image, AddressesOf(encoded)), encoded.join(QLatin1Char(' ')));
}

// A full number reads back as itself whether the end byte is there or not.
void CodecTest::telephoneFillsItsBlock()
{
    for (bool free : {true, false}) {
        StartupState startup = Startup();
        TelephoneSettings& number = startup.form.numbers.telephones[1];
        number.number = "0123456789ABCD0123456789";
        number.checkFree = free;
        QVERIFY(EncodeForm(startup.form, startup.image).ok());
        QCOMPARE(startup.image.block(block::kTelephone2).size(), 2 * 25);
        FormState reread = Startup().form;
        QVERIFY(DecodeImage(startup.image, reread).ok());
        QCOMPARE(reread.numbers.telephones[1].number, number.number);
        QCOMPARE(reread.numbers.telephones[1].checkFree, free);
    }
}

// Three digits with the "Свободно" check on make the joined write 6 bytes, off 7.
void CodecTest::writeUnit0064FollowsTheNumber()
{
    for (bool free : {true, false}) {
        StartupState startup = Startup();
        startup.form.numbers.telephones[0].number = "123";
        startup.form.numbers.telephones[0].checkFree = free;
        QVERIFY(EncodeForm(startup.form, startup.image).ok());
        QCOMPARE(WriteUnitData(startup.image, WriteUnits()[4]).size(), 2 * (free ? 6 : 7));
    }
}

// Decoding 0084 runs the "ОК" of the link address: later exchanges go there.
void CodecTest::panelAddressBecomesTheDeviceAddress_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("address");  // empty: the current address stays
    QTest::newRow("0C") << "0C" << "012" << "0C";
    QTest::newRow("00") << "00" << "000" << "00";
    QTest::newRow("FE, the highest") << "FE" << "254" << "FE";
    QTest::newRow("FF is no panel's address") << "FF" << "255" << "";
}

void CodecTest::panelAddressBecomesTheDeviceAddress()
{
    QFETCH(QString, block);
    QFETCH(QString, field);
    QFETCH(QString, address);
    FormState form = Startup().form;
    const DecodeResult decoded = DecodeImage(ImageWith({"0084=" + block}), form);
    QCOMPARE(decoded.linkAddressField, std::optional<QString>(field));
    QCOMPARE(form.parameters.panelAddress, field);
    QCOMPARE(decoded.deviceAddress, address.isEmpty() ? std::nullopt : std::optional<QString>(address));
}

// An image as a panel holds it, every setting away from the defaults: the
// tabs show it and give back the same blocks.
void CodecTest::everyBlockSurvivesDecodeAndEncode()
{
    const QStringList blocks = {
        "0000=00", "000A=01", "0014=00", "0062=63", "0064=F1", "0065=FF", "0066=0E0A0B0C0D0F",
        "0080=3C", "0081=08", "0082=30", "0083=3F", "0084=FE", "0085=05", "0086=0F",
        "00A0=011700", "00A4=18003B", "00A8=00FF7F80", "0105=63",
        "0110=" + QString("FF").repeated(32), "0130=" + QString("C0").repeated(16),
        "0140=B9" + QString(30, u'0'), "0150=20" + QString(30, u'0'), "0160=" + QString(32, u'0'),
        "0200=FFFF", "0202=0001", "0204=ABCD", "0206=9999", "0208=" + QString("0123456789ABCDEF").repeated(20),
        "0300=1F", "0301=00", "0302=11", "0304=03", "0305=1D", "0306=01", "030B=63",
        "0360=06", "0362=FF", "0370=05", "0372=00", "0380=03", "0382=0F", "0390=02", "0392=F0",
        "03A0=08", "03A1=0102030405060708", "03A9=00", "03B0=00", "03B1=", "03B9=1E",
        "03C0=01", "03C1=09", "03C9=02", "03D0=02", "03D1=0000", "03D9=10",
        "03E0=03", "03E1=050505", "03F0=08", "03F1=0909090909090909", "03FE=61",
    };
    const ConfigImage image = ImageWith(blocks);
    FormState form = Startup().form;
    QVERIFY(DecodeImage(image, form).ok());
    ConfigImage out = FactoryImage();
    QVERIFY(EncodeForm(form, out).ok());
    QCOMPARE(BlocksOf(out, AddressesOf(blocks)), blocks.join(QLatin1Char(' ')));
}

NODRA_TEST(CodecTest)
#include "codec_test.moc"
