#include "clock/correction.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::clock;

class CorrectionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void table_data();
    void table();
    void byteOutsideTheTable();
};

void CorrectionTest::table_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("byte");
    QTest::newRow("1") << 1 << "-20 мин." << "61";
    QTest::newRow("2") << 2 << "-10 мин." << "69";
    QTest::newRow("3") << 3 << "-5 мин." << "6D";
    QTest::newRow("4") << 4 << "-2 мин." << "6F";
    QTest::newRow("5, the form's own") << 5 << "0 мин." << "71";
    QTest::newRow("6") << 6 << "+2 мин." << "73";
    QTest::newRow("7") << 7 << "+5 мин." << "75";
    QTest::newRow("8") << 8 << "+10 мин." << "79";
    QTest::newRow("9") << 9 << "+20 мин." << "81";
}

void CorrectionTest::table()
{
    QFETCH(int, position);
    QFETCH(QString, label);
    QFETCH(QString, byte);
    QCOMPARE(CorrectionLabel(position), label);
    QCOMPARE(CorrectionByte(position), byte);
    QCOMPARE(CorrectionPosition(byte.toInt(nullptr, 16)), std::optional<int>(position));
}

// The factory byte A0 is in no position: the track bar stays where it was.
void CorrectionTest::byteOutsideTheTable()
{
    QCOMPARE(CorrectionPosition(0xA0), std::nullopt);
    QCOMPARE(CorrectionPosition(0x70), std::nullopt);
    QCOMPARE(CorrectionByte(0), QString());
    QCOMPARE(CorrectionByte(10), QString());
    QCOMPARE(ClockCorrectionState{}.position, kNoCorrection);
}

NODRA_TEST(CorrectionTest)
#include "correction_test.moc"
