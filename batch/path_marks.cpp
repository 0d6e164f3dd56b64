// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/path_marks.h"

#include <functional>

namespace velmora::batch {

namespace {
std::uint32_t HashOf(std::string_view path) {
  return static_cast<std::uint32_t>(std::hash<std::string_view>{}(path));
}
}  // namespace

std::size_t PathMarks::find(std::string_view path, std::uint32_t hash) const {
  // Linear probing from the hash's slot: the path's slot, or the free one it would take.
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.marks() == kNone || (s.hash == hash && std::string_view(text_).substr(s.offset, s.size()) == path))
      return i;
  }
}

void PathMarks::grow() {
  std::vector<Slot> old(slots_.empty() ? 64 : 2 * slots_.size());
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& s : old) {
    if (s.marks() == kNone) continue;
    std::size_t i = s.hash & mask;
    while (slots_[i].marks() != kNone) i = (i + 1) & mask;
    slots_[i] = s;
  }
}

void PathMarks::mark(std::string_view path, Mark mark) {
  if (2 * (used_ + 1) > slots_.size()) grow();
  const std::uint32_t hash = HashOf(path);
  Slot& s = slots_[find(path, hash)];
  if (s.marks() == kNone) {
    s.offset = static_cast<std::uint32_t>(text_.size());
    s.length = static_cast<std::uint32_t>(path.size());
    s.hash = hash;
    text_.append(path);
    ++used_;
  }
  s.length |= std::uint32_t{mark} << kMarkShift;
}

std::uint8_t PathMarks::marks(std::string_view path) const {
  if (used_ == 0) return kNone;
  return slots_[find(path, HashOf(path))].marks();
}

void PathMarks::clear() {
  if (used_ == 0) return;
  for (Slot& s : slots_) s.length = 0;
  text_.clear();
  used_ = 0;
}

void ListingIndex::build(const std::vector<platform::DirEntry>& entries) {
  entries_ = entries.data();
  std::size_t size = 64;
  while (size < 2 * entries.size()) size *= 2;
  slots_.assign(size, Slot{});
  const std::size_t mask = size - 1;
  for (std::size_t e = 0; e < entries.size(); ++e) {
    const std::uint32_t hash = HashOf(entries[e].name);
    std::size_t i = hash & mask;
    while (slots_[i].entry != 0) i = (i + 1) & mask;
    slots_[i] = {static_cast<std::uint32_t>(e + 1), hash};
  }
}

bool ListingIndex::holds(std::string_view name) const {
  const std::uint32_t hash = HashOf(name);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask; slots_[i].entry != 0; i = (i + 1) & mask)
    if (slots_[i].hash == hash && entries_[slots_[i].entry - 1].name == name) return true;
  return false;
}

}  // namespace velmora::batch

