// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#ifdef VELMORA_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#endif

#include "app/settings_store.h"
#include "batch/program_files.h"
#include "batch/undo.h"
#include "engine/name_model.h"
#include "ui/desktop_look.h"
#include "ui/file_list_model.h"
#include "ui/dialogs.h"
#include "ui/program.h"
#include "ui/qt_text.h"

namespace velmora::ui {

using engine::OperationKind;

namespace {

constexpr int kFirstHousekeepingMs = 1000;
constexpr int kHousekeepingMs = 2000;
constexpr int kNavigationMs = 10;
/// A long loop lets pending events be processed at least this often.
constexpr int kPumpEveryMs = 15;

const QString kInitialStatus =
    QStringLiteral("Click Folder button to select a folder OR click Files button to select many files");
const QString kLabelOr = QStringLiteral("OR");
const QString kLabelAddFiles = QStringLiteral("OR add some files to below to edit their names together");
const QString kLabelFolder = QStringLiteral("The filenames(one layer) in above folder:");
const char* const kNothingSelectedMessage =
    "You have not selected a folder or some files,\nplease click 'Folder' or 'Files' button to proceed.";

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

QString WithSeparator(QString folder) {
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

bool IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }
bool IsFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

/// The main list's entries as the undo sees them: an entry that stood for a path now
/// stands for the path it got back.
class ListUndoListener final : public batch::UndoListener {
 public:
  ListUndoListener(FileListModel& model, QString folderBox) : model_(model), folderBox_(std::move(folderBox)) {
    for (int i = 0; i < model_.size(); ++i) rowOf_.insert(model_.fullPath(i), i);
  }
  void entryRestored(const std::string& from, const std::string& to) override {
    const auto it = rowOf_.find(FromPath(from));
    if (it == rowOf_.end()) return;
    const int row = it.value();
    rowOf_.erase(it);
    const QString restored = folderBox_.isEmpty() ? FromPath(to) : FromPath(platform::LastComponent(to));
    model_.setText(row, restored);
    rowOf_.insert(model_.fullPath(row), row);
  }

 private:
  FileListModel& model_;
  QString folderBox_;
  QHash<QString, int> rowOf_;  // the last row of each path, as the search from the end finds it
};


}  // namespace

MainWindow::MainWindow(Program& program) : program_(program) {
  setObjectName(QStringLiteral("TForm4"));
  setWindowTitle(QStringLiteral("Velmora "));
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

QToolButton* MainWindow::makeButton(const char* name, const QString& caption, const QString& hint,
                                    const char* themeIcon, int fallbackIcon) {
  auto* b = new QToolButton(this);
  b->setObjectName(QString::fromLatin1(name));
  b->setText(caption);
  b->setToolTip(hint);
  b->setIcon(Glyph(this, themeIcon, static_cast<QStyle::StandardPixmap>(fallbackIcon), 24));
  b->setIconSize(QSize(24, 24));
  b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  b->setAutoRaise(false);
  b->setMinimumSize(72, 54);
  b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  return b;
}

void MainWindow::buildWindow() {
  auto* central = new QWidget(this);
  setCentralWidget(central);

  // Left column of large buttons.
  auto* left = new QVBoxLayout;
  left->setSpacing(6);
  QToolButton* folder = makeButton("FolderButton", tr("&Folder"),
                                   QStringLiteral("Select a folder to edit included filenames "), "folder-open",
                                   QStyle::SP_DirOpenIcon);
  QToolButton* files = makeButton("FilesButton", tr("Fi&les"),
                                  QStringLiteral("Select files to edit their filenames "), "document-open",
                                  QStyle::SP_FileIcon);
  QToolButton* del = makeButton("DeleteButton", tr("&Delete"), QStringLiteral("Remove the selected files"),
                                "list-remove", QStyle::SP_TrashIcon);
  del->setEnabled(false);
  QToolButton* options = makeButton("OptionsButton", tr("&Options"), QStringLiteral("Change options"),
                                    "preferences-system", QStyle::SP_FileDialogDetailedView);
  QToolButton* help = makeButton("HelpButton", tr(" &Help"), QStringLiteral("Read help "), "help-contents",
                                 QStyle::SP_MessageBoxQuestion);
  QToolButton* about = makeButton("AboutButton", tr("&About"), QStringLiteral("About the program"),
                                  "help-about", QStyle::SP_MessageBoxInformation);
  for (QToolButton* b : {folder, files, del, options, help, about}) {
    b->setMinimumWidth(84);
    left->addWidget(b);
  }
  left->addStretch();

  // Top row of operation buttons.
  auto* top = new QHBoxLayout;
  top->setSpacing(4);
  struct Op {
    const char* name;
    const char* caption;  ///< with its Alt mnemonic
    const char* hint;
    const char* themeIcon;
    int icon;
  };
  const Op ops[] = {
      {"InsertButton", QT_TR_NOOP("&Insert"), "Insert strings or numbers to filenames", "insert-text",
       QStyle::SP_FileDialogNewFolder},
      {"ReplaceButton", QT_TR_NOOP("&Replace"), "Replace old part of filenames with a new part", "edit-find-replace",
       QStyle::SP_BrowserReload},
      {"RemoveButton", QT_TR_NOOP("Re&move"), "Remove strings from filenames", "edit-cut",
       QStyle::SP_DialogDiscardButton},
      {"ChangeButton", QT_TR_NOOP("&Change"), "Change filename to new or convert case", "edit-rename",
       QStyle::SP_FileDialogContentsView},
      {"ExtensionButton", QT_TR_NOOP("E&xtension"), "Change file extension part", "document-properties",
       QStyle::SP_FileDialogInfoView},
      {"SaveButton", QT_TR_NOOP("&Save"), "Save filenames to a file", "document-save", QStyle::SP_DialogSaveButton},
      {"UndoButton", QT_TR_NOOP("&Undo"), "Undo the last operation", "edit-undo", QStyle::SP_ArrowBack},
      {"ExitButton", QT_TR_NOOP("&Exit"), "Exit the program", "application-exit", QStyle::SP_DialogCloseButton},
  };
  for (const Op& op : ops) {
    QToolButton* b = makeButton(op.name, tr(op.caption), QString::fromLatin1(op.hint), op.themeIcon, op.icon);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    top->addWidget(b);
    if (QString::fromLatin1(op.name) == QLatin1String("SaveButton")) top->addSpacing(10);
  }

  auto* caption = new QLabel(QStringLiteral("Select a folder to edit all its included file names together"), central);
  caption->setObjectName(QStringLiteral("Label1"));
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);

  auto* upper = new QToolButton(central);
  upper->setObjectName(QStringLiteral("UpperDirectoryButton"));
  upper->setToolTip(QStringLiteral("Upper directory"));
  upper->setAccessibleName(tr("Upper directory"));
  upper->setIcon(Glyph(this, "go-up", QStyle::SP_FileDialogToParent, 16));
  folderBox_ = new QLineEdit(central);
  folderBox_->setObjectName(QStringLiteral("FolderBox"));
  folderBox_->setReadOnly(true);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(upper);
  folderRow->addWidget(folderBox_, 1);

  labelLine_ = new QLabel(kLabelOr, central);
  labelLine_->setObjectName(QStringLiteral("Label2"));

  model_ = new FileListModel(this);
  list_ = new QListView(central);
  list_->setObjectName(QStringLiteral("FileList"));
  list_->setModel(model_);
  list_->setItemDelegate(new FileRowDelegate(list_));
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  list_->setLayoutMode(QListView::Batched);
  list_->setBatchSize(2000);
  list_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);

  auto* right = new QVBoxLayout;
  right->addLayout(top);
  right->addSpacing(4);
  right->addWidget(caption);
  right->addLayout(folderRow);
  right->addWidget(labelLine_);
  right->addWidget(list_, 1);

  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(8, 8, 8, 4);
  layout->addLayout(left);
  layout->addLayout(right, 1);

  status_ = new QLabel(kInitialStatus, this);
  status_->setObjectName(QStringLiteral("StatusPanel"));
  status_->setMinimumWidth(450);
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  statusBar()->addWidget(status_);

  connect(folder, &QToolButton::clicked, this, &MainWindow::FolderButtonClick);
  connect(files, &QToolButton::clicked, this, &MainWindow::FilesButtonClick);
  connect(del, &QToolButton::clicked, this, &MainWindow::DeleteButtonClick);
  connect(options, &QToolButton::clicked, this, [this] { program_.options().showModal(); });
  connect(help, &QToolButton::clicked, this, [this] { program_.showMainHelp(); });
  connect(about, &QToolButton::clicked, this, [this] {
    program_.state().operationKind = app::kBrowsefile;
    program_.editor().showAbout();
  });
  connect(button(QStringLiteral("InsertButton")), &QToolButton::clicked, this,
          [this] { StartOperation(OperationKind::Addnewnum); });
  connect(button(QStringLiteral("ReplaceButton")), &QToolButton::clicked, this,
          [this] { StartOperation(OperationKind::Replapart); });
  connect(button(QStringLiteral("RemoveButton")), &QToolButton::clicked, this,
          [this] { StartOperation(OperationKind::Removpart); });
  connect(button(QStringLiteral("ChangeButton")), &QToolButton::clicked, this,
          [this] { StartOperation(OperationKind::Changnew); });
  connect(button(QStringLiteral("ExtensionButton")), &QToolButton::clicked, this,
          [this] { StartOperation(OperationKind::Changexten); });
  connect(button(QStringLiteral("SaveButton")), &QToolButton::clicked, this, [this] {
    StartOperation(folderBox_->text().isEmpty() ? OperationKind::Savesomes : OperationKind::Savealls);
  });
  connect(button(QStringLiteral("UndoButton")), &QToolButton::clicked, this, &MainWindow::UndoButtonClick);
  connect(button(QStringLiteral("ExitButton")), &QToolButton::clicked, this, &MainWindow::close);
  connect(upper, &QToolButton::clicked, this, &MainWindow::UpperDirectoryClick);
  connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex&) { ListDoubleClick(); });
  connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    updateMenuItems();
    menu_->exec(list_->viewport()->mapToGlobal(pos));
  });
  // "Delete" follows the hand-picked selection at once, whatever changed it (a click on
  // an entry or on the empty part of the list, Ctrl+click, the keyboard).
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (handPicked_) button(QStringLiteral("DeleteButton"))->setEnabled(list_->selectionModel()->hasSelection());
  });

  // Tab goes in reading order: the first row (Folder, then the operations), the folder
  // line, the list, and the rest of the left column.
  QWidget* order[] = {folder,
                      button(QStringLiteral("InsertButton")),
                      button(QStringLiteral("ReplaceButton")),
                      button(QStringLiteral("RemoveButton")),
                      button(QStringLiteral("ChangeButton")),
                      button(QStringLiteral("ExtensionButton")),
                      button(QStringLiteral("SaveButton")),
                      button(QStringLiteral("UndoButton")),
                      button(QStringLiteral("ExitButton")),
                      files,
                      upper,
                      folderBox_,
                      list_,
                      del,
                      options,
                      help,
                      about};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  folder->setFocus();

  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  f1->setContext(Qt::WindowShortcut);
  connect(f1, &QShortcut::activated, this, [this] { program_.showMainHelp(); });
}

void MainWindow::buildMenu() {
  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("PopupMenu1"));
  auto add = [this](const char* name, const QString& caption, void (MainWindow::*slot)()) {
    QAction* a = menu_->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  add("RenameItem", QStringLiteral("Rename                    F2"), &MainWindow::RenameClick);
  add("DeleteItem", QStringLiteral("Delete                       Del"), &MainWindow::DeleteEntriesClick);
  add("RefreshItem", QStringLiteral("Refresh                     F5"), &MainWindow::RefreshClick);
  add("SortItem", QStringLiteral("Sort"), &MainWindow::SortClick);
  menu_->addSeparator();
  add("CopyFilenameItem", QStringLiteral("Copy filename         Ctrl+C"), &MainWindow::CopyFilenameClick);
  QAction* openFile = menu_->addAction(QStringLiteral("Open file"));
  openFile->setObjectName(QStringLiteral("OpenFileItem"));
  connect(openFile, &QAction::triggered, this, [this] {
    const QVector<int> rows = selectedRows();
    if (!rows.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(entryPath(rows.front())));
  });
  QAction* openFolder = menu_->addAction(QStringLiteral("Open folder"));
  openFolder->setObjectName(QStringLiteral("OpenFolderItem"));
  connect(openFolder, &QAction::triggered, this, [this] {
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
  });
  menu_->addSeparator();
  add("SelectAllItem", QStringLiteral("Select All                   Ctrl+A"), &MainWindow::SelectAllClick);
  add("InverseSelectItem", QStringLiteral("Inverse select"), &MainWindow::InverseSelectClick);
  add("AddMoreItem", QStringLiteral("Add More"), &MainWindow::FilesButtonClick);
  add("ClearItem", QStringLiteral("Clear"), &MainWindow::ClearClick);
  menu_->addSeparator();
  QMenu* session = menu_->addMenu(QStringLiteral("Rename in another session"));
  session->menuAction()->setObjectName(QStringLiteral("AnotherSessionItem"));
  const std::pair<const char*, app::SessionItem> items[] = {
      {"Remove", app::SessionItem::Remove},   {"Replace", app::SessionItem::Replace},
      {"Insert", app::SessionItem::Insert},   {"Change", app::SessionItem::Change},
      {"Extension", app::SessionItem::Extension}, {"Save", app::SessionItem::Save},
  };
  for (const auto& [caption, item] : items) {
    QAction* a = session->addAction(QString::fromLatin1(caption));
    a->setObjectName(QStringLiteral("Session") + QString::fromLatin1(caption));
    const app::SessionItem which = item;
    connect(a, &QAction::triggered, this, [this, which] { RenameInAnotherSession(which); });
  }
}

QAction* MainWindow::menuAction(const QString& objectName) const {
  if (objectName == QLatin1String("AnotherSessionItem")) {
    for (QAction* a : menu_->actions())
      if (a->objectName() == objectName) return a;
  }
  return menu_->findChild<QAction*>(objectName);
}

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

void MainWindow::AddEntry(const QString& text) { model_->append({text}); }

void MainWindow::clearList() { model_->clear(); }

void MainWindow::showHandPicked(const std::vector<std::string>& paths, bool withStatus) {
  handPicked_ = true;
  model_->setPathPrefix(QString());
  model_->append(FromPaths(paths));
  if (withStatus) setStatusText(QString::number(paths.size()) + QStringLiteral(" Files"));
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
    labelLine_->setText(kLabelAddFiles);
  } else if (handPicked_) {
    labelLine_->setText(kLabelAddFiles);
    if (!list_->selectionModel()->hasSelection()) del->setEnabled(false);
  } else {
    labelLine_->setText(kLabelFolder);
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
    setStatusText(QStringLiteral("%1 Folders %2 Files").arg(folders.size()).arg(files.size()));
  startHousekeeping();
  listing_ = false;
  cancelListing_ = false;
}

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

void MainWindow::FolderButtonClick() {
  const int choice = program_.folderAdd().ask();
  batch::Messages& messages = program_.messages();
  if (choice == FolderAddPort::EditFolder) {
    if (handPicked_ && !model_->isEmpty()) {
      if (messages.confirm("Select folder Confirmation",
                           "You had selected some files, so can not edit a folder at the same time.\n"
                           "Do you want to clear the selected files in order to select A folder?",
                           batch::Buttons::OkCancel) == batch::Answer::Ok)
        model_->clear();
    }
    if (!handPicked_ || model_->isEmpty()) {
      const auto chosen =
          program_.dialogs().browseFolder(this, QStringLiteral("Select a folder to \n  edit its included files together:"));
      handPicked_ = false;
      if (chosen) {
        setFolderBox(*chosen);
        requestListing();
      }
    }
  } else if (choice == FolderAddPort::AddFilesOfFolder) {
    if (!folderBox_->text().isEmpty()) {
      if (messages.confirm("Select files Confirmation",
                           "You had selected to edit a folder, so can not add another files at the same time.\n"
                           "Do you want to cancel the folder in order to select another files?",
                           batch::Buttons::OkCancel) == batch::Answer::Ok) {
        folderBox_->clear();
        model_->setPathPrefix(QString());
        model_->clear();
      }
    }
    if (folderBox_->text().isEmpty()) {
      handPicked_ = true;
      const auto chosen = program_.dialogs().browseFolder(this, QStringLiteral("Add all files of a folder to the list:"));
      if (chosen) addFilesOfFolder(*chosen);
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
  if (!folderBox_->text().isEmpty()) {
    if (program_.messages().confirm("Select files Confirmation",
                                    "You had selected a folder, so can not add another files at the same time.\n"
                                    "Do you want to clear the folder in order to select another files?",
                                    batch::Buttons::OkCancel) == batch::Answer::Ok) {
      folderBox_->clear();
      model_->setPathPrefix(QString());
      model_->clear();
    }
    if (!folderBox_->text().isEmpty()) return;
  }
  QString start;
  {
    const auto settings = app::OpenSettings();
    if (auto last = app::ReadLastDir(*settings); last && IsFolder(*last)) start = *last;
  }
  const QStringList chosen = program_.dialogs().openFiles(this, QStringLiteral("Select files "), start);
  if (chosen.isEmpty()) return;
  model_->appendNew(chosen);
  setStatusText(QString::number(chosen.size()) + QStringLiteral(" Files"));
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
  setStatusText(QString::number(model_->size()) + QStringLiteral(" Files"));
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
  if (program_.messages().confirm("Clear Confirmation", "Do you want to clear all files in the box?",
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
    request.caption = QStringLiteral("Rename a file");
    request.name = FromPath(engine::BaseName(bytes, false));
    request.extension = FromPath(engine::Extension(bytes, false));
    request.extensionShown = true;
  } else {
    request.caption = QStringLiteral("Rename a folder");
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
    setStatusText(QString::number(model_->size()) + QStringLiteral(" Files"));
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
      messages.information("The sepecified folder does not exist, please select another.");
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
    if (kind == OperationKind::Savesomes) {
      program_.editor().exportPickedList();
      state.operationKind = app::kBrowsefile;
      return;
    }
  }
  program_.editor().openModal();
}

void MainWindow::UndoButtonClick() {
  batch::Messages& messages = program_.messages();
  if (messages.confirm(batch::kUndoTitle, batch::kUndoQuestion, batch::Buttons::YesNo) != batch::Answer::Yes) return;
  app::AppState& state = program_.state();
  const auto entries = batch::ReadRollbackEntries(program_.fs(), state.installDir);
  if (!entries) {  // the log went away since the button was enabled: nothing to replay
    button(QStringLiteral("UndoButton"))->setEnabled(false);
    return;
  }
  ListUndoListener listener(*model_, folderBox_->text().isEmpty() ? QString() : WithSeparator(folderBox_->text()));
  batch::StopFlag& stop = program_.stopFlag();
  batch::UndoReport report;
  if (entries->size() <= batch::kUndoLinesWithoutProgress) {
    ProgressRunHooks hooks(nullptr);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    report = batch::ReplayUndo(program_.fs(), state.installDir, *entries, stop, hooks, false, &listener);
    QApplication::restoreOverrideCursor();
  } else {
    ProgressPort& progress = program_.progress();
    ProgressRunHooks hooks(&progress);
    progress.run(
        [&] { report = batch::ReplayUndo(program_.fs(), state.installDir, *entries, stop, hooks, true, &listener); },
        stop);
  }
  // What could not be restored stays in the log; say so, and why nothing ran when refused.
  if (!report.refusal.empty()) messages.warning(report.refusal, "Error");
  if (const std::string kept = batch::UndoKeptMessage(report); !kept.empty()) messages.warning(kept, "Warning");
  program_.playEndSound();
  stop.clear();
  if (!program_.runOptions().displayResult) model_->clear();
  if (folderBox_->text().isEmpty()) {
    refreshHandPicked();
  } else {
    requestListing();
  }
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
