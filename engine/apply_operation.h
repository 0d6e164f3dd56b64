// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-item rule entry: computes what the current operation makes of one item.

#include <cstdint>
#include <string>

#include "engine/operation_record.h"
#include "engine/special_strings.h"
#include "platform/code_page.h"

namespace velmora::engine {

/// An item of a run: its full path (a folder without a trailing separator) and whether it
/// was a folder when the item filter looked at it.
struct Item {
  std::string path;
  bool isDirectory = false;
};

enum class OutcomeKind {
  Rename,         ///< newPath differs from the item's path
  Unchanged,      ///< the rule left the path as it was
  EmptyName,      ///< the new base name is empty: refused with a message
  NotApplicable,  ///< extension rules on a folder: nothing happens
  LeftAlone,      ///< the rules could not work on this name: the reason says why
};

struct NewNameOutcome {
  OutcomeKind kind = OutcomeKind::Unchanged;
  std::string newPath;
  const char* reason = nullptr;  ///< LeftAlone: why
};

struct RulePatterns;

/// What the rules need besides the record and the item.
struct RuleContext {
  const platform::CodePage& codePage;
  SpecialStringExpander& expander;
  std::int32_t ordinal = 1;  ///< the OrdinalCounter for this item
  /// The run's regular expressions, compiled once (null: compiled for the item when needed).
  const RulePatterns* patterns = nullptr;
  /// Set by a rule that leaves the item alone, with the reason.
  const char* leftAlone = nullptr;

  /// Expands a new-name text for this item (every expansion of one item sees one ordinal).
  std::string expand(const std::string& text, const Item& item) {
    return expander.expand(text, item.path, ordinal);
  }
};

/// Dispatches on the record's kind and applies the rule. Pure: shows nothing, renames
/// nothing; the batch run acts on the outcome.
NewNameOutcome ComputeNewName(const OperationRecord& record, const Item& item, RuleContext& context);

/// The message of an EmptyName outcome.
std::string EmptyNameMessage(const std::string& itemPath);

}  // namespace velmora::engine
