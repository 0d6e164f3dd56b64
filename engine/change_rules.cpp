// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/change_rules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <string_view>
#include <vector>

#include "engine/name_model.h"
#include "engine/rule_text.h"
#include "platform/unicode.h"

namespace velmora::engine {

namespace {

constexpr std::array<std::string_view, 9> kSmallWords2{"an", "of", "in", "at", "is", "to", "or", "by", "on"};
constexpr std::array<std::string_view, 4> kSmallWords3{"the", "and", "for", "was"};

template <std::size_t N>
bool InList(const std::array<std::string_view, N>& list, std::string_view word) {
  for (std::string_view w : list)
    if (w == word) return true;
  return false;
}

constexpr bool IsLowerAscii(char c) { return c >= 'a' && c <= 'z'; }
constexpr char ToUpperAscii(char c) { return IsLowerAscii(c) ? static_cast<char>(c - 32) : c; }

// The characters a word rule looks at. Under UTF-8 a character is one unit and every
// letter with a case counts; under the other pages every byte is a unit, as the rules have
// always counted, and only ASCII letters of single-byte characters count, so a byte of a
// double-byte character never changes even when it looks like a letter.
struct Unit {
  std::size_t at = 0, length = 1;
  char32_t code = 0;     ///< the character; 0 for a byte of a longer character outside UTF-8
  bool letter = false;   ///< a word character
};

std::vector<Unit> Units(std::string_view s, const platform::CodePage& codePage) {
  std::vector<Unit> units;
  units.reserve(s.size());
  if (codePage.id() != platform::CodePageId::Utf8) {
    const std::vector<bool> multiByte = rules::MultiByteMap(s, codePage);
    for (std::size_t i = 0; i < s.size(); ++i) {
      const char32_t code = multiByte[i] ? 0 : static_cast<unsigned char>(s[i]);
      units.push_back({i, 1, code, !multiByte[i] && IsWordCharacter(s[i])});
    }
    return units;
  }
  for (std::size_t i = 0; i < s.size();) {
    char32_t code = 0;
    std::size_t length = platform::unicode::DecodeUtf8(s, i, code);
    bool letter = false;
    if (length == 0) {
      length = 1;  // a stray byte: no letter, kept as it is
    } else {
      letter = code < 0x80 ? IsWordCharacter(static_cast<char>(code)) : platform::unicode::IsCasedLetter(code);
    }
    units.push_back({i, length, code, letter});
    i += length;
  }
  return units;
}

// The unit in the form that starts a word; null when it has none of its own.
bool CapitalOf(const Unit& unit, char32_t& capital) {
  if (!unit.letter) return false;
  capital = unit.code < 0x80 ? static_cast<char32_t>(ToUpperAscii(static_cast<char>(unit.code)))
                             : platform::unicode::SimpleTitle(unit.code);
  return capital != unit.code;
}

struct Word {
  std::string_view name;
  std::vector<Unit> units;
  bool letter(std::size_t k) const { return k < units.size() && units[k].letter; }
  bool is(std::size_t k, char c) const { return k < units.size() && units[k].code == static_cast<unsigned char>(c); }
  // The ASCII letters of units k .. k+n-1 (small words are ASCII).
  std::string ascii(std::size_t k, std::size_t n) const {
    std::string out;
    for (std::size_t j = k; j < k + n; ++j) out += units[j].code < 0x80 ? static_cast<char>(units[j].code) : '\0';
    return out;
  }
};

// Whether the word starting at k is one of the small words. The first word boundary met
// decides how long the word is.
bool IsSmallWord(const Word& w, std::size_t k) {
  if (!w.letter(k + 1)) return w.is(k, 'a');
  if (!w.letter(k + 2)) return InList(kSmallWords2, w.ascii(k, 2));
  if (!w.letter(k + 3)) return InList(kSmallWords3, w.ascii(k, 3));
  return false;
}

// s with some units replaced by other characters.
std::string Rebuild(std::string_view s, const std::vector<Unit>& units, const std::vector<std::pair<std::size_t, char32_t>>& changes) {
  if (changes.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size() + 4 * changes.size());
  std::size_t done = 0;
  for (const auto& [k, capital] : changes) {
    out.append(s.substr(done, units[k].at - done));
    platform::unicode::EncodeUtf8(capital, out);  // an ASCII capital is its own byte
    done = units[k].at + units[k].length;
  }
  out.append(s.substr(done));
  return out;
}

// A byte Windows refuses in a name: the separators and wildcards, and control characters.
constexpr bool RefusedByWindows(char c) {
  return static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

std::size_t CountRefused(std::u32string_view s) {
  return static_cast<std::size_t>(
      std::count_if(s.begin(), s.end(), [](char32_t c) { return c < 0x80 && RefusedByWindows(static_cast<char>(c)); }));
}

// Windows-1252's characters at 0x80..0x9F (0: none); the bytes above are those of Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The ASCII form of one character, when it has one that a name can hold.
std::optional<std::string> AsciiOf(char32_t c, bool& available) {
  const char32_t one[1] = {c};
  const auto ascii = platform::unicode::LatinToAscii(std::u32string_view(one, 1));
  if (!ascii) {
    available = false;
    return std::nullopt;
  }
  if (ascii->empty() || CountRefused(*ascii) > 0 ||
      std::any_of(ascii->begin(), ascii->end(), [](char32_t a) { return a >= 0x80; }))
    return std::nullopt;
  return std::string(ascii->begin(), ascii->end());
}

// A run of decoded characters in ASCII. The run goes whole, so the rules that look at the
// next letter ("Æ" before a small letter) apply; when that would bring in a character a name
// cannot hold, each character is looked at alone, and one whose form holds it stays.
std::optional<std::string> RunToAscii(const std::u32string& run) {
  std::string out;
  if (std::all_of(run.begin(), run.end(), [](char32_t c) { return c < 0x80; })) return std::string(run.begin(), run.end());
  const auto whole = platform::unicode::LatinToAscii(run);
  if (!whole) return std::nullopt;
  if (CountRefused(*whole) == CountRefused(run)) {
    for (const char32_t c : *whole) platform::unicode::EncodeUtf8(c, out);
    return out;
  }
  bool available = true;
  for (const char32_t c : run) {
    const auto ascii = c < 0x80 ? std::nullopt : AsciiOf(c, available);
    if (!available) return std::nullopt;
    if (ascii) out += *ascii;
    else platform::unicode::EncodeUtf8(c, out);
  }
  return out;
}

}  // namespace

bool AccentRemovalAvailable() { return platform::unicode::LatinToAscii(U"\u00E9").has_value(); }

std::optional<std::string> RemoveAccents(std::string_view name, const platform::CodePage& codePage) {
  std::string out;
  out.reserve(name.size());
  if (codePage.id() == platform::CodePageId::Utf8) {
    // Runs of characters between bytes that are no character: those stay as they are.
    std::u32string run;
    const auto flush = [&] {
      const auto ascii = RunToAscii(run);
      if (!ascii) return false;
      out += *ascii;
      run.clear();
      return true;
    };
    for (std::size_t i = 0; i < name.size();) {
      char32_t c = 0;
      const std::size_t length = platform::unicode::DecodeUtf8(name, i, c);
      if (length == 0) {
        if (!flush()) return std::nullopt;
        out.push_back(name[i++]);
        continue;
      }
      run.push_back(c);
      i += length;
    }
    if (!flush()) return std::nullopt;
    return out;
  }
  // 1252 and 932: each character on its own; ASCII and double-byte characters stay.
  bool available = true;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = codePage.charLength(name, i);
    const auto byte = static_cast<unsigned char>(name[i]);
    std::optional<std::string> ascii;
    if (length == 1 && byte >= 0x80 && codePage.id() == platform::CodePageId::Windows1252) {
      const char32_t c = byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
      if (c != 0) ascii = AsciiOf(c, available);
      if (!available) return std::nullopt;
    }
    out += ascii ? *ascii : std::string(name.substr(i, length));
    i += length;
  }
  return out;
}

std::string MakeWindowsSafe(std::string_view name, bool endsName, const platform::CodePage& codePage) {
  std::string out(name);
  // A byte of a double-byte character may look like "\\" or "|" under 932: only whole
  // single-byte characters are looked at.
  const std::vector<bool> multiByte = rules::MultiByteMap(name, codePage);
  for (std::size_t i = 0; i < out.size(); ++i)
    if (!multiByte[i] && RefusedByWindows(out[i])) out[i] = '_';
  if (endsName)
    while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
  // Windows takes "con.txt" for the device, whatever the case and the extension.
  std::string_view stem = std::string_view(out).substr(0, std::min(out.find('.'), out.size()));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  std::string upper(stem);
  for (char& c : upper) c = ToUpperAscii(c);
  const bool numbered = upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
                        upper[3] <= '9';
  if (numbered || upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") out.insert(upper.size(), "_");
  return out;
}

std::string CapitalizeEveryWord(const std::string& name, bool excludeSmallWords, const platform::CodePage& codePage) {
  const Word w{name, Units(name, codePage)};
  const std::size_t length = w.units.size();
  std::vector<std::pair<std::size_t, char32_t>> changes;
  char32_t capital = 0;
  if (length > 0 && CapitalOf(w.units[0], capital)) changes.emplace_back(0, capital);
  // Units 1 .. length-2: the first is handled above, the last is never looked at.
  for (std::size_t k = 1; k + 1 < length; ++k) {
    if (!CapitalOf(w.units[k], capital)) continue;
    bool upper;
    if (w.is(k - 1, '-')) {
      // A hyphen inside a word ("x-men") starts no new word.
      upper = k >= 2 && !w.letter(k - 2);
    } else if (w.letter(k - 1)) {
      upper = false;
    } else {
      // Small words are left alone unless they lie near the end of the name.
      upper = !(excludeSmallWords && k + 5 < length && IsSmallWord(w, k));
    }
    if (upper) changes.emplace_back(k, capital);
  }
  return Rebuild(name, w.units, changes);
}

std::string ChangeFullName(const OperationRecord& record, const Item& item, RuleContext& context) {
  return FolderPart(item.path) + context.expand(record.newName, item) + Extension(item.path, item.isDirectory);
}

std::string ConvertCase(const OperationRecord& record, const Item& item, const platform::CodePage& codePage) {
  const PathParts parts = SplitPath(item.path, item.isDirectory);
  const std::string_view extension = parts.extension;
  std::string_view part = parts.base;
  if (record.includeExtension) part = std::string_view(part.data(), part.size() + extension.size());
  std::string x;
  if (record.caseStyle == CaseStyle::Upper) {
    x = rules::ConvertLetterCase(part, true, codePage);
  } else {
    x = rules::ConvertLetterCase(part, false, codePage);
    if (record.capitalizeFirst) {
      x = TrimLeft(x);
      // Only the first character is looked at; a double-byte one gives no letter.
      const std::vector<Unit> first = x.empty() ? std::vector<Unit>{} : Units(std::string_view(x).substr(0, codePage.charLength(x, 0)), codePage);
      char32_t capital = 0;
      if (!first.empty() && CapitalOf(first[0], capital)) x = Rebuild(x, first, {{0, capital}});
    }
  }
  return Joined(parts.folder, x, record.includeExtension ? std::string_view() : extension);
}

std::string CapitalizeWords(const OperationRecord& record, const Item& item, const platform::CodePage& codePage) {
  return FolderPart(item.path) +
         CapitalizeEveryWord(BaseName(item.path, item.isDirectory), record.excludeSmallWords, codePage) +
         Extension(item.path, item.isDirectory);
}

std::optional<std::string> ConvertForTravel(const OperationRecord& record, const Item& item,
                                            const platform::CodePage& codePage) {
  const PathParts parts = SplitPath(item.path, item.isDirectory);
  const std::string_view extension = parts.extension;
  std::string_view part = parts.base;
  if (record.includeExtension) part = std::string_view(part.data(), part.size() + extension.size());
  std::string x;
  if (record.caseStyle == CaseStyle::RemoveAccents) {
    auto ascii = RemoveAccents(part, codePage);
    if (!ascii) return std::nullopt;
    x = std::move(*ascii);
  } else {
    x = MakeWindowsSafe(part, record.includeExtension || extension.empty(), codePage);
  }
  return Joined(parts.folder, x, record.includeExtension ? std::string_view() : extension);
}

std::string ApplyChangeRule(const OperationRecord& record, const Item& item, RuleContext& context) {
  if (record.changeMode == ChangeMode::ChangeFullName) return ChangeFullName(record, item, context);
  if (record.caseStyle == CaseStyle::RemoveAccents || record.caseStyle == CaseStyle::WindowsSafe)
    return ConvertForTravel(record, item, context.codePage).value_or(item.path);
  if (record.caseStyle == CaseStyle::CapitalizeWords) return CapitalizeWords(record, item, context.codePage);
  return ConvertCase(record, item, context.codePage);
}

}  // namespace velmora::engine
