// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm7, "Options": its check boxes and number fields are the live option values; every
// change is published to the program (Program::runOptions()), where the other windows read
// them.
//
// Its port for the other windows:
//  - loadSettings(): reads the settings key into the controls (the main window's first
//    housekeeping tick, the editor in a hand-off session, and any close without "Ok").
//  - setAutocopy(): the sample box's automatic-copy switch.
//  - showModal(): the main window's, the editor's and the preview's "Options" buttons.
//  - setHistoryMaximum(): "Max Number:" of the new name list, raised by the list editor.

#include <QDialog>
#include <memory>

#include "batch/run_options.h"
#include "batch/interfaces.h"
#include "ui/number_field.h"
#include "ui/ports.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;

namespace velmora::ui {

class Program;
namespace Ui {
class OptionsWindow;
}

class OptionsWindow final : public QDialog, public OptionsPort {
  Q_OBJECT

 public:
  explicit OptionsWindow(Program& program, QWidget* parent = nullptr);
  ~OptionsWindow() override;

  /// The option values from the controls at this moment.
  batch::RunOptions runOptions() const;
  void showModal() override { exec(); }
  void loadSettings() override;
  void setAutocopy(bool on) override;
  int historyMaximum() const;
  /// Sets "Max Number:" and takes it also as the maximum remembered when the window was
  /// shown (the new name list editor raises it while the window is open).
  void setHistoryMaximum(int maximum) override;
  bool isShown() const override { return isVisible(); }
  bool contextMenuIntegration() const;

  /// The launcher that the file-manager entries call; the one beside the program unless
  /// set otherwise.
  void setLauncherPath(const QString& path) { launcherPath_ = path; }

  // ---- buttons (public so that tests drive them) ----
  void OkClick();
  void DefaultClick();
  void HelpClick();

 signals:
  /// "Edit" and "Clear" of the "New name list" page.
  void editHistoryRequested();
  void clearHistoryRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void setControls(const batch::RunOptions& options, bool contextMenu);
  void setOrder(const batch::ItemOrder& order);
  void applyFileManagerIntegration();
  void showFileManagerState();
  /// Walks, probes and listings leave out hidden items unless the check box asks for them,
  /// and always the program folder.
  void applyListingRules();
  /// Hands the controls' values to the program.
  void publish();

  Program& program_;
  QString launcherPath_;
  std::unique_ptr<Ui::OptionsWindow> ui_;
  /// "Max Number:" when the window was shown; a smaller one at "Ok" shortens the history.
  int shownHistoryMaximum_ = 20;
  QCheckBox* exitAfterRun_;
  QCheckBox* displayResult_;
  QCheckBox* confirm_;
  QCheckBox* contextMenu_;
  QLabel* fileManagerState_;
  QCheckBox* autocopy_;
  QCheckBox* excludeSmallWords_;
  QCheckBox* dontOpenListing_;
  QCheckBox* hidden_;
  QCheckBox* liveNames_;
  NumberField* previewCount_;
  QComboBox* order_;          ///< "Numbering order": name, natural, date modified, size
  QCheckBox* orderDescending_;
  NumberField* historyMax_;
  NumberField* keptRuns_;
  int shownKeptRuns_ = batch::kKeptRunsDefault;  ///< the runs kept when the window was shown
};

}  // namespace velmora::ui
