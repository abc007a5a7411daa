#include "config/win1251.h"
#include "test_registry.h"

#include <QSet>
#include <QTest>

using namespace nodra::config;

class Win1251Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void texts_data();
    void texts();
    void everyByteSurvivesARoundTrip();
    void characterOutsideTheCodePage();
};

void Win1251Test::texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("object text") << u"Нодра-1/2"_qs << QByteArray::fromHex("CDEEE4F0E02D312F32");
    QTest::newRow("number sign") << u"Этаж №3"_qs << QByteArray::fromHex("DDF2E0E620B933");
    QTest::newRow("first and last letters") << u"Аая"_qs << QByteArray::fromHex("C0E0FF");
    QTest::newRow("yo and Ukrainian letters") << u"ЁёҐґЇїІіЄє"_qs << QByteArray::fromHex("A8B8A5B4AFBFB2B3AABA");
    QTest::newRow("punctuation of the upper half") << u"«»–—…€"_qs << QByteArray::fromHex("ABBB96978588");
    QTest::newRow("ASCII as it stands") << u"Loop #1"_qs << QByteArray("Loop #1");
}

void Win1251Test::texts()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(DecodeWin1251(bytes), text);
    QCOMPARE(EncodeWin1251(text), std::optional<QByteArray>(bytes));
}

// Whatever a panel holds in a text block reads back to the same bytes; 98,
// which the code page leaves free, included.
void Win1251Test::everyByteSurvivesARoundTrip()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = DecodeWin1251(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(EncodeWin1251(text), std::optional<QByteArray>(all));
    QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);  // no two bytes share a character
}

void Win1251Test::characterOutsideTheCodePage()
{
    QCOMPARE(Win1251FromChar(QChar(u'中')), std::nullopt);
    QCOMPARE(EncodeWin1251(u"Этаж 中"_qs), std::nullopt);
}

NODRA_TEST(Win1251Test)
#include "win1251_test.moc"
