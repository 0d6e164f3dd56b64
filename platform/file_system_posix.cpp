// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux file system: sorted folder listings, no-replace renames, atomic writes and
// the locked append file of the run journal.

#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/file_system.h"
#include "platform/rename_faults.h"

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace velmora::platform {

namespace {

const RenameFaults* g_faults = nullptr;
/// The most entries a listing reserves ahead from its folder's size (40 MiB of address space).
constexpr off_t kMaxReservedEntries = off_t{1} << 20;

// Names relative to the folder dfd (AT_FDCWD: paths as they are).
int RenameNoReplace(const char* from, const char* to, int dfd = AT_FDCWD) {
  if (g_faults && g_faults->noReplaceUnsupported) {
    errno = EINVAL;
    return -1;
  }
#ifdef SYS_renameat2
  return static_cast<int>(syscall(SYS_renameat2, dfd, from, dfd, to, RENAME_NOREPLACE));
#else
  errno = ENOSYS;
  return -1;
#endif
}

int Link(int dfd, const char* from, const char* to) {
  if (g_faults && g_faults->linkError) {
    errno = g_faults->linkError;
    return -1;
  }
  return ::linkat(dfd, from, dfd, to, 0);
}

// Takes the name for an item of this kind: an empty file made with O_EXCL, or an empty
// folder. Either fails with EEXIST when any entry has the name.
// folderPath: the path of dfd ("" for AT_FDCWD), for the test seam.
bool Reserve(int dfd, const char* to, bool folder, const std::string& folderPath) {
  if (g_faults && g_faults->beforeClaim) g_faults->beforeClaim(folderPath.empty() ? to : JoinPath(folderPath, to));
  if (folder) return ::mkdirat(dfd, to, 0700) == 0;
  const int fd = ::openat(dfd, to, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// A folder whose path is too long for the system to take whole: the longest leading part
// that fits is opened as any path is, then each further component relative to the folder
// before it, never through a link (nor "." or ".."), so what is reached lies inside the
// folder that leading part names. -1 (errno set) when it cannot be opened so.
int OpenLongFolder(const std::string& folder) {
  std::size_t end = folder.rfind('/', PATH_MAX - 1);
  if (end == std::string::npos || end == 0) {
    errno = ENAMETOOLONG;
    return -1;
  }
  int fd = ::open(folder.substr(0, end).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  std::string name;
  while (fd >= 0 && end < folder.size()) {
    const std::size_t next = std::min(folder.find('/', end + 1), folder.size());
    name.assign(folder, end + 1, next - end - 1);
    end = next;
    if (name.empty()) continue;
    int sub = -1;
    errno = EINVAL;
    if (name != "." && name != "..") sub = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int err = errno;
    ::close(fd);
    errno = err;
    fd = sub;
  }
  return fd;
}

// The open parent folder and the name of a path too long to be taken whole.
class LongPath {
 public:
  explicit LongPath(const std::string& path) {
    const std::size_t cut = path.find_last_of('/');
    if (cut == std::string::npos || cut == 0 || cut + 1 == path.size()) return;
    fd_ = OpenLongFolder(path.substr(0, cut));
    name_ = path.substr(cut + 1);
  }
  ~LongPath() {
    if (fd_ >= 0) ::close(fd_);
  }
  LongPath(const LongPath&) = delete;
  LongPath& operator=(const LongPath&) = delete;
  bool open() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const char* name() const { return name_.c_str(); }

 private:
  int fd_ = -1;
  std::string name_;
};

// stat (follow) or lstat of a path; one too long to be taken whole through its parent.
bool StatPath(const std::string& path, struct stat& st, bool follow) {
  if (path.empty()) return false;
  if ((follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) == 0) return true;
  if (errno != ENAMETOOLONG) return false;
  const LongPath at(path);
  return at.open() && ::fstatat(at.fd(), at.name(), &st, follow ? 0 : AT_SYMLINK_NOFOLLOW) == 0;
}

bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string ParentFolder(const std::string& path) {
  std::size_t cut = path.find_last_of('/');
  if (cut == std::string::npos) return ".";
  if (cut == 0) return "/";
  return path.substr(0, cut);
}

bool SyncFolder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

// The run journal, written through a shared mapping of the file: a record costs a copy
// and no system call. Once the copy is done the bytes are in the page cache, so they
// survive a kill of the process exactly as bytes given to write() do. The file grows in
// reserved steps (fallocate): a full disk fails an append instead of faulting later, and
// the bytes past the last record stay zero. The steps start small and double up to 1 MiB:
// on a file system in memory a reservation costs its pages, and a run of ten renames
// needs one page, not 256. Names never hold a NUL, so recovery takes the
// bytes up to the first NUL; a record copied only in part always has a NUL inside it.
// Only a window of the file is mapped at a time, so the journal costs little memory.
class PosixAppendLog final : public AppendLog {
 public:
  PosixAppendLog(int fd, std::string path, std::uint64_t size) : fd_(fd), path_(std::move(path)), used_(size) {}
  ~PosixAppendLog() override {
    // Closed by its holder: the zero tail of the last step goes.
    if (unmap()) static_cast<void>(::ftruncate(fd_, static_cast<off_t>(used_)));
    ::close(fd_);
  }
  PosixAppendLog(const PosixAppendLog&) = delete;
  PosixAppendLog& operator=(const PosixAppendLog&) = delete;

  bool append(std::string_view bytes) override {
    if (bytes.empty()) return true;
    if (!fits(bytes.size())) return false;
    std::memcpy(map_ + (used_ - mapStart_), bytes.data(), bytes.size());
    used_ += bytes.size();
    return true;
  }

  bool sync() override { return ::fdatasync(fd_) == 0; }

  bool truncateTo(std::uint64_t size) override {
    if (size > used_) return false;
    if (map_ && size >= mapStart_) {
      // The bytes are dropped by zeroing them: the file keeps its reserved size.
      std::memset(map_ + (size - mapStart_), 0, used_ - size);
    } else {
      unmap();
      if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) return false;
    }
    used_ = size;
    return true;
  }

  bool sealAs(const std::string& destination) override {
    unmap();
    if (::ftruncate(fd_, static_cast<off_t>(used_)) != 0 || ::fchmod(fd_, 0444) != 0 || ::fsync(fd_) != 0) return false;
    // Replacing the previous log is the point here; the rename is atomic.
    if (::rename(path_.c_str(), destination.c_str()) != 0) return false;
    SyncFolder(ParentFolder(destination));
    return true;
  }

 private:
  static constexpr std::uint64_t kFirstStep = 16u << 10;
  static constexpr std::uint64_t kMaxStep = 1u << 20;

  // Makes room for n more bytes in the mapped window, reserving and mapping a new window
  // from the page of the end on when they do not fit.
  bool fits(std::size_t n) {
    if (map_ && used_ + n <= mapStart_ + mapLength_) return true;
    const std::uint64_t page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    const std::uint64_t start = used_ / page * page;
    const std::uint64_t length = std::max<std::uint64_t>(step_, (used_ + n - start + page - 1) / page * page);
    if (::posix_fallocate(fd_, static_cast<off_t>(start), static_cast<off_t>(length)) != 0) return false;
    step_ = std::min(2 * step_, kMaxStep);
    void* map = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, static_cast<off_t>(start));
    if (map == MAP_FAILED) return false;
    unmap();
    map_ = static_cast<char*>(map);
    mapStart_ = start;
    mapLength_ = length;
    return true;
  }

  bool unmap() {
    if (!map_) return false;
    ::munmap(map_, mapLength_);
    map_ = nullptr;
    return true;
  }

  int fd_;
  std::string path_;
  std::uint64_t used_;
  char* map_ = nullptr;
  std::uint64_t mapStart_ = 0;
  std::uint64_t mapLength_ = 0;
  std::uint64_t step_ = kFirstStep;
};

// Every entry of an open folder stream but "." and "..", which it closes.
std::vector<DirEntry> ReadEntries(DIR* dir) {
  const int dfd = ::dirfd(dir);
  std::vector<DirEntry> entries;
  // A folder's size tells how many entries it holds, roughly and rather more than fewer
  // (tmpfs counts 20 bytes an entry, ext4 at least 12): reserved once, a large listing is
  // not moved again and again as it grows. What is reserved and never filled costs no memory.
  struct stat folderStat;
  if (::fstat(dfd, &folderStat) == 0 && folderStat.st_size > 0)
    entries.reserve(static_cast<std::size_t>(std::min<off_t>(folderStat.st_size / 16, kMaxReservedEntries)));
  while (struct dirent* e = ::readdir(dir)) {
    const char* n = e->d_name;
    if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
    // The type comes with the listing; a link is never taken for the folder it points to.
    bool isDir = e->d_type == DT_DIR;
    if (e->d_type == DT_UNKNOWN) {
      struct stat st;
      isDir = ::fstatat(dfd, n, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
    }
    entries.push_back(DirEntry{n, isDir});
  }
  ::closedir(dir);
  return entries;
}

class PosixFileSystem final : public FileSystem {
 public:
  std::optional<std::vector<DirEntry>> readFolder(const std::string& folder) override {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir && errno == ENAMETOOLONG) {
      const int fd = OpenLongFolder(folder);
      if (fd >= 0 && !(dir = ::fdopendir(fd))) ::close(fd);
    }
    if (!dir) return std::nullopt;
    return ReadEntries(dir);
  }

  bool isLink(const std::string& path) override {
    struct stat st;
    return !path.empty() && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  }

  std::string canonicalPath(const std::string& path) override {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    std::string out(resolved);
    ::free(resolved);
    return out;
  }

  EntryKind kind(const std::string& path) override {
    struct stat st;
    if (!StatPath(path, st, true)) return EntryKind::Missing;
    return S_ISDIR(st.st_mode) ? EntryKind::Directory : EntryKind::File;
  }

  EntryStatus entryStatus(const std::string& path) override {
    struct stat st;
    EntryStatus status;
    if (!StatPath(path, st, false)) return status;
    using Kind = EntryStatus::Kind;
    status.kind = S_ISREG(st.st_mode)   ? Kind::RegularFile
                  : S_ISDIR(st.st_mode) ? Kind::Directory
                  : S_ISLNK(st.st_mode) ? Kind::Link
                                        : Kind::Other;
    if (status.kind == Kind::RegularFile) status.size = static_cast<std::uint64_t>(st.st_size);
    status.device = static_cast<std::uint64_t>(st.st_dev);
    status.inode = static_cast<std::uint64_t>(st.st_ino);
    status.links = static_cast<std::uint64_t>(st.st_nlink);
    status.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    status.changed = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return status;
  }

  std::optional<EntryInfo> entryInfo(const std::string& path) override {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
    EntryInfo info;
    info.isDirectory = S_ISDIR(st.st_mode);
    info.size = info.isDirectory ? 0 : static_cast<std::uint64_t>(st.st_size);
    struct tm local {};
    time_t t = st.st_mtim.tv_sec;
    if (!::localtime_r(&t, &local)) return std::nullopt;
    info.lastWrite = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                      local.tm_hour, local.tm_min, local.tm_sec};
    info.lastWriteTime = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return info;
  }

  RenameStatus rename(const std::string& from, const std::string& to) override {
    if (from.empty() || to.empty()) return RenameStatus::Failed;
    if (RenameNoReplace(from.c_str(), to.c_str()) == 0) return RenameStatus::Renamed;
    if (errno == ENAMETOOLONG) return renameLong(from, to);
    return refused(errno, AT_FDCWD, from.c_str(), to.c_str(), {});
  }

  /// A rename in one folder whose path is too long to be taken whole, in that folder opened.
  RenameStatus renameLong(const std::string& from, const std::string& to);

  std::unique_ptr<OpenFolder> openFolder(const std::string& folder) override;

  /// What follows a no-replace rename refused with err: the fallback where the system
  /// lacks the flag, or the refusal. (Where names ignore case, a new spelling of the item's
  /// own name is taken, and the run changes the case through a journalled temporary name.)
  /// The names are relative to the folder dfd, whose path is folderPath (AT_FDCWD and "":
  /// paths as they are).
  RenameStatus refused(int err, int dfd, const char* from, const char* to, const std::string& folderPath) {
    if (err == EEXIST) return RenameStatus::TargetExists;
    if (err == EINVAL || err == ENOSYS || err == ENOTSUP) return fallbackRename(dfd, from, to, folderPath);
    return failed(err);
  }

  std::optional<std::string> readFile(const std::string& path) override {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; only a regular file is read.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > kReadFileLimit) {
      ::close(fd);
      return std::nullopt;
    }
    std::string out;
    out.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    while (true) {
      ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0) {
        if (errno == EINTR) continue;
        ::close(fd);
        return std::nullopt;
      }
      if (n == 0) break;
      out.append(buf, static_cast<std::size_t>(n));
      if (out.size() > kReadFileLimit) {  // it grew while being read
        ::close(fd);
        return std::nullopt;
      }
    }
    ::close(fd);
    return out;
  }

  bool writeFileAtomic(const std::string& path, std::string_view content, bool readOnly) override {
    static std::atomic<unsigned> counter{0};
    const std::string tmp = path + ".tmp." + std::to_string(::getpid()) + "." +
                            std::to_string(counter.fetch_add(1));
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && readOnly) ok = ::chmod(tmp.c_str(), 0444) == 0;
    // Replacing our own file is the point here; the rename is atomic.
    if (ok) ok = ::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) {
      ::unlink(tmp.c_str());
      return false;
    }
    SyncFolder(ParentFolder(path));
    return true;
  }

  bool removeFile(const std::string& path) override {
    ::chmod(path.c_str(), 0644);
    if (::unlink(path.c_str()) == 0) return true;
    return errno == ENAMETOOLONG && removeLong(path, 0);
  }

  bool makeFolders(const std::string& path) override {
    if (path.empty()) return false;
    std::string partial;
    std::size_t pos = 0;
    while (pos != std::string::npos) {
      pos = path.find('/', pos + 1);
      partial = path.substr(0, pos);
      if (partial.empty()) continue;
      if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return kind(path) == EntryKind::Directory;
  }

  bool removeFolder(const std::string& path) override {
    if (path.empty()) return false;
    return ::rmdir(path.c_str()) == 0 || (errno == ENAMETOOLONG && removeLong(path, AT_REMOVEDIR));
  }

  bool syncFolder(const std::string& folder) override { return SyncFolder(folder); }

  std::unique_ptr<AppendLog> openLockedAppend(const std::string& path, LockFailure* why) override {
    LockFailure failure = LockFailure::Unusable;
    // A holder removes its journal while it still holds the lock: a lock taken on a file
    // that is no longer at the path guards nothing, so open the path again.
    for (int attempt = 0; attempt < 10; ++attempt) {
      int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW, 0644);
      if (fd < 0) break;
      struct stat held, named;
      if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
        ::close(fd);
        break;
      }
      if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        failure = LockFailure::Locked;
        break;
      }
      if (::lstat(path.c_str(), &named) == 0 && SameEntry(held, named)) {
        ::fcntl(fd, F_SETFL, 0);  // it may block like any file again
        return std::make_unique<PosixAppendLog>(fd, path, static_cast<std::uint64_t>(held.st_size));
      }
      ::close(fd);
    }
    if (why) *why = failure;
    return nullptr;
  }

  bool isUnlocked(const std::string& path) override {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) return false;
    struct stat st;
    bool free = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);  // closing drops the lock we may have taken
    return free;
  }

  std::string lastFailure() const override { return lastFailure_; }

 private:
  RenameStatus failed(int err) {
    lastFailure_ = std::strerror(err);
    return RenameStatus::Failed;
  }

  std::string lastFailure_;

  static bool removeLong(const std::string& path, int flags) {
    const LongPath at(path);
    if (!at.open()) return false;
    if (!flags) ::fchmodat(at.fd(), at.name(), 0644, 0);
    return ::unlinkat(at.fd(), at.name(), flags) == 0;
  }

  // File systems without RENAME_NOREPLACE: a hard link cannot replace anything, so
  // link + unlink is a safe rename for files. Where links are refused too (and for
  // folders), the new name is reserved first and the item renamed over its own
  // reservation: an entry planted meanwhile makes the reservation fail instead of being
  // replaced.
  RenameStatus fallbackRename(int dfd, const char* from, const char* to, const std::string& folderPath) {
    struct stat st;
    if (::fstatat(dfd, from, &st, AT_SYMLINK_NOFOLLOW) != 0) return failed(errno);
    const bool folder = S_ISDIR(st.st_mode);
    if (!folder) {
      if (Link(dfd, from, to) == 0) {
        if (::unlinkat(dfd, from, 0) == 0) return RenameStatus::Renamed;
        const int err = errno;
        ::unlinkat(dfd, to, 0);
        return failed(err);
      }
      if (errno == EEXIST) return RenameStatus::TargetExists;
    }
    // The claim is recorded first, so an empty entry an interrupted rename leaves is undone.
    const std::string toPath = folderPath.empty() ? std::string(to) : JoinPath(folderPath, to);
    ClaimJournal* journal = claimJournal();
    if (journal && !journal->claiming(toPath)) return failed(EIO);
    struct Claimed {
      ClaimJournal* journal;
      const std::string& to;
      ~Claimed() {
        if (journal) journal->claimed(to);
      }
    } claimed{journal, toPath};
    if (!Reserve(dfd, to, folder, folderPath)) return errno == EEXIST ? RenameStatus::TargetExists : failed(errno);
    if (g_faults && g_faults->afterClaim) g_faults->afterClaim(toPath);
    if (::renameat(dfd, from, dfd, to) == 0) return RenameStatus::Renamed;
    const int err = errno;
    ::unlinkat(dfd, to, folder ? AT_REMOVEDIR : 0);
    return failed(err);
  }
};

// Renames by names relative to the open folder; the rare ways on after a refusal take the
// joined paths.
class PosixFolder final : public OpenFolder {
 public:
  PosixFolder(PosixFileSystem& fs, int fd, std::string folder) : fs_(fs), fd_(fd), folder_(std::move(folder)) {}
  ~PosixFolder() override { ::close(fd_); }
  PosixFolder(const PosixFolder&) = delete;
  PosixFolder& operator=(const PosixFolder&) = delete;

  RenameStatus rename(std::string_view fromName, std::string_view toName) override {
    if (fromName.empty() || toName.empty()) return RenameStatus::Failed;
    from_.assign(fromName);  // reused buffers: the names need their terminating NUL
    to_.assign(toName);
    if (RenameNoReplace(from_.c_str(), to_.c_str(), fd_) == 0) return RenameStatus::Renamed;
    return fs_.refused(errno, fd_, from_.c_str(), to_.c_str(), folder_.empty() ? "." : folder_);
  }

  std::shared_ptr<const std::vector<DirEntry>> entries() override {
    // A stream of its own: reading never moves the position of the folder held open.
    const int fd = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
      if (fd >= 0) ::close(fd);
      return nullptr;
    }
    auto entries = std::make_shared<const std::vector<DirEntry>>(ReadEntries(dir));
    if (g_faults && g_faults->afterListing) g_faults->afterListing(folder_);
    return entries;
  }

  std::unique_ptr<OpenFolder> openSubfolder(std::string_view name, std::string& why) override {
    from_.assign(name);
    const int fd = ::openat(fd_, from_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
      why = std::strerror(errno);
      return nullptr;
    }
    return std::make_unique<PosixFolder>(fs_, fd, JoinPath(folder_, name));
  }

 private:
  PosixFileSystem& fs_;
  int fd_;
  std::string folder_, from_, to_;
};

std::unique_ptr<OpenFolder> PosixFileSystem::openFolder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 && errno == ENAMETOOLONG) fd = OpenLongFolder(folder);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixFolder>(*this, fd, folder);
}

RenameStatus PosixFileSystem::renameLong(const std::string& from, const std::string& to) {
  const std::size_t cut = from.find_last_of('/');
  if (cut == std::string::npos || cut == 0 || to.size() <= cut || to.compare(0, cut + 1, from, 0, cut + 1) != 0 ||
      to.find('/', cut + 1) != std::string::npos)
    return failed(ENAMETOOLONG);
  const auto folder = openFolder(from.substr(0, cut));
  if (!folder) return failed(errno);
  return folder->rename(std::string_view(from).substr(cut + 1), std::string_view(to).substr(cut + 1));
}

}  // namespace

void SetRenameFaults(const RenameFaults* faults) { g_faults = faults; }

FileSystem& RealFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

}  // namespace velmora::platform
