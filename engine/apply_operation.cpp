#include "engine/apply_operation.h"

#include "engine/extension_rules.h"
#include "engine/name_model.h"

namespace velmora::engine {

std::string EmptyNameMessage(const std::string& itemPath) {
  return "The new name of '" + itemPath + "' is EMPTY, can not be assigned.";
}

NewNameOutcome ComputeNewName(const OperationRecord& record, const Item& item, RuleContext& context) {
  std::string newBase;
  switch (record.kind) {
    case OperationKind::Changexten:
      return ApplyExtensionRule(record, item, context.codePage);
    default:
      return {OutcomeKind::Unchanged, {}};
  }
  if (newBase.empty()) return {OutcomeKind::EmptyName, {}};
  std::string newPath = FolderPart(item.path) + newBase + Extension(item.path, item.isDirectory);
  if (newPath == item.path) return {OutcomeKind::Unchanged, {}};
  return {OutcomeKind::Rename, std::move(newPath)};
}

}  // namespace velmora::engine
