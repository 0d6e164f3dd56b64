// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one road of every rename. The editor's OK and its preview, the single-item rename, the
// command line and undo all come through here, and the steps always come in this order: the
// new-name history, the lock and journal, the walk and plan, the renames, the sealing of the
// log, the report. A front end only shows what the report holds.

#include <optional>
#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "batch/undo.h"
#include "batch/undo_history.h"

namespace velmora::batch {

class NameHistory;

/// The seams a run is shown through and the file systems it works on.
struct RunServices {
  platform::FileSystem& fs;         ///< what the run reads and renames (a snapshot of the target)
  platform::FileSystem& programFs;  ///< where the journal and the rollback log are written
  const platform::CodePage& codePage;
  Messages& messages;
  RunHooks& hooks;
  StopFlag& stop;
};

struct PipelineRequest {
  RunRequest run;
  std::string programFolder;  ///< the journal and the rollback log live there
  /// The new-name history a real run records its texts in before it renames anything.
  NameHistory* history = nullptr;
  /// Expands the special strings of a rules run (one per run, so its random state goes on).
  engine::SpecialStringExpander* expander = nullptr;
  /// Renames given as they are (old path, new path) instead of the walk and the rules.
  std::optional<std::vector<RenamePair>> pairs;
  /// Earlier runs' logs kept for undo besides this run's ("Earlier runs kept for undo:").
  int keptRuns = kKeptRunsDefault;
};

/// Where the renames of a real run are recorded once it is over.
enum class LogOutcome {
  None,       ///< nothing was renamed: the previous log stands
  Saved,      ///< in "rollback.rbk"
  InJournal,  ///< the log could not be written: the journal keeps them, taken over at the next start
};

struct RunReport {
  RunMode mode = RunMode::Rename;
  StatusCounts counts;
  std::vector<SkippedItem> skipped;  ///< items left alone or refused, in the run's order
  std::vector<PreviewRow> rows;      ///< a preview's rows, filler row included
  std::vector<engine::ItemNote> notes;  ///< what the tags of items lacked ("no date taken: ...")
  RollbackLog log;                   ///< the renames, in order
  bool journalFailed = false;        ///< the journal refused the run or failed in it (said so)
  LogOutcome logOutcome = LogOutcome::None;

  bool nothingRenamed() const { return mode == RunMode::Rename && log.empty(); }
};

RunReport RunPipeline(const RunServices& services, const PipelineRequest& request);

/// The message of a log that could not be written (empty when it was).
std::string LogNotSavedMessage(const RunReport& report, const std::string& programFolder);
/// What a window says at the end of a run that left items alone: each item with its reason
/// (the first kLeftAloneShown of them), as the command line names them. Empty when none was.
std::string LeftAloneMessage(const std::vector<SkippedItem>& skipped);
inline constexpr std::size_t kLeftAloneShown = 20;

/// Undo of the last run: the log read, the question asked, the pairs replayed (inside the
/// progress window for a long log), what was kept said. The program folder's lock is taken
/// before the log is read and held until the replay is over; while a run holds it, the undo
/// is refused (Replayed, with the refusal in `replay`).
///
/// With `runs` above 1 (or 0: every run of the history), the runs before are undone after
/// it, newest first, under the same lock and after one question: each completely undone
/// run's log goes and the run before becomes the last one. The first run that is not undone
/// completely (a rename that could not be reversed, a cancel) stops it; its log keeps what
/// is left and the runs before it stay.
struct UndoOutcome {
  enum class Kind { NoLog, UnreadableLog, Declined, Replayed };
  Kind kind = Kind::NoLog;
  UndoReport replay;         ///< the last replay made
  int runsAsked = 1;         ///< the runs the question was about
  int runsUndone = 0;        ///< runs undone completely, in order
};
UndoOutcome RunUndo(const RunServices& services, const std::string& programFolder, UndoListener* listener = nullptr,
                    int runs = 1);

/// What an undo of several runs says when it stopped before the last one asked for.
std::string UndoStoppedMessage(const UndoOutcome& outcome);

}  // namespace velmora::batch
