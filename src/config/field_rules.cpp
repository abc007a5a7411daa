#include "config/field_rules.h"

#include "link/connection.h"

namespace nodra::config {

namespace {

constexpr int kHexFieldLength = 4;
constexpr int kPasswordDigits = 8;  // the panel keeps eight digit bytes per user
constexpr int kPauseLimit = 99;
constexpr int kPollPeriodLimit = 255;
constexpr int kDeviceCodeLimit = 255;

bool isEditKey(QChar key)
{
    return key == link::kKeyBackspace || key == link::kKeyPaste || key == link::kKeyUndo;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isDialChar(QChar c)
{
    return isDigit(c) || (c >= u'A' && c <= u'D') || (c >= u'a' && c <= u'd');
}

bool isHexChar(QChar c)
{
    return isDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

QString padded(const QString& text, int width)
{
    return text.size() >= width ? text : QString(width - text.size(), QLatin1Char('0')) + text;
}

}  // namespace

std::optional<qint64> DecimalValue(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

bool PasswordKeyAccepted(const QString& text, QChar key)
{
    if (key == link::kKeyBackspace)
        return true;
    return isDigit(key) && text.size() < kPasswordDigits;
}

bool TelephoneKeyAccepted(QChar key)
{
    return isEditKey(key) || isDialChar(key);
}

QString TelephoneChangeRule(const QString& text)
{
    QString kept;
    for (QChar c : text)
        if (isDialChar(c))
            kept += c;
    return kept;
}

QString TelephoneLeavingRule(const QString& text)
{
    return text.toUpper();
}

bool HexFieldKeyAccepted(QChar key)
{
    return isEditKey(key) || isHexChar(key);
}

QString HexFieldLeavingRule(const QString& text)
{
    return padded(text.toUpper(), kHexFieldLength);
}

bool NumericKeyAccepted(QChar key)
{
    return isEditKey(key) || key == link::kKeyEnter || isDigit(key);
}

QString PauseChangeRule(const QString& text)
{
    if (text.size() < 2)
        return text;
    const auto value = DecimalValue(text);
    if (!value)
        return QStringLiteral("00");
    return *value > kPauseLimit ? QString::number(kPauseLimit) : text;
}

QString PauseLeavingRule(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("00");
    const QString field = text.size() == 1 ? QLatin1Char('0') + text : text;
    const auto value = DecimalValue(field);
    if (!value || *value < 0)
        return QStringLiteral("00");
    return *value > kPauseLimit ? QString::number(kPauseLimit) : field;
}

QString PollPeriodChangeRule(const QString& text)
{
    if (text.size() < 2)
        return text;
    const auto value = DecimalValue(text);
    if (!value)
        return QStringLiteral("001");
    return *value > kPollPeriodLimit ? QString::number(kPollPeriodLimit) : text;
}

QString PollPeriodLeavingRule(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("001");
    const QString field = padded(text, 3);
    const auto value = DecimalValue(field);
    if (!value || *value <= 0)
        return QStringLiteral("001");
    return *value > kPollPeriodLimit ? QString::number(kPollPeriodLimit) : field;
}

QString DeviceCodeKeyCheck(const QString& text)
{
    return text.isEmpty() ? text : DeviceCodeLeavingRule(text);
}

QString DeviceCodeLeavingRule(const QString& text)
{
    const auto value = DecimalValue(text);
    if (!value)
        return QStringLiteral("0");
    return *value > kDeviceCodeLimit ? QString::number(kDeviceCodeLimit) : text;
}

}  // namespace nodra::config
