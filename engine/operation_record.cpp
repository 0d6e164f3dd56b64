// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/operation_record.h"

#include <array>
#include <utility>

namespace velmora::engine {

namespace {
constexpr std::array<std::pair<OperationKind, const char*>, 8> kKeywords{{
    {OperationKind::Browsefile, "Browsefile"},
    {OperationKind::Removpart, "Removpart"},
    {OperationKind::Replapart, "Replapart"},
    {OperationKind::Addnewnum, "Addnewnum"},
    {OperationKind::Changnew, "Changnew"},
    {OperationKind::Changexten, "Changexten"},
    {OperationKind::Savealls, "Savealls"},
    {OperationKind::Savesomes, "Savesomes"},
}};
}  // namespace

const char* KeywordOf(OperationKind kind) {
  for (const auto& [k, word] : kKeywords)
    if (k == kind) return word;
  return "Browsefile";
}

OperationKind KindFromKeyword(const std::string& keyword, bool* found) {
  for (const auto& [k, word] : kKeywords) {
    if (keyword == word) {
      if (found) *found = true;
      return k;
    }
  }
  if (found) *found = false;
  return OperationKind::Browsefile;
}

}  // namespace velmora::engine
