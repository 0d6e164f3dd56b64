// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the windows and their order, the program folder, the first argument with the
// hand-off list, the end of a hand-off session, and "Rename in another session".

#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QtTest>

#include "app/app_state.h"
#include "app/settings_store.h"
#include "app/startup.h"
#include "batch/program_files.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "ui/file_list_model.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;
using testing::TempTree;

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void windowsAreCreatedOnceInTheirOrder();
  void normalStartShowsTheMainWindowAndLeavesTheHandOffFile();
  void installDirComesFromTheSettingOrThePerUserFolder();
  void handOffPlans_data();
  void handOffPlans();
  void commandLine_data();
  void commandLine();
  void pathsOnTheCommandLineOpenTheMainWindow();
  void missingPathsAreNamed_data();
  void missingPathsAreNamed();
  void helpAndVersionPrintAndEnd();
  void handOffOfThreeFilesEndsWithTheMainWindowShowingThem();
  void handOffOfAFolderEndsWithTheFolderListed();
  void closeTimerEndsTheProgram();
  void savesomesShowsTheEntriesAndKeepsTheMainWindow();
  void renameInAnotherSession_data();
  void renameInAnotherSession();
  void aJournalLeftBehindBecomesTheLog();
};

void StartupTest::windowsAreCreatedOnceInTheirOrder() {
  Harness h;
  QStringList names, captions;
  for (QWidget* w : h.program().windows()) {
    names << w->objectName();
    captions << w->windowTitle();
  }
  QCOMPARE(names, (QStringList{"TForm4", "TForm1", "TForm3", "TForm5", "TForm6", "TForm7", "TForm8", "TForm2",
                               "TForm9"}));
  QCOMPARE(captions.at(0), QStringLiteral("Velmora "));
  QCOMPARE(captions.at(2), QStringLiteral("Velmora - Special string"));
  QCOMPARE(captions.at(3), QStringLiteral("Progress"));
  QCOMPARE(captions.at(5), QStringLiteral("Options"));
  QCOMPARE(captions.at(6), QStringLiteral("New name list"));
  QCOMPARE(captions.at(8), QStringLiteral("Folder Add option"));
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Velmora"));
}

void StartupTest::normalStartShowsTheMainWindowAndLeavesTheHandOffFile() {
  Harness h;
  const std::string handOff = h.program().state().installDir + batch::kHandOffName;
  testing::WriteFile(handOff, "/tmp/x\r\n");
  h.program().start("");
  QVERIFY(h.program().mainWindow().isVisible());
  QVERIFY(h.program().mainWindow().housekeepingActive());
  QCOMPARE(h.program().state().operationKind, std::string("Browsefile"));
  QVERIFY(platform::RealFileSystem().exists(handOff));
  QVERIFY(!h.program().launchTimer().isActive());
  QCOMPARE(h.program().mainWindow().statusText(),
           QStringLiteral("Click Folder button to select a folder OR click Files button to select many files"));
}

void StartupTest::installDirComesFromTheSettingOrThePerUserFolder() {
  {
    Harness h;
    QCOMPARE(h.program().state().installDir, testing::DefaultInstallDir());
    QVERIFY(platform::RealFileSystem().isDirectory(h.program().state().installDir));
  }
  TempTree tree;
  const std::string chosen = tree.path("program files/velmora");
  testing::ResetProgramState();
  {
    QSettings settings(QStringLiteral("Tessaro"), QStringLiteral("Dir"));
    settings.setValue(QStringLiteral("InstallDir"), ui::FromPath(chosen));
  }
  testing::RecordingMessages messages;
  testing::FakeDialogs dialogs;
  testing::RecordingLauncher launcher;
  ui::Desktop program({&messages, &dialogs, &launcher, nullptr});
  QCOMPARE(program.state().installDir, chosen + "/");
  QVERIFY(platform::RealFileSystem().isDirectory(chosen));
  testing::ResetProgramState();
}

namespace {
constexpr int No = 0;
constexpr int Yes = 1;
using S = QString;
}  // namespace

void StartupTest::handOffPlans_data() {
  QTest::addColumn<QString>("keyword");
  QTest::addColumn<QStringList>("lines");  // relative to the tree; "<nofile>" for no hand-off file
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("handOff");
  QTest::addColumn<bool>("showMain");
  QTest::addColumn<bool>("closeTimer");
  QTest::addColumn<int>("scope");
  QTest::addColumn<int>("picked");
  QTest::addColumn<QString>("folder");
  QTest::addColumn<QString>("sample");
  QTest::addColumn<QStringList>("messages");

  const QStringList none;
  const QString noFile = QStringLiteral("There is no file in this folder.");
  const QString question = QStringLiteral("There is no file in this folder, do you want to edit this folder name?");
  QTest::newRow("three files for replace") << S("Replapart") << QStringList{"a.txt", "b.txt", "c.txt"} << Yes << true
                                           << false << false << 0 << 3 << S("") << S("a.txt") << none;
  QTest::newRow("empty folder for extension") << S("Changexten") << QStringList{"empty"} << Yes << true << false << true
                                              << 0 << 0 << S("empty") << S("empty/") << QStringList{noFile};
  QTest::newRow("empty folder for a listing") << S("Savealls") << QStringList{"empty"} << Yes << true << false << true
                                              << 0 << 0 << S("empty") << S("empty/") << QStringList{noFile};
  QTest::newRow("empty folder for remove, Yes") << S("Removpart") << QStringList{"empty"} << Yes << true << false
                                                << false << 3 << 0 << S("empty") << S("empty/") << QStringList{question};
  QTest::newRow("empty folder for remove, No") << S("Removpart") << QStringList{"empty"} << No << true << false << true
                                               << 0 << 0 << S("empty") << S("empty/") << QStringList{question};
  QTest::newRow("folder with a file") << S("Changnew") << QStringList{"full"} << Yes << true << false << false << 0 << 0
                                      << S("full") << S("full/x.txt") << none;
  QTest::newRow("folder with a subfolder only") << S("Addnewnum") << QStringList{"subonly"} << Yes << true << false
                                                << false << 0 << 0 << S("subonly") << S("subonly/") << none;
  QTest::newRow("one file") << S("Replapart") << QStringList{"a.txt"} << Yes << true << false << false << 0 << 1 << S("")
                            << S("a.txt") << none;
  QTest::newRow("hand-off file without a line") << S("Replapart") << QStringList{} << Yes << true << false << true << 0
                                                << 0 << S("") << S("") << none;
  QTest::newRow("no hand-off file") << S("Replapart") << QStringList{"<nofile>"} << Yes << true << false << false << 0
                                    << 0 << S("") << S("") << none;
  QTest::newRow("listing of two files") << S("Savesomes") << QStringList{"a.txt", "b.txt"} << Yes << false << true
                                        << false << 0 << 2 << S("") << S("a.txt") << none;
  QTest::newRow("unknown keyword is kept") << S("Whatever") << QStringList{"a.txt"} << Yes << true << false << false
                                           << 0 << 1 << S("") << S("a.txt") << none;
}

void StartupTest::handOffPlans() {
  QFETCH(QString, keyword);
  QFETCH(QStringList, lines);
  QFETCH(int, answer);
  QFETCH(bool, handOff);
  QFETCH(bool, showMain);
  QFETCH(bool, closeTimer);
  QFETCH(int, scope);
  QFETCH(int, picked);
  QFETCH(QString, folder);
  QFETCH(QString, sample);
  QFETCH(QStringList, messages);

  TempTree tree;
  tree.make({"a.txt", "b.txt", "c.txt", "empty/", "full/x.txt", "subonly/inner/"});
  TempTree program;
  platform::FileSystem& fs = platform::RealFileSystem();
  const std::string handOffFile = program.root() + "/" + batch::kHandOffName;
  if (lines != QStringList{"<nofile>"}) {
    std::string content;
    for (const QString& l : lines) content += tree.path(l.toStdString()) + "\r\n";
    testing::WriteFile(handOffFile, content);
  }
  testing::RecordingMessages recorder;
  recorder.answers.push_back(answer == Yes ? batch::Answer::Yes : batch::Answer::No);

  const app::StartupPlan plan = app::PlanStartup(keyword.toStdString(), fs, program.root() + "/", recorder);

  QCOMPARE(plan.operationKind, keyword.toStdString());
  QCOMPARE(plan.handOffSession, handOff);
  QCOMPARE(plan.showMainWindow, showMain);
  QCOMPARE(plan.armCloseTimer, closeTimer);
  QVERIFY(plan.armLaunchTimer);
  QCOMPARE(static_cast<int>(plan.target.scope), scope);
  QCOMPARE(static_cast<int>(plan.target.picked.size()), picked);
  QCOMPARE(plan.target.folder, folder.isEmpty() ? std::string() : tree.path(folder.toStdString()));
  QCOMPARE(plan.samplePath, sample.isEmpty() ? std::string() : tree.path(sample.toStdString()));
  QStringList shown;
  for (const auto& m : recorder.shown) shown << QString::fromStdString(m.text);
  QCOMPARE(shown, messages);
  QVERIFY2(!fs.exists(handOffFile), "the hand-off list is deleted once read");
}

void StartupTest::commandLine_data() {
  using A = app::CommandLine::Action;
  QTest::addColumn<QStringList>("arguments");  // relative to the tree, "/" + ... made absolute
  QTest::addColumn<int>("action");
  QTest::addColumn<QString>("keyword");
  QTest::addColumn<QString>("folder");
  QTest::addColumn<QStringList>("files");
  const QStringList none;
  QTest::newRow("nothing") << none << int(A::Start) << S("") << S("") << none;
  QTest::newRow("a keyword wins over an entry of its name") << QStringList{"Replapart"} << int(A::Start)
                                                            << S("Replapart") << S("") << none;
  QTest::newRow("an unknown word stays a keyword") << QStringList{"Whatever"} << int(A::Start) << S("Whatever")
                                                   << S("") << none;
  QTest::newRow("a folder") << QStringList{"./dir/", "a.txt"} << int(A::Start) << S("") << S("dir") << none;
  QTest::newRow("an absolute folder") << QStringList{"/dir"} << int(A::Start) << S("") << S("dir") << none;
  QTest::newRow("files, the others skipped") << QStringList{"a.txt", "missing.txt", "dir", "/b.txt"} << int(A::Start)
                                             << S("") << S("") << QStringList{"a.txt", "b.txt"};
  QTest::newRow("help wherever it stands") << QStringList{"a.txt", "--help"} << int(A::Help) << S("") << S("")
                                           << none;
  QTest::newRow("version") << QStringList{"--version"} << int(A::Version) << S("") << S("") << none;
  QTest::newRow("an unknown option") << QStringList{"--frobnicate", "a.txt"} << int(A::UsageError) << S("")
                                     << S("") << none;
}

void StartupTest::commandLine() {
  QFETCH(QStringList, arguments);
  QFETCH(int, action);
  QFETCH(QString, keyword);
  QFETCH(QString, folder);
  QFETCH(QStringList, files);
  TempTree tree;
  tree.make({"a.txt", "b.txt", "dir/x.txt", "Replapart"});
  std::vector<std::string> args;
  for (const QString& a : arguments)
    args.push_back(a.startsWith('/') ? tree.path(a.mid(1).toStdString()) : a.toStdString());
  const app::CommandLine line = app::ParseCommandLine(args, platform::RealFileSystem(), tree.root());
  QCOMPARE(int(line.action), action);
  QCOMPARE(line.keyword, keyword.toStdString());
  QCOMPARE(line.folder, folder.isEmpty() ? std::string() : tree.path(folder.toStdString()));
  std::vector<std::string> expected;
  for (const QString& f : files) expected.push_back(tree.path(f.toStdString()));
  QCOMPARE(line.files, expected);
}

void StartupTest::pathsOnTheCommandLineOpenTheMainWindow() {
  TempTree tree;
  tree.make({"work/one.txt", "work/sub/", "a.txt", "b.txt"});
  {
    Harness h;
    ui::Desktop& p = h.program();
    p.start(app::ParseCommandLine({tree.path("work")}, platform::RealFileSystem(), "/"));
    QVERIFY(p.mainWindow().isVisible());
    QVERIFY(!p.editor().isVisible());
    QVERIFY(!p.mainWindow().isHandPicked());
    QCOMPARE(p.mainWindow().folderBoxText(), ui::FromPath(tree.path("work") + "/"));
    QCOMPARE(p.mainWindow().model().texts(), (QStringList{"sub", "one.txt"}));
    QCOMPARE(p.mainWindow().statusText(), QStringLiteral("1 Folders 1 Files"));
    QVERIFY(p.mainWindow().housekeepingActive());
  }
  Harness h;
  ui::Desktop& p = h.program();
  p.start(app::ParseCommandLine({"a.txt", "b.txt"}, platform::RealFileSystem(), tree.root()));
  QVERIFY(p.mainWindow().isVisible());
  QVERIFY(p.mainWindow().isHandPicked());
  QCOMPARE(p.mainWindow().model().texts(),
           (QStringList{ui::FromPath(tree.path("a.txt")), ui::FromPath(tree.path("b.txt"))}));
  QCOMPARE(p.mainWindow().statusText(), QStringLiteral("2 Files"));
}

void StartupTest::missingPathsAreNamed_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QStringList>("listed");
  QTest::addColumn<QStringList>("missing");
  QTest::newRow("a missing file") << QStringList{"nope.JPG"} << QStringList{} << QStringList{"nope.JPG"};
  QTest::newRow("a missing folder") << QStringList{"/gone/"} << QStringList{} << QStringList{"gone"};
  QTest::newRow("a missing file after one that exists")
      << QStringList{"a.txt", "nope.txt"} << QStringList{"/a.txt"} << QStringList{"nope.txt"};
  QTest::newRow("a missing file before one that exists")
      << QStringList{"./nope.txt", "a.txt"} << QStringList{"/a.txt"} << QStringList{"nope.txt"};
  QTest::newRow("a folder after a missing file")
      << QStringList{"x/nope.txt", "dir"} << QStringList{"x.txt"} << QStringList{"x/nope.txt"};
}

void StartupTest::missingPathsAreNamed() {
  QFETCH(QStringList, arguments);
  QFETCH(QStringList, listed);
  QFETCH(QStringList, missing);
  TempTree tree;
  tree.make({"a.txt", "dir/x.txt"});
  std::vector<std::string> args;
  for (const QString& a : arguments)
    args.push_back(a.startsWith('/') ? tree.path(a.mid(1).toStdString()) : a.toStdString());
  Harness h;
  ui::Desktop& p = h.program();
  const app::CommandLine line = app::ParseCommandLine(args, platform::RealFileSystem(), tree.root());
  QVERIFY(line.keyword.empty());
  p.start(line);
  // The main window, never the About panel, with what exists; the others named.
  QVERIFY(p.mainWindow().isVisible());
  QVERIFY(!p.editor().isVisible());
  QStringList shown;
  for (const QString& l : listed) shown << (l.startsWith('/') ? ui::FromPath(tree.path(l.mid(1).toStdString())) : l);
  QCOMPARE(p.mainWindow().model().texts(), shown);
  QCOMPARE(h.messages.shown.size(), std::size_t(1));
  for (const QString& m : missing)
    QVERIFY2(QString::fromStdString(h.messages.shown[0].text).contains(ui::FromPath(tree.path(m.toStdString()))),
             h.messages.shown[0].text.c_str());
}

void StartupTest::helpAndVersionPrintAndEnd() {
  // No screen is needed: the answer comes before Qt looks for one.
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.remove(QStringLiteral("DISPLAY"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  const struct {
    const char* argument;
    int exitCode;
    const char* stdoutStart;
  } cases[] = {{"--help", 0, "Usage: velmora [FOLDER | FILE...]"}, {"--version", 0, "velmora 1."}};
  for (const auto& c : cases) {
    QProcess velmora;
    velmora.setProcessEnvironment(env);
    velmora.start(QStringLiteral(VELMORA_DESKTOP_PATH), {QString::fromLatin1(c.argument)});
    QVERIFY(velmora.waitForFinished(10000));
    QCOMPARE(velmora.exitStatus(), QProcess::NormalExit);
    QCOMPARE(velmora.exitCode(), c.exitCode);
    const QByteArray out = velmora.readAllStandardOutput();
    QVERIFY2(out.startsWith(c.stdoutStart), c.argument);
    if (QByteArray(c.argument) == "--version") QVERIFY(out.contains("GPL-3.0-or-later"));
    QCOMPARE(velmora.readAllStandardError(), QByteArray());
  }
}

void StartupTest::handOffOfThreeFilesEndsWithTheMainWindowShowingThem() {
  TempTree tree;
  tree.make({"a.txt", "b.txt", "c.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  testing::WriteFile(p.state().installDir + batch::kHandOffName,
                     tree.path("a.txt") + "\r\n" + tree.path("b.txt") + "\n" + tree.path("c.txt"));
  p.start("Replapart");
  QVERIFY(!p.mainWindow().isVisible());
  QVERIFY(p.state().handOffSession);
  QTRY_VERIFY(p.editor().isVisible());
  QCOMPARE(p.editor().windowModality(), Qt::NonModal);
  QCOMPARE(p.editor().windowTitle(), QStringLiteral("Velmora - Replace string"));
  QCOMPARE(p.editor().findChild<QLabel*>("Label1")->text(), QStringLiteral("total 3 file(s)"));
  QCOMPARE(p.editor().sampleBox()->text(), QStringLiteral("a"));
  QVERIFY(!p.mainWindow().housekeepingActive());

  p.editor().selectClicked();  // "Select" closes the editor without a run
  QVERIFY(p.mainWindow().isVisible());
  QVERIFY(p.mainWindow().isHandPicked());
  QCOMPARE(p.mainWindow().model().texts(),
           (QStringList{ui::FromPath(tree.path("a.txt")), ui::FromPath(tree.path("b.txt")),
                        ui::FromPath(tree.path("c.txt"))}));
  QCOMPARE(p.mainWindow().statusText(), QStringLiteral("3 Files"));
  QVERIFY(!p.state().handOffSession);
  QCOMPARE(p.state().operationKind, std::string("Browsefile"));
  QVERIFY(p.state().target.picked.empty());
  QVERIFY(p.mainWindow().housekeepingActive());
}

void StartupTest::handOffOfAFolderEndsWithTheFolderListed() {
  TempTree tree;
  tree.make({"work/one.txt", "work/two.txt", "work/sub/"});
  Harness h;
  ui::Desktop& p = h.program();
  testing::WriteFile(p.state().installDir + batch::kHandOffName, tree.path("work") + "\r\n");
  p.start("Removpart");
  QTRY_VERIFY(p.editor().isVisible());
  QCOMPARE(p.mainWindow().folderBoxText(), ui::FromPath(tree.path("work") + "/"));
  QCOMPARE(p.editor().sampleBox()->text(), QStringLiteral("one"));
  p.editor().selectClicked();
  QVERIFY(p.mainWindow().isVisible());
  QVERIFY(!p.mainWindow().isHandPicked());
  QCOMPARE(p.mainWindow().model().texts(), (QStringList{"sub", "one.txt", "two.txt"}));
  QCOMPARE(p.mainWindow().statusText(), QStringLiteral("1 Folders 2 Files"));
}

void StartupTest::closeTimerEndsTheProgram() {
  Harness h;
  ui::Desktop& p = h.program();
  testing::WriteFile(p.state().installDir + batch::kHandOffName, "");
  QSignalSpy closed(&p.mainWindow(), &ui::MainWindow::closed);
  p.start("Replapart");
  QVERIFY(p.closeTimer().isActive());
  QTRY_VERIFY(p.editor().isVisible());
  QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 5000);
  QVERIFY(h.messages.shown.empty());
}

void StartupTest::savesomesShowsTheEntriesAndKeepsTheMainWindow() {
  TempTree tree;
  tree.make({"a.txt", "b.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  testing::WriteFile(p.state().installDir + batch::kHandOffName, tree.path("a.txt") + "\r\n" + tree.path("b.txt") + "\r\n");
  const std::string listing = tree.path("list.txt");
  h.dialogs.saves.push_back(ui::FromPath(listing));
  {
    // The stored options apply although the first housekeeping tick has not come yet: the
    // listing is written but not opened.
    QSettings settings(QStringLiteral("Tessaro"), QStringLiteral("Dir"));
    for (const char* name : {"Options1", "Options3", "Autocopy", "Capevery", "Confirm", "Contextmenu"})
      settings.setValue(QString::fromLatin1(name), QString::fromLatin1(name) == "Options1" ? 0 : 1);
    settings.setValue(QStringLiteral("Options2"), 1);
  }
  p.start("Savesomes");
  QVERIFY(p.mainWindow().isVisible());
  QVERIFY(!p.state().handOffSession);
  QCOMPARE(p.mainWindow().model().size(), 2);
  QTRY_VERIFY(platform::RealFileSystem().exists(listing));
  QVERIFY(p.mainWindow().isVisible());
  QVERIFY(!p.editor().isVisible());
  const auto lines = testing::ReadLines(listing);
  QVERIFY(lines.size() >= 4);
  QCOMPARE(lines[1], std::string("Selected files names:"));
  QCOMPARE(p.state().operationKind, std::string("Browsefile"));
  QCOMPARE(h.dialogs.workingFolders, QStringList{ui::FromPath(tree.root() + "/")});  // the files' folder
}

void StartupTest::renameInAnotherSession_data() {
  QTest::addColumn<bool>("folderMode");
  QTest::addColumn<QStringList>("selected");  // entry texts relative to the tree
  QTest::addColumn<int>("item");
  QTest::addColumn<QString>("keyword");
  QTest::addColumn<int>("entriesLeft");
  QTest::addColumn<QString>("status");

  QTest::newRow("hand-picked, remove") << false << QStringList{"a.txt", "c.txt"}
                                       << static_cast<int>(app::SessionItem::Remove) << S("Removpart") << 1 << S("1 Files");
  QTest::newRow("hand-picked, save two files") << false << QStringList{"a.txt", "b.txt"}
                                               << static_cast<int>(app::SessionItem::Save) << S("Savesomes") << 1
                                               << S("1 Files");
  QTest::newRow("folder mode, save one folder") << true << QStringList{"sub"} << static_cast<int>(app::SessionItem::Save)
                                                << S("Savealls") << 4 << S("1 Folders 3 Files");
  QTest::newRow("folder mode, save two entries") << true << QStringList{"sub", "a.txt"}
                                                 << static_cast<int>(app::SessionItem::Save) << S("Savesomes") << 4
                                                 << S("1 Folders 3 Files");
  QTest::newRow("folder mode, extension") << true << QStringList{"b.txt"}
                                          << static_cast<int>(app::SessionItem::Extension) << S("Changexten") << 4
                                          << S("1 Folders 3 Files");
}

void StartupTest::renameInAnotherSession() {
  QFETCH(bool, folderMode);
  QFETCH(QStringList, selected);
  QFETCH(int, item);
  QFETCH(QString, keyword);
  QFETCH(int, entriesLeft);
  QFETCH(QString, status);

  TempTree tree;
  tree.make({"a.txt", "b.txt", "c.txt", "sub/"});
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  ui::MainWindow& main = p.mainWindow();
  if (folderMode) {
    main.setFolderBox(ui::FromPath(tree.root()));
    main.ListFolder();
  } else {
    main.showHandPicked({tree.path("a.txt"), tree.path("b.txt"), tree.path("c.txt")}, true);
  }
  for (int row = 0; row < main.model().size(); ++row) {
    const QString name = ui::FromPath(platform::LastComponent(ui::ToPath(main.model().text(row))));
    if (selected.contains(name))
      main.list()->selectionModel()->select(main.model().index(row), QItemSelectionModel::Select);
  }
  main.RenameInAnotherSession(static_cast<app::SessionItem>(item));

  QCOMPARE(h.launcher.keywords, std::vector<std::string>{keyword.toStdString()});
  std::vector<std::string> expected;  // in the list's order
  for (const char* name : {"sub", "a.txt", "b.txt", "c.txt"})
    if (selected.contains(QString::fromLatin1(name))) expected.push_back(tree.path(name));
  QCOMPARE(testing::ReadLines(p.state().installDir + batch::kHandOffName), expected);
  QCOMPARE(main.model().size(), entriesLeft);
  QCOMPARE(main.statusText(), status);
}

void StartupTest::aJournalLeftBehindBecomesTheLog() {
  testing::ResetProgramState();
  const std::string folder = testing::DefaultInstallDir();
  platform::RealFileSystem().makeFolders(folder);
  testing::WriteFile(folder + batch::kJournalName, "/w/new.txt\r\n/w/old.txt\r\n");
  testing::RecordingMessages messages;
  testing::FakeDialogs dialogs;
  testing::RecordingLauncher launcher;
  ui::Desktop program({&messages, &dialogs, &launcher, nullptr});
  QCOMPARE(testing::ReadLines(folder + batch::kRollbackLogName),
           (std::vector<std::string>{"/w/new.txt", "/w/old.txt"}));
  QVERIFY(!platform::RealFileSystem().exists(folder + batch::kJournalName));
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
