// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/apply_operation.h"

#include <utility>

#include "engine/change_rules.h"
#include "engine/core_text.h"
#include "engine/extension_rules.h"
#include "engine/insert_rules.h"
#include "engine/name_model.h"
#include "engine/remove_rules.h"
#include "engine/replace_rules.h"
#include "platform/file_system.h"

namespace velmora::engine {

std::string EmptyNameMessage(const std::string& itemPath) {
  return FillText(VELMORA_TEXT("Core", "The new name of '%1' is EMPTY, can not be assigned."), {itemPath});
}

namespace {

NewNameOutcome Finish(const Item& item, std::string newPath) {
  if (newPath == item.path) return {OutcomeKind::Unchanged, {}};
  return {OutcomeKind::Rename, std::move(newPath)};
}

}  // namespace

namespace {
NewNameOutcome ComputeWithoutNameCheck(const OperationRecord& record, const Item& item, RuleContext& context);
}  // namespace

// A new name that is nothing, "." or ".." would name the item's folder or its parent, never
// a name of its own: as empty as an empty name (removing the extension of ".a" leaves nothing).
NewNameOutcome ComputeNewName(const OperationRecord& record, const Item& item, RuleContext& context) {
  NewNameOutcome outcome = ComputeWithoutNameCheck(record, item, context);
  // Only a path that ends in a separator or a dot can name no entry of its own.
  if (outcome.kind == OutcomeKind::Rename && !outcome.newPath.empty() &&
      (outcome.newPath.back() == '.' || platform::IsSeparator(outcome.newPath.back()))) {
    const std::string_view name = std::string_view(outcome.newPath).substr(NameStart(outcome.newPath));
    if (name.empty() || name == "." || name == "..") return {OutcomeKind::EmptyName, {}};
  }
  return outcome;
}

namespace {
NewNameOutcome ComputeWithoutNameCheck(const OperationRecord& record, const Item& item, RuleContext& context) {
  switch (record.kind) {
    case OperationKind::Remove:
    case OperationKind::Replace:
    case OperationKind::Insert:
      break;
    case OperationKind::Change: {
      std::string newPath = ApplyChangeRule(record, item, context);
      // The whole new path is tested; a path that ends in its folder part (a name that
      // became nothing, such as a name of spaces only) is as empty as an empty path: it
      // would name the folder that holds the item.
      if (newPath.size() <= NameStart(item.path)) return {OutcomeKind::EmptyName, {}};
      return Finish(item, std::move(newPath));
    }
    case OperationKind::Extension:
      return ApplyExtensionRule(record, item, context.codePage);
    default:
      return {OutcomeKind::Unchanged, {}};
  }
  // The rules of the base name: the folder part and the extension stay as they are.
  const PathParts parts = SplitPath(item.path, item.isDirectory);
  const std::string name(parts.base);
  std::string newBase;
  switch (record.kind) {
    case OperationKind::Remove:
      newBase = ApplyRemoveRule(record, name, item, context);
      break;
    case OperationKind::Replace:
      newBase = ApplyReplaceRule(record, name, item, context);
      break;
    default:
      newBase = ApplyInsertRule(record, name, item, context);
      break;
  }
  if (context.leftAlone) return {OutcomeKind::LeftAlone, {}, context.leftAlone};
  if (newBase.empty()) return {OutcomeKind::EmptyName, {}};
  return Finish(item, Joined(parts.folder, newBase, parts.extension));
}
}  // namespace

}  // namespace velmora::engine
