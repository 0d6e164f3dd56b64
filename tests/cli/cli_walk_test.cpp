// SPDX-License-Identifier: GPL-3.0-or-later
// What a folder walk never touches: the program's own folder, the far side of a symbolic
// link, and (unless asked for) hidden items; and the dot a hidden item's name keeps.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;
using testing::RunCli;

TEST(CliWalk, TheProgramFolderInsideTheTargetIsNeverTouched) {
  testing::TempTree tree;
  tree.make({"t/v.txt", "t/sub/w.txt"});
  const std::string state = tree.path("t/state");
  // No earlier run kept: each run's log is its own, as with one level of undo.
  const Lines common = {"--state-dir", state, "--yes", "--keep-runs", "0"};
  // A first run leaves the history and the log in the state folder inside the target.
  auto args = Lines{"replace", "--folder", tree.path("t"), "--scope", "1", "--set", "oldText=v", "--set",
                    "newText=x"};
  args.insert(args.end(), common.begin(), common.end());
  ASSERT_EQ(RunCli(args).exit, 0);
  const std::string log = tree.readFile("t/state/rollback.rbk");

  struct Row {
    const char* name;
    Lines args;
    Lines after;
  };
  const Row rows[] = {
      {"all layers", {"change", "--folder", tree.path("t"), "--scope", "1", "--set", "newName=n"},
       {"n.txt", "state/", "state/Newname.txt", "state/rollback.rbk", "state/rollback.rbk.info", "sub/", "sub/n.txt"}},
      {"subfolders", {"change", "--folder", tree.path("t"), "--scope", "2", "--set", "newName=f"},
       {"f/", "f/n.txt", "n.txt", "state/", "state/Newname.txt", "state/rollback.rbk", "state/rollback.rbk.info"}},
      {"the program folder itself", {"change", "--folder", state, "--scope", "0", "--set", "newName=g"},
       {"f/", "f/n.txt", "n.txt", "state/", "state/Newname.txt", "state/rollback.rbk", "state/rollback.rbk.info"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Lines a = row.args;
    a.insert(a.end(), common.begin(), common.end());
    RunCli(a);
    EXPECT_EQ(tree.listUnder("t"), row.after);
  }
  // The log is the last run's own: undo reverses the subfolder run, and nothing else.
  EXPECT_NE(tree.readFile("t/state/rollback.rbk"), log);
  EXPECT_EQ(RunCli({"undo", "--yes", "--state-dir", state}).exit, 0);
  EXPECT_EQ(tree.listUnder("t"), (Lines{"n.txt", "state/", "state/Newname.txt", "sub/", "sub/n.txt"}));
}

#ifndef _WIN32
TEST(CliWalk, LinksAreRenamedAsThemselvesAndNeverFollowed) {
  testing::TempTree tree;
  tree.make({"t/a.txt", "outside/a_out.txt", "t/deep/"});
  namespace fs = std::filesystem;
  fs::create_directory_symlink("../outside", tree.path("t/alink"));
  fs::create_directory_symlink(".", tree.path("t/deep/aloop"));
  fs::create_symlink("../outside/a_out.txt", tree.path("t/afile.txt"));
  const std::string state = tree.path("state");
  for (const char* scope : {"0", "1"}) {
    SCOPED_TRACE(scope);
    const auto preview = RunCli({"replace", "--folder", tree.path("t"), "--scope", scope, "--set", "oldText=a",
                                 "--set", "newText=z", "--preview", "--preview-count", "1000", "--state-dir", state});
    EXPECT_EQ(preview.exit, 0) << preview.err;
    EXPECT_EQ(preview.out.find("_out"), std::string::npos) << preview.out;
    EXPECT_EQ(preview.out.find("Others not shown"), std::string::npos) << preview.out;
  }
  const auto run = RunCli({"replace", "--folder", tree.path("t"), "--scope", "1", "--set", "oldText=a", "--set",
                           "newText=z", "--yes", "--state-dir", state});
  EXPECT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(tree.listUnder("outside"), Lines{"a_out.txt"});
  EXPECT_EQ(tree.listUnder("t"), (Lines{"deep/", "deep/zloop", "z.txt", "zfile.txt", "zlink"}));
  EXPECT_TRUE(fs::is_symlink(tree.path("t/zlink")));
  EXPECT_TRUE(fs::is_symlink(tree.path("t/deep/zloop")));
  EXPECT_EQ(fs::read_symlink(tree.path("t/zfile.txt")), "../outside/a_out.txt");

  // No link is a subfolder: scope 2 renames only the real folder.
  const auto folders = RunCli({"change", "--folder", tree.path("t"), "--scope", "2", "--set", "newName=d", "--yes",
                               "--state-dir", state});
  EXPECT_EQ(folders.exit, 0) << folders.err;
  EXPECT_EQ(tree.listUnder("t"), (Lines{"d/", "d/zloop", "z.txt", "zfile.txt", "zlink"}));
}

TEST(CliWalk, HiddenItemsOnlyWhenAskedForAndTheirDotKept) {
  struct Row {
    const char* name;
    Lines args;  ///< "@" stands for the folder t, "@x" for t/x
    Lines after;
  };
  const Lines extension = {"extension", "--set", "oldExtension=txt", "--set", "newExtension=md"};
  const Row rows[] = {
      {"walk leaves them out", {"--folder", "@", "--scope", "1"}, {".git/", ".git/config.txt", ".hidden.txt", "v.md"}},
      {"--hidden takes them, keeping the dot",
       {"--folder", "@", "--scope", "1", "--hidden"},
       {".git/", ".git/config.md", ".hidden.md", "v.md"}},
      {"hand-picked is taken as given", {"@.hidden.txt"}, {".git/", ".git/config.txt", ".hidden.md", "v.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::TempTree tree;
    tree.make({"t/.git/config.txt", "t/.hidden.txt", "t/v.txt"});
    Lines args = extension;
    for (const auto& a : row.args) {
      if (a.rfind('@', 0) != 0) args.push_back(a);
      else args.push_back(tree.path(a == "@" ? "t" : "t/" + a.substr(1)));
    }
    args.insert(args.end(), {"--yes", "--state-dir", tree.path("state")});
    const auto out = RunCli(args);
    EXPECT_EQ(out.exit, 0) << out.err;
    EXPECT_EQ(tree.listUnder("t"), row.after);
  }
  // Scope 2 leaves a hidden folder alone, and its probe finds no other subfolder.
  testing::TempTree tree;
  tree.make({"t/.git/config", "t/v.txt"});
  const auto out = RunCli({"change", "--folder", tree.path("t"), "--scope", "2", "--set", "newName=g", "--yes",
                           "--state-dir", tree.path("state")});
  EXPECT_EQ(out.exit, 2);
  EXPECT_EQ(out.err, "Information: There is no subfolder now!\n");
  EXPECT_EQ(tree.listUnder("t"), (Lines{".git/", ".git/config", "v.txt"}));
}
#endif

}  // namespace
}  // namespace velmora
