// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/name_history.h"

#include <algorithm>

#include "batch/program_files.h"
#include "batch/rollback_log.h"

namespace velmora::batch {

namespace {
char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

int ClampMaximum(int maximum) { return std::clamp(maximum, 0, kHistoryMaximumLimit); }
}  // namespace

bool SameHistoryText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

std::vector<std::string> ParseHistory(const std::string& content) { return SplitLines(content); }

NameHistory::NameHistory(platform::FileSystem& fs, const std::string& programFolder, int maximum)
    : fs_(fs),
      folder_(programFolder),
      path_(ProgramFolderWithSeparator(programFolder) + kHistoryName),
      maximum_(ClampMaximum(maximum)) {}

void NameHistory::setMaximum(int maximum) { maximum_ = ClampMaximum(maximum); }

bool NameHistory::load() {
  if (!fs_.exists(path_)) return false;
  auto content = fs_.readFile(path_);
  if (!content) return false;
  master_ = ParseHistory(*content);
  copies_ = master_;
  return true;
}

void NameHistory::cutToMaximum() {
  if (master_.size() > static_cast<std::size_t>(maximum_)) master_.resize(static_cast<std::size_t>(maximum_));
}

bool NameHistory::write() {
  fs_.makeFolders(folder_);
  return fs_.writeFileAtomic(path_, JoinLinesCrLf(master_), false);
}

void NameHistory::add(const std::string& text) {
  // One entry per line: a text with a line break would come back as two entries.
  if (text.find_first_of("\r\n") != std::string::npos) return;
  const std::vector<std::string> before = master_;
  std::erase_if(master_, [&](const std::string& entry) { return SameHistoryText(entry, text); });
  master_.insert(master_.begin(), text);
  if (maximum_ == 0) {
    if (fs_.exists(path_)) fs_.removeFile(path_);
    master_.clear();
    return;  // the file is gone, so the copies keep what they held
  }
  cutToMaximum();
  // The text was first already (a run repeated): the file stays as it is, unwritten.
  if (master_ == before && fs_.exists(path_)) {
    copies_ = master_;
    return;
  }
  // Reload only what was really written: when the write failed, reading the file back
  // would throw the new entry away again.
  if (!write() || !load()) copies_ = master_;
}

void NameHistory::shorten(int newMaximum) {
  setMaximum(newMaximum);
  cutToMaximum();
  write();
  copies_ = master_;
}

int NameHistory::saveEdited(const std::vector<std::string>& lines) {
  std::vector<std::string> kept;
  for (const auto& line : lines)
    if (!line.empty()) kept.push_back(line);
  master_ = std::move(kept);
  if (master_.empty()) {
    if (fs_.exists(path_)) fs_.removeFile(path_);
  } else {
    write();
  }
  copies_ = master_;
  if (master_.size() > static_cast<std::size_t>(maximum_))
    setMaximum(static_cast<int>(std::min<std::size_t>(master_.size(), kHistoryMaximumLimit)));
  return maximum_;
}

void NameHistory::clear() {
  if (fs_.exists(path_)) fs_.removeFile(path_);
  master_.clear();
  copies_.clear();
}

std::vector<std::string> NewNameTexts(const engine::OperationRecord& record) {
  using engine::OperationKind;
  std::vector<std::string> texts;
  auto take = [&texts](bool inUse, const std::string& text) {
    if (inUse && !text.empty()) texts.push_back(text);
  };
  switch (record.kind) {
    case OperationKind::Insert:
      if (record.insertMode == engine::InsertMode::InsertAtPosition) {
        take(record.atHead, record.headText);
        take(record.atEnd, record.endText);
        take(record.atCursor, record.cursorText);
      } else {
        take(true, record.insertText);
      }
      break;
    case OperationKind::Replace:
      take(true, record.newText);
      break;
    case OperationKind::Change:
      take(record.changeMode == engine::ChangeMode::ChangeFullName, record.newName);
      break;
    default:
      break;
  }
  return texts;
}

void RecordNewNames(NameHistory& history, const engine::OperationRecord& record) {
  for (const auto& text : NewNameTexts(record)) history.add(text);
}

bool ClearHistory(NameHistory& history, Messages& messages) {
  if (messages.confirm(kClearHistoryTitle, kClearHistoryQuestion, Buttons::YesNo) != Answer::Yes) return false;
  history.clear();
  return true;
}

}  // namespace velmora::batch
