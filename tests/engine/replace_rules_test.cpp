// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "engine/name_pattern.h"
#include "engine/replace_rules.h"
#include "rule_harness.h"

namespace velmora::engine {
namespace {

using testing::Page1252;
using testing::Page932;
using testing::PageUtf8;
using testing::Sample;

OperationRecord Replace(std::string oldText, std::string newText, bool caseSensitive = false) {
  OperationRecord r;
  r.kind = OperationKind::Replace;
  r.oldText = std::move(oldText);
  r.newText = std::move(newText);
  r.replaceCaseSensitive = caseSensitive;
  return r;
}

// Replaces the selection "cd" of the sample "abcdef" unless another sample is given.
OperationRecord Selected(std::string newText, bool fromEnd, SampleValues sample = Sample("abcdef", 2, 2)) {
  OperationRecord r = Replace("", std::move(newText));
  r.replaceMode = ReplaceMode::ReplaceSelected;
  r.replaceFromEnd = fromEnd;
  r.sample = std::move(sample);
  return r;
}

// The old text as a regular expression; \1.. in the new text take its groups.
OperationRecord Pattern(std::string oldText, std::string newText, bool caseSensitive = false) {
  OperationRecord r = Replace(std::move(oldText), std::move(newText), caseSensitive);
  r.regex = true;
  return r;
}

using Row = testing::PathRow;

TEST(ReplaceRules, Table) {
  std::vector<Row> rows{
      {"any case", Replace("photo", "pic"), Page1252(), "/p/Photo Photo.jpg", "/p/pic pic.jpg"},
      {"exact case", Replace("photo", "pic", true), Page1252(), "/p/Photo Photo.jpg", "="},
      {"non-overlapping", Replace("aa", "a"), Page1252(), "/p/aaaa", "/p/aa"},
      {"overlapping candidates", Replace("aa", "b"), Page1252(), "/p/aaa", "/p/ba"},
      {"new text not searched again", Replace("a", "aa"), Page1252(), "/p/aXa", "/p/aaXaa"},
      {"only the base name", Replace("txt", "md"), Page1252(), "/p/report.txt", "="},
      {"last dot only", Replace("tar", "zip"), Page1252(), "/p/archive.tar.gz", "/p/archive.zip.gz"},
      {"folder name whole", Replace("docs", "files"), Page1252(), "/p/my.docs/", "/p/my.files"},
      {"whole name removed", Replace("abc", ""), Page1252(), "/p/abc.txt", "EMPTY"},
      {"hidden file has no base name", Replace("x", "y"), Page1252(), "/p/.htaccess", "EMPTY"},
      {"ordered number", Replace("x", "$$$"), Page1252(), "/p/axb.jpg", "/p/a001b.jpg"},
      {"utf-8 case mapping", Replace("école", "x"), PageUtf8(), "/p/École école", "/p/x x"},
      {"932 trail byte is no letter", Replace("A", "b", true), Page932(), "/p/\x83\x41" "A", "/p/\x83\x41" "b"},
      {"selected, head", Selected("XY", false), Page1252(), "/p/abcdef", "/p/abXYef"},
      {"selected, head, longer", Selected("XY", false), Page1252(), "/p/abcdefgh", "/p/abXYefgh"},
      {"selected, head, shorter", Selected("XY", false), Page1252(), "/p/abc", "/p/abXY"},
      {"selected, head, one byte", Selected("XY", false), Page1252(), "/p/a", "/p/aXY"},
      {"selected, end", Selected("XY", true), Page1252(), "/p/xxabcdef", "/p/xxabXYef"},
      {"selected, end, shorter", Selected("XY", true), Page1252(), "/p/ef", "/p/XYef"},
      {"selected, negative length", Selected("-", false, Sample("abcdef", 5, -3)), Page1252(), "/p/abcdef",
       "/p/abcde-f"},
      {"selected, empty new text removes", Selected("", false), Page1252(), "/p/abcdef.txt", "/p/abef.txt"},
      {"selected, 932 half a character", Selected("-", false, Sample("abcd", 1, 1)), Page932(),
       "/p/a\x82\xa0" "b", "/p/a-\x82\xa0" "b"},
      {"selected, utf-8 inside one character", Selected("-", false, Sample("abcdefg", 3, 1)), PageUtf8(),
       "/p/ab日ef", "/p/ab日-ef"},
  };
  // A build without regular expressions leaves every item alone, saying why.
  std::vector<Row> patternRows{
      {"regex groups swap", Pattern("^(.+) - (.+)$", "\\2 (\\1)"), PageUtf8(), "/p/Artist - Title.mp3",
       "/p/Title (Artist).mp3"},
      {"regex whole match", Pattern("[0-9]+", "<\\0>"), PageUtf8(), "/p/a12b3", "/p/a<12>b<3>"},
      {"regex any case by default", Pattern("IMG_", ""), PageUtf8(), "/p/img_01", "/p/01"},
      {"regex exact case", Pattern("IMG_", "", true), PageUtf8(), "/p/img_01", "="},
      {"regex utf-8 letters any case", Pattern("é+", "e"), PageUtf8(), "/p/cafÉé", "/p/cafe"},
      {"regex class of letters is unicode", Pattern("\\w+", "w"), PageUtf8(), "/p/Straße 1", "/p/w w"},
      {"regex empty matches do not loop", Pattern("x*", "-"), PageUtf8(), "/p/abc", "/p/-a-b-c-"},
      {"regex empty match beside a match", Pattern("b*", "-"), PageUtf8(), "/p/abc", "/p/-a--c-"},
      {"regex no match", Pattern("z", "y"), PageUtf8(), "/p/abc", "="},
      {"regex unset group is empty", Pattern("(a)|(b)", "[\\2]"), PageUtf8(), "/p/ab", "/p/[][b]"},
      {"regex special strings expand", Pattern("x", "$$_\\0"), PageUtf8(), "/p/x", "/p/01_x"},
      {"regex only the base name", Pattern("txt", "md"), PageUtf8(), "/p/report.txt", "="},
      {"regex invalid utf-8 never matches", Pattern(".", "-"), PageUtf8(), "/p/a\xff", "/p/-\xff"},
      {"regex 1252 letters any case", Pattern("\xc9", "e"), Page1252(), "/p/caf\xe9", "/p/cafe"},
      {"regex 1252 euro sign is one character", Pattern("^.\\d$", "E"), Page1252(), "/p/\x80" "5", "/p/E"},
      {"regex 1252 result written back", Pattern("e$", "\xe9\x80"), Page1252(), "/p/cafe", "/p/caf\xe9\x80"},
      {"regex 1252 undefined byte kept", Pattern("a", "b"), Page1252(), "/p/a\x81", "/p/b\x81"},
      {"regex 932 double byte character", Pattern("\\x{3042}", "a"), Page932(), "/p/x\x82\xa0" "y", "/p/xay"},
      {"regex 932 unreadable name", Pattern("x", "y"), Page932(), "/p/x\x81",
       "LEFT: the name cannot be read in the code page as it is"},
      {"regex 932 name that does not read back", Pattern("x", "y"), Page932(), "/p/x\x87\x90",
       "LEFT: the name cannot be read in the code page as it is"},
      {"regex whole name removed", Pattern(".*", ""), PageUtf8(), "/p/abc.txt", "EMPTY"},
  };
  for (Row& row : patternRows) {
    if (!RegexAvailable()) row.expected = std::string("LEFT: ") + kRegexUnavailableReason;
    rows.push_back(std::move(row));
  }
  rows.push_back(
      {"selected, utf-8 from end", Selected("X", true, Sample("日本", 3, 3)), PageUtf8(), "/p/ab日本", "/p/ab日X"});
  testing::ExpectPathRows(rows);
}

TEST(ReplaceRules, OrdinalPerItem) {
  testing::RuleHarness h;
  const OperationRecord r = Replace("x", "$$$");
  EXPECT_EQ(h.run(r, "/p/x.jpg", Page1252(), 1), "/p/001.jpg");
  EXPECT_EQ(h.run(r, "/p/x.png", Page1252(), 2), "/p/002.png");
}

}  // namespace
}  // namespace velmora::engine
