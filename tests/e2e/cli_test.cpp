// nodra-cli against nodra-panel-sim on a pseudo-terminal.

#include "sim_process.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::test;

class CliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void memoryCommands();
    void failedExchangePrintsErr();
    void badUsage_data();
    void badUsage();
};

void CliTest::memoryCommands()
{
    SimProcess sim({u"--address"_qs, u"12"_qs});
    const QString port = sim.terminal();
    const QStringList at = {u"--port"_qs, port, u"--address"_qs, u"012"_qs};
    QCOMPARE(RunCli(at + QStringList{u"eeprom-write"_qs, u"0110"_qs, u"4142"_qs}).exitCode, 0);
    // Options may also follow the command and its arguments.
    CliResult read = RunCli(QStringList{u"eeprom-read"_qs, u"02"_qs, u"0110"_qs} + at);
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(read.out, u"4142\n"_qs);
    QCOMPARE(RunCli(at + QStringList{u"ram-write"_qs, u"0300"_qs, u"0405"_qs}).exitCode, 0);
    read = RunCli(at + QStringList{u"ram-read"_qs, u"02"_qs, u"0300"_qs});
    QCOMPARE(read.out, u"0405\n"_qs);
    QCOMPARE(RunCli(at + QStringList{u"restart"_qs}).exitCode, 0);
    QVERIFY(RunCli({u"ports"_qs}).out.split(u'\n').contains(port));
}

void CliTest::failedExchangePrintsErr()
{
    SimProcess sim;
    // Address 5 has no panel on this line; 9600 is not the panel's speed.
    for (const QStringList& options : {QStringList{u"--address"_qs, u"5"_qs}, QStringList{u"--baud"_qs, u"9600"_qs}}) {
        const CliResult result = RunCli(QStringList{u"eeprom-read"_qs, u"01"_qs, u"0000"_qs, u"--port"_qs,
                                                    sim.terminal()} + options);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out, QString());
        QCOMPARE(result.err, u"ERR\n"_qs);
    }
    const CliResult missing = RunCli({u"restart"_qs, u"--port"_qs, u"/dev/nodra-no-such-port"_qs});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.contains(u"СОМ-порт"_qs));
}

void CliTest::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown command") << QStringList{u"dance"_qs};
    QTest::newRow("missing argument") << QStringList{u"eeprom-read"_qs, u"01"_qs};
    QTest::newRow("speed not in the list") << QStringList{u"ports"_qs, u"--baud"_qs, u"1200"_qs};
    QTest::newRow("address above 254") << QStringList{u"ports"_qs, u"--address"_qs, u"255"_qs};
    QTest::newRow("unknown option") << QStringList{u"ports"_qs, u"--fast"_qs};
}

void CliTest::badUsage()
{
    QFETCH(QStringList, arguments);
    QCOMPARE(RunCli(arguments).exitCode, 2);
}

NODRA_TEST(CliTest)
#include "cli_test.moc"
