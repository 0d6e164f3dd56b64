// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm1, the operation editor: the target line, the scope list, the sample box, the presets
// row, one page per operation (ui/editor/*_page) and the button bar, or the About panel in
// their place. The editor runs the flow: it opens on the current operation, OK runs the
// core's checks and then the batch run (or the listing export), and closing it writes the
// rollback log and hands control back to the main window.
//
// Controls carry their layout names as objectName (Edit1, CheckBox6, ComboBoxEx4, ...).
// Their values are the operation's parameters and live as long as the program.

#include <QDialog>
#include <QTimer>
#include <memory>
#include <string>

#include "batch/batch_run.h"
#include "batch/listing_export.h"
#include "batch/record_fields.h"
#include "batch/rollback_log.h"
#include "batch/run_pipeline.h"
#include "engine/operation_record.h"
#include "ui/editor/sample_box.h"
#include "ui/ports.h"

class QComboBox;
class QMenu;

namespace velmora::ui {

class OperationPage;
class Program;

namespace Ui {
class OperationEditor;
}

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
  void okClicked();       ///< OK (SpeedButton15)
  void previewClicked();  ///< Preview (SpeedButton21)
  void selectClicked();   ///< Select (SpeedButton20): back to the main window
  void exitClicked();     ///< Exit (SpeedButton17)
  void aboutClicked();    ///< About (SpeedButton16)
  void AboutBackClick();      ///< the About panel's "Back" and "Close"
  void CopyCommandClick();    ///< "Copy as command": the velmora-cli line on the clipboard

  // ---- state that other parts read ----
  int cursorPos() const;
  int focusedInput() const { return focusedInput_; }
  bool logPending() const { return logPending_; }
  bool isOpen() const { return open_; }
  bool aboutShown() const;
  batch::RunMode runMode() const { return runMode_; }
  /// The operation record as the pages and the sample describe it now.
  engine::OperationRecord buildRecord() const;
  batch::ListingSettings listingSettings() const;
  /// The record with the special-string settings: what a preset stores.
  batch::RecordSettings recordSettings() const;
  /// The velmora-cli command line that does this operation on this target.
  std::string commandLine() const;
  /// Sets the controls from a saved preset; false when it cannot be read (a message says why).
  bool loadPreset(const QString& name);
  /// Where presets are read and written (the config folder's unless a test sets another).
  void setPresetsFolder(const std::string& folder);
  SampleBox* sampleBox() const;
  QTimer& focusTimer() { return focusTimer_; }
  /// The sample box's context menu, with its items enabled as when it opens.
  QMenu* sampleMenu();

 signals:
  // The editor tells; the main window, wired to these by the desktop, reacts.
  void opened();                               ///< shown: the main window's timer pauses
  void handOffFolderShown(const QString& folder);  ///< a hand-off start's folder, for the folder box
  void entryAdded(const QString& text);       ///< a run's item for the main list (hand-picked)
  void listCleared();                         ///< a run starts: the main list empties
  void leaving(bool handOff);                 ///< about to hide: a hand-off start shows the main window
  void closed(const EditorClosed& closing);   ///< hidden, the operation reset
  void programEndRequested();                 ///< "Exit", or the option to exit after a run
  void runStarting();                         ///< a run or preview starts: background work yields
  void runReported(const QString& summary);   ///< a run ended: what it did, for the status bar

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // set-up (operation_editor.cpp)
  void openOn(Qt::WindowModality modality);
  void wireButtonBar();
  void wirePages();
  void applyPreset(const batch::RecordSettings& settings);
  void FormShow();
  void showOperationArea(bool shown);
  void setCaptionForOperation();
  void setTargetLine();
  void setSample();
  void showPage();
  void markSampleLetter(OperationPage* page);
  /// The page of the current operation; null for none (Browsefile, Savesomes).
  OperationPage* currentPage() const;
  void focusTimerFired();
  void setSampleText(const QString& text, const QString& hint);
  void fillHistoryLists(bool copiesToo);
  void ComboBox1Change(int index);
  void showScope(batch::FolderScope scope);
  void clearSelection();
  void sampleMousePress();
  void sampleMouseMove();
  void specialButtonClick(QComboBox* target);

  // OK, the run and the export (editor_run.cpp)
  void OK();
  void startRun(const engine::OperationRecord& record, platform::FileSystem& fs);
  void endRun(const batch::RunReport& report);
  void exportListing(engine::OperationKind kind);
  /// The focus into the box of the record field a refused check points at.
  void focusField(const std::string& field);

  Program& program_;
  std::unique_ptr<Ui::OperationEditor> ui_;
  batch::RunMode runMode_ = batch::RunMode::Rename;
  bool logPending_ = false;
  bool open_ = false;
  bool running_ = false;
  bool settingScope_ = false;
  int focusedInput_ = 1;
  QString previewCaption_;
  QTimer focusTimer_;
};

}  // namespace velmora::ui
