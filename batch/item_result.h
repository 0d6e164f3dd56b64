// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What became of one item of a run or a preview. Every front end (the command line's lines
// and JSON, the preview rows, the progress window, the message after a run) is made from
// these, so they all tell the same story.

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/core_text.h"

namespace velmora::batch {

enum class ItemStatus {
  Renamed,    ///< renamed (previewed) to the name its rules gave
  Numbered,   ///< renamed (previewed) to that name with "(n)", as the name was taken
  Unchanged,  ///< its rules left the name as it was
  LeftAlone,  ///< its new name was refused before any rename: the reason says why
  Refused,    ///< the file system refused the rename: the reason is its error
};

/// One item's result as the run reaches it; the texts are only lent for the call.
struct ItemResult {
  ItemStatus status = ItemStatus::Renamed;
  std::string_view oldPath;
  std::string_view newPath;  ///< the final new path (the planned one when left alone)
  std::string_view reason;   ///< why it was left alone or refused; empty otherwise
};

/// An item left alone or refused, kept for the report.
struct SkippedItem {
  std::string oldPath;
  std::string newPath;
  std::string reason;
  ItemStatus status = ItemStatus::Refused;
};

/// How many items came to each status.
struct StatusCounts {
  std::size_t renamed = 0, numbered = 0, unchanged = 0, leftAlone = 0, refused = 0;
  void count(ItemStatus status) {
    switch (status) {
      case ItemStatus::Renamed: ++renamed; break;
      case ItemStatus::Numbered: ++numbered; break;
      case ItemStatus::Unchanged: ++unchanged; break;
      case ItemStatus::LeftAlone: ++leftAlone; break;
      case ItemStatus::Refused: ++refused; break;
    }
  }
  std::size_t changed() const { return renamed + numbered; }
};

/// The reasons the run gives itself (a refusal by the file system gives the system's text),
/// translated where a window shows them.
inline constexpr const char* kLineBreakReason =
    VELMORA_NOOP("Core", "the name holds a line break, which the rollback log cannot record");
inline constexpr const char* kReservedNameReason = VELMORA_NOOP("Core", "the new name is reserved by Windows");
inline constexpr const char* kTooLongReason =
    VELMORA_NOOP("Core", "the new name is longer than 255 bytes");
inline constexpr const char* kEmptyNameReason = VELMORA_NOOP("Core", "the rules leave no name");
inline constexpr const char* kTargetExistsReason = VELMORA_NOOP("Core", "an item of the new name exists");
inline constexpr const char* kSystemRefusedReason = VELMORA_NOOP("Core", "the system refused it");
/// A folder the walk could not open or read: its items are unknown (the system's reason follows).
inline constexpr const char* kUnreadableFolderReason = VELMORA_NOOP("Core", "unreadable folder");
/// A hand-picked path inside a hand-picked folder that the run renamed before reaching it.
inline constexpr const char* kInRenamedFolderReason =
    VELMORA_NOOP("Core", "its folder was renamed before it in this run (pick the items inside a folder first)");

}  // namespace velmora::batch
