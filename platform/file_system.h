// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file-system seam of the core. Everything the walk, the run, the undo, the
// special strings and the listing export do on disk goes through this interface, so
// the real file system and the in-memory fake are interchangeable.
//
// Paths are byte strings: no encoding is assumed or checked.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

/// True for the path separators: "/" on Linux; "\" and "/" on Windows. (The colon of a
/// drive-relative path such as "C:name" also ends a folder part; FolderPart knows it.)
constexpr bool IsSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

/// Whether the system's file names compare without regard to case ("report.txt" and
/// "REPORT.TXT" name one file).
#ifdef _WIN32
inline constexpr bool kNamesIgnoreCase = true;
#else
inline constexpr bool kNamesIgnoreCase = false;
#endif

/// Whether a leading "." hides an entry: on Linux it does; Windows lists every entry.
#ifdef _WIN32
inline constexpr bool kLeadingDotHides = false;
#else
inline constexpr bool kLeadingDotHides = true;
#endif

constexpr bool IsHiddenName(std::string_view name) {
  return kLeadingDotHides && !name.empty() && name.front() == '.';
}

struct DirEntry {
  std::string name;  ///< entry name without folder; never "." or ".."
  /// A real folder. A symbolic link is never one, whatever it points to: listings never
  /// follow links, so a walk can neither leave its folder nor loop.
  bool isDirectory = false;
};

/// What every folder listing and probe leaves out: hidden entries unless they are asked
/// for, and the program's own folder with everything in it.
struct ListingRules {
  bool includeHidden = false;
  std::string programFolder;  ///< "" when there is none to leave out
};

/// A local calendar time, as the date special string and the listing export show it.
struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct EntryInfo {
  bool isDirectory = false;
  std::uint64_t size = 0;  ///< 0 for folders
  LocalTime lastWrite;     ///< last-write time converted to local time
  std::int64_t lastWriteTime = 0;  ///< last-write time as a number that orders instants (finer than seconds)
};

enum class EntryKind { Missing, File, Directory };

/// An entry as it is itself (lstat): a link is a link, dangling or not, never what it points to.
struct EntryStatus {
  enum class Kind { Missing, RegularFile, Directory, Link, Other } kind = Kind::Missing;
  std::uint64_t size = 0;  ///< of a regular file
  /// Where the system tells: the file's identity on its device and its number of names
  /// (hard links); 0 where unknown.
  std::uint64_t device = 0, inode = 0, links = 0;
  /// Where the system tells: the last change of the file's data and of its entry, in
  /// nanoseconds; 0 where unknown.
  std::int64_t modified = 0, changed = 0;
  bool present() const { return kind != Kind::Missing; }
  /// Both are names of one regular file: one inode, or, where a file system numbers each
  /// name on its own (FUSE without inode numbers of its own), a file of several names whose
  /// size and both times agree to the nanosecond.
  bool sameFileAs(const EntryStatus& other) const {
    if (kind != Kind::RegularFile || other.kind != Kind::RegularFile) return false;
    if (inode != 0 && inode == other.inode && device == other.device) return true;
    return links >= 2 && other.links >= 2 && size == other.size && changed != 0 && changed == other.changed &&
           modified == other.modified;
  }
};

/// Why openLockedAppend gave nothing.
enum class LockFailure {
  None,
  Locked,    ///< another process holds the lock
  Unusable,  ///< not a regular file, or it cannot be opened or created
};

/// The largest file readFile reads: far beyond any log or list the program writes.
inline constexpr std::uint64_t kReadFileLimit = 512ull << 20;

enum class RenameStatus {
  Renamed,
  TargetExists,  ///< refused: an entry of the new name exists; nothing was replaced
  Failed,        ///< any other refusal (vanished source, permissions, read-only medium)
};

/// An open, exclusively locked file that takes whole appends (the run journal). After a
/// crash it may end in zero bytes past its last append.
class AppendLog {
 public:
  virtual ~AppendLog() = default;
  /// Appends the bytes in one write call; false when the write failed or was short.
  virtual bool append(std::string_view bytes) = 0;
  /// Forces what was appended to the disk.
  virtual bool sync() = 0;
  /// Cuts the file back to a size it had before (drops a record that did not happen).
  virtual bool truncateTo(std::uint64_t size) = 0;
  /// Makes what was appended the file `destination`, replacing it atomically: synced, left
  /// read-only and moved into place, so the bytes are not written a second time. False
  /// when it could not (or this file system does not do it): the caller writes the file.
  virtual bool sealAs(const std::string& destination) {
    static_cast<void>(destination);
    return false;
  }
};

/// Told by a rename that must first claim its new name with an empty entry of its own (a
/// file system that renames only by replacing): the claim is recorded before the entry is
/// made, so an empty entry left by an interrupted rename can be told from anything else.
class ClaimJournal {
 public:
  virtual ~ClaimJournal() = default;
  /// Before the empty entry at path is made; false: it must not be (the rename fails).
  virtual bool claiming(const std::string& path) = 0;
  /// The rename went over the claim, or the claim was removed again.
  virtual void claimed(const std::string& path) = 0;
  /// Before an item moves aside from `from` to the temporary path tmp on its way to `to` (a
  /// change of case only, where names ignore case): both steps are recorded, so an item
  /// left under tmp by an interrupted rename is found. False: it must not move (the rename
  /// fails). claimed(tmp) follows once the item is at `to` or back at `from`.
  virtual bool steppingAside(const std::string& from, const std::string& tmp, const std::string& to) = 0;
};

/// A folder held open while it is read and entries in it are renamed by name: the system
/// does not walk the folder's path again, so it stays the folder that was opened whatever
/// happens to the folders above it, and its depth does not matter. Renames as
/// FileSystem::rename does.
class OpenFolder {
 public:
  virtual ~OpenFolder() = default;
  virtual RenameStatus rename(std::string_view fromName, std::string_view toName) = 0;
  /// Every entry, as readFolder gives them; null when the folder cannot be read.
  virtual std::shared_ptr<const std::vector<DirEntry>> entries() = 0;
  /// The subfolder of this name, opened relative to this folder and never through a link:
  /// a folder swapped for a link since it was listed is not entered. Null when it cannot be
  /// opened; why then holds the system's reason.
  virtual std::unique_ptr<OpenFolder> openSubfolder(std::string_view name, std::string& why) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  /// Every entry of a folder except "." and "..", hidden ones included, in the order the
  /// system returns them. Empty optional when the folder cannot be read.
  virtual std::optional<std::vector<DirEntry>> readFolder(const std::string& folder) = 0;

  /// readFolder's entries, shared (null when the folder cannot be read): a file system that
  /// keeps listings hands out the one it keeps instead of a copy.
  virtual std::shared_ptr<const std::vector<DirEntry>> sharedFolder(const std::string& folder);

  /// readFolder without what the listing rules leave out, sorted the way a Windows file
  /// system lists a folder: by name, compared case-insensitively (ASCII upper case, then
  /// bytes). Every walk and listing uses this order, so ordered numbers follow the names
  /// and never the disk's hash order. The program folder itself lists as empty.
  std::optional<std::vector<DirEntry>> listFolder(const std::string& folder);
  /// listFolder of an open folder (whose path is folder), read through it.
  std::optional<std::vector<DirEntry>> listFolder(OpenFolder& open, const std::string& folder);

  /// Sets what listings leave out from now on. The program folder is known by the path
  /// given and by its canonical path.
  void setListingRules(const ListingRules& rules);
  bool includesHidden() const { return includeHidden_; }
  /// True when a listing of `folder` leaves this entry out.
  bool leavesOut(std::string_view folder, const DirEntry& entry) const;
  /// True for the program folder and every path inside it.
  bool inProgramFolder(std::string_view path) const;
  /// The path with its links, "." and ".." resolved; the path itself when that fails.
  virtual std::string canonicalPath(const std::string& path) { return path; }

  /// What a path names now, from one status query (links are followed).
  virtual EntryKind kind(const std::string& path) = 0;
  bool exists(const std::string& path) { return kind(path) != EntryKind::Missing; }
  bool isDirectory(const std::string& path) { return kind(path) == EntryKind::Directory; }
  /// The entry itself, links not followed.
  virtual EntryStatus entryStatus(const std::string& path) = 0;
  /// Whether the path names a symbolic link (where it points is not looked at).
  virtual bool isLink(const std::string& path) {
    static_cast<void>(path);
    return false;
  }
  /// Size, kind and last-write time of one entry; empty when it cannot be read.
  virtual std::optional<EntryInfo> entryInfo(const std::string& path) = 0;

  /// Renames within the file system and never replaces an existing entry, not even one
  /// that appears between a check and this call.
  virtual RenameStatus rename(const std::string& from, const std::string& to) = 0;

  /// Opens a folder to read it and rename its entries; null when it cannot be opened. This
  /// one reads and renames by the joined paths.
  virtual std::unique_ptr<OpenFolder> openFolder(const std::string& folder);

  /// Whole-file read of a regular file of at most kReadFileLimit bytes, opened without
  /// blocking; empty optional for anything else (a FIFO, a device, a folder, a huge file).
  virtual std::optional<std::string> readFile(const std::string& path) = 0;
  /// The system's reason for the last rename that answered Failed ("" when unknown).
  virtual std::string lastFailure() const { return {}; }
  /// Writes the file beside its target and moves it into place, so a crash leaves either
  /// the old or the new content. A read-only target is replaced all the same; with
  /// readOnly the new file is left read-only.
  virtual bool writeFileAtomic(const std::string& path, std::string_view content,
                               bool readOnly) = 0;
  /// Deletes a file, clearing its read-only mark first.
  virtual bool removeFile(const std::string& path) = 0;
  /// Creates the folder and its missing parents.
  virtual bool makeFolders(const std::string& path) = 0;
  /// Removes an empty folder (never one with entries).
  virtual bool removeFolder(const std::string& path) = 0;
  /// Makes the folder's entries (names created, renamed or removed in it) durable.
  virtual bool syncFolder(const std::string& folder) {
    static_cast<void>(folder);
    return true;
  }
  /// Where renames that claim their new name first record the claim (null: nowhere).
  virtual void setClaimJournal(ClaimJournal* journal) { claimJournal_ = journal; }

  /// Opens (creating) a regular file for appending and takes an exclusive advisory lock on
  /// it; null when it cannot be opened or another process holds the lock (why says which).
  virtual std::unique_ptr<AppendLog> openLockedAppend(const std::string& path, LockFailure* why = nullptr) = 0;
  /// True when a regular file exists and no other process holds its lock.
  virtual bool isUnlocked(const std::string& path) = 0;

 protected:
  /// Leaves out from now on what the other file system's listings leave out.
  void copyListingRules(const FileSystem& other) {
    includeHidden_ = other.includeHidden_;
    programFolders_ = other.programFolders_;
  }
  ClaimJournal* claimJournal() const { return claimJournal_; }

 private:
  /// A listing without what the rules leave out, in the folder order.
  std::optional<std::vector<DirEntry>> listShared(const std::shared_ptr<const std::vector<DirEntry>>& all,
                                                  const std::string& folder) const;

  bool includeHidden_ = false;
  std::vector<std::string> programFolders_;
  ClaimJournal* claimJournal_ = nullptr;
};

/// The machine's own file system.
FileSystem& RealFileSystem();

/// The folder order: ASCII case-insensitive, then bytes.
bool FolderOrderLess(std::string_view a, std::string_view b);

/// Sorts entries into the folder order.
void SortInFolderOrder(std::vector<DirEntry>& entries);

/// Joins folder and name with exactly one separator between them.
std::string JoinPath(std::string_view folder, std::string_view name);

/// The last component of a path (a trailing separator ignored).
std::string LastComponent(std::string_view path);

/// True for a path that names its place from a root, never from the current folder: "/..."
/// on Linux; "C:\...", "C:/...", a share "\\server\..." or "\..." on Windows.
bool IsAbsolutePath(std::string_view path);

/// The path made absolute against `currentFolder` (when it is not already) and normalised:
/// no "." or ".." components (".." never climbs above the root), no doubled separators, no
/// separator at the end unless the path is a root. Lexical: links are not resolved.
std::string NormalPath(std::string_view path, std::string_view currentFolder);

/// True for a root path: "/" on Linux; "C:\", "C:", "\" or a share "\\server\share" on Windows.
bool IsRootPath(std::string_view path);

}  // namespace velmora::platform
