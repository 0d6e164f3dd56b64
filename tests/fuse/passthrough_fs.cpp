// SPDX-License-Identifier: GPL-3.0-or-later
// A FUSE file system for the tests: every entry of a backing folder passed through, with
// switches that make it behave like the file systems a rename meets on removable media and
// network shares:
//   --ignore-case   names compare case-insensitively (ASCII letters), the spelling kept as
//                   created; each spelling of a name reports an inode number of its own
//   --no-noreplace  renames with flags (RENAME_NOREPLACE) are refused with EINVAL
//   --no-links      hard links are refused with EPERM
// Usage: velmora_test_fuse [switches] BACKING MOUNTPOINT  (stays in the foreground)

#define FUSE_USE_VERSION 31

#include <dirent.h>
#include <fcntl.h>
#include <fuse.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Switches {
  bool ignoreCase = false;
  bool noNoReplace = false;
  bool noLinks = false;
  std::string backing;
};
Switches g;

bool EqualsNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char x = *a, y = *b;
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return *a == *b;
}

// The backing path of a mounted path: each component as spelt, or, ignoring case, the
// entry whose name matches it. found says whether the entry exists; a missing last
// component keeps the spelling asked for (the name a create or rename would give).
std::string Resolve(const char* path, bool* found = nullptr) {
  std::string real = g.backing;
  bool exists = true;
  std::string rest(path);
  std::size_t pos = 0;
  while (pos < rest.size()) {
    while (pos < rest.size() && rest[pos] == '/') ++pos;
    if (pos >= rest.size()) break;
    const std::size_t end = rest.find('/', pos);
    std::string part = rest.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? rest.size() : end;
    struct stat st;
    std::string candidate = real + "/" + part;
    if (exists && ::lstat(candidate.c_str(), &st) != 0) {
      exists = false;
      if (g.ignoreCase) {
        if (DIR* dir = ::opendir(real.c_str())) {
          while (struct dirent* e = ::readdir(dir)) {
            if (EqualsNoCase(e->d_name, part.c_str())) {
              candidate = real + "/" + e->d_name;
              exists = true;
              break;
            }
          }
          ::closedir(dir);
        }
      }
    }
    real = candidate;
  }
  if (found) *found = exists;
  return real;
}

std::string ParentOf(const std::string& real) { return real.substr(0, real.find_last_of('/')); }
std::string NameOf(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}
// Where a new entry of this mounted path goes: its resolved folder and the name as spelt.
std::string NewEntry(const char* path) { return ParentOf(Resolve(path)) + "/" + NameOf(path); }

int Err(int result) { return result < 0 ? -errno : 0; }

int GetAttr(const char* path, struct stat* st, fuse_file_info*) {
  bool found;
  const std::string real = Resolve(path, &found);
  if (!found) return -ENOENT;
  return Err(::lstat(real.c_str(), st));
}

int ReadDir(const char* path, void* buf, fuse_fill_dir_t fill, off_t, fuse_file_info*, fuse_readdir_flags) {
  DIR* dir = ::opendir(Resolve(path).c_str());
  if (!dir) return -errno;
  while (struct dirent* e = ::readdir(dir)) fill(buf, e->d_name, nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
  ::closedir(dir);
  return 0;
}

int Create(const char* path, mode_t mode, fuse_file_info* fi) {
  bool found;
  std::string real = Resolve(path, &found);
  if (found && (fi->flags & O_EXCL)) return -EEXIST;
  if (!found) real = NewEntry(path);
  const int fd = ::open(real.c_str(), fi->flags, mode);
  if (fd < 0) return -errno;
  fi->fh = static_cast<uint64_t>(fd);
  return 0;
}

int Open(const char* path, fuse_file_info* fi) {
  const int fd = ::open(Resolve(path).c_str(), fi->flags);
  if (fd < 0) return -errno;
  fi->fh = static_cast<uint64_t>(fd);
  return 0;
}

int Read(const char*, char* buf, size_t size, off_t offset, fuse_file_info* fi) {
  const ssize_t n = ::pread(static_cast<int>(fi->fh), buf, size, offset);
  return n < 0 ? -errno : static_cast<int>(n);
}

int Write(const char*, const char* buf, size_t size, off_t offset, fuse_file_info* fi) {
  const ssize_t n = ::pwrite(static_cast<int>(fi->fh), buf, size, offset);
  return n < 0 ? -errno : static_cast<int>(n);
}

int Release(const char*, fuse_file_info* fi) {
  ::close(static_cast<int>(fi->fh));
  return 0;
}

int Fsync(const char*, int, fuse_file_info* fi) { return Err(::fsync(static_cast<int>(fi->fh))); }

int Mkdir(const char* path, mode_t mode) {
  bool found;
  Resolve(path, &found);
  if (found) return -EEXIST;
  return Err(::mkdir(NewEntry(path).c_str(), mode));
}

int Unlink(const char* path) { return Err(::unlink(Resolve(path).c_str())); }
int Rmdir(const char* path) { return Err(::rmdir(Resolve(path).c_str())); }

int Symlink(const char* target, const char* path) {
  bool found;
  Resolve(path, &found);
  if (found) return -EEXIST;
  return Err(::symlink(target, NewEntry(path).c_str()));
}

int ReadLink(const char* path, char* buf, size_t size) {
  const ssize_t n = ::readlink(Resolve(path).c_str(), buf, size - 1);
  if (n < 0) return -errno;
  buf[n] = 0;
  return 0;
}

int Rename(const char* from, const char* to, unsigned int flags) {
  if (flags && g.noNoReplace) return -EINVAL;
  bool fromFound, toFound;
  const std::string realFrom = Resolve(from, &fromFound);
  if (!fromFound) return -ENOENT;
  std::string realTo = Resolve(to, &toFound);
  if (toFound && (flags & RENAME_NOREPLACE)) return -EEXIST;
  // The item itself under another spelling: it takes the new one.
  if (!toFound || realTo == realFrom) realTo = NewEntry(to);
  return Err(::renameat2(AT_FDCWD, realFrom.c_str(), AT_FDCWD, realTo.c_str(), flags));
}

int Link(const char* from, const char* to) {
  if (g.noLinks) return -EPERM;
  bool found;
  Resolve(to, &found);
  if (found) return -EEXIST;
  return Err(::link(Resolve(from).c_str(), NewEntry(to).c_str()));
}

int Chmod(const char* path, mode_t mode, fuse_file_info*) { return Err(::chmod(Resolve(path).c_str(), mode)); }

int Truncate(const char* path, off_t size, fuse_file_info* fi) {
  if (fi) return Err(::ftruncate(static_cast<int>(fi->fh), size));
  return Err(::truncate(Resolve(path).c_str(), size));
}

int Utimens(const char* path, const struct timespec tv[2], fuse_file_info*) {
  return Err(::utimensat(AT_FDCWD, Resolve(path).c_str(), tv, AT_SYMLINK_NOFOLLOW));
}

int StatFs(const char* path, struct statvfs* st) { return Err(::statvfs(Resolve(path).c_str(), st)); }

void* Init(fuse_conn_info*, fuse_config* config) {
  // Nothing cached: a name looked up once under another spelling must not stay known.
  config->entry_timeout = 0;
  config->negative_timeout = 0;
  config->attr_timeout = 0;
  config->use_ino = 0;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> places;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--ignore-case") g.ignoreCase = true;
    else if (a == "--no-noreplace") g.noNoReplace = true;
    else if (a == "--no-links") g.noLinks = true;
    else places.push_back(a);
  }
  if (places.size() != 2) {
    std::fprintf(stderr, "usage: %s [--ignore-case] [--no-noreplace] [--no-links] BACKING MOUNTPOINT\n", argv[0]);
    return 2;
  }
  g.backing = places[0];
  fuse_operations ops{};
  ops.getattr = GetAttr;
  ops.readdir = ReadDir;
  ops.create = Create;
  ops.open = Open;
  ops.read = Read;
  ops.write = Write;
  ops.release = Release;
  ops.fsync = Fsync;
  ops.mkdir = Mkdir;
  ops.unlink = Unlink;
  ops.rmdir = Rmdir;
  ops.symlink = Symlink;
  ops.readlink = ReadLink;
  ops.rename = Rename;
  ops.link = Link;
  ops.chmod = Chmod;
  ops.truncate = Truncate;
  ops.utimens = Utimens;
  ops.statfs = StatFs;
  ops.init = Init;
  // Foreground, one thread; unmounted by fusermount3 when this process ends however it ends.
  std::string prog = argv[0];
  std::vector<std::string> args = {prog, "-f", "-s", "-o", "auto_unmount,fsname=velmora-test", places[1]};
  std::vector<char*> fuseArgv;
  for (auto& s : args) fuseArgv.push_back(s.data());
  return fuse_main(static_cast<int>(fuseArgv.size()), fuseArgv.data(), &ops, nullptr);
}
