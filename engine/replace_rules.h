// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of "Replapart": replace a given old text, or the part selected in the sample,
// by the new text (which may hold special strings). Each takes the item's base name and
// gives the new base name.

#include <string>

#include "engine/apply_operation.h"

namespace velmora::engine {

/// Dispatches on record.replaceMode. Expands record.newText once for the item.
std::string ApplyReplaceRule(const OperationRecord& record, const std::string& name, const Item& item,
                             RuleContext& context);

/// Every occurrence of record.oldText replaced by newText (already expanded).
std::string ReplaceString(const OperationRecord& record, const std::string& name, const std::string& newText,
                          const platform::CodePage& codePage);
/// Every match of the regular expression record.oldText replaced by newText, whose \0..\9
/// take the match and its groups; each piece of newText is expanded for the item.
std::string ReplacePattern(const OperationRecord& record, const std::string& name, const Item& item,
                           RuleContext& context);
/// The selected positions, from the head or from the end, replaced by newText (already expanded).
std::string ReplaceSelected(const OperationRecord& record, const std::string& name, const std::string& newText,
                            const platform::CodePage& codePage);

}  // namespace velmora::engine
