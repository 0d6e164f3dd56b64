// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message after a run whose tag placeholders missed something: which items got the
// file's date for want of a date taken, or an empty text for a tag they lack.

#include <string>
#include <vector>

#include "engine/special_strings.h"

namespace velmora::batch {

/// How many notes the message names before it only counts the rest.
inline constexpr std::size_t kNotesShown = 10;

/// "Some new names were made without a tag they ask for:" and a line per note (the item's
/// name and the note), at most kNotesShown; empty for no notes.
std::string ItemNotesMessage(const std::vector<engine::ItemNote>& notes);

}  // namespace velmora::batch
