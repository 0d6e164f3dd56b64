// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding the items of a target: the probe, the first target item, and the walk that
// hands every directory's items, deepest first, to the item loop.

#include <functional>
#include <string>
#include <vector>

#include "batch/interfaces.h"
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

/// The items of one directory (or the hand-picked list). In folder mode they are the
/// entries of the folder's listing, with the kind the listing reported, so the item loop
/// need not ask the file system again, and with no path built until an item is reached.
struct ItemList {
  std::string folderPart;  ///< folder mode: the folder, its separator at the end
  std::vector<platform::DirEntry> entries;  ///< folder mode: the items, by name
  std::vector<std::string> paths;  ///< otherwise (hand-picked, or the folder itself): full paths

  /// A list of full paths.
  static ItemList OfPaths(std::vector<std::string> paths) {
    ItemList list;
    list.paths = std::move(paths);
    return list;
  }
  bool listed() const { return !folderPart.empty(); }
  std::size_t size() const { return listed() ? entries.size() : paths.size(); }
  /// Item i's full path; a listed item's is built in buffer, which it returns.
  const std::string& path(std::size_t i, std::string& buffer) const {
    if (!listed()) return paths[i];
    return buffer.assign(folderPart).append(entries[i].name);
  }
};

/// Receives the item list of one directory (or the hand-picked list) at a time.
using ItemListHandler = std::function<void(const ItemList& items)>;

/// The whole walk of a folder-mode run, or one call with the hand-picked list. Every
/// directory's own items come after everything below it, in the folder's order.
void Walk(platform::FileSystem& fs, const TargetSet& target, const StopFlag& stop,
          const ItemListHandler& itemLoop);

}  // namespace velmora::batch
