// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/media_samples.h"

#include <array>
#include <cstdint>

namespace velmora::testing {

namespace {

void Le16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Le32(std::string& s, std::uint32_t v) {
  Le16(s, v & 0xFFFF);
  Le16(s, v >> 16);
}
void Be16(std::string& s, unsigned v) {
  s += static_cast<char>((v >> 8) & 0xFF);
  s += static_cast<char>(v & 0xFF);
}
void Be32(std::string& s, std::uint32_t v) {
  Be16(s, v >> 16);
  Be16(s, v & 0xFFFF);
}

struct IfdEntry {
  unsigned tag, type;
  std::uint32_t count;
  std::string data;  // the value's bytes, little-endian
};

// One IFD at `offset`, its values longer than 4 bytes appended to `area` (which starts at
// areaOffset in the file).
std::string Ifd(const std::vector<IfdEntry>& entries, std::string& area, std::uint32_t areaOffset) {
  std::string s;
  Le16(s, static_cast<unsigned>(entries.size()));
  for (const auto& e : entries) {
    Le16(s, e.tag);
    Le16(s, e.type);
    Le32(s, e.count);
    if (e.data.size() <= 4) {
      std::string inline4 = e.data;
      inline4.resize(4, '\0');
      s += inline4;
    } else {
      Le32(s, areaOffset + static_cast<std::uint32_t>(area.size()));
      area += e.data;
      if (area.size() % 2) area += '\0';
    }
  }
  Le32(s, 0);
  return s;
}

IfdEntry Ascii(unsigned tag, const std::string& text) {
  return {tag, 2, static_cast<std::uint32_t>(text.size() + 1), text + '\0'};
}
IfdEntry Long(unsigned tag, std::uint32_t value) {
  std::string d;
  Le32(d, value);
  return {tag, 4, 1, d};
}
IfdEntry Short(unsigned tag, unsigned value) {
  std::string d;
  Le16(d, value);
  return {tag, 3, 1, d};
}

std::uint32_t Crc32(const std::string& bytes) {  // PNG's CRC (reflected 0xEDB88320)
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t OggCrc(const std::string& bytes) {  // Ogg's CRC (0x04C11DB7, not reflected)
  std::uint32_t c = 0;
  for (unsigned char b : bytes) {
    c ^= static_cast<std::uint32_t>(b) << 24;
    for (int k = 0; k < 8; ++k) c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : (c << 1);
  }
  return c;
}

std::string PngChunk(const char* type, const std::string& data) {
  std::string s;
  Be32(s, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type) + data;
  s += body;
  Be32(s, Crc32(body));
  return s;
}

std::string OggPage(const std::vector<std::string>& packets, unsigned char headerType, std::uint32_t sequence) {
  std::string lacing, body;
  for (const auto& p : packets) {
    std::size_t n = p.size();
    while (n >= 255) {
      lacing += static_cast<char>(255);
      n -= 255;
    }
    lacing += static_cast<char>(n);
    body += p;
  }
  std::string page = "OggS";
  page += '\0';
  page += static_cast<char>(headerType);
  page.append(8, '\0');  // granule position
  Le32(page, 0x56454C4D);  // stream serial number
  Le32(page, sequence);
  Le32(page, 0);  // CRC, filled in below
  page += static_cast<char>(lacing.size());
  page += lacing + body;
  const std::uint32_t crc = OggCrc(page);
  for (int i = 0; i < 4; ++i) page[22 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
  return page;
}

std::string Atom(const char* type, const std::string& body) {
  std::string s;
  Be32(s, static_cast<std::uint32_t>(8 + body.size()));
  return s + type + body;
}

std::string DataAtom(std::uint32_t kind, const std::string& payload) {
  std::string body;
  Be32(body, kind);
  Be32(body, 0);  // locale
  return Atom("data", body + payload);
}

}  // namespace

std::string TiffBytes(const ExifFields& exif) {
  std::vector<IfdEntry> ifd0{Long(0x0100, static_cast<std::uint32_t>(exif.width)),
                             Long(0x0101, static_cast<std::uint32_t>(exif.height))};
  if (!exif.make.empty()) ifd0.push_back(Ascii(0x010F, exif.make));
  if (!exif.model.empty()) ifd0.push_back(Ascii(0x0110, exif.model));
  if (exif.orientation) ifd0.push_back(Short(0x0112, static_cast<unsigned>(exif.orientation)));
  std::vector<IfdEntry> exifIfd;
  if (!exif.dateTimeOriginal.empty()) exifIfd.push_back(Ascii(0x9003, exif.dateTimeOriginal));
  const bool withExifIfd = !exifIfd.empty();
  if (withExifIfd) ifd0.push_back(Long(0x8769, 0));  // offset set below

  const std::uint32_t ifd0Size = static_cast<std::uint32_t>(2 + 12 * ifd0.size() + 4);
  const std::uint32_t exifSize = withExifIfd ? static_cast<std::uint32_t>(2 + 12 * exifIfd.size() + 4) : 0;
  const std::uint32_t areaOffset = 8 + ifd0Size + exifSize;
  if (withExifIfd) ifd0.back() = Long(0x8769, 8 + ifd0Size);

  std::string area;
  std::string s = "II";
  Le16(s, 42);
  Le32(s, 8);
  s += Ifd(ifd0, area, areaOffset);
  if (withExifIfd) s += Ifd(exifIfd, area, areaOffset);
  return s + area;
}

std::string JpegBytes(const ExifFields& exif, bool withExif) {
  std::string s = "\xFF\xD8";
  if (withExif) {
    const std::string payload = std::string("Exif\0\0", 6) + TiffBytes(exif);
    s += "\xFF\xE1";
    Be16(s, static_cast<unsigned>(payload.size() + 2));
    s += payload;
  }
  s += "\xFF\xDB";  // one quantisation table of ones
  Be16(s, 67);
  s += '\0';
  s.append(64, '\x01');
  s += "\xFF\xC0";  // baseline frame, one grey component
  Be16(s, 11);
  s += '\x08';
  Be16(s, static_cast<unsigned>(exif.height));
  Be16(s, static_cast<unsigned>(exif.width));
  s += std::string("\x01\x01\x11\x00", 4);
  for (char table : {'\x00', '\x10'}) {  // a DC and an AC table, each with one code for 0
    s += "\xFF\xC4";
    Be16(s, 20);
    s += table;
    s += '\x01';
    s.append(15, '\0');
    s += '\0';
  }
  s += "\xFF\xDA";
  Be16(s, 8);
  s += std::string("\x01\x01\x00\x00\x3F\x00", 6);
  s += '\x3F';  // DC difference 0, end of block, padded with ones
  s += "\xFF\xD9";
  return s;
}

std::string PngBytes(int width, int height) {
  std::string ihdr;
  Be32(ihdr, static_cast<std::uint32_t>(width));
  Be32(ihdr, static_cast<std::uint32_t>(height));
  ihdr += std::string("\x08\x00\x00\x00\x00", 5);
  return std::string("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", ihdr) +
         PngChunk("IDAT", std::string("\x78\x9C\x63\x00\x00\x00\x01\x00\x01", 9)) + PngChunk("IEND", "");
}

std::string HeicBytes() {
  std::string ftyp = "heic";
  Be32(ftyp, 0);
  ftyp += "mif1heic";
  std::string hdlr(8, '\0');  // version, flags, pre_defined
  hdlr += "pict";
  hdlr.append(13, '\0');  // reserved, empty name
  std::string meta(4, '\0');
  meta += Atom("hdlr", hdlr);
  return Atom("ftyp", ftyp) + Atom("meta", meta);
}

std::string Mp3Bytes(int frames) {
  std::string frame("\xFF\xFB\x90\x00", 4);
  frame.resize(417, '\0');  // 144 * 128000 / 44100 bytes
  std::string s;
  for (int i = 0; i < frames; ++i) s += frame;
  return s;
}

std::string FlacBytes() {
  std::string s = "fLaC";
  s += std::string("\x80\x00\x00\x22", 4);  // the last block: STREAMINFO, 34 bytes
  Be16(s, 4096);
  Be16(s, 4096);
  s.append(6, '\0');  // frame sizes unknown
  const std::uint64_t packed = (std::uint64_t{44100} << 44) | (std::uint64_t{1} << 41) | (std::uint64_t{15} << 36);
  for (int i = 7; i >= 0; --i) s += static_cast<char>((packed >> (8 * i)) & 0xFF);
  s.append(16, '\0');  // MD5 unknown
  return s;
}

std::string OggVorbisBytes(const std::vector<std::string>& comments) {
  std::string ident = "\x01vorbis";
  Le32(ident, 0);
  ident += '\x01';
  Le32(ident, 44100);
  Le32(ident, 0);
  Le32(ident, 128000);
  Le32(ident, 0);
  ident += '\xB8';
  ident += '\x01';
  std::string comment = "\x03vorbis";
  const std::string vendor = "velmora tests";
  Le32(comment, static_cast<std::uint32_t>(vendor.size()));
  comment += vendor;
  Le32(comment, static_cast<std::uint32_t>(comments.size()));
  for (const auto& c : comments) {
    Le32(comment, static_cast<std::uint32_t>(c.size()));
    comment += c;
  }
  comment += '\x01';
  const std::string setup = std::string("\x05vorbis", 7) + std::string(8, '\0');
  return OggPage({ident}, 0x02, 0) + OggPage({comment, setup}, 0x00, 1);
}

std::string M4aBytes(const std::string& artist, const std::string& title, const std::string& album, int track,
                     int trackCount) {
  std::string ftyp = "M4A ";
  Be32(ftyp, 0);
  ftyp += "M4A isom";
  std::string mvhd(4, '\0');
  mvhd.append(8, '\0');  // creation, modification
  Be32(mvhd, 1000);      // time scale
  Be32(mvhd, 0);         // duration
  Be32(mvhd, 0x00010000);
  Be16(mvhd, 0x0100);
  mvhd.append(10, '\0');
  for (std::uint32_t m : {0x00010000u, 0u, 0u, 0u, 0x00010000u, 0u, 0u, 0u, 0x40000000u}) Be32(mvhd, m);
  mvhd.append(24, '\0');
  Be32(mvhd, 2);
  std::string trkn(2, '\0');
  Be16(trkn, static_cast<unsigned>(track));
  Be16(trkn, static_cast<unsigned>(trackCount));
  trkn.append(2, '\0');
  const std::string ilst = Atom("\xA9" "ART", DataAtom(1, artist)) + Atom("\xA9nam", DataAtom(1, title)) +
                           Atom("\xA9" "alb", DataAtom(1, album)) + Atom("trkn", DataAtom(0, trkn));
  std::string hdlr(8, '\0');
  hdlr += "mdirappl";
  hdlr.append(9, '\0');
  const std::string meta = std::string(4, '\0') + Atom("hdlr", hdlr) + Atom("ilst", ilst);
  return Atom("ftyp", ftyp) + Atom("moov", Atom("mvhd", mvhd) + Atom("udta", Atom("meta", meta)));
}

}  // namespace velmora::testing
