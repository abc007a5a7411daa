#include "config/field_rules.h"

#include "config/conversion.h"
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

QString padded(const QString& text, int width)
{
    return text.size() >= width ? text : QString(width - text.size(), QLatin1Char('0')) + text;
}

// From two characters on: above the limit gives the limit, no number the fallback.
QString limitedChange(const QString& text, int limit, const QString& notNumber)
{
    if (text.size() < 2)
        return text;
    const auto value = DecimalValue(text);
    if (!value)
        return notNumber;
    return *value > limit ? QString::number(limit) : text;
}

// A padded text whose value lies in low .. limit; above gives the limit,
// anything else the fallback.
QString limitedLeaving(const QString& text, int low, int limit, const QString& fallback)
{
    const auto value = DecimalValue(text);
    if (!value || *value < low)
        return fallback;
    return *value > limit ? QString::number(limit) : text;
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
    return isEditKey(key) || IsHexText(QStringView(&key, 1));
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
    return limitedChange(text, kPauseLimit, QStringLiteral("00"));
}

QString PauseLeavingRule(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("00");
    return limitedLeaving(text.size() == 1 ? QLatin1Char('0') + text : text, 0, kPauseLimit, QStringLiteral("00"));
}

QString PollPeriodChangeRule(const QString& text)
{
    return limitedChange(text, kPollPeriodLimit, QStringLiteral("001"));
}

QString PollPeriodLeavingRule(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("001");
    return limitedLeaving(padded(text, 3), 1, kPollPeriodLimit, QStringLiteral("001"));
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
