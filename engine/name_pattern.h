// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Regular expressions on names (PCRE2 in UTF mode) for the replace and remove rules and the
// walk's filters. A pattern is compiled once for a run; the names of a run are matched in
// UTF-8 (under 1252 and 932 each name is read into UTF-8 and the result written back). The
// new text refers to the match with \0 (the whole match) and \1..\9 (its groups), since "$"
// starts the special strings. A build without PCRE2 compiles no pattern and says so.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace velmora::engine {

struct OperationRecord;

/// True when this build has regular expressions.
bool RegexAvailable();

/// Why a name was left alone by a regular expression.
inline constexpr const char* kRegexUnreadableReason = "the name cannot be read in the code page as it is";
inline constexpr const char* kRegexUnwritableReason = "the new name cannot be written in the code page";
inline constexpr const char* kRegexGaveUpReason = "the regular expression took too long on the name";
inline constexpr const char* kRegexUnavailableReason = "regular expressions are not available in this build";

/// The new text cut at its group references: literals[i] comes before groups[i], and the
/// last literal after the last group. A backslash not followed by a digit stays as it is.
struct GroupTemplate {
  std::vector<std::string> literals{std::string()};
  std::vector<int> groups;
  /// The highest group referred to, -1 for none.
  int highestGroup() const;
};
GroupTemplate ParseGroupTemplate(std::string_view newText);
/// The text without its group references (for the check of prohibited characters).
std::string WithoutGroupReferences(std::string_view newText);

class NamePattern {
 public:
  NamePattern(std::string_view pattern, bool caseSensitive, const platform::CodePage& page);
  ~NamePattern();
  NamePattern(const NamePattern&) = delete;
  NamePattern& operator=(const NamePattern&) = delete;

  bool valid() const { return error_.empty(); }
  /// PCRE2's message when the pattern did not compile (or that the build has none).
  const std::string& error() const { return error_; }
  /// Characters of the pattern before the place where the error was found.
  std::size_t errorOffset() const { return errorOffset_; }
  /// Number of capturing groups.
  int groupCount() const { return groupCount_; }

  /// Every match in name, left to right and never overlapping, replaced by the literals and
  /// groups of the template (literals already expanded, in the page's bytes). A match of
  /// nothing is followed by one character before the next attempt, so an empty match never
  /// loops. Nothing, with reason set, when the item must be left alone.
  std::optional<std::string> replaceAll(std::string_view name, const std::vector<std::string>& literals,
                                        const std::vector<int>& groups, const char*& reason) const;
  /// True when the pattern matches somewhere in name (a name the page cannot read: false).
  bool matches(std::string_view name) const;

 private:
  struct Compiled;
  std::unique_ptr<Compiled> compiled_;
  const platform::CodePage& page_;
  std::string error_;
  std::size_t errorOffset_ = 0;
  int groupCount_ = 0;
};

/// The patterns of one run's record, compiled once: the replace rule's old text and the
/// remove rule's three strings (only those the record uses as patterns), and the new text's
/// template.
struct RulePatterns {
  std::unique_ptr<NamePattern> oldText;
  std::unique_ptr<NamePattern> removeTexts[3];
  GroupTemplate newText;
  bool plainNewText = false;  ///< no piece of the new text holds a special string

  /// Nothing to compile when the record does not ask for regular expressions.
  static std::unique_ptr<RulePatterns> For(const OperationRecord& record, const platform::CodePage& page);
};

}  // namespace velmora::engine
