// SPDX-License-Identifier: GPL-3.0-or-later
// The undo history: runs kept newest first, undone in order, trimmed at the limit, never lost.

#include <gtest/gtest.h>

#include "batch/program_files.h"
#include "batch/run_pipeline.h"
#include "batch/undo_history.h"
#include "platform/code_page.h"
#include "platform/memory_file_system.h"
#include "support/recording_messages.h"

namespace velmora {
namespace {

class UndoHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.addFolder("/state");
    fs.addFile("/w/a");
  }
  /// One run renaming `from` to `to`, keeping `keep` earlier runs.
  void run(const std::string& from, const std::string& to, int keep = batch::kKeptRunsDefault,
           engine::OperationKind kind = engine::OperationKind::Replace) {
    batch::PipelineRequest request;
    request.run.record.kind = kind;
    request.run.target.picked = {from};
    request.programFolder = "/state";
    request.pairs = std::vector<batch::RenamePair>{{from, to}};
    request.keptRuns = keep;
    const auto report = batch::RunPipeline({fs, fs, platform::Utf8CodePage(), messages, hooks, stop}, request);
    ASSERT_EQ(report.logOutcome, batch::LogOutcome::Saved);
  }
  batch::UndoOutcome undo(int runs) {
    return batch::RunUndo({fs, fs, platform::Utf8CodePage(), messages, hooks, stop}, "/state", nullptr, runs);
  }
  std::vector<std::string> logs() {
    std::vector<std::string> out;
    for (const auto& e : batch::ListUndoHistory(fs, "/state")) out.push_back(*fs.readFile(e.logPath));
    return out;
  }
  platform::MemoryFileSystem fs;
  testing::RecordingMessages messages;
  batch::StopFlag stop;
  batch::NoHooks hooks;
};

TEST_F(UndoHistoryTest, ThreeRunsAreUndoneOneAfterTheOtherNewestFirst) {
  run("/w/a", "/w/b");
  run("/w/b", "/w/c", batch::kKeptRunsDefault, engine::OperationKind::Insert);
  run("/w/c", "/w/d");
  const auto history = batch::ListUndoHistory(fs, "/state");
  ASSERT_EQ(history.size(), 3u);
  EXPECT_EQ(batch::CountUndoHistory(fs, "/state"), 3u);
  EXPECT_EQ(history[0].logPath, batch::ProgramFolderWithSeparator("/state") + batch::kRollbackLogName);  // where undo looks
  EXPECT_EQ(history[1].operation, "Addnewnum");
  EXPECT_EQ(history[2].folder, "/w");
  EXPECT_EQ(history[2].items, 1u);
  EXPECT_EQ(logs(), (std::vector<std::string>{"/w/d\r\n/w/c\r\n", "/w/c\r\n/w/b\r\n", "/w/b\r\n/w/a\r\n"}));
  // One undo: the last run only; the run before becomes the last one.
  EXPECT_EQ(undo(1).runsUndone, 1);
  EXPECT_EQ(fs.allPaths(), (std::vector<std::string>{"/state", "/state/rollback.1.rbk", "/state/rollback.1.rbk.info",
                                                     "/state/rollback.rbk", "/state/rollback.rbk.info", "/w", "/w/c"}));
  EXPECT_EQ(batch::ListUndoHistory(fs, "/state").at(0).operation, "Addnewnum");
  // Every run left: the first tree exactly, nothing left to undo, one question asked.
  messages.shown.clear();
  const auto all = undo(0);
  EXPECT_EQ(all.runsAsked, 2);
  EXPECT_EQ(all.runsUndone, 2);
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Do you want to UNDO the last 2 rename operations ?"}));
  EXPECT_EQ(fs.allPaths(), (std::vector<std::string>{"/state", "/w", "/w/a"}));
  EXPECT_EQ(undo(1).kind, batch::UndoOutcome::Kind::NoLog);
}

TEST_F(UndoHistoryTest, TheLimitKeepsTheNewestAndZeroKeepsOnlyTheLastRun) {
  const char* const names[] = {"/w/a", "/w/b", "/w/c", "/w/d", "/w/e"};
  for (int i = 0; i + 1 < 5; ++i) run(names[i], names[i + 1], 2);
  // The last run and two before it; the oldest went.
  EXPECT_EQ(logs(), (std::vector<std::string>{"/w/e\r\n/w/d\r\n", "/w/d\r\n/w/c\r\n", "/w/c\r\n/w/b\r\n"}));
  run("/w/e", "/w/f", 0);
  EXPECT_EQ(logs(), (std::vector<std::string>{"/w/f\r\n/w/e\r\n"}));
  EXPECT_EQ(fs.allPaths(), (std::vector<std::string>{"/state", "/state/rollback.rbk", "/state/rollback.rbk.info", "/w",
                                                     "/w/f"}));
}

TEST_F(UndoHistoryTest, AStopInTheMiddleKeepsThatRunAndTheOnesBefore) {
  run("/w/a", "/w/b");
  run("/w/b", "/w/c");
  fs.addFile("/w/x");
  run("/w/x", "/w/y");
  fs.addFile("/w/x");  // the last run's old name is taken again: it cannot be undone
  const auto outcome = undo(0);
  EXPECT_EQ(outcome.runsUndone, 0);
  EXPECT_EQ(outcome.replay.kept, 1u);
  EXPECT_EQ(batch::ListUndoHistory(fs, "/state").size(), 3u);
  EXPECT_EQ(messages.shown.back().text.find("0 of the 3 runs asked for were undone"), 0u);
  EXPECT_TRUE(fs.exists("/w/c"));
}

TEST_F(UndoHistoryTest, ChangesWaitForTheRunHoldingTheFolder) {
  run("/w/a", "/w/b");
  run("/w/b", "/w/c");
  auto held = fs.openLockedAppend("/state/rollback.rbk.journal");
  EXPECT_FALSE(batch::TrimUndoHistory(fs, "/state", 0));
  EXPECT_EQ(undo(0).replay.refusal.find("Another rename run is using the program folder"), 0u);
  EXPECT_EQ(batch::ListUndoHistory(fs, "/state").size(), 2u);
  EXPECT_TRUE(fs.exists("/w/c"));
  held.reset();
  EXPECT_TRUE(batch::TrimUndoHistory(fs, "/state", 0));
  EXPECT_EQ(batch::ListUndoHistory(fs, "/state").size(), 1u);
}

TEST_F(UndoHistoryTest, AJournalLeftBehindGoesBeforeTheLastSavedRun) {
  run("/w/a", "/w/b");
  // An interrupted run renamed b to c (recovery keeps only renames the disk shows).
  fs.rename("/w/b", "/w/c");
  fs.writeFileAtomic("/state/rollback.rbk.journal", "/w/c\r\n/w/b\r\n/w/torn", false);
  EXPECT_TRUE(batch::RecoverJournal(fs, "/state"));
  EXPECT_EQ(logs(), (std::vector<std::string>{"/w/c\r\n/w/b\r\n", "/w/b\r\n/w/a\r\n"}));
  // A recovered log has no info: it lists by its file's date, without an operation.
  const auto history = batch::ListUndoHistory(fs, "/state");
  EXPECT_EQ(history[0].operation, "");
  EXPECT_EQ(history[0].when.year, 2007);
  EXPECT_EQ(history[1].operation, "Replapart");
}

TEST_F(UndoHistoryTest, WhatACrashBetweenTwoMovesLeavesStillLists) {
  struct Row {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> listed;  ///< the logs' names, newest first
  };
  const Row rows[] = {
      {"gaps in the numbers", {{"rollback.rbk", "/w/b\r\n/w/a\r\n"}, {"rollback.9.rbk", "x"}, {"rollback.3.rbk", "y"}},
       {"rollback.rbk", "rollback.9.rbk", "rollback.3.rbk"}},
      {"numbers beyond 9 sort as numbers", {{"rollback.10.rbk", "x"}, {"rollback.9.rbk", "y"}},
       {"rollback.10.rbk", "rollback.9.rbk"}},
      {"an info without its log", {{"rollback.rbk", "z"}, {"rollback.4.rbk.info", "operation=Changnew\r\n"}},
       {"rollback.rbk"}},
      {"names that only look alike", {{"rollback.01.rbk", "x"}, {"rollback..rbk", "x"}, {"rollback.2.rbk.journal", "x"},
                                      {"rollback.0.rbk", "x"}, {"rollback.x.rbk", "x"}},
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform::MemoryFileSystem disk;
    disk.addFolder("/state");
    for (const auto& [name, content] : row.files) disk.writeFileAtomic("/state/" + name, content, true);
    std::vector<std::string> listed;
    for (const auto& e : batch::ListUndoHistory(disk, "/state")) listed.push_back(platform::LastComponent(e.logPath));
    EXPECT_EQ(listed, row.listed);
    // The next save numbers past every number in use, the orphan info's included.
    batch::KeepCurrentLog(disk, "/state", 5);
    if (disk.exists("/state/rollback.4.rbk.info")) ADD_FAILURE() << "an info of no log stays";
  }
}

TEST(UndoHistoryFolder, TheFolderListedIsTheOneEveryItemLiesIn) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/state");
  const std::pair<std::string, std::string> rows[] = {
      {"/p/q/b\r\n/p/q/a\r\n", "/p/q"},
      {"/p/qr/b\r\n/p/qr/a\r\n/p/qs/d\r\n/p/qs/c\r\n", "/p"},
      {"/p/q/x/b\r\n/p/q/x/a\r\n/p/q/d\r\n/p/q/c\r\n", "/p/q"},
      {"/a/b\r\n/a/c\r\n/z\r\n/y\r\n", "/"},
  };
  for (const auto& [log, folder] : rows) {
    fs.writeFileAtomic("/state/rollback.rbk", log, true);
    EXPECT_EQ(batch::ListUndoHistory(fs, "/state").at(0).folder, folder) << log;
  }
}

}  // namespace
}  // namespace velmora
