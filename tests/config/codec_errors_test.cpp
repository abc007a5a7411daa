// Conversion errors: the codec stops at the failing setting, names it, and
// leaves what earlier steps set and what later steps would have set.

#include "config/codec.h"
#include "config_fixture.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::config;
using namespace nodra::test;

class CodecErrorsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodingStopsAtTheFailingBlock_data();
    void decodingStopsAtTheFailingBlock();
    void decodingKeepsEarlierStepsAndLaterControls();
    void encodingStopsAtTheFailingField_data();
    void encodingStopsAtTheFailingField();
    void encodingKeepsLaterBlocks();
};

void CodecErrorsTest::decodingStopsAtTheFailingBlock_data()
{
    QTest::addColumn<QStringList>("blocks");
    QTest::addColumn<QString>("failing");
    QTest::newRow("a loop's delays G1") << QStringList{"0362=G1"} << "0362";
    QTest::newRow("an empty switch") << QStringList{"0000="} << "0000";
    QTest::newRow("a switch that is no number") << QStringList{"000A=0x"} << "000A";
    QTest::newRow("test hour 24") << QStringList{"00A0=181800"} << "00A0";
    QTest::newRow("test minute 60") << QStringList{"00A4=180A3C"} << "00A4";
    QTest::newRow("test schedule cut short") << QStringList{"00A0=180E"} << "00A0";
    QTest::newRow("password length with a letter") << QStringList{"03B0=0A"} << "03B0";
    QTest::newRow("password digit with a letter") << QStringList{"03C0=02", "03C1=010B"} << "03C1";
    QTest::newRow("fewer digits than the length asks") << QStringList{"03D0=03", "03D1=0102"} << "03D1";
    QTest::newRow("telephone number with an odd digit") << QStringList{"0086=01020"} << "0086";
    QTest::newRow("text block not hex") << QStringList{"0140=C0ZZ"} << "0140";
    QTest::newRow("operating time not hex") << QStringList{"0102=12345G"} << "0102";
    QTest::newRow("device code short") << QStringList{"00A8=FFFF"} << "00A8";
    QTest::newRow("object number not hex") << QStringList{"0202=00G0"} << "0202";
    QTest::newRow("correction byte empty") << QStringList{"03FE="} << "03FE";
}

void CodecErrorsTest::decodingStopsAtTheFailingBlock()
{
    QFETCH(QStringList, blocks);
    QFETCH(QString, failing);
    FormState form = Startup().form;
    const DecodeResult decoded = DecodeImage(ImageWith(blocks), form);
    QVERIFY(!decoded.ok());
    QCOMPARE(decoded.error->block, failing);
    QVERIFY2(decoded.error->message().contains(failing), qPrintable(decoded.error->message()));
}

// A file whose 0362 is G1: steps 1 to 13 and loop 1's mode show the file,
// loop 1's delays, loops 2-4, the users and the correction keep their values.
void CodecErrorsTest::decodingKeepsEarlierStepsAndLaterControls()
{
    const FormState before = Startup().form;
    FormState form = before;
    const DecodeResult decoded = DecodeImage(
        ImageWith({"0000=00", "0084=05", "0208=" + QString("9999").repeated(80), "0300=03", "0360=07", "0362=G1",
                   "0370=00", "03A0=02", "03A1=0707", "03FE=61"}),
        form);
    QVERIFY(!decoded.ok());
    QCOMPARE(decoded.error->block, QStringLiteral("0362"));
    QCOMPARE(decoded.error->text, QStringLiteral("G1"));
    QCOMPARE(decoded.error->message(),
             QStringLiteral("Неверное значение \"G1\" в блоке 0362 (Шлейфы, ШС 1: вход и выход из помещения)"));
    QCOMPARE(decoded.deviceAddress, std::optional<QString>(u"05"_qs));  // the address step ran
    QCOMPARE(form.outputs.fireRelay, false);
    QCOMPARE(form.codes.cells.first(), QStringLiteral("9999"));
    QCOMPARE(form.outputs.fireRelayRules[0].all, true);
    QCOMPARE(form.loops.loops[0].intrusion, true);
    QCOMPARE(form.loops.loops[0].silentAlarm, true);
    QCOMPARE(form.loops.loops[0].entryDelay, before.loops.loops[0].entryDelay);
    QCOMPARE(form.loops.loops[1], before.loops.loops[1]);
    QCOMPARE(form.users, before.users);
    QCOMPARE(form.clock, before.clock);
}

void CodecErrorsTest::encodingStopsAtTheFailingField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("setting");
    QTest::newRow("empty pause") << 0 << "" << "Номера, Пауза между номерами";
    QTest::newRow("pause not a number") << 0 << "1x" << "Номера, Пауза между номерами";
    QTest::newRow("address not a number") << 1 << "abc" << "Параметры, Адрес прибора";
    QTest::newRow("address past a byte") << 1 << "300" << "Параметры, Адрес прибора";
    QTest::newRow("poll period negative") << 2 << "-5" << "Параметры, Максимальный период опроса";
    QTest::newRow("device code empty") << 3 << "" << "Параметры, Код прибора";
    QTest::newRow("password with a letter") << 4 << "12a" << "Пользователи, Пользователь 2: пароль";
    QTest::newRow("password of nine digits") << 4 << "123456789" << "Пользователи, Пользователь 2: пароль";
    QTest::newRow("telephone of 25 characters") << 5 << QString(25, u'1') << "Номера, Первый номер телефона: номер телефона";
    QTest::newRow("telephone with a sign") << 5 << "12#" << "Номера, Первый номер телефона: номер телефона";
    QTest::newRow("telephone with the end digit") << 5 << "12f3" << "Номера, Первый номер телефона: номер телефона";
    QTest::newRow("object text outside the code page") << 6 << "Объект 中" << "Параметры, Объект";
    QTest::newRow("loop text of 17 characters") << 7 << QString(17, u'Ш') << "Параметры, ШС 2";
    QTest::newRow("object number not hex") << 8 << "12G4" << "Номера, Второй номер телефона: Номер объекта";
    QTest::newRow("code cell not hex") << 9 << "12G4" << "Коды, Пожар в ШС 1";
}

void CodecErrorsTest::encodingStopsAtTheFailingField()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, setting);
    FormState form = Startup().form;
    QString* fields[] = {
        &form.numbers.numberPause,       &form.parameters.panelAddress,  &form.parameters.pollPeriod,
        &form.parameters.deviceCode[2],  &form.users.users[1].password,  &form.numbers.telephones[0].number,
        &form.parameters.objectText,     &form.parameters.loopTexts[1],  &form.numbers.telephones[1].objectNumber,
        &form.codes.cells[28],
    };
    *fields[field] = text;
    ConfigImage image = FactoryImage();
    const EncodeResult encoded = EncodeForm(form, image);
    QVERIFY(!encoded.ok());
    QCOMPARE(encoded.error->setting, setting);
    QCOMPARE(encoded.error->text, text);
    QCOMPARE(encoded.error->message(), QStringLiteral("Неверное значение \"%1\" в поле \"%2\"").arg(text, setting));
}

// The pause (step 8) fails: blocks of steps 1-7 carry the new values, the
// text identifiers and everything after keep the image's.
void CodecErrorsTest::encodingKeepsLaterBlocks()
{
    StartupState startup = Startup();
    startup.form.outputs.fireRelay = false;
    startup.form.parameters.deviceCode[0] = "7";
    startup.form.numbers.numberPause = "";
    startup.form.users.users[0].password = "4321";
    QVERIFY(!EncodeForm(startup.form, startup.image).ok());
    QCOMPARE(startup.image.block(block::kFireRelay), QStringLiteral("00"));
    QCOMPARE(startup.image.block(block::kDeviceCode), QStringLiteral("07FFFFFF"));
    QCOMPARE(startup.image.block(block::kNumberPause), QStringLiteral("00"));
    QCOMPARE(startup.image.block(block::LoopText(1)), FactoryImage().block(block::LoopText(1)));  // still "№"
    QCOMPARE(startup.image.block(block::PasswordDigits(1)), QStringLiteral("01"));
    QCOMPARE(startup.image.block(block::kClockCorrection), QStringLiteral("A0"));
}

NODRA_TEST(CodecErrorsTest)
#include "codec_errors_test.moc"
