// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/target_walk.h"

#include <algorithm>

#include "platform/code_page.h"

namespace velmora::batch {

using platform::FileSystem;

const char* ScopeText(FolderScope scope) {
  switch (scope) {
    case FolderScope::OneLayer: return VELMORA_NOOP("Core", "Filenames in this folder(ONE layer)");
    case FolderScope::AllLayers: return VELMORA_NOOP("Core", "All filenames in subfolder(ALL layers)");
    case FolderScope::SubfoldersOnly: return VELMORA_NOOP("Core", "Only subfolders name(without files)");
    case FolderScope::ThisFolder: return VELMORA_NOOP("Core", "Only this folder name");
  }
  return "";
}

namespace {
bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  std::string_view tail = s.substr(s.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    char a = tail[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
    if (a != suffix[i]) return false;
  }
  return true;
}
}  // namespace

bool IsWebpageFolder(std::string_view name) {
  // ".files" as the extension (text from the last dot on) is the same test as the suffix.
  return EndsWithNoCase(name, ".files") || EndsWithNoCase(name, "_files");
}

ProbeResult Probe(FileSystem& fs, const std::string& folder) {
  // One pass in the system's order, keeping the first file and folder of the folder order:
  // the same answers as a sorted listing without sorting it.
  ProbeResult result;
  if (fs.inProgramFolder(folder)) return result;
  const auto entries = fs.sharedFolder(folder);
  if (!entries) return result;
  const platform::DirEntry* firstFile = nullptr;
  const platform::DirEntry* firstFolder = nullptr;
  int files = 0;
  for (const auto& e : *entries) {
    if (fs.leavesOut(folder, e)) continue;
    const platform::DirEntry*& first = e.isDirectory ? firstFolder : firstFile;
    if (!first || platform::FolderOrderLess(e.name, first->name)) first = &e;
    if (!e.isDirectory) ++files;
  }
  if (firstFile) result.firstFile = firstFile->name;
  if (firstFolder) result.firstFolder = firstFolder->name;
  result.fileCount = files < 30 ? files : 30;
  return result;
}

std::string FirstTargetItem(FileSystem& fs, const TargetSet& target, engine::OperationKind kind,
                            Messages& messages, int* topLayerFileCount) {
  if (!target.isFolderMode()) return {};
  const FolderScope scope = target.scope;
  if (scope == FolderScope::ThisFolder) {
    if (fs.isDirectory(target.folder)) return platform::LastComponent(target.folder);
    messages.information(VELMORA_TEXT("Core", "The targeted folder had been modified or deleted!"));
    return {};
  }
  std::string answer;
  const ProbeResult probe = Probe(fs, target.folder);
  if (topLayerFileCount) *topLayerFileCount = probe.fileCount;
  if (scope == FolderScope::OneLayer || scope == FolderScope::AllLayers) {
    answer = probe.firstFile;
    if (answer.empty()) {
      if (kind != engine::OperationKind::ListFolder) {
        messages.information(VELMORA_TEXT("Core", "There is no file(one layer) now!"));
      } else {
        answer = probe.firstFolder;
        if (answer.empty()) messages.information(VELMORA_TEXT("Core", "There is no file and subfolder now!"));
      }
    }
  }
  if ((scope == FolderScope::AllLayers && answer.empty()) || scope == FolderScope::SubfoldersOnly) {
    answer = probe.firstFolder;
    if (answer.empty()) messages.information(VELMORA_TEXT("Core", "There is no subfolder now!"));
  }
  return answer;
}

namespace {
/// Entries handed out one by one before the rest is sorted at once: each costs about
/// 2 log n comparisons, so a few hundred (a preview's rows) are cheaper than a sort of all,
/// and a loop that reads on gets the rest sorted in one go.
constexpr std::size_t kPopsBeforeSort = 512;

/// Entry a comes after entry b: the heap's comparison, reversed so that the heap's top is
/// the first name and a sort puts the first name last.
auto After(const std::vector<platform::DirEntry>& entries) {
  return [&entries](std::uint32_t a, std::uint32_t b) {
    return platform::FolderOrderLess(entries[b].name, entries[a].name);
  };
}
}  // namespace

FolderOrderOnDemand::FolderOrderOnDemand(std::shared_ptr<const std::vector<platform::DirEntry>> listing,
                                         std::vector<std::uint32_t> kept)
    : listing_(std::move(listing)), order_(std::move(kept)), heapEnd_(order_.size()) {
  std::make_heap(order_.begin(), order_.end(), After(*listing_));
}

const platform::DirEntry& FolderOrderOnDemand::operator[](std::size_t i) const {
  const auto after = After(*listing_);
  const std::size_t n = order_.size();
  while (n - heapEnd_ <= i) {
    if (n - heapEnd_ >= kPopsBeforeSort) {
      std::sort(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(heapEnd_), after);
      heapEnd_ = 0;
      break;
    }
    std::pop_heap(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(heapEnd_), after);
    --heapEnd_;
  }
  return (*listing_)[order_[n - 1 - i]];
}

namespace {
/// Whether a folder entry that the scope makes an item passes the run's filter.
bool PassesFilter(const NameFilter* filter, const platform::DirEntry& e) { return !filter || filter->keeps(e.name); }

/// Hands over a folder that could not be opened or read.
void Unreadable(const std::string& directory, std::string why, const ItemListHandler& itemLoop) {
  ItemList local;
  local.folderPart = platform::JoinPath(directory, "");
  local.unreadable = std::move(why);
  itemLoop(local);
}

/// Opens the subfolder of the open folder for the walk: null after handing it over as
/// unreadable.
std::shared_ptr<platform::OpenFolder> OpenSubfolder(platform::OpenFolder& parent, const std::string& name,
                                                    const std::string& path, const ItemListHandler& itemLoop) {
  std::string why;
  std::shared_ptr<platform::OpenFolder> sub = parent.openSubfolder(name, why);
  if (!sub) Unreadable(path, std::move(why), itemLoop);
  return sub;
}

/// A preview's walk of one folder: the listing is read in place (no copy), only the
/// subfolders to enter are sorted, and the items are put in order as the loop reads them.
void WalkFolderOnDemand(FileSystem& fs, std::shared_ptr<platform::OpenFolder> folder, const std::string& directory,
                        FolderScope scope, const StopFlag& stop, const ItemListHandler& itemLoop,
                        const NameFilter* filter) {
  ItemList local;
  local.folderPart = platform::JoinPath(directory, "");
  if (fs.inProgramFolder(directory)) return itemLoop(local);
  auto listing = folder->entries();
  if (!listing) return Unreadable(directory, "", itemLoop);
  const auto& entries = *listing;
  std::vector<std::uint32_t> kept, folders;
  kept.reserve(scope == FolderScope::SubfoldersOnly ? 0 : entries.size());
  for (std::uint32_t i = 0; i < entries.size(); ++i) {
    const platform::DirEntry& e = entries[i];
    if (fs.leavesOut(directory, e)) continue;
    if (!e.isDirectory) {
      if (scope != FolderScope::SubfoldersOnly && PassesFilter(filter, e)) kept.push_back(i);
    } else if (scope != FolderScope::OneLayer && !IsWebpageFolder(e.name)) {
      folders.push_back(i);
      if (scope == FolderScope::SubfoldersOnly && PassesFilter(filter, e)) kept.push_back(i);
    }
  }
  std::sort(folders.begin(), folders.end(), [&entries](std::uint32_t a, std::uint32_t b) {
    return platform::FolderOrderLess(entries[a].name, entries[b].name);
  });
  for (std::uint32_t i : folders) {
    if (stop.isSet()) break;
    const std::string sub = local.folderPart + entries[i].name;
    if (auto open = OpenSubfolder(*folder, entries[i].name, sub, itemLoop))
      WalkFolderOnDemand(fs, std::move(open), sub, scope, stop, itemLoop, filter);
  }
  local.onDemand.emplace(std::move(listing), std::move(kept));
  local.folder = std::move(folder);
  itemLoop(local);
}

void WalkFolder(FileSystem& fs, std::shared_ptr<platform::OpenFolder> folder, const std::string& directory,
                FolderScope scope, const StopFlag& stop, const ItemListHandler& itemLoop, const NameFilter* filter) {
  auto entries = fs.listFolder(*folder, directory);
  if (!entries) return Unreadable(directory, "", itemLoop);
  ItemList local;
  local.folderPart = platform::JoinPath(directory, "");
  // One pass in the folder's order, keeping the items at the front of the listing itself:
  // it becomes the item list without a copy.
  std::size_t kept = 0;
  auto keep = [&](platform::DirEntry& e) {
    if (&e != &(*entries)[kept]) (*entries)[kept] = std::move(e);
    ++kept;
  };
  for (auto& e : *entries) {
    if (stop.isSet()) break;
    if (e.isDirectory) {
      if (scope == FolderScope::OneLayer || IsWebpageFolder(e.name)) continue;
      const std::string sub = local.folderPart + e.name;
      auto open = OpenSubfolder(*folder, e.name, sub, itemLoop);
      if (scope == FolderScope::SubfoldersOnly && PassesFilter(filter, e)) keep(e);
      if (open) WalkFolder(fs, std::move(open), sub, scope, stop, itemLoop, filter);
    } else if (scope != FolderScope::SubfoldersOnly && PassesFilter(filter, e)) {
      keep(e);
    }
  }
  entries->resize(kept);
  local.entries = std::move(*entries);
  local.folder = std::move(folder);
  itemLoop(local);
}
}  // namespace

void Walk(FileSystem& fs, const TargetSet& target, const StopFlag& stop, const ItemListHandler& itemLoop,
          WalkOrder order, const NameFilter* filter) {
  // Hand-picked items are taken as given, hidden ones too; only the program's own files
  // are never part of a target.
  if (!target.isFolderMode()) {
    ItemList picked = ItemList::OfPaths(target.picked);
    std::erase_if(picked.paths, [&](const std::string& path) { return fs.inProgramFolder(path); });
    itemLoop(picked);
    return;
  }
  if (target.scope == FolderScope::ThisFolder) {
    std::string folder = target.folder;
    while (folder.size() > 1 && platform::IsSeparator(folder.back()) && !platform::IsRootPath(folder))
      folder.pop_back();
    ItemList items = fs.inProgramFolder(folder) ? ItemList{} : ItemList::OfPaths({folder});
    itemLoop(items);
    return;
  }
  std::shared_ptr<platform::OpenFolder> folder = fs.openFolder(target.folder);
  if (!folder)
    Unreadable(target.folder, "", itemLoop);
  else if (order == WalkOrder::OnDemand)
    WalkFolderOnDemand(fs, std::move(folder), target.folder, target.scope, stop, itemLoop, filter);
  else
    WalkFolder(fs, std::move(folder), target.folder, target.scope, stop, itemLoop, filter);
}

}  // namespace velmora::batch
