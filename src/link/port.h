#pragma once
// The serial line as the transactions see it. Two implementations: the
// QSerialPort adapter for a real line (or a simulator's pseudo-terminal) and
// the simulated port that runs the panel in-process on a virtual clock.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace nodra::link {

// A failure of the port itself (missing, busy, unplugged); carries the text
// the installer sees.
class PortError : public std::runtime_error {
public:
    explicit PortError(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

// Texts of the port errors the operations report.
inline const QString kPortMissing = QStringLiteral("Спроба відкрити неіснуючий СОМ-порт");
inline const QString kPortBusy = QStringLiteral("Порт зайнятий іншою програмою");
inline const QString kPortNotOpen = QStringLiteral("Порт не відкрито");

// Line timing. A try is bounded by these; all of it is on the port's clock.
inline constexpr int kReadIntervalMs = 1;        // quiet gap that ends a read of noise
inline constexpr int kReadMsPerCharacter = 1;    // total read time-out per requested character
inline constexpr int kReadConstantMs = 1;        // ... plus this
inline constexpr int kWriteMsPerCharacter = 1;   // total write time-out per character
inline constexpr int kWriteConstantMs = 1;       // ... plus this
inline constexpr int kBitsPerCharacter = 10;     // 8N1: start, eight data bits, stop
// The read time-out never undercuts the time the limit needs on the line,
// with a quarter of margin, so that slow speeds still fit their longest reply.
inline constexpr double kLineTimeMargin = 1.25;

// Microseconds one character takes on the line at this speed.
double CharacterTimeUs(qint32 baud);
// Total time-out of a read of up to `limit` characters at this speed.
qint64 ReadTimeoutUs(int limit, qint32 baud);
// Total time-out of a write of this many characters.
qint64 WriteTimeoutUs(int characters);

// The rules that end one read, shared by both ports. Times are microseconds
// since the read began. A read ends when `limit` characters have arrived, as
// soon as the text ends with ";", at the total time-out, or after a quiet gap
// of the interval, but that gap only counts while no ":" has arrived: a reply
// that an adapter delivers in two packets must not be cut in half.
class ReadRule {
public:
    ReadRule(int limit, qint32 baud);

    // Takes one arrived character; false when the read no longer takes any.
    bool take(char c, qint64 atUs);
    bool finished() const;
    // The moment the read ends if nothing more arrives.
    qint64 deadlineUs() const;
    const QByteArray& text() const { return text_; }

private:
    int limit_;
    qint64 totalUs_;
    qint64 lastUs_ = -1;
    bool frameStarted_ = false;
    QByteArray text_;
};

class Port {
public:
    virtual ~Port() = default;

    // Opens at the set name and speed, 8N1, no flow control, DTR and RTS on;
    // a no-op when already open. Throws PortError.
    virtual void open() = 0;
    // DTR and RTS off, pending input dropped, port released.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // A line without modem lines (a pseudo-terminal) takes this as a no-op.
    virtual void setRts(bool on) = 0;
    // Returns once the text is sent or its write time-out has passed.
    virtual void write(const QByteArray& data) = 0;
    // Up to `limit` characters under ReadRule; possibly nothing.
    virtual QByteArray read(int limit) = 0;
    // Drops whatever has arrived and not been read.
    virtual void clearInput() = 0;
    virtual void setBaudRate(qint32 baud) = 0;
    virtual qint32 baudRate() const = 0;
    virtual void setPortName(const QString& name) = 0;
    virtual QString portName() const = 0;
    // The ports an installer can choose, sorted as text.
    virtual QStringList listPorts() const = 0;
    // A pause on the port's own clock (the communicator waits between tries).
    virtual void wait(int ms) = 0;
};

// Port names sorted as text, so that COM10 comes before COM2.
QStringList SortedPortNames(QStringList names);

// What an operation does first: opens the port unless it is open. On failure
// the port is left closed and the port's text is returned.
std::optional<QString> OpenUnlessOpen(Port& port);

}  // namespace nodra::link
