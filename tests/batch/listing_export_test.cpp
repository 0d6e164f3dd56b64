// SPDX-License-Identifier: GPL-3.0-or-later
// The listing export: the exact lines of each content, the type filter, the size and
// time parts, the output name and the fallback file.

#include <gtest/gtest.h>

#include "batch/listing_export.h"
#include "batch/rollback_log.h"
#include "platform/memory_file_system.h"
#include "support/recording_messages.h"

namespace velmora {
namespace {

using batch::ListingContent;
using batch::ListingSettings;
using Lines = std::vector<std::string>;

constexpr const char* kStamp = "[5/1/2007 9:05:00 AM]";

class ListingTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.addFile("/w/a.txt", 1536, {2007, 5, 1, 9, 5, 0});
    fs.addFile("/w/B.doc", 500, {2023, 12, 31, 23, 59, 0});
    fs.addFile("/w/sub/b.txt");
    fs.addFile("/w/sub/deep/c.txt");
    fs.addFolder("/w/Zed");
    fs.addFile("/w/page_files/x.htm");
  }

  Lines collect(const ListingSettings& settings) {
    batch::ListingRequest request;
    request.kind = engine::OperationKind::ListFolder;
    request.target.folder = "/w";
    request.settings = settings;
    request.stampLine = kStamp;
    batch::NoHooks hooks;
    batch::StopFlag stop;
    return batch::CollectListingLines(fs, request, hooks, stop);
  }

  platform::MemoryFileSystem fs;
};

TEST_F(ListingTreeTest, EachContentGivesItsLines) {
  struct Row {
    const char* name;
    ListingContent content;
    bool webpage;
    Lines expected;
    batch::ItemOrder order{};
  };
  const Row rows[] = {
      {"all layers: subtrees before the folder's files, webpage folder left out",
       ListingContent::AllLayers,
       false,
       {"Files name(ALL layers) in folder, /w", kStamp, "  <sub>", "    <deep>", "      c.txt", "    b.txt",
        "  <Zed>", "  a.txt", "  B.doc"}},
      {"all layers with webpage folders: listed and entered",
       ListingContent::AllLayers,
       true,
       {"Files name(ALL layers) in folder, /w", kStamp, "  <page_files>", "    x.htm", "  <sub>", "    <deep>",
        "      c.txt", "    b.txt", "  <Zed>", "  a.txt", "  B.doc"}},
      {"one layer: subfolders not entered, webpage folder never listed",
       ListingContent::SubfoldersAndFiles,
       true,
       {"Files name(ONE layer) in folder, /w", kStamp, "  <sub>", "  <Zed>", "  a.txt", "  B.doc"}},
      {"only subfolders: the whole folder tree without a file",
       ListingContent::OnlySubfolders,
       true,
       {"All subfolders name in folder, /w", kStamp, "  <sub>", "    <deep>", "  <Zed>"}},
      {"by size: folders count as empty, the smaller file first",
       ListingContent::SubfoldersAndFiles,
       false,
       {"Files name(ONE layer) in folder, /w", kStamp, "  <sub>", "  <Zed>", "  B.doc", "  a.txt"},
       {batch::OrderKey::Size, false}},
      {"name descending, in every folder of the tree",
       ListingContent::OnlySubfolders,
       false,
       {"All subfolders name in folder, /w", kStamp, "  <Zed>", "  <sub>", "    <deep>"},
       {batch::OrderKey::Name, true}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ListingSettings settings;
    settings.content = row.content;
    settings.includeWebpageFolders = row.webpage;
    settings.order = row.order;
    EXPECT_EQ(collect(settings), row.expected);
  }
}

TEST_F(ListingTreeTest, SizeAndTimeFollowTheFileName) {
  ListingSettings settings;
  settings.fileSize = true;
  settings.fileTime = true;
  EXPECT_EQ(collect(settings), (Lines{"Files name(ONE layer) in folder, /w", kStamp, "  <sub>", "  <Zed>",
                                      "  a.txt  1.5KB  20070501 9:05", "  B.doc  500Byte  20231231 23:59"}));
  settings.fileTime = false;
  EXPECT_EQ(collect(settings).back(), "  B.doc  500Byte");
}

TEST_F(ListingTreeTest, SpecialTypesFilterEveryLevel) {
  ListingSettings settings;
  settings.content = ListingContent::AllLayers;
  settings.specialTypes = true;
  settings.document = true;  // doc,txt,...
  fs.addFile("/w/sub/song.mp3");
  EXPECT_EQ(collect(settings), (Lines{"Files name(ALL layers) in folder, /w", kStamp, "  <sub>", "    <deep>",
                                      "      c.txt", "    b.txt", "  <Zed>", "  a.txt", "  B.doc"}));
  settings.document = false;
  settings.music = true;
  EXPECT_EQ(collect(settings), (Lines{"Files name(ALL layers) in folder, /w", kStamp, "  <sub>", "    <deep>",
                                      "    song.mp3", "  <Zed>"}));
}

TEST_F(ListingTreeTest, StopEndsTheWalkAndKeepsWhatWasGathered) {
  // Stops after the third entry read: the top folder's folder pass has read a.txt, B.doc
  // and page_files, so nothing but the header is listed and the file pass reads nothing.
  class StopAfter final : public batch::RunHooks {
   public:
    explicit StopAfter(batch::StopFlag& stop) : stop_(stop) {}
    void processEvents() override {
      if (++events == 3) stop_.set();
    }
    int events = 0;

   private:
    batch::StopFlag& stop_;
  };
  fs.addFolder("/out");
  batch::ListingRequest request;
  request.kind = engine::OperationKind::ListFolder;
  request.target.folder = "/w";
  request.settings.content = ListingContent::AllLayers;
  request.chosenPath = "/out/list.txt";
  request.stampLine = kStamp;
  batch::StopFlag stop;
  StopAfter hooks(stop);
  testing::RecordingMessages messages;
  batch::RunOptions options;
  const auto outcome = batch::ExportListing(fs, request, options, messages, hooks, stop);
  EXPECT_TRUE(outcome.stopped);
  EXPECT_FALSE(stop.isSet());
  EXPECT_EQ(hooks.events, 3);
  EXPECT_TRUE(outcome.openFile);
  EXPECT_EQ(fs.node("/out/list.txt")->content,
            std::string("Files name(ALL layers) in folder, /w\r\n") + kStamp + "\r\n");
}

TEST(ListingProgress, TheBarWrapsAtItsMaximum) {
  class Counting final : public batch::RunHooks {
   public:
    void progressStart(int maximum) override { starts.push_back(maximum); }
    void progressItem(std::string_view, std::string_view, int step) override { steps += step; }
    std::vector<int> starts;
    int steps = 0;
  };
  platform::MemoryFileSystem fs;
  for (int i = 0; i < 301; ++i) fs.addFile("/w/f" + std::to_string(i));
  batch::ListingRequest request;
  request.target.folder = "/w";
  request.stampLine = kStamp;
  Counting hooks;
  batch::StopFlag stop;
  const Lines lines = batch::CollectListingLines(fs, request, hooks, stop);
  EXPECT_EQ(lines.size(), 303u);
  EXPECT_EQ(hooks.steps, 602);  // every entry is read once per pass
  EXPECT_EQ(hooks.starts, (std::vector<int>{600, 600}));
}

TEST(ListingSizePart, UnitsAndRoundingHalfToEven) {
  struct Row {
    std::uint64_t size;
    const char* expected;
  };
  const Row rows[] = {
      {0, "  0Byte"},
      {500, "  500Byte"},
      {1023, "  1023Byte"},
      {1024, "  1KB"},
      {1536, "  1.5KB"},
      {1280, "  1.2KB"},  // 1.25 -> 1.2
      {1792, "  1.8KB"},  // 1.75 -> 1.8
      {12288, "  12KB"},  // 12.0 prints as 12
      {1047552, "  1023KB"},
      {1047553, "  1MB"},  // just over 1023 KB counts in MB
      {1048576, "  1MB"},
      {1310720, "  1.2MB"},  // 1.25 -> 1.2
      {1073740800, "  1024MB"},
      {1073740801, "  1GB"},
      {1073742848, "  1GB"},
      {1207959552, "  1.12GB"},  // 1.125 -> 1.12
      {1476395008, "  1.38GB"},  // 1.375 -> 1.38
      {3221225472ull, "  3GB"},
      {5ull << 40, "  5120GB"},
  };
  for (const Row& row : rows) EXPECT_EQ(batch::SizePart(row.size), row.expected) << row.size;
  EXPECT_EQ(batch::SizePart(1536, ','), "  1,5KB");
}

TEST(ListingTimePart, DateAndHourWithoutLeadingZero) {
  EXPECT_EQ(batch::TimePart({2007, 5, 1, 9, 5, 30}), "  20070501 9:05");
  EXPECT_EQ(batch::TimePart({2023, 12, 31, 23, 59, 0}), "  20231231 23:59");
  EXPECT_EQ(batch::TimePart({2024, 1, 2, 0, 0, 0}), "  20240102 0:00");
}

TEST(ListingTypeFilter, KeysFromTheLowerCaseExtension) {
  struct Row {
    const char* name;
    const char* file;
    bool picture, music, other;
    const char* otherText;
    bool expected;
  };
  const Row rows[] = {
      {"upper-case extension passes Picture", "PHOTO.JPG", true, false, false, "", true},
      {"Music does not take a picture", "PHOTO.JPG", false, true, false, "", false},
      {"a name that merely contains a listed type", "jpg.notes", true, false, false, "", false},
      {"partial type is not a match", "clip.mp", false, true, false, "", false},
      {"Other in lower case matches an upper-case extension", "PHOTO.JPG", false, false, true, "raw,jpg", true},
      {"Other in upper case does not match the lower-case key", "PHOTO.JPG", false, false, true, "JPG", false},
      {"Other naming the extension with its dot as written", "PHOTO.JPG", false, false, true, "raw,.JPG", true},
      {"Other with the dot but another case", "PHOTO.JPG", false, false, true, ".jpg", false},
      {"Other checked but empty is ignored", "PHOTO.JPG", false, false, true, "", false},
      {"Other text unused when Other is unchecked", "notes.raw", false, false, false, "raw", false},
      {"no extension, no empty item", "README", false, false, true, "txt,doc", false},
      {"no extension, two commas in a row", "README", false, false, true, "txt,,doc", true},
      {"no extension, comma at the start", "README", false, false, true, ",txt", true},
      {"no extension, comma at the end", "README", false, false, true, "txt,", true},
      {"no extension never passes a box", "README", true, true, false, "", false},
      {"hidden file: its whole name is the extension", ".profile", false, false, true, "profile", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ListingSettings s;
    s.specialTypes = true;
    s.picture = row.picture;
    s.music = row.music;
    s.other = row.other;
    s.otherText = row.otherText;
    EXPECT_EQ(batch::PassesTypeFilter(s, row.file), row.expected);
  }
  EXPECT_TRUE(batch::PassesTypeFilter(ListingSettings{}, "README")) << "All  types lists everything";
}

TEST(ListingHandPicked, GroupedByFolderWithFoldersInAngleBrackets) {
  platform::MemoryFileSystem fs;
  fs.addFile("/a/one.txt");
  fs.addFile("/a/two.txt");
  fs.addFolder("/a/Sub");
  fs.addFile("/b/three.txt");
  batch::ListingRequest request;
  request.kind = engine::OperationKind::ListPicked;
  request.target.picked = {"/a/one.txt", "/a/Sub/", "/b/three.txt", "/a/two.txt", "/a/gone.txt"};
  request.settings.specialTypes = true;  // never applies to the hand-picked list
  request.settings.fileSize = true;
  request.stampLine = kStamp;
  batch::NoHooks hooks;
  batch::StopFlag stop;
  EXPECT_EQ(batch::CollectListingLines(fs, request, hooks, stop),
            (Lines{kStamp, "Selected files names:", "In folder, </a/>", "  one.txt", "  <Sub>", "In folder, </b/>",
                   "  three.txt", "In folder, </a/>", "  two.txt", "  gone.txt"}));
  request.settings.order = {batch::OrderKey::Name, true};  // the list backwards
  EXPECT_EQ(batch::CollectListingLines(fs, request, hooks, stop),
            (Lines{kStamp, "Selected files names:", "In folder, </a/>", "  gone.txt", "  two.txt", "In folder, </b/>",
                   "  three.txt", "In folder, </a/>", "  <Sub>", "  one.txt"}));
}

TEST(ListingOutput, TxtAddedUnlessTheNameEndsInIt) {
  EXPECT_EQ(batch::ListingOutputPath("/o/list.csv"), "/o/list.csv.txt");
  EXPECT_EQ(batch::ListingOutputPath("/o/list"), "/o/list.txt");
  EXPECT_EQ(batch::ListingOutputPath("/o/LIST.TXT"), "/o/LIST.TXT");
  EXPECT_EQ(batch::ListingOutputPath("/o/list.txt"), "/o/list.txt");
  EXPECT_EQ(batch::ListingOutputPath("/o.txt/list"), "/o.txt/list.txt");

  platform::MemoryFileSystem fs;
  fs.addFile("/o/list.csv.txt");
  fs.addFile("/o/plain.csv");
  EXPECT_TRUE(batch::ListingReplaceQuestionApplies(fs, "/o/list.csv"));
  EXPECT_TRUE(batch::ListingReplaceQuestionApplies(fs, "/o/plain.csv"));
  EXPECT_FALSE(batch::ListingReplaceQuestionApplies(fs, "/o/new.csv"));
}

TEST(ListingOutput, WritesCrLfLinesToTheNameWithTxt) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/o");
  testing::RecordingMessages messages;
  const auto result = batch::WriteListing(fs, {"first", "", "  <third>"}, "/o/list.csv", "/home/u", messages);
  EXPECT_TRUE(result.written);
  EXPECT_FALSE(result.usedFallback);
  EXPECT_EQ(result.path, "/o/list.csv.txt");
  EXPECT_EQ(fs.node("/o/list.csv.txt")->content, "first\r\n\r\n  <third>\r\n");
  EXPECT_EQ(fs.node("/o/list.csv"), nullptr);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(ListingOutput, FallbackFileInTheHomeFolderNeverReplacesOne) {
  platform::MemoryFileSystem fs;
  fs.addFile("/home/u/filenames.txt");
  fs.addFile("/home/u/filenames(1).txt");
  testing::RecordingMessages messages;
  auto result = batch::WriteListing(fs, {"x"}, "/missing/list.txt", "/home/u", messages);
  EXPECT_TRUE(result.written);
  EXPECT_TRUE(result.usedFallback);
  EXPECT_EQ(result.path, "/home/u/filenames(2).txt");
  EXPECT_EQ(fs.node("/home/u/filenames(2).txt")->content, "x\r\n");
  EXPECT_EQ(fs.node("/home/u/filenames.txt")->content, "");
  EXPECT_EQ(messages.texts(), (Lines{"The filename had been saved to:/home/u/filenames(2).txt"}));

  platform::MemoryFileSystem fresh;
  fresh.addFolder("/home/u");
  testing::RecordingMessages second;
  result = batch::WriteListing(fresh, {"x"}, "/missing/list.txt", "/home/u", second);
  EXPECT_EQ(result.path, "/home/u/filenames.txt");
  EXPECT_EQ(second.texts(), (Lines{"The filename had been saved to:/home/u/filenames.txt"}));
}

TEST(ListingOutput, NothingWritableIsReportedAsAFailure) {
  platform::MemoryFileSystem fs;
  testing::RecordingMessages messages;
  const auto result = batch::WriteListing(fs, {"x"}, "/missing/list.txt", "/nohome", messages);
  EXPECT_FALSE(result.written);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "warning");
  EXPECT_EQ(fs.allPaths(), std::vector<std::string>{});
}

TEST(ListingExport, OpenOnlyWhenTheOptionAllowsIt) {
  platform::MemoryFileSystem fs;
  fs.addFile("/w/a.txt");
  fs.addFolder("/o");
  batch::ListingRequest request;
  request.target.folder = "/w";
  request.chosenPath = "/o/l";
  testing::RecordingMessages messages;
  batch::NoHooks hooks;
  batch::StopFlag stop;
  batch::RunOptions options;
  options.dontOpenListing = true;
  auto outcome = batch::ExportListing(fs, request, options, messages, hooks, stop);
  EXPECT_TRUE(outcome.write.written);
  EXPECT_FALSE(outcome.openFile);
  EXPECT_EQ(outcome.lineCount, 3u);
  const std::string content = fs.node("/o/l.txt")->content;
  EXPECT_EQ(content.substr(0, content.find("\r\n")), "Files name(ONE layer) in folder, /w");
  EXPECT_NE(content.find("\r\n[") , std::string::npos) << "the stamp line follows the header";
}

}  // namespace
}  // namespace velmora
