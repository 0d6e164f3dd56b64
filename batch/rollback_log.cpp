#include "batch/rollback_log.h"

#include "batch/program_files.h"

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

bool SaveRollbackLog(platform::FileSystem& fs, const std::string& programFolder, const RollbackLog& log) {
  const std::string folder = ProgramFolderWithSeparator(programFolder);
  fs.makeFolders(programFolder);
  const bool saved = fs.writeFileAtomic(folder + kRollbackLogName, JoinLinesCrLf(log.entries()), true);
  return saved;
}

RunJournal::RunJournal(platform::FileSystem& fs, std::string programFolder)
    : fs_(fs), folder_(std::move(programFolder)), path_(ProgramFolderWithSeparator(folder_) + kJournalName) {}

void RunJournal::intend(const std::string& newPath, const std::string& oldPath) {
  if (failed_) return;
  if (!handle_) {
    RecoverJournal(fs_, folder_);  // a journal an interrupted run left behind becomes the log first
    handle_ = fs_.openLockedAppend(path_);
    if (!handle_ || !handle_->truncateTo(0)) {
      handle_.reset();
      failed_ = true;  // another instance runs: its journal stays its own
      return;
    }
  }
  record_.clear();
  record_.append(newPath).append("\r\n").append(oldPath).append("\r\n");
  sizeBefore_ = size_;
  if (handle_->append(record_)) size_ += record_.size();
}

void RunJournal::withdraw() {
  if (handle_ && size_ != sizeBefore_ && handle_->truncateTo(sizeBefore_)) size_ = sizeBefore_;
}

void RunJournal::finish() {
  if (handle_) handle_->sync();
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
  std::vector<std::string> lines;
  for (auto& line : SplitLines(*content))
    if (!line.empty()) lines.push_back(std::move(line));
  if (lines.size() % 2) lines.pop_back();  // a torn last record
  if (!lines.empty() && !fs.writeFileAtomic(folder + kRollbackLogName, JoinLinesCrLf(lines), true))
    return false;
  fs.removeFile(journal);
  return !lines.empty();
}

}  // namespace velmora::batch
