// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/name_pattern.h"

#include <algorithm>

#include "engine/core_text.h"
#include "engine/operation_record.h"
#include "engine/special_strings.h"
#include "platform/transcode.h"
#include "platform/unicode.h"

#ifdef VELMORA_HAVE_PCRE2
#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>
#endif

namespace velmora::engine {

int GroupTemplate::highestGroup() const {
  int highest = -1;
  for (const int g : groups) highest = g > highest ? g : highest;
  return highest;
}

GroupTemplate ParseGroupTemplate(std::string_view newText) {
  GroupTemplate t;
  for (std::size_t i = 0; i < newText.size(); ++i) {
    if (newText[i] == '\\' && i + 1 < newText.size() && newText[i + 1] >= '0' && newText[i + 1] <= '9') {
      t.groups.push_back(newText[i + 1] - '0');
      t.literals.emplace_back();
      ++i;
    } else {
      t.literals.back() += newText[i];
    }
  }
  return t;
}

std::string WithoutGroupReferences(std::string_view newText) {
  std::string out;
  for (const std::string& literal : ParseGroupTemplate(newText).literals) out += literal;
  return out;
}

#ifdef VELMORA_HAVE_PCRE2

namespace {
// A pattern that could run for ever on a name (nested repeats) gives up on that name.
constexpr std::uint32_t kMatchLimit = 1'000'000;

std::size_t CharactersBefore(std::string_view utf8, std::size_t offset) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < offset && i < utf8.size(); ++i)
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) ++count;
  return count;
}
}  // namespace

bool RegexAvailable() { return true; }

struct NamePattern::Compiled {
  pcre2_code* code = nullptr;
  pcre2_match_data* match = nullptr;
  pcre2_match_context* context = nullptr;
  bool jit = false;  ///< compiled to machine code: matched without the interpreter's checks
  /// One match from `start` on. The machine code is called directly where it takes the
  /// options (it has no anchoring at match time).
  int find(std::string_view subject, std::size_t start, std::uint32_t options) const {
    const auto* data = reinterpret_cast<PCRE2_SPTR>(subject.data());
    if (jit && options == 0) return pcre2_jit_match(code, data, subject.size(), start, 0, match, context);
    return pcre2_match(code, data, subject.size(), start, options, match, context);
  }
  ~Compiled() {
    pcre2_match_context_free(context);
    pcre2_match_data_free(match);
    pcre2_code_free(code);
  }
};

NamePattern::NamePattern(std::string_view pattern, bool caseSensitive, const platform::CodePage& page) : page_(page) {
  const auto utf8 = platform::ToUtf8(page, pattern);
  if (!utf8) {
    error_ = VELMORA_TEXT("Core", "the pattern cannot be read in the code page");
    return;
  }
  // Names may hold bytes that are not UTF-8: they never match, and the rest of the name does.
  std::uint32_t options = PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF;
  if (!caseSensitive) options |= PCRE2_CASELESS;
  int code = 0;
  PCRE2_SIZE offset = 0;
  auto compiled = std::make_unique<Compiled>();
  compiled->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8->data()), utf8->size(), options, &code, &offset,
                                 nullptr);
  if (!compiled->code) {
    PCRE2_UCHAR message[256];
    pcre2_get_error_message(code, message, sizeof message);
    error_ = reinterpret_cast<const char*>(message);
    errorOffset_ = CharactersBefore(*utf8, offset);
    return;
  }
  // Where the system has no JIT, the interpreter runs.
  compiled->jit = pcre2_jit_compile(compiled->code, PCRE2_JIT_COMPLETE) == 0;
  std::uint32_t captures = 0;
  pcre2_pattern_info(compiled->code, PCRE2_INFO_CAPTURECOUNT, &captures);
  groupCount_ = static_cast<int>(captures);
  compiled->match = pcre2_match_data_create_from_pattern(compiled->code, nullptr);
  compiled->context = pcre2_match_context_create(nullptr);
  pcre2_set_match_limit(compiled->context, kMatchLimit);
  compiled_ = std::move(compiled);
}

NamePattern::~NamePattern() = default;

std::optional<std::string> NamePattern::replaceAll(std::string_view name, const std::vector<std::string>& literals,
                                                   const std::vector<int>& groups, const char*& reason) const {
  reason = nullptr;
  if (!compiled_) return std::string(name);
  const bool utf8Page = page_.id() == platform::CodePageId::Utf8;
  std::optional<std::string> decoded;
  // A name must read back to its own bytes: a character with two codes in the page (932)
  // would otherwise come back with the other code, changing the name where nothing matched.
  if (!utf8Page && (!(decoded = platform::ToUtf8(page_, name)) || platform::FromUtf8(page_, *decoded) != name)) {
    reason = kRegexUnreadableReason;
    return std::nullopt;
  }
  const std::string_view subject = utf8Page ? name : std::string_view(*decoded);
  std::vector<std::string> ownLiterals;
  const std::vector<std::string>* pieces = &literals;
  if (!utf8Page) {
    for (const std::string& literal : literals) {
      auto text = platform::ToUtf8(page_, literal);
      if (!text) {
        reason = kRegexUnwritableReason;
        return std::nullopt;
      }
      ownLiterals.push_back(std::move(*text));
    }
    pieces = &ownLiterals;
  }

  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(compiled_->match);
  std::string out;
  std::size_t start = 0;
  std::uint32_t options = 0;
  bool changed = false;
  while (start <= subject.size()) {
    const int rc = compiled_->find(subject, start, options);
    if (rc == PCRE2_ERROR_NOMATCH) {
      // After a match of nothing, nothing more matched here: step over one character.
      if (options == 0 || start >= subject.size()) break;
      char32_t c = 0;
      const std::size_t len = platform::unicode::DecodeUtf8(subject, start, c);
      const std::size_t step = len == 0 ? 1 : len;
      out.append(subject.substr(start, step));
      start += step;
      options = 0;
      continue;
    }
    if (rc < 0) {
      reason = kRegexGaveUpReason;
      return std::nullopt;
    }
    const std::size_t from = ovector[0] < start ? start : ovector[0];
    const std::size_t to = ovector[1] < from ? from : ovector[1];
    out.append(subject.substr(start, from - start));
    for (std::size_t i = 0; i < pieces->size(); ++i) {
      out += (*pieces)[i];
      if (i >= groups.size()) break;
      const auto g = static_cast<std::size_t>(groups[i]);
      if (static_cast<int>(g) < rc && ovector[2 * g] != PCRE2_UNSET)
        out.append(subject.substr(ovector[2 * g], ovector[2 * g + 1] - ovector[2 * g]));
    }
    changed = true;
    start = to;
    options = to == from ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0;
  }
  if (!changed) return std::string(name);
  if (start < subject.size()) out.append(subject.substr(start));
  if (utf8Page) return out;
  auto encoded = platform::FromUtf8(page_, out);
  if (!encoded) reason = kRegexUnwritableReason;
  return encoded;
}

bool NamePattern::matches(std::string_view name) const {
  if (!compiled_) return false;
  std::optional<std::string> decoded;
  if (page_.id() != platform::CodePageId::Utf8 && !(decoded = platform::ToUtf8(page_, name))) return false;
  const std::string_view subject = decoded ? std::string_view(*decoded) : name;
  return compiled_->find(subject, 0, 0) >= 0;
}

#else  // no PCRE2 in this build: no pattern compiles, and the checks say why

bool RegexAvailable() { return false; }

struct NamePattern::Compiled {};

NamePattern::NamePattern(std::string_view, bool, const platform::CodePage& page) : page_(page) {
  error_ = VELMORA_TEXT("Core", "regular expressions are not available in this build");
}

NamePattern::~NamePattern() = default;

std::optional<std::string> NamePattern::replaceAll(std::string_view, const std::vector<std::string>&,
                                                   const std::vector<int>&, const char*& reason) const {
  reason = kRegexUnavailableReason;
  return std::nullopt;
}

bool NamePattern::matches(std::string_view) const { return false; }

#endif

std::unique_ptr<RulePatterns> RulePatterns::For(const OperationRecord& record, const platform::CodePage& page) {
  if (!record.regex) return nullptr;
  auto patterns = std::make_unique<RulePatterns>();
  if (record.kind == OperationKind::Replace && record.replaceMode == ReplaceMode::ReplaceString) {
    patterns->oldText = std::make_unique<NamePattern>(record.oldText, record.replaceCaseSensitive, page);
    patterns->newText = ParseGroupTemplate(record.newText);
    patterns->plainNewText = std::none_of(patterns->newText.literals.begin(), patterns->newText.literals.end(),
                                          [](const std::string& piece) { return MayHoldSpecialString(piece); });
  } else if (record.kind == OperationKind::Remove && record.removeMode == RemoveMode::RemoveStrings) {
    const std::string* texts[] = {&record.removeText1, &record.removeText2, &record.removeText3};
    for (int i = 0; i < 3; ++i)
      if (!texts[i]->empty())
        patterns->removeTexts[i] = std::make_unique<NamePattern>(*texts[i], record.removeCaseSensitive, page);
  } else {
    return nullptr;
  }
  return patterns;
}

}  // namespace velmora::engine
