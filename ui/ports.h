// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one window may ask of another: a small interface per window ("port"), implemented
// by that window and handed to the program by the composition root (ui/desktop). A window
// reaches the others only through Program's accessors, which return these ports, so no
// window includes another window's header. See ui/program.h for the whole pattern.

#include <QString>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_run.h"
#include "batch/interfaces.h"
#include "engine/operation_record.h"

namespace velmora::ui {

/// The main window's list and folder box, its housekeeping timer and its close (which ends
/// the program).
class MainWindowPort {
 public:
  virtual ~MainWindowPort() = default;
  virtual void AddEntry(const QString& text) = 0;
  virtual void clearList() = 0;
  virtual void ListFolder() = 0;
  virtual void setFolderBox(const QString& folder) = 0;
  virtual void showHandPicked(const std::vector<std::string>& paths, bool withStatus) = 0;
  virtual void startHousekeeping() = 0;
  virtual void stopHousekeeping() = 0;
  virtual void showWindow() = 0;
  virtual void closeWindow() = 0;
};

/// What the editor tells when it closes; the main window reacts (its list, its folder, its
/// housekeeping timer), the editor never reaches into it.
struct EditorClosed {
  bool afterRun = false;  ///< a run (or a listing export) ended, which closed the editor
  bool handOff = false;   ///< the program was started for this one operation
  std::string folder;     ///< the target folder ("" in hand-picked mode)
  std::vector<std::string> picked;  ///< the hand-picked paths
};

/// The operation editor's ways in and its six new-name lists.
class EditorPort {
 public:
  virtual ~EditorPort() = default;
  virtual void openModal() = 0;
  virtual void openNonModal() = 0;
  virtual void showAbout() = 0;
  virtual void exportPickedList() = 0;
  virtual void refreshHistoryLists() = 0;
  virtual void showWholeHistory() = 0;
};

/// The special string dialog. Its settings themselves are Program::specialStringSettings().
class SpecialStringsPort {
 public:
  virtual ~SpecialStringsPort() = default;
  /// Sets the dialog's controls (a loaded preset).
  virtual void setSettings(const engine::SpecialStringSettings& settings) = 0;
  /// Shows the dialog modally; the placeholder chosen, "" when cancelled or switched off.
  virtual QString chooseToken(std::size_t itemCount) = 0;
  virtual bool isShown() const = 0;
};

/// The modal progress window in which a long run, undo or listing export works.
class ProgressPort {
 public:
  virtual ~ProgressPort() = default;
  virtual void run(const std::function<void()>& work, batch::StopFlag& stop) = 0;
  virtual void start(int maximum) = 0;
  /// The item just done, its names as the file system's bytes (decoded only when shown).
  virtual void showItem(std::string_view oldName, std::string_view newName, int step) = 0;
  virtual void processEvents() = 0;
  virtual void setSearching(bool on) = 0;
};

/// The preview of a run.
class PreviewPort {
 public:
  virtual ~PreviewPort() = default;
  virtual void showRows(const QString& caption, const std::vector<batch::PreviewRow>& rows) = 0;
  virtual void clearRows() = 0;
  virtual void closePreview() = 0;
  virtual bool isShown() const = 0;
};

/// The Options window. Its values themselves are Program::runOptions().
class OptionsPort {
 public:
  virtual ~OptionsPort() = default;
  virtual void showModal() = 0;
  /// Reads the settings key into the controls.
  virtual void loadSettings() = 0;
  virtual void setAutocopy(bool on) = 0;
  /// "Max Number:" of the new name list, raised by the list editor.
  virtual void setHistoryMaximum(int maximum) = 0;
  virtual bool isShown() const = 0;
};

/// The new name list editor.
class HistoryPort {
 public:
  virtual ~HistoryPort() = default;
  virtual void editHistory() = 0;
  virtual void clearText() = 0;
};

/// What the main window hands the single rename dialog.
struct SingleRenameRequest {
  QString caption;          ///< "Rename a file" or "Rename a folder"
  QString name;             ///< the name box
  QString extension;        ///< the extension box, with its dot
  bool extensionShown = true;
  QString folderBox;        ///< the main window's folder box ("" in hand-picked mode)
  QString entryText;        ///< the entry's text
};

class SingleRenamePort {
 public:
  virtual ~SingleRenamePort() = default;
  /// The entry's new text after a successful rename; nothing when cancelled.
  virtual std::optional<QString> renameEntry(const SingleRenameRequest& request) = 0;
};

class FolderAddPort {
 public:
  enum Choice { Cancelled = 0, EditFolder = 1, AddFilesOfFolder = 2 };
  virtual ~FolderAddPort() = default;
  /// Shows the dialog modally: the checked choice, Cancelled for "Cancel" or a closed window.
  virtual int ask() = 0;
};

class HelpPort {
 public:
  virtual ~HelpPort() = default;
  virtual void showTopic(const std::string& installDir, const QString& topic) = 0;
};

/// Run hooks of a long loop: events processed (paced by the progress window when it shows
/// the loop, so long runs stay fast), its bar and names kept up to date.
class ProgressRunHooks : public batch::RunHooks {
 public:
  /// With a progress window and the stop flag its Cancel sets, a run that asks for it is
  /// carried out inside the window; `beforeWindow` runs just before the window opens.
  explicit ProgressRunHooks(ProgressPort* progress, batch::StopFlag* stop = nullptr,
                            std::function<void()> beforeWindow = {})
      : progress_(progress), stop_(stop), beforeWindow_(std::move(beforeWindow)) {}
  void processEvents() override;
  void progressStart(int maximum) override;
  void progressItem(std::string_view oldName, std::string_view newName, int step) override;
  /// Inside the progress window, or under the hourglass cursor without it.
  void carryOut(bool withProgress, const std::function<void()>& work) override;

 private:
  ProgressPort* progress_;
  batch::StopFlag* stop_;
  std::function<void()> beforeWindow_;
};

}  // namespace velmora::ui
