// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the tag reader: the first byte picks the kind of file the rest is taken for (its
// extension chooses between the photo and the song reader), the rest are its bytes. Besides
// the sanitizers' checks: the reader never throws, and what it gives is a sane date.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "media/metadata.h"

namespace {
constexpr const char* kNames[] = {"x.jpg", "x.tif", "x.png", "x.heic", "x.mp3", "x.flac", "x.ogg", "x.m4a", "x.cr2"};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* name = kNames[data[0] % (sizeof kNames / sizeof *kNames)];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  velmora::media::MediaInfo info;
  try {
    info = velmora::media::ReadTagsFromBytes(bytes, name);
  } catch (...) {
    std::abort();  // the reader promises to catch everything itself
  }
  if (info.taken && (info.taken->month < 1 || info.taken->month > 12 || info.taken->day < 1 || info.taken->day > 31))
    std::abort();
  return 0;
}
