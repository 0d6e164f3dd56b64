// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/rollback_log.h"

#include "batch/program_files.h"
#include "batch/undo_history.h"
#include "engine/core_text.h"

#include <algorithm>

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
  RecoverJournal(fs_, folder_);  // a journal an interrupted run left behind becomes the log first
  platform::LockFailure why = platform::LockFailure::None;
  handle_ = fs_.openLockedAppend(path_, &why);
  if (!handle_) return why == platform::LockFailure::Locked ? JournalState::Busy : JournalState::Unusable;
  if (!handle_->truncateTo(0)) {
    handle_.reset();
    return JournalState::Unusable;
  }
  size_ = sizeBefore_ = 0;
  failed_ = false;
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

void RunJournal::sync() {
  if (handle_) handle_->sync();
}

bool RunJournal::sealAsLog(const RollbackLog& log) {
  if (!handle_ || log.empty()) return false;
  // The journal took each pair of the log in the log's order, and lost every pair withdrawn:
  // its bytes are the log's exactly when its size is.
  if (log.text().size() != size_ || !handle_->sealAs(ProgramFolderWithSeparator(folder_) + kRollbackLogName)) return false;
  handle_.reset();
  return true;
}

void RunJournal::discard() {
  if (!handle_) return;
  fs_.removeFile(path_);  // removed while still locked, so nobody takes it over meanwhile
  handle_.reset();
}

bool RecoverJournal(platform::FileSystem& fs, const std::string& programFolder) {
  const std::string folder = ProgramFolderWithSeparator(programFolder);
  const std::string journal = folder + kJournalName;
  if (!fs.exists(journal) || !fs.isUnlocked(journal)) return false;
  // Hold the lock while converting, so two starting instances do not both take it.
  auto lock = fs.openLockedAppend(journal);
  if (!lock) return false;
  auto content = fs.readFile(journal);
  if (!content) return false;
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
  // The last saved run stays in the undo history, before the interrupted one.
  if (!lines.empty()) KeepCurrentLog(fs, programFolder, kKeptRunsLimit);
  if (!lines.empty() && !fs.writeFileAtomic(folder + kRollbackLogName, JoinLinesCrLf(lines), true))
    return false;
  fs.removeFile(journal);
  return !lines.empty();
}

std::string JournalRefusal(JournalState state, const std::string& journalPath) {
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
  return engine::FillText(VELMORA_TEXT("Core", "The journal '%1' could not be written (is the disk full?): the run "
                                               "stopped before its next rename. The %2 items renamed before are "
                                               "recorded, and undo reverses them."),
                          {journalPath, std::to_string(renamed)});
}

}  // namespace velmora::batch
