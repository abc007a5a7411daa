#pragma once
// The settings file (.cn2): the image on disk, 68 lines ending in CR LF: the
// marker, the 66 blocks of the file in ascending address order, the marker.
// Also "Открыть" and "Сохранить" as operations on the image and the form
// state, with the outcome the message window shows.

#include "config/codec.h"
#include "config/form_state.h"
#include "config/image.h"
#include "link/operation_view.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace nodra::config {

inline const QString kSettingsMarker = QStringLiteral("Q!E@L#O$M");
inline const QString kSettingsExtension = QStringLiteral(".cn2");
inline const QString kSettingsFileFilter = QStringLiteral("Установки для Нодра 1/2 (*.cn2)");
inline const QString kSettingsDefaultName = QStringLiteral("Nodra2Settings");

// What an operation tells the installer: the message window's kind and
// text, and whether the operation did what it was asked.
struct FileOutcome {
    bool ok = false;
    link::MessageKind kind = link::MessageKind::Error;
    QString message;
};

// The name a save writes: the extension appended unless the chosen name
// already ends with it, in any letter case.
QString WithExtension(const QString& chosen, const QString& extension);

// The file's bytes for the image as it stands.
QByteArray SettingsFileBytes(const ConfigImage& image);

// Writes the image to exactly this path.
FileOutcome WriteSettingsFile(const QString& path, const ConfigImage& image);

// Reads a file into the image. The file is read into a copy first: a file
// that cannot be opened ("Файл не найден") or is rejected ("Файл имеет
// неверный формат или поврежден": a marker line wrong or missing, a block
// line that is not hex digits two per byte) changes nothing. The seven
// blocks the file does not carry keep their texts.
FileOutcome ReadSettingsFile(const QString& path, ConfigImage& image);

// "Сохранить": encodes the form into the image, then writes the chosen name
// with its extension. An encoding that fails writes nothing and names the
// field. Success: "Установки успешно сохранены".
FileOutcome SaveSettings(const QString& chosen, const FormState& form, ConfigImage& image);

struct OpenOutcome : FileOutcome {
    DecodeResult decoded;  // what the decoding did, once the file was accepted
    bool accepted = false;  // the file was taken into the image
};

// "Открыть": reads the file, then decodes the image into `form` (pass a copy
// of what the tabs show and load it back, also after a failed decoding).
// Success: "Установки успешно загружены"; a failed decoding shows its own
// message instead.
OpenOutcome OpenSettings(const QString& path, ConfigImage& image, FormState& form);

}  // namespace nodra::config
