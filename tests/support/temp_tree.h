// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Real-disk fixtures: a fresh temporary folder that removes itself, filled from a list of
// relative paths ("a/b.txt" a file, "a/c/" a folder).

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace velmora::testing {

class TempTree {
 public:
  TempTree();
  /// A fresh folder inside baseFolder instead of the system's temporary folder.
  explicit TempTree(const std::string& baseFolder);
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& root() const { return root_; }
  /// root + separator + relative, with native separators (relative is written with "/")
  std::string path(const std::string& relative) const;
  /// Creates files (with the given content) and folders (paths ending in "/").
  void make(std::initializer_list<std::string> paths);
  void make(const std::vector<std::string>& paths);
  void writeFile(const std::string& relative, const std::string& content);
  std::string readFile(const std::string& relative) const;
  bool exists(const std::string& relative) const;
  /// Sets the last-write time of a file or folder, in whole seconds since 1970 (UTC).
  void setModified(const std::string& relative, std::int64_t unixSeconds) const;
  /// Every entry below the root, relative, folders with a trailing "/", sorted.
  std::vector<std::string> list() const;
  /// The entries below one folder of the tree, relative to that folder, sorted.
  std::vector<std::string> listUnder(const std::string& folder) const;

 private:
  std::string root_;
};

}  // namespace velmora::testing
