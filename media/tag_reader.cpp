// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of a build with the tag libraries: Exiv2 for photos (Exif, XMP, IPTC), TagLib
// for songs (ID3, Vorbis comments, MP4 atoms). Both read a file's headers and tags, never
// its picture or its sound.
#include <exiv2/exiv2.hpp>
#include <taglib/flacfile.h>
#include <taglib/fileref.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/oggfile.h>
#include <taglib/tag.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tpropertymap.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <stdexcept>
#include <vector>

#include "media/metadata.h"

namespace velmora::media {

// A file, or bytes in memory.
struct TagSource {
  const std::string* path = nullptr;
  std::string_view bytes;
  auto open() const {  // the library's own pointer type, unnamed: it is deprecated in C++17 and later
    if (path) return Exiv2::ImageFactory::open(*path);
    return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.data()), static_cast<long>(bytes.size()));
  }
};

MediaInfo ReadTags(const TagSource& source, std::string_view name);

namespace {

// The numbers of a date text in their order: "2026:12:07 14:30:15", "2026-12-07T14:30:15+01:00"
// and "20261207" alike. A compact date without separators is split into its fields.
std::optional<DateTime> ParseDate(std::string_view text, bool needTime) {
  std::vector<int> numbers;
  for (std::size_t i = 0; i < text.size() && numbers.size() < 6;) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
      // A sign after the seconds opens the time zone: not part of the date.
      if (numbers.size() >= 6) break;
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    std::string_view digits = text.substr(i, end - i);
    if (numbers.empty() && digits.size() == 8) {  // YYYYMMDD
      numbers.push_back(std::stoi(std::string(digits.substr(0, 4))));
      numbers.push_back(std::stoi(std::string(digits.substr(4, 2))));
      numbers.push_back(std::stoi(std::string(digits.substr(6, 2))));
    } else if (digits.size() <= 4) {
      numbers.push_back(std::stoi(std::string(digits)));
    } else {
      return std::nullopt;
    }
    i = end;
  }
  if (numbers.size() < 3 || (needTime && numbers.size() < 5)) return std::nullopt;
  numbers.resize(6, 0);
  DateTime t{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]};
  // "0000:00:00 00:00:00" is what cameras write for no date.
  if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
      t.second > 60)
    return std::nullopt;
  return t;
}

template <typename Data, typename Key>
std::string Find(Data& data, const char* key) {
  try {
    auto it = data.findKey(Key(key));
    if (it == data.end()) return {};
    std::string value = it->toString();
    while (!value.empty() && (value.back() == ' ' || value.back() == '\0')) value.pop_back();
    return value;
  } catch (const std::exception&) {
    return {};
  }
}

std::optional<long> FindNumber(Exiv2::ExifData& exif, const char* key) {
  try {
    auto it = exif.findKey(Exiv2::ExifKey(key));
    if (it == exif.end() || it->count() == 0) return std::nullopt;
    return it->toLong();
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void ReadPhoto(const TagSource& source, MediaInfo& info) {
  auto image = source.open();
  if (!image.get()) throw std::runtime_error("not an image");
  image->readMetadata();
  Exiv2::ExifData& exif = image->exifData();
  Exiv2::XmpData& xmp = image->xmpData();
  Exiv2::IptcData& iptc = image->iptcData();
  using ExifKey = Exiv2::ExifKey;
  using XmpKey = Exiv2::XmpKey;

  if (auto t = ParseDate(Find<Exiv2::ExifData, ExifKey>(exif, "Exif.Photo.DateTimeOriginal"), true)) {
    info.taken = t;
    info.takenSource = DateSource::Exif;
  } else {
    for (const char* key : {"Xmp.exif.DateTimeOriginal", "Xmp.photoshop.DateCreated", "Xmp.xmp.CreateDate"}) {
      if (auto x = ParseDate(Find<Exiv2::XmpData, XmpKey>(xmp, key), false)) {
        info.taken = x;
        info.takenSource = DateSource::Xmp;
        break;
      }
    }
  }
  if (!info.taken) {
    const std::string date = Find<Exiv2::IptcData, Exiv2::IptcKey>(iptc, "Iptc.Application2.DateCreated");
    const std::string time = Find<Exiv2::IptcData, Exiv2::IptcKey>(iptc, "Iptc.Application2.TimeCreated");
    if (auto t = ParseDate(date + " " + time.substr(0, 8), false)) {
      info.taken = t;
      info.takenSource = DateSource::Iptc;
    }
  }
  info.make = Find<Exiv2::ExifData, ExifKey>(exif, "Exif.Image.Make");
  info.model = Find<Exiv2::ExifData, ExifKey>(exif, "Exif.Image.Model");
  info.lens = Find<Exiv2::ExifData, ExifKey>(exif, "Exif.Photo.LensModel");
  if (info.lens.empty()) {
    info.lens = Find<Exiv2::XmpData, XmpKey>(xmp, "Xmp.aux.Lens");
    info.lensFromXmp = !info.lens.empty();
  }
  if (image->pixelWidth() > 0) info.width = image->pixelWidth();
  if (image->pixelHeight() > 0) info.height = image->pixelHeight();
  if (!info.width) info.width = FindNumber(exif, "Exif.Photo.PixelXDimension");
  if (!info.height) info.height = FindNumber(exif, "Exif.Photo.PixelYDimension");
  info.orientation = FindNumber(exif, "Exif.Image.Orientation");
}

std::string First(const TagLib::PropertyMap& map, const char* key) {
  auto it = map.find(key);
  if (it == map.end() || it->second.isEmpty()) return {};
  return it->second.front().to8Bit(true);
}

// "3/12" gives 3 and 12, "3" gives 3 alone.
void NumberPair(const std::string& text, std::optional<int>& number, std::optional<int>& count) {
  int n = 0, c = 0;
  const int got = std::sscanf(text.c_str(), "%d/%d", &n, &c);
  if (got >= 1 && n > 0 && n < 100000) number = n;
  if (got == 2 && c > 0 && c < 100000) count = c;
}

bool ReadSong(const TagSource& source, MediaInfo& info) {
  // Tags only: no scan of the sound for its length. Bytes in memory are told by their content.
  std::optional<TagLib::ByteVectorStream> stream;
  if (!source.path)
    stream.emplace(TagLib::ByteVector(source.bytes.data(), static_cast<unsigned>(source.bytes.size())));
  TagLib::FileRef ref = source.path ? TagLib::FileRef(source.path->c_str(), false) : TagLib::FileRef(&*stream, false);
  if (ref.isNull() || !ref.file()->isValid()) return false;
  const TagLib::PropertyMap map = ref.file()->properties();
  TagLib::File* file = ref.file();
  if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file))
    info.songFormat = mpeg->hasID3v2Tag() ? "ID3v2" : mpeg->hasID3v1Tag() ? "ID3v1" : "APE";
  else if (dynamic_cast<TagLib::FLAC::File*>(file) || dynamic_cast<TagLib::Ogg::File*>(file))
    info.songFormat = "Vorbis comment";
  else if (dynamic_cast<TagLib::MP4::File*>(file))
    info.songFormat = "MP4 atoms";
  else
    info.songFormat = "tags";
  info.artist = First(map, "ARTIST");
  info.albumArtist = First(map, "ALBUMARTIST");
  info.album = First(map, "ALBUM");
  info.title = First(map, "TITLE");
  info.genre = First(map, "GENRE");
  NumberPair(First(map, "TRACKNUMBER"), info.track, info.trackCount);
  NumberPair(First(map, "DISCNUMBER"), info.disc, info.discCount);
  std::optional<int> unused;
  for (const char* key : {"TRACKTOTAL", "TOTALTRACKS"})
    if (!info.trackCount) NumberPair(First(map, key), info.trackCount, unused);
  if (auto date = ParseDate(First(map, "DATE"), false)) info.year = date->year;
  if (!info.year) {
    const std::string year = First(map, "DATE");
    if (year.size() >= 4 && std::all_of(year.begin(), year.begin() + 4, [](char c) { return c >= '0' && c <= '9'; }))
      info.year = std::stoi(year.substr(0, 4));
  }
  return true;
}

bool IsSongName(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  std::string ext(path.substr(dot + 1));
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const char* song : {"mp3", "flac", "ogg", "oga", "opus", "m4a", "m4b", "aac", "mp4", "wav", "aif", "aiff",
                           "wma", "ape", "wv", "mpc", "spx", "dsf"})
    if (ext == song) return true;
  return false;
}

class TagReader : public MetadataReader {
 public:
  TagReader() {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);  // a damaged file is told in the run's report, not on stderr
    Exiv2::XmpParser::initialize();
    Exiv2::enableBMFF(true);  // HEIC and AVIF
  }
  bool available() const override { return true; }

  MediaInfo read(const std::string& path) override { return ReadTags({&path, {}}, path); }
};

}  // namespace

MediaInfo ReadTags(const TagSource& source, std::string_view name) {
  SystemMetadataReader();  // the libraries set up once
  MediaInfo info;
  try {
    if (IsSongName(name)) {
      if (!ReadSong(source, info)) info.error = "not a readable song";
      return info;
    }
    ReadPhoto(source, info);
  } catch (const std::exception& e) {
    // Not an image Exiv2 knows: perhaps a song with an unusual name.
    MediaInfo asSong;
    try {
      if (ReadSong(source, asSong)) return asSong;
    } catch (const std::exception&) {
    }
    info = MediaInfo{};
    info.error = e.what();
    if (info.error.empty()) info.error = "unreadable";
  }
  return info;
}

MediaInfo ReadTagsFromBytes(std::string_view bytes, std::string_view name) { return ReadTags({nullptr, bytes}, name); }

MetadataReader& SystemMetadataReader() {
  static TagReader reader;
  return reader;
}

}  // namespace velmora::media
