// nodra-cli read, write and codes-write against nodra-panel-sim on a
// pseudo-terminal, the panel's memory compared through its dump.

#include "file_bytes.h"
#include "sim_process.h"
#include "test_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nodra::test;

namespace {

// A panel at address 003 with settings of its own where a read and a write
// back could lose them: the pause between the numbers, the object text, a
// loop mode, a report code, the clock correction.
const QByteArray kOwnPanel = "eeprom 0084 03\n"
                             "eeprom 0105 07\n"
                             "eeprom 0110 D1EAEBE0E420B937000000000000000000000000000000000000000000000000\n"
                             "eeprom 0370 07\n"
                             "eeprom 020E 1A2B\n"
                             "eeprom 03FE 6F\n";

// The parameter memory lines of a dump.
QStringList eepromOf(const QString& dump)
{
    QStringList lines;
    for (const QString& line : QString::fromLatin1(ReadFileBytes(dump)).split(u'\n'))
        if (line.startsWith(u"eeprom "_qs))
            lines << line;
    return lines;
}

}  // namespace

class TransferCliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void readThenWriteCarriesThePanel();
    void writeToThePanelNamedByAddress();
    void codesWrite();
    void failures_data();
    void failures();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TransferCliTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(WriteFileBytes(path("own.state"), kOwnPanel));
}

// One panel read into a file, the file written into a factory panel at the
// same address: afterwards the second panel's parameter memory is the first's.
void TransferCliTest::readThenWriteCarriesThePanel()
{
    SimProcess source({u"--state"_qs, path("own.state"), u"--dump"_qs, path("source.dump")});
    QVERIFY2(!source.terminal().isEmpty(), qPrintable(source.errors()));
    const CliResult read =
        RunCli({u"read"_qs, u"--out"_qs, path("panel"), u"--port"_qs, source.terminal(), u"--address"_qs, u"003"_qs});
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(read.out, QString());
    QVERIFY(read.err.contains(u"Чтение установок... 100%\n"_qs));
    QVERIFY2(read.err.endsWith(u"Установки успешно прочитаны\nУстановки успешно сохранены\n"_qs), qPrintable(read.err));
    QVERIFY(source.stop());
    const QList<QByteArray> lines = ReadFileBytes(path("panel.cn2")).split('\n');
    QCOMPARE(lines.size(), 68 + 1);
    QVERIFY(lines.contains("07\r"));  // 0105 as the panel holds it

    // A factory panel moved to the same address; the file's address is the one written to.
    QVERIFY(WriteFileBytes(path("target.state"), "eeprom 0084 03\n"));
    SimProcess target({u"--state"_qs, path("target.state"), u"--dump"_qs, path("target.dump")});
    const CliResult write = RunCli({u"write"_qs, path("panel.cn2"), u"--port"_qs, target.terminal()});
    QCOMPARE(write.exitCode, 0);
    QCOMPARE(write.out, u"Адрес прибора: 003, Скорость: 115200 \n"_qs);
    QVERIFY(write.err.contains(u"Запись установок... 100%\n"_qs));
    QVERIFY(write.err.endsWith(u"Установки успешно записаны\nПрибор перезагружен\n"_qs));
    QVERIFY(target.stop());

    const QStringList expected = eepromOf(path("source.dump"));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(eepromOf(path("target.dump")), expected);
}

// --address names the panel to write; afterwards it listens at the file's address.
void TransferCliTest::writeToThePanelNamedByAddress()
{
    SimProcess source({u"--state"_qs, path("own.state")});
    QCOMPARE(RunCli({u"read"_qs, u"--out"_qs, path("panel.cn2"), u"--port"_qs, source.terminal(), u"--address"_qs,
                     u"003"_qs})
                 .exitCode,
             0);
    SimProcess target({u"--address"_qs, u"9"_qs, u"--baud"_qs, u"57600"_qs});
    const QStringList at = {u"--port"_qs, target.terminal(), u"--baud"_qs, u"57600"_qs};
    // Without --address the file's address 003 is used, where nothing answers.
    CliResult write = RunCli(at + QStringList{u"write"_qs, path("panel.cn2")});
    QCOMPARE(write.exitCode, 1);
    QVERIFY2(write.err.endsWith(u"Не удалось записать установки\n"_qs), qPrintable(write.err));
    write = RunCli(at + QStringList{u"write"_qs, path("panel.cn2"), u"--address"_qs, u"009"_qs});
    QCOMPARE(write.exitCode, 0);
    // The file says 115200; the panel has moved there.
    QCOMPARE(write.out, u"Адрес прибора: 003, Скорость: 115200 \n"_qs);
    const CliResult check = RunCli({u"eeprom-read"_qs, u"01"_qs, u"0105"_qs, u"--port"_qs, target.terminal(),
                                    u"--address"_qs, u"003"_qs});
    QCOMPARE(check.exitCode, 0);
    QCOMPARE(check.out, u"07\n"_qs);
}

void TransferCliTest::codesWrite()
{
    SimProcess sim;
    QString codes;
    for (int row = 1; row <= 80; ++row)
        codes += QStringLiteral("%1").arg(row, 4, 10, QLatin1Char('0'));
    QVERIFY(WriteFileBytes(path("site.cd2"), codes.toLatin1().toLower() + "\r\n"));
    const CliResult written = RunCli({u"codes-write"_qs, path("site.cd2"), u"--port"_qs, sim.terminal()});
    QCOMPARE(written.exitCode, 0);
    QVERIFY(written.err.contains(u"Запись кодов... 100%\n"_qs));
    QVERIFY(written.err.endsWith(u"Коды успешно записаны\nПрибор перезагружен\n"_qs));
    const CliResult check = RunCli({u"eeprom-read"_qs, u"20"_qs, u"0288"_qs, u"--port"_qs, sim.terminal()});
    QCOMPARE(check.out.trimmed(), codes.right(64));
}

void TransferCliTest::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errEnd");
    QTest::newRow("read without --out") << QStringList{u"read"_qs} << 2 << u"--out FILE.cn2\n"_qs;
    QTest::newRow("read into a folder that does not exist")
        << QStringList{u"read"_qs, u"--out"_qs, u"/nonexistent-folder/p.cn2"_qs} << 2
        << u"Не удалось создать файл /nonexistent-folder/p.cn2\n"_qs;
    QTest::newRow("write of a file that is not there") << QStringList{u"write"_qs, u"missing.cn2"_qs} << 2
                                                        << u"Файл не найден\n"_qs;
    QTest::newRow("codes-write of a file that is not there")
        << QStringList{u"codes-write"_qs, u"missing.cd2"_qs} << 2 << u"Не удалось открыть файл\n"_qs;
    QTest::newRow("read from a panel that does not answer")
        << QStringList{u"read"_qs, u"--out"_qs, u"p.cn2"_qs, u"--address"_qs, u"005"_qs} << 1
        << u"Не удалось прочитать установки\nПроверте порт подключения\n"_qs;
    QTest::newRow("read from a port that is not there")
        << QStringList{u"read"_qs, u"--out"_qs, u"p.cn2"_qs, u"--port"_qs, u"/dev/nodra-no-such-port"_qs} << 1
        << u"Не удалось прочитать установки\nСпроба відкрити неіснуючий СОМ-порт\n"_qs;
}

// Refused input exits 2 before the port is used; a failed exchange exits 1;
// no file is left behind either way.
void TransferCliTest::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, errEnd);
    SimProcess sim;
    QStringList line;
    for (const QString& argument : arguments) {
        const bool file = argument.endsWith(u".cn2"_qs) || argument.endsWith(u".cd2"_qs);
        line << (file && !argument.startsWith(u'/') ? path(argument) : argument);
    }
    if (!line.contains(u"--port"_qs))
        line << u"--port"_qs << sim.terminal();
    const CliResult result = RunCli(line);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.endsWith(errEnd), qPrintable(result.err));
    QVERIFY(!QFile::exists(path("p.cn2")));
}

NODRA_TEST(TransferCliTest)
#include "transfer_cli_test.moc"
