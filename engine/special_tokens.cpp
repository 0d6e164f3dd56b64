// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/special_tokens.h"

#include <cstdio>

namespace velmora::engine {

std::string OrderedNumberToken(std::size_t itemCount) {
  if (itemCount >= 1000) return "$$$$";
  if (itemCount >= 100 || itemCount == 0) return "$$$";
  return "$$";
}

std::string BuildSpecialToken(SpecialChoice choice, bool specialStringsEnabled, std::size_t itemCount,
                              const std::string& chosenText) {
  if (!specialStringsEnabled) return {};
  switch (choice) {
    case SpecialChoice::OrderedNumbers: return OrderedNumberToken(itemCount);
    case SpecialChoice::Today:
    case SpecialChoice::FileTag: return chosenText;
    case SpecialChoice::DisorderedNames: return "%6%";
    case SpecialChoice::FileDate: return "@@";
    case SpecialChoice::FileSize: return "##";
    case SpecialChoice::FolderName: return "%%";
    case SpecialChoice::Disabled:
    case SpecialChoice::None: break;
  }
  return {};
}

std::array<std::string, 6> DateCaptions(int year, int month, int day) {
  char y[16], m[8], d[8];
  std::snprintf(y, sizeof y, "%d", year);
  std::snprintf(m, sizeof m, "%02d", month);
  std::snprintf(d, sizeof d, "%02d", day);
  const std::string Y = y, M = m, D = d;
  return {Y + M + D, Y + "-" + M + "-" + D, Y + "." + M + "." + D,
          M + D + Y, M + "-" + D + "-" + Y, M + "." + D + "." + Y};
}

}  // namespace velmora::engine
