#include "link/connection.h"
#include "link/device_search.h"
#include "link/service_commands.h"
#include "panel_bench.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra;
using namespace nodra::link;

namespace {

// The link as the installer left it before searching: address 005, 38400.
void startAt(test::PanelBench& bench)
{
    bench.link.setDeviceAddress(QStringLiteral("05"));
    bench.port.setBaudRate(38400);
}

}  // namespace

class DeviceSearchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void found_data();
    void found();
    void progressMovesOncePerAddress();
    void notFound_data();
    void notFound();
    void cancelledAtAddress100();
    void noOtherOperationStartsMeanwhile();
};

void DeviceSearchTest::found_data()
{
    QTest::addColumn<int>("panelAddress");
    QTest::addColumn<int>("panelBaud");
    QTest::addColumn<QList<qint32>>("alsoAt");
    QTest::addColumn<int>("probes");
    QTest::addColumn<int>("baudIndex");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("confirmation");

    QTest::newRow("007 at 57600 on the 54th probe")
        << 7 << 57600 << QList<qint32>() << 54 << 4 << "007" << "Адрес прибора: 007, Скорость: 57600  ";
    QTest::newRow("answering at 9600 and 115200: reported at 9600, the first tried")
        << 3 << 115200 << QList<qint32>{9600} << 22 << 0 << "003" << "Адрес прибора: 003, Скорость: 9600   ";
    QTest::newRow("254 at 256000 on the very last probe")
        << 254 << 256000 << QList<qint32>() << 1785 << 6 << "254" << "Адрес прибора: 254, Скорость: 256000 ";
}

// The link stays at what was found, and both pairs of connection controls
// show it.
void DeviceSearchTest::found()
{
    QFETCH(int, panelAddress);
    QFETCH(int, panelBaud);
    QFETCH(QList<qint32>, alsoAt);
    QFETCH(int, probes);
    QFETCH(int, baudIndex);
    QFETCH(QString, field);
    QFETCH(QString, confirmation);
    test::PanelBench bench;
    bench.panel.setAddress(panelAddress);
    bench.panel.setBaud(panelBaud);
    bench.panel.faults().alsoAtBauds = alsoAt;
    startAt(bench);

    const SearchResult result = SearchDevice(bench.link, bench.view);
    QCOMPARE(result.outcome, SearchResult::Outcome::Found);
    QCOMPARE(result.addressIndex, panelAddress);
    QCOMPARE(result.baudIndex, baudIndex);
    QCOMPARE(bench.frames(), probes);
    QCOMPARE(bench.link.deviceAddress(), QStringLiteral("%1").arg(panelAddress, 2, 16, QLatin1Char('0')).toUpper());
    QCOMPARE(bench.port.baudRate(), kBauds[baudIndex]);
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QCOMPARE(bench.view.progress.last(), 100.0);
    QCOMPARE(bench.view.connections.size(), 1);
    const ConnectionShown& shown = bench.view.connections.first();
    QCOMPARE(shown.linkBaudIndex, baudIndex);
    QCOMPARE(shown.panelBaudIndex, baudIndex);
    QCOMPARE(shown.linkAddressText, field);
    QCOMPARE(shown.panelAddressText, field);
    QCOMPARE(bench.view.messages.size(), 1);
    QCOMPARE(bench.view.messages[0].kind, MessageKind::Confirmation);
    QCOMPARE(bench.view.messages[0].headline, QString());
    QCOMPARE(bench.view.messages[0].message, confirmation);
    QCOMPARE(bench.view.captions.last(), QStringLiteral("Попытка доступа к адресу: ") + field + QStringLiteral(" | ")
                                             + LinkBaudEntries()[baudIndex]);
}

// The bar shows the address reached, so it stays put through the seven
// speeds of one address (steps of about 0.4 %).
void DeviceSearchTest::progressMovesOncePerAddress()
{
    test::PanelBench bench;
    bench.panel.setAddress(7);
    bench.panel.setBaud(57600);
    SearchDevice(bench.link, bench.view);
    const QList<double> afterProbes = bench.view.progress.mid(1);  // the first is the empty bar at showing
    QCOMPARE(afterProbes.size(), 53 + 1);                         // 53 misses, then the full bar
    for (int address = 0; address <= 7; ++address) {
        const double expected = qRound((address + 1) * 100.0 / 255);
        for (int probe = address * 7; probe < std::min(address * 7 + 7, 53); ++probe)
            QCOMPARE(afterProbes[probe], expected);
    }
    QCOMPARE(bench.view.captions[1], QStringLiteral("Попытка доступа к адресу: 000 | 9600   "));
}

void DeviceSearchTest::notFound_data()
{
    QTest::addColumn<int>("panelAddress");
    QTest::addColumn<bool>("portPresent");
    QTest::addColumn<int>("probes");

    QTest::newRow("a panel at 255 is never found") << 255 << true << 1785;
    QTest::newRow("no panel at all") << -1 << true << 1785;
    QTest::newRow("the selected port is missing") << 0 << false << 0;
}

// Nothing found: the device address and the speed are as before, and the
// link baud list shows that speed again.
void DeviceSearchTest::notFound()
{
    QFETCH(int, panelAddress);
    QFETCH(bool, portPresent);
    QFETCH(int, probes);
    test::PanelBench bench;
    if (panelAddress < 0)
        bench.panel.faults().noAnswer = true;
    else
        bench.panel.setAddress(panelAddress);
    bench.port.setPresent(portPresent);
    startAt(bench);

    const SearchResult result = SearchDevice(bench.link, bench.view);
    QCOMPARE(result.outcome, SearchResult::Outcome::NotFound);
    QCOMPARE(bench.frames(), probes);
    QCOMPARE(bench.link.deviceAddress(), QStringLiteral("05"));
    QCOMPARE(bench.port.baudRate(), 38400);
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QCOMPARE(bench.view.connections.size(), 1);
    QCOMPARE(bench.view.connections[0].linkBaudIndex, 2);
    QCOMPARE(bench.view.connections[0].linkAddressText, QString());
    QCOMPARE(bench.view.connections[0].panelBaudIndex, -1);
    QCOMPARE(bench.view.messages.size(), 1);
    QCOMPARE(bench.view.messages[0].kind, MessageKind::Error);
    QCOMPARE(bench.view.messages[0].headline, QStringLiteral("Не удалось определить прибор"));
    QCOMPARE(bench.view.messages[0].message, QStringLiteral("Проверте порт подключения"));
}

// "Отмена" is noticed after the probe that was under way; the search ends
// without a message and the link is as it was.
void DeviceSearchTest::cancelledAtAddress100()
{
    test::PanelBench bench;
    bench.panel.setAddress(200);
    startAt(bench);
    bench.link.setPump([&] {
        if (bench.link.deviceAddress() == QLatin1String("64") && bench.frames() == 700)
            bench.link.cancelToken().request();
    });
    const SearchResult result = SearchDevice(bench.link, bench.view);
    QCOMPARE(result.outcome, SearchResult::Outcome::Cancelled);
    QCOMPARE(bench.frames(), 701);
    QCOMPARE(bench.link.deviceAddress(), QStringLiteral("05"));
    QCOMPARE(bench.port.baudRate(), 38400);
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.view.busyShown);
    QVERIFY(!bench.link.cancelToken().isRequested());
    QVERIFY(bench.view.messages.isEmpty());
    QCOMPARE(bench.view.connections.size(), 1);
    QCOMPARE(bench.view.connections[0].linkBaudIndex, 2);
}

// A click that reaches a button through the search's pumps does not start
// a second exchange on the line.
void DeviceSearchTest::noOtherOperationStartsMeanwhile()
{
    test::PanelBench bench;
    bench.panel.setAddress(1);
    std::optional<ServiceResult> meanwhile;
    bench.link.setPump([&] {
        if (!meanwhile && bench.frames() == 3)
            meanwhile = RunSoundReset(bench.link, bench.view);
    });
    QCOMPARE(SearchDevice(bench.link, bench.view).outcome, SearchResult::Outcome::Found);
    QVERIFY(meanwhile);
    QCOMPARE(meanwhile->outcome, ServiceResult::Outcome::NotStarted);
    QCOMPARE(bench.frames(), 13);  // seven at 000, then 9600 to 115200 at 001
    QCOMPARE(bench.view.messages.size(), 1);
}

NODRA_TEST(DeviceSearchTest)
#include "device_search_test.moc"
