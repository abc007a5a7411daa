// The event code table: factory codes, grid <-> codes text, the cell rules
// and the two buttons.

#include "codes/code_buttons.h"
#include "codes/code_table.h"
#include "config/codec.h"
#include "config/defaults.h"
#include "link/connection.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::codes;
using nodra::link::kKeyBackspace;
using nodra::link::kKeyEnter;

namespace {

// A cell edited key by key, then validated as editing ends.
QString edited(QString cell, const QString& keys)
{
    for (QChar key : keys) {
        if (!CodeKeyAccepted(cell, key))
            continue;
        if (key == kKeyBackspace)
            cell.chop(1);
        else if (key != kKeyEnter)
            cell += key;
    }
    return ValidateCodeCell(cell);
}

}  // namespace

class CodeTableTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultCodes();
    void gridToText_data();
    void gridToText();
    void textToGrid();
    void editingACell_data();
    void editingACell();
    void zeroThenStandard();
    void zeroReachesTheImageOnlyWithTheNextEncoding();
};

void CodeTableTest::defaultCodes()
{
    const QString text = DefaultCodesText();
    QCOMPARE(text.size(), kCodesTextLength);
    // The first piece written at 0208: rows 1-16.
    QCOMPARE(text.left(64), QString("1627").repeated(6) + QString("1628").repeated(6) + QString("3571").repeated(4));
    QCOMPARE(text.mid(4 * 28, 4), QStringLiteral("1110"));  // row 29, "Пожар в ШС 1"
    QCOMPARE(text.mid(4 * 52, 4), QStringLiteral("1532"));  // row 53
    QCOMPARE(text.mid(4 * 73, 4), QStringLiteral("1621"));  // row 74
    QVERIFY(text.endsWith(QString(24, u'0')));
    QVERIFY(!text.left(296).endsWith(QStringLiteral("0")));
}

void CodeTableTest::gridToText_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("asTyped");
    QTest::newRow("four digits") << "1627" << "1627" << "1627";
    QTest::newRow("lower case") << "1a2b" << "1A2B" << "1a2b";
    QTest::newRow("three characters") << "162" << "0000" << "0000";
    QTest::newRow("five characters") << "16270" << "0000" << "0000";
    QTest::newRow("empty") << "" << "0000" << "0000";
}

void CodeTableTest::gridToText()
{
    QFETCH(QString, cell);
    QFETCH(QString, upper);
    QFETCH(QString, asTyped);
    QStringList cells(kRowCount, QStringLiteral("1110"));
    cells[40] = cell;
    const QString text = CodesTextFromGrid(cells);
    QCOMPARE(text.size(), kCodesTextLength);
    QCOMPARE(text.mid(160, 4), upper);
    QCOMPARE(CodesTextFromGrid(cells, CodeCase::AsTyped).mid(160, 4), asTyped);
    QCOMPARE(CodesTextFromGrid(QStringList()), QString(kCodesTextLength, u'0'));
}

void CodeTableTest::textToGrid()
{
    const QStringList cells = GridFromCodesText(DefaultCodesText());
    QCOMPARE(cells.size(), kRowCount);
    QCOMPARE(cells[0], QStringLiteral("1627"));
    QCOMPARE(cells[79], QStringLiteral("0000"));
    QCOMPARE(CodesTextFromGrid(cells), DefaultCodesText());
    const QStringList shortText = GridFromCodesText(QStringLiteral("12345"));
    QCOMPARE(shortText[0], QStringLiteral("1234"));
    QCOMPARE(shortText[1], QStringLiteral("5"));
    QCOMPARE(shortText[2], QString());
}

void CodeTableTest::editingACell_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::newRow("1b into an empty cell") << "" << "1b" << "001B";
    QTest::newRow("a full code takes no further digit") << "1627" << "5" << "1627";
    QTest::newRow("Backspace and Enter still pass") << "1627" << "\b8\r" << "1628";
    QTest::newRow("G, blank and minus have no effect") << "" << "G -7" << "0007";
    QTest::newRow("an emptied cell") << "1627" << "\b\b\b\b" << "0000";
    QTest::newRow("a long text from outside is cut") << "abcdef" << "" << "ABCD";
}

void CodeTableTest::editingACell()
{
    QFETCH(QString, cell);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    keys.replace(QLatin1Char('\b'), kKeyBackspace).replace(QLatin1Char('\r'), kKeyEnter);
    QCOMPARE(edited(cell, keys), result);
}

// "Обнулить", then "Стандартные": the factory codes and test codes are back.
void CodeTableTest::zeroThenStandard()
{
    nodra::config::StartupState startup = nodra::config::Startup();
    ZeroCodes(startup.form);
    QCOMPARE(startup.form.codes.cells[28], kZeroCode);
    QCOMPARE(startup.form.numbers.telephones[0].testCode, kZeroCode);
    QCOMPARE(startup.form.numbers.telephones[1].testCode, kZeroCode);
    startup.image.setBlock(nodra::config::block::kCodes, QString(kCodesTextLength, u'9'));
    ApplyStandardCodes(startup.form, startup.image);
    QCOMPARE(startup.form.codes.cells[28], QStringLiteral("1110"));
    QCOMPARE(startup.form.numbers.telephones[0].testCode, QStringLiteral("1602"));
    QCOMPARE(startup.form.numbers.telephones[1].testCode, QStringLiteral("1602"));
    QCOMPARE(startup.image.block(nodra::config::block::kCodes), DefaultCodesText());
}

void CodeTableTest::zeroReachesTheImageOnlyWithTheNextEncoding()
{
    nodra::config::StartupState startup = nodra::config::Startup();
    ZeroCodes(startup.form);
    QCOMPARE(startup.image.block(nodra::config::block::kCodes), DefaultCodesText());
    QVERIFY(nodra::config::EncodeForm(startup.form, startup.image).ok());
    QCOMPARE(startup.image.block(nodra::config::block::kCodes), QString(kCodesTextLength, u'0'));
    QCOMPARE(startup.image.block(nodra::config::block::kTestCode1), kZeroCode);
}

NODRA_TEST(CodeTableTest)
#include "code_table_test.moc"
