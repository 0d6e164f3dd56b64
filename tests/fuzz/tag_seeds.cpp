// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the tag fuzzer's seeds into FOLDER: a tiny sample of each kind, prefixed with the
// byte that makes the fuzzer take it for that kind.
//   tag_seeds FOLDER
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support/media_samples.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  using namespace velmora::testing;
  const ExifFields exif{"Make", "Model", "2026:12:07 14:30:15", 6, 8, 8};
  const std::vector<std::pair<char, std::string>> seeds{
      {0, JpegBytes(exif)}, {1, TiffBytes(exif)}, {2, PngBytes(4, 4)},
      {3, HeicBytes()},     {4, Mp3Bytes(1)},    {5, FlacBytes()},
      {6, OggVorbisBytes({"ARTIST=A", "TITLE=T", "TRACKNUMBER=1/9"})},
      {7, M4aBytes("A", "T", "L", 1, 9)},        {8, TiffBytes(exif)}};
  int n = 0;
  for (const auto& [kind, bytes] : seeds)
    std::ofstream(std::string(argv[1]) + "/seed" + std::to_string(n++), std::ios::binary) << kind << bytes;
  return 0;
}
