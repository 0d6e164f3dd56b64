// SPDX-License-Identifier: GPL-3.0-or-later
// Preview rows against the run that follows them, where numbering depends on what the run
// will have done by then: names freed by earlier items and names taken by earlier rows.

#include <gtest/gtest.h>

#include "batch/batch_run.h"
#include "engine/name_model.h"
#include "platform/memory_file_system.h"
#include "support/recording_messages.h"

namespace velmora {
namespace {

using batch::FolderScope;
using batch::RunMode;

engine::OperationRecord ChangeName(const std::string& name) {
  engine::OperationRecord r;
  r.kind = engine::OperationKind::Change;
  r.changeMode = engine::ChangeMode::ChangeFullName;
  r.newName = name;
  return r;
}

/// "old -> new" for every row (preview) or rename (run), names without folder.
std::vector<std::string> Outcome(platform::FileSystem& fs, const engine::OperationRecord& record,
                             const batch::TargetSet& target, RunMode mode, batch::ItemOrder order = {}) {
  testing::RecordingMessages messages;
  batch::NoHooks hooks;
  batch::StopFlag stop;
  engine::SpecialStringSettings special;
  engine::SpecialStringExpander expander(fs, special, 1000);
  batch::RunRequest request{record, target, mode, 1, 20, false, order};
  batch::BatchRun run(fs, platform::Utf8CodePage(), messages, hooks, stop, expander);
  run.execute(request);
  std::vector<std::string> out;
  if (mode == RunMode::Preview) {
    for (const auto& row : run.previewRows())
      out.push_back(engine::FileNamePart(row.oldName) + " -> " + engine::FileNamePart(row.newName));
  } else {
    for (const auto& pair : run.renamed())
      out.push_back(engine::FileNamePart(pair.oldPath) + " -> " + engine::FileNamePart(pair.newPath));
  }
  return out;
}

TEST(PreviewNumbering, RowsAreWhatTheRunThenGives) {
  struct Row {
    const char* name;
    std::vector<std::string> files;
    std::vector<std::string> picked;  ///< empty: the folder /w, one layer
    const char* newName;
    std::vector<std::string> expected;
    batch::ItemOrder order{};
    std::vector<int> sizes{};    ///< per file, when given
    std::vector<int> minutes{};  ///< last-write minute per file, when given
  };
  using batch::OrderKey;
  const Row table[] = {
      {"a name freed by an earlier item is free again",
       {"/w/pic02.jpg", "/w/x.jpg"},
       {},
       "pic$$",
       {"pic02.jpg -> pic01.jpg", "x.jpg -> pic02.jpg"}},
      {"a number past a promised name and a name on disk",
       {"/w/a.txt", "/w/b.txt", "/w/same.txt", "/w/same(2).txt"},
       {"/w/a.txt", "/w/b.txt"},
       "same",
       {"a.txt -> same(1).txt", "b.txt -> same(3).txt"}},
      {"an item renamed before the name it frees is wanted",
       {"/w/Holiday 03.JPG", "/w/IMG_0001.JPG", "/w/IMG_0002.JPG"},
       {},
       "Holiday $$",
       {"Holiday 03.JPG -> Holiday 01.JPG", "IMG_0001.JPG -> Holiday 02.JPG", "IMG_0002.JPG -> Holiday 03.JPG"}},
      {"a name the first item gives up by being numbered is free for the next",
       {"/w/same.txt", "/w/z.txt"},
       {},
       " same",
       {"same.txt -> same(1).txt", "z.txt -> same.txt"}},
      {"a number an earlier item gives up is free again",
       {"/w/a.txt", "/w/b(1).txt", "/w/b.txt", "/w/c.txt"},
       {"/w/a.txt", "/w/b(1).txt", "/w/c.txt"},
       "b",
       {"a.txt -> b(2).txt", "b(1).txt -> b(3).txt", "c.txt -> b(1).txt"}},
      {"a path picked twice is one item, though another item takes its name",
       {"/w/a.txt", "/w/b.txt"},
       {"/w/a.txt", "/w/b.txt", "/w/a.txt"},
       " a",
       {"a.txt -> a(1).txt", "b.txt -> a.txt"}},
      {"coinciding names, the item that keeps its name holds it",
       {"/w/a.txt", "/w/b.txt", "/w/same.txt"},
       {},
       "same",
       {"a.txt -> same(1).txt", "b.txt -> same(2).txt"}},
      {"natural order numbers IMG_9 before IMG_10",
       {"/w/IMG_1.jpg", "/w/IMG_10.jpg", "/w/IMG_9.jpg", "/w/img_2.jpg"},
       {},
       "p$$",
       {"IMG_1.jpg -> p01.jpg", "img_2.jpg -> p02.jpg", "IMG_9.jpg -> p03.jpg", "IMG_10.jpg -> p04.jpg"},
       {OrderKey::Natural, false}},
      {"name descending reverses the folder order",
       {"/w/a.txt", "/w/b.txt", "/w/c.txt"},
       {},
       "n$",
       {"c.txt -> n1.txt", "b.txt -> n2.txt", "a.txt -> n3.txt"},
       {OrderKey::Name, true}},
      {"size, equal sizes keep the folder order",
       {"/w/a.txt", "/w/b.txt", "/w/c.txt"},
       {},
       "s$",
       {"c.txt -> s1.txt", "a.txt -> s2.txt", "b.txt -> s3.txt"},
       {OrderKey::Size, false},
       {5, 5, 1}},
      {"newest first",
       {"/w/a.txt", "/w/b.txt", "/w/c.txt"},
       {},
       "t$",
       {"b.txt -> t1.txt", "c.txt -> t2.txt", "a.txt -> t3.txt"},
       {OrderKey::Modified, true},
       {},
       {10, 30, 20}},
      {"a hand-picked list in natural order, descending",
       {"/w/x2.txt", "/w/x10.txt", "/w/x3.txt"},
       {"/w/x2.txt", "/w/x10.txt", "/w/x3.txt"},
       "y$",
       {"x10.txt -> y1.txt", "x3.txt -> y2.txt", "x2.txt -> y3.txt"},
       {OrderKey::Natural, true}},
  };
  for (const Row& row : table) {
    SCOPED_TRACE(row.name);
    platform::MemoryFileSystem fs;
    for (std::size_t i = 0; i < row.files.size(); ++i) {
      const auto size = static_cast<std::uint64_t>(row.sizes.empty() ? 0 : row.sizes[i]);
      fs.addFile(row.files[i], size, {2007, 5, 1, 12, row.minutes.empty() ? 0 : row.minutes[i], 0});
    }
    const batch::TargetSet target =
        row.picked.empty() ? batch::TargetSet{"/w", FolderScope::OneLayer, {}} : batch::TargetSet{"", FolderScope::OneLayer, row.picked};
    const auto preview = Outcome(fs, ChangeName(row.newName), target, RunMode::Preview, row.order);
    EXPECT_TRUE(fs.renameCalls().empty());
    const auto run = Outcome(fs, ChangeName(row.newName), target, RunMode::Rename, row.order);
    EXPECT_EQ(run, row.expected);
    EXPECT_EQ(preview, run);
  }
}

TEST(PreviewNumbering, NamesPromisedToEarlierRowsCompareAsTheSystemComparesNames) {
  // "ab.md" and "aB.md" are one name where the system ignores case: the run numbers the
  // second, so the preview must too; elsewhere they are two names.
  platform::MemoryFileSystem fs;
  fs.addFile("/c/ab.doc");
  fs.addFile("/c/aB.txt");
  engine::OperationRecord record;
  record.kind = engine::OperationKind::Extension;
  record.allExtensions = true;
  record.newExtension = ".md";
  const auto rows = Outcome(fs, record, {"/c", FolderScope::OneLayer, {}}, RunMode::Preview);
  if constexpr (platform::kNamesIgnoreCase) {
    EXPECT_EQ(rows, (std::vector<std::string>{"ab.doc -> ab.md", "aB.txt -> aB(1).md"}));
  } else {
    EXPECT_EQ(rows, (std::vector<std::string>{"ab.doc -> ab.md", "aB.txt -> aB.md"}));
  }
}

}  // namespace
}  // namespace velmora
