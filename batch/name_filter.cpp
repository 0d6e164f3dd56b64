// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/name_filter.h"

namespace velmora::batch {

bool GlobMatches(std::string_view glob, std::string_view name, const platform::CodePage& page) {
  // One pass with a single point to go back to: the character after the last "*" and the
  // place in the name it was tried at. Linear in practice, never exponential.
  std::size_t g = 0, n = 0, starGlob = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (g < glob.size() && glob[g] == '*') {
      starGlob = ++g;
      starName = n;
      continue;
    }
    if (g < glob.size()) {
      std::size_t gl = 1, nl = page.charLength(name, n);
      if (glob[g] == '?' || page.upperCode(glob, g, gl) == page.upperCode(name, n, nl)) {
        g += gl;
        n += nl;
        continue;
      }
    }
    if (starGlob == std::string_view::npos) return false;
    starName += page.charLength(name, starName);
    g = starGlob;
    n = starName;
  }
  while (g < glob.size() && glob[g] == '*') ++g;
  return g == glob.size();
}

NameFilter::Side NameFilter::Make(const std::string& text, bool regex, const platform::CodePage& page) {
  Side side;
  if (text.empty()) return side;
  side.set = true;
  if (regex) {
    side.pattern = std::make_shared<const engine::NamePattern>(text, false, page);
    return side;
  }
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string_view glob = std::string_view(text).substr(start, end - start);
    while (!glob.empty() && glob.front() == ' ') glob.remove_prefix(1);
    while (!glob.empty() && glob.back() == ' ') glob.remove_suffix(1);
    if (!glob.empty()) side.globs.emplace_back(glob);
    start = end + 1;
  }
  side.set = !side.globs.empty();
  return side;
}

bool NameFilter::Side::matches(std::string_view name, const platform::CodePage& page) const {
  if (pattern) return pattern->matches(name);
  for (const std::string& glob : globs)
    if (GlobMatches(glob, name, page)) return true;
  return false;
}

std::optional<NameFilter> NameFilter::For(const engine::OperationRecord& record, const platform::CodePage& page) {
  NameFilter filter;
  filter.page_ = &page;
  filter.include_ = Make(record.includeFilter, record.regex, page);
  filter.exclude_ = Make(record.excludeFilter, record.regex, page);
  if (!filter.include_.set && !filter.exclude_.set) return std::nullopt;
  return filter;
}

bool NameFilter::keeps(std::string_view name) const {
  if (include_.set && !include_.matches(name, *page_)) return false;
  return !(exclude_.set && exclude_.matches(name, *page_));
}

const char* NameFilter::invalidField() const {
  if (include_.pattern && !include_.pattern->valid()) return "includeFilter";
  if (exclude_.pattern && !exclude_.pattern->valid()) return "excludeFilter";
  return nullptr;
}

const engine::NamePattern* NameFilter::invalidPattern() const {
  if (include_.pattern && !include_.pattern->valid()) return include_.pattern.get();
  if (exclude_.pattern && !exclude_.pattern->valid()) return exclude_.pattern.get();
  return nullptr;
}

}  // namespace velmora::batch
