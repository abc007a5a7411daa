#include "codes/code_table.h"

#include "config/conversion.h"
#include "journal/event_table.h"
#include "link/connection.h"

namespace nodra::codes {

namespace {

struct Run {
    int rows;
    const char* code;
};

// The factory codes row by row; Contact ID: first digit 1 for an event, 3 for
// its restoral, then the event code.
constexpr Run kDefaultRuns[] = {
    {6, "1627"},  // user menu entered, users 1-6
    {6, "1628"},  // user menu left
    {4, "3571"},  // loop switched on, loops 1-4
    {4, "1571"},  // loop switched off
    {4, "1118"},  // attention
    {4, "3118"},  // attention ended by itself
    {4, "1110"},  // fire
    {4, "3110"},  // fire reset
    {4, "1373"},  // break or short circuit
    {4, "3373"},  // break or short circuit reset
    {4, "1130"},  // intrusion
    {1, "1330"}, {1, "3330"},  // output "СЗО" break or short, reset
    {1, "1426"}, {1, "3426"},  // case opened, closed
    {1, "1532"}, {1, "1531"}, {1, "1532"}, {1, "1531"}, {1, "1532"}, {1, "1531"},  // outputs off / on
    {1, "1551"}, {1, "3551"},  // communicator off / on
    {1, "1301"}, {1, "3301"},  // mains lost / back
    {1, "1311"}, {1, "3311"},  // battery lost / back
    {1, "1308"},  // low supply, everything off
    {1, "1305"},  // panel powered up
    {1, "1461"},  // four wrong passwords
    {1, "1305"},  // manual panel reset
    {1, "1520"},  // manual sound reset
    {1, "1601"},  // indication check / manual test
    {1, "1354"},  // dialling attempts used up
    {2, "1307"},  // test could not be sent, numbers 1 and 2
    {1, "1621"},  // journal cleared
    {6, "0000"},  // polling from the centre, additional events
};

}  // namespace

const QString& DefaultCodesText()
{
    static const QString text = [] {
        QString codes;
        for (const Run& run : kDefaultRuns)
            for (int i = 0; i < run.rows; ++i)
                codes += QLatin1String(run.code);
        return codes;
    }();
    return text;
}

QString CodesTextFromGrid(const QStringList& cells, CodeCase letterCase)
{
    QString text;
    text.reserve(kCodesTextLength);
    for (int row = 0; row < kRowCount; ++row) {
        const QString cell = row < cells.size() ? cells[row] : QString();
        text += cell.size() == kCodeLength ? cell : kZeroCode;
    }
    return letterCase == CodeCase::Upper ? text.toUpper() : text;
}

QStringList GridFromCodesText(const QString& text)
{
    QStringList cells;
    cells.reserve(kRowCount);
    for (int row = 0; row < kRowCount; ++row)
        cells << text.mid(kCodeLength * row, kCodeLength);
    return cells;
}

bool CodeKeyAccepted(const QString& cellText, QChar key)
{
    if (key == link::kKeyBackspace || key == link::kKeyEnter)
        return true;
    return config::IsHexText(QStringView(&key, 1)) && cellText.size() < kCodeLength;
}

QString ValidateCodeCell(const QString& text)
{
    const QString code = text.left(kCodeLength).toUpper();
    return QString(kCodeLength - code.size(), QLatin1Char('0')) + code;
}

int FirstRowNotHex(const QStringList& cells)
{
    for (int row = 0; row < kRowCount && row < cells.size(); ++row) {
        const QString& cell = cells[row];
        // A cell of another length becomes "0000" anyway.
        if (cell.size() == kCodeLength && !config::IsHexText(cell))
            return row + 1;
    }
    return 0;
}

std::optional<config::ConversionError> NotHexCode(const QStringList& cells)
{
    const int row = FirstRowNotHex(cells);
    if (row == 0)
        return std::nullopt;
    return config::ConversionError{
        QStringLiteral("Коды, %1").arg(journal::EventName(journal::EventOfCodeRow(row))), QString(), cells[row - 1]};
}

}  // namespace nodra::codes
