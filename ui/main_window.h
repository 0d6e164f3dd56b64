// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm4, the main window: the target (one folder, or a hand-picked list of files), the
// operation buttons, Undo, the list's context menu and keys, and the housekeeping timer.
// Closing it ends the program.

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <vector>

#include "app/startup.h"
#include "engine/operation_record.h"
#include "ui/ports.h"

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QToolButton;

namespace velmora::ui {

class FileListModel;
class Program;
namespace Ui {
class MainWindow;
}

class MainWindow final : public QMainWindow, public MainWindowPort {
  Q_OBJECT

 public:
  explicit MainWindow(Program& program);
  ~MainWindow() override;

  // ---- what the window publishes to the other windows ----

  /// Appends an entry as it is (no duplicate test); the run uses it in hand-picked mode.
  void AddEntry(const QString& text) override;
  /// Lists the folder box's folder: subfolders, then files, each sorted without regard to
  /// case; lets events be processed while it works and stops when cancelled. A request
  /// that arrives while a listing runs cancels it and lists again once it has returned.
  void ListFolder() override;
  /// The operation buttons: checks the target, hands it over and opens the editor.
  void StartOperation(engine::OperationKind kind);
  /// Empties the list (the folder box and the mode stay).
  void clearList() override;
  /// Hand-picked mode: the entries are full paths.
  bool isHandPicked() const { return handPicked_; }
  QString folderBoxText() const;
  /// Folder mode with this folder in the folder box (the list is not refreshed).
  void setFolderBox(const QString& folder) override;
  /// Hand-picked mode with these paths appended; with `withStatus` the status bar shows
  /// their number followed by " Files".
  void showHandPicked(const std::vector<std::string>& paths, bool withStatus) override;
  QString statusText() const;
  void setStatusText(const QString& text);
  /// The status bar's line of what the last run or undo did (beside the list's count).
  void showRunSummary(const QString& text);
  QString runSummary() const;
  void startHousekeeping() override;
  void stopHousekeeping() override;
  void showWindow() override { show(); }
  /// The editor closed: the list, the folder box and the timer as the close leaves them.
  void editorClosed(const EditorClosed& closing);
  void closeWindow() override { close(); }
  bool housekeepingActive() const { return housekeeping_.isActive(); }
  /// Hand-picked "Refresh": drops every entry that is not an existing file.
  void refreshHandPicked();
  FileListModel& model() { return *model_; }
  QListView* list() const { return list_; }
  bool isListing() const { return listing_; }
  /// Rows of the selected entries, ascending.
  QVector<int> selectedRows() const;

  // ---- buttons and commands (public so that tests drive them) ----
  void FolderButtonClick();
  void FilesButtonClick();
  void DeleteButtonClick();
  void UndoButtonClick();
  /// Undoes the last `runs` runs of the undo history, newest first, after one question.
  void undoRuns(int runs);
  /// The Undo button's drop-down: one entry per run of the undo history, newest first.
  void fillUndoMenu(QMenu* menu);
  void UpperDirectoryClick();
  void ListDoubleClick();
  void RenameClick();
  void DeleteEntriesClick();
  void RefreshClick();
  void SortClick();
  void CopyFilenameClick();
  void OpenFileClick();
  void OpenFolderClick();
  void SelectAllClick();
  void InverseSelectClick();
  void ClearClick();
  void RenameInAnotherSession(app::SessionItem item);
  /// Dropped paths, in the platform's order: only in hand-picked mode; the first path that
  /// is not an existing file ends the processing.
  void dropPaths(const QStringList& paths);
  /// Sets the context menu items' enabled states as the menu does when it opens.
  void updateMenuItems();
  QMenu* contextMenu() const { return menu_; }
  QAction* menuAction(const QString& objectName) const;
  QToolButton* button(const QString& objectName) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  /// The window closed: the program ends.
  void closed();

 private:
  /// A folder path with its closing separator.
  static QString WithSeparator(QString folder);
  static bool IsFolder(const QString& path);
  static bool IsFile(const QString& path);

  void buildWindow();
  void buildMenu();
  void housekeepingTick();
  void navigationTick();
  void navigateTo(const QString& folder);
  void requestListing();
  void addFilesOfFolder(const QString& folder);
  QString entryPath(int row) const;
  /// The folder worked on: the folder box's, else the first entry's folder ("" for none).
  QString workingFolder() const;
  bool listKey(QKeyEvent* event);

  Program& program_;
  std::unique_ptr<Ui::MainWindow> ui_;
  FileListModel* model_;
  QListView* list_;
  QLineEdit* folderBox_;
  QLabel* labelLine_;
  QLabel* status_;
  QLabel* summary_;
  QMenu* menu_;
  QTimer housekeeping_;
  QTimer navigation_;
  bool firstTick_ = true;
  bool handPicked_ = true;
  bool listing_ = false;
  bool cancelListing_ = false;
};

}  // namespace velmora::ui
