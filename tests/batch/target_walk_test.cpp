// SPDX-License-Identifier: GPL-3.0-or-later
// The walk: which items, in which order, and what the first-target check says.

#include <gtest/gtest.h>

#include "batch/target_walk.h"
#include "platform/memory_file_system.h"
#include "support/recording_messages.h"
#include "support/temp_tree.h"

#include <filesystem>

namespace velmora {
namespace {

using batch::FolderScope;
using engine::OperationKind;

std::vector<std::string> Paths(const batch::ItemList& items) {
  std::vector<std::string> paths;
  std::string buffer;
  for (std::size_t i = 0; i < items.size(); ++i) paths.push_back(items.path(i, buffer));
  return paths;
}

/// The lists of a walk, which must not depend on whether the walk sorts or orders on demand.
std::vector<std::vector<std::string>> WalkLists(platform::FileSystem& fs, const batch::TargetSet& target,
                                                const batch::NameFilter* filter = nullptr) {
  std::vector<std::vector<std::string>> lists, onDemand;
  batch::StopFlag stop;
  batch::Walk(
      fs, target, stop, [&](const batch::ItemList& items) { lists.push_back(Paths(items)); }, batch::WalkOrder::Sorted,
      filter);
  batch::Walk(
      fs, target, stop, [&](const batch::ItemList& items) { onDemand.push_back(Paths(items)); },
      batch::WalkOrder::OnDemand, filter);
  EXPECT_EQ(onDemand, lists);
  return lists;
}

class WalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.addFile("/Top/f1");
    fs.addFile("/Top/Mid/f2");
    fs.addFile("/Top/Mid/Low/f3");
    fs.addFile("/Top/page_FILES/inner.htm");
    fs.addFile("/Top/x.files/inner.htm");
    fs.addFile("/Top/B.txt");
  }
  platform::MemoryFileSystem fs;
};

TEST_F(WalkTest, EachScopeHandsOverItsItemsDeepestFirst) {
  struct Row {
    const char* name;
    FolderScope scope;
    std::vector<std::vector<std::string>> expected;
  };
  const Row rows[] = {
      {"one layer: files of the folder only", FolderScope::OneLayer, {{"/Top/B.txt", "/Top/f1"}}},
      {"all layers: inner folders first, webpage folders never entered",
       FolderScope::AllLayers,
       {{"/Top/Mid/Low/f3"}, {"/Top/Mid/f2"}, {"/Top/B.txt", "/Top/f1"}}},
      {"subfolders: Low renamed before Mid",
       FolderScope::SubfoldersOnly,
       {{}, {"/Top/Mid/Low"}, {"/Top/Mid"}}},
      {"this folder", FolderScope::ThisFolder, {{"/Top"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(WalkLists(fs, {"/Top", row.scope, {}}), row.expected);
  }
}

TEST_F(WalkTest, FiltersKeepTheirItemsAndEnterEveryFolder) {
  struct Row {
    const char* name;
    FolderScope scope;
    const char* include;
    const char* exclude;
    bool regex;
    std::vector<std::vector<std::string>> expected;
  };
  const Row rows[] = {
      {"glob in any case", FolderScope::OneLayer, "*.TXT", "", false, {{"/Top/B.txt"}}},
      {"several globs", FolderScope::OneLayer, "x;f?;", "", false, {{"/Top/f1"}}},
      {"exclude inside kept folders", FolderScope::AllLayers, "f*", "f2", false,
       {{"/Top/Mid/Low/f3"}, {}, {"/Top/f1"}}},
      {"subfolder names filtered, all entered", FolderScope::SubfoldersOnly, "l*", "", false,
       {{}, {"/Top/Mid/Low"}, {}}},
      {"the folder itself is not filtered", FolderScope::ThisFolder, "zz", "", false, {{"/Top"}}},
      {"pattern anywhere in the name", FolderScope::AllLayers, "[13]$", "", true, {{"/Top/Mid/Low/f3"}, {}, {"/Top/f1"}}},
      {"glob characters in a pattern", FolderScope::OneLayer, "", "^.\\.", true, {{"/Top/f1"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.regex && !engine::RegexAvailable()) continue;
    engine::OperationRecord record;
    record.includeFilter = row.include;
    record.excludeFilter = row.exclude;
    record.regex = row.regex;
    const auto filter = batch::NameFilter::For(record, platform::Utf8CodePage());
    ASSERT_TRUE(filter.has_value());
    EXPECT_EQ(WalkLists(fs, {"/Top", row.scope, {}}, &*filter), row.expected);
  }
  EXPECT_FALSE(batch::NameFilter::For(engine::OperationRecord{}, platform::Utf8CodePage()).has_value());
}

TEST(GlobMatches, WholeNameAnyCaseWholeCharacters) {
  struct Row {
    const char* glob;
    const char* name;
    bool matches;
  };
  const Row rows[] = {
      {"*.jpg", "IMG.JPG", true},   {"*.jpg", "a.jpg.txt", false}, {"*.jpg", ".jpg", true},
      {"a*b*c", "aXbYbZc", true},   {"a*b*c", "aXbYbZ", false},     {"?", "\xC3\xA9", true},
      {"??", "\xC3\xA9", false},   {"\xC3\xA9*", "\xC3\x89t\xC3\xA9", true}, {"", "", true},
      {"*", "", true},              {"a", "ab", false},             {"*a", "bbbb", false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(batch::GlobMatches(row.glob, row.name, platform::Utf8CodePage()), row.matches)
        << row.glob << " on " << row.name;
}

TEST_F(WalkTest, HandPickedListIsOneListAsGiven) {
  batch::TargetSet target{"", FolderScope::AllLayers, {"/Top/f1", "/Top/Mid/"}};
  EXPECT_EQ(WalkLists(fs, target), (std::vector<std::vector<std::string>>{{"/Top/f1", "/Top/Mid/"}}));
}

TEST_F(WalkTest, StopFlagEndsEveryOpenFolder) {
  fs.addFile("/Top/zz");  // listed after Mid: never reached
  fs.addFile("/Top/Mid/zz");
  batch::StopFlag stop;
  std::vector<std::vector<std::string>> lists;
  batch::Walk(fs, {"/Top", FolderScope::AllLayers, {}}, stop, [&](const batch::ItemList& items) {
    lists.push_back(Paths(items));
    stop.set();
  });
  // Low's list was handed over, then Mid and Top stopped reading entries.
  ASSERT_EQ(lists.size(), 3u);
  EXPECT_EQ(lists[0], std::vector<std::string>{"/Top/Mid/Low/f3"});
  EXPECT_EQ(lists[1], std::vector<std::string>{"/Top/Mid/f2"});
  EXPECT_EQ(lists[2], (std::vector<std::string>{"/Top/B.txt", "/Top/f1"}));
}

TEST_F(WalkTest, ListingRulesLeaveOutHiddenItemsAndTheProgramFolder) {
  fs.addFile("/Top/.git/config");
  fs.addFile("/Top/.h");
  fs.addFile("/Top/Mid/State/rollback.rbk");
  fs.addFile("/Top/Mid/Statements/s");
  fs.addFile("/Top/State/mine");  // the user's own folder of the program folder's name
  fs.setListingRules({false, "/Top/Mid/State/"});
  using Lists = std::vector<std::vector<std::string>>;
  const bool dotHides = platform::kLeadingDotHides;
  EXPECT_EQ(WalkLists(fs, {"/Top", FolderScope::SubfoldersOnly, {}}),
            (dotHides ? Lists{{}, {}, {"/Top/Mid/Low", "/Top/Mid/Statements"}, {}, {"/Top/Mid", "/Top/State"}}
                      : Lists{{}, {}, {}, {"/Top/Mid/Low", "/Top/Mid/Statements"}, {}, {"/Top/.git", "/Top/Mid", "/Top/State"}}));
  EXPECT_EQ(WalkLists(fs, {"/Top/Mid/State", FolderScope::OneLayer, {}}), Lists{{}});
  EXPECT_EQ(WalkLists(fs, {"/Top/Mid/Statements", FolderScope::OneLayer, {}}), Lists{{"/Top/Mid/Statements/s"}});
  EXPECT_EQ(WalkLists(fs, {"/Top/Mid/State", FolderScope::ThisFolder, {}}), Lists{{}});
  // Hand-picked items are taken as given, except the program's own files.
  EXPECT_EQ(WalkLists(fs, {"", FolderScope::OneLayer, {"/Top/.h", "/Top/Mid/State/rollback.rbk"}}),
            Lists{{"/Top/.h"}});
  EXPECT_EQ(batch::Probe(fs, "/Top").firstFile, dotHides ? "B.txt" : ".h");
  EXPECT_EQ(batch::Probe(fs, "/Top/Mid/State").fileCount, 0);
  fs.setListingRules({true, "/Top/Mid/State"});
  EXPECT_EQ(batch::Probe(fs, "/Top").firstFile, ".h");
  EXPECT_EQ(WalkLists(fs, {"/Top/.git", FolderScope::OneLayer, {}}), Lists{{"/Top/.git/config"}});
}

#ifndef _WIN32
TEST(WalkOnDisk, LinksAreItemsNeverEnteredAndTheProgramFolderIsKnownThroughOne) {
  testing::TempTree tree;
  tree.make({"t/a.txt", "t/sub/b.txt", "t/state/rollback.rbk", "outside/o.txt"});
  namespace fs = std::filesystem;
  const std::string t = fs::canonical(tree.path("t")).string();
  fs::create_directory_symlink(tree.path("outside"), t + "/link to folder");
  fs::create_symlink(tree.path("outside/o.txt"), t + "/link to file");
  fs::create_directory_symlink(t, t + "/sub/loop");
  platform::FileSystem& real = platform::RealFileSystem();
  struct Reset {
    ~Reset() { platform::RealFileSystem().setListingRules({}); }
  } reset;
  // The program folder named through a link inside the target: left out all the same.
  real.setListingRules({false, t + "/sub/loop/state"});
  using Lists = std::vector<std::vector<std::string>>;
  EXPECT_EQ(WalkLists(real, {t, FolderScope::AllLayers, {}}),
            (Lists{{t + "/sub/b.txt", t + "/sub/loop"}, {t + "/a.txt", t + "/link to file", t + "/link to folder"}}));
  // A link to a folder is no subfolder.
  EXPECT_EQ(WalkLists(real, {t, FolderScope::SubfoldersOnly, {}}), (Lists{{}, {t + "/sub"}}));
}
#endif

TEST(FolderOrderOnDemand, HandsOutTheSortedOrderWhateverIsAskedFirst) {
  // A shuffled listing of names that differ in case only in pairs, large enough that the
  // rest is sorted at once after the first entries are taken one by one.
  auto listing = std::make_shared<std::vector<platform::DirEntry>>();
  for (int i = 0; i < 1500; ++i)
    listing->push_back({(i % 3 ? "IMG_" : "img_") + std::to_string((i * 7919) % 750) + (i < 750 ? ".JPG" : ".jpg")});
  std::vector<std::uint32_t> kept;
  for (std::uint32_t i = 0; i < listing->size(); ++i)
    if (i % 4) kept.push_back(i);
  std::vector<platform::DirEntry> expected;
  for (std::uint32_t i : kept) expected.push_back((*listing)[i]);
  platform::SortInFolderOrder(expected);
  const std::vector<std::vector<std::size_t>> readings = {{0, 1, 2}, {5, 0}, {700, 3}, {1010, 0, 1009}};
  for (const auto& reading : readings) {
    const batch::FolderOrderOnDemand order(listing, kept);
    ASSERT_EQ(order.size(), expected.size());
    for (std::size_t i : reading) EXPECT_EQ(order[i].name, expected[i].name) << i;
    for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(order[i].name, expected[i].name) << i;
  }
}

TEST(WebpageFolders, SuffixesInAnyCase) {
  EXPECT_TRUE(batch::IsWebpageFolder("x.files"));
  EXPECT_TRUE(batch::IsWebpageFolder("page_FILES"));
  EXPECT_TRUE(batch::IsWebpageFolder("A.Files"));
  EXPECT_FALSE(batch::IsWebpageFolder("files"));
  EXPECT_FALSE(batch::IsWebpageFolder("x-files"));
  EXPECT_FALSE(batch::IsWebpageFolder("x.files.bak"));
}

TEST(Probe, CountsFilesUpToThirtyAndFindsFirstFolder) {
  platform::MemoryFileSystem fs;
  for (int i = 0; i < 40; ++i) fs.addFile("/d/f" + std::to_string(100 + i));
  fs.addFolder("/d/zz");
  fs.addFolder("/d/a.files");
  auto probe = batch::Probe(fs, "/d");
  EXPECT_EQ(probe.fileCount, 30);
  EXPECT_EQ(probe.firstFile, "f100");
  EXPECT_EQ(probe.firstFolder, "a.files");  // the probe still sees webpage folders
}

TEST(Probe, FindsASubfolderListedAfterThirtyFiles) {
  platform::MemoryFileSystem fs;
  for (int i = 0; i < 40; ++i) fs.addFile("/d/f" + std::to_string(100 + i));
  fs.addFolder("/d/zz");
  testing::RecordingMessages messages;
  EXPECT_EQ(batch::FirstTargetItem(fs, {"/d", FolderScope::SubfoldersOnly, {}}, OperationKind::Replace, messages),
            "zz");
  EXPECT_TRUE(messages.shown.empty());
}

TEST(FirstTargetItem, MessagesPerScope) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/empty");
  fs.addFolder("/onlydirs/sub");
  fs.addFile("/files/a.txt");
  struct Row {
    const char* name;
    std::string folder;
    FolderScope scope;
    OperationKind kind;
    std::string answer;
    std::vector<std::string> messages;
  };
  const Row rows[] = {
      {"no file", "/empty", FolderScope::OneLayer, OperationKind::Replace, "", {"There is no file(one layer) now!"}},
      {"listing of a folder without anything", "/empty", FolderScope::OneLayer, OperationKind::ListFolder, "",
       {"There is no file and subfolder now!"}},
      {"listing falls back to the first folder", "/onlydirs", FolderScope::OneLayer, OperationKind::ListFolder,
       "sub", {}},
      {"all layers: first-layer message, then the subfolder passes", "/onlydirs", FolderScope::AllLayers,
       OperationKind::Replace, "sub", {"There is no file(one layer) now!"}},
      {"all layers without anything", "/empty", FolderScope::AllLayers, OperationKind::Replace, "",
       {"There is no file(one layer) now!", "There is no subfolder now!"}},
      {"subfolders", "/files", FolderScope::SubfoldersOnly, OperationKind::Replace, "",
       {"There is no subfolder now!"}},
      {"this folder", "/files", FolderScope::ThisFolder, OperationKind::Replace, "files", {}},
      {"this folder gone", "/gone", FolderScope::ThisFolder, OperationKind::Replace, "",
       {"The targeted folder had been modified or deleted!"}},
      {"a file", "/files", FolderScope::OneLayer, OperationKind::Extension, "a.txt", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::RecordingMessages messages;
    EXPECT_EQ(batch::FirstTargetItem(fs, {row.folder, row.scope, {}}, row.kind, messages), row.answer);
    EXPECT_EQ(messages.texts(), row.messages);
  }
}

}  // namespace
}  // namespace velmora
