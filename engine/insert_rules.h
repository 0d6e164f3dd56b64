// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of "Addnewnum": insert texts (which may hold special strings) at the caret
// position picked in the sample, at the head and at the end, or next to an existing
// string. Each takes the item's base name and gives the new base name.

#include <string>

#include "engine/apply_operation.h"

namespace velmora::engine {

/// Dispatches on record.insertMode.
std::string ApplyInsertRule(const OperationRecord& record, const std::string& name, const Item& item,
                            RuleContext& context);

/// CURSOR first (so the caret refers to the name before any insertion), then HEAD, then
/// END. Each text is expanded at the moment it is inserted.
std::string InsertAtPosition(const OperationRecord& record, const std::string& name, const Item& item,
                             RuleContext& context);

/// BEFORE, BEHIND or BETWEEN every occurrence of the existing string(s).
std::string InsertAtString(const OperationRecord& record, const std::string& name, const Item& item,
                           RuleContext& context);

}  // namespace velmora::engine
