// SPDX-License-Identifier: GPL-3.0-or-later
// Runs on the file systems a rename meets on cards and shares, through the test FUSE file
// system: names that ignore case (exFAT), and further no RENAME_NOREPLACE and no hard links
// (an SMB share).

#include <gtest/gtest.h>

#ifdef VELMORA_TEST_FUSE_PATH

#include <filesystem>

#include "batch/case_change.h"
#include "cli/cli_runner.h"
#include "fuse/fuse_mount.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;
using testing::RunCli;

struct MountKind {
  const char* name;
  Lines switches;
};
const MountKind kIgnoringCase[] = {
    {"exFAT", {"--ignore-case"}},
    {"SMB", {"--ignore-case", "--no-noreplace", "--no-links"}},
};

TEST(CliMount, CaseChangesWhereNamesIgnoreCase) {
  struct Row {
    const char* before;
    Lines args;
    const char* after;
  };
  const Row rows[] = {
      {"IMG_0001.JPG", {"extension", "--set", "oldExtension=JPG", "--set", "newExtension=jpg"}, "IMG_0001.jpg"},
      {"IMG_0001.JPG",
       {"change", "--set", "changeMode=ConvertCase", "--set", "caseStyle=Lower", "--set", "capitalizeFirst=false"},
       "img_0001.jpg"},
      {"img_0001.jpg", {"change", "--set", "changeMode=ConvertCase", "--set", "caseStyle=Upper"}, "IMG_0001.JPG"},
      {"img_0001.jpg", {"change", "--set", "changeMode=ConvertCase", "--set", "caseStyle=CapitalizeWords"},
       "Img_0001.jpg"},
  };
  for (const MountKind& kind : kIgnoringCase) {
    SCOPED_TRACE(kind.name);
    testing::TempTree tree;
    testing::FuseMount mount(tree.path("backing"), tree.path("mnt"), kind.switches);
    if (!mount.mounted()) GTEST_SKIP() << mount.whyNot();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
      const Row& row = rows[i];
      const std::string before = row.before, after = row.after;
      SCOPED_TRACE(after);
      tree.writeFile("backing/" + before, "photo");
      Lines args = row.args;
      for (const char* a : {"--folder", "", "--yes", "--state-dir", ""}) args.push_back(a);
      args[args.size() - 4] = tree.path("mnt");
      args.back() = tree.path("state");
      Lines preview = args;
      preview.push_back("--preview");
      // The preview shows what the run does: the new spelling, not numbered.
      EXPECT_EQ(RunCli(preview).out, before + "\t" + after + "\n");
      const auto run = RunCli(args);
      EXPECT_EQ(run.exit, 0) << run.err;
      EXPECT_EQ(run.out, tree.path("mnt/" + before) + "\t" + tree.path("mnt/" + after) + "\n");
      EXPECT_EQ(tree.listUnder("backing"), Lines{after});
      const auto undo = RunCli({"undo", "--yes", "--state-dir", tree.path("state")});
      EXPECT_EQ(undo.exit, 0) << undo.err;
      EXPECT_EQ(tree.listUnder("backing"), Lines{before});
      EXPECT_EQ(tree.readFile("backing/" + before), "photo");
      std::filesystem::remove(tree.path("backing/" + before));
    }
    // A name of 250 bytes: the temporary name is short whatever the name.
    const std::string longName = std::string(246, 'p') + ".JPG";
    tree.writeFile("backing/" + longName, "photo");
    platform::FileSystem& fs = platform::RealFileSystem();
    const auto byPath = [&](const std::string& from, const std::string& to) { return fs.rename(from, to); };
    const auto changed = batch::ChangeCase(fs, nullptr, byPath, tree.path("mnt/" + longName),
                                           tree.path("mnt/" + longName.substr(0, 246) + ".jpg"));
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->status, platform::RenameStatus::Renamed);
    EXPECT_EQ(tree.listUnder("backing"), Lines{longName.substr(0, 246) + ".jpg"});
  }
}

TEST(CliMount, ACaseChangeNeverTakesAnotherItemsName) {
  // Where case counts, "a.jpg" beside "A.JPG" is another file: the case change of "A.JPG"
  // is refused, and both stay as they were.
  testing::TempTree tree;
  testing::FuseMount mount(tree.path("backing"), tree.path("mnt"), {"--no-noreplace", "--no-links"});
  if (!mount.mounted()) GTEST_SKIP() << mount.whyNot();
  tree.writeFile("backing/A.JPG", "upper");
  tree.writeFile("backing/a.jpg", "lower");
  const auto run = RunCli({"change", "--set", "changeMode=ConvertCase", "--set", "caseStyle=Lower", "--set",
                           "capitalizeFirst=false", "--folder", tree.path("mnt"), "--yes", "--state-dir",
                           tree.path("state")});
  EXPECT_EQ(run.exit, 4) << run.err;
  EXPECT_NE(run.err.find("an item of the new name exists"), std::string::npos) << run.err;
  EXPECT_EQ(tree.listUnder("backing"), (Lines{"A.JPG", "a.jpg"}));
  EXPECT_EQ(tree.readFile("backing/A.JPG"), "upper");
}

TEST(CliMount, WithoutNoReplaceAndLinksNothingIsEverReplaced) {
  // The rename that reserves the new name first: files and folders are renamed, and an
  // entry planted at the new name (file or folder) refuses the rename instead of being lost.
  testing::TempTree tree;
  testing::FuseMount mount(tree.path("backing"), tree.path("mnt"), {"--no-noreplace", "--no-links"});
  if (!mount.mounted()) GTEST_SKIP() << mount.whyNot();
  tree.make({"backing/f.txt", "backing/d/", "backing/d/in.txt", "backing/planted.txt", "backing/taken/"});
  tree.writeFile("backing/planted.txt", "planted");
  platform::FileSystem& fs = platform::RealFileSystem();
  const auto at = [&](const char* name) { return tree.path(std::string("mnt/") + name); };
  EXPECT_EQ(fs.rename(at("f.txt"), at("planted.txt")), platform::RenameStatus::TargetExists);
  EXPECT_EQ(fs.rename(at("f.txt"), at("taken")), platform::RenameStatus::TargetExists);
  EXPECT_EQ(fs.rename(at("d"), at("taken")), platform::RenameStatus::TargetExists);
  EXPECT_EQ(fs.rename(at("d"), at("planted.txt")), platform::RenameStatus::TargetExists);
  EXPECT_EQ(fs.rename(at("f.txt"), at("g.txt")), platform::RenameStatus::Renamed);
  EXPECT_EQ(fs.rename(at("d"), at("e")), platform::RenameStatus::Renamed);
  EXPECT_EQ(tree.listUnder("backing"), (Lines{"e/", "e/in.txt", "g.txt", "planted.txt", "taken/"}));
  EXPECT_EQ(tree.readFile("backing/planted.txt"), "planted");
  // The whole run: numbered past the planted name, folders too.
  const auto run = RunCli({"change", "--set", "newName=planted", "--folder", tree.path("mnt"), "--scope", "1",
                           "--yes", "--state-dir", tree.path("state")});
  EXPECT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(tree.readFile("backing/planted.txt"), "planted");
  EXPECT_TRUE(tree.exists("backing/planted(1).txt"));
}

}  // namespace
}  // namespace velmora

#endif
