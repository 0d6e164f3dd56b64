// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/remove_rules.h"

#include <utility>
#include <vector>

#include "engine/name_model.h"
#include "engine/name_pattern.h"
#include "engine/rule_text.h"

namespace velmora::engine {

using rules::Pos;

namespace {
constexpr std::size_t npos = std::string_view::npos;
}  // namespace

std::string RemoveStrings(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage) {
  std::string result = name;
  for (const std::string* text : {&record.removeText1, &record.removeText2, &record.removeText3})
    if (!text->empty()) result = rules::ReplaceEvery(result, *text, "", record.removeCaseSensitive, codePage);
  return result;
}

std::string RemovePatterns(const OperationRecord& record, const std::string& name, RuleContext& context) {
  std::unique_ptr<RulePatterns> own;
  const RulePatterns* patterns = context.patterns;
  if (!patterns) patterns = (own = RulePatterns::For(record, context.codePage)).get();
  static const std::vector<std::string> kNothing{std::string()};
  std::string result = name;
  for (const auto& pattern : patterns->removeTexts) {
    if (!pattern) continue;
    auto next = pattern->replaceAll(result, kNothing, {}, context.leftAlone);
    if (!next) return name;
    result = std::move(*next);
  }
  return result;
}

std::string RemoveSelected(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage) {
  const rules::SelectedPart part = rules::MapSelection(name, record.sample, record.removeFromEnd, codePage);
  const Pos length = static_cast<Pos>(name.size());
  return Substring(name, 1, part.a) + Substring(name, part.b, length);
}

std::string KeepSelected(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage) {
  const Pos length = static_cast<Pos>(name.size());
  const Pos start = rules::SampleNumber(record.sample.selectionStart);
  const Pos count = rules::SampleNumber(record.sample.selectionLength);
  const Pos sampleLength = static_cast<Pos>(record.sample.sampleName.size());
  if (!record.keepFromEnd) {
    // s and e are the first and the last position kept.
    const Pos s = rules::CutBeforeWhole(name, start + 1, codePage);
    const Pos e = rules::CutAfterWhole(name, start + count, codePage);
    return Substring(name, s, e - s + 1);
  }
  // b is the first position after the kept part.
  Pos b = length + start + count - sampleLength + 1;
  Pos s = b - count;
  s = s < 1 ? 1 : rules::CutBeforeWhole(name, s, codePage);
  b = rules::CutAfterWhole(name, b - 1, codePage) + 1;
  return Substring(name, s, b - s);
}

std::string RemoveBetween(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage) {
  const std::string_view left = record.leftText, right = record.rightText;
  const bool skipKeptRight = left == right && !record.removeBoundaries;
  std::string done;
  std::string_view rest = name;
  bool found = false;
  Pos p = rules::PositionOfText(rest, left, codePage);
  while (p > 0) {
    const std::string_view prefix = rest.substr(0, static_cast<std::size_t>(p - 1));
    const std::string_view after = rest.substr(static_cast<std::size_t>(p - 1) + left.size());
    const Pos q = rules::PositionOfText(after, right, codePage);
    if (q == 0) break;  // a left string without a right one behind it stays as it is
    done.append(prefix);
    if (record.removeBoundaries) {
      rest = after.substr(static_cast<std::size_t>(q - 1) + right.size());
    } else {
      done.append(left);
      rest = after.substr(static_cast<std::size_t>(q - 1));  // the right string stays
    }
    found = true;
    if (skipKeptRight) {
      // rest begins with the right string just kept, which is also a left string: the
      // next pair starts behind it.
      const Pos next = rules::PositionOfText(rest.substr(left.size()), left, codePage);
      p = next == 0 ? 0 : next + static_cast<Pos>(left.size());
    } else {
      p = rules::PositionOfText(rest, left, codePage);
    }
  }
  // Nothing found, or everything would go: the name stays.
  if (!found || (done.empty() && rest.empty())) return name;
  return done.append(rest);
}

std::string KeepStrings(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage) {
  // The occurrences of the first string are found first; the second string is then looked
  // for in the text between them. What is kept are the occurrences in name order. The
  // occurrences are tracked by position, not by marker characters, so a name that holds
  // any character at all is never mistaken.
  const std::string& first = record.keepText1;
  const std::string& second = record.keepText2;
  std::string kept;
  bool any = false;
  auto keepSecondIn = [&](std::string_view gap) {
    std::size_t pos = 0, len = 0;
    for (std::size_t hit; (hit = rules::FindText(gap, second, pos, true, codePage, len)) != npos; pos = hit + len) {
      kept.append(second);
      any = true;
    }
  };
  const std::string_view n = name;
  std::size_t pos = 0, len = 0;
  for (std::size_t hit; (hit = rules::FindText(n, first, pos, true, codePage, len)) != npos; pos = hit + len) {
    keepSecondIn(n.substr(pos, hit - pos));
    kept.append(first);
    any = true;
  }
  keepSecondIn(n.substr(pos));
  return any ? kept : name;
}

namespace {

bool ProtectedSymbol(char c, const OperationRecord& record) {
  return (c == '-' && record.keepDash) || ((c == '(' || c == ')') && record.keepParentheses) ||
         (c == '_' && record.keepUnderscore) || ((c == '[' || c == ']') && record.keepBrackets) ||
         (record.keepOthers && record.keepOthersText.find(c) != std::string::npos);
}

bool HoldsNonPlain(const std::string& name) {
  for (char c : name)
    if (!IsPlainCharacter(c)) return true;
  return false;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Trims the blanks at both ends and makes every run of spaces one space. A byte of a
// multi-byte character is never taken for a blank, even when its value is one (a
// malformed double-byte pair), so the character is never cut.
std::string TrimAndCollapse(const std::string& s, const std::vector<bool>& multiByte) {
  std::size_t first = 0, last = s.size();
  while (first < last && !multiByte[first] && IsBlank(s[first])) ++first;
  while (last > first && !multiByte[last - 1] && IsBlank(s[last - 1])) --last;
  std::string out;
  out.reserve(last - first);
  bool afterSpace = false;
  for (std::size_t i = first; i < last; ++i) {
    const bool space = s[i] == ' ' && !multiByte[i];
    if (!(space && afterSpace)) out += s[i];
    afterSpace = space;
  }
  return out;
}

}  // namespace

std::string CleanSymbols(const OperationRecord& record, const std::string& name, const platform::CodePage& codePage) {
  if (name.size() < 2 || !HoldsNonPlain(name)) return name;

  // Which bytes are erased is kept beside the name rather than written into it as marker
  // characters, so a name's own characters are never taken for erased ones.
  const std::vector<bool> multiByte = rules::MultiByteMap(name, codePage);
  std::vector<bool> erased(name.size(), false);
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (multiByte[i] || c == ' ' || IsPlainCharacter(c)) continue;
    if (!ProtectedSymbol(c, record)) erased[i] = true;
  }

  // Each occurrence of the other symbols text, as a whole, becomes one erased unit. An
  // occurrence that takes in an erased byte no longer exists once that byte is erased.
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  if (record.alsoErase) {
    std::size_t pos = 0, len = 0;
    for (std::size_t hit; (hit = rules::FindText(name, record.alsoEraseText, pos, true, codePage, len)) != npos;) {
      bool takesErased = false;
      for (std::size_t k = hit; k < hit + len; ++k) takesErased = takesErased || erased[k];
      if (takesErased) {
        pos = hit + codePage.charLength(name, hit);
        continue;
      }
      spans.emplace_back(hit, len);
      pos = hit + len;
    }
  }

  std::string out;
  std::vector<bool> outMultiByte;
  out.reserve(name.size());
  outMultiByte.reserve(name.size());
  auto eraseOne = [&] {
    if (!record.erasedToSpace) return;
    out += ' ';
    outMultiByte.push_back(false);
  };
  std::size_t nextSpan = 0;
  for (std::size_t i = 0; i < name.size();) {
    if (nextSpan < spans.size() && spans[nextSpan].first == i) {
      eraseOne();
      i += spans[nextSpan++].second;
      continue;
    }
    if (erased[i]) {
      eraseOne();
    } else {
      out += name[i];
      outMultiByte.push_back(multiByte[i]);
    }
    ++i;
  }
  return TrimAndCollapse(out, outMultiByte);
}

std::string ApplyRemoveRule(const OperationRecord& record, const std::string& name, const Item&,
                            RuleContext& context) {
  const platform::CodePage& codePage = context.codePage;
  switch (record.removeMode) {
    case RemoveMode::RemoveStrings:
      return record.regex ? RemovePatterns(record, name, context) : RemoveStrings(record, name, codePage);
    case RemoveMode::RemoveSelected: return RemoveSelected(record, name, codePage);
    case RemoveMode::RemoveBetween: return RemoveBetween(record, name, codePage);
    case RemoveMode::KeepSelected: return KeepSelected(record, name, codePage);
    case RemoveMode::KeepStrings: return KeepStrings(record, name, codePage);
    case RemoveMode::CleanSymbols: return CleanSymbols(record, name, codePage);
  }
  return name;
}

}  // namespace velmora::engine
