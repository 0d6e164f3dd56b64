#include "support/temp_tree.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace velmora::testing {

namespace {
void RemoveAll(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return;
  if (S_ISDIR(st.st_mode)) {
    ::chmod(path.c_str(), 0755);
    if (DIR* d = ::opendir(path.c_str())) {
      while (dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        RemoveAll(path + "/" + n);
      }
      ::closedir(d);
    }
    ::rmdir(path.c_str());
  } else {
    ::unlink(path.c_str());
  }
}

void Collect(const std::string& root, const std::string& rel, std::vector<std::string>& out) {
  DIR* d = ::opendir((root + (rel.empty() ? "" : "/" + rel)).c_str());
  if (!d) return;
  while (dirent* e = ::readdir(d)) {
    std::string n = e->d_name;
    if (n == "." || n == "..") continue;
    std::string r = rel.empty() ? n : rel + "/" + n;
    struct stat st;
    ::lstat((root + "/" + r).c_str(), &st);
    if (S_ISDIR(st.st_mode)) {
      out.push_back(r + "/");
      Collect(root, r, out);
    } else {
      out.push_back(r);
    }
  }
  ::closedir(d);
}
}  // namespace

TempTree::TempTree() {
  const char* base = std::getenv("TMPDIR");
  std::string templ = std::string(base && *base ? base : "/tmp") + "/velmora-test-XXXXXX";
  if (!::mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
  root_ = templ;
}

TempTree::~TempTree() { RemoveAll(root_); }

std::string TempTree::path(const std::string& relative) const {
  return relative.empty() ? root_ : root_ + "/" + relative;
}

void TempTree::make(std::initializer_list<std::string> paths) { make(std::vector<std::string>(paths)); }

void TempTree::make(const std::vector<std::string>& paths) {
  for (const auto& rel : paths) {
    std::string full = path(rel);
    for (std::size_t pos = root_.size() + 1; (pos = full.find('/', pos)) != std::string::npos; ++pos)
      ::mkdir(full.substr(0, pos).c_str(), 0755);
    if (rel.empty() || rel.back() == '/') continue;
    std::ofstream(full, std::ios::binary) << "";
  }
}

void TempTree::writeFile(const std::string& relative, const std::string& content) {
  make({relative});
  std::ofstream(path(relative), std::ios::binary) << content;
}

std::string TempTree::readFile(const std::string& relative) const {
  std::ifstream in(path(relative), std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool TempTree::exists(const std::string& relative) const {
  struct stat st;
  return ::lstat(path(relative).c_str(), &st) == 0;
}

std::vector<std::string> TempTree::list() const {
  std::vector<std::string> out;
  Collect(root_, "", out);
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace velmora::testing
