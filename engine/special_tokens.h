// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The placeholder that the special string dialog writes into an input box for the kind
// the user picked, and the six ways it writes today's date.

#include <array>
#include <cstddef>
#include <string>

namespace velmora::engine {

/// The dialog's result. FileTag: a tag placeholder ("From the file"); Disabled: "Ok" with
/// special strings switched off; None: cancelled.
enum class SpecialChoice {
  OrderedNumbers, Today, DisorderedNames, FileDate, FileSize, FolderName, FileTag, Disabled, None
};

/// "$$" for 1 to 99 items, "$$$" for 100 to 999 (and for no items, when the count is not
/// known yet), "$$$$" from 1000 on: wide enough for every number of the run.
std::string OrderedNumberToken(std::size_t itemCount);

/// The placeholder for a choice; empty for Disabled and None, and for every choice while
/// special strings are switched off. `chosenText` is what the choice wrote in the dialog:
/// the date caption for Today (plain text, the same for every item), the tag placeholder
/// for FileTag.
std::string BuildSpecialToken(SpecialChoice choice, bool specialStringsEnabled, std::size_t itemCount,
                              const std::string& chosenText);

/// A date in the six orders of the dialog: YYYYMMDD, YYYY-MM-DD, YYYY.MM.DD, MMDDYYYY,
/// MM-DD-YYYY, MM.DD.YYYY (year in full, month and day with two digits).
std::array<std::string, 6> DateCaptions(int year, int month, int day);

}  // namespace velmora::engine
