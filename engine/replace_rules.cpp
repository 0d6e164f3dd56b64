// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/replace_rules.h"

#include "engine/name_model.h"
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

std::string ApplyReplaceRule(const OperationRecord& record, const std::string& name, const Item& item,
                             RuleContext& context) {
  const std::string newText = context.expand(record.newText, item);
  if (record.replaceMode == ReplaceMode::ReplaceSelected)
    return ReplaceSelected(record, name, newText, context.codePage);
  return ReplaceString(record, name, newText, context.codePage);
}

}  // namespace velmora::engine
