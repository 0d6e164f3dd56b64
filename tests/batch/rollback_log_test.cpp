// The rollback log's bytes, tolerant reading, and the journal that survives a killed run.

#include <gtest/gtest.h>

#include "batch/program_files.h"
#include "batch/rollback_log.h"
#include "batch/undo.h"
#include "platform/memory_file_system.h"

namespace velmora {
namespace {

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
    journal.intend("/w/b", "/w/a");
    journal.intend("/w/d", "/w/c");
    journal.intend("/w/f", "/w/e");
    journal.withdraw();  // that rename failed
    // While the run holds it, another instance leaves it alone.
    EXPECT_FALSE(batch::RecoverJournal(fs, "/state"));
    journal.finish();
  }  // the run "dies" without saving its log
  EXPECT_TRUE(batch::RecoverJournal(fs, "/state"));
  EXPECT_EQ(fs.node("/state/rollback.rbk")->content, "/w/b\r\n/w/a\r\n/w/d\r\n/w/c\r\n");
  EXPECT_TRUE(fs.node("/state/rollback.rbk")->readOnly);
  EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
  EXPECT_FALSE(batch::RecoverJournal(fs, "/state"));
}

TEST(RunJournal, TornLastRecordIsDroppedAndEmptyJournalKeepsTheLog) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/state");
  fs.writeFileAtomic("/state/rollback.rbk.journal", "/w/b\r\n/w/a\r\n/w/d\r\n", false);
  EXPECT_TRUE(batch::RecoverJournal(fs, "/state"));
  EXPECT_EQ(fs.node("/state/rollback.rbk")->content, "/w/b\r\n/w/a\r\n");

  fs.writeFileAtomic("/state/rollback.rbk.journal", "", false);
  EXPECT_FALSE(batch::RecoverJournal(fs, "/state"));
  EXPECT_EQ(fs.node("/state/rollback.rbk")->content, "/w/b\r\n/w/a\r\n");
  EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
}

TEST(RunJournal, DiscardRemovesIt) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/state");
  batch::RunJournal journal(fs, "/state");
  journal.intend("/w/b", "/w/a");
  EXPECT_TRUE(fs.exists("/state/rollback.rbk.journal"));
  journal.discard();
  EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
}

}  // namespace
}  // namespace velmora
