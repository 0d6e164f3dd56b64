// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/snapshot_file_system.h"

namespace velmora::platform {

std::optional<std::vector<DirEntry>> SnapshotFileSystem::readFolder(const std::string& folder) {
  auto it = saved_.find(folder);
  if (it == saved_.end()) it = saved_.emplace(folder, inner_.readFolder(folder)).first;
  return it->second;
}

RenameStatus SnapshotFileSystem::rename(const std::string& from, const std::string& to) {
  saved_.clear();
  return inner_.rename(from, to);
}

bool SnapshotFileSystem::writeFileAtomic(const std::string& path, std::string_view content, bool readOnly) {
  saved_.clear();
  return inner_.writeFileAtomic(path, content, readOnly);
}

bool SnapshotFileSystem::removeFile(const std::string& path) {
  saved_.clear();
  return inner_.removeFile(path);
}

bool SnapshotFileSystem::makeFolders(const std::string& path) {
  saved_.clear();
  return inner_.makeFolders(path);
}

std::unique_ptr<AppendLog> SnapshotFileSystem::openLockedAppend(const std::string& path, LockFailure* why) {
  saved_.clear();
  return inner_.openLockedAppend(path, why);
}

}  // namespace velmora::platform
