// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: folder listing, the two target modes and their buttons, drops,
// navigation, the housekeeping timer, the context menu's rules and keys, and the checks
// of the operation buttons.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include "batch/program_files.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "ui/file_list_model.h"
#include "ui/folder_add_dialog.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/options_window.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui/single_rename_dialog.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;
using testing::TempTree;
using ui::FromPath;

namespace {

QString Q(const std::string& s) { return FromPath(s); }

void Select(ui::MainWindow& main, std::initializer_list<int> rows) {
  main.list()->selectionModel()->clearSelection();
  for (int row : rows) main.list()->selectionModel()->select(main.model().index(row), QItemSelectionModel::Select);
}

void ListFolder(ui::MainWindow& main, const std::string& folder) {
  main.setFolderBox(Q(folder));
  main.ListFolder();
}

void PressKey(ui::MainWindow& main, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(main.list(), static_cast<Qt::Key>(key), modifiers);
}

QStringList Texts(const testing::RecordingMessages& m) {
  QStringList out;
  for (const auto& shown : m.shown) out << QString::fromStdString(shown.title + ": " + shown.text);
  return out;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void listsFoldersThenFilesWithoutRegardToCase();
  void folderChoiceAsksBeforeDroppingHandPickedFiles();
  void cancelledFolderBrowseLeavesAnEmptyFolderMode();
  void addingAFoldersFilesSkipsSubfoldersAndDuplicates();
  void filesButtonAddsEachPathOnceAndRemembersTheFolder();
  void filesButtonAsksBeforeDroppingTheFolder();
  void drops_data();
  void drops();
  void upperDirectoryListsTheParentOrAsksForAFolder();
  void doubleClickOnAFolderListsIt();
  void navigatingTwiceDuringALongListingListsTheLastFolderOnce();
  void menuItemsFollowModeAndSelection_data();
  void menuItemsFollowModeAndSelection();
  void keysOfTheList();
  void deleteButtonAndRefresh();
  void copyFilenameAndSort();
  void housekeepingTimer();
  void operationButtonsCheckTheTarget();
  void singleRenameThroughF2();
};

void MainWindowTest::listsFoldersThenFilesWithoutRegardToCase() {
  TempTree tree;
  tree.make({"b/", "A/", "z.txt", "B.TXT", "a.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  ListFolder(main, tree.root());
  QCOMPARE(main.model().texts(), (QStringList{"A", "b", "a.txt", "B.TXT", "z.txt"}));
  QCOMPARE(main.statusText(), QStringLiteral("2 Folders 3 Files"));
  QCOMPARE(main.folderBoxText(), Q(tree.root() + "/"));
  QCOMPARE(h.program().state().topLayerFileCount, 3);
  QVERIFY(!main.isListing());
  QVERIFY(main.housekeepingActive());
}

void MainWindowTest::folderChoiceAsksBeforeDroppingHandPickedFiles() {
  TempTree tree;
  tree.make({"dir/x.txt", "loose.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  main.showHandPicked({tree.path("loose.txt")}, false);

  h.messages.answers.push_back(batch::Answer::Cancel);
  testing::AnswerFolderAdd(h.program(), 1);
  main.FolderButtonClick();
  QCOMPARE(main.model().size(), 1);
  QVERIFY(main.isHandPicked());
  QVERIFY(h.dialogs.titles.isEmpty());

  h.dialogs.folders.push_back(Q(tree.path("dir")));
  testing::AnswerFolderAdd(h.program(), 1);
  main.FolderButtonClick();
  QCOMPARE(Texts(h.messages).size(), 2);
  QCOMPARE(h.messages.shown[1].title, std::string("Select folder Confirmation"));
  QCOMPARE(h.messages.shown[1].text, std::string("You had selected some files, so can not edit a folder at the same "
                                                 "time.\nDo you want to clear the selected files in order to select A folder?"));
  QCOMPARE(h.dialogs.titles, QStringList{"Select a folder to \n  edit its included files together:"});
  QVERIFY(!main.isHandPicked());
  QCOMPARE(main.model().texts(), QStringList{"x.txt"});
}

void MainWindowTest::cancelledFolderBrowseLeavesAnEmptyFolderMode() {
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  h.dialogs.folders.push_back(QString());  // the browser is cancelled
  testing::AnswerFolderAdd(h.program(), 1);
  main.FolderButtonClick();
  QVERIFY(!main.isHandPicked());
  QVERIFY(main.folderBoxText().isEmpty());
  main.dropPaths({Q(tree.path("a.txt"))});
  QCOMPARE(main.model().size(), 0);
  main.StartOperation(engine::OperationKind::Replace);
  QCOMPARE(Texts(h.messages), QStringList{"Information: You have not selected a folder or some files,\nplease click "
                                          "'Folder' or 'Files' button to proceed."});
  QCOMPARE(h.program().state().operationKind, std::string("Browsefile"));
  QVERIFY(!h.program().editor().isVisible());
}

void MainWindowTest::addingAFoldersFilesSkipsSubfoldersAndDuplicates() {
  TempTree tree;
  tree.make({"pics/b.jpg", "pics/a.jpg", "pics/inner/c.jpg", "other/"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  ListFolder(main, tree.path("other"));
  main.setStatusText(QStringLiteral("unchanged"));

  h.messages.answers.push_back(batch::Answer::Ok);
  h.dialogs.folders.push_back(Q(tree.path("pics")));
  testing::AnswerFolderAdd(h.program(), 2);
  main.FolderButtonClick();
  QCOMPARE(h.messages.shown.at(0).title, std::string("Select files Confirmation"));
  QCOMPARE(h.dialogs.workingFolders, QStringList{Q(tree.path("other") + "/")});  // the folder worked on
  QVERIFY(main.isHandPicked());
  QVERIFY(main.folderBoxText().isEmpty());
  QCOMPARE(main.model().texts(), (QStringList{Q(tree.path("pics/a.jpg")), Q(tree.path("pics/b.jpg"))}));

  h.dialogs.folders.push_back(Q(tree.path("pics") + "/"));
  testing::AnswerFolderAdd(h.program(), 2);
  main.FolderButtonClick();
  QCOMPARE(main.model().size(), 2);
  QCOMPARE(main.statusText(), QStringLiteral("unchanged"));
  QCOMPARE(h.dialogs.titles.last(), QStringLiteral("Add all files of a folder to the list:"));
}

void MainWindowTest::filesButtonAddsEachPathOnceAndRemembersTheFolder() {
  TempTree tree;
  tree.make({"in/a.txt", "in/b.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  h.program().state().topLayerFileCount = 7;
  h.dialogs.files.push_back({Q(tree.path("in/a.txt")), Q(tree.path("in/b.txt"))});
  h.dialogs.files.push_back({Q(tree.path("in/a.txt"))});
  main.FilesButtonClick();
  QCOMPARE(main.statusText(), QStringLiteral("2 Files"));
  main.FilesButtonClick();
  QCOMPARE(main.model().size(), 2);
  QCOMPARE(main.statusText(), QStringLiteral("1 Files"));
  QCOMPARE(h.dialogs.titles, (QStringList{"Select files ", "Select files "}));
  QCOMPARE(h.dialogs.fileDialogStarts, (QStringList{QString(), Q(tree.path("in") + "/")}));
  QSettings settings(QStringLiteral("Tessaro"), QStringLiteral("Dir"));
  QCOMPARE(settings.value(QStringLiteral("LastDir")).toString(), Q(tree.path("in") + "/"));
  QVERIFY(main.isHandPicked());
  QCOMPARE(h.program().state().topLayerFileCount, 0);
}

void MainWindowTest::filesButtonAsksBeforeDroppingTheFolder() {
  TempTree tree;
  tree.make({"f/a.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  ListFolder(main, tree.path("f"));
  h.messages.answers.push_back(batch::Answer::Cancel);
  main.FilesButtonClick();
  QVERIFY(h.dialogs.titles.isEmpty());
  QCOMPARE(main.model().size(), 1);
  QCOMPARE(h.messages.shown.at(0).text,
           std::string("You had selected a folder, so can not add another files at the same time.\nDo you want to "
                       "clear the folder in order to select another files?"));
  // Agreed, then the chooser cancelled: an empty list, and a status bar that says so.
  h.messages.answers.push_back(batch::Answer::Ok);
  main.FilesButtonClick();
  QCOMPARE(h.dialogs.titles, QStringList{"Select files "});
  QCOMPARE(main.model().size(), 0);
  QCOMPARE(main.statusText(), QStringLiteral("0 Files"));
  QVERIFY(main.isHandPicked());
  QCOMPARE(h.dialogs.fileDialogStarts, QStringList{Q(tree.path("f") + "/")});
}

void MainWindowTest::drops_data() {
  QTest::addColumn<QStringList>("existing");
  QTest::addColumn<QStringList>("dropped");
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("new files are appended in the drop order")
      << QStringList{"a.txt"} << QStringList{"c.txt", "b.txt"} << QStringList{"a.txt", "c.txt", "b.txt"};
  QTest::newRow("an entry already there is not added again")
      << QStringList{"a.txt"} << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt", "b.txt"};
  QTest::newRow("a name differing in case is another entry")
      << QStringList{"a.txt"} << QStringList{"A.TXT"} << QStringList{"a.txt", "A.TXT"};
  QTest::newRow("a folder ends the drop") << QStringList{} << QStringList{"b.txt", "dir", "c.txt"}
                                          << QStringList{"b.txt"};
  QTest::newRow("a missing path ends the drop") << QStringList{} << QStringList{"gone.txt", "c.txt"} << QStringList{};
}

void MainWindowTest::drops() {
  QFETCH(QStringList, existing);
  QFETCH(QStringList, dropped);
  QFETCH(QStringList, expected);
  TempTree tree;
  tree.make({"a.txt", "A.TXT", "b.txt", "c.txt", "dir/"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  const auto full = [&](const QStringList& names) {
    QStringList out;
    for (const QString& n : names) out << Q(tree.path(n.toStdString()));
    return out;
  };
  std::vector<std::string> start;
  for (const QString& p : full(existing)) start.push_back(ui::ToPath(p));
  main.showHandPicked(start, false);
  main.dropPaths(full(dropped));
  QCOMPARE(main.model().texts(), full(expected));
}

void MainWindowTest::upperDirectoryListsTheParentOrAsksForAFolder() {
  TempTree tree;
  tree.make({"top/mid/low/", "top/f.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  ListFolder(main, tree.path("top/mid"));
  main.UpperDirectoryClick();
  QTRY_COMPARE(main.model().texts(), (QStringList{"mid", "f.txt"}));
  QCOMPARE(main.folderBoxText(), Q(tree.path("top") + "/"));

  main.setFolderBox(QStringLiteral("/"));
  bool asked = false;
  testing::WhenShown(&h.program().folderAdd(), [&] {
    asked = true;
    h.program().folderAdd().reject();
  });
  main.UpperDirectoryClick();
  QVERIFY(asked);
}

void MainWindowTest::doubleClickOnAFolderListsIt() {
  TempTree tree;
  tree.make({"outer/inner/deep.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  ListFolder(main, tree.path("outer"));
  Select(main, {0});
  main.ListDoubleClick();
  QTRY_COMPARE(main.model().texts(), QStringList{"deep.txt"});
  QCOMPARE(main.statusText(), QStringLiteral("0 Folders 1 Files"));
}

void MainWindowTest::navigatingTwiceDuringALongListingListsTheLastFolderOnce() {
  TempTree tree;
  tree.make({"g/p/", "g/sibling.txt"});
  std::vector<std::string> many;
  for (int i = 0; i < 40000; ++i) many.push_back("g/p/c/f" + std::to_string(i));
  tree.make(many);
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  main.setFolderBox(Q(tree.path("g/p/c")));
  int upperClicks = 0;
  QTimer clicker;
  clicker.setInterval(1);
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    if (!main.isListing() || upperClicks == 2) return;
    main.UpperDirectoryClick();  // two clicks in quick succession
    main.UpperDirectoryClick();
    upperClicks = 2;
  });
  clicker.start();
  main.ListFolder();
  QCOMPARE(upperClicks, 2);
  QTRY_VERIFY(!main.isListing() && main.model().texts() == (QStringList{"p", "sibling.txt"}));
  QCOMPARE(main.folderBoxText(), Q(tree.path("g") + "/"));
  QCOMPARE(main.statusText(), QStringLiteral("1 Folders 1 Files"));
}

void MainWindowTest::menuItemsFollowModeAndSelection_data() {
  QTest::addColumn<bool>("handPicked");
  QTest::addColumn<int>("entries");
  QTest::addColumn<int>("selected");
  QTest::addColumn<QStringList>("enabled");
  const QString session = QStringLiteral("AnotherSessionItem");
  QTest::newRow("hand-picked, empty") << true << 0 << 0 << QStringList{"AddMoreItem"};
  QTest::newRow("hand-picked, one selected of one")
      << true << 1 << 1
      << QStringList{"RenameItem", "DeleteItem", "RefreshItem", "CopyFilenameItem", "OpenFileItem", "OpenFolderItem",
                     "SelectAllItem", "InverseSelectItem", "AddMoreItem", "ClearItem", session};
  QTest::newRow("hand-picked, two selected of three")
      << true << 3 << 2
      << QStringList{"DeleteItem", "RefreshItem", "SortItem", "SelectAllItem", "InverseSelectItem", "AddMoreItem",
                     "ClearItem", session};
  QTest::newRow("folder, empty") << false << 0 << 0 << QStringList{"RefreshItem", "AddMoreItem"};
  QTest::newRow("folder, one selected of three")
      << false << 3 << 1
      << QStringList{"RenameItem", "RefreshItem", "CopyFilenameItem", "OpenFileItem", "OpenFolderItem", "ClearItem",
                     session};
  QTest::newRow("folder, none selected") << false << 3 << 0 << QStringList{"RefreshItem", "ClearItem"};
}

void MainWindowTest::menuItemsFollowModeAndSelection() {
  QFETCH(bool, handPicked);
  QFETCH(int, entries);
  QFETCH(int, selected);
  QFETCH(QStringList, enabled);
  TempTree tree;
  tree.make({"a.txt", "b.txt", "c.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  std::vector<std::string> paths;
  for (const char* name : {"a.txt", "b.txt", "c.txt"})
    if (static_cast<int>(paths.size()) < entries) paths.push_back(tree.path(name));
  if (handPicked) {
    main.showHandPicked(paths, false);
  } else {
    main.setFolderBox(Q(tree.root()));
    for (const std::string& p : paths) main.AddEntry(Q(platform::LastComponent(p)));
  }
  for (int row = 0; row < selected; ++row)
    main.list()->selectionModel()->select(main.model().index(row), QItemSelectionModel::Select);
  main.updateMenuItems();
  QStringList actual;
  for (const char* name : {"RenameItem", "DeleteItem", "RefreshItem", "SortItem", "CopyFilenameItem", "OpenFileItem",
                           "OpenFolderItem", "SelectAllItem", "InverseSelectItem", "AddMoreItem", "ClearItem",
                           "AnotherSessionItem"}) {
    if (main.menuAction(QString::fromLatin1(name))->isEnabled()) actual << QString::fromLatin1(name);
  }
  QCOMPARE(actual, enabled);
}

void MainWindowTest::keysOfTheList() {
  TempTree tree;
  tree.make({"a.txt", "b.txt", "c.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  ListFolder(main, tree.root());
  // Del removes names in folder mode too; Ctrl+A selects nothing there.
  Select(main, {1});
  PressKey(main, Qt::Key_Delete);
  QCOMPARE(main.model().texts(), (QStringList{"a.txt", "c.txt"}));
  main.list()->selectionModel()->clearSelection();
  PressKey(main, Qt::Key_A, Qt::ControlModifier);
  QVERIFY(!main.list()->selectionModel()->hasSelection());
  // F5 lists the folder again, also an emptied list.
  tree.make({"d.txt"});
  main.clearList();
  PressKey(main, Qt::Key_F5);
  QCOMPARE(main.model().texts(), (QStringList{"a.txt", "b.txt", "c.txt", "d.txt"}));
  QCOMPARE(main.statusText(), QStringLiteral("0 Folders 4 Files"));
  // Ctrl+A in hand-picked mode selects every entry; Ctrl+C copies the name of one.
  main.setFolderBox(QString());
  main.clearList();
  main.showHandPicked({tree.path("a.txt"), tree.path("b.txt")}, false);
  PressKey(main, Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(main.selectedRows(), (QVector<int>{0, 1}));
  Select(main, {1});
  PressKey(main, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("b"));
}

void MainWindowTest::deleteButtonAndRefresh() {
  TempTree tree;
  tree.make({"a.txt", "b.txt", "c.txt", "dir/"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  main.showHandPicked({tree.path("a.txt"), tree.path("b.txt"), tree.path("c.txt"), tree.path("dir")}, false);
  QToolButton* del = main.button(QStringLiteral("DeleteButton"));
  // "Delete" follows the selection at once, not at the next housekeeping tick: a click on
  // the empty part of the list, or Ctrl+Space on the only selected entry, disables it.
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  Select(main, {1});
  QVERIFY(del->isEnabled());
  QWidget* viewport = main.list()->viewport();
  QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(10, viewport->height() - 5));
  QVERIFY(!main.list()->selectionModel()->hasSelection());
  QVERIFY(!del->isEnabled());
  Select(main, {1});
  main.list()->setCurrentIndex(main.model().index(1));
  QTest::keyClick(main.list(), Qt::Key_Space, Qt::ControlModifier);
  QVERIFY(!main.list()->selectionModel()->hasSelection());
  QVERIFY(!del->isEnabled());
  Select(main, {0, 2});
  QVERIFY(del->isEnabled());
  main.DeleteButtonClick();
  QCOMPARE(main.model().texts(), (QStringList{Q(tree.path("b.txt")), Q(tree.path("dir"))}));
  QCOMPARE(main.statusText(), QStringLiteral("2 Files"));
  QVERIFY(!del->isEnabled());

  main.AddEntry(Q(tree.path("gone.txt")));
  main.RefreshClick();  // hand-picked: only existing files stay
  QCOMPARE(main.model().texts(), QStringList{Q(tree.path("b.txt"))});
  QCOMPARE(main.statusText(), QStringLiteral("2 Files"));

  h.messages.answers.push_back(batch::Answer::Ok);
  main.ClearClick();
  QCOMPARE(main.model().size(), 0);
  QCOMPARE(h.messages.shown.back().title, std::string("Clear Confirmation"));
}

void MainWindowTest::copyFilenameAndSort() {
  TempTree tree;
  tree.make({"my.dir/", "b.tar.gz", "B.txt", "a.txt"});
  Harness h;
  ui::MainWindow& main = h.program().mainWindow();
  main.showHandPicked({tree.path("b.tar.gz"), tree.path("my.dir"), tree.path("B.txt"), tree.path("a.txt")}, false);
  Select(main, {0});
  main.CopyFilenameClick();
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("b.tar"));
  Select(main, {1});
  main.CopyFilenameClick();  // a full path naming a folder: its last component
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("my.dir"));

  main.SortClick();
  QStringList names;
  for (const QString& t : main.model().texts()) names << Q(platform::LastComponent(ui::ToPath(t)));
  QCOMPARE(names, (QStringList{"a.txt", "b.tar.gz", "B.txt", "my.dir"}));
}

void MainWindowTest::housekeepingTimer() {
  Harness h;
  ui::Desktop& p = h.program();
  {
    QSettings settings(QStringLiteral("Tessaro"), QStringLiteral("Dir"));
    for (const char* name : {"Options1", "Options2", "Options3", "Autocopy", "Capevery", "Confirm", "Contextmenu"})
      settings.setValue(QString::fromLatin1(name), 1);
    settings.setValue(QStringLiteral("Options3"), 0);
    settings.setValue(QStringLiteral("Prenum"), 55);
  }
  p.start("");
  ui::MainWindow& main = p.mainWindow();
  QToolButton* undo = main.button(QStringLiteral("UndoButton"));
  QVERIFY(!undo->isEnabled());
  QVERIFY(!p.options().runOptions().confirm);  // the window's defaults until the first tick
  QTRY_VERIFY_WITH_TIMEOUT(p.options().runOptions().confirm, 5000);
  QCOMPARE(p.options().runOptions().previewCount, 55);
  QVERIFY(!p.options().runOptions().displayResult);
  // The stored values reach the program's copy, which the editor's run reads.
  QVERIFY(p.program().runOptions().confirm);
  QCOMPARE(p.program().runOptions().previewCount, 55);
  QVERIFY(!p.program().runOptions().displayResult);
  QCOMPARE(main.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
           QStringLiteral("OR add some files to below to edit their names together"));

  testing::WriteFile(p.state().installDir + batch::kRollbackLogName, "/x/b\r\n/x/a\r\n");
  QTRY_VERIFY_WITH_TIMEOUT(undo->isEnabled(), 5000);
  TempTree tree;
  tree.make({"a.txt"});
  ListFolder(main, tree.root());
  QTRY_COMPARE_WITH_TIMEOUT(main.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                            QStringLiteral("The filenames(one layer) in above folder:"), 5000);
}

void MainWindowTest::operationButtonsCheckTheTarget() {
  TempTree tree;
  tree.make({"w/a.txt", "w/b.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  ui::MainWindow& main = p.mainWindow();

  main.StartOperation(engine::OperationKind::Remove);
  QCOMPARE(p.state().operationKind, std::string("Browsefile"));

  ListFolder(main, tree.path("w"));
  Select(main, {1});
  main.StartOperation(engine::OperationKind::Change);
  QVERIFY(p.editor().isVisible());
  QCOMPARE(p.editor().windowModality(), Qt::ApplicationModal);
  QCOMPARE(p.state().samplePath, tree.path("w/b.txt"));
  QCOMPARE(p.editor().sampleBox()->text(), QStringLiteral("b"));
  QVERIFY(!main.housekeepingActive());
  p.editor().selectClicked();
  QVERIFY(!p.editor().isVisible());
  QVERIFY(main.housekeepingActive());

  main.list()->selectionModel()->clearSelection();
  main.StartOperation(engine::OperationKind::Change);
  QCOMPARE(p.state().samplePath, tree.path("w/a.txt"));
  p.editor().selectClicked();

  std::filesystem::remove_all(tree.path("w"));
  main.StartOperation(engine::OperationKind::Replace);
  QCOMPARE(h.messages.shown.back().text, std::string("The sepecified folder does not exist, please select another."));
  QCOMPARE(main.model().size(), 0);
  QCOMPARE(p.state().operationKind, std::string("Browsefile"));
  QVERIFY(!p.editor().isVisible());
  QCOMPARE(h.messages.shown.size(), std::size_t{2});
}

void MainWindowTest::singleRenameThroughF2() {
  TempTree tree;
  tree.make({"d/report.txt", "d/sub/"});
  Harness h;
  ui::Desktop& p = h.program();
  ui::MainWindow& main = p.mainWindow();
  ListFolder(main, tree.path("d"));
  Select(main, {1});
  ui::SingleRenameDialog& dialog = p.singleRename();
  QString caption, name, extension;
  testing::WhenShown(&dialog, [&] {
    caption = dialog.windowTitle();
    name = dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
    extension = dialog.findChild<QLineEdit*>(QStringLiteral("Edit2"))->text();
    dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("  summary"));
    dialog.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("md"));
    dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
  });
  PressKey(main, Qt::Key_F2);
  QCOMPARE(caption, QStringLiteral("Rename a file"));
  QCOMPARE(name, QStringLiteral("report"));
  QCOMPARE(extension, QStringLiteral(".txt"));
  QVERIFY(tree.exists("d/summary.md"));
  QCOMPARE(main.model().text(1), QStringLiteral("summary.md"));
  QCOMPARE(testing::ReadLines(p.state().installDir + batch::kRollbackLogName),
           (std::vector<std::string>{tree.path("d/summary.md"), tree.path("d/report.txt")}));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
