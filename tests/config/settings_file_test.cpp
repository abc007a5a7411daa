// The settings file: byte-exact saving, loading back, and the files it
// refuses without touching the image.

#include "config/defaults.h"
#include "config/settings_file.h"
#include "config_fixture.h"
#include "file_bytes.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace nodra::config;
using namespace nodra::test;

namespace {

const QByteArray kMarkerLine = QByteArrayLiteral("Q!E@L#O$M\r\n");

// The 66 block lines of a file as a list.
QList<QByteArray> blockLines(const ConfigImage& image)
{
    QList<QByteArray> lines;
    for (const QByteArray& line : SettingsFileBytes(image).split('\n'))
        lines << line.chopped(line.endsWith('\r') ? 1 : 0);
    Q_ASSERT(lines.size() == 2 + kFileBlockCount + 1);  // the last line end leaves an empty piece
    return lines.mid(1, kFileBlockCount);
}

// A file made of these lines, each ended by CR LF.
QByteArray fileOf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

}  // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void savedRightAfterStartupMatchesTheGoldenFile();
    void everyFileBlockSurvivesSaveAndLoad();
    void extensionIsAddedOnlyWhenMissing_data();
    void extensionIsAddedOnlyWhenMissing();
    void rejectedFilesChangeNothing_data();
    void rejectedFilesChangeNothing();
    void acceptedOddities_data();
    void acceptedOddities();
    void saveThatCannotEncodeWritesNoFile();
    void openDecodesAndSwitchesTheAddress();
    void openStopsAtABlockThatCannotBeDecoded();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void SettingsFileTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

// "Сохранить" right after start-up writes exactly this file.
void SettingsFileTest::savedRightAfterStartupMatchesTheGoldenFile()
{
    StartupState startup = Startup();
    const FileOutcome saved = SaveSettings(path("Nodra2Settings"), startup.form, startup.image);
    QVERIFY(saved.ok);
    QCOMPARE(saved.kind, nodra::link::MessageKind::Confirmation);
    QCOMPARE(saved.message, QStringLiteral("Установки успешно сохранены"));
    const QByteArray golden = ReadFileBytes(QStringLiteral(NODRA_CONFIG_DATA "/startup.cn2"));
    QCOMPARE(golden.count("\r\n"), 68);
    QCOMPARE(ReadFileBytes(path("Nodra2Settings.cn2")), golden);
}

// All 66 blocks come back byte for byte, whatever their length and case;
// the seven blocks the file does not carry stay as the image held them.
void SettingsFileTest::everyFileBlockSurvivesSaveAndLoad()
{
    QRandomGenerator random(20240611);
    ConfigImage saved;
    for (int address : FileBlocks()) {
        QByteArray bytes(int(random.bounded(40)), '\0');
        for (char& b : bytes)
            b = char(random.bounded(256));
        const QString hex = QString::fromLatin1(bytes.toHex());
        saved.setBlock(address, random.bounded(2) ? hex.toUpper() : hex);
    }
    saved.setBlock(block::kObjectText, QString());
    QVERIFY(WriteSettingsFile(path("all.cn2"), saved).ok);

    ConfigImage loaded = ImageWith({"0080=3C", "0101=13", "0102=0004D2", "0361=55", "0371=56", "0381=57", "0391=58"});
    const ConfigImage before = loaded;
    const FileOutcome outcome = ReadSettingsFile(path("all.cn2"), loaded);
    QVERIFY(outcome.ok);
    QCOMPARE(outcome.message, QStringLiteral("Установки успешно загружены"));
    for (const BlockInfo& info : Blocks())
        QCOMPARE(loaded.block(info.address), info.inFile ? saved.block(info.address) : before.block(info.address));
}

void SettingsFileTest::extensionIsAddedOnlyWhenMissing_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain name") << "site" << "site.cn2";
    QTest::newRow("name with the extension") << "site.cn2" << "site.cn2";
    QTest::newRow("extension in capitals") << "SITE.CN2" << "SITE.CN2";
    QTest::newRow("another extension") << "site.txt" << "site.txt.cn2";
}

void SettingsFileTest::extensionIsAddedOnlyWhenMissing()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    StartupState startup = Startup();
    QVERIFY(SaveSettings(path(chosen), startup.form, startup.image).ok);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{written});
}

void SettingsFileTest::rejectedFilesChangeNothing_data()
{
    const QList<QByteArray> good = blockLines(FactoryImage());
    const auto with = [&](int line, const QByteArray& text) {
        QList<QByteArray> lines = good;
        lines[line] = text;
        return lines;
    };
    QTest::addColumn<QByteArray>("bytes");  // null: no file at all
    QTest::addColumn<QString>("message");
    const QString badFormat = QStringLiteral("Файл имеет неверный формат или поврежден");
    QTest::newRow("no such file") << QByteArray() << QStringLiteral("Файл не найден");
    QTest::newRow("empty file") << QByteArray("") << badFormat;
    QTest::newRow("marker followed by a blank") << "Q!E@L#O$M \r\n" + fileOf(good) + kMarkerLine << badFormat;
    QTest::newRow("marker in lower case") << "q!e@l#o$m\r\n" + fileOf(good) + kMarkerLine << badFormat;
    QTest::newRow("67 lines, second marker missing") << kMarkerLine + fileOf(good) << badFormat;
    QTest::newRow("second marker wrong") << kMarkerLine + fileOf(good) + "Q!E@L#O$\r\n" << badFormat;
    QTest::newRow("a block line that is no hex") << kMarkerLine + fileOf(with(0, "G1")) + kMarkerLine << badFormat;
    QTest::newRow("an odd number of digits") << kMarkerLine + fileOf(with(40, "ABC")) + kMarkerLine << badFormat;
    QTest::newRow("a blank inside a block line") << kMarkerLine + fileOf(with(5, "01 02")) + kMarkerLine << badFormat;
    QTest::newRow("a letter outside ASCII") << kMarkerLine + fileOf(with(19, "C\xC0")) + kMarkerLine << badFormat;
}

void SettingsFileTest::rejectedFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    if (!bytes.isNull())
        QVERIFY(WriteFileBytes(path("bad.cn2"), bytes));
    ConfigImage image = ImageWith({"0000=00", "0208=" + QString("1234").repeated(80)});
    const ConfigImage before = image;
    FormState form = Startup().form;
    const FormState formBefore = form;
    const OpenOutcome opened = OpenSettings(path("bad.cn2"), image, form);
    QVERIFY(!opened.ok);
    QVERIFY(!opened.accepted);
    QCOMPARE(opened.kind, nodra::link::MessageKind::Error);
    QCOMPARE(opened.message, message);
    QVERIFY(image == before);
    QVERIFY(form == formBefore);
}

void SettingsFileTest::acceptedOddities_data()
{
    QList<QByteArray> lines = blockLines(FactoryImage());
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("text");
    QTest::newRow("lines after the second marker") << kMarkerLine + fileOf(lines) + kMarkerLine + "junk\r\nmore"
                                                   << 0x0000 << "01";
    lines[0] = "ff";
    QTest::newRow("lower-case digits taken as they stand") << kMarkerLine + fileOf(lines) + kMarkerLine << 0x0000
                                                           << "ff";
    lines[0] = "";
    QTest::newRow("an empty line is an empty block") << kMarkerLine + fileOf(lines) + kMarkerLine << 0x0000 << "";
    QByteArray unixLines = kMarkerLine + fileOf(blockLines(FactoryImage())) + kMarkerLine;
    unixLines.replace("\r\n", "\n");
    QTest::newRow("LF line ends") << unixLines << 0x03FE << "A0";
}

void SettingsFileTest::acceptedOddities()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, address);
    QFETCH(QString, text);
    QVERIFY(WriteFileBytes(path("odd.cn2"), bytes));
    ConfigImage image;
    QVERIFY(ReadSettingsFile(path("odd.cn2"), image).ok);
    QCOMPARE(image.block(address), text);
}

// The installer learns which field stopped the save; no file appears.
void SettingsFileTest::saveThatCannotEncodeWritesNoFile()
{
    StartupState startup = Startup();
    startup.form.numbers.numberPause.clear();
    const FileOutcome saved = SaveSettings(path("site"), startup.form, startup.image);
    QVERIFY(!saved.ok);
    QCOMPARE(saved.kind, nodra::link::MessageKind::Error);
    QCOMPARE(saved.message, QStringLiteral("Неверное значение \"\" в поле \"Номера, Пауза между номерами\""));
    QVERIFY(QDir(dir_->path()).isEmpty());
    const FileOutcome nowhere = WriteSettingsFile(path("no/such/folder/site.cn2"), startup.image);
    QVERIFY(!nowhere.ok);
    QCOMPARE(nowhere.kind, nodra::link::MessageKind::Error);
}

void SettingsFileTest::openDecodesAndSwitchesTheAddress()
{
    QVERIFY(WriteSettingsFile(path("panel.cn2"), ImageWith({"0084=0C", "0014=00"})).ok);
    StartupState startup = Startup();
    const OpenOutcome opened = OpenSettings(path("panel.cn2"), startup.image, startup.form);
    QVERIFY(opened.ok);
    QCOMPARE(opened.kind, nodra::link::MessageKind::Confirmation);
    QCOMPARE(opened.message, QStringLiteral("Установки успешно загружены"));
    QCOMPARE(opened.decoded.deviceAddress, std::optional<QString>(u"0C"_qs));
    QCOMPARE(startup.form.parameters.panelAddress, QStringLiteral("012"));
    QCOMPARE(startup.form.outputs.sirenOutput, false);
}

// A file accepted but not decodable: the image holds the file, the form
// what the decoding reached, and the installer sees the conversion's message.
void SettingsFileTest::openStopsAtABlockThatCannotBeDecoded()
{
    StartupState startup = Startup();
    QVERIFY(WriteSettingsFile(path("late.cn2"), ImageWith({"00A0=181800", "0000=00"})).ok);
    const OpenOutcome late = OpenSettings(path("late.cn2"), startup.image, startup.form);
    QVERIFY(late.accepted);
    QVERIFY(!late.ok);
    QCOMPARE(late.kind, nodra::link::MessageKind::Error);
    QCOMPARE(late.message, late.decoded.error->message());
    QCOMPARE(late.decoded.error->block, QStringLiteral("00A0"));
    QCOMPARE(startup.image.block(0x00A0), QStringLiteral("181800"));
    QCOMPARE(startup.form.outputs.fireRelay, false);
}

NODRA_TEST(SettingsFileTest)
#include "settings_file_test.moc"
