// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/name_pattern.h"
#include "engine/remove_rules.h"
#include "rule_harness.h"

namespace velmora::engine {
namespace {

using testing::Page1252;
using testing::Page932;
using testing::PageUtf8;
using testing::Sample;

struct Row {
  const char* label;
  OperationRecord record;
  const platform::CodePage& page;
  std::string name;
  std::string expected;  // new base name, "=" unchanged, "EMPTY" refused
};

OperationRecord Remove(RemoveMode mode, const std::function<void(OperationRecord&)>& set = {}) {
  OperationRecord r;
  r.kind = OperationKind::Remove;
  r.removeMode = mode;
  if (set) set(r);
  return r;
}

OperationRecord Strings(std::string t1, std::string t2, bool caseSensitive) {
  return Remove(RemoveMode::RemoveStrings, [&](OperationRecord& r) {
    r.removeText1 = t1;
    r.removeText2 = t2;
    r.removeCaseSensitive = caseSensitive;
  });
}

// The strings as regular expressions.
OperationRecord Patterns(std::string t1, std::string t2, bool caseSensitive = false) {
  OperationRecord r = Strings(std::move(t1), std::move(t2), caseSensitive);
  r.regex = true;
  return r;
}

// The selection "cd" of the sample "abcdef" unless another sample is given.
OperationRecord Selected(RemoveMode mode, bool fromEnd, SampleValues sample = Sample("abcdef", 2, 2)) {
  return Remove(mode, [&](OperationRecord& r) {
    r.removeFromEnd = r.keepFromEnd = fromEnd;
    r.sample = sample;
  });
}

OperationRecord Between(std::string left, std::string right, bool boundaries) {
  return Remove(RemoveMode::RemoveBetween, [&](OperationRecord& r) {
    r.leftText = left;
    r.rightText = right;
    r.removeBoundaries = boundaries;
  });
}

OperationRecord Keep(std::string k1, std::string k2) {
  return Remove(RemoveMode::KeepStrings, [&](OperationRecord& r) {
    r.keepText1 = k1;
    r.keepText2 = k2;
  });
}

OperationRecord Clean(const std::function<void(OperationRecord&)>& set = {}) { return Remove(RemoveMode::CleanSymbols, set); }

void RunRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    testing::RuleHarness h;
    // A build without regular expressions leaves every item alone, saying why.
    const bool unavailable = row.record.regex && !RegexAvailable();
    EXPECT_EQ(h.name(row.record, row.name, row.page),
              unavailable ? std::string("LEFT: ") + kRegexUnavailableReason : row.expected);
  }
}

constexpr bool Head = false, End = true;

TEST(RemoveRules, RemoveStrings) {
  RunRows({
      {"strings 1 and 2", Strings("x", "y", false), Page1252(), "axbyc", "abc"},
      {"case-insensitive", Strings("ABC", "", false), Page1252(), "abcABCx", "x"},
      {"case-sensitive", Strings("ABC", "", true), Page1252(), "abcABCx", "abcx"},
      {"later string searched in the result", Strings("b", "ac", true), Page1252(), "abc", "EMPTY"},
      {"not found", Strings("q", "", false), Page1252(), "abc", "="},
      {"utf-8 case mapping", Strings("É", "", false), PageUtf8(), "caféÉ", "caf"},
      {"1252 case mapping", Strings("\xc9", "", false), Page1252(), "caf\xe9", "caf"},
      {"932 trail byte is no letter", Strings("A", "", true), Page932(), "\x83\x41" "A", "\x83\x41"},
      {"932 trail byte, any case", Strings("a", "", false), Page932(), "\x83\x41" "a", "\x83\x41"},
      {"regex", Patterns("\\d+", ""), PageUtf8(), "a1b22c", "abc"},
      {"regex strings in order", Patterns("^x", "^a"), PageUtf8(), "xab", "b"},
      {"regex any case", Patterns("[a-c]", ""), PageUtf8(), "ABCd", "d"},
      {"regex exact case", Patterns("[a-c]", "", true), PageUtf8(), "ABCd", "="},
      {"regex text taken literally when off", Strings("a.", "", false), PageUtf8(), "abca.", "abc"},
      {"regex empty match removes nothing", Patterns("z*", ""), PageUtf8(), "abc", "="},
      {"regex everything", Patterns(".", ""), PageUtf8(), "abc", "EMPTY"},
      {"regex 932 name", Patterns("\\d", ""), Page932(), "\x82\xa0" "1", "\x82\xa0"},
  });
}

TEST(RemoveRules, RemoveSelected) {
  RunRows({
      {"head", Selected(RemoveMode::RemoveSelected, Head), Page1252(), "abcdefgh", "abefgh"},
      {"head, name ends inside the part", Selected(RemoveMode::RemoveSelected, Head), Page1252(), "abc", "ab"},
      {"head, name ends before the part", Selected(RemoveMode::RemoveSelected, Head), Page1252(), "ab", "="},
      {"end", Selected(RemoveMode::RemoveSelected, End), Page1252(), "xxabcdef", "xxabef"},
      {"end, shorter name", Selected(RemoveMode::RemoveSelected, End), Page1252(), "cdef", "ef"},
      {"end, nothing at those positions", Selected(RemoveMode::RemoveSelected, End), Page1252(), "ef", "="},
      {"negative length takes nothing twice", Selected(RemoveMode::RemoveSelected, Head, Sample("abcdef", 5, -3)),
       Page1252(), "abcdef", "="},
      {"everything selected", Selected(RemoveMode::RemoveSelected, Head, Sample("abc", 0, 3)), Page1252(), "abc", "EMPTY"},
      {"932 whole character", Selected(RemoveMode::RemoveSelected, Head), Page932(), "ab\x82\xa0" "ef", "abef"},
      {"932 lead byte only", Selected(RemoveMode::RemoveSelected, Head, Sample("abcdef", 2, 1)), Page932(),
       "ab\x82\xa0" "ef", "="},
      {"932 trail byte only", Selected(RemoveMode::RemoveSelected, Head, Sample("abcdef", 3, 1)), Page932(),
       "ab\x82\xa0" "ef", "="},
      {"932 from end", Selected(RemoveMode::RemoveSelected, End, Sample("abcdef", 3, 1)), Page932(),
       "xab\x82\xa0" "ef", "="},
      {"utf-8 accent from end", Selected(RemoveMode::RemoveSelected, End, Sample("café", 3, 2)), PageUtf8(), "un café",
       "un caf"},
      {"utf-8 inside one character", Selected(RemoveMode::RemoveSelected, Head, Sample("abcdefg", 3, 1)), PageUtf8(),
       "ab日ef", "="},
      {"utf-8 part of a character", Selected(RemoveMode::RemoveSelected, Head), PageUtf8(), "ab日ef", "="},
      {"utf-8 CJK whole", Selected(RemoveMode::RemoveSelected, Head, Sample("ab日ef", 2, 3)), PageUtf8(), "xy本日",
       "xy日"},
  });
}

TEST(RemoveRules, KeepSelected) {
  RunRows({
      {"head", Selected(RemoveMode::KeepSelected, Head), Page1252(), "abcdefgh", "cd"},
      {"head, short name", Selected(RemoveMode::KeepSelected, Head), Page1252(), "abc", "c"},
      {"head, nothing left", Selected(RemoveMode::KeepSelected, Head), Page1252(), "ab", "EMPTY"},
      {"end", Selected(RemoveMode::KeepSelected, End), Page1252(), "xxabcdef", "cd"},
      {"end, shorter name", Selected(RemoveMode::KeepSelected, End), Page1252(), "def", "d"},
      {"end, nothing left", Selected(RemoveMode::KeepSelected, End), Page1252(), "ef", "EMPTY"},
      {"932 lead byte keeps the character", Selected(RemoveMode::KeepSelected, Head, Sample("abcd", 1, 1)), Page932(),
       "a\x82\xa0" "b", "\x82\xa0"},
      {"932 trail byte keeps the character", Selected(RemoveMode::KeepSelected, Head, Sample("abcd", 2, 1)), Page932(),
       "a\x82\xa0" "b", "\x82\xa0"},
      {"utf-8 from end widens to whole characters", Selected(RemoveMode::KeepSelected, End, Sample("日本", 2, 2)),
       PageUtf8(), "x日本", "日本"},
  });
}

TEST(RemoveRules, RemoveBetween) {
  RunRows({
      {"pairs", Between("[", "]", false), Page1252(), "a[x]b[y]c", "a[]b[]c"},
      {"pairs with the strings", Between("[", "]", true), Page1252(), "a[x]b[y]c", "abc"},
      {"unmatched left string stays", Between("[", "]", false), Page1252(), "a[x]b[y", "a[]b[y"},
      {"everything would go", Between("[", "]", true), Page1252(), "[x]", "="},
      {"no left string", Between("[", "]", false), Page1252(), "ab", "="},
      {"same strings", Between("-", "-", false), Page1252(), "a-x-b-y-c", "a--b--c"},
      {"same strings removed", Between("-", "-", true), Page1252(), "a-x-b-y-c", "abc"},
      {"right string starts inside the left one", Between("ab", "ba", false), Page1252(), "xabay", "="},
      {"case-sensitive", Between("A", "B", false), Page1252(), "axb", "="},
      {"932 trail bytes are no strings", Between("A", "B", false), Page932(), "\x83\x41x\x83\x42", "="},
      {"utf-8", Between("«", "»", true), PageUtf8(), "a«日»b", "ab"},
  });
}

TEST(RemoveRules, KeepStrings) {
  RunRows({
      {"one string", Keep("2007", ""), Page1252(), "trip_2007_final", "2007"},
      {"two strings in name order", Keep("a", "b"), Page1252(), "banana", "baaa"},
      {"neither found", Keep("x", "y"), Page1252(), "banana", "="},
      {"second only", Keep("", "x"), Page1252(), "x-x", "xx"},
      {"non-overlapping", Keep("aa", ""), Page1252(), "aaa", "aa"},
      {"second found between the first", Keep("ab", "b"), Page1252(), "xabb", "abb"},
      {"question marks of the name are no markers", Keep("b", ""), Page1252(), "a?b?", "b"},
      {"question mark as a keep string", Keep("a", "?"), Page1252(), "xa?a", "a?a"},
      {"932 trail byte is no string", Keep("A", ""), Page932(), "\x83\x41" "xA", "A"},
  });
}

TEST(RemoveRules, CleanSymbols) {
  RunRows({
      {"defaults", Clean(), Page1252(), "Song - Artist (Live)!", "Song - Artist Live"},
      {"underscores", Clean(), Page1252(), "__init__", "init"},
      {"underscores kept", Clean([](OperationRecord& r) { r.keepUnderscore = true; }), Page1252(), "__init__", "="},
      {"erased to nothing", Clean([](OperationRecord& r) { r.erasedToSpace = false; }), Page1252(), "a&b", "ab"},
      {"erased to space", Clean(), Page1252(), "a&b", "a b"},
      {"plain name even with other symbols", Clean([](OperationRecord& r) {
         r.alsoErase = true;
         r.alsoEraseText = "abc";
       }), Page1252(), "abc123", "="},
      {"one character", Clean(), Page1252(), "!", "="},
      {"spaces collapse", Clean(), Page1252(), " a   b ", "a b"},
      {"all erased", Clean(), Page1252(), "!!", "EMPTY"},
      {"other symbols text as one", Clean([](OperationRecord& r) {
         r.alsoErase = true;
         r.alsoEraseText = "feat";
       }), Page1252(), "Song feat Artist", "Song Artist"},
      {"other symbols text over an erased byte", Clean([](OperationRecord& r) {
         r.alsoErase = true;
         r.alsoEraseText = "a.";
       }), Page1252(), "xa.b", "xa b"},
      {"brackets and others kept", Clean([](OperationRecord& r) {
         r.keepBrackets = true;
         r.keepOthers = true;
         r.keepOthersText = "&?";
       }), Page1252(), "[a]&b?!", "[a]&b?"},
      {"1252 accented letter erased", Clean(), Page1252(), "Caf\xe9 & Co", "Caf Co"},
      {"utf-8 accented letter kept", Clean(), PageUtf8(), "Café & Co", "Café Co"},
      {"utf-8 CJK kept", Clean(), PageUtf8(), "日本!語", "日本 語"},
      {"utf-8 stray byte erased", Clean(), PageUtf8(), "Caf\xe9!", "Caf"},
      {"932 double byte kept", Clean(), Page932(), "\x82\xa0!", "\x82\xa0"},
      {"932 trail byte that looks like a symbol", Clean(), Page932(), "a\x81\x5f" "b", "="},
      {"932 pair with a blank trail byte", Clean(), Page932(), "a\x82 !", "a\x82 "},
      {"932 pair with a space trail byte", Clean(), Page932(), "a\x82  b", "="},
  });
}

}  // namespace
}  // namespace velmora::engine
