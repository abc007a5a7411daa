// Read-all and write-all against the in-process panel: the units in their
// order, the bar, the cancel check and the partial-write marker, the failures
// and their messages, and the link moved to the panel's new address and speed.

#include "codes/codes_transfer.h"
#include "config/defaults.h"
#include "config/panel_transfer.h"
#include "link/connection.h"
#include "link/frame.h"
#include "panel_bench.h"
#include "test_registry.h"

#include <QTest>
#include <functional>

using namespace nodra;
using namespace nodra::config;
using link::MessageKind;

namespace {

const QString kReadFailed = QStringLiteral("Не удалось прочитать установки");
const QString kCheckPort = QStringLiteral("Проверте порт подключения");
const QString kWriteFailed = QStringLiteral("Не удалось записать установки");
const QString kMaybePartial = QStringLiteral("Возможно установки записаны частично");

// What a block of the panel's parameter memory holds, as a read brings it in.
QString panelBlock(const sim::PanelSim& panel, int address)
{
    return panel.memory().read(sim::Area::Eeprom, address, FindBlock(address)->length);
}

// An image whose every block tells that it was not read from the panel.
ConfigImage imageNotFromThePanel()
{
    ConfigImage image;
    for (const BlockInfo& info : Blocks())
        image.setBlock(info.address, QStringLiteral("5A"));
    return image;
}

// The messages shown, one "kind|headline|message" each.
QStringList messagesOf(const test::RecordingView& view)
{
    QStringList shown;
    for (const test::RecordedMessage& m : view.messages)
        shown << QStringLiteral("%1|%2|%3").arg(int(m.kind)).arg(m.headline, m.message);
    return shown;
}

QString error(const QString& headline, const QString& message)
{
    return QStringLiteral("2|%1|%2").arg(headline, message);
}

// "Отмена" pressed once `count` frames are out, but handled only at the pump
// after the cancel check: the next transaction's own token test takes it.
void cancelAtNextTransaction(test::PanelBench& bench, int count)
{
    bench.link.setPump([&bench, count, pumps = 0]() mutable {
        if (bench.frames() >= count && ++pumps == 2)
            bench.link.cancelToken().request();
    });
}

// A reply frame with a sound checksum whose data is not hex.
QByteArray replyWithData(const QString& data)
{
    const QString body = QStringLiteral(":000001") + data;
    return (body + link::FrameChecksum(body) + link::kFrameEnd).toLatin1();
}

// The device address a frame was sent to, and its command.
QString frameAddress(const QByteArray& frame)
{
    return QString::fromLatin1(frame.mid(1, 2));
}
QString frameCommand(const QByteArray& frame)
{
    return QString::fromLatin1(frame.mid(3, 2));
}

// A panel whose settings differ from the factory image where a read and a
// write-back could lose them: the pause 0105, texts, a password, the codes.
void giveThePanelItsOwnSettings(sim::PanelSim& panel)
{
    sim::PanelMemory& memory = panel.memory();
    memory.writeHex(sim::Area::Eeprom, block::kNumberPause, QStringLiteral("07"));
    memory.writeHex(sim::Area::Eeprom, block::kObjectText, QStringLiteral("D1EAEBE0E420B937") + QString(48, u'0'));
    memory.writeHex(sim::Area::Eeprom, block::LoopMode(2), QStringLiteral("07"));
    memory.writeHex(sim::Area::Eeprom, block::PasswordLength(3), QStringLiteral("04"));
    memory.writeHex(sim::Area::Eeprom, block::PasswordDigits(3), QStringLiteral("0905070301"));
    memory.writeHex(sim::Area::Eeprom, block::kCodes + 6, QStringLiteral("1A2B"));
    memory.writeHex(sim::Area::Eeprom, block::kClockCorrection, QStringLiteral("6F"));
}

}  // namespace

using Setup = std::function<void(test::PanelBench&)>;
using FormChange = std::function<void(FormState&)>;
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(FormChange)
Q_DECLARE_METATYPE(ReadAllResult::Outcome)
Q_DECLARE_METATYPE(WriteAllResult::Outcome)

class PanelTransferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readAllStoresEveryBlock();
    void readAllDecodesOnlyAfterTheConfirmation();
    void readAllFailures_data();
    void readAllFailures();
    void writeAllSendsEveryUnitThenRestarts();
    void writeAllMovesTheLink_data();
    void writeAllMovesTheLink();
    void writeAllFailures_data();
    void writeAllFailures();
    void readThenWriteLeavesThePanelAsItWas();
    void noSecondOperationWhileOneRuns();
};

// 40 reads in the table's order, the pause 0105 among them; every block
// holds the panel's bytes; the bar goes by 35ths and never past full.
void PanelTransferTest::readAllStoresEveryBlock()
{
    test::PanelBench bench;
    giveThePanelItsOwnSettings(bench.panel);
    ConfigImage image = imageNotFromThePanel();

    const ReadAllResult result = ReadAll(bench.link, bench.view, image);
    QCOMPARE(result.outcome, ReadAllResult::Outcome::Read);
    QCOMPARE(bench.frames(), 40);
    for (int i = 0; i < 40; ++i) {
        const ReadUnit& unit = ReadUnits()[size_t(i)];
        QCOMPARE(bench.port.written()[i],
                 bench.link.buildFrame(QStringLiteral("01"),
                                       QStringLiteral("%1").arg(unit.count, 2, 16, QLatin1Char('0')).toUpper()
                                           + AddressText(unit.address))
                     .toLatin1());
    }
    for (const BlockInfo& info : Blocks())
        QCOMPARE(image.block(info.address), panelBlock(bench.panel, info.address));
    QCOMPARE(image.block(block::kNumberPause), QStringLiteral("07"));

    QList<double> bar = {0};
    for (int k = 1; k <= 34; ++k)
        bar << qRound(100.0 * k / 35);
    bar << 97 << 94 << 97 << 100 << 100 << 100 << 100;  // the pause, the five code pieces, the end
    QCOMPARE(bench.view.progress, bar);
    QCOMPARE(bench.view.captions, QStringList{kReadCaption});
    QCOMPARE(messagesOf(bench.view), QStringList{QStringLiteral("3||Установки успешно прочитаны")});
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
}

// The tabs change only once the installer has closed the confirmation; the
// panel's stored address (not the one it answers at until a restart) then
// becomes the current device address, and Edit17 shows it.
void PanelTransferTest::readAllDecodesOnlyAfterTheConfirmation()
{
    struct ConfirmingView : test::RecordingView {
        const FormState* form = nullptr;
        FormState atConfirmation;
        void showMessage(MessageKind kind, const QString& headline, const QString& message) override
        {
            atConfirmation = *form;
            RecordingView::showMessage(kind, headline, message);
        }
    };
    test::PanelBench bench;
    bench.panel.memory().writeHex(sim::Area::Eeprom, block::kPanelAddress, QStringLiteral("0C"));
    bench.panel.memory().writeHex(sim::Area::Eeprom, block::kNumberPause, QStringLiteral("07"));
    StartupState startup = Startup();
    const FormState before = startup.form;
    ConfirmingView view;
    view.form = &startup.form;

    const ReadAllResult result = ReadAllIntoForm(bench.link, view, startup.image, startup.form);
    QCOMPARE(result.outcome, ReadAllResult::Outcome::Read);
    QVERIFY(result.decoded && result.decoded->ok());
    QVERIFY(view.atConfirmation == before);
    QCOMPARE(startup.form.parameters.panelAddress, QStringLiteral("012"));
    QCOMPARE(startup.form.numbers.numberPause, QStringLiteral("07"));
    QCOMPARE(bench.link.deviceAddress(), QStringLiteral("0C"));
    QCOMPARE(view.connections.size(), 1);
    QCOMPARE(view.connections[0].linkAddressText, QStringLiteral("012"));
    QCOMPARE(view.connections[0].linkBaudIndex, -1);
}

void PanelTransferTest::readAllFailures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<ReadAllResult::Outcome>("outcome");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("unitsStored");  // the first units that hold the panel's bytes
    QTest::addColumn<QStringList>("messages");
    using Outcome = ReadAllResult::Outcome;
    const QStringList noReply = {error(kReadFailed, kCheckPort)};

    QTest::newRow("no panel: three tries of the first read")
        << Setup([](test::PanelBench& b) { b.panel.faults().noAnswer = true; }) << Outcome::Failed << 3 << 0 << noReply;
    QTest::newRow("cancel seen by the cancel check after the fifth unit: no message")
        << Setup([](test::PanelBench& b) { b.cancelAfterFrames(5); }) << Outcome::Cancelled << 5 << 5 << QStringList();
    QTest::newRow("cancel taken by the sixth read's own test: the error")
        << Setup([](test::PanelBench& b) { cancelAtNextTransaction(b, 5); }) << Outcome::Failed << 5 << 5 << noReply;
    QTest::newRow("the panel falls silent at the ninth unit")
        << Setup([](test::PanelBench& b) { b.panel.faults().silentAfter = 8; }) << Outcome::Failed << 11 << 8
        << noReply;
    QTest::newRow("a sound frame whose data is not hex is no reply")
        << Setup([](test::PanelBench& b) { b.panel.faults().fixedReply = replyWithData(QStringLiteral("Z1")); })
        << Outcome::Failed << 1 << 0 << noReply;
    QTest::newRow("a sound frame with half a byte is no reply")
        << Setup([](test::PanelBench& b) { b.panel.faults().fixedReply = replyWithData(QStringLiteral("013")); })
        << Outcome::Failed << 1 << 0 << noReply;
    QTest::newRow("port missing") << Setup([](test::PanelBench& b) { b.port.setPresent(false); })
                                  << Outcome::PortFailed << 0 << 0 << QStringList{error(QString(), kReadFailed)};
    QTest::newRow("another operation holds the link")
        << Setup([](test::PanelBench& b) { b.link.setOperationRunning(true); }) << Outcome::NotStarted << 0 << 0
        << QStringList();
}

// The units before the failure keep the panel's bytes, the failing one and
// all after it what they held; the tabs never change.
void PanelTransferTest::readAllFailures()
{
    QFETCH(Setup, setup);
    QFETCH(ReadAllResult::Outcome, outcome);
    QFETCH(int, frames);
    QFETCH(int, unitsStored);
    QFETCH(QStringList, messages);
    test::PanelBench bench;
    setup(bench);
    ConfigImage image = imageNotFromThePanel();
    FormState form = Startup().form;
    const FormState before = form;

    const ReadAllResult result = ReadAllIntoForm(bench.link, bench.view, image, form);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(bench.frames(), frames);
    QCOMPARE(messagesOf(bench.view), messages);
    QVERIFY(!result.decoded);
    QVERIFY(form == before);
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QVERIFY(!bench.link.cancelToken().isRequested());
    if (outcome == ReadAllResult::Outcome::PortFailed)
        QCOMPARE(result.portError, link::kPortMissing);
    std::vector<int> fromPanel;
    for (int i = 0; i < unitsStored; ++i)
        for (int address : ReadUnits()[size_t(i)].blocks)
            fromPanel.push_back(address);
    for (const BlockInfo& info : Blocks()) {
        const bool stored = std::find(fromPanel.begin(), fromPanel.end(), info.address) != fromPanel.end();
        QCOMPARE(image.block(info.address), stored ? panelBlock(bench.panel, info.address) : QStringLiteral("5A"));
    }
}

// 55 writes in the table's order with the image's data, then the restart;
// two percent a write except after 0082.
void PanelTransferTest::writeAllSendsEveryUnitThenRestarts()
{
    test::PanelBench bench;
    StartupState startup = Startup();
    startup.form.numbers.numberPause = QStringLiteral("9");

    const WriteAllResult result = WriteAll(bench.link, bench.view, startup.form, startup.image);
    QCOMPARE(result.outcome, WriteAllResult::Outcome::Written);
    QCOMPARE(startup.image.block(block::kNumberPause), QStringLiteral("09"));  // encoded first
    QCOMPARE(bench.frames(), 56);
    for (int i = 0; i < 55; ++i) {
        const WriteUnit& unit = WriteUnits()[size_t(i)];
        QCOMPARE(bench.port.written()[i],
                 bench.link.buildFrame(QStringLiteral("02"), AddressText(unit.address) + WriteUnitData(startup.image, unit))
                     .toLatin1());
    }
    QCOMPARE(frameCommand(bench.port.written().last()), QStringLiteral("08"));
    QCOMPARE(bench.panel.memory().read(sim::Area::Eeprom, block::kNumberPause, 1), QStringLiteral("09"));

    // 54 steps: the bar is not set after 0082; full from the 50th on.
    QList<double> bar = {0};
    for (int n = 1; n <= 54; ++n)
        bar << std::min(2.0 * n, 100.0);
    bar << 100;
    QCOMPARE(bench.view.progress, bar);
    QCOMPARE(messagesOf(bench.view), QStringList{QStringLiteral("3|Установки успешно записаны|Прибор перезагружен")});
    QCOMPARE(bench.view.captions, QStringList{kWriteCaption});
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
}

void PanelTransferTest::writeAllMovesTheLink_data()
{
    QTest::addColumn<FormChange>("change");
    QTest::addColumn<QString>("address");  // the device address afterwards
    QTest::addColumn<int>("baudIndex");   // the link's speed afterwards
    QTest::addColumn<QString>("field");   // what Edit17 shows
    QTest::newRow("panel address 005")
        << FormChange([](FormState& f) { f.parameters.panelAddress = QStringLiteral("005"); }) << "05" << 5 << "005";
    QTest::newRow("panel speed 57600")
        << FormChange([](FormState& f) { f.parameters.panelBaud = 4; }) << "00" << 4 << "000";
    QTest::newRow("both, address 254 at 9600") << FormChange([](FormState& f) {
        f.parameters.panelAddress = QStringLiteral("254");
        f.parameters.panelBaud = 0;
    }) << "FE" << 0 << "254";
}

// Everything, the panel's new address and speed included, goes to the old
// address at the old speed, then the restart; afterwards the link is at the
// new ones and the next read-all reaches the panel there.
void PanelTransferTest::writeAllMovesTheLink()
{
    QFETCH(FormChange, change);
    QFETCH(QString, address);
    QFETCH(int, baudIndex);
    QFETCH(QString, field);
    test::PanelBench bench;
    StartupState startup = Startup();
    change(startup.form);

    const WriteAllResult result = WriteAll(bench.link, bench.view, startup.form, startup.image);
    QCOMPARE(result.outcome, WriteAllResult::Outcome::Written);
    QCOMPARE(bench.frames(), 56);
    for (const QByteArray& frame : bench.port.written())
        QCOMPARE(frameAddress(frame), QStringLiteral("00"));
    QCOMPARE(bench.port.written()[54].mid(5, 6), (QStringLiteral("0084") + address).toLatin1());
    QCOMPARE(bench.link.deviceAddress(), address);
    QCOMPARE(bench.port.baudRate(), link::kBauds[baudIndex]);
    QCOMPARE(bench.panel.address(), address.toInt(nullptr, 16));
    QCOMPARE(bench.panel.baud(), link::kBauds[baudIndex]);
    QCOMPARE(bench.view.connections.size(), 1);
    QCOMPARE(bench.view.connections[0].linkBaudIndex, baudIndex);
    QCOMPARE(bench.view.connections[0].linkAddressText, field);

    const int before = bench.frames();
    ConfigImage image;
    QCOMPARE(ReadAll(bench.link, bench.view, image).outcome, ReadAllResult::Outcome::Read);
    QCOMPARE(frameAddress(bench.port.written()[before]), address);
}

void PanelTransferTest::writeAllFailures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<FormChange>("change");
    QTest::addColumn<WriteAllResult::Outcome>("outcome");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QStringList>("messages");
    using Outcome = WriteAllResult::Outcome;
    const Setup none = [](test::PanelBench&) {};
    const FormChange unchanged = [](FormState&) {};
    const QStringList failed = {error(kWriteFailed, QString())};
    const QStringList partial = {error(kWriteFailed, kMaybePartial)};

    QTest::newRow("cancel seen after the first write: nothing said of a partial write")
        << Setup([](test::PanelBench& b) { b.cancelAfterFrames(1); }) << unchanged << Outcome::Cancelled << 1 << failed;
    QTest::newRow("cancel seen after the second write: maybe written in part")
        << Setup([](test::PanelBench& b) { b.cancelAfterFrames(2); }) << unchanged << Outcome::Cancelled << 2
        << partial;
    QTest::newRow("cancel seen after the last write, before the restart")
        << Setup([](test::PanelBench& b) { b.cancelAfterFrames(55); }) << unchanged << Outcome::Cancelled << 55
        << partial;
    QTest::newRow("cancel taken by the third write's own test: a failed write")
        << Setup([](test::PanelBench& b) { cancelAtNextTransaction(b, 2); }) << unchanged << Outcome::Failed << 2
        << failed;
    QTest::newRow("no acknowledgement of the fourth write")
        << Setup([](test::PanelBench& b) { b.panel.faults().silentAfter = 3; }) << unchanged << Outcome::Failed << 6
        << failed;
    QTest::newRow("no panel") << Setup([](test::PanelBench& b) { b.panel.faults().noAnswer = true; }) << unchanged
                              << Outcome::Failed << 3 << failed;
    QTest::newRow("port missing") << Setup([](test::PanelBench& b) { b.port.setPresent(false); }) << unchanged
                                  << Outcome::PortFailed << 0 << failed;
    QTest::newRow("a field that cannot be encoded: nothing sent")
        << none << FormChange([](FormState& f) { f.parameters.pollPeriod = QStringLiteral("1x"); })
        << Outcome::NotEncoded << 0
        << QStringList{error(kWriteFailed,
                             QStringLiteral("Неверное значение \"1x\" в поле \"Параметры, Максимальный период опроса\""))};
    QTest::newRow("another operation holds the link")
        << Setup([](test::PanelBench& b) { b.link.setOperationRunning(true); }) << unchanged << Outcome::NotStarted
        << 0 << QStringList();
}

// A failed write-all closes the port and the busy window, restarts nothing,
// leaves the link where it was and no marker behind.
void PanelTransferTest::writeAllFailures()
{
    QFETCH(Setup, setup);
    QFETCH(FormChange, change);
    QFETCH(WriteAllResult::Outcome, outcome);
    QFETCH(int, frames);
    QFETCH(QStringList, messages);
    test::PanelBench bench;
    setup(bench);
    StartupState startup = Startup();
    startup.form.parameters.panelAddress = QStringLiteral("005");
    change(startup.form);

    const WriteAllResult result = WriteAll(bench.link, bench.view, startup.form, startup.image);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(bench.frames(), frames);
    QCOMPARE(messagesOf(bench.view), messages);
    QCOMPARE(result.partial, messages == QStringList{error(kWriteFailed, kMaybePartial)});
    for (const QByteArray& frame : bench.port.written())
        QCOMPARE(frameCommand(frame), QStringLiteral("02"));
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QVERIFY(bench.view.connections.isEmpty());
    QCOMPARE(bench.link.deviceAddress(), QStringLiteral("00"));
    QCOMPARE(bench.port.baudRate(), link::kDefaultBaud);
    QVERIFY(!bench.link.partialWrite().isMarked());
    QCOMPARE(bench.link.partialWrite().writtenBlocks(), 0);
    QVERIFY(!bench.link.cancelToken().isRequested());
    if (outcome == WriteAllResult::Outcome::PortFailed)
        QCOMPARE(result.portError, link::kPortMissing);
}

// What read-all brings in, decoded and encoded again, writes back the
// panel's parameter memory byte for byte, the pause between the numbers too.
void PanelTransferTest::readThenWriteLeavesThePanelAsItWas()
{
    test::PanelBench bench;
    giveThePanelItsOwnSettings(bench.panel);
    const QByteArray before = bench.panel.memory().area(sim::Area::Eeprom);
    StartupState startup = Startup();

    QCOMPARE(ReadAllIntoForm(bench.link, bench.view, startup.image, startup.form).outcome,
             ReadAllResult::Outcome::Read);
    QCOMPARE(WriteAll(bench.link, bench.view, startup.form, startup.image).outcome, WriteAllResult::Outcome::Written);
    QCOMPARE(bench.frames(), 40 + 56);
    const QByteArray after = bench.panel.memory().area(sim::Area::Eeprom);
    for (int address = 0; address < sim::kMemorySize; ++address)
        QVERIFY2(after[address] == before[address], qPrintable(AddressText(address)));
}

// A click that reaches a pump while write-all runs starts nothing.
void PanelTransferTest::noSecondOperationWhileOneRuns()
{
    test::PanelBench bench;
    StartupState startup = Startup();
    ConfigImage other;
    QList<ReadAllResult::Outcome> reads;
    QList<codes::CodesWriteResult::Outcome> codeWrites;
    test::RecordingView otherView;
    bench.link.setPump([&] {
        if (bench.frames() == 10 && reads.isEmpty()) {
            reads << ReadAll(bench.link, otherView, other).outcome;
            codeWrites << codes::WriteCodes(bench.link, otherView, startup.form.codes, other).outcome;
        }
    });
    QCOMPARE(WriteAll(bench.link, bench.view, startup.form, startup.image).outcome, WriteAllResult::Outcome::Written);
    QCOMPARE(reads, QList<ReadAllResult::Outcome>{ReadAllResult::Outcome::NotStarted});
    QCOMPARE(codeWrites, QList<codes::CodesWriteResult::Outcome>{codes::CodesWriteResult::Outcome::NotStarted});
    QCOMPARE(bench.frames(), 56);
    QVERIFY(otherView.messages.isEmpty() && otherView.captions.isEmpty());
    QVERIFY(other == ConfigImage());
    QVERIFY(!bench.link.operationRunning());
}

NODRA_TEST(PanelTransferTest)
#include "panel_transfer_test.moc"
