// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of "Removpart": remove given strings, remove the part selected in the sample,
// remove what lies between two strings, keep the selected part, keep given strings, or
// clean the name of symbols. Each takes the item's base name and gives the new base name;
// none expands special strings.

#include <string>

#include "engine/apply_operation.h"

namespace velmora::engine {

/// Dispatches on record.removeMode.
std::string ApplyRemoveRule(const OperationRecord& record, const std::string& name, const Item& item,
                            RuleContext& context);

std::string RemoveStrings(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage);
/// Every match of each regular expression removeText1..3 removed, in that order.
std::string RemovePatterns(const OperationRecord& record, const std::string& name, RuleContext& context);
std::string RemoveSelected(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage);
std::string RemoveBetween(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage);
std::string KeepSelected(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage);
std::string KeepStrings(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage);
std::string CleanSymbols(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage);

}  // namespace velmora::engine
