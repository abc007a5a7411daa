#include "config/labels.h"

#include "config/conversion.h"

namespace nodra::config {

namespace {

constexpr int kSecondsPerWaitStep = 10;
const QString kUnreadOperatingTime = QStringLiteral("FFFFFF");  // erased memory: the panel never counted

}  // namespace

QString ReadyWaitLabel1(int position)
{
    return QString::number(kSecondsPerWaitStep * position) + QStringLiteral(" c ");
}

QString ReadyWaitLabel2(int position)
{
    return QString::number(kSecondsPerWaitStep * position) + QStringLiteral(" c");
}

QString AttemptsLabel(int position)
{
    return QString::number(position) + QStringLiteral(" р.");
}

QString HoursLabel(int position)
{
    return QString::number(position) + QStringLiteral(" ч.");
}

QString MinutesLabel(int position)
{
    return QString::number(position) + QStringLiteral(" мин.");
}

QString FirmwareVersionText(const QString& block)
{
    if (block.isEmpty())
        return QStringLiteral("Версия программы прибора (необходимо прочитать)");
    return QStringLiteral("Версия программы прибора ") + block.left(1) + QLatin1Char('.') + block.mid(1, 1);
}

std::optional<QString> OperatingTimeText(const QString& block)
{
    if (block.isEmpty())
        return QStringLiteral("Время наработки прибора (необходимо прочитать)");
    if (block.compare(kUnreadOperatingTime, Qt::CaseInsensitive) == 0)
        return QStringLiteral("Время наработки прибора (неизвестно)");
    const auto hours = HexNumber(block);
    if (!hours)
        return std::nullopt;
    QString digits = QString::number(*hours);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char('.'));
    return QStringLiteral("Время наработки прибора ") + digits + QStringLiteral(" ч. ");
}

const QStringList& DelayEntries()
{
    static const QStringList entries = {
        QStringLiteral("без задержки"),   QStringLiteral("20 сек."),
        QStringLiteral("40 сек."),        QStringLiteral("1 мин."),
        QStringLiteral("1 мин. 20 сек."), QStringLiteral("1 мин. 40 сек."),
        QStringLiteral("2 мин."),         QStringLiteral("2 мин. 20 сек."),
        QStringLiteral("2 мин. 40 сек."), QStringLiteral("3 мин."),
        QStringLiteral("3 мин. 20 сек."), QStringLiteral("3 мин. 40 сек."),
        QStringLiteral("4 мин."),         QStringLiteral("4 мин. 20 сек."),
        QStringLiteral("4 мин. 40 сек."), QStringLiteral("5 мин."),
    };
    return entries;
}

const QStringList& ReportingFormatEntries()
{
    static const QStringList entries = {
        QStringLiteral("Contact ID (4/1/3/2/3, DTMF, Dual Tone/1400 Hz)"),
        QStringLiteral("Ademco Express (4/2, DTMF, Dual Tone/1400 Hz)"),
        QStringLiteral("Franklin, Sescoa (4/2, 20pps/1800 Hz, 2300/2300 Hz)"),
        QStringLiteral("Radionics (4/2, 40 pps/1800 Hz, 2300/2300 Hz)"),
        QStringLiteral("\"Сирена\""),
        QStringLiteral("\"Сирена+Ответ\""),
    };
    return entries;
}

}  // namespace nodra::config
