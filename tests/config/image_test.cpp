#include "config/image.h"
#include "test_registry.h"

#include <QTest>
#include <map>

using namespace nodra::config;

namespace {

// A panel whose every byte tells its own address, so that a block shows
// where its bytes came from.
int panelByte(int address)
{
    return (address * 7 + 3) & 0xFF;
}

QString panelBytes(int address, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("%1").arg(panelByte(address + i), 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

}  // namespace

class ImageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void blocksInAddressOrder();
    void readUnitsCoverEveryReadBlockOnce();
    void writeUnitsCoverEveryWrittenBlockOnce();
    void readAllGivesListedLengths();
    void readUnitsAreCutAtFixedPositions_data();
    void readUnitsAreCutAtFixedPositions();
    void codePiecesJoinAndSplit();
    void shortBlocksWriteFewerBytes();
    void unknownAddressIsRefused();
};

// The table holds the 73 blocks, 66 of them in the file, in address order.
void ImageTest::blocksInAddressOrder()
{
    int last = -1, inFile = 0;
    for (const BlockInfo& info : Blocks()) {
        QVERIFY2(info.address > last, qPrintable(AddressText(info.address)));
        last = info.address;
        inFile += info.inFile;
        QCOMPARE(FindBlock(info.address), &info);
    }
    QCOMPARE(inFile, kFileBlockCount);
    QCOMPARE(int(FileBlocks().size()), kFileBlockCount);
    for (int address : {0x0080, 0x0101, 0x0102, 0x0361, 0x0371, 0x0381, 0x0391})
        QVERIFY(!FindBlock(address)->inFile);
    QCOMPARE(FindBlock(0x0303), nullptr);
    QCOMPARE(FindBlock(0x00A3), nullptr);
}

void ImageTest::readUnitsCoverEveryReadBlockOnce()
{
    QCOMPARE(int(ReadUnits().size()), 40);
    std::map<int, int> reads;
    for (const ReadUnit& unit : ReadUnits()) {
        QVERIFY(unit.count <= 32);  // the largest read fits the read limit
        for (int address : unit.blocks) {
            ++reads[address];
            QCOMPARE(FindBlock(address)->readUnit, unit.codePiece > 0 ? block::kCodes : unit.address);
        }
    }
    for (const BlockInfo& info : Blocks()) {
        const int expected = info.address == block::kCodes ? kCodePieceCount : info.readUnit == kNone ? 0 : 1;
        QCOMPARE(reads[info.address], expected);
    }
    QCOMPARE(reads[block::kNumberPause], 1);
    // Read-all's own order: 0101 second, the pause after the 34 settings
    // reads, the codes last.
    QCOMPARE(ReadUnits()[1].address, 0x0101);
    QCOMPARE(ReadUnits()[33].address, 0x03FE);
    QCOMPARE(ReadUnits()[34].address, 0x0105);
    QCOMPARE(ReadUnits()[35].address, 0x0208);
    QCOMPARE(ReadUnits()[39].address, 0x0288);
}

void ImageTest::writeUnitsCoverEveryWrittenBlockOnce()
{
    QCOMPARE(int(WriteUnits().size()), 55);
    std::map<int, int> writes;
    for (const WriteUnit& unit : WriteUnits())
        for (int address : unit.blocks) {
            ++writes[address];
            QCOMPARE(FindBlock(address)->writeUnit, unit.codePiece > 0 ? block::kCodes : unit.address);
        }
    for (const BlockInfo& info : Blocks()) {
        const int expected = info.address == block::kCodes ? kCodePieceCount : info.writeUnit == kNone ? 0 : 1;
        QCOMPARE(writes[info.address], expected);
    }
    for (int never : {0x0063, 0x0101, 0x0102, 0x0361, 0x0371, 0x0381, 0x0391, 0x03FB})
        QCOMPARE(writes[never], 0);
    // The panel's speed and address go last, the address after the speed.
    QCOMPARE(WriteUnits()[53].address, block::kPanelBaud);
    QCOMPARE(WriteUnits()[54].address, block::kPanelAddress);
    QCOMPARE(WriteUnits()[4].blocks, (std::vector<int>{0x0064, 0x0065, 0x0066}));
    QCOMPARE(WriteUnits()[7].blocks, (std::vector<int>{0x0085, 0x0086}));
}

// After a read-all from a panel that answers in full, every block has its
// listed length and its own bytes, the pause 0105 too; 00A3 and 0303 are
// nowhere.
void ImageTest::readAllGivesListedLengths()
{
    ConfigImage image;
    image.setBlock(block::kNumberPause, QStringLiteral("07"));
    for (const ReadUnit& unit : ReadUnits())
        StoreReadUnit(image, unit, panelBytes(unit.address, unit.count));
    for (const BlockInfo& info : Blocks())
        QCOMPARE(image.block(info.address), panelBytes(info.address, info.length));
}

void ImageTest::readUnitsAreCutAtFixedPositions_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QStringList>("blocks");  // address=text
    QTest::newRow("0062, 4 bytes into four blocks") << 0x0062 << "11223344"
                                                    << QStringList{"0062=11", "0063=22", "0064=33", "0065=44"};
    QTest::newRow("03A0, 10 bytes: length, digits, access")
        << 0x03A0 << "0401020304FFFFFFFF1E" << QStringList{"03A0=04", "03A1=01020304FFFFFFFF", "03A9=1E"};
    QTest::newRow("0300, 7 bytes: 0303 dropped")
        << 0x0300 << "1E000099001E00" << QStringList{"0300=1E", "0301=00", "0302=00", "0304=00", "0305=1E", "0306=00"};
    QTest::newRow("00A0, 7 bytes: 00A3 dropped") << 0x00A0 << "180E1199180F13" << QStringList{"00A0=180E11", "00A4=180F13"};
    QTest::newRow("one block is stored whole, any length") << 0x0066 << "0102F" << QStringList{"0066=0102F"};
    QTest::newRow("short reply leaves the tail empty") << 0x0360 << "07" << QStringList{"0360=07", "0361=", "0362="};
}

void ImageTest::readUnitsAreCutAtFixedPositions()
{
    QFETCH(int, unit);
    QFETCH(QString, payload);
    QFETCH(QStringList, blocks);
    ConfigImage image;
    for (const ReadUnit& read : ReadUnits())
        if (read.address == unit)
            StoreReadUnit(image, read, payload);
    for (const QString& expected : blocks) {
        const QStringList parts = expected.split(QLatin1Char('='));
        QCOMPARE(image.block(parts[0].toInt(nullptr, 16)), parts[1]);
    }
}

void ImageTest::codePiecesJoinAndSplit()
{
    ConfigImage image;
    image.setBlock(block::kCodes, QStringLiteral("old"));
    QStringList pieces;
    for (int k = 0; k < kCodePieceCount; ++k)
        pieces << QString(64, QLatin1Char("ABCDE"[k]));
    for (const ReadUnit& unit : ReadUnits())
        if (unit.codePiece != kNone)
            StoreReadUnit(image, unit, pieces[unit.codePiece]);
    QCOMPARE(image.block(block::kCodes), pieces.join(QString()));
    int written = 0;
    for (const WriteUnit& unit : WriteUnits()) {
        if (unit.codePiece == kNone)
            continue;
        QCOMPARE(unit.address, 0x0208 + 32 * unit.codePiece);
        QCOMPARE(WriteUnitData(image, unit), pieces[unit.codePiece]);
        ++written;
    }
    QCOMPARE(written, kCodePieceCount);
}

// A write sends the blocks as the image holds them: shorter blocks, fewer bytes.
void ImageTest::shortBlocksWriteFewerBytes()
{
    ConfigImage image;
    image.setBlock(0x0064, QStringLiteral("33"));
    image.setBlock(0x0065, QStringLiteral("11"));
    image.setBlock(0x0066, QStringLiteral("0102030F"));
    const WriteUnit& unit = WriteUnits()[4];
    QCOMPARE(WriteUnitData(image, unit), QStringLiteral("33110102030F"));
    image.clearBlock(0x0066);
    QCOMPARE(WriteUnitData(image, unit), QStringLiteral("3311"));
}

void ImageTest::unknownAddressIsRefused()
{
    ConfigImage image;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, image.setBlock(0x0303, QStringLiteral("00")));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, image.block(0x00A3));
    QCOMPARE(AddressText(0x00A8), QStringLiteral("00A8"));
}

NODRA_TEST(ImageTest)
#include "image_test.moc"
