// The communicator's exchange against the simulated panel on virtual time.

#include "gprs/communicator_link.h"
#include "gprs_fixture.h"
#include "test_registry.h"

#include <QTest>
#include <functional>

using namespace nodra;
using namespace nodra::gprs;

namespace {

// The line as the exchange uses it: every call on the port, in order.
class TracingPort final : public link::Port {
public:
    explicit TracingPort(link::Port& line) : line_(line) {}
    QStringList calls;

    void open() override { calls << u"open"_qs; line_.open(); }
    void close() override { calls << u"close"_qs; line_.close(); }
    bool isOpen() const override { return line_.isOpen(); }
    void setRts(bool on) override { calls << u"rts"_qs; line_.setRts(on); }
    void write(const QByteArray& data) override { calls << u"write"_qs; line_.write(data); }
    QByteArray read(int limit) override
    {
        calls << u"read %1"_qs.arg(limit);
        return line_.read(limit);
    }
    void clearInput() override { calls << u"clear"_qs; line_.clearInput(); }
    void setBaudRate(qint32 baud) override { line_.setBaudRate(baud); }
    qint32 baudRate() const override { return line_.baudRate(); }
    void setPortName(const QString& name) override { line_.setPortName(name); }
    QString portName() const override { return line_.portName(); }
    QStringList listPorts() const override { return line_.listPorts(); }
    void wait(int ms) override
    {
        calls << u"wait %1"_qs.arg(ms);
        line_.wait(ms);
    }

private:
    link::Port& line_;
};

const QStringList kAnsweredTry = {u"clear"_qs, u"write"_qs, u"wait 100"_qs, u"read 400"_qs};
const QStringList kSilentTry = kAnsweredTry + QStringList{u"wait 100"_qs};

}  // namespace

using Setup = std::function<void(sim::Faults&)>;
Q_DECLARE_METATYPE(Setup)

class CommunicatorLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void frameCarriesTheCallersBody();
    void outcomes_data();
    void outcomes();
    void triesAndPausesOnThePortsClock();
};

// The body already holds the device address; only ":", checksum and ";" are added.
void CommunicatorLinkTest::frameCarriesTheCallersBody()
{
    QCOMPARE(CommunicatorFrame(u"0039"_qs), u":0039CC;"_qs);
    test::GprsLine line;
    line.panel.setAddress(7);  // the panel's own address does not go into the frame
    line.port.open();
    line.link.exchange(u"0039"_qs, Quiet::Yes);
    QCOMPARE(line.port.written().first(), QByteArray(":0039CC;"));
}

// What one exchange does for each way the panel answers: its result, how
// many tries it made, the message, the port and the progress bar.
void CommunicatorLinkTest::outcomes_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<int>("tries");
    QTest::addColumn<QString>("lastReply");  // "frame" for the panel's reply frame
    QTest::addColumn<bool>("messageShown");
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<int>("progress");  // it stood at 3 before

    const Setup none = [](sim::Faults&) {};
    const Setup silent = [](sim::Faults& f) { f.noAnswer = true; };
    QTest::newRow("answered: progress moves on") << none << false << true << 1 << "frame" << false << true << 4;
    QTest::newRow("\"x;\" counts as a reply")
        << Setup([](sim::Faults& f) { f.fixedReply = "x;"; }) << false << true << 1 << "x;" << false << true << 4;
    QTest::newRow("wrong checksum is accepted")
        << Setup([](sim::Faults& f) { f.wrongChecksum = true; }) << false << true << 1 << "frame" << false << true << 4;
    QTest::newRow("answer on the third try")
        << Setup([](sim::Faults& f) { f.answerFromTry = 3; }) << false << true << 3 << "frame" << false << true << 4;
    QTest::newRow("no panel: five tries, message, port closed, bar empty")
        << silent << false << false << 5 << "" << true << false << 0;
    QTest::newRow("no panel, quiet: no message, port open, bar kept")
        << silent << true << false << 5 << "" << false << true << 3;
    QTest::newRow("reply without \";\" fails, last reply kept")
        << Setup([](sim::Faults& f) { f.cutReplyTo = 9; }) << false << false << 5 << ":00003900" << true << false << 0;
    // Each reply comes only after its try has given up; the next try must not take it.
    QTest::newRow("late replies are not taken for the next try")
        << Setup([](sim::Faults& f) { f.delayMs = 520; }) << false << false << 5 << "" << true << false << 0;
}

void CommunicatorLinkTest::outcomes()
{
    QFETCH(Setup, setup);
    QFETCH(bool, quiet);
    QFETCH(bool, succeeds);
    QFETCH(int, tries);
    QFETCH(QString, lastReply);
    QFETCH(bool, messageShown);
    QFETCH(bool, portOpen);
    QFETCH(int, progress);

    test::GprsLine line;
    setup(line.panel.faults());
    line.port.open();
    line.state.progress = {22, 3};
    QCOMPARE(line.link.exchange(u"0039"_qs, quiet ? Quiet::Yes : Quiet::No), succeeds);
    QCOMPARE(line.port.written().size(), tries);
    if (lastReply == QLatin1String("frame"))
        QVERIFY2(line.link.lastReply().startsWith(u":000039"_qs) && line.link.lastReply().endsWith(u';'),
                 qPrintable(line.link.lastReply()));
    else
        QCOMPARE(line.link.lastReply(), lastReply);
    QCOMPARE(line.view.plainMessages, messageShown ? QStringList{kExchangeFailedMessage} : QStringList{});
    QCOMPARE(line.link.failed(), messageShown);
    QCOMPARE(line.port.isOpen(), portOpen);
    QCOMPARE(line.state.progress.position, progress);
    QCOMPARE(line.state.progress.maximum, 22);
    QVERIFY(line.view.messages.isEmpty());  // never the message window
}

// Every try empties the input, sends, pauses 100 ms and reads up to 400
// characters; a try without reply pauses 100 ms more, the fifth one too.
void CommunicatorLinkTest::triesAndPausesOnThePortsClock()
{
    test::GprsLine line;
    TracingPort port(line.port);
    CommunicatorLink link(port, line.view, line.state.progress);
    line.port.open();

    line.panel.faults().answerFromTry = 3;
    QVERIFY(link.exchange(u"0039"_qs));
    QCOMPARE(port.calls, kSilentTry + kSilentTry + kAnsweredTry);

    port.calls.clear();
    line.panel.faults().noAnswer = true;
    const qint64 before = line.port.clock().nowUs();
    QVERIFY(!link.exchange(u"0039"_qs));
    QCOMPARE(port.calls, kSilentTry + kSilentTry + kSilentTry + kSilentTry + kSilentTry + QStringList{u"close"_qs});
    // Five tries of 100 ms, a full read time-out and 100 ms: over 3 s of line time.
    QVERIFY(line.port.clock().nowUs() - before >= 5 * (2 * kPauseMs + kReplyLimit) * 1000);
    QVERIFY(link.failed());
    // The next exchange starts with the failure flag clear.
    line.panel.faults().noAnswer = false;
    line.port.open();
    QVERIFY(link.exchange(u"0039"_qs));
    QVERIFY(!link.failed());
}

NODRA_TEST(CommunicatorLinkTest)
#include "communicator_link_test.moc"
