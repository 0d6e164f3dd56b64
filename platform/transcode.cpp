// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/transcode.h"

#include "platform/unicode.h"

namespace velmora::platform {

namespace {

// 0x80..0x9F of Windows-1252. The five bytes the page leaves undefined map to the C1 control
// of the same number, as the system's own converter does, so every byte reads and writes back.
constexpr char16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t From1252(unsigned char b) { return b >= 0x80 && b < 0xA0 ? k1252High[b - 0x80] : b; }

std::optional<char> To1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (unsigned i = 0; i < 32; ++i)
    if (k1252High[i] == c) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ToUtf8(const CodePage& page, std::string_view text) {
  if (page.id() == CodePageId::Utf8 || unicode::IsAscii(text)) return std::string(text);
  if (page.id() != CodePageId::Windows1252) return detail::SystemToUtf8(page, text);
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) unicode::EncodeUtf8(From1252(static_cast<unsigned char>(c)), out);
  return out;
}

std::optional<std::string> FromUtf8(const CodePage& page, std::string_view text) {
  if (page.id() == CodePageId::Utf8 || unicode::IsAscii(text)) return std::string(text);
  if (page.id() != CodePageId::Windows1252) return detail::SystemFromUtf8(page, text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    const std::size_t len = unicode::DecodeUtf8(text, i, c);
    if (len == 0) return std::nullopt;
    const auto b = To1252(c);
    if (!b) return std::nullopt;
    out += *b;
    i += len;
  }
  return out;
}

}  // namespace velmora::platform
