// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's list at work: navigation, the "Folder" and "Files" buttons, drops, the
// context menu's commands and the list's keys.
#include "ui/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

#include "app/settings_store.h"
#include "engine/name_model.h"
#include "ui/dialogs.h"
#include "ui/file_list_model.h"
#include "ui/program.h"
#include "ui/qt_text.h"

namespace velmora::ui {

namespace {

// Message texts go through batch::Messages, which translates them where it shows them.
const char* const kClearFilesForFolder =
    QT_TRANSLATE_NOOP("Core",
                      "You had selected some files, so can not edit a folder at the same time.\n"
                      "Do you want to clear the selected files in order to select A folder?");
const char* const kCancelFolderForFiles =
    QT_TRANSLATE_NOOP("Core",
                      "You had selected to edit a folder, so can not add another files at the same time.\n"
                      "Do you want to cancel the folder in order to select another files?");
const char* const kClearFolderForFiles =
    QT_TRANSLATE_NOOP("Core",
                      "You had selected a folder, so can not add another files at the same time.\n"
                      "Do you want to clear the folder in order to select another files?");

}  // namespace

// ---- navigation ----

void MainWindow::ListDoubleClick() {
  const QVector<int> rows = selectedRows();
  if (rows.isEmpty()) return;
  const QString path = entryPath(rows.front());
  if (IsFolder(path)) {
    navigateTo(path);
  } else if (IsFile(path)) {
    RenameClick();
  }
}

void MainWindow::UpperDirectoryClick() {
  QString folder = folderBox_->text();
  while (folder.endsWith(QLatin1Char('/'))) folder.chop(1);
  const qsizetype cut = folder.lastIndexOf(QLatin1Char('/'));
  // An empty folder box or the root has no parent: choose a folder instead.
  if (folder.isEmpty() || cut < 0) {
    FolderButtonClick();
    return;
  }
  const QString parent = folder.left(cut + 1);
  if (!IsFolder(parent)) {
    FolderButtonClick();
    return;
  }
  navigateTo(parent);
}

// ---- target buttons ----

QString MainWindow::workingFolder() const {
  if (!folderBox_->text().isEmpty()) return WithSeparator(folderBox_->text());
  if (!model_->isEmpty()) return WithSeparator(QFileInfo(model_->text(0)).absolutePath());
  return {};
}

void MainWindow::FolderButtonClick() {
  // The choosers start in the folder worked on (also when the list is cleared first).
  if (const QString working = workingFolder(); !working.isEmpty()) program_.dialogs().setWorkingFolder(working);
  const int choice = program_.folderAdd().ask();
  batch::Messages& messages = program_.messages();
  if (choice == FolderAddPort::EditFolder) {
    if (handPicked_ && !model_->isEmpty()) {
      if (messages.confirm(QT_TRANSLATE_NOOP("Core", "Select folder Confirmation"), kClearFilesForFolder,
                           batch::Buttons::OkCancel) == batch::Answer::Ok)
        model_->clear();
    }
    if (!handPicked_ || model_->isEmpty()) {
      const auto chosen =
          program_.dialogs().browseFolder(this, tr("Select a folder to \n  edit its included files together:"));
      handPicked_ = false;
      if (chosen) {
        setFolderBox(*chosen);
        requestListing();
      }
    }
  } else if (choice == FolderAddPort::AddFilesOfFolder) {
    if (!folderBox_->text().isEmpty()) {
      if (messages.confirm(QT_TRANSLATE_NOOP("Core", "Select files Confirmation"), kCancelFolderForFiles,
                           batch::Buttons::OkCancel) == batch::Answer::Ok) {
        folderBox_->clear();
        model_->setPathPrefix(QString());
        model_->clear();
      }
    }
    if (folderBox_->text().isEmpty()) {
      handPicked_ = true;
      const auto chosen = program_.dialogs().browseFolder(this, tr("Add all files of a folder to the list:"));
      if (chosen) {
        addFilesOfFolder(*chosen);
      } else if (model_->isEmpty()) {
        // The folder's listing went: the status bar no longer counts it.
        setStatusText(tr("%n Files", nullptr, 0));
      }
    }
  }
}

void MainWindow::addFilesOfFolder(const QString& chosen) {
  stopHousekeeping();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString folder = WithSeparator(chosen);
  QStringList paths;
  if (auto entries = program_.fs().listFolder(ToPath(folder))) {
    paths.reserve(static_cast<qsizetype>(entries->size()));
    for (const platform::DirEntry& e : *entries)
      if (!e.isDirectory) paths.push_back(folder + FromPath(e.name));
  }
  model_->appendNew(paths);
  QApplication::restoreOverrideCursor();
  startHousekeeping();
}

void MainWindow::FilesButtonClick() {
  const QString working = workingFolder();
  if (!working.isEmpty()) program_.dialogs().setWorkingFolder(working);
  if (!folderBox_->text().isEmpty()) {
    if (program_.messages().confirm(QT_TRANSLATE_NOOP("Core", "Select files Confirmation"), kClearFolderForFiles,
                                    batch::Buttons::OkCancel) == batch::Answer::Ok) {
      folderBox_->clear();
      model_->setPathPrefix(QString());
      model_->clear();
      // The list and the status bar agree even when the chooser is cancelled.
      handPicked_ = true;
      setStatusText(tr("%n Files", nullptr, 0));
    }
    if (!folderBox_->text().isEmpty()) return;
  }
  QString start;
  {
    const auto settings = app::OpenSettings();
    if (IsFolder(working)) {
      start = working;
    } else if (auto last = app::ReadLastDir(*settings); last && IsFolder(*last)) {
      start = *last;
    }
  }
  const QStringList chosen = program_.dialogs().openFiles(this, tr("Select files "), start);
  if (chosen.isEmpty()) return;
  model_->appendNew(chosen);
  setStatusText(tr("%n Files", nullptr, static_cast<int>(chosen.size())));
  {
    const auto settings = app::OpenSettings();
    app::WriteLastDir(*settings, WithSeparator(QFileInfo(chosen.front()).absolutePath()));
  }
  handPicked_ = true;
  program_.state().topLayerFileCount = 0;
}

void MainWindow::dropPaths(const QStringList& paths) {
  if (!handPicked_) return;
  QStringList accepted;
  for (const QString& p : paths) {
    if (!IsFile(p)) break;
    accepted.push_back(p);
  }
  model_->appendNew(accepted);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (handPicked_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) paths.push_back(url.toLocalFile());
  dropPaths(paths);
  event->acceptProposedAction();
}

// ---- list commands ----

void MainWindow::DeleteButtonClick() {
  model_->removeRowsSet(selectedRows());
  button(QStringLiteral("DeleteButton"))->setEnabled(false);
  setStatusText(tr("%n Files", nullptr, model_->size()));
}

void MainWindow::DeleteEntriesClick() {
  model_->removeRowsSet(selectedRows());
  button(QStringLiteral("DeleteButton"))->setEnabled(false);
}

void MainWindow::RefreshClick() {
  if (!handPicked_ || !folderBox_->text().isEmpty()) {
    requestListing();
    return;
  }
  refreshHandPicked();
}

void MainWindow::refreshHandPicked() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QVector<int> gone;
  for (int i = model_->size() - 1; i >= 0; --i)
    if (!IsFile(model_->text(i))) gone.push_back(i);
  model_->removeRowsSet(gone);
  QApplication::restoreOverrideCursor();
}

void MainWindow::SortClick() { model_->sortByText(); }

void MainWindow::CopyFilenameClick() {
  const QVector<int> rows = selectedRows();
  if (rows.isEmpty()) return;
  const QString text = model_->text(rows.front());
  const std::string bytes = ToPath(text);
  const bool fullPathFolder = text.startsWith(QLatin1Char('/')) && IsFolder(text);
  const std::string name = fullPathFolder ? platform::LastComponent(bytes) : engine::BaseName(bytes, false);
  QGuiApplication::clipboard()->setText(FromPath(name));
}

void MainWindow::SelectAllClick() { list_->selectAll(); }

void MainWindow::InverseSelectClick() {
  if (model_->isEmpty()) return;
  const QItemSelection all(model_->index(0), model_->index(model_->size() - 1));
  list_->selectionModel()->select(all, QItemSelectionModel::Toggle);
}

void MainWindow::ClearClick() {
  if (program_.messages().confirm(QT_TRANSLATE_NOOP("Core", "Clear Confirmation"),
                                  QT_TRANSLATE_NOOP("Core", "Do you want to clear all files in the box?"),
                                  batch::Buttons::OkCancel) != batch::Answer::Ok)
    return;
  model_->clear();
  button(QStringLiteral("DeleteButton"))->setEnabled(false);
}

void MainWindow::RenameClick() {
  const QVector<int> rows = selectedRows();
  if (rows.isEmpty()) return;
  const int row = rows.front();
  const QString text = model_->text(row);
  const QString path = entryPath(row);
  SingleRenameRequest request;
  request.folderBox = folderBox_->text();
  request.entryText = text;
  const std::string bytes = ToPath(path);
  if (IsFile(path)) {
    request.caption = tr("Rename a file");
    request.name = FromPath(engine::BaseName(bytes, false));
    request.extension = FromPath(engine::Extension(bytes, false));
    request.extensionShown = true;
  } else {
    request.caption = tr("Rename a folder");
    request.name = FromPath(platform::LastComponent(bytes));
    request.extensionShown = false;
  }
  if (auto renamed = program_.singleRename().renameEntry(request)) model_->setText(row, *renamed);
  list_->setFocus();
}

void MainWindow::RenameInAnotherSession(app::SessionItem item) {
  const QVector<int> rows = selectedRows();
  if (rows.isEmpty()) return;
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(rows.size()));
  for (int row : rows) entries.push_back(ToPath(entryPath(row)));
  if (folderBox_->text().isEmpty()) {
    model_->removeRowsSet(rows);
    setStatusText(tr("%n Files", nullptr, model_->size()));
  }
  const std::string keyword = app::SessionKeyword(item, entries, program_.fs());
  app::StartAnotherSession(entries, keyword, program_.fs(), program_.state().installDir, program_.launcher());
}

void MainWindow::updateMenuItems() {
  const int n = model_->size();
  const int s = static_cast<int>(list_->selectionModel()->selectedIndexes().size());
  const bool picked = handPicked_;
  auto set = [this](const char* name, bool on) { menuAction(QString::fromLatin1(name))->setEnabled(on); };
  set("RenameItem", s == 1);
  set("DeleteItem", picked && s >= 1);
  set("RefreshItem", picked ? n >= 1 : true);
  set("SortItem", picked && n >= 2);
  set("CopyFilenameItem", s == 1);
  set("OpenFileItem", s == 1);
  set("OpenFolderItem", s == 1);
  set("SelectAllItem", picked && n >= 1);
  set("InverseSelectItem", picked && n >= 1);
  set("AddMoreItem", picked ? true : n == 0);
  set("ClearItem", n >= 1);
  set("AnotherSessionItem", s >= 1);
}

// ---- keys ----

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    if (listKey(static_cast<QKeyEvent*>(event))) return true;
  }
  if (watched == list_ && event->type() == QEvent::ShortcutOverride) {
    // Ctrl+A and Ctrl+C belong to the list's own commands.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Copy)) {
      event->accept();
      return true;
    }
  }
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    if (!list_->selectionModel()->hasSelection()) button(QStringLiteral("DeleteButton"))->setEnabled(false);
  }
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::listKey(QKeyEvent* event) {
  const bool picked = handPicked_;
  if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
    if (!picked || !folderBox_->text().isEmpty()) requestListing();
    return true;
  }
  if (model_->isEmpty()) return false;
  const int s = static_cast<int>(list_->selectionModel()->selectedIndexes().size());
  if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
    if (s == 1) RenameClick();
    return true;
  }
  if (event->matches(QKeySequence::Copy)) {
    if (s == 1) CopyFilenameClick();
    return true;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    if (picked) SelectAllClick();
    return true;
  }
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    if (s >= 1) DeleteEntriesClick();
    return true;
  }
  return false;
}

}  // namespace velmora::ui
