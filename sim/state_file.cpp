#include "sim/state_file.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace nodra::sim {

namespace {

struct AreaName {
    Area area;
    const char* name;
    char erased;
};

constexpr AreaName kAreas[] = {
    {Area::Eeprom, "eeprom", char(0xFF)},
    {Area::Ram, "ram", 0},
    {Area::Communicator, "communicator", char(0xFF)},
};

constexpr int kRow = 32;

}  // namespace

QString LoadState(PanelSim& panel, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    static const QRegularExpression line(
        QStringLiteral("^\\s*(\\w+)\\s+([0-9A-Fa-f]{4})\\s+((?:[0-9A-Fa-f]{2})*)\\s*$"));
    int number = 0;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString text = in.readLine();
        ++number;
        if (text.trimmed().isEmpty() || text.trimmed().startsWith(QLatin1Char('#')))
            continue;
        const auto match = line.match(text);
        const AreaName* area = nullptr;
        for (const AreaName& candidate : kAreas)
            if (match.hasMatch() && match.captured(1) == QLatin1String(candidate.name))
                area = &candidate;
        if (!area)
            return QStringLiteral("%1:%2: expected \"eeprom|ram|communicator ADDR HEX\"").arg(path).arg(number);
        panel.memory().writeHex(area->area, match.captured(2).toInt(nullptr, 16), match.captured(3));
    }
    panel.applyStoredNetworkSettings();
    return {};
}

QString StateText(const PanelMemory& memory)
{
    QString text = QStringLiteral("# nodra-panel-sim memory\n");
    for (const AreaName& area : kAreas) {
        const QByteArray& bytes = memory.area(area.area);
        const QByteArray erased(kRow, area.erased);
        for (int address = 0; address < kMemorySize; address += kRow) {
            if (bytes.mid(address, kRow) == erased)
                continue;
            const QString at = QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
            text += QStringLiteral("%1 %2 %3\n").arg(QLatin1String(area.name), at, memory.read(area.area, address, kRow));
        }
    }
    return text;
}

bool SaveState(const PanelMemory& memory, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(StateText(memory).toLatin1());
    return file.commit();
}

}  // namespace nodra::sim
