// SPDX-License-Identifier: GPL-3.0-or-later
// Writes COUNT tiny JPEGs with Exif into FOLDER for the benchmark of naming photos by the date
// they were taken: IMG_00001.jpg ... each taken 37 seconds after the one before, from
// 2026-12-07 08:00:00 on, so every name by date taken is different.
//   make_photos FOLDER COUNT
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "support/media_samples.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_photos FOLDER COUNT\n");
    return 2;
  }
  const std::string folder = argv[1];
  const long count = std::strtol(argv[2], nullptr, 10);
  velmora::testing::ExifFields exif{"Maker", "Model", "", 1, 4000, 3000};
  for (long i = 0; i < count; ++i) {
    const long t = 8 * 3600 + i * 37;  // seconds after 2026-12-07 00:00:00
    char date[32], name[32];
    std::snprintf(date, sizeof date, "2026:12:%02ld %02ld:%02ld:%02ld", 7 + t / 86400 % 20, t / 3600 % 24, t / 60 % 60,
                  t % 60);
    std::snprintf(name, sizeof name, "/IMG_%05ld.jpg", i + 1);
    exif.dateTimeOriginal = date;
    std::ofstream(folder + name, std::ios::binary) << velmora::testing::JpegBytes(exif);
  }
  return 0;
}
