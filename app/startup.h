// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up and the hand-off between instances: the program's own folder, the first
// command-line argument as the operation keyword, the hand-off list "fn000.tmp", and the
// start of another instance with a ready-made target.

#include <QSettings>
#include <optional>
#include <string>
#include <vector>

#include "batch/interfaces.h"
#include "batch/target_walk.h"
#include "platform/file_system.h"

namespace velmora::app {

inline constexpr const char* kNoFileInFolderMessage = VELMORA_NOOP("Core", "There is no file in this folder.");
inline constexpr const char* kEditFolderNameQuestion =
    VELMORA_NOOP("Core", "There is no file in this folder, do you want to edit this folder name?");
inline constexpr const char* kEditFolderNameTitle = VELMORA_NOOP("Core", "Confirmation");

/// The program's own folder: the "InstallDir" setting when it holds an absolute path,
/// otherwise the per-user program folder; never the current directory (it may be the very
/// folder being renamed). Created when missing; ends in a separator.
std::string ResolveInstallDir(const QSettings& settings, platform::FileSystem& fs);

/// Reads the hand-off list (one path per line, empty lines dropped) and deletes the file
/// at once. Nothing when the file does not exist.
std::optional<std::vector<std::string>> TakeHandOffFile(platform::FileSystem& fs, const std::string& installDir);

/// What the first argument and the hand-off list ask of the start.
struct StartupPlan {
  std::string operationKind = "Browsefile";  ///< the first argument, unchanged
  bool keywordGiven = false;                 ///< a non-empty first argument
  bool handOffSession = false;               ///< keyword other than "Savesomes"
  bool showMainWindow = true;                ///< no keyword, or "Savesomes"
  bool listPickedInMainWindow = false;       ///< "Savesomes": every path becomes a list entry
  bool armCloseTimer = false;                ///< end the program about a second after start
  bool armLaunchTimer = false;               ///< open the editor (or the export) 100 ms after start
  batch::TargetSet target;                   ///< the handed-over folder or list
  std::string samplePath;
  int topLayerFileCount = 0;
};

/// The first-argument handling of the start: reads and deletes the hand-off list when a
/// keyword is given, decides between one folder and a hand-picked list, and asks about an
/// empty folder. A start without a keyword never touches the hand-off file.
StartupPlan PlanStartup(const std::string& firstArgument, platform::FileSystem& fs, const std::string& installDir,
                        batch::Messages& messages);

/// What the desktop program's command line asks for. A first argument that names an
/// existing folder or file (and is no operation keyword) opens the main window on it; any
/// other first argument is the hand-off keyword, handled by PlanStartup as before.
struct CommandLine {
  enum class Action { Start, Help, Version, UsageError };
  Action action = Action::Start;
  std::string keyword;             ///< the hand-off keyword; empty for a normal start
  std::string folder;              ///< an existing folder to list (one layer), absolute
  std::vector<std::string> files;  ///< existing files to hand-pick, absolute, in argument order
  std::vector<std::string> missing;  ///< paths given that name nothing, absolute, in argument order
  std::string error;               ///< the unknown option of a UsageError
};

/// Reads the arguments after the program name. `--help` and `--version` win wherever they
/// stand; other arguments starting with "-" are usage errors. With a folder first, the
/// other arguments are ignored; with a file first, every argument that names an existing
/// file is taken and the others are skipped. Relative paths are made absolute against
/// `currentFolder`. An argument that names nothing is a path all the same when it holds a
/// separator or a dot (hand-off keywords hold neither): it goes to `missing`, and what does
/// exist opens as without it.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments, platform::FileSystem& fs,
                             const std::string& currentFolder);

/// The text of `velmora --help`.
std::string DesktopUsage();

/// The items of the "Rename in another session" submenu.
enum class SessionItem { Remove, Replace, Insert, Change, Extension, Save };

/// The keyword passed for a submenu item: "Save" passes "Savealls" for exactly one entry
/// that names an existing folder, "Savesomes" otherwise.
std::string SessionKeyword(SessionItem item, const std::vector<std::string>& entries, platform::FileSystem& fs);

/// Starts another instance of the program with one argument, without waiting for it.
class InstanceLauncher {
 public:
  virtual ~InstanceLauncher() = default;
  virtual bool startDetached(const std::string& keyword) = 0;
};

/// Starts the running executable again, detached, with the keyword as its only argument.
class DetachedLauncher final : public InstanceLauncher {
 public:
  bool startDetached(const std::string& keyword) override;
};

/// Writes the entries to the hand-off list (replacing it, CR LF after each) and starts a
/// new instance with the keyword. False when the list could not be written or the
/// instance not started.
bool StartAnotherSession(const std::vector<std::string>& entries, const std::string& keyword,
                         platform::FileSystem& fs, const std::string& installDir, InstanceLauncher& launcher);

}  // namespace velmora::app
