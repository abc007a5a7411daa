#include "gprs/cp1251.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::gprs;

class Cp1251Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteComesBack();
    void lettersOfTheInstallersAlphabets();
    void charactersWithoutAByte();
};

void Cp1251Test::everyByteComesBack()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = DecodeCp1251(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(EncodeCp1251(text).value_or(QByteArray()), all);
}

void Cp1251Test::lettersOfTheInstallersAlphabets()
{
    QCOMPARE(EncodeCp1251(u"АЯаяЁёЇїІіЄєҐґ№"_qs).value_or(QByteArray()),
             QByteArray("\xC0\xDF\xE0\xFF\xA8\xB8\xAF\xBF\xB2\xB3\xAA\xBA\xA5\xB4\xB9"));
    QCOMPARE(DecodeCp1251("\x88\x96\xAB\xBB"), u"€–«»"_qs);
}

void Cp1251Test::charactersWithoutAByte()
{
    QVERIFY(!EncodeCp1251(u"✓"_qs));
    QVERIFY(!EncodeCp1251(u"ß"_qs));
    QVERIFY(!Cp1251Byte(QChar(0x0100)));
}

NODRA_TEST(Cp1251Test)
#include "cp1251_test.moc"
