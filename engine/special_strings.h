// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Placeholders in new-name texts: ordered numbers, "@$@", folder name, random strings,
// file date and size. The expansion is per item; the check runs before a run.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

#include "engine/operation_record.h"
#include "media/metadata.h"
#include "platform/file_system.h"

namespace velmora::engine {

/// The classic C library generator: state = state * 22695477 + 1, result = bits 16..30.
class ClassicRandom {
 public:
  explicit ClassicRandom(std::uint32_t seed = 1) : state_(seed) {}
  void seed(std::uint32_t s) { state_ = s; }
  int next() {
    state_ = state_ * 22695477u + 1u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t state_;
};

struct TextPiece;

/// Something the run's report tells of one item: a tag it lacked, a file it could not read.
struct ItemNote {
  std::string path;
  std::string text;
};

/// Expands the placeholders of texts for one item after another. Holds the random seed
/// counter, which lives for the whole process in the desktop program.
class SpecialStringExpander {
 public:
  SpecialStringExpander(platform::FileSystem& fs, const SpecialStringSettings& settings,
                        std::uint32_t randomSeedCounter);

  /// The text with its placeholders replaced for this item and ordinal; the text as it is
  /// when special strings are switched off.
  std::string expand(std::string_view text, const std::string& itemPath, std::int32_t ordinal);

  /// Forgets the directory entry and the tags read for the previous item.
  void newItem() {
    cacheValid_ = false;
    mediaValid_ = false;
  }

  /// The tags are read through this reader (the build's own reader unless set).
  void useMetadataReader(media::MetadataReader& reader) { metadata_ = &reader; }
  const media::MetadataReader& metadataReader() const { return *metadata_; }
  /// What the expansions so far had to say of their items, in order; handed over once.
  std::vector<ItemNote> takeNotes() { return std::move(notes_); }

  /// A random string of n characters from the enabled kinds (empty for n <= 0).
  std::string randomString(int n);

  std::uint32_t randomSeedCounter() const { return seedCounter_; }
  const SpecialStringSettings& settings() const { return settings_; }

 private:
  platform::FileSystem& fs_;
  SpecialStringSettings settings_;
  std::uint32_t seedCounter_;
  ClassicRandom random_;
  // The directory entry is read at most once per item, whatever the number of texts.
  std::string cachedPath_;
  bool cacheValid_ = false;
  std::optional<platform::EntryInfo> cachedInfo_;
  const std::optional<platform::EntryInfo>& entryOf(const std::string& itemPath);

  // The tags are read at most once per item, and only when a text asks for one.
  media::MetadataReader* metadata_;
  std::string mediaPath_;
  bool mediaValid_ = false;
  media::MediaInfo media_;
  std::vector<ItemNote> notes_;
  const media::MediaInfo& mediaOf(const std::string& itemPath);
  void note(const std::string& itemPath, std::string text);
  std::string expandPlain(std::string_view text, const std::string& itemPath, std::int32_t ordinal);
  std::string expandTag(const TextPiece& piece, const std::string& itemPath);
};

/// The characters a special string starts with; a tag placeholder starts with a brace.
inline constexpr std::string_view kSpecialMarks = "$%@#";
/// Whether a text may hold a special string or a tag placeholder: a text without any
/// expands to itself, whatever the item.
inline bool MayHoldSpecialString(std::string_view text) {
  return text.find_first_of(kSpecialMarks) != std::string_view::npos || text.find('{') != std::string_view::npos;
}

/// Checks the random-string placeholders of a text before a run. Returns the message to
/// show when the text cannot be used, nothing when it can.
std::optional<std::string> RandomDigitsCheck(std::string_view text, bool specialStringsEnabled);

}  // namespace velmora::engine
