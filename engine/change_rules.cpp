#include "engine/change_rules.h"

#include <array>
#include <string_view>
#include <vector>

#include "engine/name_model.h"
#include "engine/rule_text.h"

namespace velmora::engine {

namespace {

constexpr std::array<std::string_view, 9> kSmallWords2{"an", "of", "in", "at", "is", "to", "or", "by", "on"};
constexpr std::array<std::string_view, 4> kSmallWords3{"the", "and", "for", "was"};

template <std::size_t N>
bool InList(const std::array<std::string_view, N>& list, std::string_view word) {
  for (std::string_view w : list)
    if (w == word) return true;
  return false;
}

constexpr bool IsLowerAscii(char c) { return c >= 'a' && c <= 'z'; }
constexpr char ToUpperAscii(char c) { return IsLowerAscii(c) ? static_cast<char>(c - 32) : c; }
constexpr char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// ASCII case conversion of the single-byte characters only: a byte of a double-byte
// character keeps its value even when it looks like a letter.
std::string ConvertAscii(std::string_view s, bool upper, const platform::CodePage& codePage) {
  std::string out(s);
  const std::vector<bool> multiByte = rules::MultiByteMap(s, codePage);
  for (std::size_t i = 0; i < out.size(); ++i)
    if (!multiByte[i]) out[i] = upper ? ToUpperAscii(out[i]) : ToLowerAscii(out[i]);
  return out;
}

// A WordCharacter that stands as a character of its own.
struct WordBytes {
  std::string_view name;
  std::vector<bool> multiByte;
  bool letter(std::size_t i) const { return i < name.size() && !multiByte[i] && IsWordCharacter(name[i]); }
};

// Whether the word starting at i is one of the small words. The first word boundary met
// decides how long the word is.
bool IsSmallWord(const WordBytes& w, std::size_t i) {
  if (!w.letter(i + 1)) return w.name[i] == 'a';
  if (!w.letter(i + 2)) return InList(kSmallWords2, w.name.substr(i, 2));
  if (!w.letter(i + 3)) return InList(kSmallWords3, w.name.substr(i, 3));
  return false;
}

}  // namespace

std::string CapitalizeEveryWord(const std::string& name, bool excludeSmallWords, const platform::CodePage& codePage) {
  std::string out = name;
  const WordBytes w{name, rules::MultiByteMap(name, codePage)};
  const std::size_t length = name.size();
  // Byte indexes 1 .. length-2: the first byte is handled below, the last is never looked at.
  for (std::size_t i = 1; i + 1 < length; ++i) {
    if (w.multiByte[i] || !IsLowerAscii(name[i])) continue;
    const bool afterHyphen = !w.multiByte[i - 1] && name[i - 1] == '-';
    bool upper;
    if (afterHyphen) {
      // A hyphen inside a word ("x-men") starts no new word.
      upper = i >= 2 && !w.letter(i - 2);
    } else if (w.letter(i - 1)) {
      upper = false;
    } else {
      // Small words are left alone unless they lie near the end of the name.
      upper = !(excludeSmallWords && i + 5 < length && IsSmallWord(w, i));
    }
    if (upper) out[i] = ToUpperAscii(out[i]);
  }
  if (!out.empty() && !w.multiByte[0]) out[0] = ToUpperAscii(out[0]);
  return out;
}

std::string ChangeFullName(const OperationRecord& record, const Item& item, RuleContext& context) {
  return FolderPart(item.path) + context.expand(record.newName, item) + Extension(item.path, item.isDirectory);
}

std::string ConvertCase(const OperationRecord& record, const Item& item, const platform::CodePage& codePage) {
  const std::string extension = Extension(item.path, item.isDirectory);
  std::string x = record.includeExtension ? FileNamePart(item.path) : BaseName(item.path, item.isDirectory);
  if (record.caseStyle == CaseStyle::Upper) {
    x = ConvertAscii(x, true, codePage);
  } else {
    x = ConvertAscii(x, false, codePage);
    if (record.capitalizeFirst) {
      x = TrimLeft(x);
      if (!x.empty() && codePage.charLength(x, 0) == 1) x[0] = ToUpperAscii(x[0]);
    }
  }
  return FolderPart(item.path) + x + (record.includeExtension ? std::string() : extension);
}

std::string CapitalizeWords(const OperationRecord& record, const Item& item, const platform::CodePage& codePage) {
  return FolderPart(item.path) +
         CapitalizeEveryWord(BaseName(item.path, item.isDirectory), record.excludeSmallWords, codePage) +
         Extension(item.path, item.isDirectory);
}

std::string ApplyChangeRule(const OperationRecord& record, const Item& item, RuleContext& context) {
  if (record.changeMode == ChangeMode::ChangeFullName) return ChangeFullName(record, item, context);
  if (record.caseStyle == CaseStyle::CapitalizeWords) return CapitalizeWords(record, item, context.codePage);
  return ConvertCase(record, item, context.codePage);
}

}  // namespace velmora::engine
