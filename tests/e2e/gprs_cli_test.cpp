// nodra-cli's communicator commands against nodra-panel-sim on a pseudo-terminal.

#include "gprs/settings_file.h"
#include "sim_process.h"
#include "test_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nodra;
using namespace nodra::test;

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An installer's site: every field away from the tab's start values.
gprs::GprsState Site()
{
    gprs::GprsState s;
    s.protocolIndex = 1;
    s.setObjectNumber(u"0457"_qs);
    s.testPeriodHours = u"12"_qs;
    s.testStartHour = u"03"_qs;
    s.testStartMinute = u"45"_qs;
    s.keepAliveMessage = u"Объект 0457"_qs;
    s.keepAliveSuffix = u"1E"_qs;
    s.keepAlivePeriod = u"24"_qs;
    s.accessPoints = {u"internet.kyivstar.net"_qs, u"www.ab.kiev.ua"_qs};
    s.alternativeNumber = u"A380441234567"_qs;
    s.servers[0][0] = {u"\"TCP\",\"пульт.укр\",3035"_qs, u"3035"_qs};
    s.servers[1][2] = {u"\"UDP\",\"backup.example.net\",7779"_qs, u"7779"_qs};
    return s;
}

}  // namespace

class GprsCliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writeThenReadBack();
    void outdatedFirmwareIsReported();
    void failures();
};

// What gprs-write puts into the panel, gprs-read brings back into the same file.
void GprsCliTest::writeThenReadBack()
{
    QTemporaryDir dir;
    SimProcess sim({u"--firmware"_qs, u"0203"_qs});
    QVERIFY2(!sim.terminal().isEmpty(), qPrintable(sim.errors()));
    const QString site = dir.filePath(u"site.ini"_qs);
    QCOMPARE(gprs::SaveCommunicatorSettings(site, Site()), QString());

    // The communicator always talks at 115200, whatever --baud says.
    const CliResult write = RunCli({u"gprs-write"_qs, site, u"--port"_qs, sim.terminal(), u"--baud"_qs, u"9600"_qs});
    QCOMPARE(write.exitCode, 0);
    QCOMPARE(write.err, u"Записано успешно.\n"_qs);

    const QString back = dir.filePath(u"back.ini"_qs);
    const CliResult read = RunCli({u"gprs-read"_qs, u"--out"_qs, back, u"--port"_qs, sim.terminal()});
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(read.err, u"Прочитано успешно.\n"_qs);
    QCOMPARE(Contents(back), Contents(site));
    QVERIFY(sim.stop());
}

void GprsCliTest::outdatedFirmwareIsReported()
{
    QTemporaryDir dir;
    SimProcess sim({u"--firmware"_qs, u"0202"_qs});
    const CliResult read =
        RunCli({u"gprs-read"_qs, u"--out"_qs, dir.filePath(u"old.ini"_qs), u"--port"_qs, sim.terminal()});
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(read.err, u"Необходимо обновить программное обеспечение ППКП!\nПрочитано успешно.\n"_qs);
}

void GprsCliTest::failures()
{
    QTemporaryDir dir;
    SimProcess silent({u"--no-answer"_qs});
    const QString out = dir.filePath(u"none.ini"_qs);
    const CliResult read = RunCli({u"gprs-read"_qs, u"--out"_qs, out, u"--port"_qs, silent.terminal()});
    QCOMPARE(read.exitCode, 1);
    QVERIFY2(read.err.startsWith(u"Необходимо обновить программное обеспечение ППКП!\nОшибка чтения !\n"_qs),
             qPrintable(read.err));
    QVERIFY(!QFile::exists(out));

    // A field the communicator cannot take: refused before anything is sent.
    gprs::GprsState bad = Site();
    bad.accessPoints[0] = QString(23, u'a');
    const QString refused = dir.filePath(u"refused.ini"_qs);
    QCOMPARE(gprs::SaveCommunicatorSettings(refused, bad), QString());
    const CliResult write = RunCli({u"gprs-write"_qs, refused, u"--port"_qs, u"/dev/nodra-no-such-port"_qs});
    QCOMPARE(write.exitCode, 2);
    QCOMPARE(write.err, u"Несоответствие количеству знаков в поле \"Точка доступа 1\"\n"_qs);

    QCOMPARE(RunCli({u"gprs-write"_qs, dir.filePath(u"missing.ini"_qs)}).exitCode, 2);
    QCOMPARE(RunCli({u"gprs-read"_qs}).exitCode, 2);
    const CliResult noPort = RunCli({u"gprs-read"_qs, u"--out"_qs, out, u"--port"_qs, u"/dev/nodra-no-such-port"_qs});
    QCOMPARE(noPort.exitCode, 1);
    QVERIFY(noPort.err.contains(u"СОМ-порт"_qs));
}

NODRA_TEST(GprsCliTest)
#include "gprs_cli_test.moc"
