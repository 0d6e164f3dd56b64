// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/rollback_log.h"

#include "batch/case_change.h"
#include "batch/program_files.h"
#include "batch/undo_history.h"
#include "engine/core_text.h"
#include "engine/name_model.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace velmora::batch {

std::string ProgramFolderWithSeparator(const std::string& folder) {
  if (folder.empty() || platform::IsSeparator(folder.back())) return folder;
  return folder + platform::kSeparator;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

bool SaveRollbackLog(platform::FileSystem& fs, const std::string& programFolder, const RollbackLog& log,
                     RunJournal* journal) {
  if (journal && journal->sealAsLog(log)) return true;
  const std::string folder = ProgramFolderWithSeparator(programFolder);
  fs.makeFolders(programFolder);
  if (fs.writeFileAtomic(folder + kRollbackLogName, log.text(), true)) return true;
  // The journal stays the record of the renames: on the disk too.
  if (journal) journal->sync();
  return false;
}

void RollbackLog::reserve(std::size_t pairs, std::size_t bytesPerPair) {
  const std::size_t needed = text_.size() + pairs * bytesPerPair;
  if (needed > text_.capacity()) text_.reserve(std::max(needed, text_.capacity() + text_.capacity() / 2));
}

RunJournal::RunJournal(platform::FileSystem& fs, std::string programFolder)
    : fs_(fs), folder_(std::move(programFolder)), path_(ProgramFolderWithSeparator(folder_) + kJournalName) {}

JournalState RunJournal::open() {
  if (handle_) return JournalState::Ready;
  // A journal an interrupted run left behind becomes the log first; one that cannot is
  // never cut or replaced: it is the only record of that run's renames.
  bool kept = false;
  RecoverJournal(fs_, folder_, &kept);
  if (kept) return JournalState::Kept;
  platform::LockFailure why = platform::LockFailure::None;
  handle_ = fs_.openLockedAppend(path_, &why);
  if (!handle_) return why == platform::LockFailure::Locked ? JournalState::Busy : JournalState::Unusable;
  if (!handle_->truncateTo(0)) {
    handle_.reset();
    return JournalState::Unusable;
  }
  // The journal's name itself must survive a power cut, or its synced records go with it.
  // (A file system that cannot sync folders at all is no reason to refuse the run.)
  fs_.syncFolder(folder_);
  size_ = sizeBefore_ = 0;
  failed_ = false;
  undo_ = false;
  dropAhead();
  staged_.clear();
  return JournalState::Ready;
}

bool RunJournal::intend(const std::string& newPath, const std::string& oldPath) {
  if (failed_ || !handle_) return false;
  record_.clear();
  record_.append(newPath).append("\r\n").append(oldPath).append("\r\n");
  sizeBefore_ = size_;
  if (!handle_->append(record_)) {
    // A short write leaves part of a record: cut it off; recovery ignores it anyway.
    handle_->truncateTo(size_);
    failed_ = true;
    return false;
  }
  size_ += record_.size();
  return true;
}

void RunJournal::withdraw() {
  if (handle_ && size_ != sizeBefore_ && handle_->truncateTo(sizeBefore_)) size_ = sizeBefore_;
}

void RunJournal::finish() {
  if (!syncWhenSaved_) sync();
}

bool RunJournal::sync() {
  if (!handle_) return false;
  if (!handle_->sync()) failed_ = true;
  return !failed_;
}

void RunJournal::intendAhead(std::string_view newPath, std::string_view oldPath) {
  staged_.append(newPath).append("\r\n").append(oldPath).append("\r\n");
}

bool RunJournal::commitAhead() {
  dropAhead();
  if (staged_.empty()) return !failed_;
  if (failed_ || !handle_) return false;
  if (!handle_->append(staged_)) {
    handle_->truncateTo(size_);
    failed_ = true;
    return false;
  }
  size_ += staged_.size();
  sizeBefore_ = size_;  // a pair of the group is never withdrawn: it stays, its rename undone or not
  if (!sync()) return false;
  std::swap(ahead_, staged_);  // the buffers keep their room for the next group
  staged_.clear();
  return true;
}

bool RunJournal::planned(std::string_view newPath, std::string_view oldPath) {
  const std::string_view rest = std::string_view(ahead_).substr(aheadPos_);
  const std::size_t length = newPath.size() + oldPath.size() + 4;
  if (rest.size() < length || rest.compare(0, newPath.size(), newPath) != 0 ||
      rest.compare(newPath.size(), 2, "\r\n") != 0 || rest.compare(newPath.size() + 2, oldPath.size(), oldPath) != 0 ||
      rest.compare(length - 2, 2, "\r\n") != 0)
    return false;
  aheadPos_ += length;
  return true;
}

bool RunJournal::plannedFor(std::string_view oldPath) const {
  const std::string_view rest = std::string_view(ahead_).substr(aheadPos_);
  const std::size_t start = rest.find("\r\n");
  return start != std::string_view::npos && rest.size() >= start + 2 + oldPath.size() + 2 &&
         rest.compare(start + 2, oldPath.size(), oldPath) == 0 &&
         rest.compare(start + 2 + oldPath.size(), 2, "\r\n") == 0;
}

namespace {
// The first record of an undo's journal (twice, as a pair): no path, as every path in a
// journal is absolute.
constexpr const char* kUndoMark = "*undo*";
constexpr std::uint64_t kUndoMarkRecord = 2 * (std::char_traits<char>::length(kUndoMark) + 2);
}  // namespace

bool RunJournal::markUndo() {
  if (size_ > 0) return !failed_;
  undo_ = intend(kUndoMark, kUndoMark);
  sizeBefore_ = size_;  // never withdrawn
  return undo_;
}

void RunJournal::cutBack(std::uint64_t size) {
  if (handle_ && size_ > size && handle_->truncateTo(size)) size_ = size;
  sizeBefore_ = std::min(sizeBefore_, size_);
}

bool RunJournal::claiming(const std::string& path) {
  const std::uint64_t before = sizeBefore_;
  if (!intend(path, path)) return false;
  claimStart_ = sizeBefore_;
  sizeBefore_ = before;  // withdraw() still means the pair of the rename under way
  return sync();
}

void RunJournal::claimed(const std::string& path) {
  static_cast<void>(path);
  // Once the rename is over the claim is nothing to undo: its record goes (should the cut
  // back not reach the disk, undo still tells the claim from the item by the old name).
  cutBack(claimStart_);
}

bool RunJournal::steppingAside(const std::string& from, const std::string& tmp, const std::string& to) {
  const std::uint64_t before = sizeBefore_, start = size_;
  const bool written = intend(tmp, from) && intend(to, tmp);
  sizeBefore_ = before;  // withdraw() still means the pair of the rename under way
  claimStart_ = start;
  if (written && sync()) return true;
  cutBack(start);
  return false;
}

bool RunJournal::sealAsLog(const RollbackLog& log) {
  if (!handle_ || log.empty()) return false;
  // The journal took each pair of the log in the log's order, but may hold pairs besides:
  // a pair planned ahead whose rename never happened, a case change's two steps. It becomes
  // the log only when its bytes are the log's (an equal size alone is no proof: a pair that
  // never happened may be as long as one that did).
  // The file may be longer than its records: the room reserved ahead is zeros, which the
  // seal cuts off.
  if (log.text().size() != size_) return false;
  const std::optional<std::string> bytes = fs_.readFile(path_);
  if (!bytes || std::string_view(*bytes).substr(0, size_) != log.text() ||
      !handle_->sealAs(ProgramFolderWithSeparator(folder_) + kRollbackLogName))
    return false;
  handle_.reset();
  return true;
}

void RunJournal::discard() {
  if (!handle_) return;
  // An undo's step whose item could go neither on nor back stays recorded: the next start
  // settles it. Anything else is removed while still locked, so nobody takes it over.
  if (undo_ && size_ > kUndoMarkRecord)
    handle_->sync();
  else
    fs_.removeFile(path_);
  handle_.reset();
}

namespace {
// The journal's pairs (new path and old path by turns) without those whose rename never
// happened. The disk is looked at as undo will find it: last pair first, each pair kept
// thought undone (its new name free, its old name taken), so a name a later rename took or
// left is seen as it was then. A pair whose new name is free while its old name is taken
// was never renamed; nor was one whose item a later pair renamed from the same old name
// (a run renames an item once: the earlier pair was planned, and the item went elsewhere).
// A claim (a pair of one name twice) is kept while its entry is there.
std::vector<std::string> HappenedPairs(platform::FileSystem& fs, std::vector<std::string> lines) {
  std::unordered_map<std::string_view, bool> seen;  ///< names whose state a later pair decided
  std::unordered_set<std::string_view> leftLater;   ///< old names a later pair's item left
  std::unordered_map<std::string_view, std::size_t> claimAt;  ///< the claims of later records
  const auto present = [&](const std::string& path) {
    const auto it = seen.find(path);
    return it != seen.end() ? it->second : fs.entryStatus(path).present();
  };
  // Where names ignore case, a name asked for finds its entry in any case: the names of a
  // case change are looked for in their folder's listing, spelt exactly.
  ExactNames listed;
  const auto presentExactly = [&](const std::string& path) {
    const auto it = seen.find(path);
    return it != seen.end() ? it->second : listed.holds(fs, path);
  };
  std::vector<bool> happened(lines.size() / 2);
  for (std::size_t k = happened.size(); k-- > 0;) {
    const std::string& newPath = lines[2 * k];
    const std::string& oldPath = lines[2 * k + 1];
    if (newPath == oldPath) {
      happened[k] = present(newPath);
      claimAt[newPath] = k;
      continue;
    }
    if (IsCaseChangeTemporary(oldPath)) {
      // The second step of a case change (new <- temporary). Cut short between its steps,
      // the change is finished now, or else put back, so no item stays hidden under the
      // temporary name.
      const std::string* before = k > 0 && lines[2 * (k - 1)] == oldPath ? &lines[2 * (k - 1) + 1] : nullptr;
      bool atNew = presentExactly(newPath), atTemporary = presentExactly(oldPath);
      // Where renames cannot refuse to replace, a step's name is reserved first (an empty
      // entry, recorded as a claim): a reservation the cut left is no item, and goes.
      const auto dropClaim = [&](const std::string& path) {
        const auto claim = claimAt.find(path);
        if (claim == claimAt.end() || !RemoveEmptyClaim(fs, path)) return false;
        happened[claim->second] = false;
        listed.forget();
        return true;
      };
      if (atTemporary && atNew && dropClaim(newPath)) atNew = false;
      if (atTemporary && before && presentExactly(*before) && dropClaim(oldPath)) atTemporary = false;
      if (atTemporary && !atNew && before) {
        if (fs.rename(oldPath, newPath) == platform::RenameStatus::Renamed)
          atNew = true, atTemporary = false;
        else if (fs.rename(oldPath, *before) == platform::RenameStatus::Renamed)
          atTemporary = false;
        listed.forget();
      }
      happened[k] = atNew && !atTemporary;
    } else if (IsCaseChangeTemporary(newPath)) {
      happened[k] = presentExactly(newPath);  // the first step (temporary <- old)
    } else {
      happened[k] = !leftLater.count(oldPath) && (present(newPath) || !present(oldPath));
    }
    if (!happened[k]) continue;
    seen[newPath] = false;
    seen[oldPath] = true;
    leftLater.erase(newPath);  // an earlier pair's item may have left this name before
    leftLater.insert(oldPath);
  }
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (std::size_t k = 0; k < happened.size(); ++k) {
    if (!happened[k]) continue;
    out.push_back(std::move(lines[2 * k]));
    out.push_back(std::move(lines[2 * k + 1]));
  }
  return out;
}

// The steps of an undo's journal after its mark: a pair (tmp, from), followed by (to, tmp)
// unless the step to `to` was refused (the item then goes back). A pair of one name twice
// is a claim, which the log's own pair settles when undo replays it.
bool SettleUndoSteps(platform::FileSystem& fs, const std::string& folder, const std::string& journal,
                     const std::vector<std::string>& lines) {
  RollbackLog stranded;
  std::vector<std::string_view> claims;
  for (std::size_t k = 1; 2 * k + 1 < lines.size(); ++k) {
    const std::string& tmp = lines[2 * k];
    const std::string& from = lines[2 * k + 1];
    if (tmp == from) {
      claims.push_back(tmp);
      continue;
    }
    const bool onward = 2 * k + 3 < lines.size() && lines[2 * k + 3] == tmp;
    const std::string* to = onward ? &lines[2 * k + 2] : nullptr;
    k += onward;
    if (!fs.entryStatus(tmp).present()) continue;
    if (to && fs.rename(tmp, *to) == platform::RenameStatus::Renamed) continue;
    if (fs.rename(tmp, from) == platform::RenameStatus::Renamed) continue;
    stranded.add(tmp, from);
  }
  // An undo cut short after it claimed an old name, before its item moved onto it: the
  // item is still at the new name its pair in the log gives, and the empty claim goes.
  if (!claims.empty()) {
    if (const auto log = fs.readFile(folder + kRollbackLogName)) {
      const std::vector<std::string> entries = SplitLines(*log);
      for (std::size_t j = 0; j + 1 < entries.size(); j += 2)
        if (std::find(claims.begin(), claims.end(), entries[j + 1]) != claims.end() && entries[j] != entries[j + 1] &&
            fs.entryStatus(entries[j]).present())
          RemoveEmptyClaim(fs, entries[j + 1]);
    }
  }
  if (!stranded.empty()) {
    // Added after the log's pairs: the next undo replays it first, before the pair that
    // brings the item from `from` further back.
    const std::string logPath = folder + kRollbackLogName;
    std::optional<std::string> log = fs.exists(logPath) ? fs.readFile(logPath) : std::string();
    if (!log) return false;
    if (!log->empty() && log->back() != '\n' && log->back() != '\r') log->append("\r\n");
    if (!fs.writeFileAtomic(logPath, *log + stranded.text(), true)) return false;
  }
  fs.removeFile(journal);
  return !stranded.empty();
}
}  // namespace

namespace {
// Whether a log is the one the run of this journal wrote: its pairs are pairs of the journal,
// in the journal's order (the journal may hold more: pairs planned whose renames never
// happened, the steps of a case change).
bool IsLogOfJournal(std::string_view log, const std::vector<std::string>& journal) {
  const std::vector<std::string> pairs = SplitLines(log);
  std::vector<std::string_view> own;
  for (const std::string& line : pairs)
    if (!line.empty()) own.push_back(line);
  if (own.empty() || own.size() % 2) return false;
  std::size_t k = 0;
  for (std::size_t j = 0; j + 1 < journal.size() && k < own.size(); j += 2)
    if (journal[j] == own[k] && journal[j + 1] == own[k + 1]) k += 2;
  return k == own.size();
}
}  // namespace

bool RemoveEmptyClaim(platform::FileSystem& fs, const std::string& path) {
  const platform::EntryStatus status = fs.entryStatus(path);
  if (status.kind == platform::EntryStatus::Kind::RegularFile) return status.size == 0 && fs.removeFile(path);
  if (status.kind != platform::EntryStatus::Kind::Directory) return false;
  const auto entries = fs.readFolder(path);
  return entries && entries->empty() && fs.removeFolder(path);
}

bool RecoverJournal(platform::FileSystem& fs, const std::string& programFolder, bool* kept) {
  const std::string folder = ProgramFolderWithSeparator(programFolder);
  const std::string journal = folder + kJournalName;
  if (!fs.exists(journal) || !fs.isUnlocked(journal)) return false;
  // Hold the lock while converting, so two starting instances do not both take it.
  auto lock = fs.openLockedAppend(journal);
  if (!lock) return false;
  const auto keep = [kept] {
    if (kept) *kept = true;
    return false;
  };
  auto content = fs.readFile(journal);
  if (!content) return keep();
  // Names never hold a NUL: the journal's records end before its first one (a killed run
  // leaves the zero bytes reserved past its last record). Every record ends in CR LF:
  // bytes after the last one are a record cut short.
  content->resize(std::min(content->size(), content->find('\0')));
  const std::size_t end = content->rfind("\r\n");
  content->resize(end == std::string::npos ? 0 : end + 2);
  std::vector<std::string> lines;
  for (auto& line : SplitLines(*content))
    if (!line.empty()) lines.push_back(std::move(line));
  if (lines.size() % 2) lines.pop_back();
  if (!lines.empty() && lines[0] == kUndoMark) {
    const bool stranded = SettleUndoSteps(fs, folder, journal, lines);
    if (fs.exists(journal)) return keep();  // the log could not take what stays stranded
    return stranded;
  }
  // A run cut short after it wrote its log and before it removed its journal: the log holds
  // the run already, and the journal goes (the run is not kept twice).
  if (const auto log = fs.readFile(folder + kRollbackLogName); log && IsLogOfJournal(*log, lines)) {
    fs.removeFile(journal);
    return false;
  }
  lines = HappenedPairs(fs, std::move(lines));
  // The last saved run stays in the undo history, before the interrupted one.
  if (!lines.empty()) KeepCurrentLog(fs, programFolder, kKeptRunsLimit);
  if (!lines.empty() && !fs.writeFileAtomic(folder + kRollbackLogName, JoinLinesCrLf(lines), true)) return keep();
  fs.removeFile(journal);
  return !lines.empty();
}

std::string JournalRefusal(JournalState state, const std::string& journalPath, bool undo) {
  if (state == JournalState::Busy && undo)
    return engine::FillText(VELMORA_TEXT("Core", "Another rename run is using the program folder (its journal '%1' is "
                                                 "locked): nothing was restored. Try again when it has ended."),
                            {journalPath});
  if (state == JournalState::Kept)
    return engine::FillText(VELMORA_TEXT("Core", "The journal '%1' of an earlier run could not be made its rollback log "
                                                 "(is the disk full?). It is kept as it is, and nothing was done: free "
                                                 "some room and try again, and undo can then reverse that run."),
                            {journalPath});
  if (state == JournalState::Busy)
    return engine::FillText(VELMORA_TEXT("Core", "Another rename run is using the program folder (its journal '%1' is "
                                                 "locked): nothing was renamed. Try again when it has ended."),
                            {journalPath});
  return engine::FillText(VELMORA_TEXT("Core", "The journal '%1' cannot be opened for writing (read-only or full disk, "
                                               "or not a regular file): nothing was renamed, since no rename could be "
                                               "undone."),
                          {journalPath});
}

std::string JournalWriteFailure(const std::string& journalPath, std::size_t renamed) {
  if (renamed == 0)
    return engine::FillText(VELMORA_TEXT("Core", "The journal '%1' could not be written (is the disk full?): the run "
                                                 "stopped before its first rename, and nothing was renamed."),
                            {journalPath});
  if (renamed == 1)
    return engine::FillText(VELMORA_TEXT("Core", "The journal '%1' could not be written (is the disk full?): the run "
                                                 "stopped before its next rename. The item renamed before is recorded, "
                                                 "and undo reverses it."),
                            {journalPath});
  return engine::FillText(VELMORA_TEXT("Core", "The journal '%1' could not be written (is the disk full?): the run "
                                               "stopped before its next rename. The %2 items renamed before are "
                                               "recorded, and undo reverses them."),
                          {journalPath, std::to_string(renamed)});
}

}  // namespace velmora::batch
