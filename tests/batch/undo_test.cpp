// SPDX-License-Identifier: GPL-3.0-or-later
// Undo: last rename first, failures skipped, garbage logs never lose what can be restored.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "batch/case_change.h"
#include "batch/run_pipeline.h"
#include "batch/undo.h"
#include "platform/code_page.h"
#include "platform/memory_file_system.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

class UndoTest : public ::testing::Test {
 protected:
  void writeLog(const std::string& content) { fs.writeFileAtomic("/state/rollback.rbk", content, true); }
  batch::UndoReport undo() {
    const auto log = batch::ReadRollbackLog(fs, "/state");
    EXPECT_TRUE(log.has_value());
    return batch::ReplayUndo(fs, "/state", log.value_or(""), stop, hooks, false);
  }
  void SetUp() override { fs.addFolder("/state"); }
  platform::MemoryFileSystem fs;
  batch::StopFlag stop;
  batch::NoHooks hooks;
};

TEST_F(UndoTest, NestedFolderRenamesComeBackCompletely) {
  // A subfolder run renamed Low (inside Mid) first, then Mid: the log holds the inner
  // folder under its outer folder's old name, so only a last-first replay restores both.
  fs.addFile("/Top/MID2/LOW2/f.txt");
  writeLog("/Top/Mid/LOW2\r\n/Top/Mid/Low\r\n/Top/MID2\r\n/Top/Mid\r\n");
  auto report = undo();
  EXPECT_EQ(report.failed, 0);
  EXPECT_TRUE(fs.exists("/Top/Mid/Low/f.txt"));
  EXPECT_TRUE(report.logDeleted);
  EXPECT_FALSE(fs.exists("/state/rollback.rbk"));
}

TEST_F(UndoTest, AFailingPairIsSkippedAndTheOthersRestored) {
  fs.addFile("/w/b.txt");
  fs.addFile("/w/hand-renamed.txt");
  fs.addFile("/w/f.txt");
  fs.addFile("/w/e.txt");  // the old name of f is taken again
  writeLog("/w/b.txt\r\n/w/a.txt\r\n/w/d.txt\r\n/w/c.txt\r\n/w/f.txt\r\n/w/e.txt\r\n");
  auto report = undo();
  EXPECT_EQ(report.failed, 2);
  EXPECT_TRUE(fs.exists("/w/a.txt"));
  EXPECT_TRUE(fs.exists("/w/f.txt"));  // never replaced e.txt
  EXPECT_TRUE(fs.exists("/w/e.txt"));
  // The two pairs stay in the log for the next undo.
  EXPECT_EQ(report.kept, 2u);
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"),
            std::optional<std::string>("/w/d.txt\r\n/w/c.txt\r\n/w/f.txt\r\n/w/e.txt\r\n"));
}

TEST_F(UndoTest, GarbageLogsNeverCrashAndRestoreWhatTheyCan) {
  struct Row {
    const char* name;
    std::string log;
  };
  const Row rows[] = {
      {"odd line count", "/w/b\r\n/w/a\r\n/w/zzz\r\n"},
      {"LF only", "/w/b\n/w/a\n"},
      {"CR only", "/w/b\r/w/a\r"},
      {"empty lines between", "\r\n/w/b\r\n\r\n/w/a\r\n\r\n"},
      {"no last line break", "/w/b\r\n/w/a"},
      {"breaks in any order and number", "\n\r/w/b\n\r\r\n\n/w/a\r"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fs.addFile("/w/b");
    writeLog(row.log);
    undo();
    EXPECT_TRUE(fs.exists("/w/a"));
    EXPECT_FALSE(fs.exists("/w/b"));
    fs.removeFile("/w/a");
  }
}

TEST_F(UndoTest, EveryPrefixOfALogReplaysWithoutHarm) {
  const std::string log = "/w/b\r\n/w/a\r\n/w/\xff\xfe\r\n/w/c\r\n";
  for (std::size_t n = 0; n <= log.size(); ++n) {
    fs.addFile("/w/b");
    fs.addFile("/w/\xff\xfe");
    writeLog(log.substr(0, n));
    undo();
    // Nothing vanished and nothing left the folder.
    auto entries = fs.listFolder("/w");
    ASSERT_TRUE(entries.has_value());
    EXPECT_EQ(entries->size(), 2u) << n;
    for (const auto& e : *entries) fs.removeFile("/w/" + e.name);
  }
}

TEST_F(UndoTest, CancelledReplayKeepsEveryPairItDidNotReverse) {
  // A stop before the replay keeps the whole log. A stop set as the last pair (replayed
  // first) is restored keeps the two others, the one the stop was seen at included.
  struct StopAfter final : batch::UndoListener {
    StopAfter(batch::StopFlag& stop, std::size_t n) : stop(stop), n(n) {}
    void entryRestored(std::string_view, std::string_view) override {
      if (--n == 0) stop.set();
    }
    batch::StopFlag& stop;
    std::size_t n;
  };
  const std::string log = "/w/b\r\n/w/a\r\n/w/d\r\n/w/c\r\n/w/f\r\n/w/e\r\n";
  struct Row {
    std::size_t stopAfter;  ///< 0: stopped before the replay
    std::size_t restored;
    std::string kept;
  };
  const Row rows[] = {{0, 0, log}, {1, 1, "/w/b\r\n/w/a\r\n/w/d\r\n/w/c\r\n"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stopAfter);
    for (const char* f : {"/w/b", "/w/d", "/w/f"}) fs.addFile(f);
    writeLog(log);
    StopAfter listener(stop, row.stopAfter);
    if (row.stopAfter == 0) stop.set();
    const auto report = batch::ReplayUndo(fs, "/state", log, stop, hooks, false, &listener);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.restored, row.restored);
    EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>(row.kept));
    EXPECT_FALSE(stop.isSet());  // cleared at the end of the replay
    for (const auto& e : fs.listFolder("/w").value_or(std::vector<platform::DirEntry>{})) fs.removeFile("/w/" + e.name);
  }
}

TEST_F(UndoTest, ALogThatCannotBeRewrittenStandsWholeAndSaysSo) {
  fs.addFile("/w/b");
  fs.addFile("/w/d");
  fs.addFile("/w/c");  // d's old name is taken again
  const std::string log = "/w/d\r\n/w/c\r\n/w/b\r\n/w/a\r\n";
  writeLog(log);
  fs.failWholeWrites(true);
  const auto report = undo();
  EXPECT_EQ(report.restored, 1u);
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>(log));
  EXPECT_EQ(batch::UndoKeptMessage(report),
            "1 rename could not be reversed. rollback.rbk could not be rewritten (is the disk full?), so it still "
            "holds every pair it held, and undo can try again.");
  // As said: the next undo passes over the pair already reversed and keeps the other.
  fs.failWholeWrites(false);
  EXPECT_EQ(undo().kept, 1u);
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>("/w/d\r\n/w/c\r\n"));
}

/// Answers Yes at the undo question after a run tried to start meanwhile; a run that got the
/// folder renamed /w/x to /w/y and sealed its log.
struct RunDuringTheQuestion final : batch::Messages {
  explicit RunDuringTheQuestion(platform::MemoryFileSystem& fs) : fs(fs) {}
  void information(const std::string&) override {}
  void warning(const std::string& text, const std::string&) override { warnings.push_back(text); }
  batch::Answer confirm(const std::string&, const std::string&, batch::Buttons) override {
    batch::RunJournal run(fs, "/state");
    runState = run.open();
    if (runState == batch::JournalState::Ready) {
      fs.rename("/w/x", "/w/y");
      fs.writeFileAtomic("/state/rollback.rbk", "/w/y\r\n/w/x\r\n", true);
      run.discard();
    }
    return batch::Answer::Yes;
  }
  platform::MemoryFileSystem& fs;
  std::optional<batch::JournalState> runState;
  std::vector<std::string> warnings;
};

TEST_F(UndoTest, UndoHoldsTheFolderFromBeforeItReadsTheLogToTheEndOfItsReplay) {
  fs.addFile("/w/b");
  fs.addFile("/w/x");
  writeLog("/w/b\r\n/w/a\r\n");
  RunDuringTheQuestion messages(fs);
  const auto undoRun = [&] {
    return batch::RunUndo({fs, fs, platform::Utf8CodePage(), messages, hooks, stop}, "/state");
  };
  // No run starts while the question waits: the log asked about is the one reversed.
  EXPECT_EQ(undoRun().replay.restored, 1u);
  EXPECT_EQ(messages.runState, batch::JournalState::Busy);
  EXPECT_EQ(fs.allPaths(), (std::vector<std::string>{"/state", "/w", "/w/a", "/w/x"}));
  // While a run holds the folder, undo is refused before it asks, with a log or without.
  auto held = fs.openLockedAppend("/state/rollback.rbk.journal");
  for (const bool withLog : {false, true}) {
    SCOPED_TRACE(withLog);
    if (withLog) writeLog("/w/a\r\n/w/b\r\n");
    messages.runState.reset();
    const auto refused = undoRun();
    EXPECT_EQ(refused.kind, batch::UndoOutcome::Kind::Replayed);
    EXPECT_NE(refused.replay.refusal.find("Another rename run is using the program folder"), std::string::npos);
    EXPECT_NE(refused.replay.refusal.find("nothing was restored"), std::string::npos);
    EXPECT_FALSE(messages.runState.has_value());
    EXPECT_TRUE(fs.exists("/w/a"));
  }
}

TEST(UndoOnDisk, AFolderMovedAwayIsNotRenamedInUnderItsOldPath) {
  // Pairs of one folder are renamed in that folder held open. A pair across folders moves P
  // away by its paths; the next pair names P/b, which no longer exists: it must fail and stay
  // in the log, not rename b in the moved folder.
  testing::TempTree tree;
  tree.make({"P/y", "P/b", "Q/"});
  const std::string log = tree.path("P/b") + "\r\n" + tree.path("P/a") + "\r\n" + tree.path("P") + "\r\n" +
                          tree.path("Q/P2") + "\r\n" + tree.path("P/y") + "\r\n" + tree.path("P/x") + "\r\n";
  tree.make({"state/"});
  platform::FileSystem& fs = platform::RealFileSystem();
  fs.writeFileAtomic(tree.path("state/rollback.rbk"), log, true);
  batch::StopFlag stop;
  batch::NoHooks hooks;
  const auto report = batch::ReplayUndo(fs, tree.path("state"), log, stop, hooks, false);
  EXPECT_EQ(report.restored, 2u);
  EXPECT_EQ(report.kept, 1u);
  EXPECT_EQ(tree.listUnder("Q"), (std::vector<std::string>{"P2/", "P2/b", "P2/x"}));
}

TEST(UndoAfterACut, PairsNeverRenamedAndClaimsAreNothingToUndo) {
  // A run cut short leaves pairs planned but never renamed, and may leave the empty entry a
  // rename claimed its new name with. Neither is a failure; only a claim it recorded, still
  // empty, goes, and never while the item is not at its old name.
  struct Row {
    const char* name;
    std::string log;
    std::vector<std::string> files, folders;
    std::string contentOfB;
    std::size_t inPlace, restored;
    int failed;
    std::vector<std::string> after;
  };
  const std::string ab = "/w/b\r\n/w/a\r\n", claimB = "/w/b\r\n/w/b\r\n";
  const Row rows[] = {
      {"never renamed", ab, {"/w/a"}, {}, "", 1, 0, 0, {"/w/a"}},
      {"renamed", ab, {"/w/b"}, {}, "", 0, 1, 0, {"/w/a"}},
      {"an empty claimed file goes", ab + claimB, {"/w/a", "/w/b"}, {}, "", 1, 0, 0, {"/w/a"}},
      {"an empty claimed folder goes", ab + claimB, {"/w/a"}, {"/w/b"}, "", 1, 0, 0, {"/w/a"}},
      {"a claimed name that holds content stays", ab + claimB, {"/w/a", "/w/b"}, {}, "mine", 0, 0, 1,
       {"/w/a", "/w/b"}},
      {"a claimed folder with entries stays", ab + claimB, {"/w/a", "/w/b/x"}, {}, "", 0, 0, 1,
       {"/w/a", "/w/b", "/w/b/x"}},
      {"an empty file nobody claimed stays", ab, {"/w/a", "/w/b"}, {}, "", 0, 0, 1, {"/w/a", "/w/b"}},
      {"a claim whose rename happened undoes the rename", ab + claimB, {"/w/b"}, {}, "", 0, 1, 0, {"/w/a"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform::MemoryFileSystem fs;
    fs.addFolder("/state");
    fs.addFolder("/w");
    for (const auto& f : row.files) fs.addFile(f, f == "/w/b" ? row.contentOfB.size() : 0);
    for (const auto& f : row.folders) fs.addFolder(f);
    fs.writeFileAtomic("/state/rollback.rbk", row.log, true);
    batch::StopFlag stop;
    batch::NoHooks hooks;
    const auto report = batch::ReplayUndo(fs, "/state", row.log, stop, hooks, false);
    EXPECT_EQ(report.inPlace, row.inPlace);
    EXPECT_EQ(report.restored, row.restored);
    EXPECT_EQ(report.failed, row.failed);
    EXPECT_EQ(report.logDeleted, row.failed == 0);
    auto after = row.after;
    after.insert(after.begin(), {"/state", "/w"});
    if (row.failed) after.insert(after.begin() + 1, "/state/rollback.rbk");
    EXPECT_EQ(fs.allPaths(), after);
  }
}

#ifndef _WIN32
TEST(UndoOnDisk, LinksAreLookedAtThemselves) {
  // The renamed item is a link whose target is gone, and its old name is taken: the link is
  // there (lstat), so the pair could not be undone and stays in the log. A link at the old
  // name is an entry too: the pair stays.
  // A hard link is one file under two names: a rename by link and unlink cut between the
  // two, which undo finishes backwards; another file with two names at the new name stays.
  for (const int shape : {0, 1, 2, 3}) {
    SCOPED_TRACE(shape);
    testing::TempTree tree;
    tree.make({"state/", "w/"});
    const std::string newPath = tree.path("w/new"), oldPath = tree.path("w/old");
    if (shape == 0) {
      ASSERT_EQ(::symlink(tree.path("w/gone").c_str(), newPath.c_str()), 0);
      tree.make({"w/old"});
    } else if (shape == 1) {
      tree.make({"w/new"});
      ASSERT_EQ(::symlink(tree.path("w/gone").c_str(), oldPath.c_str()), 0);
    } else {
      tree.writeFile("w/old", "mine");
      const std::string other = shape == 2 ? oldPath : tree.path("w/other");
      if (shape == 3) tree.writeFile("w/other", "other");
      ASSERT_EQ(::link(other.c_str(), newPath.c_str()), 0);
    }
    const std::string log = newPath + "\r\n" + oldPath + "\r\n";
    platform::FileSystem& fs = platform::RealFileSystem();
    fs.writeFileAtomic(tree.path("state/rollback.rbk"), log, true);
    batch::StopFlag stop;
    batch::NoHooks hooks;
    const auto report = batch::ReplayUndo(fs, tree.path("state"), log, stop, hooks, false);
    const bool undone = shape == 2;
    EXPECT_EQ(report.failed, undone ? 0 : 1);
    EXPECT_EQ(report.kept, undone ? 0u : 1u);
    EXPECT_EQ(report.logDeleted, undone);
    EXPECT_EQ(fs.exists(tree.path("state/rollback.rbk")), !undone);
    EXPECT_EQ(tree.exists("w/new"), !undone);
    if (shape >= 2) {
      EXPECT_EQ(tree.readFile("w/old"), "mine");
    }
  }
}
#endif

TEST_F(UndoTest, ACaseChangeThatCanGoNeitherWayStaysRecorded) {
  // Where names ignore case the item goes back through a temporary name, which it cannot
  // leave (locked): its step stays in the journal, and the next start adds it to the log,
  // to be replayed before the pair that brings the item back from its current name.
  fs.ignoreCase(true);
  fs.addFile("/w/IMG.jpg", 7);
  const std::string log = "/w/IMG.jpg\r\n/w/IMG.JPG\r\n";
  writeLog(log);
  const std::string tmp = batch::CaseChangeTemporary("/w/IMG.JPG", 1);  // the one undo takes next
  fs.lockPath(tmp);
  EXPECT_EQ(undo().kept, 1u);
  EXPECT_TRUE(fs.exists(tmp) && fs.exists("/state/rollback.rbk.journal"));
  EXPECT_TRUE(batch::RecoverJournal(fs, "/state"));
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), log + tmp + "\r\n/w/IMG.jpg\r\n");
  EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
}

TEST_F(UndoTest, MissingLogReadsAsNothing) {
  EXPECT_FALSE(batch::ReadRollbackLog(fs, "/state").has_value());
}

}  // namespace
}  // namespace velmora
