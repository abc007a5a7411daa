#pragma once
// The codes file (.cd2): one line of the 80 report codes, 320 hex digits,
// ended by CR LF. "Открыть" and "Сохранить" of the "Коды" tab.

#include "codes/code_table.h"
#include "config/image.h"
#include "config/settings_file.h"

#include <QString>

namespace nodra::codes {

inline const QString kCodesExtension = QStringLiteral(".cd2");
inline const QString kCodesFileFilter = QStringLiteral("Коды (*.cd2)");
inline const QString kCodesDefaultName = QStringLiteral("Nodra2Codes");

// "Сохранить": the codes text of the grid (upper case) becomes block 0208
// and the file's line; the extension is appended unless the name has it.
// "Коды успешно сохранены", or "Не удалось сохранить коды".
config::FileOutcome SaveCodesFile(const QString& chosen, const CodesState& codes, config::ConfigImage& image);

// "Открыть": a first line of exactly 320 hex digits, turned to upper case,
// becomes block 0208 and the grid: "Коды успешно загружены". A file that
// cannot be opened: "Не удалось открыть файл"; any other first line: "Файл
// имеет неверный формат или поврежден", and nothing changes.
config::FileOutcome LoadCodesFile(const QString& path, CodesState& codes, config::ConfigImage& image);

}  // namespace nodra::codes
