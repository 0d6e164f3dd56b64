// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The paths a planned group of renames leaves and takes, asked of for every candidate the
// group plans. A run plans thousands of groups: the paths are kept end to end in one buffer
// and found through an open-addressed table, so a group is planned and cleared without an
// allocation per path.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace velmora::batch {

class PathMarks {
 public:
  /// kSeenTaken: the disk held the path when the plan asked for it.
  enum Mark : std::uint8_t { kNone = 0, kLeft = 1, kTaken = 2, kSeenTaken = 4 };

  /// Marks a path (marks add up: a path left and taken again is both).
  void mark(std::string_view path, Mark mark);
  /// The marks of a path, kNone when it has none.
  std::uint8_t marks(std::string_view path) const;
  bool empty() const { return used_ == 0; }
  /// Forgets every path; the room stays for the next group.
  void clear();

 private:
  // Twelve bytes a slot, so the table of a large group stays in the processor's cache.
  struct Slot {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::uint32_t hash = 0;
    std::uint8_t marks() const { return static_cast<std::uint8_t>(length >> kMarkShift); }
    std::uint32_t size() const { return length & ((1u << kMarkShift) - 1); }
  };
  static constexpr unsigned kMarkShift = 29;  ///< the marks sit above a path's length
  std::size_t find(std::string_view path, std::uint32_t hash) const;
  void grow();

  std::string text_;         ///< the paths, end to end
  std::vector<Slot> slots_;  ///< a power of two in size, at most half used
  std::size_t used_ = 0;
};

/// The names of a folder's listing, found through an open-addressed table: the plan asks
/// whether a new name is one of them for each candidate, so a large folder is not searched
/// name by name for each.
class ListingIndex {
 public:
  /// Indexes these entries, whose names must stay where they are while the index is used.
  void build(const std::vector<platform::DirEntry>& entries);
  bool built() const { return !slots_.empty(); }
  bool holds(std::string_view name) const;

 private:
  struct Slot {
    std::uint32_t entry = 0;  ///< the entry's index plus one; 0: free
    std::uint32_t hash = 0;
  };
  const platform::DirEntry* entries_ = nullptr;
  std::vector<Slot> slots_;  ///< a power of two in size, at most half used
};

}  // namespace velmora::batch
