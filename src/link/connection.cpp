#include "link/connection.h"

namespace nodra::link {

inline constexpr int kHighestAddress = 254;  // FF is never a panel's address

const QStringList& LinkBaudEntries()
{
    static const QStringList entries = {
        QStringLiteral("9600   "), QStringLiteral("19200  "), QStringLiteral("38400  "),
        QStringLiteral("56000  "), QStringLiteral("57600  "), QStringLiteral("115200 "),
        QStringLiteral("256000 "),
    };
    return entries;
}

const QStringList& PanelBaudEntries()
{
    static const QStringList entries = {
        QStringLiteral("9600  "), QStringLiteral("19200 "), QStringLiteral("38400 "),
        QStringLiteral("56000 "), QStringLiteral("57600 "), QStringLiteral("115200"),
        QStringLiteral("256000"),
    };
    return entries;
}

const QStringList& PanelBaudCodes()
{
    static const QStringList codes = {
        QStringLiteral("EF"), QStringLiteral("77"), QStringLiteral("3B"), QStringLiteral("29"),
        QStringLiteral("27"), QStringLiteral("13"), QStringLiteral("08"),
    };
    return codes;
}

int BaudIndex(qint32 baud)
{
    for (int i = 0; i < kBaudCount; ++i)
        if (kBauds[i] == baud)
            return i;
    return -1;
}

int BaudIndexOfCode(const QString& code)
{
    return int(PanelBaudCodes().indexOf(code));
}

bool AddressKeyAccepted(const QString& text, QChar key)
{
    if (key == kKeyBackspace || key == kKeyEnter || key == kKeyPaste || key == kKeyUndo)
        return true;
    const char16_t c = key.unicode();
    const bool digit = c >= u'0' && c <= u'9';
    const bool hexLetter = (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    if (!digit && !hexLetter)
        return false;
    const bool isF = c == u'f' || c == u'F';
    return !(isF && text.startsWith(QLatin1Char('f'), Qt::CaseInsensitive));
}

// A decimal integer as the installer may type it, optional sign included.
static std::optional<int> decimalValue(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString AddressChangeRule(const QString& text)
{
    if (text.size() < 2)
        return text;
    const auto value = decimalValue(text);
    if (!value)
        return QStringLiteral("000");
    if (*value > kHighestAddress)
        return QString::number(kHighestAddress);
    return text;
}

QString AddressLeavingRule(const QString& text)
{
    if (text.size() >= 3)
        return text;
    return QString(3 - text.size(), QLatin1Char('0')) + text;
}

std::optional<QString> DeviceAddressFromField(const QString& text)
{
    const auto value = decimalValue(text);
    if (!value || *value < 0 || *value > kHighestAddress)
        return std::nullopt;
    return QStringLiteral("%1").arg(*value, 2, 16, QLatin1Char('0')).toUpper();
}

QString FieldFromDeviceAddress(const QString& address)
{
    bool ok = false;
    const int value = address.toInt(&ok, 16);
    return AddressLeavingRule(ok ? QString::number(value) : QString());
}

}  // namespace nodra::link
