// SPDX-License-Identifier: GPL-3.0-or-later
// The expansion of a text with tag placeholders: the text is cut at them, the plain pieces
// get the other placeholders and the tags their values. A tag's value is never looked at
// for placeholders, so an artist named "$$" or a title with "%6%" is copied as it is.
#include "engine/core_text.h"
#include "engine/special_strings.h"
#include "engine/tag_placeholders.h"

namespace velmora::engine {

std::string SpecialStringExpander::expand(std::string_view text, const std::string& itemPath, std::int32_t ordinal) {
  if (!settings_.enabled || text.find('{') == std::string_view::npos) return expandPlain(text, itemPath, ordinal);
  const std::vector<TextPiece> pieces = SplitTagPlaceholders(text);
  if (pieces.size() == 1 && !pieces.front().tag) return expandPlain(text, itemPath, ordinal);
  std::string out;
  for (const TextPiece& piece : pieces)
    out += piece.tag ? expandTag(piece, itemPath) : expandPlain(piece.text, itemPath, ordinal);
  return out;
}

const media::MediaInfo& SpecialStringExpander::mediaOf(const std::string& itemPath) {
  if (!mediaValid_ || mediaPath_ != itemPath) {
    media_ = metadata_->read(itemPath);
    mediaPath_ = itemPath;
    mediaValid_ = true;
    if (!media_.error.empty() && metadata_->available()) note(itemPath, UnreadableTagsNote(media_.error));
  }
  return media_;
}

void SpecialStringExpander::note(const std::string& itemPath, std::string text) {
  // One note of each kind per item, however many texts or placeholders ask. The notes of an
  // item stand together at the end, so only those are compared.
  for (auto it = notes_.rbegin(); it != notes_.rend() && it->path == itemPath; ++it)
    if (it->text == text) return;
  notes_.push_back({itemPath, std::move(text)});
}

std::string SpecialStringExpander::expandTag(const TextPiece& piece, const std::string& itemPath) {
  // Without tag readers the placeholder stays as typed: the input check refuses such texts,
  // and a name must never silently lose what was asked for.
  if (!metadata_->available()) return std::string(piece.text);
  const media::MediaInfo& info = mediaOf(itemPath);
  if (*piece.tag == media::Tag::Taken) {
    if (info.taken) return FormatDateTime(*info.taken, piece.pattern);
    const auto& entry = entryOf(itemPath);
    if (!entry) return "nofiletime";
    note(itemPath, NoDateTakenNote());
    const platform::LocalTime& t = entry->lastWrite;
    return FormatDateTime({t.year, t.month, t.day, t.hour, t.minute, t.second}, piece.pattern);
  }
  std::string value = CleanTagValue(media::TagValue(info, *piece.tag));
  if (value.empty() && info.error.empty()) note(itemPath, NoTagNote(*piece.tag));
  return value;
}

TagExample ExampleOfTags(platform::FileSystem& fs, media::MetadataReader& reader, const std::string& path,
                         std::string_view text) {
  // The run's own expansion, so that the example and the new name never differ.
  SpecialStringExpander expander(fs, SpecialStringSettings{}, 0);
  expander.useMetadataReader(reader);
  TagExample example{expander.expand(text, path, 1), {}};
  for (ItemNote& note : expander.takeNotes()) example.notes.push_back(std::move(note.text));
  return example;
}

}  // namespace velmora::engine
