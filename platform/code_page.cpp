// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/code_page.h"

#include <string>
#include <vector>

#include "platform/unicode.h"

namespace velmora::platform {

// ---------------------------------------------------------------------------------------
// Shared helpers

bool CodePage::isCharBoundary(std::string_view s, std::size_t i) const {
  if (i >= s.size()) return i == s.size();
  std::size_t p = 0;
  while (p < i) p += charLength(s, p);
  return p == i;
}

std::size_t CodePage::boundaryAtOrBefore(std::string_view s, std::size_t i) const {
  if (i >= s.size()) return s.size();
  std::size_t p = 0;
  while (true) {
    std::size_t next = p + charLength(s, p);
    if (next > i) return p;
    p = next;
  }
}

std::size_t CodePage::boundaryAtOrAfter(std::string_view s, std::size_t i) const {
  if (i >= s.size()) return s.size();
  std::size_t p = 0;
  while (p < i) p += charLength(s, p);
  return p;
}

std::size_t CodePage::matchNoCaseAt(std::string_view s, std::size_t i, std::string_view needle) const {
  std::size_t j = i, k = 0;
  while (k < needle.size()) {
    if (j >= s.size()) return std::string_view::npos;
    std::size_t ls = 0, ln = 0;
    if (upperCode(s, j, ls) != upperCode(needle, k, ln)) return std::string_view::npos;
    j += ls;
    k += ln;
  }
  return j - i;
}

std::size_t CodePage::findNoCase(std::string_view s, std::string_view needle, std::size_t from,
                                 std::size_t& matchLength) const {
  matchLength = 0;
  if (needle.empty()) return std::string_view::npos;
  for (std::size_t i = boundaryAtOrAfter(s, from); i < s.size(); i += charLength(s, i)) {
    std::size_t len = matchNoCaseAt(s, i, needle);
    if (len != std::string_view::npos) {
      matchLength = len;
      return i;
    }
  }
  return std::string_view::npos;
}

bool CodePage::equalsNoCase(std::string_view a, std::string_view b) const {
  return matchNoCaseAt(a, 0, b) == a.size();
}

namespace {

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// ---------------------------------------------------------------------------------------
// UTF-8

using unicode::DecodeUtf8;

char32_t AsciiFold(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// A text in the form a case-insensitive search compares: every character decomposed (NFD)
// and folded to one case, cluster by cluster (a base character with the marks that
// belong to it), so that composed and decomposed spellings of a name give the same units.
// at[k] is the byte offset in the text where the cluster of unit k begins, npos inside a
// cluster; one more entry holds the text's size. A match may only begin and end where a
// cluster begins, so it never takes a letter without its accent.
struct SearchForm {
  std::u32string units;
  std::vector<std::size_t> at;
};

constexpr std::size_t kInside = std::string_view::npos;
// A stray byte of a malformed sequence: a unit no character decodes to, matching itself only.
constexpr char32_t StrayByte(unsigned char b) { return 0x80000000u | b; }

SearchForm MakeSearchForm(std::string_view s) {
  SearchForm form;
  form.units.reserve(s.size());
  form.at.reserve(s.size() + 1);
  std::u32string cluster;
  std::size_t clusterStart = 0;
  bool decomposable = false;
  auto flush = [&] {
    if (cluster.empty()) return;
    std::u32string units = decomposable ? unicode::Decompose(cluster) : cluster;
    // Folded after the decomposition, so the base letter of a composed capital folds as
    // the same letter written on its own does.
    for (char32_t& u : units) u = u < 0x80 ? AsciiFold(u) : unicode::SimpleFold(u);
    form.at.push_back(clusterStart);
    form.at.insert(form.at.end(), units.size() - 1, kInside);
    form.units += units;
    cluster.clear();
    decomposable = false;
  };
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp;
    const std::size_t len = DecodeUtf8(s, i, cp);
    if (len == 0) {
      flush();
      form.units.push_back(StrayByte(static_cast<unsigned char>(s[i])));
      form.at.push_back(i);
      ++i;
      continue;
    }
    if (cp < 0x80 || unicode::StartsCluster(cp)) {
      flush();
      clusterStart = i;
    }
    cluster.push_back(cp);
    decomposable = decomposable || cp >= 0xC0;  // nothing below U+00C0 decomposes
    i += len;
  }
  flush();
  form.at.push_back(s.size());
  return form;
}

class Utf8Page final : public CodePage {
 public:
  CodePageId id() const override { return CodePageId::Utf8; }
  const char* name() const override { return "utf-8"; }
  bool isLeadByte(unsigned char byte) const override { return byte >= 0xC2 && byte <= 0xF4; }
  std::size_t charLength(std::string_view s, std::size_t i) const override {
    if (i >= s.size()) return 1;
    char32_t cp;
    std::size_t len = DecodeUtf8(s, i, cp);
    return len == 0 ? 1 : len;
  }
  std::uint32_t upperCode(std::string_view s, std::size_t i, std::size_t& len) const override {
    char32_t cp;
    len = DecodeUtf8(s, i, cp);
    if (len == 0) {
      len = 1;
      return StrayByte(static_cast<unsigned char>(s[i]));
    }
    if (cp < 0x80) return static_cast<unsigned char>(AsciiUpper(static_cast<char>(cp)));
    return unicode::SimpleUpper(unicode::SimpleFold(cp));
  }
  std::string toUpper(std::string_view s) const override { return Map<AsciiUpper, unicode::SimpleUpper>(s); }
  std::string toLower(std::string_view s) const override { return Map<AsciiLower, unicode::SimpleLower>(s); }

  // An ASCII needle is sought byte-wise in any name (the common case: no decoding, and the
  // name is not scanned first); others compare their search forms.
  std::size_t findNoCase(std::string_view s, std::string_view needle, std::size_t from,
                         std::size_t& matchLength) const override {
    matchLength = 0;
    if (needle.empty()) return std::string_view::npos;
    if (unicode::IsAscii(needle)) return findAscii(s, needle, from, matchLength);
    const SearchForm text = MakeSearchForm(s);
    const std::u32string pattern = MakeSearchForm(needle).units;
    const std::size_t n = pattern.size();
    for (std::size_t k = 0; k + n <= text.units.size(); ++k) {
      if (text.at[k] == kInside || text.at[k] < from || text.at[k + n] == kInside) continue;
      if (std::u32string_view(text.units).substr(k, n) == pattern) {
        matchLength = text.at[k + n] - text.at[k];
        return text.at[k];
      }
    }
    return std::string_view::npos;
  }
  bool equalsNoCase(std::string_view a, std::string_view b) const override {
    if (unicode::IsAscii(a) && unicode::IsAscii(b)) return CodePage::equalsNoCase(a, b);
    return MakeSearchForm(a).units == MakeSearchForm(b).units;
  }

 private:
  // An ASCII needle: ASCII letters compared without case, and no match that ends before a
  // mark belonging to its last letter ("e" never finds the "e" of a decomposed "é").
  // Characters that fold to ASCII only by compatibility (the Kelvin sign) are not sought.
  std::size_t findAscii(std::string_view s, std::string_view needle, std::size_t from,
                        std::size_t& matchLength) const {
    const char first = AsciiUpper(needle[0]);
    // An ASCII byte always starts a character: only a search from inside a longer one walks
    // the text to find where the next begins.
    const bool atBoundary = from >= s.size() || static_cast<unsigned char>(s[from]) < 0x80;
    for (std::size_t i = atBoundary ? from : boundaryAtOrAfter(s, from); i + needle.size() <= s.size();
         i += static_cast<unsigned char>(s[i]) < 0x80 ? 1 : charLength(s, i)) {
      if (AsciiUpper(s[i]) != first) continue;
      std::size_t k = 1;
      while (k < needle.size() && AsciiUpper(s[i + k]) == AsciiUpper(needle[k])) ++k;
      if (k < needle.size()) continue;
      const std::size_t end = i + needle.size();
      char32_t next = 0;
      if (end < s.size() && static_cast<unsigned char>(s[end]) >= 0x80 && DecodeUtf8(s, end, next) > 0 &&
          next >= 0x80 && !unicode::StartsCluster(next))
        continue;
      matchLength = needle.size();
      return i;
    }
    return std::string_view::npos;
  }

  template <char (*ascii)(char), char32_t (*wide)(char32_t)>
  static std::string Map(std::string_view s) {
    // ASCII is mapped in place (the common case); from the first other byte on the text is
    // built anew, as a mapped character may take another number of bytes.
    std::string out(s);
    std::size_t i = 0;
    for (; i < out.size() && static_cast<unsigned char>(out[i]) < 0x80; ++i) out[i] = ascii(out[i]);
    if (i == out.size()) return out;
    out.resize(i);
    while (i < s.size()) {
      if (static_cast<unsigned char>(s[i]) < 0x80) {
        out += ascii(s[i++]);
        continue;
      }
      char32_t cp;
      const std::size_t len = DecodeUtf8(s, i, cp);
      if (len == 0) {
        out += s[i++];
        continue;
      }
      unicode::EncodeUtf8(wide(cp), out);
      i += len;
    }
    return out;
  }
};

// ---------------------------------------------------------------------------------------
// Windows-1252 (single byte)

unsigned char Upper1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

unsigned char Lower1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

class Page1252 final : public CodePage {
 public:
  CodePageId id() const override { return CodePageId::Windows1252; }
  const char* name() const override { return "1252"; }
  bool isLeadByte(unsigned char) const override { return false; }
  std::size_t charLength(std::string_view, std::size_t) const override { return 1; }
  std::uint32_t upperCode(std::string_view s, std::size_t i, std::size_t& len) const override {
    len = 1;
    return Upper1252(static_cast<unsigned char>(s[i]));
  }
  std::string toUpper(std::string_view s) const override {
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(Upper1252(static_cast<unsigned char>(c)));
    return out;
  }
  std::string toLower(std::string_view s) const override {
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(Lower1252(static_cast<unsigned char>(c)));
    return out;
  }
};

// ---------------------------------------------------------------------------------------
// Windows-932 (Shift JIS, double byte)

class Page932 final : public CodePage {
 public:
  CodePageId id() const override { return CodePageId::Windows932; }
  const char* name() const override { return "932"; }
  bool isLeadByte(unsigned char b) const override {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  }
  std::size_t charLength(std::string_view s, std::size_t i) const override {
    if (i < s.size() && isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) return 2;
    return 1;
  }
  std::uint32_t upperCode(std::string_view s, std::size_t i, std::size_t& len) const override {
    len = charLength(s, i);
    if (len == 2)
      return 0x10000u | (static_cast<unsigned char>(s[i]) << 8) | static_cast<unsigned char>(s[i + 1]);
    return static_cast<unsigned char>(AsciiUpper(s[i]));
  }
  std::string toUpper(std::string_view s) const override { return Map(s, AsciiUpper); }
  std::string toLower(std::string_view s) const override { return Map(s, AsciiLower); }

 private:
  // Only single-byte ASCII letters change; both bytes of a double-byte character stay.
  std::string Map(std::string_view s, char (*f)(char)) const {
    std::string out(s);
    for (std::size_t i = 0; i < out.size();) {
      std::size_t len = charLength(out, i);
      if (len == 1) out[i] = f(out[i]);
      i += len;
    }
    return out;
  }
};

}  // namespace

const CodePage& Utf8CodePage() {
  static const Utf8Page page;
  return page;
}
const CodePage& Windows1252CodePage() {
  static const Page1252 page;
  return page;
}
const CodePage& Windows932CodePage() {
  static const Page932 page;
  return page;
}

const CodePage* CodePageByName(std::string_view name) {
  if (name == "utf-8" || name == "utf8" || name == "UTF-8" || name == "65001") return &Utf8CodePage();
  if (name == "1252" || name == "cp1252") return &Windows1252CodePage();
  if (name == "932" || name == "cp932") return &Windows932CodePage();
  return nullptr;
}

}  // namespace velmora::platform
