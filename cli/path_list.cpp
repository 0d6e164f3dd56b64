// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/path_list.h"

#include <iterator>

namespace velmora::cli {

std::vector<std::string> ReadPathList(std::istream& in, bool nulSeparated) {
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const char separator = nulSeparated ? '\0' : '\n';
  std::vector<std::string> paths;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    std::string path = text.substr(start, end - start);
    if (!nulSeparated && !path.empty() && path.back() == '\r') path.pop_back();
    if (!path.empty()) paths.push_back(std::move(path));
    start = end + 1;
  }
  return paths;
}

}  // namespace velmora::cli
