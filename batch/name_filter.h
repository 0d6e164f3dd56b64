// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder filters of a run: which entries of a walked folder are items. The include
// filter keeps only the names it matches (every name when it is empty), the exclude filter
// drops the names it matches. Each is a list of globs separated by ";" ("*.jpg;*.jpeg":
// "*" any run of characters, "?" one character, letters of any case), or, when the record's
// regular expressions are on, one pattern that matches anywhere in the name. The walk
// applies the filter before the item loop, so numbering counts only the kept items;
// subfolders are still entered whatever their names.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/name_pattern.h"
#include "engine/operation_record.h"
#include "platform/code_page.h"

namespace velmora::batch {

class NameFilter {
 public:
  /// Nothing when the record sets no filter.
  static std::optional<NameFilter> For(const engine::OperationRecord& record, const platform::CodePage& page);

  /// True when the name is an item of the run.
  bool keeps(std::string_view name) const;

  /// A filter pattern that does not compile: its field name, else nullptr.
  const char* invalidField() const;
  /// That pattern, for the message.
  const engine::NamePattern* invalidPattern() const;

 private:
  struct Side {
    std::vector<std::string> globs;
    std::shared_ptr<const engine::NamePattern> pattern;
    bool set = false;
    bool matches(std::string_view name, const platform::CodePage& page) const;
  };
  static Side Make(const std::string& text, bool regex, const platform::CodePage& page);

  const platform::CodePage* page_ = nullptr;
  Side include_, exclude_;
};

/// Whether a glob matches the whole name, letters compared with the page's case mapping.
bool GlobMatches(std::string_view glob, std::string_view name, const platform::CodePage& page);

}  // namespace velmora::batch
