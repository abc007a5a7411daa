// The codes file: one line of 320 hex digits and CR LF, and the files it refuses.

#include "codes/codes_file.h"
#include "config/defaults.h"
#include "file_bytes.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nodra::codes;
using namespace nodra::test;
using nodra::config::ConfigImage;
namespace block = nodra::config::block;

class CodesFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void saveWritesOneLine();
    void loadTakesUpperCase();
    void rejectedFilesChangeNothing_data();
    void rejectedFilesChangeNothing();
    void unwritableFolder();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void CodesFileTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

// Saving under the name site gives site.cd2 of 322 bytes; the grid's text
// becomes the image's codes block.
void CodesFileTest::saveWritesOneLine()
{
    CodesState codes{GridFromCodesText(DefaultCodesText())};
    codes.cells[0] = "abcd";
    codes.cells[1] = "12";
    ConfigImage image = nodra::config::FactoryImage();
    const auto saved = SaveCodesFile(path("site"), codes, image);
    QVERIFY(saved.ok);
    QCOMPARE(saved.message, QStringLiteral("Коды успешно сохранены"));
    const QByteArray bytes = ReadFileBytes(path("site.cd2"));
    QCOMPARE(bytes.size(), 322);
    QCOMPARE(bytes.left(16), QByteArray("ABCD0000") + DefaultCodesText().mid(8, 8).toLatin1());
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(image.block(block::kCodes), QString::fromLatin1(bytes.left(320)));
    QVERIFY(SaveCodesFile(path("again.cd2"), codes, image).ok);
    QVERIFY(QFile::exists(path("again.cd2")));
}

// A line of lower-case digits loads as upper-case codes; a second line is ignored.
void CodesFileTest::loadTakesUpperCase()
{
    QVERIFY(WriteFileBytes(path("lower.cd2"), QString("1a2b").repeated(80).toLatin1() + "\r\nsecond line\r\n"));
    CodesState codes;
    ConfigImage image;
    const auto loaded = LoadCodesFile(path("lower.cd2"), codes, image);
    QVERIFY(loaded.ok);
    QCOMPARE(loaded.kind, nodra::link::MessageKind::Confirmation);
    QCOMPARE(loaded.message, QStringLiteral("Коды успешно загружены"));
    QCOMPARE(codes.cells[79], QStringLiteral("1A2B"));
    QCOMPARE(image.block(block::kCodes), QString("1A2B").repeated(80));
}

void CodesFileTest::rejectedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");  // null: no file
    QTest::addColumn<QString>("message");
    const QString badFormat = QStringLiteral("Файл имеет неверный формат или поврежден");
    QTest::newRow("no such file") << QByteArray() << QStringLiteral("Не удалось открыть файл");
    QTest::newRow("empty file") << QByteArray("") << badFormat;
    QTest::newRow("319 characters") << QByteArray(319, '1') + "\r\n" << badFormat;
    QTest::newRow("321 characters") << QByteArray(321, '1') << badFormat;
    QTest::newRow("320 characters, not all hex") << QByteArray(319, '1') + "G\r\n" << badFormat;
}

void CodesFileTest::rejectedFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    if (!bytes.isNull())
        QVERIFY(WriteFileBytes(path("bad.cd2"), bytes));
    CodesState codes{GridFromCodesText(DefaultCodesText())};
    const CodesState before = codes;
    ConfigImage image = nodra::config::FactoryImage();
    const auto loaded = LoadCodesFile(path("bad.cd2"), codes, image);
    QVERIFY(!loaded.ok);
    QCOMPARE(loaded.kind, nodra::link::MessageKind::Error);
    QCOMPARE(loaded.message, message);
    QVERIFY(codes == before);
    QVERIFY(image == nodra::config::FactoryImage());
}

void CodesFileTest::unwritableFolder()
{
    CodesState codes{GridFromCodesText(DefaultCodesText())};
    ConfigImage image;
    const auto saved = SaveCodesFile(path("no/such/folder/site"), codes, image);
    QVERIFY(!saved.ok);
    QCOMPARE(saved.message, QStringLiteral("Не удалось сохранить коды"));
    QCOMPARE(image.block(block::kCodes), QString());
}

NODRA_TEST(CodesFileTest)
#include "codes_file_test.moc"
