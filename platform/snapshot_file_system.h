// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file system that reads each folder once while nothing changes in it: the checks before
// a run (the probe of the first target item, the sample name) and the walk's first listing
// then share one read of a folder of 100,000 photos instead of reading it three times.
// A change made through it (a rename, a write, a removal) drops the saved listings of the
// folders it touched: the folder the entry is in, and the entry's own subtree.
//
// A folder's date and size stay as they were before the first rename made in it through the
// snapshot: a run that renames the entries of a folder before the folder itself (its
// subfolders, or a hand-picked folder after its entries) names the folder by the date it had,
// as the preview did.

#include <cstdint>
#include <map>

#include "platform/file_system.h"

namespace velmora::platform {

class SnapshotFileSystem final : public FileSystem {
 public:
  /// Lists as inner does: its listing rules are taken over.
  explicit SnapshotFileSystem(FileSystem& inner) : inner_(inner) { copyListingRules(inner); }

  std::optional<std::vector<DirEntry>> readFolder(const std::string& folder) override;
  std::shared_ptr<const std::vector<DirEntry>> sharedFolder(const std::string& folder) override;
  EntryKind kind(const std::string& path) override { return inner_.kind(path); }
  EntryStatus entryStatus(const std::string& path) override { return inner_.entryStatus(path); }
  bool isLink(const std::string& path) override { return inner_.isLink(path); }
  std::optional<EntryInfo> entryInfo(const std::string& path) override;
  RenameStatus rename(const std::string& from, const std::string& to) override;
  std::unique_ptr<OpenFolder> openFolder(const std::string& folder) override;
  std::optional<std::string> readFile(const std::string& path) override { return inner_.readFile(path); }
  bool writeFileAtomic(const std::string& path, std::string_view content, bool readOnly) override;
  bool removeFile(const std::string& path) override;
  bool makeFolders(const std::string& path) override;
  bool removeFolder(const std::string& path) override {
    forget(path);
    return inner_.removeFolder(path);
  }
  bool syncFolder(const std::string& folder) override { return inner_.syncFolder(folder); }
  void setClaimJournal(ClaimJournal* journal) override { inner_.setClaimJournal(journal); }
  std::unique_ptr<AppendLog> openLockedAppend(const std::string& path, LockFailure* why = nullptr) override;
  std::string lastFailure() const override { return inner_.lastFailure(); }
  bool isUnlocked(const std::string& path) override { return inner_.isUnlocked(path); }
  std::string canonicalPath(const std::string& path) override { return inner_.canonicalPath(path); }

  /// Drops the saved listings that a change of the entry at path makes stale.
  void forget(std::string_view path);
  /// Whether a saved listing's path starts with prefix (only those can be of a folder
  /// at or below the folder prefix names).
  bool holdsListingsAt(std::string_view prefix) const;
  /// How many listings were saved so far: while it stays the same, no listing came to be.
  std::uint64_t listingsSaved() const { return listingsSaved_; }
  /// Keeps the folder's information as it is now, before the first rename in it.
  void keepInfo(std::string_view folder);
  /// An entry moved from or to this path: information kept for the path is of no entry there.
  void dropInfo(std::string_view path);
  /// Whether information is kept for an entry right in this folder.
  bool keepsInfoIn(std::string_view folder) const;
  /// How many folders' information was kept so far.
  std::uint64_t infosKept() const { return infosKept_; }

 private:
  FileSystem& inner_;
  /// The saved listings; null for a folder that could not be read.
  std::map<std::string, std::shared_ptr<const std::vector<DirEntry>>, std::less<>> saved_;
  std::uint64_t listingsSaved_ = 0;
  /// Folders' information from before the first rename in them.
  std::map<std::string, std::optional<EntryInfo>, std::less<>> infos_;
  std::uint64_t infosKept_ = 0;
};

}  // namespace velmora::platform
