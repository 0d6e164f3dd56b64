// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_run.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>

#include "batch/case_change.h"
#include "engine/name_model.h"
#include "engine/name_pattern.h"

namespace velmora::batch {

using engine::Item;
using engine::OutcomeKind;

namespace {
/// The longest name (one path component) in bytes that file systems take.
constexpr std::size_t kMaxNameLength = 255;
/// The first group of renames planned ahead, and the most items one group takes: a group
/// doubles from each to the next, so a small run syncs its journal at once and a large one
/// about once in sixteen thousand renames (a sync of a disk's journal costs milliseconds).
constexpr std::size_t kFirstGroup = 8;
constexpr std::size_t kMaxGroup = 16384;
/// The most folders a real run gathers before renaming in them (each is held open).
constexpr std::size_t kMaxGatheredLists = 128;
/// The longest a group's planning goes on (the rules may read every file's tags): its
/// renames then follow without waiting longer.
constexpr auto kGroupPlanTime = std::chrono::milliseconds(100);
constexpr const char* kReservedNames[] = {"con", "aux", "com1", "lpt1", "prn", "nul"};

// The split of a new path for its clean-up and numbering: the last component cut at its
// last dot, for files and folders alike, so a number always goes before the extension.
struct NameSplit {
  std::string folder, base, ext;
};
NameSplit SplitNewPath(const std::string& path) {
  NameSplit s;
  s.folder = engine::FolderPart(path);
  std::string name = path.substr(s.folder.size());
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) {
    s.base = std::move(name);
  } else {
    s.base = name.substr(0, dot);
    s.ext = name.substr(dot);
  }
  return s;
}

// One pass over the bytes: a line break (or a NUL, where asked) makes a path unfit for the
// rollback log.
bool HoldsLineBreak(std::string_view path, bool orNul) {
  // First eight bytes at a time for any byte below 14 (NUL, LF and CR are): names almost
  // never hold one, and only then is each byte looked at.
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
  bool low = false;
  std::size_t i = 0;
  for (; i + 8 <= path.size() && !low; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, path.data() + i, 8);
    low = ((w - 14 * kOnes) & ~w & kHigh) != 0;
  }
  for (; i < path.size() && !low; ++i) low = static_cast<unsigned char>(path[i]) < 14;
  if (!low) return false;
  for (const char c : path)
    if (c == '\n' || c == '\r' || (orNul && c == '\0')) return true;
  return false;
}

// A folder's path without the separator its prefix ends in (a root keeps it).
std::string FolderOfPrefix(std::string folder) {
  if (folder.size() > 1 && platform::IsSeparator(folder.back()) && !platform::IsRootPath(folder)) folder.pop_back();
  return folder;
}

// The reserved names are all of three or four bytes: a longer base is none of them.
bool IsReservedBase(std::string_view path) {
  std::string_view base = path.substr(engine::NameStart(path));
  base = base.substr(0, base.rfind('.'));
  if (base.size() > 4) return false;
  for (const char* reserved : kReservedNames)
    if (base == reserved) return true;
  return false;
}

// Why a new path is refused, without a message: the same for a planned item and at its turn.
const char* RefusalReason(std::string_view newPath) {
  if (IsReservedBase(newPath)) return kReservedNameReason;
  // The limit is the name's: a long folder path is no reason to refuse a short name.
  if (newPath.size() - engine::NameStart(newPath) > kMaxNameLength) return kTooLongReason;
  return nullptr;
}
}  // namespace

BatchRun::BatchRun(platform::FileSystem& fs, const platform::CodePage& codePage, Messages& messages,
                   RunHooks& hooks, StopFlag& stop, engine::SpecialStringExpander& expander)
    : fs_(fs), codePage_(codePage), messages_(messages), hooks_(hooks), stop_(stop), expander_(expander) {}

void BatchRun::reset() {
  pickedPaths_.clear();
  renamedFolders_.clear();
  rows_.clear();
  promisedPaths_.clear();
  freedPaths_.clear();
  lists_.clear();
  listedItems_ = 0;
  sidecars_ = &noSidecars_;
  listed_.forget();
  numbering_.clear();
  skipped_.clear();
  counts_ = {};
  journalFailed_ = false;
  if (renaming() && journal_) {
    // No rename without its pair in the journal: a journal that cannot be opened or that
    // another run holds refuses the run before anything is renamed.
    const JournalState state = journal_->open();
    if (state != JournalState::Ready) {
      journalFailed_ = true;
      messages_.warning(JournalRefusal(state, journal_->path()), VELMORA_TEXT("Core", "Error"));
    } else {
      fs_.setClaimJournal(journal_);
    }
  }
}

void BatchRun::execute(const RunRequest& request) {
  request_ = &request;
  reset();
  if (journalFailed_) {
    request_ = nullptr;
    return;
  }
  // The regular expressions and the filters are compiled once for the whole run.
  patterns_ = engine::RulePatterns::For(request.record, codePage_);
  const std::optional<NameFilter> filter = NameFilter::For(request.record, codePage_);
  // A preview in the folder order reads only its first rows: they are put in order as read.
  const WalkOrder walkOrder =
      request.mode == RunMode::Preview && request.order == ItemOrder{} ? WalkOrder::OnDemand : WalkOrder::Sorted;
  Walk(fs_, request.target, stop_, [this](ItemList& items) { handOver(items); }, walkOrder,
       filter ? &*filter : nullptr);
  runLists();
  if (request.mode == RunMode::Preview) {
    if (rows_.empty())
      rows_.push_back({engine::TranslatedText("Core", kNoRowsFiller), {}, true});
    else if (stop_.isSet())
      rows_.push_back({engine::TranslatedText("Core", kMoreRowsFiller), {}, true});
  }
  if (journal_) journal_->finish();
  fs_.setClaimJournal(nullptr);
  patterns_.reset();
  request_ = nullptr;
}

void BatchRun::executePairs(const RunRequest& request, const std::vector<RenamePair>& pairs) {
  request_ = &request;
  reset();
  if (!journalFailed_) {
    if (request.withProgress) hooks_.progressStart(static_cast<int>(pairs.size()));
    for (std::size_t k = 0; k < pairs.size(); ++k) {
      const RenamePair& pair = pairs[k];
      if (stop_.isSet()) break;
      if (journal_ && renaming() && k >= planEnd_) {
        planPairs(pairs, k);
        if (journalFailed_) break;
      }
      // Given names were checked by whoever gave them; only what the log cannot hold is refused.
      if (HoldsLineBreak(pair.oldPath, false) || HoldsLineBreak(pair.newPath, true)) {
        skip(pair.oldPath, pair.newPath, kLineBreakReason, ItemStatus::LeftAlone);
        continue;
      }
      if (!renaming()) {
        addPreviewRow(pair.oldPath, pair.newPath, ItemStatus::Renamed);
        continue;
      }
      const auto status = commitRename(pair.oldPath, pair.newPath);
      if (!status) break;
      if (*status == platform::RenameStatus::Renamed)
        renamedItem(pair.oldPath, pair.newPath, ItemStatus::Renamed);
      else
        skip(pair.oldPath, pair.newPath,
             *status == platform::RenameStatus::TargetExists ? kTargetExistsReason : fs_.lastFailure(),
             ItemStatus::Refused);
    }
    forgetPlan();
    if (journal_) journal_->finish();
  }
  fs_.setClaimJournal(nullptr);
  request_ = nullptr;
}

std::vector<RenamePair> BatchRun::renamed() const {
  std::vector<RenamePair> out;
  out.reserve(log_.pairCount());
  log_.forEachPair([&](std::string_view newPath, std::string_view oldPath) {
    out.push_back({std::string(oldPath), std::string(newPath)});
  });
  return out;
}

void BatchRun::handOver(ItemList& items) {
  HandedList& handed = lists_.emplace_back();
  handed.items = request_->order == ItemOrder{} ? std::move(items) : OrderedItems(fs_, request_->order, items);
  if (!handed.items.unreadable) findSidecars(handed.items, handed.sidecars);
  listedItems_ += handed.items.size();
  // A real run plans across the folders gathered; each holds its open folder, so their
  // number is kept well below the limit of open files.
  const bool gathering = journal_ && renaming() && handed.items.listed();
  if (!gathering || listedItems_ >= kMaxGroup || lists_.size() >= kMaxGatheredLists) runLists();
}

void BatchRun::runLists() {
  for (std::size_t list = 0; list < lists_.size(); ++list) listLoop(list);
  forgetPlan();
  openFolder({});
  sidecars_ = &noSidecars_;
  lists_.clear();
  listedItems_ = 0;
}

void BatchRun::listLoop(std::size_t list) {
  const ItemList& items = lists_[list].items;
  if (items.unreadable) {
    // Its items are unknown: the folder is named, never passed over without a word.
    std::string folder = FolderOfPrefix(items.folderPart);
    std::string reason = kUnreadableFolderReason;
    if (!items.unreadable->empty()) reason.append(" (").append(*items.unreadable).append(")");
    skip(folder, {}, std::move(reason), ItemStatus::LeftAlone);
    return;
  }
  const std::size_t count = items.size();
  if (count == 0) return;
  // The items of a folder's listing all lie in that folder: the walk holds it open and they
  // are renamed in it by name.
  openFolder(items.folderPart, items.folder);
  sidecars_ = &lists_[list].sidecars;
  ordinal_ = request_->startNumber;
  if (renaming()) log_.reserve(count, 2 * items.path(0, item_.path).size() + 8);
  if (request_->withProgress) hooks_.progressStart(static_cast<int>(count));
  for (std::size_t i = 0; i < count; ++i) {
    if (stop_.isSet()) break;
    // The renames of a group of items are planned and their pairs synced before the first
    // of them: a power cut then never keeps a rename whose pair it lost.
    const std::uint64_t position = Position(list, i);
    if (journal_ && renaming() && position >= planEnd_) {
      planGroup(list, i);
      if (journalFailed_) break;
    }
    PlannedItem* planned = nullptr;
    while (planPos_ < plan_.size() && plan_[planPos_].position < position) ++planPos_;
    if (planPos_ < plan_.size() && plan_[planPos_].position == position) planned = &plan_[planPos_++];
    const platform::EntryKind kind = takeItem(items, i, item_, planned ? planned->kind : platform::EntryKind::Missing,
                                              pickedPaths_, planned != nullptr);
    if (kind != platform::EntryKind::Missing) applyOperationToItem(item_, planned);
  }
}

platform::EntryKind BatchRun::takeItem(const ItemList& items, std::size_t i, engine::Item& item,
                                       platform::EntryKind known, std::unordered_set<std::string>& picked,
                                       bool isKnown) {
  // The item's path is built in its reused buffer: no allocation per item.
  if (!items.listed()) {
    item.path = items.paths[i];
    // A path picked twice is one item, renamed once; in a preview, an item whose path (or
    // a folder above it) an earlier row moved is not there any more when the run reaches it.
    if (pickedPaths_.count(item.path) || !picked.insert(item.path).second) return platform::EntryKind::Missing;
    // Picked after its folder, which the run renamed: named at its turn, never passed over.
    const bool atTurn = &picked == &pickedPaths_;
    const bool moved = renaming() ? atTurn && inRenamedFolder(item.path) && !fs_.exists(item.path)
                                  : movedInPreview(item.path);
    if (moved) {
      if (atTurn && (renaming() || inRenamedFolder(item.path)))
        skip(item.path, {}, kInRenamedFolderReason, ItemStatus::LeftAlone);
      return platform::EntryKind::Missing;
    }
  }
  const std::string& path = items.path(i, item.path);
  // The item filter: files as they are, folders without a trailing separator and never
  // webpage folders, vanished items skipped. A folder's items were listed just now, so
  // the listing's kind stands; an item that vanished since fails its rename silently.
  platform::EntryKind kind = isKnown                     ? known
                             : !items.listed()           ? fs_.kind(path)
                             : items.entry(i).isDirectory ? platform::EntryKind::Directory
                                                          : platform::EntryKind::File;
  // A hand-picked link that points nowhere is an item all the same: the link itself.
  if (kind == platform::EntryKind::Missing && !isKnown && !items.listed() && fs_.isLink(path))
    kind = platform::EntryKind::File;
  item.isDirectory = kind == platform::EntryKind::Directory;
  if (item.isDirectory) {
    std::string& folder = item.path;
    if (folder.size() > 1 && platform::IsSeparator(folder.back()) && !platform::IsRootPath(folder)) folder.pop_back();
    if (IsWebpageFolder(platform::LastComponent(folder))) return platform::EntryKind::Missing;
  }
  return kind;
}

void BatchRun::planGroup(std::size_t list, std::size_t from) {
  dropPlan();
  // The items planned before and not reached yet keep what their rules gave: run again, the
  // rules would draw other random strings than the preview showed (and note tags twice).
  keptPlan_.clear();
  keptPlan_.insert(keptPlan_.end(), std::make_move_iterator(plan_.begin() + static_cast<std::ptrdiff_t>(planPos_)),
                   std::make_move_iterator(plan_.end()));
  plan_.clear();
  planPos_ = 0;
  std::size_t kept = 0;
  groupSize_ = groupSize_ == 0 ? kFirstGroup : std::min(2 * groupSize_, kMaxGroup);
  const auto deadline = std::chrono::steady_clock::now() + kGroupPlanTime;
  std::unordered_set<std::string> picked;
  engine::Item item;
  std::int32_t ordinal = ordinal_;
  std::size_t renames = 0, looked = 0, i = from;
  numbering_.beginTrial();
  // The group goes on into the lists after this one, each numbered from the start again.
  planEnd_ = Position(lists_.size(), 0);  // every gathered item, unless the group ends before
  for (bool ends = false; !ends && list < lists_.size(); ++list, i = 0, ordinal = request_->startNumber) {
    const ItemList& items = lists_[list].items;
    const std::size_t count = items.unreadable ? 0 : items.size();
    for (; i < count; ++i) {
      if (renames >= groupSize_ || (++looked % 32 == 0 && std::chrono::steady_clock::now() > deadline)) {
        ends = true;
        break;
      }
      // A hand-picked path that a planned rename takes or leaves is planned at its turn.
      if (!items.listed() && (groupPaths_.marks(items.paths[i]) & (PathMarks::kLeft | PathMarks::kTaken))) {
        ends = true;
        break;
      }
      const std::uint64_t position = Position(list, i);
      while (kept < keptPlan_.size() && keptPlan_[kept].position < position) ++kept;
      PlannedItem* before =
          kept < keptPlan_.size() && keptPlan_[kept].position == position && keptPlan_[kept].ordinal == ordinal
              ? &keptPlan_[kept]
              : nullptr;
      PlannedItem& planned = before ? plan_.emplace_back(std::move(*before)) : plan_.emplace_back();
      planned.position = position;
      planned.ordinal = ordinal;
      // A kept item's kind stands; its path is built again.
      if (!before)
        planned.kind = takeItem(items, i, item, platform::EntryKind::Missing, picked, false);
      else if (planned.kind != platform::EntryKind::Missing)
        planned.kind = takeItem(items, i, item, planned.kind, picked, true);
      // A sidecar that follows its photo is passed over at its turn: its rules never run.
      if (FollowsItsPhoto(lists_[list].sidecars, item)) planned.kind = platform::EntryKind::Missing;
      if (planned.kind == platform::EntryKind::Missing) continue;
      if (!before) {
        expander_.newItem();
        engine::RuleContext context{codePage_, expander_, ordinal, patterns_.get()};
        planned.outcome = engine::ComputeNewName(request_->record, item, context);
      }
      std::string& newPath = planned.outcome.newPath;
      if (!planned.checked) {  // a kept outcome was checked and cleaned up before
        if (planned.outcome.kind != OutcomeKind::Rename || HoldsLineBreak(item.path, false) ||
            HoldsLineBreak(newPath, true) || RefusalReason(newPath))
          continue;
        cleanUp(item.path, newPath);
        planned.checked = true;  // at its turn the item goes straight to its rename
      }
      // A change of case alone may go through a temporary name of its own: never planned, but
      // made at its turn all the same, so the ordinals after it count it.
      const bool caseOnly = DiffersOnlyInCase(codePage_, item.path, newPath);
      if (!caseOnly) {
        auto candidates = numbering_.candidates(newPath);
        const std::string* target = plannedTarget(lists_[list], item.path, newPath, candidates);
        if (!target) continue;
        journal_->intendAhead(*target, item.path);
        groupPaths_.mark(item.path, PathMarks::kLeft);
        groupPaths_.mark(*target, PathMarks::kTaken);
      }
      numbering_.left(item.path);
      ++ordinal;
      ++renames;
      // The hand-picked paths after a folder may lie inside it: they wait for its rename.
      if (!items.listed() && item.isDirectory) {
        ++i;
        ends = true;
        break;
      }
    }
    if (ends) planEnd_ = Position(list, i);
  }
  numbering_.endTrial();
  // Kept outcomes past the group wait for the next one.
  for (; kept < keptPlan_.size(); ++kept)
    if (keptPlan_[kept].position >= planEnd_) plan_.push_back(std::move(keptPlan_[kept]));
  if (!journal_->commitAhead()) journalStopped();
}

void BatchRun::planPairs(const std::vector<RenamePair>& pairs, std::size_t from) {
  dropPlan();
  groupSize_ = groupSize_ == 0 ? kFirstGroup : std::min(2 * groupSize_, kMaxGroup);
  std::size_t k = from;
  for (; k < pairs.size() && k - from < groupSize_; ++k)
    if (!HoldsLineBreak(pairs[k].oldPath, false) && !HoldsLineBreak(pairs[k].newPath, true))
      journal_->intendAhead(pairs[k].newPath, pairs[k].oldPath);
  planEnd_ = k;
  if (!journal_->commitAhead()) journalStopped();
}

const std::string* BatchRun::plannedTarget(HandedList& list, const std::string& oldPath,
                                           const std::string& newPath, CollisionNumbering::Candidates& candidates) {
  // As renameNumbered goes: a case conversion tries its name alone, any other the numbering's
  // candidates until one is free.
  if (request_->record.onlyConvertsCase()) return newPath != oldPath && !takenAhead(list, newPath) ? &newPath : nullptr;
  // Where names ignore case, the item's own name in another case is its own to take.
  for (const std::string* candidate = candidates.next(); candidate; candidate = candidates.next())
    if (*candidate != oldPath && (ownNameInOtherCase(*candidate, oldPath) || !takenAhead(list, *candidate)))
      return candidate;
  return nullptr;
}

bool BatchRun::takenAhead(HandedList& list, const std::string& path) {
  const std::uint8_t marks = groupPaths_.marks(path);
  if (marks & PathMarks::kTaken) return true;
  if (marks & PathMarks::kLeft) return false;
  if (marks & PathMarks::kSeenTaken) return true;
  // A name of the folder's listing is asked of the disk (an earlier group may have left it);
  // a name it does not hold is free, unless an earlier group took it: then the rename says so
  // and the run goes on without the plan.
  const ItemList& items = list.items;
  const std::string& folder = items.folderPart;
  if (items.listed() && !items.onDemand && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
      !engine::HoldsFolderPart(std::string_view(path).substr(folder.size()))) {
    if (!list.names.built()) list.names.build(items.entries);
    if (!list.names.holds(std::string_view(path).substr(folder.size()))) return false;
  }
  if (!fs_.exists(path)) return false;
  // Remembered: a rename beside the plan that frees this name makes the plan stale.
  groupPaths_.mark(path, PathMarks::kSeenTaken);
  return true;
}

void BatchRun::dropPlan() {
  planEnd_ = 0;
  groupPaths_.clear();
  if (journal_) journal_->dropAhead();
}

void BatchRun::forgetPlan() {
  dropPlan();
  plan_.clear();
  keptPlan_.clear();
  planPos_ = 0;
}

void BatchRun::openFolder(std::string prefix, std::shared_ptr<platform::OpenFolder> open) {
  folder_.reset();
  folderPrefix_ = std::move(prefix);
  if (folderPrefix_.empty() || !renaming()) return;
  if (open) {
    folder_ = std::move(open);
    return;
  }
  folder_ = fs_.openFolder(FolderOfPrefix(folderPrefix_));
}

platform::RenameStatus BatchRun::renameItem(const std::string& from, const std::string& to) {
  // Both paths name an entry right in the open folder: its prefix, then a name.
  const std::size_t n = folderPrefix_.size();
  const auto inFolder = [&](std::string_view path) {
    return path.compare(0, n, folderPrefix_) == 0 && !engine::HoldsFolderPart(path.substr(n));
  };
  if (folder_ && inFolder(from) && inFolder(to))
    return folder_->rename(std::string_view(from).substr(n), std::string_view(to).substr(n));
  return fs_.rename(from, to);
}

bool BatchRun::FollowsItsPhoto(const SidecarGroups& sidecars, const Item& item) {
  // A sidecar whose photo is an item too goes with the photo, never on its own.
  return !sidecars.followers.empty() && !item.isDirectory && sidecars.followers.count(item.path) != 0;
}

void BatchRun::findSidecars(const ItemList& items, SidecarGroups& sidecars) {
  if (!request_->record.sidecarsFollow) return;
  std::vector<std::string> files;
  std::string buffer;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string& path = items.path(i, buffer);
    const bool file = items.listed() ? !items.entry(i).isDirectory : fs_.kind(path) == platform::EntryKind::File;
    if (file) files.push_back(path);
  }
  FindSidecars(files, sidecars);
}

void BatchRun::followSidecars(const std::string& oldPhoto, const std::string& newPhoto) {
  if (sidecars_->ofPhoto.empty()) return;
  const auto group = sidecars_->ofPhoto.find(oldPhoto);
  if (group == sidecars_->ofPhoto.end()) return;
  for (const std::string& sidecar : group->second) {
    if (stop_.isSet()) return;
    const std::string target = SidecarTarget(sidecar, oldPhoto, newPhoto);
    if (target == sidecar) continue;
    if (const char* reason = refusal(sidecar, target)) {
      skip(sidecar, target, reason, ItemStatus::LeftAlone);
      continue;
    }
    if (!renaming()) {
      if (takenInPreview(target, sidecar))
        skip(sidecar, target, kTargetExistsReason, ItemStatus::Refused);
      else
        addPreviewRow(sidecar, target, ItemStatus::Renamed, false);
      continue;
    }
    // A sidecar's rename is no part of the plan: it leaves the plan standing unless it frees
    // a name the plan saw taken or takes one the plan gave out or freed.
    const bool besidePlan = !(groupPaths_.marks(sidecar) & PathMarks::kSeenTaken) &&
                            groupPaths_.marks(target) == PathMarks::kNone;
    const auto committed = commitRename(sidecar, target, false, besidePlan);
    if (!committed) return;
    if (*committed != platform::RenameStatus::Renamed) {
      skip(sidecar, target,
           *committed == platform::RenameStatus::TargetExists ? kTargetExistsReason : fs_.lastFailure(),
           ItemStatus::Refused);
      continue;
    }
    if (handPicked()) hooks_.addEntry(target);
    log_.add(target, sidecar);
    numbering_.left(sidecar);
    result(ItemStatus::Renamed, sidecar, target);
  }
}

void BatchRun::applyOperationToItem(const Item& item, PlannedItem* planned) {
  if (FollowsItsPhoto(*sidecars_, item)) return;
  engine::NewNameOutcome outcome;
  if (planned && planned->ordinal == ordinal_) {
    // The rules ran for the item when its group was planned; its new name passed the checks
    // and was cleaned up then too.
    if (planned->checked) {
      renameNumbered(item.path, std::move(planned->outcome.newPath));
      return;
    }
    outcome = std::move(planned->outcome);
  } else {
    expander_.newItem();
    engine::RuleContext context{codePage_, expander_, ordinal_, patterns_.get()};
    outcome = engine::ComputeNewName(request_->record, item, context);
  }
  switch (outcome.kind) {
    case OutcomeKind::Rename:
      renamePerformer(item.path, std::move(outcome.newPath));
      break;
    case OutcomeKind::EmptyName:
      messages_.information(engine::EmptyNameMessage(item.path));
      skipped_.push_back({item.path, {}, kEmptyNameReason, ItemStatus::LeftAlone});
      result(ItemStatus::LeftAlone, item.path, {}, kEmptyNameReason);
      break;
    case OutcomeKind::Unchanged: {
      const bool scopeAllows = request_->record.kind == engine::OperationKind::Extension ||
                               request_->target.scope != FolderScope::ThisFolder;
      if (handPicked() && renaming() && scopeAllows) hooks_.addEntry(item.path);
      result(ItemStatus::Unchanged, item.path, item.path);
      break;
    }
    case OutcomeKind::LeftAlone:
      skip(item.path, {}, outcome.reason, ItemStatus::LeftAlone);
      break;
    case OutcomeKind::NotApplicable:
      break;
  }
}

const char* BatchRun::newPathRefusal(const std::string& newPath) {
  const char* reason = RefusalReason(newPath);
  if (reason == kReservedNameReason) {
    messages_.information(engine::FillText(VELMORA_TEXT("Core", "The new filename: '%1' can not be assigned, because some "
                                                                "names(con, aux, com1, lpt1, prn, nul) are reserved by "
                                                                "Windows, you should use another name."),
                                           {engine::FileNamePart(newPath)}));
  } else if (reason == kTooLongReason) {
    messages_.information(engine::FillText(VELMORA_TEXT("Core", "The new filename: '%1' can not be assigned, because the "
                                                                "filename(plus path) is too long(>255 characters), you "
                                                                "should shorten it."),
                                           {newPath}));
  }
  return reason;
}

void BatchRun::result(ItemStatus status, std::string_view oldPath, std::string_view newPath, std::string_view reason) {
  counts_.count(status);
  hooks_.itemDone({status, oldPath, newPath, reason});
}

void BatchRun::skip(const std::string& oldPath, const std::string& newPath, std::string reason, ItemStatus status) {
  skipped_.push_back({oldPath, newPath, std::move(reason), status});
  if (handPicked() && renaming()) hooks_.addEntry(oldPath);
  result(status, oldPath, newPath, skipped_.back().reason);
}

void BatchRun::journalStopped() {
  journalFailed_ = true;
  stop_.set();
  messages_.warning(JournalWriteFailure(journal_->path(), log_.pairCount()), VELMORA_TEXT("Core", "Error"));
}

const char* BatchRun::refusal(const std::string& oldPath, const std::string& newPath) {
  // The rollback log holds one path a line: a name with a line break is left alone.
  if (HoldsLineBreak(oldPath, false) || HoldsLineBreak(newPath, true)) return kLineBreakReason;
  return newPathRefusal(newPath);
}

void BatchRun::renamePerformer(const std::string& oldPath, std::string newPath) {
  if (const char* reason = refusal(oldPath, newPath)) {
    skip(oldPath, newPath, reason, ItemStatus::LeftAlone);
    return;
  }
  cleanUp(oldPath, newPath);
  if (renaming())
    renameNumbered(oldPath, std::move(newPath));
  else
    planRow(oldPath, std::move(newPath));
}

// Leading blanks, then leading dots; an empty base becomes "(none)". The name is split only
// when it needs cleaning: most names do not.
void BatchRun::cleanUp(const std::string& oldPath, std::string& newPath) const {
  const std::size_t nameStart = engine::NameStart(newPath);
  if (nameStart >= newPath.size() || (newPath[nameStart] != ' ' && newPath[nameStart] != '.')) return;
  NameSplit split = SplitNewPath(newPath);
  if (!split.base.empty() && split.base.front() == ' ') {
    split.base = engine::TrimLeft(split.base);
    if (split.base.empty()) split.base = "(none)";
  }
  if (!split.base.empty() && split.base.front() == '.') {
    split.base.erase(0, split.base.find_first_not_of('.'));
    if (split.base.empty()) split.base = "(none)";
    // On Linux the dot of a hidden item is part of its name: the clean-up keeps one.
    const std::size_t oldStart = engine::NameStart(oldPath);
    if (oldStart < oldPath.size() && platform::IsHiddenName(std::string_view(oldPath).substr(oldStart)))
      split.base.insert(0, 1, '.');
  }
  newPath = split.folder + split.base + split.ext;
}

// The preview numbers as the run will: the names of earlier rows are taken by then, and the
// items of earlier rows have left their old names. Case conversions are never numbered, as
// the item would find itself where names compare without case.
void BatchRun::planRow(const std::string& oldPath, std::string newPath) {
  ItemStatus status = ItemStatus::Renamed;
  const auto taken = [&](const std::string& path) { return takenInPreview(path, oldPath); };
  if (request_->record.onlyConvertsCase()) {
    // Never numbered: a name another item holds refuses the item, as the rename will.
    if (newPath != oldPath && taken(newPath)) {
      skip(oldPath, newPath, kTargetExistsReason, ItemStatus::Refused);
      return;
    }
  } else {
    auto candidates = numbering_.candidates(newPath);
    const std::string* candidate;
    while ((candidate = candidates.next()) && (*candidate == oldPath || taken(*candidate))) {
    }
    if (!candidate) {
      skip(oldPath, newPath, kTargetExistsReason, ItemStatus::Refused);
      return;
    }
    if (candidate != &newPath) {
      status = ItemStatus::Numbered;
      newPath = *candidate;
    }
  }
  addPreviewRow(oldPath, std::move(newPath), status);
}

// The no-replace rename is the existence test: a taken name moves on to the next candidate,
// so an entry that appears at any moment is never replaced. A number plainly taken is passed
// over on a status query, without a journal record.
void BatchRun::renameNumbered(const std::string& oldPath, std::string newPath) {
  const bool numbered = !request_->record.onlyConvertsCase();
  platform::RenameStatus status = platform::RenameStatus::TargetExists;
  // The cleaned name is the key of its numbers; a case conversion tries it alone.
  auto candidates = numbering_.candidates(newPath);
  const std::string* tried = &newPath;
  for (const std::string* candidate = numbered ? candidates.next() : &newPath; candidate;
       candidate = numbered ? candidates.next() : nullptr) {
    tried = candidate;
    if (numbered && (*tried == oldPath || (tried != &newPath && !ownNameInOtherCase(*tried, oldPath) &&
                                           fs_.exists(*tried))))
      continue;
    const auto committed = commitRename(oldPath, *tried, tried == &newPath);
    if (!committed) return;
    status = *committed;
    if (status != platform::RenameStatus::TargetExists) break;
  }
  if (status != platform::RenameStatus::Renamed) {
    skip(oldPath, *tried,
         status == platform::RenameStatus::TargetExists ? kTargetExistsReason : fs_.lastFailure(), ItemStatus::Refused);
    return;
  }
  renamedItem(oldPath, *tried, tried == &newPath ? ItemStatus::Renamed : ItemStatus::Numbered);
}

std::optional<platform::RenameStatus> BatchRun::commitRename(const std::string& oldPath, const std::string& newPath,
                                                              bool firstName, bool besidePlan) {
  if (journal_ && (besidePlan || !journal_->planned(newPath, oldPath))) {
    // The item's own name, which the plan saw taken (the item is planned under a number), is
    // passed over as a numbered name seen taken is: the plan looked at the disk just before.
    if (firstName && journal_->plannedFor(oldPath)) return platform::RenameStatus::TargetExists;
    // Not the group's next rename (the run left the plan): its own pair, synced, first. A
    // rename beside the plan (a sidecar after its photo) leaves the plan standing, so the
    // rules of the group's items are not run (and random strings drawn) a second time.
    if (!besidePlan) dropPlan();
    if (!journal_->intend(newPath, oldPath) || !journal_->sync()) {
      journalStopped();
      return std::nullopt;
    }
  }
  const platform::RenameStatus status = renameItem(oldPath, newPath);
  if (status != platform::RenameStatus::Renamed && journal_) {
    journal_->withdraw();
    // The group's later renames were planned with this one made: they are planned afresh.
    if (!besidePlan) dropPlan();
  }
  // Where names ignore case the new spelling is the item itself: through a temporary name.
  if (status == platform::RenameStatus::TargetExists && DiffersOnlyInCase(codePage_, oldPath, newPath))
    return changeCase(oldPath, newPath);
  return status;
}

std::optional<platform::RenameStatus> BatchRun::changeCase(const std::string& oldPath, const std::string& newPath) {
  const auto done = ChangeCase(fs_, journal_, [this](const std::string& from, const std::string& to) {
    return renameItem(from, to);
  }, oldPath, newPath);
  if (!done) {
    journalStopped();
    return std::nullopt;
  }
  // An item that could not be put back is where the log says, for undo to bring back.
  if (!done->strandedAt.empty()) log_.add(done->strandedAt, oldPath);
  return done->status;
}

void BatchRun::renamedItem(const std::string& oldPath, const std::string& newPath, ItemStatus status) {
  if (request_->withProgress) {
    const std::string_view from(oldPath), to(newPath);
    hooks_.progressItem(from.substr(engine::NameStart(from)), to.substr(engine::NameStart(to)), 1);
    hooks_.processEvents();
  }
  if (handPicked()) {
    hooks_.addEntry(newPath);
    if (item_.isDirectory && item_.path == oldPath) renamedFolders_.insert(oldPath);
  }
  log_.add(newPath, oldPath);
  numbering_.left(oldPath);
  ++ordinal_;
  result(status, oldPath, newPath);
  followSidecars(oldPath, newPath);
}

std::string BatchRun::previewKey(const std::string& path) const {
  // Where the system ignores case in names, so do the names the preview promises.
  return platform::kNamesIgnoreCase ? codePage_.toUpper(path) : path;
}

bool BatchRun::ownNameInOtherCase(const std::string& path, const std::string& oldPath) {
  // Where names compare without case, the item's own name in another case is its own to take.
  if (platform::kNamesIgnoreCase) return path != oldPath && previewKey(path) == previewKey(oldPath);
  // Elsewhere only some file systems ignore case (FAT and exFAT cards, SMB shares): the name
  // is the item's own unless an entry is spelt exactly so. A run tries the rename, which
  // tells; a preview asks its folder's listing.
  return DiffersOnlyInCase(codePage_, oldPath, path) && (renaming() || !listedExactly(path));
}

bool BatchRun::listedExactly(const std::string& path) { return listed_.holds(fs_, path); }

bool BatchRun::inRenamedFolder(std::string_view path) {
  const auto& moved = renaming() ? renamedFolders_ : freedPaths_;
  if (moved.empty()) return false;
  for (std::size_t end = engine::NameStart(path); end > 0;) {
    while (end > 1 && platform::IsSeparator(path[end - 1])) --end;
    const std::string_view folder = path.substr(0, end);
    if (platform::IsRootPath(folder)) break;
    if (moved.count(renaming() ? std::string(folder) : previewKey(std::string(folder)))) return true;
    end = engine::NameStart(folder);
  }
  return false;
}

bool BatchRun::movedInPreview(std::string_view path) {
  if (renaming() || freedPaths_.empty()) return false;
  for (std::size_t end = path.size(); end > 0 && !platform::IsRootPath(path.substr(0, end));) {
    const std::string key = previewKey(std::string(path.substr(0, end)));
    // The item's own path counts only while no later row took it.
    if (freedPaths_.count(key) && (end < path.size() || !promisedPaths_.count(key))) return true;
    end = engine::NameStart(path.substr(0, end));
    while (end > 1 && platform::IsSeparator(path[end - 1])) --end;
  }
  return false;
}

bool BatchRun::takenInPreview(const std::string& path, const std::string& oldPath) {
  if (platform::kNamesIgnoreCase && ownNameInOtherCase(path, oldPath)) return false;
  const std::string key = previewKey(path);
  if (promisedPaths_.count(key)) return true;
  // Elsewhere only an entry on the disk may be the item itself, seen through a file system
  // that ignores case.
  return !freedPaths_.count(key) && fs_.exists(path) && (platform::kNamesIgnoreCase || !ownNameInOtherCase(path, oldPath));
}

void BatchRun::addPreviewRow(const std::string& oldPath, std::string newPath, ItemStatus status, bool countsNumber) {
  if (static_cast<int>(rows_.size()) >= request_->previewCount) {
    stop_.set();
    return;
  }
  promisedPaths_.insert(previewKey(newPath));
  freedPaths_.insert(previewKey(oldPath));
  numbering_.left(oldPath);
  result(status, oldPath, newPath);
  const bool namesOnly = request_->target.isFolderMode() && request_->target.scope == FolderScope::OneLayer;
  std::string oldShown = namesOnly ? engine::FileNamePart(oldPath) : oldPath;
  const std::string newFull = sidecars_->ofPhoto.empty() ? std::string() : newPath;
  if (namesOnly) newPath = engine::FileNamePart(newPath);
  rows_.push_back({std::move(oldShown), std::move(newPath), false, status == ItemStatus::Numbered});
  hooks_.previewRow(rows_.back());
  if (!countsNumber) return;
  ++ordinal_;
  if (!newFull.empty()) followSidecars(oldPath, newFull);
}

}  // namespace velmora::batch
