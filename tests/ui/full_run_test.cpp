// SPDX-License-Identifier: GPL-3.0-or-later
// Whole runs from the main window on real folders: a replace run and its undo, runs in
// the progress window with Cancel, a run that renames nothing, and the options that decide
// what follows a run.

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QProcess>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "batch/program_files.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "ui/file_list_model.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/options_window.h"
#include "ui/desktop.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/run_summary.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;
using testing::OpenFolderEditor;
using testing::NumberedFiles;
using testing::TempTree;
using ui::FromPath;

namespace {

template <typename T = QWidget>
T* EditorControl(ui::Desktop& p, const char* name) {
  return p.editor().findChild<T*>(QString::fromLatin1(name));
}

bool IsReadOnly(const std::string& path) {
  namespace fs = std::filesystem;
  const auto perms = fs::status(path).permissions();
  return (perms & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

class FullRunTest : public QObject {
  Q_OBJECT

 private slots:
  void replaceInAFolderThenUndo();
  void undoMenuUndoesEveryRunDownToTheChosenOne();
  void largeHandPickedRunGoesThroughTheProgressWindow();
  void cancelStopsTheRunAndKeepsWhatWasRenamed();
  void aRunThatRenamesNothingKeepsTheEditorOpen();
  void exitAfterTheRunEndsTheProgramWithTheLogSaved();
  void listEmptiedWhenResultsAreNotDisplayed();
  void copiedCommandAndSavedPresetDoWhatTheEditorDid();
  void refusedItemsAreListedUpToTwenty();
};

void FullRunTest::refusedItemsAreListedUpToTwenty() {
  std::vector<batch::SkippedItem> skipped{{"/w/kept.txt", "/w/x.txt", "the rules leave no name", batch::ItemStatus::LeftAlone}};
  for (int i = 0; i < 25; ++i)
    skipped.push_back({"/w/f" + std::to_string(i), "/w/g", "Permission denied", batch::ItemStatus::Refused});
  const QStringList lines = ui::RunSummary::RefusedItems(skipped).split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 1 + ui::RunSummary::kListed + 1);
  QCOMPARE(lines.front(), QStringLiteral("The system refused to rename 25 item(s):"));
  QCOMPARE(lines[1], QStringLiteral("f0: Permission denied"));  // a left-alone item is not refused
  QCOMPARE(lines.back(), QStringLiteral("... and 5 more"));
  QVERIFY(ui::RunSummary::RefusedItems({skipped.front()}).isEmpty());
}

void FullRunTest::replaceInAFolderThenUndo() {
  TempTree tree;
  tree.make({"w/old1.txt", "w/old2.txt", "w/other.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  ui::MainWindow& main = p.mainWindow();

  h.dialogs.folders.push_back(FromPath(tree.path("w")));
  testing::AnswerFolderAdd(p, 1);
  main.FolderButtonClick();
  QCOMPARE(main.model().texts(), (QStringList{"old1.txt", "old2.txt", "other.txt"}));

  main.button(QStringLiteral("ReplaceButton"))->click();
  QVERIFY(p.editor().isVisible());
  EditorControl<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("old"));
  EditorControl<QComboBox>(p, "ComboBoxEx4")->setEditText(QStringLiteral("new"));
  EditorControl<QPushButton>(p, "SpeedButton15")->click();

  QCOMPARE(tree.list(), (std::vector<std::string>{"w/", "w/new1.txt", "w/new2.txt", "w/other.txt"}));
  QVERIFY(!p.editor().isVisible());
  QVERIFY(h.messages.shown.empty());
  QCOMPARE(main.model().texts(), (QStringList{"new1.txt", "new2.txt", "other.txt"}));
  QCOMPARE(main.runSummary(), QStringLiteral("Renamed: 2 (numbered: 0), unchanged: 1, left alone: 0"));
  const std::string log = p.state().installDir + batch::kRollbackLogName;
  QCOMPARE(testing::ReadLines(log), (std::vector<std::string>{tree.path("w/new1.txt"), tree.path("w/old1.txt"),
                                                              tree.path("w/new2.txt"), tree.path("w/old2.txt")}));
  QVERIFY(IsReadOnly(log));
  QVERIFY(!platform::RealFileSystem().exists(p.state().installDir + batch::kJournalName));
  QCOMPARE(testing::ReadLines(p.state().installDir + batch::kHistoryName), std::vector<std::string>{"new"});
  QCOMPARE(EditorControl<QComboBox>(p, "ComboBoxEx4")->itemText(0), QStringLiteral("new"));
  QCOMPARE(p.state().operationKind, std::string("Browsefile"));

  QTRY_VERIFY_WITH_TIMEOUT(main.button(QStringLiteral("UndoButton"))->isEnabled(), 5000);
  h.messages.answers.push_back(batch::Answer::Yes);
  main.UndoButtonClick();
  QCOMPARE(h.messages.shown.back().title, std::string("Undo Confirmation"));
  QCOMPARE(h.messages.shown.back().text, std::string("Do you want to UNDO the last rename operation ?"));
  QCOMPARE(tree.list(), (std::vector<std::string>{"w/", "w/old1.txt", "w/old2.txt", "w/other.txt"}));
  QVERIFY(!platform::RealFileSystem().exists(log));
  QCOMPARE(main.model().texts(), (QStringList{"old1.txt", "old2.txt", "other.txt"}));
  QCOMPARE(main.runSummary(), QStringLiteral("Undo restored: 2"));
  QTRY_VERIFY_WITH_TIMEOUT(!main.button(QStringLiteral("UndoButton"))->isEnabled(), 5000);

  // The Options window's "Clear" empties the new-name lists after its question.
  h.messages.answers.push_back(batch::Answer::Yes);
  p.options().findChild<QPushButton*>(QStringLiteral("Button6"))->click();
  QCOMPARE(h.messages.shown.back().title, std::string("Clear Confirmation"));
  QVERIFY(!platform::RealFileSystem().exists(p.state().installDir + batch::kHistoryName));
  QCOMPARE(EditorControl<QComboBox>(p, "ComboBoxEx4")->count(), 0);
}

void FullRunTest::undoMenuUndoesEveryRunDownToTheChosenOne() {
  TempTree tree;
  tree.make({"w/old1.txt", "w/other.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  ui::MainWindow& main = p.mainWindow();
  h.dialogs.folders.push_back(FromPath(tree.path("w")));
  testing::AnswerFolderAdd(p, 1);
  main.FolderButtonClick();
  for (const auto& [from, to] : {std::pair{"old", "new"}, std::pair{"other", "more"}}) {
    main.button(QStringLiteral("ReplaceButton"))->click();
    EditorControl<QLineEdit>(p, "LabeledEdit1")->setText(QString::fromLatin1(from));
    EditorControl<QComboBox>(p, "ComboBoxEx4")->setEditText(QString::fromLatin1(to));
    EditorControl<QPushButton>(p, "SpeedButton15")->click();
  }
  QCOMPARE(tree.list(), (std::vector<std::string>{"w/", "w/more.txt", "w/new1.txt"}));
  // The drop-down lists both runs, the last one first.
  QToolButton* undo = main.button(QStringLiteral("UndoButton"));
  QCOMPARE(undo->popupMode(), QToolButton::MenuButtonPopup);
  emit undo->menu()->aboutToShow();
  const QList<QAction*> runs = undo->menu()->actions();
  QCOMPARE(runs.size(), 2);
  QVERIFY2(runs[0]->text().endsWith(QStringLiteral("1 items in %1 (Replapart)").arg(FromPath(tree.path("w")))),
           qPrintable(runs[0]->text()));
  h.messages.answers.push_back(batch::Answer::Yes);
  runs[1]->trigger();
  QCOMPARE(h.messages.shown.back().text, std::string("Do you want to UNDO the last 2 rename operations ?"));
  QCOMPARE(tree.list(), (std::vector<std::string>{"w/", "w/old1.txt", "w/other.txt"}));
  emit undo->menu()->aboutToShow();
  QCOMPARE(undo->menu()->actions().size(), 1);
  QVERIFY(!undo->menu()->actions().front()->isEnabled());
}

void FullRunTest::largeHandPickedRunGoesThroughTheProgressWindow() {
  TempTree tree;
  const std::vector<std::string> names = NumberedFiles("f", 1000, 31, ".doc");
  tree.make(names);
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  ui::MainWindow& main = p.mainWindow();
  QStringList picked;
  for (const std::string& n : names) picked << FromPath(tree.path(n));
  h.dialogs.files.push_back(picked);
  main.FilesButtonClick();
  QSignalSpy progressShown(&p.progress(), &QDialog::finished);

  main.StartOperation(engine::OperationKind::Extension);
  EditorControl<QLineEdit>(p, "LabeledEdit4")->setText(QStringLiteral("txt"));
  QTest::mouseClick(EditorControl(p, "CheckBox1"), Qt::LeftButton);
  p.editor().okClicked();

  QCOMPARE(progressShown.count(), 1);
  QVERIFY(!p.progress().isVisible());
  QVERIFY(!p.editor().isVisible());
  QVERIFY(tree.exists("f1000.txt") && tree.exists("f1030.txt") && !tree.exists("f1000.doc"));
  QCOMPARE(main.model().size(), 31);
  QCOMPARE(main.model().text(0), FromPath(tree.path("f1000.txt")));
  QCOMPARE(testing::ReadLines(p.state().installDir + batch::kRollbackLogName).size(), std::size_t{62});

  // 62 lines are more than an undo does without the progress window.
  h.messages.answers.push_back(batch::Answer::Yes);
  main.UndoButtonClick();
  QCOMPARE(progressShown.count(), 2);
  QVERIFY(tree.exists("f1000.doc") && tree.exists("f1030.doc"));
  QCOMPARE(main.model().text(0), FromPath(tree.path("f1000.doc")));
  QCOMPARE(main.model().size(), 31);
}

void FullRunTest::cancelStopsTheRunAndKeepsWhatWasRenamed() {
  TempTree tree;
  tree.make(NumberedFiles("w/g", 1000, 3000, ".doc"));
  Harness h;
  ui::Desktop& p = h.program();
  OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Extension);
  EditorControl<QLineEdit>(p, "LabeledEdit4")->setText(QStringLiteral("bak"));
  h.messages.answers.push_back(batch::Answer::Yes);
  ui::ProgressWindow& progress = p.progress();
  testing::WhenShown(&progress, [&] {
    QTRY_VERIFY(progress.isWorking());
    progress.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
  });
  p.editor().okClicked();

  QCOMPARE(h.messages.shown.front().text, std::string("Will you cancel this operation?"));
  const auto log = testing::ReadLines(p.state().installDir + batch::kRollbackLogName);
  QVERIFY(!log.empty());
  QVERIFY2(log.size() < 6000, "the run stopped before the end");
  int renamed = 0;
  for (const std::string& entry : tree.list()) renamed += entry.ends_with(".bak");
  QCOMPARE(static_cast<std::size_t>(renamed) * 2, log.size());
  QVERIFY(!p.editor().isVisible());
}

void FullRunTest::aRunThatRenamesNothingKeepsTheEditorOpen() {
  TempTree tree;
  tree.make({"w/a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Replace);
  EditorControl<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("zzz"));
  EditorControl<QComboBox>(p, "ComboBoxEx4")->setEditText(QStringLiteral("y"));
  p.editor().okClicked();
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  QCOMPARE(h.messages.shown[0].text, std::string("No filename had been changed,please check input text and \nmake sure "
                                                 "that the targeted files can be renamed."));
  QVERIFY(p.editor().isVisible());
  QVERIFY(!platform::RealFileSystem().exists(p.state().installDir + batch::kRollbackLogName));
  QCOMPARE(p.state().operationKind, std::string("Replapart"));

  // An item left alone is named with its reason before that, as the command line names it.
  tree.make({"w/a\nb.txt"});
  EditorControl<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("b"));
  h.messages.shown.clear();
  p.editor().okClicked();
  QCOMPARE(h.messages.shown.size(), std::size_t{2});
  QCOMPARE(h.messages.shown[0].title, std::string("Warning"));
  QCOMPARE(h.messages.shown[0].text, "1 item was left alone:\n'" + tree.path("w/a\nb.txt") + "': " +
                                         batch::kLineBreakReason);
  QVERIFY(p.editor().isVisible());
  // A rename the system refuses (an immutable file, as a read-only folder would): one message
  // names each such item with its reason, after the usual words; the status bar counts it
  // as left alone.
  std::filesystem::remove(tree.path("w/a\nb.txt"));
  h.messages.shown.clear();
  const QString file = FromPath(tree.path("w/a.txt"));
  if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), file}) != 0)
    QSKIP("the file system cannot make a file immutable here");
  EditorControl<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("a"));
  p.editor().okClicked();
  QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), file});
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  const QString refused = QString::fromStdString(h.messages.shown[0].text);
  QVERIFY2(refused.startsWith(QStringLiteral("No filename had been changed")), qPrintable(refused));
  QVERIFY2(refused.contains(QStringLiteral("The system refused to rename 1 item(s):\na.txt: ")), qPrintable(refused));
  QVERIFY2(refused.contains(QString::fromLocal8Bit(std::strerror(EPERM))), qPrintable(refused));
  QCOMPARE(p.mainWindow().runSummary(), QStringLiteral("Renamed: 0 (numbered: 0), unchanged: 0, left alone: 1"));
  QVERIFY(tree.exists("w/a.txt"));
}

void FullRunTest::exitAfterTheRunEndsTheProgramWithTheLogSaved() {
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  p.options().findChild<QAbstractButton*>(QStringLiteral("CheckBox1"))->click();
  QVERIFY(p.options().runOptions().exitAfterRun);
  QSignalSpy closed(&p.mainWindow(), &ui::MainWindow::closed);
  p.mainWindow().showHandPicked({tree.path("a.txt")}, false);
  p.mainWindow().StartOperation(engine::OperationKind::Change);
  EditorControl<QComboBox>(p, "ComboBoxEx5")->setEditText(QStringLiteral("b"));
  p.editor().okClicked();
  QCOMPARE(closed.count(), 1);
  QVERIFY(tree.exists("b.txt"));
  const std::string log = p.state().installDir + batch::kRollbackLogName;
  QCOMPARE(testing::ReadLines(log), (std::vector<std::string>{tree.path("b.txt"), tree.path("a.txt")}));
  QVERIFY(IsReadOnly(log));
}

void FullRunTest::listEmptiedWhenResultsAreNotDisplayed() {
  TempTree tree;
  tree.make({"a.txt", "b.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  ui::MainWindow& main = p.mainWindow();
  main.showHandPicked({tree.path("a.txt"), tree.path("b.txt")}, false);
  main.StartOperation(engine::OperationKind::Insert);
  QTest::mouseClick(EditorControl(p, "CheckBox2"), Qt::LeftButton);
  EditorControl<QComboBox>(p, "ComboBoxEx1")->setEditText(QStringLiteral("x-"));
  p.editor().okClicked();
  QCOMPARE(main.model().texts(), (QStringList{FromPath(tree.path("x-a.txt")), FromPath(tree.path("x-b.txt"))}));

  p.options().findChild<QAbstractButton*>(QStringLiteral("CheckBox3"))->click();
  QVERIFY(!p.options().runOptions().displayResult);
  main.StartOperation(engine::OperationKind::Insert);
  EditorControl<QComboBox>(p, "ComboBoxEx1")->setEditText(QStringLiteral("y-"));
  p.editor().okClicked();
  QVERIFY(tree.exists("y-x-a.txt"));
  QCOMPARE(main.model().size(), 0);
}


namespace {

/// Runs a command line in a POSIX shell with velmora-cli on the PATH; its exit code.
int RunShell(const QString& command) {
  QProcess shell;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  const QString cliFolder = QFileInfo(QStringLiteral(VELMORA_CLI_PATH)).absolutePath();
  environment.insert(QStringLiteral("PATH"), cliFolder + QLatin1Char(':') + environment.value(QStringLiteral("PATH")));
  shell.setProcessEnvironment(environment);
  shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
  shell.waitForFinished(60000);
  return shell.exitStatus() == QProcess::NormalExit ? shell.exitCode() : -1;
}

}  // namespace

void FullRunTest::copiedCommandAndSavedPresetDoWhatTheEditorDid() {
  const std::vector<std::string> files = {"w/IMG_1 it's.jpg", "w/IMG_10.jpg", "w/IMG_2.jpg", "w/x.txt"};
  TempTree tree;
  tree.make(files);
  Harness h;
  ui::Desktop& p = h.program();
  OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Replace);
  p.options().findChild<QComboBox*>(QStringLiteral("ComboBoxOrder"))->setCurrentIndex(1);  // natural
  EditorControl<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("IMG_"));
  EditorControl<QComboBox>(p, "ComboBoxEx4")->setEditText(QStringLiteral("a'b `$$` "));
  EditorControl<QPushButton>(p, "ButtonCopyCommand")->click();
  const QString command = QGuiApplication::clipboard()->text();
  QVERIFY(command.startsWith(QStringLiteral("velmora-cli replace --folder ")));
  EditorControl<QComboBox>(p, "ComboBoxPresets")->setEditText(QStringLiteral("quoted numbers"));
  EditorControl<QPushButton>(p, "ButtonPresetSave")->click();
  QVERIFY(h.messages.shown.empty());

  EditorControl<QPushButton>(p, "SpeedButton15")->click();
  const std::vector<std::string> byEditor = tree.list();
  QCOMPARE(byEditor, (std::vector<std::string>{"w/", "w/a'b `01` 1 it's.jpg", "w/a'b `02` 2.jpg",
                                               "w/a'b `03` 10.jpg", "w/x.txt"}));

  // The same tree again, renamed by the copied command, then by the saved preset.
  const auto renew = [&] {
    std::filesystem::remove_all(tree.path("w"));
    tree.make(files);
  };
  renew();
  QCOMPARE(RunShell(command), 0);
  QCOMPARE(tree.list(), byEditor);
  renew();
  const QString preset = QStringLiteral("velmora-cli replace --folder '%1' --preset 'quoted numbers' --order natural --yes")
                             .arg(FromPath(tree.path("w")));
  QCOMPARE(RunShell(preset), 0);
  QCOMPARE(tree.list(), byEditor);

  // Loading the preset in the window sets the page's controls back.
  p.mainWindow().StartOperation(engine::OperationKind::Replace);
  EditorControl<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("other"));
  auto* presets = EditorControl<QComboBox>(p, "ComboBoxPresets");
  QCOMPARE(presets->findText(QStringLiteral("quoted numbers")), 0);
  QVERIFY(p.editor().loadPreset(QStringLiteral("quoted numbers")));
  QCOMPARE(EditorControl<QLineEdit>(p, "LabeledEdit1")->text(), QStringLiteral("IMG_"));
  QCOMPARE(EditorControl<QComboBox>(p, "ComboBoxEx4")->currentText(), QStringLiteral("a'b `$$` "));
}

QTEST_MAIN(FullRunTest)
#include "full_run_test.moc"
