// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The option values the core reads: the Options window's (the settings store's) values,
// handed to the core as a plain struct at the moment they are needed.

#include "batch/item_order.h"

namespace velmora::batch {

/// Earlier runs kept for undo besides the last one, unless the options say otherwise.
inline constexpr int kKeptRunsDefault = 10;
inline constexpr int kKeptRunsLimit = 100;

/// The option values the core reads, taken from the Options window when needed.
struct RunOptions {
  bool exitAfterRun = false;       ///< "Exit automatically after one operation"
  bool dontOpenListing = false;    ///< "Don't open file after save filenames "
  bool displayResult = true;       ///< "Display result after rename files"
  bool autocopy = true;            ///< "Automatically copy to input box when use mouse select"
  bool excludeSmallWords = true;   ///< "Exclude 'a,and,of' etc. when Capitalize every words"
  bool confirm = false;            ///< " Display OK confirmation box when begin rename"
  int previewCount = 20;           ///< "Preview files number: " (1..1000)
  int historyMax = 20;             ///< "Max Number:" (0..100)
  ItemOrder order{};               ///< "Numbering order": of each folder's items in a run, preview and listing
  bool includeHidden = false;      ///< "Include hidden files and folders"
  int keptRuns = kKeptRunsDefault;              ///< "Earlier runs kept for undo:" (0..100; 0: the last run only)
  bool showNewNames = true;        ///< "Show new names while editing": the live column of the main list
};

}  // namespace velmora::batch
