// SPDX-License-Identifier: GPL-3.0-or-later
#include <cctype>

#include "engine/core_text.h"
#include "engine/special_strings.h"

namespace velmora::engine {

namespace {
bool IsWholeNumber(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}
}  // namespace

std::optional<std::string> RandomDigitsCheck(std::string_view text, bool specialStringsEnabled) {
  if (!specialStringsEnabled) return std::nullopt;
  std::size_t pos = text.find('%');
  while (pos != std::string_view::npos) {
    // Text after the first "%", further "%" at its start skipped.
    std::size_t start = pos + 1;
    while (start < text.size() && text[start] == '%') ++start;
    std::size_t close = text.find('%', start);
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view n = text.substr(start, close - start);
    if (IsWholeNumber(n)) {
      // Compare as a number without overflow: strip leading zeros, then by length.
      std::string_view digits = n;
      while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
      if (digits.size() > 3 || (digits.size() == 3 && digits > "100"))
        return FillText(VELMORA_TEXT("Core", "%1 is too big. The max random string digits is 100."), {n});
    } else if (n.size() < 3) {
      return FillText(VELMORA_TEXT("Core", "The random string digits(%1) is not an integer."), {n});
    }
    pos = text.find('%', close + 1);
    if (pos == std::string_view::npos) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace velmora::engine
