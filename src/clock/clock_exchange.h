#pragma once
// The panel's running clock: "Прочитать" (AOLButton6Click) and "Записать"
// (AOLButton5Click) of the "Время" group. The clock is three plain bytes in
// working memory at 0001 (hours, minutes, seconds, not BCD); a write also
// keeps a copy at 03FB in parameter memory. Both exchanges are short: no busy
// window and no cancelling, only the group's spinning indicator.

#include "link/operation_view.h"
#include "link/panel_link.h"

#include <QString>
#include <QTime>
#include <optional>

namespace nodra::clock {

inline const QString kClockAddress = QStringLiteral("0001");      // working memory
inline const QString kClockCopyAddress = QStringLiteral("03FB");  // parameter memory
inline constexpr int kWriteAttempts = 3;  // the write step is repeated until acknowledged

// The "Время" group as the exchanges use it.
class ClockGroup {
public:
    virtual ~ClockGroup() = default;
    // The spinning indicator AdvCircularProgress2.
    virtual void showBusy(bool shown) { (void)shown; }
    // DateTimePicker1 cannot be changed while a write runs.
    virtual void lockPicker(bool locked) { (void)locked; }
    // DateTimePicker1 takes the time read.
    virtual void showTime(const QTime& time) { (void)time; }
};

// Hours, minutes, seconds as two upper-case hex digits each: 13:05:09 is "0D0509".
QString ClockPayload(const QTime& time);
// The time of day in a read reply's data; nothing unless its first six
// characters are hex and form a valid time (hours up to 23, minutes and
// seconds up to 59).
std::optional<QTime> TimeFromPayload(const QString& payload);

struct ClockReadResult {
    enum class Outcome { Read, Failed, NotStarted };
    Outcome outcome = Outcome::Failed;
    QTime time;  // Read
};

// "Время успешно прочитано", or "Не удалось прочитать время" with the picker unchanged.
ClockReadResult ReadClock(link::PanelLink& link, link::OperationView& view, ClockGroup& group);

enum class ClockWriteOutcome { Written, Failed, NotStarted };

// Up to three attempts, each writing working memory and then the copy.
// "Время успешно установлено" or "Не удалось установить время"; every
// attempt that the port fails shows "Ошибка записи времени" first.
ClockWriteOutcome WriteClock(link::PanelLink& link, link::OperationView& view, ClockGroup& group,
                             const QTime& time);

}  // namespace nodra::clock
