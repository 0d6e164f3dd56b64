// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Placeholders for what a file's own tags say: "{taken}", "{taken=YYYY-MM-DD hh.mm.ss}",
// "{artist}", "{track}" ... Braces take part in no other placeholder, so "$", "%", "@@" and
// "##" keep their meaning around and between them, and a placeholder is only a brace pair
// around a known tag name: "{live}" and "{Taken}" stay in a name as typed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "media/metadata.h"

namespace velmora::platform {
class FileSystem;
}

namespace velmora::engine {

/// The date written by "{taken}" without a pattern.
inline constexpr const char* kDefaultDatePattern = "YYYYMMDD_hhmmss";
/// The date patterns offered for "{taken=...}"; any pattern of Y, M, D, h, m, s runs works.
inline constexpr const char* kDatePatterns[] = {"YYYYMMDD_hhmmss", "YYYY-MM-DD hh.mm.ss", "YYYY-MM-DD_hh-mm-ss",
                                                "YYYYMMDD",        "YYYY-MM-DD",          "hh.mm.ss"};
/// The longest text a tag puts into a name, in bytes (cut at a character's start).
inline constexpr std::size_t kMaxTagValueBytes = 120;

/// A piece of a new-name text: plain text (expanded by the other placeholders) or a tag.
struct TextPiece {
  std::string_view text;             ///< the piece as typed, braces included for a tag
  std::optional<media::Tag> tag;     ///< set for a tag placeholder
  std::string_view pattern;          ///< the date pattern of "{taken=...}" (empty: the default)
};

/// The text cut at its tag placeholders; one plain piece when it holds none.
std::vector<TextPiece> SplitTagPlaceholders(std::string_view text);
bool HoldsTagPlaceholder(std::string_view text);

/// The placeholder of a tag: "{artist}"; "{taken}" for no pattern or the default one,
/// "{taken=PATTERN}" for another. Only the date taken takes a pattern.
std::string TagPlaceholder(media::Tag tag, std::string_view pattern = {});

/// The date written by a pattern: YYYY (or any other run of Y but two) the year in full, YY
/// its last two digits; MM, DD, hh, mm, ss two digits each, a single M, D, h, m, s without
/// the padding; every other character as it is.
std::string FormatDateTime(const media::DateTime& t, std::string_view pattern);

/// A tag's text made fit for a name, as a typed text must be: each of the nine prohibited
/// characters, a line break or another control character becomes "_", a run of them one
/// "_"; spaces around it go; at most kMaxTagValueBytes bytes, never cut inside a character.
std::string CleanTagValue(std::string_view value);

/// The refusal of a text holding a tag placeholder where this build reads no tags; nothing
/// when the text may be used.
std::optional<std::string> TagPlaceholderCheck(std::string_view text, bool specialStringsEnabled,
                                               const media::MetadataReader& reader);

/// What a text with tag placeholders gives for one file, as a run writes it, and what the
/// run's report says of that file (a tag it lacks, tags that could not be read).
struct TagExample {
  std::string value;
  std::vector<std::string> notes;
};
TagExample ExampleOfTags(platform::FileSystem& fs, media::MetadataReader& reader, const std::string& path,
                         std::string_view text);

/// What the run's report says of an item whose tag was missing, or whose file was damaged.
std::string NoDateTakenNote();
std::string NoTagNote(media::Tag tag);
std::string UnreadableTagsNote(const std::string& why);

}  // namespace velmora::engine
