// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/tag_placeholders.h"

#include <cstdio>

#include "engine/core_text.h"
#include "engine/special_strings.h"

namespace velmora::engine {

std::vector<TextPiece> SplitTagPlaceholders(std::string_view text) {
  std::vector<TextPiece> pieces;
  std::size_t plainStart = 0;
  for (std::size_t open = text.find('{'); open != std::string_view::npos; open = text.find('{', open + 1)) {
    const std::size_t close = text.find_first_of("{}", open + 1);
    if (close == std::string_view::npos) break;
    if (text[close] == '{') continue;  // "{{taken}": the inner brace opens the placeholder
    const std::string_view inner = text.substr(open + 1, close - open - 1);
    const std::size_t equals = inner.find('=');
    const auto tag = media::TagFromName(inner.substr(0, equals));
    if (!tag || (equals != std::string_view::npos && *tag != media::Tag::Taken)) continue;
    if (open > plainStart) pieces.push_back({text.substr(plainStart, open - plainStart), std::nullopt, {}});
    pieces.push_back({text.substr(open, close + 1 - open), tag,
                      equals == std::string_view::npos ? std::string_view() : inner.substr(equals + 1)});
    plainStart = close + 1;
    open = close;
  }
  if (plainStart < text.size() || pieces.empty()) pieces.push_back({text.substr(plainStart), std::nullopt, {}});
  return pieces;
}

bool HoldsTagPlaceholder(std::string_view text) {
  if (text.find('{') == std::string_view::npos) return false;
  for (const auto& piece : SplitTagPlaceholders(text))
    if (piece.tag) return true;
  return false;
}

std::string TagPlaceholder(media::Tag tag, std::string_view pattern) {
  std::string text = std::string("{") + media::TagName(tag);
  if (tag == media::Tag::Taken && !pattern.empty() && pattern != kDefaultDatePattern) text.append("=").append(pattern);
  return text + "}";
}

std::string FormatDateTime(const media::DateTime& t, std::string_view pattern) {
  if (pattern.empty()) pattern = kDefaultDatePattern;
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    int value = -1;
    switch (c) {
      case 'Y': value = t.year; break;
      case 'M': value = t.month; break;
      case 'D': value = t.day; break;
      case 'h': value = t.hour; break;
      case 'm': value = t.minute; break;
      case 's': value = t.second; break;
      default: break;
    }
    if (value < 0) {
      out.append(pattern.substr(i, run));
    } else {
      char buf[16];
      if (c == 'Y' && run == 2)
        std::snprintf(buf, sizeof buf, "%02d", t.year % 100);
      else if (c == 'Y')
        std::snprintf(buf, sizeof buf, "%04d", t.year);
      else
        std::snprintf(buf, sizeof buf, run == 1 ? "%d" : "%02d", value);
      out += buf;
    }
    i += run;
  }
  return out;
}

std::string CleanTagValue(std::string_view value) {
  static constexpr std::string_view kProhibited = "\\/:*?\"<>|";
  std::string out;
  out.reserve(value.size());
  for (char ch : value) {
    const auto c = static_cast<unsigned char>(ch);
    const bool bad = c < 0x20 || c == 0x7F || kProhibited.find(ch) != std::string_view::npos;
    if (!bad) {
      out += ch;
    } else {
      while (!out.empty() && out.back() == ' ') out.pop_back();
      if (out.empty() || out.back() != '_') out += '_';
    }
  }
  // Spaces around the text, and after a replaced character, go.
  std::string trimmed;
  trimmed.reserve(out.size());
  for (std::size_t i = 0; i < out.size(); ++i)
    if (!(out[i] == ' ' && (trimmed.empty() || trimmed.back() == '_'))) trimmed += out[i];
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  if (trimmed.size() > kMaxTagValueBytes) {
    std::size_t cut = kMaxTagValueBytes;
    while (cut > 0 && (static_cast<unsigned char>(trimmed[cut]) & 0xC0) == 0x80) --cut;  // a character's start
    trimmed.resize(cut);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  }
  return trimmed;
}

std::optional<std::string> TagPlaceholderCheck(std::string_view text, bool specialStringsEnabled,
                                               const media::MetadataReader& reader) {
  if (!specialStringsEnabled || reader.available() || !HoldsTagPlaceholder(text)) return std::nullopt;
  return VELMORA_TEXT("Core",
                      "This version of Velmora cannot read photo and music tags: remove the tag placeholders "
                      "such as {taken} or {artist} from the input text.");
}

std::string NoDateTakenNote() { return VELMORA_TEXT("Core", "no date taken: used the file's date"); }

std::string NoTagNote(media::Tag tag) {
  return FillText(VELMORA_TEXT("Core", "no %1 tag: left empty"), {media::TagName(tag)});
}

std::string UnreadableTagsNote(const std::string& why) {
  return FillText(VELMORA_TEXT("Core", "the file's tags could not be read (%1)"), {why});
}

}  // namespace velmora::engine
