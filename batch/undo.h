#pragma once
// Undo of the last run: the rollback log replayed, last rename first, so folders renamed
// inside renamed folders come back completely.

#include <optional>
#include <string>
#include <vector>

#include "batch/batch_run.h"

namespace velmora::batch {

inline constexpr const char* kUndoQuestion = "Do you want to UNDO the last rename operation ?";
inline constexpr const char* kUndoTitle = "Undo Confirmation";
/// Logs of more lines than this are replayed inside the progress window.
inline constexpr std::size_t kUndoLinesWithoutProgress = 60;

/// The log's entries, read whole (empty lines dropped: no path is empty); nothing when the
/// log does not exist or cannot be read.
std::optional<std::vector<std::string>> ReadRollbackEntries(platform::FileSystem& fs,
                                                            const std::string& programFolder);

/// Something the main window shows changed: an entry that stood for `from` is now `to`.
class UndoListener {
 public:
  virtual ~UndoListener() = default;
  virtual void entryRestored(const std::string& /*from*/, const std::string& /*to*/) {}
};

struct UndoReport {
  std::vector<RenamePair> restored;  ///< oldPath: the path before undo; newPath: restored
  int failed = 0;                    ///< pairs that could not be replayed
  bool cancelled = false;
  bool logDeleted = false;
};

/// Replays the pairs (a last unpaired line ignored) until the stop flag is set; deletes the
/// log only when the replay was not cancelled.
UndoReport ReplayUndo(platform::FileSystem& fs, const std::string& programFolder,
                      const std::vector<std::string>& entries, StopFlag& stop, RunHooks& hooks,
                      bool withProgress, UndoListener* listener = nullptr);

}  // namespace velmora::batch
