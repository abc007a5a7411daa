#include "link/port.h"
#include "test_registry.h"

#include <QTest>

using namespace nodra::link;

// Arrivals as "text@us" pieces, each character of a piece at the same moment.
struct Arrival {
    QByteArray text;
    qint64 atUs;
};
Q_DECLARE_METATYPE(QList<Arrival>)

class ReadRuleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void timeout_data();
    void timeout();
    void endOfRead_data();
    void endOfRead();
};

// The total time-out is 1 ms per character plus 1 ms, but never less than the
// characters need on the line with a quarter of margin.
void ReadRuleTest::timeout_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("baud");
    QTest::addColumn<qint64>("expectedUs");
    QTest::newRow("80 at 115200: 1 ms per character") << 80 << 115200 << qint64(81000);
    QTest::newRow("400 at 115200") << 400 << 115200 << qint64(401000);
    QTest::newRow("80 at 9600: the line needs longer") << 80 << 9600 << qint64(105167);
    QTest::newRow("150 at 9600") << 150 << 9600 << qint64(196313);
    QTest::newRow("20 at 256000") << 20 << 256000 << qint64(21000);
}

void ReadRuleTest::timeout()
{
    QFETCH(int, limit);
    QFETCH(int, baud);
    QFETCH(qint64, expectedUs);
    QCOMPARE(ReadTimeoutUs(limit, baud), expectedUs);
}

void ReadRuleTest::endOfRead_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QList<Arrival>>("arrivals");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<qint64>("deadlineUs");  // when the read ends (or ended) with what it has
    QTest::newRow("nothing arrives: total time-out")
        << 80 << QList<Arrival>{} << QByteArray() << qint64(81000);
    QTest::newRow("noise then quiet: 1 ms gap ends it")
        << 80 << QList<Arrival>{{"xy", 2000}, {"zz", 4000}} << QByteArray("xy") << qint64(3000);
    QTest::newRow("frame in two packets with a pause: read whole")
        << 80 << QList<Arrival>{{":000001", 2000}, {"C1;", 18000}} << QByteArray(":000001C1;") << qint64(81000);
    QTest::newRow("ends at the first semicolon")
        << 80 << QList<Arrival>{{":000001C1;:0000", 2000}} << QByteArray(":000001C1;") << qint64(81000);
    QTest::newRow("cut at the limit")
        << 6 << QList<Arrival>{{":000001C1;", 2000}} << QByteArray(":00000") << qint64(7000);
    QTest::newRow("a late rest is lost after the time-out")
        << 20 << QList<Arrival>{{":0000", 1000}, {"01C1;", 30000}} << QByteArray(":0000") << qint64(21000);
}

void ReadRuleTest::endOfRead()
{
    QFETCH(int, limit);
    QFETCH(QList<Arrival>, arrivals);
    QFETCH(QByteArray, expected);
    QFETCH(qint64, deadlineUs);
    ReadRule rule(limit, 115200);
    for (const Arrival& arrival : arrivals)
        for (char c : arrival.text)
            if (!rule.take(c, arrival.atUs))
                break;
    QCOMPARE(rule.text(), expected);
    QCOMPARE(rule.deadlineUs(), deadlineUs);
}

NODRA_TEST(ReadRuleTest)
#include "read_rule_test.moc"
