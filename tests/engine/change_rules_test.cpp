// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "engine/change_rules.h"
#include "rule_harness.h"

namespace velmora::engine {
namespace {

using testing::Page1252;
using testing::Page932;
using testing::PageUtf8;

OperationRecord NewName(std::string name) {
  OperationRecord r;
  r.kind = OperationKind::Change;
  r.newName = std::move(name);
  return r;
}

OperationRecord Case(CaseStyle style, bool capitalizeFirst = true, bool includeExtension = true) {
  OperationRecord r = NewName("");
  r.changeMode = ChangeMode::ConvertCase;
  r.caseStyle = style;
  r.capitalizeFirst = capitalizeFirst;
  r.includeExtension = includeExtension;
  return r;
}

TEST(ChangeRules, FullNameAndCase) {
  testing::ExpectPathRows({
      {"new name keeps the extension", NewName("holiday"), Page1252(), "/p/img1.jpg", "/p/holiday.jpg"},
      {"new name with a dot", NewName("holiday.txt"), Page1252(), "/p/img1.jpg", "/p/holiday.txt.jpg"},
      {"folder takes the name whole", NewName("holiday"), Page1252(), "/p/old.docs/", "/p/holiday"},
      {"special strings", NewName("pic_$$"), Page1252(), "/p/x.png", "/p/pic_01.png"},
      {"new name empty after expansion", NewName("%0%"), Page1252(), "/p/readme", "EMPTY"},
      {"lower, first capital", Case(CaseStyle::Lower), Page1252(), "/p/MY FILE.TXT", "/p/My file.txt"},
      {"lower, extension kept", Case(CaseStyle::Lower, true, false), Page1252(), "/p/MY FILE.TXT", "/p/My file.TXT"},
      {"lower, leading space goes", Case(CaseStyle::Lower), Page1252(), "/p/ ABC.txt", "/p/Abc.txt"},
      {"lower only", Case(CaseStyle::Lower, false), Page1252(), "/p/ ABC.txt", "/p/ abc.txt"},
      {"lower, name of spaces", Case(CaseStyle::Lower), Page1252(), "/p/   ", "EMPTY"},
      {"a new name '.' names the folder itself", NewName("."), Page1252(), "/p/d/", "EMPTY"},
      {"a new name '..' names the parent", NewName(".."), Page1252(), "/p/d/", "EMPTY"},
      {"upper", Case(CaseStyle::Upper), Page1252(), "/p/read me.txt", "/p/READ ME.TXT"},
      {"case alone is a change", Case(CaseStyle::Upper), Page1252(), "/p/abc", "/p/ABC"},
      {"already upper", Case(CaseStyle::Upper), Page1252(), "/p/ABC", "="},
      {"accents change too, utf-8", Case(CaseStyle::Upper), PageUtf8(), "/p/école", "/p/ÉCOLE"},
      {"utf-8 lower, first capital", Case(CaseStyle::Lower), PageUtf8(), "/p/ÉCOLE ÉTÉ.TXT", "/p/École été.txt"},
      {"utf-8 first capital of a decomposed name", Case(CaseStyle::Lower), PageUtf8(), "/p/e\xcc\x81" "COLE",
       "/p/E\xcc\x81" "cole"},
      {"utf-8 simple mapping keeps sharp s", Case(CaseStyle::Upper), PageUtf8(), "/p/straße.txt", "/p/STRAßE.TXT"},
      {"utf-8 Cyrillic and Greek", Case(CaseStyle::Upper), PageUtf8(), "/p/привет σοφία", "/p/ПРИВЕТ ΣΟΦΊΑ"},
      {"utf-8 y with diaeresis both ways", Case(CaseStyle::Upper), PageUtf8(), "/p/ÿŸ", "/p/ŸŸ"},
      {"utf-8 words", Case(CaseStyle::CapitalizeWords), PageUtf8(), "/p/résumé final.doc", "/p/Résumé Final.doc"},
      {"accents stay, 1252", Case(CaseStyle::Upper), Page1252(), "/p/\xe9" "cole", "/p/\xe9" "COLE"},
      {"932 trail byte is no letter", Case(CaseStyle::Upper), Page932(), "/p/\x82\x61x", "/p/\x82\x61X"},
      {"932 first character double byte", Case(CaseStyle::Lower), Page932(), "/p/\x83\x41X", "/p/\x83\x41x"},
      {"words, extension untouched", Case(CaseStyle::CapitalizeWords), Page1252(), "/p/the lord of the rings.avi",
       "/p/The Lord of the Rings.avi"},
  });
}

TEST(ChangeRules, NamesThatTravel) {
  const OperationRecord accents = Case(CaseStyle::RemoveAccents), safe = Case(CaseStyle::WindowsSafe);
  testing::ExpectPathRows({
      {"accents go", accents, PageUtf8(), "/p/Café.txt", "/p/Cafe.txt"},
      {"sharp s", accents, PageUtf8(), "/p/Straße", "/p/Strasse"},
      {"ligature and stroke", accents, PageUtf8(), "/p/Encyclopædia Łódź", "/p/Encyclopaedia Lodz"},
      {"a mark written apart", accents, PageUtf8(), "/p/e\xcc\x81te", "/p/ete"},
      {"other scripts stay", accents, PageUtf8(), "/p/привет café", "/p/привет cafe"},
      {"extension left out", Case(CaseStyle::RemoveAccents, true, false), PageUtf8(), "/p/né.é", "/p/ne.é"},
      {"a full-width slash never becomes a separator", accents, PageUtf8(), "/p/a／b é", "/p/a／b e"},
      {"a fraction with a slash stays", accents, PageUtf8(), "/p/½ é", "/p/½ e"},
      {"a byte that is no character stays", accents, PageUtf8(), "/p/caf\xe9 é", "/p/caf\xe9 e"},
      {"plain ASCII is left", accents, PageUtf8(), "/p/plain", "="},
      {"1252 letter", accents, Page1252(), "/p/caf\xe9", "/p/cafe"},
      {"1252 sharp s and ligature", accents, Page1252(), "/p/\xdf\x8c", "/p/ssOE"},
      {"1252 quote that would be refused stays", accents, Page1252(), "/p/\x94x\xe9", "/p/\x94xe"},
      {"932 double-byte characters stay", accents, Page932(), "/p/\x82\x61x", "="},
      {"refused characters", safe, PageUtf8(), "/p/a*b?c\"d<e>f|g", "/p/a_b_c_d_e_f_g"},
      {"control character", safe, PageUtf8(), "/p/a\tb\x7f", "/p/a_b\x7f"},
      {"trailing dots and spaces", safe, PageUtf8(), "/p/notes. . ", "/p/notes"},
      {"extension left out keeps the dots before it", Case(CaseStyle::WindowsSafe, true, false), PageUtf8(),
       "/p/a*b. .txt", "/p/a_b. .txt"},
      {"device name", safe, PageUtf8(), "/p/con.txt", "/p/con_.txt"},
      {"device name in any case, numbered", safe, PageUtf8(), "/p/Com1.tar.gz", "/p/Com1_.tar.gz"},
      {"a longer name is no device", safe, PageUtf8(), "/p/console.txt", "="},
      {"nothing but dots", safe, PageUtf8(), "/p/...", "EMPTY"},
  });
#ifndef _WIN32
  // Names that only Linux lets a file have (on Windows these bytes end a folder part).
  testing::ExpectPathRows({
      {"colon and backslash", safe, PageUtf8(), "/p/a:b\\c", "/p/a_b_c"},
      {"932 trail byte that looks like a backslash", safe, Page932(), "/p/\x95\x5c:", "/p/\x95\x5c_"},
  });
#endif
}

TEST(ChangeRules, CapitalizeEveryWord) {
  struct WordRow {
    std::string name;
    std::string expected;
    bool excludeSmallWords = true;
  };
  const std::vector<WordRow> rows{
      {"war and peace", "War and Peace"},
      {"a tale of two cities", "A Tale of Two Cities"},
      {"x of y", "X Of y"},
      {"part a", "Part a"},
      {"x-men", "X-men"},
      {"3-d movie", "3-D Movie"},
      {"-x yz", "-x Yz"},
      {"mp3player", "Mp3Player"},
      {"don't stop", "Don'T Stop"},
      {"hELLO wORLD", "HELLO WORLD"},
      {"war and peace", "War And Peace", false},
      {"go to an end", "Go to an End"},
      {"go to an ed", "Go to An Ed"},
      {"it is for the win", "It is for the Win"},
      {"one ox and me", "One Ox and Me"},
      {"see them all", "See Them All"},
      {"a", "A"},
      {"", ""},
  };
  for (const WordRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CapitalizeEveryWord(row.name, row.excludeSmallWords, Page1252()), row.expected);
  }
  // A letter after a double-byte character starts a word even when the trail byte has the
  // value of a letter; the trail byte itself never changes.
  EXPECT_EQ(CapitalizeEveryWord("x\x83\x61" "bc def", true, Page932()), "X\x83\x61" "Bc Def");
  EXPECT_EQ(CapitalizeEveryWord("x日bc def", true, PageUtf8()), "X日Bc Def");
  // Under UTF-8 the rule counts characters: "é" is one letter, a word starts at "ö".
  EXPECT_EQ(CapitalizeEveryWord("élan of öl ab", true, PageUtf8()), "Élan of Öl Ab");
  EXPECT_EQ(CapitalizeEveryWord("straße am see", true, PageUtf8()), "Straße Am See");
}

}  // namespace
}  // namespace velmora::engine
