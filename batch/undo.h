// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo of the last run: the rollback log replayed, last rename first, so folders renamed
// inside renamed folders come back completely.

#include <optional>
#include <string>
#include <string_view>

#include "batch/batch_run.h"
#include "batch/rollback_log.h"

namespace velmora::batch {

inline constexpr const char* kUndoQuestion = VELMORA_NOOP("Core", "Do you want to UNDO the last rename operation ?");
inline constexpr const char* kUndoTitle = VELMORA_NOOP("Core", "Undo Confirmation");
/// Logs of more lines than this are replayed inside the progress window.
inline constexpr std::size_t kUndoLinesWithoutProgress = 60;

/// The log's bytes, read whole; nothing when the log does not exist or cannot be read. Its
/// entries are its lines that are not empty (no path is empty); a line ends at CR LF, LF or CR.
std::optional<std::string> ReadRollbackLog(platform::FileSystem& fs, const std::string& programFolder);
/// How many entries a log's bytes hold.
std::size_t CountRollbackEntries(std::string_view log);

/// Something the main window shows changed: an entry that stood for `from` is now `to`.
class UndoListener {
 public:
  virtual ~UndoListener() = default;
  virtual void entryRestored(std::string_view /*from*/, std::string_view /*to*/) {}
};

struct UndoReport {
  std::size_t restored = 0;  ///< pairs replayed (each one told to the listener)
  int failed = 0;            ///< pairs that could not be replayed
  std::size_t inPlace = 0;   ///< pairs whose item was at its old name already: nothing to undo
  bool cancelled = false;
  bool logDeleted = false;
  std::size_t kept = 0;     ///< pairs left in the log for the next undo: failed, or not reached
  bool keptSaved = true;    ///< false when the log of the kept pairs could not be written
  std::size_t ignored = 0;  ///< pairs that are not two absolute paths: never replayed
  std::string refusal;      ///< why nothing was replayed (another run holds the folder)
};

/// Replays the pairs (a last unpaired line ignored) until the stop flag is set, never while
/// a run holds the program folder. Only pairs of two absolute paths are replayed. The log
/// then keeps exactly the pairs still to be undone (those that failed, and those a cancel
/// did not reach), so none is ever lost; with none left it is deleted. `log` is the log's
/// bytes as read. `heldLock` is the program folder's journal, opened by a caller that took
/// the lock before it read the log (and releases it itself); without it the replay takes
/// the lock for its own length. A pair that changed only the case of a name goes back
/// through a temporary name with both steps in that journal first (see RecoverJournal).
UndoReport ReplayUndo(platform::FileSystem& fs, const std::string& programFolder, std::string_view log,
                      StopFlag& stop, RunHooks& hooks, bool withProgress, UndoListener* listener = nullptr,
                      RunJournal* heldLock = nullptr);

/// What an undo that could not restore everything says (empty when it did).
std::string UndoKeptMessage(const UndoReport& report);
/// The log exists but is not a regular file of a sane size.
std::string UnreadableLogMessage(const std::string& programFolder);

}  // namespace velmora::batch
