// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/metadata.h"

#include <algorithm>
#include <cstdio>

namespace velmora::media {

namespace {

constexpr const char* kTagNames[] = {"taken", "make",   "model",       "lens",  "width",
                                     "height", "orientation", "artist", "albumartist", "album",
                                     "title", "track",  "disc",        "year",  "genre"};

std::string Number(const std::optional<long>& n) { return n ? std::to_string(*n) : std::string(); }
std::string Number(const std::optional<int>& n) { return n ? std::to_string(*n) : std::string(); }

// "7" of 12 tracks is "07", of 120 "007": the names of one album sort in their order. Two
// digits at least, as an album of nine tracks still reads "01 - ...".
std::string Padded(int n, std::optional<int> count) {
  std::string s = std::to_string(n);
  const std::size_t width = std::max<std::size_t>(2, count && *count > 0 ? std::to_string(*count).size() : 2);
  if (n >= 0 && s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

}  // namespace

const char* TagName(Tag tag) { return kTagNames[static_cast<int>(tag)]; }

std::optional<Tag> TagFromName(std::string_view name) {
  for (Tag t : kAllTags)
    if (name == TagName(t)) return t;
  return std::nullopt;
}

bool IsPhotoTag(Tag tag) { return static_cast<int>(tag) <= static_cast<int>(Tag::Orientation); }

const char* DateSourceName(DateSource source) {
  switch (source) {
    case DateSource::Exif: return "Exif";
    case DateSource::Xmp: return "XMP";
    case DateSource::Iptc: return "IPTC";
    case DateSource::None: break;
  }
  return "";
}

std::string TagSourceName(const MediaInfo& info, Tag tag) {
  if (TagValue(info, tag).empty()) return {};
  switch (tag) {
    case Tag::Taken: return DateSourceName(info.takenSource);
    case Tag::Width:
    case Tag::Height: return "image header";
    case Tag::Lens: return info.lensFromXmp ? "XMP" : "Exif";
    case Tag::Make:
    case Tag::Model:
    case Tag::Orientation: return "Exif";
    default: return info.songFormat;
  }
}

std::string TagValue(const MediaInfo& info, Tag tag) {
  switch (tag) {
    case Tag::Taken: {
      if (!info.taken) return {};
      const DateTime& t = *info.taken;
      char buf[64];
      std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                    t.second);
      return buf;
    }
    case Tag::Make: return info.make;
    case Tag::Model: return info.model;
    case Tag::Lens: return info.lens;
    case Tag::Width: return Number(info.width);
    case Tag::Height: return Number(info.height);
    case Tag::Orientation: return Number(info.orientation);
    case Tag::Artist: return info.artist;
    case Tag::AlbumArtist: return info.albumArtist;
    case Tag::Album: return info.album;
    case Tag::Title: return info.title;
    case Tag::Track: return info.track ? Padded(*info.track, info.trackCount) : std::string();
    case Tag::Disc: return Number(info.disc);
    case Tag::Year: return Number(info.year);
    case Tag::Genre: return info.genre;
  }
  return {};
}

}  // namespace velmora::media
