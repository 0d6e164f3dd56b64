// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding the items of a target: the probe, the first target item, and the walk that
// hands every directory's items, deepest first, to the item loop.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "batch/interfaces.h"
#include "batch/name_filter.h"
#include "engine/operation_record.h"
#include "platform/file_system.h"

namespace velmora::batch {

enum class FolderScope : int {
  OneLayer = 0,     ///< "Filenames in this folder(ONE layer)"
  AllLayers = 1,    ///< "All filenames in subfolder(ALL layers)"
  SubfoldersOnly = 2,  ///< "Only subfolders name(without files)"
  ThisFolder = 3,   ///< "Only this folder name"
};

/// The scope list's entry text.
const char* ScopeText(FolderScope scope);

/// One folder read under a scope, or (folder empty) a hand-picked list of paths.
struct TargetSet {
  std::string folder;
  FolderScope scope = FolderScope::OneLayer;
  std::vector<std::string> picked;

  bool isFolderMode() const { return !folder.empty(); }
};

/// A folder whose name has the extension ".files" or ends in "_files" (any case).
bool IsWebpageFolder(std::string_view name);

struct ProbeResult {
  std::string firstFile;    ///< name of the first file, "" when none
  std::string firstFolder;  ///< name of the first subfolder, "" when none
  int fileCount = 0;        ///< files directly in the folder, counted up to 30
};

/// One pass over a folder's direct entries; stops when 30 files were counted.
ProbeResult Probe(platform::FileSystem& fs, const std::string& folder);

/// The name of the first item the target and operation would touch, "" when there is
/// none (after showing the reason). Also updates topLayerFileCount when it probes.
std::string FirstTargetItem(platform::FileSystem& fs, const TargetSet& target, engine::OperationKind kind,
                            Messages& messages, int* topLayerFileCount = nullptr);

/// Some entries of a folder's listing handed out in the folder order, ordered only as far
/// as they are asked for: a preview of the first rows of a large folder orders a few of its
/// entries, not all, and copies none. Entry i is the one SortInFolderOrder puts at i.
class FolderOrderOnDemand {
 public:
  /// The entries of listing at the positions kept, in any order.
  FolderOrderOnDemand(std::shared_ptr<const std::vector<platform::DirEntry>> listing,
                      std::vector<std::uint32_t> kept);
  std::size_t size() const { return order_.size(); }
  /// Entry i of the order; the order up to i is made on the first call that reaches it.
  const platform::DirEntry& operator[](std::size_t i) const;

 private:
  std::shared_ptr<const std::vector<platform::DirEntry>> listing_;
  // order_[0, heapEnd_) is a heap whose top is the first entry not yet handed out; entries
  // handed out are stored from the back: entry i at order_[size - 1 - i].
  mutable std::vector<std::uint32_t> order_;
  mutable std::size_t heapEnd_ = 0;
};

/// The items of one directory (or the hand-picked list). In folder mode they are the
/// entries of the folder's listing, with the kind the listing reported, so the item loop
/// need not ask the file system again, and with no path built until an item is reached.
struct ItemList {
  std::string folderPart;  ///< folder mode: the folder, its separator at the end
  std::vector<platform::DirEntry> entries;  ///< folder mode: the items, by name
  /// Folder mode, instead of entries: the items of the listing itself, put in order as read.
  std::optional<FolderOrderOnDemand> onDemand;
  std::vector<std::string> paths;  ///< otherwise (hand-picked, or the folder itself): full paths
  /// Folder mode: the folder, held open since the walk listed it; its items are renamed in it.
  std::shared_ptr<platform::OpenFolder> folder;
  /// Folder mode: set when the folder could not be opened or read (its items unknown): the
  /// system's reason.
  std::optional<std::string> unreadable;

  /// A list of full paths.
  static ItemList OfPaths(std::vector<std::string> paths) {
    ItemList list;
    list.paths = std::move(paths);
    return list;
  }
  bool listed() const { return !folderPart.empty(); }
  std::size_t size() const { return !listed() ? paths.size() : onDemand ? onDemand->size() : entries.size(); }
  /// Item i of a listed folder.
  const platform::DirEntry& entry(std::size_t i) const { return onDemand ? (*onDemand)[i] : entries[i]; }
  /// Item i's full path; a listed item's is built in buffer, which it returns.
  const std::string& path(std::size_t i, std::string& buffer) const {
    if (!listed()) return paths[i];
    return buffer.assign(folderPart).append(entry(i).name);
  }
};

/// Receives the item list of one directory (or the hand-picked list) at a time.
using ItemListHandler = std::function<void(ItemList& items)>;

/// How a walk hands over a folder's items: all put in order first (a run renames them all),
/// or put in order as the item loop reads them (a preview reads a few).
enum class WalkOrder { Sorted, OnDemand };

/// The whole walk of a folder-mode run, or one call with the hand-picked list. Every
/// directory's own items come after everything below it, in the folder's order. Each
/// subfolder is opened relative to its parent and never through a link, so the walk never
/// leaves the target, however deep, whatever changes under it; a folder that cannot be
/// opened or read is handed over as unreadable.
/// A filter keeps only the folder entries it matches as items (subfolders are entered all the
/// same); the hand-picked list and the folder of "Only this folder name" are taken as given.
void Walk(platform::FileSystem& fs, const TargetSet& target, const StopFlag& stop,
          const ItemListHandler& itemLoop, WalkOrder order = WalkOrder::Sorted, const NameFilter* filter = nullptr);

}  // namespace velmora::batch
