// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows file system through the ANSI calls: folder listings in the file system's
// name order, no-replace renames (MoveFileA), atomic writes of the program's own files and
// the locked append file of the run journal. Paths are ANSI byte strings.

#include "platform/windows_api.h"

#include <algorithm>
#include <atomic>
#include <string>

#include "platform/file_system.h"

namespace velmora::platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The journal's lock is one byte far beyond any real end of file: it marks the holder
// without keeping anyone from reading what was appended.
constexpr DWORD kLockOffsetHigh = 0x40000000;

class Handle {
 public:
  explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~Handle() { reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  HANDLE release() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }
  void reset() {
    if (valid()) ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) ::FindClose(h_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

bool IsDotOrDotDot(const char* n) { return n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)); }

std::string FolderOf(const std::string& path) {
  std::size_t cut = path.size();
  while (cut > 0 && !IsSeparator(path[cut - 1]) && path[cut - 1] != ':') --cut;
  return path.substr(0, cut);
}

// The name under which the file system stores the entry that path reaches (lookups ignore
// case, so it may differ from the last component of path). Empty when it cannot be found.
std::string StoredName(const std::string& path) {
  WIN32_FIND_DATAA data;
  FindHandle find(::FindFirstFileA(path.c_str(), &data));
  if (!find.valid()) return {};
  return data.cFileName;
}

// Case-insensitive equality as the file system compares names: ordinal, after upper-casing
// each UTF-16 unit.
bool NamesEqualNoCase(const std::string& a, const std::string& b) {
  auto wide = [](const std::string& s) {
    std::wstring w;
    const int n = ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0) return w;
    w.resize(static_cast<std::size_t>(n));
    ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
  };
  const std::wstring wa = wide(a), wb = wide(b);
  if (wa.empty() || wb.empty()) return false;
  return ::CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

// True when both paths reach the same file or folder (same volume, same file index).
bool SameEntry(const std::string& a, const std::string& b) {
  auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    Handle h(::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return h.valid() && ::GetFileInformationByHandle(h.get(), &info);
  };
  BY_HANDLE_FILE_INFORMATION ia, ib;
  if (!identify(a, ia) || !identify(b, ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
         ia.nFileIndexLow == ib.nFileIndexLow;
}

bool WriteAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(h, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Where the folders of a path begin: after "C:\", after "\\server\share\", after a
// leading "\", or at 0 for a relative path.
std::size_t RootLength(const std::string& path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    std::size_t seps = 0;
    for (std::size_t i = 2; i < path.size(); ++i) {
      if (IsSeparator(path[i]) && ++seps == 2) return i + 1;
    }
    return path.size();
  }
  if (path.size() >= 2 && path[1] == ':') return (path.size() >= 3 && IsSeparator(path[2])) ? 3 : 2;
  if (!path.empty() && IsSeparator(path[0])) return 1;
  return 0;
}

std::string UniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  return std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(counter.fetch_add(1));
}

class Win32AppendLog final : public AppendLog {
 public:
  explicit Win32AppendLog(HANDLE h) : h_(h) {}
  ~Win32AppendLog() override {
    OVERLAPPED ov{};
    ov.OffsetHigh = kLockOffsetHigh;
    ::UnlockFileEx(h_.get(), 0, 1, 0, &ov);
  }
  Win32AppendLog(const Win32AppendLog&) = delete;
  Win32AppendLog& operator=(const Win32AppendLog&) = delete;

  bool append(std::string_view bytes) override {
    // One write call at the end of the file; nobody else may write it meanwhile.
    DWORD written = 0;
    if (bytes.size() > 0xFFFFFFFFu) return false;
    LARGE_INTEGER zero{};
    return ::SetFilePointerEx(h_.get(), zero, nullptr, FILE_END) &&
           ::WriteFile(h_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }
  bool sync() override { return ::FlushFileBuffers(h_.get()) != 0; }
  bool truncateTo(std::uint64_t size) override {
    LARGE_INTEGER end;
    if (!::GetFileSizeEx(h_.get(), &end) || size > static_cast<std::uint64_t>(end.QuadPart)) return false;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    return ::SetFilePointerEx(h_.get(), at, nullptr, FILE_BEGIN) && ::SetEndOfFile(h_.get());
  }

 private:
  Handle h_;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::optional<std::vector<DirEntry>> readFolder(const std::string& folder) override {
    const std::string pattern = JoinPath(folder.empty() ? std::string(".") : folder, "*.*");
    WIN32_FIND_DATAA data;
    FindHandle find(::FindFirstFileA(pattern.c_str(), &data));
    std::vector<DirEntry> entries;
    if (!find.valid()) {
      // A drive root has no "." and "..": an empty one finds nothing at all.
      if (::GetLastError() == ERROR_FILE_NOT_FOUND && kind(folder.empty() ? "." : folder) == EntryKind::Directory)
        return entries;
      return std::nullopt;
    }
    do {
      if (IsDotOrDotDot(data.cFileName)) continue;
      // A folder that is a reparse point (a link or junction) is never walked into.
      const bool isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                         (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
      entries.push_back(DirEntry{data.cFileName, isDir});
    } while (::FindNextFileA(find.get(), &data));
    if (::GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
    return entries;
  }

  std::string canonicalPath(const std::string& path) override {
    char buffer[MAX_PATH];
    const DWORD n = ::GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    return (n == 0 || n >= MAX_PATH) ? path : std::string(buffer, n);
  }

  EntryKind kind(const std::string& path) override {
    if (path.empty()) return EntryKind::Missing;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Directory : EntryKind::File;
  }

  EntryStatus entryStatus(const std::string& path) override {
    // The attributes of the entry itself: a link or junction is a reparse point, not followed.
    WIN32_FILE_ATTRIBUTE_DATA data;
    EntryStatus status;
    if (path.empty() || !::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return status;
    using Kind = EntryStatus::Kind;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      status.kind = Kind::Link;
    } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      status.kind = Kind::Directory;
    } else {
      status.kind = Kind::RegularFile;
      status.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return status;
  }

  std::optional<EntryInfo> entryInfo(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    EntryInfo info;
    info.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.size = info.isDirectory ? 0
                                 : (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    FILETIME local;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !::FileTimeToSystemTime(&local, &st))
      return std::nullopt;
    info.lastWrite = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    info.lastWriteTime = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                                   data.ftLastWriteTime.dwLowDateTime);
    return info;
  }

  RenameStatus rename(const std::string& from, const std::string& to) override {
    if (from.empty() || to.empty()) return RenameStatus::Failed;
    if (from == to) return RenameStatus::TargetExists;  // the name is taken, by the item itself
    // MoveFileA without MOVEFILE_REPLACE_EXISTING never replaces an existing entry.
    if (::MoveFileA(from.c_str(), to.c_str())) {
      // A rename that changes only the case may be reported done while the stored name
      // kept its old case (wine does this): finish it through a temporary name.
      const std::string stored = StoredName(to);
      const std::string wanted = LastComponent(to);
      if (!stored.empty() && stored != wanted && NamesEqualNoCase(stored, wanted))
        return caseOnlyRename(FolderOf(to) + stored, to);
      return RenameStatus::Renamed;
    }
    const DWORD err = ::GetLastError();
    if (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS) {
      // Names compare without case: the entry found may be the item itself.
      if (SameEntry(from, to)) return caseOnlyRename(from, to);
      return RenameStatus::TargetExists;
    }
    lastFailure_ = "Windows error " + std::to_string(err);
    return RenameStatus::Failed;
  }

  std::string lastFailure() const override { return lastFailure_; }

  std::optional<std::string> readFile(const std::string& path) override {
    Handle h(::CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h.valid() || ::GetFileType(h.get()) != FILE_TYPE_DISK) return std::nullopt;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(h.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > kReadFileLimit)
      return std::nullopt;
    std::string out;
    char buf[65536];
    while (true) {
      DWORD n = 0;
      if (!::ReadFile(h.get(), buf, sizeof buf, &n, nullptr)) return std::nullopt;
      if (n == 0) break;
      out.append(buf, n);
    }
    return out;
  }

  bool writeFileAtomic(const std::string& path, std::string_view content, bool readOnly) override {
    const std::string tmp = path + ".tmp." + UniqueSuffix();
    {
      Handle h(::CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!h.valid()) return false;
      if (!WriteAll(h.get(), content) || !::FlushFileBuffers(h.get())) {
        h.reset();
        ::DeleteFileA(tmp.c_str());
        return false;
      }
    }
    bool ok = !readOnly || ::SetFileAttributesA(tmp.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    // A read-only target cannot be replaced: it becomes archive only first.
    const DWORD before = ::GetFileAttributesA(path.c_str());
    const bool cleared = ok && before != INVALID_FILE_ATTRIBUTES &&
                         (before & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
                         ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    if (ok) ok = ::MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
      if (cleared) ::SetFileAttributesA(path.c_str(), before);
      ::SetFileAttributesA(tmp.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileA(tmp.c_str());
    }
    return ok;
  }

  bool removeFile(const std::string& path) override {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ::DeleteFileA(path.c_str()) != 0;
  }

  bool removeFolder(const std::string& path) override {
    return !path.empty() && ::RemoveDirectoryA(path.c_str()) != 0;
  }

  bool makeFolders(const std::string& path) override {
    if (path.empty()) return false;
    for (std::size_t i = RootLength(path); i <= path.size(); ++i) {
      if (i < path.size() && !IsSeparator(path[i])) continue;
      if (i == 0 || IsSeparator(path[i - 1])) continue;  // no component ends here
      const std::string partial = path.substr(0, i);
      if (!::CreateDirectoryA(partial.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS &&
          kind(partial) != EntryKind::Directory)
        return false;
    }
    return kind(path) == EntryKind::Directory;
  }

  std::unique_ptr<AppendLog> openLockedAppend(const std::string& path, LockFailure* why) override {
    // Others may read and delete the journal, never write it; the lock marks the holder.
    Handle h(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) {
      if (why) *why = ::GetLastError() == ERROR_SHARING_VIOLATION ? LockFailure::Locked : LockFailure::Unusable;
      return nullptr;
    }
    OVERLAPPED ov{};
    ov.OffsetHigh = kLockOffsetHigh;
    if (!::LockFileEx(h.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov)) {
      if (why) *why = LockFailure::Locked;
      return nullptr;
    }
    return std::make_unique<Win32AppendLog>(h.release());
  }

  bool isUnlocked(const std::string& path) override {
    // Denying write sharing fails while a holder has the journal open for appending.
    Handle h(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) return false;
    OVERLAPPED ov{};
    ov.OffsetHigh = kLockOffsetHigh;
    if (!::LockFileEx(h.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov)) return false;
    ::UnlockFileEx(h.get(), 0, 1, 0, &ov);
    return true;
  }

 private:
  std::string lastFailure_;

  // from and to name the same entry in different case: move it aside under a name of its
  // own, then to the wanted name. Put back under its old name if that fails. Both steps are
  // in the claim journal before the first, so an item that a kill leaves under the
  // temporary name is found; their record goes once the item is at either name again.
  RenameStatus caseOnlyRename(const std::string& from, const std::string& to) {
    const std::string folder = FolderOf(to);
    ClaimJournal* journal = claimJournal();
    std::string tmp;
    for (int attempt = 0; attempt < 100 && tmp.empty(); ++attempt) {
      std::string candidate = folder + "~vlm" + UniqueSuffix() + ".tmp";
      if (journal && !journal->steppingAside(from, candidate, to)) return RenameStatus::Failed;
      if (::MoveFileA(from.c_str(), candidate.c_str())) {
        tmp = std::move(candidate);
      } else {
        const DWORD err = ::GetLastError();
        if (journal) journal->claimed(candidate);
        if (err != ERROR_ALREADY_EXISTS && err != ERROR_FILE_EXISTS) return RenameStatus::Failed;
      }
    }
    if (tmp.empty()) return RenameStatus::Failed;
    if (::MoveFileA(tmp.c_str(), to.c_str())) {
      if (journal) journal->claimed(tmp);
      return RenameStatus::Renamed;
    }
    const DWORD err = ::GetLastError();
    // An item that cannot be put back stays recorded under the temporary name.
    if (::MoveFileA(tmp.c_str(), from.c_str()) && journal) journal->claimed(tmp);
    return (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS) ? RenameStatus::TargetExists
                                                                      : RenameStatus::Failed;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static Win32FileSystem fs;
  return fs;
}

}  // namespace velmora::platform
