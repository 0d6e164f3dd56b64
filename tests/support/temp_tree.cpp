// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/temp_tree.h"

#ifdef _WIN32
#include "platform/windows_api.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace velmora::testing {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr char kNativeSeparator = '\\';

// Names are bytes in the ANSI code page, as the file system code under test sees them.
fs::path Native(const std::string& s) {
  if (s.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return fs::path(w);
}

std::string Bytes(const fs::path& p) {
  const std::wstring& w = p.native();
  if (w.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}
#else
constexpr char kNativeSeparator = '/';
fs::path Native(const std::string& s) { return fs::path(s); }
std::string Bytes(const fs::path& p) { return p.native(); }
#endif

// Relative paths are written with "/"; the tree hands out native paths.
std::string ToNative(std::string relative) {
  std::replace(relative.begin(), relative.end(), '/', kNativeSeparator);
  return relative;
}

// Write permission back on everything below path (tests make files read-only), then
// remove it all.
void RemoveAll(const fs::path& path) {
  std::error_code ec;
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
  if (fs::is_directory(fs::symlink_status(path, ec))) {
    for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
      if (!it->is_symlink(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
  }
  fs::remove_all(path, ec);
}
}  // namespace

TempTree::TempTree() : TempTree(std::string()) {}

TempTree::TempTree(const std::string& baseFolder) {
  std::error_code ec;
  const fs::path base = baseFolder.empty() ? fs::temp_directory_path(ec) : Native(baseFolder);
  if (ec) throw std::runtime_error("no temporary folder: " + ec.message());
  std::random_device seed;
  std::mt19937_64 random(seed());
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = "velmora-test-";
    for (int i = 0; i < 8; ++i) name += kChars[random() % (sizeof kChars - 1)];
    const fs::path candidate = base / name;
    if (fs::create_directory(candidate, ec)) {
      root_ = Bytes(candidate);
      while (root_.size() > 1 && (root_.back() == '/' || root_.back() == kNativeSeparator)) root_.pop_back();
      return;
    }
    if (ec) throw std::runtime_error("cannot create a temporary folder: " + ec.message());
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempTree::~TempTree() { RemoveAll(Native(root_)); }

std::string TempTree::path(const std::string& relative) const {
  return relative.empty() ? root_ : root_ + kNativeSeparator + ToNative(relative);
}

void TempTree::make(std::initializer_list<std::string> paths) { make(std::vector<std::string>(paths)); }

void TempTree::make(const std::vector<std::string>& paths) {
  for (const auto& rel : paths) {
    if (rel.empty()) continue;
    const bool folder = rel.back() == '/';
    const fs::path full = Native(path(folder ? rel.substr(0, rel.size() - 1) : rel));
    std::error_code ec;
    fs::create_directories(folder ? full : full.parent_path(), ec);
    if (!folder) std::ofstream(full, std::ios::binary) << "";
  }
}

void TempTree::writeFile(const std::string& relative, const std::string& content) {
  make({relative});
  std::ofstream(Native(path(relative)), std::ios::binary) << content;
}

std::string TempTree::readFile(const std::string& relative) const {
  std::ifstream in(Native(path(relative)), std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool TempTree::exists(const std::string& relative) const {
  std::error_code ec;
  return fs::symlink_status(Native(path(relative)), ec).type() != fs::file_type::not_found && !ec;
}

void TempTree::setModified(const std::string& relative, std::int64_t unixSeconds) const {
#ifdef _WIN32
  // FILETIME counts 100 ns steps from 1601; a folder opens only with backup semantics.
  const auto ticks = static_cast<std::uint64_t>(unixSeconds + 11644473600) * 10000000u;
  const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  HANDLE h = ::CreateFileW(Native(path(relative)).c_str(), FILE_WRITE_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const bool set = h != INVALID_HANDLE_VALUE && ::SetFileTime(h, nullptr, nullptr, &time);
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
#else
  const timespec times[2] = {{static_cast<time_t>(unixSeconds), 0}, {static_cast<time_t>(unixSeconds), 0}};
  const bool set = ::utimensat(AT_FDCWD, path(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
#endif
  if (!set) throw std::runtime_error("cannot set the time of " + path(relative));
}

std::vector<std::string> TempTree::list() const {
  std::vector<std::string> out;
  const fs::path root = Native(root_);
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    std::string rel = Bytes(it->path().lexically_relative(root));
    std::replace(rel.begin(), rel.end(), kNativeSeparator, '/');
    if (it->is_directory(ec) && !it->is_symlink(ec)) rel += '/';
    out.push_back(std::move(rel));
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> TempTree::listUnder(const std::string& folder) const {
  const std::string prefix = folder + "/";
  std::vector<std::string> out;
  for (const auto& e : list())
    if (e.size() > prefix.size() && e.compare(0, prefix.size(), prefix) == 0) out.push_back(e.substr(prefix.size()));
  return out;
}

}  // namespace velmora::testing
