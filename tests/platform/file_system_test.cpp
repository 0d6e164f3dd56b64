// SPDX-License-Identifier: GPL-3.0-or-later
// The same behaviour from the real and the in-memory file system: folder order, no-replace
// renames, atomic writes and the journal's lock.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/file_system.h"
#include "platform/memory_file_system.h"
#include "platform/rename_faults.h"
#include "platform/snapshot_file_system.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using platform::EntryKind;
using platform::FileSystem;
using platform::RenameStatus;

class Fixture {
 public:
  virtual ~Fixture() = default;
  virtual FileSystem& fs() = 0;
  virtual std::string root() = 0;
  virtual void makeFile(const std::string& rel) = 0;
  virtual void makeFolder(const std::string& rel) = 0;
  std::string at(const std::string& rel) { return root() + "/" + rel; }
};

class RealFixture final : public Fixture {
 public:
  FileSystem& fs() override { return platform::RealFileSystem(); }
  std::string root() override { return tree.root(); }
  void makeFile(const std::string& rel) override { tree.writeFile(rel, "x"); }
  void makeFolder(const std::string& rel) override { tree.make({rel + "/"}); }
  testing::TempTree tree;
};

class MemoryFixture final : public Fixture {
 public:
  FileSystem& fs() override { return memory; }
  std::string root() override { return "/m"; }
  void makeFile(const std::string& rel) override { memory.addFile(at(rel), 1); }
  void makeFolder(const std::string& rel) override { memory.addFolder(at(rel)); }
  MemoryFixture() { memory.addFolder("/m"); }
  platform::MemoryFileSystem memory;
};

class FileSystemTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam())
      fixture = std::make_unique<RealFixture>();
    else
      fixture = std::make_unique<MemoryFixture>();
  }
  std::unique_ptr<Fixture> fixture;
};

TEST_P(FileSystemTest, ListsEveryEntryByNameIgnoringCase) {
  for (const char* f : {"b.txt", "A.txt", "_x", ".hidden", "a2.txt", "C"}) fixture->makeFile(f);
  fixture->makeFolder("B sub");
  const auto names = [&] {
    auto entries = fixture->fs().listFolder(fixture->root());
    EXPECT_TRUE(entries.has_value());
    std::vector<std::string> out;
    for (const auto& e : entries.value_or(std::vector<platform::DirEntry>{}))
      out.push_back(e.name + (e.isDirectory ? "/" : ""));
    return out;
  };
  // Hidden entries only when asked for (Windows lists them always).
  if (platform::kLeadingDotHides) {
    EXPECT_EQ(names(), (std::vector<std::string>{"A.txt", "a2.txt", "B sub/", "b.txt", "C", "_x"}));
  }
  fixture->fs().setListingRules({true, ""});
  // Upper-cased ordinal order: '.' < digits < letters < '_' ('_' sorts after 'Z').
  EXPECT_EQ(names(), (std::vector<std::string>{".hidden", "A.txt", "a2.txt", "B sub/", "b.txt", "C", "_x"}));
  fixture->fs().setListingRules({});
}

TEST_P(FileSystemTest, UnreadableFolderGivesNothing) {
  EXPECT_FALSE(fixture->fs().listFolder(fixture->at("missing")).has_value());
}

TEST_P(FileSystemTest, RenameNeverReplacesAnExistingEntry) {
  auto& fs = fixture->fs();
  fixture->makeFile("a.txt");
  fixture->makeFile("b.txt");
  fixture->makeFolder("dir");
  EXPECT_EQ(fs.rename(fixture->at("a.txt"), fixture->at("b.txt")), RenameStatus::TargetExists);
  EXPECT_EQ(fs.rename(fixture->at("a.txt"), fixture->at("dir")), RenameStatus::TargetExists);
  EXPECT_EQ(fs.kind(fixture->at("a.txt")), EntryKind::File);
  EXPECT_EQ(fs.rename(fixture->at("a.txt"), fixture->at("c.txt")), RenameStatus::Renamed);
  EXPECT_EQ(fs.kind(fixture->at("a.txt")), EntryKind::Missing);
  EXPECT_EQ(fs.kind(fixture->at("c.txt")), EntryKind::File);
  EXPECT_EQ(fs.rename(fixture->at("gone"), fixture->at("d")), RenameStatus::Failed);
}

TEST_P(FileSystemTest, RenamingAFolderMovesItsContents) {
  auto& fs = fixture->fs();
  fixture->makeFile("top/inner/f.txt");
  EXPECT_EQ(fs.rename(fixture->at("top"), fixture->at("new")), RenameStatus::Renamed);
  EXPECT_EQ(fs.kind(fixture->at("new/inner/f.txt")), EntryKind::File);
  EXPECT_EQ(fs.kind(fixture->at("top")), EntryKind::Missing);
}

TEST_P(FileSystemTest, AtomicWriteReplacesReadOnlyFileAndRemoveClearsIt) {
  auto& fs = fixture->fs();
  const std::string log = fixture->at("log.rbk");
  ASSERT_TRUE(fs.writeFileAtomic(log, "one\r\n", true));
  ASSERT_TRUE(fs.writeFileAtomic(log, "two\r\n", true));
  EXPECT_EQ(fs.readFile(log), std::optional<std::string>("two\r\n"));
  auto entries = fs.listFolder(fixture->root());
  ASSERT_EQ(entries->size(), 1u);  // no temporary file left behind
  EXPECT_TRUE(fs.removeFile(log));
  EXPECT_FALSE(fs.exists(log));
}

TEST_P(FileSystemTest, AppendLogIsExclusive) {
  auto& fs = fixture->fs();
  const std::string path = fixture->at("journal");
  auto first = fs.openLockedAppend(path);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(fs.openLockedAppend(path), nullptr);
  EXPECT_FALSE(fs.isUnlocked(path));
  EXPECT_TRUE(first->append("a\r\n"));
  EXPECT_TRUE(first->append("b\r\n"));
  first.reset();
  EXPECT_TRUE(fs.isUnlocked(path));
  EXPECT_EQ(fs.readFile(path), std::optional<std::string>("a\r\nb\r\n"));
}

TEST_P(FileSystemTest, AppendLogDropsAWithdrawnRecordAndIsSealedInPlace) {
  auto& fs = fixture->fs();
  const std::string path = fixture->at("journal"), log = fixture->at("log");
  ASSERT_TRUE(fs.writeFileAtomic(log, "old\r\n", true));
  auto journal = fs.openLockedAppend(path);
  ASSERT_NE(journal, nullptr);
  const std::string big(3u << 20, 'x');  // beyond one reserved step of the real journal
  ASSERT_TRUE(journal->append("a\r\n"));
  // Small records across the first, smaller reserved steps; the run withdraws back into an
  // earlier one.
  std::string kept = "a\r\n";
  for (int i = 0; i < 3000; ++i) {
    const std::string record = "record " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(journal->append(record));
    if (i < 100) kept += record;
  }
  ASSERT_TRUE(journal->append(big));
  ASSERT_TRUE(journal->truncateTo(kept.size()));
  ASSERT_TRUE(journal->append("b\r\n"));
  if (!journal->sealAs(log)) GTEST_SKIP() << "this file system does not seal";
  journal.reset();
  EXPECT_EQ(fs.readFile(log), std::optional<std::string>(kept + "b\r\n"));
  EXPECT_FALSE(fs.exists(path));
}

INSTANTIATE_TEST_SUITE_P(RealAndMemory, FileSystemTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Real" : "Memory"; });

TEST(EntryStatus, NamesOfOneFileAreToldApartFromLookAlikes) {
  using Kind = platform::EntryStatus::Kind;
  const platform::EntryStatus file{Kind::RegularFile, 5, 1, 7, 2, 100, 200};
  struct Row {
    platform::EntryStatus other;
    bool same;
  };
  const Row rows[] = {
      {file, true},
      {{Kind::RegularFile, 5, 1, 9, 2, 100, 200}, true},   // numbered per name, times agree
      {{Kind::RegularFile, 5, 1, 9, 2, 100, 201}, false},  // another change time
      {{Kind::RegularFile, 5, 1, 9, 1, 100, 200}, false},  // one name only
      {{Kind::RegularFile, 6, 1, 9, 2, 100, 200}, false},  // another size
      {{Kind::RegularFile, 5, 2, 7, 2, 100, 200}, true},   // times agree (another device number)
      {{Kind::Directory, 0, 1, 7, 2, 100, 200}, false},
  };
  for (const Row& row : rows) EXPECT_EQ(file.sameFileAs(row.other), row.same);
  platform::EntryStatus unknown{Kind::RegularFile, 5, 0, 0, 2, 0, 0};
  EXPECT_FALSE(unknown.sameFileAs(unknown));  // nothing known of either: never the same
}

TEST(RealFileSystem, AtomicWriteLeavesTheFileReadOnly) {
  testing::TempTree tree;
  const std::string log = tree.path("rollback.rbk");
  ASSERT_TRUE(platform::RealFileSystem().writeFileAtomic(log, "x\r\n", true));
  struct stat st;
  ASSERT_EQ(::stat(log.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0222, 0u);
}

#ifndef _WIN32  // Windows names cannot hold "\\", ":", "?" or "*"
TEST(RealFileSystem, NamesAreArbitraryBytes) {
  testing::TempTree tree;
  const std::string odd = std::string("caf\xc3\xa9 \x01\xff?%*") + "\\:";
  tree.writeFile(odd, "x");
  auto& fs = platform::RealFileSystem();
  auto entries = fs.listFolder(tree.root());
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ(entries->front().name, odd);
  EXPECT_EQ(fs.rename(tree.path(odd), tree.path(odd + "\xfe")), RenameStatus::Renamed);
  EXPECT_TRUE(tree.exists(odd + "\xfe"));
}
#endif

TEST(PathHelpers, FolderOrderWhateverOrderTheListingCameIn) {
  std::vector<platform::DirEntry> sorted;
  for (int i = 0; i < 40; ++i) sorted.push_back({(i % 3 ? "b" : "B") + std::to_string(100 + i * 7 % 40)});
  platform::SortInFolderOrder(sorted);
  const auto names = [](const std::vector<platform::DirEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries) out.push_back(e.name);
    return out;
  };
  auto reversed = sorted;
  std::reverse(reversed.begin(), reversed.end());
  auto nearlyReversed = reversed;
  std::swap(nearlyReversed[10], nearlyReversed[11]);
  for (auto listing : {sorted, reversed, nearlyReversed}) {
    platform::SortInFolderOrder(listing);
    EXPECT_EQ(names(listing), names(sorted));
  }
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
    return platform::FolderOrderLess(a.name, b.name);
  }));
}

TEST(PathHelpers, JoinLastComponentAndRoot) {
  EXPECT_EQ(platform::JoinPath("/a", "b"), "/a/b");
  EXPECT_EQ(platform::JoinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(platform::LastComponent("/a/b/"), "b");
  EXPECT_EQ(platform::LastComponent("/a/b"), "b");
  EXPECT_TRUE(platform::IsRootPath("/"));
  EXPECT_FALSE(platform::IsRootPath("/a"));
}

#ifndef _WIN32
TEST(PathHelpers, NormalPathIsAbsoluteWithoutDotsOrDoubledSeparators) {
  const struct {
    const char *path, *expected;
  } rows[] = {
      {".", "/home/me"},           {"..", "/home"},          {"sub/", "/home/me/sub"},
      {"./a//b/./c", "/home/me/a/b/c"}, {"../../../..", "/"}, {"/x/../y/", "/y"},
      {"//x///y", "/x/y"},         {"a/..", "/home/me"},     {"/", "/"},
      {"..a/.b", "/home/me/..a/.b"},
  };
  for (const auto& row : rows) EXPECT_EQ(platform::NormalPath(row.path, "/home/me"), row.expected) << row.path;
}
#endif

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(SnapshotFileSystem, AFolderKeepsItsDateThroughTheRenamesInIt) {
  // Renaming the entries of a folder sets its time to now on the disk; the run still names
  // the folder by the date it had, as the preview did.
  testing::TempTree tree;
  tree.make({"d/s/a.txt", "d/s/b.txt"});
  tree.setModified("d/s", 1000000000);
  platform::SnapshotFileSystem fs(platform::RealFileSystem());
  const auto before = fs.entryInfo(tree.path("d/s"));
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(fs.openFolder(tree.path("d/s"))->rename("a.txt", "c.txt"), platform::RenameStatus::Renamed);
  EXPECT_EQ(fs.rename(tree.path("d/s/b.txt"), tree.path("d/s/e.txt")), platform::RenameStatus::Renamed);
  EXPECT_EQ(fs.entryInfo(tree.path("d/s"))->lastWriteTime, before->lastWriteTime);
  // The folder itself moved: its new path holds what the disk says.
  EXPECT_EQ(fs.rename(tree.path("d/s"), tree.path("d/t")), platform::RenameStatus::Renamed);
  EXPECT_FALSE(fs.entryInfo(tree.path("d/s")).has_value());
}

TEST(SnapshotFileSystem, ReadsAFolderOnceUntilSomethingChanges) {
  platform::MemoryFileSystem memory;
  memory.addFile("/d/a");
  platform::SnapshotFileSystem fs(memory);
  ASSERT_EQ(fs.listFolder("/d")->size(), 1u);
  memory.addFile("/d/b");  // changed behind its back: the saved listing stands
  EXPECT_EQ(fs.listFolder("/d")->size(), 1u);
  EXPECT_EQ(fs.rename("/d/a", "/d/c"), platform::RenameStatus::Renamed);
  auto after = fs.listFolder("/d");  // its own change drops what it saved
  ASSERT_EQ(after->size(), 2u);
  EXPECT_EQ((*after)[0].name, "b");
  EXPECT_EQ((*after)[1].name, "c");
  EXPECT_FALSE(fs.listFolder("/missing").has_value());

  // A change beside it keeps the listing; a rename in the open folder, or of a folder
  // above a listed one, drops it.
  memory.addFolder("/d/s");
  memory.addFile("/d/s/x");
  ASSERT_EQ(fs.listFolder("/d/s")->size(), 1u);
  memory.addFile("/d/s/y");
  ASSERT_TRUE(fs.makeFolders("/d/state"));
  ASSERT_TRUE(fs.writeFileAtomic("/d/state/Newname.txt", "a", false));
  EXPECT_EQ(fs.listFolder("/d")->size(), 4u);  // b, c, s, state
  EXPECT_EQ(fs.listFolder("/d/s")->size(), 1u);
  auto folder = fs.openFolder("/d/s");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(fs.listFolder("/d/s")->size(), 2u);
  EXPECT_EQ(folder->rename("x", "z"), platform::RenameStatus::Renamed);
  EXPECT_EQ(fs.listFolder("/d/s")->back().name, "z");
  EXPECT_EQ(folder->rename("z", "v"), platform::RenameStatus::Renamed);
  EXPECT_EQ(folder->rename("y", "u"), platform::RenameStatus::Renamed);  // nothing saved here now
  EXPECT_EQ(fs.listFolder("/d/s")->front().name, "u");  // saved anew...
  EXPECT_EQ(folder->rename("u", "q"), platform::RenameStatus::Renamed);  // ...and dropped again
  EXPECT_EQ(fs.listFolder("/d/s")->front().name, "q");
  memory.addFile("/d/s/w");
  EXPECT_EQ(fs.rename("/d/s", "/d/t"), platform::RenameStatus::Renamed);
  EXPECT_FALSE(fs.listFolder("/d/s").has_value());
  EXPECT_EQ(fs.listFolder("/d")->back().name, "t");

  // A folder asked for with a separator at the end is the same folder.
  memory.addFile("/e/a");
  ASSERT_EQ(fs.listFolder("/e/")->front().name, "a");
  auto same = fs.openFolder("/e");
  ASSERT_NE(same, nullptr);
  EXPECT_EQ(same->rename("a", "b"), platform::RenameStatus::Renamed);
  EXPECT_EQ(fs.listFolder("/e/")->front().name, "b");
}

TEST(SnapshotFileSystem, ListsAsTheFileSystemItWraps) {
  // The desktop program wraps its file system for one run: the program folder and hidden
  // entries stay out of that run as they do out of its other listings.
  platform::MemoryFileSystem memory;
  memory.addFile("/d/state/rollback.rbk");
  memory.addFile("/d/.h");
  memory.addFile("/d/a");
  memory.setListingRules({true, "/d/state"});
  platform::SnapshotFileSystem fs(memory);
  const auto entries = fs.listFolder("/d");
  ASSERT_TRUE(entries.has_value());
  EXPECT_EQ(entries->size(), 2u);  // .h and a; the program folder left out
  EXPECT_TRUE(fs.inProgramFolder("/d/state/rollback.rbk"));
  EXPECT_TRUE(fs.includesHidden());
}

#ifndef _WIN32
TEST(PosixFallbackRename, ReservesTheNameFirstSoAPlantedFileIsNeverReplaced) {
  // A file system without RENAME_NOREPLACE that refuses hard links too.
  platform::RenameFaults faults;
  faults.noReplaceUnsupported = true;
  faults.linkError = EPERM;
  faults.beforeClaim = [](const std::string& to) { std::ofstream(to) << "planted"; };
  struct Reset {
    ~Reset() { platform::SetRenameFaults(nullptr); }
  } reset;
  platform::SetRenameFaults(&faults);
  testing::TempTree tree;
  FileSystem& fs = platform::RealFileSystem();
  for (int i = 0; i < 7; ++i) {
    const std::string n = std::to_string(i);
    tree.writeFile("src" + n, "mine");
    // By path, and by name in the open folder.
    const auto status = i % 2 ? fs.openFolder(tree.root())->rename("src" + n, "dst" + n)
                              : fs.rename(tree.path("src" + n), tree.path("dst" + n));
    EXPECT_EQ(status, RenameStatus::TargetExists);
    EXPECT_EQ(tree.readFile("dst" + n), "planted");
    EXPECT_EQ(tree.readFile("src" + n), "mine");
  }
  // Nobody planting: files and folders are renamed over their own reservation, and an
  // existing entry is still never replaced.
  faults.beforeClaim = nullptr;
  tree.make({"folder/inner.txt"});
  EXPECT_EQ(fs.rename(tree.path("src0"), tree.path("moved")), RenameStatus::Renamed);
  EXPECT_EQ(tree.readFile("moved"), "mine");
  EXPECT_EQ(fs.rename(tree.path("folder"), tree.path("moved folder")), RenameStatus::Renamed);
  EXPECT_TRUE(tree.exists("moved folder/inner.txt"));
  EXPECT_EQ(fs.rename(tree.path("moved"), tree.path("dst1")), RenameStatus::TargetExists);
  EXPECT_EQ(tree.readFile("dst1"), "planted");
  // The item moved away by someone else while its new name is reserved: the rename fails
  // and the empty reservation goes again, for a file as for a folder.
  std::string source;
  faults.beforeClaim = [&source](const std::string&) { std::filesystem::remove_all(source); };
  for (const std::string item : {"vanishing", "vanishing folder"}) {
    SCOPED_TRACE(item);
    tree.make({item == "vanishing" ? item : item + "/"});
    source = tree.path(item);
    EXPECT_EQ(fs.rename(source, tree.path("reserved")), RenameStatus::Failed);
    EXPECT_FALSE(tree.exists("reserved"));
  }
}
#endif

}  // namespace
}  // namespace velmora
