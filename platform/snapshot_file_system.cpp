// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/snapshot_file_system.h"

#include <utility>

namespace velmora::platform {

namespace {
/// Renames in an open folder of the inner file system, dropping the saved listings each
/// rename makes stale.
class SnapshotFolder final : public OpenFolder {
 public:
  /// saved: the folder's listing saved before it was opened, handed out by entries() once.
  SnapshotFolder(SnapshotFileSystem& fs, std::unique_ptr<OpenFolder> inner, std::string folder,
                 std::shared_ptr<const std::vector<DirEntry>> saved = nullptr)
      : fs_(fs), inner_(std::move(inner)), folder_(std::move(folder)), saved_(std::move(saved)) {}
  RenameStatus rename(std::string_view fromName, std::string_view toName) override {
    if (mayHoldStale()) fs_.forget(JoinPath(folder_, fromName));
    if (keepsInfoOfEntries()) {
      fs_.dropInfo(JoinPath(folder_, fromName));
      fs_.dropInfo(JoinPath(folder_, toName));
    }
    return inner_->rename(fromName, toName);
  }
  std::shared_ptr<const std::vector<DirEntry>> entries() override {
    if (saved_) return std::exchange(saved_, nullptr);
    return inner_->entries();
  }
  std::unique_ptr<OpenFolder> openSubfolder(std::string_view name, std::string& why) override {
    auto inner = inner_->openSubfolder(name, why);
    if (!inner) return nullptr;
    std::string path = JoinPath(folder_, name);
    fs_.keepInfo(path);
    return std::make_unique<SnapshotFolder>(fs_, std::move(inner), std::move(path));
  }

 private:
  // Only listings of this folder or below it can go stale by a rename in it. Once none is
  // saved, none is as long as no listing is saved anywhere: most renames look no further.
  bool mayHoldStale() {
    const std::uint64_t saved = fs_.listingsSaved();
    if (saved == clearAt_) return false;
    if (fs_.holdsListingsAt(folder_)) return true;
    clearAt_ = saved;
    return false;
  }

  // Whether the snapshot keeps the information of an entry of this folder: asked again only
  // when it kept more since, so a folder of files pays nothing per rename.
  bool keepsInfoOfEntries() {
    if (fs_.infosKept() != infoCheckedAt_) {
      infoCheckedAt_ = fs_.infosKept();
      keepsInfo_ = fs_.keepsInfoIn(folder_);
    }
    return keepsInfo_;
  }

  SnapshotFileSystem& fs_;
  std::unique_ptr<OpenFolder> inner_;
  std::string folder_;
  std::shared_ptr<const std::vector<DirEntry>> saved_;
  std::uint64_t clearAt_ = ~std::uint64_t{0};
  std::uint64_t infoCheckedAt_ = ~std::uint64_t{0};
  bool keepsInfo_ = false;
};

/// A folder's key among the saved listings: its path without separators at the end, so that
/// "/d/s/" (as a folder box gives it) and "/d/s" (as a rename's folder is opened) are one.
std::string_view FolderKey(std::string_view path) {
  while (path.size() > 1 && IsSeparator(path.back()) && !IsRootPath(path)) path.remove_suffix(1);
  return path;
}

std::string_view ParentOf(std::string_view path) {
  std::size_t cut = path.size();
  while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
  while (cut > 1 && IsSeparator(path[cut - 1])) --cut;
  return path.substr(0, cut);
}
}  // namespace

void SnapshotFileSystem::forget(std::string_view path) {
  if (saved_.empty() || path.empty()) return;
  // The folder the entry is in, and the entry with everything below it (a renamed or
  // removed folder takes its listings' paths with it).
  path = FolderKey(path);
  if (auto parent = saved_.find(ParentOf(path)); parent != saved_.end()) saved_.erase(parent);
  for (auto it = saved_.lower_bound(path); it != saved_.end() && it->first.starts_with(path);) {
    const bool below =
        it->first.size() == path.size() || IsSeparator(path.back()) || IsSeparator(it->first[path.size()]);
    it = below ? saved_.erase(it) : std::next(it);
  }
}

bool SnapshotFileSystem::holdsListingsAt(std::string_view prefix) const {
  const auto it = saved_.lower_bound(prefix);
  return it != saved_.end() && it->first.starts_with(prefix);
}

std::shared_ptr<const std::vector<DirEntry>> SnapshotFileSystem::sharedFolder(const std::string& folder) {
  const std::string_view key = FolderKey(folder);
  auto it = saved_.find(key);
  if (it == saved_.end()) {
    it = saved_.emplace(std::string(key), inner_.sharedFolder(folder)).first;
    ++listingsSaved_;
  }
  return it->second;
}

std::optional<std::vector<DirEntry>> SnapshotFileSystem::readFolder(const std::string& folder) {
  auto shared = sharedFolder(folder);
  if (!shared) return std::nullopt;
  return *shared;
}

std::optional<EntryInfo> SnapshotFileSystem::entryInfo(const std::string& path) {
  if (!infos_.empty())
    if (const auto it = infos_.find(FolderKey(path)); it != infos_.end()) return it->second;
  return inner_.entryInfo(path);
}

void SnapshotFileSystem::keepInfo(std::string_view folder) {
  const std::string_view key = FolderKey(folder);
  if (key.empty() || infos_.find(key) != infos_.end()) return;
  infos_.emplace(std::string(key), inner_.entryInfo(std::string(key)));
  ++infosKept_;
}

void SnapshotFileSystem::dropInfo(std::string_view path) {
  if (const auto it = infos_.find(FolderKey(path)); it != infos_.end()) infos_.erase(it);
}

bool SnapshotFileSystem::keepsInfoIn(std::string_view folder) const {
  folder = FolderKey(folder);
  for (auto it = infos_.upper_bound(folder); it != infos_.end() && it->first.starts_with(folder); ++it) {
    const std::string_view rest = std::string_view(it->first).substr(folder.size());
    if (!rest.empty() && (IsSeparator(rest.front()) || IsSeparator(folder.back()))) return true;
  }
  return false;
}

RenameStatus SnapshotFileSystem::rename(const std::string& from, const std::string& to) {
  forget(from);
  forget(to);
  keepInfo(ParentOf(from));
  keepInfo(ParentOf(to));
  dropInfo(from);
  dropInfo(to);
  return inner_.rename(from, to);
}

std::unique_ptr<OpenFolder> SnapshotFileSystem::openFolder(const std::string& folder) {
  auto inner = inner_.openFolder(folder);
  if (!inner) return nullptr;
  keepInfo(folder);
  // Every rename in it changes its listing: the one saved goes to the open folder, whose
  // first read (the walk's) takes it, so the folder is still read once.
  std::shared_ptr<const std::vector<DirEntry>> saved;
  if (auto it = saved_.find(FolderKey(folder)); it != saved_.end()) {
    saved = std::move(it->second);
    saved_.erase(it);
  }
  return std::make_unique<SnapshotFolder>(*this, std::move(inner), folder, std::move(saved));
}

bool SnapshotFileSystem::writeFileAtomic(const std::string& path, std::string_view content, bool readOnly) {
  forget(path);
  return inner_.writeFileAtomic(path, content, readOnly);
}

bool SnapshotFileSystem::removeFile(const std::string& path) {
  forget(path);
  return inner_.removeFile(path);
}

bool SnapshotFileSystem::makeFolders(const std::string& path) {
  // Every missing parent may be made: each folder on the way may change (or come to be),
  // while what lies below an existing one stays as it was.
  for (std::string_view p = FolderKey(path); !p.empty();) {
    const std::string_view parent = ParentOf(p);
    for (const std::string_view changed : {p, parent})
      if (auto it = saved_.find(changed); it != saved_.end()) saved_.erase(it);
    if (parent.size() >= p.size()) break;
    p = parent;
  }
  return inner_.makeFolders(path);
}

std::unique_ptr<AppendLog> SnapshotFileSystem::openLockedAppend(const std::string& path, LockFailure* why) {
  forget(path);
  return inner_.openLockedAppend(path, why);
}

}  // namespace velmora::platform
