// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The order in which a directory's items (or the hand-picked list) are numbered, renamed,
// previewed and listed. Name keeps the order the walk gives: the folder order, or the
// hand-picked list as given. The others sort each list on its own, stably, so items that
// compare equal keep that order, and descending keeps them so too.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace velmora::batch {

struct ItemList;

enum class OrderKey {
  Name,      ///< the walk's own order
  Natural,   ///< digit runs compared as numbers: IMG_9 before IMG_10
  Modified,  ///< last-write time
  Size,      ///< file size (folders count as 0)
};

struct ItemOrder {
  OrderKey key = OrderKey::Name;
  bool descending = false;
  bool operator==(const ItemOrder&) const = default;
};

/// "name", "natural", "mtime", "size", each optionally followed by ":desc" (or ":asc").
std::optional<ItemOrder> ParseItemOrder(std::string_view text);
/// The text ParseItemOrder reads back: "natural:desc"; "name" for the default.
std::string ItemOrderText(const ItemOrder& order);

/// Names compared with their digit runs as numbers, otherwise as the folder order does
/// (ASCII letters without regard to case); equal numbers with more leading zeros last.
bool NaturalLess(std::string_view a, std::string_view b);

/// The positions of items 0..count-1 in the order; path(i) gives item i's full path. Asks
/// the file system for sizes or times only when the order needs them.
std::vector<std::size_t> OrderPermutation(platform::FileSystem& fs, const ItemOrder& order, std::size_t count,
                                          const std::function<std::string(std::size_t)>& path);

/// An item list (a folder's entries, or paths) put into the order.
ItemList OrderedItems(platform::FileSystem& fs, const ItemOrder& order, const ItemList& items);

/// A folder's entries put into the order.
void OrderEntries(platform::FileSystem& fs, const ItemOrder& order, const std::string& folder,
                  std::vector<platform::DirEntry>& entries);

}  // namespace velmora::batch
