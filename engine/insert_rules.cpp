// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/insert_rules.h"

#include "engine/name_model.h"
#include "engine/rule_text.h"

namespace velmora::engine {

using rules::Pos;

std::string InsertAtPosition(const OperationRecord& record, const std::string& name, const Item& item,
                             RuleContext& context) {
  std::string result = name;
  if (record.atCursor) {
    const Pos length = static_cast<Pos>(name.size());
    const Pos caret = rules::SampleNumber(record.sample.cursorPos);
    const Pos sampleLength = static_cast<Pos>(record.sample.sampleName.size());
    // v is the position of the byte the text goes before; from the end the caret keeps
    // its distance from the end of the name.
    Pos v = record.cursorFromEnd ? length + caret - sampleLength : caret;
    v = rules::CutBeforeWhole(name, v, context.codePage);
    result = InsertAt(result, v, context.expand(record.cursorText, item));
  }
  if (record.atHead) result = context.expand(record.headText, item) + result;
  if (record.atEnd) result += context.expand(record.endText, item);
  return result;
}

std::string InsertAtString(const OperationRecord& record, const std::string& name, const Item& item,
                           RuleContext& context) {
  const std::string text = context.expand(record.insertText, item);
  const std::string& first = record.anchorText;
  switch (record.anchorPlacement) {
    case 0: return rules::ReplaceEvery(name, first, text + first, true, context.codePage);
    case 1: return rules::ReplaceEvery(name, first, first + text, true, context.codePage);
    case 2: {
      // The two strings must touch: only "first + second" is an anchor.
      const std::string& second = record.secondAnchorText;
      return rules::ReplaceEvery(name, first + second, first + text + second, true, context.codePage);
    }
    default: return name;
  }
}

std::string ApplyInsertRule(const OperationRecord& record, const std::string& name, const Item& item,
                            RuleContext& context) {
  if (record.insertMode == InsertMode::InsertAtString) return InsertAtString(record, name, item, context);
  return InsertAtPosition(record, name, item, context);
}

}  // namespace velmora::engine
