// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli end to end through the portable process runner, so the same checks run on
// Linux and, cross-built, on Windows (under wine): a real folder renamed and undone, case
// conversions whose renames only change case, and names that collide without case on
// Windows. The folder's name holds a space and is given with a trailing separator, so the
// arguments survive a Windows command line.

#ifdef _WIN32
#include "platform/windows_api.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "cli/cli_runner.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

class CliEndToEnd : public ::testing::Test {
 protected:
  testing::ProcessResult run(Lines args) {
    args.push_back("--state-dir");
    args.push_back(tree.path("state"));
    return testing::RunCli(args);
  }
  std::string w(const std::string& rel = "") const { return tree.path(rel.empty() ? "my files" : "my files/" + rel); }
  std::string pair(const std::string& from, const std::string& to) const { return w(from) + "\t" + w(to) + "\n"; }
  /// The work folder's entries, relative to it, byte for byte as stored.
  Lines work() const {
    Lines out;
    for (const auto& e : tree.list())
      if (e.rfind("my files/", 0) == 0 && e != "my files/") out.push_back(e.substr(9));
    return out;
  }
  bool readOnly(const std::string& rel) const { return testing::IsReadOnly(tree.path(rel)); }

  testing::TempTree tree;
};

TEST_F(CliEndToEnd, ExtensionRunIsLoggedAndUndone) {
  tree.make({"my files/a.txt", "my files/b.txt", "my files/c.doc", "my files/sub/d.txt"});
  auto out = run({"extension", "--folder", w() + platform::kSeparator, "--set", "oldExtension=txt", "--set",
                  "newExtension=md"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, pair("a.txt", "a.md") + pair("b.txt", "b.md"));
  EXPECT_EQ(work(), (Lines{"a.md", "b.md", "c.doc", "sub/", "sub/d.txt"}));
  EXPECT_EQ(tree.readFile("state/rollback.rbk"),
            w("a.md") + "\r\n" + w("a.txt") + "\r\n" + w("b.md") + "\r\n" + w("b.txt") + "\r\n");
  EXPECT_TRUE(readOnly("state/rollback.rbk"));
  EXPECT_FALSE(tree.exists("state/rollback.rbk.journal"));

  // A second run replaces the read-only log (no earlier run kept, as with one level of undo).
  out = run({"extension", "--folder", w(), "--set", "oldExtension=doc", "--set", "newExtension=txt", "--keep-runs", "0"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(tree.readFile("state/rollback.rbk"), w("c.txt") + "\r\n" + w("c.doc") + "\r\n");

  out = run({"undo", "--yes"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, pair("c.txt", "c.doc"));
  EXPECT_EQ(work(), (Lines{"a.md", "b.md", "c.doc", "sub/", "sub/d.txt"}));
  EXPECT_FALSE(tree.exists("state/rollback.rbk"));
  out = run({"undo", "--yes"});
  EXPECT_EQ(out.exit, 1);
  EXPECT_EQ(out.err, "Information: There is no rename operation to undo.\n");
}

TEST_F(CliEndToEnd, CaseConversionsRenameAndUndoByCaseAlone) {
  tree.make({"my files/ABC.TXT", "my files/Photo.JPG", "my files/DIR/x.txt"});
  auto out = run({"extension", "--folder", w(), "--set", "extensionMode=ConvertExtensionCase", "--set",
                  "extensionUpper=false", "--yes"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, pair("ABC.TXT", "ABC.txt") + pair("Photo.JPG", "Photo.jpg"));
  EXPECT_EQ(work(), (Lines{"ABC.txt", "DIR/", "DIR/x.txt", "Photo.jpg"}));

  out = run({"change", "--folder", w(), "--scope", "2", "--set", "changeMode=ConvertCase", "--set", "caseStyle=Lower",
             "--set", "capitalizeFirst=false", "--yes"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, pair("DIR", "dir"));
  EXPECT_EQ(work(), (Lines{"ABC.txt", "Photo.jpg", "dir/", "dir/x.txt"}));

  out = run({"undo", "--yes"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(work(), (Lines{"ABC.txt", "DIR/", "DIR/x.txt", "Photo.jpg"}));
}

TEST_F(CliEndToEnd, NamesCollideWithoutCaseOnlyWhereTheFileSystemSaysSo) {
  tree.make({"my files/report.doc", "my files/REPORT.txt"});
  auto out = run({"extension", "--folder", w(), "--set", "oldExtension=doc", "--set", "newExtension=txt"});
  ASSERT_EQ(out.exit, 0) << out.err;
#ifdef _WIN32
  // "REPORT.txt" takes "report.txt" too: the new name is numbered.
  EXPECT_EQ(out.out, pair("report.doc", "report(1).txt"));
  EXPECT_EQ(work(), (Lines{"REPORT.txt", "report(1).txt"}));
#else
  EXPECT_EQ(out.out, pair("report.doc", "report.txt"));
  EXPECT_EQ(work(), (Lines{"REPORT.txt", "report.txt"}));
#endif
  out = run({"undo", "--yes"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(work(), (Lines{"REPORT.txt", "report.doc"}));
}

TEST_F(CliEndToEnd, ARuleThatOnlyRecasesAnItemRenamesItWithoutANumber) {
  // The item's own name is no collision, even where names compare without case.
  tree.make({"my files/report.txt", "my files/Other report.txt"});
  auto out = run({"replace", "--folder", w(), "--set", "oldText=report", "--set", "newText=REPORT", "--set",
                  "replaceCaseSensitive=true", "--yes"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, pair("Other report.txt", "Other REPORT.txt") + pair("report.txt", "REPORT.txt"));
  EXPECT_EQ(work(), (Lines{"Other REPORT.txt", "REPORT.txt"}));
}

TEST_F(CliEndToEnd, HandPickedPathsInEitherSeparatorStyle) {
  tree.make({"my files/one.txt", "my files/two.txt"});
  std::string second = w("two.txt");
#ifdef _WIN32
  std::replace(second.begin(), second.end(), '\\', '/');  // Windows takes "/" as well
#endif
  auto out = run({"extension", w("one.txt"), second, "--set", "newExtension=.log"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(work(), (Lines{"one.log", "two.log"}));
  EXPECT_EQ(run({"undo", "--yes"}).exit, 0);
  EXPECT_EQ(work(), (Lines{"one.txt", "two.txt"}));
}

TEST_F(CliEndToEnd, RelativePathsFromAFolderWithAnAccentedName) {
#ifdef _WIN32
  const std::string folder = "caf\xe9";  // the ANSI code page's bytes (1252 under wine)
  if (::GetACP() != 1252) GTEST_SKIP() << "needs the Western code page";
#else
  const std::string folder = "caf\xc3\xa9";
#endif
  tree.make({folder + "/w/a.txt", folder + "/w/b.doc"});
  testing::ProcessOptions options;
  options.workingFolder = tree.path(folder);
  const auto out = testing::RunCli(
      {"extension", "--folder", "w", "--set", "oldExtension=txt", "--set", "newExtension=md", "--state-dir", "state"},
      options);
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, tree.path(folder + "/w/a.txt") + "\t" + tree.path(folder + "/w/a.md") + "\n");
  EXPECT_TRUE(tree.exists(folder + "/w/a.md"));
  EXPECT_EQ(tree.readFile(folder + "/state/rollback.rbk"),
            tree.path(folder + "/w/a.md") + "\r\n" + tree.path(folder + "/w/a.txt") + "\r\n");
}

TEST_F(CliEndToEnd, RunKilledMidwayIsUndoneFromItsJournal) {
  constexpr int kFiles = 3000;
  Lines files;
  for (int i = 0; i < kFiles; ++i) files.push_back("my files/img" + std::to_string(i) + ".txt");
  tree.make(files);
  const std::string journal = tree.path("state/rollback.rbk.journal");
  testing::ChildProcess child({VELMORA_CLI_PATH, "extension", "--folder", w(), "--set", "allExtensions=true", "--set",
                               "newExtension=.dat", "--state-dir", tree.path("state")});
  ASSERT_TRUE(child.started());
  // Kill it once a few renames are in the journal, as a crash would.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (child.running() && std::chrono::steady_clock::now() < deadline && !testing::JournalHolds(journal, 2048))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  child.kill();
  child.wait();
  ASSERT_TRUE(child.killed()) << "the run ended before it could be killed";
  int renamed = 0;
  for (const auto& name : work()) renamed += name.find(".dat") != std::string::npos;
  ASSERT_GT(renamed, 0);
  ASSERT_LT(renamed, kFiles);

  const auto out = run({"undo", "--yes"});
  EXPECT_EQ(out.exit, 0) << out.err;
  int restored = 0;
  for (const auto& name : work()) restored += name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0;
  EXPECT_EQ(restored, kFiles);
  EXPECT_FALSE(tree.exists("state/rollback.rbk.journal"));
  EXPECT_FALSE(tree.exists("state/rollback.rbk"));
}

}  // namespace
}  // namespace velmora
