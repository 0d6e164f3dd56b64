// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/extension_rules.h"

#include "engine/name_model.h"
#include "engine/rule_text.h"

namespace velmora::engine {

NewNameOutcome ApplyExtensionRule(const OperationRecord& record, const Item& item,
                                  const platform::CodePage& codePage) {
  if (item.isDirectory) return {OutcomeKind::NotApplicable, {}};

  const std::string_view extension = ExtensionView(item.path, false);
  const std::string_view stem = std::string_view(item.path).substr(0, item.path.size() - extension.size());
  std::string newPath;
  if (record.extensionMode == ExtensionMode::ChangeExtension) {
    const bool takesPart =
        record.allExtensions ||
        codePage.toLower(extension) == codePage.toLower(record.oldExtension);
    if (!takesPart) return {OutcomeKind::Unchanged, {}};
    newPath = Joined(stem, record.newExtension);
  } else {
    newPath = Joined(stem, rules::ConvertLetterCase(extension, record.extensionUpper, codePage));
  }
  if (newPath == item.path) return {OutcomeKind::Unchanged, {}};
  return {OutcomeKind::Rename, std::move(newPath)};
}

std::string WithLeadingDot(const std::string& typed) {
  if (typed.empty() || typed.front() == '.') return typed;
  return "." + typed;
}

std::string NormalizeNewExtension(std::string typed) {
  while (typed.size() >= 3 && typed.compare(0, 2, "..") == 0) typed.erase(0, 2);
  while (typed.size() >= 2 && typed.back() == '.') typed.pop_back();
  return typed;
}

}  // namespace velmora::engine
