// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The batch run: every item of a target through the rules, each new name checked,
// cleaned, numbered on a collision and renamed (or recorded as a preview row), every
// rename recorded in the rollback log and the run journal.

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "batch/interfaces.h"
#include "batch/item_order.h"
#include "batch/rollback_log.h"
#include "batch/target_walk.h"
#include "engine/apply_operation.h"

namespace velmora::batch {

enum class RunMode { Rename, Preview };

/// One renamed item or one preview row: the same record serves the log, the CLI, the
/// progress window and the preview list.
struct RenamePair {
  std::string oldPath;
  std::string newPath;
};

inline constexpr const char* kNothingRenamedMessage = VELMORA_NOOP(
    "Core", "No filename had been changed,please check input text and \nmake sure that the targeted files can be renamed.");
inline constexpr const char* kNoRowsFiller = VELMORA_NOOP("Core", "(No filename will be renamed)");
inline constexpr const char* kMoreRowsFiller = VELMORA_NOOP("Core", "(Others not shown...)");

/// An item the run left alone although its rules gave it a new name: the file system refused
/// the rename, or a name holds a line break that the rollback log cannot record.
struct SkippedItem {
  std::string oldPath;
  std::string newPath;
  std::string reason;
};

/// The reason given for a name with a line break.
inline constexpr const char* kLineBreakReason = "the name holds a line break, which the rollback log cannot record";

/// A preview row; a filler row has only its old column.
struct PreviewRow {
  std::string oldName;
  std::string newName;
  bool filler = false;
};

struct RunRequest {
  engine::OperationRecord record;
  TargetSet target;
  RunMode mode = RunMode::Rename;
  int startNumber = 1;     ///< the ordinal every directory starts from
  int previewCount = 20;   ///< rows a preview computes
  bool withProgress = false;  ///< the progress window shows this run
  ItemOrder order{};       ///< the order of each directory's items (and of the hand-picked list)
};

class BatchRun {
 public:
  BatchRun(platform::FileSystem& fs, const platform::CodePage& codePage, Messages& messages,
           RunHooks& hooks, StopFlag& stop, engine::SpecialStringExpander& expander);

  /// Attaches the journal that receives each rename as it happens (real runs only).
  void setJournal(RunJournal* journal) { journal_ = journal; }

  /// Walks the target and processes every item. A preview ends with its filler row.
  void execute(const RunRequest& request);

  /// The last check of a new full path; shows its message and answers false when refused.
  bool newPathCheck(const std::string& newPath);

  const RollbackLog& log() const { return log_; }
  RollbackLog& log() { return log_; }
  /// The renames of the run, in order (read from the log, which holds them once).
  std::vector<RenamePair> renamed() const;
  const std::vector<PreviewRow>& previewRows() const { return rows_; }
  /// The items left alone, in the order the run came to them.
  const std::vector<SkippedItem>& skipped() const { return skipped_; }
  /// True when the journal refused the run or failed in it; its message was shown.
  bool journalFailed() const { return journalFailed_; }
  std::int32_t ordinal() const { return ordinal_; }

 private:
  void itemLoop(const ItemList& items);
  void applyOperationToItem(const engine::Item& item);
  void renamePerformer(const std::string& oldPath, std::string newPath);
  /// Holds the folder with this path prefix (its folder part, separator included) open for
  /// the renames of a real run; "" closes it.
  void openFolder(std::string prefix);
  /// A rename within the open folder by name, any other by path.
  platform::RenameStatus renameItem(const std::string& from, const std::string& to);
  /// The journal could not take a pair: the run stops before that rename.
  void journalStopped();
  void skip(const std::string& oldPath, const std::string& newPath, std::string reason);
  void addPreviewRow(const std::string& oldPath, std::string newPath);
  /// Whether a preview row may not take a path: an earlier row took it, or it exists and
  /// no earlier row's item leaves it.
  bool takenInPreview(const std::string& path);
  /// A preview path as the system compares names.
  std::string previewKey(const std::string& path) const;
  bool handPicked() const { return !request_->target.isFolderMode(); }

  platform::FileSystem& fs_;
  const platform::CodePage& codePage_;
  Messages& messages_;
  RunHooks& hooks_;
  StopFlag& stop_;
  engine::SpecialStringExpander& expander_;
  RunJournal* journal_ = nullptr;
  std::unique_ptr<platform::OpenFolder> folder_;
  std::string folderPrefix_;
  engine::Item item_;  ///< the item at hand, its path built in place from its folder and name

  const RunRequest* request_ = nullptr;
  std::int32_t ordinal_ = 1;
  RollbackLog log_;
  std::vector<PreviewRow> rows_;
  std::unordered_set<std::string> promisedPaths_;  ///< new full paths of the preview's rows
  std::unordered_set<std::string> freedPaths_;     ///< old full paths of the preview's rows
  /// For a new path found taken: the last number tried for it, so the next item that
  /// collides goes on from there instead of probing every number again.
  std::unordered_map<std::string, int> lastNumbers_;
  std::vector<SkippedItem> skipped_;
  bool journalFailed_ = false;
};

}  // namespace velmora::batch
