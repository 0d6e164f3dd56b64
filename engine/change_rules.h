// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of "Changnew": give every item one new name (which may hold special strings),
// or convert the letter case of names. Unlike the other families these build the complete
// new full path, since whether the extension takes part depends on the rule.

#include <string>

#include "engine/apply_operation.h"

namespace velmora::engine {

/// Dispatches on record.changeMode and record.caseStyle; returns the new full path.
std::string ApplyChangeRule(const OperationRecord& record, const Item& item, RuleContext& context);

/// Folder part + expanded new name + the item's extension.
std::string ChangeFullName(const OperationRecord& record, const Item& item, RuleContext& context);

/// Lower (with "Capitalize first letter") or Upper, on the whole name or on the base name.
std::string ConvertCase(const OperationRecord& record, const Item& item, const platform::CodePage& codePage);

/// A capital at the start of every word of the base name, small words left as they are.
std::string CapitalizeWords(const OperationRecord& record, const Item& item, const platform::CodePage& codePage);

/// The word-capitalising step on one base name.
std::string CapitalizeEveryWord(const std::string& name, bool excludeSmallWords, const platform::CodePage& codePage);

}  // namespace velmora::engine
