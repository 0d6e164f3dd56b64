// SPDX-License-Identifier: GPL-3.0-or-later
// Character boundaries and case mapping of the three code pages.

#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace velmora {
namespace {

using platform::CodePage;

const CodePage& Cp932() { return platform::Windows932CodePage(); }
const CodePage& Utf8() { return platform::Utf8CodePage(); }
const CodePage& Cp1252() { return platform::Windows1252CodePage(); }

TEST(CodePage932, LeadBytesAndTheirTrailBytes) {
  // "\x95\x5c" is one character whose trail byte is the ASCII backslash.
  const std::string name = "a\x95\x5c" "b";
  EXPECT_TRUE(Cp932().isLeadByte(0x81));
  EXPECT_TRUE(Cp932().isLeadByte(0x9F));
  EXPECT_TRUE(Cp932().isLeadByte(0xE0));
  EXPECT_TRUE(Cp932().isLeadByte(0xFC));
  EXPECT_FALSE(Cp932().isLeadByte(0xA1));  // half-width katakana is single-byte
  EXPECT_FALSE(Cp932().isLeadByte('a'));
  EXPECT_EQ(Cp932().charLength(name, 1), 2u);
  EXPECT_TRUE(Cp932().isCharBoundary(name, 1));
  EXPECT_FALSE(Cp932().isCharBoundary(name, 2));
  EXPECT_TRUE(Cp932().isCharBoundary(name, 3));
  EXPECT_EQ(Cp932().boundaryAtOrBefore(name, 2), 1u);
  EXPECT_EQ(Cp932().boundaryAtOrAfter(name, 2), 3u);
  // A lead byte at the very end stands alone.
  EXPECT_EQ(Cp932().charLength("x\x82", 1), 1u);
}

TEST(CodePage932, SearchNeverMatchesInsideADoubleByteCharacter) {
  const std::string name = "\x95\x5c" "\\";
  std::size_t len = 0;
  EXPECT_EQ(Cp932().findNoCase(name, "\\", 0, len), 2u);
  // A trail byte in the letter range is not a letter.
  const std::string kanji = "\x83\x61" "A";
  EXPECT_EQ(Cp932().findNoCase(kanji, "a", 0, len), 2u);
  EXPECT_EQ(Cp932().toUpper(kanji), kanji);
  EXPECT_EQ(Cp932().toLower("\x83\x41" "B"), "\x83\x41" "b");
}

TEST(CodePageUtf8, CharactersAndCaseMapping) {
  const std::string cafe = "Caf\xc3\xa9";  // Café
  EXPECT_EQ(Utf8().charLength(cafe, 3), 2u);
  EXPECT_FALSE(Utf8().isCharBoundary(cafe, 4));
  EXPECT_EQ(Utf8().toUpper(cafe), "CAF\xc3\x89");
  EXPECT_EQ(Utf8().toLower("\xc3\x89T\xc3\x89"), "\xc3\xa9t\xc3\xa9");
  std::size_t len = 0;
  EXPECT_EQ(Utf8().findNoCase("x\xc3\x89t\xc3\xa9", "\xc3\xa9T", 0, len), 1u);
  EXPECT_EQ(len, 3u);
  EXPECT_TRUE(Utf8().equalsNoCase("\xd0\x9f\xd1\x80\xd0\xb8", "\xd0\xbf\xd0\xa0\xd0\x98"));  // Cyrillic
  EXPECT_FALSE(Utf8().equalsNoCase("ab", "abc"));
}

TEST(CodePageUtf8, MalformedBytesStandAloneAndMatchOnlyThemselves) {
  const std::string bad = "a\xff\xc3(";
  EXPECT_EQ(Utf8().charLength(bad, 1), 1u);
  EXPECT_EQ(Utf8().charLength(bad, 2), 1u);
  EXPECT_EQ(Utf8().toUpper(bad), "A\xff\xc3(");
  std::size_t len = 0;
  EXPECT_EQ(Utf8().findNoCase(bad, "\xc3", 0, len), 2u);
  EXPECT_EQ(Utf8().findNoCase(bad, "\xc3\x89", 0, len), std::string::npos);
  // A CJK name: three bytes a character, no case.
  const std::string cjk = "\xe5\x86\x99\xe7\x9c\x9f";
  EXPECT_EQ(Utf8().boundaryAtOrBefore(cjk, 4), 3u);
  EXPECT_EQ(Utf8().toUpper(cjk), cjk);
}

TEST(CodePageUtf8, SearchFoldsCaseAndComposition) {
  const std::string nfc = "\xc3\xa9" "cole";       // école, composed
  const std::string nfd = "e\xcc\x81" "cole";      // école, decomposed as macOS stores it
  struct Row {
    const char* label;
    std::string text, needle;
    std::size_t at, length;
  };
  const Row rows[] = {
      {"upper finds lower", "x" + nfc, "\xc3\x89" "COLE", 1, 6},
      {"composed finds decomposed", "x" + nfd, nfc, 1, 7},
      {"decomposed finds composed", "x" + nfc, "E\xcc\x81", 1, 2},
      {"a letter without its accent is no match", nfd, "ec", std::string::npos, 0},
      {"nor is an accented letter found by its base", nfc, "ec", std::string::npos, 0},
      {"an ASCII needle never ends before a mark", "xe\xcc\x81 Xe", "xe", 5, 2},
      {"ASCII: a hit after a near one", "iMmIMG.jpg", "img", 3, 3},
      {"ASCII: no hit cut off at the end", "xxIm", "img", std::string::npos, 0},
      {"an ASCII needle after a multi-byte character", "\xc3\xa9iMg", "IMG", 2, 3},
      {"Y with diaeresis", "\xc3\xbf" "a", "\xc5\xb8" "A", 0, 3},
      {"kana with voicing mark", "\xe3\x81\x8b\xe3\x82\x99", "\xe3\x81\x8c", 0, 6},  // ka+mark, ga
      {"stray bytes match themselves", "a\xff\xc3\x89", "\xff\xc3\xa9", 1, 3},
      {"sharp s is one letter, never ss", "strasse", "stra\xc3\x9f" "e", std::string::npos, 0},
#ifndef _WIN32  // Windows compares by the system's upper case, which leaves these three alone
      // Case folding, not lower or upper case: final sigma, the micro sign and capital sharp
      // s fold to the letter they stand for.
      {"final sigma is a sigma", "\xce\xbf\xce\xb4\xce\xbf\xcf\x82", "\xce\x9f\xce\x94\xce\x9f\xce\xa3", 0, 8},
      {"the micro sign is mu", "5\xc2\xb5m", "\xce\xbc", 1, 2},
      {"capital sharp s is sharp s", "stra\xc3\x9f" "e", "STRA\xe1\xba\x9e" "E", 0, 7},
#endif
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::size_t len = 0;
    EXPECT_EQ(Utf8().findNoCase(row.text, row.needle, 0, len), row.at);
    EXPECT_EQ(len, row.length);
  }
  EXPECT_TRUE(Utf8().equalsNoCase("\xc3\x89" "COLE", nfd));
  EXPECT_EQ(Utf8().toUpper("\xc3\xbf"), "\xc5\xb8");
  EXPECT_EQ(Utf8().toUpper("\xc5\xb8"), "\xc5\xb8");
}

TEST(CodePage1252, WesternLettersMapBothWays) {
  EXPECT_EQ(Cp1252().toUpper("\xe9\x9a\xff"), "\xc9\x8a\x9f");
  EXPECT_EQ(Cp1252().toLower("\xc9\x8a\x9f"), "\xe9\x9a\xff");
  EXPECT_EQ(Cp1252().toUpper("\xf7"), "\xf7");  // division sign has no case
  EXPECT_TRUE(Cp1252().isCharBoundary("\xe9\xe9", 1));
}

TEST(CodePageNames, CommandLineNames) {
  EXPECT_EQ(platform::CodePageByName("utf-8"), &Utf8());
  EXPECT_EQ(platform::CodePageByName("1252"), &Cp1252());
  EXPECT_EQ(platform::CodePageByName("932"), &Cp932());
  EXPECT_EQ(platform::CodePageByName("koi8"), nullptr);
}

}  // namespace
}  // namespace velmora
