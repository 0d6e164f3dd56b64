// SPDX-License-Identifier: GPL-3.0-or-later
// Names and numbers a careful tester throws at velmora-cli: line breaks and NUL in names and
// texts, relative paths in the log, numbers at the edge of an int, thousands of names that
// collapse into one, and names that are not UTF-8 under --json.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli_runner.h"
#include "cli/cli_support.h"
#include "cli/path_list.h"
#include "cli/progress_line.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;
using nlohmann::json;
using testing::RunCli;
using testing::WithSeparator;

const std::string kNine =
    "Information: You should remove one of following nine characters from input text, because they are prohibited "
    "in Windows filenames:  \\ / : * ? \" < > |\n";

TEST(CliNames, NewTextsWithLineBreaksOrNulAreRefused) {
  testing::TempTree tree;
  tree.make({"t/a.txt"});
  tree.writeFile("record.json", R"({"oldText": "a", "newText": "x\u0000y"})");
  const std::string t = tree.path("t"), state = tree.path("state");
  const std::vector<Lines> commands = {
      {"replace", "--folder", t, "--set", "oldText=a", "--set", "newText=x\ny"},
      {"replace", "--folder", t, "--set", "oldText=a", "--set", "newText=x\ry"},
      {"replace", "--folder", t, "--record", tree.path("record.json")},
      {"change", "--folder", t, "--set", "newName=n\no"},
  };
  for (Lines args : commands) {
    SCOPED_TRACE(args.back());
    args.insert(args.end(), {"--yes", "--state-dir", state});
    const auto out = RunCli(args);
    EXPECT_EQ(out.exit, 2);
    EXPECT_EQ(out.err, kNine);
    EXPECT_EQ(tree.listUnder("t"), Lines{"a.txt"});
  }
}

TEST(CliNames, NumbersAtTheEdgeOfAnIntNeverOverflow) {
  testing::TempTree tree;
  tree.make({"t/abc.txt"});
  const std::string t = tree.path("t");
  const Lines replace = {"replace", "--folder", t, "--set", "replaceMode=ReplaceSelected", "--set", "newText=z"};
  const Lines insert = {"insert", "--folder", t, "--set", "atCursor=true", "--set", "cursorText=z"};
  struct Row {
    Lines command;
    Lines sets;
    std::string preview;  ///< a selection or cursor beyond the name stays beyond it
  };
  const Row rows[] = {
      {replace, {"SelectionStart=2147483647", "SelectionLength=1"}, "abc.txt\tabcz.txt\n"},
      {replace, {"SelectionStart=1", "SelectionLength=2147483647"}, "abc.txt\taz.txt\n"},
      {insert, {"CursorPos=2147483647"}, "abc.txt\tabcz.txt\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.sets.front());
    Lines args = row.command;
    for (const auto& set : row.sets) args.insert(args.end(), {"--set", set});
    args.insert(args.end(), {"--preview", "--state-dir", tree.path("state")});
    const auto out = RunCli(args);
    EXPECT_EQ(out.exit, 0) << out.err;
    EXPECT_EQ(out.out, row.preview);
  }
}

TEST(CliNames, ThousandsOfNamesCollapsingIntoOneAreAllNumbered) {
  // The cost of the numbering is counted in the core's tests (renames and status queries,
  // exact on any machine); here the names the CLI leaves.
  testing::TempTree tree;
#ifdef _WIN32
  constexpr int kFiles = 500;  // wine reads the whole folder for each new name
#else
  constexpr int kFiles = 5000;
#endif
  Lines names;
  for (int i = 0; i < kFiles; ++i) names.push_back("same/f" + std::to_string(i) + ".txt");
  tree.make(names);
  EXPECT_EQ(RunCli({"change", "--folder", tree.path("same"), "--set", "newName=same", "--yes", "--state-dir",
                    tree.path("state")})
                .exit,
            0);
  const Lines after = tree.listUnder("same");
  ASSERT_EQ(after.size(), static_cast<std::size_t>(kFiles));
  EXPECT_NE(std::find(after.begin(), after.end(), "same.txt"), after.end());
  EXPECT_NE(std::find(after.begin(), after.end(), "same(" + std::to_string(kFiles - 1) + ").txt"), after.end());
}

TEST(CliNames, JsonTakesAsTextOnlyWellFormedUtf8) {
  struct Row {
    const char* name;
    std::string text;
    bool valid;
  };
  const Row rows[] = {
      {"empty", "", true},
      {"two, three and four bytes", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", true},
      {"the edges: U+07FF, U+D7FF, U+E000, U+FFFF, U+10FFFF",
       "\xdf\xbf\xed\x9f\xbf\xee\x80\x80\xef\xbf\xbf\xf4\x8f\xbf\xbf", true},
      {"overlong in two bytes", "\xc1\xbf", false},
      {"overlong in three bytes", "\xe0\x9f\xbf", false},
      {"overlong in four bytes", "\xf0\x8f\xbf\xbf", false},
      {"first surrogate", "\xed\xa0\x80", false},
      {"last surrogate", "\xed\xbf\xbf", false},
      {"above U+10FFFF", "\xf4\x90\x80\x80", false},
      {"a lead byte beyond F4", "\xf5\x80\x80\x80", false},
      {"cut short at the end", "a\xe2\x82", false},
      {"a lone continuation byte", "\x80", false},
      {"a continuation byte missing", "\xc3(", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(cli::IsValidUtf8(row.text), row.valid);
    EXPECT_EQ(cli::JsonText(row.text).is_string(), row.valid);
  }
}

TEST(CliNames, ListsOfPathsKeepEveryByteButTheirSeparators) {
  struct Row {
    const char* name;
    std::string text;
    bool nul;
    Lines paths;
  };
  const Row rows[] = {
      {"lines, CR LF and empty lines", "a b\r\n\n/c\n", false, {"a b", "/c"}},
      {"no line break at the end", "x\ny", false, {"x", "y"}},
      {"NUL keeps line breaks and a CR inside names", std::string("a\nb\0c\r\0\0", 8), true, {"a\nb", "c\r"}},
      {"nothing", "", true, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::istringstream in(row.text);
    EXPECT_EQ(cli::ReadPathList(in, row.nul), row.paths);
  }
}

TEST(CliNames, ProgressLineFitsOneLineAndCutsNoCharacter) {
  EXPECT_EQ(cli::ProgressLine::Text(1500, 2.0, "/a/b/IMG_1.JPG", 79), "1500 items, 750/s, IMG_1.JPG");
  EXPECT_EQ(cli::ProgressLine::Text(3, 0, "x\ny", 79), "3 items, 0/s, x?y");
  // 20 bytes of room: "1 items, 1/s, " is 14, the name gets 6 bytes, cut before the third "é".
  EXPECT_EQ(cli::ProgressLine::Text(1, 1.0, "/\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", 20), "1 items, 1/s, \xc3\xa9\xc3\xa9\xc3\xa9");
  EXPECT_EQ(cli::ProgressLine::Text(1, 1.0, "/\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", 19), "1 items, 1/s, \xc3\xa9\xc3\xa9");
}

TEST(CliNames, UsageErrorsWithJsonPrintOneObject) {
  testing::TempTree tree;
  const auto out = RunCli({"replace", "--json", "--set", "noSuchField=1", "--folder", tree.root()});
  EXPECT_EQ(out.exit, 3);
  const json j = json::parse(out.out);
  EXPECT_EQ(j["exit"], 3);
  EXPECT_EQ(j["messages"][0]["title"], "Usage");
  EXPECT_EQ(RunCli({"frobnicate", "--json"}).out, "{\"exit\":3,\"messages\":[{\"text\":\"unknown command "
                                                   "'frobnicate'\",\"title\":\"Usage\"}]}\n");
}

#ifndef _WIN32
TEST(CliNames, ItemsWithLineBreaksAreLeftAloneAndNamed) {
  testing::TempTree tree;
  tree.make({"t/a.txt"});
  tree.writeFile("t/x\nsecret.txt\ny.txt", "");
  const std::string t = tree.path("t"), state = tree.path("state");
  const auto out =
      RunCli({"extension", "--folder", t, "--set", "newExtension=md", "--set", "allExtensions=true", "--yes",
              "--state-dir", state});
  EXPECT_EQ(out.exit, 4);
  EXPECT_EQ(out.out, WithSeparator(t) + "a.txt\t" + WithSeparator(t) + "a.md\n");
  EXPECT_EQ(out.err, "Error: '" + WithSeparator(t) + "x\\nsecret.txt\\ny.txt' was not renamed to '" +
                         WithSeparator(t) + "x\\nsecret.txt\\ny.md': the name holds a line break, which the " +
                         "rollback log cannot record\n");
  EXPECT_EQ(tree.readFile("state/rollback.rbk"), WithSeparator(t) + "a.md\r\n" + WithSeparator(t) + "a.txt\r\n");
  EXPECT_EQ(RunCli({"undo", "--yes", "--state-dir", state}).exit, 0);
  EXPECT_EQ(tree.listUnder("t"), (Lines{"a.txt", "x\nsecret.txt\ny.txt"}));
  // Left alone as the only item: nothing was renamed, and that is a failure, not "nothing to do".
  EXPECT_EQ(RunCli({"change", "--yes", "--state-dir", state, "--set", "newName=n", tree.path("t/x\nsecret.txt\ny.txt")})
                .exit,
            4);
  EXPECT_EQ(tree.listUnder("t"), (Lines{"a.txt", "x\nsecret.txt\ny.txt"}));
  // The preview names the item it would leave alone, and shows the rest.
  const auto preview = RunCli({"extension", "--folder", t, "--set", "newExtension=md", "--set", "allExtensions=true",
                               "--preview", "--state-dir", state});
  EXPECT_EQ(preview.exit, 0);
  EXPECT_EQ(preview.out, "a.txt\ta.md\n");
  EXPECT_NE(preview.err.find("y.txt' would not be renamed to '"), std::string::npos) << preview.err;
}

TEST(CliNames, UndoReplaysOnlyPairsOfAbsolutePaths) {
  testing::TempTree tree;
  tree.make({"t/now.txt", "cwd/victim.txt"});
  const std::string t = tree.path("t");
  tree.writeFile("state/rollback.rbk", "victim.txt\r\nstolen.txt\r\n" + WithSeparator(t) + "now.txt\r\n" +
                                           WithSeparator(t) + "was.txt\r\n" + WithSeparator(t) + "now.txt\r\nrel\r\n");
  testing::ProcessOptions options;
  options.workingFolder = tree.path("cwd");
  const auto out = RunCli({"undo", "--yes", "--state-dir", tree.path("state")}, options);
  EXPECT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, WithSeparator(t) + "now.txt\t" + WithSeparator(t) + "was.txt\n");
  EXPECT_EQ(out.err,
            "Undo Confirmation: Do you want to UNDO the last rename operation ?\n"
            "Warning: 2 entries of rollback.rbk are not pairs of absolute paths; they were left alone.\n");
  EXPECT_EQ(tree.listUnder("cwd"), Lines{"victim.txt"});
  EXPECT_EQ(tree.listUnder("t"), Lines{"was.txt"});
  // A log of nothing but such pairs: nothing restored, which is not "done".
  tree.writeFile("state/rollback.rbk", "victim.txt\r\nstolen.txt\r\n");
  EXPECT_EQ(RunCli({"undo", "--yes", "--state-dir", tree.path("state")}, options).exit, 1);
  EXPECT_EQ(tree.listUnder("cwd"), Lines{"victim.txt"});
}

TEST(CliNames, JsonCarriesNamesThatAreNotUtf8AsBytes) {
  testing::TempTree tree;
  tree.writeFile("t/caf\xe9.txt", "");
  tree.writeFile("t/\xed\xa0\x80.txt", "");  // a surrogate: no character JSON can hold either
  const std::string t = tree.path("t");
  const auto out = RunCli({"extension", "--folder", t, "--set", "newExtension=md", "--set", "allExtensions=true",
                           "--yes", "--json", "--state-dir", tree.path("state")});
  EXPECT_EQ(out.exit, 0) << out.err;
  const json j = json::parse(out.out);
  ASSERT_EQ(j["renamed"].size(), 2u);
  // Standard base64 of the path's bytes.
  const auto base64 = [](const std::string& s) {
    static const char* d = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string o;
    for (std::size_t i = 0; i < s.size(); i += 3) {
      unsigned v = 0;
      const std::size_t n = std::min<std::size_t>(3, s.size() - i);
      for (std::size_t k = 0; k < 3; ++k) v = v << 8 | (k < n ? static_cast<unsigned char>(s[i + k]) : 0u);
      for (std::size_t k = 0; k < 4; ++k) o += k <= n ? d[v >> (18 - 6 * k) & 63] : '=';
    }
    return o;
  };
  EXPECT_EQ(j["renamed"][0][0], (json{{"bytes", base64(WithSeparator(t) + "caf\xe9.txt")}}));
  EXPECT_EQ(j["renamed"][0][1], (json{{"bytes", base64(WithSeparator(t) + "caf\xe9.md")}}));
  EXPECT_EQ(j["renamed"][1][1], (json{{"bytes", base64(WithSeparator(t) + "\xed\xa0\x80.md")}}));
  EXPECT_EQ(base64("caf\xe9"), "Y2Fm6Q==");
  EXPECT_EQ(tree.listUnder("t"), (Lines{"caf\xe9.md", "\xed\xa0\x80.md"}));
}
#endif

}  // namespace
}  // namespace velmora
