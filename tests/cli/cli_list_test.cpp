// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli list, end to end on real temporary folders.

#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using Result = testing::ProcessResult;
using nlohmann::json;
using testing::JsonLine;
using testing::WithSeparator;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class CliListTest : public ::testing::Test {
 protected:
  void SetUp() override { tree.make({"home/", "out/"}); }

  /// Runs velmora-cli list with the home folder (HOME, USERPROFILE on Windows) and the data
  /// home inside the tree.
  Result list(std::vector<std::string> args) {
    args.insert(args.begin(), "list");
    testing::ProcessOptions options;
    options.environment = {{"HOME", tree.path("home")},
                           {"USERPROFILE", tree.path("home")},
                           {"XDG_DATA_HOME", tree.path("home/data")}};
    return testing::RunCli(args, options);
  }

  /// The listing file's lines with its stamp line checked and replaced by "[stamp]".
  std::vector<std::string> listing(const std::string& relative, std::size_t stampIndex) {
    auto lines = Lines(tree.readFile(relative));
    if (lines.size() > stampIndex) {
      const std::string& s = lines[stampIndex];
      EXPECT_TRUE(s.size() > 2 && s.front() == '[' && s.back() == ']') << s;
      lines[stampIndex] = "[stamp]";
    }
    return lines;
  }

  testing::TempTree tree;
};

TEST_F(CliListTest, AllLayersWithSizes) {
  tree.make({"w/sub/deep/", "w/img_files/x.htm"});
  tree.writeFile("w/a.txt", std::string(1536, 'a'));
  tree.writeFile("w/sub/b.txt", std::string(500, 'b'));
  const Result r = list({"--folder", WithSeparator(tree.path("w")), "--content", "all", "--size", "--output",
                         tree.path("out/all.txt")});
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(r.out, tree.path("out/all.txt") + "\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(listing("out/all.txt", 1),
            (std::vector<std::string>{"Files name(ALL layers) in folder, " + tree.path("w"), "[stamp]", "  <sub>",
                                      "    <deep>", "    b.txt  500Byte", "  a.txt  1.5KB"}));
  const std::string raw = tree.readFile("out/all.txt");
  EXPECT_EQ(raw.substr(raw.size() - 2), "\r\n");
}

TEST_F(CliListTest, OneLayerByDefaultAndTxtAdded) {
  tree.make({"w/sub/inner.txt", "w/b.doc", "w/A.mp3"});
  const Result r = list({"--folder", tree.path("w"), "--output", tree.path("out/names.csv")});
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(r.out, tree.path("out/names.csv.txt") + "\n");
  EXPECT_FALSE(tree.exists("out/names.csv"));
  EXPECT_EQ(listing("out/names.csv.txt", 1),
            (std::vector<std::string>{"Files name(ONE layer) in folder, " + tree.path("w"), "[stamp]", "  <sub>",
                                      "  A.mp3", "  b.doc"}));

  // --lf: the same lines, each ended by LF alone.
  ASSERT_EQ(list({"--folder", tree.path("w"), "--output", tree.path("out/lf.txt"), "--lf"}).exit, 0);
  const std::string lf = tree.readFile("out/lf.txt");
  EXPECT_EQ(lf.find('\r'), std::string::npos);
  EXPECT_EQ(lf.substr(lf.size() - 17), "\n  A.mp3\n  b.doc\n");
}

TEST_F(CliListTest, TypeFiltersAndFoldersOnly) {
  tree.make({"w/PHOTO.JPG", "w/README", "w/notes.txt", "w/song.MP3", "w/s/t/"});
  struct Row {
    const char* name;
    std::vector<std::string> options;
    std::vector<std::string> files;
  };
  const Row rows[] = {
      {"two boxes, named in any case", {"--types", "Music,picture"}, {"  PHOTO.JPG", "  song.MP3"}},
      {"other alone turns special types on", {"--other", "txt,"}, {"  notes.txt", "  README"}},
      {"boxes and other together", {"--types", "picture", "--other", "txt"}, {"  notes.txt", "  PHOTO.JPG"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args{"--folder", tree.path("w"), "--output", tree.path("out/t.txt"), "--yes"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const Result r = list(args);
    ASSERT_EQ(r.exit, 0) << r.err;
    std::vector<std::string> expected{"Files name(ONE layer) in folder, " + tree.path("w"), "[stamp]", "  <s>"};
    expected.insert(expected.end(), row.files.begin(), row.files.end());
    EXPECT_EQ(listing("out/t.txt", 1), expected);
  }

  const Result folders = list({"--folder", tree.path("w"), "--content", "folders", "--output", tree.path("out/f")});
  EXPECT_EQ(folders.exit, 0) << folders.err;
  EXPECT_EQ(listing("out/f.txt", 1),
            (std::vector<std::string>{"All subfolders name in folder, " + tree.path("w"), "[stamp]", "  <s>",
                                      "    <t>"}));
}

TEST_F(CliListTest, HandPickedPaths) {
  tree.make({"a/one.txt", "a/Sub/", "b/two.txt"});
  const Result r = list({tree.path("a/one.txt"), WithSeparator(tree.path("a/Sub")), tree.path("b/two.txt"), "--output",
                         tree.path("out/picked.txt")});
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(listing("out/picked.txt", 0),
            (std::vector<std::string>{"[stamp]", "Selected files names:", "In folder, <" + WithSeparator(tree.path("a")) + ">",
                                      "  one.txt", "  <Sub>", "In folder, <" + WithSeparator(tree.path("b")) + ">",
                                      "  two.txt"}));
}

TEST_F(CliListTest, ExistingFileReplacedOnlyWithYes) {
  tree.make({"w/a.txt"});
  tree.writeFile("out/l.txt", "keep me");
  Result r = list({"--folder", tree.path("w"), "--output", tree.path("out/l.txt")});
  EXPECT_EQ(r.exit, 2);
  EXPECT_EQ(r.err,
            "Confirmation: The file is existing, replace it ?\nNot asked (no terminal): answered Cancel; --yes answers "
            "OK.\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(tree.readFile("out/l.txt"), "keep me");

  // The chosen name without ".txt" is asked about too when the name with ".txt" exists.
  r = list({"--folder", tree.path("w"), "--output", tree.path("out/l")});
  EXPECT_EQ(r.exit, 2);
  EXPECT_EQ(tree.readFile("out/l.txt"), "keep me");

  r = list({"--folder", tree.path("w"), "--output", tree.path("out/l.txt"), "--yes"});
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(r.err, "Confirmation: The file is existing, replace it ?\n");
  EXPECT_EQ(listing("out/l.txt", 1).back(), "  a.txt");
}

TEST_F(CliListTest, UnwritableOutputGoesToTheFallbackInHome) {
  tree.make({"w/a.txt", "home/filenames.txt"});
  const Result r = list({"--folder", tree.path("w"), "--output", tree.path("missing/l.txt")});
  const std::string fallback = tree.path("home/filenames(1).txt");
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(r.out, fallback + "\n");
  EXPECT_EQ(r.err, "Information: The filename had been saved to:" + fallback + "\n");
  EXPECT_EQ(listing("home/filenames(1).txt", 1).back(), "  a.txt");
  EXPECT_EQ(tree.readFile("home/filenames.txt"), "");
}

TEST_F(CliListTest, RefusalsOfTheSavePage) {
  tree.make({"w/a.txt"});
  struct Row {
    const char* name;
    std::vector<std::string> args;
    std::string err;
  };
  const Row rows[] = {
      {"special types without a box",
       {"--folder", tree.path("w"), "--types", ""},
       "Warning: You selected special types filename to save, so you should select at least one box of file types.\n"},
      {"other without text",
       {"--folder", tree.path("w"), "--other", ""},
       "Warning: You selected other types filename to save, so you should define file types in edit box.\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args = row.args;
    args.insert(args.end(), {"--output", tree.path("out/r.txt")});
    const Result r = list(args);
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(r.err, row.err);
    EXPECT_FALSE(tree.exists("out/r.txt"));
  }
}

TEST_F(CliListTest, UsageErrors) {
  tree.make({"w/a.txt"});
  const std::string w = tree.path("w"), o = tree.path("out/u.txt");
  const std::vector<std::vector<std::string>> rows = {
      {"--folder", w, tree.path("w/a.txt"), "--output", o},
      {"--output", o},
      {"--folder", w},
      {tree.path("w/a.txt"), "--size", "--output", o},
      {tree.path("w/a.txt"), "--content", "all", "--output", o},
      {"--folder", w, "--webpage", "--output", o},
      {"--folder", w, "--types", "music,sound", "--output", o},
      {"--folder", w, "--content", "every", "--output", o},
  };
  for (const auto& args : rows) {
    const Result r = list(args);
    EXPECT_EQ(r.exit, 3) << ::testing::PrintToString(args) << r.err;
    EXPECT_EQ(r.err.rfind("Usage: ", 0), 0u) << r.err;
  }
  EXPECT_FALSE(tree.exists("out/u.txt"));
}

TEST_F(CliListTest, JsonNamesTheListingAndTheMessages) {
  tree.make({"w/a.txt", "home/filenames.txt"});
  Result r = list({"--folder", tree.path("w"), "--output", tree.path("out/j.txt"), "--json"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, JsonLine({{"exit", 0}, {"listing", tree.path("out/j.txt")}}));
  EXPECT_EQ(r.err, "");
  r = list({"--folder", tree.path("w"), "--output", tree.path("out/j.txt"), "--json"});
  EXPECT_EQ(r.exit, 2);
  EXPECT_EQ(r.out,
            "{\"exit\":2,\"messages\":[{\"text\":\"The file is existing, replace it ?\",\"title\":\"Confirmation\"}]}\n");
}

}  // namespace
}  // namespace velmora
