// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tiny photos and songs built byte by byte, so the tests and the benchmark make their own
// samples: a 1-pixel JPEG, a TIFF, a PNG and a HEIC box list with the tags asked for, an MP3
// frame, a FLAC stream header, an Ogg Vorbis header and an MP4 atom tree. Each is just
// enough for a tag reader to recognise; none holds a picture or a sound worth decoding.

#include <string>
#include <utility>
#include <vector>

namespace velmora::testing {

/// The Exif of a photo; empty fields are left out.
struct ExifFields {
  std::string make, model;
  std::string dateTimeOriginal;  ///< "YYYY:MM:DD hh:mm:ss"
  int orientation = 0;           ///< 0: none
  int width = 1, height = 1;
};

/// A TIFF (little-endian) with these fields in IFD0 and its Exif IFD.
std::string TiffBytes(const ExifFields& exif);
/// A 1-pixel baseline JPEG whose frame states exif's width and height, with an Exif APP1
/// segment made of TiffBytes(exif) unless withExif is false.
std::string JpegBytes(const ExifFields& exif, bool withExif = true);
/// A PNG header of that size and an empty picture.
std::string PngBytes(int width, int height);
/// The boxes that open a HEIC file (ftyp, meta with its handler).
std::string HeicBytes();

/// An MPEG-1 layer III frame (128 kbit/s, 44.1 kHz) of silence, repeated.
std::string Mp3Bytes(int frames = 2);
/// "fLaC" and a STREAMINFO block, no frames.
std::string FlacBytes();
/// The three Vorbis headers in Ogg pages; the comment header holds these "NAME=value" pairs.
std::string OggVorbisBytes(const std::vector<std::string>& comments);
/// An MP4 audio file with an ilst of "©ART", "©nam", "©alb" texts and a "trkn" pair.
std::string M4aBytes(const std::string& artist, const std::string& title, const std::string& album, int track,
                     int trackCount);

}  // namespace velmora::testing
