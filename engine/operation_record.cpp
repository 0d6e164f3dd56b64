// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/operation_record.h"

#include <array>
#include <utility>

namespace velmora::engine {

namespace {
constexpr std::array<std::pair<OperationKind, const char*>, 8> kKeywords{{
    {OperationKind::NoOperation, "Browsefile"},
    {OperationKind::Remove, "Removpart"},
    {OperationKind::Replace, "Replapart"},
    {OperationKind::Insert, "Addnewnum"},
    {OperationKind::Change, "Changnew"},
    {OperationKind::Extension, "Changexten"},
    {OperationKind::ListFolder, "Savealls"},
    {OperationKind::ListPicked, "Savesomes"},
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
  return OperationKind::NoOperation;
}

}  // namespace velmora::engine
