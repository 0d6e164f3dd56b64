// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a photo's or a music file's own tags say: the date it was taken, the camera, the
// picture's size, the song's artist, album, title and number. The engine asks a
// MetadataReader, as it asks the file system for dates and sizes; the real reader looks
// only at a file's headers, a fake answers from a table in the tests.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::media {

/// A date and time of day as the file states it (no time zone: the camera's own clock).
struct DateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool operator==(const DateTime&) const = default;
};

/// Where a date taken came from.
enum class DateSource { None, Exif, Xmp, Iptc };

/// Everything a reader found in one file; a field the file lacks stays empty.
struct MediaInfo {
  std::optional<DateTime> taken;
  DateSource takenSource = DateSource::None;
  std::string make, model, lens;
  bool lensFromXmp = false;
  std::optional<long> width, height, orientation;

  std::string artist, albumArtist, album, title, genre;
  std::optional<int> track, trackCount, disc, discCount, year;
  std::string songFormat;  ///< where a song's tags stand: "ID3v2", "Vorbis comment", "MP4 atoms" ...

  /// Why the file could not be read as a photo or a song (damaged, not a known kind);
  /// empty when it was read, even when it held no tags.
  std::string error;
};

/// The tag names of the placeholders and of `velmora-cli meta`, in the order they are listed.
enum class Tag {
  Taken, Make, Model, Lens, Width, Height, Orientation,
  Artist, AlbumArtist, Album, Title, Track, Disc, Year, Genre,
};
inline constexpr Tag kAllTags[] = {Tag::Taken,  Tag::Make,   Tag::Model,       Tag::Lens,  Tag::Width,
                                   Tag::Height, Tag::Orientation, Tag::Artist, Tag::AlbumArtist, Tag::Album,
                                   Tag::Title,  Tag::Track,  Tag::Disc,        Tag::Year,  Tag::Genre};

/// The name written in a placeholder, "taken", "albumartist" ...
const char* TagName(Tag tag);
/// The tag of that name (exact, lower case), nothing for an unknown name.
std::optional<Tag> TagFromName(std::string_view name);
/// True for the tags of photos (taken to orientation), false for those of songs.
bool IsPhotoTag(Tag tag);

/// A tag's value as text, unpadded and uncleaned: empty when the file lacks it. The date
/// taken is written YYYY-MM-DD hh:mm:ss here (the placeholder formats it itself); the track
/// number is padded to the album's count of tracks (2 digits when that is not known).
std::string TagValue(const MediaInfo& info, Tag tag);

/// "Exif", "XMP", "IPTC" for a date taken, "" for none.
const char* DateSourceName(DateSource source);
/// Where a tag's value was read: "Exif", "XMP", "IPTC", "image header", a song's tag format;
/// "" when the file lacks it.
std::string TagSourceName(const MediaInfo& info, Tag tag);

/// Reads a file's tags. Never throws: a damaged file gives what could be read and `error`.
class MetadataReader {
 public:
  virtual ~MetadataReader() = default;
  /// False where the program was built without the tag libraries (the Windows build).
  virtual bool available() const = 0;
  virtual MediaInfo read(const std::string& path) = 0;
};

/// The reader of this build: Exiv2 and TagLib where they were built in, else one that is
/// not available. It lives for the whole process.
MetadataReader& SystemMetadataReader();

/// What the build's reader finds in these bytes, taken as the file `name` (its extension
/// chooses between photo and song); for tests and fuzzing without files.
MediaInfo ReadTagsFromBytes(std::string_view bytes, std::string_view name);

/// Answers from a table; a path not in the table gives an empty MediaInfo. Counts the reads,
/// so a test can see that a file is read once per item and not at all when no text asks.
class FakeMetadataReader : public MetadataReader {
 public:
  explicit FakeMetadataReader(bool available = true) : available_(available) {}
  bool available() const override { return available_; }
  MediaInfo read(const std::string& path) override {
    ++reads_;
    auto it = files_.find(path);
    return it == files_.end() ? MediaInfo{} : it->second;
  }
  void set(const std::string& path, MediaInfo info) { files_[path] = std::move(info); }
  int reads() const { return reads_; }

 private:
  bool available_;
  std::map<std::string, MediaInfo> files_;
  int reads_ = 0;
};

}  // namespace velmora::media
