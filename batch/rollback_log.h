// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rollback log: pairs (new path, old path) per rename, on disk as "rollback.rbk",
// one entry per line, CR LF. While a run renames, each pair also goes to a journal beside
// the log, so a run that is killed can still be undone.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace velmora::batch {

/// Lines of a text file the program wrote; accepts CR LF, LF and CR, and a missing last
/// line break. Empty lines are kept (callers decide what they mean).
std::vector<std::string> SplitLines(std::string_view text);

/// Entries joined with CR LF after each.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

class RollbackLog {
 public:
  void add(std::string newPath, std::string oldPath) {
    entries_.push_back(std::move(newPath));
    entries_.push_back(std::move(oldPath));
  }
  bool empty() const { return entries_.empty(); }
  void clear() { entries_.clear(); }
  const std::vector<std::string>& entries() const { return entries_; }
  std::size_t pairCount() const { return entries_.size() / 2; }

 private:
  std::vector<std::string> entries_;
};

enum class JournalState { Ready, Busy, Unusable };
class RunJournal;

/// Writes the log into the program folder, replacing the previous one atomically and
/// leaving it read-only. With the run's journal holding exactly the log's bytes, the
/// journal itself becomes the log instead (and is no longer held).
bool SaveRollbackLog(platform::FileSystem& fs, const std::string& programFolder, const RollbackLog& log,
                     RunJournal* journal = nullptr);

/// The journal of a running batch run, held with an exclusive lock so that another
/// instance never takes it over, and so that a second run (or an undo) on the same program
/// folder is refused while it runs. Each pair is written ahead of its rename, in one write
/// call, and withdrawn when the rename does not happen: a run killed at any instant leaves
/// every rename it made in the journal, and no rename happens whose pair is not there. At
/// most the one pair under way may be there without its rename; replaying it is harmless,
/// as undo never replaces anything.
class RunJournal {
 public:
  RunJournal(platform::FileSystem& fs, std::string programFolder);
  /// Takes over a journal left behind, then opens and locks a fresh one. Called before the
  /// first rename: a run goes on only when it answers Ready.
  JournalState open();
  /// Records a pair before its rename; false when the journal is not open or the pair could
  /// not be written whole: then the rename must not happen.
  bool intend(const std::string& newPath, const std::string& oldPath);
  /// Withdraws the pair of the last intend() (its rename failed).
  void withdraw();
  /// Syncs what was appended to the disk.
  void finish();
  /// When the journal holds exactly the log's bytes: synced, made read-only and moved into
  /// place as the rollback log; the lock is released. False when it cannot be.
  bool sealAsLog(const RollbackLog& log);
  /// Drops the journal file (after the log was saved) and releases the lock.
  void discard();
  bool active() const { return handle_ != nullptr; }
  const std::string& path() const { return path_; }

 private:
  platform::FileSystem& fs_;
  std::string folder_;
  std::string path_;
  std::unique_ptr<platform::AppendLog> handle_;
  std::uint64_t size_ = 0;
  std::uint64_t sizeBefore_ = 0;
  std::string record_;  ///< reused for every pair, so appending allocates nothing
  bool failed_ = false;
};

/// At start-up: a journal left behind by an interrupted run that nobody holds becomes the
/// rollback log, so Undo reverses that run. Only whole records count: a last record cut
/// short by the crash is dropped. Returns true when one was taken over.
bool RecoverJournal(platform::FileSystem& fs, const std::string& programFolder);

/// Why a run (or undo) on this program folder cannot start: another holds the journal, or
/// the journal cannot be written.
std::string JournalRefusal(JournalState state, const std::string& journalPath);
/// The journal failed in the middle of a run; the renames made so far are all recorded.
std::string JournalWriteFailure(const std::string& journalPath, std::size_t renamed);

}  // namespace velmora::batch
