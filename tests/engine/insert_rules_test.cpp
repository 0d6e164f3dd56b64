// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "engine/insert_rules.h"
#include "rule_harness.h"

namespace velmora::engine {
namespace {

using testing::Page1252;
using testing::Page932;
using testing::PageUtf8;
using testing::Sample;

OperationRecord Positions(std::string head, std::string end) {
  OperationRecord r;
  r.kind = OperationKind::Insert;
  r.atHead = !head.empty();
  r.headText = std::move(head);
  r.atEnd = !end.empty();
  r.endText = std::move(end);
  return r;
}

// The caret after "abcd" in the sample "abcdef" (P = 5) unless another sample is given.
OperationRecord Cursor(std::string text, bool fromEnd, SampleValues sample = Sample("abcdef", 0, 0, 5)) {
  OperationRecord r = Positions("", "");
  r.atCursor = true;
  r.cursorText = std::move(text);
  r.cursorFromEnd = fromEnd;
  r.sample = std::move(sample);
  return r;
}

OperationRecord Anchor(int placement, std::string first, std::string second, std::string text) {
  OperationRecord r = Positions("", "");
  r.insertMode = InsertMode::InsertAtString;
  r.anchorPlacement = placement;
  r.anchorText = std::move(first);
  r.secondAnchorText = std::move(second);
  r.insertText = std::move(text);
  return r;
}

using Row = testing::PathRow;

TEST(InsertRules, Table) {
  OperationRecord all = Cursor("-", false);
  all.atHead = all.atEnd = true;
  all.headText = "H";
  all.endText = "E";
  const std::vector<Row> rows{
      {"head and end", Positions("new_", "_old"), Page1252(), "/p/photo.jpg", "/p/new_photo_old.jpg"},
      {"end without extension", Positions("", "_v2"), Page1252(), "/p/readme", "/p/readme_v2"},
      {"cursor", Cursor("-", false), Page1252(), "/p/abcdef", "/p/abcd-ef"},
      {"cursor past the end appends", Cursor("-", false), Page1252(), "/p/abc", "/p/abc-"},
      {"cursor, longer name", Cursor("-", false), Page1252(), "/p/abcdefgh", "/p/abcd-efgh"},
      {"cursor from end", Cursor("-", true), Page1252(), "/p/xxabcdef", "/p/xxabcd-ef"},
      {"cursor from end, shorter name", Cursor("-", true), Page1252(), "/p/ef", "/p/-ef"},
      {"cursor from end, before the front", Cursor("-", true), Page1252(), "/p/f", "/p/-f"},
      {"cursor first, then head and end", all, Page1252(), "/p/abcdef.txt", "/p/Habcd-efE.txt"},
      {"cursor, 932 before a trail byte", Cursor("-", false, Sample("abcd", 0, 0, 3)), Page932(),
       "/p/a\x82\xa0" "b", "/p/a-\x82\xa0" "b"},
      {"cursor from end, utf-8 inside a character", Cursor("-", true, Sample("abc", 0, 0, 3)), PageUtf8(),
       "/p/x日本", "/p/x日-本"},
      {"before", Anchor(0, "2007", "", "y"), Page1252(), "/p/a2007b2007", "/p/ay2007by2007"},
      {"behind", Anchor(1, "2007", "", "y"), Page1252(), "/p/a2007b2007", "/p/a2007yb2007y"},
      {"between touching strings only", Anchor(2, "ab", "cd", "-"), Page1252(), "/p/abcd_ab_cd", "/p/ab-cd_ab_cd"},
      {"anchor only in the extension", Anchor(0, "txt", "", "y"), Page1252(), "/p/report.txt", "="},
      {"anchor found case-sensitively", Anchor(0, "A", "", "y"), Page1252(), "/p/aaa", "="},
      {"hidden file has no base name", Anchor(0, "a", "", "y"), Page1252(), "/p/.htaccess", "EMPTY"},
      {"932 trail byte is no anchor", Anchor(1, "A", "", "y"), Page932(), "/p/\x83\x41", "="},
      {"utf-8 anchor", Anchor(1, "日", "", "_$$"), PageUtf8(), "/p/日本", "/p/日_01本"},
  };
  testing::ExpectPathRows(rows);
}

TEST(InsertRules, HeadNumbersFollowTheOrdinal) {
  testing::RuleHarness h;
  const OperationRecord r = Positions("$$$", "");
  EXPECT_EQ(h.run(r, "/p/a.jpg", Page1252(), 1), "/p/001a.jpg");
  EXPECT_EQ(h.run(r, "/p/b.jpg", Page1252(), 2), "/p/002b.jpg");
  EXPECT_EQ(h.run(r, "/p/c.jpg", Page1252(), 3), "/p/003c.jpg");
}

}  // namespace
}  // namespace velmora::engine
