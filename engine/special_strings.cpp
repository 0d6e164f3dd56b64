// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/special_strings.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>

#include "engine/name_model.h"

namespace velmora::engine {

namespace {

// Where "%%" stood, until the end of the expansion. NUL can occur in no file name and in
// no typed text. The folder name is put in last, so a folder name that holds "%", "@@" or
// "##" is copied as it is instead of being taken for a placeholder.
constexpr char kFolderSlot = '\0';

void ReplaceEvery(std::string& s, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = s.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(s, pos, hit - pos);
    out.append(to);
  }
  out.append(s, pos, std::string::npos);
  s.swap(out);
}

// "@$@" is a literal dollar; every run of "$" becomes the ordinal, padded with "0" to the
// run's length. One pass from the left gives what replacing every "@$@" first and then
// numbering the runs one after the other gives, without a set-aside character that a
// text could itself hold.
std::string ExpandOrderedNumbers(std::string_view text, std::int32_t ordinal) {
  const std::string number = std::to_string(ordinal);
  std::string out;
  out.reserve(text.size() + number.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 3, "@$@") == 0) {
      out += '$';
      i += 3;
    } else if (text[i] == '$') {
      std::size_t end = text.find_first_not_of('$', i);
      if (end == std::string_view::npos) end = text.size();
      const std::size_t width = end - i;
      if (number.size() < width) out.append(width - number.size(), '0');
      out += number;
      i = end;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string FolderNameOf(const std::string& itemPath) {
  std::string folder = FolderPart(itemPath);
  while (!folder.empty() && platform::IsSeparator(folder.back())) folder.pop_back();
  std::size_t cut = folder.size();
  while (cut > 0 && !platform::IsSeparator(folder[cut - 1])) --cut;
  return folder.substr(cut);
}

int WholeNumber(std::string_view digits) {
  int value = 0, sign = 1;
  std::size_t i = 0;
  if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
    sign = digits[0] == '-' ? -1 : 1;
    i = 1;
  }
  for (; i < digits.size(); ++i) {
    if (digits[i] < '0' || digits[i] > '9') return 0;  // no number: an empty string
    // Saturates far above any count a token may ask for, so long digit runs never overflow.
    value = std::min(value * 10 + (digits[i] - '0'), 10000000);
  }
  return sign * value;
}

// Rounds to the given decimals, halves to the even neighbour, and writes the shortest
// form (no trailing zeros) with the locale's decimal separator.
std::string FormatRounded(double value, int decimals) {
  const double scale = decimals == 1 ? 10.0 : 100.0;
  const double rounded = std::nearbyint(value * scale) / scale;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded);
  std::string s = buf;
  std::size_t dot = s.find_first_of(".,");
  if (dot != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.' || s.back() == ',') s.pop_back();
  }
  if (dot != std::string::npos && dot < s.size()) {
    const lconv* lc = std::localeconv();
    const std::string separator = (lc && lc->decimal_point && *lc->decimal_point) ? lc->decimal_point : ".";
    s.replace(dot, 1, separator);
  }
  return s;
}

std::string FormatSize(std::uint64_t bytes) {
  const double k = static_cast<double>(bytes) / 1024.0;
  if (k < 1) return std::to_string(bytes) + "Bytes";
  if (k <= 1023) return FormatRounded(k, 1) + "KB";
  if (k <= 1048575) return FormatRounded(k / 1024.0, 1) + "MB";
  return FormatRounded(k / 1048576.0, 2) + "GB";
}

std::string FormatDate(const platform::LocalTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", t.year, t.month, t.day);
  return buf;
}

std::string ExpandRandomStrings(std::string_view text, SpecialStringExpander& expander) {
  // Tokens "%N%" are taken from the left. A token of one or two characters becomes a
  // random string of N characters; a longer one (or one that takes in a folder name) is no
  // placeholder and stays as typed, and the search goes on behind it, so its closing "%"
  // never opens the next token.
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (std::size_t first; (first = text.find('%', pos)) != std::string_view::npos;) {
    std::size_t start = first + 1;
    while (start < text.size() && text[start] == '%') ++start;
    const std::size_t close = text.find('%', start);
    if (close == std::string_view::npos) break;
    const std::string_view n = text.substr(start, close - start);
    if (n.size() > 2 || n.find(kFolderSlot) != std::string_view::npos) {
      out.append(text.substr(pos, close + 1 - pos));
    } else {
      out.append(text.substr(pos, start - 1 - pos));
      out.append(expander.randomString(WholeNumber(n)));
    }
    pos = close + 1;
  }
  out.append(text.substr(pos));
  return out;
}

}  // namespace

SpecialStringExpander::SpecialStringExpander(platform::FileSystem& fs, const SpecialStringSettings& settings,
                                             std::uint32_t randomSeedCounter)
    : fs_(fs), settings_(settings), seedCounter_(randomSeedCounter), metadata_(&media::SystemMetadataReader()) {}

const std::optional<platform::EntryInfo>& SpecialStringExpander::entryOf(const std::string& itemPath) {
  if (!cacheValid_ || cachedPath_ != itemPath) {
    cachedInfo_ = fs_.entryInfo(itemPath);
    cachedPath_ = itemPath;
    cacheValid_ = true;
  }
  return cachedInfo_;
}

std::string SpecialStringExpander::randomString(int n) {
  ++seedCounter_;
  random_.seed(seedCounter_);
  std::string out;
  if (n <= 0) return out;
  if (!settings_.randomNumbers && !settings_.randomUpper && !settings_.randomLower) return out;
  out.reserve(static_cast<std::size_t>(n));
  while (static_cast<int>(out.size()) < n) {
    // A draw whose kind is off appends nothing and draws no second number.
    switch (random_.next() % 3) {
      case 0:
        if (settings_.randomNumbers) out += static_cast<char>('0' + random_.next() % 10);
        break;
      case 1:
        if (settings_.randomUpper) out += static_cast<char>('A' + random_.next() % 26);
        break;
      default:
        if (settings_.randomLower) out += static_cast<char>('a' + random_.next() % 26);
        break;
    }
  }
  return out;
}

std::string SpecialStringExpander::expandPlain(std::string_view input, const std::string& itemPath,
                                               std::int32_t ordinal) {
  std::string text(input);
  if (!settings_.enabled) return text;
  // Most texts hold no mark at all: one pass instead of a search for each.
  if (text.find_first_of(kSpecialMarks) == std::string::npos) return text;

  if (text.find('$') != std::string::npos) text = ExpandOrderedNumbers(text, ordinal);

  const bool folderName = text.find("%%") != std::string::npos;
  if (folderName) ReplaceEvery(text, "%%", std::string_view(&kFolderSlot, 1));

  if (text.find('%') != std::string::npos) text = ExpandRandomStrings(text, *this);

  if (text.find("@@") != std::string::npos) {
    const auto& info = entryOf(itemPath);
    ReplaceEvery(text, "@@", info ? FormatDate(info->lastWrite) : "nofiletime");
  }
  if (text.find("##") != std::string::npos) {
    const auto& info = entryOf(itemPath);
    ReplaceEvery(text, "##", info ? FormatSize(info->size) : "nofilesize");
  }
  if (folderName) ReplaceEvery(text, std::string_view(&kFolderSlot, 1), FolderNameOf(itemPath));
  return text;
}

}  // namespace velmora::engine
