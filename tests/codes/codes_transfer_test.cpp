// "Записать" of the "Коды" tab against the in-process panel: five pieces as
// typed, the restart, and what a failure or a cancellation leaves behind.

#include "codes/codes_transfer.h"
#include "config/defaults.h"
#include "link/port.h"
#include "panel_bench.h"
#include "test_registry.h"

#include <QTest>
#include <functional>

using namespace nodra;
using namespace nodra::codes;
using link::MessageKind;

namespace {

const QString kWriteFailed = QStringLiteral("Не удалось записать коды");

QString panelCodes(const sim::PanelSim& panel)
{
    return panel.memory().read(sim::Area::Eeprom, config::block::kCodes, kCodesTextLength / 2);
}

// Row r holds a code of its own: "0001" to "0080", row 3 typed in lower case.
CodesState ownCodes()
{
    CodesState codes;
    for (int row = 1; row <= kRowCount; ++row)
        codes.cells[row - 1] = QStringLiteral("%1").arg(row, 4, 10, QLatin1Char('0'));
    codes.cells[2] = QStringLiteral("a1b2");
    return codes;
}

}  // namespace

using Setup = std::function<void(test::PanelBench&, CodesState&)>;
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(CodesWriteResult::Outcome)

class CodesTransferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesFivePiecesAsTypedThenRestarts();
    void failures_data();
    void failures();
};

void CodesTransferTest::writesFivePiecesAsTypedThenRestarts()
{
    test::PanelBench bench;
    config::ConfigImage image = config::FactoryImage();
    CodesState codes = ownCodes();
    codes.cells[79] = QStringLiteral("12");  // fewer than four characters: sent as 0000

    const CodesWriteResult result = WriteCodes(bench.link, bench.view, codes, image);
    QCOMPARE(result.outcome, CodesWriteResult::Outcome::Written);
    QCOMPARE(result.pieces, 5);
    const QString sent = CodesTextFromGrid(codes.cells, CodeCase::AsTyped);
    QVERIFY(sent.contains(QStringLiteral("a1b2")) && sent.endsWith(QStringLiteral("0079") + kZeroCode));
    QCOMPARE(image.block(config::block::kCodes), sent);
    QCOMPARE(bench.frames(), 6);
    const char* addresses[] = {"0208", "0228", "0248", "0268", "0288"};
    for (int k = 0; k < 5; ++k)
        QCOMPARE(bench.port.written()[k],
                 bench.link.buildFrame(QStringLiteral("02"), QLatin1String(addresses[k]) + sent.mid(64 * k, 64))
                     .toLatin1());
    QCOMPARE(bench.port.written()[5], bench.link.buildFrame(QStringLiteral("08"), QString()).toLatin1());
    QCOMPARE(panelCodes(bench.panel), sent.toUpper());
    QCOMPARE(bench.view.captions, QStringList{kCodesWriteCaption});
    QCOMPARE(bench.view.progress, QList<double>({0, 40, 60, 80, 100, 100}));
    QCOMPARE(bench.view.messages.size(), 1);
    QCOMPARE(bench.view.messages[0].kind, MessageKind::Confirmation);
    QCOMPARE(bench.view.messages[0].headline, QStringLiteral("Коды успешно записаны"));
    QCOMPARE(bench.view.messages[0].message, QStringLiteral("Прибор перезагружен"));
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
}

void CodesTransferTest::failures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<CodesWriteResult::Outcome>("outcome");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("piecesInPanel");  // pieces of 16 rows that hold the new codes
    QTest::addColumn<QString>("headline");
    QTest::addColumn<QString>("message");
    using Outcome = CodesWriteResult::Outcome;

    QTest::newRow("cancel after the second piece: rows 1-32 new, no restart")
        << Setup([](test::PanelBench& b, CodesState&) { b.cancelAfterFrames(2); }) << Outcome::Cancelled << 2 << 2
        << "" << kWriteFailed;
    QTest::newRow("the third piece is not acknowledged")
        << Setup([](test::PanelBench& b, CodesState&) { b.panel.faults().silentAfter = 2; }) << Outcome::Failed << 5
        << 2 << "" << kWriteFailed;
    QTest::newRow("port missing: the port's text, nothing sent")
        << Setup([](test::PanelBench& b, CodesState&) { b.port.setPresent(false); }) << Outcome::PortFailed << 0 << 0
        << kWriteFailed << link::kPortMissing;
    QTest::newRow("a cell that is not hex: nothing sent")
        << Setup([](test::PanelBench&, CodesState& c) { c.cells[4] = QStringLiteral("12G4"); }) << Outcome::NotHex << 0
        << 0 << kWriteFailed << "Неверное значение \"12G4\" в поле \"Коды, Вход в меню пользователя 5\"";
    QTest::newRow("another operation holds the link")
        << Setup([](test::PanelBench& b, CodesState&) { b.link.setOperationRunning(true); }) << Outcome::NotStarted
        << 0 << 0 << "" << "";
}

// The pieces written stay in the panel, the rest keeps the old codes; no
// restart; the port and the busy window are closed.
void CodesTransferTest::failures()
{
    QFETCH(Setup, setup);
    QFETCH(CodesWriteResult::Outcome, outcome);
    QFETCH(int, frames);
    QFETCH(int, piecesInPanel);
    QFETCH(QString, headline);
    QFETCH(QString, message);
    test::PanelBench bench;
    CodesState codes = ownCodes();
    setup(bench, codes);
    config::ConfigImage image = config::FactoryImage();
    const QString oldCodes = panelCodes(bench.panel);

    const CodesWriteResult result = WriteCodes(bench.link, bench.view, codes, image);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.pieces, piecesInPanel);
    QCOMPARE(bench.frames(), frames);
    for (const QByteArray& frame : bench.port.written())
        QCOMPARE(frame.mid(3, 2), QByteArray("02"));
    const QString sent = CodesTextFromGrid(codes.cells, CodeCase::AsTyped).toUpper();
    QCOMPARE(panelCodes(bench.panel), sent.left(64 * piecesInPanel) + oldCodes.mid(64 * piecesInPanel));
    if (message.isEmpty()) {
        QVERIFY(bench.view.messages.isEmpty());
    } else {
        QCOMPARE(bench.view.messages.size(), 1);
        QCOMPARE(bench.view.messages[0].kind, MessageKind::Error);
        QCOMPARE(bench.view.messages[0].headline, headline);
        QCOMPARE(bench.view.messages[0].message, message);
    }
    const bool sentNothing = outcome == CodesWriteResult::Outcome::NotHex
        || outcome == CodesWriteResult::Outcome::NotStarted;
    QCOMPARE(image.block(config::block::kCodes), sentNothing ? config::FactoryImage().block(config::block::kCodes)
                                                              : CodesTextFromGrid(codes.cells, CodeCase::AsTyped));
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QVERIFY(!bench.link.cancelToken().isRequested());
}

NODRA_TEST(CodesTransferTest)
#include "codes_transfer_test.moc"
