// A run killed in the middle of its renames is undone completely from its journal; the root
// folder itself is never renamed.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "cli/cli_runner.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using testing::RunCli;
using testing::WithSeparator;

std::uintmax_t FileSize(const std::string& path) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  return ec ? 0 : size;
}

TEST(CliJournal, RunKilledMidwayIsUndoneCompletely) {
  testing::TempTree tree;
#ifdef _WIN32
  // Under wine every new name in a folder is looked up by reading the whole folder, so
  // 20000 files would take a minute to make; 5000 still leave the run plenty to do.
  constexpr int kFiles = 5000;
#else
  constexpr int kFiles = 20000;
#endif
  std::vector<std::string> names;
  for (int i = 0; i < kFiles; ++i) names.push_back("photos/img" + std::to_string(i) + ".txt");
  tree.make(names);
  const std::string state = tree.path("state");
  const std::string journal = WithSeparator(state) + "rollback.rbk.journal";

  testing::ChildProcess child({VELMORA_CLI_PATH, "extension", "--folder", tree.path("photos"), "--set",
                               "allExtensions=true", "--set", "newExtension=.dat", "--state-dir", state});
  ASSERT_TRUE(child.started());
  // Kill it once some renames are in the journal.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (FileSize(journal) < 4096 && child.running() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  child.kill();
  child.wait();
  ASSERT_TRUE(child.killed()) << "the run ended before it could be killed";

  int renamedBeforeKill = 0;
  for (const auto& entry : tree.list())
    if (entry.size() > 4 && entry.compare(entry.size() - 4, 4, ".dat") == 0) ++renamedBeforeKill;
  ASSERT_GT(renamedBeforeKill, 0);
  ASSERT_LT(renamedBeforeKill, kFiles);

  const auto undo = RunCli({"undo", "--yes", "--state-dir", state});
  EXPECT_EQ(undo.exit, 0) << undo.err;
  int restored = 0;
  for (const auto& entry : tree.list()) {
    EXPECT_EQ(entry.find(".dat"), std::string::npos) << entry;
    if (entry.size() > 4 && entry.compare(entry.size() - 4, 4, ".txt") == 0) ++restored;
  }
  EXPECT_EQ(restored, kFiles);
  EXPECT_FALSE(tree.exists("state/rollback.rbk.journal"));
  EXPECT_FALSE(tree.exists("state/rollback.rbk"));
}

TEST(CliRoot, TheRootFolderItselfIsNeverRenamed) {
#ifdef _WIN32
  // "\" (or "/") is the current drive's root; "C:\" names a drive's root.
  const std::vector<std::string> roots = {"/", "\\", "C:\\"};
#else
  const std::vector<std::string> roots = {"/", "//"};
#endif
  for (const std::string& root : roots) {
    SCOPED_TRACE(root);
    testing::TempTree tree;
    const auto out = RunCli({"change", "--folder", root, "--scope", "3", "--set", "newName=x", "--yes",
                             "--state-dir", tree.path("state")});
    EXPECT_EQ(out.exit, 2);
    EXPECT_EQ(out.out, "");
    EXPECT_EQ(out.err, "Information: Can not rename root directory !\n");
    EXPECT_FALSE(tree.exists("state/rollback.rbk"));
  }
}

}  // namespace
}  // namespace velmora
