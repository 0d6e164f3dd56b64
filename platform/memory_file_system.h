// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An in-memory file system for tests and fuzzing. It behaves like the real one (sorted
// listings, no-replace renames that move whole subtrees) and records every rename it was
// asked for, so a test can prove that no rename was attempted, or in which order.

#include <map>
#include <set>

#include "platform/file_system.h"

namespace velmora::platform {

class MemoryFileSystem final : public FileSystem {
 public:
  struct Node {
    bool isDirectory = false;
    std::uint64_t size = 0;
    LocalTime lastWrite{2007, 5, 1, 12, 0, 0};
    std::string content;
    bool readOnly = false;
  };

  /// Adds a file (and its missing parent folders).
  void addFile(const std::string& path, std::uint64_t size = 0, LocalTime time = {2007, 5, 1, 12, 0, 0});
  /// Adds a folder (and its missing parents).
  void addFolder(const std::string& path);
  /// Paths of every entry, sorted by bytes.
  std::vector<std::string> allPaths() const;
  /// Every rename asked for, successful or not, as "from -> to".
  const std::vector<std::string>& renameCalls() const { return renameCalls_; }
  /// How many times kind() was asked: each is a status query the real system would make.
  std::size_t kindCalls() const { return kindCalls_; }
  /// Makes renames of this source path fail, as a locked file would.
  void lockPath(const std::string& path) { locked_.insert(path); }
  const Node* node(const std::string& path) const;
  /// Appends beyond this size are written short and fail, as on a full disk.
  void limitAppends(std::uint64_t bytes) { appendLimit_ = bytes; }
  /// Whole-file writes fail (and leave the file as it was), as on a full disk.
  void failWholeWrites(bool fail) { failWholeWrites_ = fail; }
  /// Names compare without regard to ASCII case from now on, as on FAT cards and SMB
  /// shares: a path finds the entry whose path matches it, each keeping its own spelling.
  void ignoreCase(bool ignore) { ignoreCase_ = ignore; }

  std::optional<std::vector<DirEntry>> readFolder(const std::string& folder) override;
  EntryKind kind(const std::string& path) override;
  EntryStatus entryStatus(const std::string& path) override;
  std::optional<EntryInfo> entryInfo(const std::string& path) override;
  RenameStatus rename(const std::string& from, const std::string& to) override;
  std::optional<std::string> readFile(const std::string& path) override;
  bool writeFileAtomic(const std::string& path, std::string_view content, bool readOnly) override;
  bool removeFile(const std::string& path) override;
  bool makeFolders(const std::string& path) override;
  bool removeFolder(const std::string& path) override;
  std::unique_ptr<AppendLog> openLockedAppend(const std::string& path, LockFailure* why = nullptr) override;
  std::string lastFailure() const override { return lastFailure_; }
  bool isUnlocked(const std::string& path) override;

 private:
  static std::string Normalize(std::string path);
  /// kind() without counting it: the fake's own look-ups are no queries of the caller.
  EntryKind kindOf(const std::string& path) const;
  void ensureParents(const std::string& path);
  /// The stored path that a normalised path names (itself unless case is ignored); "" when none.
  std::string stored(const std::string& path) const;

  std::map<std::string, Node> nodes_;
  std::vector<std::string> renameCalls_;
  std::size_t kindCalls_ = 0;
  std::set<std::string> locked_;
  std::set<std::string> heldLocks_;
  std::string lastFailure_;
  std::uint64_t appendLimit_ = UINT64_MAX;
  bool failWholeWrites_ = false;
  bool ignoreCase_ = false;
  friend class MemoryAppendLog;
};

}  // namespace velmora::platform
