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

/// Kept: the journal of an earlier run is there and could not be taken over as the log (a
/// full disk): it holds that run's renames, so nothing may replace it.
enum class JournalState { Ready, Busy, Unusable, Kept };
class RunJournal;

/// Writes the log into the program folder, replacing the previous one atomically and
/// leaving it read-only. With the run's journal holding exactly the log's bytes, the
/// journal itself becomes the log instead (and is no longer held). Either way the log is on
/// the disk when this returns true; when it returns false, the journal is.
bool SaveRollbackLog(platform::FileSystem& fs, const std::string& programFolder, const RollbackLog& log,
                     RunJournal* journal = nullptr);

/// The journal of a running batch run, held with an exclusive lock so that another
/// instance never takes it over, and so that a second run (or an undo) on the same program
/// folder is refused while it runs. Every pair is on the disk (synced) before its rename:
/// a run killed, or a machine that loses its power, at any instant leaves every rename made
/// in the journal. The pairs of a group of renames are written and synced together ahead
/// of the group (intendAhead, commitAhead), so the journal may hold pairs whose renames
/// never happened; recovery looks at the disk to tell them apart.
///
/// A rename that must first claim its new name with an empty entry (a file system without a
/// no-replace rename) records the claim as the pair (new path, new path) before it is made:
/// undo removes such an entry when it is still empty and its item still has its old name.
class RunJournal final : public platform::ClaimJournal {
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
  /// Syncs what was appended to the disk now; false when the system could not.
  bool sync();
  /// Adds the pair of a rename planned ahead to the group under way (not yet written).
  void intendAhead(std::string_view newPath, std::string_view oldPath);
  /// Writes the group's pairs in one write call and syncs them; from then on planned() takes
  /// them in order. False when they could not be written whole or synced: no rename of the
  /// group may happen.
  bool commitAhead();
  /// True when this rename is the next one of the synced group: it may happen now, and the
  /// group goes on with the one after it.
  bool planned(std::string_view newPath, std::string_view oldPath);
  /// Whether the group's next rename is one of this old path.
  bool plannedFor(std::string_view oldPath) const;
  /// Whether pairs of a synced group wait for their renames.
  bool aheadPending() const { return aheadPos_ < ahead_.size(); }
  /// The renames of the group not reached never happen (the run stopped or left its plan).
  void dropAhead() {
    ahead_.clear();
    aheadPos_ = 0;
  }
  // platform::ClaimJournal: the claim's record, synced; withdrawn once the rename is over.
  bool claiming(const std::string& path) override;
  void claimed(const std::string& path) override;
  // The two steps through a temporary name as the pairs (tmp, from) and (to, tmp), synced;
  // withdrawn with claimed(tmp) once the item is at to or back at from.
  bool steppingAside(const std::string& from, const std::string& tmp, const std::string& to) override;
  /// Marks the journal as an undo's, before its first record: recovery then settles the
  /// steps through temporary names it holds (see RecoverJournal) instead of making them
  /// the log, since the log is the one being undone. False when it could not be written.
  bool markUndo();
  /// Where the journal ends now; cutBack(size) drops the records written after that (an
  /// undo's step through a temporary name, over).
  std::uint64_t size() const { return size_; }
  void cutBack(std::uint64_t size);
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
  std::string staged_;  ///< the pairs of the next group, not yet written
  std::string ahead_;   ///< the pairs of the group under way, as written
  std::size_t aheadPos_ = 0;  ///< where the group's next pair starts in ahead_
  std::uint64_t claimStart_ = 0;  ///< where the record of the claim under way starts
  bool failed_ = false;
  bool syncWhenSaved_ = false;
  bool undo_ = false;  ///< marked as an undo's journal
};

/// At start-up: a journal left behind by an interrupted run that nobody holds becomes the
/// rollback log, so Undo reverses that run. Only whole records count: a last record cut
/// short by the crash is dropped, and so is a pair whose rename never happened (its new
/// name is free and its old one taken, once the later pairs are thought undone). Returns
/// true when one was taken over. `kept` is set when one is there that could not be read or
/// written as the log: it stays as it is.
///
/// The journal of an undo cut short holds only the steps of renames through a temporary
/// name (tmp, from) and (to, tmp), and the log stays the log: an item found under such a
/// temporary name goes on to `to`, or back to `from` when `to` is taken. One that can go
/// neither way is added to the log as the pair (tmp, from), replayed first by the next
/// undo; true then.
bool RecoverJournal(platform::FileSystem& fs, const std::string& programFolder, bool* kept = nullptr);

/// Removes the empty entry a rename made to claim its name (an empty regular file or an
/// empty folder, never a link or anything with content); true when it went.
bool RemoveEmptyClaim(platform::FileSystem& fs, const std::string& path);

/// Why a run (or undo) on this program folder cannot start: another holds the journal, or
/// the journal cannot be written.
/// `undo`: the refusal of an undo, which restores rather than renames.
std::string JournalRefusal(JournalState state, const std::string& journalPath, bool undo = false);
/// The journal failed in the middle of a run; the renames made so far are all recorded.
std::string JournalWriteFailure(const std::string& journalPath, std::size_t renamed);

}  // namespace velmora::batch
