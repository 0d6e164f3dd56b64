// SPDX-License-Identifier: GPL-3.0-or-later
// The system's ANSI code page, the one every "A" call of the file system speaks. The pages
// with tables of their own (1252, 932, UTF-8) use them, so a name behaves the same whether
// the page was chosen on the command line or found on the system; any other page is
// served by the system's lead-byte test and case mapping.

#include "platform/windows_api.h"

#include <string>

#include "platform/code_page.h"

namespace velmora::platform {

namespace {

class AnsiPage final : public CodePage {
 public:
  explicit AnsiPage(UINT page) : page_(page), name_(std::to_string(page)) {
    CPINFO info{};
    doubleByte_ = ::GetCPInfo(page, &info) && info.MaxCharSize == 2;
  }
  CodePageId id() const override { return CodePageId::WindowsAnsi; }
  const char* name() const override { return name_.c_str(); }

  bool isLeadByte(unsigned char byte) const override {
    return doubleByte_ && ::IsDBCSLeadByteEx(page_, byte);
  }
  std::size_t charLength(std::string_view s, std::size_t i) const override {
    if (i < s.size() && i + 1 < s.size() && isLeadByte(static_cast<unsigned char>(s[i]))) return 2;
    return 1;
  }
  std::uint32_t upperCode(std::string_view s, std::size_t i, std::size_t& len) const override {
    len = charLength(s, i);
    const std::string upper = toUpper(s.substr(i, len));
    if (upper.size() != len) return 0x20000u | static_cast<unsigned char>(s[i]);  // mapping changed its size
    std::uint32_t code = static_cast<unsigned char>(upper[0]);
    if (len == 2) code = 0x10000u | (code << 8) | static_cast<unsigned char>(upper[1]);
    return code;
  }
  std::string toUpper(std::string_view s) const override { return Map(s, ::CharUpperBuffA); }
  std::string toLower(std::string_view s) const override { return Map(s, ::CharLowerBuffA); }

 private:
  // CharUpperBuffA and CharLowerBuffA map in the ANSI code page, which is this page.
  static std::string Map(std::string_view s, DWORD(WINAPI* f)(LPSTR, DWORD)) {
    std::string out(s);
    if (!out.empty()) f(out.data(), static_cast<DWORD>(out.size()));
    return out;
  }

  UINT page_;
  std::string name_;
  bool doubleByte_ = false;
};

const CodePage& FromSystem() {
  const UINT page = ::GetACP();
  switch (page) {
    case 1252: return Windows1252CodePage();
    case 932: return Windows932CodePage();
    case CP_UTF8: return Utf8CodePage();
    default: {
      static const AnsiPage ansi(page);
      return ansi;
    }
  }
}

}  // namespace

const CodePage& SystemCodePage() {
  static const CodePage& page = FromSystem();
  return page;
}

}  // namespace velmora::platform
