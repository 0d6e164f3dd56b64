// SPDX-License-Identifier: GPL-3.0-or-later
// Tag placeholders: how a text is cut at them, the date patterns, the cleaning of a tag's
// value, and the expansion per item through a fake reader (fallbacks, notes, one read).
#include <gtest/gtest.h>

#include "batch/item_notes.h"
#include "engine/special_strings.h"
#include "engine/tag_placeholders.h"
#include "platform/memory_file_system.h"

namespace velmora::engine {
namespace {

using media::DateSource;
using media::DateTime;
using media::MediaInfo;

TEST(TagPlaceholders, OnlyKnownNamesInBracesArePlaceholders) {
  struct Row {
    const char* text;
    std::vector<std::string> pieces;  // a tag piece written as "<...>"
  };
  const std::vector<Row> rows{
      {"{taken}", {"<{taken}>"}},
      {"a{artist} - {title}b", {"a", "<{artist}>", " - ", "<{title}>", "b"}},
      {"{taken=YYYY-MM-DD hh.mm.ss}.x", {"<{taken=YYYY-MM-DD hh.mm.ss}>", ".x"}},
      {"{live} {Taken} {artist=x} {}", {"{live} {Taken} {artist=x} {}"}},  // none of them
      {"{{track}}", {"{", "<{track}>", "}"}},
      {"{track", {"{track"}},
      {"$$ {track}%6%", {"$$ ", "<{track}>", "%6%"}},
      {"", {""}},
  };
  for (const auto& row : rows) {
    std::vector<std::string> got;
    for (const auto& p : SplitTagPlaceholders(row.text))
      got.push_back(p.tag ? "<" + std::string(p.text) + ">" : std::string(p.text));
    EXPECT_EQ(got, row.pieces) << row.text;
    EXPECT_EQ(HoldsTagPlaceholder(row.text), row.pieces.size() > 1 || row.pieces.front().front() == '<') << row.text;
  }
}

TEST(TagPlaceholders, DatePatterns) {
  const DateTime t{2026, 12, 7, 4, 3, 9};
  const std::vector<std::pair<const char*, const char*>> rows{
      {"", "20261207_040309"},
      {"YYYY-MM-DD hh.mm.ss", "2026-12-07 04.03.09"},
      {"YYMMDD", "261207"},
      {"D.M.YYYY h-m-s", "7.12.2026 4-3-9"},
      {"Day Ydm", "7ay 2026d3"},  // the six letters are tokens wherever they stand, others are not
      {"x_", "x_"},
  };
  for (const auto& [pattern, expected] : rows) EXPECT_EQ(FormatDateTime(t, pattern), expected) << pattern;
  for (const char* pattern : kDatePatterns) EXPECT_EQ(FormatDateTime(t, pattern).find_first_of("YMDhms"), std::string::npos);
}

TEST(TagPlaceholders, ValuesAreCleanedLikeTypedText) {
  const std::vector<std::pair<std::string, std::string>> rows{
      {"AC/DC", "AC_DC"},
      {"What? Why: \"Now\"", "What_Why_Now_"},
      {"a\\b*c<d>e|f", "a_b_c_d_e_f"},
      {"line\r\nbreak\ttab", "line_break_tab"},
      {"  padded  ", "padded"},
      {std::string("nul\0x", 5), "nul_x"},
      {"$$ %6% @@ ##", "$$ %6% @@ ##"},  // not placeholders here: see the expansion
      {std::string(200, 'a'), std::string(kMaxTagValueBytes, 'a')},
      // Cut before a character, never inside: 119 bytes and a 2-byte "é".
      {std::string(119, 'a') + "\xC3\xA9" "b", std::string(119, 'a')},
  };
  for (const auto& [value, expected] : rows) EXPECT_EQ(CleanTagValue(value), expected) << value;
}

struct Env {
  platform::MemoryFileSystem fs;
  media::FakeMetadataReader tags;
  SpecialStringExpander expander{fs, SpecialStringSettings{}, 1000};

  Env() {
    fs.addFile("/p/exif.jpg", 10, {2020, 1, 2, 3, 4, 5});
    fs.addFile("/p/bare.jpg", 10, {2021, 6, 7, 8, 9, 10});
    fs.addFile("/m/song.mp3");
    fs.addFile("/p/bad.jpg", 10, {2022, 2, 2, 2, 2, 2});
    MediaInfo photo;
    photo.taken = DateTime{2026, 12, 7, 14, 30, 15};
    photo.takenSource = DateSource::Exif;
    photo.make = "Maker";
    photo.model = "X/100";
    tags.set("/p/exif.jpg", photo);
    MediaInfo song;
    song.artist = "$$ Band %6%";
    song.title = "Side: A";
    song.track = 3;
    song.trackCount = 120;
    tags.set("/m/song.mp3", song);
    MediaInfo bad;
    bad.error = "corrupt header";
    tags.set("/p/bad.jpg", bad);
    expander.useMetadataReader(tags);
  }
  std::string expand(const std::string& text, const std::string& path) {
    expander.newItem();
    return expander.expand(text, path, 7);
  }
};

TEST(TagPlaceholders, ExpandedPerItemWithTheFallbacksNamedInNotes) {
  Env env;
  struct Row {
    const char* text;
    const char* path;
    const char* expected;
    const char* note;  // "" for none
  };
  const std::vector<Row> rows{
      {"{taken}", "/p/exif.jpg", "20261207_143015", ""},
      {"{taken=YYYY-MM-DD hh.mm.ss}", "/p/exif.jpg", "2026-12-07 14.30.15", ""},
      {"{make} {model}", "/p/exif.jpg", "Maker X_100", ""},
      {"$$_{taken=YYYYMMDD}_@@", "/p/exif.jpg", "07_20261207_20200102", ""},
      {"{taken=YYYY-MM-DD}", "/p/bare.jpg", "2021-06-07", "no date taken: used the file's date"},
      {"{taken}", "/p/none.jpg", "nofiletime", ""},
      // A value's "$$" or "%6%" is no placeholder: copied as it is.
      {"{track} - {artist} - {title}", "/m/song.mp3", "003 - $$ Band %6% - Side_A", ""},
      {"{album}x", "/m/song.mp3", "x", "no album tag: left empty"},
      {"{artist}", "/p/bad.jpg", "", "the file's tags could not be read (corrupt header)"},
      {"{taken=DD}", "/p/bad.jpg", "02", "the file's tags could not be read (corrupt header)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text + std::string(" ") + row.path);
    EXPECT_EQ(env.expand(row.text, row.path), row.expected);
    const auto notes = env.expander.takeNotes();
    if (*row.note) {
      ASSERT_FALSE(notes.empty());
      EXPECT_EQ(notes.front().path, row.path);
      EXPECT_EQ(notes.front().text, row.note);
    } else {
      EXPECT_TRUE(notes.empty());
    }
  }
}

// The special string dialog's example: the placeholder it inserts and what that gives for
// the sample file, with the note the run's report would show.
TEST(TagPlaceholders, ExampleIsWhatTheRunWrites) {
  for (media::Tag tag : media::kAllTags) {
    const std::string text = TagPlaceholder(tag, "YYYY-MM-DD");
    const auto pieces = SplitTagPlaceholders(text);
    ASSERT_EQ(pieces.size(), 1u) << text;
    EXPECT_EQ(pieces.front().tag, tag) << text;
    EXPECT_EQ(pieces.front().pattern, tag == media::Tag::Taken ? "YYYY-MM-DD" : "") << text;
  }
  EXPECT_EQ(TagPlaceholder(media::Tag::Taken), "{taken}");
  EXPECT_EQ(TagPlaceholder(media::Tag::Taken, kDefaultDatePattern), "{taken}");
  EXPECT_EQ(TagPlaceholder(media::Tag::AlbumArtist), "{albumartist}");

  Env env;
  struct Row {
    media::Tag tag;
    const char* pattern;
    const char* path;
    const char* value;
    const char* note;  // "" for none
  };
  const std::vector<Row> rows{
      {media::Tag::Taken, "YYYY-MM-DD hh.mm.ss", "/p/exif.jpg", "2026-12-07 14.30.15", ""},
      {media::Tag::Taken, "", "/p/bare.jpg", "20210607_080910", "no date taken: used the file's date"},
      {media::Tag::Track, "", "/m/song.mp3", "003", ""},
      {media::Tag::Album, "", "/m/song.mp3", "", "no album tag: left empty"},
      {media::Tag::Model, "", "/p/bad.jpg", "", "the file's tags could not be read (corrupt header)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    const TagExample example = ExampleOfTags(env.fs, env.tags, row.path, TagPlaceholder(row.tag, row.pattern));
    EXPECT_EQ(example.value, row.value);
    EXPECT_EQ(example.notes, *row.note ? std::vector<std::string>{row.note} : std::vector<std::string>{});
  }
}

TEST(TagPlaceholders, ReadOncePerItemAndOnlyWhenAsked) {
  Env env;
  env.expand("$$ %% @@ ## {nothing}", "/p/exif.jpg");
  EXPECT_EQ(env.tags.reads(), 0);
  env.expand("{taken} {make}", "/p/exif.jpg");
  env.expander.expand("{model}", "/p/exif.jpg", 7);  // a second text of the same item
  EXPECT_EQ(env.tags.reads(), 1);
  env.expand("{make}", "/p/exif.jpg");  // the next item (here: the same path once more)
  EXPECT_EQ(env.tags.reads(), 2);
  // The same note of an item is told once, however many texts ask.
  env.expand("{album}", "/m/song.mp3");
  env.expander.expand("{album}{album}", "/m/song.mp3", 7);
  EXPECT_EQ(env.expander.takeNotes().size(), 1u);
}

TEST(TagPlaceholders, SwitchedOffOrUnreadableTheyStayAsTyped) {
  Env env;
  media::FakeMetadataReader none(false);
  env.expander.useMetadataReader(none);
  EXPECT_EQ(env.expand("{artist}-$$", "/m/song.mp3"), "{artist}-07");
  EXPECT_EQ(none.reads(), 0);
  SpecialStringSettings off;
  off.enabled = false;
  SpecialStringExpander plain(env.fs, off, 1);
  plain.useMetadataReader(env.tags);
  EXPECT_EQ(plain.expand("{artist}$$", "/m/song.mp3", 1), "{artist}$$");

  EXPECT_TRUE(TagPlaceholderCheck("{taken}", true, none).has_value());
  EXPECT_FALSE(TagPlaceholderCheck("{taken}", false, none).has_value());
  EXPECT_FALSE(TagPlaceholderCheck("{live}", true, none).has_value());
  EXPECT_FALSE(TagPlaceholderCheck("{taken}", true, env.tags).has_value());
}

}  // namespace
}  // namespace velmora::engine

namespace velmora::batch {
namespace {

TEST(ItemNotesMessage, NamesTheFirstItemsAndCountsTheRest) {
  EXPECT_EQ(ItemNotesMessage({}), "");
  std::vector<engine::ItemNote> notes;
  for (int i = 0; i < 12; ++i) notes.push_back({"/p/IMG_" + std::to_string(i) + ".jpg", "no date taken: used the file's date"});
  const std::string text = ItemNotesMessage(notes);
  EXPECT_EQ(text.rfind("Some new names were made without a tag they ask for:\nIMG_0.jpg: no date taken", 0), 0u) << text;
  EXPECT_NE(text.find("\nIMG_9.jpg: "), std::string::npos);
  EXPECT_EQ(text.find("IMG_10.jpg"), std::string::npos);
  EXPECT_EQ(text.substr(text.rfind('\n')), "\n... and 2 more.");
}

}  // namespace
}  // namespace velmora::batch
