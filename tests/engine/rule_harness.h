// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs one operation record on one item created in an in-memory file system, the way the
// batch run does, and reports the outcome as one string for table rows: the new path, "="
// for Unchanged, "EMPTY" for EmptyName, "N/A" for NotApplicable, "LEFT: reason" for LeftAlone.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/apply_operation.h"
#include "platform/code_page.h"
#include "platform/memory_file_system.h"

namespace velmora::engine::testing {

inline const platform::CodePage& Page1252() { return platform::Windows1252CodePage(); }
inline const platform::CodePage& Page932() { return platform::Windows932CodePage(); }
inline const platform::CodePage& PageUtf8() { return platform::Utf8CodePage(); }

struct RuleHarness {
  platform::MemoryFileSystem fs;
  SpecialStringSettings settings;
  std::uint32_t seed = 1000;

  /// A path ending in "/" names a folder (the separator is dropped, as the item loop does).
  std::string run(const OperationRecord& record, std::string path, const platform::CodePage& page = Page1252(),
                  std::int32_t ordinal = 1) {
    const bool folder = !path.empty() && path.back() == '/';
    if (folder) {
      path.pop_back();
      fs.addFolder(path);
    } else {
      fs.addFile(path);
    }
    SpecialStringExpander expander(fs, settings, seed);
    RuleContext context{page, expander, ordinal};
    const NewNameOutcome outcome = ComputeNewName(record, Item{path, folder}, context);
    switch (outcome.kind) {
      case OutcomeKind::Rename: return outcome.newPath;
      case OutcomeKind::Unchanged: return "=";
      case OutcomeKind::EmptyName: return "EMPTY";
      case OutcomeKind::NotApplicable: return "N/A";
      case OutcomeKind::LeftAlone: return std::string("LEFT: ") + outcome.reason;
    }
    return "?";
  }

  /// The rule applied to a folder "/p/<name>": the new folder name, "=" or "EMPTY". Folders
  /// take their whole name as base name, so names may hold dots.
  std::string name(const OperationRecord& record, const std::string& name, const platform::CodePage& page = Page1252(),
                   std::int32_t ordinal = 1) {
    std::string result = run(record, "/p/" + name + "/", page, ordinal);
    return result.rfind("/p/", 0) == 0 ? result.substr(3) : result;
  }
};

/// A sample of the editor: its name, the selection and the caret.
inline SampleValues Sample(std::string sampleName, int start, int length, int cursor = 0) {
  return SampleValues{std::move(sampleName), start, length, cursor};
}

/// A table row of a rule family: a record applied to an item path under a code page.
struct PathRow {
  const char* label;
  OperationRecord record;
  const platform::CodePage& page;
  std::string path;
  std::string expected;  ///< new path, "=" unchanged, "EMPTY" refused
};

/// Runs every row on a fresh in-memory file system and compares its outcome.
inline void ExpectPathRows(const std::vector<PathRow>& rows) {
  for (const PathRow& row : rows) {
    SCOPED_TRACE(row.label);
    RuleHarness h;
    EXPECT_EQ(h.run(row.record, row.path, row.page), row.expected);
  }
}

}  // namespace velmora::engine::testing
