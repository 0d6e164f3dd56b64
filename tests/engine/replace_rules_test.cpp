// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

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

using Row = testing::PathRow;

TEST(ReplaceRules, Table) {
  const std::vector<Row> rows{
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
      {"selected, utf-8 from end", Selected("X", true, Sample("日本", 3, 3)), PageUtf8(), "/p/ab日本", "/p/ab日X"},
  };
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
