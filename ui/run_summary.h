// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a run or an undo did, in words: the status bar's line after it (how many items were
// renamed, numbered, left alone; how many pairs an undo restored) and the one message that
// lists the items the file system refused, each with its reason.

#include <QCoreApplication>
#include <QString>
#include <vector>

#include "batch/item_result.h"
#include "batch/undo.h"

namespace velmora::ui {

class RunSummary {
  Q_DECLARE_TR_FUNCTIONS(RunSummary)

 public:
  /// The status bar's line after a run.
  static QString OfRun(const batch::StatusCounts& counts);
  /// The status bar's line after an undo.
  static QString OfUndo(const batch::UndoReport& report);
  /// The refused items with their reasons, at most kListed of them named; "" when none.
  static QString RefusedItems(const std::vector<batch::SkippedItem>& skipped);

  static constexpr int kListed = 20;
};

}  // namespace velmora::ui
