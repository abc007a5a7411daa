// nodra-cli with settings files: the file saved right after start-up, a file
// opened and saved again, a file shown in words, and the files it refuses.

#include "sim_process.h"
#include "file_bytes.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nodra::test;

namespace {

const QString kGolden = QStringLiteral(NODRA_CONFIG_DATA "/startup.cn2");

// The golden file with some of its 68 lines (1 = the first marker) replaced.
QByteArray goldenWith(const std::map<int, QByteArray>& lines)
{
    QList<QByteArray> all = ReadFileBytes(kGolden).split('\n');
    for (const auto& [line, text] : lines)
        all[line - 1] = text + '\r';
    return all.join('\n');
}

}  // namespace

class ConfigCliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void defaultsWritesTheStartupFile();
    void resaveOfTheStartupFileChangesNothing();
    void resaveKeepsWhatTheFileSays();
    void refusedInputWritesNothing_data();
    void refusedInputWritesNothing();
    void showPrintsEverySettingInWords();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void ConfigCliTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void ConfigCliTest::defaultsWritesTheStartupFile()
{
    const CliResult result = RunCli({u"defaults"_qs, u"--out"_qs, path("start")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, u"Установки успешно сохранены\n"_qs);
    QCOMPARE(ReadFileBytes(path("start.cn2")), ReadFileBytes(kGolden));
    QCOMPARE(RunCli({u"defaults"_qs}).exitCode, 2);  // no --out
}

void ConfigCliTest::resaveOfTheStartupFileChangesNothing()
{
    const CliResult result = RunCli({u"resave"_qs, kGolden, u"--out"_qs, path("again.cn2")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(ReadFileBytes(path("again.cn2")), ReadFileBytes(kGolden));
}

// What a window that has just started makes of a file: the file's own
// texts and choices are kept, the start-up's selections do not come back.
void ConfigCliTest::resaveKeepsWhatTheFileSays()
{
    QVERIFY(WriteFileBytes(path("site.cn2"), goldenWith({
                                                 {8, "FF"},                                 // 0065: Сирена twice
                                                 {12, "39"},                                // 0083: with bits 4, 5: Сирена+Ответ
                                                 {21, "DDF2E0E620B933000000000000000000"},  // 0130: "Этаж №3"
                                                 {10, "28"},                                // 0081: a code the list lacks
                                                 {43, "A3"},                                // 0362
                                                 {67, "6F"},                                // 03FE
                                                 {69, "extra line after the marker"},
                                             })));
    const CliResult result = RunCli({u"resave"_qs, path("site.cn2"), u"--out"_qs, path("out")});
    QCOMPARE(result.exitCode, 0);
    const QList<QByteArray> lines = ReadFileBytes(path("out.cn2")).split('\n');
    QCOMPARE(lines.size(), 69);  // 68 lines and nothing after the last line end
    QCOMPARE(lines[7], QByteArray("FF\r"));
    QCOMPARE(lines[11], QByteArray("39\r"));
    QCOMPARE(lines[20], QByteArray("DDF2E0E620B933000000000000000000\r"));
    QCOMPARE(lines[9], QByteArray("13\r"));  // the list kept 115200
    QCOMPARE(lines[42], QByteArray("A3\r"));
    QCOMPARE(lines[66], QByteArray("6F\r"));
}

void ConfigCliTest::refusedInputWritesNothing_data()
{
    QTest::addColumn<QByteArray>("file");  // null: no file
    QTest::addColumn<QString>("message");
    QTest::newRow("no such file") << QByteArray() << "Файл не найден";
    QTest::newRow("wrong marker") << goldenWith({{1, "Q!E@L#O$M "}}) << "Файл имеет неверный формат или поврежден";
    QTest::newRow("a block that is no hex") << goldenWith({{43, "G1"}}) << "Файл имеет неверный формат или поврежден";
    QTest::newRow("a test time of 24:00") << goldenWith({{16, "181800"}})
                                          << "Неверное значение \"181800\" в блоке 00A0 "
                                             "(Номера, Первый номер телефона: тестовое сообщение)";
    QTest::newRow("a password digit that is a letter") << goldenWith({{50, "02"}, {51, "010A"}})
                                                       << "Неверное значение \"010A\" в блоке 03A1 "
                                                          "(Пользователи, Пользователь 1: пароль)";
}

void ConfigCliTest::refusedInputWritesNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    if (!file.isNull())
        QVERIFY(WriteFileBytes(path("in.cn2"), file));
    for (const QStringList& command : {QStringList{u"resave"_qs, path("in.cn2"), u"--out"_qs, path("out.cn2")},
                                       QStringList{u"show"_qs, path("in.cn2")}}) {
        const CliResult result = RunCli(command);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.err, message + u'\n');
        QCOMPARE(result.out, QString());
    }
    QVERIFY(!QFile::exists(path("out.cn2")));
}

void ConfigCliTest::showPrintsEverySettingInWords()
{
    QVERIFY(WriteFileBytes(path("site.cn2"), goldenWith({{2, "00"}, {42, "07"}, {29, "FB01010101010101010101010101010101DEDEDEDE14141414A1A1A1A1"}})));
    const CliResult result = RunCli({u"show"_qs, path("site.cn2")});
    QCOMPARE(result.exitCode, 0);
    const QStringList lines = result.out.split(u'\n');
    for (const QString& expected : {
             u"Шлейфы"_qs, u"  ШС 1: Вкл."_qs, u"    Тип: Охранный тип"_qs, u"    \"Тихая\" тревога: да"_qs,
             u"    Дополнительно: Резестивный"_qs, u"      Ток обрыва: 2,4 мА"_qs,
             u"Выходы"_qs, u"  Реле \"Пожар\": Откл."_qs, u"    Состояние \"Пожар\": ИЛИ: ШС 1, ШС 2, ШС 3, ШС 4"_qs,
             u"Пользователи"_qs, u"    Пароль: 6"_qs,
             u"Номера"_qs, u"    Протокол передачи данных: Franklin, Sescoa (4/2, 20pps/1800 Hz, 2300/2300 Hz)"_qs,
             u"    Время начала теста: 15:19"_qs, u"  Пауза между номерами: 00 с"_qs,
             u"Коды"_qs, u"  Пожар в ШС 1: 1110"_qs,
             u"Параметры"_qs, u"    ШС 1: Этаж #3"_qs, u"    Скорость обмена: 115200"_qs, u"  Код прибора: 255.255.255.255"_qs,
             u"    Коррекция хода часов за 30 дней: 0 мин."_qs,
             u"  Версия программы прибора (необходимо прочитать)"_qs,
         })
        QVERIFY2(lines.contains(expected), qPrintable(expected));
    QCOMPARE(lines.count(u"Дополнительно: Знакопеременный"_qs.prepend(u"    "_qs)), 3);
}

NODRA_TEST(ConfigCliTest)
#include "config_cli_test.moc"
