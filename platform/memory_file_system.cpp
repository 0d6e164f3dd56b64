// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/memory_file_system.h"

#include <algorithm>

namespace velmora::platform {

namespace {
// Paths are kept with "/" between their parts. On Windows "\\" is a separator as well and
// becomes "/", so a test may write its paths either way.
constexpr char kInnerSeparator = '/';

std::string WithInnerSeparators(std::string path) {
#ifdef _WIN32
  std::replace(path.begin(), path.end(), '\\', kInnerSeparator);
#endif
  return path;
}
}  // namespace

class MemoryAppendLog final : public AppendLog {
 public:
  MemoryAppendLog(MemoryFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
  ~MemoryAppendLog() override { fs_.heldLocks_.erase(path_); }
  MemoryAppendLog(const MemoryAppendLog&) = delete;
  MemoryAppendLog& operator=(const MemoryAppendLog&) = delete;
  bool append(std::string_view bytes) override {
    auto it = fs_.nodes_.find(path_);
    if (it == fs_.nodes_.end()) return false;
    // A full disk: only the part that still fits is written.
    if (it->second.content.size() + bytes.size() > fs_.appendLimit_) {
      it->second.content.append(bytes.substr(0, fs_.appendLimit_ - std::min(fs_.appendLimit_, it->second.content.size())));
      it->second.size = it->second.content.size();
      return false;
    }
    it->second.content.append(bytes);
    it->second.size = it->second.content.size();
    return true;
  }
  bool sync() override { return true; }
  bool sealAs(const std::string& destination) override {
    auto it = fs_.nodes_.find(path_);
    if (it == fs_.nodes_.end()) return false;
    MemoryFileSystem::Node sealed = std::move(it->second);
    sealed.readOnly = true;
    fs_.nodes_.erase(it);
    fs_.nodes_[MemoryFileSystem::Normalize(destination)] = std::move(sealed);
    return true;
  }
  bool truncateTo(std::uint64_t size) override {
    auto it = fs_.nodes_.find(path_);
    if (it == fs_.nodes_.end() || size > it->second.content.size()) return false;
    it->second.content.resize(size);
    it->second.size = size;
    return true;
  }

 private:
  MemoryFileSystem& fs_;
  std::string path_;
};

std::string MemoryFileSystem::Normalize(std::string path) {
  path = WithInnerSeparators(std::move(path));
  while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
  return path;
}

void MemoryFileSystem::ensureParents(const std::string& path) {
  for (std::size_t pos = path.find(kInnerSeparator, 1); pos != std::string::npos;
       pos = path.find(kInnerSeparator, pos + 1)) {
    Node& n = nodes_[path.substr(0, pos)];
    n.isDirectory = true;
  }
}

void MemoryFileSystem::addFile(const std::string& path, std::uint64_t size, LocalTime time) {
  const std::string p = Normalize(path);
  ensureParents(p);
  Node& n = nodes_[p];
  n.isDirectory = false;
  n.size = size;
  n.lastWrite = time;
}

void MemoryFileSystem::addFolder(const std::string& path) {
  const std::string p = Normalize(path);
  ensureParents(p);
  nodes_[p].isDirectory = true;
}

std::vector<std::string> MemoryFileSystem::allPaths() const {
  std::vector<std::string> out;
  for (const auto& [p, n] : nodes_) out.push_back(p);
  return out;
}

std::string MemoryFileSystem::stored(const std::string& path) const {
  if (nodes_.count(path)) return path;
  if (!ignoreCase_) return {};
  const auto same = [](char a, char b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return upper(a) == upper(b);
  };
  for (const auto& [p, n] : nodes_)
    if (p.size() == path.size() && std::equal(p.begin(), p.end(), path.begin(), same)) return p;
  return {};
}

const MemoryFileSystem::Node* MemoryFileSystem::node(const std::string& path) const {
  const std::string key = stored(Normalize(path));
  if (key.empty()) return nullptr;
  auto it = nodes_.find(key);
  return it == nodes_.end() ? nullptr : &it->second;
}

std::optional<std::vector<DirEntry>> MemoryFileSystem::readFolder(const std::string& folder) {
  const std::string asked = Normalize(folder);
  const std::string f = ignoreCase_ && !stored(asked).empty() ? stored(asked) : asked;
  auto self = nodes_.find(f);
  if (self == nodes_.end() || !self->second.isDirectory) return std::nullopt;
  const std::string prefix = IsSeparator(f.back()) ? f : f + kInnerSeparator;
  std::vector<DirEntry> out;
  for (auto it = nodes_.lower_bound(prefix); it != nodes_.end(); ++it) {
    const std::string& p = it->first;
    if (p.compare(0, prefix.size(), prefix) != 0) break;
    std::string_view rest(p);
    rest.remove_prefix(prefix.size());
    if (rest.empty() || rest.find(kInnerSeparator) != std::string_view::npos) continue;
    out.push_back(DirEntry{std::string(rest), it->second.isDirectory});
  }
  return out;
}

EntryKind MemoryFileSystem::kind(const std::string& path) {
  ++kindCalls_;
  return kindOf(path);
}

EntryStatus MemoryFileSystem::entryStatus(const std::string& path) {
  // The fake has no links: an entry is a regular file or a folder.
  EntryStatus status;
  const EntryKind k = kindOf(path);
  if (k == EntryKind::Missing) return status;
  status.kind = k == EntryKind::Directory ? EntryStatus::Kind::Directory : EntryStatus::Kind::RegularFile;
  if (k == EntryKind::File) status.size = nodes_.at(stored(Normalize(path))).size;
  return status;
}

bool MemoryFileSystem::removeFolder(const std::string& path) {
  const std::string p = Normalize(path);
  const auto it = nodes_.find(p);
  if (it == nodes_.end() || !it->second.isDirectory) return false;
  const auto next = std::next(it);
  if (next != nodes_.end() && next->first.compare(0, p.size() + 1, p + kInnerSeparator) == 0) return false;
  nodes_.erase(it);
  return true;
}

EntryKind MemoryFileSystem::kindOf(const std::string& path) const {
  if (IsRootPath(path)) return EntryKind::Directory;
  const Node* n = node(path);
  if (!n || path.empty()) return EntryKind::Missing;
  return n->isDirectory ? EntryKind::Directory : EntryKind::File;
}

std::optional<EntryInfo> MemoryFileSystem::entryInfo(const std::string& path) {
  const Node* n = node(path);
  if (!n || path.empty()) return std::nullopt;
  const LocalTime& t = n->lastWrite;
  // The calendar fields as one number in their own order: enough to order the fake's times.
  const std::int64_t order = ((((static_cast<std::int64_t>(t.year) * 13 + t.month) * 32 + t.day) * 24 + t.hour) * 60 +
                              t.minute) * 60 + t.second;
  return EntryInfo{n->isDirectory, n->isDirectory ? 0 : n->size, n->lastWrite, order};
}

RenameStatus MemoryFileSystem::rename(const std::string& fromIn, const std::string& toIn) {
  renameCalls_.push_back(WithInnerSeparators(fromIn + " -> " + toIn));
  const std::string from = stored(Normalize(fromIn)), to = Normalize(toIn);
  if (locked_.count(from)) {
    lastFailure_ = "Permission denied";
    return RenameStatus::Failed;
  }
  if (from.empty() || to.empty()) return RenameStatus::Failed;
  if (!nodes_.count(from)) return RenameStatus::Failed;
  // Where case is ignored, the item's own name in another case is taken as well.
  if (!stored(to).empty() || IsRootPath(to)) return RenameStatus::TargetExists;
  const std::string parent = to.substr(0, to.find_last_of(kInnerSeparator));
  if (!parent.empty() && kindOf(parent) != EntryKind::Directory) return RenameStatus::Failed;
  if (to.compare(0, from.size() + 1, from + kInnerSeparator) == 0) return RenameStatus::Failed;
  // Move the entry and its whole subtree.
  std::vector<std::pair<std::string, Node>> moved;
  const std::string prefix = from + kInnerSeparator;
  for (auto it = nodes_.begin(); it != nodes_.end();) {
    if (it->first == from || it->first.compare(0, prefix.size(), prefix) == 0) {
      moved.emplace_back(to + it->first.substr(from.size()), it->second);
      it = nodes_.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& [p, n] : moved) nodes_[p] = std::move(n);
  return RenameStatus::Renamed;
}

std::optional<std::string> MemoryFileSystem::readFile(const std::string& path) {
  const Node* n = node(path);
  if (!n || n->isDirectory) return std::nullopt;
  return n->content;
}

bool MemoryFileSystem::writeFileAtomic(const std::string& path, std::string_view content, bool readOnly) {
  const std::string p = Normalize(path);
  const std::string parent = p.substr(0, p.find_last_of(kInnerSeparator));
  if (failWholeWrites_ || (!parent.empty() && kindOf(parent) != EntryKind::Directory)) return false;
  Node& n = nodes_[p];
  if (n.isDirectory) return false;
  n.content.assign(content);
  n.size = n.content.size();
  n.readOnly = readOnly;
  return true;
}

bool MemoryFileSystem::removeFile(const std::string& path) {
  auto it = nodes_.find(Normalize(path));
  if (it == nodes_.end() || it->second.isDirectory) return false;
  nodes_.erase(it);
  return true;
}

bool MemoryFileSystem::makeFolders(const std::string& path) {
  addFolder(path);
  return true;
}

std::unique_ptr<AppendLog> MemoryFileSystem::openLockedAppend(const std::string& path, LockFailure* why) {
  const std::string p = Normalize(path);
  if (heldLocks_.count(p)) {
    if (why) *why = LockFailure::Locked;
    return nullptr;
  }
  const std::string parent = p.substr(0, p.find_last_of(kInnerSeparator));
  if ((!parent.empty() && kindOf(parent) != EntryKind::Directory) || (nodes_.count(p) && nodes_[p].isDirectory)) {
    if (why) *why = LockFailure::Unusable;
    return nullptr;
  }
  nodes_[p];
  heldLocks_.insert(p);
  return std::make_unique<MemoryAppendLog>(*this, p);
}

bool MemoryFileSystem::isUnlocked(const std::string& path) {
  const std::string p = Normalize(path);
  return nodes_.count(p) && !heldLocks_.count(p);
}

}  // namespace velmora::platform
