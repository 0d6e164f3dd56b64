#pragma once
// The program's entries in the file managers' context menus, per user: a Dolphin service
// menu, Nautilus scripts and Thunar custom actions. Each entry hands the selected items
// to the launcher shipped beside the program ("velmora-launch"), which writes the
// hand-off list and starts the program with the operation's keyword.
//
// Installing replaces only what an earlier install wrote; removing removes exactly that,
// and never a file or an action of the user's.

#include <QString>
#include <QStringList>
#include <optional>

namespace velmora::app {

/// Where the per-user entries live.
struct FileManagerLocations {
  QString dolphinServiceMenu;   ///< <data home>/kio/servicemenus/velmora.desktop
  QString nautilusScripts;      ///< <data home>/nautilus/scripts/Velmora (a folder)
  QString thunarActions;        ///< <config home>/Thunar/uca.xml
  QStringList thunarDefaults;   ///< <config dir>/Thunar/uca.xml of each system config dir

  /// From HOME, XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_CONFIG_DIRS as they are now.
  static FileManagerLocations FromEnvironment();
};

/// The operations the entries offer, as the launcher names them, with their menu texts:
/// those of the main window's "Rename in another session" menu.
struct FileManagerOperation {
  const char* launcherName;  ///< "remove", ...
  const char* menuText;      ///< "Remove", ...
};
inline constexpr FileManagerOperation kFileManagerOperations[] = {
    {"remove", "Remove"}, {"replace", "Replace"},     {"insert", "Insert"},
    {"change", "Change"}, {"extension", "Extension"}, {"save", "Save"},
};

/// The launcher installed beside the running program.
QString DefaultLauncherPath();

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
