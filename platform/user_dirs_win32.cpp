// SPDX-License-Identifier: GPL-3.0-or-later
// Per-user folders on Windows: the program's own files live beside the executable.

#include "platform/windows_api.h"

#include <string>

#include "platform/file_system.h"
#include "platform/user_dirs.h"

namespace velmora::platform {

namespace {
std::string Environment(const char* name) {
  const DWORD n = ::GetEnvironmentVariableA(name, nullptr, 0);
  if (n == 0) return {};
  std::string value(n, '\0');
  const DWORD got = ::GetEnvironmentVariableA(name, value.data(), n);
  if (got == 0 || got >= n) return {};
  value.resize(got);
  return value;
}
}  // namespace

std::string HomeFolder() {
  if (std::string profile = Environment("USERPROFILE"); !profile.empty()) return profile;
  const std::string drive = Environment("HOMEDRIVE"), path = Environment("HOMEPATH");
  return path.empty() ? std::string() : drive + path;
}

std::string DefaultProgramFolder() {
  const std::string exe = ExecutablePath();
  std::size_t cut = exe.size();
  while (cut > 0 && !IsSeparator(exe[cut - 1])) --cut;
  if (cut == 0) return {};
  std::string folder = exe.substr(0, cut);
  if (!IsRootPath(folder)) folder.pop_back();  // "C:\" keeps its separator
  return folder;
}

std::string UserConfigFolder() { return Environment("APPDATA"); }

std::string ExecutablePath() {
  std::string buf(MAX_PATH, '\0');
  while (true) {
    const DWORD n = ::GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
}

std::string CurrentFolder() {
  const DWORD n = ::GetCurrentDirectoryA(0, nullptr);
  if (n == 0) return {};
  std::string buf(n, '\0');
  const DWORD got = ::GetCurrentDirectoryA(n, buf.data());
  if (got == 0 || got >= n) return {};
  buf.resize(got);
  return buf;
}

}  // namespace velmora::platform
