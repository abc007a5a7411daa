// nodra-cli's panel operations against nodra-panel-sim on a pseudo-terminal.

#include "sim_process.h"
#include "test_registry.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>

#include <csignal>

using namespace nodra::test;

class OpsCliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void journalNewestFirstAndCleared();
    void clockSetThenGet();
    void searchFindsThePanel();
    void interruptStopsASearch();
    void serviceCommands();
    void failuresExitOne();
    void badUsage_data();
    void badUsage();
};

// The simulator starts with a short journal of eight events.
void OpsCliTest::journalNewestFirstAndCleared()
{
    SimProcess sim;
    QVERIFY2(!sim.terminal().isEmpty(), qPrintable(sim.errors()));
    QTemporaryDir dir;
    const QString csv = dir.filePath(u"journal.csv"_qs);
    const QStringList at = {u"--port"_qs, sim.terminal()};

    CliResult read = RunCli(at + QStringList{u"journal"_qs, u"--csv"_qs, csv});
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(read.out, u"8\tЗакрытие корпуса прибора\n"
                       u"7\tВключение ШС 4\n"
                       u"6\tВключение ШС 3\n"
                       u"5\tВключение ШС 2\n"
                       u"4\tВключение ШС 1\n"
                       u"3\tВыход из меню пользователя 1\n"
                       u"2\tВход в меню пользователя 1\n"
                       u"1\tВключение питания прибора\n"_qs);
    QVERIFY(read.err.contains(u"Чтение журнала... 100%\n"_qs));
    QVERIFY(read.err.endsWith(u"Журнал успешно прочитан\n"_qs));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    QCOMPARE(lines.size(), 1 + 8 + 1);
    QCOMPARE(lines[0], u"№,Событие"_qs);
    QCOMPARE(lines[1], u"8,Закрытие корпуса прибора"_qs);

    const CliResult cleared = RunCli(at + QStringList{u"clear-journal"_qs});
    QCOMPARE(cleared.exitCode, 0);
    QVERIFY(cleared.err.endsWith(u"Журнал успешно очищен\n"_qs));
    read = RunCli(at + QStringList{u"journal"_qs});
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(read.out, QString());
    QVERIFY(read.err.endsWith(u"Журнал пуст\n"_qs));
}

// The simulated clock runs in real time from what was set.
void OpsCliTest::clockSetThenGet()
{
    SimProcess sim({u"--address"_qs, u"9"_qs});
    const QStringList at = {u"--port"_qs, sim.terminal(), u"--address"_qs, u"009"_qs};
    const CliResult set = RunCli(at + QStringList{u"clock-set"_qs, u"12:34:56"_qs});
    QCOMPARE(set.exitCode, 0);
    QCOMPARE(set.err, u"Время успешно установлено\n"_qs);
    const CliResult get = RunCli(at + QStringList{u"clock-get"_qs});
    QCOMPARE(get.exitCode, 0);
    QCOMPARE(get.err, u"Время успешно прочитано\n"_qs);
    const QTime time = QTime::fromString(get.out.trimmed(), u"HH:mm:ss"_qs);
    QVERIFY2(time.isValid(), qPrintable(get.out));
    QVERIFY2(QTime(12, 34, 56).secsTo(time) >= 0 && QTime(12, 34, 56).secsTo(time) < 30, qPrintable(get.out));

    QCOMPARE(RunCli(at + QStringList{u"clock-set"_qs, u"now"_qs}).exitCode, 0);
}

// Address 002 at 38400 is the 17th combination tried.
void OpsCliTest::searchFindsThePanel()
{
    SimProcess sim({u"--address"_qs, u"2"_qs, u"--baud"_qs, u"38400"_qs});
    const CliResult found = RunCli({u"search"_qs, u"--port"_qs, sim.terminal()});
    QCOMPARE(found.exitCode, 0);
    QCOMPARE(found.out, u"Адрес прибора: 002, Скорость: 38400  \n"_qs);
    QVERIFY(found.err.contains(u"Попытка доступа к адресу: 000 | 9600    0%\n"_qs));
    // What was found is what the next command uses.
    const CliResult read = RunCli({u"journal"_qs, u"--port"_qs, sim.terminal(), u"--address"_qs, u"002"_qs,
                                   u"--baud"_qs, u"38400"_qs});
    QCOMPARE(read.exitCode, 0);
}

// Ctrl+C is the installer's "Отмена": the search ends at the next probe,
// without a message, with status 1.
void OpsCliTest::interruptStopsASearch()
{
    SimProcess sim({u"--address"_qs, u"200"_qs});
    QProcess cli;
    cli.setReadChannel(QProcess::StandardError);
    cli.start(BinaryDir() + u"/nodra-cli"_qs, {u"search"_qs, u"--port"_qs, sim.terminal()});
    // Under way once the bar has moved past the first address.
    QByteArray err;
    while (!err.contains("| 9600    1%") && cli.state() != QProcess::NotRunning) {
        cli.waitForReadyRead(10000);
        err += cli.readAllStandardError();
    }
    QCOMPARE(::kill(pid_t(cli.processId()), SIGINT), 0);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 1);
    err += cli.readAllStandardError();
    QVERIFY(!err.contains("Не удалось определить прибор"));
    QCOMPARE(cli.readAllStandardOutput(), QByteArray());
}

void OpsCliTest::serviceCommands()
{
    SimProcess sim;
    const CliResult sound = RunCli({u"reset-sound"_qs, u"--port"_qs, sim.terminal()});
    QCOMPARE(sound.exitCode, 0);
    QCOMPARE(sound.err, u"Звук сброшен (если он был)\n"_qs);
    const CliResult device = RunCli({u"reset-device"_qs, u"--port"_qs, sim.terminal()});
    QCOMPARE(device.exitCode, 0);
    QCOMPARE(device.err, u"Прибор сброшен\n"_qs);
}

// No panel at the address given, or no such port: the operation's own
// message and status 1.
void OpsCliTest::failuresExitOne()
{
    SimProcess sim;
    const QStringList elsewhere = {u"--port"_qs, sim.terminal(), u"--address"_qs, u"5"_qs};
    CliResult result = RunCli(elsewhere + QStringList{u"journal"_qs});
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.err.endsWith(u"Не удалось прочитать журнал\n"_qs));
    result = RunCli(elsewhere + QStringList{u"reset-device"_qs});
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.err.endsWith(u"Не удалось сбросить прибор\n"_qs));
    result = RunCli(elsewhere + QStringList{u"clock-get"_qs});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.err, u"Не удалось прочитать время\n"_qs);

    const QStringList missing = {u"--port"_qs, u"/dev/nodra-no-such-port"_qs};
    result = RunCli(missing + QStringList{u"reset-sound"_qs});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.err, u"Спроба відкрити неіснуючий СОМ-порт\n"_qs);
    result = RunCli(missing + QStringList{u"search"_qs});
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.err.endsWith(u"Не удалось определить прибор\nПроверте порт подключения\n"_qs));
}

void OpsCliTest::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("clock-set without a time") << QStringList{u"clock-set"_qs};
    QTest::newRow("clock-set hour 24") << QStringList{u"clock-set"_qs, u"24:00:00"_qs};
    QTest::newRow("clock-set without seconds") << QStringList{u"clock-set"_qs, u"12:30"_qs};
    QTest::newRow("journal into a folder that does not exist")
        << QStringList{u"journal"_qs, u"--csv"_qs, u"/nonexistent-folder/j.csv"_qs};
    QTest::newRow("search takes no arguments") << QStringList{u"search"_qs, u"7"_qs};
}

// Rejected before the port is touched.
void OpsCliTest::badUsage()
{
    QFETCH(QStringList, arguments);
    QCOMPARE(RunCli(arguments + QStringList{u"--port"_qs, u"/dev/nodra-no-such-port"_qs}).exitCode, 2);
}

NODRA_TEST(OpsCliTest)
#include "ops_cli_test.moc"
