// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The composition root of the desktop program: creates the program, then the nine windows
// once, in their fixed order, hands their ports to the program and connects the signals of
// one window meant for another. The only place besides ui/main.cpp that knows every window.

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "ui/program.h"

class QTimer;
class QWidget;

namespace velmora::ui {

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
class LiveNames;
class OnScreenKeeper;

class Desktop final {
 public:
  /// Creates the windows in the order TForm4, TForm1, TForm3, TForm5, TForm6, TForm7,
  /// TForm8, TForm2, TForm9.
  explicit Desktop(const Services& services);
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  Program& program() { return *program_; }

  // The program's own, for callers that hold the desktop.
  void start(const std::string& firstArgument) { program_->start(firstArgument); }
  void start(const app::CommandLine& line) { program_->start(line); }
  app::AppState& state() { return program_->state(); }
  platform::FileSystem& fs() { return program_->fs(); }
  batch::StopFlag& stopFlag() { return program_->stopFlag(); }
  batch::NameHistory& nameHistory() { return program_->nameHistory(); }
  QTimer& launchTimer() { return program_->launchTimer(); }
  QTimer& closeTimer() { return program_->closeTimer(); }
  void showMainHelp() { program_->showMainHelp(); }
  void showHelpTopic(const QString& topic) { program_->showHelpTopic(topic); }

  MainWindow& mainWindow() { return *main_; }
  OperationEditor& editor() { return *editor_; }
  SpecialStringDialog& specialStrings() { return *special_; }
  ProgressWindow& progress() { return *progress_; }
  PreviewWindow& preview() { return *preview_; }
  OptionsWindow& options() { return *options_; }
  HistoryEditor& historyEditor() { return *history_; }
  SingleRenameDialog& singleRename() { return *rename_; }
  FolderAddDialog& folderAdd() { return *folderAdd_; }
  /// The new names shown while the editor is open.
  LiveNames& liveNames() { return *live_; }
  /// The help window, created on the first request for help.
  HelpWindow& helpWindow();
  /// The windows in the order they were created.
  const std::vector<QWidget*>& windows() const { return windows_; }

 private:
  void connectWindows();

  // Destroyed in reverse order: the windows before the program they use.
  std::unique_ptr<Program> program_;
  std::vector<QWidget*> windows_;
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
  std::unique_ptr<LiveNames> live_;
  std::unique_ptr<OnScreenKeeper> keeper_;  ///< destroyed first: it paints in the main window's list
};

}  // namespace velmora::ui
