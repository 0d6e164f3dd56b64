// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm1, the operation editor: one page of input controls per operation, the target
// line, the scope list, the sample name with its mouse selection, and the button bar. OK
// runs the core's checks and then the batch run (or the listing export); closing the
// editor writes the rollback log and hands control back to the main window.
//
// Controls carry their layout names as objectName (Edit1, CheckBox6, ComboBoxEx4,
// RadioButton18, LabeledEdit1, RichEdit2, SpeedButton15, ...). Their values are the
// operation's parameters and live as long as the program.

#include <QDialog>
#include <QHash>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <memory>

#include "batch/batch_run.h"
#include "batch/listing_export.h"
#include "batch/record_fields.h"
#include "batch/rollback_log.h"
#include "engine/operation_record.h"
#include "ui/ports.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace velmora::ui {

class Program;

/// The read-only one-line sample box: reports mouse press, move and release after the
/// box has placed its caret and selection. The selection is the one the user made last: it
/// stays (and stays shown) when the focus moves elsewhere or comes back by Tab, and only
/// the user's own selecting, keepSelection(), clearKeptSelection() and a new text change it.
class SampleBox final : public QLineEdit {
 public:
  explicit SampleBox(QWidget* parent = nullptr);
  std::function<void()> onPress, onMove, onRelease;

  /// Start and length of the kept selection, in characters; the length is 0 for none, and
  /// the start is then the caret's position.
  int keptStart() const { return keptStart_; }
  int keptLength() const { return keptLength_; }
  QString keptText() const { return text().mid(keptStart_, keptLength_); }
  void clearKeptSelection();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void keepSelection();
  void showKeptSelection();

  int keptStart_ = 0;
  int keptLength_ = 0;
  bool focusChanging_ = false;  ///< the box's own focus handling moves the selection
};

class OperationEditor final : public QDialog, public EditorPort {
  Q_OBJECT

 public:
  explicit OperationEditor(Program& program, QWidget* parent = nullptr);
  ~OperationEditor() override;

  /// From the main window: the set-up for the current operation, shown modally.
  void openModal() override;
  /// From a hand-off start: the set-up, shown without modality.
  void openNonModal() override;
  /// From the main window's "About": the About panel, shown modally.
  void showAbout() override;
  /// "Savesomes": the listing export of the hand-picked list, without showing the editor.
  void exportPickedList() override;
  /// Reloads the six new-name lists from the history. With the history off (maximum 0)
  /// the other five lists are never emptied: they keep their entries until the program ends.
  void refreshHistoryLists() override;
  /// All six lists := the history, also when it is off (its "Clear", the list editor's "Save").
  void showWholeHistory() override;
  /// The preview's "Rename": the run as OK starts it.
  void renameFromPreview();
  /// The preview's "Show": the name of that old path as the sample.
  void showSampleOf(const QString& oldPath);
  /// The close steps, whatever closed the editor.
  void closeEditor();

  // ---- buttons (public so that tests drive them) ----
  void SpeedButton15Click();  ///< OK
  void SpeedButton21Click();  ///< Preview
  void SpeedButton20Click();  ///< Select
  void SpeedButton17Click();  ///< Exit
  void SpeedButton16Click();  ///< About
  void AboutBackClick();      ///< the About panel's "Back" and "Close"
  void CopyCommandClick();    ///< "Copy as command": the velmora-cli line on the clipboard
  void PresetSaveClick();     ///< saves the operation under the preset box's name
  void PresetDeleteClick();   ///< deletes the preset named in the preset box

  // ---- state that other parts read ----
  int cursorPos() const { return cursorPos_; }
  int focusedInput() const { return focusedInput_; }
  bool logPending() const { return logPending_; }
  bool isOpen() const { return open_; }
  bool aboutShown() const;
  batch::RunMode runMode() const { return runMode_; }
  /// The operation record as the controls and the sample describe it now.
  engine::OperationRecord buildRecord() const;
  batch::ListingSettings listingSettings() const;
  /// The record with the special-string settings: what a preset stores.
  batch::RecordSettings recordSettings() const;
  /// The velmora-cli command line that does this operation on this target.
  std::string commandLine() const;
  /// Sets the controls of the current operation from a saved preset; false when it cannot
  /// be read (a message says why).
  bool loadPreset(const QString& name);
  /// The preset box's list, from the presets folder.
  void refreshPresets();
  /// Where presets are read and written (the config folder's unless a test sets another).
  void setPresetsFolder(const std::string& folder) { presetsFolder_ = folder; }
  SampleBox* sampleBox() const { return richEdit2_; }
  QTimer& focusTimer() { return focusTimer_; }
  /// The sample box's context menu, with its items enabled as when it opens.
  QMenu* sampleMenu();

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // layout
  void buildWindow();
  /// Sets the controls of every operation page from a record (a loaded preset).
  void applyRecord(const engine::OperationRecord& record);
  std::string presetsFolder() const;
  void fixPageHeights();
  QWidget* buildRemovePage();
  QWidget* buildReplacePage();
  QWidget* buildInsertPage();
  QWidget* buildChangePage();
  QWidget* buildExtensionPage();
  QWidget* buildSavePage();
  QWidget* buildAboutPanel();
  QLineEdit* makeEdit(const char* name, QWidget* parent, bool enterRunsOk);
  QComboBox* makeHistoryBox(const char* name, QWidget* parent);
  QRadioButton* makeRadio(const char* name, const QString& caption, QWidget* parent);
  QCheckBox* makeCheck(const char* name, const QString& caption, QWidget* parent, bool checked);
  QPushButton* makeSpecialButton(const char* name, const QString& caption, QComboBox* target, QWidget* parent);
  QLabel* labelFor(QWidget* control, const QString& caption, QWidget* parent);
  QButtonGroup* radioGroup(std::initializer_list<QRadioButton*> radios);
  void setShown(std::initializer_list<QWidget*> widgets, bool shown);

  // set-up and close
  void FormShow();
  void showOperationArea(bool shown);
  void setCaptionForOperation();
  void setTargetLine();
  void setSample();
  void showPage();
  void focusTimerFired();
  void setSampleText(const QString& text, const QString& hint);
  void fillHistoryLists(bool copiesToo);

  // handlers
  void radioChanged(QRadioButton* radio);
  void boldCheckedRadios(QButtonGroup* group);
  void ComboBox1Change(int index);
  void clearSelection();
  void sampleMousePress();
  void sampleMouseMove();
  void specialButtonClick(QComboBox* target);

  // OK, the run and the export
  void OK();
  void startRun(const engine::OperationRecord& record);
  void endRun();
  void exportListing(engine::OperationKind kind);
  void focusByName(const std::string& objectName);
  std::string selectedSampleText() const;
  int selectionStartBytes() const;
  int selectionLengthBytes() const;

  Program& program_;
  batch::RunMode runMode_ = batch::RunMode::Rename;
  bool logPending_ = false;
  bool open_ = false;
  bool running_ = false;
  bool settingScope_ = false;
  bool sampleMouseDown_ = false;
  int cursorPos_ = 0;
  int focusedInput_ = 1;
  QString previewCaption_;
  batch::RollbackLog pendingLog_;
  std::unique_ptr<batch::RunJournal> journal_;
  bool journalFailed_ = false;  ///< the last run's journal refused it or failed in it
  QTimer focusTimer_;
  QHash<QObject*, int> focusCodes_;
  QHash<QWidget*, QWidget*> labels_;
  QMenu* sampleMenu_ = nullptr;

  // window parts
  QWidget* operationArea_;
  QWidget* aboutPanel_;
  QLabel* label1_;
  QLabel* label2_;
  QWidget* panel12_;
  QComboBox* comboBox1_;
  SampleBox* richEdit2_;
  QWidget* removePage_;
  QWidget* replacePage_;
  QWidget* insertPage_;
  QWidget* changePage_;
  QWidget* extensionPage_;
  QWidget* savePage_;
  QPushButton* speedButton21_;
  QWidget* presetRow_ = nullptr;
  QComboBox* presets_ = nullptr;
  std::string presetsFolder_;

  // remove page
  QRadioButton *radioButton6_, *radioButton7_, *radioButton23_, *radioButton25_;
  QGroupBox *removeStringGroup_, *removeAnythingGroup_, *cleanGroup_, *keepGroup_;
  QLineEdit *edit1_, *edit2_, *edit10_;
  QCheckBox* checkBox6_;
  QRadioButton *radioButton12_, *radioButton13_, *radioButton10_, *radioButton11_;
  QLabel* removeDirectionLabel_;
  QLineEdit *edit11_, *edit12_;
  QCheckBox* checkBox5_;
  QCheckBox *checkBox18_, *checkBox20_, *checkBox22_, *checkBox23_, *checkBox24_, *checkBox25_, *checkBox26_;
  QLineEdit *edit13_, *edit15_;
  QRadioButton *radioButton30_, *radioButton29_, *radioButton27_, *radioButton28_;
  QLabel* keepDirectionLabel_;
  QLineEdit *edit14_, *edit16_;

  // replace page
  QComboBox* comboBoxEx4_;
  QRadioButton *radioButton18_, *radioButton19_, *radioButton20_, *radioButton21_;
  QLabel* replaceDirectionLabel_;
  QLineEdit* labeledEdit1_;
  QCheckBox* checkBox7_;

  // insert page
  QRadioButton *radioButton9_, *radioButton3_;
  QGroupBox *positionGroup_, *insertStringGroup_;
  QCheckBox *checkBox2_, *checkBox3_, *checkBox4_;
  QComboBox *comboBoxEx1_, *comboBoxEx2_, *comboBoxEx3_, *comboBoxEx6_;
  QRadioButton *radioButton33_, *radioButton34_;
  QLabel* insertDirectionLabel_;
  QComboBox* comboBox2_;
  QLineEdit *labeledEdit2_, *labeledEdit5_;

  // change page
  QRadioButton *radioButton14_, *radioButton15_, *radioButton16_, *radioButton17_, *radioButton22_;
  QComboBox* comboBoxEx5_;
  QPushButton* button8_;
  QLabel* newNameLabel_;
  QCheckBox *checkBox16_, *checkBox19_;

  // extension page
  QRadioButton *radioButton24_, *radioButton26_, *radioButton31_, *radioButton32_;
  QGroupBox *changeExtensionGroup_, *convertExtensionGroup_;
  QLineEdit *labeledEdit4_, *labeledEdit3_;
  QCheckBox* checkBox1_;

  // save page
  QRadioButton *radioButton8_, *radioButton4_, *radioButton5_, *radioButton1_, *radioButton2_;
  QCheckBox* checkBox17_;
  QGroupBox* fileTypesGroup_;
  QCheckBox *checkBox8_, *checkBox9_, *checkBox10_, *checkBox11_, *checkBox13_, *checkBox12_;
  QLineEdit* edit3_;
  QCheckBox *checkBox14_, *checkBox15_;
};

}  // namespace velmora::ui
