// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings key: QSettings("Tessaro", "Dir") (the registry on Windows,
// ~/.config/Tessaro/Dir.conf on Linux), with the value names, types, defaults and the
// reading order of the program's options.

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

#include "batch/run_options.h"
#include "batch/interfaces.h"

namespace velmora::app {

/// Opens the settings key (created on the first write).
std::unique_ptr<QSettings> OpenSettings();

/// The options as stored, plus the file-manager integration switch.
struct StoredOptions {
  batch::RunOptions options;
  bool contextMenu = true;  ///< " Intergrate with Windows Explorer context menu"
  /// Set by LoadStoredOptions: how many of the seven booleans, in the reading order, were
  /// read; the ones after them kept what they held.
  int booleansRead = 0;
};

/// Reads the options in their fixed order ("Options1", "Options2", "Options3", "Autocopy",
/// "Capevery", "Confirm", "Contextmenu", then "Prenum"). The first value that is missing
/// or not a number ends that step: the values after it keep what `values` held and the
/// preview count becomes 20. "Listnum" is read on its own; 20 when missing; so are "Order"
/// (the numbering order as text, "natural:desc"), the name order when missing, and "Hidden"
/// (include hidden files and folders, 0 or 1), 0 when missing, and "LiveNames" (the new
/// names shown while editing, 0 or 1), 1 when missing. The two numbers
/// are brought into their ranges (1 to 1000, 0 to 100) as the window's arrows would.
void LoadStoredOptions(const QSettings& settings, StoredOptions& values);

/// Writes the options in the order "Options1" ... "Confirm", "Prenum", "Listnum",
/// "Contextmenu", "Order", "Hidden", "LiveNames"; booleans as 1 or 0.
void SaveStoredOptions(QSettings& settings, const StoredOptions& values);

/// A string value; nothing when missing, empty or not a string.
std::optional<QString> ReadStringValue(const QSettings& settings, const QString& name);

/// "InstallDir": the program's own folder when the installation set one; never written by
/// the program.
std::optional<QString> ReadInstallDir(const QSettings& settings);

/// "LastDir": the folder of the first file last chosen by the "Files" dialog.
std::optional<QString> ReadLastDir(const QSettings& settings);
void WriteLastDir(QSettings& settings, const QString& folder);

/// Writes "Listnum" alone (the new name list editor raises it).
void WriteHistoryMaximum(QSettings& settings, int maximum);

}  // namespace velmora::app
