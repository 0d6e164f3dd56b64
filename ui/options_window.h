#pragma once
// TForm7, "Options": its check boxes and number fields are the live option values that
// the other windows read when they need one.
//
// API for the other windows:
//  - runOptions(): the option values from the controls at this moment.
//  - loadSettings(): reads the settings key into the controls (the main window's first
//    housekeeping tick, the editor in a hand-off session, and any close without "Ok").
//  - setAutocopy(): the sample box's automatic-copy switch.
//  - exec(): shown modally by the main window's and the editor's "Options" buttons.
//  - historyMaximum(): "Max Number:" of the new name list.

#include <QDialog>

#include "batch/interfaces.h"

class QCheckBox;
class QSpinBox;

namespace velmora::ui {

class Program;

class OptionsWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit OptionsWindow(Program& program, QWidget* parent = nullptr);

  batch::RunOptions runOptions() const;
  void loadSettings();
  void setAutocopy(bool on);
  int historyMaximum() const;
  void setHistoryMaximum(int maximum);
  bool contextMenuIntegration() const;

 signals:
  /// "Edit" and "Clear" of the "New name list" page.
  void editHistoryRequested();
  void clearHistoryRequested();

 protected:
  void done(int result) override;

 private:
  void OkClick();
  void DefaultClick();
  void setControls(const batch::RunOptions& options, bool contextMenu);

  Program& program_;
  QCheckBox* exitAfterRun_;
  QCheckBox* displayResult_;
  QCheckBox* confirm_;
  QCheckBox* contextMenu_;
  QCheckBox* autocopy_;
  QCheckBox* excludeSmallWords_;
  QCheckBox* dontOpenListing_;
  QSpinBox* previewCount_;
  QSpinBox* historyMax_;
};

}  // namespace velmora::ui
