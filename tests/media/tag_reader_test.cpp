// SPDX-License-Identifier: GPL-3.0-or-later
// The build's tag reader on tiny photos and songs that the tests make themselves: what each
// kind of tag gives, what a file without tags gives, and that no truncated or damaged
// header crashes, hangs or throws.
#include <gtest/gtest.h>

#include "media/metadata.h"
#include "support/media_samples.h"
#include "support/temp_tree.h"

#ifdef VELMORA_HAVE_TAG_READERS
#include <exiv2/exiv2.hpp>
#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>
#endif

namespace velmora::media {
namespace {

using testing::ExifFields;
using testing::TempTree;

#ifdef VELMORA_HAVE_TAG_READERS

void WriteXmpAndIptc(const std::string& path, const std::string& xmpDate, const std::string& iptcDate,
                     const std::string& iptcTime) {
  auto image = Exiv2::ImageFactory::open(path);
  image->readMetadata();
  if (!xmpDate.empty()) image->xmpData()["Xmp.xmp.CreateDate"] = xmpDate;
  if (!iptcDate.empty()) {
    image->iptcData()["Iptc.Application2.DateCreated"] = iptcDate;
    image->iptcData()["Iptc.Application2.TimeCreated"] = iptcTime;
  }
  image->writeMetadata();
}

void WriteSongTags(const std::string& path, const std::vector<std::pair<const char*, const char*>>& tags) {
  TagLib::FileRef ref(path.c_str(), false);
  ASSERT_FALSE(ref.isNull()) << path;
  TagLib::PropertyMap map;
  for (const auto& [key, value] : tags) map[key] = TagLib::StringList(TagLib::String(value, TagLib::String::UTF8));
  ref.file()->setProperties(map);
  ASSERT_TRUE(ref.file()->save()) << path;
}

struct PhotoCase {
  const char* name;
  std::string bytes;
  std::string xmpDate, iptcDate, iptcTime;  // written through Exiv2 after the bytes
  std::optional<DateTime> taken;
  DateSource source;
  std::string make, model;
  std::optional<long> width, height, orientation;
};

TEST(TagReader, PhotosGiveTheirDateTakenCameraAndSize) {
  const ExifFields exif{"Camera Maker", "Model 7", "2026:12:07 14:30:15", 6, 640, 480};
  const std::vector<PhotoCase> cases{
      {"exif.jpg", testing::JpegBytes(exif), "", "", "", DateTime{2026, 12, 7, 14, 30, 15}, DateSource::Exif,
       "Camera Maker", "Model 7", 640, 480, 6},
      {"exif.tif", testing::TiffBytes(exif), "", "", "", DateTime{2026, 12, 7, 14, 30, 15}, DateSource::Exif,
       "Camera Maker", "Model 7", 640, 480, 6},
      // The Exif date wins over XMP's; "0000:00:00" is a camera's way of saying none.
      {"both.jpg", testing::JpegBytes(exif), "2001-01-01T01:01:01", "", "", DateTime{2026, 12, 7, 14, 30, 15},
       DateSource::Exif, "Camera Maker", "Model 7", 640, 480, 6},
      {"zero.jpg", testing::JpegBytes({"", "", "0000:00:00 00:00:00", 0, 2, 3}), "2025-06-01T08:09:10", "", "",
       DateTime{2025, 6, 1, 8, 9, 10}, DateSource::Xmp, "", "", 2, 3, std::nullopt},
      {"xmp.jpg", testing::JpegBytes({}, false), "2026-12-08T09:05:00+01:00", "", "", DateTime{2026, 12, 8, 9, 5, 0},
       DateSource::Xmp, "", "", 1, 1, std::nullopt},
      {"iptc.jpg", testing::JpegBytes({}, false), "", "2024-02-29", "23:59:58+00:00", DateTime{2024, 2, 29, 23, 59, 58},
       DateSource::Iptc, "", "", 1, 1, std::nullopt},
      {"none.jpg", testing::JpegBytes({}, false), "", "", "", std::nullopt, DateSource::None, "", "", 1, 1,
       std::nullopt},
      {"plain.png", testing::PngBytes(3, 2), "", "", "", std::nullopt, DateSource::None, "", "", 3, 2, std::nullopt},
  };
  TempTree tree;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tree.writeFile(c.name, c.bytes);
    if (!c.xmpDate.empty() || !c.iptcDate.empty()) WriteXmpAndIptc(tree.path(c.name), c.xmpDate, c.iptcDate, c.iptcTime);
    const MediaInfo info = SystemMetadataReader().read(tree.path(c.name));
    EXPECT_EQ(info.error, "");
    EXPECT_EQ(info.taken, c.taken);
    EXPECT_EQ(info.takenSource, c.source);
    EXPECT_EQ(info.make, c.make);
    EXPECT_EQ(info.model, c.model);
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
    EXPECT_EQ(info.orientation, c.orientation);
  }
}

struct SongCase {
  const char* name;
  std::string bytes;
  std::vector<std::pair<const char*, const char*>> written;  // through TagLib after the bytes
  std::string artist, albumArtist, album, title, track, disc, year, genre;
};

TEST(TagReader, SongsGiveTheirTagsAndTheTrackPaddedToTheAlbum) {
  const std::vector<std::pair<const char*, const char*>> full{
      {"ARTIST", "Ana Ruiz"},  {"ALBUMARTIST", "Various"}, {"ALBUM", "Nights"},  {"TITLE", "Río / Mar"},
      {"TRACKNUMBER", "3/12"}, {"DISCNUMBER", "2/2"},      {"DATE", "2019-05-01"}, {"GENRE", "Jazz"}};
  const std::vector<SongCase> cases{
      {"id3.mp3", testing::Mp3Bytes(), full, "Ana Ruiz", "Various", "Nights", "Río / Mar", "03", "2", "2019", "Jazz"},
      {"vorbis.flac", testing::FlacBytes(), full, "Ana Ruiz", "Various", "Nights", "Río / Mar", "03", "2", "2019",
       "Jazz"},
      // A track count of three digits pads to three; without a count, to two.
      {"long.flac", testing::FlacBytes(), {{"TRACKNUMBER", "7"}, {"TRACKTOTAL", "120"}}, "", "", "", "", "007", "",
       "", ""},
      {"comments.ogg", testing::OggVorbisBytes({"ARTIST=Bo", "TITLE=Uno", "TRACKNUMBER=9", "DATE=1999"}), {}, "Bo",
       "", "", "Uno", "09", "", "1999", ""},
      {"atoms.m4a", testing::M4aBytes("Cé", "Deux", "Trois", 4, 9), {}, "Cé", "", "Trois", "Deux", "04", "", "", ""},
      {"bare.mp3", testing::Mp3Bytes(), {}, "", "", "", "", "", "", "", ""},
  };
  TempTree tree;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tree.writeFile(c.name, c.bytes);
    if (!c.written.empty()) WriteSongTags(tree.path(c.name), c.written);
    const MediaInfo info = SystemMetadataReader().read(tree.path(c.name));
    EXPECT_EQ(info.error, "");
    EXPECT_EQ(TagValue(info, Tag::Artist), c.artist);
    EXPECT_EQ(TagValue(info, Tag::AlbumArtist), c.albumArtist);
    EXPECT_EQ(TagValue(info, Tag::Album), c.album);
    EXPECT_EQ(TagValue(info, Tag::Title), c.title);
    EXPECT_EQ(TagValue(info, Tag::Track), c.track);
    EXPECT_EQ(TagValue(info, Tag::Disc), c.disc);
    EXPECT_EQ(TagValue(info, Tag::Year), c.year);
    EXPECT_EQ(TagValue(info, Tag::Genre), c.genre);
  }
}

TEST(TagReader, FilesThatAreNoPhotoNorSongGiveAnErrorAndNoTags) {
  TempTree tree;
  tree.make({"missing/"});
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"text.jpg", "not a picture"}, {"noise.flac", "not a stream"}, {"noise.heic", std::string(64, '\x07')}}) {
    SCOPED_TRACE(name);
    tree.writeFile(name, bytes);
    const MediaInfo info = SystemMetadataReader().read(tree.path(name));
    EXPECT_NE(info.error, "");
    EXPECT_FALSE(info.taken);
    EXPECT_EQ(info.artist, "");
  }
  EXPECT_NE(SystemMetadataReader().read(tree.path("missing/gone.jpg")).error, "");
}

// Every prefix of each sample and a flipped bit in every byte: the reader answers each with
// what it could read or an error, never a crash, a hang or an exception. Runs in the
// sanitizer build too.
TEST(TagReader, TruncatedAndCorruptedHeadersNeverCrash) {
  TempTree tree;
  const ExifFields exif{"Make", "Model", "2026:12:07 14:30:15", 1, 8, 8};
  std::vector<std::pair<std::string, std::string>> seeds{
      {"s.jpg", testing::JpegBytes(exif)}, {"s.tif", testing::TiffBytes(exif)}, {"s.png", testing::PngBytes(4, 4)},
      {"s.heic", testing::HeicBytes()},    {"s.ogg", testing::OggVorbisBytes({"ARTIST=A", "TITLE=T"})},
      {"s.m4a", testing::M4aBytes("A", "T", "L", 1, 2)}};
  // Seeds with tags written by the libraries themselves: an XMP packet, an ID3v2 tag, a
  // FLAC comment block.
  tree.writeFile("x.jpg", testing::JpegBytes(exif));
  WriteXmpAndIptc(tree.path("x.jpg"), "2026-12-07T14:30:15", "2026-12-07", "14:30:15+00:00");
  tree.writeFile("t.mp3", testing::Mp3Bytes(1));
  WriteSongTags(tree.path("t.mp3"), {{"ARTIST", "A"}, {"TRACKNUMBER", "1/2"}});
  tree.writeFile("t.flac", testing::FlacBytes());
  WriteSongTags(tree.path("t.flac"), {{"ARTIST", "A"}, {"TITLE", "T"}});
  for (const char* name : {"x.jpg", "t.mp3", "t.flac"}) seeds.emplace_back(name, tree.readFile(name));

  // Bytes in memory read as the file does.
  EXPECT_EQ(TagValue(ReadTagsFromBytes(seeds.back().second, "t.flac"), Tag::Title), "T");
  EXPECT_EQ(ReadTagsFromBytes(seeds.front().second, "s.jpg").taken, (DateTime{2026, 12, 7, 14, 30, 15}));
  std::size_t reads = 0;
  for (const auto& [name, bytes] : seeds) {
    SCOPED_TRACE(name);
    ASSERT_GT(bytes.size(), 20u);
    // Long seeds (the ID3 and FLAC padding) are cut at every byte of their first 2 KiB.
    const std::size_t limit = std::min<std::size_t>(bytes.size(), 2048);
    for (std::size_t cut = 0; cut < limit; ++cut) {
      EXPECT_NO_THROW(ReadTagsFromBytes(std::string_view(bytes).substr(0, cut), name));
      std::string flipped = bytes.substr(0, limit);
      flipped[cut] = static_cast<char>(flipped[cut] ^ (1 << (cut % 8)));
      EXPECT_NO_THROW(ReadTagsFromBytes(flipped, name));
      reads += 2;
    }
  }
  EXPECT_GT(reads, 5000u);
}

#else

TEST(TagReader, ABuildWithoutTagLibrariesSaysSo) {
  EXPECT_FALSE(SystemMetadataReader().available());
  EXPECT_NE(SystemMetadataReader().read("x.jpg").error, "");
}

#endif

}  // namespace
}  // namespace velmora::media
