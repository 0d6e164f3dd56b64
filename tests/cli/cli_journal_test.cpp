// A run killed in the middle of its renames is undone completely from its journal.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "support/temp_tree.h"

namespace velmora {
namespace {

off_t FileSize(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

pid_t Spawn(const std::vector<std::string>& args) {
  pid_t pid = ::fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

int RunToEnd(const std::vector<std::string>& args) {
  int status = 0;
  ::waitpid(Spawn(args), &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CliJournal, RunKilledMidwayIsUndoneCompletely) {
  testing::TempTree tree;
  constexpr int kFiles = 20000;
  std::vector<std::string> names;
  for (int i = 0; i < kFiles; ++i) names.push_back("photos/img" + std::to_string(i) + ".txt");
  tree.make(names);
  const std::string state = tree.path("state");
  const std::string journal = state + "/rollback.rbk.journal";

  pid_t pid = Spawn({VELMORA_CLI_PATH, "extension", "--folder", tree.path("photos"), "--set",
                     "allExtensions=true", "--set", "newExtension=.dat", "--state-dir", state});
  // Kill it once some renames are in the journal.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (FileSize(journal) < 4096 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before it could be killed";

  int renamedBeforeKill = 0;
  for (const auto& entry : tree.list())
    if (entry.size() > 4 && entry.compare(entry.size() - 4, 4, ".dat") == 0) ++renamedBeforeKill;
  ASSERT_GT(renamedBeforeKill, 0);

  EXPECT_EQ(RunToEnd({VELMORA_CLI_PATH, "undo", "--yes", "--state-dir", state}), 0);
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
  testing::TempTree tree;
  pid_t pid = Spawn({VELMORA_CLI_PATH, "change", "--folder", "/", "--scope", "3", "--set", "newName=x", "--yes",
                     "--state-dir", tree.path("state")});
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_FALSE(tree.exists("state/rollback.rbk"));
}

}  // namespace
}  // namespace velmora

#endif
