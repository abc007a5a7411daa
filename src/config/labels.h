#pragma once
// Texts the settings tabs show next to their controls: the value labels of
// the track bars, the firmware version and operating time labels, and the
// entries of the drop-down lists. Shared by the tabs and the printouts.

#include <QString>
#include <QStringList>
#include <optional>

namespace nodra::config {

// Label13: waiting time of number 1, 10 s per step ("30 c ", Latin c and a blank).
QString ReadyWaitLabel1(int position);
// Label15: waiting time of number 2 ("30 c").
QString ReadyWaitLabel2(int position);
// Label46: dialling attempts ("20 р.").
QString AttemptsLabel(int position);
// Label45, Label59, Label65: hours ("5 ч.").
QString HoursLabel(int position);
// Label44: active-state limit of "СЗО" ("10 мин.").
QString MinutesLabel(int position);

// Label2 from block 0101: "Версия программы прибора 1.3", or the
// "(необходимо прочитать)" text while the block is empty.
QString FirmwareVersionText(const QString& block);
// Label10 from block 0102: hours grouped in threes ("1.234.567 ч. "),
// "(неизвестно)" for FFFFFF, "(необходимо прочитать)" while empty; nothing
// when the block is not a hex number.
std::optional<QString> OperatingTimeText(const QString& block);

// The 16 entries of the delay lists ComboBox5-ComboBox12 (20 s per index).
const QStringList& DelayEntries();
// The 6 entries of the reporting format lists ComboBox3, ComboBox4.
const QStringList& ReportingFormatEntries();

}  // namespace nodra::config
