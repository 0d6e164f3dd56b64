// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <algorithm>

#ifdef VELMORA_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#endif

#include "app/settings_store.h"
#include "batch/program_files.h"
#include "batch/run_pipeline.h"
#include "batch/undo.h"
#include "engine/name_model.h"
#include "platform/code_page.h"
#include "ui/desktop_look.h"
#include "ui/file_list_model.h"
#include "ui/dialogs.h"
#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui/run_summary.h"
#include "ui_main_window.h"

namespace velmora::ui {

using engine::OperationKind;

namespace {

constexpr int kFirstHousekeepingMs = 1000;
constexpr int kHousekeepingMs = 2000;
constexpr int kNavigationMs = 10;
/// A long loop lets pending events be processed at least this often.
constexpr int kPumpEveryMs = 15;

// Message texts go through batch::Messages, which translates them where it shows them.
const char* const kNothingSelectedMessage = QT_TRANSLATE_NOOP(
    "Core", "You have not selected a folder or some files,\nplease click 'Folder' or 'Files' button to proceed.");

/// Processes pending events when some time has passed since it last did.
class EventPump {
 public:
  EventPump() { timer_.start(); }
  void operator()() {
    if (timer_.elapsed() < kPumpEveryMs) return;
    QCoreApplication::processEvents();
    timer_.restart();
  }

 private:
  QElapsedTimer timer_;
};

/// The main list's entries as the undo sees them: an entry that stood for a path now
/// stands for the path it got back.
class ListUndoListener final : public batch::UndoListener {
 public:
  ListUndoListener(FileListModel& model, QString folderBox) : model_(model), folderBox_(std::move(folderBox)) {
    for (int i = 0; i < model_.size(); ++i) rowOf_.insert(model_.fullPath(i), i);
  }
  void entryRestored(std::string_view from, std::string_view to) override {
    const auto it = rowOf_.find(FromPath(std::string(from)));
    if (it == rowOf_.end()) return;
    const int row = it.value();
    rowOf_.erase(it);
    const QString restored = folderBox_.isEmpty() ? FromPath(std::string(to)) : FromPath(platform::LastComponent(to));
    model_.setText(row, restored);
    rowOf_.insert(model_.fullPath(row), row);
  }

 private:
  FileListModel& model_;
  QString folderBox_;
  QHash<QString, int> rowOf_;  // the last row of each path, as the search from the end finds it
};


}  // namespace

MainWindow::MainWindow(Program& program) : program_(program), ui_(new Ui::MainWindow) {
  buildWindow();
  buildMenu();

  housekeeping_.setInterval(kFirstHousekeepingMs);
  connect(&housekeeping_, &QTimer::timeout, this, &MainWindow::housekeepingTick);
  navigation_.setInterval(kNavigationMs);
  connect(&navigation_, &QTimer::timeout, this, &MainWindow::navigationTick);

  setAcceptDrops(true);
  button(QStringLiteral("UndoButton"))
      ->setEnabled(program_.fs().exists(program_.state().installDir + batch::kRollbackLogName));
  ResizeToFit(this, QSize(738, 607));
}

MainWindow::~MainWindow() = default;

QString MainWindow::WithSeparator(QString folder) {
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

bool MainWindow::IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }
bool MainWindow::IsFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

void MainWindow::buildWindow() {
  ui_->setupUi(this);
  // The glyphs: the desktop theme's icons, else the style's own.
  const struct {
    QToolButton* button;
    const char* themeIcon;
    QStyle::StandardPixmap fallback;
  } glyphs[] = {
      {ui_->FolderButton, "folder-open", QStyle::SP_DirOpenIcon},
      {ui_->FilesButton, "document-open", QStyle::SP_FileIcon},
      {ui_->DeleteButton, "list-remove", QStyle::SP_TrashIcon},
      {ui_->OptionsButton, "preferences-system", QStyle::SP_FileDialogDetailedView},
      {ui_->HelpButton, "help-contents", QStyle::SP_MessageBoxQuestion},
      {ui_->AboutButton, "help-about", QStyle::SP_MessageBoxInformation},
      {ui_->InsertButton, "insert-text", QStyle::SP_FileDialogNewFolder},
      {ui_->ReplaceButton, "edit-find-replace", QStyle::SP_BrowserReload},
      {ui_->RemoveButton, "edit-cut", QStyle::SP_DialogDiscardButton},
      {ui_->ChangeButton, "edit-rename", QStyle::SP_FileDialogContentsView},
      {ui_->ExtensionButton, "document-properties", QStyle::SP_FileDialogInfoView},
      {ui_->SaveButton, "document-save", QStyle::SP_DialogSaveButton},
      {ui_->UndoButton, "edit-undo", QStyle::SP_ArrowBack},
      {ui_->ExitButton, "application-exit", QStyle::SP_DialogCloseButton},
  };
  for (const auto& g : glyphs) {
    g.button->setIcon(Glyph(this, g.themeIcon, g.fallback, 24));
    KeepCaptionsWhole({g.button});
  }
  ui_->UpperDirectoryButton->setIcon(Glyph(this, "go-up", QStyle::SP_FileDialogToParent, 16));

  folderBox_ = ui_->FolderBox;
  labelLine_ = ui_->Label2;
  model_ = new FileListModel(this);
  list_ = ui_->FileList;
  list_->setModel(model_);
  list_->setItemDelegate(new FileRowDelegate(list_));
  list_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);

  status_ = new QLabel(tr("Click Folder button to select a folder OR click Files button to select many files"), this);
  status_->setObjectName(QStringLiteral("StatusPanel"));
  status_->setMinimumWidth(450);
  status_->setWordWrap(true);  // a long translation in a large font takes a second line
  statusBar()->addWidget(status_, 1);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("RunSummaryPanel"));
  statusBar()->addPermanentWidget(summary_);

  connect(ui_->FolderButton, &QToolButton::clicked, this, &MainWindow::FolderButtonClick);
  connect(ui_->FilesButton, &QToolButton::clicked, this, &MainWindow::FilesButtonClick);
  connect(ui_->DeleteButton, &QToolButton::clicked, this, &MainWindow::DeleteButtonClick);
  connect(ui_->OptionsButton, &QToolButton::clicked, this, [this] { program_.options().showModal(); });
  connect(ui_->HelpButton, &QToolButton::clicked, this, [this] { program_.showMainHelp(); });
  connect(ui_->AboutButton, &QToolButton::clicked, this, [this] {
    program_.state().operationKind = app::kBrowsefile;
    program_.editor().showAbout();
  });
  const std::pair<QToolButton*, OperationKind> operations[] = {
      {ui_->InsertButton, OperationKind::Insert}, {ui_->ReplaceButton, OperationKind::Replace},
      {ui_->RemoveButton, OperationKind::Remove}, {ui_->ChangeButton, OperationKind::Change},
      {ui_->ExtensionButton, OperationKind::Extension},
  };
  for (const auto& [b, kind] : operations)
    connect(b, &QToolButton::clicked, this, [this, kind = kind] { StartOperation(kind); });
  connect(ui_->SaveButton, &QToolButton::clicked, this, [this] {
    StartOperation(folderBox_->text().isEmpty() ? OperationKind::ListPicked : OperationKind::ListFolder);
  });
  connect(ui_->UndoButton, &QToolButton::clicked, this, &MainWindow::UndoButtonClick);
  // The arrow beside Undo lists the runs it can reverse; choosing one undoes every run down
  // to it, newest first.
  auto* undoMenu = new QMenu(ui_->UndoButton);
  undoMenu->setObjectName(QStringLiteral("UndoHistoryMenu"));
  ui_->UndoButton->setMenu(undoMenu);
  ui_->UndoButton->setPopupMode(QToolButton::MenuButtonPopup);
  KeepCaptionsWhole({ui_->UndoButton});  // with the room of its menu arrow
  connect(undoMenu, &QMenu::aboutToShow, this, [this, undoMenu] { fillUndoMenu(undoMenu); });
  connect(ui_->ExitButton, &QToolButton::clicked, this, &MainWindow::close);
  connect(ui_->UpperDirectoryButton, &QToolButton::clicked, this, &MainWindow::UpperDirectoryClick);
  connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex&) { ListDoubleClick(); });
  connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    updateMenuItems();
    menu_->exec(list_->viewport()->mapToGlobal(pos));
  });
  // "Delete" follows the hand-picked selection at once, whatever changed it (a click on
  // an entry or on the empty part of the list, Ctrl+click, the keyboard).
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (handPicked_) ui_->DeleteButton->setEnabled(list_->selectionModel()->hasSelection());
  });

  // Tab goes in reading order (the form's tab stops): the first row (Folder, then the
  // operations), the folder line, the list, and the rest of the left column.
  ui_->FolderButton->setFocus();

  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  f1->setContext(Qt::WindowShortcut);
  connect(f1, &QShortcut::activated, this, [this] { program_.showMainHelp(); });
}

void MainWindow::buildMenu() {
  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("PopupMenu1"));
  const std::pair<QAction*, void (MainWindow::*)()> commands[] = {
      {ui_->RenameItem, &MainWindow::RenameClick},
      {ui_->DeleteItem, &MainWindow::DeleteEntriesClick},
      {ui_->RefreshItem, &MainWindow::RefreshClick},
      {ui_->SortItem, &MainWindow::SortClick},
      {ui_->CopyFilenameItem, &MainWindow::CopyFilenameClick},
      {ui_->OpenFileItem, &MainWindow::OpenFileClick},
      {ui_->OpenFolderItem, &MainWindow::OpenFolderClick},
      {ui_->SelectAllItem, &MainWindow::SelectAllClick},
      {ui_->InverseSelectItem, &MainWindow::InverseSelectClick},
      {ui_->AddMoreItem, &MainWindow::FilesButtonClick},
      {ui_->ClearItem, &MainWindow::ClearClick},
  };
  for (const auto& [action, slot] : commands) {
    connect(action, &QAction::triggered, this, slot);
    menu_->addAction(action);
    // Groups: Rename ... Sort, Copy ... Open folder, Select All ... Clear, the sessions.
    if (action == ui_->SortItem || action == ui_->OpenFolderItem || action == ui_->ClearItem) menu_->addSeparator();
  }
  auto* session = new QMenu(menu_);
  const std::pair<QAction*, app::SessionItem> items[] = {
      {ui_->SessionRemove, app::SessionItem::Remove},       {ui_->SessionReplace, app::SessionItem::Replace},
      {ui_->SessionInsert, app::SessionItem::Insert},       {ui_->SessionChange, app::SessionItem::Change},
      {ui_->SessionExtension, app::SessionItem::Extension}, {ui_->SessionSave, app::SessionItem::Save},
  };
  for (const auto& [action, item] : items) {
    session->addAction(action);
    connect(action, &QAction::triggered, this, [this, which = item] { RenameInAnotherSession(which); });
  }
  ui_->AnotherSessionItem->setMenu(session);
  menu_->addAction(ui_->AnotherSessionItem);
}

void MainWindow::OpenFileClick() {
  const QVector<int> rows = selectedRows();
  if (!rows.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(entryPath(rows.front())));
}

void MainWindow::OpenFolderClick() {
  const QVector<int> rows = selectedRows();
  if (rows.isEmpty()) return;
  QString path = entryPath(rows.front());
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  const QUrl url = QUrl::fromLocalFile(path);
#ifdef VELMORA_HAVE_DBUS
  // The desktop's file manager showing the item selected, where one offers it.
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
  call << QStringList{url.toString()} << QString();
  if (QDBusConnection::sessionBus().call(call, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage) return;
#endif
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

QAction* MainWindow::menuAction(const QString& objectName) const { return findChild<QAction*>(objectName); }

QToolButton* MainWindow::button(const QString& objectName) const { return findChild<QToolButton*>(objectName); }

// ---- published state ----

QString MainWindow::folderBoxText() const { return folderBox_->text(); }

void MainWindow::setFolderBox(const QString& folder) {
  folderBox_->setText(folder);
  model_->setPathPrefix(folder.isEmpty() ? QString() : WithSeparator(folder));
  handPicked_ = false;
}

QString MainWindow::statusText() const { return status_->text(); }
void MainWindow::setStatusText(const QString& text) { status_->setText(text); }

void MainWindow::showRunSummary(const QString& text) { summary_->setText(text); }

QString MainWindow::runSummary() const { return summary_->text(); }

void MainWindow::AddEntry(const QString& text) { model_->append({text}); }

void MainWindow::clearList() { model_->clear(); }

void MainWindow::showHandPicked(const std::vector<std::string>& paths, bool withStatus) {
  handPicked_ = true;
  model_->setPathPrefix(QString());
  model_->append(FromPaths(paths));
  if (withStatus) setStatusText(tr("%n Files", nullptr, static_cast<int>(paths.size())));
}

QString MainWindow::entryPath(int row) const { return model_->fullPath(row); }

QVector<int> MainWindow::selectedRows() const {
  QVector<int> rows;
  const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
  rows.reserve(selected.size());
  for (const QModelIndex& i : selected) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

// ---- timers ----

void MainWindow::startHousekeeping() {
  if (!housekeeping_.isActive()) housekeeping_.start();
}

void MainWindow::stopHousekeeping() { housekeeping_.stop(); }

void MainWindow::housekeepingTick() {
  if (firstTick_) {
    firstTick_ = false;
    housekeeping_.setInterval(kHousekeepingMs);
    program_.options().loadSettings();
  }
  button(QStringLiteral("UndoButton"))
      ->setEnabled(program_.fs().exists(program_.state().installDir + batch::kRollbackLogName));
  QToolButton* del = button(QStringLiteral("DeleteButton"));
  if (model_->isEmpty()) {
    labelLine_->setText(tr("OR add some files to below to edit their names together"));
  } else if (handPicked_) {
    labelLine_->setText(tr("OR add some files to below to edit their names together"));
    if (!list_->selectionModel()->hasSelection()) del->setEnabled(false);
  } else {
    labelLine_->setText(tr("The filenames(one layer) in above folder:"));
    del->setEnabled(false);
  }
}

void MainWindow::navigationTick() {
  if (cancelListing_) return;  // the running listing has not returned yet
  navigation_.stop();
  ListFolder();
}

void MainWindow::navigateTo(const QString& folder) {
  folderBox_->setText(folder);
  if (listing_) cancelListing_ = true;
  navigation_.start();
}

void MainWindow::requestListing() {
  if (listing_) {
    cancelListing_ = true;
    navigation_.start();
    return;
  }
  cancelListing_ = false;
  ListFolder();
}

// ---- the folder listing ----

void MainWindow::ListFolder() {
  QString folder = folderBox_->text();
  if (!IsFolder(folder)) return;
  if (listing_) {  // never two listings into one list
    requestListing();
    return;
  }
  stopHousekeeping();
  program_.state().topLayerFileCount = 0;
  listing_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  folder = WithSeparator(folder);
  folderBox_->setText(folder);
  model_->setPathPrefix(folder);

  EventPump pump;
  QStringList folders, files;
  if (auto entries = program_.fs().listFolder(ToPath(folder))) {
    for (const platform::DirEntry& e : *entries) {
      if (cancelListing_) break;
      if (e.isDirectory) {
        folders.push_back(FromPath(e.name));
      } else {
        files.push_back(FromPath(e.name));
        ++program_.state().topLayerFileCount;
      }
      pump();
    }
  }
  // The file system's order is already by name without regard to case.
  model_->clear();
  const auto appendAll = [&](const QStringList& names, FileListModel::Kind kind) {
    QElapsedTimer sinceUpdate;
    sinceUpdate.start();
    qsizetype begin = 0;
    for (qsizetype i = 0; i < names.size() && !cancelListing_; ++i) {
      if (sinceUpdate.elapsed() < kPumpEveryMs && i + 1 < names.size()) continue;
      model_->append(names.mid(begin, i + 1 - begin), kind);
      begin = i + 1;
      QCoreApplication::processEvents();
      sinceUpdate.restart();
    }
  };
  if (!cancelListing_) appendAll(folders, FileListModel::Kind::Folder);
  if (!cancelListing_) appendAll(files, FileListModel::Kind::File);

  QApplication::restoreOverrideCursor();
  if (!cancelListing_)
    setStatusText(tr("%1 Folders %2 Files").arg(folders.size()).arg(files.size()));
  startHousekeeping();
  listing_ = false;
  cancelListing_ = false;
}

// ---- operations ----

void MainWindow::StartOperation(OperationKind kind) {
  app::AppState& state = program_.state();
  state.operationKind = engine::KeywordOf(kind);
  cancelListing_ = false;
  batch::Messages& messages = program_.messages();
  const QString folder = folderBox_->text();
  if (folder.trimmed().isEmpty() && model_->isEmpty()) {
    state.operationKind = app::kBrowsefile;
    messages.information(kNothingSelectedMessage);
    return;
  }
  const QVector<int> selected = selectedRows();
  if (!folder.isEmpty()) {
    if (!IsFolder(folder)) {
      state.operationKind = app::kBrowsefile;
      messages.information(QT_TRANSLATE_NOOP("Core", "The sepecified folder does not exist, please select another."));
      model_->clear();
      return;
    }
    state.target.folder = ToPath(folder);
    state.target.picked.clear();
    if (!selected.isEmpty()) {
      state.samplePath = ToPath(entryPath(selected.front()));
    } else {
      const std::string first = batch::FirstTargetItem(program_.fs(), state.target, kind, messages);
      state.samplePath = first.empty() ? std::string() : platform::JoinPath(state.target.folder, first);
    }
  } else {
    if (model_->isEmpty()) {
      state.operationKind = app::kBrowsefile;
      messages.information(kNothingSelectedMessage);
      return;
    }
    state.target.folder.clear();
    state.target.picked = ToPaths(model_->texts());
    state.samplePath = ToPath(model_->text(selected.isEmpty() ? 0 : selected.front()));
    if (kind == OperationKind::ListPicked) {
      program_.editor().exportPickedList();
      state.operationKind = app::kBrowsefile;
      return;
    }
  }
  program_.editor().openModal();
}

void MainWindow::UndoButtonClick() { undoRuns(1); }

void MainWindow::fillUndoMenu(QMenu* menu) {
  menu->clear();
  const auto history = batch::ListUndoHistory(program_.fs(), program_.state().installDir);
  for (std::size_t i = 0; i < history.size(); ++i) {
    const batch::HistoryEntry& run = history[i];
    const QString operation = run.operation.empty() ? tr("single rename") : QString::fromStdString(run.operation);
    QAction* action = menu->addAction(tr("%1  %2 items in %3 (%4)")
                                          .arg(QString::fromStdString(batch::FormatTime(run.when)))
                                          .arg(run.items)
                                          .arg(FromPath(run.folder), operation));
    action->setObjectName(QStringLiteral("UndoRun%1").arg(i + 1));
    connect(action, &QAction::triggered, this, [this, runs = static_cast<int>(i) + 1] { undoRuns(runs); });
  }
  if (history.empty()) menu->addAction(tr("There is no rename operation to undo."))->setEnabled(false);
}

void MainWindow::undoRuns(int runs) {
  app::AppState& state = program_.state();
  ListUndoListener listener(*model_, folderBox_->text().isEmpty() ? QString() : WithSeparator(folderBox_->text()));
  batch::StopFlag& stop = program_.stopFlag();
  ProgressRunHooks hooks(&program_.progress(), &stop);
  const batch::UndoOutcome outcome = batch::RunUndo(
      {program_.fs(), program_.fs(), platform::SystemCodePage(), program_.messages(), hooks, stop}, state.installDir,
      &listener, runs);
  if (outcome.kind == batch::UndoOutcome::Kind::Declined) return;
  if (outcome.kind != batch::UndoOutcome::Kind::Replayed) {
    // The log went away (or cannot be read) since the button was enabled: nothing to replay.
    button(QStringLiteral("UndoButton"))->setEnabled(false);
    return;
  }
  program_.playEndSound();
  stop.clear();
  showRunSummary(RunSummary::OfUndo(outcome.replay));
  if (!program_.runOptions().displayResult) model_->clear();
  if (folderBox_->text().isEmpty()) {
    refreshHandPicked();
  } else {
    requestListing();
  }
}

void MainWindow::editorClosed(const EditorClosed& closing) {
  if (closing.afterRun) {
    if (!program_.runOptions().displayResult) clearList();
  } else if (closing.handOff) {
    if (!closing.folder.empty()) {
      setFolderBox(FromPath(closing.folder));
    } else {
      showHandPicked(closing.picked, true);
    }
  }
  QCoreApplication::processEvents();
  if (!closing.folder.empty()) ListFolder();
  startHousekeeping();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  cancelListing_ = true;
  program_.stopFlag().set();
  housekeeping_.stop();
  navigation_.stop();
  event->accept();
  emit closed();
}

}  // namespace velmora::ui
