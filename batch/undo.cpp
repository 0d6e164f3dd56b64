// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/undo.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include "batch/case_change.h"
#include "batch/program_files.h"
#include "engine/name_model.h"

namespace velmora::batch {

namespace {

constexpr bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

/// Walks the entries of a log's bytes: the runs of bytes between line breaks. The next CR
/// and the next LF are each looked for once and remembered, so a log with one kind of line
/// break only is not searched to its end again at every entry.
class EntryReader {
 public:
  explicit EntryReader(std::string_view text)
      : text_(text), cr_(Find(text, '\r', 0)), lf_(Find(text, '\n', 0)) {}
  bool next(std::string_view& entry) {
    while (pos_ < text_.size() && IsLineBreak(text_[pos_])) ++pos_;
    if (pos_ == text_.size()) return false;
    if (cr_ < pos_) cr_ = Find(text_, '\r', pos_);
    if (lf_ < pos_) lf_ = Find(text_, '\n', pos_);
    const std::size_t end = std::min(cr_, lf_);
    entry = text_.substr(pos_, end - pos_);
    pos_ = end;
    return true;
  }

 private:
  static std::size_t Find(std::string_view text, char c, std::size_t from) {
    return std::min(text.find(c, from), text.size());
  }
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t cr_, lf_;  ///< the first CR and LF at or after pos_ (the text's size: none)
};

/// The log's pairs, found in its bytes where they are: only where each entry starts is kept
/// (an entry ends at the line breaks before the next one), so the pairs of a large log cost
/// 16 bytes each beside its bytes. A last unpaired entry is no pair.
class LogPairs {
 public:
  explicit LogPairs(std::string_view log) : log_(log), end_(log.size()) {
    starts_.reserve(CountRollbackEntries(log));
    EntryReader reader(log);
    for (std::string_view entry; reader.next(entry);)
      starts_.push_back(static_cast<std::size_t>(entry.data() - log.data()));
    entries_ = starts_.size();
    if (starts_.size() % 2) {
      end_ = starts_.back();
      starts_.pop_back();
    }
  }
  std::size_t size() const { return starts_.size() / 2; }
  /// The log's entries, a last unpaired one included.
  std::size_t entries() const { return entries_; }
  std::string_view current(std::size_t k) const { return entry(2 * k); }
  std::string_view original(std::size_t k) const { return entry(2 * k + 1); }

 private:
  std::string_view entry(std::size_t i) const {
    std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] : end_;
    while (end > starts_[i] && IsLineBreak(log_[end - 1])) --end;
    return log_.substr(starts_[i], end - starts_[i]);
  }
  std::string_view log_;
  std::vector<std::size_t> starts_;  ///< where each entry of a pair starts
  std::size_t end_;                  ///< where the bytes after the last pair's entry end
  std::size_t entries_ = 0;
};

/// Renames pairs of absolute paths. A pair whose two paths lie in one folder is renamed by
/// name in that folder, held open while the following pairs lie there too, so the system
/// does not walk the folder's path for each rename. Any other pair goes by its paths; such a
/// rename may move the open folder itself, so the folder is opened afresh afterwards.
class UndoRenamer {
 public:
  explicit UndoRenamer(platform::FileSystem& fs) : fs_(fs) {}

  platform::RenameStatus rename(std::string_view from, std::string_view to) {
    const std::size_t n = engine::NameStart(from);
    if (n < from.size() && n < to.size() && engine::NameStart(to) == n && from.compare(0, n, to, 0, n) == 0) {
      if (!folder_ || from.compare(0, n, prefix_) != 0) open(from.substr(0, n));
      if (folder_) return folder_->rename(from.substr(n), to.substr(n));
    }
    folder_.reset();
    return fs_.rename(std::string(from), std::string(to));
  }

 private:
  void open(std::string_view prefix) {
    prefix_.assign(prefix);
    std::string folder = prefix_;
    if (folder.size() > 1 && platform::IsSeparator(folder.back()) && !platform::IsRootPath(folder)) folder.pop_back();
    folder_ = fs_.openFolder(folder);
  }

  platform::FileSystem& fs_;
  std::string prefix_;  ///< the open folder's path as the pairs spell it, separator included
  std::unique_ptr<platform::OpenFolder> folder_;
};

}  // namespace

std::optional<std::string> ReadRollbackLog(platform::FileSystem& fs, const std::string& programFolder) {
  return fs.readFile(ProgramFolderWithSeparator(programFolder) + kRollbackLogName);
}

std::size_t CountRollbackEntries(std::string_view log) {
  std::size_t count = 0;
  EntryReader reader(log);
  for (std::string_view entry; reader.next(entry);) ++count;
  return count;
}

UndoReport ReplayUndo(platform::FileSystem& fs, const std::string& programFolder, std::string_view log,
                      StopFlag& stop, RunHooks& hooks, bool withProgress, UndoListener* listener,
                      RunJournal* heldLock) {
  UndoReport report;
  // Holding the journal's lock keeps a run from starting on this folder meanwhile.
  std::optional<RunJournal> ownLock;
  if (!heldLock) {
    const JournalState state = ownLock.emplace(fs, programFolder).open();
    if (state == JournalState::Busy || state == JournalState::Kept) {
      report.refusal = JournalRefusal(state, ownLock->path(), true);
      stop.clear();
      return report;
    }
  }
  // The journal holds the steps of each rename that goes through a temporary name, marked
  // as an undo's: one cut short is settled by the next start, and the log stays this log.
  RunJournal& journal = heldLock ? *heldLock : *ownLock;
  // Without a usable journal the renames of the file system go on unrecorded (an undo's
  // claims are not recorded anyway), and a change of case made here is refused.
  journal.markUndo();
  if (journal.active()) fs.setClaimJournal(&journal);
  const LogPairs pairs(log);
  if (withProgress) hooks.progressStart(static_cast<int>(pairs.entries()));
  std::vector<bool> keep(pairs.size(), false);
  std::size_t notReached = 0;  ///< pairs below this index were never tried
  UndoRenamer renamer(fs);
  std::unordered_set<std::string_view> claims;  ///< names an interrupted run's renames claimed
  // Entries are looked at themselves: a link at a name is there, whatever it points to.
  const auto present = [&](std::string_view path) { return fs.entryStatus(std::string(path)).present(); };
  // A pair that changed only the case of a name goes back through a temporary name where
  // names ignore case, as the run went: both steps in the journal first, dropped when over.
  const auto byPath = [&](const std::string& from, const std::string& to) { return renamer.rename(from, to); };
  // An item that could go neither on nor back stays under the temporary name: its step
  // stays in the journal, which is then kept for the next start to settle.
  bool stranded = false;
  const auto restore = [&](std::string_view current, std::string_view original) {
    stranded = false;
    platform::RenameStatus status = renamer.rename(current, original);
    // A rename by link and unlink cut between the two leaves the file under both names:
    // the new name goes, and the file is at its old name again.
    if (status == platform::RenameStatus::TargetExists) {
      const std::string from(current);
      const platform::EntryStatus atNew = fs.entryStatus(from), atOld = fs.entryStatus(std::string(original));
      if (atNew.sameFileAs(atOld) && atNew.links >= 2 && fs.removeFile(from)) return platform::RenameStatus::Renamed;
    }
    if (status != platform::RenameStatus::TargetExists ||
        !DiffersOnlyInCase(platform::SystemCodePage(), current, original))
      return status;
    const std::uint64_t marked = journal.size();
    const auto changed = ChangeCase(fs, &journal, byPath, std::string(current), std::string(original));
    stranded = changed && !changed->strandedAt.empty();
    if (!stranded) journal.cutBack(marked);
    return changed ? changed->status : platform::RenameStatus::Failed;
  };
  for (std::size_t k = pairs.size(); k-- > 0;) {
    if (stop.isSet()) {
      notReached = k + 1;
      break;
    }
    const std::string_view current = pairs.current(k), original = pairs.original(k);
    if (!platform::IsAbsolutePath(current) || !platform::IsAbsolutePath(original)) {
      ++report.ignored;
      continue;
    }
    if (current == original) {
      claims.insert(current);  // a claim: looked at with the rename that made it
      continue;
    }
    if (restore(current, original) != platform::RenameStatus::Renamed) {
      // The rename never happened while its item is still at its old name: nothing to undo.
      // (A run cut short may have recorded renames it did not reach, and an earlier undo
      // may have restored it.) A name the interrupted rename claimed goes, if still empty.
      const bool atOld = !stranded && present(original);
      if (atOld && claims.count(current) && RemoveEmptyClaim(fs, std::string(current))) {
        ++report.inPlace;
        continue;
      }
      if (atOld && !present(current)) {
        ++report.inPlace;
        continue;
      }
      ++report.failed;
      keep[k] = true;
      continue;
    }
    // A case change's first step back (to its temporary name) restores no item yet.
    if (!IsCaseChangeTemporary(original)) ++report.restored;
    if (listener) listener->entryRestored(current, original);
    if (withProgress) hooks.progressItem(engine::FileNamePart(current), engine::FileNamePart(original), 2);
    hooks.processEvents();
  }
  report.cancelled = stop.isSet();
  const auto kept = [&](std::size_t k) { return k < notReached || keep[k]; };
  for (std::size_t k = 0; k < pairs.size(); ++k) report.kept += kept(k);
  const std::string path = ProgramFolderWithSeparator(programFolder) + kRollbackLogName;
  if (report.kept == 0) {
    report.logDeleted = fs.removeFile(path);
  } else if (report.kept + report.ignored < pairs.size()) {
    RollbackLog rest;
    for (std::size_t k = 0; k < pairs.size(); ++k)
      if (kept(k)) rest.add(pairs.current(k), pairs.original(k));
    report.keptSaved = fs.writeFileAtomic(path, rest.text(), true);
  }
  fs.setClaimJournal(nullptr);
  if (ownLock) ownLock->discard();
  stop.clear();
  return report;
}

std::string UndoKeptMessage(const UndoReport& report) {
  std::string text;
  if (report.kept > 0) {
    // Whole sentences for one and for more, as other languages inflect more than the verb.
    const bool one = report.kept == 1;
    const char* format =
        report.keptSaved
            ? (report.cancelled ? (one ? VELMORA_TEXT("Core", "%1 rename was not reversed; it stays in rollback.rbk, so "
                                                              "undo can try again.")
                                       : VELMORA_TEXT("Core", "%1 renames were not reversed; they stay in rollback.rbk, "
                                                              "so undo can try again."))
                                : (one ? VELMORA_TEXT("Core", "%1 rename could not be reversed; it stays in rollback.rbk, "
                                                              "so undo can try again.")
                                       : VELMORA_TEXT("Core", "%1 renames could not be reversed; they stay in "
                                                              "rollback.rbk, so undo can try again.")))
            // The log could not be rewritten to hold only these: the old one stands, whole.
            : (report.cancelled ? (one ? VELMORA_TEXT("Core", "%1 rename was not reversed. rollback.rbk could not be "
                                                              "rewritten (is the disk full?), so it still holds every "
                                                              "pair it held, and undo can try again.")
                                       : VELMORA_TEXT("Core", "%1 renames were not reversed. rollback.rbk could not be "
                                                              "rewritten (is the disk full?), so it still holds every "
                                                              "pair it held, and undo can try again."))
                                : (one ? VELMORA_TEXT("Core", "%1 rename could not be reversed. rollback.rbk could not "
                                                              "be rewritten (is the disk full?), so it still holds every "
                                                              "pair it held, and undo can try again.")
                                       : VELMORA_TEXT("Core", "%1 renames could not be reversed. rollback.rbk could not "
                                                              "be rewritten (is the disk full?), so it still holds every "
                                                              "pair it held, and undo can try again.")));
    text = engine::FillText(format, {std::to_string(report.kept)});
  }
  if (report.ignored > 0) {
    if (!text.empty()) text += "\n";
    text += report.ignored == 1
                ? std::string(VELMORA_TEXT("Core", "1 entry of rollback.rbk is not a pair of absolute paths; it was "
                                                   "left alone."))
                : engine::FillText(VELMORA_TEXT("Core", "%1 entries of rollback.rbk are not pairs of absolute paths; "
                                                        "they were left alone."),
                                   {std::to_string(report.ignored)});
  }
  return text;
}

std::string UnreadableLogMessage(const std::string& programFolder) {
  return engine::FillText(VELMORA_TEXT("Core", "The rollback log '%1' is not a regular file of a readable size: "
                                               "nothing was restored."),
                          {ProgramFolderWithSeparator(programFolder) + kRollbackLogName});
}

}  // namespace velmora::batch
