// SPDX-License-Identifier: GPL-3.0-or-later
// What a folder walk never touches: the program's own folder, the far side of a symbolic
// link, and (unless asked for) hidden items; the dot a hidden item's name keeps; and every
// item it cannot reach named with its reason.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "cli/cli_runner.h"
#include "platform/file_system.h"
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

  // A hand-picked link that points nowhere is renamed as itself.
  fs::create_symlink("nowhere.txt", tree.path("t/dangling.txt"));
  const auto dangling = RunCli({"extension", tree.path("t/dangling.txt"), "--set", "newExtension=md", "--yes",
                                "--state-dir", state});
  EXPECT_EQ(dangling.exit, 0) << dangling.err;
  EXPECT_EQ(fs::read_symlink(tree.path("t/dangling.md")), "nowhere.txt");
  fs::remove(tree.path("t/dangling.md"));

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

// Runs velmora-cli as an ordinary user (nobody) when the test runs as root, since root reads
// every folder: the folders of the tree are handed to that user first.
struct Unprivileged {
  explicit Unprivileged(const std::string& root) {
    if (::geteuid() != 0) return;
    asRoot = true;
    available = std::filesystem::exists("/usr/bin/setpriv");
    std::filesystem::permissions(root, std::filesystem::perms(0755));
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
      static_cast<void>(::lchown(e.path().c_str(), kNobody, kNobody));
    static_cast<void>(::lchown(root.c_str(), kNobody, kNobody));
  }
  testing::ProcessResult run(Lines args, const std::string& home) const {
    args.insert(args.begin(), VELMORA_CLI_PATH);
    if (asRoot)
      args.insert(args.begin(), {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"});
    return testing::RunProcess(args, {{{"HOME", home}}, {}});
  }
  static constexpr unsigned kNobody = 65534;
  bool asRoot = false;
  bool available = true;
};

TEST(CliWalk, AnUnreadableFolderIsNamedAndMakesTheRunAFailure) {
  struct Row {
    const char* name;
    std::filesystem::perms mode;
    Lines args;
    Lines after;  ///< the items renamed, next to the folder left alone
  };
  using P = std::filesystem::perms;
  const Row rows[] = {
      {"no permission at all, all layers", P::none,
       {"replace", "--scope", "1", "--set", "oldText=a", "--set", "newText=z"}, {"locked/", "z.txt"}},
      {"search only, all layers", P::owner_exec | P::group_exec | P::others_exec,
       {"replace", "--scope", "1", "--set", "oldText=a", "--set", "newText=z"}, {"locked/", "z.txt"}},
      {"no permission at all, subfolders", P::none, {"change", "--scope", "2", "--set", "newName=d"},
       {"a.txt", "d/"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::TempTree tree;
    tree.make({"t/a.txt", "t/locked/b.txt", "t/locked/in/", "state/"});
    const Unprivileged user(tree.root());
    if (!user.available) GTEST_SKIP() << "setpriv is missing: no ordinary user to run as, the permission test is skipped";
    std::filesystem::permissions(tree.path("t/locked"), row.mode);
    Lines args = row.args;
    args.insert(args.end(), {"--folder", tree.path("t"), "--yes", "--state-dir", tree.path("state")});
    const auto out = user.run(args, tree.root());
    std::error_code ignored;  // renamed or not, the folder is made removable again
    for (const char* name : {"t/locked", "t/d"}) std::filesystem::permissions(tree.path(name), P::owner_all, ignored);
    EXPECT_EQ(out.exit, 4) << out.err;
    EXPECT_NE(out.err.find("Error: '" + tree.path("t/locked") + "': unreadable folder (Permission denied)\n"),
              std::string::npos)
        << out.err;
    Lines after = tree.listUnder("t");
    std::erase_if(after, [](const std::string& p) { return p.find('/') != p.size() - 1 && p.find('/') != std::string::npos; });
    EXPECT_EQ(after, row.after);
  }
}

TEST(CliWalk, ItemsDeeperThanAPathCanReachAreRenamedAndUndone) {
  // A tree deeper than 4096 bytes, made and removed relative to open folders: the item at
  // the bottom is reached and renamed in its open folder, as its name fits. Undo, whose log
  // holds paths longer than the system takes, restores it, and then the folders of every
  // level renamed by a second run.
  testing::TempTree tree;
  tree.make({"t/top.txt", "outside/a.txt"});
  const std::string level(200, 'd');
  constexpr int kLevels = 24;
  int fd = ::open(tree.path("t").c_str(), O_RDONLY | O_DIRECTORY);
  std::vector<int> held;
  for (int i = 0; i < kLevels && fd >= 0; ++i) {
    held.push_back(fd);
    ::mkdirat(fd, level.c_str(), 0755);
    fd = ::openat(fd, level.c_str(), O_RDONLY | O_DIRECTORY);
  }
  ASSERT_GE(fd, 0);
  ::close(::openat(fd, "deep.txt", O_WRONLY | O_CREAT, 0644));
  std::string deepPath = tree.path("t");
  for (int i = 0; i < kLevels; ++i) deepPath += "/" + level;
  deepPath += "/deep.txt";
  ASSERT_GT(deepPath.size(), 4096u);
  const auto out = RunCli({"replace", "--folder", tree.path("t"), "--scope", "1", "--set", "oldText=deep", "--set",
                           "newText=x", "--yes", "--state-dir", tree.path("state")});
  EXPECT_EQ(out.exit, 0) << out.err.substr(0, 300);
  EXPECT_EQ(::faccessat(fd, "x.txt", F_OK, 0), 0);
  EXPECT_NE(::faccessat(fd, "deep.txt", F_OK, 0), 0);
  EXPECT_EQ(RunCli({"undo", "--yes", "--state-dir", tree.path("state")}).exit, 0);
  EXPECT_EQ(::faccessat(fd, "deep.txt", F_OK, 0), 0);
  EXPECT_NE(::faccessat(fd, "x.txt", F_OK, 0), 0);
  const auto folders = RunCli({"replace", "--folder", tree.path("t"), "--scope", "2", "--set", "oldText=ddd", "--set",
                               "newText=e", "--yes", "--state-dir", tree.path("state")});
  EXPECT_EQ(folders.exit, 0) << folders.err.substr(0, 300);
  EXPECT_NE(::faccessat(held.back(), level.c_str(), F_OK, AT_SYMLINK_NOFOLLOW), 0);
  const auto undone = RunCli({"undo", "--yes", "--state-dir", tree.path("state")});
  EXPECT_EQ(undone.exit, 0) << undone.err.substr(0, 300);
  for (const int parent : held) EXPECT_EQ(::faccessat(parent, level.c_str(), F_OK, AT_SYMLINK_NOFOLLOW), 0);
  EXPECT_EQ(tree.listUnder("state"), (Lines{"Newname.txt"}));  // no log left: every pair undone
  // Past the leading part that the system takes whole, a link is never followed: a level
  // that is a link to a folder outside the tree is not entered.
  ASSERT_EQ(::symlinkat(tree.path("outside").c_str(), fd, "link"), 0);
  EXPECT_TRUE(platform::RealFileSystem().entryStatus(deepPath).present());
  EXPECT_FALSE(platform::RealFileSystem().entryStatus(deepPath.substr(0, deepPath.size() - 8) + "link/a.txt").present());
  ::unlinkat(fd, "link", 0);
  // Removed from the bottom up, each level by its folder held open.
  ::unlinkat(fd, "deep.txt", 0);
  ::close(fd);
  for (auto it = held.rbegin(); it != held.rend(); ++it) {
    ::unlinkat(*it, level.c_str(), AT_REMOVEDIR);
    ::close(*it);
  }
}
#endif

}  // namespace
}  // namespace velmora
