// SPDX-License-Identifier: GPL-3.0-or-later
// Unicode properties from the system's national language functions: the invariant
// locale's case tables (simple mappings, as the file system uses), the character type
// tables, and NormalizeString for decomposition.

#include "platform/windows_api.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "platform/unicode.h"

namespace velmora::platform::unicode {

namespace {

int ToUtf16(char32_t c, wchar_t (&units)[2]) {
  if (c > 0xFFFF) {
    c -= 0x10000;
    units[0] = static_cast<wchar_t>(0xD800 + (c >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    return 2;
  }
  units[0] = static_cast<wchar_t>(c);
  return 1;
}

void AppendUtf16(std::u16string_view units, std::u32string& out) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    out.push_back(c);
  }
}

// A mapping that would change the character's length is no simple mapping: the character stays.
char32_t Map(char32_t c, DWORD flags) {
  wchar_t in[2];
  const int n = ToUtf16(c, in);
  wchar_t out[4] = {};
  const int m = ::LCMapStringEx(LOCALE_NAME_INVARIANT, flags, in, n, out, 4, nullptr, nullptr, 0);
  if (m != n) return c;
  std::u32string mapped;
  AppendUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(out), static_cast<std::size_t>(m)), mapped);
  return mapped.size() == 1 ? mapped[0] : c;
}

WORD CharType(char32_t c, DWORD type) {
  wchar_t in[2];
  const int n = ToUtf16(c, in);
  WORD types[2] = {};
  if (!::GetStringTypeW(type, in, n, types)) return 0;
  return types[0];
}

std::u32string NormalForm(NORM_FORM form, std::u32string_view s) {
  std::wstring in;
  for (char32_t c : s) {
    wchar_t units[2];
    in.append(units, static_cast<std::size_t>(ToUtf16(c, units)));
  }
  if (in.empty()) return {};
  int size = ::NormalizeString(form, in.data(), static_cast<int>(in.size()), nullptr, 0);
  std::wstring out;
  // The first answer is an estimate; the call tells when its buffer was too small.
  for (int attempt = 0; attempt < 4 && size > 0; ++attempt) {
    out.resize(static_cast<std::size_t>(size));
    const int n = ::NormalizeString(form, in.data(), static_cast<int>(in.size()), out.data(), size);
    if (n > 0) {
      out.resize(static_cast<std::size_t>(n));
      std::u32string result;
      AppendUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(out.data()), out.size()), result);
      return result;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    size = -n;
  }
  return std::u32string(s);
}

}  // namespace

char32_t SimpleUpper(char32_t c) { return Map(c, LCMAP_UPPERCASE); }
char32_t SimpleLower(char32_t c) { return Map(c, LCMAP_LOWERCASE); }
// The system has no title-case table of its own; the upper case serves every letter
// except the few digraphs.
char32_t SimpleTitle(char32_t c) { return SimpleUpper(c); }
// Case-insensitive comparisons on Windows compare upper-case forms, as the file system does.
char32_t SimpleFold(char32_t c) { return SimpleUpper(c); }
bool IsCasedLetter(char32_t c) { return (CharType(c, CT_CTYPE1) & (C1_UPPER | C1_LOWER)) != 0; }

bool StartsCluster(char32_t c) {
  // Conjoining Hangul vowels and final consonants join the syllable before them.
  if ((c >= 0x1160 && c <= 0x11FF) || (c >= 0xD7B0 && c <= 0xD7FF)) return false;
  if ((CharType(c, CT_CTYPE3) & C3_NONSPACING) == 0) return true;
  // The system marks precomposed letters ("é") as non-spacing too; only a character that
  // decomposes to nothing but itself is a combining mark.
  const char32_t one[1] = {c};
  const std::u32string decomposed = Decompose(std::u32string_view(one, 1));
  return decomposed.empty() || decomposed[0] != c;
}

std::u32string Decompose(std::u32string_view s) { return NormalForm(NormalizationD, s); }

std::optional<std::u32string> LatinToAscii(std::u32string_view s) {
  // Latin letters that no decomposition reaches.
  static constexpr std::pair<char32_t, const char*> kLetters[] = {
      {U'\u00C6', "AE"}, {U'\u00D0', "D"},  {U'\u00D8', "O"},  {U'\u00DE', "TH"}, {U'\u00DF', "ss"}, {U'\u00E6', "ae"},
      {U'\u00F0', "d"},  {U'\u00F8', "o"},  {U'\u00FE', "th"}, {U'\u0110', "D"},  {U'\u0111', "d"},  {U'\u0126', "H"},
      {U'\u0127', "h"},  {U'\u0131', "i"},  {U'\u0141', "L"},  {U'\u0142', "l"},  {U'\u0152', "OE"}, {U'\u0153', "oe"},
      {U'\u1E9E', "SS"},
  };
  std::u32string out;
  for (const char32_t c : s) {
    if (c < 0x80) {
      out.push_back(c);
      continue;
    }
    // A mark written apart after a Latin letter ("e" + U+0301) goes with the letter's accent.
    if (c >= 0x300 && c <= 0x36F && !out.empty() && out.back() < 0x80) continue;
    const auto letter = std::find_if(std::begin(kLetters), std::end(kLetters), [c](const auto& l) { return l.first == c; });
    if (letter != std::end(kLetters)) {
      for (const char* a = letter->second; *a; ++a) out.push_back(static_cast<char32_t>(*a));
      continue;
    }
    // The compatibility decomposition splits a letter from its marks ("é" = "e" + U+0301) and
    // a ligature or a full-width letter into plain ones. A Latin letter with marks gives its
    // letter; what comes out as ASCII whole is taken; anything else (a letter of another
    // script with its marks) stays as it was.
    const char32_t one[1] = {c};
    const std::u32string parts = NormalForm(NormalizationKD, std::u32string_view(one, 1));
    const bool latinWithMarks = !parts.empty() && parts[0] < 0x80 &&
                                std::all_of(parts.begin() + 1, parts.end(), [](char32_t m) { return m >= 0x300 && m <= 0x36F; });
    const bool allAscii = !parts.empty() && std::all_of(parts.begin(), parts.end(), [](char32_t p) { return p < 0x80; });
    if (latinWithMarks) out.push_back(parts[0]);
    else if (allAscii) out += parts;
    else out.push_back(c);
  }
  return out;
}

}  // namespace velmora::platform::unicode
