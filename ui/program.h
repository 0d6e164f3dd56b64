// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program: creates the nine windows once, in their fixed order, holds the
// application-wide state and the services every window uses (messages, dialogs, the file
// system), and carries out the start-up with its launch and close timers.

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/startup.h"
#include "batch/interfaces.h"
#include "batch/name_history.h"
#include "platform/file_system.h"

class QWidget;

namespace velmora::ui {

class Dialogs;
class MainWindow;
class OperationEditor;
class SpecialStringDialog;
class ProgressWindow;
class PreviewWindow;
class OptionsWindow;
class HistoryEditor;
class SingleRenameDialog;
class FolderAddDialog;
class HelpWindow;

/// What the windows use to reach the outside; tests put recorders in their place.
struct Services {
  batch::Messages* messages = nullptr;
  Dialogs* dialogs = nullptr;
  app::InstanceLauncher* launcher = nullptr;
  platform::FileSystem* fs = nullptr;  ///< the machine's file system when null
};

class Program final : public QObject {
  Q_OBJECT

 public:
  /// Opens the settings key, determines the program's folder, takes over a journal left
  /// by an interrupted run, and creates the windows in the order TForm4, TForm1, TForm3,
  /// TForm5, TForm6, TForm7, TForm8, TForm2, TForm9.
  explicit Program(const Services& services);
  ~Program() override;

  /// The first-argument handling: a normal start shows the main window; a keyword reads
  /// the hand-off list and arms the launch timer (and the close timer when asked).
  void start(const std::string& firstArgument);
  /// The whole command line: a folder is listed in the main window, files are shown there
  /// hand-picked; otherwise the keyword start above.
  void start(const app::CommandLine& line);

  app::AppState& state() { return state_; }
  batch::Messages& messages() { return *services_.messages; }
  Dialogs& dialogs() { return *services_.dialogs; }
  app::InstanceLauncher& launcher() { return *services_.launcher; }
  platform::FileSystem& fs() { return *services_.fs; }
  /// The stop flag of the running walk, run, undo or listing export.
  batch::StopFlag& stopFlag() { return stop_; }
  /// The new-name history ("Newname.txt" in the program's folder).
  batch::NameHistory& nameHistory() { return *nameHistory_; }

  MainWindow& mainWindow() { return *main_; }
  OperationEditor& editor() { return *editor_; }
  SpecialStringDialog& specialStrings() { return *special_; }
  ProgressWindow& progress() { return *progress_; }
  PreviewWindow& preview() { return *preview_; }
  OptionsWindow& options() { return *options_; }
  HistoryEditor& historyEditor() { return *history_; }
  SingleRenameDialog& singleRename() { return *rename_; }
  FolderAddDialog& folderAdd() { return *folderAdd_; }
  /// The windows in the order they were created.
  const std::vector<QWidget*>& windows() const { return windows_; }

  QTimer& launchTimer() { return launchTimer_; }
  QTimer& closeTimer() { return closeTimer_; }

  /// The main window's help routine: the topic of the first visible window among the
  /// special string dialog, the preview and the Options window.
  void showMainHelp();
  /// Shows a help topic in the help window.
  void showHelpTopic(const QString& topic);
  /// The end-of-run sound; returns when it has ended (silence without audio or a screen).
  void playEndSound();
  /// The help window, created on the first request for help (it is none of the nine).
  HelpWindow& helpWindow();

 private:
  void launchTimerFired();

  Services services_;
  app::AppState state_;
  batch::StopFlag stop_;
  std::unique_ptr<batch::NameHistory> nameHistory_;
  app::StartupPlan plan_;
  QTimer launchTimer_;
  QTimer closeTimer_;
  std::vector<QWidget*> windows_;
  // Owned here; destroyed in reverse order of creation.
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<OperationEditor> editor_;
  std::unique_ptr<SpecialStringDialog> special_;
  std::unique_ptr<ProgressWindow> progress_;
  std::unique_ptr<PreviewWindow> preview_;
  std::unique_ptr<OptionsWindow> options_;
  std::unique_ptr<HistoryEditor> history_;
  std::unique_ptr<SingleRenameDialog> rename_;
  std::unique_ptr<FolderAddDialog> folderAdd_;
  std::unique_ptr<HelpWindow> help_;
};

}  // namespace velmora::ui
