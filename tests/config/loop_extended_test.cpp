// The loop extended settings window without its widgets: what it shows for
// a loop, how its limits follow each other, and what "OK" stores.

#include "config/defaults.h"
#include "config/loop_extended.h"
#include "config_fixture.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::config;
using namespace nodra::test;

namespace {

const QLocale kRussian(QLocale::Russian);

// The common block with one byte of one loop replaced.
QString commonWith(int offset, int byte, QString common = FactoryImage().block(block::kLoopExtendedCommon))
{
    return common.replace(2 * offset, 2, QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper());
}

QString commonByte(const ConfigImage& image, int offset)
{
    return image.block(block::kLoopExtendedCommon).mid(2 * offset, 2);
}

}  // namespace

class LoopExtendedTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void factoryLoopAsTheWindowShowsIt();
    void okRightAfterOpeningChangesOnlyTheRepeatedByte();
    void unmovedValuesDoNotDrift();
    void movedValuesAreStoredFromTheirPosition();
    void switchingToResistive();
    void limitsFollowEachOther();
    void storedLevelAboveItsLimitIsSavedAtTheLimit();
    void otherLoopsAreLeftAlone();
    void currentNorm_data();
    void currentNorm();
    void incompleteBlocksDoNotOpen();
};

void LoopExtendedTest::factoryLoopAsTheWindowShowsIt()
{
    LoopExtendedModel window;
    QCOMPARE(window.open(FactoryImage(), 1), std::nullopt);
    QCOMPARE(window.caption(), QStringLiteral("Расширенные установки для ШС 1"));
    QVERIFY(window.alternating());
    QVERIFY(window.enabled(LoopBar::CheckPeriod));
    QVERIFY(!window.enabled(LoopBar::BreakCurrent));
    QVERIFY(!window.enabled(LoopBar::ShortCounter));
    const std::pair<LoopBar, QString> shown[] = {
        {LoopBar::CheckPeriod, "0,4 c"},      {LoopBar::AlternatingBreaks, "1 р."}, {LoopBar::ResistiveBreaks, "1 р."},
        {LoopBar::ShortCounter, "1 р."},      {LoopBar::FireCounter, "1 р."},       {LoopBar::ShortLevel, "26,6 мА"},
        {LoopBar::MaxNorm, "19,4 мА"},        {LoopBar::FireLevel, "7,2 мА"},       {LoopBar::Fire2Level, "2,6 мА"},
        {LoopBar::BreakCurrent, "2,4 мА"},
    };
    for (const auto& [bar, label] : shown)
        QCOMPARE(window.label(bar, kRussian), label);
    QCOMPARE(window.position(LoopBar::ShortLevel), 133);
    QCOMPARE(window.position(LoopBar::MaxNorm), 97);
    QCOMPARE(window.position(LoopBar::FireLevel), 36);
    QCOMPARE(window.position(LoopBar::Fire2Level), 13);
    QCOMPARE(window.currentNorm(kRussian), QStringLiteral("Текущая норма  (необходимо прочитать)"));
    QCOMPARE(LevelText(13, QLocale::c()), QStringLiteral("2.6 мА"));
}

// "OK" at once: the record's repeated "Пож.Р" byte takes the "Пож.Р" level;
// the maximum norm keeps A1 although 97 / 0.6 rounds to 162.
void LoopExtendedTest::okRightAfterOpeningChangesOnlyTheRepeatedByte()
{
    ConfigImage image = FactoryImage();
    LoopExtendedModel window;
    QVERIFY(!window.open(image, 1));
    window.apply(image);
    QCOMPARE(image.block(block::LoopExtendedRecord(1)), QStringLiteral("DE3C3C16"));
    QCOMPARE(image.block(block::kLoopExtendedCommon), FactoryImage().block(block::kLoopExtendedCommon));
}

// A level of 21 counts shows at 13 and would come back as 22: opening and
// closing the window again and again must not move it.
void LoopExtendedTest::unmovedValuesDoNotDrift()
{
    // Loop 2: maximum norm 94 counts (position 56, back 93), "Пож.2" 21 counts.
    ConfigImage image = ImageWith({"0190=" + commonWith(25 + 1, 0x5E), "0184=DE3C3C15"});
    LoopExtendedModel window;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!window.open(image, 2));
        window.apply(image);
    }
    QCOMPARE(commonByte(image, 25 + 1), QStringLiteral("5E"));
    QCOMPARE(image.block(block::LoopExtendedRecord(2)), QStringLiteral("DE3C3C15"));
}

void LoopExtendedTest::movedValuesAreStoredFromTheirPosition()
{
    ConfigImage image = FactoryImage();
    LoopExtendedModel window;
    QVERIFY(!window.open(image, 1));
    window.setPosition(LoopBar::MaxNorm, 98);
    window.setPosition(LoopBar::FireCounter, 7);
    window.setPosition(LoopBar::CheckPeriod, 20);
    window.apply(image);
    QCOMPARE(commonByte(image, 25), QStringLiteral("A3"));  // round(98 / 0.6) = 163
    QCOMPARE(commonByte(image, 13), QStringLiteral("07"));
    QCOMPARE(commonByte(image, 1), QStringLiteral("14"));
    QCOMPARE(window.label(LoopBar::CheckPeriod, kRussian), QStringLiteral("8 c"));
}

// Loop 2 made resistive: bit 2 of byte 0 cleared, the break current written
// at offset 22, the check period of loop 2 (offset 2) left as it was.
void LoopExtendedTest::switchingToResistive()
{
    ConfigImage image = FactoryImage();
    LoopExtendedModel window;
    QVERIFY(!window.open(image, 2));
    window.setPosition(LoopBar::CheckPeriod, 9);
    window.setAlternating(false);
    QVERIFY(window.enabled(LoopBar::BreakCurrent));
    QVERIFY(!window.enabled(LoopBar::CheckPeriod));
    window.setPosition(LoopBar::BreakCurrent, 15);
    window.setPosition(LoopBar::ResistiveBreaks, 40);
    window.apply(image);
    QCOMPARE(commonByte(image, 0), QStringLiteral("FB"));
    QCOMPARE(commonByte(image, 22), QStringLiteral("19"));  // round(15 / 0.6) = 25
    QCOMPARE(commonByte(image, 6), QStringLiteral("28"));
    QCOMPARE(commonByte(image, 2), QStringLiteral("01"));
    QVERIFY(!window.open(image, 2));
    QVERIFY(!window.alternating());
    QCOMPARE(window.label(LoopBar::BreakCurrent, kRussian), QStringLiteral("3 мА"));
}

// "КЗ" bounds the maximum norm 1 mA below it, the norm bounds "Пож.2" 2 mA
// below and "Пож.Р" at it, "Пож.2" bounds "Пож.Р" 2 mA above.
void LoopExtendedTest::limitsFollowEachOther()
{
    LoopExtendedModel window;
    QVERIFY(!window.open(FactoryImage(), 3));
    window.setPosition(LoopBar::ShortLevel, 60);
    QCOMPARE(window.range(LoopBar::MaxNorm).max, 55);
    QCOMPARE(window.position(LoopBar::MaxNorm), 55);
    QCOMPARE(window.range(LoopBar::Fire2Level).max, 45);
    QCOMPARE(window.range(LoopBar::FireLevel).max, 55);
    window.setPosition(LoopBar::Fire2Level, 40);
    QCOMPARE(window.range(LoopBar::FireLevel).min, 50);
    QCOMPARE(window.position(LoopBar::FireLevel), 50);
    window.setPosition(LoopBar::FireLevel, 10);
    QCOMPARE(window.position(LoopBar::FireLevel), 50);
    window.setPosition(LoopBar::ShortLevel, 200);
    QCOMPARE(window.position(LoopBar::ShortLevel), 140);
    QCOMPARE(window.range(LoopBar::MaxNorm).max, 135);
    QCOMPARE(window.position(LoopBar::MaxNorm), 55);  // a raised limit moves nothing
}

void LoopExtendedTest::storedLevelAboveItsLimitIsSavedAtTheLimit()
{
    // "КЗ" 100 counts (position 60): the norm of 161 counts shows at 55.
    ConfigImage image = ImageWith({"0190=" + commonWith(17, 0x64)});
    LoopExtendedModel window;
    QVERIFY(!window.open(image, 1));
    QCOMPARE(window.position(LoopBar::MaxNorm), 55);
    window.apply(image);
    QCOMPARE(commonByte(image, 25), QStringLiteral("5C"));  // round(55 / 0.6) = 92
    QCOMPARE(commonByte(image, 17), QStringLiteral("64"));
}

void LoopExtendedTest::otherLoopsAreLeftAlone()
{
    const QString common = "FF" "01020304" "05060708" "090A0B0C" "0D0E0F10" "DEDEDEDE" "14141414" "A1A1A1A1";
    ConfigImage image = ImageWith({"0190=" + common});
    LoopExtendedModel window;
    QVERIFY(!window.open(image, 3));
    window.setAlternating(false);
    for (LoopBar bar : {LoopBar::BreakCurrent, LoopBar::ResistiveBreaks, LoopBar::ShortCounter, LoopBar::FireCounter,
                        LoopBar::ShortLevel, LoopBar::MaxNorm, LoopBar::FireLevel, LoopBar::Fire2Level})
        window.setPosition(bar, window.position(bar) + 1);
    window.apply(image);
    const QString after = image.block(block::kLoopExtendedCommon);
    for (int offset = 1; offset < 29; ++offset)
        if ((offset - 1) % 4 != 2)
            QCOMPARE(after.mid(2 * offset, 2), common.mid(2 * offset, 2));
    QCOMPARE(after.mid(0, 2), QStringLiteral("F7"));
    QCOMPARE(after.mid(2 * 3, 2), QStringLiteral("03"));  // check period: resistive loops keep it
    for (int n : {1, 2, 4})
        QCOMPARE(image.block(block::LoopExtendedRecord(n)), QStringLiteral("DE3D3C16"));
}

void LoopExtendedTest::currentNorm_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("text");
    QTest::newRow("55 hex, 85 counts") << "55" << "Текущая норма 10,2 мА";
    QTest::newRow("one count") << "01" << "Текущая норма 0,12 мА";
    QTest::newRow("zero") << "00" << "Текущая норма 0 мА";
    QTest::newRow("not read") << "" << "Текущая норма  (необходимо прочитать)";
}

void LoopExtendedTest::currentNorm()
{
    QFETCH(QString, block);
    QFETCH(QString, text);
    LoopExtendedModel window;
    QVERIFY(!window.open(ImageWith({"0391=" + block}), 4));
    QCOMPARE(window.currentNorm(kRussian), text);
}

// A settings file may carry shorter blocks: the window does not open on them.
void LoopExtendedTest::incompleteBlocksDoNotOpen()
{
    LoopExtendedModel window;
    QVERIFY(!window.open(FactoryImage(), 1));
    window.setPosition(LoopBar::FireCounter, 9);
    const auto shortCommon = window.open(ImageWith({"0190=FF0101"}), 2);
    QVERIFY(shortCommon);
    QCOMPARE(shortCommon->block, QStringLiteral("0190"));
    QVERIFY(window.open(ImageWith({"018C=DE3D"}), 4));
    QCOMPARE(window.loop(), 1);
    QCOMPARE(window.position(LoopBar::FireCounter), 9);
}

NODRA_TEST(LoopExtendedTest)
#include "loop_extended_test.moc"
