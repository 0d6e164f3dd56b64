// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/replace_rules.h"

#include "engine/name_model.h"
#include "engine/name_pattern.h"
#include "engine/rule_text.h"

namespace velmora::engine {

std::string ReplaceString(const OperationRecord& record, const std::string& name, const std::string& newText,
                          const platform::CodePage& codePage) {
  return rules::ReplaceEvery(name, record.oldText, newText, record.replaceCaseSensitive, codePage);
}

std::string ReplaceSelected(const OperationRecord& record, const std::string& name, const std::string& newText,
                            const platform::CodePage& codePage) {
  const rules::SelectedPart part = rules::MapSelection(name, record.sample, record.replaceFromEnd, codePage);
  const rules::Pos length = static_cast<rules::Pos>(name.size());
  return Substring(name, 1, part.a) + newText + Substring(name, part.b, length);
}

std::string ReplacePattern(const OperationRecord& record, const std::string& name, const Item& item,
                           RuleContext& context) {
  std::unique_ptr<RulePatterns> own;
  const RulePatterns* patterns = context.patterns;
  if (!patterns || !patterns->oldText) patterns = (own = RulePatterns::For(record, context.codePage)).get();
  // Each piece of the new text between group references is expanded once for the item; a
  // "\1" that a placeholder puts into the name (a folder's name) is never taken for a group.
  std::vector<std::string> literals;
  if (!patterns->plainNewText) {
    literals.reserve(patterns->newText.literals.size());
    for (const std::string& literal : patterns->newText.literals) literals.push_back(context.expand(literal, item));
  }
  auto result = patterns->oldText->replaceAll(name, patterns->plainNewText ? patterns->newText.literals : literals,
                                              patterns->newText.groups, context.leftAlone);
  return result ? std::move(*result) : name;
}

std::string ApplyReplaceRule(const OperationRecord& record, const std::string& name, const Item& item,
                             RuleContext& context) {
  if (record.regex && record.replaceMode == ReplaceMode::ReplaceString)
    return ReplacePattern(record, name, item, context);
  const std::string newText = context.expand(record.newText, item);
  if (record.replaceMode == ReplaceMode::ReplaceSelected)
    return ReplaceSelected(record, name, newText, context.codePage);
  return ReplaceString(record, name, newText, context.codePage);
}

}  // namespace velmora::engine
