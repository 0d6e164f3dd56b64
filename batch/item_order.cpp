// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/item_order.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "batch/target_walk.h"

namespace velmora::batch {

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr unsigned char UpperByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

struct KeyName {
  OrderKey key;
  const char* text;
};
constexpr KeyName kKeyNames[] = {
    {OrderKey::Name, "name"}, {OrderKey::Natural, "natural"}, {OrderKey::Modified, "mtime"}, {OrderKey::Size, "size"}};

}  // namespace

std::optional<ItemOrder> ParseItemOrder(std::string_view text) {
  ItemOrder order;
  const std::size_t colon = text.find(':');
  if (colon != std::string_view::npos) {
    const std::string_view direction = text.substr(colon + 1);
    if (direction == "desc") order.descending = true;
    else if (direction != "asc") return std::nullopt;
    text = text.substr(0, colon);
  }
  for (const KeyName& k : kKeyNames)
    if (text == k.text) {
      order.key = k.key;
      return order;
    }
  return std::nullopt;
}

std::string ItemOrderText(const ItemOrder& order) {
  std::string text;
  for (const KeyName& k : kKeyNames)
    if (k.key == order.key) text = k.text;
  return order.descending ? text + ":desc" : text;
}

bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  int zerosTieBreak = 0;  // fewer leading zeros first, decided only when all else is equal
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const std::size_t a0 = i, b0 = j;
      while (i < a.size() && a[i] == '0') ++i;
      while (j < b.size() && b[j] == '0') ++j;
      const std::size_t aStart = i, bStart = j;
      while (i < a.size() && IsDigit(a[i])) ++i;
      while (j < b.size() && IsDigit(b[j])) ++j;
      const std::string_view an = a.substr(aStart, i - aStart), bn = b.substr(bStart, j - bStart);
      if (an.size() != bn.size()) return an.size() < bn.size();
      if (an != bn) return an < bn;
      if (zerosTieBreak == 0 && aStart - a0 != bStart - b0) zerosTieBreak = aStart - a0 < bStart - b0 ? -1 : 1;
      continue;
    }
    const unsigned char ua = UpperByte(a[i]), ub = UpperByte(b[j]);
    if (ua != ub) return ua < ub;
    ++i;
    ++j;
  }
  if ((i < a.size()) != (j < b.size())) return j < b.size();
  if (zerosTieBreak != 0) return zerosTieBreak < 0;
  return platform::FolderOrderLess(a, b);
}

std::vector<std::size_t> OrderPermutation(platform::FileSystem& fs, const ItemOrder& order, std::size_t count,
                                          const std::function<std::string(std::size_t)>& path) {
  std::vector<std::size_t> positions(count);
  std::iota(positions.begin(), positions.end(), std::size_t{0});
  if (order.key == OrderKey::Name) {
    if (order.descending) std::reverse(positions.begin(), positions.end());
    return positions;
  }
  // One key per item, read once: the sort compares keys, never asks the disk again.
  std::vector<std::string> names;
  std::vector<std::int64_t> numbers;
  if (order.key == OrderKey::Natural) {
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) names.push_back(path(i));
  } else {
    numbers.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      const auto info = fs.entryInfo(path(i));
      std::int64_t value = 0;  // an item that cannot be read sorts as oldest and smallest
      if (info) value = order.key == OrderKey::Size ? static_cast<std::int64_t>(info->size) : info->lastWriteTime;
      numbers.push_back(value);
    }
  }
  auto less = [&](std::size_t x, std::size_t y) {
    return names.empty() ? numbers[x] < numbers[y] : NaturalLess(names[x], names[y]);
  };
  if (order.descending)
    std::stable_sort(positions.begin(), positions.end(), [&](std::size_t x, std::size_t y) { return less(y, x); });
  else
    std::stable_sort(positions.begin(), positions.end(), less);
  return positions;
}

ItemList OrderedItems(platform::FileSystem& fs, const ItemOrder& order, const ItemList& items) {
  std::string buffer;
  const std::vector<std::size_t> positions =
      OrderPermutation(fs, order, items.size(), [&](std::size_t i) { return items.path(i, buffer); });
  ItemList out;
  out.folderPart = items.folderPart;
  if (items.listed()) {
    out.entries.reserve(positions.size());
    for (std::size_t p : positions) out.entries.push_back(items.entry(p));
  } else {
    out.paths.reserve(positions.size());
    for (std::size_t p : positions) out.paths.push_back(items.paths[p]);
  }
  return out;
}

void OrderEntries(platform::FileSystem& fs, const ItemOrder& order, const std::string& folder,
                  std::vector<platform::DirEntry>& entries) {
  if (order == ItemOrder{}) return;
  const std::vector<std::size_t> positions = OrderPermutation(
      fs, order, entries.size(), [&](std::size_t i) { return platform::JoinPath(folder, entries[i].name); });
  std::vector<platform::DirEntry> out;
  out.reserve(entries.size());
  for (std::size_t p : positions) out.push_back(std::move(entries[p]));
  entries = std::move(out);
}

}  // namespace velmora::batch
