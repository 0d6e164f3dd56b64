// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text helpers shared by the remove, replace, insert and change rules. Every search
// matches whole characters of the code page in use, and every cut taken from the sample's
// selection or caret is moved out of a character, so no rule ever splits one: a double-byte
// character under 932, a multi-byte character under UTF-8. Under 1252 every byte is a
// character and these helpers behave exactly as plain byte operations.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/operation_record.h"
#include "platform/code_page.h"

namespace velmora::engine::rules {

/// A 1-based byte position in a name. Wide enough that sums of sample values never
/// overflow, whatever the record holds.
using Pos = std::int64_t;

/// Byte index of the first occurrence of needle at or after the character start `from`,
/// matching whole characters only, case-sensitively or with the page's case mapping;
/// npos when absent or when needle is empty. matchLength receives the length in s.
std::size_t FindText(std::string_view s, std::string_view needle, std::size_t from, bool caseSensitive,
                     const platform::CodePage& codePage, std::size_t& matchLength);

/// Every non-overlapping occurrence, left to right, replaced; the replacement is never
/// searched again. An empty pattern never matches.
std::string ReplaceEvery(std::string_view s, std::string_view pattern, std::string_view replacement,
                         bool caseSensitive, const platform::CodePage& codePage);

/// 1-based position of the first case-sensitive occurrence, 0 when absent or empty.
Pos PositionOfText(std::string_view s, std::string_view pattern, const platform::CodePage& codePage);

/// A cut after position a (a = last byte kept in front) that falls inside a character
/// moves behind that character, which stays whole in front. Positions outside the name
/// are returned as they are.
Pos CutAfterWhole(std::string_view s, Pos a, const platform::CodePage& codePage);

/// A cut before position b (b = first byte kept behind) that falls inside a character
/// moves before that character, which stays whole behind. Positions outside the name are
/// returned as they are.
Pos CutBeforeWhole(std::string_view s, Pos b, const platform::CodePage& codePage);

/// A count or position taken from the sample. The selection and the caret never hold a
/// negative number; one that does counts as 0, since a negative length would make a
/// rule take parts of the name twice.
inline Pos SampleNumber(int value) { return value < 0 ? 0 : value; }

/// The two cuts of a part selected in the sample, mapped onto a name: a is the last
/// position kept in front of the part, b the first position kept behind it. From the head
/// the sample's positions are used as they are; from the end each keeps its distance from
/// the end of the name. Cuts inside a character move out of it so that the character
/// stays whole; a selection that lies within one character then covers nothing.
struct SelectedPart {
  Pos a = 0;
  Pos b = 1;
};
SelectedPart MapSelection(std::string_view name, const SampleValues& sample, bool fromEnd,
                          const platform::CodePage& codePage);

/// One flag per byte: true for the bytes of characters longer than one byte. Such bytes
/// are never letters, digits or symbols for the rules; they are kept as they are.
std::vector<bool> MultiByteMap(std::string_view s, const platform::CodePage& codePage);

/// The case conversion of the case rules: under UTF-8 every letter by its simple Unicode
/// mapping; under the other pages ASCII letters only, and never a byte of a double-byte
/// character, even when it looks like a letter.
std::string ConvertLetterCase(std::string_view s, bool upper, const platform::CodePage& codePage);

}  // namespace velmora::engine::rules
