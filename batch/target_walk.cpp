// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/target_walk.h"

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
      if (kind != engine::OperationKind::Savealls) {
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
void WalkFolder(FileSystem& fs, const std::string& directory, FolderScope scope, const StopFlag& stop,
                const ItemListHandler& itemLoop) {
  ItemList local;
  local.folderPart = platform::JoinPath(directory, "");
  if (auto entries = fs.listFolder(directory)) {
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
        if (scope == FolderScope::SubfoldersOnly) keep(e);
        WalkFolder(fs, sub, scope, stop, itemLoop);
      } else if (scope != FolderScope::SubfoldersOnly) {
        keep(e);
      }
    }
    entries->resize(kept);
    local.entries = std::move(*entries);
  }
  itemLoop(local);
}
}  // namespace

void Walk(FileSystem& fs, const TargetSet& target, const StopFlag& stop, const ItemListHandler& itemLoop) {
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
    itemLoop(fs.inProgramFolder(folder) ? ItemList{} : ItemList::OfPaths({folder}));
    return;
  }
  WalkFolder(fs, target.folder, target.scope, stop, itemLoop);
}

}  // namespace velmora::batch
