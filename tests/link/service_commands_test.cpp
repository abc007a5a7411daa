#include "link/service_commands.h"
#include "panel_bench.h"
#include "test_registry.h"

#include <QTest>
#include <functional>

using namespace nodra;
using namespace nodra::link;

using Service = std::function<ServiceResult(PanelLink&, OperationView&)>;
using Setup = std::function<void(test::PanelBench&)>;
Q_DECLARE_METATYPE(Service)
Q_DECLARE_METATYPE(Setup)

class ServiceCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outcome_data();
    void outcome();
};

// Each button sends its command up to three times and reports its own
// outcome; a port that fails ends it without a message box.
void ServiceCommandsTest::outcome_data()
{
    QTest::addColumn<Service>("service");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("frames");
    QTest::addColumn<ServiceResult::Outcome>("result");
    QTest::addColumn<int>("kind");  // 0: no message
    QTest::addColumn<QString>("message");

    const Service sound = RunSoundReset;
    const Service device = RunDeviceReset;
    const Setup none = [](test::PanelBench&) {};
    const Setup silent = [](test::PanelBench& b) { b.panel.faults().noAnswer = true; };
    const Setup third = [](test::PanelBench& b) { b.panel.faults().answerFromTry = 3; };
    const Setup missing = [](test::PanelBench& b) { b.port.setPresent(false); };
    const Setup busy = [](test::PanelBench& b) { b.port.setBusy(true); };
    using O = ServiceResult::Outcome;

    QTest::newRow("sound, answered") << sound << none << 1 << O::Done << 3 << "Звук сброшен (если он был)";
    QTest::newRow("sound, no panel: three calls") << sound << silent << 3 << O::NoAnswer << 2 << "Не удалось сбросить звук";
    QTest::newRow("sound, answered on the third call") << sound << third << 3 << O::Done << 3 << "Звук сброшен (если он был)";
    QTest::newRow("sound, port missing") << sound << missing << 0 << O::PortFailed << 0 << "";
    QTest::newRow("device, answered") << device << none << 1 << O::Done << 3 << "Прибор сброшен";
    QTest::newRow("device, no panel: own message") << device << silent << 3 << O::NoAnswer << 2 << "Не удалось сбросить прибор";
    QTest::newRow("device, port busy") << device << busy << 0 << O::PortFailed << 0 << "";
}

void ServiceCommandsTest::outcome()
{
    QFETCH(Service, service);
    QFETCH(Setup, setup);
    QFETCH(int, frames);
    QFETCH(ServiceResult::Outcome, result);
    QFETCH(int, kind);
    QFETCH(QString, message);
    test::PanelBench bench;
    setup(bench);
    const ServiceResult got = service(bench.link, bench.view);
    QCOMPARE(got.outcome, result);
    QCOMPARE(bench.frames(), frames);
    QVERIFY(!bench.port.isOpen());
    if (kind == 0) {
        QVERIFY(bench.view.messages.isEmpty());
        QVERIFY(!got.portError.isEmpty());
        return;
    }
    QCOMPARE(bench.view.messages.size(), 1);
    QCOMPARE(int(bench.view.messages[0].kind), kind);
    QCOMPARE(bench.view.messages[0].headline, QString());
    QCOMPARE(bench.view.messages[0].message, message);
}

NODRA_TEST(ServiceCommandsTest)
#include "service_commands_test.moc"
