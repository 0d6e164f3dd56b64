// SPDX-License-Identifier: GPL-3.0-or-later
// The journal and the state folder: a run killed in the middle is undone completely; no rename
// happens without its pair in the journal; a second run, unusable state files, Ctrl-C and an
// undo that cannot restore everything each end with a clear word; the root
// folder itself is never renamed.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "cli/cli_runner.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using testing::RunCli;
using testing::WithSeparator;

TEST(CliJournal, RunKilledMidwayIsUndoneCompletely) {
  testing::TempTree tree;
#ifdef _WIN32
  // Under wine every new name in a folder is looked up by reading the whole folder, so
  // 20000 files would take a minute to make; 5000 still leave the run plenty to do.
  constexpr int kFiles = 5000;
#else
  constexpr int kFiles = 20000;
#endif
  std::vector<std::string> names;
  for (int i = 0; i < kFiles; ++i) names.push_back("photos/img" + std::to_string(i) + ".txt");
  tree.make(names);
  const std::string state = tree.path("state");
  const std::string journal = WithSeparator(state) + "rollback.rbk.journal";

  testing::ChildProcess child({VELMORA_CLI_PATH, "extension", "--folder", tree.path("photos"), "--set",
                               "allExtensions=true", "--set", "newExtension=.dat", "--state-dir", state});
  ASSERT_TRUE(child.started());
  // Kill it once some renames are in the journal.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!testing::JournalHolds(journal, 4096) && child.running() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  child.kill();
  child.wait();
  ASSERT_TRUE(child.killed()) << "the run ended before it could be killed";

  int renamedBeforeKill = 0;
  for (const auto& entry : tree.list())
    if (entry.size() > 4 && entry.compare(entry.size() - 4, 4, ".dat") == 0) ++renamedBeforeKill;
  ASSERT_GT(renamedBeforeKill, 0);
  ASSERT_LT(renamedBeforeKill, kFiles);

  const auto undo = RunCli({"undo", "--yes", "--state-dir", state});
  EXPECT_EQ(undo.exit, 0) << undo.err;
  int restored = 0;
  for (const auto& entry : tree.list()) {
    EXPECT_EQ(entry.find(".dat"), std::string::npos) << entry;
    if (entry.size() > 4 && entry.compare(entry.size() - 4, 4, ".txt") == 0) ++restored;
  }
  EXPECT_EQ(restored, kFiles);
  EXPECT_FALSE(tree.exists("state/rollback.rbk.journal"));
  EXPECT_FALSE(tree.exists("state/rollback.rbk"));
}

TEST(CliRoot, TheRootFolderItselfIsNeverRenamed) {
#ifdef _WIN32
  // "\" (or "/") is the current drive's root; "C:\" names a drive's root.
  const std::vector<std::string> roots = {"/", "\\", "C:\\"};
#else
  const std::vector<std::string> roots = {"/", "//"};
#endif
  for (const std::string& root : roots) {
    SCOPED_TRACE(root);
    testing::TempTree tree;
    const auto out = RunCli({"change", "--folder", root, "--scope", "3", "--set", "newName=x", "--yes",
                             "--state-dir", tree.path("state")});
    EXPECT_EQ(out.exit, 2);
    EXPECT_EQ(out.out, "");
    EXPECT_EQ(out.err, "Information: Can not rename root directory !\n");
    EXPECT_FALSE(tree.exists("state/rollback.rbk"));
  }
}


/// A work folder "t" with a.txt and b.txt, the state folder beside it.
class CliJournalSafety : public ::testing::Test {
 protected:
  void SetUp() override { tree.make({"t/a.txt", "t/b.txt", "state/"}); }
  testing::ProcessResult rename(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"extension", "--folder", tree.path("t"), "--set", "newExtension=md",
                                     "--set",     "allExtensions=true", "--yes", "--state-dir", state};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }
  std::vector<std::string> work() const {
    std::vector<std::string> out;
    for (const auto& e : tree.list())
      if (e.rfind("t/", 0) == 0 && e != "t/") out.push_back(e.substr(2));
    return out;
  }
  testing::TempTree tree;
  const std::string state = tree.path("state");
  const std::string journal = WithSeparator(state) + "rollback.rbk.journal";
  const std::vector<std::string> untouched = {"a.txt", "b.txt"};
};

TEST_F(CliJournalSafety, NoRenameWhenTheJournalIsAFolderOrHeldByAnotherRun) {
  {
    tree.make({"state/rollback.rbk.journal/"});
    const auto out = rename();
    EXPECT_EQ(out.exit, 4);
    EXPECT_NE(out.err.find("cannot be opened for writing"), std::string::npos) << out.err;
    EXPECT_EQ(work(), untouched);
    std::filesystem::remove(journal);
  }
  // Another run holds the journal: a second run and an undo are refused, the undo whether the
  // log of an earlier run is there or not (the running one's is not written yet); all say why.
  auto held = platform::RealFileSystem().openLockedAppend(journal);
  ASSERT_NE(held, nullptr);
  const auto undoWithoutLog = RunCli({"undo", "--yes", "--state-dir", state});
  tree.writeFile("state/rollback.rbk", tree.path("t/a.txt") + "\r\n" + tree.path("t/z.txt") + "\r\n");
  for (const auto& out : {undoWithoutLog, rename(), RunCli({"undo", "--yes", "--state-dir", state}),
                         RunCli({"undo", "--all", "--yes", "--state-dir", state})}) {
    EXPECT_EQ(out.exit, 4);
    EXPECT_NE(out.err.find("Another rename run is using the program folder"), std::string::npos) << out.err;
    EXPECT_EQ(work(), untouched);
  }
  held.reset();
  EXPECT_EQ(rename().exit, 0);
}

TEST_F(CliJournalSafety, UndoKeepsThePairsItCouldNotRestore) {
  ASSERT_EQ(rename().exit, 0);
  // The user renamed one item by hand meanwhile: its pair cannot be replayed.
  std::filesystem::rename(tree.path("t/b.md"), tree.path("t/c.md"));
  const auto undo = RunCli({"undo", "--yes", "--state-dir", state});
  EXPECT_EQ(undo.exit, 4);
  EXPECT_NE(undo.err.find("Warning: 1 rename could not be reversed; it stays in rollback.rbk"), std::string::npos) << undo.err;
  EXPECT_EQ(work(), (std::vector<std::string>{"a.txt", "c.md"}));
  EXPECT_EQ(tree.readFile("state/rollback.rbk"),
            tree.path("t/b.md") + "\r\n" + tree.path("t/b.txt") + "\r\n");
  // Put back, the kept pair is undone by the next undo, and the log goes.
  std::filesystem::rename(tree.path("t/c.md"), tree.path("t/b.md"));
  EXPECT_EQ(RunCli({"undo", "--yes", "--state-dir", state}).exit, 0);
  EXPECT_EQ(work(), untouched);
  EXPECT_FALSE(tree.exists("state/rollback.rbk"));
}

TEST_F(CliJournalSafety, EarlierRunsSurviveEachStartAndAreUndoneInOrder) {
  const auto replace = [&](const char* from, const char* to, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"replace", "--folder", tree.path("t"), "--set", std::string("oldText=") + from,
                                     "--set", std::string("newText=") + to, "--yes", "--state-dir", state};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args).exit;
  };
  const auto history = [&] { return RunCli({"history", "--state-dir", state}).out; };
  const auto lines = [&] {
    const std::string out = history();
    return std::count(out.begin(), out.end(), '\n');
  };
  ASSERT_EQ(rename().exit, 0);  // a.md b.md
  ASSERT_EQ(replace("a", "x"), 0);  // x.md b.md
  ASSERT_EQ(replace("b", "y"), 0);  // x.md y.md
  // Each command is a start of its own: the three runs are all there, newest first.
  const std::string listed = history();
  EXPECT_EQ(lines(), 3);
  EXPECT_EQ(listed.rfind("1\t", 0), 0u) << listed;
  EXPECT_NE(listed.find("\t1\tReplapart\t" + tree.path("t") + "\n2\t"), std::string::npos) << listed;
  EXPECT_NE(listed.find("\t2\tChangexten\t" + tree.path("t") + "\n"), std::string::npos) << listed;
  const auto two = RunCli({"undo", "--count", "2", "--yes", "--state-dir", state});
  EXPECT_EQ(two.exit, 0) << two.err;
  EXPECT_EQ(work(), (std::vector<std::string>{"a.md", "b.md"}));
  EXPECT_EQ(lines(), 1);
  EXPECT_EQ(RunCli({"undo", "--all", "--yes", "--state-dir", state}).exit, 0);
  EXPECT_EQ(work(), untouched);
  EXPECT_EQ(tree.listUnder("state"), std::vector<std::string>{"Newname.txt"});
  // At the limit the oldest run goes; with 0 only the last run stays, as with one undo.
  ASSERT_EQ(rename({"--keep-runs", "1"}).exit, 0);
  ASSERT_EQ(replace("a", "x", {"--keep-runs", "1"}), 0);
  ASSERT_EQ(replace("x", "z", {"--keep-runs", "1"}), 0);
  EXPECT_EQ(lines(), 2);
  ASSERT_EQ(replace("z", "w", {"--keep-runs", "0"}), 0);
  EXPECT_EQ(lines(), 1);
  EXPECT_EQ(RunCli({"undo", "--all", "--yes", "--state-dir", state}).exit, 0);
  EXPECT_EQ(work(), (std::vector<std::string>{"b.md", "z.md"}));
}

#ifndef _WIN32
TEST_F(CliJournalSafety, StateFilesThatAreNotRegularFilesGiveAClearErrorAndNeverHang) {
  const std::string log = WithSeparator(state) + "rollback.rbk";
  struct Row {
    const char* name;
    std::function<void()> make;
    std::vector<std::string> args;  ///< empty: a run
    std::string message;
  };
  const Row rows[] = {
      {"FIFO journal", [&] { ::mkfifo(journal.c_str(), 0644); }, {}, "cannot be opened for writing"},
      {"FIFO log", [&] { ::mkfifo(log.c_str(), 0644); }, {"undo"}, "is not a regular file"},
      {"log that is a device", [&] { std::filesystem::create_symlink("/dev/zero", log); }, {"undo"},
       "is not a regular file"},
      {"FIFO history", [&] { ::mkfifo((WithSeparator(state) + "Newname.txt").c_str(), 0644); },
       {"replace", "--folder", tree.path("t"), "--set", "oldText=a", "--set", "newText=x"},
       "the history file"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove_all(state);
    std::filesystem::create_directory(state);
    row.make();
    std::vector<std::string> args = row.args;
    args.insert(args.end(), {"--yes", "--state-dir", state});
    const auto out = args.size() == 3 ? rename() : RunCli(args);
    EXPECT_EQ(out.exit, 4);
    EXPECT_NE(out.err.find(row.message), std::string::npos) << out.err;
    EXPECT_EQ(work(), untouched);
    // A preview never waits on a state file either.
    if (row.args.empty()) {
      EXPECT_EQ(rename({"--preview"}).exit, 0);
    }
  }
}

/// velmora-cli with these arguments, started by a shell that sends it the signal (SIGINT
/// unless named) as soon as the shell test `test` (such as "-s", a file that is not empty)
/// holds for `path`.
testing::ProcessResult InterruptedOnce(const std::string& test, const std::string& path, std::vector<std::string> args,
                                       const std::string& signal = "INT") {
  const std::string script = "\"$0\" \"$@\" & p=$!; while [ ! " + test +
                             " \"$J\" ] && kill -0 $p 2>/dev/null; do sleep 0.01; done; kill -" + signal +
                             " $p; wait $p";
  testing::ProcessOptions options;
  options.environment = {{"J", path}};
  args.insert(args.begin(), {"/bin/sh", "-c", script, VELMORA_CLI_PATH});
  return testing::RunProcess(args, options);
}

/// 20000 files photos/img<n>.txt, and the count of those now named *.dat.
class CliInterrupt : public ::testing::Test {
 protected:
  static constexpr int kFiles = 20000;
  void SetUp() override {
    std::vector<std::string> names;
    for (int i = 0; i < kFiles; ++i) names.push_back("photos/img" + std::to_string(i) + ".txt");
    tree.make(names);
  }
  int renamed() const {
    int n = 0;
    for (const auto& e : tree.list()) n += e.size() > 4 && e.compare(e.size() - 4, 4, ".dat") == 0;
    return n;
  }
  std::vector<std::string> run() const {
    return {"extension", "--folder", tree.path("photos"), "--set", "allExtensions=true", "--set", "newExtension=dat",
            "--yes", "--state-dir", state};
  }
  testing::TempTree tree;
  const std::string state = tree.path("state");
  const std::string journal = WithSeparator(state) + "rollback.rbk.journal";
};

TEST_F(CliInterrupt, CtrlCTermOrAClosedTerminalEndARunWithExitTwoAndSayHowToUndo) {
  for (const char* signal : {"INT", "TERM", "HUP"}) {
    SCOPED_TRACE(signal);
    // Interrupted once renames are in its journal.
    const auto out = InterruptedOnce("-s", journal, run(), signal);
    EXPECT_EQ(out.exit, 2) << out.err;
    const int done = renamed();
    ASSERT_GT(done, 0);
    ASSERT_LT(done, kFiles);
    EXPECT_EQ(out.err, "Interrupted: " + std::to_string(done) +
                           " items were renamed before the stop; 'velmora-cli undo' reverses them.\n");
    EXPECT_FALSE(tree.exists("state/rollback.rbk.journal"));  // sealed as the log
    EXPECT_EQ(RunCli({"undo", "--yes", "--state-dir", state}).exit, 0);
    EXPECT_EQ(renamed(), 0);
  }
}

TEST_F(CliInterrupt, AClosedStdoutNeverStopsARunHalfWay) {
  // The reader quits after one byte, as `| head -1` does: the run goes on to its end, seals
  // its log and says, on stderr, that its output was lost.
  const std::string status = tree.path("status");
  for (const char* format : {"--yes", "--json"}) {
    SCOPED_TRACE(format);
    std::vector<std::string> args = run();
    args.insert(args.begin(), {"/bin/sh", "-c", "{ \"$0\" \"$@\"; echo $? > \"$S\"; } | head -c 1 > /dev/null",
                               VELMORA_CLI_PATH});
    args.push_back(format);
    testing::ProcessOptions options;
    options.environment = {{"S", status}};
    const auto out = testing::RunProcess(args, options);
    EXPECT_EQ(tree.readFile("status"), "4\n") << out.err;
    EXPECT_EQ(out.err,
              "Error: the output could not be written (stdout is closed or full); the command itself went to its "
              "end.\n");
    EXPECT_EQ(renamed(), kFiles);
    EXPECT_FALSE(tree.exists("state/rollback.rbk.journal"));
    EXPECT_EQ(RunCli({"undo", "--yes", "--state-dir", state}).exit, 0);
    EXPECT_EQ(renamed(), 0);
  }
}

TEST_F(CliInterrupt, CtrlCEndsAnUndoWithExitTwoAndKeepsWhatItDidNotReverse) {
  ASSERT_EQ(RunCli(run()).exit, 0);
  // Interrupted once it restored its first item (the last one renamed).
  const auto out = InterruptedOnce("-e", tree.path("photos/img9999.txt"), {"undo", "--yes", "--state-dir", state});
  EXPECT_EQ(out.exit, 2) << out.err;
  const int left = renamed();
  ASSERT_GT(left, 0);
  ASSERT_LT(left, kFiles);
  EXPECT_NE(out.err.find("Warning: " + std::to_string(left) + " renames were not reversed; they stay in rollback.rbk"),
            std::string::npos)
      << out.err;
  // The next undo reverses every one of them.
  EXPECT_EQ(RunCli({"undo", "--yes", "--state-dir", state}).exit, 0);
  EXPECT_EQ(renamed(), 0);
  EXPECT_FALSE(tree.exists("state/rollback.rbk"));
}
#endif

}  // namespace
}  // namespace velmora
