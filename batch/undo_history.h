// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The undo history: the rollback logs of the last runs, newest first. "rollback.rbk" is always
// the newest; each run before it is kept, in the log's own format, as "rollback.N.rbk", a
// higher N being a newer run. Each move is one rename of one file, so a crash between two
// leaves every log whole. Beside a log, "<log>.info" says when the run was made and which
// operation it was; a log without one (an older program's, or a journal taken over) still
// lists, with its file's date and no operation. Changes happen under the journal's lock.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch/run_options.h"
#include "engine/operation_record.h"
#include "platform/file_system.h"

namespace velmora::batch {

/// One run that undo can reverse.
struct HistoryEntry {
  std::string logPath;             ///< its rollback log
  std::size_t items = 0;           ///< renames recorded (pairs of the log)
  std::string folder;              ///< the folder holding every item it renamed ("" when none is common)
  std::string operation;           ///< the operation keyword ("Replapart", ...); "" when not recorded
  platform::LocalTime when;        ///< when the run ended (the log's date when not recorded)
};

/// The runs undo can reverse, newest first: "rollback.rbk", then the kept ones. A log that
/// cannot be read is listed with no items.
std::vector<HistoryEntry> ListUndoHistory(platform::FileSystem& fs, const std::string& programFolder);

/// How many runs ListUndoHistory lists, without reading their logs.
std::size_t CountUndoHistory(platform::FileSystem& fs, const std::string& programFolder);

/// Before a run's log is saved: the current log (with its info) becomes the newest kept run,
/// and the oldest kept runs go until `keep` are left. With keep 0 nothing is kept and the log
/// is replaced, as with one level of undo. Call with the journal's lock held.
void KeepCurrentLog(platform::FileSystem& fs, const std::string& programFolder, int keep);

/// After the log was saved: records when, and which operation, for the listing.
void WriteRunInfo(platform::FileSystem& fs, const std::string& programFolder, engine::OperationKind kind);

/// After a complete undo deleted "rollback.rbk": the newest kept run becomes it, so the next
/// undo reverses the run before. False when there is none. Call with the journal's lock held.
bool PromoteKeptLog(platform::FileSystem& fs, const std::string& programFolder);

/// Drops the oldest kept runs until `keep` are left; takes the journal's lock, and changes
/// nothing while another run holds it (false then).
bool TrimUndoHistory(platform::FileSystem& fs, const std::string& programFolder, int keep);

/// The local calendar time of a moment given in seconds since 1970.
platform::LocalTime LocalTimeOf(std::int64_t seconds);
/// "YYYY-MM-DD HH:MM:SS".
std::string FormatTime(const platform::LocalTime& t);

}  // namespace velmora::batch
