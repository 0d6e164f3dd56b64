// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How an item path splits into folder part, base name and extension, and the string
// operations that every rule family shares, with exactly these semantics.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace velmora::engine {

/// Everything up to and including the last separator (or a drive colon on Windows);
/// empty when there is none.
std::string FolderPart(std::string_view path);
/// The byte index where the name starts: the size of the folder part.
std::size_t NameStart(std::string_view path);
/// Whether text holds what ends a folder part (a separator; a drive colon on Windows), so
/// that a path's tail after it is more than a name.
bool HoldsFolderPart(std::string_view text);
/// The name after the folder part.
std::string FileNamePart(std::string_view path);
/// Files: the name cut before its last dot ("trip.2007" of "trip.2007.jpg"; "" of
/// ".htaccess"). Folders: the whole name, dots included.
std::string BaseName(std::string_view path, bool isDirectory);
/// Files: from the last dot of the name to its end, dot included; "" without a dot.
/// Folders: always "".
std::string Extension(std::string_view path, bool isDirectory);
/// The same parts as views into path, for building a new path without copies.
struct PathParts {
  std::string_view folder, base, extension;
};
PathParts SplitPath(std::string_view path, bool isDirectory);
std::string_view FolderView(std::string_view path);
std::string_view BaseNameView(std::string_view path, bool isDirectory);
std::string_view ExtensionView(std::string_view path, bool isDirectory);
/// The parts one after the other, in one allocation.
std::string Joined(std::string_view a, std::string_view b, std::string_view c = {});

/// ASCII letters only; bytes of 128 and above never belong to a class.
constexpr bool IsWordCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsPlainCharacter(char c) { return IsWordCharacter(c) || (c >= '0' && c <= '9'); }

/// ASCII-only case conversions; every other byte stays as it is.
std::string AsciiUpper(std::string_view s);
std::string AsciiLower(std::string_view s);

/// Every non-overlapping occurrence, left to right; the replacement is not searched again.
/// Case-insensitive searching uses the code page's case mapping.
std::string ReplaceAll(std::string_view s, std::string_view pattern, std::string_view replacement,
                       bool caseSensitive, const platform::CodePage& codePage);
/// 1-based position of the first occurrence, 0 when absent or when the pattern is empty.
int PositionOf(std::string_view s, std::string_view pattern);
/// Empty when start is beyond the end or count <= 0; start below 1 counts as 1; the
/// count is cut at the end of the string.
std::string Substring(std::string_view s, std::int64_t start, std::int64_t count);
/// The text goes before the byte at p (1-based); p below 1 inserts at the front, p beyond
/// the end appends.
std::string InsertAt(std::string_view s, std::int64_t p, std::string_view text);
/// Removes leading and trailing bytes of value 32 or below.
std::string Trim(std::string_view s);
/// Removes leading bytes of value 32 or below.
std::string TrimLeft(std::string_view s);

}  // namespace velmora::engine
