// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/name_history.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/memory_file_system.h"
#include "support/recording_messages.h"

namespace velmora::batch {
namespace {

using Lines = std::vector<std::string>;
const std::string kFile = "/prog/Newname.txt";

struct HistoryFixture {
  platform::MemoryFileSystem fs;
  HistoryFixture() { fs.addFolder("/prog"); }
  void writeFile(const std::string& content) { fs.writeFileAtomic(kFile, content, false); }
  std::optional<std::string> file() { return fs.readFile(kFile); }
  NameHistory history(int maximum = 20) {
    NameHistory h(fs, "/prog", maximum);
    h.load();
    return h;
  }
};

TEST(NameHistory, AddPutsTheTextFirstAndDropsEqualEntries) {
  struct Row {
    const char* name;
    std::string file;
    std::string added;
    int maximum;
    Lines expected;
  };
  const std::vector<Row> rows = {
      {"ASCII case folded", "b\r\na\r\n", "A", 20, {"A", "b"}},
      {"equal entry anywhere", "x\r\nDATE\r\ny\r\n", "date", 20, {"date", "x", "y"}},
      {"digits and symbols must match", "a1\r\na-1\r\n", "A1", 20, {"A1", "a-1"}},
      {"bytes above ASCII are not folded", "\xC3\xA9t\xC3\xA9\r\n", "\xC3\x89T\xC3\x89", 20,
       {"\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9"}},
      {"several equal entries all go", "ab\r\nc\r\nAB\r\naB\r\n", "Ab", 20, {"Ab", "c"}},
      {"cut to the maximum", "c\r\nb\r\na\r\n", "d", 3, {"d", "c", "b"}},
      {"an over-long file is cut on the next addition", "a\r\nb\r\nc\r\nd\r\n", "e", 2, {"e", "a"}},
      {"empty history", "", "first", 20, {"first"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HistoryFixture f;
    f.writeFile(row.file);
    NameHistory h = f.history(row.maximum);
    h.add(row.added);
    EXPECT_EQ(h.entries(), row.expected);
    EXPECT_EQ(h.copies(), row.expected);
    std::string bytes;
    for (const auto& line : row.expected) bytes += line + "\r\n";
    EXPECT_EQ(f.file(), bytes);
  }
}

TEST(NameHistory, TextAlreadyFirstLeavesTheFileAlone) {
  HistoryFixture f;
  f.writeFile("a\nA b\nb\n");
  NameHistory h = f.history();
  h.add("a");
  EXPECT_EQ(f.file(), "a\nA b\nb\n");
  h.add("b");
  h.add("b");
  EXPECT_EQ(f.file(), "b\r\na\r\nA b\r\n");
  EXPECT_EQ(h.copies(), (Lines{"b", "a", "A b"}));
}

TEST(NameHistory, MaximumZeroDeletesTheFileAndKeepsTheCopies) {
  HistoryFixture f;
  f.writeFile("x\r\ny\r\n");
  NameHistory h = f.history(0);
  h.add("z");
  EXPECT_FALSE(f.fs.exists(kFile));
  EXPECT_TRUE(h.entries().empty());
  EXPECT_EQ(h.copies(), (Lines{"x", "y"}));
  h.add("w");  // no file to delete now
  EXPECT_FALSE(f.fs.exists(kFile));
}

TEST(NameHistory, WrittenHistoryIsReadBackByAnotherInstance) {
  HistoryFixture f;
  NameHistory first(f.fs, "/prog", 20);
  first.add("%3%_##");
  first.add("");
  first.add("b");
  NameHistory second(f.fs, "/prog", 20);
  EXPECT_TRUE(second.load());
  EXPECT_EQ(second.entries(), (Lines{"b", "", "%3%_##"}));
}

TEST(NameHistory, TextWithALineBreakIsNotKept) {
  HistoryFixture f;
  f.writeFile("a\r\nb\r\n");
  NameHistory h = f.history(2);
  h.add("x\ny");
  h.add("x\ry");
  EXPECT_EQ(h.entries(), (Lines{"a", "b"}));
  EXPECT_EQ(f.file(), "a\r\nb\r\n");
}

TEST(NameHistory, ProgramFolderIsCreatedOnTheFirstWrite) {
  platform::MemoryFileSystem fs;
  NameHistory h(fs, "/new/state", 20);
  h.add("a");
  EXPECT_EQ(fs.readFile("/new/state/Newname.txt"), "a\r\n");
}

TEST(NameHistory, FailedWriteKeepsTheAddition) {
  HistoryFixture f;
  f.fs.addFolder(kFile);  // a folder where the file should be: every write fails
  NameHistory h(f.fs, "/prog", 20);
  h.add("a");
  EXPECT_EQ(h.entries(), Lines{"a"});
  EXPECT_EQ(h.copies(), Lines{"a"});
}

TEST(NameHistory, ReadingIsTolerant) {
  struct Row {
    const char* name;
    std::optional<std::string> file;
    Lines expected;
    bool loaded;
  };
  const std::vector<Row> rows = {
      {"missing", std::nullopt, {"kept"}, false},
      {"empty", "", {}, true},
      {"mixed line ends", "a\rb\nc\r\nd", {"a", "b", "c", "d"}, true},
      {"empty lines are entries", "a\r\n\r\nb\r\n", {"a", "", "b"}, true},
      {"lone CR LF", "\r\n", {""}, true},
      {"bytes that are not text", std::string("\0\xFF\r\n\x80", 5), {std::string("\0\xFF", 2), "\x80"}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HistoryFixture f;
    NameHistory h(f.fs, "/prog", 20);
    h.add("kept");  // a present file replaces this; a missing one leaves it
    if (row.file)
      f.writeFile(*row.file);
    else
      f.fs.removeFile(kFile);
    EXPECT_EQ(h.load(), row.loaded);
    EXPECT_EQ(h.entries(), row.expected);
  }
}

TEST(NameHistory, EveryPrefixOfAValidFileLoads) {
  const Lines full = {"alpha", "", "b%2%", "\xC3\xA9t\xC3\xA9", "z"};
  std::string bytes;
  for (const auto& l : full) bytes += l + "\r\n";
  for (std::size_t n = 0; n <= bytes.size(); ++n) {
    SCOPED_TRACE(n);
    HistoryFixture f;
    f.writeFile(bytes.substr(0, n));
    NameHistory h = f.history();
    const Lines& got = h.entries();
    ASSERT_LE(got.size(), full.size());
    // Whole lines come back as they were; only the last one may be cut short.
    for (std::size_t i = 0; i + 1 < got.size(); ++i) EXPECT_EQ(got[i], full[i]);
    if (!got.empty()) {
      EXPECT_EQ(full[got.size() - 1].rfind(got.back(), 0), 0u);
    }
  }
}

TEST(NameHistory, ShortenWritesEvenAnEmptyList) {
  HistoryFixture f;
  f.writeFile("d\r\nc\r\nb\r\na\r\n");
  NameHistory h = f.history(20);
  h.shorten(2);
  EXPECT_EQ(h.entries(), (Lines{"d", "c"}));
  EXPECT_EQ(h.copies(), (Lines{"d", "c"}));
  EXPECT_EQ(f.file(), "d\r\nc\r\n");
  h.shorten(0);
  EXPECT_TRUE(h.entries().empty());
  EXPECT_EQ(f.file(), "");
}

TEST(NameHistory, SavedEditorTextRaisesTheMaximum) {
  HistoryFixture f;
  NameHistory h = f.history(3);
  EXPECT_EQ(h.saveEdited({"1", "", "2", "3", "4", "", "5"}), 5);
  EXPECT_EQ(h.maximum(), 5);
  EXPECT_EQ(h.entries(), (Lines{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(f.file(), "1\r\n2\r\n3\r\n4\r\n5\r\n");

  Lines many;
  for (int i = 0; i < 150; ++i) many.push_back(std::to_string(i));
  EXPECT_EQ(h.saveEdited(many), 100);
  EXPECT_EQ(h.entries().size(), 150u);

  EXPECT_EQ(h.saveEdited({"", ""}), 100);
  EXPECT_FALSE(f.fs.exists(kFile));
  EXPECT_TRUE(h.entries().empty());
  EXPECT_TRUE(h.copies().empty());
}

TEST(NameHistory, ClearAsksFirst) {
  HistoryFixture f;
  f.writeFile("a\r\n");
  NameHistory h = f.history();
  testing::RecordingMessages messages;
  messages.answers = {Answer::No};
  EXPECT_FALSE(ClearHistory(h, messages));
  EXPECT_TRUE(f.fs.exists(kFile));
  EXPECT_EQ(h.entries(), Lines{"a"});
  EXPECT_TRUE(ClearHistory(h, messages));
  EXPECT_FALSE(f.fs.exists(kFile));
  EXPECT_TRUE(h.entries().empty());
  EXPECT_TRUE(h.copies().empty());
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].title, "Clear Confirmation");
  EXPECT_EQ(messages.shown[0].text, "Do you want to clear the new name list ?");
  EXPECT_TRUE(ClearHistory(h, messages));  // a missing file is fine
}

TEST(RecordNewNames, TextsPerOperationInOrder) {
  using engine::OperationKind;
  struct Row {
    const char* name;
    std::function<void(engine::OperationRecord&)> setup;
    Lines history;  ///< after RecordNewNames on an empty history, most recent first
  };
  const std::vector<Row> rows = {
      {"insert head then end",
       [](auto& r) {
         r.kind = OperationKind::Insert;
         r.atHead = r.atEnd = true;
         r.headText = "x";
         r.endText = "y";
       },
       {"y", "x"}},
      {"insert head, end and cursor",
       [](auto& r) {
         r.kind = OperationKind::Insert;
         r.atHead = r.atEnd = r.atCursor = true;
         r.headText = "h";
         r.endText = "e";
         r.cursorText = "c";
       },
       {"c", "e", "h"}},
      {"unchecked and empty texts are not recorded",
       [](auto& r) {
         r.kind = OperationKind::Insert;
         r.atEnd = r.atCursor = true;
         r.headText = "h";
         r.cursorText = "c";
       },
       {"c"}},
      {"insert head and end equal but for case",
       [](auto& r) {
         r.kind = OperationKind::Insert;
         r.atHead = r.atEnd = true;
         r.headText = "Tag";
         r.endText = "TAG";
       },
       {"TAG"}},
      {"insert to string",
       [](auto& r) {
         r.kind = OperationKind::Insert;
         r.insertMode = engine::InsertMode::InsertAtString;
         r.atHead = true;
         r.headText = "h";
         r.insertText = "s";
       },
       {"s"}},
      {"replace",
       [](auto& r) {
         r.kind = OperationKind::Replace;
         r.newText = "n";
       },
       {"n"}},
      {"replace with an empty new string", [](auto& r) { r.kind = OperationKind::Replace; }, {}},
      {"change full name",
       [](auto& r) {
         r.kind = OperationKind::Change;
         r.newName = "name";
       },
       {"name"}},
      {"case conversion uses no new name",
       [](auto& r) {
         r.kind = OperationKind::Change;
         r.changeMode = engine::ChangeMode::ConvertCase;
         r.newName = "name";
       },
       {}},
      {"remove",
       [](auto& r) {
         r.kind = OperationKind::Remove;
         r.removeText1 = "a";
         r.newText = "n";
       },
       {}},
      {"extension",
       [](auto& r) {
         r.kind = OperationKind::Extension;
         r.newExtension = "txt";
       },
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HistoryFixture f;
    engine::OperationRecord record;
    row.setup(record);
    NameHistory h = f.history();
    RecordNewNames(h, record);
    EXPECT_EQ(h.entries(), row.history);
    EXPECT_EQ(f.fs.exists(kFile), !row.history.empty());
  }
}

}  // namespace
}  // namespace velmora::batch
