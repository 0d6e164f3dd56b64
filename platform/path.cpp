// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <vector>

#include "platform/file_system.h"

namespace velmora::platform {

namespace {
constexpr unsigned char AsciiUpperByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}
}  // namespace

bool FolderOrderLess(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  // Bytes that are the same are the same after case folding too: skip them unfolded.
  std::size_t i = 0;
  while (i < n && a[i] == b[i]) ++i;
  for (; i < n; ++i) {
    unsigned char ua = AsciiUpperByte(static_cast<unsigned char>(a[i]));
    unsigned char ub = AsciiUpperByte(static_cast<unsigned char>(b[i]));
    if (ua != ub) return ua < ub;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // names equal but for case: a stable, byte-wise tie-break
}

void SortInFolderOrder(std::vector<DirEntry>& entries) {
  // Compared in place: no key strings, so a folder of 100,000 photos costs no second copy
  // of its names.
  const auto less = [](const DirEntry& a, const DirEntry& b) { return FolderOrderLess(a.name, b.name); };
  // A folder filled in name order is listed in that order by file systems that list in the
  // order of creation (btrfs), and in the reverse order by those that list the newest
  // first (tmpfs): one pass each finds that, and stops at the first pair out of order.
  if (std::is_sorted(entries.begin(), entries.end(), less)) return;
  if (std::is_sorted(entries.rbegin(), entries.rend(), less)) {
    std::reverse(entries.begin(), entries.end());
    return;
  }
  std::sort(entries.begin(), entries.end(), less);
}

std::shared_ptr<const std::vector<DirEntry>> FileSystem::sharedFolder(const std::string& folder) {
  auto entries = readFolder(folder);
  if (!entries) return nullptr;
  return std::make_shared<const std::vector<DirEntry>>(std::move(*entries));
}

std::optional<std::vector<DirEntry>> FileSystem::listFolder(const std::string& folder) {
  if (inProgramFolder(folder)) return std::vector<DirEntry>{};
  return listShared(sharedFolder(folder), folder);
}

std::optional<std::vector<DirEntry>> FileSystem::listFolder(OpenFolder& open, const std::string& folder) {
  if (inProgramFolder(folder)) return std::vector<DirEntry>{};
  return listShared(open.entries(), folder);
}

std::optional<std::vector<DirEntry>> FileSystem::listShared(const std::shared_ptr<const std::vector<DirEntry>>& all,
                                                            const std::string& folder) const {
  if (!all) return std::nullopt;
  // The one copy a listing needs (the walk hands it on as the item list), without the
  // entries the rules leave out.
  std::vector<DirEntry> entries;
  entries.reserve(all->size());
  for (const DirEntry& e : *all)
    if (!leavesOut(folder, e)) entries.push_back(e);
  SortInFolderOrder(entries);
  return entries;
}

namespace {
class PathFolder final : public OpenFolder {
 public:
  PathFolder(FileSystem& fs, std::string folder) : fs_(fs), folder_(std::move(folder)) {}
  RenameStatus rename(std::string_view fromName, std::string_view toName) override {
    return fs_.rename(JoinPath(folder_, fromName), JoinPath(folder_, toName));
  }
  std::shared_ptr<const std::vector<DirEntry>> entries() override { return fs_.sharedFolder(folder_); }
  std::unique_ptr<OpenFolder> openSubfolder(std::string_view name, std::string& why) override {
    std::string path = JoinPath(folder_, name);
    if (fs_.isLink(path) || !fs_.isDirectory(path)) {
      why = "Not a directory";
      return nullptr;
    }
    return std::make_unique<PathFolder>(fs_, std::move(path));
  }

 private:
  FileSystem& fs_;
  std::string folder_;
};
}  // namespace

std::unique_ptr<OpenFolder> FileSystem::openFolder(const std::string& folder) {
  return std::make_unique<PathFolder>(*this, folder);
}

namespace {
std::string_view WithoutTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && IsSeparator(path.back()) && !IsRootPath(path)) path.remove_suffix(1);
  return path;
}

bool SameNameBytes(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (!kNamesIgnoreCase) return a == b;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char ca = AsciiUpperByte(static_cast<unsigned char>(a[i]));
    const unsigned char cb = AsciiUpperByte(static_cast<unsigned char>(b[i]));
    if (IsSeparator(a[i]) && IsSeparator(b[i])) continue;
    if (ca != cb) return false;
  }
  return true;
}
}  // namespace

void FileSystem::setListingRules(const ListingRules& rules) {
  includeHidden_ = rules.includeHidden;
  programFolders_.clear();
  if (rules.programFolder.empty()) return;
  programFolders_.emplace_back(WithoutTrailingSeparators(rules.programFolder));
  std::string canonical(WithoutTrailingSeparators(canonicalPath(programFolders_.front())));
  if (!canonical.empty() && canonical != programFolders_.front()) programFolders_.push_back(std::move(canonical));
}

bool FileSystem::inProgramFolder(std::string_view path) const {
  for (const std::string& folder : programFolders_) {
    if (path.size() < folder.size() || !SameNameBytes(path.substr(0, folder.size()), folder)) continue;
    if (path.size() == folder.size() || IsSeparator(path[folder.size()]) || IsSeparator(folder.back())) return true;
  }
  return false;
}

bool FileSystem::leavesOut(std::string_view folder, const DirEntry& entry) const {
  if (!includeHidden_ && IsHiddenName(entry.name)) return true;
  if (!entry.isDirectory) return false;
  // Only a folder of the program folder's own name can be it: the path is joined only then.
  for (const std::string& programFolder : programFolders_) {
    std::size_t cut = programFolder.size();
    while (cut > 0 && !IsSeparator(programFolder[cut - 1])) --cut;
    const std::string_view last = std::string_view(programFolder).substr(cut);
    if (SameNameBytes(last, entry.name) && inProgramFolder(JoinPath(folder, entry.name))) return true;
  }
  return false;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
#ifdef _WIN32
  // Windows takes "/" as well: a folder written with "/" only goes on with "/".
  const char separator =
      (folder.find('/') != std::string_view::npos && folder.find('\\') == std::string_view::npos) ? '/'
                                                                                              : kSeparator;
#else
  const char separator = kSeparator;
#endif
  if (!out.empty() && !IsSeparator(out.back())) out += separator;
  out += name;
  return out;
}

std::string LastComponent(std::string_view path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.remove_suffix(1);
  std::size_t cut = path.size();
  while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
  return std::string(path.substr(cut));
}

bool IsAbsolutePath(std::string_view path) {
#ifdef _WIN32
  if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) return true;
  return !path.empty() && IsSeparator(path[0]);
#else
  return !path.empty() && path.front() == '/';
#endif
}

namespace {
/// How many bytes of an absolute path name its root: "/" on Linux; "C:\", "\" or a share
/// "\\server\share\" on Windows.
std::size_t RootLength(std::string_view path) {
#ifdef _WIN32
  if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) return 3;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    std::size_t i = 2, parts = 0;
    while (i < path.size() && parts < 2) {
      while (i < path.size() && !IsSeparator(path[i])) ++i;
      ++parts;
      if (i < path.size()) ++i;
    }
    return i;
  }
#endif
  return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}
}  // namespace

std::string NormalPath(std::string_view path, std::string_view currentFolder) {
  const std::string joined = IsAbsolutePath(path) ? std::string(path) : JoinPath(currentFolder, path);
  const std::size_t root = RootLength(joined);
  std::string out = joined.substr(0, root);
  std::vector<std::size_t> kept;  // for each kept component, the size of out before it
  std::size_t i = root;
  while (i < joined.size()) {
    std::size_t end = i;
    while (end < joined.size() && !IsSeparator(joined[end])) ++end;
    const std::string_view part = std::string_view(joined).substr(i, end - i);
    i = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) {
        out.resize(kept.back());
        kept.pop_back();
      }
      continue;
    }
    kept.push_back(out.size());
    if (!out.empty() && !IsSeparator(out.back())) out += kSeparator;
    out += part;
  }
  return out;
}

bool IsRootPath(std::string_view path) {
#ifdef _WIN32
  if (path.size() == 1 && IsSeparator(path[0])) return true;
  if ((path.size() == 2 || (path.size() == 3 && IsSeparator(path[2]))) && path[1] == ':') return true;
  // A share, "\\server\share" with or without its last separator.
  if (path.size() < 5 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return false;
  std::string_view rest = path.substr(2);
  if (IsSeparator(rest.back())) rest.remove_suffix(1);
  const std::size_t cut = rest.find_first_of("\\/");
  return cut != std::string_view::npos && cut > 0 && cut + 1 < rest.size() &&
         rest.find_first_of("\\/", cut + 1) == std::string_view::npos;
#else
  return !path.empty() && std::all_of(path.begin(), path.end(), [](char c) { return c == '/'; });
#endif
}

}  // namespace velmora::platform
