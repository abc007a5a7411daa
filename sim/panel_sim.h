#pragma once
// The panel's side of the line: it takes request frames, answers the commands
// 01-08 at its own bus address and speed, and can misbehave on purpose.

#include "sim/panel_memory.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace nodra::sim {

// Ways the panel (or the line) can fail; all off by default.
struct Faults {
    bool noAnswer = false;       // the panel stays silent
    bool echo = false;           // the line returns the request unchanged
    bool wrongChecksum = false;  // the reply's checksum is off by one
    int answerFromTry = 1;       // the same request is ignored until its Nth try in a row
    int cutReplyTo = 0;          // only this many characters of a reply come back (0: all)
    int delayMs = 0;             // turn-around time before the reply starts
    int splitAt = 0;             // the reply comes in two pieces, split here ...
    int splitPauseMs = 0;        // ... with this pause between them
    int silentAfter = -1;        // falls silent after answering this many frames (-1: never)
    int eventDuringJournalRead = 0;  // this event is logged after each journal block read (0: none)
    QString onlyCommand;         // the faults hit only this command code (empty: every one)
    QList<qint32> alsoAtBauds;   // the line also carries the panel at these speeds (a tolerant adapter)
    QByteArray fixedReply;       // every answer is exactly these bytes, frame or not (empty: off)
};

// One piece of a reply: it starts `delayUs` after the previous piece ended
// (the first one after the request has arrived).
struct ReplyPiece {
    qint64 delayUs = 0;
    QByteArray bytes;
};
using Reply = QList<ReplyPiece>;

// A firmware that serves the communicator fully.
inline constexpr char kDefaultFirmware[] = "0203";

class PanelSim {
public:
    PanelSim();

    PanelMemory& memory() { return memory_; }
    const PanelMemory& memory() const { return memory_; }
    Faults& faults() { return faults_; }

    // Bus address and speed in effect; set together with the panel's EEPROM
    // bytes 0084 and 0081, which a restart (command 08) applies again.
    int address() const { return address_; }
    qint32 baud() const { return baud_; }
    void setAddress(int address);
    void setBaud(qint32 baud);
    // Takes the address and speed stored in EEPROM into effect, as at power-up.
    void applyStoredNetworkSettings();

    // Bytes from the line at the line's speed; one reply per completed frame
    // that the panel answers.
    QList<Reply> receive(const QByteArray& bytes, qint32 lineBaud);

    // Every complete frame received, answered or not.
    const QList<QByteArray>& requests() const { return requests_; }
    int answered() const { return answered_; }

    // Milliseconds since some fixed moment; drives the panel clock.
    void setTimeSource(std::function<qint64()> msecs);
    // Logs one line per frame in and out.
    void setLog(std::function<void(const QString&)> log) { log_ = std::move(log); }

    void addJournalEvent(int event);

    // Firmware version the probe (command 39) reports, four hex digits; empty
    // for a firmware that does not know the probe.
    QString firmware() const { return firmware_; }
    void setFirmware(const QString& version) { firmware_ = version.toUpper(); }

private:
    Reply answer(const QByteArray& frame, qint32 lineBaud);
    QByteArray execute(const QString& command, const QString& payload, bool* understood);
    bool faultsApply(const QString& command) const;
    Reply shape(QByteArray reply, const QString& command) const;
    void refreshClock();
    void clockWritten();
    void note(const QString& line) const;

    PanelMemory memory_;
    Faults faults_;
    int address_ = 0;
    qint32 baud_ = 115200;
    bool restartPending_ = false;
    QByteArray input_;
    QList<QByteArray> requests_;
    QByteArray lastRequest_;
    int sameRequestCount_ = 0;
    int answered_ = 0;
    std::function<qint64()> msecs_;
    qint64 clockBaseSeconds_ = 10 * 3600 + 27 * 60;
    qint64 clockBaseAtMs_ = 0;
    std::function<void(const QString&)> log_;
    QString firmware_ = QString::fromLatin1(kDefaultFirmware);
};

}  // namespace nodra::sim
