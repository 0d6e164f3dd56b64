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

/// The log of a run, held as the bytes "rollback.rbk" gets: for each rename its new path
/// and its old path, each followed by CR LF. Paths never hold a line break (the run
/// leaves such items alone), so the lines are the entries.
class RollbackLog {
 public:
  void add(std::string_view newPath, std::string_view oldPath) {
    text_.append(newPath).append("\r\n").append(oldPath).append("\r\n");
    ++pairs_;
  }
  /// Appends the pairs of another log after these.
  void append(const RollbackLog& other) {
    text_ += other.text_;
    pairs_ += other.pairs_;
  }
  /// Room for this many more pairs of about this many bytes each, so that a run of a large
  /// folder grows the log once instead of copying it at each doubling.
  void reserve(std::size_t pairs, std::size_t bytesPerPair);
  bool empty() const { return pairs_ == 0; }
  void clear() {
    text_.clear();
    pairs_ = 0;
  }
  std::size_t pairCount() const { return pairs_; }
  /// The bytes as saved.
  const std::string& text() const { return text_; }
  /// The entries, new and old path by turns (a copy: for callers that need lines).
  std::vector<std::string> entries() const { return SplitLines(text_); }
  /// Calls fn(newPath, oldPath) for each pair, in the order of the renames.
  template <class Fn>
  void forEachPair(Fn&& fn) const {
    std::string_view rest = text_;
    while (!rest.empty()) {
      const std::size_t a = rest.find("\r\n");
      const std::size_t b = rest.find("\r\n", a + 2);
      fn(rest.substr(0, a), rest.substr(a + 2, b - a - 2));
      rest.remove_prefix(b + 2);
    }
  }

 private:
  std::string text_;
  std::size_t pairs_ = 0;
};

enum class JournalState { Ready, Busy, Unusable };
class RunJournal;

/// Writes the log into the program folder, replacing the previous one atomically and
/// leaving it read-only. With the run's journal holding exactly the log's bytes, the
/// journal itself becomes the log instead (and is no longer held). Either way the log is on
/// the disk when this returns true; when it returns false, the journal is.
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
  /// The end of the run: syncs what was appended to the disk, unless the holder seals the
  /// journal as the log right after the run (SaveRollbackLog with this journal), which
  /// syncs it once there.
  void finish();
  /// Said by a holder that saves the log with SaveRollbackLog(..., this) straight after the
  /// run: finish() leaves the sync to that.
  void syncWhenSaved() { syncWhenSaved_ = true; }
  /// Syncs what was appended to the disk now.
  void sync();
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
  bool syncWhenSaved_ = false;
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
