// The factory image and the state of a window that has just started.

#include "codes/code_table.h"
#include "config/codec.h"
#include "config/conversion.h"
#include "config/defaults.h"
#include "config/win1251.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::config;

class DefaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void factoryImageIsComplete();
    void factoryTexts_data();
    void factoryTexts();
    void startupStateDiffersFromTheImageWhereTheStartupSaysSo();
    void encodingRightAfterStartup();
};

// Every block is filled but the ones only a panel can fill.
void DefaultsTest::factoryImageIsComplete()
{
    const ConfigImage image = FactoryImage();
    for (const BlockInfo& info : Blocks()) {
        const QString text = image.block(info.address);
        const bool panelOnly = info.address == block::kFirmwareVersion || info.address == block::kOperatingTime
                               || QList<int>{0x0361, 0x0371, 0x0381, 0x0391}.contains(info.address);
        QCOMPARE(text.isEmpty(), panelOnly);
        QVERIFY2(IsHexBytes(text), qPrintable(AddressText(info.address)));
        // Telephone numbers and passwords hold only their characters; the
        // other blocks their full length.
        const bool telephone = info.address == block::kTelephone1 || info.address == block::kTelephone2;
        const bool password = info.address >= 0x03A1 && info.address <= 0x03F1 && (info.address & 0xF) == 1;
        if (!panelOnly && !password && !telephone)
            QCOMPARE(text.size(), 2 * info.length);
    }
    QCOMPARE(image.block(block::kCodes), nodra::codes::DefaultCodesText());
    QCOMPARE(image.block(block::kClockCorrection), QStringLiteral("A0"));
}

void DefaultsTest::factoryTexts_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("text");
    QTest::newRow("object") << block::kObjectText << u"Нодра-1/2"_qs;
    QTest::newRow("loop 1") << block::LoopText(1) << u"Этаж №3"_qs;
    QTest::newRow("loop 2") << block::LoopText(2) << u"Подвал"_qs;
    QTest::newRow("loop 3") << block::LoopText(3) << u"Кабинет №7"_qs;
    QTest::newRow("loop 4") << block::LoopText(4) << u"Коридор"_qs;
}

void DefaultsTest::factoryTexts()
{
    QFETCH(int, address);
    QFETCH(QString, text);
    const QByteArray bytes = QByteArray::fromHex(FactoryImage().block(address).toLatin1());
    QCOMPARE(DecodeWin1251(bytes.left(bytes.indexOf('\0'))), text);
}

void DefaultsTest::startupStateDiffersFromTheImageWhereTheStartupSaysSo()
{
    const StartupState startup = Startup();
    const FormState& form = startup.form;
    QCOMPARE(startup.deviceAddress, QStringLiteral("00"));
    QCOMPARE(form.parameters.panelAddress, QStringLiteral("000"));
    QCOMPARE(form.parameters.objectText, QStringLiteral("Нодра-1/2"));
    QCOMPARE(form.parameters.loopTexts[0], QStringLiteral("Этаж #3"));
    QCOMPARE(form.parameters.loopTexts[2], QStringLiteral("Кабинет #7"));
    QCOMPARE(form.parameters.firmwareVersion, QStringLiteral("Версия программы прибора (необходимо прочитать)"));
    QCOMPARE(form.parameters.operatingTime, QStringLiteral("Время наработки прибора (необходимо прочитать)"));
    QCOMPARE(form.parameters.panelBaud, 5);  // 115200, the image says 56000
    QCOMPARE(form.numbers.telephones[0].format, int(kContactId));
    QCOMPARE(form.numbers.telephones[1].format, int(kFranklinSescoa));  // the image says Contact ID
    QCOMPARE(form.numbers.telephones[0].checkBusy, false);  // the image says checked
    QCOMPARE(form.numbers.telephones[1].checkBusy, false);
    QCOMPARE(form.clock.position, nodra::clock::kNoCorrection);  // A0 is in no position
    for (const LoopSettings& loop : form.loops.loops) {
        QCOMPARE(loop.entryDelay, 3);
        QCOMPARE(loop.exitDelay, 3);
        QVERIFY(loop.enabled);
    }
    for (int u = 1; u <= kUserCount; ++u)
        QCOMPARE(form.users.users[size_t(u - 1)].password, DefaultPassword(u));
    QCOMPARE(form.codes.cells[28], QStringLiteral("1110"));
    QCOMPARE(form.numbers.numberPause, QStringLiteral("00"));
    QCOMPARE(form.parameters.pollPeriod, QStringLiteral("255"));
}

// Saving right after start-up: the start-up's own choices reach the image,
// every other block stays the factory one.
void DefaultsTest::encodingRightAfterStartup()
{
    StartupState startup = Startup();
    QVERIFY(EncodeForm(startup.form, startup.image).ok());
    const ConfigImage factory = FactoryImage();
    const std::map<int, QString> changed = {
        {block::kReportingFormats, "41"},
        {block::kPanelBaud, "13"},
        {block::kDiallerFlags, "0F"},
        {block::kClockCorrection, "71"},
        {block::LoopText(1), "DDF2E0E6202333" + QString(18, u'0')},  // "#" for "№"
        {block::LoopText(3), "CAE0E1E8EDE5F2202337" + QString(12, u'0')},
    };
    for (const BlockInfo& info : Blocks()) {
        const auto it = changed.find(info.address);
        QCOMPARE(startup.image.block(info.address), it == changed.end() ? factory.block(info.address) : it->second);
    }
}

NODRA_TEST(DefaultsTest)
#include "defaults_test.moc"
