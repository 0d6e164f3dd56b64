// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/ok_checks.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/memory_file_system.h"
#include "support/recording_messages.h"

namespace velmora::batch {
namespace {

using engine::OperationKind;
using engine::OperationRecord;
using testing::RecordingMessages;

const std::string kS = "Edit content is (Filenames in this folder(ONE layer)),continue ?";
const std::string kNine =
    "Information: You should remove one of following nine characters from input text, because they are "
    "prohibited in Windows filenames:  \\ / : * ? \" < > |";

enum class Target { Folder, HandPicked };

struct OkCase {
  const char* name;
  OperationKind kind;
  std::function<void(OperationRecord&)> setup;
  bool confirm;
  std::vector<Answer> answers;
  std::vector<std::string> expected;  ///< "TITLE: TEXT" in order
  std::string field;
  bool run;
  RunMode mode = RunMode::Rename;
  Target target = Target::Folder;
  std::string selectedText = {};
};

std::vector<std::string> Shown(const RecordingMessages& m) {
  std::vector<std::string> out;
  for (const auto& r : m.shown) out.push_back(r.title + ": " + r.text);
  return out;
}

struct Fixture {
  platform::MemoryFileSystem fs;
  RecordingMessages messages;
  Fixture() { fs.addFile("/w/abcdef.txt"); }
};

OkResult Run(Fixture& f, const OkCase& c, OperationRecord& record, TargetSet& target, RunMode& mode) {
  record.kind = c.kind;
  if (c.setup) c.setup(record);
  target = c.target == Target::Folder ? TargetSet{"/w", FolderScope::OneLayer, {}}
                                      : TargetSet{"", FolderScope::OneLayer, {"/w/abcdef.txt"}};
  f.messages.answers.assign(c.answers.begin(), c.answers.end());
  OkRequest request{record, target, c.mode, c.confirm, c.selectedText, {}};
  OkResult result = RunOkChecks(f.fs, request, f.messages);
  mode = request.mode;
  return result;
}

void Check(const std::vector<OkCase>& cases) {
  for (const OkCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    OperationRecord record;
    TargetSet target;
    RunMode mode;
    const OkResult result = Run(f, c, record, target, mode);
    EXPECT_EQ(Shown(f.messages), c.expected);
    EXPECT_EQ(result.field, c.field);
    EXPECT_EQ(result.run, c.run);
    EXPECT_TRUE(f.messages.answers.empty()) << "an expected question was not asked";
  }
}

void Select(OperationRecord& r, int start, int length) {
  r.sample.sampleName = "abcdef";
  r.sample.selectionStart = start;
  r.sample.selectionLength = length;
}

TEST(ContinueSuffix, FolderAndHandPickedInRenameAndPreview) {
  const TargetSet folder{"/w", FolderScope::AllLayers, {}};
  const TargetSet picked{"", FolderScope::OneLayer, {"/w/a"}};
  EXPECT_EQ(ContinueSuffix(folder, RunMode::Rename), "Edit content is (All filenames in subfolder(ALL layers)),continue ?");
  EXPECT_EQ(ContinueSuffix(folder, RunMode::Preview),
            "Edit content is (All filenames in subfolder(ALL layers)),continue preview ?");
  EXPECT_EQ(ContinueSuffix(picked, RunMode::Rename), "continue ?");
  EXPECT_EQ(ContinueSuffix(picked, RunMode::Preview), "continue preview ?");
}

TEST(OkChecks, RemoveBlock) {
  using engine::RemoveMode;
  const auto K = OperationKind::Remove;
  Check({
      {"strings all empty", K, nullptr, true, {},
       {"Information: Please select or input string to be removed."}, "removeText1", false},
      {"only the third string", K, [](auto& r) { r.removeText3 = "b"; }, true, {},
       {"Remove Confirmation: It will remove the strings of 'b'(case insensitive) from original filenames,\n" + kS},
       "", true},
      {"first and third joined, Cancel", K, [](auto& r) { r.removeText1 = "a"; r.removeText3 = "b"; }, true,
       {Answer::Cancel},
       {"Remove Confirmation: It will remove the strings of 'a' and 'b'(case insensitive) from original filenames,\n" +
        kS},
       "", false},
      {"all three, case sensitive, hand-picked", K,
       [](auto& r) { r.removeText1 = "a"; r.removeText2 = "b"; r.removeText3 = "c"; r.removeCaseSensitive = true; },
       true, {},
       {"Remove Confirmation: It will remove the strings of 'a' and 'b' and 'c'(case sensitive) from original "
        "filenames,\ncontinue ?"},
       "", true, RunMode::Rename, Target::HandPicked},
      {"strings, Confirm off runs without a box", K, [](auto& r) { r.removeText1 = "a"; }, false, {}, {}, "", true},
      {"strings, preview runs without a box", K, [](auto& r) { r.removeText1 = "a"; }, true, {}, {}, "", true,
       RunMode::Preview},
      {"selected part missing", K, [](auto& r) { r.removeMode = RemoveMode::RemoveSelected; }, true, {},
       {"Information: You have not selected part, please use mouse select the part you want to remove."}, "", false},
      {"selected part from head", K, [](auto& r) { r.removeMode = RemoveMode::RemoveSelected; Select(r, 2, 2); },
       true, {}, {"Remove Confirmation: It will remove the part at the position(from head) of 'cd',\n" + kS}, "", true,
       RunMode::Rename, Target::Folder, "cd"},
      {"selected part from end, hand-picked", K,
       [](auto& r) { r.removeMode = RemoveMode::RemoveSelected; r.removeFromEnd = true; Select(r, 4, 2); }, true, {},
       {"Remove Confirmation: It will remove the part at the position(from end) of 'ef',\ncontinue ?"}, "", true,
       RunMode::Rename, Target::HandPicked, "ef"},
      {"between, left missing", K, [](auto& r) { r.removeMode = RemoveMode::RemoveBetween; r.rightText = "]"; }, true,
       {}, {"Information: Please select or input strings to define limition."}, "leftText", false},
      {"between, right missing", K, [](auto& r) { r.removeMode = RemoveMode::RemoveBetween; r.leftText = "["; }, true,
       {}, {"Information: Please select or input strings to define limition."}, "rightText", false},
      {"between, both missing focuses the left", K, [](auto& r) { r.removeMode = RemoveMode::RemoveBetween; }, true,
       {}, {"Information: Please select or input strings to define limition."}, "leftText", false},
      {"between", K,
       [](auto& r) { r.removeMode = RemoveMode::RemoveBetween; r.leftText = "["; r.rightText = "]"; }, true, {},
       {"Remove Confirmation: It will remove the part between '[' and ']',\n" + kS}, "", true},
      {"clean, erase text missing", K,
       [](auto& r) { r.removeMode = RemoveMode::CleanSymbols; r.alsoErase = true; }, true, {},
       {"Information: Please select or input special symbols to remove"}, "alsoEraseText", false},
      {"clean, keep text missing", K,
       [](auto& r) { r.removeMode = RemoveMode::CleanSymbols; r.keepOthers = true; }, true, {},
       {"Information: Please select or input special symbols of dont remove"}, "keepOthersText", false},
      {"clean, both missing: erase wording, keep focus", K,
       [](auto& r) { r.removeMode = RemoveMode::CleanSymbols; r.alsoErase = true; r.keepOthers = true; }, true, {},
       {"Information: Please select or input special symbols to remove"}, "keepOthersText", false},
      {"clean, erase text given but keep text missing", K,
       [](auto& r) {
         r.removeMode = RemoveMode::CleanSymbols;
         r.alsoErase = true;
         r.alsoEraseText = "#";
         r.keepOthers = true;
       },
       true, {}, {"Information: Please select or input special symbols to remove"}, "keepOthersText", false},
      {"clean has no suffix", K, [](auto& r) { r.removeMode = RemoveMode::CleanSymbols; }, true, {},
       {"Clean Confirmation: It will clean symbols, continue ?"}, "", true},
      {"keep selected missing", K, [](auto& r) { r.removeMode = RemoveMode::KeepSelected; }, true, {},
       {"Information: You have not selected part, please use mouse select the part you want to Keep."}, "", false},
      {"keep selected from end", K,
       [](auto& r) { r.removeMode = RemoveMode::KeepSelected; r.keepFromEnd = true; Select(r, 0, 3); }, true, {},
       {"Keep Confirmation: It will KEEP the part at the position(from end) of 'abc',\n" + kS}, "", true,
       RunMode::Rename, Target::Folder, "abc"},
      {"keep strings missing", K, [](auto& r) { r.removeMode = RemoveMode::KeepStrings; }, true, {},
       {"Information: Please select or input strings to define limition."}, "keepText1", false},
      {"keep strings both", K,
       [](auto& r) { r.removeMode = RemoveMode::KeepStrings; r.keepText1 = "x"; r.keepText2 = "y"; }, true,
       {Answer::Cancel}, {"Keep Confirmation: It will KEEP the string of 'x' and 'y',\n" + kS}, "", false},
      {"keep strings second only", K, [](auto& r) { r.removeMode = RemoveMode::KeepStrings; r.keepText2 = "y"; },
       true, {}, {"Keep Confirmation: It will KEEP the string of 'y',\n" + kS}, "", true},
  });
}

TEST(OkChecks, ReplaceBlock) {
  using engine::ReplaceMode;
  const auto K = OperationKind::Replace;
  const std::string emptyInsensitive =
      "Replace Confirmation: The new part is empty, it will REMOVE old part 'a'(case insensitive) from original "
      "filenames,\n";
  Check({
      {"old missing", K, [](auto& r) { r.newText = "x"; }, true, {},
       {"Information: Please input the old part of file name"}, "oldText", false},
      {"empty new asks even with Confirm off", K, [](auto& r) { r.oldText = "a"; }, false, {},
       {emptyInsensitive + kS}, "", true},
      {"empty new asks in preview; Cancel runs nothing", K, [](auto& r) { r.oldText = "a"; }, false,
       {Answer::Cancel}, {emptyInsensitive + "Edit content is (Filenames in this folder(ONE layer)),continue preview ?"},
       "newText", false, RunMode::Preview},
      {"empty new, case sensitive wording, Cancel", K,
       [](auto& r) { r.oldText = "a"; r.replaceCaseSensitive = true; }, true, {Answer::Cancel},
       {"Replace Confirmation: The new part is empty, it will REMOVE old part 'a'(case sensitive) from original "
        "filenames! continue ?"},
       "newText", false},
      {"empty new, OK, no second box", K, [](auto& r) { r.oldText = "a"; }, true, {}, {emptyInsensitive + kS}, "",
       true},
      {"new with a prohibited character", K, [](auto& r) { r.oldText = "a"; r.newText = "x|y"; }, true, {}, {kNine},
       "", false},
      {"new with a bad random token", K, [](auto& r) { r.oldText = "a"; r.newText = "%200%"; }, false, {},
       {"Information: 200 is too big. The max random string digits is 100."}, "", false},
      {"ordinary confirmation, Cancel", K, [](auto& r) { r.oldText = "a"; r.newText = "b"; }, true, {Answer::Cancel},
       {"Replace Confirmation: It will replace the old strings 'a'(case insensitive) by new string 'b',\n" + kS}, "",
       false},
      {"ordinary confirmation, case sensitive, hand-picked", K,
       [](auto& r) { r.oldText = "a"; r.newText = "b"; r.replaceCaseSensitive = true; }, true, {},
       {"Replace Confirmation: It will replace the old strings 'a'(case sensitive) by new string 'b',\ncontinue ?"},
       "", true, RunMode::Rename, Target::HandPicked},
      {"selected part missing", K, [](auto& r) { r.replaceMode = ReplaceMode::ReplaceSelected; r.newText = "x"; },
       true, {}, {"Information: You have not selected part, please use mouse select the part you want to replace."},
       "", false},
      {"selected part, empty new asks always, Cancel", K,
       [](auto& r) { r.replaceMode = ReplaceMode::ReplaceSelected; Select(r, 2, 2); }, false, {Answer::Cancel},
       {"Replace Confirmation: The new part is empty, it will REMOVE old part 'cd' from original filenames! continue "
        "?"},
       "newText", false, RunMode::Rename, Target::Folder, "cd"},
      {"selected part, new text not checked for characters", K,
       [](auto& r) {
         r.replaceMode = ReplaceMode::ReplaceSelected;
         r.replaceFromEnd = true;
         r.newText = "x:y";
         Select(r, 2, 2);
       },
       true, {}, {"Replace Confirmation: It will replace the part at the position(from end) of 'cd',\n" + kS}, "",
       true, RunMode::Rename, Target::Folder, "cd"},
      {"selected part from head, Cancel", K,
       [](auto& r) { r.replaceMode = ReplaceMode::ReplaceSelected; r.newText = "x"; Select(r, 0, 1); }, true,
       {Answer::Cancel}, {"Replace Confirmation: It will replace the part at the position(from head) of 'a',\n" + kS},
       "", false, RunMode::Rename, Target::Folder, "a"},
  });
}

TEST(OkChecks, RegularExpressions) {
  const auto R = OperationKind::Replace, M = OperationKind::Remove, X = OperationKind::Extension;
  const auto pattern = [](std::string old, std::string replacement) {
    return [old, replacement](OperationRecord& r) {
      r.regex = true;
      r.oldText = old;
      r.newText = replacement;
    };
  };
  const auto filter = [](std::string include, std::string exclude) {
    return [include, exclude](OperationRecord& r) {
      r.regex = true;
      r.includeFilter = include;
      r.excludeFilter = exclude;
      r.newExtension = ".x";
    };
  };
  const std::string unavailable = "Information: Regular expressions are not available in this build.";
  if (!engine::RegexAvailable()) {
    // Never taken as plain text: a build without them refuses every pattern.
    Check({{"replace", R, pattern("a", "b"), false, {}, {unavailable}, "oldText", false},
           {"filter", X, filter("^a", ""), false, {}, {unavailable}, "includeFilter", false}});
    return;
  }
  Check({
      {"groups and their references", R, pattern("^(.+) - (.+)$", "\\2 (\\1)"), true, {},
       {"Replace Confirmation: It will replace the matches of the regular expression '^(.+) - (.+)$'(case insensitive) "
        "by new string '\\2 (\\1)',\n" + kS},
       "", true},
      {"pattern that does not compile", R, pattern("a(b", "x"), true, {},
       {"Information: The regular expression 'a(b' is not valid: missing closing parenthesis (at position 4)."},
       "oldText", false},
      {"position counts characters", R, pattern("\xC3\xA9)", "x"), true, {},
       {"Information: The regular expression '\xC3\xA9)' is not valid: unmatched closing parenthesis (at position 2)."},
       "oldText", false},
      {"group beyond the pattern's", R, pattern("(a)", "\\2"), true, {},
       {"Information: The new string refers to group \\2, but the regular expression has only 1 groups."}, "newText",
       false},
      {"a reference is no prohibited character", R, pattern("a", "\\0\\0"), false, {}, {}, "", true},
      {"a lone backslash still is", R, pattern("a", "\\x"), false, {}, {kNine}, "", false},
      {"off: the same text is plain", R, [](auto& r) { r.oldText = "a(b"; r.newText = "x"; }, false, {}, {}, "", true},
      {"remove: each string compiled", M,
       [](auto& r) { r.regex = true; r.removeText1 = "a"; r.removeText3 = "[z"; }, true, {},
       {"Information: The regular expression '[z' is not valid: missing terminating ] for character class (at "
        "position 3)."},
       "removeText3", false},
      {"remove: confirmation names patterns", M, [](auto& r) { r.regex = true; r.removeText2 = "\\d+"; }, true, {},
       {"Remove Confirmation: It will remove the matches of the regular expressions '\\d+'(case insensitive) from "
        "original filenames,\n" + kS},
       "", true},
      {"filter pattern checked first", X, filter("", "a{2,1}"), false, {},
       {"Information: The regular expression 'a{2,1}' is not valid: numbers out of order in {} quantifier (at "
        "position 6)."},
       "excludeFilter", false},
      {"filter globs never compile", X, [](auto& r) { r.includeFilter = "a{(["; r.newExtension = ".x"; }, false, {},
       {}, "", true},
      {"filter of a hand-picked list not read", X, filter("(", ""), false, {}, {}, "", true, RunMode::Rename,
       Target::HandPicked},
  });
}

TEST(OkChecks, InsertBlock) {
  using engine::InsertMode;
  const auto K = OperationKind::Insert;
  Check({
      {"cursor without a position", K, [](auto& r) { r.atCursor = true; r.cursorText = "x"; }, false, {},
       {"Information: You selected CURSOR position, so you should use mouse point the position(in old filename) you "
        "want to insert."},
       "", false},
      {"no position checked", K, [](auto& r) { r.headText = "x"; }, false, {},
       {"Information: You have not selected insert position, please select one or more checkbox."}, "", false},
      {"every empty checked text, in order; focus on the last", K,
       [](auto& r) {
         r.atHead = r.atEnd = r.atCursor = true;
         r.endText = "e";
         r.sample.cursorPos = 2;
       },
       true, {},
       {"Information: You have not inputted text of HEAD string to insert.",
        "Information: You have not inputted text of at CURSOR string to insert."},
       "cursorText", false},
      {"every text checked even after a failure", K,
       [](auto& r) {
         r.atHead = r.atEnd = true;
         r.headText = "a:b";
         r.endText = "%ab%";
       },
       false, {}, {kNine, "Information: The random string digits(ab) is not an integer."}, "", false},
      {"head and end, OK", K,
       [](auto& r) {
         r.atHead = r.atEnd = true;
         r.headText = "x";
         r.endText = "y";
       },
       true, {},
       {"Insert Confirmation: It will insert 'x' to the HEAD of all filenames,\ninsert 'y' to the END of all "
        "filenames,\n" +
        kS},
       "", true},
      {"head, Cancel runs nothing", K, [](auto& r) { r.atHead = true; r.headText = "x"; }, true, {Answer::Cancel},
       {"Insert Confirmation: It will insert 'x' to the HEAD of all filenames,\n" + kS}, "", false},
      {"Confirm off runs at once", K, [](auto& r) { r.atEnd = true; r.endText = "y"; }, false, {}, {}, "", true},
      {"preview runs at once", K, [](auto& r) { r.atEnd = true; r.endText = "y"; }, true, {}, {}, "", true,
       RunMode::Preview},
      {"at string, existing string missing", K,
       [](auto& r) { r.insertMode = InsertMode::InsertAtString; r.insertText = "x"; }, true, {},
       {"Information: Please specify the existing string"}, "anchorText", false},
      {"at string, second string missing for BETWEEN", K,
       [](auto& r) {
         r.insertMode = InsertMode::InsertAtString;
         r.anchorText = "a";
         r.anchorPlacement = 2;
         r.insertText = "x";
       },
       true, {}, {"Information: Please specify the second string"}, "secondAnchorText", false},
      {"at string, text missing", K,
       [](auto& r) { r.insertMode = InsertMode::InsertAtString; r.anchorText = "a"; }, true, {},
       {"Information: Please specify the string which you want to insert"}, "insertText", false},
      {"at string, prohibited character", K,
       [](auto& r) {
         r.insertMode = InsertMode::InsertAtString;
         r.anchorText = "a";
         r.insertText = "<x>";
       },
       true, {}, {kNine}, "", false},
      {"at string, BEHIND needs no second string", K,
       [](auto& r) {
         r.insertMode = InsertMode::InsertAtString;
         r.anchorText = "a";
         r.anchorPlacement = 1;
         r.insertText = "x";
       },
       true, {}, {"Insert Confirmation: It will insert 'x' to the positon \nBEHIND existing string of 'a',\n" + kS},
       "", true},
      {"at string, BETWEEN, Cancel", K,
       [](auto& r) {
         r.insertMode = InsertMode::InsertAtString;
         r.anchorText = "a";
         r.secondAnchorText = "b";
         r.anchorPlacement = 2;
         r.insertText = "x";
       },
       true, {Answer::Cancel},
       {"Insert Confirmation: It will insert 'x' to the positon \nBETWEEN two strings of 'a',\n" + kS}, "", false},
  });
}

TEST(OkChecks, InsertCursorWording) {
  struct Row {
    const char* name;
    std::string sample;
    int cursorPos;
    bool fromEnd;
    std::string wording;
  };
  const std::vector<Row> rows = {
      {"first position from head is the head", "abcdef", 1, false, "insert 't' to the HEAD of all filenames,\n"},
      {"after the last from end is the end", "abcdef", 7, true, "insert 't' to the END of all filenames,\n"},
      {"empty sample from end is the head", "", 1, true, "insert 't' to the HEAD of all filenames,\n"},
      {"middle from head", "abcdef", 3, false, "insert 't' to the position BEHIND the part of 'ab'\n"},
      {"middle from end", "abcdef", 3, true, "insert 't' to the position BEFORE the part of 'cdef'\n"},
      {"first position from end", "abc", 1, true, "insert 't' to the position BEFORE the part of 'abc'\n"},
      {"after the last from head", "abc", 4, false, "insert 't' to the position BEHIND the part of 'abc'\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Fixture f;
    OperationRecord record;
    record.kind = OperationKind::Insert;
    record.atCursor = true;
    record.cursorText = "t";
    record.cursorFromEnd = row.fromEnd;
    record.sample.sampleName = row.sample;
    record.sample.cursorPos = row.cursorPos;
    const TargetSet target{"", FolderScope::OneLayer, {"/w/abcdef.txt"}};
    OkRequest request{record, target, RunMode::Rename, true, "", {}};
    EXPECT_TRUE(RunOkChecks(f.fs, request, f.messages).run);
    EXPECT_EQ(Shown(f.messages), std::vector<std::string>{"Insert Confirmation: It will " + row.wording + "continue ?"});
  }
}

TEST(OkChecks, ChangeBlock) {
  using engine::CaseStyle;
  using engine::ChangeMode;
  const auto K = OperationKind::Change;
  Check({
      {"new name missing", K, nullptr, true, {}, {"Information: Please input new name"}, "newName", false},
      {"colon refused whatever Confirm", K, [](auto& r) { r.newName = "a:b"; }, false, {}, {kNine}, "", false},
      {"random token too big", K, [](auto& r) { r.newName = "x%101%"; }, true, {},
       {"Information: 101 is too big. The max random string digits is 100."}, "", false},
      {"new name", K, [](auto& r) { r.newName = "n##"; }, true, {},
       {"Change Confirmation: It will change filenames to 'n##',\n" + kS}, "", true},
      {"new name, Confirm off", K, [](auto& r) { r.newName = "n"; }, false, {}, {}, "", true},
      {"lower case", K, [](auto& r) { r.changeMode = ChangeMode::ConvertCase; }, true, {},
       {"Convert Confirmation: It will convert full name to Lower case,\n" + kS}, "", true},
      {"upper case, Cancel", K,
       [](auto& r) { r.changeMode = ChangeMode::ConvertCase; r.caseStyle = CaseStyle::Upper; }, true,
       {Answer::Cancel}, {"Convert Confirmation: It will convert full name to UPPER case,\n" + kS}, "", false},
      {"capitalize, hand-picked", K,
       [](auto& r) { r.changeMode = ChangeMode::ConvertCase; r.caseStyle = CaseStyle::CapitalizeWords; }, true, {},
       {"Convert Confirmation: It will convert full name to Capitalize every words,\ncontinue ?"}, "", true,
       RunMode::Rename, Target::HandPicked},
  });
}

TEST(OkChecks, ExtensionBlock) {
  using engine::ExtensionMode;
  const auto K = OperationKind::Extension;
  Check({
      {"empty new extension asks always", K, [](auto& r) { r.newExtension = ".."; }, false, {Answer::Cancel},
       {"Change Confirmation: The new extention part is empty,\nit will REMOVE old extention part from original "
        "filenames,\n" +
        kS},
       "newExtension", false},
      {"change from old to new", K, [](auto& r) { r.oldExtension = "txt"; r.newExtension = "md"; }, true,
       {Answer::Cancel}, {"Change Confirmation: It will change filenames extention part, from 'txt' to 'md',\n" + kS},
       "newExtension", false},
      {"convert case", K,
       [](auto& r) { r.extensionMode = ExtensionMode::ConvertExtensionCase; r.extensionUpper = true; }, true, {},
       {"Convert Confirmation: It will convert all filenames extention part case to 'UPPER case',\n" + kS}, "",
       true},
  });
}

TEST(OkChecks, ExtensionNormalisedBoxesStay) {
  Fixture f;
  OperationRecord record;
  record.kind = OperationKind::Extension;
  record.newExtension = "..txt.";
  record.oldExtension = "doc";
  const TargetSet target{"/w", FolderScope::OneLayer, {}};
  OkRequest request{record, target, RunMode::Rename, false, "", {}};
  EXPECT_TRUE(RunOkChecks(f.fs, request, f.messages).run);
  EXPECT_EQ(record.newExtension, ".txt");
  EXPECT_EQ(record.oldExtension, ".doc");
}

TEST(OkChecks, ExtensionOnAFolderTargetWarns) {
  Fixture f;
  OperationRecord record;
  record.kind = OperationKind::Extension;
  record.newExtension = "txt";
  const TargetSet target{"/w", FolderScope::ThisFolder, {}};
  OkRequest request{record, target, RunMode::Rename, true, "", {}};
  EXPECT_FALSE(RunOkChecks(f.fs, request, f.messages).run);
  EXPECT_EQ(Shown(f.messages), std::vector<std::string>{"Warning: Folder or subfolder name have no extension part."});
}

TEST(OkChecks, EmptyFolderStopsBeforeTheBlock) {
  platform::MemoryFileSystem fs;
  fs.addFolder("/empty");
  RecordingMessages messages;
  OperationRecord record;
  record.kind = OperationKind::Replace;  // an empty new text would otherwise ask
  record.oldText = "a";
  const TargetSet target{"/empty", FolderScope::OneLayer, {}};
  OkRequest request{record, target, RunMode::Rename, true, "", {}};
  const OkResult result = RunOkChecks(fs, request, messages);
  EXPECT_FALSE(result.run);
  EXPECT_FALSE(result.targetChecked);
  EXPECT_EQ(Shown(messages), std::vector<std::string>{"Information: There is no file(one layer) now!"});
}

struct ListingCase {
  const char* name;
  ListingChoices choices;
  std::vector<std::string> expected;
  std::string field;
  bool run;
};

TEST(OkChecks, SaveListingBlock) {
  const ListingChoices allTypes;
  ListingChoices noType;
  noType.specialTypes = true;
  ListingChoices onlySubfolders = noType;
  onlySubfolders.onlySubfolders = true;
  ListingChoices otherEmpty = noType;
  otherEmpty.other = true;
  ListingChoices otherGiven = otherEmpty;
  otherGiven.otherText = "log,ini";
  ListingChoices picture = noType;
  picture.picture = true;
  const std::vector<ListingCase> cases = {
      {"all types", allTypes, {}, "", true},
      {"only subfolders skips the type checks", onlySubfolders, {}, "", true},
      {"special types without a box", noType,
       {"Warning: You selected special types filename to save, so you should select at least one box of file "
        "types."},
       "", false},
      {"other without text", otherEmpty,
       {"Warning: You selected other types filename to save, so you should define file types in edit box."}, "otherText",
       false},
      {"other with text", otherGiven, {}, "", true},
      {"a type box", picture, {}, "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    OperationRecord record;
    record.kind = OperationKind::ListFolder;
    const TargetSet target{"/w", FolderScope::OneLayer, {}};
    OkRequest request{record, target, RunMode::Preview, true, "", c.choices};
    const OkResult result = RunOkChecks(f.fs, request, f.messages);
    EXPECT_EQ(Shown(f.messages), c.expected);
    EXPECT_EQ(result.field, c.field);
    EXPECT_EQ(result.run, c.run);
    EXPECT_EQ(request.mode, RunMode::Rename);
  }
}

TEST(OkChecks, HandPickedListingAndNoOperation) {
  Fixture f;
  OperationRecord record;
  record.kind = OperationKind::ListPicked;
  ListingChoices noType;
  noType.specialTypes = true;
  const TargetSet picked{"", FolderScope::OneLayer, {"/w/abcdef.txt"}};
  OkRequest request{record, picked, RunMode::Preview, true, "", noType};
  EXPECT_TRUE(RunOkChecks(f.fs, request, f.messages).run);
  EXPECT_EQ(request.mode, RunMode::Rename);

  record.kind = OperationKind::NoOperation;
  const TargetSet folder{"/w", FolderScope::OneLayer, {}};
  OkRequest none{record, folder, RunMode::Rename, true, "", {}};
  EXPECT_FALSE(RunOkChecks(f.fs, none, f.messages).run);
  EXPECT_TRUE(f.messages.shown.empty());
}

TEST(InputTextCheck, ProhibitedCharactersAndRandomTokens) {
  const std::string nine = kNine.substr(std::string("Information: ").size());
  struct Row {
    std::string text;
    bool specialStrings;
    bool valid;
    std::string message;
  };
  std::vector<Row> rows = {
      {"", true, true, ""},
      {"plain name", true, true, ""},
      {"%200%", true, false, "200 is too big. The max random string digits is 100."},
      {"%ab%", true, false, "The random string digits(ab) is not an integer."},
      {"%abc%", true, true, ""},
      {"a%%b", true, true, ""},
      {"%100%", true, true, ""},
      {"%ab%", false, true, ""},
      {"%ab%:x", true, false, "The random string digits(ab) is not an integer."},  // only the first message
      {"%200%", false, true, ""},
      // Random tokens are read between tag placeholders, as they are expanded there.
      {"%{title}_%6%", true, true, ""},
      {"{title}%ab%", true, false, "The random string digits(ab) is not an integer."},
      {"{taken=YYYY:MM}", true, false, nine},
  };
  for (char c : std::string("\\/:*?\"<>|")) rows.push_back({std::string("a") + c + "b", true, false, nine});
  const media::FakeMetadataReader tags(true);  // tags readable, as in a build with the tag libraries
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    RecordingMessages messages;
    EXPECT_EQ(InputTextCheck(row.text, row.specialStrings, messages, tags), row.valid);
    EXPECT_EQ(messages.texts(), row.valid ? std::vector<std::string>{} : std::vector<std::string>{row.message});
  }
}

// The special string dialog's own date pattern refuses what the input check would refuse,
// and the braces that would end its placeholder.
TEST(InputTextCheck, UsableDatePatterns) {
  for (const char* pattern : {"", "YYYY-MM-DD hh.mm.ss", "D.M.YY (h=m)", "$$ %6%"})
    EXPECT_TRUE(UsableDatePattern(pattern)) << pattern;
  for (const std::string& pattern : std::vector<std::string>{"YYYY:MM", "a/b", "{x", "x}", std::string("a\0b", 3), "a\nb"})
    EXPECT_FALSE(UsableDatePattern(pattern)) << pattern;
}

TEST(InputTextCheck, TagPlaceholdersWhereNoTagsCanBeRead) {
  media::FakeMetadataReader none(false), some(true);
  struct Row {
    std::string text;
    bool specialStrings;
    const media::MetadataReader& tags;
    bool valid;
  };
  const std::vector<Row> rows{
      {"{taken} x", true, none, false}, {"{artist}", true, none, false}, {"{live}", true, none, true},
      {"{taken}", false, none, true},   {"{taken}", true, some, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    RecordingMessages messages;
    EXPECT_EQ(InputTextCheck(row.text, row.specialStrings, messages, row.tags), row.valid);
    EXPECT_EQ(messages.texts().size(), row.valid ? 0u : 1u);
    if (!row.valid) {
      EXPECT_NE(messages.texts().front().find("cannot read photo and music tags"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace velmora::batch
