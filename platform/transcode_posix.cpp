// SPDX-License-Identifier: GPL-3.0-or-later
// The double-byte page through iconv ("CP932" is the Windows variant of Shift JIS).
#include <iconv.h>

#include <cerrno>

#include "platform/transcode.h"

namespace velmora::platform::detail {

namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view text) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* put = out.data();
  std::size_t outLeft = out.size();
  // The output holds four bytes per input byte: more than any of these pages ever needs.
  const std::size_t done = iconv(cd, &in, &inLeft, &put, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

const char* IconvName(const CodePage& page) { return page.id() == CodePageId::Windows932 ? "CP932" : nullptr; }

}  // namespace

std::optional<std::string> SystemToUtf8(const CodePage& page, std::string_view text) {
  const char* name = IconvName(page);
  if (!name) return std::nullopt;
  return Convert("UTF-8", name, text);
}

std::optional<std::string> SystemFromUtf8(const CodePage& page, std::string_view text) {
  const char* name = IconvName(page);
  if (!name) return std::nullopt;
  return Convert(name, "UTF-8", text);
}

}  // namespace velmora::platform::detail
