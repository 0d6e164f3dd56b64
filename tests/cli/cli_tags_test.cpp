// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli with tag placeholders: photos named by the date they were taken, shots of the
// same second numbered, the file's date for a photo without one (named in a note), the undo
// that restores every name, and `meta` in text and JSON.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "cli/cli_runner.h"
#include "support/media_samples.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;
using testing::ExifFields;
using testing::RunCli;

#ifdef VELMORA_HAVE_TAG_READERS

class CliTags : public ::testing::Test {
 protected:
  testing::ProcessResult run(Lines args) {
    args.push_back("--state-dir");
    args.push_back(tree.path("state"));
    return RunCli(args);
  }
  Lines work() const { return tree.listUnder("w"); }
  void photo(const std::string& name, const std::string& taken) {
    ExifFields exif;
    exif.make = "Maker";
    exif.dateTimeOriginal = taken;
    tree.writeFile("w/" + name, taken.empty() ? testing::JpegBytes(exif, false) : testing::JpegBytes(exif));
  }
  testing::TempTree tree;
};

TEST_F(CliTags, PhotosNamedByTheDateTakenAndUndoneExactly) {
  tree.make({"w/"});
  photo("IMG_0001.jpg", "2026:12:07 14:30:15");
  photo("IMG_0002.jpg", "2026:12:07 14:30:15");  // the same second: numbered
  photo("IMG_0003.jpg", "2026:12:07 14:30:15");
  photo("IMG_0004.jpg", "2026:12:07 23:59:59");
  photo("IMG_0005.jpg", "2026:12:08 00:00:01");  // the next day
  photo("IMG_0006.jpg", "");                     // no date taken: the file's date
  tree.setModified("w/IMG_0006.jpg", 1700000000);
  const Lines before = work();

  const auto out = run({"change", "--folder", tree.path("w"), "--set", "newName={taken=YYYY-MM-DD hh.mm.ss}",
                        "--yes"});
  ASSERT_EQ(out.exit, 0) << out.err;
  Lines after = work();
  // 1700000000 is 2023-11-14 22:13:20 UTC: in local time it may be another hour or day.
  ASSERT_EQ(after.size(), 6u);
  const std::string byFileDate = after.front();
  EXPECT_EQ(byFileDate.substr(0, 5), "2023-") << byFileDate;
  after.erase(after.begin());
  EXPECT_EQ(after, (Lines{"2026-12-07 14.30.15(1).jpg", "2026-12-07 14.30.15(2).jpg", "2026-12-07 14.30.15.jpg",
                          "2026-12-07 23.59.59.jpg", "2026-12-08 00.00.01.jpg"}));
  EXPECT_NE(out.err.find("IMG_0006.jpg': no date taken: used the file's date"), std::string::npos) << out.err;
  EXPECT_EQ(out.err.find("IMG_0001"), std::string::npos) << out.err;

  ASSERT_EQ(run({"undo", "--yes"}).exit, 0);
  EXPECT_EQ(work(), before);
}

// Thirty shots over two days, bursts of three in one second among them, each with its .xmp:
// every photo takes its time taken, a burst its numbers, each sidecar its photo's new name,
// and undo brings back every name.
TEST_F(CliTags, ThirtyShotsOverTwoDaysWithTheirSidecars) {
  tree.make({"w/"});
  std::map<std::string, std::string> expected;  // a photo's old base -> its new name without ".jpg"
  for (int i = 1; i <= 30; ++i) {
    const int m = i >= 4 && i <= 6 ? 4 : i >= 19 && i <= 21 ? 19 : i;  // two bursts of three
    const int day = m <= 15 ? 7 : 8, hour = 8 + m / 2, minute = 7 * m % 60, second = 3 * m % 60;
    char taken[32], name[32], base[16];
    std::snprintf(taken, sizeof taken, "2026:12:%02d %02d:%02d:%02d", day, hour, minute, second);
    std::snprintf(name, sizeof name, "2026-12-%02d %02d.%02d.%02d", day, hour, minute, second);
    std::snprintf(base, sizeof base, "IMG_%04d", i);
    photo(std::string(base) + ".jpg", taken);
    tree.writeFile("w/" + std::string(base) + ".xmp", "<x:xmpmeta/>");
    expected[base] = name;
  }
  const Lines before = work();
  ASSERT_EQ(run({"change", "--folder", tree.path("w"), "--set", "newName={taken=YYYY-MM-DD hh.mm.ss}", "--set",
                 "sidecarsFollow=true", "--yes"}).exit, 0);
  const Lines after = work();
  ASSERT_EQ(after.size(), 60u);
  // Each burst's first shot keeps the bare name, the next ones are numbered in shooting order;
  // each .xmp sits beside its photo's new name.
  std::map<std::string, int> burst;
  for (const auto& [base, name] : expected) {
    const int n = burst[name]++;
    const std::string stem = n == 0 ? name : name + "(" + std::to_string(n) + ")";
    EXPECT_TRUE(std::count(after.begin(), after.end(), stem + ".jpg")) << stem;
    EXPECT_TRUE(std::count(after.begin(), after.end(), stem + ".xmp")) << stem;
  }
  ASSERT_EQ(run({"undo", "--yes"}).exit, 0);
  EXPECT_EQ(work(), before);
}

TEST_F(CliTags, PreviewShowsTheTagsAndTheCheckRefusesNothingReadable) {
  tree.make({"w/"});
  photo("a.jpg", "2026:12:07 14:30:15");
  const auto preview = run({"insert", "--folder", tree.path("w"), "--set", "atHead=true", "--set",
                            "headText={taken=YYYYMMDD}_{make}_$$_", "--preview"});
  ASSERT_EQ(preview.exit, 0) << preview.err;
  EXPECT_EQ(preview.out, "a.jpg\t20261207_Maker_01_a.jpg\n");
  // With special strings switched off a placeholder is plain text, and braces are allowed.
  const auto off = run({"change", "--folder", tree.path("w"), "--set", "newName={make}", "--set",
                        "SpecialStringsEnabled=false", "--preview"});
  EXPECT_EQ(off.out, "a.jpg\t{make}.jpg\n");
}

TEST_F(CliTags, MetaPrintsWhatThePlaceholdersRead) {
  tree.make({"w/"});
  photo("a.jpg", "2026:12:07 14:30:15");
  tree.writeFile("w/broken.jpg", "\xFF\xD8 not really");
  const auto text = RunCli({"meta", tree.path("w/a.jpg")});
  ASSERT_EQ(text.exit, 0) << text.err;
  EXPECT_NE(text.out.find("  taken       2026-12-07 14:30:15  Exif\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("  make        Maker                Exif\n"), std::string::npos) << text.out;

  const auto json = RunCli({"meta", tree.path("w/a.jpg"), tree.path("w/broken.jpg"), tree.path("w/gone.mp3"), "--json"});
  EXPECT_EQ(json.exit, 4);
  const auto j = nlohmann::json::parse(json.out);
  ASSERT_EQ(j["files"].size(), 3u);
  EXPECT_EQ(j["files"][0]["tags"][0], (nlohmann::json{{"tag", "taken"}, {"value", "2026-12-07 14:30:15"}, {"source", "Exif"}}));
  EXPECT_FALSE(j["files"][0].contains("error"));
  EXPECT_TRUE(j["files"][1].contains("error"));
  EXPECT_EQ(j["files"][1]["tags"][0]["source"], "file date");  // what a run would use
  EXPECT_EQ(j["files"][2]["error"], "no such file");
}

#else

TEST(CliTags, RefusedWhereNoTagsCanBeRead) {
  testing::TempTree tree;
  tree.make({"w/a.jpg"});
  const auto out = RunCli({"change", "--folder", tree.path("w"), "--set", "newName={taken}", "--yes", "--state-dir",
                           tree.path("state")});
  EXPECT_EQ(out.exit, 2);
  EXPECT_NE(out.err.find("cannot read photo and music tags"), std::string::npos) << out.err;
  EXPECT_EQ(tree.listUnder("w"), (Lines{"a.jpg"}));
  EXPECT_EQ(RunCli({"meta", tree.path("w/a.jpg")}).exit, 2);
}

#endif

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// A raw photo's sidecars and the JPEG of the pair take its new name in the same run, are in
// the preview, and the undo puts them all back; with the option off they are items of their own.
TEST(CliSidecars, FollowTheirPhotoWhenAskedAndUndoneTogether) {
  testing::TempTree tree;
  const Lines before{"IMG_0042.CR2", "IMG_0042.CR2.xmp", "IMG_0042.JPG", "IMG_0042.XMP", "IMG_0042.aae",
                     "IMG_0042.thm", "IMG_0043.xmp", "notes.txt"};
  std::vector<std::string> make;
  for (const auto& name : before) make.push_back("w/" + name);
  tree.make(make);
  const Lines args{"replace", "--folder", tree.path("w"), "--set", "oldText=IMG_", "--set", "newText=trip_",
                   "--set", "sidecarsFollow=true", "--state-dir", tree.path("state")};
  Lines preview = args;
  preview.push_back("--preview");
  EXPECT_EQ(RunCli(preview).out,
            "IMG_0042.CR2\ttrip_0042.CR2\nIMG_0042.aae\ttrip_0042.aae\nIMG_0042.CR2.xmp\ttrip_0042.CR2.xmp\n"
            "IMG_0042.JPG\ttrip_0042.JPG\nIMG_0042.thm\ttrip_0042.thm\nIMG_0042.XMP\ttrip_0042.XMP\n"
            "IMG_0043.xmp\ttrip_0043.xmp\n");
  Lines run = args;
  run.push_back("--yes");
  ASSERT_EQ(RunCli(run).exit, 0);
  EXPECT_EQ(tree.listUnder("w"), (Lines{"notes.txt", "trip_0042.CR2", "trip_0042.CR2.xmp", "trip_0042.JPG",
                                        "trip_0042.XMP", "trip_0042.aae", "trip_0042.thm", "trip_0043.xmp"}));
  ASSERT_EQ(RunCli({"undo", "--yes", "--state-dir", tree.path("state")}).exit, 0);
  EXPECT_EQ(tree.listUnder("w"), before);

  // A change of the whole name: the sidecars follow the photo's new name, not their own rules.
  const auto change = RunCli({"change", "--folder", tree.path("w"), "--set", "newName=x$$", "--set",
                              "sidecarsFollow=true", "--preview", "--state-dir", tree.path("state")});
  EXPECT_EQ(change.out,
            "IMG_0042.CR2\tx01.CR2\nIMG_0042.aae\tx01.aae\nIMG_0042.CR2.xmp\tx01.CR2.xmp\nIMG_0042.JPG\tx01.JPG\n"
            "IMG_0042.thm\tx01.thm\nIMG_0042.XMP\tx01.XMP\nIMG_0043.xmp\tx02.xmp\nnotes.txt\tx03.txt\n");
  const auto off = RunCli({"change", "--folder", tree.path("w"), "--set", "newName=x$$", "--preview", "--state-dir",
                           tree.path("state")});
  EXPECT_NE(off.out.find("IMG_0042.JPG\tx04.JPG\n"), std::string::npos) << off.out;
}

}  // namespace
}  // namespace velmora
