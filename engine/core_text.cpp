// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/core_text.h"

#include <atomic>

namespace velmora::engine {

namespace {
std::atomic<TextTranslator> installed{nullptr};
}  // namespace

void SetTextTranslator(TextTranslator translator) { installed.store(translator); }

const char* TranslatedText(const char* context, const char* text) {
  const TextTranslator translator = installed.load();
  return translator ? translator(context, text) : text;
}

std::string FillText(std::string_view format, std::initializer_list<std::string_view> arguments) {
  std::string out;
  out.reserve(format.size());
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
      const auto index = static_cast<std::size_t>(format[i + 1] - '1');
      if (index < arguments.size()) {
        out += *(arguments.begin() + index);
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace velmora::engine
