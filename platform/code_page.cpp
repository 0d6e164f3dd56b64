#include "platform/code_page.h"

#include <string>

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

// Simple one-to-one case pairs for the scripts that file names commonly use: Latin
// (Latin-1, Extended-A, Extended Additional), Greek, Cyrillic and full-width Latin.
// Code points with no pair map to themselves.
char32_t UnicodeUpper(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
      c != 0x17F) {
    bool oddLower = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
    if (oddLower) return (c & 1) ? c - 1 : c;
    return (c & 1) ? c : c - 1;  // 0x139..0x148 and 0x179..0x17E: even is lower
  }
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x3B1 && c <= 0x3CB) return c - 0x20;
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0x460 && c <= 0x4FF && c != 0x482 && !(c >= 0x483 && c <= 0x489)) {
    if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c : c - 1;
    return (c & 1) ? c - 1 : c;
  }
  if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) return (c & 1) ? c - 1 : c;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

char32_t UnicodeLower(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
      c != 0x17F) {
    bool oddLower = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
    if (oddLower) return (c & 1) ? c : c + 1;
    return (c & 1) ? c + 1 : c;
  }
  if (c == 0x3A2) return c;  // unassigned
  if (c >= 0x391 && c <= 0x3AB) return c + 0x20;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0x460 && c <= 0x4FF && c != 0x482 && !(c >= 0x483 && c <= 0x489)) {
    if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c + 1 : c;
    return (c & 1) ? c : c + 1;
  }
  if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) return (c & 1) ? c : c + 1;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
  return c;
}

// Decodes one well-formed UTF-8 character at i; returns its length, 0 when malformed.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
  auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c0 = b(i);
  if (c0 < 0x80) {
    cp = c0;
    return 1;
  }
  std::size_t len;
  char32_t min;
  if (c0 >= 0xC2 && c0 <= 0xDF) {
    len = 2; cp = c0 & 0x1F; min = 0x80;
  } else if (c0 >= 0xE0 && c0 <= 0xEF) {
    len = 3; cp = c0 & 0x0F; min = 0x800;
  } else if (c0 >= 0xF0 && c0 <= 0xF4) {
    len = 4; cp = c0 & 0x07; min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    unsigned char ck = b(i + k);
    if ((ck & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (ck & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

void EncodeUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
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
    if (len == 0) {  // a stray byte only matches itself
      len = 1;
      return 0x80000000u | static_cast<unsigned char>(s[i]);
    }
    return UnicodeUpper(cp);
  }
  std::string toUpper(std::string_view s) const override { return Map(s, UnicodeUpper); }
  std::string toLower(std::string_view s) const override { return Map(s, UnicodeLower); }

 private:
  static std::string Map(std::string_view s, char32_t (*f)(char32_t)) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
      char32_t cp;
      std::size_t len = DecodeUtf8(s, i, cp);
      if (len == 0) {
        out += s[i];
        ++i;
        continue;
      }
      EncodeUtf8(f(cp), out);
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
