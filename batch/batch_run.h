// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The batch run: every item of a target through the rules, each new name checked,
// cleaned, numbered on a collision and renamed (or recorded as a preview row), every
// rename recorded in the rollback log and the run journal.

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "batch/case_change.h"
#include "batch/collision_numbering.h"
#include "batch/interfaces.h"
#include "batch/item_result.h"
#include "batch/item_order.h"
#include "batch/path_marks.h"
#include "batch/rollback_log.h"
#include "batch/sidecars.h"
#include "batch/target_walk.h"
#include "engine/apply_operation.h"
#include "engine/name_pattern.h"

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

/// A preview row; a filler row has only its old column.
struct PreviewRow {
  std::string oldName;
  std::string newName;
  bool filler = false;
  bool numbered = false;  ///< the new name got "(n)" because its name was taken
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
  /// Renames these pairs as given (old path, new path) instead of walking the target, each
  /// journalled and recorded as a run's renames are, none numbered: a taken new name refuses
  /// its item. The request gives the mode and the hooks' view.
  void executePairs(const RunRequest& request, const std::vector<RenamePair>& pairs);

  /// The last check of a new full path; shows its message and answers false when refused.
  bool newPathCheck(const std::string& newPath) { return !newPathRefusal(newPath); }
  /// The same check, answering why the path is refused (nothing when it passes).
  const char* newPathRefusal(const std::string& newPath);

  const RollbackLog& log() const { return log_; }
  RollbackLog& log() { return log_; }
  /// The renames of the run, in order (read from the log, which holds them once).
  std::vector<RenamePair> renamed() const;
  const std::vector<PreviewRow>& previewRows() const { return rows_; }
  std::vector<PreviewRow>& previewRows() { return rows_; }
  /// The items left alone or refused, in the order the run came to them.
  const std::vector<SkippedItem>& skipped() const { return skipped_; }
  std::vector<SkippedItem>& skipped() { return skipped_; }
  /// How many items came to each status.
  const StatusCounts& counts() const { return counts_; }
  /// True when the journal refused the run or failed in it; its message was shown.
  bool journalFailed() const { return journalFailed_; }
  std::int32_t ordinal() const { return ordinal_; }
  /// Candidates the collision numbering handed out: the cost of numbering.
  std::size_t numberingProbes() const { return numbering_.handedOut(); }

 private:
  void reset();
  /// Takes a list of items from the walk. A real run gathers the lists of several folders
  /// before renaming them in order, so that one group of planned renames (one sync of the
  /// journal) spans folders; any other run goes through each list at once.
  void handOver(ItemList& items);
  /// Goes through the lists gathered, in order, then lets them go.
  void runLists();
  /// The items of one gathered list, in order.
  void listLoop(std::size_t list);
  struct PlannedItem;
  /// The rules, then the rename or the row, for one item; a planned item brings its outcome.
  void applyOperationToItem(const engine::Item& item, PlannedItem* planned = nullptr);
  // The steps of one item whose rules gave it a new name: checks, clean-up, then either
  // numbering against the preview's promised names or the numbered, journalled rename.
  void renamePerformer(const std::string& oldPath, std::string newPath);
  const char* refusal(const std::string& oldPath, const std::string& newPath);
  void cleanUp(const std::string& oldPath, std::string& newPath) const;
  void planRow(const std::string& oldPath, std::string newPath);
  void renameNumbered(const std::string& oldPath, std::string newPath);
  /// The journalled rename of one candidate: its pair recorded first, withdrawn when the
  /// rename does not happen. Nothing when the journal stopped the run.
  /// `firstName`: the cleaned new name itself, before any number.
  /// `besidePlan`: a rename the group's plan never held (a sidecar's), made without
  /// dropping the plan.
  std::optional<platform::RenameStatus> commitRename(const std::string& oldPath, const std::string& newPath,
                                                     bool firstName = false, bool besidePlan = false);
  /// The item at index i of a folder's items, as the loop takes it, and its kind: Missing
  /// when it is passed over (picked before, vanished, a webpage folder). Hand-picked paths
  /// reached are added to `picked`; with isKnown the kind is `known`, not asked again.
  platform::EntryKind takeItem(const ItemList& items, std::size_t i, engine::Item& item, platform::EntryKind known,
                               std::unordered_set<std::string>& picked, bool isKnown);
  /// Plans the renames of the next group of items, from index `from` of the gathered list
  /// `list` on and into the lists after it, the way the run will make them, and makes their
  /// pairs durable in the journal together.
  void planGroup(std::size_t list, std::size_t from);
  /// The same for given pairs, from index `from` on.
  void planPairs(const std::vector<RenamePair>& pairs, std::size_t from);
  /// The new path a planned rename takes: the candidate the numbering will hand out and the
  /// rename accept, seen from the disk with the group's renames before it made. Null when
  /// none is expected to be free.
  struct HandedList;
  const std::string* plannedTarget(HandedList& list, const std::string& oldPath, const std::string& newPath,
                                   CollisionNumbering::Candidates& candidates);
  /// Whether a path is taken once the group's renames planned so far are made.
  bool takenAhead(HandedList& list, const std::string& path);
  /// The planned group's pairs no longer hold: the run renames on without them. What the
  /// rules gave the items not reached yet is kept for the next group.
  void dropPlan();
  /// The end of a list of items: no plan, no outcome kept.
  void forgetPlan();
  /// A rename refused because the new spelling of the name is the item's own: the case
  /// change through a temporary name.
  std::optional<platform::RenameStatus> changeCase(const std::string& oldPath, const std::string& newPath);
  /// A renamed item: progress, main list, log, numbering, its result.
  void renamedItem(const std::string& oldPath, const std::string& newPath, ItemStatus status);
  void result(ItemStatus status, std::string_view oldPath, std::string_view newPath, std::string_view reason = {});
  /// Holds the folder with this path prefix (its folder part, separator included) open for
  /// the renames of a real run: the walk's open folder when given; "" closes it.
  void openFolder(std::string prefix, std::shared_ptr<platform::OpenFolder> open = nullptr);
  /// A rename within the open folder by name, any other by path.
  platform::RenameStatus renameItem(const std::string& from, const std::string& to);
  /// The journal could not take a pair: the run stops before that rename.
  void journalStopped();
  void skip(const std::string& oldPath, const std::string& newPath, std::string reason, ItemStatus status);
  void addPreviewRow(const std::string& oldPath, std::string newPath, ItemStatus status, bool countsNumber = true);
  /// With sidecarsFollow: the sidecars of a list's photos, found before any rename.
  void findSidecars(const ItemList& items, SidecarGroups& sidecars);
  /// Whether the item is a sidecar whose photo is an item of its list too.
  static bool FollowsItsPhoto(const SidecarGroups& sidecars, const engine::Item& item);
  /// The sidecars of a photo just renamed (or previewed) get its new base name, right after it.
  void followSidecars(const std::string& oldPhoto, const std::string& newPhoto);
  /// Whether a preview row of the item at oldPath may not take a path: an earlier row took
  /// it, or it exists, is not the item's own, and no earlier row's item leaves it.
  bool takenInPreview(const std::string& path, const std::string& oldPath);
  /// Whether the path is the item's own old path in another case, where names ignore case.
  bool ownNameInOtherCase(const std::string& path, const std::string& oldPath);
  /// Whether the folder's listing holds an entry spelt exactly as the path's name.
  bool listedExactly(const std::string& path);
  /// Whether an earlier preview row moved this path, or a folder above it, away.
  bool movedInPreview(std::string_view path);
  /// Whether a folder above this hand-picked path was renamed (or previewed) by this run.
  bool inRenamedFolder(std::string_view path);
  /// A preview path as the system compares names.
  std::string previewKey(const std::string& path) const;
  bool handPicked() const { return !request_->target.isFolderMode(); }
  bool renaming() const { return request_->mode == RunMode::Rename; }

  platform::FileSystem& fs_;
  const platform::CodePage& codePage_;
  Messages& messages_;
  RunHooks& hooks_;
  StopFlag& stop_;
  engine::SpecialStringExpander& expander_;
  RunJournal* journal_ = nullptr;
  std::shared_ptr<platform::OpenFolder> folder_;
  std::string folderPrefix_;
  std::unique_ptr<engine::RulePatterns> patterns_;  ///< the run's regular expressions
  engine::Item item_;  ///< the item at hand, its path built in place from its folder and name

  const RunRequest* request_ = nullptr;
  std::int32_t ordinal_ = 1;
  RollbackLog log_;
  std::vector<PreviewRow> rows_;
  std::unordered_set<std::string> pickedPaths_;    ///< the hand-picked paths reached so far
  std::unordered_set<std::string> renamedFolders_;  ///< the old paths of the hand-picked folders renamed
  std::unordered_set<std::string> promisedPaths_;  ///< new full paths of the preview's rows
  std::unordered_set<std::string> freedPaths_;     ///< old full paths of the preview's rows
  ExactNames listed_;  ///< the names of the folder a preview asked of last
  CollisionNumbering numbering_;
  // The group planned ahead: for each item its kind and what the rules gave it, used at the
  // item's turn (the rules run once an item), while the journal holds the group's pairs.
  struct PlannedItem {
    std::uint64_t position = 0;  ///< see Position
    std::int32_t ordinal = 0;  ///< the ordinal the rules were given
    platform::EntryKind kind = platform::EntryKind::Missing;
    engine::NewNameOutcome outcome;
    bool checked = false;  ///< the new name passed the checks and is cleaned up
  };
  std::vector<PlannedItem> plan_;
  std::vector<PlannedItem> keptPlan_;  ///< the planned items a new group starts from
  std::size_t planPos_ = 0;  ///< the next planned item to use
  std::uint64_t planEnd_ = 0;  ///< items before this position are planned (0: no plan holds)
  std::size_t groupSize_ = 0;
  PathMarks groupPaths_;  ///< the paths the group's planned renames leave and take
  /// A list handed over by the walk and not gone through yet, with its sidecars.
  struct HandedList {
    ItemList items;
    SidecarGroups sidecars;
    ListingIndex names;  ///< the names of a folder's listing, indexed when the plan first asks
  };
  std::vector<HandedList> lists_;
  std::size_t listedItems_ = 0;  ///< the items of lists_
  /// An item's place among the gathered lists, in their order: its list, then its index.
  static constexpr std::uint64_t Position(std::size_t list, std::size_t i) {
    return (static_cast<std::uint64_t>(list) << 32) | i;
  }
  SidecarGroups noSidecars_;
  const SidecarGroups* sidecars_ = &noSidecars_;  ///< those of the list at hand
  std::vector<SkippedItem> skipped_;
  StatusCounts counts_;
  bool journalFailed_ = false;
};

}  // namespace velmora::batch
