// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of "Changnew": give every item one new name (which may hold special strings),
// or convert the letter case of names. Unlike the other families these build the complete
// new full path, since whether the extension takes part depends on the rule.

#include <optional>
#include <string>
#include <string_view>

#include "engine/apply_operation.h"

namespace velmora::engine {

/// Dispatches on record.changeMode and record.caseStyle; returns the new full path.
std::string ApplyChangeRule(const OperationRecord& record, const Item& item, RuleContext& context);

/// Folder part + expanded new name + the item's extension.
std::string ChangeFullName(const OperationRecord& record, const Item& item, RuleContext& context);

/// Lower (with "Capitalize first letter") or Upper, on the whole name or on the base name.
std::string ConvertCase(const OperationRecord& record, const Item& item, const platform::CodePage& codePage);

/// "Remove accents" or "Safe for Windows", on the whole name or on the base name; nothing when
/// the accents cannot be removed on this system (the input checks refuse the run before).
std::optional<std::string> ConvertForTravel(const OperationRecord& record, const Item& item,
                                            const platform::CodePage& codePage);

/// The name with Latin letters in ASCII without their marks; characters whose ASCII form
/// would hold a character that a name on Windows or Linux cannot hold (a full-width "/")
/// stay as they are, and so do bytes that are no character. Under 1252 each character is
/// looked up alone; under 932 only single bytes are looked at (the page has no accented
/// letters). Nothing when the system has no table for it.
std::optional<std::string> RemoveAccents(std::string_view name, const platform::CodePage& codePage);

/// Every character Windows refuses in a name (\ / : * ? " < > | and control characters)
/// becomes "_"; when `endsName`, trailing dots and spaces go too; a device name
/// (CON, NUL, COM1, ...) before the first dot gets "_" after it.
std::string MakeWindowsSafe(std::string_view name, bool endsName, const platform::CodePage& codePage);

/// Whether RemoveAccents works on this system.
bool AccentRemovalAvailable();

/// A capital at the start of every word of the base name, small words left as they are.
std::string CapitalizeWords(const OperationRecord& record, const Item& item, const platform::CodePage& codePage);

/// The word-capitalising step on one base name.
std::string CapitalizeEveryWord(const std::string& name, bool excludeSmallWords, const platform::CodePage& codePage);

}  // namespace velmora::engine
