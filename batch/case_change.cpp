// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/case_change.h"

#include <atomic>

#include "batch/rollback_log.h"
#include "engine/name_model.h"

namespace velmora::batch {

bool DiffersOnlyInCase(const platform::CodePage& codePage, std::string_view oldPath, std::string_view newPath) {
  const std::size_t oldStart = engine::NameStart(oldPath), newStart = engine::NameStart(newPath);
  if (oldPath.substr(0, oldStart) != newPath.substr(0, newStart)) return false;
  const std::string_view oldName = oldPath.substr(oldStart), newName = newPath.substr(newStart);
  // Names that start with ASCII bytes apart in any case differ in more than case: asked of
  // every rename, this answers most without the whole comparison.
  const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  if (!oldName.empty() && !newName.empty() && static_cast<unsigned char>(oldName[0]) < 0x80 &&
      static_cast<unsigned char>(newName[0]) < 0x80 && fold(oldName[0]) != fold(newName[0]))
    return false;
  return !oldName.empty() && oldName != newName && codePage.equalsNoCase(oldName, newName);
}

namespace {
constexpr std::string_view kTemporaryStart = ".velmora-case-";
}

bool ExactNames::holds(platform::FileSystem& fs, const std::string& path) {
  const std::size_t start = engine::NameStart(path);
  if (folder_.size() != start || path.compare(0, start, folder_) != 0) {
    folder_.assign(path, 0, start);
    names_.clear();
    std::string folder = folder_;
    if (folder.size() > 1 && platform::IsSeparator(folder.back()) && !platform::IsRootPath(folder)) folder.pop_back();
    if (const auto listing = fs.sharedFolder(folder))
      for (const platform::DirEntry& e : *listing) names_.insert(e.name);
  }
  return names_.count(path.substr(start)) != 0;
}

bool IsCaseChangeTemporary(std::string_view path) {
  return path.substr(engine::NameStart(path)).starts_with(kTemporaryStart);
}

std::string CaseChangeTemporary(std::string_view path, unsigned attempt) {
  // Numbers from one counter of the process, so two case changes never pick the same one.
  static std::atomic<unsigned> next{0};
  const unsigned n = next.fetch_add(1) + attempt;
  std::string tmp(path.substr(0, engine::NameStart(path)));
  return tmp.append(kTemporaryStart).append(std::to_string(n));
}

std::optional<CaseChangeResult> ChangeCase(platform::FileSystem& fs, RunJournal* journal, const RenameByPath& rename,
                                           const std::string& oldPath, const std::string& newPath) {
  constexpr unsigned kAttempts = 100;
  CaseChangeResult result;
  std::string tmp;
  for (unsigned attempt = 0; attempt < kAttempts && tmp.empty(); ++attempt) {
    std::string candidate = CaseChangeTemporary(newPath, attempt);
    // A temporary name taken already is passed over before anything is journalled.
    if (fs.exists(candidate)) continue;
    const std::uint64_t start = journal ? journal->size() : 0;
    if (journal) {
      if (!journal->intend(candidate, oldPath) || !journal->intend(newPath, candidate) || !journal->sync())
        return std::nullopt;
    }
    result.status = rename(oldPath, candidate);
    if (result.status == platform::RenameStatus::Renamed) {
      tmp = std::move(candidate);
    } else {
      // Both pairs go: the temporary name may hold another's entry, never to be moved.
      if (journal) journal->cutBack(start);
      if (result.status != platform::RenameStatus::TargetExists) return result;
    }
  }
  if (tmp.empty()) return result;
  result.status = rename(tmp, newPath);
  if (result.status == platform::RenameStatus::Renamed) return result;
  if (journal) journal->withdraw();
  // Another entry has the new name: the item goes back, and the refusal stands.
  if (rename(tmp, oldPath) != platform::RenameStatus::Renamed) result.strandedAt = tmp;
  return result;
}

}  // namespace velmora::batch
