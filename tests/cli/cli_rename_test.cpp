// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli end to end: the real binary on real temporary folders, its stdout, stderr,
// exit code, and the files it leaves (renamed items, rollback.rbk, Newname.txt).

#include <gtest/gtest.h>

#include <filesystem>

#include <optional>

#include "cli/cli_runner.h"
#include "engine/name_pattern.h"
#include "platform/code_page.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;
using CliOutput = testing::ProcessResult;
using nlohmann::json;
using testing::IsReadOnly;
using testing::JsonLine;
using testing::RunCli;
using testing::WithSeparator;

/// A work folder "w" and a state folder beside it; every command gets --state-dir.
class Cli : public ::testing::Test {
 protected:
  CliOutput run(Lines args) {
    args.push_back("--state-dir");
    args.push_back(state());
    return RunCli(args);
  }
  std::string state() const { return tree.path("state"); }
  std::string w(const std::string& rel = "") const { return tree.path(rel.empty() ? "w" : "w/" + rel); }
  /// The work folder's entries, relative to it.
  Lines work() const {
    Lines out;
    for (const auto& e : tree.list())
      if (e.rfind("w/", 0) == 0 && e != "w/") out.push_back(e.substr(2));
    return out;
  }
  std::optional<std::string> stateFile(const std::string& name) const {
    if (!tree.exists("state/" + name)) return std::nullopt;
    return tree.readFile("state/" + name);
  }

  testing::TempTree tree;
  testing::TempTree scratch;
};

const std::string kS = "Edit content is (Filenames in this folder(ONE layer)),continue ?";
const std::string kCancelled = "Not asked (no terminal): answered Cancel; --yes answers OK.\n";
const std::string kNothing =
    "Information: No filename had been changed,please check input text and \nmake sure that the targeted files can "
    "be renamed.\n";
const std::string kNine =
    "Information: You should remove one of following nine characters from input text, because they are prohibited "
    "in Windows filenames:  \\ / : * ? \" < > |\n";

/// One end-to-end run. Paths in args, renamed and after are relative to the work folder
/// "w": "@" alone stands for the folder, "@x" for w/x.
struct RunCase {
  const char* name;
  Lines files;
  Lines args;
  int exit;
  std::vector<std::pair<std::string, std::string>> renamed;  ///< stdout, in order
  Lines after;                                               ///< the work folder afterwards
  std::string err;                                           ///< stderr, whole
  std::optional<std::string> history;                        ///< Newname.txt bytes, or none
};

class CliRuns : public Cli {
 protected:
  std::string expand(const std::string& s) const {
    if (s == "@") return w();
    if (!s.empty() && s[0] == '@') return w(s.substr(1));
    return s;
  }
  void check(const std::vector<RunCase>& cases) {
    for (const RunCase& c : cases) {
      SCOPED_TRACE(c.name);
      testing::TempTree fresh;
      tree_ = &fresh;
      Lines files;
      for (const auto& f : c.files) files.push_back("w/" + f);
      files.push_back("w/");
      fresh.make(files);
      Lines args;
      for (const auto& a : c.args) args.push_back(expand(a));
      args.push_back("--state-dir");
      args.push_back(fresh.path("state"));
      const CliOutput out = RunCli(args);
      EXPECT_EQ(out.exit, c.exit);
      std::string expectedOut;
      for (const auto& [from, to] : c.renamed) expectedOut += expand(from) + "\t" + expand(to) + "\n";
      EXPECT_EQ(out.out, expectedOut);
      EXPECT_EQ(out.err, c.err);
      Lines after;
      for (const auto& e : fresh.list())
        if (e.rfind("w/", 0) == 0 && e != "w/") after.push_back(e.substr(2));
      EXPECT_EQ(after, c.after);
      EXPECT_EQ(fresh.exists("state/Newname.txt") ? std::optional<std::string>(fresh.readFile("state/Newname.txt"))
                                                  : std::nullopt,
                c.history);
      // A run that renamed something leaves its log, and only then.
      EXPECT_EQ(fresh.exists("state/rollback.rbk"), !c.renamed.empty());
      tree_ = nullptr;
    }
  }
  std::string w(const std::string& rel = "") const { return tree_->path(rel.empty() ? "w" : "w/" + rel); }
  testing::TempTree* tree_ = nullptr;
};

TEST_F(CliRuns, Remove) {
  check({
      {"strings from a folder", {"a-x.txt", "b-x.txt", "c.txt"},
       {"remove", "--folder", "@", "--set", "removeText1=-x"}, 0,
       {{"@a-x.txt", "@a.txt"}, {"@b-x.txt", "@b.txt"}}, {"a.txt", "b.txt", "c.txt"}, "", std::nullopt},
      {"selected part, sample from the first item", {"abcdef.txt", "abcdefgh.txt"},
       {"remove", "--folder", "@", "--set", "removeMode=RemoveSelected", "--set", "SelectionStart=2", "--set",
        "SelectionLength=2"},
       0, {{"@abcdef.txt", "@abef.txt"}, {"@abcdefgh.txt", "@abefgh.txt"}}, {"abef.txt", "abefgh.txt"}, "",
       std::nullopt},
      {"between with the boundaries", {"a[x]b.txt"},
       {"remove", "--folder", "@", "--set", "removeMode=RemoveBetween", "--set", "leftText=[", "--set",
        "rightText=]", "--set", "removeBoundaries=true"},
       0, {{"@a[x]b.txt", "@ab.txt"}}, {"ab.txt"}, "", std::nullopt},
      {"keep strings, hand-picked", {"trip_2007_final.jpg", "other.jpg"},
       {"remove", "@trip_2007_final.jpg", "--set", "removeMode=KeepStrings", "--set", "keepText1=2007"}, 0,
       {{"@trip_2007_final.jpg", "@2007.jpg"}}, {"2007.jpg", "other.jpg"}, "", std::nullopt},
      {"clean symbols", {"Song - Artist (Live)!.mp3"},
       {"remove", "--folder", "@", "--set", "removeMode=CleanSymbols"}, 0,
       {{"@Song - Artist (Live)!.mp3", "@Song - Artist Live.mp3"}}, {"Song - Artist Live.mp3"}, "", std::nullopt},
      {"no strings", {"a.txt"}, {"remove", "--folder", "@"}, 2, {}, {"a.txt"},
       "Information: Please select or input string to be removed.\nField: removeText1 (--set removeText1=...)\n",
       std::nullopt},
      {"empty folder", {}, {"remove", "--folder", "@", "--set", "removeText1=a"}, 2, {}, {},
       "Information: There is no file(one layer) now!\n", std::nullopt},
  });
}

TEST_F(CliRuns, Replace) {
  check({
      {"case-insensitive, recorded", {"Photo Photo.jpg"},
       {"replace", "--folder", "@", "--set", "oldText=photo", "--set", "newText=pic"}, 0,
       {{"@Photo Photo.jpg", "@pic pic.jpg"}}, {"pic pic.jpg"}, "", "pic\r\n"},
      {"ordered numbers", {"img a.jpg", "img b.jpg"},
       {"replace", "--folder", "@", "--set", "oldText=img", "--set", "newText=$$$"}, 0,
       {{"@img a.jpg", "@001 a.jpg"}, {"@img b.jpg", "@002 b.jpg"}}, {"001 a.jpg", "002 b.jpg"}, "", "$$$\r\n"},
      {"empty new string answered Cancel", {"xay.txt"}, {"replace", "--folder", "@", "--set", "oldText=a"}, 2, {},
       {"xay.txt"},
       "Replace Confirmation: The new part is empty, it will REMOVE old part 'a'(case insensitive) from original "
       "filenames,\n" +
           kS + "\n" + kCancelled,
       std::nullopt},
      {"empty new string with --yes", {"xay.txt"}, {"replace", "--folder", "@", "--set", "oldText=a", "--yes"}, 0,
       {{"@xay.txt", "@xy.txt"}}, {"xy.txt"},
       "Replace Confirmation: The new part is empty, it will REMOVE old part 'a'(case insensitive) from original "
       "filenames,\n" +
           kS + "\n",
       std::nullopt},
      {"nothing matches: recorded all the same", {"a.txt"},
       {"replace", "--folder", "@", "--set", "oldText=zz", "--set", "newText=q"}, 1, {}, {"a.txt"}, kNothing,
       "q\r\n"},
      {"selected part from the end", {"abcdef.txt", "xxabcdef.txt"},
       {"replace", "--folder", "@", "--set", "replaceMode=ReplaceSelected", "--set", "replaceFromEnd=true", "--set",
        "SelectionStart=2", "--set", "SelectionLength=2", "--set", "newText=XY"},
       0, {{"@abcdef.txt", "@abXYef.txt"}, {"@xxabcdef.txt", "@xxabXYef.txt"}}, {"abXYef.txt", "xxabXYef.txt"}, "",
       "XY\r\n"},
  });
}

TEST_F(CliRuns, RegularExpressionsAndFilters) {
  RunCase numbered{"only the *.jpg numbered 1..5", {}, {"change", "--folder", "@", "--set", "newName=p$", "--include",
                   "*.jpg"}, 0, {}, {}, "", "p$\r\n"};
  for (int i = 1; i <= 5; ++i) {
    const std::string n = std::to_string(i);
    numbered.files.insert(numbered.files.end(), {"a" + n + ".JPG", "a" + n + ".txt"});
    numbered.renamed.push_back({"@a" + n + ".JPG", "@p" + n + ".JPG"});
  }
  for (int i = 1; i <= 5; ++i) numbered.after.push_back("a" + std::to_string(i) + ".txt");
  for (int i = 1; i <= 5; ++i) numbered.after.push_back("p" + std::to_string(i) + ".JPG");
  std::vector<RunCase> cases{
      numbered,
      {"excluded names stay", {"a.txt", "b.tmp", "c.TMP"},
       {"change", "--folder", "@", "--set", "newName=n", "--exclude", "*.tmp"}, 0, {{"@a.txt", "@n.txt"}},
       {"b.tmp", "c.TMP", "n.txt"}, "", "n\r\n"},
  };
  if (engine::RegexAvailable()) {
    cases.push_back({"groups swap", {"Artist - Title.mp3", "other.mp3"},
                     {"replace", "--folder", "@", "--set", "oldText=^(.+) - (.+)$", "--set", "newText=\\2 (\\1)",
                      "--set", "regex=true"},
                     0, {{"@Artist - Title.mp3", "@Title (Artist).mp3"}}, {"Title (Artist).mp3", "other.mp3"}, "",
                     "\\2 (\\1)\r\n"});
    cases.push_back({"pattern filter", {"x1.txt", "x22.txt", "y3.txt"},
                     {"remove", "--folder", "@", "--set", "removeText1=\\d", "--set", "regex=true", "--include", "^x\\d\\."},
                     0, {{"@x1.txt", "@x.txt"}}, {"x.txt", "x22.txt", "y3.txt"}, "", std::nullopt});
    cases.push_back({"a pattern that does not compile", {"a.txt"},
                     {"replace", "--folder", "@", "--set", "oldText=(", "--set", "newText=b", "--set", "regex=true"}, 2,
                     {}, {"a.txt"},
                     "Information: The regular expression '(' is not valid: missing closing parenthesis (at position "
                     "2).\nField: oldText (--set oldText=...)\n",
                     std::nullopt});
  }
  check(cases);
}

TEST_F(Cli, PathsFromAListAreOneRunWithOneUndo) {
  tree.make({"w/a.JPG", "w/sub/b.JPG", "w/c.txt"});
  scratch.writeFile("list", w("a.JPG") + std::string(1, '\0') + w("sub/b.JPG") + std::string(1, '\0'));
  CliOutput out = run({"extension", "--set", "newExtension=.jpg", "-0", "--from-file", scratch.path("list"), "-y"});
  EXPECT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, w("a.JPG") + "\t" + w("a.jpg") + "\n" + w("sub/b.JPG") + "\t" + w("sub/b.jpg") + "\n");
  EXPECT_EQ(work(), (Lines{"a.jpg", "c.txt", "sub/", "sub/b.jpg"}));
  out = run({"undo", "-y"});
  EXPECT_EQ(out.exit, 0);
  EXPECT_EQ(work(), (Lines{"a.JPG", "c.txt", "sub/", "sub/b.JPG"}));
  // One a line, relative to the working folder as other targets; a missing path refuses the run.
  scratch.writeFile("lines", "w/c.txt\r\n\nw/nope\n");
  testing::ProcessOptions here;
  here.workingFolder = tree.path("");
  out = testing::RunCli({"change", "--set", "newName=d", "--from-file", scratch.path("lines"), "--state-dir", state()},
                        here);
  EXPECT_EQ(out.exit, 2);
  EXPECT_EQ(out.err, "Error: '" + w("nope") + "' does not exist\n");
  EXPECT_EQ(work(), (Lines{"a.JPG", "c.txt", "sub/", "sub/b.JPG"}));
}

TEST_F(Cli, PreviewMarksNumberedRows) {
  tree.make({"w/a.txt", "w/b.txt"});
  CliOutput out = run({"change", "--folder", w(), "--set", "newName=x", "-n"});
  EXPECT_EQ(out.out, "a.txt\tx.txt\nb.txt\tx(1).txt\t(numbered)\n");
  out = run({"change", "--folder", w(), "--set", "newName=x", "--preview", "--json"});
  EXPECT_EQ(out.out, "{\"exit\":0,\"numbered\":[1],\"preview\":[[\"a.txt\",\"x.txt\"],[\"b.txt\",\"x(1).txt\"]]}\n");
  out = run({"change", "--folder", w(), "--set", "newName=x", "-n", "-v"});
  EXPECT_EQ(out.err, "Summary: 1 to rename, 1 numbered, 0 unchanged, 0 left alone\n");
}

TEST_F(CliRuns, Insert) {
  check({
      {"head and end, end recorded last", {"photo.jpg"},
       {"insert", "--folder", "@", "--set", "atHead=true", "--set", "headText=new_", "--set", "atEnd=on", "--set",
        "endText=_old"},
       0, {{"@photo.jpg", "@new_photo_old.jpg"}}, {"new_photo_old.jpg"}, "", "_old\r\nnew_\r\n"},
      {"cursor with a given sample", {"abc.txt", "abcdef.txt"},
       {"insert", "--folder", "@", "--set", "atCursor=1", "--set", "cursorText=-", "--set", "SampleName=abcdef",
        "--set", "CursorPos=5"},
       0, {{"@abc.txt", "@abc-.txt"}, {"@abcdef.txt", "@abcd-ef.txt"}}, {"abc-.txt", "abcd-ef.txt"}, "", "-\r\n"},
      {"between two strings", {"abcd_ab_cd.txt"},
       {"insert", "--folder", "@", "--set", "insertMode=InsertAtString", "--set", "anchorPlacement=2", "--set",
        "anchorText=ab", "--set", "secondAnchorText=cd", "--set", "insertText=-"},
       0, {{"@abcd_ab_cd.txt", "@ab-cd_ab_cd.txt"}}, {"ab-cd_ab_cd.txt"}, "", "-\r\n"},
      {"no position", {"a.txt"}, {"insert", "--folder", "@", "--set", "headText=x"}, 2, {}, {"a.txt"},
       "Information: You have not selected insert position, please select one or more checkbox.\n", std::nullopt},
      {"bad random token", {"a.txt"}, {"insert", "--folder", "@", "--set", "atEnd=true", "--set", "endText=%ab%"}, 2,
       {}, {"a.txt"}, "Information: The random string digits(ab) is not an integer.\n", std::nullopt},
  });
}

TEST_F(CliRuns, Change) {
  RunCase natural{"natural order numbers IMG_1 .. IMG_12", {}, {"change", "--folder", "@", "--set", "newName=p$$",
                  "--order", "natural"}, 0, {}, {}, "", "p$$\r\n"};
  for (int i = 1; i <= 12; ++i) {
    const std::string old = "IMG_" + std::to_string(i) + ".jpg", renamed = (i < 10 ? "p0" : "p") + std::to_string(i) + ".jpg";
    natural.files.push_back(old);
    natural.renamed.push_back({"@" + old, "@" + renamed});
    natural.after.push_back(renamed);
  }
  check({
      natural,
      {"one new name, hand-picked", {"img1.jpg", "img2.png"},
       {"change", "@img1.jpg", "@img2.png", "--set", "newName=holiday"}, 0,
       {{"@img1.jpg", "@holiday.jpg"}, {"@img2.png", "@holiday.png"}}, {"holiday.jpg", "holiday.png"}, "",
       "holiday\r\n"},
      {"same new names are numbered", {"a.jpg", "b.jpg"}, {"change", "--folder", "@", "--set", "newName=x"}, 0,
       {{"@a.jpg", "@x.jpg"}, {"@b.jpg", "@x(1).jpg"}}, {"x(1).jpg", "x.jpg"}, "", "x\r\n"},
      {"upper case, nothing recorded", {"read me.txt"},
       {"change", "--folder", "@", "--set", "changeMode=ConvertCase", "--set", "caseStyle=Upper", "--set",
        "newName=ignored"},
       0, {{"@read me.txt", "@READ ME.TXT"}}, {"READ ME.TXT"}, "", std::nullopt},
      {"capitalize words", {"the lord of the rings.avi"},
       {"change", "--folder", "@", "--set", "changeMode=ConvertCase", "--set", "caseStyle=CapitalizeWords"}, 0,
       {{"@the lord of the rings.avi", "@The Lord of the Rings.avi"}}, {"The Lord of the Rings.avi"}, "",
       std::nullopt},
      {"capitalize words without the small-word rule", {"war and peace.txt"},
       {"change", "--folder", "@", "--set", "changeMode=ConvertCase", "--set", "caseStyle=CapitalizeWords", "--set",
        "ExcludeSmallWords=false"},
       0, {{"@war and peace.txt", "@War And Peace.txt"}}, {"War And Peace.txt"}, "", std::nullopt},
      {"colon refused", {"a.txt"}, {"change", "--folder", "@", "--set", "newName=a:b"}, 2, {}, {"a.txt"}, kNine,
       std::nullopt},
  });
}

TEST_F(CliRuns, UnicodeNamesUnderUtf8) {
  if (platform::SystemCodePage().id() != platform::CodePageId::Utf8) GTEST_SKIP() << "names are UTF-8 here only";
  check({
      {"case-insensitive across accents and decomposed names", {"ÉCOLE 1.txt", "e\xcc\x81" "cole 2.txt"},
       {"replace", "--folder", "@", "--set", "oldText=école", "--set", "newText=school"}, 0,
       {{"@e\xcc\x81" "cole 2.txt", "@school 2.txt"}, {"@ÉCOLE 1.txt", "@school 1.txt"}},
       {"school 1.txt", "school 2.txt"}, "", "school\r\n"},
      {"Unicode upper case", {"école.txt"},
       {"change", "--folder", "@", "--set", "changeMode=ConvertCase", "--set", "caseStyle=Upper"}, 0,
       {{"@école.txt", "@ÉCOLE.TXT"}}, {"ÉCOLE.TXT"}, "", std::nullopt},
  });
}

TEST_F(Cli, ChangeOnlyThisFolderRenamesTheFolderItself) {
  tree.make({"w/sub/a.txt"});
  const CliOutput out = run({"change", "--folder", w("sub"), "--scope", "3", "--set", "newName=renamed"});
  EXPECT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, w("sub") + "\t" + w("renamed") + "\n");
  EXPECT_EQ(work(), (Lines{"renamed/", "renamed/a.txt"}));
}

TEST_F(Cli, PreviewRenamesAndWritesNothing) {
  tree.make({"w/a-x.txt", "w/b.txt", "w/sub/c-x.txt"});
  CliOutput out = run({"remove", "--folder", w(), "--set", "removeText1=-x", "--preview"});
  EXPECT_EQ(out.exit, 0);
  EXPECT_EQ(out.out, "a-x.txt\ta.txt\n");  // names only in ONE layer
  EXPECT_EQ(out.err, "");
  out = run({"remove", "--folder", w(), "--scope", "1", "--set", "removeText1=-x", "--preview"});
  EXPECT_EQ(out.out, w("sub/c-x.txt") + "\t" + w("sub/c.txt") + "\n" + w("a-x.txt") + "\t" + w("a.txt") + "\n");
  out = run({"replace", "--folder", w(), "--set", "oldText=zz", "--set", "newText=n", "--preview"});
  EXPECT_EQ(out.exit, 0);
  EXPECT_EQ(out.out, "(No filename will be renamed)\n");
  EXPECT_EQ(work(), (Lines{"a-x.txt", "b.txt", "sub/", "sub/c-x.txt"}));
  EXPECT_FALSE(stateFile("rollback.rbk"));
  EXPECT_FALSE(stateFile("Newname.txt"));
}

TEST_F(Cli, PreviewStillAsksTheAlwaysShownQuestion) {
  tree.make({"w/xay.txt"});
  const CliOutput out = run({"replace", "--folder", w(), "--set", "oldText=a", "--preview"});
  EXPECT_EQ(out.exit, 2);
  EXPECT_EQ(out.out, "");
  EXPECT_EQ(out.err,
            "Replace Confirmation: The new part is empty, it will REMOVE old part 'a'(case insensitive) from original "
            "filenames,\nEdit content is (Filenames in this folder(ONE layer)),continue preview ?\n" +
                kCancelled);
}

TEST_F(Cli, JsonOutput) {
  tree.make({"w/a.txt"});
  CliOutput out = run({"change", "--folder", w(), "--set", "newName=b", "--json"});
  EXPECT_EQ(out.exit, 0);
  EXPECT_EQ(out.out, JsonLine({{"exit", 0}, {"renamed", json::array({json::array({w("a.txt"), w("b.txt")})})}}));
  EXPECT_EQ(out.err, "");
  out = run({"change", "--folder", w(), "--json"});
  EXPECT_EQ(out.exit, 2);
  EXPECT_EQ(out.out,
            "{\"exit\":2,\"field\":\"newName\",\"messages\":[{\"text\":\"Please input new name\",\"title\":"
            "\"Information\"}]}\n");
  EXPECT_EQ(out.err, "");
  out = run({"change", "--folder", w(), "--set", "newName=c", "--json", "--preview"});
  EXPECT_EQ(out.out, "{\"exit\":0,\"preview\":[[\"b.txt\",\"c.txt\"]]}\n");
}

TEST_F(Cli, HistoryAcrossRunsAndItsMaximum) {
  tree.make({"w/a.txt"});
  for (const char* text : {"Pic", "x", "y"})
    ASSERT_EQ(run({"insert", "--folder", w(), "--set", "atEnd=true", "--set", std::string("endText=") + text}).exit,
              0);
  EXPECT_EQ(stateFile("Newname.txt"), "y\r\nx\r\nPic\r\n");
  ASSERT_EQ(run({"insert", "--folder", w(), "--set", "atEnd=true", "--set", "endText=pic", "--history-max", "2"}).exit,
            0);
  EXPECT_EQ(stateFile("Newname.txt"), "pic\r\ny\r\n");
  ASSERT_EQ(run({"insert", "--folder", w(), "--set", "atHead=true", "--set", "headText=z", "--history-max", "0"}).exit,
            0);
  EXPECT_FALSE(stateFile("Newname.txt"));
  EXPECT_EQ(run({"insert", "--folder", w(), "--set", "atHead=true", "--set", "headText=z", "--history-max", "101"}).exit,
            3);
}

TEST_F(Cli, RollbackLogAndUndo) {
  tree.make({"w/a.txt", "w/b.txt", "w/c.doc"});
  CliOutput out = run({"extension", "--folder", w(), "--set", "oldExtension=txt", "--set", "newExtension=..md."});
  EXPECT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, w("a.txt") + "\t" + w("a.md") + "\n" + w("b.txt") + "\t" + w("b.md") + "\n");
  EXPECT_EQ(work(), (Lines{"a.md", "b.md", "c.doc"}));
  EXPECT_EQ(stateFile("rollback.rbk"),
            w("a.md") + "\r\n" + w("a.txt") + "\r\n" + w("b.md") + "\r\n" + w("b.txt") + "\r\n");
  EXPECT_TRUE(IsReadOnly(tree.path("state/rollback.rbk")));
  EXPECT_FALSE(stateFile("Newname.txt"));  // extension runs record nothing
  EXPECT_FALSE(stateFile("rollback.rbk.journal"));

  out = run({"undo"});
  EXPECT_EQ(out.exit, 2);
  EXPECT_EQ(out.err,
            "Undo Confirmation: Do you want to UNDO the last rename operation ?\nNot asked (no terminal): answered No; "
            "--yes answers Yes.\n");
  EXPECT_EQ(work(), (Lines{"a.md", "b.md", "c.doc"}));

  out = run({"undo", "--yes"});
  EXPECT_EQ(out.exit, 0);
  EXPECT_EQ(out.out, w("b.md") + "\t" + w("b.txt") + "\n" + w("a.md") + "\t" + w("a.txt") + "\n");
  EXPECT_EQ(work(), (Lines{"a.txt", "b.txt", "c.doc"}));
  EXPECT_FALSE(stateFile("rollback.rbk"));

  out = run({"undo", "--yes"});
  EXPECT_EQ(out.exit, 1);
  EXPECT_EQ(out.err, "Information: There is no rename operation to undo.\n");
}

TEST_F(Cli, ASecondRunReplacesTheReadOnlyLog) {
  tree.make({"w/a.txt"});
  ASSERT_EQ(run({"change", "--folder", w(), "--set", "newName=b"}).exit, 0);
  ASSERT_EQ(run({"change", "--folder", w(), "--set", "newName=c"}).exit, 0);
  EXPECT_EQ(stateFile("rollback.rbk"), w("c.txt") + "\r\n" + w("b.txt") + "\r\n");
  EXPECT_TRUE(IsReadOnly(tree.path("state/rollback.rbk")));
}

TEST_F(Cli, NothingRenamedKeepsThePreviousLog) {
  tree.make({"w/a.txt"});
  ASSERT_EQ(run({"change", "--folder", w(), "--set", "newName=b"}).exit, 0);
  const auto before = stateFile("rollback.rbk");
  const CliOutput out = run({"remove", "--folder", w(), "--set", "removeText1=zz"});
  EXPECT_EQ(out.exit, 1);
  EXPECT_EQ(out.err, kNothing);
  EXPECT_EQ(stateFile("rollback.rbk"), before);
}

TEST_F(Cli, ExtensionChecks) {
  tree.make({"w/sub/a.txt"});
  CliOutput out = run({"extension", "--folder", w("sub"), "--scope", "3", "--set", "newExtension=md"});
  EXPECT_EQ(out.exit, 2);
  EXPECT_EQ(out.err, "Warning: Folder or subfolder name have no extension part.\n");
  out = run({"extension", "--folder", w("sub"), "--set", "newExtension=."});
  EXPECT_EQ(out.exit, 2);
  EXPECT_EQ(out.err,
            "Change Confirmation: The new extention part is empty,\nit will REMOVE old extention part from original "
            "filenames,\nEdit content is (Filenames in this folder(ONE layer)),continue ?\n" +
                kCancelled);
  EXPECT_EQ(work(), (Lines{"sub/", "sub/a.txt"}));
  out = run({"extension", "--folder", w("sub"), "--set", "newExtension=.", "--yes"});
  EXPECT_EQ(out.exit, 0);
  EXPECT_EQ(work(), (Lines{"sub/", "sub/a"}));
}

TEST_F(Cli, UnwritableLogIsAFailureThatKeepsTheJournal) {
  tree.make({"w/a.txt", "state/rollback.rbk/"});  // a folder where the log goes
  const CliOutput out = run({"change", "--folder", w(), "--set", "newName=b"});
  EXPECT_EQ(out.exit, 4);
  EXPECT_EQ(out.err, "Warning: The rollback log could not be written; the renames are kept in " +
                         WithSeparator(state()) + "rollback.rbk.journal.\n");
  EXPECT_EQ(stateFile("rollback.rbk.journal"), w("b.txt") + "\r\n" + w("a.txt") + "\r\n");
}

TEST_F(Cli, UnusableStateFolderRenamesNothing) {
  tree.make({"w/a.txt", "state"});  // a file where the folder should be
  const CliOutput out = run({"change", "--folder", w(), "--set", "newName=b"});
  EXPECT_EQ(out.exit, 4);
  EXPECT_EQ(work(), Lines{"a.txt"});
}

struct UsageCase {
  const char* name;
  Lines args;
  std::string errPart;  ///< stderr names the problem
};

TEST_F(Cli, UsageErrors) {
  tree.make({"w/a.txt"});
  const std::string d = w();
  const std::string recordFile = scratch.path("bad.json");
  scratch.writeFile("bad.json", "{\"removeText1\": \"a\", \"nosuchKey\": true}");
  const std::vector<UsageCase> cases = {
      {"unknown field", {"remove", "--folder", d, "--set", "nosuch=1"}, "'nosuch'"},
      {"mistyped field", {"replace", "--folder", d, "--set", "nwText=1"}, "did you mean newText"},
      {"bad value lists the allowed ones", {"change", "--folder", d, "--set", "caseStyle=x"}, "Lower|Upper|"},
      {"preview count zero", {"remove", "--folder", d, "--preview-count", "0"}, "--preview-count"},
      {"undo takes no target", {"undo", "--folder", d}, "--folder"},
      {"bad boolean", {"insert", "--folder", d, "--set", "atHead=maybe"}, "'atHead'"},
      {"bad enumeration", {"remove", "--folder", d, "--set", "removeMode=Bogus"}, "'removeMode'"},
      {"negative sample value", {"change", "--folder", d, "--set", "CursorPos=-1"}, "'CursorPos'"},
      {"start number too big", {"replace", "--folder", d, "--set", "startNumber=10001"}, "'startNumber'"},
      {"anchor placement", {"insert", "--folder", d, "--set", "anchorPlacement=3"}, "'anchorPlacement'"},
      {"no equals sign", {"replace", "--folder", d, "--set", "oldText"}, "FIELD=VALUE"},
      {"unknown key in a record file", {"remove", "--folder", d, "--record", recordFile}, "'nosuchKey'"},
      {"folder and paths", {"remove", "--folder", d, w("a.txt"), "--set", "removeText1=a"}, "either --folder"},
      {"no target", {"remove", "--set", "removeText1=a"}, "--folder DIR or at least one PATH"},
      {"no random kind", {"insert", "--folder", d, "--set", "randomUpper=false", "--set", "randomLower=0", "--set",
                          "randomNumbers=off"},
       "randomNumbers"},
      {"unknown command", {"frobnicate"}, "frobnicate"},
      {"mistyped command", {"replce"}, "unknown command 'replce' (did you mean 'replace'?)"},
      {"mistyped option", {"remove", "--folder", d, "--prevew"}, "'--prevew' (did you mean '--preview'"},
      {"unknown list of paths", {"remove", "--from-file", scratch.path("none")}, "cannot read the list of paths"},
      {"scope out of range", {"remove", "--folder", d, "--scope", "4"}, "--scope"},
      {"unknown order", {"change", "--folder", d, "--set", "newName=x", "--order", "date"}, "--order"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CliOutput out = run(c.args);
    EXPECT_EQ(out.exit, 3);
    EXPECT_NE(out.err.find(c.errPart), std::string::npos) << out.err;
    EXPECT_EQ(work(), Lines{"a.txt"});
  }
}

TEST_F(Cli, PresetsRunAndList) {
  tree.make({"w/IMG 1.jpg", "config/Tessaro/presets/"});
  scratch.make({"config/"});
#ifdef _WIN32
  const char* configVariable = "APPDATA";
#else
  const char* configVariable = "XDG_CONFIG_HOME";
#endif
  testing::ProcessOptions withConfig{{{configVariable, tree.path("config")}}, ""};
  tree.writeFile("config/Tessaro/presets/trip.json", "{\"oldText\": \"IMG\", \"newText\": \"trip\", \"replaceCaseSensitive\": true}");
  auto cli = [&](Lines args, const testing::ProcessOptions& options) {
    args.push_back("--state-dir");
    args.push_back(state());
    return RunCli(args, options);
  };
  CliOutput out = RunCli({"presets"}, withConfig);
  EXPECT_EQ(out.out, "trip\n");
  EXPECT_EQ(RunCli({"presets", "--json"}, withConfig).out, JsonLine({{"exit", 0}, {"presets", {"trip"}}}));
  // A later --set wins over the preset's field.
  out = cli({"replace", "--folder", w(), "--preset", "trip", "--set", "newText=tour"}, withConfig);
  EXPECT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(work(), Lines{"tour 1.jpg"});
  for (const char* bad : {"nosuch", "../trip", ".trip"}) {
    out = cli({"replace", "--folder", w(), "--preset", bad}, withConfig);
    EXPECT_EQ(out.exit, 3) << bad;
  }
  EXPECT_EQ(RunCli({"presets"}, {{{configVariable, scratch.path("config")}}, ""}).out, "");
}

TEST_F(Cli, EveryFieldIsSettable) {
  tree.make({"w/a.txt"});
  const Lines texts = {"removeText2", "removeText3", "leftText", "rightText", "keepText1", "keepText2",
                       "alsoEraseText", "keepOthersText", "oldText", "newText", "headText", "endText", "cursorText",
                       "anchorText", "secondAnchorText", "insertText", "newName", "oldExtension", "newExtension",
                       "SampleName"};
  const Lines flags = {"removeCaseSensitive", "removeFromEnd", "keepFromEnd", "removeBoundaries", "erasedToSpace",
                       "alsoErase", "keepDash", "keepParentheses", "keepBrackets", "keepUnderscore", "keepOthers",
                       "replaceCaseSensitive", "replaceFromEnd", "atHead", "atEnd", "atCursor", "cursorFromEnd",
                       "capitalizeFirst", "includeExtension", "allExtensions", "extensionUpper",
                       "SpecialStringsEnabled", "randomUpper", "randomLower", "randomNumbers", "ExcludeSmallWords"};
  Lines args = {"remove", "--folder", w(), "--preview", "--set", "removeText1=zz"};
  for (const auto& t : texts) args.insert(args.end(), {"--set", t + "=t"});
  for (const auto& f : flags) args.insert(args.end(), {"--set", f + "=true"});
  for (const char* other : {"removeMode=RemoveStrings", "replaceMode=ReplaceSelected", "insertMode=InsertAtString",
                            "anchorPlacement=2", "changeMode=ConvertCase", "caseStyle=CapitalizeWords",
                            "extensionMode=ConvertExtensionCase", "SelectionStart=1", "SelectionLength=2",
                            "CursorPos=3", "startNumber=0"})
    args.insert(args.end(), {"--set", other});
  const CliOutput out = run(args);
  EXPECT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, "(No filename will be renamed)\n");
}

TEST_F(Cli, RecordFileWithLaterSetWinning) {
  tree.make({"w/a-x-y.txt"});
  const std::string recordFile = scratch.path("record.json");
  scratch.writeFile("record.json",
                    R"({"removeMode": "RemoveStrings", "removeText1": "-x", "removeCaseSensitive": true})");
  const CliOutput out = run({"remove", "--folder", w(), "--record", recordFile, "--set", "removeText1=-y"});
  EXPECT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(work(), Lines{"a-x.txt"});
}

#ifndef _WIN32
TEST_F(Cli, RelativeTargetsAreTheAbsolutePathNormalised) {
  tree.make({"w/photos/a.txt", "w/photos/b.JPG"});
  const std::string photos = w("photos");
  struct Row {
    const char* name;
    std::string cwd;
    Lines args;
  };
  const Row rows[] = {
      {"dot", photos, {"--folder", "."}},
      {"dot dot", photos, {"--folder", "../photos"}},
      {"trailing and doubled separators", w(), {"--folder", "photos//./"}},
      {"relative picked paths", photos, {"./a.txt", ".//b.JPG"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Lines args{"change", "--set", "newName=%%_x", "--preview", "--state-dir", state()};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const CliOutput out = RunCli(args, {{}, row.cwd});
    EXPECT_EQ(out.exit, 0) << out.err;
    // The folder's own name, never "(none)" or "" from a path ending in "." or "/".
    const bool names = row.args.front() == "--folder";
    EXPECT_EQ(out.out, names ? "a.txt\tphotos_x.txt\nb.JPG\tphotos_x.JPG\n"
                             : photos + "/a.txt\t" + photos + "/photos_x.txt\n" + photos + "/b.JPG\t" + photos +
                                   "/photos_x.JPG\n");
  }
}

#endif

TEST_F(Cli, AMissingFolderIsARefusedTargetForEveryCommand) {
  for (const char* command : {"remove", "replace", "change", "list"}) {
    SCOPED_TRACE(command);
    Lines args{command, "--folder", w("gone")};
    if (command == std::string("list")) args.insert(args.end(), {"--output", tree.path("out.txt")});
    const CliOutput out = run(args);
    EXPECT_EQ(out.exit, 2);
    const bool listing = command == std::string("list");
    EXPECT_EQ(out.err, listing ? "Information: There is no file and subfolder now!\n"
                               : "Information: There is no file(one layer) now!\n");
  }
}

TEST_F(Cli, HelpAllAndAListingOnStdout) {
  const CliOutput help = RunCli({"--help-all"});
  EXPECT_EQ(help.exit, 0) << help.err;
  for (const char* part : {"remove", "--preview", "extension", "--output"})
    EXPECT_NE(help.out.find(part), std::string::npos) << part;
  tree.make({"w/a.txt"});
  const CliOutput listing = run({"list", "--folder", w(), "--output", "-", "--lf"});
  EXPECT_EQ(listing.exit, 0) << listing.err;
  EXPECT_NE(listing.out.find("\n  a.txt\n"), std::string::npos) << listing.out;
  EXPECT_FALSE(tree.exists("-.txt"));
  EXPECT_FALSE(std::filesystem::exists("-.txt"));
}

TEST_F(Cli, TrailingSeparatorOnAPickedFolder) {
  tree.make({"w/old dir/", "w/other/"});
  const CliOutput out = run({"replace", WithSeparator(w("old dir")), "--set", "oldText=old", "--set", "newText=new"});
  EXPECT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(out.out, w("old dir") + "\t" + w("new dir") + "\n");
  EXPECT_EQ(work(), (Lines{"new dir/", "other/"}));
}

}  // namespace
}  // namespace velmora
