// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rule_text.h"

#include <algorithm>

namespace velmora::engine::rules {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// True when the len bytes from the character start i end on a character boundary.
bool EndsOnBoundary(std::string_view s, std::size_t i, std::size_t len, const platform::CodePage& codePage) {
  std::size_t j = i;
  while (j < i + len) j += codePage.charLength(s, j);
  return j == i + len;
}

bool InsideName(std::string_view s, Pos cutIndex) {
  return cutIndex > 0 && cutIndex < static_cast<Pos>(s.size());
}

}  // namespace

std::size_t FindText(std::string_view s, std::string_view needle, std::size_t from, bool caseSensitive,
                     const platform::CodePage& codePage, std::size_t& matchLength) {
  matchLength = 0;
  if (needle.empty()) return npos;
  if (!caseSensitive) return codePage.findNoCase(s, needle, from, matchLength);

  // Byte search for speed; a hit counts only when it starts and ends on character
  // boundaries. `start` walks the character starts and never passes a candidate hit.
  std::size_t start = from;
  for (std::size_t hit = s.find(needle, from); hit != npos; hit = s.find(needle, hit + 1)) {
    while (start < hit) start += codePage.charLength(s, start);
    if (start == hit && EndsOnBoundary(s, hit, needle.size(), codePage)) {
      matchLength = needle.size();
      return hit;
    }
  }
  return npos;
}

std::string ReplaceEvery(std::string_view s, std::string_view pattern, std::string_view replacement,
                         bool caseSensitive, const platform::CodePage& codePage) {
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0, len = 0;
  for (std::size_t hit; (hit = FindText(s, pattern, pos, caseSensitive, codePage, len)) != npos; pos = hit + len) {
    out.append(s.substr(pos, hit - pos));
    out.append(replacement);
  }
  out.append(s.substr(pos));
  return out;
}

Pos PositionOfText(std::string_view s, std::string_view pattern, const platform::CodePage& codePage) {
  std::size_t len = 0;
  const std::size_t hit = FindText(s, pattern, 0, true, codePage, len);
  return hit == npos ? 0 : static_cast<Pos>(hit) + 1;
}

Pos CutAfterWhole(std::string_view s, Pos a, const platform::CodePage& codePage) {
  // The cut lies at byte index a.
  if (!InsideName(s, a) || codePage.isCharBoundary(s, static_cast<std::size_t>(a))) return a;
  return static_cast<Pos>(codePage.boundaryAtOrAfter(s, static_cast<std::size_t>(a)));
}

Pos CutBeforeWhole(std::string_view s, Pos b, const platform::CodePage& codePage) {
  // The cut lies at byte index b - 1.
  if (!InsideName(s, b - 1) || codePage.isCharBoundary(s, static_cast<std::size_t>(b - 1))) return b;
  return static_cast<Pos>(codePage.boundaryAtOrBefore(s, static_cast<std::size_t>(b - 1))) + 1;
}

SelectedPart MapSelection(std::string_view name, const SampleValues& sample, bool fromEnd,
                          const platform::CodePage& codePage) {
  const Pos length = static_cast<Pos>(name.size());
  const Pos start = SampleNumber(sample.selectionStart), count = SampleNumber(sample.selectionLength);
  const Pos sampleLength = static_cast<Pos>(sample.sampleName.size());
  SelectedPart raw;
  if (fromEnd) {
    raw.b = length + start + count - sampleLength + 1;
    raw.a = raw.b - count - 1;
  } else {
    raw.a = start;
    raw.b = start + count + 1;
  }
  SelectedPart cut{CutAfterWhole(name, raw.a, codePage), CutBeforeWhole(name, raw.b, codePage)};
  // Both cuts inside the same character: they moved past each other. Keep the character
  // once instead of twice.
  if (raw.a <= raw.b - 1 && cut.a > cut.b - 1) cut.b = cut.a + 1;
  return cut;
}

std::string ConvertLetterCase(std::string_view s, bool upper, const platform::CodePage& codePage) {
  if (codePage.id() == platform::CodePageId::Utf8) return upper ? codePage.toUpper(s) : codePage.toLower(s);
  std::string out(s);
  const std::vector<bool> multiByte = MultiByteMap(s, codePage);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (multiByte[i]) continue;
    const char c = out[i];
    if (upper && c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 32);
    if (!upper && c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
  }
  return out;
}

std::vector<bool> MultiByteMap(std::string_view s, const platform::CodePage& codePage) {
  std::vector<bool> map(s.size(), false);
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = codePage.charLength(s, i);
    if (len > 1) std::fill_n(map.begin() + static_cast<std::ptrdiff_t>(i), len, true);
    i += len;
  }
  return map;
}

}  // namespace velmora::engine::rules
