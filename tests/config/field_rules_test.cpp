// The edit fields' key filters, change rules and leaving rules as the
// installer meets them: typing key by key, pasting, leaving the field.

#include "config/field_rules.h"
#include "config/labels.h"
#include "link/connection.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::config;
using nodra::link::kKeyBackspace;

namespace {

enum Field { Password, Telephone, HexField, Pause, PollPeriod, DeviceCode };

QString changed(Field field, const QString& text)
{
    switch (field) {
    case Telephone: return TelephoneChangeRule(text);
    case Pause: return PauseChangeRule(text);
    case PollPeriod: return PollPeriodChangeRule(text);
    default: return text;
    }
}

bool accepted(Field field, const QString& text, QChar key)
{
    switch (field) {
    case Password: return PasswordKeyAccepted(text, key);
    case Telephone: return TelephoneKeyAccepted(key);
    case HexField: return HexFieldKeyAccepted(key);
    default: return NumericKeyAccepted(key);
    }
}

QString left(Field field, const QString& text)
{
    switch (field) {
    case Telephone: return TelephoneLeavingRule(text);
    case HexField: return HexFieldLeavingRule(text);
    case Pause: return PauseLeavingRule(text);
    case PollPeriod: return PollPeriodLeavingRule(text);
    case DeviceCode: return DeviceCodeLeavingRule(text);
    default: return text;
    }
}

// Keys typed one by one ("\b" is Backspace): the filter, the device code's
// check of the text before the key, then the change rule.
QString typed(Field field, const QString& keys)
{
    QString text;
    for (QChar key : keys) {
        if (!accepted(field, text, key))
            continue;
        if (field == DeviceCode)
            text = DeviceCodeKeyCheck(text);
        text = key == kKeyBackspace ? text.chopped(text.isEmpty() ? 0 : 1) : text + key;
        text = changed(field, text);
    }
    return text;
}

}  // namespace

Q_DECLARE_METATYPE(Field)

class FieldRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typing_data();
    void typing();
    void pasting_data();
    void pasting();
    void trackBarLabels();
};

void FieldRulesTest::typing_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("afterTyping");
    QTest::addColumn<QString>("afterLeaving");
    QTest::newRow("password: a ninth digit is refused") << Password << "123456789" << "12345678" << "12345678";
    QTest::newRow("password: Backspace still works when full") << Password << "12345678\b9" << "12345679" << "12345679";
    QTest::newRow("password: letters refused") << Password << "1a2-" << "12" << "12";
    QTest::newRow("telephone: A-D taken, others dropped") << Telephone << "12ab*#eE 9" << "12ab9" << "12AB9";
    QTest::newRow("hex field: a1 is padded") << HexField << "a1" << "a1" << "00A1";
    QTest::newRow("hex field: g and blanks refused") << HexField << "g f-e" << "fe" << "00FE";
    QTest::newRow("pause: 7 gets a zero") << Pause << "7" << "7" << "07";
    QTest::newRow("pause: two digits stay") << Pause << "42" << "42" << "42";
    QTest::newRow("pause: emptied") << Pause << "4\b" << "" << "00";
    QTest::newRow("poll period: 0 becomes 001") << PollPeriod << "0" << "0" << "001";
    QTest::newRow("poll period: 300 stops at 255") << PollPeriod << "300" << "255" << "255";
    QTest::newRow("poll period: 5 is padded") << PollPeriod << "5" << "5" << "005";
    QTest::newRow("poll period: 12 is padded") << PollPeriod << "12" << "12" << "012";
    QTest::newRow("poll period: emptied") << PollPeriod << "1\b" << "" << "001";
    QTest::newRow("device code: first digit into an empty field") << DeviceCode << "7" << "7" << "7";
    QTest::newRow("device code: 300 stops at 255 on the next key") << DeviceCode << "300\b" << "25" << "25";
    QTest::newRow("device code: 300 stops at 255 when left") << DeviceCode << "300" << "300" << "255";
    QTest::newRow("device code: emptied field is 0 when left") << DeviceCode << "7\b" << "" << "0";
}

void FieldRulesTest::typing()
{
    QFETCH(Field, field);
    QFETCH(QString, keys);
    QFETCH(QString, afterTyping);
    QFETCH(QString, afterLeaving);
    keys.replace(QLatin1Char('\b'), kKeyBackspace);
    const QString text = typed(field, keys);
    QCOMPARE(text, afterTyping);
    QCOMPARE(left(field, text), afterLeaving);
}

// A paste arrives as one change: the change rules catch what the filter cannot.
void FieldRulesTest::pasting_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("afterChange");
    QTest::addColumn<QString>("afterLeaving");
    QTest::newRow("telephone with dashes") << Telephone << "8-044-123 45 67" << "80441234567" << "80441234567";
    QTest::newRow("pause of 150") << Pause << "150" << "99" << "99";
    QTest::newRow("pause not a number") << Pause << "1x" << "00" << "00";
    QTest::newRow("pause negative") << Pause << "-5" << "-5" << "00";
    QTest::newRow("poll period not a number") << PollPeriod << "ab" << "001" << "001";
    QTest::newRow("poll period 999") << PollPeriod << "999" << "255" << "255";
    QTest::newRow("device code word") << DeviceCode << "abc" << "abc" << "0";
}

void FieldRulesTest::pasting()
{
    QFETCH(Field, field);
    QFETCH(QString, pasted);
    QFETCH(QString, afterChange);
    QFETCH(QString, afterLeaving);
    QCOMPARE(changed(field, pasted), afterChange);
    QCOMPARE(left(field, changed(field, pasted)), afterLeaving);
}

// The value labels, with the units and blanks the tabs show.
void FieldRulesTest::trackBarLabels()
{
    QCOMPARE(ReadyWaitLabel1(3), QStringLiteral("30 c "));
    QCOMPARE(ReadyWaitLabel2(3), QStringLiteral("30 c"));
    QCOMPARE(AttemptsLabel(20), QStringLiteral("20 р."));
    QCOMPARE(HoursLabel(5), QStringLiteral("5 ч."));
    QCOMPARE(MinutesLabel(10), QStringLiteral("10 мин."));
    QCOMPARE(DelayEntries().size(), 16);
    QCOMPARE(DelayEntries()[3], QStringLiteral("1 мин."));
    QCOMPARE(DelayEntries()[10], QStringLiteral("3 мин. 20 сек."));
    QCOMPARE(ReportingFormatEntries().size(), 6);
    QCOMPARE(ReportingFormatEntries()[5], QStringLiteral("\"Сирена+Ответ\""));
}

NODRA_TEST(FieldRulesTest)
#include "field_rules_test.moc"
