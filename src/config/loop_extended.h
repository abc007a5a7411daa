#pragma once
// The loop extended settings window (TForm3) without its widgets: the kind
// of loop, the current levels and counters of one loop as track bar
// positions with their limits and captions, opened from the image and
// applied back to it on "OK". The main window's tabs never show these.
//
// Levels are bytes of 0.12 mA; a track bar step is 0.2 mA, so the position
// is round(byte × 0.6) and the byte round(position / 0.6). A value the
// installer did not move keeps its stored byte on "OK".

#include "config/conversion.h"
#include "config/form_state.h"
#include "config/image.h"

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace nodra::config {

enum class LoopBar {
    CheckPeriod,        // RzTrackBar7 "Период импульса проверки", label Label1 (alternating)
    AlternatingBreaks,  // AdvTrackBar1 "Счетчик обрыва", label Label14 (alternating)
    BreakCurrent,       // AdvTrackBar2 "Ток обрыва", label Label19 (resistive)
    ResistiveBreaks,    // AdvTrackBar3 "Счетчик обрыва", label Label20 (resistive)
    ShortLevel,         // AdvTrackBar4 "КЗ" (level), label Label15
    MaxNorm,            // AdvTrackBar5 "Максимальная норма", label Label16
    FireLevel,          // AdvTrackBar8 "Пож.Р", label Label17
    Fire2Level,         // AdvTrackBar9 "Пож.2", label Label18
    ShortCounter,       // AdvTrackBar6 "КЗ" (counter, shown disabled), label Label21
    FireCounter,        // AdvTrackBar7 "Пож.Р и/или Пож.2" (counter), label Label22
};
inline constexpr int kLoopBarCount = 10;

// Scales between a level byte and its track bar position.
int LevelPosition(int byte);
int LevelByte(int position);

// Caption texts with the locale's decimal separator.
QString LevelText(int position, const QLocale& locale = QLocale());        // "2,6 мА"
QString CheckPeriodText(int position, const QLocale& locale = QLocale());  // "0,4 c"
QString CounterText(int position);                                         // "1 р."
// Label35 from a loop current block: "Текущая норма 10,2 мА", or
// "Текущая норма  (необходимо прочитать)" while it has not been read.
QString CurrentNormText(const QString& currentBlock, const QLocale& locale = QLocale());

class LoopExtendedModel {
public:
    // The window as it is created: every bar at its lowest position.
    LoopExtendedModel();

    // Fills the window for loop n (1-4) from the image. Fails, leaving the
    // window as it was, when the loop's blocks are not complete hex bytes.
    std::optional<ConversionError> open(const ConfigImage& image, int loop);
    // "OK": stores the window's values for the loop opened last; nothing
    // before a successful opening.
    void apply(ConfigImage& image) const;

    int loop() const { return loop_; }
    QString caption() const;  // "Расширенные установки для ШС 1"

    // "Знакопеременный" (true) or "Резестивный" (false); exactly one is checked.
    bool alternating() const { return alternating_; }
    void setAlternating(bool alternating) { alternating_ = alternating; }
    // Whether a bar and its label are enabled for the kind selected.
    bool enabled(LoopBar bar) const;

    int position(LoopBar bar) const { return bars_[index(bar)].position; }
    TrackRange range(LoopBar bar) const { return bars_[index(bar)].range; }
    // As the installer moves a bar: kept within its limits; the limits that
    // follow it are applied and may move other bars.
    void setPosition(LoopBar bar, int position);

    // The bar's value label.
    QString label(LoopBar bar, const QLocale& locale = QLocale()) const;
    // Label35, from the loop current the panel last reported.
    QString currentNorm(const QLocale& locale = QLocale()) const { return CurrentNormText(current_, locale); }

private:
    struct Bar {
        TrackRange range;
        int position;
        int stored;  // the byte the image held at opening
        int shown;   // the position that byte gave, before any limit
    };

    static size_t index(LoopBar bar) { return size_t(bar); }
    void place(LoopBar bar, int stored);
    void applyLimits();
    int value(LoopBar bar) const;

    std::array<Bar, kLoopBarCount> bars_;
    bool alternating_ = true;
    int loop_ = 1;
    bool opened_ = false;
    QString current_;  // the loop current block at opening
};

}  // namespace nodra::config
