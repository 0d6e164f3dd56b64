// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rename that changes only the case of a name ("IMG.JPG" -> "IMG.jpg"). Where names
// ignore case (FAT and exFAT cards, SMB shares) the new spelling already names the item
// itself, so a rename that never replaces refuses it. It goes through a short temporary
// name of its own instead, both steps in the journal before either happens, so a run killed
// between them is undone like any other.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace velmora::batch {

class RunJournal;

/// Whether an entry is spelt exactly as a path's name: where names ignore case, asking for a
/// path finds its entry in any spelling, and only the folder's listing tells. The names of
/// one folder are kept at a time, so many names of one folder read its listing once.
class ExactNames {
 public:
  bool holds(platform::FileSystem& fs, const std::string& path);
  /// The folder changed (a rename in it): its listing is read again when next asked.
  void forget() { folder_.assign(1, '\0'); }

 private:
  std::string folder_ = std::string(1, '\0');  ///< the folder (its prefix) of names_; none at first
  std::unordered_set<std::string> names_;
};

/// Whether two paths name one entry of one folder in spellings that differ only in case,
/// with the code page's case mapping.
bool DiffersOnlyInCase(const platform::CodePage& codePage, std::string_view oldPath, std::string_view newPath);

/// The temporary path of a case change: a short hidden name in the folder of path, so it
/// fits whatever the length of the name it stands for. attempt makes another one.
std::string CaseChangeTemporary(std::string_view path, unsigned attempt);
/// Whether the path names a temporary name of a case change.
bool IsCaseChangeTemporary(std::string_view path);

/// What became of a case change.
struct CaseChangeResult {
  platform::RenameStatus status = platform::RenameStatus::Failed;
  /// Set when the item could not be put back and stays under the temporary path: the run
  /// records that pair, so undo brings it back.
  std::string strandedAt;
};

using RenameByPath = std::function<platform::RenameStatus(const std::string& from, const std::string& to)>;

/// The case change oldPath -> newPath through a temporary path: the pairs (temporary <-
/// old) and (new <- temporary) go to the journal and are synced first, then both renames
/// follow. When the second is refused (another entry has the new name, on a file system
/// that tells case apart) the item goes back to its old name and the refusal is returned.
/// Nothing when the journal could not take the pairs: then nothing was renamed.
std::optional<CaseChangeResult> ChangeCase(platform::FileSystem& fs, RunJournal* journal, const RenameByPath& rename,
                                           const std::string& oldPath, const std::string& newPath);

}  // namespace velmora::batch
