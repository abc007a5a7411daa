#include "config/loop_extended.h"

#include <QByteArray>

namespace nodra::config {

namespace {

constexpr int kCommonBytes = 29;
constexpr int kRecordBytes = 4;
// Offsets in the common block of the groups of four bytes, one per loop.
constexpr int kCheckPeriodGroup = 1;
constexpr int kBreakCounterGroup = 5;
constexpr int kShortCounterGroup = 9;
constexpr int kFireCounterGroup = 13;
constexpr int kShortLevelGroup = 17;
constexpr int kBreakCurrentGroup = 21;
constexpr int kMaxNormGroup = 25;
// Bytes of a loop's extended record.
constexpr int kRecordShortLevel = 0;
constexpr int kRecordFireAgain = 1;
constexpr int kRecordFire = 2;
constexpr int kRecordFire2 = 3;

// Distances the dependent limits keep, in positions of 0.2 mA.
constexpr int kNormBelowShort = 5;   // 1 mA
constexpr int kFire2BelowNorm = 10;  // 2 mA
constexpr int kFireAboveFire2 = 10;  // 2 mA

struct BarForm {
    TrackRange range;
    bool level;  // scaled; the others store the position itself
};

// Ranges on the form, in the order of LoopBar.
constexpr std::array<BarForm, kLoopBarCount> kForm = {{
    {{1, 20}, false},    // check period, 0.4 s per step
    {{1, 3}, false},     // alternating break counter
    {{5, 25}, true},     // break current
    {{1, 100}, false},   // resistive break counter
    {{55, 140}, true},   // short-circuit level
    {{45, 135}, true},   // maximum norm
    {{15, 135}, true},   // "Пож.Р"
    {{5, 130}, true},    // "Пож.2"
    {{1, 100}, false},   // short-circuit counter
    {{1, 100}, false},   // fire counter
}};

// A value in units of 10^-decimals written with the locale's separator and
// no trailing zeros: 26 tenths give "2,6", 20 tenths "2".
QString decimalText(int units, int decimals, const QLocale& locale)
{
    int divisor = 1;
    for (int i = 0; i < decimals; ++i)
        divisor *= 10;
    QString fraction = QStringLiteral("%1").arg(units % divisor, decimals, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    const QString whole = QString::number(units / divisor);
    return fraction.isEmpty() ? whole : whole + locale.decimalPoint() + fraction;
}

constexpr int kLevelTenthsPerStep = 2;        // 0.2 mA
constexpr int kPeriodTenthsPerStep = 4;       // 0.4 s
constexpr int kCurrentHundredthsPerCount = 12;  // 0.12 mA

}  // namespace

int LevelPosition(int byte)
{
    return (6 * byte + 5) / 10;  // round(byte × 0.6); never exactly half way
}

int LevelByte(int position)
{
    return (10 * position + 3) / 6;  // round(position / 0.6)
}

QString LevelText(int position, const QLocale& locale)
{
    return decimalText(kLevelTenthsPerStep * position, 1, locale) + QStringLiteral(" мА");
}

QString CheckPeriodText(int position, const QLocale& locale)
{
    return decimalText(kPeriodTenthsPerStep * position, 1, locale) + QStringLiteral(" c");
}

QString CounterText(int position)
{
    return QString::number(position) + QStringLiteral(" р.");
}

QString CurrentNormText(const QString& currentBlock, const QLocale& locale)
{
    const auto counts = HexNumber(currentBlock);
    if (!counts || *counts > 0xFF)
        return QStringLiteral("Текущая норма  (необходимо прочитать)");
    return QStringLiteral("Текущая норма ") + decimalText(kCurrentHundredthsPerCount * int(*counts), 2, locale)
           + QStringLiteral(" мА");
}

LoopExtendedModel::LoopExtendedModel()
{
    for (size_t i = 0; i < bars_.size(); ++i)
        bars_[i] = {kForm[i].range, kForm[i].range.min, kForm[i].range.min, kForm[i].range.min};
    applyLimits();
}

QString LoopExtendedModel::caption() const
{
    return QStringLiteral("Расширенные установки для ШС %1").arg(loop_);
}

bool LoopExtendedModel::enabled(LoopBar bar) const
{
    switch (bar) {
    case LoopBar::CheckPeriod:
    case LoopBar::AlternatingBreaks:
        return alternating_;
    case LoopBar::BreakCurrent:
    case LoopBar::ResistiveBreaks:
        return !alternating_;
    case LoopBar::ShortCounter:
        return false;  // the panel fixes it; shown only
    default:
        return true;
    }
}

void LoopExtendedModel::place(LoopBar bar, int stored)
{
    Bar& b = bars_[index(bar)];
    b.stored = stored;
    b.shown = kForm[index(bar)].level ? LevelPosition(stored) : stored;
    b.position = b.range.clamp(b.shown);
    applyLimits();
}

void LoopExtendedModel::applyLimits()
{
    Bar& shortLevel = bars_[index(LoopBar::ShortLevel)];
    Bar& norm = bars_[index(LoopBar::MaxNorm)];
    Bar& fire = bars_[index(LoopBar::FireLevel)];
    Bar& fire2 = bars_[index(LoopBar::Fire2Level)];
    norm.range.max = shortLevel.position - kNormBelowShort;
    norm.position = norm.range.clamp(norm.position);
    fire2.range.max = norm.position - kFire2BelowNorm;
    fire2.position = fire2.range.clamp(fire2.position);
    fire.range.max = norm.position;
    fire.range.min = fire2.position + kFireAboveFire2;
    fire.position = fire.range.clamp(fire.position);
}

void LoopExtendedModel::setPosition(LoopBar bar, int position)
{
    Bar& b = bars_[index(bar)];
    b.position = b.range.clamp(position);
    applyLimits();
}

int LoopExtendedModel::value(LoopBar bar) const
{
    const Bar& b = bars_[index(bar)];
    if (b.position == b.shown)
        return b.stored;  // not moved since opening: no drift from the scale
    return kForm[index(bar)].level ? LevelByte(b.position) : b.position;
}

QString LoopExtendedModel::label(LoopBar bar, const QLocale& locale) const
{
    const int p = position(bar);
    if (bar == LoopBar::CheckPeriod)
        return CheckPeriodText(p, locale);
    return kForm[index(bar)].level ? LevelText(p, locale) : CounterText(p);
}

std::optional<ConversionError> LoopExtendedModel::open(const ConfigImage& image, int loop)
{
    const QString setting = QStringLiteral("Расширенные установки для ШС %1").arg(loop);
    const QString commonText = image.block(block::kLoopExtendedCommon);
    const QString recordText = image.block(block::LoopExtendedRecord(loop));
    if (!IsHexBytes(commonText) || commonText.size() < 2 * kCommonBytes)
        return ConversionError{setting, AddressText(block::kLoopExtendedCommon), commonText};
    if (!IsHexBytes(recordText) || recordText.size() < 2 * kRecordBytes)
        return ConversionError{setting, AddressText(block::LoopExtendedRecord(loop)), recordText};
    const QByteArray common = QByteArray::fromHex(commonText.toLatin1());
    const QByteArray record = QByteArray::fromHex(recordText.toLatin1());
    const auto ofLoop = [&](int group) { return int(quint8(common[group + loop - 1])); };

    loop_ = loop;
    opened_ = true;
    alternating_ = (quint8(common[0]) >> loop) & 1;
    // Every limit starts from the form, so nothing is left over from the loop before.
    for (size_t i = 0; i < bars_.size(); ++i)
        bars_[i].range = kForm[i].range;
    place(LoopBar::BreakCurrent, ofLoop(kBreakCurrentGroup));
    place(LoopBar::ResistiveBreaks, ofLoop(kBreakCounterGroup));
    place(LoopBar::CheckPeriod, ofLoop(kCheckPeriodGroup));
    place(LoopBar::AlternatingBreaks, ofLoop(kBreakCounterGroup));
    place(LoopBar::ShortCounter, ofLoop(kShortCounterGroup));
    place(LoopBar::FireCounter, ofLoop(kFireCounterGroup));
    place(LoopBar::ShortLevel, ofLoop(kShortLevelGroup));
    place(LoopBar::MaxNorm, ofLoop(kMaxNormGroup));
    // "Пож.2" first: its position sets the lower limit of "Пож.Р".
    place(LoopBar::Fire2Level, quint8(record[kRecordFire2]));
    place(LoopBar::FireLevel, quint8(record[kRecordFire]));
    current_ = image.block(block::LoopCurrent(loop));
    return std::nullopt;
}

void LoopExtendedModel::apply(ConfigImage& image) const
{
    QByteArray common = QByteArray::fromHex(image.block(block::kLoopExtendedCommon).toLatin1());
    if (!opened_ || common.size() < kCommonBytes)
        return;
    const auto setOfLoop = [&](int group, int byte) { common[group + loop_ - 1] = char(byte); };
    const quint8 kinds = quint8(common[0]);
    common[0] = char(alternating_ ? kinds | (1 << loop_) : kinds & ~(1 << loop_));
    if (alternating_) {
        setOfLoop(kCheckPeriodGroup, value(LoopBar::CheckPeriod));
        setOfLoop(kBreakCounterGroup, value(LoopBar::AlternatingBreaks));
    } else {
        setOfLoop(kBreakCurrentGroup, value(LoopBar::BreakCurrent));
        setOfLoop(kBreakCounterGroup, value(LoopBar::ResistiveBreaks));
    }
    setOfLoop(kShortCounterGroup, value(LoopBar::ShortCounter));
    setOfLoop(kFireCounterGroup, value(LoopBar::FireCounter));
    setOfLoop(kShortLevelGroup, value(LoopBar::ShortLevel));
    setOfLoop(kMaxNormGroup, value(LoopBar::MaxNorm));
    QByteArray record(kRecordBytes, '\0');
    record[kRecordShortLevel] = char(value(LoopBar::ShortLevel));
    record[kRecordFireAgain] = char(value(LoopBar::FireLevel));
    record[kRecordFire] = char(value(LoopBar::FireLevel));
    record[kRecordFire2] = char(value(LoopBar::Fire2Level));
    image.setBlock(block::kLoopExtendedCommon, QString::fromLatin1(common.toHex().toUpper()));
    image.setBlock(block::LoopExtendedRecord(loop_), QString::fromLatin1(record.toHex().toUpper()));
}

}  // namespace nodra::config
