#pragma once
// The communicator settings file: an INI file with one section per field of
// the "GPRS" tab, named after its control, each holding one key. Files made
// on installers' Windows machines load here and the other way round.
//
//   [CheckEnTst]
//   Checked=1
//   [sComboBox_ChProtocol]
//   ItemIndex=0
//   [AdvEdit_Object]
//   Text=2222
//   ...

#include "gprs/gprs_state.h"

#include <QString>

namespace nodra::gprs {

// The file the configurator loads by itself at start-up, from its own folder.
inline const QString kStartupFileName = QStringLiteral("dUzuzo.ini");

inline const QString kOpenDone = QStringLiteral("Открыто успешно.");
inline const QString kSaveDone = QStringLiteral("Сохранено успешно.");
// The dialogs' filter and titles: the file always lies in the program's folder.
inline const QString kFileFilter = QStringLiteral("Settings .ini (*.ini)");
inline const QString kOpenTitle = QStringLiteral("Открытие конфигурации (должна находиться в папке с .ехе)");
inline const QString kSaveTitle = QStringLiteral("Збереження конфігурації (повинна знаходитися в папці з .ехе)");

// Puts the file's values into the 25 fields in the file's row order; a
// missing key gives that row's default (so a missing file gives defaults
// everywhere). The object number's change rule runs on the way, and the
// keep-alive message read after it wins. False when the file could not be
// read; the defaults are in place then too.
bool LoadCommunicatorSettings(const QString& path, GprsState& state);

// Writes the 25 keys into the file, replacing them where they stand and
// keeping everything else of an existing file. Empty on success, else the
// message for the installer; the file is left as it was then.
QString SaveCommunicatorSettings(const QString& path, const GprsState& state);

// At start-up: the start-up file in the program's folder, when it is there,
// replaces the tab's start values; without it they stay. Nothing is shown
// either way. True when the file was loaded.
bool LoadStartupCommunicatorSettings(const QString& programFolder, GprsState& state);

// The program's folder joined with the name part of the file the installer chose.
QString CommunicatorFilePath(const QString& programFolder, const QString& chosen);

}  // namespace nodra::gprs
