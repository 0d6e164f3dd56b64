// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's entries in the file managers' context menus, per user: Dolphin service
// menus, Nautilus scripts and Thunar custom actions. A submenu "Rename with Velmora" holds
// the five rename operations, and "Save a listing with Velmora" stands beside it; Dolphin
// and Thunar show the program's icon on them. Each entry hands the selected items to the
// launcher ("velmora-launch"), which writes the hand-off list and starts the program with
// the operation's keyword.
//
// Installing replaces only what an earlier install wrote; removing removes exactly that,
// and never a file or an action of the user's.

#include <QString>
#include <QStringList>
#include <optional>

namespace velmora::app {

/// Where the per-user entries live.
struct FileManagerLocations {
  QString dolphinServiceMenu;   ///< <data home>/kio/servicemenus/velmora.desktop (the rename submenu)
  QString dolphinListingMenu;   ///< <data home>/kio/servicemenus/velmora-listing.desktop
  QString nautilusScripts;      ///< <data home>/nautilus/scripts/Rename with Velmora (a folder)
  QString nautilusListingScript;  ///< <data home>/nautilus/scripts/Save a listing with Velmora
  QString thunarActions;        ///< <config home>/Thunar/uca.xml
  QStringList thunarDefaults;   ///< <config dir>/Thunar/uca.xml of each system config dir

  /// From HOME, XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_CONFIG_DIRS as they are now.
  static FileManagerLocations FromEnvironment();
};

/// The operations the entries offer, as the launcher names them, with their menu texts:
/// the rename operations as the main window's "Rename in another session" menu names
/// them, inside the rename submenu; the listing on its own.
struct FileManagerOperation {
  const char* launcherName;  ///< "remove", ...
  const char* menuText;      ///< "Remove", ...
  bool inRenameMenu;         ///< in the submenu "Rename with Velmora"
};
inline constexpr FileManagerOperation kFileManagerOperations[] = {
    {"remove", "Remove", true},       {"replace", "Replace", true}, {"insert", "Insert", true},
    {"change", "Change", true},       {"extension", "Extension", true},
    {"save", "Save a listing with Velmora", false},
};
inline constexpr const char* kRenameSubmenu = "Rename with Velmora";
/// The icon the entries show: the program's, by its desktop id.
inline constexpr const char* kEntryIcon = "org.tessaro.Velmora";

/// The launcher the entries call: the installed one when the running program is the one
/// installed on PATH, otherwise the one beside the running program (a build folder).
QString DefaultLauncherPath();

/// The Dolphin service menu that holds the operation's action.
QString DolphinServiceMenuPath(const FileManagerLocations& where, const FileManagerOperation& op);
/// The Nautilus script of the operation.
QString NautilusScriptPath(const FileManagerLocations& where, const FileManagerOperation& op);

struct IntegrationResult {
  bool ok = true;
  QStringList problems;  ///< one line per file that could not be written or removed
};

/// Writes (or rewrites) the entries of all three file managers for the launcher.
IntegrationResult InstallFileManagerActions(const QString& launcherPath,
                                            const FileManagerLocations& where = FileManagerLocations::FromEnvironment());

/// Removes the entries that an install wrote, and nothing else.
IntegrationResult RemoveFileManagerActions(const FileManagerLocations& where = FileManagerLocations::FromEnvironment());

/// True when any of the entries is in place.
bool FileManagerActionsInstalled(const FileManagerLocations& where = FileManagerLocations::FromEnvironment());

/// The Thunar actions file with the program's actions taken out and, when launcherPath is
/// not empty, written anew before the end of the list; every other action, comment and
/// blank of the file is kept. Nothing when the text is not a well-formed actions file.
std::optional<QString> EditThunarActions(const QString& xml, const QString& launcherPath);

}  // namespace velmora::app
