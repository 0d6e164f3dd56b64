// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/unicode.h"

namespace velmora::platform::unicode {

std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
  auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c0 = b(i);
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
    const unsigned char ck = b(i + k);
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

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace velmora::platform::unicode
