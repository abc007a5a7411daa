#pragma once
// The simulated panel's memories: parameter memory (EEPROM, erased to FF),
// working memory (RAM) and the communicator's own memory, each addressed with
// four hex digits.

#include <QByteArray>
#include <QString>

namespace nodra::sim {

enum class Area { Eeprom, Ram, Communicator };

inline constexpr int kMemorySize = 0x10000;

class PanelMemory {
public:
    // Factory-like contents: settings, a short journal and the clock.
    PanelMemory();

    QByteArray& area(Area which);
    const QByteArray& area(Area which) const;

    // Bytes as upper-case hex text; reads past the end wrap around.
    QString read(Area which, int address, int count) const;
    void write(Area which, int address, const QByteArray& bytes);
    void writeHex(Area which, int address, const QString& hex);

    quint8 byte(Area which, int address) const;

private:
    QByteArray eeprom_;
    QByteArray ram_;
    QByteArray communicator_;
};

// Panel memory addresses the simulator itself acts on.
namespace address {
inline constexpr int kPanelBaudCode = 0x0081;    // EEPROM: speed code, applied at restart
inline constexpr int kPanelAddress = 0x0084;     // EEPROM: bus address, applied at restart
inline constexpr int kClock = 0x0001;            // RAM: hours, minutes, seconds
inline constexpr int kJournalPointer = 0x0033;   // RAM: next record position
inline constexpr int kJournal = 0x0300;          // RAM: 256 one-byte records
inline constexpr int kJournalSize = 256;
}  // namespace address

}  // namespace nodra::sim
