// SPDX-License-Identifier: GPL-3.0-or-later
// The rollback log's bytes, tolerant reading, and the journal that survives a killed run.

#include <gtest/gtest.h>

#include "batch/program_files.h"
#include "batch/rollback_log.h"
#include "batch/undo.h"
#include "batch/undo_history.h"
#include "platform/memory_file_system.h"
#include "support/temp_tree.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace velmora {
namespace {

// Read without dereferencing: a missing file fails the expectation, not the whole binary.
bool ReadOnly(const platform::MemoryFileSystem& fs, const std::string& path) {
  const auto* node = fs.node(path);
  return node && node->readOnly;
}

TEST(SplitLines, AcceptsEveryLineBreakAndAMissingLastOne) {
  struct Row {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF only", "a\nb\n", {"a", "b"}},
      {"CR only", "a\rb\r", {"a", "b"}},
      {"no last break", "a\r\nb", {"a", "b"}},
      {"empty lines kept", "a\r\n\r\nb\n\n", {"a", "", "b", ""}},
      {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
      {"empty", "", {}},
      {"bytes that are not text", std::string("\xff\x00z\r\n", 5), {std::string("\xff\x00z", 3)}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(batch::SplitLines(row.text), row.lines);
  }
}

TEST(RollbackLog, SavedAsPairsWithCrLfAndReadOnly) {
  platform::MemoryFileSystem fs;
  batch::RollbackLog log;
  log.add("/w/b.txt", "/w/a.txt");
  log.add("/w/d.txt", "/w/c.txt");
  ASSERT_TRUE(batch::SaveRollbackLog(fs, "/state", log));
  const auto* node = fs.node("/state/rollback.rbk");
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->content, "/w/b.txt\r\n/w/a.txt\r\n/w/d.txt\r\n/w/c.txt\r\n");
  EXPECT_TRUE(node->readOnly);
}

TEST(RunJournal, RecoveredAsTheLogWhenNobodyHoldsIt) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/state");
  fs.writeFileAtomic("/state/rollback.rbk", "/old\r\n/older\r\n", true);
  {
    batch::RunJournal journal(fs, "/state");
    ASSERT_EQ(journal.open(), batch::JournalState::Ready);
    journal.intend("/w/b", "/w/a");
    journal.intend("/w/d", "/w/c");
    journal.intend("/w/f", "/w/e");
    journal.withdraw();  // that rename failed
    // While the run holds it, another instance leaves it alone.
    EXPECT_FALSE(batch::RecoverJournal(fs, "/state"));
    journal.finish();
  }  // the run "dies" without saving its log
  EXPECT_TRUE(batch::RecoverJournal(fs, "/state"));
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>("/w/b\r\n/w/a\r\n/w/d\r\n/w/c\r\n"));
  EXPECT_TRUE(ReadOnly(fs, "/state/rollback.rbk"));
  EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
  EXPECT_FALSE(batch::RecoverJournal(fs, "/state"));
}

TEST(RunJournal, RecoveryTakesWholeRecordsOnly) {
  const std::string whole = "/w/b\r\n/w/a\r\n";
  // A mapped journal killed mid-copy: zero bytes where the copy had not reached yet.
  const std::string zeros(8, '\0');
  for (const std::string& torn : {std::string("/w/d\r\n/w/long_na"), std::string("/w/d\r\n/w/c\r"),
                                 std::string("/w/d\r\n"), std::string("/w/d"), zeros,
                                 "/w/d\r\n/w/c" + zeros, "/w/d" + zeros + "\r\n/w/c\r\n" + zeros,
                                 zeros + "\r\n/w/c\r\n"}) {
    SCOPED_TRACE(torn);
    platform::MemoryFileSystem fs;
    fs.addFolder("/state");
    fs.writeFileAtomic("/state/rollback.rbk.journal", whole + torn, false);
    EXPECT_TRUE(batch::RecoverJournal(fs, "/state"));
    EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>(whole));
  }
}

TEST(RunJournal, RecoveryDropsPairsWhoseRenameNeverHappened) {
  // Pairs are synced a group ahead of their renames: recovery looks at the disk (as undo
  // will find it, the later pairs undone first) and keeps the pairs that happened.
  struct Row {
    const char* name;
    std::string journal;
    std::vector<std::string> disk;
    std::string log;  ///< "" when nothing is left to undo
  };
  const auto pair = [](const std::string& n, const std::string& o) { return n + "\r\n" + o + "\r\n"; };
  const Row rows[] = {
      {"planned, never renamed", pair("/w/b", "/w/a"), {"/w/a"}, ""},
      {"renamed", pair("/w/b", "/w/a"), {"/w/b"}, pair("/w/b", "/w/a")},
      {"gone since (undo says so)", pair("/w/b", "/w/a"), {}, pair("/w/b", "/w/a")},
      {"a chain", pair("/w/b", "/w/a") + pair("/w/c", "/w/b"), {"/w/c"}, pair("/w/b", "/w/a") + pair("/w/c", "/w/b")},
      {"the second of a group never renamed", pair("/w/b", "/w/a") + pair("/w/d", "/w/c"), {"/w/b", "/w/c"},
       pair("/w/b", "/w/a")},
      {"a name left, then taken by the next item", pair("/w/b", "/w/a") + pair("/w/a", "/w/c"), {"/w/a", "/w/b"},
       pair("/w/b", "/w/a") + pair("/w/a", "/w/c")},
      {"planned, then renamed under another name (its first name taken meanwhile)",
       pair("/w/b", "/w/a") + pair("/w/b(1)", "/w/a"), {"/w/b", "/w/b(1)"}, pair("/w/b(1)", "/w/a")},
      {"a claim still there", pair("/w/b", "/w/a") + pair("/w/b", "/w/b"), {"/w/a", "/w/b"},
       pair("/w/b", "/w/a") + pair("/w/b", "/w/b")},
      {"a claim gone", pair("/w/b", "/w/a") + pair("/w/c", "/w/c"), {"/w/b"}, pair("/w/b", "/w/a")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform::MemoryFileSystem fs;
    fs.addFolder("/state");
    fs.addFolder("/w");
    for (const auto& f : row.disk) fs.addFile(f);
    fs.writeFileAtomic("/state/rollback.rbk.journal", row.journal, false);
    EXPECT_EQ(batch::RecoverJournal(fs, "/state"), !row.log.empty());
    EXPECT_EQ(fs.readFile("/state/rollback.rbk").value_or(""), row.log);
    EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
  }
}

#ifndef _WIN32
TEST(RunJournal, AWithdrawnRecordLeavesNothingForRecoveryAfterAKill) {
  // On the real journal file: a long record withdrawn, a short one written, the process
  // killed (no destructor tidies the file). Recovery must find the short record alone, not
  // the withdrawn one's tail made into a pair.
  testing::TempTree tree;
  tree.make({"state/"});
  const std::string state = tree.path("state");
  const std::string longName = tree.path("t/" + std::string(200, 'x') + ".md"), a = tree.path("t/a.txt");
  const std::string shortName = tree.path("t/b.md"), b = tree.path("t/b.txt");
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    batch::RunJournal journal(platform::RealFileSystem(), state);
    bool ok = journal.open() == batch::JournalState::Ready && journal.intend(longName, a);
    journal.withdraw();
    ok = ok && journal.intend(shortName, b);
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(batch::RecoverJournal(platform::RealFileSystem(), state));
  EXPECT_EQ(tree.readFile("state/rollback.rbk"), shortName + "\r\n" + b + "\r\n");
}
#endif

TEST(Undo, KeepsWhatItCouldNotRestoreAndReplaysOnlyAbsolutePairs) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/state");
  fs.addFile("/w/b");
  fs.addFile("/w/d");
  fs.addFile("/w/x");  // d's old name is taken again
  fs.addFile("/w/rel");
  fs.addFile("/w/here");  // its pair never happened: nothing to undo, nothing kept
  const std::vector<std::string> entries = {"/w/b", "/w/a", "/w/d", "/w/x", "rel", "/w/r", "/w/gone", "/w/here"};
  const std::string log = batch::JoinLinesCrLf(entries);
  fs.writeFileAtomic("/state/rollback.rbk", log, true);
  batch::StopFlag stop;
  batch::NoHooks hooks;
  const auto report = batch::ReplayUndo(fs, "/state", log, stop, hooks, false);
  EXPECT_EQ(report.restored, 1u);
  EXPECT_EQ(report.kept, 1u);
  EXPECT_EQ(report.ignored, 1u);
  EXPECT_TRUE(fs.exists("/w/a"));
  EXPECT_TRUE(fs.exists("/w/rel"));
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>("/w/d\r\n/w/x\r\n"));
  EXPECT_EQ(batch::UndoKeptMessage(report),
            "1 rename could not be reversed; it stays in rollback.rbk, so undo can try again.\n"
            "1 entry of rollback.rbk is not a pair of absolute paths; it was left alone.");
  // Refused while a run holds the program folder.
  auto held = fs.openLockedAppend("/state/rollback.rbk.journal");
  const auto refused = batch::ReplayUndo(fs, "/state", "/w/d\r\n/w/y\r\n", stop, hooks, false);
  EXPECT_FALSE(refused.refusal.empty());
  EXPECT_TRUE(fs.exists("/w/d"));
}

TEST(RunJournal, TornLastRecordIsDroppedAndEmptyJournalKeepsTheLog) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/state");
  fs.writeFileAtomic("/state/rollback.rbk.journal", "/w/b\r\n/w/a\r\n/w/d\r\n", false);
  EXPECT_TRUE(batch::RecoverJournal(fs, "/state"));
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>("/w/b\r\n/w/a\r\n"));

  fs.writeFileAtomic("/state/rollback.rbk.journal", "", false);
  EXPECT_FALSE(batch::RecoverJournal(fs, "/state"));
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>("/w/b\r\n/w/a\r\n"));
  EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
}

TEST(RunJournal, BecomesTheLogWhenItHoldsTheLogsBytes) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/state");
  fs.writeFileAtomic("/state/rollback.rbk", "/old\r\n/older\r\n", true);
  batch::RunJournal journal(fs, "/state");
  batch::RollbackLog log;
  log.add("/w/b", "/w/a");
  EXPECT_FALSE(journal.sealAsLog(log));  // not open
  ASSERT_EQ(journal.open(), batch::JournalState::Ready);
  journal.intend("/w/b", "/w/a");
  journal.intend("/w/x", "/w/c");
  journal.withdraw();
  log.add("/w/d", "/w/c");
  EXPECT_FALSE(journal.sealAsLog(log));  // the log holds a pair the journal lacks
  journal.intend("/w/y", "/w/c");
  EXPECT_FALSE(journal.sealAsLog(log));  // as long as the log, with another pair
  journal.withdraw();
  journal.intend("/w/d", "/w/c");
  ASSERT_TRUE(batch::SaveRollbackLog(fs, "/state", log, &journal));
  EXPECT_FALSE(journal.active());
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>("/w/b\r\n/w/a\r\n/w/d\r\n/w/c\r\n"));
  EXPECT_TRUE(ReadOnly(fs, "/state/rollback.rbk"));
  EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
}

#ifndef _WIN32
TEST(RunJournal, BecomesTheLogOnTheDiskToo) {
  // A journal on the disk is longer than its records (room reserved ahead, zeros). (On
  // Windows the log is written on its own: the journal is never moved into place.)
  testing::TempTree tree;
  tree.make({"state/"});
  platform::FileSystem& fs = platform::RealFileSystem();
  batch::RunJournal journal(fs, tree.path("state"));
  ASSERT_EQ(journal.open(), batch::JournalState::Ready);
  batch::RollbackLog log;
  log.add("/w/b", "/w/a");
  journal.intend("/w/b", "/w/a");
  EXPECT_TRUE(journal.sealAsLog(log));
  EXPECT_EQ(tree.readFile("state/rollback.rbk"), "/w/b\r\n/w/a\r\n");
  EXPECT_FALSE(tree.exists("state/rollback.rbk.journal"));
}
#endif

TEST(RunJournal, AJournalThatCannotBecomeTheLogIsNeverCutOrTakenTwice) {
  const std::string records = "/w/b\r\n/w/a\r\n/w/d\r\n/w/c\r\n";
  // The disk full: the journal of the last run stays whole, and runs and undo are refused.
  platform::MemoryFileSystem fs;
  fs.addFolder("/state");
  fs.addFile("/w/b");
  fs.addFile("/w/d");
  fs.writeFileAtomic("/state/rollback.rbk", "/old\r\n/older\r\n", true);
  fs.writeFileAtomic("/state/rollback.rbk.journal", records, false);
  fs.failWholeWrites(true);
  bool kept = false;
  EXPECT_FALSE(batch::RecoverJournal(fs, "/state", &kept));
  EXPECT_TRUE(kept);
  {
    batch::RunJournal journal(fs, "/state");
    EXPECT_EQ(journal.open(), batch::JournalState::Kept);
  }
  batch::StopFlag stop;
  batch::RunHooks hooks;
  EXPECT_FALSE(batch::ReplayUndo(fs, "/state", "/old\r\n/older\r\n", stop, hooks, false).refusal.empty());
  EXPECT_EQ(fs.readFile("/state/rollback.rbk.journal"), std::optional<std::string>(records));
  // Room again: the journal becomes the log, the earlier log is kept for the history.
  fs.failWholeWrites(false);
  EXPECT_TRUE(batch::RecoverJournal(fs, "/state"));
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>(records));
  // A run cut short between writing its log and removing its journal: one run, kept once.
  fs.writeFileAtomic("/state/rollback.rbk.journal", "/w/x\r\n/w/y\r\n" + records, false);
  EXPECT_FALSE(batch::RecoverJournal(fs, "/state"));
  EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
  EXPECT_EQ(fs.readFile("/state/rollback.rbk"), std::optional<std::string>(records));
  EXPECT_EQ(batch::CountUndoHistory(fs, "/state"), 2u);
}

TEST(RunJournal, DiscardRemovesIt) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/state");
  batch::RunJournal journal(fs, "/state");
  EXPECT_FALSE(journal.intend("/w/b", "/w/a"));  // not open: the rename must not happen
  ASSERT_EQ(journal.open(), batch::JournalState::Ready);
  EXPECT_TRUE(journal.intend("/w/b", "/w/a"));
  EXPECT_TRUE(fs.exists("/state/rollback.rbk.journal"));
  journal.discard();
  EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
}

}  // namespace
}  // namespace velmora
