// SPDX-License-Identifier: GPL-3.0-or-later
// The double-byte page and the system's ANSI page through the system's own converter.
#include "platform/transcode.h"
#include "platform/windows_api.h"

namespace velmora::platform::detail {

namespace {

UINT WindowsPage(const CodePage& page) { return page.id() == CodePageId::Windows932 ? 932 : CP_ACP; }

std::optional<std::wstring> Wide(UINT page, std::string_view text, DWORD flags) {
  if (text.empty()) return std::wstring();
  const int n = ::MultiByteToWideChar(page, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(page, flags, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace

std::optional<std::string> SystemToUtf8(const CodePage& page, std::string_view text) {
  const auto wide = Wide(WindowsPage(page), text, MB_ERR_INVALID_CHARS);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide->data(), static_cast<int>(wide->size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide->data(), static_cast<int>(wide->size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::optional<std::string> SystemFromUtf8(const CodePage& page, std::string_view text) {
  const auto wide = Wide(CP_UTF8, text, MB_ERR_INVALID_CHARS);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  const UINT target = WindowsPage(page);
  BOOL usedDefault = FALSE;
  const int n = ::WideCharToMultiByte(target, WC_NO_BEST_FIT_CHARS, wide->data(), static_cast<int>(wide->size()),
                                      nullptr, 0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(target, WC_NO_BEST_FIT_CHARS, wide->data(), static_cast<int>(wide->size()), out.data(), n,
                        nullptr, nullptr);
  return out;
}

}  // namespace velmora::platform::detail
