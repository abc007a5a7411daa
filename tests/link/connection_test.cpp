#include "link/connection.h"
#include "link/port.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::link;

namespace {

// What the field shows after the installer types `keys` one by one: each key
// passes the filter, then the change rule runs on the new text.
QString typed(const QString& keys)
{
    QString text;
    for (QChar key : keys) {
        if (!AddressKeyAccepted(text, key))
            continue;
        text = AddressChangeRule(text + key);
    }
    return text;
}

}  // namespace

class ConnectionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void baudLists();
    void addressField_data();
    void addressField();
    void keyFilter_data();
    void keyFilter();
    void deviceAddressFromField_data();
    void deviceAddressFromField();
    void portsSortAsText();
};

void ConnectionTest::baudLists()
{
    QCOMPARE(LinkBaudEntries().size(), kBaudCount);
    QCOMPARE(PanelBaudEntries().size(), kBaudCount);
    for (int i = 0; i < kBaudCount; ++i) {
        QCOMPARE(LinkBaudEntries()[i].size(), 7);
        QCOMPARE(PanelBaudEntries()[i].size(), 6);
        QCOMPARE(LinkBaudEntries()[i].trimmed().toInt(), kBauds[i]);
        QCOMPARE(PanelBaudEntries()[i].trimmed().toInt(), kBauds[i]);
        QCOMPARE(BaudIndexOfCode(PanelBaudCodes()[i]), i);
    }
    QCOMPARE(LinkBaudEntries()[3], QStringLiteral("56000  "));
    QCOMPARE(PanelBaudEntries()[5], QStringLiteral("115200"));
    QCOMPARE(kBauds[kDefaultBaudIndex], 115200);
    QCOMPARE(BaudIndexOfCode(QStringLiteral("28")), -1);
}

// Typing, leaving and "ОК" as the installer does them.
void ConnectionTest::addressField_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("afterTyping");
    QTest::addColumn<QString>("afterLeaving");
    QTest::newRow("300 is clamped at the third digit") << "300" << "254" << "254";
    QTest::newRow("one digit is padded when left") << "7" << "7" << "007";
    QTest::newRow("two digits") << "12" << "12" << "012";
    QTest::newRow("1A is not a decimal number") << "1A" << "000" << "000";
    QTest::newRow("letters beyond the filter are dropped") << "4x2" << "42" << "042";
    QTest::newRow("f takes no second f, and left it is no number") << "ff" << "f" << "000";
    QTest::newRow("empty field") << "" << "" << "000";
}

void ConnectionTest::addressField()
{
    QFETCH(QString, keys);
    QFETCH(QString, afterTyping);
    QFETCH(QString, afterLeaving);
    const QString text = typed(keys);
    QCOMPARE(text, afterTyping);
    // Leaving sets the text, and setting the text runs the change rule again.
    QCOMPARE(AddressChangeRule(AddressLeavingRule(text)), afterLeaving);
}

void ConnectionTest::keyFilter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digit") << "" << QChar(u'5') << true;
    QTest::newRow("hex letter") << "1" << QChar(u'b') << true;
    QTest::newRow("letter beyond F") << "" << QChar(u'G') << false;
    QTest::newRow("minus") << "" << QChar(u'-') << false;
    QTest::newRow("space") << "" << QChar(u' ') << false;
    QTest::newRow("backspace") << "12" << kKeyBackspace << true;
    QTest::newRow("enter") << "12" << kKeyEnter << true;
    QTest::newRow("ctrl+v") << "" << kKeyPaste << true;
    QTest::newRow("ctrl+z") << "" << kKeyUndo << true;
    QTest::newRow("F after f") << "f" << QChar(u'F') << false;
    QTest::newRow("digit after f") << "f" << QChar(u'1') << true;
}

void ConnectionTest::keyFilter()
{
    QFETCH(QString, text);
    QFETCH(QChar, key);
    QFETCH(bool, accepted);
    QCOMPARE(AddressKeyAccepted(text, key), accepted);
}

void ConnectionTest::deviceAddressFromField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("address");  // empty: the address is not changed
    QTest::newRow("254") << "254" << "FE";
    QTest::newRow("007") << "007" << "07";
    QTest::newRow("012") << "012" << "0C";
    QTest::newRow("000") << "000" << "00";
    QTest::newRow("empty field") << "" << "";
    QTest::newRow("not a number") << "00f" << "";
    QTest::newRow("negative (pasted)") << "-5" << "";
    QTest::newRow("255 is never a panel's") << "255" << "";
}

void ConnectionTest::deviceAddressFromField()
{
    QFETCH(QString, field);
    QFETCH(QString, address);
    const auto result = DeviceAddressFromField(field);
    QCOMPARE(result.value_or(QString()), address);
    if (result)
        QCOMPARE(FieldFromDeviceAddress(*result), AddressLeavingRule(QString::number(field.toInt())));
}

void ConnectionTest::portsSortAsText()
{
    QCOMPARE(SortedPortNames({QStringLiteral("COM2"), QStringLiteral("COM10"), QStringLiteral("COM1")}),
             QStringList({QStringLiteral("COM1"), QStringLiteral("COM10"), QStringLiteral("COM2")}));
}

NODRA_TEST(ConnectionTest)
#include "connection_test.moc"
