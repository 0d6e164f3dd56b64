// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/name_model.h"

#include <algorithm>
#include <cstring>

#include "platform/file_system.h"

namespace velmora::engine {

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::size_t NameStart(std::string_view path) {
  // Asked several times of every item's paths: one library search from the end.
#ifdef _WIN32
  const std::size_t last = path.find_last_of("\\/:");
  return last == std::string_view::npos ? 0 : last + 1;
#else
  const void* last = path.empty() ? nullptr : memrchr(path.data(), '/', path.size());
  return last ? static_cast<std::size_t>(static_cast<const char*>(last) - path.data()) + 1 : 0;
#endif
}

PathParts SplitPath(std::string_view path, bool isDirectory) {
  const std::size_t start = NameStart(path);
  const std::string_view name = path.substr(start);
  const std::size_t dot = isDirectory ? std::string_view::npos : name.rfind('.');
  if (dot == std::string_view::npos) return {path.substr(0, start), name, {}};
  return {path.substr(0, start), name.substr(0, dot), name.substr(dot)};
}

std::string_view FolderView(std::string_view path) { return path.substr(0, NameStart(path)); }

std::string_view BaseNameView(std::string_view path, bool isDirectory) { return SplitPath(path, isDirectory).base; }

std::string_view ExtensionView(std::string_view path, bool isDirectory) {
  return SplitPath(path, isDirectory).extension;
}

std::string Joined(std::string_view a, std::string_view b, std::string_view c) {
  std::string out;
  out.reserve(a.size() + b.size() + c.size());
  out.append(a).append(b).append(c);
  return out;
}

bool HoldsFolderPart(std::string_view text) {
#ifdef _WIN32
  return text.find_first_of("\\/:") != std::string_view::npos;
#else
  return text.find('/') != std::string_view::npos;  // one memchr
#endif
}

std::string FolderPart(std::string_view path) { return std::string(FolderView(path)); }

std::string FileNamePart(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string BaseName(std::string_view path, bool isDirectory) { return std::string(BaseNameView(path, isDirectory)); }

std::string Extension(std::string_view path, bool isDirectory) { return std::string(ExtensionView(path, isDirectory)); }

std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

std::string ReplaceAll(std::string_view s, std::string_view pattern, std::string_view replacement,
                       bool caseSensitive, const platform::CodePage& codePage) {
  if (pattern.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  while (pos <= s.size()) {
    std::size_t hit, len;
    if (caseSensitive) {
      hit = s.find(pattern, pos);
      len = pattern.size();
    } else {
      hit = codePage.findNoCase(s, pattern, pos, len);
    }
    if (hit == std::string_view::npos) break;
    out.append(s.substr(pos, hit - pos));
    out.append(replacement);
    pos = hit + len;
  }
  if (pos < s.size()) out.append(s.substr(pos));
  return out;
}

int PositionOf(std::string_view s, std::string_view pattern) {
  if (pattern.empty()) return 0;
  std::size_t hit = s.find(pattern);
  return hit == std::string_view::npos ? 0 : static_cast<int>(hit) + 1;
}

std::string Substring(std::string_view s, std::int64_t start, std::int64_t count) {
  // 64-bit positions: sample values of any size never overflow here.
  if (start < 1) start = 1;
  const auto size = static_cast<std::int64_t>(s.size());
  if (count <= 0 || start > size) return {};
  const std::int64_t take = std::min(count, size - start + 1);
  return std::string(s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(take)));
}

std::string InsertAt(std::string_view s, std::int64_t p, std::string_view text) {
  const auto size = static_cast<std::int64_t>(s.size());
  const auto at = static_cast<std::size_t>(std::clamp<std::int64_t>(p - 1, 0, size));
  std::string out;
  out.reserve(s.size() + text.size());
  out.append(s.substr(0, at));
  out.append(text);
  out.append(s.substr(at));
  return out;
}

std::string Trim(std::string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && IsBlank(s[a])) ++a;
  while (b > a && IsBlank(s[b - 1])) --b;
  return std::string(s.substr(a, b - a));
}

std::string TrimLeft(std::string_view s) {
  std::size_t a = 0;
  while (a < s.size() && IsBlank(s[a])) ++a;
  return std::string(s.substr(a));
}

}  // namespace velmora::engine
