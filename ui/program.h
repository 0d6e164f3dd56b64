// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program: the application-wide state, the values the windows share, the
// services every window uses (messages, dialogs, the file system) and the start-up with its
// launch and close timers.
//
// How the windows reach each other (follow this in every window of ui/):
//  - A window includes ui/program.h (and app/, batch/, engine/, platform/ headers,
//    ui/desktop_look.h, ui/qt_*.h), never another window's header. program.h and
//    program.cpp include no window header either; only the composition root (ui/desktop)
//    and ui/main.cpp include every window.
//  - Values that several windows read live here: runOptions() (the Options window's
//    controls, published by that window on every change), specialStringSettings() (the
//    special string dialog's, likewise) and the name history. Read them here, never from
//    the window that shows them.
//  - A request to another window goes through that window's port (ui/ports.h), reached by
//    program_.mainWindow(), editor(), options(), specialStrings(), preview(), progress(),
//    historyEditor(), singleRename(), folderAdd(). A window implements its port (public
//    inheritance, `override`) and the desktop hands it to attach(). A new request is a new
//    port method, not an include.
//  - Signals of one window meant for another are connected by the desktop (ui/desktop.cpp).
//  - Mechanically: `program_.options().runOptions()` is `program_.runOptions()`,
//    `program_.specialStrings().settings()` is `program_.specialStringSettings()`,
//    `program_.options().exec()` is `program_.options().showModal()`,
//    `program_.mainWindow().close()` / `.show()` are `.closeWindow()` / `.showWindow()`,
//    `program_.preview().list()->clear()` is `program_.preview().clearRows()`, and a
//    `MainWindow&` / `ProgressWindow*` kept in a local is a `MainWindowPort&` / `ProgressPort*`.

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/startup.h"
#include "batch/run_options.h"
#include "batch/interfaces.h"
#include "batch/name_history.h"
#include "engine/operation_record.h"
#include "media/metadata.h"
#include "platform/file_system.h"
#include "ui/ports.h"

namespace velmora::ui {

class Dialogs;

/// What the windows use to reach the outside; tests put recorders in their place.
struct Services {
  batch::Messages* messages = nullptr;
  Dialogs* dialogs = nullptr;
  app::InstanceLauncher* launcher = nullptr;
  platform::FileSystem* fs = nullptr;  ///< the machine's file system when null
  media::MetadataReader* tags = nullptr;  ///< the build's tag reader when null
};

/// The windows' ports, handed over by the desktop once every window exists.
struct WindowPorts {
  MainWindowPort* main = nullptr;
  EditorPort* editor = nullptr;
  SpecialStringsPort* specialStrings = nullptr;
  ProgressPort* progress = nullptr;
  PreviewPort* preview = nullptr;
  OptionsPort* options = nullptr;
  HistoryPort* history = nullptr;
  SingleRenamePort* singleRename = nullptr;
  FolderAddPort* folderAdd = nullptr;
  /// The help window, created on the first request for help (it is none of the nine).
  std::function<HelpPort&()> help;
};

class Program final : public QObject {
  Q_OBJECT

 public:
  /// Opens the settings key, determines the program's folder and takes over a journal left
  /// by an interrupted run. The windows come afterwards (ui/desktop).
  explicit Program(const Services& services);
  ~Program() override;

  void attach(WindowPorts ports);

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
  /// What reads a file's photo and music tags, for the runs and the special string dialog.
  media::MetadataReader& tags() { return *services_.tags; }
  /// The stop flag of the running walk, run, undo or listing export.
  batch::StopFlag& stopFlag() { return stop_; }
  /// The new-name history ("Newname.txt" in the program's folder).
  batch::NameHistory& nameHistory() { return *nameHistory_; }

  /// The Options window's values as its controls hold them now.
  const batch::RunOptions& runOptions() const { return runOptions_; }
  void setRunOptions(const batch::RunOptions& options) { runOptions_ = options; }
  /// Whether special strings are used, the start number of ordered numbers and the
  /// character kinds of random strings, as the special string dialog holds them now.
  const engine::SpecialStringSettings& specialStringSettings() const { return specialStrings_; }
  void setSpecialStringSettings(const engine::SpecialStringSettings& s) { specialStrings_ = s; }

  MainWindowPort& mainWindow() { return *ports_.main; }
  EditorPort& editor() { return *ports_.editor; }
  SpecialStringsPort& specialStrings() { return *ports_.specialStrings; }
  ProgressPort& progress() { return *ports_.progress; }
  PreviewPort& preview() { return *ports_.preview; }
  OptionsPort& options() { return *ports_.options; }
  HistoryPort& historyEditor() { return *ports_.history; }
  SingleRenamePort& singleRename() { return *ports_.singleRename; }
  FolderAddPort& folderAdd() { return *ports_.folderAdd; }

  QTimer& launchTimer() { return launchTimer_; }
  QTimer& closeTimer() { return closeTimer_; }

  /// The main window's help routine: the topic of the first visible window among the
  /// special string dialog, the preview and the Options window.
  void showMainHelp();
  /// Shows a help topic in the help window.
  void showHelpTopic(const QString& topic);
  /// The end-of-run sound; returns when it has ended (silence without audio or a screen).
  void playEndSound();
  /// The Options window's "Clear" of the new name list: the history, the editor's lists
  /// and the list editor's text emptied once the user agreed.
  void clearHistory();

 private:
  void launchTimerFired();

  Services services_;
  app::AppState state_;
  batch::StopFlag stop_;
  std::unique_ptr<batch::NameHistory> nameHistory_;
  batch::RunOptions runOptions_;
  engine::SpecialStringSettings specialStrings_;
  app::StartupPlan plan_;
  QTimer launchTimer_;
  QTimer closeTimer_;
  WindowPorts ports_;
};

}  // namespace velmora::ui
